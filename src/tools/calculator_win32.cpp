#include "tools/calculator_win32.h"

#include <windows.h>

#include <string>

namespace quillet {

bool StartProgram(std::string_view commandLine) {
  std::string line(commandLine);  // CreateProcessA may write into its command line
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

void StartCalculator() { StartProgram("calc.exe"); }

}  // namespace quillet
