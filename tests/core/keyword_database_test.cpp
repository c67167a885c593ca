#include "reference/keyword_database.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "memory_file_system.h"

namespace quillet {
namespace {

// Joins lines with CR LF, the last one included.
std::string FileOf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

std::vector<std::string> RecordLines(int number, const std::string& name) {
  return {"### " + std::to_string(number),
          "英文名称: \"" + name + "\"",
          "中文名称:",
          "| 名" + name,
          "用法:",
          "| " + name + " x",
          "详细说明:",
          "| 说明",
          "关键字:",
          ""};
}

std::string DatabaseOf(int records) {
  std::vector<std::string> lines = {kKeywordDatabaseHeader};
  for (int n = 1; n <= records; ++n) {
    const auto record = RecordLines(n, "K" + std::to_string(n));
    lines.insert(lines.end(), record.begin(), record.end());
  }
  return FileOf(lines);
}

std::string Utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

TEST(KeywordDatabase, ReadsBothFieldFormsEscapesAndTwoByteNames) {
  const std::string file = FileOf({
      kKeywordDatabaseHeader,
      "### 1",
      R"(英文名称: "SELECT CASE ...\tCASE \"x\" \\ ...END SELECT")",
      "中文名称: 选择结构",
      "用法:",
      "| SELECT CASE 表达式",
      "|",
      "|   CASE 值",
      "详细说明:",
      "关键字: SELECT,CASE",
      "",
      "### 2",
      // A two-byte character whose trail byte is a backslash stays whole.
      "英文名称: \"A\x81\\B\"",
      "中文名称:",
      "用法:",
      "详细说明:",
      "| 甲",
      "关键字:",
  });
  KeywordDatabase db;
  std::string fault;
  ASSERT_TRUE(db.Load(file, fault)) << fault;
  ASSERT_EQ(db.RecordCount(), 2);
  const KeywordRecord& first = *db.Record(1);
  EXPECT_EQ(first.englishName, "SELECT CASE ...\tCASE \"x\" \\ ...END SELECT");
  EXPECT_EQ(first.chineseName, "选择结构");
  EXPECT_EQ(first.usage, "SELECT CASE 表达式\r\n\r\n  CASE 值");
  EXPECT_EQ(first.description, "");
  EXPECT_EQ(first.keywords, "SELECT,CASE");
  EXPECT_EQ(db.Record(2)->englishName, "A\x81\\B");
  EXPECT_EQ(db.Record(2)->description, "甲");
  EXPECT_EQ(db.Record(0), nullptr);
  EXPECT_EQ(db.Record(3), nullptr);
  EXPECT_EQ(&db.Records()[1], db.Record(2));
}

TEST(KeywordDatabase, RefusesADamagedFileWholeNamingTheLine) {
  const std::string good = DatabaseOf(2);  // record 2 starts on line 12
  std::string noBlank = good;
  noBlank.erase(noBlank.find("\r\n\r\n### 2"), 2);
  std::string lfOnly = good;
  lfOnly.replace(lfOnly.find("中文名称:\r\n"), 11, "中文名称:\n");
  std::string utf8 = good;
  utf8.replace(utf8.find("英文名称"), std::string("英文名称").size(), Utf8(u8"英文名称"));
  const struct {
    const char* what;
    std::string bytes;
    int line;
  } cases[] = {
      {"empty", "", 1},
      {"UTF-8 mark before the header", "\xEF\xBB\xBF" + good, 1},
      {"cut inside a line", good.substr(0, good.size() - 5), 20},
      {"cut inside a record", good.substr(0, good.find("详细说明:\r\n| 说明\r\n关键字:\r\n\r\n### 2")), 8},
      {"header only", FileOf({kKeywordDatabaseHeader}), 2},
      {"number skipped", DatabaseOf(1) + FileOf(RecordLines(3, "Z")), 12},
      {"fields out of order", FileOf({kKeywordDatabaseHeader, "### 1", "英文名称: \"A\"", "用法:"}), 4},
      {"unknown field", FileOf({kKeywordDatabaseHeader, "### 1", "名称: \"A\""}), 3},
      {"no blank line after a record", noBlank, 11},
      {"lone LF", lfOnly, 4},
      {"UTF-8 field name", utf8, 3},
      {"lone lead byte at a line end",
       FileOf({kKeywordDatabaseHeader, "### 1", "英文名称: \"A\"", "中文名称: \xB0"}), 4},
      {"0xFF byte", FileOf({kKeywordDatabaseHeader, "### 1", "英文名称: \"\xFF\""}), 3},
      {"NUL byte", FileOf({kKeywordDatabaseHeader, std::string("### 1\0", 6)}), 2},
      {"unquoted name", FileOf({kKeywordDatabaseHeader, "### 1", "英文名称: A"}), 3},
      {"unknown escape", FileOf({kKeywordDatabaseHeader, "### 1", R"(英文名称: "A\n")"}), 3},
      {"text after the quote", FileOf({kKeywordDatabaseHeader, "### 1", R"(英文名称: "A" B)"}), 3},
      {"escaped last quote", FileOf({kKeywordDatabaseHeader, "### 1", R"(英文名称: "A\")"}), 3},
  };
  for (const auto& c : cases) {
    KeywordDatabase db;
    std::string fault;
    ASSERT_TRUE(db.Load(good, fault));
    EXPECT_FALSE(db.Load(c.bytes, fault)) << c.what;
    EXPECT_EQ(db.RecordCount(), 0) << c.what;  // nothing of the earlier content or the damaged file
    EXPECT_EQ(fault.rfind("第 " + std::to_string(c.line) + " 行：", 0), 0u) << c.what << ": " << fault;
  }
}

TEST(KeywordDatabase, RefusesAHugeFileAtOnce) {
  KeywordDatabase db;
  std::string fault;
  EXPECT_FALSE(db.Load(std::string(kMaxKeywordDatabaseBytes + 1, 'x'), fault));
  EXPECT_FALSE(fault.empty());
}

TEST(KeywordDatabase, OpeningWantsOneRecordPerCatalogueEntry) {
  MemoryFileSystem files;
  files.files[kKeywordDatabaseFileName] = DatabaseOf(638);
  files.files["short.edb"] = DatabaseOf(637);
  KeywordDatabase db;
  std::string fault;
  ASSERT_TRUE(OpenKeywordDatabase(db, files, kKeywordDatabaseFileName, fault)) << fault;
  EXPECT_EQ(db.Record(638)->englishName, "K638");

  EXPECT_FALSE(OpenKeywordDatabase(db, files, "short.edb", fault));
  EXPECT_NE(fault.find("637"), std::string::npos) << fault;
  EXPECT_EQ(db.RecordCount(), 0);
  EXPECT_FALSE(OpenKeywordDatabase(db, files, "missing.edb", fault));
  EXPECT_NE(fault.find("missing.edb"), std::string::npos) << fault;
}

}  // namespace
}  // namespace quillet
