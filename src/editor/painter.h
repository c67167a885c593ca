// Where a document is painted. CodeDocument::Paint lays out the whole client
// area (background, cursor-line bar, coloured text, selection, line-number bar,
// caret) and hands each piece to a PaintSurface; the Win32 surface draws into
// an off-screen bitmap, tests record the calls.
#pragma once

#include <string_view>

#include "common/editor_settings.h"
#include "language/lexer.h"
#include "platform/edit_view.h"

namespace quillet {

// Client coordinates; right and bottom are exclusive, as in a Windows RECT.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const PixelRect&) const = default;
};

// The two solid brushes of the editing windows.
enum class PaintBrush { Background, CursorLine };

// Drawing goes through a few primitives; coloured runs are laid out here, one
// after another along a row, each advanced by its measured width.
class PaintSurface : public RunSink {
 public:
  // The size of the window's client area.
  virtual PixelSize Size() = 0;
  // The part of it that must be drawn; rows wholly outside it are skipped.
  virtual PixelRect Area() {
    const PixelSize size = Size();
    return {0, 0, size.width, size.height};
  }
  // Width and height of the bytes in the editor font.
  virtual PixelSize MeasureText(std::string_view bytes) = 0;
  virtual void Fill(const PixelRect& rect, PaintBrush brush) = 0;
  virtual void SetTextColour(ColourRef colour) = 0;
  // Draws without a background of its own, so bar and background show through.
  virtual void DrawTextAt(int x, int y, std::string_view bytes) = 0;
  virtual void Invert(const PixelRect& rect) = 0;
  // A line-number cell: a flat push button, pressed on the caret's row, with
  // the number (if any) centred in black.
  virtual void DrawLineNumberCell(const PixelRect& cell, bool pressed, std::string_view number) = 0;
  virtual void SetCaretPos(int x, int y) = 0;

  // The runs that follow start at (x, y).
  void StartRow(int x, int y) {
    penX_ = x;
    penY_ = y;
  }
  void DrawRun(std::string_view bytes, ColourRef colour) final;
  void DrawKeywordRun(std::string_view bytes, ColourRef colour) final;

 private:
  int penX_ = 0;
  int penY_ = 0;
};

}  // namespace quillet
