#include "dialogs/find_dialogs.h"

#include <algorithm>
#include <climits>

#include "common/gbk.h"
#include "editor/search.h"
#include "platform/user_messages.h"

namespace quillet {

bool FindHistory::Remember(std::string_view text, bool caseSensitive) {
  const bool known = std::any_of(entries_.begin(), entries_.end(), [&](const std::string& entry) {
    return caseSensitive ? entry == text : gbk::EqualsNoCase(entry, text);
  });
  if (known) return false;
  entries_.insert(entries_.begin(), std::string(text));
  return true;
}

FindPressResult PressFindButton(CodeDocument& doc, std::string_view text, int direction, bool caseSensitive,
                                FindHistory& history) {
  FindPressResult result;
  result.direction = direction;
  if (text.empty()) return result;
  result.found = Find(doc, text, direction, caseSensitive);
  if (result.found && direction == kFindWholeText) result.direction = kFindDown;
  result.addedToHistory = history.Remember(text, caseSensitive);
  return result;
}

ReplacePressResult PressReplaceFindNext(CodeDocument& doc, std::string_view search, bool caseSensitive,
                                        UserMessages& messages) {
  if (search.empty()) {
    messages.Inform(kEnterSearchText);
    return {ReplaceFocus::SearchText, false};
  }
  return {ReplaceFocus::None, Find(doc, search, kFindDown, caseSensitive)};
}

ReplacePressResult PressReplaceOne(CodeDocument& doc, std::string_view search, std::string_view replacement,
                                   bool caseSensitive, UserMessages& messages) {
  if (replacement.empty()) {
    messages.Inform(kEnterReplacementText);
    return {ReplaceFocus::Replacement, true};
  }
  // Only a selection made by the last search is replaced; without one this is a search.
  if (doc.HasSelection() && !search.empty()) doc.InsertText(replacement);
  return PressReplaceFindNext(doc, search, caseSensitive, messages);
}

ReplacePressResult PressReplaceAll(CodeDocument& doc, std::string_view search, std::string_view replacement,
                                   bool caseSensitive, bool wasEnabled, UserMessages& messages) {
  if (search.empty()) {
    messages.Inform(kEnterSearchText);
    return {ReplaceFocus::SearchText, wasEnabled};
  }
  if (replacement.empty()) {
    messages.Inform(kEnterReplacementText);
    return {ReplaceFocus::Replacement, wasEnabled};
  }
  const int count = ReplaceAll(doc, search, replacement, caseSensitive);
  messages.Inform(ReplacedCountText(count));
  return {ReplaceFocus::None, wasEnabled};
}

std::string ReplacedCountText(int count) { return "一共有" + std::to_string(count) + "处被替换"; }

std::optional<int> ParseLineNumber(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = std::min<long long>(value * 10 + (c - '0'), INT_MAX);
  }
  return static_cast<int>(value);
}

void GoToLineCommand(CodeDocument& doc, std::optional<int> lineNumber, UserMessages& messages) {
  if (!lineNumber) return;
  doc.SelectAll();
  if (!doc.GoToLine(*lineNumber)) messages.Inform(kLineOutOfRangeText);
}

}  // namespace quillet
