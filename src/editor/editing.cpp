// Changing the text: typed characters, line breaks, deletion, and the
// clipboard commands. Each edit is one undo step (EditStep) and changes the
// text only by splicing lines (Splice, ReplaceLine(s)); the step's end does the
// common ending (modified mark, recount, caret into view, repaint) and records it.
#include <algorithm>
#include <string>
#include <utility>

#include "common/gbk.h"
#include "editor/code_document.h"
#include "editor/line_split.h"
#include "platform/clipboard.h"

namespace quillet {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

int LeadingTabs(std::string_view text) {
  const std::size_t n = text.find_first_not_of('\t');
  return static_cast<int>(n == std::string_view::npos ? text.size() : n);
}

struct Span {
  TextPos start;
  TextPos end;
};

// The selection with its ends in text order.
Span OrderedSelection(const CodeDocument& doc) {
  // Clamped, so a stale end can never index past the text.
  const TextPos a = doc.ClampToText(doc.anchor);
  const TextPos b = doc.ClampToText(doc.selEnd);
  const bool anchorFirst = a.line < b.line || (a.line == b.line && a.col <= b.col);
  return anchorFirst ? Span{a, b} : Span{b, a};
}

// The line with bytes [from, from + size) replaced by insert.
std::string Spliced(std::string_view line, std::size_t from, std::size_t size, std::string_view insert) {
  std::string out;
  out.reserve(line.size() - size + insert.size());
  out.append(line.substr(0, from)).append(insert).append(line.substr(from + size));
  return out;
}

}  // namespace

void CodeDocument::TypeCharacter(int code) {
  SharedInputState& input = context_.input;
  char bytes[2] = {};
  std::size_t count = 1;
  code &= 0xFFFF;
  if (code > 0xFF) {
    // A whole character, already its two ANSI bytes, first byte low.
    bytes[0] = static_cast<char>(code & 0xFF);
    bytes[1] = static_cast<char>(code >> 8);
    count = 2;
  } else if (input.pendingLead) {
    input.pendingLead = false;
    bytes[0] = input.leadByte;
    bytes[1] = static_cast<char>(code);
    count = 2;
  } else {
    bytes[0] = static_cast<char>(code);
    if (gbk::IsLeadByte(static_cast<unsigned char>(code))) {
      input.pendingLead = true;
      input.leadByte = bytes[0];
      return;
    }
  }
  InsertText(std::string_view(bytes, count));
}

void CodeDocument::InsertText(std::string_view text) {
  EditStep step(*this, UndoOp::InsertText);
  DeleteSelection();
  ReplaceLine(caret.line, Spliced(lines[caret.line], static_cast<std::size_t>(caret.col), 0, text));
  caret.col += static_cast<int>(text.size());
}

int CodeDocument::InsertLineBreak() {
  EditStep step(*this, UndoOp::LineBreak);
  DeleteSelection();
  const std::string_view line = lines[caret.line];
  const auto col = static_cast<std::size_t>(caret.col);
  const int indent = Settings().autoIndent ? LeadingTabs(line.substr(0, col)) : 0;
  std::string pair[2] = {std::string(line.substr(0, col)), std::string(static_cast<std::size_t>(indent), '\t')};
  pair[1] += line.substr(col);
  Splice(caret.line, 1, pair);
  caret = {caret.line + 1, indent};
  return indent;
}

void CodeDocument::DeleteBackward() {
  if (hasSelection) {
    DeleteSelection();
    return;
  }
  if (caret.col == 0 && caret.line == 0) return;
  EditStep step(*this, UndoOp::DeleteBackward);
  if (caret.col == 0) {
    const int joined = caret.line - 1;
    const int p = LineLength(joined);
    std::string both = lines[joined] + lines[caret.line];
    Splice(joined, 2, {&both, 1});
    caret = {joined, p};
  } else {
    const std::string_view line = lines[caret.line];
    const int start = gbk::CharStartBefore(line, caret.col);
    ReplaceLine(caret.line,
                Spliced(line, static_cast<std::size_t>(start), static_cast<std::size_t>(caret.col - start), {}));
    caret.col = start;
  }
}

