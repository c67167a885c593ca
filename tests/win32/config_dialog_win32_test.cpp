#include "dialogs/config_dialog_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "dialogs/config.h"
#include "dialogs/input_box_win32.h"
#include "edit_test_host_win32.h"
#include "dialog_driver.h"
#include "message_pump.h"
#include "shell/app_state.h"
#include "shell/registry_store_win32.h"

namespace quillet {
namespace {

constexpr char kTestKey[] = "Software\\Velmoor\\QuilletTest\\Config";
constexpr char kTestRoot[] = "Software\\Velmoor\\QuilletTest\\Config\\";
constexpr ColourRef kNightBackground = Rgb(0x20, 0x30, 0x40);

// ---- Answering the dialogs from a timer, as the user would ----

// The "caption|message" of every message box and input box the driver met,
// and of any dialog it did not expect.
std::vector<std::string> MessagesSeen(const DialogDriver& driver) {
  std::vector<std::string> messages;
  for (const std::string& met : driver.seen) {
    if (met.rfind("unexpected ", 0) == 0 || met.back() != '|') messages.push_back(met);
  }
  return messages;
}

void SelectScheme(HWND dialog, int index) {
  HWND list = GetDlgItem(dialog, kConfigSchemeListId);
  SendMessageA(list, CB_SETCURSEL, WPARAM(index), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kConfigSchemeListId, CBN_SELCHANGE), LPARAM(list));
}

// Answers the input box with name.
DialogStep Name(const std::string& name) {
  return [name](HWND box) {
    SetDlgItemTextA(box, kInputBoxEditId, name.c_str());
    Click(box, IDOK);
  };
}
// Closes a message box.
DialogStep Ok() {
  return [](HWND box) { Click(box, IDOK); };
}

// ---- Fixture: the program's settings below a test key, its folder in %TEMP% ----

class ConfigDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    folder = std::string(temp) + "quillet配置测试";
    RemoveFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFile("配色方案.ini", "[夜间]\r\n背景颜色=" + std::to_string(kNightBackground) +
                                  "\r\n光标行条颜色=255\r\n[Dark]\r\n背景颜色=0\r\n");
    ResetApp();
    App().registryRoot = kTestRoot;
    App().store = std::make_unique<RegistrySettingsStore>(kTestRoot);
    App().settingsFilePath = folder + "\\qlt8.dll";
    App().editor = Restarted();
  }
  void TearDown() override {
    DrainMessages();
    ResetApp();
    RemoveFolder();
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
  }
  void RemoveFolder() {
    for (const char* name : {"配色方案.ini", "qlt8.dll", "PBWIN.EXE"})
      DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
  }
  void WriteFile(const std::string& name, const std::string& bytes) {
    std::ofstream(folder + "\\" + name, std::ios::binary) << bytes;
  }
  std::string ReadFile(const std::string& name) {
    std::ifstream in(folder + "\\" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The editor settings as the next start reads them.
  EditorSettings Restarted() {
    const RegistrySettingsStore store(kTestRoot);
    const IniFileWin32 settingsFile(App().settingsFilePath);
    return LoadEditorSettings(store, settingsFile, DefaultGuiFontRecord());
  }
  std::string folder;
};

TEST_F(ConfigDialogTest, ASavedSchemeSelectedAndConfirmedIsStoredAndPainted) {
  EditTestHost host;
  ASSERT_TRUE(host.Create(300, 200));
  ReplaceEditDrawingObjects(App().editor);
  host.Pump();
  DialogDriver driver;
  driver.steps = {[](HWND dialog) {
    EXPECT_EQ(TextOf(dialog), "设置");
    EXPECT_EQ(SendDlgItemMessageA(dialog, kConfigSchemeListId, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendDlgItemMessageA(dialog, kConfigSchemeListId, CB_GETCURSEL, 0, 0), 0);
    SelectScheme(dialog, 1);
    Click(dialog, IDOK);
  }};
  const int paints = host.paints;
  EXPECT_TRUE(ShowConfigurationDialog(host.Frame()));
  EXPECT_TRUE(driver.steps.empty());

  EditorColours night;
  night.slot.fill(0);
  night[Background] = kNightBackground;
  night[CursorLineBar] = 255;
  EXPECT_EQ(App().editor.colours, night);
  const RegistrySettingsStore store(kTestRoot);
  EXPECT_EQ(store.ReadBytes(kColoursPath), EncodeColours(night));
  EXPECT_EQ(store.ReadText(kSchemeNamePath, ""), "夜间");

  host.Pump();
  EXPECT_GT(host.paints, paints);
  RECT client{};
  GetClientRect(host.Editor(), &client);
  HDC dc = GetDC(host.Editor());
  EXPECT_EQ(GetPixel(dc, client.right - 4, client.bottom - 4), kNightBackground);
  ReleaseDC(host.Editor(), dc);

  // The next opening selects it again.
  driver.steps = {[](HWND dialog) {
    EXPECT_EQ(SendDlgItemMessageA(dialog, kConfigSchemeListId, CB_GETCURSEL, 0, 0), 1);
    Click(dialog, IDCANCEL);
  }};
  EXPECT_FALSE(ShowConfigurationDialog(host.Frame()));
}

TEST_F(ConfigDialogTest, SaveSchemeAsRefusesBadNamesAndWritesTheSection) {
  DialogDriver driver;
  driver.steps = {
      [](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kConfigSaveSchemeId)));
        Click(dialog, kConfigFirstPickerId + Background);
      },
      [](HWND colours) {  // the system colour dialog: red 1, green 2, blue 3
        SetDlgItemTextA(colours, 706, "1");
        SetDlgItemTextA(colours, 707, "2");
        SetDlgItemTextA(colours, 708, "3");
        Click(colours, IDOK);
      },
      [](HWND dialog) {
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kConfigSaveSchemeId)));
        Click(dialog, kConfigSaveSchemeId);
      },
      Name("默认配色"),
      Ok(),
      Name("dark"),
      Ok(),
      Name("新[方案]"),
      Ok(),
      Name(""),
      Ok(),
      Name("蓝天"),
      Ok(),
      [](HWND dialog) {
        EXPECT_EQ(SendDlgItemMessageA(dialog, kConfigSchemeListId, CB_GETCOUNT, 0, 0), 4);
        EXPECT_EQ(SendDlgItemMessageA(dialog, kConfigSchemeListId, CB_GETCURSEL, 0, 0), 0);
        Click(dialog, kConfigSaveSchemeId);
      },
      [](HWND box) { Click(box, IDCANCEL); },
      [](HWND dialog) { Click(dialog, IDCANCEL); },
  };
  EXPECT_FALSE(ShowConfigurationDialog(nullptr));
  EXPECT_TRUE(driver.steps.empty());
  std::vector<std::string> expected;
  for (const char* answer :
       {kSchemeNameTaken, kSchemeNameTaken, kSchemeNameUnsafe, kSchemeNameEmpty, kSchemeSaved}) {
    expected.push_back(std::string(kSchemeNameCaption) + "|" + kAskSchemeName);
    expected.push_back(std::string(kConfigMessageCaption) + "|" + answer);
  }
  expected.push_back(std::string(kSchemeNameCaption) + "|" + kAskSchemeName);
  EXPECT_EQ(MessagesSeen(driver), expected);

  const std::string file = ReadFile("配色方案.ini");
  const auto section = file.find("[蓝天]\r\n");
  ASSERT_NE(section, std::string::npos) << file;
  std::string keys;
  EditorColours saved;
  saved[Background] = Rgb(1, 2, 3);
  for (std::size_t slot = 0; slot < kColourSlotCount; ++slot) {
    keys += std::string(kColourSlotNames[slot]) + "=" + std::to_string(saved.slot[slot]) + "\r\n";
  }
  EXPECT_EQ(file.substr(section + std::string("[蓝天]\r\n").size()), keys);
  // Cancelled: the running colours and the registry are untouched.
  EXPECT_EQ(App().editor.colours, EditorColours{});
  EXPECT_TRUE(RegistrySettingsStore(kTestRoot).ReadBytes(kColoursPath).empty());
}

