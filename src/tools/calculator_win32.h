// The 计算器 command: the system calculator, started and left to itself.
#pragma once

#include <string_view>

namespace quillet {

// Starts commandLine (the program found through the search path) without
// waiting for it; false when it could not be started.
bool StartProgram(std::string_view commandLine);

// Starts "calc.exe". Whether it started is of no concern to the caller.
void StartCalculator();

}  // namespace quillet