void CodeDocument::DeleteForward() {
  const int length = LineLength(caret.line);
  const bool atEnd = caret.col >= length;
  if (atEnd && caret.line + 1 >= lines.size()) return;
  EditStep step(*this, UndoOp::DeleteForward);
  if (atEnd) {
    std::string both = lines[caret.line] + lines[caret.line + 1];
    Splice(caret.line, 2, {&both, 1});
  } else {
    const std::string_view line = lines[caret.line];
    const auto at = static_cast<std::size_t>(caret.col);
    // A lead byte at the very end of the line has no trail byte to take along.
    const std::size_t size = gbk::IsLeadByte(static_cast<unsigned char>(line[at])) ? 2 : 1;
    ReplaceLine(caret.line, Spliced(line, at, std::min(size, line.size() - at), {}));
  }
}

bool CodeDocument::ClipboardHasText() const {
  return context_.clipboard != nullptr && context_.clipboard->HasText();
}

std::string CodeDocument::GetSelectedText() const {
  if (!hasSelection) return {};
  const Span span = OrderedSelection(*this);
  if (span.start.line != span.end.line) return {};
  return lines[span.start.line].substr(static_cast<std::size_t>(span.start.col),
                                       static_cast<std::size_t>(span.end.col - span.start.col));
}

void CodeDocument::Copy() {
  if (!HasSelection() || context_.clipboard == nullptr) return;
  const auto [start, end] = OrderedSelection(*this);
  std::string text;
  if (start.line == end.line) {
    text = GetSelectedText();
  } else {
    text = lines[start.line].substr(static_cast<std::size_t>(start.col));
    text += kLineBreak;
    for (int line = start.line + 1; line < end.line; ++line) {
      text += lines[line];
      text += kLineBreak;
    }
    text += std::string_view(lines[end.line]).substr(0, static_cast<std::size_t>(end.col));
  }
  context_.clipboard->SetText(text);
}

void CodeDocument::Cut() {
  // Without a clipboard the cut text would go nowhere: leave it in place.
  if (!CanCut() || context_.clipboard == nullptr) return;
  Copy();
  Delete();
}

void CodeDocument::Paste() {
  if (!ClipboardHasText()) return;
  InsertBlock(context_.clipboard->GetText());
}

void CodeDocument::Delete() {
  if (hasSelection) {
    DeleteSelection();
  } else {
    DeleteForward();
  }
}

void CodeDocument::DeleteSelection() {
  if (!hasSelection) return;
  EditStep step(*this, UndoOp::DeleteSelection);
  const auto [start, end] = OrderedSelection(*this);
  std::string joined = lines[start.line].substr(0, static_cast<std::size_t>(start.col));
  joined += std::string_view(lines[end.line]).substr(static_cast<std::size_t>(end.col));
  Splice(start.line, end.line - start.line + 1, {&joined, 1});
  caret = start;
  hasSelection = false;
}

void CodeDocument::InsertBlock(std::string_view text) {
  // Nothing to paste: the text, the selection and the history stay as they are.
  if (text.empty()) return;
  EditStep step(*this, UndoOp::InsertBlock);
  DeleteSelection();
  std::vector<std::string> pieces = SplitLines(text);
  const int k = static_cast<int>(pieces.size());
  const std::string_view former = lines[caret.line];
  const auto col = static_cast<std::size_t>(caret.col);
  pieces.front().insert(0, former.substr(0, col));
  const int m = static_cast<int>(pieces.back().size());
  pieces.back() += former.substr(col);
  ReplaceLines(caret.line, 1, std::move(pieces));
  caret = {caret.line + k - 1, m};
}

}  // namespace quillet
