// EditWindowProc and TabKeyHook: the messages of a PBCodeEdit window, decoded
// and handed to the owning document. Each group of messages has its handler;
// no exception leaves the procedure.
#include <windows.h>
#include <windowsx.h>

#include <imm.h>

#include <cstring>
#include <optional>

#include "common/keyboard_win32.h"
#include "editor/code_document.h"
#include "editor/edit_input.h"
#include "editor/edit_window_win32.h"
#include "editor/gdi_surface_win32.h"
#include "platform/editor_host.h"

namespace quillet {
namespace {

using Handled = std::optional<LRESULT>;  // empty: the default processing follows

EditWindow* OwnerOf(HWND window) {
  EditWindowShell* shell = EditObjects().shell;
  return shell != nullptr ? shell->FindOwner(window) : nullptr;
}

static_assert(kCtrlKey == 1 && kShiftKey == 2 && kAltKey == 4, "HeldModifiers() uses these bits");

void DropCaret(const EditWindow& owner) {
  // DestroyCaret takes the thread's caret whoever holds it; leave another window's alone.
  if (owner.HoldsCaret()) DestroyCaret();
}

// ---- Painting ----

// The input method's composition window follows the caret.
void PlaceComposition(EditWindow& owner) {
  HWND window = owner.Handle();
  HIMC context = ImmGetContext(window);
  if (context == nullptr) return;
  POINT caret{};
  GetCaretPos(&caret);
  const PixelPoint at = CompositionPoint(owner.Document().Context().input, caret.x, caret.y);
  COMPOSITIONFORM form{};
  form.dwStyle = CFS_POINT;
  form.ptCurrentPos = {at.x, at.y};
  ImmSetCompositionWindow(context, &form);
  ImmReleaseContext(window, context);
}

// Only while a composition is open: placing it asks the input method (under
// Wine, the X server), which took longer than the paint itself. A
// composition starts where the caret then is.
void AfterPaint(EditWindow& owner) {
  if (owner.Document().Context().input.composing) PlaceComposition(owner);
  if (EditWindowShell* shell = EditObjects().shell) shell->DocumentPainted(owner);
}

// The part of the client that a WM_NCPAINT's region (screen coordinates; 1
// for the whole window) reaches, in client coordinates; empty for none.
RECT ClientPartOf(HWND window, WPARAM region, PixelSize size) {
  RECT part{0, 0, size.width, size.height};
  RECT box{};
  if (region == 1 || GetRgnBox(reinterpret_cast<HRGN>(region), &box) == ERROR) return part;
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
  if (!IntersectRect(&part, &part, &box)) return {};
  return part;
}

// The frame and scroll bars are left to the default processing, which must
// see WM_NCPAINT; the client is then drawn through a plain client DC, since
// BeginPaint here would validate (and could repaint) the frame itself. Only
// the part of the client the region reaches: a frame redrawn where the
// completion list lay over it repainted the whole text for nothing.
LRESULT OnNcPaint(EditWindow& owner, WPARAM wParam, LPARAM lParam) {
  HWND window = owner.Handle();
  const LRESULT result = DefWindowProcA(window, WM_NCPAINT, wParam, lParam);
  const EditClassObjects& objects = EditObjects();
  const PixelSize size = owner.ClientSize();
  const RECT part = ClientPartOf(window, wParam, size);
  if (const WindowDc dc(window); dc && !IsRectEmpty(&part)) {
    GdiPaintSurface surface(dc.Get(), size, {part.left, part.top, part.right, part.bottom}, objects.editFont.Get(),
                            objects.backgroundBrush.Get(), objects.cursorLineBrush.Get());
    owner.Document().Paint(surface);
    surface.Present();
  }
  AfterPaint(owner);
  return result;
}

Handled OnPaint(EditWindow& owner, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCPAINT) return OnNcPaint(owner, wParam, lParam);
  const EditClassObjects& objects = EditObjects();
  PaintWindow(owner.Handle(), owner.Document(), objects.editFont.Get(), objects.backgroundBrush.Get(),
              objects.cursorLineBrush.Get());
  AfterPaint(owner);
  return 0;
}

// ---- Scroll bars ----

// The thumb's position. The message carries only 16 bits; a longer range
// (more than 65535 lines, or pixels of a long line) is read from the bar.
int ThumbPosition(HWND window, int bar, int request, WPARAM wParam) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS | SIF_TRACKPOS;
  if (!GetScrollInfo(window, bar, &info) || info.nMax <= 0xFFFF) return HIWORD(wParam);
  return request == SB_THUMBTRACK ? info.nTrackPos : info.nPos;
}

