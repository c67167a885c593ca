#include "editor/edit_window_win32.h"

#include <algorithm>
#include <cstring>

#include "common/default_font_win32.h"
#include "common/window_place_win32.h"
#include "editor/code_document.h"
#include "editor/gdi_measure_win32.h"

namespace quillet {
namespace {

constexpr UINT kEditClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_PARENTDC;

int BarOf(ScrollBar bar) { return bar == ScrollBar::Horizontal ? SB_HORZ : SB_VERT; }
int BarIndex(ScrollBar bar) { return bar == ScrollBar::Horizontal ? 0 : 1; }

HFONT FontOf(const FontRecord& record) {
  LOGFONTA font{};
  static_assert(sizeof font == kFontRecordSize);
  std::memcpy(&font, record.data(), sizeof font);
  font.lfFaceName[LF_FACESIZE - 1] = '\0';
  return CreateFontIndirectA(&font);
}

// The measuring DC lets go of the font, so that it can be deleted.
void ReleaseMeasuringFont(EditClassObjects& objects) {
  if (objects.measureDc) SelectObject(objects.measureDc.Get(), GetStockObject(SYSTEM_FONT));
}

void MakeDrawingObjects(EditorSettings& settings) {
  EditClassObjects& objects = EditObjects();
  objects.cursorLineBrush.Reset(CreateSolidBrush(settings.colours[CursorLineBar]));
  objects.backgroundBrush.Reset(CreateSolidBrush(settings.colours[Background]));
  ReleaseMeasuringFont(objects);
  objects.editFont.Reset(settings.fontLoaded ? FontOf(settings.font) : nullptr);
  if (!objects.editFont) {
    settings.font = DefaultGuiFontRecord();
    settings.fontLoaded = true;
    objects.editFont.Reset(FontOf(settings.font));
  }
  if (!objects.measureDc) objects.measureDc.Reset(CreateCompatibleDC(nullptr));
  if (objects.measureDc) SelectObject(objects.measureDc.Get(), objects.editFont.Get());
}

// Repaints a top-level window with everything in it, editing windows included.
BOOL CALLBACK RepaintAll(HWND top, LPARAM) {
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  return TRUE;
}

// Every editing window below a top-level window, hidden ones included, has
// its document measured again with the current font and TAB width.
BOOL CALLBACK RemeasureEditWindow(HWND window, LPARAM) {
  if (EditWindowShell* shell = EditObjects().shell) {
    if (EditWindow* owner = shell->FindOwner(window)) owner->Document().Remeasure();
  }
  return TRUE;
}

BOOL CALLBACK RemeasureEditWindows(HWND top, LPARAM) {
  EnumChildWindows(top, RemeasureEditWindow, 0);
  return TRUE;
}

}  // namespace

EditClassObjects& EditObjects() {
  static EditClassObjects objects;
  return objects;
}

void SetEditWindowShell(EditWindowShell* shell) { EditObjects().shell = shell; }

void EditWindowList::Remove(const EditWindow& window) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), &window), windows_.end());
}

EditWindow* EditWindowList::FindOwner(HWND window) {
  for (EditWindow* w : windows_) {
    if (w->OwnsWindow(window)) return w;
  }
  return nullptr;
}

bool RegisterEditClass(EditorSettings& settings, bool reportFailure) {
  EditClassObjects& objects = EditObjects();
  objects.instance = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.style = kEditClassStyle;
  wc.lpfnWndProc = EditWindowProc;
  wc.hInstance = objects.instance;
  wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kEditClassName;
  if (RegisterClassA(&wc) == 0) {
    if (reportFailure) MessageBoxA(nullptr, kEditClassFailure, "系统错误", MB_OK | MB_ICONHAND);
    return false;
  }
  objects.registered = true;
  MakeDrawingObjects(settings);
  objects.hook.Reset(SetWindowsHookExA(WH_KEYBOARD, TabKeyHook, nullptr, GetCurrentThreadId()));
  return true;
}

void ReplaceEditDrawingObjects(EditorSettings& settings) {
  MakeDrawingObjects(settings);
  EnumThreadWindows(GetCurrentThreadId(), RemeasureEditWindows, 0);
  EnumThreadWindows(GetCurrentThreadId(), RepaintAll, 0);
}

void ReleaseEditClass() {
  EditClassObjects& objects = EditObjects();
  objects.cursorLineBrush.Reset();
  objects.backgroundBrush.Reset();
  ReleaseMeasuringFont(objects);
  objects.measureDc.Reset();
  objects.editFont.Reset();
  objects.hook.Reset();
  if (objects.registered) UnregisterClassA(kEditClassName, objects.instance);
  objects.registered = false;
}

// ---- EditWindow ----

EditWindow::EditWindow(CodeDocument& document) : document_(document) { document_.SetView(this); }

EditWindow::~EditWindow() {
  if (window_ != nullptr && IsWindow(window_)) DestroyWindow(window_);
  document_.SetView(nullptr);
}

bool EditWindow::CreateEditWindow(HWND parent, int left, int top, int width, int height) {
  window_ = CreateWindowExA(WS_EX_CLIENTEDGE, kEditClassName, "",
                            WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP, left, top, width,
                            height, parent, nullptr, EditObjects().instance, nullptr);
  return window_ != nullptr;
}

void EditWindow::MoveEditWindow(int left, int top, int width, int height) {
  if (window_ != nullptr && !StandsAt(window_, left, top, width, height)) {
    MoveWindow(window_, left, top, width, height, TRUE);
  }
}

void EditWindow::HideEditWindow() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

