#include "tools/about_box_win32.h"

#include <string>

#include "common/images_win32.h"
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

// An empty dialog: the units are made as child windows at exact pixel
// positions, which dialog units cannot express.
struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

HWND AddUnit(HWND dialog, const char* className, const char* text, DWORD style, RECT box, int id) {
  HWND unit = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.right,
                              box.bottom, dialog, reinterpret_cast<HMENU>(INT_PTR(id)),
                              reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
  SendMessageA(unit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return unit;
}

// Outer size 368 x 190, centred over the owner (or the screen).
void PlaceDialog(HWND dialog) {
  RECT area{};
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  int left = area.left + ((area.right - area.left) - kWidth) / 2;
  int top = area.top + ((area.bottom - area.top) - kHeight) / 2;
  SetWindowPos(dialog, nullptr, left, top, kWidth, kHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InitAboutBox(HWND dialog, const AboutBoxArgs& args) {
  SetWindowTextA(dialog, kAboutCaption);
  PlaceDialog(dialog);
  AddUnit(dialog, "STATIC", args.baseCaption.c_str(), SS_LEFT | SS_NOPREFIX, {16, 8, 192, 24}, kAboutTitleId);
  AddUnit(dialog, "STATIC", kAboutText, SS_LEFT | SS_NOPREFIX, {16, 40, 248, 88}, kAboutTextId);
  HWND logo = AddUnit(dialog, "STATIC", "", SS_BITMAP, {288, 3, 72, 69}, kAboutLogoId);
  if (args.logo) SendMessageA(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(args.logo));
  HWND close = AddUnit(dialog, "BUTTON", "确定", WS_TABSTOP | BS_DEFPUSHBUTTON, {272, 128, 80, 24}, kAboutCloseId);
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
  EmptyDialogTemplate dialog{};
  dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  dialog.header.cx = 240;  // replaced by the pixel size when the box opens
  dialog.header.cy = 110;
  DialogBoxIndirectParamA(instance, &dialog.header, owner, AboutBoxProc, reinterpret_cast<LPARAM>(&args));
}

}  // namespace quillet
