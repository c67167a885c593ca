// The one notification that a document changed, and the state its listeners read.
#include "editor/code_document.h"
#include "platform/editor_host.h"

namespace quillet {

void CodeDocument::FinishChange() {
  if (changePending_) NotifyChanged();
}

void CodeDocument::NotifyChanged() {
  changePending_ = false;
  if (context_.host != nullptr) context_.host->DocumentChanged(*this);
}

EditCommandState CodeDocument::EditCommands() const {
  EditCommandState state;
  state.canCut = hasSelection;
  state.canCopy = hasSelection;
  state.canPaste = ClipboardHasText();
  state.canUndo = CanUndo();
  state.canRedo = CanRedo();
  return state;
}

}  // namespace quillet