void EditWindow::ShowEditWindow() {
  if (window_ == nullptr) return;
  ShowWindow(window_, SW_SHOWNORMAL);
  if (EditWindowShell* shell = EditObjects().shell) shell->EditWindowShown(*this);
}

void EditWindow::FocusEditWindow() {
  if (window_ != nullptr) SetFocus(window_);
}

void EditWindow::CloseEditWindow() {
  if (window_ == nullptr) return;
  SendMessageA(window_, WM_CLOSE, 0, 0);
  if (!IsWindow(window_)) window_ = nullptr;
}

PixelSize EditWindow::MeasureText(std::string_view bytes) {
  // A DC of the screen's kind with the font kept selected measures as the
  // window's own DC does, without fetching and freeing one for every call.
  if (HDC dc = EditObjects().measureDc.Get()) return TextExtent(dc, bytes);
  return MeasureInWindow(window_, EditObjects().editFont.Get(), bytes);
}

PixelSize EditWindow::ClientSize() {
  RECT r{};
  if (window_ != nullptr) GetClientRect(window_, &r);
  return {r.right - r.left, r.bottom - r.top};
}

int EditWindow::GetScrollPos(ScrollBar bar) {
  return window_ != nullptr ? ::GetScrollPos(window_, BarOf(bar)) : 0;
}

// Either way the bar is drawn once the text is: without a redraw now, a thumb
// moved by undo would otherwise stay where it was until something else drew it.
void EditWindow::SetScrollPos(ScrollBar bar, int position, bool /*redraw*/) {
  if (window_ == nullptr || ::GetScrollPos(window_, BarOf(bar)) == position) return;
  ::SetScrollPos(window_, BarOf(bar), position, FALSE);
  BarChanged(bar);
}

// The scroll bars are set after every edit, mostly to what they already
// show; only a change reaches Windows, which (under Wine above all) redraws a
// bar it is given, changed or not, for several milliseconds a keystroke.
void EditWindow::ShowScrollBar(ScrollBar bar, bool show) {
  if (window_ == nullptr) return;
  const LONG_PTR style = GetWindowLongPtrA(window_, GWL_STYLE);
  const bool shown = (style & (bar == ScrollBar::Horizontal ? WS_HSCROLL : WS_VSCROLL)) != 0;
  if (shown != show) ::ShowScrollBar(window_, BarOf(bar), show);
}

void EditWindow::SetScrollRange(ScrollBar bar, int max, int page, bool /*redraw*/) {
  if (window_ == nullptr) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMin = 0;
  info.nMax = max;
  info.nPage = static_cast<UINT>(std::max(page, 0));
  SCROLLINFO shown{};
  shown.cbSize = sizeof shown;
  shown.fMask = SIF_RANGE | SIF_PAGE;
  if (GetScrollInfo(window_, BarOf(bar), &shown) && shown.nMin == info.nMin && shown.nMax == info.nMax &&
      shown.nPage == info.nPage) {
    return;
  }
  SetScrollInfo(window_, BarOf(bar), &info, FALSE);
  BarChanged(bar);
}

void EditWindow::BarChanged(ScrollBar bar) {
  barChanged_[BarIndex(bar)] = true;
  if (!redrawPosted_) redrawPosted_ = PostMessageA(window_, kRedrawScrollBarsMessage, 0, 0) != FALSE;
}

void EditWindow::ShowPendingChanges() {
  redrawPosted_ = false;
  if (window_ == nullptr) return;
  if (GetUpdateRect(window_, nullptr, FALSE)) UpdateWindow(window_);
  for (ScrollBar bar : {ScrollBar::Horizontal, ScrollBar::Vertical}) {
    bool& changed = barChanged_[BarIndex(bar)];
    if (!changed) continue;
    changed = false;
    // Set again as it stands, with the redraw that was held back.
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (GetScrollInfo(window_, BarOf(bar), &info)) SetScrollInfo(window_, BarOf(bar), &info, TRUE);
  }
}

void EditWindow::Invalidate() {
  if (window_ != nullptr) InvalidateRect(window_, nullptr, FALSE);
}

void EditWindow::InvalidateBand(int top, int bottom) { InvalidateArea(0, top, ClientSize().width, bottom); }

void EditWindow::InvalidateArea(int left, int top, int right, int bottom) {
  if (window_ == nullptr) return;
  const RECT area{left, top, right, bottom};
  InvalidateRect(window_, &area, FALSE);
}

// The picture moves within the window; what is uncovered joins the update
// region, as does any part still waiting for its paint (moved along with it).
void EditWindow::ShiftRows(int left, int from, int dy) {
  if (window_ == nullptr) return;
  RECT client{};
  GetClientRect(window_, &client);
  const RECT moved{left, from, client.right, client.bottom};
  const RECT within{left, std::min(from, from + dy), client.right, client.bottom};
  ScrollWindowEx(window_, 0, dy, &moved, &within, nullptr, nullptr, SW_INVALIDATE);
}

void EditWindow::CreateCaret(int height) {
  if (window_ == nullptr) return;
  ::CreateCaret(window_, nullptr, 1, height);
  ShowCaret(window_);
}

bool EditWindow::HoldsCaret() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return window_ != nullptr && GetGUIThreadInfo(GetCurrentThreadId(), &info) && info.hwndCaret == window_;
}

void EditWindow::SetCaretPos(int x, int y) {
  // The thread has one caret; a window that does not hold it leaves it alone.
  if (HoldsCaret()) ::SetCaretPos(x, y);
}

}  // namespace quillet
