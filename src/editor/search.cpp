#include "editor/search.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include "editor/text_search.h"
#include "platform/user_messages.h"

namespace quillet {
namespace {

constexpr std::int32_t kReplacementOp = 7;

TextPos ClampedCaret(const CodeDocument& doc) {
  const int line = std::clamp(doc.caret.line, 0, doc.lines.size() - 1);
  return {line, std::clamp(doc.caret.col, 0, doc.LineLength(line))};
}

// A replacement step keeps, for each changed line, its index and its bytes
// before and after: the indices packed four bytes each into the record's text,
// the old bytes in selectionLines and the new ones in pastedLines. The record
// has no fields of its own for this yet; only this file reads them.
void PackLineIndex(std::string& packed, std::int32_t line) {
  char bytes[sizeof line];
  std::memcpy(bytes, &line, sizeof line);
  packed.append(bytes, sizeof line);
}

std::int32_t PackedLineIndex(const std::string& packed, std::size_t k) {
  std::int32_t line = 0;
  std::memcpy(&line, packed.data() + k * sizeof line, sizeof line);
  return line;
}

void ReplayLineChanges(CodeDocument& doc, const UndoRecord& r, bool redo) {
  const std::vector<std::string>& texts = redo ? r.pastedLines : r.selectionLines;
  for (std::size_t k = 0; k < texts.size(); ++k) doc.lines.SetLine(PackedLineIndex(r.text, k), texts[k]);
  if (redo) {
    // As after the replacement itself: no selection, the caret at the text's end.
    doc.hasSelection = false;
    doc.caret = {doc.lines.size() - 1, doc.LineLength(doc.lines.size() - 1)};
  }
}

}  // namespace

std::string NotFoundText(std::string_view text) {
  std::string out = "找不到\"";
  out += text;
  out += '"';
  return out;
}

FoundText Locate(const CodeDocument& doc, std::string_view text, int direction, bool caseSensitive) {
  if (text.empty()) return {};
  const TextMatcher matcher(text, caseSensitive);
  const LineStore& lines = doc.lines;
  const TextPos from = ClampedCaret(doc);
  if (direction == kFindUp) {
    // In the caret's line a match must begin before the caret, so the match
    // just found (the caret sits at its start) is not found again.
    std::size_t at = matcher.FindLast(lines[from.line], static_cast<std::size_t>(from.col));
    for (int i = from.line;; at = matcher.FindLast(lines[--i])) {
      if (at != TextMatcher::npos) return {true, {i, static_cast<int>(at)}};
      if (i == 0) return {};
    }
  }
  const int first = direction == kFindDown ? from.line : 0;
  std::size_t col = direction == kFindDown ? static_cast<std::size_t>(from.col) : 0;
  int i = first;
  const auto end = lines.end();
  for (auto it = lines.IteratorAt(first); it != end; ++it, ++i, col = 0) {
    const std::size_t at = matcher.FindFirst(*it, col);
    if (at != TextMatcher::npos) return {true, {i, static_cast<int>(at)}};
  }
  return {};
}

bool Find(CodeDocument& doc, std::string_view text, int direction, bool caseSensitive) {
  if (text.empty()) return false;
  const FoundText hit = Locate(doc, text, direction, caseSensitive);
  if (!hit.found) {
    if (UserMessages* messages = doc.Context().messages) messages->Inform(NotFoundText(text));
    return false;
  }
  doc.findText = std::string(text);
  doc.findState = caseSensitive ? 1 : 0;
  doc.anchor = hit.start;
  doc.selEnd = {hit.start.line, hit.start.col + static_cast<int>(text.size())};
  doc.caret = direction == kFindUp ? doc.anchor : doc.selEnd;
  doc.hasSelection = true;
  doc.ScrollCaretIntoView();
  doc.Invalidate();
  return true;
}

void FindNext(CodeDocument& doc) {
  if (doc.findText.empty()) return;
  const std::string text = doc.findText;
  Find(doc, text, kFindDown, doc.findState != 0);
}

void FindPrevious(CodeDocument& doc) {
  if (doc.findText.empty()) return;
  const std::string text = doc.findText;
  Find(doc, text, kFindUp, doc.findState != 0);
}

ReplacementPlan PlanReplaceAll(const LineStore& lines, std::string_view search, std::string_view replacement,
                               bool caseSensitive) {
  ReplacementPlan plan;
  if (search.empty()) return plan;
  const TextMatcher matcher(search, caseSensitive);
  std::int32_t index = 0;
  std::string out;
  for (const std::string& line : lines) {
    std::size_t kept = 0;
    out.clear();
    const std::size_t n = matcher.ForEach(line, [&](std::size_t at) {
      out.append(line, kept, at - kept);
      out.append(replacement);
      kept = at + search.size();
    });
    if (n > 0) {
      out.append(line, kept);
      plan.changes.push_back({index, out});
      plan.count += static_cast<std::int64_t>(n);
    }
    ++index;
  }
  return plan;
}

void ApplyLineChanges(CodeDocument& doc, std::vector<LineChange> changes, bool recordUndo) {
  if (changes.empty()) return;
  UndoRecord record;
  if (recordUndo) {
    record.op = kReplacementOp;
    doc.CaptureViewState(record);
    record.text.reserve(changes.size() * sizeof(std::int32_t));
    record.selectionLines.reserve(changes.size());
    record.pastedLines.reserve(changes.size());
  }
  for (LineChange& change : changes) {
    if (recordUndo) {
      PackLineIndex(record.text, change.line);
      record.selectionLines.push_back(doc.lines[change.line]);
      record.pastedLines.push_back(change.text);
    }
    doc.lines.SetLine(change.line, std::move(change.text));
  }
  if (!recordUndo) return;
  if (!doc.replayReplacement) {
    CodeDocument* target = &doc;
    doc.replayReplacement = [target](const UndoRecord& r, bool redo) { ReplayLineChanges(*target, r, redo); };
  }
  doc.PushUndo(std::move(record));
}

int ReplaceAll(CodeDocument& doc, std::string_view search, std::string_view replacement, bool caseSensitive,
               bool noUndo) {
  ReplacementPlan plan = PlanReplaceAll(doc.lines, search, replacement, caseSensitive);
  if (plan.count > 0) {
    ApplyLineChanges(doc, std::move(plan.changes), !noUndo);
    doc.modified = true;  // a replacement that found nothing leaves the mark as it was
    doc.RecountLines();
  }
  doc.CaretTextEnd();
  doc.Invalidate();
  return static_cast<int>(std::min<std::int64_t>(plan.count, INT_MAX));
}

}  // namespace quillet
