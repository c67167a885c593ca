// The build puts the keyword database beside the program; its GBK file name
// must reach it through the ANSI file functions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/gbk.h"
#include "platform/win32_file_system_win32.h"
#include "reference/keyword_database.h"

namespace quillet {
namespace {

TEST(KeywordDatabaseWin32, OpensTheFileBesideTheProgram) {
  char module[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameA(nullptr, module, MAX_PATH), 0u);
  std::string folder = module;
  folder.resize(gbk::FindLastSingle(folder, '\\'));
  Win32FileSystem files;
  KeywordDatabase db;
  std::string fault;
  ASSERT_TRUE(OpenKeywordDatabase(db, files, folder + "\\" + kKeywordDatabaseFileName, fault)) << fault;
  EXPECT_EQ(db.Record(200)->englishName, "DO ...LOOP ");
}

}  // namespace
}  // namespace quillet
