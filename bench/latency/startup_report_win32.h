// What a program started with "--latency-startup FILE" writes once its main
// window is on the screen: the performance counter when the program was
// entered and when the window with all its children had been painted. The
// editor's timing build and the one-window program share it, so both are
// measured at the same point.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>  // __argc, __argv
#include <cstring>

namespace quillet::latency {

inline constexpr char kStartupSwitch[] = "--latency-startup";

inline LONGLONG Ticks() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

inline double TicksToMs(LONGLONG ticks) {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// The argument after name on the command line, or null.
inline const char* ArgumentAfter(const char* name, int offset = 1) {
  for (int i = 1; i + offset < __argc; ++i) {
    if (std::strcmp(__argv[i], name) == 0) return __argv[i + offset];
  }
  return nullptr;
}

// Paints whatever of the window is still unpainted, then writes "entered
// painted" to path. False when the file cannot be written.
inline bool ReportPainted(HWND main, LONGLONG entered, const char* path) {
  RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
  const LONGLONG painted = Ticks();
  std::FILE* file = std::fopen(path, "w");
  if (file == nullptr) return false;
  std::fprintf(file, "%lld %lld\n", entered, painted);
  return std::fclose(file) == 0;
}

}  // namespace quillet::latency
