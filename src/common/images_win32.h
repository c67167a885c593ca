// Loading the program's pictures from its resources (names in common/resources.h).
#pragma once

#include <windows.h>

#include "common/owned_handle_win32.h"

namespace quillet {

// An image list of the strip's square images (size x size), the key colour
// transparent; empty when the resource is missing.
ImageListHandle LoadImageStrip(HINSTANCE instance, const char* name, int size);

// A picture whose key-coloured pixels are painted in the button-face colour,
// so that it sits on dialogs and panels without a frame; empty when missing.
BitmapHandle LoadFaceBitmap(HINSTANCE instance, const char* name);

}  // namespace quillet
