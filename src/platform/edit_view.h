// What the editing core needs from the window that shows a document: text
// measurement with the editor font, the client size, the two scroll bars, the
// caret and repainting. The Win32 edit window implements it; tests fake it.
#pragma once

#include <string_view>

namespace quillet {

struct PixelSize {
  int width = 0;
  int height = 0;
};

enum class ScrollBar { Horizontal, Vertical };

class EditView {
 public:
  virtual ~EditView() = default;

  // Width and height of the bytes drawn in the editor font (GetTextExtentPoint32A).
  virtual PixelSize MeasureText(std::string_view bytes) = 0;
  virtual PixelSize ClientSize() = 0;

  // Scroll positions behave as Windows keeps them: a set position is clamped to
  // 0 .. max - page + 1 of the range last given.
  // A window may draw a changed bar only once the text that changed with it
  // is drawn, and draws it even without redraw: a thumb never stays behind.
  virtual int GetScrollPos(ScrollBar bar) = 0;
  virtual void SetScrollPos(ScrollBar bar, int position, bool redraw) = 0;
  virtual void ShowScrollBar(ScrollBar bar, bool show) = 0;
  virtual void SetScrollRange(ScrollBar bar, int max, int page, bool redraw) = 0;

  virtual void Invalidate() = 0;
  // Only the client rows from y top to y bottom (exclusive) need repainting.
  virtual void InvalidateBand(int /*top*/, int /*bottom*/) { Invalidate(); }
  // Only this rectangle of the client needs repainting.
  virtual void InvalidateArea(int /*left*/, int top, int /*right*/, int bottom) { InvalidateBand(top, bottom); }
  // The rows from y from down, right of x left, now show lines that moved by
  // dy pixels (down when positive). A window moves their picture and repaints
  // only what is uncovered; by default they are all repainted.
  virtual void ShiftRows(int /*left*/, int from, int dy) {
    InvalidateBand(dy < 0 ? from + dy : from, ClientSize().height);
  }
  virtual void CreateCaret(int height) = 0;  // also shows it
  virtual void SetCaretPos(int x, int y) = 0;
};

// A document without a window: nothing to measure, scroll or show.
class NullEditView : public EditView {
 public:
  PixelSize MeasureText(std::string_view) override { return {}; }
  PixelSize ClientSize() override { return {}; }
  int GetScrollPos(ScrollBar) override { return 0; }
  void SetScrollPos(ScrollBar, int, bool) override {}
  void ShowScrollBar(ScrollBar, bool) override {}
  void SetScrollRange(ScrollBar, int, int, bool) override {}
  void Invalidate() override {}
  void CreateCaret(int) override {}
  void SetCaretPos(int, int) override {}
};

}  // namespace quillet
