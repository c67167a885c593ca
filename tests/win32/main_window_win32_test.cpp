#include "shell/main_window_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

TEST(MainWindow, OpensWithCaptionAndDefaultGeometryAndCloses) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  ASSERT_TRUE(RegisterMainWindowClass(instance) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
  HWND window = CreateMainWindow(instance);
  ASSERT_NE(window, nullptr);
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  EXPECT_EQ(std::string(caption), "Quillet 2.8正式版");
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 690);
  EXPECT_EQ(r.bottom - r.top, 480);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) quit = quit || msg.message == WM_QUIT;
  EXPECT_TRUE(quit);
}

TEST(Win32Environment, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }

}  // namespace
}  // namespace quillet
