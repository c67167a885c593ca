#include "shell/registry_store_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace quillet {
namespace {

// Tests write only below this key and remove it again.
constexpr char kTestKey[] = "Software\\Velmoor\\QuilletTest";
constexpr char kTestRoot[] = "Software\\Velmoor\\QuilletTest\\";

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }

  // Stores a value with any type and size, as a hand-edited registry might hold it.
  static void SetRaw(const std::string& key, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (kTestRoot + key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &h, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(h, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(h);
  }

  RegistrySettingsStore store{kTestRoot};
};

TEST_F(RegistryTest, ValuesRoundTripWithGbkNames) {
  EXPECT_EQ(store.ReadNumber("编辑器配置\\TAB空格", 4), 4u);
  EXPECT_EQ(store.ReadText("编辑器配置\\配色方案名", "默认配色"), "默认配色");
  EXPECT_TRUE(store.ReadBytes("编辑器配置\\字体").empty());

  store.WriteNumber("编辑器配置\\TAB空格", 0xFFFFFFFE);
  store.WriteText("最后文件\\1", "D:\\源码\\测试.bas");
  store.WriteText("最后文件\\2", "");
  store.WriteBytes("编辑器配置\\配色数据", EncodeColours(EditorColours{}));
  EXPECT_EQ(store.ReadNumber("编辑器配置\\TAB空格", 4), 0xFFFFFFFEu);
  EXPECT_EQ(store.ReadText("最后文件\\1", ""), "D:\\源码\\测试.bas");
  EXPECT_EQ(store.ReadText("最后文件\\2", "?"), "");
  EXPECT_EQ(store.ReadBytes("编辑器配置\\配色数据"), EncodeColours(EditorColours{}));

  // The names reach the registry as the Chinese characters, not as mangled bytes.
  DWORD n = 0, size = sizeof n;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Velmoor\\QuilletTest\\\u7F16\u8F91\u5668\u914D\u7F6E",
                         L"TAB\u7A7A\u683C", RRF_RT_REG_DWORD, nullptr, &n, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(n, 0xFFFFFFFEu);

  // Texts outside the root are addressed by their full key.
  store.WriteText("PB4\\Compiler\\Compiler", "C:\\PB\\PBWIN.EXE");
  EXPECT_EQ(store.ReadAbsoluteText(std::string(kTestRoot) + "PB4\\Compiler", "Compiler"), "C:\\PB\\PBWIN.EXE");
  EXPECT_EQ(store.ReadAbsoluteText(std::string(kTestRoot) + "PB3\\Compiler", "Compiler"), "");
}

TEST_F(RegistryTest, BrokenValuesReadAsAbsent) {
  const char unterminated[] = {'a', 'b', 'c'};
  SetRaw("编辑器配置", "编译器路径", REG_SZ, unterminated, sizeof unterminated);
  EXPECT_EQ(store.ReadText("编辑器配置\\编译器路径", ""), "abc");

  const DWORD number = 8;
  SetRaw("编辑器配置", "配色方案名", REG_DWORD, &number, sizeof number);
  SetRaw("编辑器配置", "TAB空格", REG_SZ, "8", 2);
  SetRaw("编辑器配置", "命令补全提示", REG_BINARY, "\0\0\0\0", 4);
  SetRaw("编辑器配置", "字体", REG_BINARY, "short", 5);
  SetRaw("编辑器配置", "配色数据", REG_SZ, "0123456789012345678901234567890123456789012345678", 49);
  EXPECT_EQ(store.ReadText("编辑器配置\\配色方案名", "默认配色"), "默认配色");

  const FontRecord gui = DefaultGuiFontRecord();
  MemoryIniFile noIni;
  const EditorSettings s = LoadEditorSettings(store, noIni, gui);
  EXPECT_EQ(s.tabWidth, 4);
  EXPECT_TRUE(s.completionPrompts);
  EXPECT_EQ(s.font, gui);
  EXPECT_EQ(s.colours, EditorColours{});
  EXPECT_EQ(s.compilerPath, "abc");
}

TEST_F(RegistryTest, RecentFilesAndViewFlagsPersist) {
  RecentFiles recent;
  recent.Add("C:\\a.bas");
  recent.Add("D:\\中文目录\\b.bas");
  recent.Save(store);
  RecentFiles again;
  again.Load(store);
  EXPECT_EQ(again.Entries(), recent.Entries());

  SaveViewFlag(store, kViewTabStrip, false);
  const ViewFlags v = LoadViewFlags(store);
  EXPECT_FALSE(v.IsShown(kViewTabStrip));
  EXPECT_TRUE(v.IsShown(kViewLineNumberBar));
}

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    folder = std::string(temp) + "quillet_设置_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  void TearDown() override {
    for (const char* name : {"qlt8.dll", "配色方案.ini", "probe.ini"}) DeleteFileA(InFolder(folder, name).c_str());
    RemoveDirectoryA(folder.c_str());
  }
  std::string folder;
};

