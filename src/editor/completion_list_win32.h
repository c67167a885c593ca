// The completion list 树型框1 on Windows: a tree-view control of the main
// window used as a flat list with small icons, placed below the caret of the
// editing window that the prompt is attached to.
#pragma once

#include <windows.h>

#include "platform/completion_view.h"

namespace quillet {

inline constexpr int kCompletionListWidth = 168;
inline constexpr int kCompletionListHeight = 120;

class CompletionListWin32 final : public CompletionView {
 public:
  // list: the tree-view control, a sibling of the editing windows. Its lines
  // and buttons are turned off: the list has one level.
  explicit CompletionListWin32(HWND list);

  void Show(EditView& owner, const std::vector<KeywordEntry>& items, int selected, int x, int y) override;
  void Hide() override;
  bool CapsLockOn() const override;

  HWND Handle() const { return list_; }

 private:
  HWND list_;
};

// The index (as Show numbered the items) of the list's selected item; -1 for none.
int SelectedCompletionItem(HWND list);

}  // namespace quillet
