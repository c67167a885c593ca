#include "shell/splitter_win32.h"

#include "shell/layout.h"

namespace quillet {
namespace {

constexpr char kSplitterClass[] = "QuilletSplitter";

// One drag at a time: the mouse is captured by the bar being dragged.
struct Drag {
  HWND bar = nullptr;
  POINT startMouse{};   // parent client coordinates
  POINT startOrigin{};  // the bar's top-left, parent client coordinates
};
Drag gDrag;

SplitterAxis AxisOf(HWND bar) {
  return GetWindowLongPtrA(bar, GWLP_USERDATA) ? SplitterAxis::kHorizontal : SplitterAxis::kVertical;
}

POINT InParent(HWND bar, LPARAM lParam) {
  POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  MapWindowPoints(bar, GetParent(bar), &p, 1);
  return p;
}

void BeginDrag(HWND bar, LPARAM lParam) {
  RECT r{};
  GetWindowRect(bar, &r);
  MapWindowPoints(nullptr, GetParent(bar), reinterpret_cast<POINT*>(&r), 2);
  gDrag = {bar, InParent(bar, lParam), {r.left, r.top}};
  SetCapture(bar);
}

void ReportDrag(HWND bar, LPARAM lParam) {
  const POINT now = InParent(bar, lParam);
  const LPARAM farEdge = AxisOf(bar) == SplitterAxis::kVertical
                             ? gDrag.startOrigin.x + (now.x - gDrag.startMouse.x) + kSplitterThickness
                             : gDrag.startOrigin.y + (now.y - gDrag.startMouse.y) + kSplitterThickness;
  SendMessageA(GetParent(bar), kSplitterMovedMessage, GetDlgCtrlID(bar), farEdge);
}

LRESULT CALLBACK SplitterProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_SETCURSOR:
        SetCursor(LoadCursorA(nullptr, AxisOf(bar) == SplitterAxis::kVertical ? IDC_SIZEWE : IDC_SIZENS));
        return TRUE;
      case WM_LBUTTONDOWN:
        BeginDrag(bar, lParam);
        return 0;
      case WM_MOUSEMOVE:
        if (gDrag.bar == bar) ReportDrag(bar, lParam);
        return 0;
      case WM_LBUTTONUP:
        if (gDrag.bar == bar) {
          ReportDrag(bar, lParam);
          gDrag = {};
          ReleaseCapture();
        }
        return 0;
      case WM_CAPTURECHANGED:
        if (gDrag.bar == bar) gDrag = {};
        return 0;
      default:
        return DefWindowProcA(bar, message, wParam, lParam);
    }
  } catch (...) {
    gDrag = {};
    return 0;
  }
}

}  // namespace

bool RegisterSplitterClass(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, kSplitterClass, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = SplitterProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kSplitterClass;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateSplitter(HWND parent, int id, SplitterAxis axis) {
  HWND bar = CreateWindowExA(0, kSplitterClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  if (bar) SetWindowLongPtrA(bar, GWLP_USERDATA, axis == SplitterAxis::kHorizontal ? 1 : 0);
  return bar;
}

}  // namespace quillet
