#include "editor/procedure_tree_win32.h"

#include <commctrl.h>

namespace quillet {
namespace {

HTREEITEM AddItem(HWND tree, HTREEITEM parent, const std::string& text, int image, int index) {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.iImage = insert.item.iSelectedImage = image;
  insert.item.lParam = index;
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

ProcedureItem ItemOf(HWND tree, HTREEITEM handle) {
  ProcedureItem result;
  if (!handle) return result;
  char text[512] = {};
  TVITEMA item{};
  item.mask = TVIF_PARAM | TVIF_TEXT;
  item.hItem = handle;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return result;
  result.index = static_cast<int>(item.lParam);
  result.name = text;
  return result;
}

}  // namespace

void ProcedureTreeWin32::Show(const std::string& rootName, const std::vector<std::string>& names) {
  if (!tree_) return;
  SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  HTREEITEM root = AddItem(tree_, TVI_ROOT, rootName, 1, 0);
  for (std::size_t i = 0; i < names.size(); ++i) AddItem(tree_, root, names[i], 0, static_cast<int>(i + 1));
  SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree_, nullptr, TRUE);
}

ProcedureItem SelectedProcedureItem(HWND tree) {
  return ItemOf(tree, reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
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
