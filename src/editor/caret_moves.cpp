// The caret keys, mouse clicks and drags, word and whole-text selection. A
// two-byte character is one step for the caret: no move ever lands between
// its bytes.
#include <algorithm>
#include <string_view>

#include "common/gbk.h"
#include "editor/code_document.h"
#include "editor/line_chars.h"

namespace quillet {
namespace {

bool IsLead(char c) { return gbk::IsLeadByte(static_cast<unsigned char>(c)); }

// The first character boundary at or after col, walking from the line's start.
int BoundaryAtOrAfter(std::string_view line, int col) {
  const int length = static_cast<int>(line.size());
  if (col >= length) return length;
  int i = 0;
  while (i < col) i += IsLead(line[i]) ? 2 : 1;
  return i;
}

// Where the character that ends at (or holds) col begins.
int BoundaryBefore(std::string_view line, int col) {
  int previous = 0;
  for (int i = 0; i < col && i < static_cast<int>(line.size()); i += IsLead(line[i]) ? 2 : 1) previous = i;
  return previous;
}

// Letters and two-byte characters make up words; digits and '_' end them.
bool IsWordByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || gbk::IsLeadByte(c);
}

// Every move that changed the caret keeps it on screen and repaints.
void ShowMovedCaret(CodeDocument& doc) {
  doc.ScrollCaretIntoView();
  doc.Invalidate();
}

}  // namespace

void CodeDocument::CaretUp() {
  if (caret.line <= 0) return;
  --caret.line;
  caret.col = BoundaryAtOrAfter(lines[caret.line], caret.col);
  ShowMovedCaret(*this);
}

void CodeDocument::CaretDown() {
  if (caret.line >= lines.size() - 1) return;
  ++caret.line;
  caret.col = BoundaryAtOrAfter(lines[caret.line], caret.col);
  ShowMovedCaret(*this);
}

void CodeDocument::CaretRight() {
  const std::string& text = lines[caret.line];
  const int length = static_cast<int>(text.size());
  if (caret.col >= length) {
    if (caret.line >= lines.size() - 1) return;
    caret = {caret.line + 1, 0};
  } else {
    caret.col = std::min(caret.col + (IsLead(text[caret.col]) ? 2 : 1), length);
  }
  ShowMovedCaret(*this);
}

void CodeDocument::CaretLeft() {
  if (caret.col <= 0) {
    if (caret.line <= 0) return;
    --caret.line;
    caret.col = LineLength(caret.line);
  } else {
    caret.col = BoundaryBefore(lines[caret.line], caret.col);
  }
  ShowMovedCaret(*this);
}

void CodeDocument::CaretLineStart() {
  if (caret.col == 0) return;
  caret.col = 0;
  ShowMovedCaret(*this);
}

void CodeDocument::CaretLineEnd() {
  if (caret.col == LineLength(caret.line)) return;
  caret.col = LineLength(caret.line);
  ShowMovedCaret(*this);
}

void CodeDocument::CaretTextStart() {
  if (caret == TextPos{}) return;
  caret = {};
  ShowMovedCaret(*this);
}

void CodeDocument::CaretTextEnd() {
  const TextPos end{lines.size() - 1, LineLength(lines.size() - 1)};
  if (caret == end) return;
  caret = end;
  ShowMovedCaret(*this);
}

// The Shift variants start a new selection at the caret rather than extending one.
void CodeDocument::SelectToLineStart() {
  if (caret.col == 0) return;
  selEnd = caret;
  caret.col = 0;
  anchor = caret;
  hasSelection = true;
  ShowMovedCaret(*this);
}

void CodeDocument::SelectToLineEnd() {
  if (caret.col == LineLength(caret.line)) return;
  anchor = caret;
  caret.col = LineLength(caret.line);
  selEnd = caret;
  hasSelection = true;
  ShowMovedCaret(*this);
}

void CodeDocument::SelectToTextStart() {
  if (caret == TextPos{}) return;
  selEnd = caret;
  caret = {};
  anchor = caret;
  hasSelection = true;
  ShowMovedCaret(*this);
}

void CodeDocument::SelectToTextEnd() {
  const TextPos end{lines.size() - 1, LineLength(lines.size() - 1)};
  if (caret == end) return;
  anchor = caret;
  caret = end;
  selEnd = caret;
  hasSelection = true;
  ShowMovedCaret(*this);
}

void CodeDocument::ClickAt(int x, int y) {
  caret = HitTest(x, y);
  hasSelection = false;
  Invalidate();
}

void CodeDocument::StartDragSelection() { anchor = caret; }

void CodeDocument::DragSelectTo(int x, int y) {
  selEnd = HitTest(x, y);
  caret = selEnd;
  hasSelection = SelectionIsNonEmpty();
  ShowMovedCaret(*this);
}

bool CodeDocument::SelectionIsNonEmpty() const { return anchor != selEnd; }

void CodeDocument::SelectWordAt(int x, int y) {
  const int line = LineAtY(y);
  const LineChars chars(lines[line], TabWidth());
  const long long xt = static_cast<long long>(x) + GetHorizontalOrigin();
  const int under = CharReaching(chars, xt);
  // Past the end of the line the last character counts, so a word ending the line is taken.
  const int hit = under == chars.Count() ? under - 1 : under;
  if (hit < 0 || !IsWordByte(chars.FirstByte(hit))) return;
  int first = hit;
  while (first > 0 && IsWordByte(chars.FirstByte(first - 1))) --first;
  int last = hit;
  while (last + 1 < chars.Count() && IsWordByte(chars.FirstByte(last + 1))) ++last;
  anchor = {line, chars.Begin(first)};
  selEnd = {line, chars.End(last)};
  hasSelection = SelectionIsNonEmpty();
  if (hasSelection) {
    caret = selEnd;
    Invalidate();
  }
}

void CodeDocument::SelectAll() {
  anchor = {};
  caret = {lines.size() - 1, LineLength(lines.size() - 1)};
  selEnd = caret;
  hasSelection = true;
  ShowMovedCaret(*this);
}

}  // namespace quillet
