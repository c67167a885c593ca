#include "editor/completion_list_win32.h"

#include <commctrl.h>

#include "editor/edit_window_win32.h"

namespace quillet {
namespace {

int ImageOf(int kind) { return kind == kReservedWord ? 3 : 0; }

}  // namespace

CompletionListWin32::CompletionListWin32(HWND list) : list_(list) {
  if (!list_) return;
  const LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
  SetWindowLongPtrA(list_, GWL_STYLE, style & ~LONG_PTR(TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT));
}

void CompletionListWin32::Show(EditView& owner, const std::vector<KeywordEntry>& items, int selected, int x,
                               int y) {
  const auto* edit = dynamic_cast<EditWindow*>(&owner);
  if (!list_ || !edit || !edit->Handle()) return;
  // Filled out of sight: one repaint for the whole list.
  SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  HTREEITEM chosen = nullptr;
  for (std::size_t i = 0; i < items.size(); ++i) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(items[i].word.c_str());
    insert.item.iImage = insert.item.iSelectedImage = ImageOf(items[i].kind);
    insert.item.lParam = static_cast<LPARAM>(i);
    auto* item = reinterpret_cast<HTREEITEM>(SendMessageA(list_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    if (static_cast<int>(i) == selected) chosen = item;
  }
  SendMessageA(list_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(chosen));
  if (chosen) SendMessageA(list_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(chosen));
  SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
  // From the editing window's client area to the main window's.
  POINT at{x, y};
  ClientToScreen(edit->Handle(), &at);
  ScreenToClient(GetParent(list_), &at);
  // In front of the editing windows, which clip their siblings; the focus stays where it is.
  SetWindowPos(list_, HWND_TOP, at.x, at.y, kCompletionListWidth, kCompletionListHeight,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(list_, nullptr, TRUE);
}

void CompletionListWin32::Hide() {
  if (list_) ShowWindow(list_, SW_HIDE);
}

bool CompletionListWin32::CapsLockOn() const { return (GetKeyState(VK_CAPITAL) & 1) != 0; }

int SelectedCompletionItem(HWND list) {
  TVITEMA item{};
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(list, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!item.hItem) return -1;
  item.mask = TVIF_PARAM;
  if (!SendMessageA(list, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return static_cast<int>(item.lParam);
}

}  // namespace quillet
