// Program entry: build the process-wide tables, show the main window, run the
// message loop.
#include <windows.h>

#include "shell/main_window_win32.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (!quillet::RegisterMainWindowClass(instance)) return 1;
  HWND main = quillet::CreateMainWindow(instance);
  if (!main) return 1;
  ShowWindow(main, showCommand);
  UpdateWindow(main);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
