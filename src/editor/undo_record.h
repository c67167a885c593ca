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

// Lines from firstLine on that a step replaced: the lines as they were
// (removed) and as the step left them (inserted). Only the side that is not in
// the text is kept here: the removed lines while the step is done, the inserted
// ones once it is undone. Undo and redo exchange the two sides, moving lines and
// never copying them, and a step costs the lines it touched once. Lines are kept
// one by one, never joined with CR LF: a line may hold a CR LF of its own.
struct LineSplice {
  std::int32_t firstLine = 0;
  std::int32_t linesInText = 0;    // how many lines of this splice the text holds from firstLine
  std::vector<std::string> lines;  // the other side
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
