#include "editor/procedure_tree_win32.h"

#include <commctrl.h>

#include "common/tree_view_win32.h"

namespace quillet {
namespace {

ProcedureItem ItemOf(HWND tree, HTREEITEM handle) {
  ProcedureItem result;
  LPARAM value = 0;
  if (!ReadTreeItem(tree, handle, result.name, value)) return result;
  result.index = static_cast<int>(value);
  return result;
}

}  // namespace

void ProcedureTreeWin32::Show(const std::string& rootName, const std::vector<std::string>& names) {
  if (!tree_) return;
  SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  HTREEITEM root = AddTreeItem(tree_, TVI_ROOT, rootName, 1, 0);
  for (std::size_t i = 0; i < names.size(); ++i) AddTreeItem(tree_, root, names[i], 0, static_cast<LPARAM>(i + 1));
  SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree_, nullptr, TRUE);
}

ProcedureItem SelectedProcedureItem(HWND tree) {
  return ItemOf(tree, SelectedTreeItem(tree));
}

ProcedureItem SelectProcedureItemAt(HWND tree, POINT screen) {
  TVHITTESTINFO hit{};
  hit.pt = screen;
  ScreenToClient(tree, &hit.pt);
  auto* item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (item && (hit.flags & TVHT_ONITEM)) SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  return SelectedProcedureItem(tree);
}

}  // namespace quillet
