// What an editing window tells the main window around it: that its document
// changed (the status bar, the commands' enabled state and the captions follow
// that one notification), and what the completion list needs.
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
  // The document's text, caret, selection or modified mark changed. Raised once
  // where an edit, a caret move, an undo or a redo ends (CodeDocument::
  // FinishChange), and when the document becomes the one shown; never by a paint.
  virtual void DocumentChanged(CodeDocument& document) = 0;
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
