// The keyword completion prompt: while a word is typed, the keywords that
// begin with it are listed below the caret, and Space inserts the rest of the
// selected one. The character handler (editor/edit_input) drives it through
// the EditorHost; CompletionHost is the host part that forwards there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "language/keyword_table.h"
#include "platform/editor_host.h"

namespace quillet {

class CodeDocument;
class CompletionView;

// One prompt for the program.
struct CompletionState {
  std::string prefix;                   // typed since the prompt began, upper case; empty when idle
  const CodeDocument* owner = nullptr;  // the document whose window the list is attached to
  bool active = false;                  // a prompt is in progress
  bool promptLeadPending = false;       // the last character message was a lead byte
  unsigned char promptCharBytes[2] = {0, 0};
};

// Space completes a prefix of at least this many characters.
inline constexpr std::size_t kShortestCompletedPrefix = 2;

class CompletionPrompt {
 public:
  // The view and table must outlive the prompt.
  CompletionPrompt(CompletionView& view, const KeywordTable& table) : view_(view), table_(table) {}

  // A typed character code (a byte, or a whole two-byte character above 255).
  // True when it was added to the prefix: the list must then be shown again.
  bool AccumulatePrefix(int code);
  // Attaches the list below the start of the word when the prompt begins or
  // moves to another document, then fills it from the prefix.
  void ShowCompletion(CodeDocument& doc);
  // Refills the list; shown with its first item selected when anything
  // matches, hidden (the prompt going on) when nothing does.
  void FillCompletionList(std::string_view prefix);
  // Removes the prefix's last character (one or two bytes).
  void DropLastPrefixChar();
  // Back to idle: no prefix, no owner, list hidden. Nothing when idle.
  void HideCompletion();
  // Space with the list shown: inserts the rest of the selected word into
  // doc, then hides. After a single typed character, or in a document the
  // list is not attached to, the prompt just ends and the space is typed.
  void AcceptCompletion(CodeDocument& doc);
  // The list's item notification (a click on item index): takes that item.
  void AcceptItem(CodeDocument& doc, int index);
  // A closing document: the prompt must not stay attached to it.
  void Forget(const CodeDocument& doc);

  const CompletionState& State() const { return state_; }
  const std::vector<KeywordEntry>& Items() const { return items_; }
  int Selection() const { return selection_; }
  bool IsActive() const { return state_.active; }
  bool IsVisible() const { return visible_; }

 private:
  // Inserts the rest of the selected word (if the list shows one), then hides.
  void TakeSelection(CodeDocument& doc);

  CompletionView& view_;
  const KeywordTable& table_;
  CompletionState state_;
  std::vector<KeywordEntry> items_;
  int selection_ = -1;
  bool visible_ = false;
  int listX_ = 0;  // where the list sits in the owner's client area
  int listY_ = 0;
};

// The selected word without its first prefix.size() bytes (what was typed
// stays as typed), a space after it; lower case unless Caps Lock is on. It is
// inserted at the caret as one step. Nothing for an empty word.
void InsertCompletion(CodeDocument& doc, std::string_view prefix, std::string_view word, bool capsLock);

// The completion part of an editing host: the main window derives from it and
// adds the status bar and the edit commands.
class CompletionHost : public EditorHost {
 public:
  explicit CompletionHost(CompletionPrompt& prompt) : prompt_(prompt) {}

  void HideCompletion() override { prompt_.HideCompletion(); }
  bool CompletionListVisible() override { return prompt_.IsVisible(); }
  bool CompletionInProgress() override { return prompt_.IsActive(); }
  void AcceptCompletion(CodeDocument& doc) override { prompt_.AcceptCompletion(doc); }
  void DropLastPrefixChar() override { prompt_.DropLastPrefixChar(); }
  bool AccumulatePrefix(int code) override { return prompt_.AccumulatePrefix(code); }
  void ShowCompletion(CodeDocument& doc) override { prompt_.ShowCompletion(doc); }

  CompletionPrompt& Prompt() { return prompt_; }

 private:
  CompletionPrompt& prompt_;
};

}  // namespace quillet
