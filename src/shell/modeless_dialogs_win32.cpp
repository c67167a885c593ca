#include "shell/modeless_dialogs_win32.h"

#include <algorithm>
#include <vector>

namespace quillet {
namespace {

std::vector<HWND>& Dialogs() {
  static std::vector<HWND> dialogs;
  return dialogs;
}

}  // namespace

void AddModelessDialog(HWND dialog) {
  if (dialog && std::find(Dialogs().begin(), Dialogs().end(), dialog) == Dialogs().end()) {
    Dialogs().push_back(dialog);
  }
}

void RemoveModelessDialog(HWND dialog) {
  Dialogs().erase(std::remove(Dialogs().begin(), Dialogs().end(), dialog), Dialogs().end());
}

bool HandleModelessDialogMessage(MSG& msg) {
  // A copy: a dialog may close (and remove itself) while it handles the message.
  const std::vector<HWND> dialogs = Dialogs();
  for (HWND dialog : dialogs) {
    if (IsWindow(dialog) && (msg.hwnd == dialog || IsChild(dialog, msg.hwnd)) && IsDialogMessageA(dialog, &msg)) {
      return true;
    }
  }
  return false;
}

}  // namespace quillet