TEST_F(ConfigDialogTest, TabWidthIsCheckedAndOutlivesTheRun) {
  DialogDriver driver;
  driver.steps = {
      [](HWND dialog) {
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, kConfigCompilerPathId), GWL_STYLE) & ES_READONLY);
        SetDlgItemTextA(dialog, kConfigTabWidthId, "33");
        Click(dialog, IDOK);
      },
      Ok(),
      [](HWND dialog) {
        HWND edit = GetDlgItem(dialog, kConfigTabWidthId);
        EXPECT_EQ(GetFocus(), edit);
        EXPECT_TRUE(IsWindowVisible(edit));
        SetWindowTextA(edit, "8");
        SendDlgItemMessageA(dialog, kConfigCompletionId, BM_CLICK, 0, 0);
        Click(dialog, IDOK);
      },
  };
  EXPECT_TRUE(ShowConfigurationDialog(nullptr));
  EXPECT_EQ(MessagesSeen(driver),
            std::vector<std::string>{std::string(kConfigMessageCaption) + "|" + kTabWidthRefused});
  EXPECT_EQ(App().editor.tabWidth, 8);
  EXPECT_FALSE(App().editor.completionPrompts);
  const EditorSettings next = Restarted();
  EXPECT_EQ(next.tabWidth, 8);
  EXPECT_FALSE(next.completionPrompts);
  EXPECT_TRUE(next.autoIndent);
}

