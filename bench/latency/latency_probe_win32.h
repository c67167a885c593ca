// The timing build of the editor (CMake option QUILLET_LATENCY_PROBE): WinMain
// hands over the shown main window, and the command line decides what is
// timed. Without one of the switches below the program runs as usual.
//   --latency-startup FILE             write when the main window was painted, then end
//   --latency-keys FILE DOCUMENT COUNT open DOCUMENT, type COUNT characters in its
//                                      middle line, write the time from each WM_CHAR
//                                      entering the edit window to the end of the
//                                      paint that shows it, then end
#pragma once

#include <windows.h>

namespace quillet {

void StartLatencyProbe(HWND main);

}  // namespace quillet
