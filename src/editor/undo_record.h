// One step of a document's undo history: what the step did and the view and
// selection state from before it.
#pragma once

#include <cstdint>
#include <string>

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
  std::string text;                 // deletions: bytes removed; insertion: bytes inserted
  std::string formerLine;           // paste: the caret line before the paste
  std::string pastedLines;          // paste: every produced line followed by CR LF
  std::int32_t pieceCount = 0;      // paste: pieces the pasted text was cut into
  bool hadSelection = false;        // the step began by deleting the selection
  std::string selectionLines;       // whole lines the deleted selection touched, each + CR LF
  TextPos caretBeforeDeletion;
  std::string findText;             // replacement step
  std::string replacement;
  std::int32_t caseSensitive = 0;
};

}  // namespace quillet