void OnScroll(EditWindow& owner, UINT message, WPARAM wParam) {
  const bool horizontal = message == WM_HSCROLL;
  const int request = LOWORD(wParam);
  int thumb = 0;
  if (request == SB_THUMBTRACK || request == SB_THUMBPOSITION) {
    thumb = ThumbPosition(owner.Handle(), horizontal ? SB_HORZ : SB_VERT, request, wParam);
  }
  HandleScroll(owner.Document(), horizontal ? ScrollBar::Horizontal : ScrollBar::Vertical, request, thumb);
}

// ---- Focus, size, visibility ----

void OnFocusOrShow(EditWindow& owner, UINT message, WPARAM wParam) {
  CodeDocument& doc = owner.Document();
  switch (message) {
    case WM_SETFOCUS:
      doc.CreateEditCaret();
      PlaceComposition(owner);
      doc.NotifyChanged();  // the clipboard may have changed while the focus was away
      break;
    case WM_KILLFOCUS:
      DropCaret(owner);
      HideCompletion(doc);
      break;
    case WM_SHOWWINDOW:
      if (wParam) {
        doc.CreateEditCaret();
      } else {
        DropCaret(owner);
      }
      break;
    case WM_SIZE: doc.UpdateScrollBars(); break;
    default: break;
  }
}

// ---- Keyboard ----

// An ANSI window gets a double-byte character as two WM_CHAR bytes, lead
// first. A whole UTF-16 unit above 255 comes only from a sender that did not
// convert it; it becomes its ANSI bytes, first byte low, with
// WideCharToMultiByte(CP_ACP), the same conversion as SHLWAPI's
// SHUnicodeToAnsi (ordinal 217). 0: nothing to type.
int CharacterCode(WPARAM wParam) {
  const unsigned value = static_cast<unsigned>(wParam) & 0xFFFF;
  if (value <= 0xFF) return static_cast<int>(value);
  const wchar_t unit = static_cast<wchar_t>(value);
  unsigned char bytes[4] = {};
  const int count =
      WideCharToMultiByte(CP_ACP, 0, &unit, 1, reinterpret_cast<char*>(bytes), sizeof bytes, nullptr, nullptr);
  if (count <= 0) return 0;
  return count == 1 ? bytes[0] : bytes[0] | (bytes[1] << 8);
}

void OnKeyboard(EditWindow& owner, UINT message, WPARAM wParam) {
  CodeDocument& doc = owner.Document();
  if (message == WM_KEYDOWN) {
    HandleKey(doc, static_cast<int>(wParam), HeldModifiers());
    return;
  }
  // TAB is typed by TabKeyHook alone: once per auto-repeat and once when the
  // key is released. The first press passes the hook, and the message loop's
  // TranslateMessage turns it into a WM_CHAR 9; that one is dropped here, so
  // every loop (the program's, a modal dialog's, a test's) may translate keys
  // as usual without typing TAB twice. Ctrl+I, also a 9, is then ignored like
  // the other control codes. Without the hook, WM_CHAR 9 types the TAB.
  if (wParam == '\t' && EditObjects().hook) return;
  const int code = CharacterCode(wParam);
  if (code != 0) HandleCharacter(doc, code);
}

// ---- Mouse ----

