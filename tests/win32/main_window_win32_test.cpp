#include "shell/main_window_win32.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/app_state.h"
#include "shell/commands.h"
#include "shell/documents.h"
#include "shell/panels_win32.h"
#include "shell/registry_store_win32.h"

#include "message_pump.h"

namespace quillet {
namespace {

// The window's settings go below this key, which the tests remove again.
constexpr char kTestKey[] = "Software\\Velmoor\\QuilletTest\\MainWindow";
constexpr char kTestRoot[] = "Software\\Velmoor\\QuilletTest\\MainWindow\\";

// Whether a unit is shown inside its (hidden) main window.
bool Shown(HWND unit) { return (GetWindowLongA(unit, GWL_STYLE) & WS_VISIBLE) != 0; }

// A unit's rectangle in the main window's client coordinates.
Rect InClient(HWND unit) {
  RECT r{};
  GetWindowRect(unit, &r);
  MapWindowPoints(nullptr, Units().main, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The test's stand-ins for the menu bar and toolbar: the view items, the
// recent-file submenu and the two check buttons, with the program's ids.
HMENU TestMenuBar() {
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), kRecentFileMenuCaption);
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
  HMENU units = CreatePopupMenu();
  for (int which = 1; which <= kViewElementCount; ++which) {
    AppendMenuA(units, MF_STRING, ViewCommand(which), ViewElementName(which));
  }
  HMENU view = CreatePopupMenu();
  AppendMenuA(view, MF_POPUP, reinterpret_cast<UINT_PTR>(units), "窗口单元");
  AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), "查看(&V)");
  return bar;
}

HWND TestToolbar(HWND main) {
  HWND bar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | TBSTYLE_FLAT, 0, 0, 0, 0, main,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdToolbar)), GetModuleHandleA(nullptr),
                             nullptr);
  SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[2] = {};
  buttons[0] = {I_IMAGENONE, kCmdViewWorkFolder, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0};
  buttons[1] = {I_IMAGENONE, kCmdViewStatusFolder, TBSTATE_ENABLED, BTNS_CHECK, {}, 0, 0};
  SendMessageA(bar, TB_ADDBUTTONSA, 2, reinterpret_cast<LPARAM>(buttons));
  return bar;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleA(nullptr)));
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
    DrainMessages();
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
  }

  HWND Start(MainWindowParts parts = {}) {
    if (!parts.createMenuBar) parts.createMenuBar = TestMenuBar;
    if (!parts.createToolbar) parts.createToolbar = TestToolbar;
    MainWindowOptions options;
    options.registryRoot = kTestRoot;
    options.showWarnings = false;
    options.parts = std::move(parts);
    // The window stays hidden: under Wine without a window manager, hiding a
    // shown window waits seconds for the X server.
    window = CreateMainWindow(GetModuleHandleA(nullptr), std::move(options));
    return window;
  }

  bool Checked(int which) const {
    return (GetMenuState(GetMenu(window), ViewCommand(which), MF_BYCOMMAND) & MF_CHECKED) != 0;
  }
  bool Pressed(int command) const {
    return SendMessageA(Units().toolbar, TB_ISBUTTONCHECKED, command, 0) != 0;
  }

  RegistrySettingsStore store{kTestRoot};
  HWND window = nullptr;
};

