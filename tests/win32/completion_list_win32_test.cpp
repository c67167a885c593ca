#include "editor/completion_list_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

namespace quillet {
namespace {

// Hiding the list leaves what it covered to be painted: the window beneath
// has exactly the uncovered part of its client invalid (a window inside a
// panel too), and the list is gone.
TEST(CompletionListWin32, HidingInvalidatesWhatTheListCovered) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr,
                                nullptr, instance, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND beneath = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 10, 10, 300, 200, parent,
                                 nullptr, instance, nullptr);
  // A panel holding a box of its own, as the help box sits in its panel.
  HWND panel = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 10, 220,
                               300, 70, parent, nullptr, instance, nullptr);
  HWND box = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 70, panel, nullptr, instance, nullptr);
  HWND list = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 10, 10, parent, nullptr,
                              instance, nullptr);
  ASSERT_TRUE(beneath && panel && box && list);
  SetWindowPos(list, HWND_TOP, 50, 150, kCompletionListWidth, kCompletionListHeight, SWP_SHOWWINDOW);
  UpdateWindow(parent);
  for (HWND w : {beneath, panel, box}) ValidateRect(w, nullptr);

  CompletionListWin32 view(list);
  view.Hide();
  EXPECT_EQ(GetWindowLongPtrA(list, GWL_STYLE) & WS_VISIBLE, 0);
  // The list's rectangle (50,150)-(218,270) in the clients beneath it.
  const auto invalidPart = [](HWND window) {
    RECT r{};
    return GetUpdateRect(window, &r, FALSE) ? r : RECT{};
  };
  const RECT inBeneath{40, 140, 40 + kCompletionListWidth, 200};
  const RECT inBox{40, 0, 40 + kCompletionListWidth, 50};
  const RECT beneathPart = invalidPart(beneath), boxPart = invalidPart(box);
  EXPECT_TRUE(EqualRect(&beneathPart, &inBeneath));
  EXPECT_TRUE(EqualRect(&boxPart, &inBox));
  view.Hide();  // hiding a hidden list changes nothing
  DestroyWindow(parent);
}

}  // namespace
}  // namespace quillet