void OnMouse(EditWindow& owner, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = owner.Handle();
  CodeDocument& doc = owner.Document();
  // Under capture a pointer left of or above the window is negative.
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
      SetCapture(window);
      HandleButtonPress(doc, x, y);
      SetFocus(window);
      break;
    case WM_LBUTTONUP:
      ReleaseCapture();
      HandleButtonRelease(doc.Context().input);
      break;
    case WM_CAPTURECHANGED:
      // Capture taken away mid-drag (another window, a dialog): the button
      // is as good as released, or a later plain move would still select.
      if (reinterpret_cast<HWND>(lParam) != window) HandleButtonRelease(doc.Context().input);
      break;
    case WM_MOUSEMOVE: HandleMouseMove(doc, x, y); break;
    case WM_LBUTTONDBLCLK: HandleDoubleClick(doc, x, y); break;
    case WM_MOUSEWHEEL: HandleWheel(doc, GET_WHEEL_DELTA_WPARAM(wParam), HeldModifiers()); break;
    default: break;
  }
}

// The menu key or Shift+F10 sends (-1, -1): the menu opens at the caret.
Handled OnContextMenu(EditWindow& owner, LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (at.x == -1 && at.y == -1) {
    GetCaretPos(&at);
    if (at.x < 0 || at.y < 0) at = {0, 0};
    ClientToScreen(owner.Handle(), &at);
  }
  if (EditWindowShell* shell = EditObjects().shell) shell->ShowEditMenu(owner, at);
  return 0;  // handled: the default would pass it on to the parent as well
}

bool IsUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         message == WM_HSCROLL || message == WM_VSCROLL;
}

Handled Dispatch(EditWindow& owner, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
    case WM_NCPAINT: return OnPaint(owner, message, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL: OnScroll(owner, message, wParam); break;
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_SHOWWINDOW: OnFocusOrShow(owner, message, wParam); break;
    case WM_CHAR:
    case WM_KEYDOWN: OnKeyboard(owner, message, wParam); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
    case WM_CAPTURECHANGED: OnMouse(owner, message, wParam, lParam); break;
    case WM_CONTEXTMENU: return OnContextMenu(owner, lParam);
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_ENDCOMPOSITION:
      owner.Document().Context().input.composing = message == WM_IME_STARTCOMPOSITION;
      PlaceComposition(owner);
      break;  // the default processing opens or closes the composition window
    case WM_NCDESTROY: owner.Forget(); break;
    default: break;
  }
  return std::nullopt;
}

}  // namespace

LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;  // Paint covers every pixel
  // WM_IME_CHAR is left to DefWindowProcA, which turns a double-byte
  // character into two WM_CHAR bytes, so text from the input method arrives once.
  if (EditWindow* owner = OwnerOf(window)) {
    try {
      if (message == kRedrawScrollBarsMessage) {
        owner->ShowPendingChanges();
        return 0;
      }
      const Handled result = Dispatch(*owner, message, wParam, lParam);
      // The edit, caret move, undo or redo of this message ends here. The
      // owner is looked up again: the message may have closed the window.
      if (message != WM_PAINT && message != WM_NCPAINT) {
        if (EditWindow* still = OwnerOf(window)) {
          // What the user typed or clicked is painted before the status bar,
          // the toolbar and the captions follow the change.
          if (IsUserInput(message)) still->ShowPendingChanges();
          still->Document().FinishChange();
        }
      }
      if (result) return *result;
    } catch (...) {
      // The step is dropped and the window stays usable. The default
      // processing below also validates a failed paint, so that WM_PAINT
      // does not come back at once, forever.
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK TabKeyHook(int code, WPARAM wParam, LPARAM lParam) {
  constexpr LPARAM kPreviouslyDown = 1 << 30;  // set for auto-repeat and for the release
  if (code >= 0 && (lParam & kPreviouslyDown) != 0 && wParam == VK_TAB) {
    HWND focus = GetFocus();
    char name[20] = {};
    if (focus != nullptr && GetClassNameA(focus, name, sizeof name) > 0 && std::strcmp(name, kEditClassName) == 0) {
      if (EditWindow* owner = OwnerOf(focus)) {
        try {
          HandleCharacter(owner->Document(), '\t');
          owner->Document().FinishChange();
        } catch (...) {
          // the TAB is lost, the key still swallowed
        }
      }
      return 1;
    }
  }
  return CallNextHookEx(EditObjects().hook.Get(), code, wParam, lParam);
}

}  // namespace quillet
