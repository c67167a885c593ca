#include "editor/search.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "editor/text_search.h"
#include "platform/user_messages.h"

namespace quillet {
namespace {

TextPos ClampedCaret(const CodeDocument& doc) {
  const int line = std::clamp(doc.caret.line, 0, doc.lines.size() - 1);
  return {line, std::clamp(doc.caret.col, 0, doc.LineLength(line))};
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

void ApplyLineChanges(CodeDocument& doc, std::vector<LineChange> changes) {
  if (changes.empty()) return;
  // One step: undo puts back the old bytes of each changed line, redo the new.
  EditStep step(doc, UndoOp::Replacement);
  for (LineChange& change : changes) doc.ReplaceLine(change.line, std::move(change.text));
  // As after the replacement: no selection, the caret at the text's end.
  doc.hasSelection = false;
  doc.caret = {doc.lines.size() - 1, doc.LineLength(doc.lines.size() - 1)};
}

int ReplaceAll(CodeDocument& doc, std::string_view search, std::string_view replacement, bool caseSensitive) {
  ReplacementPlan plan = PlanReplaceAll(doc.lines, search, replacement, caseSensitive);
  // A replacement that found nothing leaves the text and its mark as they were.
  ApplyLineChanges(doc, std::move(plan.changes));
  doc.CaretTextEnd();
  return static_cast<int>(std::min<std::int64_t>(plan.count, INT_MAX));
}

}  // namespace quillet