TEST_F(IniFileTest, CompilerPathAndSchemesRoundTrip) {
  IniFileWin32 settingsFile(InFolder(folder, kSettingsFileName));
  EXPECT_EQ(LoadIniCompilerPath(settingsFile), "");
  EXPECT_TRUE(settingsFile.SectionNames().empty());
  ASSERT_TRUE(SaveIniCompilerPath(settingsFile, "D:\\编译器\\PBWIN.EXE"));
  EXPECT_EQ(LoadIniCompilerPath(settingsFile), "D:\\编译器\\PBWIN.EXE");
  EXPECT_FALSE(settingsFile.Write("lujing", "byq", "two\r\nlines"));

  // The file holds GBK text, so the portable reader sees the same item.
  std::ifstream in(InFolder(folder, kSettingsFileName), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(IniText(bytes).Find("lujing", "byq"), "D:\\编译器\\PBWIN.EXE");

  IniFileWin32 schemes(InFolder(folder, kSchemeFileName));
  ASSERT_TRUE(schemes.Write("夜间", "背景颜色", "0"));
  ASSERT_TRUE(schemes.Write("护眼", "背景颜色", "13421772"));
  ASSERT_TRUE(schemes.Write("夜间", "注释颜色", "32768"));
  EXPECT_EQ(schemes.SectionNames(), (std::vector<std::string>{"夜间", "护眼"}));
  EXPECT_EQ(schemes.Read("夜间", "注释颜色"), "32768");
  EXPECT_EQ(schemes.Read("夜间", "运算符颜色", "none"), "none");
}

TEST_F(IniFileTest, PortableReaderAgreesWithTheSystem) {
  const std::string text =
      "[LuJing]\r\n"
      "  byq  =  C:\\PB\\PBWIN.EXE  \r\n"
      "quoted=\"  padded  \"\n"
      "expr=a=b\n"
      "[方案]\r\n"
      "背景颜色=16777215";
  const std::string path = InFolder(folder, "probe.ini");
  std::ofstream(path, std::ios::binary) << text;
  const IniFileWin32 system(path);
  const IniText portable(text);
  const std::pair<const char*, const char*> items[] = {{"lujing", "byq"},  {"LUJING", "BYQ"},    {"lujing", "quoted"},
                                                       {"lujing", "expr"}, {"方案", "背景颜色"}, {"方案", "byq"}};
  for (auto [section, key] : items) {
    EXPECT_EQ(system.Read(section, key, "<none>"), portable.Find(section, key).value_or("<none>"))
        << section << " " << key;
  }
  EXPECT_EQ(system.SectionNames(), portable.SectionNames());
}

TEST(SystemFacts, GuiFontAndProgramFolder) {
  const FontRecord font = DefaultGuiFontRecord();
  LOGFONTA lf;
  std::memcpy(&lf, font.data(), sizeof lf);
  EXPECT_NE(lf.lfHeight, 0);
  EXPECT_NE(lf.lfFaceName[0], '\0');

  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '\\');
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  EXPECT_EQ(InFolder(folder, std::string(self).substr(folder.size() + 1)), self);
}

}  // namespace
}  // namespace quillet
