// One full paint of a 40-row screen in a 100-line and a 1,000,000-line
// document. Paint touches only the visible lines, so both should cost the
// same; the ratio of the two is printed after the benchmarks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "../tests/core/fake_edit_view.h"
#include "editor/code_document.h"
#include "editor/painter.h"

namespace quillet {
namespace {

constexpr int kRows = 40;
constexpr int kPitch = FakeEditView::kGlyphHeight + 3;

// Draws nothing; keeps a checksum so the work is not optimised away.
class NullSurface : public PaintSurface {
 public:
  PixelSize Size() override { return {800, kRows * kPitch}; }
  PixelSize MeasureText(std::string_view bytes) override {
    return {static_cast<int>(bytes.size()) * FakeEditView::kByteWidth, FakeEditView::kGlyphHeight};
  }
  void Fill(const PixelRect& rect, PaintBrush) override { sum += rect.bottom; }
  void SetTextColour(ColourRef colour) override { sum += colour; }
  void DrawTextAt(int x, int, std::string_view bytes) override { sum += bytes.size() + x; }
  void Invert(const PixelRect& rect) override { sum += rect.right; }
  void DrawLineNumberCell(const PixelRect& cell, bool, std::string_view number) override {
    sum += cell.top + number.size();
  }
  void SetCaretPos(int x, int y) override { sum += x + y; }
  std::size_t sum = 0;
};

std::vector<std::string> Source(int lineCount) {
  static const std::vector<std::string> sample = {
      "FUNCTION PBMAIN () AS LONG",
      "\tLOCAL hDlg AS DWORD, i AS LONG, s AS STRING",
      "\tDIALOG NEW 0, \"窗口标题\", , , 200, 120, %WS_SYSMENU TO hDlg",
      "\tFOR i = 1 TO 10",
      "\t\ts = s & FORMAT$(i, \"000\") & $CRLF   ' 累加",
      "\t\tIF i MOD 2 = 0 THEN obj.Method(i, \"He said \"\"hi\"\"\")",
      "\tNEXT i",
      "END FUNCTION",
      "",
  };
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(lineCount));
  for (int i = 0; i < lineCount; ++i) lines.push_back(sample[static_cast<std::size_t>(i) % sample.size()]);
  return lines;
}

// A document scrolled to its middle, with the caret and a selection on screen.
struct PaintedDocument {
  explicit PaintedDocument(int lineCount) : view(800, kRows * kPitch) {
    context.settings = &settings;
    doc.SetView(&view);
    doc.lines.Assign(Source(lineCount));
    doc.kind = SourceKind::Basic;
    doc.RecountLines();
    const int top = lineCount > kRows ? lineCount / 2 : 0;
    doc.SetTopLine(top, false);
    doc.caret = {top + 5, 6};
    doc.hasSelection = true;
    doc.anchor = {top + 3, 2};
    doc.selEnd = {top + 9, 4};
  }
  EditorSettings settings;
  FakeEditView view;
  EditorContext context;
  CodeDocument doc{context};
};

void BM_PaintScreen(benchmark::State& state) {
  PaintedDocument painted(static_cast<int>(state.range(0)));
  NullSurface surface;
  for (auto _ : state) painted.doc.Paint(surface);
  benchmark::DoNotOptimize(surface.sum);
}

BENCHMARK(BM_PaintScreen)->Arg(100)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

double MicrosecondsPerPaint(PaintedDocument& painted) {
  NullSurface surface;
  constexpr int kPaints = 1000;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < kPaints; ++i) painted.doc.Paint(surface);
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  benchmark::DoNotOptimize(surface.sum);
  return spent.count() / kPaints;
}

// The best of a few alternating rounds, so that a busy machine skews neither side.
void PrintRatio() {
  PaintedDocument small(100);
  PaintedDocument large(1'000'000);
  double bestSmall = 1e300;
  double bestLarge = 1e300;
  for (int round = 0; round < 5; ++round) {
    bestSmall = std::min(bestSmall, MicrosecondsPerPaint(small));
    bestLarge = std::min(bestLarge, MicrosecondsPerPaint(large));
  }
  std::printf("paint of %d rows: %.2f us (100 lines), %.2f us (1,000,000 lines), ratio %.2f\n", kRows, bestSmall,
              bestLarge, bestLarge / bestSmall);
}

}  // namespace
}  // namespace quillet

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  quillet::PrintRatio();
  return 0;
}
