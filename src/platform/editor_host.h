// What an editing window tells the main window around it: the status bar, the
// enabled state of the edit commands, and the completion list.
#pragma once

namespace quillet {

class CodeDocument;

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

  // The keyword completion prompt as typing drives it. A host without one
  // keeps these defaults: no list is ever shown, and typing just types.
  virtual bool CompletionListVisible() { return false; }
  virtual bool CompletionInProgress() { return false; }
  virtual void AcceptCompletion(CodeDocument&) {}
  virtual void DropLastPrefixChar() {}
  virtual bool AccumulatePrefix(int /*code*/) { return false; }  // true: show or refresh the list
  virtual void ShowCompletion(CodeDocument&) {}
};

}  // namespace quillet
