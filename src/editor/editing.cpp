// Changing the text: typed characters, line breaks, deletion, and the
// clipboard commands. Each edit ends the same way (see EndEdit) and, unless it
// is a redo repeating itself, leaves one step in the undo history.
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "common/gbk.h"
#include "editor/code_document.h"
#include "editor/line_split.h"
#include "platform/clipboard.h"

namespace quillet {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// The common ending of every edit; the step is recorded last so that it is
// only in the history once the text is consistent again.
void EndEdit(CodeDocument& doc, UndoRecord& record, bool noUndo) {
  doc.modified = true;
  doc.RecountLines();
  doc.ScrollCaretIntoView();
  doc.Invalidate();
  if (!noUndo) doc.PushUndo(std::move(record));
}

UndoRecord StartStep(const CodeDocument& doc, int op) {
  UndoRecord record;
  record.op = op;
  doc.CaptureViewState(record);
  return record;
}

int LeadingTabs(std::string_view text) {
  const std::size_t n = text.find_first_not_of('\t');
  return static_cast<int>(n == std::string_view::npos ? text.size() : n);
}

// Start of the character that ends at or straddles col, found by walking from
// the line's first byte so that a pair is never split.
int CharStartBefore(std::string_view line, int col) {
  int start = 0;
  for (int i = 0; i < col;) {
    start = i;
    i += gbk::IsLeadByte(static_cast<unsigned char>(line[static_cast<std::size_t>(i)])) ? 2 : 1;
  }
  return start;
}

// A position moved inside the text, so a stale end can never index past it.
TextPos Clamped(const CodeDocument& doc, TextPos pos) {
  pos.line = std::clamp(pos.line, 0, doc.lines.size() - 1);
  pos.col = std::clamp(pos.col, 0, doc.LineLength(pos.line));
  return pos;
}

struct Span {
  TextPos start;
  TextPos end;
};

// The selection with its ends in text order.
Span OrderedSelection(const CodeDocument& doc) {
  const TextPos a = Clamped(doc, doc.anchor);
  const TextPos b = Clamped(doc, doc.selEnd);
  const bool anchorFirst = a.line < b.line || (a.line == b.line && a.col <= b.col);
  return anchorFirst ? Span{a, b} : Span{b, a};
}

std::vector<std::string> LinesBetween(const LineStore& lines, int first, int last) {
  const auto it = lines.IteratorAt(first);
  return {it, std::next(it, last - first + 1)};
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
    if (gbk::IsColourLeadByte(static_cast<unsigned char>(code))) {
      input.pendingLead = true;
      input.leadByte = bytes[0];
      return;
    }
  }
  InsertText(std::string_view(bytes, count));
}

void CodeDocument::InsertText(std::string_view text, bool noUndo) {
  UndoRecord record = StartStep(*this, 3);
  DeleteSelection(record);
  std::string line = lines[caret.line];
  line.insert(static_cast<std::size_t>(caret.col), text);
  lines.SetLine(caret.line, std::move(line));
  record.text = text;
  caret.col += static_cast<int>(text.size());
  EndEdit(*this, record, noUndo);
}

int CodeDocument::InsertLineBreak(bool noUndo) { return InsertLineBreakIndented(-1, noUndo); }

int CodeDocument::InsertLineBreakIndented(int indent, bool noUndo) {
  UndoRecord record = StartStep(*this, 1);
  DeleteSelection(record);
  const std::string& line = lines[caret.line];
  const auto col = static_cast<std::size_t>(caret.col);
  std::string head = line.substr(0, col);
  std::string tail = line.substr(col);
  if (indent < 0) indent = Settings().autoIndent ? LeadingTabs(head) : 0;
  lines.SetLine(caret.line, std::move(head));
  lines.InsertLine(caret.line + 1, std::string(static_cast<std::size_t>(indent), '\t') + tail);
  caret = {caret.line + 1, indent};
  record.indent = indent;
  EndEdit(*this, record, noUndo);
  return indent;
}

