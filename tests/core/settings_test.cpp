#include "shell/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace quillet {
namespace {

FontRecord SampleFont(std::uint8_t fill) {
  FontRecord f{};
  f.fill(fill);
  return f;
}

std::vector<std::uint8_t> Bytes(std::size_t n, std::uint8_t fill) { return std::vector<std::uint8_t>(n, fill); }

TEST(Settings, FreshProfileGivesDefaults) {
  MemorySettingsStore store;
  IniTextFile missing("/nonexistent-folder/qlt8.dll");
  const EditorSettings s = LoadEditorSettings(store, missing, SampleFont(7));
  EXPECT_EQ(s.colours, EditorColours{});
  EXPECT_EQ(s.tabWidth, 4);
  EXPECT_EQ(s.font, SampleFont(7));
  EXPECT_TRUE(s.completionPrompts);
  EXPECT_TRUE(s.autoIndent);
  EXPECT_EQ(s.compilerPath, "");
  EXPECT_EQ(LoadSchemeName(store), "默认配色");

  const ViewFlags v = LoadViewFlags(store);
  for (int which = 1; which <= kViewElementCount; ++which) EXPECT_TRUE(v.IsShown(which)) << which;
  EXPECT_EQ(v.LineNumberBarWidth(), 40);

  RecentFiles recent;
  recent.Load(store);
  EXPECT_TRUE(recent.Entries().empty());
}

TEST(Settings, ShortOrMistypedValuesCountAsAbsent) {
  MemorySettingsStore store;
  MemoryIniFile missing;
  store.WriteBytes("编辑器配置\\配色数据", Bytes(47, 0x11));
  store.WriteBytes("编辑器配置\\字体", Bytes(59, 0x22));
  store.WriteText("编辑器配置\\TAB空格", "8");    // text where a number belongs
  store.WriteNumber("编辑器配置\\编译器路径", 5);  // number where a text belongs
  store.WriteNumber("编辑器配置\\命令补全提示", 0);
  store.WriteNumber("编辑器配置\\源码自动缩进", 7);  // any non-zero is on
  EditorSettings s = LoadEditorSettings(store, missing, SampleFont(7));
  EXPECT_EQ(s.colours, EditorColours{});
  EXPECT_EQ(s.font, SampleFont(7));
  EXPECT_EQ(s.tabWidth, 4);
  EXPECT_EQ(s.compilerPath, "");
  EXPECT_FALSE(s.completionPrompts);
  EXPECT_TRUE(s.autoIndent);

  // Full-length records are taken, little-endian; a face name that fills its
  // field is cut so that it ends inside the record.
  std::vector<std::uint8_t> colours = EncodeColours(EditorColours{});
  colours[4 * Background + 0] = 0x12;
  colours[4 * Background + 3] = 0x00;
  colours.push_back(0xEE);  // trailing bytes beyond the record are ignored
  store.WriteBytes("编辑器配置\\配色数据", colours);
  store.WriteBytes("编辑器配置\\字体", Bytes(60, 'A'));
  s = LoadEditorSettings(store, missing, SampleFont(7));
  EXPECT_EQ(s.colours[Background], 0xFFFF12u);
  EXPECT_EQ(s.colours[NumericConstant], Rgb(192, 96, 0));
  EXPECT_EQ(s.font[0], 'A');
  EXPECT_EQ(s.font[58], 'A');
  EXPECT_EQ(s.font[59], 0);
}

TEST(Settings, SavedValuesUseTheirNamesAndEncodings) {
  MemorySettingsStore store;
  EditorColours c;
  c[Comment] = 0x00A1B2C3;
  SaveColours(store, c);
  const auto bytes = store.ReadBytes("编辑器配置\\配色数据");
  ASSERT_EQ(bytes.size(), 48u);
  EXPECT_EQ(bytes[4 * Comment], 0xC3);
  EXPECT_EQ(bytes[4 * Comment + 2], 0xA1);
  EXPECT_EQ(LoadColours(store), c);

  SaveFontRecord(store, SampleFont(3));
  SaveSchemeName(store, "夜间");
  SaveTabWidth(store, 2);
  SaveCompletionPrompts(store, false);
  SaveAutoIndent(store, false);
  EXPECT_EQ(store.ReadBytes("编辑器配置\\字体"), Bytes(60, 3));
  EXPECT_EQ(LoadSchemeName(store), "夜间");
  EXPECT_EQ(store.ReadNumber("编辑器配置\\TAB空格", 0), 2u);
  EXPECT_EQ(store.ReadNumber("编辑器配置\\命令补全提示", 9), 0u);
  EXPECT_EQ(store.ReadNumber("编辑器配置\\源码自动缩进", 9), 0u);

  MemoryIniFile file;
  ASSERT_TRUE(SaveIniCompilerPath(file, "C:\\PBWin80\\Bin\\PBWIN.EXE"));
  EXPECT_EQ(file.Contents().Text(), "[lujing]\r\nbyq=C:\\PBWin80\\Bin\\PBWIN.EXE\r\n");
}

TEST(Settings, CompilerPathPrecedence) {
  MemorySettingsStore store;
  const auto dir = std::filesystem::temp_directory_path() /
                   ("quillet_settings_" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  IniTextFile ini((dir / "qlt8.dll").string());
  const std::string pb = "Software\\PowerBASIC\\PB/Win\\8.0";

  store.WriteAbsoluteText(pb + "\\Compiler", "Compiler", "no-digit");  // never tried
  EXPECT_EQ(FindCompilerPath(store, ini), "");
  store.WriteAbsoluteText(pb + "1\\Compiler", "Compiler", "one");
  EXPECT_EQ(FindCompilerPath(store, ini), "one");
  store.WriteAbsoluteText(pb + "4\\Compiler", "Compiler", "");  // empty: keep looking
  store.WriteAbsoluteText(pb + "3\\Compiler", "Compiler", "three");
  EXPECT_EQ(FindCompilerPath(store, ini), "three");
  store.WriteText("编辑器配置\\编译器路径", "registry");
  EXPECT_EQ(FindCompilerPath(store, ini), "registry");
  ASSERT_TRUE(SaveIniCompilerPath(ini, "D:\\编译器\\PBWIN.EXE"));
  EXPECT_EQ(LoadEditorSettings(store, ini, {}).compilerPath, "D:\\编译器\\PBWIN.EXE");
  ASSERT_TRUE(SaveIniCompilerPath(ini, ""));  // cleared item: the registry decides again
  EXPECT_EQ(FindCompilerPath(store, ini), "registry");
  std::filesystem::remove_all(dir);
}

TEST(Settings, PathsSplitAtTheLastRealBackslash) {
  // 0x5C is also a GBK trail byte; such a byte is part of the value name.
  const std::string name = std::string("B\x81\x5C") + "C";
  const SettingsPath p = SplitSettingsPath("A\\" + name);
  EXPECT_EQ(p.key, "A");
  EXPECT_EQ(p.value, name);
  EXPECT_EQ(SplitSettingsPath("Solo").key, "");

  MemorySettingsStore store;  // names ignore ASCII letter case, as the registry does
  store.WriteNumber("编辑器配置\\tab空格", 3);
  EXPECT_EQ(store.ReadNumber("编辑器配置\\TAB空格", 4), 3u);
}

TEST(RecentFiles, LoadStopsAtGapAndSaveLeavesLaterValues) {
  MemorySettingsStore store;
  store.WriteText("最后文件\\1", "a.bas");
  store.WriteText("最后文件\\2", "b.bas");
  store.WriteText("最后文件\\3", "");
  store.WriteText("最后文件\\4", "d.bas");
  RecentFiles recent;
  recent.Load(store);
  EXPECT_EQ(recent.Entries(), (std::vector<std::string>{"a.bas", "b.bas"}));

  EXPECT_TRUE(recent.Add("b.bas"));
  recent.Save(store);
  EXPECT_EQ(store.ReadText("最后文件\\1", ""), "b.bas");
  EXPECT_EQ(store.ReadText("最后文件\\2", ""), "a.bas");
  EXPECT_EQ(store.ReadText("最后文件\\3", "?"), "");
  EXPECT_EQ(store.ReadText("最后文件\\4", ""), "d.bas");

  // A removed entry stays gone after a restart: the old last value is emptied.
  EXPECT_FALSE(recent.Remove("c.bas"));
  EXPECT_TRUE(recent.Remove("B.BAS"));
  recent.Save(store);
  recent.Load(store);
  EXPECT_EQ(recent.Entries(), std::vector<std::string>{"a.bas"});
}

TEST(RecentFiles, AddMovesMatchesToTheFrontAndKeepsEight) {
  RecentFiles recent;
  EXPECT_FALSE(recent.Add(""));
  for (int i = 1; i <= 9; ++i) EXPECT_TRUE(recent.Add("C:\\f" + std::to_string(i) + ".bas"));
  ASSERT_EQ(recent.Entries().size(), 8u);
  EXPECT_EQ(recent.Entries().front(), "C:\\f9.bas");
  EXPECT_EQ(recent.Entries().back(), "C:\\f2.bas");

  // Entry 3 in other letter case: moved to the front in the new case.
  EXPECT_TRUE(recent.Add("c:\\F7.BAS"));
  EXPECT_EQ(recent.Entries()[0], "c:\\F7.BAS");
  EXPECT_EQ(recent.Entries()[1], "C:\\f9.bas");
  EXPECT_EQ(recent.Entries()[2], "C:\\f8.bas");
  EXPECT_EQ(recent.Entries()[3], "C:\\f6.bas");
  EXPECT_EQ(recent.Entries().size(), 8u);

  // Entry 1 matching changes nothing, not even the letter case.
  EXPECT_FALSE(recent.Add("C:\\f7.bas"));
  EXPECT_EQ(recent.Entries()[0], "c:\\F7.BAS");

  // Paths that differ only in a trail byte in the letter range are different files.
  RecentFiles gbk;
  gbk.Add(std::string("\xB0\x61.bas"));
  EXPECT_TRUE(gbk.Add(std::string("\xB0\x41.bas")));
  EXPECT_EQ(gbk.Entries().size(), 2u);
}

TEST(RecentFiles, CaptionNumbersTheItemAndKeepsAmpersands) {
  EXPECT_EQ(RecentFiles::Caption(3, "D:\\源码\\a.bas"), "&3 D:\\源码\\a.bas");
  EXPECT_EQ(RecentFiles::Caption(1, "D:\\R&D\\a.bas"), "&1 D:\\R&&D\\a.bas");
}

TEST(ViewFlags, LoadAndSaveUseTheElementNames) {
  MemorySettingsStore store;
  store.WriteNumber("外观配置\\选择夹", 0);
  store.WriteNumber("外观配置\\工具条", 2);
  ViewFlags v = LoadViewFlags(store);
  EXPECT_FALSE(v.IsShown(kViewTabStrip));
  EXPECT_TRUE(v.IsShown(kViewToolbar));
  EXPECT_TRUE(v.IsShown(kViewLineNumberBar));

  store.WriteNumber("外观配置\\行号条", 0);
  v = LoadViewFlags(store);
  EXPECT_FALSE(v.IsShown(kViewLineNumberBar));
  EXPECT_EQ(v.LineNumberBarWidth(), 0);

  const char* names[] = {"工具条", "状态条", "工作夹", "状态夹", "选择夹", "行号条"};
  for (int which = 1; which <= 6; ++which) {
    MemorySettingsStore fresh;
    SaveViewFlag(fresh, which, false);
    EXPECT_EQ(fresh.ReadNumber(std::string("外观配置\\") + names[which - 1], 9), 0u) << which;
    SaveViewFlag(fresh, which, true);
    EXPECT_EQ(fresh.ReadNumber(std::string("外观配置\\") + names[which - 1], 9), 1u) << which;
  }
  MemorySettingsStore untouched;
  SaveViewFlag(untouched, 7, false);
  SaveViewFlag(untouched, 0, false);
  EXPECT_TRUE(LoadViewFlags(untouched).shown == ViewFlags{}.shown);
}

TEST(IniText, ReadsAsTheProfileFunctionsDo) {
  const IniText ini(
      "; comment\r\n"
      "top=outside any section\r\n"
      "[LuJing]\r\n"
      "  byq  =  C:\\PB\\PBWIN.EXE  \r\n"
      "quoted=\"  padded  \"\n"
      "expr=a=b\n"
      "byq=second\n"
      "[broken\n"
      "[lujing]\n"
      "later=x\n"
      "[方案]\r\n"
      "背景颜色=16777215");
  EXPECT_EQ(ini.Find("lujing", "BYQ"), "C:\\PB\\PBWIN.EXE");
  EXPECT_EQ(ini.Find("lujing", "quoted"), "  padded  ");
  EXPECT_EQ(ini.Find("lujing", "expr"), "a=b");
  EXPECT_EQ(ini.Find("lujing", "later"), std::nullopt);  // only the first section of a name counts
  EXPECT_EQ(ini.Find("lujing", "top"), std::nullopt);
  EXPECT_EQ(ini.Find("方案", "背景颜色"), "16777215");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"LuJing", "方案"}));
  EXPECT_EQ(IniText("").SectionNames().size(), 0u);
}