TEST_F(MainWindowTest, StartUpBuildsEveryUnit) {
  ASSERT_NE(Start(), nullptr);
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  EXPECT_EQ(std::string(caption), "Quillet 2.8正式版");
  EXPECT_EQ(App().baseCaption, "Quillet 2.8正式版");
  RECT r{};
  GetWindowRect(window, &r);
  EXPECT_EQ(r.left, 50);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 690);
  EXPECT_EQ(r.bottom - r.top, 480);

  const MainUnits& u = Units();
  for (HWND unit : {u.toolbar, u.statusBar, u.workFolder, u.workTabs, u.libraryTree, u.workRule,
                    u.workCloseButton, u.statusFolder, u.statusRule, u.statusCloseButton, u.helpText, u.tabStrip,
                    u.workSplitter, u.statusSplitter}) {
    EXPECT_TRUE(Shown(unit)) << GetDlgCtrlID(unit);
  }
  EXPECT_FALSE(Shown(u.procedureTree));  // tab 0 is current
  EXPECT_FALSE(Shown(u.completionList));
  EXPECT_EQ(InClient(u.workCloseButton).width, 11);

  // The status bar's five panels and their first texts.
  int edges[8] = {};
  ASSERT_EQ(SendMessageA(u.statusBar, SB_GETPARTS, 8, reinterpret_cast<LPARAM>(edges)), 5);
  EXPECT_EQ(edges[0], 60);
  EXPECT_EQ(edges[4] - edges[3], 200);
  // The count panels hold their largest counts whole, frame and margins aside.
  HDC dc = GetDC(u.statusBar);
  HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(u.statusBar, WM_GETFONT, 0, 0)));
  for (int panel = 1; panel <= 3; ++panel) {
    const std::string widest = WidestStatusPanelTexts()[panel - 1];
    SIZE size{};
    GetTextExtentPoint32A(dc, widest.data(), static_cast<int>(widest.size()), &size);
    RECT r{};
    SendMessageA(u.statusBar, SB_GETRECT, panel, reinterpret_cast<LPARAM>(&r));
    EXPECT_GE(r.right - r.left, size.cx + 8) << panel;
  }
  SelectObject(dc, font);
  ReleaseDC(u.statusBar, dc);
  for (int i = 0; i < kStatusPanelCount; ++i) {
    char text[32] = {};
    SendMessageA(u.statusBar, SB_GETTEXTA, i, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, kStatusPanelTexts[i]);
  }

  // 选择夹1 switches its trees.
  ASSERT_EQ(SendMessageA(u.workTabs, TCM_GETITEMCOUNT, 0, 0), 2);
  char tab[16] = {};
  TCITEMA item{TCIF_TEXT, 0, 0, tab, sizeof tab, 0, 0};
  SendMessageA(u.workTabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_STREQ(tab, "程序集");
  SendMessageA(window, WM_COMMAND, kCmdShowProcedureTab, 0);
  EXPECT_TRUE(Shown(u.procedureTree));
  EXPECT_FALSE(Shown(u.libraryTree));
  EXPECT_EQ(SendMessageA(u.workTabs, TCM_GETCURSEL, 0, 0), kProcedureTab);

  // The settings file sits in the program's folder, whatever the current directory.
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string expected(program);
  expected = expected.substr(0, expected.rfind('\\')) + "\\qlt8.dll";
  EXPECT_EQ(App().settingsFilePath, expected);
  EXPECT_EQ(App().editor.lineNumberBarWidth, 40);
  EXPECT_TRUE(App().view.IsShown(kViewTabStrip));

  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(DrainMessages());  // the program ends
  EXPECT_EQ(Units().main, nullptr);
}

