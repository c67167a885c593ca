// Delivers every message waiting for this thread, as a running message loop would.
#pragma once

#include <windows.h>

namespace quillet {

// True when a WM_QUIT was among them.
inline bool DrainMessages() {
  MSG msg;
  bool quit = false;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) quit = true;
    DispatchMessageA(&msg);
  }
  return quit;
}

}  // namespace quillet
