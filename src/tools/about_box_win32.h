// The about box 关于本软件: product name, version, supported compiler, logo.
#pragma once

#include <windows.h>

#include <string_view>

namespace quillet {

inline constexpr char kAboutCaption[] = "关于本软件";

// Control identifiers of the about box's units.
enum AboutControl : int {
  kAboutTextId = 101,   // label: version and supported compiler
  kAboutTitleId = 102,  // label: the main window's base caption
  kAboutLogoId = 103,   // 图片框1: the logo
  kAboutCloseId = IDOK  // the 确定 button
};

// Shows the about box modally over owner until 确定 (or Esc, or the close box).
// baseCaption is the main window's caption as the program named it.
void ShowAboutBox(HWND owner, HINSTANCE instance, std::string_view baseCaption);

}  // namespace quillet
