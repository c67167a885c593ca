#include "shell/documents.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/std_file_system.h"

namespace quillet {
namespace {

// Records what the list asks of a window.
class FakeWindow : public DocumentWindow {
 public:
  explicit FakeWindow(std::vector<std::string>& log, std::string name) : log(log), name(std::move(name)) {}
  void Move(const Rect&) override { log.push_back("move " + name); }
  void Hide() override { log.push_back("hide " + name); }
  void Show() override { log.push_back("show " + name); }
  void Focus() override { log.push_back("focus " + name); }
  void Close() override { log.push_back("close " + name); }
  std::vector<std::string>& log;
  std::string name;
};

// Answers from a script; saves succeed unless listed as failing, and a
// successful save clears the modified mark as the real one does.
class ScriptedQuestions : public CloseQuestions {
 public:
  explicit ScriptedQuestions(const DocumentList& list) : list(list) {}
  YesNoCancel AskBeforeClose(const std::string& question) override {
    asked.push_back(question);
    return closeAnswers.empty() ? YesNoCancel::Cancel : Next(closeAnswers);
  }
  int AskSaveChanges(const std::string& question) override {
    asked.push_back(question);
    return dialogAnswers.empty() ? kCancelClose : Next(dialogAnswers);
  }
  bool Save(int position) override {
    saved.push_back(position);
    if (failing[position]) return false;
    list.Document(position).modified = false;
    return true;
  }
  template <typename T>
  static T Next(std::deque<T>& queue) {
    T front = queue.front();
    queue.pop_front();
    return front;
  }

  const DocumentList& list;
  std::deque<YesNoCancel> closeAnswers;
  std::deque<int> dialogAnswers;
  std::map<int, bool> failing;
  std::vector<std::string> asked;
  std::vector<int> saved;
};

class DocumentsTest : public ::testing::Test {
 protected:
  // Adds a document named name (modified or not) with a path when given.
  int Add(const std::string& name, bool modified, const std::string& path = "") {
    auto document = std::make_unique<CodeDocument>(context);
    document->SetDisplayName(name);
    document->filePath = path;
    document->modified = modified;
    return list.Append({std::move(document), std::make_unique<FakeWindow>(log, name)});
  }

