#include "language/keyword_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

std::vector<std::string> Words(const std::vector<KeywordEntry>& entries) {
  std::vector<std::string> words;
  for (const KeywordEntry& entry : entries) words.push_back(entry.word);
  return words;
}

TEST(KeywordTable, BuiltInListsFillTheBucketsByLength) {
  const KeywordTable& table = Keywords();
  ASSERT_EQ(table.MaxLength(), 16);
  EXPECT_EQ(table.Bucket(1).Count(), 0u);
  EXPECT_EQ(table.Bucket(2).Count(), 13u);
  EXPECT_EQ(table.Bucket(4).Count(), 115u);
  EXPECT_EQ(table.Bucket(16).Count(), 3u);
  EXPECT_EQ(table.Bucket(0).Count(), 0u);
  EXPECT_EQ(table.Bucket(17).Count(), 0u);

  std::size_t kinds[2] = {0, 0}, cint = 0;
  for (int n = 1; n <= table.MaxLength(); ++n) {
    for (const KeywordEntry& entry : table.Bucket(n).Entries()) {
      ASSERT_EQ(entry.word.size(), std::size_t(n)) << entry.word;
      ++kinds[entry.kind];
      cint += entry.word == "CINT";
    }
  }
  EXPECT_EQ(kinds[kSystemKeyword], 101u);
  EXPECT_EQ(kinds[kReservedWord], 507u);
  EXPECT_EQ(cint, 2u);
  // System keywords were added first, so they lead each bucket.
  EXPECT_EQ(table.Bucket(4).Entries().front(), (KeywordEntry{"MAIN", kSystemKeyword}));
}

TEST(KeywordTable, LookupIsExactAndBounded) {
  const KeywordTable& table = Keywords();
  EXPECT_EQ(table.Lookup("PBMAIN"), kSystemKeyword);
  EXPECT_EQ(table.Lookup("$CRLF"), kSystemKeyword);
  EXPECT_EQ(table.Lookup("PRINT"), kReservedWord);
  EXPECT_EQ(table.Lookup("MIN&"), kReservedWord);
  EXPECT_EQ(table.Lookup("VARIANT#"), kReservedWord);
  EXPECT_EQ(table.Lookup("%MIX_MERGENOTSRC"), kSystemKeyword);  // 16 bytes, the longest
  EXPECT_EQ(table.Lookup("print"), kNotKeyword);                // callers upper-case first
  EXPECT_EQ(table.Lookup("PRIN"), kNotKeyword);
  EXPECT_EQ(table.Lookup(""), kNotKeyword);
  EXPECT_EQ(table.Lookup("%MIX_MERGENOTSRCX"), kNotKeyword);

  // A single byte is never a keyword, even when a table holds one; the first
  // of two equal entries decides the kind.
  KeywordTable own;
  own.AddList("A,,XY,XY", kSystemKeyword);
  own.Add("XY", kReservedWord);
  EXPECT_EQ(own.MaxLength(), 2);
  EXPECT_EQ(own.Bucket(1).Count(), 1u);
  EXPECT_EQ(own.Lookup("A"), kNotKeyword);
  EXPECT_EQ(own.Lookup("XY"), kSystemKeyword);
  EXPECT_EQ(own.Bucket(2).Count(), 3u);
}

TEST(KeywordTable, CollectPrefixOrdersByLengthThenListOrder) {
  const KeywordTable& table = Keywords();
  EXPECT_EQ(Words(table.CollectPrefix("PR")),
            (std::vector<std::string>{"PRINT", "PRIVATE", "PROFILE", "PROGID$", "PRINTER$", "PRESERVE",
                                      "PRINTERCOUNT"}));
  EXPECT_EQ(table.CollectPrefix("#CO"),
            (std::vector<KeywordEntry>{{"#COMPILE", kSystemKeyword}, {"#COMPILER", kSystemKeyword}}));

  const std::vector<std::string> a = Words(table.CollectPrefix("A"));
  ASSERT_GE(a.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(a.begin(), a.begin() + 4),
            (std::vector<std::string>{"AS", "AT", "ALL", "ABS"}));

  EXPECT_EQ(Words(table.CollectPrefix("%MIX_MERGENOTSRC")), (std::vector<std::string>{"%MIX_MERGENOTSRC"}));
  EXPECT_TRUE(table.CollectPrefix("").empty());
  EXPECT_TRUE(table.CollectPrefix("pr").empty());
  EXPECT_TRUE(table.CollectPrefix("X1").empty());
  EXPECT_TRUE(table.CollectPrefix("%MIX_MERGENOTSRCX").empty());
}

TEST(KeywordTable, OperatorSet) {
  EXPECT_EQ(kOperatorChars.size(), 23u);
  for (char c : kOperatorChars) EXPECT_TRUE(IsOperatorChar(c)) << c;
  for (char c : std::string_view(".&#$%'\"_ \0", 10)) EXPECT_FALSE(IsOperatorChar(c)) << int(c);
}

}  // namespace
}  // namespace quillet
