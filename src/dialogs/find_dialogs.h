// What the find, replace and go-to-line dialogs do when their buttons are
// pressed, apart from reading and writing their controls. The dialogs collect
// the arguments, call these, and show the outcome.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/code_document.h"

namespace quillet {

class UserMessages;

inline constexpr char kEnterSearchText[] = "请输入要查找的词条";
inline constexpr char kEnterReplacementText[] = "请输入要替换的词条";
inline constexpr char kLineOutOfRangeText[] = "行号已经超出范围";
inline constexpr char kGoToLinePrompt[] = "请输入要跳转到的行号:(1~xxxxx)";

// The texts searched for in this run of the program, newest first; shown in
// the find dialog's combo box. One for the program.
class FindHistory {
 public:
  // Puts text at the top unless an entry already equals it: exactly when the
  // search was case-sensitive, else with ASCII letters folded (never the
  // bytes of a two-byte character). True when it was added.
  bool Remember(std::string_view text, bool caseSensitive);
  const std::vector<std::string>& Entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

// 查找关键字(&F) of the find dialog. direction is the direction list's index
// and becomes 1 after a whole-text search that found something, so the next
// press goes on downwards. An empty text does nothing.
struct FindPressResult {
  bool found = false;
  int direction = 0;            // the list's index from now on
  bool addedToHistory = false;  // then the text goes to the top of the combo box's list too
};
FindPressResult PressFindButton(CodeDocument& doc, std::string_view text, int direction, bool caseSensitive,
                                FindHistory& history);

// The replace dialog's buttons. focus says which edit box gets the focus
// after a message about an empty one.
enum class ReplaceFocus { None, SearchText, Replacement };
struct ReplacePressResult {
  ReplaceFocus focus = ReplaceFocus::None;
  bool replaceEnabled = false;  // 替换(&R) after this press
};
// 查找下一个(&F): a downward search.
ReplacePressResult PressReplaceFindNext(CodeDocument& doc, std::string_view search, bool caseSensitive,
                                        UserMessages& messages);
// 替换(&R): the selected match becomes the replacement, then the next match is sought.
ReplacePressResult PressReplaceOne(CodeDocument& doc, std::string_view search, std::string_view replacement,
                                   bool caseSensitive, UserMessages& messages);
// 全部替换(&A): replaces all as one undo step and tells how many. 替换(&R) keeps
// its state (replaceEnabled is the `wasEnabled` passed in).
ReplacePressResult PressReplaceAll(CodeDocument& doc, std::string_view search, std::string_view replacement,
                                   bool caseSensitive, bool wasEnabled, UserMessages& messages);
// 一共有n处被替换
std::string ReplacedCountText(int count);

// The go-to-line input box's text as a line number: decimal digits with
// optional blanks around them; anything else (also an empty text) is no number.
// Numbers too large for a line are kept as the largest int, which no text reaches.
std::optional<int> ParseLineNumber(std::string_view text);
// 到指定行(&L) after the input box: nullopt (cancelled) does nothing; else
// everything is selected and the caret goes to the line, or the whole text
// stays selected and the user is told the number is out of range.
void GoToLineCommand(CodeDocument& doc, std::optional<int> lineNumber, UserMessages& messages);

}  // namespace quillet
