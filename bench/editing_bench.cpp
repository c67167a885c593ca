// Editing keystrokes in the middle of a 100-line and a 1,000,000-line
// document, each with everything a keystroke does: the edit, the line
// bookkeeping, the scroll bars, keeping the caret in view and the undo record.
// The two sizes should cost about the same. Only the measured operation is
// timed; the edit that puts the text back is not. The counter undo_bytes is
// what the measured step's undo record holds: the record, its splices and the
// lines in them, with each string's own buffer (allocator overhead not counted).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/code_document.h"
#include "platform/clipboard.h"
#include "platform/edit_view.h"

namespace quillet {
namespace {

// A window whose font draws every byte 8 pixels wide and 16 high.
class MeasuringView : public EditView {
 public:
  PixelSize MeasureText(std::string_view bytes) override { return {static_cast<int>(bytes.size()) * 8, 16}; }
  PixelSize ClientSize() override { return {800, 600}; }
  int GetScrollPos(ScrollBar bar) override { return Of(bar).position; }
  void SetScrollPos(ScrollBar bar, int position, bool) override {
    Bar& b = Of(bar);
    b.position = std::clamp(position, 0, std::max(0, b.max - std::max(b.page - 1, 0)));
  }
  void ShowScrollBar(ScrollBar, bool) override {}
  void SetScrollRange(ScrollBar bar, int max, int page, bool) override {
    Of(bar).max = max;
    Of(bar).page = page;
    SetScrollPos(bar, Of(bar).position, false);
  }
  void Invalidate() override {}
  void CreateCaret(int) override {}
  void SetCaretPos(int, int) override {}

 private:
  struct Bar {
    int max = 0;
    int page = 0;
    int position = 0;
  };
  Bar& Of(ScrollBar bar) { return bar == ScrollBar::Horizontal ? horizontal_ : vertical_; }
  Bar horizontal_;
  Bar vertical_;
};

class HeldClipboard : public Clipboard {
 public:
  bool HasText() override { return !text.empty(); }
  std::string GetText() override { return text; }
  void SetText(std::string_view t) override { text = t; }
  std::string text;
};

struct Setup {
  explicit Setup(int lineCount) {
    context.settings = &settings;
    context.clipboard = &clipboard;
    doc.SetView(&view);
    std::vector<std::string> text;
    text.reserve(static_cast<std::size_t>(lineCount));
    for (int i = 0; i < lineCount; ++i) {
      text.push_back("\tx = Foo(" + std::to_string(i) + ") ' " + std::string(static_cast<std::size_t>(i % 40), 'c'));
    }
    doc.lines.Assign(std::move(text));
    doc.RecountLines();
    for (int i = 0; i < 1000; ++i) clipboard.text += "\tpasted line " + std::to_string(i) + "\r\n";
  }

  // The caret in the middle of the text, in view, before each measured keystroke.
  void PlaceCaret() {
    doc.caret = {doc.lines.size() / 2, 5};
    doc.ScrollCaretIntoView();
  }

  EditorSettings settings;
  EditorContext context;
  MeasuringView view;
  HeldClipboard clipboard;
  CodeDocument doc{context};
};

// Building a million-line document once per size keeps the run short; every
// benchmark leaves its text as it found it.
Setup& SetupFor(int lineCount) {
  static std::map<int, std::unique_ptr<Setup>> setups;
  std::unique_ptr<Setup>& setup = setups[lineCount];
  if (!setup) setup = std::make_unique<Setup>(lineCount);
  setup->PlaceCaret();
  return *setup;
}

std::size_t LinesBytes(const std::vector<std::string>& lines) {
  static const std::size_t kInPlace = std::string().capacity();  // short strings need no buffer
  std::size_t bytes = lines.capacity() * sizeof(std::string);
  for (const std::string& line : lines) bytes += line.capacity() > kInPlace ? line.capacity() + 1 : 0;
  return bytes;
}

std::size_t RecordBytes(const UndoRecord& record) {
  std::size_t bytes = sizeof(UndoRecord) + record.splices.capacity() * sizeof(LineSplice);
  for (const LineSplice& splice : record.splices) bytes += LinesBytes(splice.lines);
  return bytes;
}

template <class Prepare, class Measured, class Restore>
void Run(benchmark::State& state, Prepare prepare, Measured measured, Restore restore) {
  Setup& setup = SetupFor(static_cast<int>(state.range(0)));
  const int lineCount = setup.doc.lines.size();
  for (auto _ : state) {
    prepare(setup.doc);
    const auto start = std::chrono::steady_clock::now();
    measured(setup.doc);
    const auto stop = std::chrono::steady_clock::now();
    restore(setup.doc);
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
  }
  if (setup.doc.lines.size() != lineCount) state.SkipWithError("the text was not put back");
  // Once more, untimed and from an empty history, to weigh the step the measured operation recorded.
  setup.doc.undoHistory.clear();
  setup.doc.undoPos = 0;
  setup.doc.cleanUndoPos = -1;
  prepare(setup.doc);
  measured(setup.doc);
  if (setup.doc.undoPos > 0) {
    state.counters["undo_bytes"] = static_cast<double>(RecordBytes(setup.doc.undoHistory[setup.doc.undoPos - 1]));
  }
  restore(setup.doc);
}

void Nothing(CodeDocument&) {}
void UndoStep(CodeDocument& doc) { doc.Undo(); }
void TypeLetter(CodeDocument& doc) { doc.TypeCharacter('a'); }

void BM_TypeCharacter(benchmark::State& state) { Run(state, Nothing, TypeLetter, UndoStep); }

void BM_Enter(benchmark::State& state) {
  Run(state, Nothing, [](CodeDocument& doc) { doc.InsertLineBreak(); }, UndoStep);
}

void BM_Backspace(benchmark::State& state) {
  Run(state, TypeLetter, [](CodeDocument& doc) { doc.DeleteBackward(); }, Nothing);
}

void BM_PasteThousandLines(benchmark::State& state) {
  Run(state, Nothing, [](CodeDocument& doc) { doc.Paste(); }, UndoStep);
}

void BM_UndoTyping(benchmark::State& state) { Run(state, TypeLetter, UndoStep, Nothing); }

void BM_UndoPaste(benchmark::State& state) {
  Run(state, [](CodeDocument& doc) { doc.Paste(); }, UndoStep, Nothing);
}

BENCHMARK(BM_TypeCharacter)->Arg(100)->Arg(1'000'000)->UseManualTime();
BENCHMARK(BM_Enter)->Arg(100)->Arg(1'000'000)->UseManualTime();
BENCHMARK(BM_Backspace)->Arg(100)->Arg(1'000'000)->UseManualTime();
BENCHMARK(BM_PasteThousandLines)->Arg(100)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoTyping)->Arg(100)->Arg(1'000'000)->UseManualTime();
BENCHMARK(BM_UndoPaste)->Arg(100)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
