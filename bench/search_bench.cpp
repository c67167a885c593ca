// Find, replace-all with its undo and redo, and the procedure list's parsing
// on large documents.
//
// BM_FindAbsent searches 2,000,000 lines (about 100 MB) for a text that is not
// there and reports, as the counter vs_plain, its time divided by that of a
// plain string_view::find over the same lines in the same iteration.
// BM_ReplaceAll makes 100,000 replacements in 1,000,000 lines; BM_UndoReplaceAll
// and BM_RedoReplaceAll take the step back and repeat it, and undo_bytes counts
// what the step keeps. BM_CollectProcedures on 1,000 and 1,000,000 lines should
// show the same items_per_second.
#include <benchmark/benchmark.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/code_document.h"
#include "editor/search.h"
#include "editor/procedure_list.h"
#include "platform/edit_view.h"

namespace quillet {
namespace {

using Clock = std::chrono::steady_clock;

class FixedView : public NullEditView {
 public:
  PixelSize MeasureText(std::string_view bytes) override { return {static_cast<int>(bytes.size()) * 8, 16}; }
  PixelSize ClientSize() override { return {800, 600}; }
};

struct Setup {
  // Lines of about 50 bytes of code with some Chinese; every tenth line holds
  // one "Target" to replace.
  explicit Setup(int lineCount) {
    context.settings = &settings;
    doc.SetView(&view);
    std::vector<std::string> text;
    text.reserve(static_cast<std::size_t>(lineCount));
    for (int i = 0; i < lineCount; ++i) {
      std::string line = i % 50 == 0 ? "SUB Proc" + std::to_string(i) + "(BYVAL x AS LONG)"
                                      : "\tx = Foo(" + std::to_string(i) + ") ' 注释文字 abc";
      if (i % 10 == 5) line += " Target";
      line.resize(50, ' ');
      text.push_back(std::move(line));
    }
    doc.lines.Assign(std::move(text));
    doc.RecountLines();
  }
  EditorSettings settings;
  EditorContext context;
  FixedView view;
  CodeDocument doc{context};
};

Setup& DocumentOf(int lineCount) {
  static std::map<int, std::unique_ptr<Setup>> setups;
  auto& setup = setups[lineCount];
  if (!setup) setup = std::make_unique<Setup>(lineCount);
  return *setup;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_FindAbsent(benchmark::State& state) {
  CodeDocument& doc = DocumentOf(2'000'000).doc;
  const bool caseSensitive = state.range(0) != 0;
  constexpr std::string_view kAbsent = "NoSuchName";
  double plainTotal = 0;
  double findTotal = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    std::size_t plainHits = 0;
    for (const std::string& line : doc.lines) plainHits += std::string_view(line).find(kAbsent) != std::string_view::npos;
    const auto t1 = Clock::now();
    const FoundText found = Locate(doc, kAbsent, kFindWholeText, caseSensitive);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(plainHits);
    benchmark::DoNotOptimize(found);
    state.SetIterationTime(Seconds(t2 - t1));
    plainTotal += Seconds(t1 - t0);
    findTotal += Seconds(t2 - t1);
  }
  state.counters["vs_plain"] = findTotal / plainTotal;
}
BENCHMARK(BM_FindAbsent)->Arg(1)->Arg(0)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

constexpr int kReplaceLines = 1'000'000;

void BM_ReplaceAll(benchmark::State& state) {
  CodeDocument& doc = DocumentOf(kReplaceLines).doc;
  int count = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    count = ReplaceAll(doc, "Target", "Replaced", true);
    state.SetIterationTime(Seconds(Clock::now() - t0));
    doc.Undo();
  }
  state.counters["replacements"] = count;
}
BENCHMARK(BM_ReplaceAll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoReplaceAll(benchmark::State& state) {
  CodeDocument& doc = DocumentOf(kReplaceLines).doc;
  double undoBytes = 0;
  for (auto _ : state) {
    ReplaceAll(doc, "Target", "Replaced", true);
    const UndoRecord& r = doc.undoHistory.back();
    undoBytes = static_cast<double>(sizeof r + r.splices.capacity() * sizeof(LineSplice));
    for (const LineSplice& splice : r.splices) {
      for (const std::string& s : splice.lines) undoBytes += static_cast<double>(s.capacity() + sizeof s);
    }
    const auto t0 = Clock::now();
    doc.Undo();
    state.SetIterationTime(Seconds(Clock::now() - t0));
  }
  state.counters["undo_bytes"] = undoBytes;
  state.counters["undo_bytes_per_changed_line"] = undoBytes / (kReplaceLines / 10);
}
BENCHMARK(BM_UndoReplaceAll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RedoReplaceAll(benchmark::State& state) {
  CodeDocument& doc = DocumentOf(kReplaceLines).doc;
  ReplaceAll(doc, "Target", "Replaced", true);
  doc.Undo();
  for (auto _ : state) {
    const auto t0 = Clock::now();
    doc.Redo();
    state.SetIterationTime(Seconds(Clock::now() - t0));
    doc.Undo();
  }
}
BENCHMARK(BM_RedoReplaceAll)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CollectProcedures(benchmark::State& state) {
  const int lineCount = static_cast<int>(state.range(0));
  CodeDocument& doc = DocumentOf(lineCount).doc;
  for (auto _ : state) benchmark::DoNotOptimize(CollectProcedures(doc));
  state.SetItemsProcessed(state.iterations() * lineCount);
}
BENCHMARK(BM_CollectProcedures)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
