// The few tree-view calls the trees and lists share: adding an item with its
// image and value, and reading an item's text and value back.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <string_view>

namespace quillet {

// Appends an item under parent (TVI_ROOT for a top item); null on failure.
inline HTREEITEM AddTreeItem(HWND tree, HTREEITEM parent, std::string_view text, int image, LPARAM value) {
  std::string owned(text);  // the control copies it, and needs its terminating NUL
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = owned.data();
  insert.item.iImage = insert.item.iSelectedImage = image;
  insert.item.lParam = value;
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The item's text and value; false when there is no such item.
inline bool ReadTreeItem(HWND tree, HTREEITEM handle, std::string& text, LPARAM& value) {
  if (!handle) return false;
  char buffer[512] = {};
  TVITEMA item{};
  item.mask = TVIF_PARAM | TVIF_TEXT;
  item.hItem = handle;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return false;
  text = buffer;
  value = item.lParam;
  return true;
}

// The selected item (TVGN_CARET), or null.
inline HTREEITEM SelectedTreeItem(HWND tree) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

}  // namespace quillet