void CodeDocument::DeleteBackward(bool noUndo) {
  if (!noUndo && hasSelection) {
    Delete();
    return;
  }
  if (caret.col == 0 && caret.line == 0) return;
  UndoRecord record = StartStep(*this, 2);
  if (caret.col == 0) {
    const int joined = caret.line - 1;
    const int p = LineLength(joined);
    record.text = kLineBreak;
    record.joinColumn = p;
    lines.SetLine(joined, lines[joined] + lines[caret.line]);
    lines.EraseLines(caret.line, 1);
    caret = {joined, p};
  } else {
    std::string line = lines[caret.line];
    const int start = CharStartBefore(line, caret.col);
    const auto from = static_cast<std::size_t>(start);
    const auto size = static_cast<std::size_t>(caret.col - start);
    record.text = line.substr(from, size);
    line.erase(from, size);
    lines.SetLine(caret.line, std::move(line));
    caret.col = start;
  }
  EndEdit(*this, record, noUndo);
}

void CodeDocument::DeleteForward(bool noUndo) {
  const int length = LineLength(caret.line);
  const bool atEnd = caret.col >= length;
  if (atEnd && caret.line + 1 >= lines.size()) return;
  UndoRecord record = StartStep(*this, 4);
  if (atEnd) {
    record.text = kLineBreak;
    lines.SetLine(caret.line, lines[caret.line] + lines[caret.line + 1]);
    lines.EraseLines(caret.line + 1, 1);
  } else {
    std::string line = lines[caret.line];
    const auto at = static_cast<std::size_t>(caret.col);
    // A lead byte at the very end of the line has no trail byte to take along.
    const std::size_t size = gbk::IsLeadByte(static_cast<unsigned char>(line[at])) ? 2 : 1;
    record.text = line.substr(at, size);
    line.erase(at, size);
    lines.SetLine(caret.line, std::move(line));
  }
  EndEdit(*this, record, noUndo);
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
  if (!hasSelection) {
    DeleteForward();
    return;
  }
  UndoRecord record = StartStep(*this, 5);
  DeleteSelection(record);
  EndEdit(*this, record, false);
}

void CodeDocument::DeleteSelection(UndoRecord& record) {
  if (!hasSelection) return;
  record.caretBeforeDeletion = caret;
  const auto [start, end] = OrderedSelection(*this);
  record.hadSelection = true;
  record.selectionLines = LinesBetween(lines, start.line, end.line);
  std::string joined = lines[start.line].substr(0, static_cast<std::size_t>(start.col));
  joined += std::string_view(lines[end.line]).substr(static_cast<std::size_t>(end.col));
  lines.SetLine(start.line, std::move(joined));
  if (end.line > start.line) lines.EraseLines(start.line + 1, end.line - start.line);
  caret = start;
  record.caret = start;
  hasSelection = false;
}

void CodeDocument::InsertBlock(std::string_view text) {
  // Nothing to paste: the text, the selection and the history stay as they are.
  if (text.empty()) return;
  UndoRecord record = StartStep(*this, 6);
  DeleteSelection(record);
  std::vector<std::string> pieces = SplitLines(text);
  const int k = static_cast<int>(pieces.size());
  record.pieceCount = k;
  record.formerLine = lines[caret.line];
  const std::string_view former = record.formerLine;
  const auto col = static_cast<std::size_t>(caret.col);
  pieces.front().insert(0, former.substr(0, col));
  const int m = static_cast<int>(pieces.back().size());
  pieces.back() += former.substr(col);
  record.pastedLines = pieces;
  SpliceLine(caret.line, std::move(pieces));
  caret = {caret.line + k - 1, m};
  EndEdit(*this, record, false);
}

void CodeDocument::SpliceLine(int line, std::vector<std::string> pieces) {
  lines.SetLine(line, std::move(pieces.front()));
  if (pieces.size() > 1) {
    lines.InsertLines(line + 1, std::vector<std::string>(std::make_move_iterator(pieces.begin() + 1),
                                                         std::make_move_iterator(pieces.end())));
  }
}

}  // namespace quillet
