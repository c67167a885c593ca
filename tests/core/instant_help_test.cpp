#include "reference/instant_help.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reference/keyword_database.h"

namespace quillet {
namespace {

std::string Field(const std::string& name, const std::string& value) { return name + ": " + value + "\r\n"; }

std::string RecordText(int n, const std::string& english, const std::string& usage,
                       const std::string& keywords) {
  return "### " + std::to_string(n) + "\r\n" + Field("英文名称", "\"" + english + "\"") +
         Field("中文名称", "名" + std::to_string(n)) + Field("用法", usage) +
         Field("详细说明", "只在说明里的词 HIDDEN") + "关键字:" + (keywords.empty() ? "" : " " + keywords) +
         "\r\n\r\n";
}

class InstantHelpTest : public ::testing::Test {
 protected:
  InstantHelpTest() {
    const std::string file = std::string(kKeywordDatabaseHeader) + "\r\n" +
                             RecordText(1, "DIM", "DIM a(10) USAGEONLY", "") +
                             RecordText(2, "DO ...LOOP ", "DO [WHILE]", "WHILE,UNTIL") +
                             RecordText(3, "ON   GOTO", "ON n GOTO", "") +
                             RecordText(4, "SELECT CASE ...\\tCASE ...END SELECT", "SELECT", "") +
                             // A two-byte keyword whose trail byte is the letter a.
                             RecordText(5, "LOOP", "LOOP", "\xB0\x61,跳转");
    std::string fault;
    EXPECT_TRUE(db_.Load(file, fault)) << fault;
  }

  // The record numbers found for a word, read back from the result's "名N" lines.
  std::vector<int> Found(std::string_view word) const {
    const std::string text = InstantHelpText(db_, word);
    std::vector<int> found;
    for (std::size_t at = 0; (at = text.find("    中文名称：名", at)) != std::string::npos; ++at) {
      found.push_back(std::stoi(text.substr(at + std::string("    中文名称：名").size())));
    }
    return found;
  }

  KeywordDatabase db_;
};

TEST_F(InstantHelpTest, WholeWordsOfTheNameOrItemsOfTheKeywords) {
  EXPECT_EQ(Found("DO"), (std::vector<int>{2}));
  EXPECT_EQ(Found("LOOP"), (std::vector<int>{2, 5}));
  EXPECT_EQ(Found("LOO"), (std::vector<int>{}));
  EXPECT_EQ(Found("UNTIL"), (std::vector<int>{2}));     // only in 关键字
  EXPECT_EQ(Found("USAGEONLY"), (std::vector<int>{}));  // only in 用法
  EXPECT_EQ(Found("HIDDEN"), (std::vector<int>{}));     // only in 详细说明
  EXPECT_EQ(Found("dim"), (std::vector<int>{1}));
  EXPECT_EQ(Found(" DIM"), (std::vector<int>{}));
  EXPECT_EQ(Found("DIM "), (std::vector<int>{}));
  EXPECT_EQ(Found("\tCASE"), (std::vector<int>{4}));  // the TAB stays part of the word
  EXPECT_EQ(Found("跳转"), (std::vector<int>{5}));
}

TEST_F(InstantHelpTest, CaseIsFoldedOnlyOutsideTwoByteCharacters) {
  EXPECT_EQ(Found("\xB0\x61"), (std::vector<int>{5}));
  EXPECT_EQ(Found("\xB0\x41"), (std::vector<int>{}));  // 'A' is not the trail byte 'a'
  // A key never matches from inside a two-byte character: ",A," is not found in
  // ",\x81,A," read as the character \x81\x2C followed by "A,".
  EXPECT_FALSE(ContainsNoCase(",\x81,A,", ",A,"));
  EXPECT_TRUE(ContainsNoCase(",x,\x81\x40,a,", ",A,"));
}

TEST_F(InstantHelpTest, WordListFollowsTheNameRule) {
  KeywordRecord record;
  record.englishName = "ON   GOTO";  // three blanks: one pass leaves two, so an empty word
  EXPECT_EQ(RecordWordList(record), ",ON,,GOTO,");
  record.englishName = "DO ...LOOP ";
  record.keywords = "WHILE,UNTIL";
  EXPECT_EQ(RecordWordList(record), ",DO,LOOP,,WHILE,UNTIL,");
}

TEST_F(InstantHelpTest, ResultTextNumbersEachHit) {
  EXPECT_EQ(InstantHelpText(db_, "nothing"), "找到与关键字：“nothing”相关的帮助信息 0 个");
  EXPECT_EQ(InstantHelpText(db_, "Do"),
            "找到与关键字：“Do”相关的帮助信息 1 个"
            "\r\n\r\n-----------------------第1次-----------------------\r\n\r\n"
            "    英文名称：DO ...LOOP \r\n    中文名称：名2\r\n\r\n【使用方法】\r\nDO [WHILE]");
  EXPECT_NE(InstantHelpText(db_, "loop").find("-----------------------第2次-----------------------"),
            std::string::npos);
  EXPECT_EQ(InstantHelpWaitingText("DIM"), "正在寻找与关键字：“DIM”相关的帮助信息，请等待...");
  EXPECT_EQ(std::string(kInstantHelpNotOpen), "PowerBASIC8.0的命令函数信息数据库未能打开，即使帮助不能使用");
}

}  // namespace
}  // namespace quillet
