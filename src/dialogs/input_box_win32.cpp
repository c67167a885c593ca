#include "dialogs/input_box_win32.h"

#include <vector>

#include "common/pixel_dialog_win32.h"

namespace quillet {
namespace {

constexpr int kClientWidth = 330;
constexpr int kClientHeight = 122;
constexpr int kMaxTextBytes = 255;

struct InputBoxArgs {
  const char* caption;
  const char* prompt;
  std::string text;
};

void InitInputBox(HWND box, const InputBoxArgs& args) {
  SetWindowTextA(box, args.caption);
  RECT outer{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&outer, DWORD(GetWindowLongPtrA(box, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrA(box, GWL_EXSTYLE)));
  PlaceDialog(box, outer.right - outer.left, outer.bottom - outer.top);
  AddDialogUnit(box, "STATIC", args.prompt, SS_LEFT | SS_NOPREFIX, {12, 12, 306, 34}, kInputBoxPromptId);
  HWND edit = AddDialogUnit(box, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {12, 50, 306, 22},
                            kInputBoxEditId);
  SendMessageA(edit, EM_LIMITTEXT, kMaxTextBytes, 0);
  AddDialogUnit(box, "BUTTON", "确定", WS_TABSTOP | BS_DEFPUSHBUTTON, {154, 86, 78, 26}, IDOK);
  AddDialogUnit(box, "BUTTON", "取消", WS_TABSTOP | BS_PUSHBUTTON, {240, 86, 78, 26}, IDCANCEL);
  SetFocus(edit);
}

INT_PTR CALLBACK InputBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        SetWindowLongPtrA(box, DWLP_USER, lParam);
        InitInputBox(box, *reinterpret_cast<const InputBoxArgs*>(lParam));
        return FALSE;  // the focus is set
      case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
          auto& args = *reinterpret_cast<InputBoxArgs*>(GetWindowLongPtrA(box, DWLP_USER));
          std::vector<char> text(kMaxTextBytes + 1, '\0');
          GetDlgItemTextA(box, kInputBoxEditId, text.data(), int(text.size()));
          args.text = text.data();
          EndDialog(box, IDOK);
          return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
          EndDialog(box, IDCANCEL);
          return TRUE;
        }
        return FALSE;
      default:
        return FALSE;
    }
  } catch (...) {
    EndDialog(box, IDCANCEL);
    return TRUE;
  }
}

}  // namespace

std::optional<std::string> AskText(HWND owner, const char* caption, const char* prompt) {
  InputBoxArgs args{caption, prompt, {}};
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  if (RunPixelDialog(instance, owner, InputBoxProc, reinterpret_cast<LPARAM>(&args)) != IDOK)
    return std::nullopt;
  return args.text;
}

}  // namespace quillet
