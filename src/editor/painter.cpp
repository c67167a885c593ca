// Painting a document. Only the visible lines are touched, so a paint costs the
// same in a short file and in one of a million lines. Painting only draws: what
// follows a change listens to EditorHost::DocumentChanged.
#include "editor/painter.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/gbk.h"
#include "editor/code_document.h"
#include "editor/tab_expand.h"
#include "language/keyword_table.h"

namespace quillet {
namespace {

// Where the caret goes when its place is not inside the text area.
constexpr int kParkedCaret = -100;

// One row band of the window, with the visible line range it shows.
struct RowLayout {
  int pitch = 0;
  int first = 0;
  int last = -1;
  int Top(int line) const { return (line - first) * pitch; }
  // Whether the row at y meets the vertical span of area.
  bool Meets(int y, const PixelRect& area) const { return y < area.bottom && y + pitch > area.top; }
};

}  // namespace

void PaintSurface::DrawRun(std::string_view bytes, ColourRef colour) {
  SetTextColour(colour);
  DrawTextAt(penX_, penY_, bytes);
  penX_ += MeasureText(bytes).width;
}

void PaintSurface::DrawKeywordRun(std::string_view bytes, ColourRef colour) {
  DrawRun(gbk::ToUpper(bytes), colour);
}

void CodeDocument::Paint(PaintSurface& surface) {
  const EditorSettings& s = Settings();
  const PixelSize client = surface.Size();
  const PixelRect area = surface.Area();
  surface.Fill({0, 0, client.width, client.height}, PaintBrush::Background);

  const int glyphHeight = GlyphHeight();
  RowLayout rows;
  rows.pitch = glyphHeight + s.lineSpacing;
  GetVisibleLines(client.height, glyphHeight, rows.first, rows.last);
  const int x0 = -GetHorizontalOrigin();
  const int textLeft = TextLeft();
  const int barWidth = LineNumberBarWidth();

  // Cursor-line bar and caret.
  const bool caretVisible = caret.line >= rows.first && caret.line <= rows.last;
  int caretX = kParkedCaret;
  int caretY = kParkedCaret;
  if (caretVisible) {
    const int top = rows.Top(caret.line);
    surface.Fill({0, top, client.width, top + rows.pitch}, PaintBrush::CursorLine);
    const int x = x0 + ColumnOffset(caret.line, caret.col);
    if (x >= textLeft && x < client.width) {
      caretX = x;
      caretY = top;
    }
  }
  surface.SetCaretPos(caretX, caretY);

  // Text.
  const KeywordTable& table = KeywordTableInUse();
  for (int i = rows.first; i <= rows.last; ++i) {
    if (!rows.Meets(rows.Top(i), area)) continue;
    const std::string text = ExpandTabs(lines[i], TabWidth());
    const int y = rows.Top(i) + s.lineSpacing;
    if (kind == SourceKind::Other) {
      surface.SetTextColour(s.colours[DefaultText]);
      surface.DrawTextAt(x0, y, text);
    } else {
      surface.StartRow(x0, y);
      ColourLine(text, table, s.colours, surface);
    }
  }

  // Selection: inverting what is drawn keeps text, bar and background readable.
  // Each row's highlight stops at the end of the line's text.
  if (hasSelection) {
    TextPos start = anchor;
    TextPos end = selEnd;
    if (end.line < start.line || (end.line == start.line && end.col < start.col)) std::swap(start, end);
    const int from = std::max(start.line, rows.first);
    const int to = std::min(end.line, rows.last);
    for (int i = from; i <= to; ++i) {
      if (!rows.Meets(rows.Top(i), area)) continue;
      const int left = i == start.line ? ColumnOffset(i, start.col) : 0;
      const int right = ColumnOffset(i, i == end.line ? end.col : LineLength(i));
      if (right <= left) continue;
      const int top = rows.Top(i);
      surface.Invert({x0 + left, top, x0 + right, top + rows.pitch});
    }
  }

  // Line-number bar: its background also hides text scrolled under it. A
  // partly visible bottom row gets a cell too; numbers only for lines that exist.
  surface.Fill({0, 0, textLeft, client.height}, PaintBrush::Background);
  if (barWidth > 0 && rows.pitch > 0) {
    const int cells = client.height / rows.pitch + (client.height % rows.pitch != 0 ? 1 : 0);
    for (int k = 0; k < cells; ++k) {
      if (!rows.Meets(k * rows.pitch, area)) continue;
      const int line = rows.first + k;
      const PixelRect cell{0, k * rows.pitch, barWidth, (k + 1) * rows.pitch};
      const std::string number = line <= rows.last ? std::to_string(line + 1) : std::string();
      surface.DrawLineNumberCell(cell, line == caret.line, number);
    }
  }
}

}  // namespace quillet
