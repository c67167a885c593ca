#include "platform/message_boxes_win32.h"

namespace quillet {

void MessageBoxes::Inform(const std::string& text) {
  MessageBoxA(IsWindow(owner_) ? owner_ : nullptr, text.c_str(), caption_.c_str(), MB_ICONINFORMATION | MB_OK);
}

bool MessageBoxes::AskYesNo(const std::string& text, const std::string& caption) {
  return MessageBoxA(IsWindow(owner_) ? owner_ : nullptr, text.c_str(), caption.c_str(), MB_ICONQUESTION | MB_YESNO) ==
         IDYES;
}

YesNoCancel AskYesNoCancel(HWND owner, const std::string& text, const char* caption) {
  switch (MessageBoxA(owner, text.c_str(), caption, MB_ICONASTERISK | MB_YESNOCANCEL)) {
    case IDYES:
      return YesNoCancel::Yes;
    case IDNO:
      return YesNoCancel::No;
    default:
      return YesNoCancel::Cancel;
  }
}

}  // namespace quillet
