// Text extents in the editor font with GetTextExtentPoint32A, and keeping a
// GDI object selected into a device context only for a scope.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/edit_view.h"

namespace quillet {

// Selects an object into a DC and puts the previous one back on destruction,
// so nothing is deleted while still selected.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The extent of the bytes in the font currently selected into the DC.
PixelSize TextExtent(HDC dc, std::string_view bytes);

// The extent of the bytes in the given font, selected into the DC for the call.
PixelSize MeasureWithFont(HDC dc, HFONT font, std::string_view bytes);

// The same on a window's client DC, as an edit window measures outside WM_PAINT.
PixelSize MeasureInWindow(HWND window, HFONT font, std::string_view bytes);

}  // namespace quillet
