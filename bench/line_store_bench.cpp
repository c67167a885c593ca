// Line store edits in the middle of a 100-line and a 1,000,000-line document,
// each followed by the widest-line query every edit ends with. The two sizes
// should cost about the same.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "editor/line_store.h"

namespace quillet {
namespace {

constexpr int kTabWidth = 4;

LineStore MakeStore(int lines) {
  std::vector<std::string> text;
  text.reserve(static_cast<std::size_t>(lines));
  for (int i = 0; i < lines; ++i) text.push_back("\t" + std::string(static_cast<std::size_t>(20 + i % 50), 'x'));
  LineStore store(std::move(text));
  store.FindWidest(kTabWidth);
  return store;
}

// Types a letter and takes it back.
void BM_TypeAndErase(benchmark::State& state) {
  LineStore store = MakeStore(static_cast<int>(state.range(0)));
  const int line = store.size() / 2;
  for (auto _ : state) {
    std::string text = store[line];
    text += 'a';
    store.SetLine(line, text);
    benchmark::DoNotOptimize(store.FindWidest(kTabWidth));
    text.pop_back();
    store.SetLine(line, std::move(text));
    benchmark::DoNotOptimize(store.FindWidest(kTabWidth));
  }
}

// What a keystroke reads around its edit: the caret's line, then the widest
// line for the scroll bars, then the caret's line again, far apart.
void BM_TypeWithReads(benchmark::State& state) {
  LineStore store = MakeStore(static_cast<int>(state.range(0)));
  const int line = store.size() / 2;
  std::string text = store[line];
  for (auto _ : state) {
    text += 'a';
    store.SetLine(line, text);
    benchmark::DoNotOptimize(store[store.FindWidest(kTabWidth).index].size());
    benchmark::DoNotOptimize(store[line].size());
    text.pop_back();
    store.SetLine(line, text);
    benchmark::DoNotOptimize(store[store.FindWidest(kTabWidth).index].size());
    benchmark::DoNotOptimize(store[line].size());
  }
}

// Splits a line in two and joins it again.
void BM_EnterAndBackspace(benchmark::State& state) {
  LineStore store = MakeStore(static_cast<int>(state.range(0)));
  const int line = store.size() / 2;
  for (auto _ : state) {
    const std::string text = store[line];
    store.SetLine(line, text.substr(0, 5));
    store.InsertLine(line + 1, text.substr(5));
    benchmark::DoNotOptimize(store.FindWidest(kTabWidth));
    store.SetLine(line, text);
    store.EraseLines(line + 1, 1);
    benchmark::DoNotOptimize(store.FindWidest(kTabWidth));
  }
}

// Pastes 1,000 lines and removes them again.
void BM_PasteThousandLines(benchmark::State& state) {
  LineStore store = MakeStore(static_cast<int>(state.range(0)));
  const int line = store.size() / 2;
  const std::vector<std::string> pasted(1000, std::string(40, 'y'));
  for (auto _ : state) {
    store.InsertLines(line, pasted);
    benchmark::DoNotOptimize(store.FindWidest(kTabWidth));
    store.EraseLines(line, 1000);
    benchmark::DoNotOptimize(store.FindWidest(kTabWidth));
  }
}

BENCHMARK(BM_TypeAndErase)->Arg(100)->Arg(1'000'000);
BENCHMARK(BM_TypeWithReads)->Arg(100)->Arg(1'000'000);
BENCHMARK(BM_EnterAndBackspace)->Arg(100)->Arg(1'000'000);
BENCHMARK(BM_PasteThousandLines)->Arg(100)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