TEST_F(MainWindowTest, ViewElementsShowHideStoreAndMirrorTheirFlags) {
  int repaints = 0;
  MainWindowParts parts;
  parts.invalidateEditWindow = [&] { ++repaints; };
  ASSERT_NE(Start(std::move(parts)), nullptr);
  const MainUnits& u = Units();
  const HWND unitOf[] = {u.toolbar, u.statusBar, u.workFolder, u.statusFolder, u.tabStrip};
  const std::string key = "外观配置\\";

  for (int which = 1; which <= 5; ++which) {
    SCOPED_TRACE(which);
    EXPECT_TRUE(Checked(which));
    SetViewElement(which, false);
    EXPECT_FALSE(Shown(unitOf[which - 1]));
    EXPECT_EQ(store.ReadNumber(key + ViewElementName(which), 7), 0u);
    EXPECT_FALSE(Checked(which));
    SetViewElement(which, true);
    EXPECT_TRUE(Shown(unitOf[which - 1]));
    EXPECT_EQ(store.ReadNumber(key + ViewElementName(which), 7), 1u);
    EXPECT_TRUE(Checked(which));
  }

  // The folders take their splitters, rules and toolbar buttons along.
  EXPECT_TRUE(Pressed(kCmdViewWorkFolder));
  SetViewElement(kViewWorkFolder, false);
  EXPECT_FALSE(Shown(u.workSplitter));
  EXPECT_FALSE(Pressed(kCmdViewWorkFolder));
  EXPECT_TRUE(Pressed(kCmdViewStatusFolder));
  SetViewElement(kViewStatusFolder, false);
  EXPECT_FALSE(Shown(u.statusSplitter));
  EXPECT_FALSE(Pressed(kCmdViewStatusFolder));
  SetViewElement(kViewWorkFolder, true);
  SetViewElement(kViewStatusFolder, true);

  // The line-number bar is no unit: its width changes and the editor repaints.
  SetViewElement(kViewLineNumberBar, false);
  EXPECT_EQ(App().editor.lineNumberBarWidth, 0);
  EXPECT_EQ(store.ReadNumber("外观配置\\行号条", 7), 0u);
  EXPECT_FALSE(Checked(kViewLineNumberBar));
  SetViewElement(kViewLineNumberBar, true);
  EXPECT_EQ(App().editor.lineNumberBarWidth, 40);
  EXPECT_EQ(repaints, 2);

  // Without a command part, the menu items and toolbar buttons still switch.
  SendMessageA(window, WM_COMMAND, ViewCommand(kViewTabStrip), 0);
  EXPECT_FALSE(Shown(u.tabStrip));
  SendMessageA(u.toolbar, TB_CHECKBUTTON, kCmdViewStatusFolder, FALSE);
  SendMessageA(window, WM_COMMAND, kCmdViewStatusFolder, reinterpret_cast<LPARAM>(u.toolbar));
  EXPECT_FALSE(Shown(u.statusFolder));
  EXPECT_FALSE(Checked(kViewStatusFolder));

  // The close button of the work folder closes it for good.
  SendMessageA(u.workCloseButton, BM_CLICK, 0, 0);
  EXPECT_FALSE(Shown(u.workFolder));
  EXPECT_EQ(store.ReadNumber("外观配置\\工作夹", 7), 0u);
}

