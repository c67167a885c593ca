// The keyword database that the build writes beside the program, read with the
// program's own loader and held against the catalogue. While its texts are
// being written (QUILLET_KEYWORD_DB_DRAFT) an incomplete file is skipped.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "reference/catalogue.h"
#include "reference/instant_help.h"
#include "reference/keyword_database.h"

#ifndef QUILLET_KEYWORD_DB_DIR
#error "the build names the folder of the generated keyword database"
#endif

namespace quillet {
namespace {

bool ReadGenerated(std::string& bytes) {
  // The file name is UTF-8 on the build machine; ordinary literals here are GBK.
  const std::filesystem::path path =
      std::filesystem::path(u8"" QUILLET_KEYWORD_DB_DIR) / u8"PB命令函数库.edb";
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  bytes = text.str();
  return true;
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

TEST(KeywordDatabaseFile, HoldsOneCompleteRecordPerCatalogueEntry) {
  std::string bytes;
  if (!ReadGenerated(bytes)) {
    if (QUILLET_KEYWORD_DB_DRAFT) GTEST_SKIP() << "no keyword database built yet";
    FAIL() << "the build did not write the keyword database into " << QUILLET_KEYWORD_DB_DIR;
  }
  KeywordDatabase db;
  std::string fault;
  ASSERT_TRUE(db.Load(bytes, fault)) << fault;

  int emptyFields = 0;
  for (const KeywordRecord& r : db.Records()) {
    for (const std::string* field : {&r.englishName, &r.chineseName, &r.usage, &r.description}) {
      emptyFields += Trimmed(*field).empty() ? 1 : 0;
    }
  }
  if (QUILLET_KEYWORD_DB_DRAFT && (db.RecordCount() != kCatalogueEntryCount || emptyFields > 0)) {
    GTEST_SKIP() << "draft texts: " << db.RecordCount() << " records, " << emptyFields << " empty fields";
  }

  ASSERT_EQ(db.RecordCount(), kCatalogueEntryCount);
  EXPECT_EQ(db.Record(1)->englishName, "%DEF");
  EXPECT_EQ(db.Record(200)->englishName, "DO ...LOOP ");
  EXPECT_EQ(db.Record(638)->englishName, "%LTGRAY");
  EXPECT_EQ(emptyFields, 0);
  std::map<std::string, int> descriptions;
  for (int n = 1; n <= kCatalogueEntryCount; ++n) {
    const KeywordRecord& r = *db.Record(n);
    EXPECT_EQ(r.englishName, EntryOfRecord(n)->text) << "record " << n;
    // Each word of the name (blanks, TABs and "..." separate them) appears in the usage.
    std::string name = r.englishName;
    for (std::size_t dots; (dots = name.find("...")) != std::string::npos;) name.replace(dots, 3, " ");
    std::istringstream words(name);
    for (std::string word; words >> word;) {
      EXPECT_TRUE(ContainsNoCase(r.usage, word)) << "record " << n << ": 用法 lacks " << word;
    }
    const auto [at, added] = descriptions.emplace(Trimmed(r.description), n);
    EXPECT_TRUE(added) << "record " << n << " repeats the 详细说明 of record " << at->second;
  }
}

}  // namespace
}  // namespace quillet
