#include "editor/procedure_list.h"

#include "common/gbk.h"
#include "platform/procedure_tree.h"
#include "platform/user_messages.h"

namespace quillet {
namespace {

// A TAB counts as a space everywhere here.
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsNameByte(char c) { return IsLetter(c) || (c >= '0' && c <= '9') || c == '_'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithWord(std::string_view s, std::string_view upperWord) {
  if (s.size() < upperWord.size()) return false;
  for (std::size_t i = 0; i < upperWord.size(); ++i) {
    const char c = upperWord[i] == ' ' && IsBlank(s[i]) ? ' ' : gbk::AsciiUpper(s[i]);
    if (c != upperWord[i]) return false;
  }
  return true;
}

}  // namespace

bool ParseProcedureLine(std::string_view line, std::string& name) {
  const std::string_view s = TrimBlanks(line);
  if (s.size() < 5) return false;
  std::size_t start = 0;
  if (StartsWithWord(s, "FUNCTION ")) {
    start = 9;
  } else if (StartsWithWord(s, "SUB ")) {
    start = 4;
  } else {
    return false;
  }
  std::string_view rest = s.substr(start);
  rest = TrimBlanks(rest.substr(0, rest.find('(')));
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (IsBlank(rest[i])) {
      rest = rest.substr(0, i);
      break;
    }
  }
  if (rest.empty() || !IsLetter(rest[0])) return false;
  for (char c : rest) {
    if (!IsNameByte(c)) return false;
  }
  name.assign(rest);
  return true;
}

std::vector<std::string> CollectProcedures(const CodeDocument& doc) {
  std::vector<std::string> names;
  std::string name;
  for (const std::string& line : doc.lines) {
    if (ParseProcedureLine(line, name)) names.push_back(name);
  }
  return names;
}

void RefreshProcedureList(const CodeDocument& doc, ProcedureTree& tree) {
  tree.Show(doc.GetDisplayName(), CollectProcedures(doc));
}

int FindProcedureLine(const CodeDocument& doc, std::string_view name) {
  if (name.empty()) return -1;
  int index = 0;
  std::string found;
  for (const std::string& line : doc.lines) {
    // Equal names only: «Init» must not stop at «SUB InitAll».
    if (ParseProcedureLine(line, found) && gbk::EqualsNoCase(found, name)) return index;
    ++index;
  }
  return -1;
}

bool JumpToProcedure(CodeDocument& doc, std::string_view name) {
  const int line = FindProcedureLine(doc, name);
  if (line < 0) return false;
  doc.SelectAll();
  return doc.GoToLine(line + 1);
}

void JumpToSelectedProcedure(CodeDocument& doc, int selectedIndex, std::string_view name, ProcedureTree& tree,
                             UserMessages& messages) {
  if (!CanJumpToProcedure(selectedIndex)) return;
  if (JumpToProcedure(doc, name)) return;
  if (messages.AskYesNo(kProcedureNotFoundText, kProcedureNotFoundCaption)) RefreshProcedureList(doc, tree);
}

}  // namespace quillet
