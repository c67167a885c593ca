// The modifier keys held right now, as one mask: Ctrl 1, Shift 2, Alt 4 (the
// editor's ModifierMask and the accelerator tables' KeyModifier use these bits).
#pragma once

#include <windows.h>

namespace quillet {

inline int HeldModifiers() {
  int mask = 0;
  if (GetKeyState(VK_CONTROL) < 0) mask |= 1;
  if (GetKeyState(VK_SHIFT) < 0) mask |= 2;
  if (GetKeyState(VK_MENU) < 0) mask |= 4;
  return mask;
}

}  // namespace quillet
