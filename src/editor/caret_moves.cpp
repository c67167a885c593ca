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

// Letters and two-byte characters make up words; digits and '_' end them.
bool IsWordByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || gbk::IsLeadByte(c);
}

// Every move that changed the caret keeps it on screen and repaints.
void ShowMovedCaret(CodeDocument& doc) {
  doc.ScrollCaretIntoView();
  doc.Invalidate();
}

// A caret key ends the selection, so that the next keystroke cannot replace
// text the user no longer sees. Even a caret that cannot move (Ctrl+Home at the
// top) is brought back into view when the wheel or a scroll bar took it away.
void EndCaretMove(CodeDocument& doc, const TextPos& before) {
  const bool hadSelection = doc.hasSelection;
  doc.hasSelection = false;
  const int top = doc.GetTopLine();
  const int origin = doc.GetHorizontalOrigin();
  doc.ScrollCaretIntoView();
  if (hadSelection) {
    doc.Invalidate();
    return;
  }
  // The rows that gain and lose the cursor-line bar, after any scroll.
  doc.RepaintScrolled(top, origin);
  if (doc.caret != before) {
    doc.InvalidateLines(doc.caret.line, doc.caret.line);
    if (before.line != doc.caret.line) doc.InvalidateLines(before.line, before.line);
  }
}

// The same for the Shift variants, which keep whatever selection they made.
void EndSelectingMove(CodeDocument& doc) {
  const int top = doc.GetTopLine();
  const int origin = doc.GetHorizontalOrigin();
  doc.ScrollCaretIntoView();
  if (doc.GetTopLine() != top || doc.GetHorizontalOrigin() != origin) doc.Invalidate();
}

}  // namespace

void CodeDocument::CaretUp() {
  const TextPos before = caret;
  if (caret.line > 0) {
    --caret.line;
    caret.col = BoundaryAtOrAfter(lines[caret.line], caret.col);
  }
  EndCaretMove(*this, before);
}

void CodeDocument::CaretDown() {
  const TextPos before = caret;
  if (caret.line < lines.size() - 1) {
    ++caret.line;
    caret.col = BoundaryAtOrAfter(lines[caret.line], caret.col);
  }
  EndCaretMove(*this, before);
}

void CodeDocument::CaretRight() {
  const TextPos before = caret;
  const std::string& text = lines[caret.line];
  const int length = static_cast<int>(text.size());
  if (caret.col < length) {
    caret.col = std::min(caret.col + (IsLead(text[caret.col]) ? 2 : 1), length);
  } else if (caret.line < lines.size() - 1) {
    caret = {caret.line + 1, 0};
  }
  EndCaretMove(*this, before);
}

void CodeDocument::CaretLeft() {
  const TextPos before = caret;
  if (caret.col > 0) {
    caret.col = gbk::CharStartBefore(lines[caret.line], caret.col);
  } else if (caret.line > 0) {
    --caret.line;
    caret.col = LineLength(caret.line);
  }
  EndCaretMove(*this, before);
}

void CodeDocument::CaretLineStart() {
  const TextPos before = caret;
  caret.col = 0;
  EndCaretMove(*this, before);
}

void CodeDocument::CaretLineEnd() {
  const TextPos before = caret;
  caret.col = LineLength(caret.line);
  EndCaretMove(*this, before);
}

void CodeDocument::CaretTextStart() {
  const TextPos before = caret;
  caret = {};
  EndCaretMove(*this, before);
}

void CodeDocument::CaretTextEnd() {
  const TextPos before = caret;
  caret = {lines.size() - 1, LineLength(lines.size() - 1)};
  EndCaretMove(*this, before);
}

// The Shift variants start a new selection at the caret rather than extending one.
void CodeDocument::SelectToLineStart() {
  if (caret.col == 0) return EndSelectingMove(*this);
  selEnd = caret;
  caret.col = 0;
  anchor = caret;
  hasSelection = true;
  ShowMovedCaret(*this);
}

void CodeDocument::SelectToLineEnd() {
  if (caret.col == LineLength(caret.line)) return EndSelectingMove(*this);
  anchor = caret;
  caret.col = LineLength(caret.line);
  selEnd = caret;
  hasSelection = true;
  ShowMovedCaret(*this);
}

void CodeDocument::SelectToTextStart() {
  if (caret == TextPos{}) return EndSelectingMove(*this);
  selEnd = caret;
  caret = {};
  anchor = caret;
  hasSelection = true;
  ShowMovedCaret(*this);
}

void CodeDocument::SelectToTextEnd() {
  const TextPos end{lines.size() - 1, LineLength(lines.size() - 1)};
  if (caret == end) return EndSelectingMove(*this);
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
  const LineChars chars(lines[line], TabWidth(), DrawnLine(line));
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
