// How a document's text maps onto the pixels of its window: row pitch, the
// text area, scroll bars, visible lines, hit testing and keeping the caret in view.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/gbk.h"
#include "editor/code_document.h"
#include "editor/line_chars.h"
#include "editor/tab_expand.h"
#include "language/lexer.h"
#include "platform/edit_view.h"
#include "platform/editor_host.h"

namespace quillet {
namespace {

// The ideograph whose extent gives the glyph height (and a two-column width).
constexpr char kMeasureGlyph[] = "易";
// Room taken from the text area for a scroll bar that is about to appear.
constexpr int kScrollBarAllowance = 15;
// Room beside the widest line number inside its cell (the cell's border and air).
constexpr int kLineNumberPadding = 8;

// The runs of a coloured line joined as they are drawn.
class DrawnText final : public RunSink {
 public:
  explicit DrawnText(std::size_t size) { text.reserve(size); }
  void DrawRun(std::string_view bytes, ColourRef) override { text.append(bytes); }
  void DrawKeywordRun(std::string_view bytes, ColourRef) override { text.append(gbk::ToUpper(bytes)); }
  std::string text;
};

int DecimalDigits(int n) {
  int digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

}  // namespace

const KeywordTable& CodeDocument::KeywordTableInUse() const {
  return context_.keywords != nullptr ? *context_.keywords : Keywords();
}

// Keywords are drawn in capitals whatever was typed; measuring the typed bytes
// would put the caret and the selection beside what a proportional font draws.
std::string CodeDocument::DrawnLine(int line) const {
  std::string expanded = ExpandTabs(lines[line], TabWidth());
  if (kind == SourceKind::Other || expanded.empty()) return expanded;
  DrawnText drawn(expanded.size());
  ColourLine(expanded, KeywordTableInUse(), Settings().colours, drawn);
  return std::move(drawn.text);
}

// At least the configured width, wider once the line count's digits need it;
// 0 while the bar is hidden. Remeasured only when the count gains a digit.
int CodeDocument::LineNumberBarWidth() const {
  const int configured = Settings().lineNumberBarWidth;
  if (configured <= 0) return 0;
  const int digits = DecimalDigits(lineCount);
  if (digits != barDigits_) {
    barDigits_ = digits;
    barDigitsWidth_ = MeasureText(std::string(static_cast<std::size_t>(digits), '0')).width;
  }
  return std::max(configured, barDigitsWidth_ + kLineNumberPadding);
}

int CodeDocument::TextLeft() const { return LineNumberBarWidth() + Settings().textMargin; }

void CodeDocument::ForgetMeasures() { barDigits_ = -1; }

void CodeDocument::Remeasure() {
  ForgetMeasures();
  RecountLines();
  Invalidate();  // the paint places the caret at its new x
}

PixelSize CodeDocument::MeasureText(std::string_view bytes) const { return view_->MeasureText(bytes); }

PixelSize CodeDocument::GetTextAreaSize() const {
  const PixelSize client = view_->ClientSize();
  return {client.width - TextLeft(), client.height};
}

int CodeDocument::GlyphHeight() const { return MeasureText(kMeasureGlyph).height; }

int CodeDocument::RowPitch() const { return GlyphHeight() + Settings().lineSpacing; }

int CodeDocument::ColumnOffset(int line, int col) const {
  if (col <= 0) return 0;
  const std::string& text = lines[line];
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(col), text.size());
  std::size_t drawnBytes = 0;
  for (std::size_t i = 0; i < n; ++i) drawnBytes += text[i] == '\t' ? static_cast<std::size_t>(TabWidth()) : 1;
  return MeasureText(std::string_view(DrawnLine(line)).substr(0, drawnBytes)).width;
}

int CodeDocument::GetHorizontalOrigin() const {
  return view_->GetScrollPos(ScrollBar::Horizontal) - TextLeft();
}

int CodeDocument::GetTopLine() const { return view_->GetScrollPos(ScrollBar::Vertical); }

void CodeDocument::SetHorizontalScroll(int position, bool redraw) {
  view_->SetScrollPos(ScrollBar::Horizontal, position, redraw);
  if (context_.host != nullptr) context_.host->HideCompletion();
}

void CodeDocument::SetTopLine(int line, bool redraw) {
  view_->SetScrollPos(ScrollBar::Vertical, line, redraw);
  if (context_.host != nullptr) context_.host->HideCompletion();
}

void CodeDocument::Invalidate() {
  view_->Invalidate();
  changePending_ = true;  // whatever is redrawn has changed
}

// After an edit step only the rows it touched are repainted (a keystroke then
// costs one row, not the window), and with a changed line count every row
// below them; a step that moved the picture (scrolled, or widened the
// line-number bar) repaints it whole.
void CodeDocument::InvalidateStep() {
  const ViewState& before = step_.before;
  const int top = GetTopLine();
  if (before.topLine != top || before.horizontalScroll != view_->GetScrollPos(ScrollBar::Horizontal) ||
      DecimalDigits(stepLinesBefore_) != DecimalDigits(lineCount)) {
    Invalidate();
    return;
  }
  changePending_ = true;
  int low = std::min(before.caret.line, caret.line);
  int high = std::max(before.caret.line, caret.line);
  const auto take = [&low, &high](int line) {
    low = std::min(low, line);
    high = std::max(high, line);
  };
  if (before.hasSelection) {
    take(before.anchor.line);
    take(before.selEnd.line);
  }
  if (hasSelection) {
    take(anchor.line);
    take(selEnd.line);
  }
  for (const LineSplice& splice : step_.splices) {
    take(splice.firstLine);
    take(splice.firstLine + std::max(splice.linesInText, 1) - 1);
  }
  if (lineCount != stepLinesBefore_) {
    if (ShiftRowsBelowStep(top)) {
      // Cells of lines that came or went at the end gain or lose their number.
      const int fewer = std::min<int>(stepLinesBefore_, static_cast<int>(lines.size()));
      const int more = std::max<int>(stepLinesBefore_, static_cast<int>(lines.size()));
      if (more > fewer) InvalidateLines(fewer, more - 1);
    } else {
      high = std::numeric_limits<int>::max() / 2;  // every row below moved
    }
  }
  InvalidateLines(low, high);
}

// Lines below a step that added or removed lines only moved: their picture is
// moved rather than drawn again (Enter in a tall window repainted every row
// below it). Only for one splice at or below the top line, with no selection
// before or after, whose rows InvalidateStep repaints; false otherwise.
bool CodeDocument::ShiftRowsBelowStep(int top) {
  if (step_.splices.size() != 1 || step_.before.hasSelection || hasSelection) return false;
  const LineSplice& splice = step_.splices.front();
  const long long moved = static_cast<long long>(lines.size()) - stepLinesBefore_;
  const long long removed = static_cast<long long>(splice.lines.size());
  if (splice.firstLine < top || splice.linesInText - removed != moved) return false;
  const long long pitch = RowPitch();
  const long long height = view_->ClientSize().height;
  const long long oldFrom = (splice.firstLine + removed - top) * pitch;  // the first line below, as it was
  if (oldFrom >= height) return true;  // nothing below it is shown
  MoveRows(oldFrom, moved * pitch);
  return true;
}

void CodeDocument::MoveRows(long long from, long long dy) {
  const long long height = view_->ClientSize().height;
  const long long pitch = RowPitch();
  dy = std::clamp(dy, -height, height);
  view_->ShiftRows(LineNumberBarWidth(), static_cast<int>(from), static_cast<int>(dy));
  // Text is drawn in whole rows only: the part-row at the bottom, and the rows
  // a part-row moved up into, are drawn again.
  const long long whole = pitch > 0 ? height / pitch * pitch : height;
  const long long partFrom = std::max(0LL, std::min(whole, whole + dy));
  if (partFrom < height) view_->InvalidateBand(static_cast<int>(partFrom), static_cast<int>(height));
}

void CodeDocument::InvalidateLines(int first, int last) {
  changePending_ = true;
  const long long pitch = RowPitch();
  const long long height = view_->ClientSize().height;
  const long long top = GetTopLine();
  const long long from = std::clamp((std::min(first, last) - top) * pitch, 0LL, height);
  const long long to = std::clamp((std::max(first, last) - top + 1) * pitch, 0LL, height);
  if (to > from) view_->InvalidateBand(static_cast<int>(from), static_cast<int>(to));
}

// A scroll by less than a window moves the picture of the text and redraws
// the line numbers (every row shows another line now) and what came into
// view; a sideways scroll, or a longer one, redraws everything.
void CodeDocument::RepaintScrolled(int oldTop, int oldOrigin) {
  const int top = GetTopLine();
  if (top == oldTop && GetHorizontalOrigin() == oldOrigin) return;
  const long long pitch = RowPitch();
  const PixelSize client = view_->ClientSize();
  const long long rows = pitch > 0 ? client.height / pitch : 0;
  const long long by = static_cast<long long>(top) - oldTop;
  if (GetHorizontalOrigin() != oldOrigin || by >= rows || -by >= rows) {
    Invalidate();
    return;
  }
  changePending_ = true;
  MoveRows(0, -by * pitch);
  view_->InvalidateArea(0, 0, LineNumberBarWidth(), client.height);
}

void CodeDocument::GetVisibleLines(int clientHeight, int glyphHeight, int& first, int& last) const {
  first = GetTopLine();
  const int pitch = glyphHeight + Settings().lineSpacing;
  const int rows = pitch > 0 ? clientHeight / pitch : 0;
  last = std::min(first + rows - 1, lineCount - 1);
}

void CodeDocument::UpdateScrollBars() {
  int textWidth = 0;
  int h = 0;
  if (longestWidth >= 1 && longestLine >= 1 && longestLine <= lines.size()) {
    const PixelSize size = MeasureText(DrawnLine(longestLine - 1));
    textWidth = size.width;
    h = size.height;
  }
  if (textWidth == 0) h = GlyphHeight();
  PixelSize area = GetTextAreaSize();
  const std::int64_t pitch = h + Settings().lineSpacing;
  const std::int64_t totalHeight = std::int64_t(lineCount) * pitch;

  bool needH = textWidth > area.width;
  bool needV = totalHeight > area.height;
  if (needH && needV) {
    area.width -= kScrollBarAllowance;
    area.height -= kScrollBarAllowance;
  } else if (needH) {
    area.height -= kScrollBarAllowance;
    needV = totalHeight > area.height;
    if (needV) area.width -= kScrollBarAllowance;
  } else if (needV) {
    area.width -= kScrollBarAllowance;
    needH = textWidth > area.width;
    if (needH) area.height -= kScrollBarAllowance;
  }

  if (needH) {
    view_->ShowScrollBar(ScrollBar::Horizontal, true);
    const int max =
        textWidth > std::numeric_limits<int>::max() - 10 ? std::numeric_limits<int>::max() : textWidth + 10;
    view_->SetScrollRange(ScrollBar::Horizontal, max, std::max(area.width, 0), true);
  } else {
    view_->ShowScrollBar(ScrollBar::Horizontal, false);
  }
  if (needV) {
    const int rows = pitch > 0 ? static_cast<int>(std::max(area.height, 0) / pitch) : 0;
    view_->ShowScrollBar(ScrollBar::Vertical, true);
    view_->SetScrollRange(ScrollBar::Vertical, lineCount, rows, true);
  } else {
    view_->ShowScrollBar(ScrollBar::Vertical, false);
  }
}

int CodeDocument::LineAtY(int y) const {
  const int pitch = RowPitch();
  const long long line = static_cast<long long>(GetTopLine()) + (pitch > 0 ? y / pitch : 0);
  return static_cast<int>(std::clamp<long long>(line, 0, std::max(lines.size() - 1, 0)));
}

int CodeDocument::CharReaching(const LineChars& chars, long long xt) const {
  return chars.FirstReaching(xt, [this](std::string_view drawn) { return MeasureText(drawn).width; });
}

TextPos CodeDocument::HitTest(int x, int y) const {
  TextPos pos{LineAtY(y), 0};
  const long long xt = static_cast<long long>(x) + GetHorizontalOrigin();
  if (xt <= 0) return pos;
  const LineChars chars(lines[pos.line], TabWidth(), DrawnLine(pos.line));
  const int i = CharReaching(chars, xt);
  if (i == chars.Count()) {
    pos.col = LineLength(pos.line);
    return pos;
  }
  // The left half of a character puts the caret before it, the right half after.
  const long long before = MeasureText(chars.DrawnThrough(i - 1)).width;
  const long long after = MeasureText(chars.DrawnThrough(i)).width;
  pos.col = xt > before + (after - before) / 2 ? chars.End(i) : chars.Begin(i);
  return pos;
}

void CodeDocument::CreateEditCaret() {
  ForgetMeasures();
  caretHeight = GlyphHeight() + 2 * Settings().lineSpacing;
  view_->CreateCaret(caretHeight);
}

void CodeDocument::ScrollCaretIntoView() {
  const PixelSize area = GetTextAreaSize();
  const int width = std::max(area.width, 0);
  // The text x range actually shown right of the line-number bar and margin.
  const int left = view_->GetScrollPos(ScrollBar::Horizontal);
  const long long right = static_cast<long long>(left) + width;
  const int caretX = ColumnOffset(caret.line, caret.col);

  int first = 0;
  int last = 0;
  GetVisibleLines(area.height, GlyphHeight(), first, last);
  if (caret.line < first) {
    SetTopLine(caret.line, true);
  } else if (caret.line > last) {
    // With no whole row on screen the caret line becomes the top row instead.
    SetTopLine(last < first ? caret.line : first + caret.line - last, true);
  }

  if (caretX < left) {
    SetHorizontalScroll(caretX, true);
  } else if (caretX >= right) {  // a caret on the right edge would be drawn outside the window
    SetHorizontalScroll(caretX - width / 2, true);
  }
}

bool CodeDocument::GoToLine(int lineNumber) {
  // A number outside the text still moves the caret, to the nearest line: a
  // caller that selected all first must not leave the text selected, where
  // the next keystroke would replace it.
  const int last = static_cast<int>(lines.size());
  const bool inRange = lineNumber >= 1 && lineNumber <= last;
  caret = {std::clamp(lineNumber, 1, last) - 1, 0};
  hasSelection = false;
  ScrollCaretIntoView();
  Invalidate();
  return inRange;
}

}  // namespace quillet
