#include "editor/gdi_surface_win32.h"

#include <algorithm>
#include <climits>

#include "editor/code_document.h"

namespace quillet {
namespace {

RECT ToRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

int ByteCount(std::string_view bytes) { return static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX)); }

// A zero-sized bitmap cannot be created; a window with no client area gets one pixel.
int AtLeastOne(int n) { return std::max(n, 1); }

// BeginPaint and EndPaint around one paint of a window.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC Dc() const { return dc_; }
  const RECT& Area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

}  // namespace

GdiPaintSurface::GdiPaintSurface(HDC target, PixelSize size, const PixelRect& area, HFONT font, HBRUSH background,
                                 HBRUSH cursorLine)
    : target_(target),
      size_(size),
      area_(area),
      background_(background),
      cursorLine_(cursorLine),
      memory_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, AtLeastOne(area.right - area.left), AtLeastOne(area.bottom - area.top))),
      bitmapSelection_(memory_.Get(), bitmap_.Get()),
      fontSelection_(memory_.Get(), font) {
  SetBkMode(memory_.Get(), TRANSPARENT);
  // Client coordinates throughout: the area's corner is the bitmap's origin.
  SetViewportOrgEx(memory_.Get(), -area.left, -area.top, nullptr);
  // Patterns (a pressed line-number cell) stay in step with the client's.
  SetBrushOrgEx(memory_.Get(), ((-area.left) % 8 + 8) % 8, ((-area.top) % 8 + 8) % 8, nullptr);
}

void GdiPaintSurface::Present() const {
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_.Get(), area_.left,
         area_.top, SRCCOPY);
}

void GdiPaintSurface::Fill(const PixelRect& rect, PaintBrush brush) {
  const RECT r = ToRect(rect);
  FillRect(MemoryDc(), &r, brush == PaintBrush::Background ? background_ : cursorLine_);
}

void GdiPaintSurface::SetTextColour(ColourRef colour) { SetTextColor(MemoryDc(), colour); }

void GdiPaintSurface::DrawTextAt(int x, int y, std::string_view bytes) {
  TextOutA(MemoryDc(), x, y, bytes.data(), ByteCount(bytes));
}

void GdiPaintSurface::Invert(const PixelRect& rect) {
  const RECT r = ToRect(rect);
  InvertRect(MemoryDc(), &r);
}

void GdiPaintSurface::DrawLineNumberCell(const PixelRect& cell, bool pressed, std::string_view number) {
  RECT frame = ToRect(cell);  // DrawFrameControl may shrink it
  // The pressed cell's pattern takes the text colour: not the last run's.
  SetTextColor(MemoryDc(), RGB(0, 0, 0));
  DrawFrameControl(MemoryDc(), &frame, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_FLAT | (pressed ? DFCS_CHECKED : 0));
  if (number.empty()) return;
  RECT text = ToRect(cell);
  DrawTextA(MemoryDc(), number.data(), ByteCount(number), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void GdiPaintSurface::SetCaretPos(int x, int y) { ::SetCaretPos(x, y); }

void PaintWindow(HWND window, CodeDocument& document, HFONT font, HBRUSH background, HBRUSH cursorLine) {
  const PaintScope paint(window);
  RECT client{};
  GetClientRect(window, &client);
  const RECT& area = paint.Area();
  GdiPaintSurface surface(paint.Dc(), {client.right, client.bottom}, {area.left, area.top, area.right, area.bottom},
                          font, background, cursorLine);
  document.Paint(surface);
  surface.Present();
}

}  // namespace quillet
