#include "shell/documents_win32.h"

#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialogs/config_dialog_win32.h"
#include "editor/document_templates.h"
#include "editor/line_split.h"
#include "platform/win32_file_system_win32.h"
#include "shell/app_state.h"
#include "shell/file_dialog_win32.h"
#include "shell/main_window_win32.h"
#include "shell/menus_win32.h"
#include "shell/panels_win32.h"
#include "shell/registry_store_win32.h"
#include "dialog_driver.h"
#include "document_window_options.h"
#include "message_pump.h"
#include "shell/save_changes_dialog_win32.h"

namespace quillet {
namespace {

constexpr char kTestKey[] = "Software\\Velmoor\\QuilletTest\\Documents";
constexpr char kTestRoot[] = "Software\\Velmoor\\QuilletTest\\Documents\\";
constexpr char kBase[] = "Quillet 2.8正式版";

// ---- Driving the modal dialogs the commands open ----

// A file dialog of that title: types the path and presses OK, or with no
// path presses Cancel.
DialogStep File(const char* title, const std::string& path) {
  return {title, [path](HWND dialog) {
            if (!path.empty()) SetWindowTextA(DialogDriver::FileNameBox(dialog), path.c_str());
            Click(dialog, path.empty() ? IDCANCEL : IDOK);
          }};
}
DialogStep SaveAs(const std::string& path) { return File(kSaveDialogTitle, path); }
// A box of that caption: clicks the button, or with 0 closes it by its title bar.
DialogStep Box(const char* caption, int button) {
  return {caption, [button](HWND dialog) {
            if (button) {
              SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
            } else {
              SendMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
          }};
}
// The save-changes question: answer 1 to 5 is its button, 0 its close box.
DialogStep Answer(int answer) { return Box(kModifiedCaption, answer ? kSaveChangesFirstButton + answer - 1 : 0); }

// ---- The main window with the program's own parts ----

std::string TempFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + "quillet文档测试";
}

class DocumentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleA(nullptr)));
    folder = TempFolder();
    RemoveFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  void TearDown() override {
    if (IsWindow(window)) {
      for (int k = 1; k <= Documents().Count(); ++k) Documents().Document(k).modified = false;
      DestroyWindow(window);
    }
    DrainMessages();
    RemoveFolder();
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
  }
  void RemoveFolder() {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::string path = folder + "\\" + found.cFileName;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
  }

  HWND Start() {
    MainWindowOptions options = DocumentWindowOptions(commands, kTestRoot);
    // Hidden: under Wine without a window manager, hiding a shown window is slow.
    window = CreateMainWindow(GetModuleHandleA(nullptr), std::move(options));
    return window;
  }
  void Command(int command) { SendMessageA(window, WM_COMMAND, command, 0); }

  std::string PathOf(const std::string& name) const { return folder + "\\" + name; }
  std::string Write(const std::string& name, const std::string& bytes) {
    files.WriteFileAtomically(PathOf(name), bytes);
    return PathOf(name);
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    return files.ReadWholeFile(path, bytes) ? bytes : "<missing>";
  }

  std::string TabText(int position, int* image = nullptr) const {
    char text[256] = {};
    TCITEMA item{TCIF_TEXT | TCIF_IMAGE, 0, 0, text, sizeof text, 0, 0};
    SendMessageA(Units().tabStrip, TCM_GETITEMA, position - 1, reinterpret_cast<LPARAM>(&item));
    if (image) *image = item.iImage;
    return text;
  }
  int TabCount() const { return static_cast<int>(SendMessageA(Units().tabStrip, TCM_GETITEMCOUNT, 0, 0)); }
  std::string Caption() const {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
  }
  std::string StatusText(int panel) const {
    char text[64] = {};
    SendMessageA(Units().statusBar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text));
    return text;
  }
  bool EditShown(int position) const {
    return (GetWindowLongA(EditHandle(position), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  std::string MenuText(int command) const {
    char text[512] = {};
    GetMenuStringA(GetMenu(window), command, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  void Type(int position, const std::string& bytes) {
    for (char c : bytes) SendMessageA(EditHandle(position), WM_CHAR, static_cast<unsigned char>(c), 0);
  }

  CommandSurface commands;
  Win32FileSystem files;
  HWND window = nullptr;
  std::string folder;
};

TEST_F(DocumentsTest, NewDocumentsOfEachKindGetTheirNamesTemplatesAndIcons) {
  ASSERT_NE(Start(), nullptr);
  ASSERT_EQ(Documents().Count(), 1);
  // Features not built register nothing, and their commands stay unavailable.
  for (CommandId id : {kCmdCompile, kCmdCompileAndRun, kCmdRun, kCmdFind, kCmdFindNext, kCmdFindPrevious,
                       kCmdReplace, kCmdGoToLine, kCmdConfigure, kCmdInstantHelp, kCmdKeywordOutput,
                       kCmdProcedureJump, kCmdProcedureRefresh}) {
    EXPECT_FALSE(IsCommandAvailable(id)) << id;
    EXPECT_TRUE(GetMenuState(GetMenu(window), id, MF_BYCOMMAND) & MF_GRAYED) << id;
  }
  for (CommandId id : {kCmdNew, kCmdOpen, kCmdSave, RecentFileCommand(8), kCmdViewLineNumberBar, kCmdPrint}) {
    EXPECT_TRUE(IsCommandAvailable(id)) << id;
  }
  EXPECT_FALSE(GetMenuState(GetMenu(window), kCmdOpen, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(App().commands.Has(kCmdCut));  // registered; enabled while there is a selection
  EXPECT_FALSE(IsCommandAvailable(kCmdNone));
  EXPECT_FALSE(IsCommandAvailable(kCmdRecentFile8 + 1));
  int icon = -1;
  EXPECT_EQ(TabText(1, &icon), "未命名1.bas");
  EXPECT_EQ(icon, 0);
  EXPECT_EQ(Documents().Document(1).lines.size(), static_cast<int>(SplitLines(TemplateText(TemplateKind::Exe)).size()));
  EXPECT_EQ(Caption(), std::string(kBase) + " - [未命名1.bas]");
  EXPECT_EQ(StatusText(1), std::to_string(Documents().Document(1).lineCount));
  EXPECT_EQ(StatusText(2), "行:1");
  EXPECT_EQ(StatusText(3), "列:0");

  Command(kCmdNewText);
  Command(kCmdNewRc);
  Command(kCmdNewDll);
  Command(kCmdNew);
  const char* names[] = {"未命名1.bas", "未命名2", "未命名3.rc", "未命名4.bas", "未命名5.bas"};
  const int icons[] = {0, 2, 2, 0, 0};
  ASSERT_EQ(TabCount(), 5);
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(TabText(k, &icon), names[k - 1]);
    EXPECT_EQ(icon, icons[k - 1]) << k;
    EXPECT_EQ(EditShown(k), k == 5) << k;
  }
  EXPECT_EQ(Documents().Document(2).lines.size(), 1);
  EXPECT_EQ(Documents().Document(2).lines[0], "");
  EXPECT_EQ(Documents().Document(3).lines[0], SplitLines(TemplateText(TemplateKind::Rc))[0]);
  EXPECT_EQ(Documents().Document(4).lines.size(), static_cast<int>(SplitLines(TemplateText(TemplateKind::Dll)).size()));

  // Closing tabs never lowers the counter; the neighbour becomes current.
  Command(kCmdClose);
  EXPECT_EQ(CurrentTab(), 4);
  SelectTab(2);
  Command(kCmdClose);
  EXPECT_EQ(CurrentTab(), 2);
  EXPECT_EQ(TabText(2), "未命名3.rc");
  EXPECT_TRUE(EditShown(2));
  Command(kCmdNewText);
  EXPECT_EQ(TabText(4), "未命名6");
  EXPECT_EQ(Documents().Count(), TabCount());
}

void CALLBACK EndMenuSoon(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST_F(DocumentsTest, ClicksOnTheTabsSwitchDocumentsAndAimTheTabMenu) {
  ASSERT_NE(Start(), nullptr);
  Command(kCmdNewText);
  Command(kCmdNewText);
  HWND strip = Units().tabStrip;
  auto centre = [strip](int position) {
    RECT r{};
    SendMessageA(strip, TCM_GETITEMRECT, position - 1, reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  SendMessageA(strip, WM_LBUTTONDOWN, MK_LBUTTON, centre(1));
  SendMessageA(strip, WM_LBUTTONUP, 0, centre(1));
  EXPECT_EQ(CurrentTab(), 1);
  EXPECT_TRUE(EditShown(1));
  EXPECT_FALSE(EditShown(3));
  EXPECT_EQ(Caption(), std::string(kBase) + " - [未命名1.bas]");

  // A right-click pops up 右键菜单 for that tab; its 关闭 closes that one.
  POINT at{GET_X_LPARAM(centre(2)), GET_Y_LPARAM(centre(2))};
  ClientToScreen(strip, &at);
  SetCursorPos(at.x, at.y);
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, EndMenuSoon);
  PostMessageA(strip, WM_RBUTTONDOWN, MK_RBUTTON, centre(2));
  PostMessageA(strip, WM_RBUTTONUP, 0, centre(2));
  DrainMessages();
  KillTimer(nullptr, timer);
  EXPECT_EQ(ContextTab(), 2);
  EXPECT_EQ(CurrentTab(), 1);
  Command(kCmdTabClose);
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(TabText(2), "未命名3");
  EXPECT_EQ(CurrentTab(), 1);
  EXPECT_EQ(ContextTab(), 0);
}

TEST_F(DocumentsTest, OpensAGbkFileOnceWhateverTheLetterCase) {
  const std::string text = "' 中文注释\r\nPRINT \"你好\"\r\n";
  const std::string path = Write("测试文件.bas", text);
  ASSERT_NE(Start(), nullptr);
  {
    DialogDriver driver;
    driver.steps = {File(kOpenDialogTitle, ""), File(kOpenDialogTitle, path)};
    Command(kCmdOpen);  // cancelled
    EXPECT_EQ(Documents().Count(), 1);
    Command(kCmdOpen);
    EXPECT_TRUE(driver.steps.empty());
  }
  ASSERT_EQ(Documents().Count(), 2);
  int icon = -1;
  EXPECT_EQ(TabText(2, &icon), "测试文件.bas");
  EXPECT_EQ(icon, 0);
  const CodeDocument& document = Documents().Document(2);
  ASSERT_EQ(document.lines.size(), 3);
  EXPECT_EQ(document.lines[0], "' 中文注释");
  EXPECT_EQ(document.lines[1], "PRINT \"你好\"");
  EXPECT_EQ(Caption(), std::string(kBase) + " - [" + path + "]");
  ASSERT_EQ(App().recentFiles.Entries(), std::vector<std::string>{path});
  EXPECT_EQ(MenuText(RecentFileCommand(1)), "&1 " + path);

  // The tab's tooltip is the full path.
  NMTTDISPINFOA tip{};
  tip.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(Units().tabStrip, TCM_GETTOOLTIPS, 0, 0));
  tip.hdr.idFrom = 1;
  tip.hdr.code = TTN_GETDISPINFOA;
  ASSERT_NE(tip.hdr.hwndFrom, nullptr);
  LRESULT result = 0;
  ASSERT_TRUE(HandleTabStripNotify(&tip.hdr, result));
  EXPECT_EQ(std::string(tip.lpszText), path);

  SelectTab(1);
  std::string other = path;
  CharUpperBuffA(other.data(), static_cast<DWORD>(folder.size()));  // the folder part only
  OpenDocument(other, kNewPlainText);
  EXPECT_EQ(Documents().Count(), 2);
  EXPECT_EQ(CurrentTab(), 2);
  EXPECT_EQ(App().recentFiles.Entries(), std::vector<std::string>{path});

  // A file that cannot be read leaves no tab that would look like the file
  // emptied; the tab that was current stays so.
  DialogDriver driver;
  driver.steps = {Box(kSystemErrorCaption, IDOK)};
  const std::string missing = PathOf("没有.bas");
  OpenDocument(missing, kNewPlainText);
  EXPECT_EQ(driver.seen, std::vector<std::string>{"系统错误|读入文档:\"" + missing + "\"失败！"});
  EXPECT_EQ(App().recentFiles.Entries(), std::vector<std::string>{path});  // only files that opened
  EXPECT_EQ(Documents().Count(), 2);
  EXPECT_EQ(TabCount(), 2);
  EXPECT_EQ(CurrentTab(), 2);
  EXPECT_TRUE(EditShown(2));
}

TEST_F(DocumentsTest, SaveAndSaveAsWriteTheFileAndMoveTheCaptions) {
  ASSERT_NE(Start(), nullptr);
  ShowWindow(window, SW_SHOW);  // the captions follow the edit window's paint
  UpdateWindow(window);
  DialogDriver driver;
  Command(kCmdSave);  // nothing changed: no dialog
  Type(1, "x");
  UpdateWindow(EditHandle(1));
  EXPECT_EQ(TabText(1), "未命名1.bas*");
  EXPECT_EQ(Caption(), std::string(kBase) + " - [未命名1.bas*]");

  const std::string first = PathOf("第一.bas");
  driver.steps = {SaveAs(first)};
  Command(kCmdSave);
  EXPECT_EQ(driver.seen, std::vector<std::string>{std::string(kSaveDialogTitle) + "|未命名1.bas"});
  EXPECT_EQ(Read(first), "x" + TemplateText(TemplateKind::Exe));
  EXPECT_EQ(TabText(1), "第一.bas");
  EXPECT_EQ(Caption(), std::string(kBase) + " - [" + first + "]");
  EXPECT_TRUE(App().recentFiles.Entries().empty());

  // Save to its own path, then save as: the old file stays as it was.
  Type(1, "y");
  Command(kCmdSave);
  EXPECT_EQ(Read(first), "xy" + TemplateText(TemplateKind::Exe));
  const std::string second = PathOf("第二.inc");
  driver.steps = {SaveAs(second)};
  Command(kCmdSaveAs);
  EXPECT_EQ(driver.seen.back(), std::string(kSaveDialogTitle) + "|第一.bas");
  EXPECT_EQ(Read(second), Read(first));
  int icon = -1;
  EXPECT_EQ(TabText(1, &icon), "第二.inc");
  EXPECT_EQ(icon, 1);
  EXPECT_EQ(Documents().Document(1).filePath, second);
  EXPECT_TRUE(App().recentFiles.Entries().empty());

  // A file that cannot be written: the user is told, the changes stay.
  SetFileAttributesA(second.c_str(), FILE_ATTRIBUTE_READONLY);
  Type(1, "z");
  driver.steps = {Box(kSaveErrorCaption, IDOK)};
  Command(kCmdSave);
  EXPECT_EQ(driver.seen.back(), "出错：|保存文档\"" + second + "\"失败！");
  EXPECT_TRUE(Documents().Document(1).IsModified());
  EXPECT_EQ(Read(second), "xy" + TemplateText(TemplateKind::Exe));
  UpdateWindow(EditHandle(1));
  EXPECT_EQ(TabText(1), "第二.inc*");
  EXPECT_EQ(driver.seen.size(), 3u);
}

TEST_F(DocumentsTest, SaveAllAsksForEachUntitledDocumentEvenAfterACancel) {
  ASSERT_NE(Start(), nullptr);
  Command(kCmdNewText);
  Command(kCmdNewText);
  Type(2, "a");
  Type(3, "b");
  DialogDriver driver;
  const std::string path = PathOf("第三.txt");
  driver.steps = {SaveAs(""), SaveAs(path)};
  Command(kCmdSaveAll);
  EXPECT_EQ(driver.seen, (std::vector<std::string>{std::string(kSaveDialogTitle) + "|未命名2",
                                                   std::string(kSaveDialogTitle) + "|未命名3"}));
  EXPECT_TRUE(Documents().Document(2).IsModified());
  EXPECT_FALSE(Documents().Document(3).IsModified());
  EXPECT_EQ(Read(path), "b");
  EXPECT_FALSE(Documents().Document(1).IsModified());  // the unchanged one was not asked about
}

TEST_F(DocumentsTest, EachSaveChangesAnswerOfTheRealDialog) {
  struct Case {
    std::vector<int> answers;  // 0: the title bar's close box
    bool closes;
    std::string saved;  // which of a, b, c were written
  };
  const Case cases[] = {
      {{1, 3, 1}, true, "ac"}, {{2}, true, "abc"},  {{3, 2}, true, "bc"},
      {{1, 4}, true, "a"},     {{3, 5}, false, ""}, {{0}, false, ""},
  };
  ASSERT_NE(Start(), nullptr);
  for (const char* name : {"a.bas", "b.bas", "c.bas"}) OpenDocument(Write(name, "old"), kNewPlainText);
  bool inspected = false;
  for (const Case& c : cases) {
    for (int k = 2; k <= 4; ++k) {
      files.WriteFileAtomically(Documents().Document(k).filePath, "old");
      Documents().Document(k).lines.Assign({"new"});
      Documents().Document(k).modified = true;
    }
    DialogDriver driver;
    for (int answer : c.answers) driver.steps.push_back(Answer(answer));
    if (!inspected) {
      inspected = true;
      driver.steps.front().inspect = [](HWND dialog) {
        RECT r{};
        GetWindowRect(dialog, &r);
        EXPECT_EQ(r.right - r.left, 415);
        EXPECT_EQ(r.bottom - r.top, 141);
        auto place = [dialog](int id) {
          RECT box{};
          GetWindowRect(GetDlgItem(dialog, id), &box);
          MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
          return std::vector<LONG>{box.left, box.top, box.right - box.left, box.bottom - box.top};
        };
        EXPECT_EQ(place(kSaveChangesPictureId), (std::vector<LONG>{8, 8, 64, 56}));
        EXPECT_EQ(place(kSaveChangesTextId), (std::vector<LONG>{72, 16, 312, 48}));
        const char* captions[] = {"是", "全是", "否", "全否", "取消"};
        for (int k = 0; k < 5; ++k) {
          EXPECT_EQ(place(kSaveChangesFirstButton + k), (std::vector<LONG>{8 + 80 * k, 72, 72, 24}));
          char text[16] = {};
          GetDlgItemTextA(dialog, kSaveChangesFirstButton + k, text, sizeof text);
          EXPECT_STREQ(text, captions[k]);
        }
      };
    }
    EXPECT_EQ(QueryCloseAll(), c.closes) << c.saved;
    EXPECT_TRUE(driver.steps.empty()) << c.saved;
    EXPECT_EQ(driver.seen.front(), "文件已经修改|\"a.bas\"已经修改，是否保存？");
    std::string saved;
    for (const char* name : {"a", "b", "c"}) {
      if (Read(PathOf(std::string(name) + ".bas")) == "new") saved += name;
    }
    EXPECT_EQ(saved, c.saved) << c.answers.front();
  }
}

TEST_F(DocumentsTest, AFailedSaveKeepsTheProgramAndTheTabOpen) {
  ASSERT_NE(Start(), nullptr);
  const std::string path = Write("只读.bas", "old");
  OpenDocument(path, kNewPlainText);
  Command(kCmdNewText);
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  Type(2, "x");
  Type(3, "y");
  DialogDriver driver;
  // 是 in the close question of the read-only file's tab: the save fails, the tab stays.
  SelectTab(2);
  driver.steps = {Box(kModifiedCaption, IDYES), Box(kSaveErrorCaption, IDOK)};
  Command(kCmdClose);
  EXPECT_EQ(driver.seen.front(), "文件已经修改|\"只读.bas\"已经修改，是否保存？");
  EXPECT_EQ(Documents().Count(), 3);
  // 全是 at the program's close: the failure stops the close before the untitled one is asked for.
  driver.steps = {Answer(2), Box(kSaveErrorCaption, IDOK)};
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(driver.steps.empty());
  EXPECT_EQ(Documents().Count(), 3);
  EXPECT_TRUE(Documents().Document(3).IsModified());
  EXPECT_EQ(driver.seen.size(), 4u);
}

TEST_F(DocumentsTest, ClosingTabsAndTheLastOne) {
  ASSERT_NE(Start(), nullptr);
  Command(kCmdNewText);
  Type(2, "x");
  DialogDriver driver;
  driver.steps = {Box(kModifiedCaption, IDCANCEL), Box(kModifiedCaption, IDNO)};
  Command(kCmdClose);
  EXPECT_EQ(Documents().Count(), 2);
  Command(kCmdClose);
  EXPECT_EQ(Documents().Count(), 1);
  EXPECT_EQ(TabCount(), 1);
  EXPECT_EQ(CurrentTab(), 1);
  EXPECT_TRUE(EditShown(1));

  // The last tab: only the program's close asks.
  Type(1, "y");
  driver.steps = {Answer(3)};
  Command(kCmdClose);
  EXPECT_TRUE(driver.steps.empty());
  EXPECT_EQ(driver.seen.size(), 3u);
  EXPECT_EQ(driver.seen.back(), "文件已经修改|\"未命名1.bas\"已经修改，是否保存？");
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(DrainMessages());  // WM_QUIT
  EXPECT_EQ(Documents().Count(), 0);
}

TEST_F(DocumentsTest, RecentFilesAndViewFlagsOutliveARestart) {
  const std::string a = Write("甲.bas", "a");
  const std::string b = Write("乙.bas", "b");
  ASSERT_NE(Start(), nullptr);
  OpenDocument(a, kNewPlainText);
  OpenDocument(b, kNewPlainText);
  SetViewElement(kViewTabStrip, false);
  DestroyWindow(window);
  DrainMessages();

  ASSERT_NE(Start(), nullptr);
  EXPECT_EQ(App().recentFiles.Entries(), (std::vector<std::string>{b, a}));
  EXPECT_EQ(MenuText(RecentFileCommand(2)), "&2 " + a);
  EXPECT_EQ(GetWindowLongA(Units().tabStrip, GWL_STYLE) & WS_VISIBLE, 0);
  EXPECT_EQ(GetMenuState(GetMenu(window), kCmdViewTabStrip, MF_BYCOMMAND) & MF_CHECKED, 0u);
  Command(RecentFileCommand(2));
  ASSERT_EQ(Documents().Count(), 2);
  EXPECT_EQ(Documents().Document(2).filePath, a);
  EXPECT_EQ(App().recentFiles.Entries(), (std::vector<std::string>{a, b}));

  // An entry whose file is gone says so and leaves the list and the menu.
  ASSERT_TRUE(DeleteFileA(b.c_str()));
  {
    DialogDriver driver;
    driver.steps = {Box(kRecentFileMenuCaption, IDOK)};
    Command(RecentFileCommand(2));
    EXPECT_EQ(driver.seen, std::vector<std::string>{"最近打开文件|文件\"" + b + "\"已经不存在，已从最近打开文件中删除"});
  }
  EXPECT_EQ(Documents().Count(), 2);
  EXPECT_EQ(App().recentFiles.Entries(), std::vector<std::string>{a});
  EXPECT_EQ(MenuText(RecentFileCommand(2)), "");
  RECT edit{};
  GetWindowRect(EditHandle(2), &edit);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&edit), 2);
  RECT toolbar{};
  GetWindowRect(commands.Toolbar(), &toolbar);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&toolbar), 2);
  EXPECT_EQ(edit.top, toolbar.bottom);  // no tab strip above the text
}

TEST_F(DocumentsTest, EditCommandsActOnTheCurrentDocument) {
  ASSERT_NE(Start(), nullptr);
  Command(kCmdNewText);
  Type(2, "abc");
  Command(kCmdSelectAll);
  Command(kCmdCopy);
  Command(kCmdDelete);
  EXPECT_EQ(Documents().Document(2).lines[0], "");
  Command(kCmdUndo);
  EXPECT_EQ(Documents().Document(2).lines[0], "abc");
  Command(kCmdRedo);
  EXPECT_EQ(Documents().Document(2).lines[0], "");
  Command(kCmdPaste);
  Command(kCmdPaste);
  EXPECT_EQ(Documents().Document(2).lines[0], "abcabc");
  Command(kCmdSelectAll);
  Command(kCmdCut);
  EXPECT_EQ(Documents().Document(2).lines[0], "");
  EXPECT_EQ(Documents().Document(1).lines.size(), static_cast<int>(SplitLines(TemplateText(TemplateKind::Exe)).size()));

  // The editor's report reaches the menu and the toolbar.
  Documents().Document(2).NotifyChanged();
  auto enabled = [this](int command) {
    return (GetMenuState(GetMenu(window), command, MF_BYCOMMAND) & MF_GRAYED) == 0;
  };
  EXPECT_TRUE(enabled(kCmdUndo));
  EXPECT_FALSE(enabled(kCmdRedo));
  EXPECT_FALSE(enabled(kCmdCopy));
  EXPECT_TRUE(enabled(kCmdPaste));
  EXPECT_TRUE(SendMessageA(commands.Toolbar(), TB_ISBUTTONENABLED, kCmdUndo, 0));
  EXPECT_FALSE(SendMessageA(commands.Toolbar(), TB_ISBUTTONENABLED, kCmdCut, 0));
}

TEST_F(DocumentsTest, SaveAsOntoAFileAnotherTabHoldsIsRefused) {
  const std::string path = Write("甲.bas", "old");
  ASSERT_NE(Start(), nullptr);
  OpenDocument(path, kNewPlainText);
  Command(kCmdNewText);
  Type(3, "new");
  DialogDriver driver;
  driver.steps = {SaveAs(path), Box(kSaveDialogTitle, IDYES), Box(kBase, IDOK)};
  Command(kCmdSaveAs);
  EXPECT_TRUE(driver.steps.empty());
  EXPECT_EQ(driver.seen.back(), std::string(kBase) + "|" + kHeldElsewhereText);
  EXPECT_TRUE(Documents().Document(3).IsUntitled());
  EXPECT_TRUE(Documents().Document(3).IsModified());
  EXPECT_EQ(Read(path), "old");
}

// With another control focused, the edit keys stay with it: Del in the
// keyword tree must not delete text of the hidden document.
TEST_F(DocumentsTest, EditKeysReachTheDocumentOnlyFromItsWindow) {
  ASSERT_NE(Start(), nullptr);
  Command(kCmdNewText);
  Type(2, "ab");
  SendMessageA(EditHandle(2), WM_KEYDOWN, VK_HOME, 0);
  const HWND targets[] = {Units().libraryTree, Units().helpText, Units().tabStrip};
  for (HWND target : targets) {
    MSG key{target, WM_KEYDOWN, VK_DELETE, 0, 0, {}};
    EXPECT_FALSE(commands.TranslateAccelerator(key));
  }
  EXPECT_EQ(Documents().Document(2).lines[0], "ab");
  MSG key{EditHandle(2), WM_KEYDOWN, VK_DELETE, 0, 0, {}};
  EXPECT_TRUE(commands.TranslateAccelerator(key));
  EXPECT_EQ(Documents().Document(2).lines[0], "b");
}

TEST_F(DocumentsTest, ANewTabWidthRemeasuresEveryOpenDocument) {
  // TABs first: two TABs and a letter are narrower than ten letters at width
  // 4 and wider at width 8.
  const std::string a = Write("甲.bas", "\t\tx\r\nabcdefghij\r\n");
  const std::string b = Write("乙.bas", "abcdefghijk\r\n\t\ty\r\n");
  ASSERT_NE(Start(), nullptr);
  OpenDocument(a, kNewPlainText);
  OpenDocument(b, kNewPlainText);
  ASSERT_EQ(Documents().Count(), 3);
  const CodeDocument& first = Documents().Document(2);
  const CodeDocument& second = Documents().Document(3);
  ASSERT_EQ(first.longestLine, 2);
  ASSERT_EQ(second.longestLine, 1);

  DialogDriver driver;
  driver.steps = {[](HWND dialog) {
    SetDlgItemTextA(dialog, kConfigTabWidthId, "8");
    Click(dialog, IDOK);
  }};
  EXPECT_TRUE(ShowConfigurationDialog(window));
  EXPECT_EQ(first.longestLine, 1);  // the hidden document too, at once
  EXPECT_EQ(second.longestLine, 2);
}

}  // namespace
}  // namespace quillet
