#include "editor/procedure_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/editing_fixture.h"
#include "platform/procedure_tree.h"
#include "platform/user_messages.h"

namespace quillet {
namespace {

using Names = std::vector<std::string>;

std::string Parsed(std::string_view line) {
  std::string name = "<unchanged>";
  return ParseProcedureLine(line, name) ? name : "-";
}

TEST(ProcedureLineTest, OnlyLinesWhoseFirstWordIsFunctionOrSubWithAPlainName) {
  EXPECT_EQ(Parsed("FUNCTION PBMAIN () AS LONG"), "PBMAIN");
  EXPECT_EQ(Parsed("  Sub  Init"), "Init");
  EXPECT_EQ(Parsed("\tfunction\tCalc AS LONG"), "Calc");
  EXPECT_EQ(Parsed("SUB A"), "A");
  EXPECT_EQ(Parsed("SUB Do_It2(BYVAL x AS LONG)"), "Do_It2");
  for (const char* line : {"SUB", "SUB  ", "FUNCTION = 5", "FUNCTION Foo$(a)", "DECLARE FUNCTION X",
                           "CALLBACK FUNCTION Dlg", "END SUB", "EXIT FUNCTION", "' SUB that calls PBMAIN",
                           "SUBROUTINE X", "FUNCTION 1x", "SUB (x)", "SUB 中文"}) {
    EXPECT_EQ(Parsed(line), "-") << line;
  }
}

class RecordingTree : public ProcedureTree {
 public:
  void Show(const std::string& rootName, const Names& names) override {
    root = rootName;
    shown = names;
    ++refreshes;
  }
  std::string root;
  Names shown;
  int refreshes = 0;
};

class AnsweringMessages : public UserMessages {
 public:
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string& text, const std::string& caption) override {
    asked.push_back(text + "|" + caption);
    return answer;
  }
  Names asked;
  bool answer = false;
};

class ProcedureListTest : public EditingTest {
 protected:
  RecordingTree tree_;
  AnsweringMessages messages_;
};

TEST_F(ProcedureListTest, RefreshListsDefinitionsInTextOrderUnderTheDocumentsName) {
  SetText({"#COMPILE EXE", "", "SUB A", "END SUB", "DECLARE SUB B", "", "", "", "",
           "FUNCTION PBMAIN() AS LONG", "END FUNCTION"});
  doc_.SetDisplayName("未命名1.bas");
  RefreshProcedureList(doc_, tree_);
  EXPECT_EQ(tree_.root, "未命名1.bas");
  EXPECT_EQ(tree_.shown, (Names{"A", "PBMAIN"}));
}

TEST_F(ProcedureListTest, JumpGoesToTheDefinitionOfThatExactName) {
  SetText({"' SUB that calls Init", "SUB InitAll", "END SUB", "  sub INIT()", "END SUB"});
  doc_.caret = {4, 3};
  EXPECT_TRUE(JumpToProcedure(doc_, "Init"));
  EXPECT_EQ(doc_.caret, (TextPos{3, 0})) << "not the comment, not SUB InitAll";
  EXPECT_FALSE(doc_.hasSelection);
  EXPECT_TRUE(JumpToProcedure(doc_, "initall"));
  EXPECT_EQ(doc_.caret, (TextPos{1, 0}));
  EXPECT_FALSE(JumpToProcedure(doc_, "Ini"));
  EXPECT_EQ(doc_.caret, (TextPos{1, 0}));
}

TEST_F(ProcedureListTest, AnUnknownNameAsksAndRefreshesOnYes) {
  SetText({"SUB Renamed"});
  JumpToSelectedProcedure(doc_, 0, "root", tree_, messages_);
  EXPECT_TRUE(messages_.asked.empty()) << "the root is no procedure";
  EXPECT_FALSE(CanJumpToProcedure(0));

  JumpToSelectedProcedure(doc_, 1, "Old", tree_, messages_);
  EXPECT_EQ(messages_.asked, Names{"没有找到这个函数或子程序。是否刷新列表？|未找到"});
  EXPECT_EQ(tree_.refreshes, 0);
  messages_.answer = true;
  JumpToSelectedProcedure(doc_, 1, "Old", tree_, messages_);
  EXPECT_EQ(tree_.shown, Names{"Renamed"});
}

}  // namespace
}  // namespace quillet
