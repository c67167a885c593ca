// Text extents in the editor font with GetTextExtentPoint32A.
#pragma once

#include <windows.h>

#include <string_view>

#include "common/owned_handle_win32.h"
#include "platform/edit_view.h"

namespace quillet {

// The extent of the bytes in the font currently selected into the DC.
PixelSize TextExtent(HDC dc, std::string_view bytes);

// The extent of the bytes in the given font, selected into the DC for the call.
PixelSize MeasureWithFont(HDC dc, HFONT font, std::string_view bytes);

// The same on a window's client DC, as an edit window measures outside WM_PAINT.
PixelSize MeasureInWindow(HWND window, HFONT font, std::string_view bytes);

}  // namespace quillet
