// The build puts the keyword database beside the program; its GBK file name
// must reach it through the ANSI file functions.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/gbk.h"
#include "platform/win32_file_system_win32.h"
#include "reference/catalogue.h"
#include "reference/catalogue_win32.h"
#include "reference/keyword_database.h"

namespace quillet {
namespace {

std::string ProgramFolder() {
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string folder = module;
  folder.resize(gbk::FindLastSingle(folder, '\\'));
  return folder;
}

TEST(KeywordDatabaseWin32, OpensTheFileBesideTheProgram) {
  Win32FileSystem files;
  KeywordDatabase db;
  std::string fault;
  ASSERT_TRUE(OpenKeywordDatabase(db, files, ProgramFolder() + "\\" + kKeywordDatabaseFileName, fault)) << fault;
  EXPECT_EQ(db.Record(200)->englishName, "DO ...LOOP ");
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT how) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

std::string HelpOf(HWND tree, HWND help, HTREEITEM item, const KeywordDatabase* db) {
  SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  ShowCatalogueHelp(tree, help, db);
  char text[8192] = {};
  GetWindowTextA(help, text, sizeof text);
  return text;
}

TEST(KeywordDatabaseWin32, TheTreeMirrorsTheCatalogueAndShowsHelp) {
  HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 200, 300, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  HWND help = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE, 0, 0, 200, 100, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  LARGE_INTEGER frequency{}, start{}, end{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  ASSERT_TRUE(FillCatalogueTree(tree));
  QueryPerformanceCounter(&end);
  std::printf("keyword tree filled in %lld us\n", (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
  EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 1 + kCatalogueCategoryCount + kCatalogueEntryCount);

  Win32FileSystem files;
  KeywordDatabase db;
  std::string fault;
  ASSERT_TRUE(OpenKeywordDatabase(db, files, ProgramFolder() + "\\" + kKeywordDatabaseFileName, fault)) << fault;
  HTREEITEM root = Next(tree, nullptr, TVGN_ROOT);
  HTREEITEM flow = Next(tree, Next(tree, root, TVGN_CHILD), TVGN_NEXT);  // 流程控制
  HTREEITEM call = Next(tree, flow, TVGN_CHILD);
  const CatalogueItem entry = [&] {
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(call));
    return SelectedCatalogueItem(tree);
  }();
  EXPECT_EQ(entry.text, "CALL");
  EXPECT_EQ(entry.level, CatalogueLevel::Entry);
  EXPECT_EQ(entry.value, PackEntryValue(kEntryStatement, 42));
  EXPECT_EQ(HelpOf(tree, help, root, &db), kCatalogueRootHelp);
  EXPECT_EQ(HelpOf(tree, help, flow, &db), kCatalogueCategoryHelp);
  EXPECT_EQ(HelpOf(tree, help, call, &db).rfind("    英文名称：CALL\r\n    中文名称：", 0), 0u);
  HTREEITEM constants = Next(tree, root, TVGN_CHILD);
  while (HTREEITEM next = Next(tree, constants, TVGN_NEXT)) constants = next;  // 常量, the last
  const std::string shortHelp = HelpOf(tree, help, Next(tree, constants, TVGN_CHILD), &db);
  EXPECT_EQ(shortHelp.find("英文名称"), std::string::npos);  // the short layout
  EXPECT_NE(shortHelp.find("%PB_CC32"), std::string::npos);
  EXPECT_EQ(HelpOf(tree, help, call, nullptr), "");  // database not open
  DestroyWindow(tree);
  DestroyWindow(help);
}

}  // namespace
}  // namespace quillet
