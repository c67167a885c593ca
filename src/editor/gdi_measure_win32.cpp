#include "editor/gdi_measure_win32.h"

#include <algorithm>
#include <climits>

namespace quillet {

PixelSize TextExtent(HDC dc, std::string_view bytes) {
  SIZE size{};
  const int count = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
  GetTextExtentPoint32A(dc, bytes.data(), count, &size);
  return {static_cast<int>(size.cx), static_cast<int>(size.cy)};
}

PixelSize MeasureWithFont(HDC dc, HFONT font, std::string_view bytes) {
  const SelectedObject selected(dc, font);
  return TextExtent(dc, bytes);
}

PixelSize MeasureInWindow(HWND window, HFONT font, std::string_view bytes) {
  const WindowDc dc(window);
  return dc ? MeasureWithFont(dc.Get(), font, bytes) : PixelSize{};
}

}  // namespace quillet
