#include "dialogs/config.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace quillet {
namespace {

constexpr char kSchemeText[] =
    "[夜间]\r\n背景颜色=0\r\n默认文本颜色=16777215.9\r\n注释颜色=abc\r\n汇编代码颜色=-1\r\n"
    "[Dark]\r\n背景颜色=255\r\n";

struct ConfigFixture : ::testing::Test {
  EditorSettings settings;
  MemorySettingsStore store;
  MemoryIniFile settingsFile;
  MemoryIniFile schemes{kSchemeText};

  ConfigDialogModel Open() { return ConfigDialogModel(settings, store, settingsFile, schemes); }
};

TEST_F(ConfigFixture, SchemesAreListedInFileOrderAndReadAsColours) {
  store.WriteText(kSchemeNamePath, "Dark");
  ConfigDialogModel m = Open();
  EXPECT_EQ(m.Schemes(), (std::vector<std::string>{"默认配色", "夜间", "Dark"}));
  EXPECT_EQ(m.InitialScheme(), 2);

  m.SelectScheme(1);
  const EditorColours& c = m.Pickers();
  EXPECT_EQ(c[DefaultText], 0xFFFFFFu);  // truncated
  EXPECT_EQ(c[Background], 0u);
  EXPECT_EQ(c[Comment], 0u);          // not a number
  EXPECT_EQ(c[AsmCode], 0u);          // not a colour
  EXPECT_EQ(c[NumericConstant], 0u);  // missing
  EXPECT_EQ(m.WorkingColours(), c);

  // Only an exact name selects an entry at opening.
  store.WriteText(kSchemeNamePath, "dark");
  EXPECT_EQ(Open().InitialScheme(), 0);
}

TEST_F(ConfigFixture, SelectingTheOpeningSchemeAgainIsNoChange) {
  store.WriteText(kSchemeNamePath, "夜间");
  ConfigDialogModel m = Open();
  m.SelectScheme(0);
  EXPECT_TRUE(m.Changes().scheme);
  EXPECT_EQ(m.Pickers(), EditorColours{});
  m.SelectScheme(1);
  EXPECT_FALSE(m.Changes().scheme);
  ASSERT_TRUE(m.Confirm());
  EXPECT_FALSE(store.Contains(kColoursPath));

  // Back to the defaults: colours, their record and the name are stored.
  settings.colours.slot.fill(5);
  ConfigDialogModel again = Open();
  again.SelectScheme(0);
  const auto applied = again.Confirm();
  ASSERT_TRUE(applied);
  EXPECT_TRUE(applied->drawingObjects && applied->repaint);
  EXPECT_EQ(settings.colours, EditorColours{});
  EXPECT_EQ(store.ReadBytes(kColoursPath).size(), 48u);
  EXPECT_EQ(store.ReadText(kSchemeNamePath, ""), "默认配色");
}

TEST_F(ConfigFixture, EditedPickersApplyOnlyThroughASavedAndSelectedScheme) {
  ConfigDialogModel m = Open();
  EXPECT_FALSE(m.SaveSchemeEnabled());
  m.SetPickerColour(Background, 0x123456);
  EXPECT_TRUE(m.SaveSchemeEnabled());
  EXPECT_FALSE(m.SaveScheme("dark"));  // refused names write nothing
  EXPECT_EQ(schemes.SectionNames().size(), 2u);
  ASSERT_TRUE(m.SaveScheme("蓝天"));
  EXPECT_EQ(m.Schemes().back(), "蓝天");
  EXPECT_EQ(m.SelectedScheme(), 0);
  EXPECT_EQ(schemes.Read("蓝天", "背景颜色"), "1193046");
  EXPECT_EQ(schemes.Read("蓝天", "系统关键字颜色"), "255");
  EXPECT_EQ(ReadScheme(schemes, "蓝天"), m.Pickers());
  ASSERT_TRUE(m.Confirm());
  EXPECT_EQ(settings.colours, EditorColours{});

  ConfigDialogModel next = Open();
  next.SelectScheme(3);
  ASSERT_TRUE(next.Confirm());
  EXPECT_EQ(settings.colours[Background], 0x123456u);
  EXPECT_EQ(LoadColours(store), settings.colours);
  EXPECT_EQ(store.ReadText(kSchemeNamePath, ""), "蓝天");

  // Another entry selected, a picker edited and saved under a new name: 确定
  // stores the selected entry's name with that entry's own colours.
  ConfigDialogModel third = Open();
  third.SelectScheme(1);
  third.SetPickerColour(Background, 0x654321);
  ASSERT_TRUE(third.SaveScheme("晚霞"));
  ASSERT_TRUE(third.Confirm());
  EXPECT_EQ(store.ReadText(kSchemeNamePath, ""), "夜间");
  EXPECT_EQ(LoadColours(store), ReadScheme(schemes, "夜间"));
  EXPECT_EQ(Open().WorkingColours(), ReadScheme(schemes, "夜间"));
}

TEST(SchemeName, RefusesEmptyUnsafeAndTakenNames) {
  const std::vector<std::string> list{"默认配色", "Dark", "\x81\x61"};
  EXPECT_EQ(CheckSchemeName("", list), SchemeNameCheck::kEmpty);
  for (const char* name : {"a[b", "a]", "x=1", "a\nb", "a\rb", " a", "a ", "a\t", "ab\x81"}) {
    EXPECT_EQ(CheckSchemeName(name, list), SchemeNameCheck::kUnsafe) << name;
  }
  for (const char* name : {"默认配色", "Dark", "DARK", "dark", "\x81\x61"}) {
    EXPECT_EQ(CheckSchemeName(name, list), SchemeNameCheck::kTaken) << name;
  }
  // Trail bytes that look like '[', ']' or a letter are parts of characters.
  for (const char* name : {"\x81\x5B", "\x81\x5D", "\x81\x41", "新 方案"}) {
    EXPECT_EQ(CheckSchemeName(name, list), SchemeNameCheck::kAccepted) << name;
  }
  EXPECT_STREQ(SchemeNameRefusal(SchemeNameCheck::kTaken), "这个配色方案的名称已经存在，请重新命名");
}

TEST(TabWidth, OnlyWholeNumbersOneToThirtyTwo) {
  EXPECT_EQ(ParseTabWidth("1"), 1);
  EXPECT_EQ(ParseTabWidth(" 32 "), 32);
  EXPECT_EQ(ParseTabWidth("08"), 8);
  for (const char* text : {"", "0", "33", "-4", "4.5", "4.0", "abc", "4a", "999999999999"}) {
    EXPECT_FALSE(ParseTabWidth(text)) << text;
  }
}

TEST_F(ConfigFixture, ConfirmAppliesAndStoresWhatChanged) {
  ConfigDialogModel m = Open();
  EXPECT_EQ(m.TabText(), "4");
  m.SetTabText("4.00000001");  // the same width to the change rule
  EXPECT_FALSE(m.Changes().tabWidth);
  m.SetTabText("abc");  // not a number: 0
  EXPECT_TRUE(m.Changes().tabWidth);
  EXPECT_FALSE(m.Confirm());
  m.SetTabText("33");
  EXPECT_FALSE(m.Confirm());
  EXPECT_EQ(settings.tabWidth, 4);
  EXPECT_FALSE(store.Contains(kTabWidthPath));

  m.SetTabText("8");
  FontRecord font{};
  font[0] = 0xF4;  // lfHeight -12
  font[1] = font[2] = font[3] = 0xFF;
  std::memcpy(font.data() + 28, "宋体", 4);
  m.SetWorkingFont(font);
  EXPECT_EQ(FontDescription(m.WorkingFont(), 96), "宋体,9");
  m.SetCompletion(false);
  m.SetAutoIndent(false);
  m.SetAutoIndent(true);  // back: no change
  EXPECT_TRUE(m.Changes().completion);
  EXPECT_FALSE(m.Changes().autoIndent);
  const auto applied = m.Confirm();
  ASSERT_TRUE(applied && applied->drawingObjects && applied->repaint);
  EXPECT_EQ(settings.tabWidth, 8);
  EXPECT_EQ(settings.font, font);
  EXPECT_FALSE(settings.completionPrompts);
  EXPECT_FALSE(store.Contains(kAutoIndentPath));

  const EditorSettings restarted = LoadEditorSettings(store, settingsFile, FontRecord{});
  EXPECT_EQ(restarted.tabWidth, 8);
  EXPECT_EQ(restarted.font, font);
  EXPECT_FALSE(restarted.completionPrompts);
  EXPECT_TRUE(restarted.autoIndent);
}

TEST(FontPointSize, TruncatesTowardZero) {
  FontRecord f{};
  auto height = [&f](std::int32_t h) {
    for (int i = 0; i < 4; ++i) f[std::size_t(i)] = std::uint8_t(std::uint32_t(h) >> (8 * i));
    return f;
  };
  EXPECT_EQ(FontPointSize(height(-12), 96), 9);
  EXPECT_EQ(FontPointSize(height(-13), 96), 9);
  EXPECT_EQ(FontPointSize(height(-16), 120), 9);
  EXPECT_EQ(FontPointSize(height(13), 96), -9);
  EXPECT_EQ(FontPointSize(height(-12), 0), 0);
  EXPECT_EQ(FontPointSize(height(INT32_MIN), 96), int(-std::int64_t(INT32_MIN) * 72 / 96));
}

TEST_F(ConfigFixture, OpeningResolvesTheCompilerPathAsStartUpDoes) {
  settings.compilerPath = "C:\\旧\\PBWIN.EXE";
  store.WriteAbsoluteText("Software\\PowerBASIC\\PB/Win\\8.03\\Compiler", "Compiler", "C:\\PB3\\PBWIN.EXE");
  Open();
  EXPECT_EQ(settings.compilerPath, "C:\\PB3\\PBWIN.EXE");
  store.WriteText(kCompilerPathPath, "C:\\注册表\\PBWIN.EXE");
  Open();
  EXPECT_EQ(settings.compilerPath, "C:\\注册表\\PBWIN.EXE");
  settingsFile.Write("lujing", "byq", "D:\\设置\\PBWIN.EXE");
  ConfigDialogModel m = Open();
  EXPECT_EQ(m.CompilerPath(), "D:\\设置\\PBWIN.EXE");

  // 浏览(&O) writes at once, whatever 确定 or 取消 does later.
  EXPECT_TRUE(m.SetCompilerPath("E:\\PB\\PBWIN.EXE"));
  EXPECT_EQ(settingsFile.Read("lujing", "byq"), "E:\\PB\\PBWIN.EXE");
  EXPECT_EQ(settings.compilerPath, "E:\\PB\\PBWIN.EXE");
}

}  // namespace
}  // namespace quillet
