// One step of a document's undo history. Every step, whatever made it, is the
// same thing: lines of the text replaced by other lines, and the view before
// and after. Undo puts the removed lines back and restores the view before;
// redo puts the inserted lines back and restores the view after.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/view_state.h"

namespace quillet {

// What made a step. Undo and redo never look at it: every step is taken back
// and repeated the same way.
enum class UndoOp : std::int32_t {
  None = 0,
  LineBreak = 1,        // InsertLineBreak
  DeleteBackward = 2,   // Backspace
  InsertText = 3,       // a typed character or a completion
  DeleteForward = 4,    // Delete without a selection
  DeleteSelection = 5,  // Delete or Cut of a selection, Backspace over one
  InsertBlock = 6,      // Paste
  Replacement = 7,      // replace-all, templates: any change of several lines
};

// The lines from firstLine on that the step replaced, as they were (removed)
// and as it left them (inserted). Lines are kept one by one, never joined with
// CR LF: a line may hold a CR LF of its own.
struct LineSplice {
  std::int32_t firstLine = 0;
  std::vector<std::string> removed;
  std::vector<std::string> inserted;
  bool operator==(const LineSplice&) const = default;
};

struct UndoRecord {
  UndoOp op = UndoOp::None;
  // In the order they were made, each in the line numbers of its moment. Most
  // steps make one; a step that changes lines far apart (a replacement) keeps
  // one per place, so it costs the lines it changed, not those in between.
  std::vector<LineSplice> splices;
  ViewState before;
  ViewState after;
};

}  // namespace quillet
