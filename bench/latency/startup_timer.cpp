// startup_timer RUNS PROGRAM...: starts each program RUNS times (taking turns,
// after one unmeasured start each to warm the caches) with
// "--latency-startup FILE", and prints for each the median time from
// CreateProcess to its painted main window, and the part of it spent after
// the program's own code was entered. The first program's medians are then
// set against the last one's.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "latency/startup_report_win32.h"

namespace {

using quillet::latency::Ticks;
using quillet::latency::TicksToMs;

struct Timing {
  double launchMs = 0;  // CreateProcess to painted
  double insideMs = 0;  // program entered to painted
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

bool StartOnce(const std::string& program, Timing& timing) {
  const std::string report = "startup_report.txt";
  DeleteFileA(report.c_str());
  std::string command = "\"" + program + "\" " + quillet::latency::kStartupSwitch + " " + report;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  const LONGLONG launched = Ticks();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "startup_timer: cannot start %s\n", program.c_str());
    return false;
  }
  const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  long long entered = 0, painted = 0;
  std::FILE* file = std::fopen(report.c_str(), "r");
  const bool read = file != nullptr && std::fscanf(file, "%lld %lld", &entered, &painted) == 2;
  if (file != nullptr) std::fclose(file);
  if (!ended || !read) {
    std::fprintf(stderr, "startup_timer: %s did not report a painted window\n", program.c_str());
    return false;
  }
  timing.launchMs = TicksToMs(painted - launched);
  timing.insideMs = TicksToMs(painted - entered);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_timer RUNS PROGRAM...\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  const std::vector<std::string> programs(argv + 2, argv + argc);
  std::vector<std::vector<double>> launch(programs.size()), inside(programs.size());
  for (int run = -1; run < runs; ++run) {
    for (std::size_t p = 0; p < programs.size(); ++p) {
      Timing timing;
      if (!StartOnce(programs[p], timing)) return 1;
      if (run < 0) continue;
      launch[p].push_back(timing.launchMs);
      inside[p].push_back(timing.insideMs);
    }
  }
  for (std::size_t p = 0; p < programs.size(); ++p) {
    std::printf("start-up %-40s launch to painted %8.1f ms   entered to painted %8.1f ms   (median of %d)\n",
                programs[p].c_str(), Median(launch[p]), Median(inside[p]), runs);
  }
  if (programs.size() > 1) {
    std::printf("start-up ratio (first / last): launch %.2f   entered %.2f\n",
                Median(launch.front()) / Median(launch.back()), Median(inside.front()) / Median(inside.back()));
  }
  return 0;
}
