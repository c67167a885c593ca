#include "shell/documents.h"

#include <limits>
#include <utility>

#include "common/gbk.h"

namespace quillet {
namespace {

std::string Quoted(std::string_view before, std::string_view text, std::string_view after) {
  std::string out(before);
  out.append("\"").append(text).append("\"").append(after);
  return out;
}

}  // namespace

std::string DialogFilter(std::string_view barSeparated) {
  std::string filter(barSeparated);
  for (std::size_t i = 0; i < filter.size(); ++i) {
    if (gbk::IsLeadByte(static_cast<unsigned char>(filter[i]))) {
      ++i;  // a trail byte may be 0x7C
    } else if (filter[i] == '|') {
      filter[i] = '\0';
    }
  }
  filter.push_back('\0');
  filter.push_back('\0');
  return filter;
}

std::string UntitledName(int number, NewDocumentKind kind) {
  std::string name = kUntitledPrefix + std::to_string(number);
  if (kind == kNewExeProgram || kind == kNewDllProgram) name += ".bas";
  if (kind == kNewRcScript) name += ".rc";
  return name;
}

std::string NextUntitledName(int& counter, NewDocumentKind kind) { return UntitledName(++counter, kind); }

std::string LoadFailedText(std::string_view path) { return Quoted("读入文档:", path, "失败！"); }
std::string RecentGoneText(std::string_view path) { return Quoted("文件", path, "已经不存在，已从最近打开文件中删除"); }
std::string SaveFailedText(std::string_view path) { return Quoted("保存文档", path, "失败！"); }
std::string SaveQuestionText(std::string_view name) { return Quoted("", name, "已经修改，是否保存？"); }

std::string TabCaption(const CodeDocument& document) {
  return document.GetDisplayName() + (document.IsModified() ? "*" : "");
}

std::string MainTitle(std::string_view base, const CodeDocument& document) {
  std::string title(base);
  title.append(" - [").append(document.GetTitleText());
  if (document.IsModified()) title += "*";
  return title + "]";
}

StatusTexts StatusPanelTexts(int lineCount, TextPos caret) {
  return {std::to_string(lineCount), "行:" + std::to_string(caret.line + 1), "列:" + std::to_string(caret.col)};
}

StatusTexts WidestStatusPanelTexts() {
  // Counts are ints; "8" is as wide as any digit in the usual fonts.
  const std::string most(std::to_string(std::numeric_limits<int>::max()).size(), '8');
  return {most, "行:" + most, "列:" + most};
}

int DocumentList::Append(OpenDocument entry) {
  entries.push_back(std::move(entry));
  return Count();
}

OpenDocument DocumentList::Remove(int position) {
  OpenDocument taken = std::move(entries.at(position - 1));
  entries.erase(entries.begin() + (position - 1));
  return taken;
}

int DocumentList::FindFile(std::string_view path) const {
  for (int k = 1; k <= Count(); ++k) {
    if (!path.empty() && Document(k).HoldsFile(path)) return k;
  }
  return 0;
}

int DocumentList::HeldElsewhere(std::string_view path, int position) const {
  for (int k = 1; k <= Count(); ++k) {
    if (k != position && !path.empty() && Document(k).HoldsFile(path)) return k;
  }
  return 0;
}

int DocumentList::PositionOfWindow(const std::function<bool(const DocumentWindow&)>& test) const {
  for (int k = 1; k <= Count(); ++k) {
    if (Window(k) && test(*Window(k))) return k;
  }
  return 0;
}

void DocumentList::ShowOnly(int current) const {
  for (int k = 1; k <= Count(); ++k) {
    if (k != current && Window(k)) Window(k)->Hide();
  }
  if (!Contains(current) || !Window(current)) return;
  Window(current)->Show();
  Window(current)->Focus();
}

CloseOutcome DecideCloseDocument(const DocumentList& list, int position, CloseQuestions& ui) {
  if (!list.Contains(position)) return CloseOutcome::kKeep;
  // The last document goes with the program, whose close asks its own
  // question: asking here too would ask twice.
  if (list.Count() == 1) return CloseOutcome::kCloseProgram;
  const CodeDocument& document = list.Document(position);
  if (document.IsModified()) {
    switch (ui.AskBeforeClose(SaveQuestionText(document.GetDisplayName()))) {
      case YesNoCancel::Cancel:
        return CloseOutcome::kKeep;
      case YesNoCancel::Yes:
        if (!ui.Save(position)) return CloseOutcome::kKeep;
        break;
      case YesNoCancel::No:
        break;
    }
  }
  return CloseOutcome::kRemove;
}

bool DecideCloseAll(const DocumentList& list, CloseQuestions& ui) {
  bool saveAll = false;
  for (int k = 1; k <= list.Count(); ++k) {
    const CodeDocument& document = list.Document(k);
    if (!document.IsModified()) continue;
    int answer = kSaveThis;
    if (!saveAll) answer = ui.AskSaveChanges(SaveQuestionText(document.GetDisplayName()));
    switch (answer) {
      case kSaveAll:
        saveAll = true;
        [[fallthrough]];
      case kSaveThis:
        if (!ui.Save(k)) return false;
        break;
      case kDontSave:
        break;
      case kDontSaveAny:
        return true;
      default:  // 取消, or the dialog closed without an answer
        return false;
    }
  }
  return true;
}

void SaveAllModified(const DocumentList& list, const std::function<bool(int)>& save) {
  for (int k = 1; k <= list.Count(); ++k) {
    if (list.Document(k).IsModified()) save(k);
  }
}

}  // namespace quillet
