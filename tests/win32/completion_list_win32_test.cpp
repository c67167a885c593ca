#include "editor/completion_list_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

namespace quillet {
namespace {

// Hiding the list leaves what it covered to be painted: the window beneath
// has exactly the uncovered part of its client invalid, and the list is gone.
TEST(CompletionListWin32, HidingInvalidatesWhatTheListCovered) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr,
                                nullptr, instance, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND beneath = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 300, 200, parent,
                                 nullptr, instance, nullptr);
  HWND list = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 10, 10, parent, nullptr,
                              instance, nullptr);
  ASSERT_TRUE(beneath && list);
  SetWindowPos(list, HWND_TOP, 50, 60, kCompletionListWidth, kCompletionListHeight, SWP_SHOWWINDOW);
  UpdateWindow(parent);
  ValidateRect(beneath, nullptr);

  CompletionListWin32 view(list);
  view.Hide();
  EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & WS_VISIBLE, 0);
  RECT invalid{};
  ASSERT_TRUE(GetUpdateRect(beneath, &invalid, FALSE));
  // The list's rectangle in the client of the window beneath.
  const RECT expected{40, 50, 40 + kCompletionListWidth, 50 + kCompletionListHeight};
  EXPECT_TRUE(EqualRect(&invalid, &expected)) << invalid.left << "," << invalid.top << " " << invalid.right << ","
                                              << invalid.bottom;
  view.Hide();  // hiding a hidden list changes nothing
  DestroyWindow(parent);
}

}  // namespace
}  // namespace quillet
