#include "editor/completion.h"

#include <algorithm>

#include "common/gbk.h"
#include "editor/code_document.h"
#include "platform/completion_view.h"

namespace quillet {
namespace {

bool IsLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool ContinuesWord(int c) { return IsLetter(c) || IsDigit(c) || c == '.' || c == '_'; }
bool StartsWord(int c) { return IsLetter(c) || c == '#' || c == '$' || c == '%'; }

// ASCII letters outside two-byte characters to lower case.
std::string AsciiLowered(std::string text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (gbk::IsLeadByte(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      text[i] = char(c - 'A' + 'a');
    }
  }
  return text;
}

}  // namespace

bool CompletionPrompt::AccumulatePrefix(int code) {
  if (code < 0) return false;
  if (code > 255) {  // a whole two-byte character: the low byte comes first
    state_.promptCharBytes[0] = static_cast<unsigned char>(code & 0xFF);
    state_.promptCharBytes[1] = static_cast<unsigned char>((code >> 8) & 0xFF);
    HideCompletion();
    return false;
  }
  if (state_.promptLeadPending) {  // the trail byte of a two-byte character
    state_.promptCharBytes[1] = static_cast<unsigned char>(code);
    state_.promptLeadPending = false;
    HideCompletion();
    return false;
  }
  state_.promptCharBytes[0] = static_cast<unsigned char>(code);
  state_.promptCharBytes[1] = 0;
  if (code > 0x80) {  // a lead byte: the list waits for its trail byte
    state_.promptLeadPending = true;
    return false;
  }
  if (state_.active) {
    if (!ContinuesWord(code)) {
      HideCompletion();
      return false;
    }
  } else {
    if (!StartsWord(code)) return false;
    state_.prefix.clear();
  }
  state_.prefix += gbk::AsciiUpper(static_cast<char>(code));
  return true;
}

void CompletionPrompt::ShowCompletion(CodeDocument& doc) {
  if (state_.owner != &doc) {
    // Under the word's first letter, just below the caret's row; the list
    // stays there while the word goes on.
    const TextPos caret = doc.caret;
    const int wordStart = std::max(0, caret.col - static_cast<int>(state_.prefix.size()));
    listX_ = doc.ColumnOffset(caret.line, wordStart) - doc.GetHorizontalOrigin();
    listY_ = (caret.line - doc.GetTopLine()) * doc.RowPitch() + doc.GetCaretHeight();
    state_.owner = &doc;
    state_.active = true;
  }
  FillCompletionList(state_.prefix);
}

void CompletionPrompt::FillCompletionList(std::string_view prefix) {
  items_ = table_.CollectPrefix(prefix);
  if (items_.empty() || state_.owner == nullptr) {
    selection_ = -1;
    visible_ = false;
    view_.Hide();
    return;
  }
  selection_ = 0;
  visible_ = true;
  view_.Show(state_.owner->View(), items_, selection_, listX_, listY_);
}

void CompletionPrompt::DropLastPrefixChar() {
  std::string& prefix = state_.prefix;
  std::size_t last = 0;
  for (std::size_t i = 0; i < prefix.size(); i += static_cast<unsigned char>(prefix[i]) >= 0x80 ? 2 : 1) {
    last = i;
  }
  if (!prefix.empty()) prefix.erase(last);
}

void CompletionPrompt::HideCompletion() {
  if (state_.owner == nullptr) return;
  state_.active = false;
  state_.prefix.clear();
  items_.clear();
  selection_ = -1;
  visible_ = false;
  view_.Hide();
  state_.owner = nullptr;
}

void CompletionPrompt::AcceptCompletion(CodeDocument& doc) {
  // The list may belong to another window (its tab was left with the list
  // open): the space is an ordinary one here. A one-letter word is most often
  // a variable (x = 1, for i = ...), not the start of the first keyword.
  if (state_.owner != &doc || state_.prefix.size() < kShortestCompletedPrefix) {
    HideCompletion();
    doc.TypeCharacter(' ');
    return;
  }
  TakeSelection(doc);
}

void CompletionPrompt::TakeSelection(CodeDocument& doc) {
  if (visible_ && selection_ >= 0 && selection_ < static_cast<int>(items_.size())) {
    // Copies: inserting may scroll, and scrolling ends the prompt.
    const std::string prefix = state_.prefix;
    const std::string word = items_[static_cast<std::size_t>(selection_)].word;
    InsertCompletion(doc, prefix, word, view_.CapsLockOn());
  }
  HideCompletion();
}

void CompletionPrompt::AcceptItem(CodeDocument& doc, int index) {
  if (state_.owner != &doc || !visible_ || index < 0 || index >= static_cast<int>(items_.size())) {
    HideCompletion();
    return;
  }
  selection_ = index;
  TakeSelection(doc);  // a click means the word, however short the prefix
}

void CompletionPrompt::Forget(const CodeDocument& doc) {
  if (state_.owner == &doc) HideCompletion();
}

void InsertCompletion(CodeDocument& doc, std::string_view prefix, std::string_view word, bool capsLock) {
  if (word.empty()) return;
  std::string rest(word.substr(std::min(prefix.size(), word.size())));
  rest += ' ';
  doc.InsertText(capsLock ? rest : AsciiLowered(std::move(rest)));
}

}  // namespace quillet
