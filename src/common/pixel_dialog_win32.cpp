#include "common/pixel_dialog_win32.h"

namespace quillet {
namespace {

struct alignas(4) EmptyDialogTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

}  // namespace

INT_PTR RunPixelDialog(HINSTANCE instance, HWND owner, DLGPROC proc, LPARAM param) {
  EmptyDialogTemplate dialog{};
  dialog.header.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  dialog.header.cx = 240;  // replaced by the pixel size when the dialog opens
  dialog.header.cy = 110;
  return DialogBoxIndirectParamA(instance, &dialog.header, owner, proc, param);
}

void PlaceDialog(HWND dialog, int width, int height) {
  RECT area{};
  HWND owner = GetWindow(dialog, GW_OWNER);
  if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const int left = area.left + ((area.right - area.left) - width) / 2;
  const int top = area.top + ((area.bottom - area.top) - height) / 2;
  SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND AddDialogUnit(HWND dialog, const char* className, const char* text, DWORD style, RECT box, int id) {
  HWND unit =
      CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.right,
                      box.bottom, dialog, reinterpret_cast<HMENU>(INT_PTR(id)),
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)), nullptr);
  SendMessageA(unit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return unit;
}

}  // namespace quillet
