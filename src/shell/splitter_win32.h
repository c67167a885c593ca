// A splitter bar: a thin child window that the user drags with the mouse.
// While it is dragged it tells its parent where its far edge (right edge of
// a vertical bar, bottom edge of a horizontal one) would now lie; the parent
// moves the bar itself when it lays out again.
#pragma once

#include <windows.h>

namespace quillet {

// Sent to the parent while a splitter is dragged: wParam = the splitter's
// control id, lParam = the new far edge in the parent's client coordinates.
inline constexpr UINT kSplitterMovedMessage = WM_APP + 0x5110;

enum class SplitterAxis { kVertical, kHorizontal };  // vertical: dragged left and right

bool RegisterSplitterClass(HINSTANCE instance);
HWND CreateSplitter(HWND parent, int id, SplitterAxis axis);

}  // namespace quillet
