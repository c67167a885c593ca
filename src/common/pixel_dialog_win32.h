// Modal dialogs laid out in pixels. A dialog template measures in dialog
// units, which cannot put a unit at an exact pixel; these dialogs start empty
// and make their units as child windows at pixel positions when they open.
#pragma once

#include <windows.h>

namespace quillet {

// Opens an empty modal dialog with caption and system menu; proc builds its
// units on WM_INITDIALOG (lParam = param). Returns EndDialog's value, -1 when
// the dialog could not be made.
INT_PTR RunPixelDialog(HINSTANCE instance, HWND owner, DLGPROC proc, LPARAM param);

// Outer size width x height, centred over the owner (or the work area).
void PlaceDialog(HWND dialog, int width, int height);

// A visible child unit at box = {left, top, width, height} (client pixels),
// in the default GUI font.
HWND AddDialogUnit(HWND dialog, const char* className, const char* text, DWORD style, RECT box, int id);

}  // namespace quillet
