// Whether a child window already stands at a rectangle of its parent's
// client. Arranging leaves such a window alone: a move to the same place
// still costs messages and, under Wine, a redraw of the window's frame.
#pragma once

#include <windows.h>

namespace quillet {

inline bool StandsAt(HWND window, int left, int top, int width, int height) {
  RECT now{};
  if (!GetWindowRect(window, &now)) return false;
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  return now.left == left && now.top == top && now.right - now.left == width && now.bottom - now.top == height;
}

}  // namespace quillet
