// The modeless dialogs of the program. The message loop offers each message
// to them (IsDialogMessage), so Tab, Enter and Esc work inside them as in a
// modal dialog. A dialog adds itself when it is created and removes itself at
// WM_DESTROY.
#pragma once

#include <windows.h>

namespace quillet {

void AddModelessDialog(HWND dialog);
void RemoveModelessDialog(HWND dialog);
// True when msg belonged to one of the dialogs and was handled by it.
bool HandleModelessDialogMessage(MSG& msg);

}  // namespace quillet
