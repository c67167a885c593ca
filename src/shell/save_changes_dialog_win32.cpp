#include "shell/save_changes_dialog_win32.h"

#include "common/images_win32.h"
#include "common/pixel_dialog_win32.h"
#include "common/resources.h"
#include "shell/documents.h"

namespace quillet {
namespace {

constexpr const char* kButtonCaptions[] = {"是", "全是", "否", "全否", "取消"};

struct SaveChangesArgs {
  const std::string* question;
  HBITMAP picture;
};

void InitSaveChanges(HWND dialog, const SaveChangesArgs& args) {
  SetWindowTextA(dialog, kModifiedCaption);
  PlaceDialog(dialog, kSaveChangesWidth, kSaveChangesHeight);
  HWND picture = AddDialogUnit(dialog, "STATIC", "", SS_BITMAP, {8, 8, 64, 56}, kSaveChangesPictureId);
  if (args.picture) {
    SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(args.picture));
    MoveWindow(picture, 8, 8, 64, 56, FALSE);  // a bitmap static sizes itself to its picture
  }
  AddDialogUnit(dialog, "STATIC", args.question->c_str(), SS_LEFT | SS_NOPREFIX, {72, 16, 312, 48},
                kSaveChangesTextId);
  for (int k = 0; k < 5; ++k) {
    const DWORD style = WS_TABSTOP | (k == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    AddDialogUnit(dialog, "BUTTON", kButtonCaptions[k], style, {8 + 80 * k, 72, 72, 24},
                  kSaveChangesFirstButton + k);
  }
  SetFocus(GetDlgItem(dialog, kSaveChangesFirstButton));
  MessageBeep(MB_OK);
}

INT_PTR CALLBACK SaveChangesProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        InitSaveChanges(dialog, *reinterpret_cast<const SaveChangesArgs*>(lParam));
        return FALSE;  // the focus is set
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id >= kSaveChangesFirstButton && id < kSaveChangesFirstButton + 5) {
          EndDialog(dialog, id - kSaveChangesFirstButton + 1);
          return TRUE;
        }
        if (id == IDOK) {  // Enter: the default button
          EndDialog(dialog, kSaveThis);
          return TRUE;
        }
        if (id == IDCANCEL) {  // Esc or the title bar's close box
          EndDialog(dialog, kCancelClose);
          return TRUE;
        }
        return FALSE;
      }
      default:
        return FALSE;
    }
  } catch (...) {
    EndDialog(dialog, kCancelClose);
    return TRUE;
  }
}

}  // namespace

int ShowSaveChangesDialog(HWND owner, HINSTANCE instance, const std::string& question) {
  BitmapHandle picture = LoadFaceBitmap(instance, kQuestionResource);  // lives until the dialog is closed
  SaveChangesArgs args{&question, picture.Get()};
  const INT_PTR answer = RunPixelDialog(instance, owner, SaveChangesProc, reinterpret_cast<LPARAM>(&args));
  return answer >= kSaveThis && answer <= kCancelClose ? static_cast<int>(answer) : kCancelClose;
}

}  // namespace quillet
