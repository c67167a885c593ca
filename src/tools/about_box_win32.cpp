#include "tools/about_box_win32.h"

#include <string>

#include "common/images_win32.h"
#include "common/pixel_dialog_win32.h"
#include "common/resources.h"

namespace quillet {
namespace {

constexpr int kWidth = 368;
constexpr int kHeight = 190;

constexpr char kAboutText[] = "版本：v2.8 正式版\r\n\r\n支持PowerBASIC 8.03版编译器和函数关键字。";

struct AboutBoxArgs {
  std::string baseCaption;
  HBITMAP logo;
};

void InitAboutBox(HWND dialog, const AboutBoxArgs& args) {
  SetWindowTextA(dialog, kAboutCaption);
  PlaceDialog(dialog, kWidth, kHeight);
  AddDialogUnit(dialog, "STATIC", args.baseCaption.c_str(), SS_LEFT | SS_NOPREFIX, {16, 8, 192, 24},
                kAboutTitleId);
  AddDialogUnit(dialog, "STATIC", kAboutText, SS_LEFT | SS_NOPREFIX, {16, 40, 248, 88}, kAboutTextId);
  HWND logo = AddDialogUnit(dialog, "STATIC", "", SS_BITMAP, {288, 3, 72, 69}, kAboutLogoId);
  if (args.logo) SendMessageA(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(args.logo));
  HWND close = AddDialogUnit(dialog, "BUTTON", "确定", WS_TABSTOP | BS_DEFPUSHBUTTON, {272, 128, 80, 24},
                             kAboutCloseId);
  SetFocus(close);
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        InitAboutBox(dialog, *reinterpret_cast<const AboutBoxArgs*>(lParam));
        return FALSE;  // the focus is set
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
          EndDialog(dialog, IDOK);
          return TRUE;
        }
        return FALSE;
      default:
        return FALSE;
    }
  } catch (...) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
}

}  // namespace

void ShowAboutBox(HWND owner, HINSTANCE instance, std::string_view baseCaption) {
  BitmapHandle logo = LoadFaceBitmap(instance, kLogoResource);  // lives until the box is closed
  AboutBoxArgs args{std::string(baseCaption), logo.Get()};
  RunPixelDialog(instance, owner, AboutBoxProc, reinterpret_cast<LPARAM>(&args));
}

}  // namespace quillet
