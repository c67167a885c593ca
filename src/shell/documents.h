// The list of open documents behind the tab strip 文件选择夹, and the rules of
// the file commands that need no window: names of new documents, the texts of
// captions and messages, and what closing a document or the program decides
// after asking the user. Positions are 1-based and equal tab numbers; 0 means
// no document.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/code_document.h"
#include "platform/user_messages.h"
#include "shell/layout.h"

namespace quillet {

// What OpenDocument makes of an empty path.
enum NewDocumentKind : int {
  kNewPlainText = 0,  // one empty line, other text
  kNewExeProgram = 1,
  kNewDllProgram = 2,
  kNewRcScript = 3,
};

// ---- Texts ----

inline constexpr char kUntitledPrefix[] = "未命名";
inline constexpr char kSystemErrorCaption[] = "系统错误";
inline constexpr char kSaveErrorCaption[] = "出错：";
inline constexpr char kModifiedCaption[] = "文件已经修改";
inline constexpr char kCreateFailedText[] = "创建新文档失败！";
inline constexpr char kHeldElsewhereText[] = "文件已经在另一个标签中打开，请先关闭它";

// The filter text of the file dialog ("name|pattern|..."), with each bar that
// is not part of a two-byte character turned into NUL and the list ended by two NULs.
std::string DialogFilter(std::string_view barSeparated);

// "未命名" + number, then ".bas" for EXE and DLL programs, ".rc" for RC scripts.
std::string UntitledName(int number, NewDocumentKind kind);
// The untitled counter goes up by one for every new document, never down.
std::string NextUntitledName(int& counter, NewDocumentKind kind);

std::string LoadFailedText(std::string_view path);    // 读入文档:"path"失败！
std::string RecentGoneText(std::string_view path);    // 文件"path"已经不存在，已从最近打开文件中删除
std::string SaveFailedText(std::string_view path);    // 保存文档"path"失败！
std::string SaveQuestionText(std::string_view name);  // "name"已经修改，是否保存？

// The display name, with "*" while the document has unsaved changes.
std::string TabCaption(const CodeDocument& document);
// base + " - [" + full path (or display name) + "*"? + "]".
std::string MainTitle(std::string_view base, const CodeDocument& document);

// Panels 1..3 of the status bar: the line count, "行:" and the caret's line
// (1-based), "列:" and its column as stored (0-based).
using StatusTexts = std::array<std::string, 3>;
StatusTexts StatusPanelTexts(int lineCount, TextPos caret);
// The widest texts of those panels: every count at its largest, so that a
// panel wide enough for them shows any document's counts whole.
StatusTexts WidestStatusPanelTexts();

// The tab strip's image for a document: its source kind (0 BASIC, 1 include, 2 other).
inline int TabIcon(const CodeDocument& document) { return static_cast<int>(document.GetKind()); }

// ---- The list ----

// The window that shows a document, as far as the list's rules need it.
class DocumentWindow {
 public:
  virtual ~DocumentWindow() = default;
  virtual void Move(const Rect& area) = 0;
  virtual void Hide() = 0;
  virtual void Show() = 0;
  virtual void Focus() = 0;
  virtual void Close() = 0;
};

struct OpenDocument {
  std::unique_ptr<CodeDocument> document;
  std::unique_ptr<DocumentWindow> window;  // destroyed before the document it shows
};

class DocumentList {
 public:
  int Count() const { return static_cast<int>(entries.size()); }
  bool Contains(int position) const { return position >= 1 && position <= Count(); }
  CodeDocument& Document(int position) const { return *entries.at(position - 1).document; }
  DocumentWindow* Window(int position) const { return entries.at(position - 1).window.get(); }

  // Adds at the end; returns the new position.
  int Append(OpenDocument entry);
  // Takes the document out; the positions after it move up by one.
  OpenDocument Remove(int position);
  // The first position whose document holds path (letter case aside); 0 if none.
  int FindFile(std::string_view path) const;
  // The first position other than `position` that holds path; 0 if none. Saving
  // onto such a file would leave two tabs on it, the older one stale.
  int HeldElsewhere(std::string_view path, int position) const;
  // The first position whose window satisfies test; 0 if none.
  int PositionOfWindow(const std::function<bool(const DocumentWindow&)>& test) const;

  // Hides every other window, then shows and focuses the one at current (if any).
  void ShowOnly(int current) const;

 private:
  std::vector<OpenDocument> entries;
};

// ---- Closing ----

// The answers of the save-changes dialog; closing it by its title bar is 取消.
enum SaveChangesAnswer : int {
  kSaveThis = 1,     // 是
  kSaveAll = 2,      // 全是: this and every later modified document, without asking
  kDontSave = 3,     // 否
  kDontSaveAny = 4,  // 全否: none of the rest
  kCancelClose = 5,  // 取消
};

// What the closing rules ask of the user and of the save command.
class CloseQuestions {
 public:
  virtual ~CloseQuestions() = default;
  // The message box before one tab closes (是/否/取消).
  virtual YesNoCancel AskBeforeClose(const std::string& question) = 0;
  // The save-changes dialog before the program closes: an answer 1..5.
  virtual int AskSaveChanges(const std::string& question) = 0;
  // Saves the document at position (asking for a path when it has none);
  // false when it was not saved.
  virtual bool Save(int position) = 0;
};

enum class CloseOutcome {
  kKeep,          // the document stays open
  kRemove,        // take the document and its tab away
  kCloseProgram,  // it is the last one: close the main window instead
};

// Closing one document. Changes the user asked to save are never lost: when
// that save fails or is cancelled the document stays open. The last document
// is not asked about: the program's close asks instead.
CloseOutcome DecideCloseDocument(const DocumentList& list, int position, CloseQuestions& ui);

// The close request of the main window: asks about each modified document in
// list order. False keeps the program running, also when a save the user
// asked for fails or is cancelled.
bool DecideCloseAll(const DocumentList& list, CloseQuestions& ui);

// 全部保存: saves each modified document in list order, whatever became of
// the ones before it.
void SaveAllModified(const DocumentList& list, const std::function<bool(int)>& save);

}  // namespace quillet
