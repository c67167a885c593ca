#include "editor/gdi_surface_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/code_document.h"
#include "editor/gdi_measure_win32.h"

namespace quillet {
namespace {

// Text may be smoothed: its darkest pixels are near, not exactly, black.
bool Dark(ColourRef c) { return GetRValue(c) < 0x80 && GetGValue(c) < 0x80 && GetBValue(c) < 0x80; }

constexpr int kWidth = 240;
constexpr int kHeight = 120;

using BrushHandle = OwnedHandle<HBRUSH, DeleteObject>;

// A window stand-in that measures with the real editor font.
class MeasuringView : public NullEditView {
 public:
  MeasuringView(HDC dc, HFONT font) : dc_(dc), font_(font) {}
  PixelSize MeasureText(std::string_view bytes) override { return MeasureWithFont(dc_, font_, bytes); }
  PixelSize ClientSize() override { return {kWidth, kHeight}; }

 private:
  HDC dc_;
  HFONT font_;
};

// A 32-bit top-down bitmap in a memory DC, standing in for the window's DC,
// whose pixels the test reads straight from memory.
class TargetBitmap {
 public:
  TargetBitmap() : dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = -kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bits_ = static_cast<const DWORD*>(bits);
    selection_.emplace(dc_.Get(), bitmap_.Get());
  }
  HDC Dc() const { return dc_.Get(); }
  bool Valid() const { return bits_ != nullptr; }
  // As a COLORREF (0x00BBGGRR); the DIB holds 0x00RRGGBB.
  ColourRef At(int x, int y) const {
    const DWORD p = bits_[y * kWidth + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  template <typename Test>
  int CountIf(const RECT& area, Test test) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) n += test(At(x, y)) ? 1 : 0;
    }
    return n;
  }
  int Count(const RECT& area, ColourRef colour) const {
    return CountIf(area, [colour](ColourRef c) { return c == colour; });
  }

 private:
  MemoryDcHandle dc_;
  BitmapHandle bitmap_;
  const DWORD* bits_ = nullptr;
  std::optional<SelectedObject> selection_;
};

// A document of the given lines and kind, measured with the real font, its
// caret on one line and a selection from anchor to selEnd.
struct ShownDocument {
  ShownDocument(HDC dc, HFONT font, std::vector<std::string> text, SourceKind kind, TextPos caret, TextPos anchor,
                TextPos selEnd)
      : view(dc, font), doc(context) {
    context.settings = &settings;
    doc.SetView(&view);
    doc.lines.Assign(std::move(text));
    doc.kind = kind;
    doc.RecountLines();
    doc.caret = caret;
    doc.hasSelection = true;
    doc.anchor = anchor;
    doc.selEnd = selEnd;
  }
  EditorSettings settings;  // white background, yellow cursor line, black text
  MeasuringView view;
  EditorContext context;
  CodeDocument doc;
};

TEST(GdiPaintSurface, PaintsBackgroundCursorLineSelectionAndLineNumbers) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  TargetBitmap target;
  ASSERT_TRUE(target.Valid());
  ShownDocument shown(target.Dc(), font, {"abc", "defgh", "ijkl mnop"}, SourceKind::Other, {1, 2}, {2, 0}, {2, 4});
  const EditorSettings& settings = shown.settings;
  CodeDocument& doc = shown.doc;
  const ColourRef white = settings.colours[Background];
  const ColourRef yellow = settings.colours[CursorLineBar];
  BrushHandle background(CreateSolidBrush(white));
  BrushHandle cursorLine(CreateSolidBrush(yellow));

  {
    GdiPaintSurface surface(target.Dc(), {kWidth, kHeight}, {0, 0, kWidth, kHeight}, font, background.Get(),
                            cursorLine.Get());
    doc.Paint(surface);
    surface.Present();
  }

  const int pitch = doc.RowPitch();
  ASSERT_GT(pitch, 3);
  const int x0 = settings.lineNumberBarWidth + settings.textMargin;
  const int selectedRight = x0 + doc.ColumnOffset(2, 4);
  // Spacing pixels (above the text) of rows 0, 1 and 2, right of all text.
  EXPECT_EQ(target.At(kWidth - 5, 1), white);
  EXPECT_EQ(target.At(kWidth - 5, pitch + 1), yellow);
  EXPECT_EQ(target.At(kWidth - 5, 2 * pitch + 1), white);
  // The selected band is inverted: white spacing became black; text became light.
  EXPECT_EQ(target.At(x0 + 1, 2 * pitch + 1), RGB(0, 0, 0));
  EXPECT_EQ(target.At(selectedRight + 2, 2 * pitch + 1), white);
  const RECT selected{x0, 2 * pitch, selectedRight, 3 * pitch};
  const int area = (selected.right - selected.left) * pitch;
  EXPECT_GT(target.Count(selected, RGB(0, 0, 0)), area / 2);
  EXPECT_GT(target.Count(selected, white), 0);
  // Unselected text is drawn dark (the default text colour) on the background.
  const RECT firstText{x0, 3, x0 + doc.ColumnOffset(0, 3), pitch};
  EXPECT_GT(target.CountIf(firstText, Dark), 0);
  // The line-number bar covers the cursor-line bar and shows dark digits.
  EXPECT_NE(target.At(5, pitch + 1), yellow);
  EXPECT_GT(target.CountIf({12, 2, settings.lineNumberBarWidth - 12, pitch - 2}, Dark), 0);
  EXPECT_EQ(target.Count({settings.lineNumberBarWidth, 0, x0, kHeight}, white), 3 * kHeight);
}

// A paint of part of the window leaves every other pixel alone and draws the
// part exactly as a paint of the whole window does.
TEST(GdiPaintSurface, PartOfTheWindowMatchesTheWholePicture) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  TargetBitmap whole, part;
  ASSERT_TRUE(whole.Valid() && part.Valid());
  ShownDocument shown(whole.Dc(), font, {"FUNCTION f() AS LONG", "  x = 1 ' one", "END FUNCTION", "abc"},
                      SourceKind::Basic, {1, 3}, {1, 0}, {2, 4});
  CodeDocument& doc = shown.doc;
  BrushHandle background(CreateSolidBrush(shown.settings.colours[Background]));
  BrushHandle cursorLine(CreateSolidBrush(shown.settings.colours[CursorLineBar]));

  const ColourRef sentinel = RGB(1, 2, 3);
  BrushHandle sentinelBrush(CreateSolidBrush(sentinel));
  const RECT all{0, 0, kWidth, kHeight};
  FillRect(part.Dc(), &all, sentinelBrush.Get());
  const int pitch = doc.RowPitch();
  const PixelRect band{17, pitch + 2, kWidth - 9, 3 * pitch - 1};  // cuts rows and the line-number bar
  for (auto [target, area] : {std::pair{&whole, PixelRect{0, 0, kWidth, kHeight}}, std::pair{&part, band}}) {
    GdiPaintSurface surface(target->Dc(), {kWidth, kHeight}, area, font, background.Get(), cursorLine.Get());
    doc.Paint(surface);
    surface.Present();
  }
  int differing = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= band.left && x < band.right && y >= band.top && y < band.bottom;
      differing += part.At(x, y) != (inside ? whole.At(x, y) : sentinel) ? 1 : 0;
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace quillet
