#include "latency/latency_probe_win32.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/code_document.h"
#include "platform/edit_view.h"
#include "latency/startup_report_win32.h"
#include "shell/documents_win32.h"

namespace quillet {
namespace {

using latency::Ticks;
using latency::TicksToMs;

const LONGLONG gEntered = Ticks();

// Typed over and over at the end of the middle line: a new line of code, as
// a user writes a program. It ends on a character that closes the completion
// list, since Enter with the list open only closes it.
constexpr char kTyping[] = "\rIF count& > 10 THEN total& = total& + count& * (i& + 1)";
constexpr UINT kKeyGapMs = 10;     // lets Wine put the last paint on the screen first
constexpr double kStallMs = 5000;  // no paint this long after a key: the run failed
// Typed first and left out of the figures, as the start-up timer leaves out
// its first start: the first keys also pay for caches filling (fonts, glyphs,
// the completion list's first showing).
constexpr std::size_t kWarmUpKeys = 100;

// One keystroke: the WM_CHAR entered the window, the paint that shows it
// started and ended (inside the WM_CHAR when the window paints at once, or
// after it), and the WM_CHAR's handling returned.
struct KeyTimes {
  LONGLONG entered = 0;
  LONGLONG paintStarted = 0;
  LONGLONG painted = 0;
  LONGLONG handled = 0;
};

struct KeyRun {
  std::string report;
  HWND edit = nullptr;
  WNDPROC original = nullptr;
  int count = 0;
  int lines = 0;
  bool awaitingPaint = false;
  std::vector<KeyTimes> keys;
};

KeyRun gRun;

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t rank = static_cast<std::size_t>(p * static_cast<double>(values.size()) + 0.999999);
  return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

void WriteReport(const char* failure) {
  std::FILE* file = std::fopen(gRun.report.c_str(), "w");
  if (file == nullptr) ExitProcess(1);
  if (failure != nullptr) std::fprintf(file, "failed: %s\n", failure);
  std::vector<double> total, waiting, painting, handling;
  for (std::size_t i = std::min(kWarmUpKeys, gRun.keys.size()); i < gRun.keys.size(); ++i) {
    const KeyTimes& k = gRun.keys[i];
    if (k.painted == 0 || k.handled == 0) continue;
    total.push_back(TicksToMs(k.painted - k.entered));
    waiting.push_back(TicksToMs(k.paintStarted - k.entered));
    painting.push_back(TicksToMs(k.painted - k.paintStarted));
    handling.push_back(TicksToMs(k.handled - k.entered));
  }
  std::fprintf(file, "%d lines, %zu keystrokes: median %.3f ms, p99 %.3f ms, max %.3f ms\n", gRun.lines,
               total.size(), Percentile(total, 0.5), Percentile(total, 0.99), Percentile(total, 1.0));
  for (const auto& [name, p] : {std::pair{"medians:", 0.5}, std::pair{"p99:    ", 0.99}}) {
    std::fprintf(file, "  %s WM_CHAR to its paint %.3f ms, paint %.3f ms (WM_CHAR with what follows the paint %.3f ms)\n",
                 name, Percentile(waiting, p), Percentile(painting, p), Percentile(handling, p));
  }
  std::fclose(file);
  ExitProcess(failure != nullptr ? 1 : 0);
}

// Wraps the edit window's procedure: the times are taken where a message
// enters it and where its handling ends.
LRESULT CALLBACK TimedEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LONGLONG entered = Ticks();
  const bool typed = message == WM_CHAR && !gRun.awaitingPaint;
  if (typed) {
    gRun.keys.push_back({});
    gRun.keys.back().entered = entered;
    gRun.awaitingPaint = true;
  }
  const bool paint = message == WM_PAINT && gRun.awaitingPaint;
  const LRESULT result = CallWindowProcA(gRun.original, window, message, wParam, lParam);
  if (paint) {
    gRun.keys.back().paintStarted = entered;
    gRun.keys.back().painted = Ticks();
    gRun.awaitingPaint = false;
  }
  if (typed) gRun.keys.back().handled = Ticks();
  return result;
}

// Every few milliseconds: the next key once the last one is on the screen.
void CALLBACK NextKey(HWND, UINT, UINT_PTR, DWORD) {
  if (gRun.awaitingPaint) {
    if (TicksToMs(Ticks() - gRun.keys.back().entered) > kStallMs) WriteReport("a keystroke was never painted");
    return;
  }
  if (gRun.keys.size() == kWarmUpKeys + static_cast<std::size_t>(gRun.count)) WriteReport(nullptr);
  const std::size_t next = gRun.keys.size() % (sizeof kTyping - 1);
  PostMessageA(gRun.edit, WM_CHAR, static_cast<unsigned char>(kTyping[next]), 1);
}

void StartKeys(HWND main, const char* report, const char* document, int count) {
  gRun.report = report;
  gRun.count = std::max(count, 1);
  OpenDocument(document, kNewPlainText);
  CodeDocument* doc = CurrentDocument();
  gRun.edit = EditHandle(CurrentTab());
  if (doc == nullptr || gRun.edit == nullptr || !doc->HoldsFile(document)) WriteReport("the document did not open");
  gRun.lines = doc->lineCount;
  // A maximised window, the caret line in its middle: where a user types.
  ShowWindow(main, SW_MAXIMIZE);
  const int line = doc->lineCount / 2;
  doc->GoToLine(line + 1);
  doc->CaretLineEnd();
  const int rows = doc->RowPitch() > 0 ? doc->GetTextAreaSize().height / doc->RowPitch() : 0;
  doc->SetTopLine(std::max(0, line - rows / 2), true);
  doc->Invalidate();
  doc->FinishChange();
  SetFocus(gRun.edit);
  gRun.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(gRun.edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedEditProc)));
  RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  if (SetTimer(nullptr, 0, kKeyGapMs, NextKey) == 0) WriteReport("no timer");
}

}  // namespace

void StartLatencyProbe(HWND main) {
  if (const char* report = latency::ArgumentAfter(latency::kStartupSwitch)) {
    ExitProcess(latency::ReportPainted(main, gEntered, report) ? 0 : 1);
  }
  const char* report = latency::ArgumentAfter("--latency-keys", 1);
  const char* document = latency::ArgumentAfter("--latency-keys", 2);
  const char* count = latency::ArgumentAfter("--latency-keys", 3);
  if (report != nullptr && document != nullptr && count != nullptr) StartKeys(main, report, document, std::atoi(count));
}

}  // namespace quillet