TEST_F(ConfigDialogTest, CancelAppliesNothingButTheBrowsedCompilerStays) {
  const std::string compiler = folder + "\\PBWIN.EXE";
  WriteFile("PBWIN.EXE", "MZ");
  RegistrySettingsStore(kTestRoot).WriteText(kCompilerPathPath, "C:\\注册表\\PBWIN.EXE");
  DialogDriver driver;
  driver.steps = {
      [](HWND dialog) {
        // qlt8.dll names no compiler: the registry's path is shown, not wiped.
        EXPECT_EQ(TextOf(GetDlgItem(dialog, kConfigCompilerPathId)), "C:\\注册表\\PBWIN.EXE");
        SetDlgItemTextA(dialog, kConfigTabWidthId, "6");
        SelectScheme(dialog, 2);
        Click(dialog, kConfigBrowseId);
      },
      [compiler](HWND files) {
        EXPECT_EQ(TextOf(files), kCompilerDialogTitle);
        HWND name = GetDlgItem(files, 0x47C);  // cmb13, else edt1
        if (!name) name = GetDlgItem(files, 0x480);
        SetWindowTextA(name, compiler.c_str());
        Click(files, IDOK);
      },
      [compiler](HWND dialog) {
        EXPECT_EQ(TextOf(GetDlgItem(dialog, kConfigCompilerPathId)), compiler);
        Click(dialog, IDCANCEL);
      },
  };
  EXPECT_FALSE(ShowConfigurationDialog(nullptr));
  EXPECT_TRUE(driver.steps.empty());
  EXPECT_EQ(App().editor.tabWidth, 4);
  EXPECT_EQ(App().editor.colours, EditorColours{});
  const RegistrySettingsStore store(kTestRoot);
  EXPECT_EQ(store.ReadNumber(kTabWidthPath, 0), 0u);
  EXPECT_TRUE(store.ReadBytes(kColoursPath).empty());
  EXPECT_EQ(App().editor.compilerPath, compiler);
  EXPECT_EQ(IniFileWin32(App().settingsFilePath).Read("lujing", "byq"), compiler);
  EXPECT_EQ(Restarted().compilerPath, compiler);
}

}  // namespace
}  // namespace quillet