TEST_F(MainWindowTest, EditingAreaFollowsTheLayoutOfTheRealClient) {
  ASSERT_NE(Start(), nullptr);
  const MainUnits& u = Units();
  RECT client{};
  GetClientRect(window, &client);

  // Everything shown: the area lies between the units, exactly where they are.
  const Rect area = App().editingArea;
  EXPECT_EQ(area.left, InClient(u.workSplitter).Right());
  EXPECT_EQ(area.left, App().workFolderWidth + 3);
  EXPECT_EQ(area.top, InClient(u.tabStrip).Bottom());
  EXPECT_EQ(area.top, InClient(u.toolbar).height + kTabStripHeight);
  EXPECT_EQ(area.Bottom(), InClient(u.statusFolder).top);
  EXPECT_EQ(area.Right(), client.right);
  EXPECT_EQ(InClient(u.statusFolder).Bottom(), InClient(u.statusBar).top);
  EXPECT_EQ(InClient(u.statusBar).Bottom(), client.bottom);

  LayoutInput in;
  in.clientWidth = client.right;
  in.clientHeight = client.bottom;
  in.toolbarHeight = InClient(u.toolbar).height;
  in.statusBarHeight = InClient(u.statusBar).height;
  EXPECT_EQ(area, ComputeMainLayout(in).editingArea);

  // Everything hidden: the whole client area.
  for (int which = 1; which <= kViewElementCount; ++which) SetViewElement(which, false);
  EXPECT_EQ(App().editingArea, (Rect{0, 0, int(client.right), int(client.bottom)}));

  // A resize lays out again.
  SetViewElement(kViewStatusBar, true);
  SetWindowPos(window, nullptr, 0, 0, 800, 600, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetClientRect(window, &client);
  EXPECT_EQ(App().editingArea.width, client.right);
  EXPECT_EQ(App().editingArea.Bottom(), InClient(u.statusBar).top);
}

TEST_F(MainWindowTest, StoredFlagOfZeroStartsWithoutTheTabStrip) {
  store.WriteNumber("外观配置\\选择夹", 0);
  store.WriteNumber("外观配置\\行号条", 0);
  ASSERT_NE(Start(), nullptr);
  EXPECT_FALSE(Shown(Units().tabStrip));
  EXPECT_FALSE(Checked(kViewTabStrip));
  EXPECT_TRUE(Checked(kViewToolbar));
  EXPECT_TRUE(Shown(Units().workFolder));
  EXPECT_EQ(App().editingArea.top, InClient(Units().toolbar).height);
  EXPECT_EQ(App().editor.lineNumberBarWidth, 0);
}

TEST_F(MainWindowTest, DraggingTheSplittersResizesTheFolders) {
  ASSERT_NE(Start(), nullptr);
  const MainUnits& u = Units();
  // Mouse messages carry the point in the bar's own coordinates, wherever it is now.
  auto at = [&](HWND bar, POINT inMain) {
    MapWindowPoints(window, bar, &inMain, 1);
    return MAKELPARAM(inMain.x, inMain.y);
  };
  const Rect work = InClient(u.workSplitter);
  const POINT grab{work.left + 1, work.top + 40};
  SendMessageA(u.workSplitter, WM_LBUTTONDOWN, MK_LBUTTON, at(u.workSplitter, grab));
  SendMessageA(u.workSplitter, WM_MOUSEMOVE, MK_LBUTTON, at(u.workSplitter, {grab.x + 30, grab.y}));
  EXPECT_EQ(App().workFolderWidth, kDefaultWorkFolderWidth + 30);  // follows the mouse while dragged
  SendMessageA(u.workSplitter, WM_LBUTTONUP, 0, at(u.workSplitter, {grab.x + 50, grab.y + 9}));
  EXPECT_EQ(App().workFolderWidth, kDefaultWorkFolderWidth + 50);
  EXPECT_EQ(App().editingArea.left, kDefaultWorkFolderWidth + 50 + 3);
  EXPECT_EQ(InClient(u.workFolder).width, kDefaultWorkFolderWidth + 50);
  // Once released, moving the mouse over it does nothing.
  SendMessageA(u.workSplitter, WM_MOUSEMOVE, 0, at(u.workSplitter, {grab.x + 90, grab.y}));
  EXPECT_EQ(App().workFolderWidth, kDefaultWorkFolderWidth + 50);

  // Dragged far off, the editing area keeps a usable width.
  SendMessageA(u.workSplitter, WM_LBUTTONDOWN, MK_LBUTTON, at(u.workSplitter, grab));
  SendMessageA(u.workSplitter, WM_LBUTTONUP, 0, at(u.workSplitter, {grab.x + 5000, grab.y}));
  EXPECT_EQ(App().editingArea.width, kMinEditingExtent);

  const Rect status = InClient(u.statusSplitter);
  const POINT hold{status.left + 300, status.top + 1};
  SendMessageA(u.statusSplitter, WM_LBUTTONDOWN, MK_LBUTTON, at(u.statusSplitter, hold));
  SendMessageA(u.statusSplitter, WM_LBUTTONUP, 0, at(u.statusSplitter, {hold.x, hold.y - 40}));
  EXPECT_EQ(App().statusFolderHeight, kDefaultStatusFolderHeight + 40);
  EXPECT_EQ(InClient(u.statusFolder).height, kDefaultStatusFolderHeight + 40);
  EXPECT_EQ(App().editingArea.Bottom(), InClient(u.statusFolder).top);
}

TEST_F(MainWindowTest, StartUpAndTeardownRunThePartsInOrder) {
  store.WriteText("最后文件\\1", "C:\\a&b.bas");
  store.WriteText("最后文件\\2", "C:\\二.bas");
  store.WriteText("最后文件\\4", "C:\\four.bas");  // behind a gap: not loaded

  std::vector<std::string> calls;
  bool allowClose = false;
  int focused = 0;
  Rect moved;
  MainWindowParts parts;
  parts.attachSkin = [&] { calls.push_back("skin"); };
  parts.registerEditClass = [&](HINSTANCE) {
    calls.push_back("class:" + std::to_string(App().editor.tabWidth) + ":" + App().registryRoot);
    return true;
  };
  parts.openFirstDocument = [&](HWND) { calls.push_back("document"); };
  parts.openKeywordDatabase = [&] {
    calls.push_back("database");
    return true;
  };
  parts.releaseEditClass = [&] { calls.push_back("release"); };
  parts.closeKeywordDatabase = [&] {
    calls.push_back("close database:" + store.ReadText("最后文件\\1", ""));
  };
  parts.queryCloseAll = [&](HWND) { return allowClose; };
  parts.focusEditWindow = [&] {
    ++focused;
    SetFocus(Units().helpText);
  };
  parts.moveEditWindow = [&](const Rect& r) { moved = r; };
  ASSERT_NE(Start(std::move(parts)), nullptr);

  EXPECT_EQ(calls, (std::vector<std::string>{"skin", std::string("class:4:") + kTestRoot, "document", "database"}));
  EXPECT_TRUE(App().keywordDatabaseOpen);
  EXPECT_EQ(moved, App().editingArea);

  // The recent-file menu shows the two loaded entries, '&' kept as text.
  HMENU file = GetSubMenu(GetMenu(window), 0);
  HMENU recent = GetSubMenu(file, 0);
  ASSERT_EQ(GetMenuItemCount(recent), 2);
  char text[64] = {};
  GetMenuStringA(recent, RecentFileCommand(1), text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&1 C:\\a&&b.bas");
  App().recentFiles.Add("C:\\三.bas");
  RefreshRecentFileMenu();
  EXPECT_EQ(GetMenuItemCount(recent), 3);
  GetMenuStringA(recent, RecentFileCommand(1), text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&1 C:\\三.bas");

  // Focus given to the main window or the completion list goes to the editor
  // (here the help text box stands in for it).
  SetFocus(Units().helpText);
  focused = 0;
  SetFocus(Units().completionList);
  EXPECT_EQ(focused, 1);
  EXPECT_EQ(GetFocus(), Units().helpText);
  SendMessageA(window, WM_SETFOCUS, 0, 0);
  EXPECT_EQ(focused, 2);

  // A cancelled close keeps the program running.
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  calls.clear();
  allowClose = true;
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  // The list was saved before the database closed; value 4 stays as it was.
  EXPECT_EQ(calls, (std::vector<std::string>{"release", "close database:C:\\三.bas"}));
  EXPECT_EQ(store.ReadText("最后文件\\3", ""), "C:\\二.bas");
  EXPECT_EQ(store.ReadText("最后文件\\4", ""), "C:\\four.bas");
}

TEST_F(MainWindowTest, AFailedDatabaseOpenLeavesTheFlagDown) {
  MainWindowParts parts;
  bool closed = false;
  parts.openKeywordDatabase = [] { return false; };
  parts.closeKeywordDatabase = [&] { closed = true; };
  ASSERT_NE(Start(std::move(parts)), nullptr);
  EXPECT_FALSE(App().keywordDatabaseOpen);
  DestroyWindow(window);
  EXPECT_FALSE(closed);
}

TEST(Win32Environment, AnsiCodePageIsGbk) { EXPECT_EQ(GetACP(), 936u); }

}  // namespace
}  // namespace quillet