TEST(IniText, WriteChangesOneItemAndKeepsTheRest) {
  IniText ini("[a]\r\nk=1\r\n; note\r\n\r\n[b]\r\nx=2\r\n");
  ASSERT_TRUE(ini.Write("A", "K", "10"));
  ASSERT_TRUE(ini.Write("a", "new", "3"));
  ASSERT_TRUE(ini.Write("c", "y", "4"));
  EXPECT_EQ(ini.Text(), "[a]\r\nk=10\r\n; note\r\nnew=3\r\n\r\n[b]\r\nx=2\r\n\r\n[c]\r\ny=4\r\n");

  EXPECT_FALSE(ini.Write("a", "k", "1\r\n[evil]"));
  EXPECT_FALSE(ini.Write("a", "k=v", "1"));
  EXPECT_FALSE(ini.Write("a", "[k", "1"));
  EXPECT_FALSE(ini.Write("", "k", "1"));
  EXPECT_FALSE(ini.Write("a", " ", "1"));
  EXPECT_EQ(ini.Find("a", "k"), "10");
}

TEST(IniText, NamesMatchWithoutTheBlanksAroundThem) {
  IniText ini("[ a ]\r\nk=1\r\n");
  EXPECT_EQ(ini.Find("a", "k"), "1");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"a"}));
  ASSERT_TRUE(ini.Write(" a", " k ", "2"));
  EXPECT_EQ(ini.Find(" A ", "\tk "), "2");  // what was written under a name reads back under it
  ASSERT_TRUE(ini.Write(" b ", "k", "3"));
  EXPECT_EQ(ini.Text(), "[ a ]\r\nk=2\r\n\r\n[b]\r\nk=3\r\n");
}

TEST(IniTextFile, MissingFileReadsEmptyAndWriteCreatesIt) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("quillet_ini_" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(dir);
  IniTextFile file((dir / "配色方案.ini").string());
  EXPECT_EQ(file.Read("x", "y", "fallback"), "fallback");
  EXPECT_TRUE(file.SectionNames().empty());
  ASSERT_TRUE(file.Write("夜间", "注释颜色", "32768"));
  ASSERT_TRUE(file.Write("夜间", "背景颜色", "0"));
  EXPECT_EQ(IniTextFile((dir / "配色方案.ini").string()).Read("夜间", "注释颜色"), "32768");
  EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"夜间"}));

  IniTextFile unwritable((dir / "no-such-folder" / "qlt8.dll").string());
  EXPECT_FALSE(unwritable.Write("lujing", "byq", "x"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quillet
