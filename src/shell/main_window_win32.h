// The main window of the editor: creation, layout and shutdown.
#pragma once

#include <windows.h>

namespace quillet {

inline constexpr char kMainWindowClass[] = "QuilletMainWindow";
inline constexpr char kBaseCaption[] = "Quillet 2.8正式版";

// Registers the main window class; false when Windows refuses.
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window at its default geometry; nullptr on failure.
HWND CreateMainWindow(HINSTANCE instance);

}  // namespace quillet
