#include "reference/catalogue_help.h"

#include <gtest/gtest.h>

#include "core/editing_fixture.h"
#include "reference/catalogue.h"
#include "reference/keyword_database.h"

namespace quillet {
namespace {

TEST(CatalogueHelp, TextsOfRootCategoryAndBothEntryLayouts) {
  KeywordDatabase db;
  std::string fault;
  ASSERT_TRUE(
      db.Load("QUILLET-KEYWORDS 1\r\n"
              "### 1\r\n英文名称: \"ABS\"\r\n中文名称: 取绝对值\r\n用法:\r\n| ABS(x)\r\n| y\r\n"
              "详细说明: 说明\r\n关键字:\r\n\r\n"
              "### 2\r\n英文名称: \"INTEGER\"\r\n中文名称: 整数\r\n用法: 后缀 %\r\n"
              "详细说明: 不显示\r\n关键字:\r\n",
              fault))
      << fault;
  EXPECT_EQ(CatalogueHelpText(&db, CatalogueLevel::Root, 0), "点击命令函数名，查看帮助说明");
  EXPECT_EQ(CatalogueHelpText(&db, CatalogueLevel::Category, 17),
            "命令类别将命令分为若干类，以便于用户寻找所需要的命令。");
  EXPECT_EQ(CatalogueHelpText(&db, CatalogueLevel::Entry, PackEntryValue(kEntryFunction, 1)),
            "    英文名称：ABS\r\n    "
            "中文名称：取绝对值\r\n\r\n【使用方法】\r\nABS(x)\r\ny\r\n\r\n【说明】\r\n说明");
  EXPECT_EQ(CatalogueHelpText(&db, CatalogueLevel::Entry, PackEntryValue(kEntryTypeOrConstant, 2)),
            "整数\r\n后缀 %");
  // Not open: nothing, whatever is selected; a record the file lacks: nothing either.
  EXPECT_EQ(CatalogueHelpText(nullptr, CatalogueLevel::Root, 0), "");
  EXPECT_EQ(CatalogueHelpText(nullptr, CatalogueLevel::Entry, PackEntryValue(kEntryFunction, 1)), "");
  EXPECT_EQ(CatalogueHelpText(&db, CatalogueLevel::Entry, PackEntryValue(kEntryStatement, 3)), "");
}

TEST(CatalogueHelp, LevelComesFromTheParent) {
  EXPECT_EQ(LevelOfItem(false, false), CatalogueLevel::Root);
  EXPECT_EQ(LevelOfItem(true, true), CatalogueLevel::Category);
  EXPECT_EQ(LevelOfItem(true, false), CatalogueLevel::Entry);
}

class CatalogueTemplateTest : public EditingTest {
 protected:
  // Inserts at column col of line 1 of "\tIF a THEN" / "\tx = 1", the second line current.
  std::vector<std::string> Insert(std::string_view text, int kind, int col = 3) {
    SetText({"\tIF a THEN", "\tx = 1", "END IF"});
    doc_.caret = {1, col};
    InsertCatalogueTemplate(doc_, text, kind);
    return Text();
  }
};

TEST_F(CatalogueTemplateTest, WordsGoAtTheCaret) {
  EXPECT_EQ(Insert("ABS", kEntryFunction),
            (std::vector<std::string>{"\tIF a THEN", "\tx  ABS ()= 1", "END IF"}));
  EXPECT_EQ(doc_.caret, (TextPos{1, 10}));
  EXPECT_EQ(Insert("MOD", kEntryAsIs)[1], "\tx MOD= 1");
  EXPECT_EQ(Insert("$CRLF", kEntryTypeOrConstant)[1], "\tx $CRLF= 1");
  EXPECT_EQ(Insert("X", 5)[1], "\tx = 1");  // not an entry kind
}

TEST_F(CatalogueTemplateTest, StatementsGoOnANewLineBelowWithBlanksKept) {
  EXPECT_EQ(Insert("IF  THEN ", kEntryStatement, 0),
            (std::vector<std::string>{"\tIF a THEN", "\tx = 1", "IF  THEN ", "END IF"}));
  EXPECT_EQ(doc_.caret, (TextPos{2, 9}));
  EXPECT_TRUE(doc_.CanUndo());
  doc_.Undo();
  EXPECT_EQ(Text(), (std::vector<std::string>{"\tIF a THEN", "\tx = 1", "END IF"}));
}

TEST_F(CatalogueTemplateTest, BlocksGetIndentedBodiesFollowingAutoIndent) {
  EXPECT_EQ(Insert("DO ...LOOP ", kEntryBlock),
            (std::vector<std::string>{"\tIF a THEN", "\tx = 1", "\tDO ", "\t\t", "\tLOOP ", "END IF"}));
  EXPECT_EQ(doc_.caret, (TextPos{4, 6}));

  settings_.autoIndent = false;
  EXPECT_EQ(Insert("DO ...LOOP ", kEntryBlock),
            (std::vector<std::string>{"\tIF a THEN", "\tx = 1", "DO ", "\t", "LOOP ", "END IF"}));
  // Two bodies; the TAB inside the text stays.
  EXPECT_EQ(Insert("SELECT CASE ...\tCASE ...END SELECT", kEntryBlock),
            (std::vector<std::string>{"\tIF a THEN", "\tx = 1", "SELECT CASE ", "\t", "\tCASE ", "\t",
                                      "END SELECT", "END IF"}));
  // A block kind without "...": the text alone on the new line.
  EXPECT_EQ(Insert("AND", kEntryBlock),
            (std::vector<std::string>{"\tIF a THEN", "\tx = 1", "AND", "END IF"}));
}

TEST(CatalogueHelp, BlockTemplateIndentsEachBody) {
  EXPECT_EQ(BlockTemplate("TRY...CATCH...END TRY", 2), "TRY\r\n\t\t\t\r\n\t\tCATCH\r\n\t\t\t\r\n\t\tEND TRY");
  EXPECT_EQ(BlockTemplate("AND", 3), "AND");
}

}  // namespace
}  // namespace quillet
