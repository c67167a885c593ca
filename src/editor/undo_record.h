// One step of a document's undo history: what the step did and the view and
// selection state from before it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/text_pos.h"

namespace quillet {

struct UndoRecord {
  std::int32_t op = 0;  // 1 line break .. 7 replacement
  std::int32_t topLine = 0;
  std::int32_t horizontalScroll = 0;
  std::int32_t lineCount = 0;
  std::int32_t longestLine = 0;
  std::int32_t longestWidth = 0;
  TextPos caret;
  TextPos anchor;
  TextPos selEnd;
  bool modified = false;
  bool hasSelection = false;
  std::int32_t indent = 0;          // line break: TAB bytes added by auto-indent
  std::int32_t joinColumn = 0;      // backward deletion of a line break: length of the line joined onto
  std::string text;                 // deletions: bytes removed; insertion: bytes inserted
  std::string formerLine;           // paste: the caret line before the paste
  // pastedLines and selectionLines are kept line by line, not joined with CR LF:
  // joining two lines can leave a CR LF inside one (a line ending in CR meets
  // one starting with LF), and cutting the text again would split that line.
  std::vector<std::string> pastedLines;  // paste: every line the paste produced
  std::int32_t pieceCount = 0;      // paste: pieces the pasted text was cut into
  bool hadSelection = false;        // the step began by deleting the selection
  std::vector<std::string> selectionLines;  // whole lines the deleted selection touched
  TextPos caretBeforeDeletion;
  std::string findText;             // replacement step
  std::string replacement;
  std::int32_t caseSensitive = 0;
};

}  // namespace quillet
