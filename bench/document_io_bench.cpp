// Loading and saving a 100 MB, 2,000,000-line GBK file, beside a plain read and
// write of the same bytes, and the memory a loaded document takes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "editor/code_document.h"
#include "platform/std_file_system.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

constexpr int kLines = 2'000'000;

struct Fixture {
  fs::path folder;
  std::string source;  // the generated file
  std::uintmax_t bytes = 0;
  EditorSettings settings;
  StdFileSystem files;
  EditorContext context{settings, files};
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

// Lines of 20 to 81 bytes (about 52 with CR LF): indentation TABs, ASCII code
// and two-byte characters, written a megabyte at a time.
void Generate(const std::string& path) {
  std::mt19937 random(7);
  auto below = [&random](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  static constexpr char kCode[] = "FUNCTION x = y + 1 ' IF THEN ELSE abc DIM AS LONG ()";
  std::ofstream out(path, std::ios::binary);
  std::string chunk;
  for (int i = 0; i < kLines; ++i) {
    const int length = 20 + below(62);
    std::string line(static_cast<std::size_t>(below(4)), '\t');
    while (static_cast<int>(line.size()) < length) {
      if (below(4) == 0 && static_cast<int>(line.size()) + 2 <= length) {
        line += static_cast<char>(0xB0 + below(0x48));
        line += static_cast<char>(0xA1 + below(0x5E));
      } else {
        line += kCode[below(sizeof kCode - 1)];
      }
    }
    chunk += line;
    chunk += "\r\n";
    if (chunk.size() > (1 << 20)) {
      out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
      chunk.clear();
    }
  }
  out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
}

long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    long value = 0;
    if (key == field && status >> value) return value;
    status.ignore(1 << 10, '\n');
  }
  return -1;
}

std::string ReadRaw(const std::string& path) {
  std::string bytes(static_cast<std::size_t>(fs::file_size(path)), '\0');
  std::FILE* file = std::fopen(path.c_str(), "rb");
  const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
  bytes.resize(got);
  return bytes;
}

void BM_RawRead(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    std::string bytes = ReadRaw(f.source);
    benchmark::DoNotOptimize(bytes.data());
    state.PauseTiming();
    bytes = std::string();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

void BM_LoadFile(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = std::make_unique<CodeDocument>(f.context);
    state.ResumeTiming();
    SourceKind kind;
    if (!doc->LoadFile(f.source, kind) || doc->lineCount != kLines + 1) state.SkipWithError("load failed");
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

// Writing rounds either go over the file of the last round (as a save in place
// would) or, with "fresh", into a new file.
void RemoveUntimed(benchmark::State& state, const std::string& path) {
  state.PauseTiming();
  fs::remove(path);
  state.ResumeTiming();
}

void BM_RawWrite(benchmark::State& state) {
  Fixture& f = Shared();
  const bool fresh = state.range(0) != 0;
  const std::string bytes = ReadRaw(f.source);
  const std::string target = (f.folder / "raw-out.txt").string();
  for (auto _ : state) {
    if (fresh) RemoveUntimed(state, target);
    std::FILE* file = std::fopen(target.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
}

void BM_SaveFile(benchmark::State& state) {
  Fixture& f = Shared();
  const bool fresh = state.range(0) != 0;
  CodeDocument doc(f.context);
  SourceKind kind;
  doc.LoadFile(f.source, kind);
  const std::string target = (f.folder / "saved.txt").string();
  for (auto _ : state) {
    if (fresh) RemoveUntimed(state, target);
    if (!doc.SaveFile(target)) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes));
  if (fs::file_size(target) != f.bytes) state.SkipWithError("saved file differs in size");
}

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RawWrite)->ArgName("fresh")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveFile)->ArgName("fresh")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Prints the load/read and save/write ratios after the usual table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      // The median when repetitions are asked for, else the single run.
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (median || run.run_type == Run::RT_Iteration) {
        times_[run.run_name.function_name + run.run_name.args] = run.GetAdjustedRealTime();
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    auto ratio = [this](const char* a, const char* b) {
      return times_.count(a) && times_.count(b) && times_[b] > 0 ? times_[a] / times_[b] : 0.0;
    };
    std::printf("LoadFile / raw read:  %.2f\n", ratio("BM_LoadFile", "BM_RawRead"));
    std::printf("SaveFile / raw write, over the old file: %.2f\n", ratio("BM_SaveFilefresh:0", "BM_RawWritefresh:0"));
    std::printf("SaveFile / raw write, into a new file:   %.2f\n", ratio("BM_SaveFilefresh:1", "BM_RawWritefresh:1"));
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace
}  // namespace quillet

int main(int argc, char** argv) {
  using namespace quillet;
  Fixture& f = Shared();
  f.folder = fs::temp_directory_path() / ("quillet-io-bench-" + std::to_string(::getpid()));
  fs::create_directories(f.folder);
  f.source = (f.folder / "big.bas").string();
  Generate(f.source);
  f.bytes = fs::file_size(f.source);

  // The first load of the process, and its memory, before the benchmarks leave
  // anything behind (later rounds reuse the heap the earlier ones freed).
  {
    using Clock = std::chrono::steady_clock;
    auto started = Clock::now();
    ReadRaw(f.source);
    const double rawMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    const long before = StatusKb("VmRSS:");
    CodeDocument doc(f.context);
    SourceKind kind;
    started = Clock::now();
    doc.LoadFile(f.source, kind);
    const double loadMs = std::chrono::duration<double, std::milli>(Clock::now() - started).count();
    const long after = StatusKb("VmRSS:");
    std::printf("first raw read %.0f ms, first LoadFile %.0f ms: %.2f\n", rawMs, loadMs, loadMs / rawMs);
    const long peak = StatusKb("VmHWM:");
    const double fileKb = static_cast<double>(f.bytes) / 1024.0;
    std::printf("file: %.1f MB, %d lines\n", fileKb / 1024.0, doc.lineCount);
    std::printf("resident before load %ld kB, after %ld kB, peak %ld kB\n", before, after, peak);
    std::printf("document RSS / file size: %.2f (peak RSS / file size: %.2f)\n",
                static_cast<double>(after - before) / fileKb, static_cast<double>(peak) / fileKb);
  }

  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  fs::remove_all(f.folder);
  return 0;
}
