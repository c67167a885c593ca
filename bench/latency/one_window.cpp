// The smallest Win32 program with a main window: a class, one overlapping
// window, the message loop. Started with "--latency-startup FILE" it reports
// when its window is painted and ends, as the editor's timing build does, so
// the editor's start-up can be set beside it.
#include <windows.h>

#include "latency/startup_report_win32.h"

namespace {

const LONGLONG gEntered = quillet::latency::Ticks();

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "OneWindow";
  if (RegisterClassA(&wc) == 0) return 1;
  HWND main = CreateWindowExA(0, wc.lpszClassName, "One window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              800, 600, nullptr, nullptr, instance, nullptr);
  if (main == nullptr) return 1;
  ShowWindow(main, showCommand);
  UpdateWindow(main);
  if (const char* report = quillet::latency::ArgumentAfter(quillet::latency::kStartupSwitch)) {
    ExitProcess(quillet::latency::ReportPainted(main, gEntered, report) ? 0 : 1);
  }
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
