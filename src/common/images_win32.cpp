#include "common/images_win32.h"

#include "common/resources.h"

namespace quillet {

ImageListHandle LoadImageStrip(HINSTANCE instance, const char* name, int size) {
  BitmapHandle strip(static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  if (!strip) return {};
  BITMAP info{};
  GetObjectA(strip.Get(), sizeof info, &info);
  ImageListHandle images(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, info.bmWidth / size, 0));
  if (!images || ImageList_AddMasked(images.Get(), strip.Get(), kImageKeyColour) < 0) return {};
  return images;
}

BitmapHandle LoadFaceBitmap(HINSTANCE instance, const char* name) {
  BitmapHandle picture(
      static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  DIBSECTION dib{};
  if (!picture || GetObjectA(picture.Get(), sizeof dib, &dib) != sizeof dib) return picture;
  const BITMAP& bm = dib.dsBm;
  if (bm.bmBitsPixel != 24 || !bm.bmBits) return picture;
  GdiFlush();
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  auto* bits = static_cast<BYTE*>(bm.bmBits);
  for (LONG y = 0; y < bm.bmHeight; ++y) {
    BYTE* pixel = bits + y * bm.bmWidthBytes;
    for (LONG x = 0; x < bm.bmWidth; ++x, pixel += 3) {
      if (RGB(pixel[2], pixel[1], pixel[0]) == kImageKeyColour) {
        pixel[0] = GetBValue(face);
        pixel[1] = GetGValue(face);
        pixel[2] = GetRValue(face);
      }
    }
  }
  return picture;
}

}  // namespace quillet
