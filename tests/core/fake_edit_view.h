// A window stand-in for core tests: every byte is 8 px wide and 16 px high (so
// "易" measures 16x16), the client size is settable, scroll positions are clamped
// as Windows clamps them, and repaints, scroll bar changes and the caret are
// recorded for the test to inspect.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/edit_view.h"

namespace quillet {

class FakeEditView : public EditView {
 public:
  static constexpr int kByteWidth = 8;
  static constexpr int kGlyphHeight = 16;

  struct Bar {
    bool hasRange = false;  // no range set yet: the position stays 0
    int max = 0;
    int page = 0;
    int position = 0;
    bool shown = false;
    int showCalls = 0;
    int rangeCalls = 0;
  };

  explicit FakeEditView(int width = 640, int height = 480) : client{width, height} {}

  PixelSize MeasureText(std::string_view bytes) override {
    ++measureCalls;
    measuredBytes += static_cast<long long>(bytes.size());
    const auto capitals = std::count_if(bytes.begin(), bytes.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    return {static_cast<int>(bytes.size()) * kByteWidth + static_cast<int>(capitals) * (capitalWidth - kByteWidth),
            kGlyphHeight};
  }
  PixelSize ClientSize() override { return client; }

  int GetScrollPos(ScrollBar bar) override { return Of(bar).position; }
  void SetScrollPos(ScrollBar bar, int position, bool) override {
    Bar& b = Of(bar);
    b.position = Clamp(b, position);
  }
  void ShowScrollBar(ScrollBar bar, bool show) override {
    Bar& b = Of(bar);
    b.shown = show;
    ++b.showCalls;
  }
  void SetScrollRange(ScrollBar bar, int max, int page, bool) override {
    Bar& b = Of(bar);
    b.hasRange = true;
    b.max = max;
    b.page = page;
    ++b.rangeCalls;
    b.position = Clamp(b, b.position);  // a new range re-clamps, as SetScrollInfo does
  }

  void Invalidate() override { ++invalidateCount; }
  void InvalidateBand(int top, int bottom) override {
    ++invalidateCount;
    bands.push_back({top, bottom});
  }
  void ShiftRows(int left, int from, int dy) override { shifts.push_back({left, from, dy}); }
  void CreateCaret(int height) override {
    caretHeight = height;
    ++caretCreated;
  }
  void SetCaretPos(int x, int y) override {
    caretX = x;
    caretY = y;
  }

  // The largest position the bar accepts with its current range and page.
  static int MaxPosition(const Bar& b) {
    if (!b.hasRange) return 0;
    return std::max(0, b.max - std::max(b.page - 1, 0));
  }

  Bar& Of(ScrollBar bar) { return bar == ScrollBar::Horizontal ? horizontal : vertical; }

  PixelSize client;
  int capitalWidth = kByteWidth;  // wider capitals stand in for a proportional font
  Bar horizontal;
  Bar vertical;
  int invalidateCount = 0;  // repaints of either kind
  std::vector<std::pair<int, int>> bands;  // rows repainted alone: y top, y bottom
  std::vector<std::array<int, 3>> shifts;  // rows moved: x left, y from, dy
  int caretCreated = 0;
  int caretHeight = 0;
  int caretX = -1;
  int caretY = -1;
  long long measureCalls = 0;
  long long measuredBytes = 0;  // total bytes measured, to catch quadratic measuring

 private:
  static int Clamp(const Bar& b, int position) { return std::clamp(position, 0, MaxPosition(b)); }
};

}  // namespace quillet
