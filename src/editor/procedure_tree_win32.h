// The procedure tree 程序集 on Windows: a tree-view control with the
// document's name as its root (image 1) and a child per procedure (image 0).
#pragma once

#include <windows.h>

#include <string>

#include "platform/procedure_tree.h"

namespace quillet {

class ProcedureTreeWin32 final : public ProcedureTree {
 public:
  explicit ProcedureTreeWin32(HWND tree) : tree_(tree) {}
  void Show(const std::string& rootName, const std::vector<std::string>& names) override;

 private:
  HWND tree_;
};

// An item of the tree: index 0 the root, 1.. the procedures, -1 none.
struct ProcedureItem {
  int index = -1;
  std::string name;
};
ProcedureItem SelectedProcedureItem(HWND tree);
// Selects the item under a screen point (when there is one) and returns the selection.
ProcedureItem SelectProcedureItemAt(HWND tree, POINT screen);

}  // namespace quillet