  EditorSettings settings;
  StdFileSystem files;
  EditorContext context{settings, files};
  DocumentList list;
  std::vector<std::string> log;
  ScriptedQuestions ui{list};
};

TEST_F(DocumentsTest, UntitledNamesCountUpAcrossKinds) {
  int counter = 0;
  EXPECT_EQ(NextUntitledName(counter, kNewExeProgram), "未命名1.bas");
  EXPECT_EQ(NextUntitledName(counter, kNewPlainText), "未命名2");
  EXPECT_EQ(NextUntitledName(counter, kNewRcScript), "未命名3.rc");
  EXPECT_EQ(NextUntitledName(counter, kNewDllProgram), "未命名4.bas");
  EXPECT_EQ(counter, 4);
  EXPECT_EQ(UntitledName(12, kNewExeProgram), "未命名12.bas");
}

TEST_F(DocumentsTest, CaptionsAndMessagesAreExact) {
  Add("未命名1.bas", false);
  Add("a.bas", true, "C:\\源码\\a.bas");
  const CodeDocument& untitled = list.Document(1);
  const CodeDocument& named = list.Document(2);
  EXPECT_EQ(TabCaption(untitled), "未命名1.bas");
  EXPECT_EQ(MainTitle("Quillet 2.8正式版", untitled), "Quillet 2.8正式版 - [未命名1.bas]");
  EXPECT_EQ(TabCaption(named), "a.bas*");
  EXPECT_EQ(MainTitle("Quillet 2.8正式版", named), "Quillet 2.8正式版 - [C:\\源码\\a.bas*]");
  list.Document(1).modified = true;
  EXPECT_EQ(MainTitle("B", untitled), "B - [未命名1.bas*]");

  EXPECT_EQ(LoadFailedText("C:\\x.bas"), "读入文档:\"C:\\x.bas\"失败！");
  EXPECT_EQ(SaveFailedText("C:\\x.bas"), "保存文档\"C:\\x.bas\"失败！");
  EXPECT_EQ(SaveQuestionText("x.bas"), "\"x.bas\"已经修改，是否保存？");

  // 0x81 0x7C is one character whose trail byte is the bar.
  EXPECT_EQ(DialogFilter("A\x81\x7C(*.a)|*.a|B|*.*"), std::string("A\x81\x7C(*.a)\0*.a\0B\0*.*\0\0", 20));
}

TEST_F(DocumentsTest, FindsAnOpenFileInAnyLetterCaseButNeverFoldsTrailBytes) {
  Add("未命名1.bas", false);
  // 0x81 0x61 is one two-byte character whose trail byte is the letter 'a'.
  Add("\x81\x61.bas", false, "C:\\Src\\\x81\x61.bas");
  EXPECT_EQ(list.FindFile("c:\\SRC\\\x81\x61.BAS"), 2);
  EXPECT_EQ(list.FindFile("C:\\Src\\\x81\x41.bas"), 0);  // another character, not another case
  EXPECT_EQ(list.FindFile(""), 0);                       // untitled documents hold no file
  EXPECT_EQ(list.FindFile("C:\\Src\\b.bas"), 0);
}

TEST_F(DocumentsTest, PositionsFollowRemovalAndOnlyTheCurrentWindowShows) {
  Add("a", false);
  Add("b", false);
  Add("c", false);
  EXPECT_EQ(list.PositionOfWindow(
                [](const DocumentWindow& w) { return static_cast<const FakeWindow&>(w).name == "c"; }),
            3);
  OpenDocument removed = list.Remove(2);
  EXPECT_EQ(removed.document->GetDisplayName(), "b");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Document(2).GetDisplayName(), "c");
  list.ShowOnly(2);
  EXPECT_EQ(log, (std::vector<std::string>{"hide a", "show c", "focus c"}));
  log.clear();
  list.ShowOnly(0);
  EXPECT_EQ(log, (std::vector<std::string>{"hide a", "hide c"}));
}

TEST_F(DocumentsTest, ClosingOneTabAsksOnlyWhenModified) {
  Add("a.bas", false);
  Add("b.bas", true);
  EXPECT_EQ(DecideCloseDocument(list, 1, ui), CloseOutcome::kRemove);
  EXPECT_TRUE(ui.asked.empty());

  ui.closeAnswers = {YesNoCancel::Cancel, YesNoCancel::No, YesNoCancel::Yes};
  EXPECT_EQ(DecideCloseDocument(list, 2, ui), CloseOutcome::kKeep);
  EXPECT_EQ(DecideCloseDocument(list, 2, ui), CloseOutcome::kRemove);
  EXPECT_TRUE(ui.saved.empty());
  EXPECT_EQ(DecideCloseDocument(list, 2, ui), CloseOutcome::kRemove);
  EXPECT_EQ(ui.saved, std::vector<int>{2});
  EXPECT_EQ(ui.asked.front(), "\"b.bas\"已经修改，是否保存？");
  EXPECT_EQ(DecideCloseDocument(list, 3, ui), CloseOutcome::kKeep);  // no such tab
}

TEST_F(DocumentsTest, ClosingNeverDropsChangesWhoseSaveFailed) {
  Add("a.bas", true);
  Add("b.bas", true);
  ui.failing[2] = true;
  ui.closeAnswers = {YesNoCancel::Yes};
  EXPECT_EQ(DecideCloseDocument(list, 2, ui), CloseOutcome::kKeep);
  EXPECT_TRUE(list.Document(2).IsModified());
}

TEST_F(DocumentsTest, TheLastTabClosesTheProgramWhichAsksOnce) {
  Add("a.bas", true);
  EXPECT_EQ(DecideCloseDocument(list, 1, ui), CloseOutcome::kCloseProgram);
  EXPECT_TRUE(ui.asked.empty());  // the program's close asks, not this one
  EXPECT_TRUE(list.Document(1).IsModified());
}

TEST_F(DocumentsTest, AFileHeldByAnotherTabIsFoundByPathInAnyCase) {
  Add("a.bas", false, "C:\\src\\A.bas");
  Add("b.bas", false);
  EXPECT_EQ(list.HeldElsewhere("c:\\SRC\\a.BAS", 2), 1);
  EXPECT_EQ(list.HeldElsewhere("c:\\SRC\\a.BAS", 1), 0);  // its own file
  EXPECT_EQ(list.HeldElsewhere("", 2), 0);
}

TEST_F(DocumentsTest, EachSaveChangesAnswer) {
  struct Case {
    std::deque<int> answers;
    bool closes;
    std::vector<int> saved;
    int questions;
  };
  // Documents 1, 3 and 4 are modified; 2 is not and is never asked about.
  const Case cases[] = {
      {{kSaveThis, kSaveThis, kSaveThis}, true, {1, 3, 4}, 3},
      {{kSaveAll}, true, {1, 3, 4}, 1},
      {{kDontSave, kSaveAll}, true, {3, 4}, 2},
      {{kDontSave, kDontSave, kDontSave}, true, {}, 3},
      {{kSaveThis, kDontSaveAny}, true, {1}, 2},
      {{kDontSave, kCancelClose}, false, {}, 2},
      {{0}, false, {}, 1},  // the dialog gave no answer
  };
  for (const Case& c : cases) {
    list = DocumentList();
    Add("a.bas", true);
    Add("b.bas", false);
    Add("c.bas", true);
    Add("d.bas", true);
    ScriptedQuestions questions(list);
    questions.dialogAnswers = c.answers;
    EXPECT_EQ(DecideCloseAll(list, questions), c.closes) << c.answers.front();
    EXPECT_EQ(questions.saved, c.saved) << c.answers.front();
    EXPECT_EQ(static_cast<int>(questions.asked.size()), c.questions) << c.answers.front();
  }
  EXPECT_EQ(ui.asked.size(), 0u);
}

TEST_F(DocumentsTest, AFailedSaveStopsTheProgramsClose) {
  Add("a.bas", true);
  Add("b.bas", true);
  Add("c.bas", true);
  ui.failing[1] = true;
  ui.dialogAnswers = {kSaveThis};
  EXPECT_FALSE(DecideCloseAll(list, ui));
  EXPECT_EQ(ui.saved, std::vector<int>{1});
  EXPECT_EQ(ui.asked.size(), 1u);

  // 全是 asked for the later ones too: a failure there stops the close as well.
  ui.failing = {{2, true}};
  ui.saved.clear();
  ui.dialogAnswers = {kSaveAll};
  EXPECT_FALSE(DecideCloseAll(list, ui));
  EXPECT_EQ(ui.saved, (std::vector<int>{1, 2}));
  EXPECT_TRUE(list.Document(3).IsModified());
}

TEST_F(DocumentsTest, SaveAllGoesOnAfterACancelledSave) {
  Add("未命名1.bas", true);
  Add("x.bas", false, "C:\\x.bas");
  Add("未命名2", true);
  std::vector<int> asked;
  SaveAllModified(list, [&](int k) {
    asked.push_back(k);
    return k != 1;  // the first save dialog is cancelled
  });
  EXPECT_EQ(asked, (std::vector<int>{1, 3}));
}

}  // namespace
}  // namespace quillet
