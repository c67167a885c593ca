// What an editing window tells the main window around it: the status bar, the
// enabled state of the edit commands, and the completion list.
#pragma once

namespace quillet {

struct EditCommandState {
  bool canCut = false;
  bool canCopy = false;
  bool canPaste = false;
  bool canUndo = false;
  bool canRedo = false;
  bool operator==(const EditCommandState&) const = default;
};

class EditorHost {
 public:
  virtual ~EditorHost() = default;
  // lineCount as a number, caretLine 1-based, caretColumn as stored (0-based).
  virtual void UpdateStatusBar(int lineCount, int caretLine, int caretColumn) = 0;
  virtual void UpdateEditCommands(const EditCommandState& state) = 0;
  virtual void HideCompletion() = 0;
};

}  // namespace quillet
