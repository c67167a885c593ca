#include "shell/main_window_win32.h"

namespace quillet {
namespace {

// Default geometry of the main window (outer rectangle).
constexpr int kDefaultLeft = 50;
constexpr int kDefaultTop = 50;
constexpr int kDefaultWidth = 690;
constexpr int kDefaultHeight = 480;

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // No C++ exception may cross into Windows.
  try {
    return HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
  return CreateWindowExA(0, kMainWindowClass, kBaseCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight, nullptr, nullptr,
                         instance, nullptr);
}

}  // namespace quillet
