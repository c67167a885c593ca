// The paint surface of an editing window: everything is drawn into an
// off-screen bitmap and copied to the window in one BitBlt, so a half-drawn
// picture never reaches the screen.
#pragma once

#include <windows.h>

#include "common/owned_handle_win32.h"
#include "editor/gdi_measure_win32.h"
#include "editor/painter.h"

namespace quillet {

class CodeDocument;

// The font and brushes belong to the edit window class and outlive the surface.
class GdiPaintSurface final : public PaintSurface {
 public:
  // A memory DC with the font selected and text drawn transparently, and a
  // bitmap compatible with target that holds only `area` of the client of
  // `size`: drawing outside it costs nothing, and a keystroke that changed one
  // row neither allocates nor fills nor copies the whole window.
  GdiPaintSurface(HDC target, PixelSize size, const PixelRect& area, HFONT font, HBRUSH background,
                  HBRUSH cursorLine);

  // Copies the area to the target at its place in the client.
  void Present() const;
  HDC MemoryDc() const { return memory_.Get(); }

  PixelSize Size() override { return size_; }
  PixelRect Area() override { return area_; }
  PixelSize MeasureText(std::string_view bytes) override { return TextExtent(MemoryDc(), bytes); }
  void Fill(const PixelRect& rect, PaintBrush brush) override;
  void SetTextColour(ColourRef colour) override;
  void DrawTextAt(int x, int y, std::string_view bytes) override;
  void Invert(const PixelRect& rect) override;
  void DrawLineNumberCell(const PixelRect& cell, bool pressed, std::string_view number) override;
  void SetCaretPos(int x, int y) override;

 private:
  HDC target_;
  PixelSize size_;
  PixelRect area_;
  HBRUSH background_;
  HBRUSH cursorLine_;
  // Destroyed in reverse: the selections are undone before bitmap and DC go.
  MemoryDcHandle memory_;
  BitmapHandle bitmap_;
  SelectedObject bitmapSelection_;
  SelectedObject fontSelection_;
};

// Answers WM_PAINT: BeginPaint, the document painted through a GdiPaintSurface
// (the rows of the update rectangle), BitBlt, EndPaint.
void PaintWindow(HWND window, CodeDocument& document, HFONT font, HBRUSH background, HBRUSH cursorLine);

}  // namespace quillet
