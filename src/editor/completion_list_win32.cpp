#include "editor/completion_list_win32.h"

#include <commctrl.h>

#include "common/window_place_win32.h"
#include "editor/edit_window_win32.h"

namespace quillet {
namespace {

int ImageOf(int kind) { return kind == kReservedWord ? 3 : 0; }

// Its own flag: IsWindowVisible also asks the parents.
bool Shown(HWND window) { return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }

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
  // In front of the editing windows, which clip their siblings; the focus
  // stays where it is. While the word goes on the list is already there, and
  // placing it again cost each keystroke milliseconds under Wine.
  if (!Shown(list_) || !StandsAt(list_, at.x, at.y, kCompletionListWidth, kCompletionListHeight)) {
    if (Shown(list_)) Hide();  // what it leaves is repainted
    // Without the system's repaint, which draws at once: the list is drawn
    // after the editing window shows the key that opened it.
    SetWindowPos(list_, HWND_TOP, at.x, at.y, kCompletionListWidth, kCompletionListHeight,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOREDRAW);
    RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  InvalidateRect(list_, nullptr, TRUE);
}

// The system's own repaint of what the list uncovers draws the editing
// window's frame and scroll bars (and so, by design, its whole text) at once,
// before the key that closed the list is shown: under Wine tens of
// milliseconds. The uncovered part is invalidated instead and painted with
// the key.
void CompletionListWin32::Hide() {
  if (!list_ || !Shown(list_)) return;
  HWND parent = GetParent(list_);
  RECT covered{};
  GetWindowRect(list_, &covered);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&covered), 2);
  SetWindowPos(list_, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  RedrawWindow(parent, &covered, nullptr, RDW_INVALIDATE | RDW_ERASE);
  // Each window under it: its client part only, unless the list lay over its
  // frame or scroll bar. (Invalidating the parent's children all at once
  // marked every child's frame too.)
  for (HWND sibling = GetWindow(parent, GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == list_ || !IsWindowVisible(sibling)) continue;
    RECT frame{}, client{}, hit{}, inside{};
    GetWindowRect(sibling, &frame);
    MapWindowPoints(nullptr, sibling, reinterpret_cast<POINT*>(&frame), 2);
    GetClientRect(sibling, &client);
    RECT over = covered;
    MapWindowPoints(parent, sibling, reinterpret_cast<POINT*>(&over), 2);
    if (!IntersectRect(&hit, &over, &frame)) continue;
    IntersectRect(&inside, &hit, &client);
    // The windows inside it (the help box in its panel) as well.
    const UINT overFrame = EqualRect(&inside, &hit) ? 0 : RDW_FRAME;
    RedrawWindow(sibling, &hit, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | overFrame);
  }
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
