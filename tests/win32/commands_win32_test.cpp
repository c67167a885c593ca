#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/images_win32.h"
#include "common/resources.h"
#include "editor/edit_window_win32.h"
#include "shell/app_state.h"
#include "shell/menus_win32.h"
#include "tools/about_box_win32.h"
#include "tools/calculator_win32.h"
#include "tools/skin_win32.h"

namespace quillet {
namespace {

// ---- A stand-in main window that records what reaches it ----

struct HostLog {
  std::vector<WPARAM> commands;     // wParam of every WM_COMMAND
  std::vector<HMENU> poppedMenus;   // WM_INITMENUPOPUP
  HWND toolbar = nullptr;
};
HostLog gLog;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      gLog.commands.push_back(wParam);
      return 0;
    case WM_INITMENUPOPUP:
      gLog.poppedMenus.push_back(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (HandleToolbarNotify(window, gLog.toolbar, GetMenu(window), reinterpret_cast<NMHDR*>(lParam), result)) {
        return result;
      }
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

class Host {
 public:
  Host() {
    gLog = {};
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuilletCommandsTestHost";
    RegisterClassA(&wc);
    window = CreateWindowExA(0, wc.lpszClassName, "host", WS_OVERLAPPEDWINDOW, 10, 10, 600, 400, nullptr,
                             nullptr, wc.hInstance, nullptr);
  }
  ~Host() { DestroyWindow(window); }
  HWND window;
};

std::string ItemText(HMENU menu, int position) {
  char text[256] = {};
  GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

// The built menu holds exactly the nodes of the table, in order.
void ExpectMenuMatches(HMENU menu, std::span<const MenuNode> nodes) {
  ASSERT_EQ(GetMenuItemCount(menu), int(nodes.size()));
  for (int i = 0; i < int(nodes.size()); ++i) {
    const MenuNode& node = nodes[i];
    const UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
    switch (node.kind) {
      case MenuNodeKind::kSeparator:
        EXPECT_TRUE(state & MF_SEPARATOR) << "position " << i;
        break;
      case MenuNodeKind::kCommand:
        EXPECT_EQ(GetMenuItemID(menu, i), UINT(node.command));
        EXPECT_EQ(ItemText(menu, i), MenuItemText(node));
        EXPECT_EQ((state & MF_GRAYED) != 0, !IsCommandAvailable(node.command)) << node.caption;
        break;
      case MenuNodeKind::kSubmenu:
        EXPECT_EQ(ItemText(menu, i), node.caption);
        ASSERT_NE(GetSubMenu(menu, i), nullptr) << node.caption;
        ExpectMenuMatches(GetSubMenu(menu, i), node.children);
        break;
    }
  }
}

TEST(Menus, MenuBarAndPopupsHoldTheTablesItemsWithAcceleratorText) {
  ResetApp();
  App().commands.Register(kCmdOpen, [](const CommandCall&) {});  // a built feature's command
  MenuHandle bar = BuildMenuBar();
  ASSERT_TRUE(bar);
  ExpectMenuMatches(bar.Get(), MenuBarTree());
  EXPECT_EQ(ItemText(bar.Get(), 0), "文件(&F)");
  EXPECT_EQ(ItemText(bar.Get(), 5), "帮助(&H)");
  HMENU file = GetSubMenu(bar.Get(), 0);
  EXPECT_EQ(ItemText(file, 0), "新建(&N)\tCtrl+N");
  EXPECT_EQ(ItemText(GetSubMenu(bar.Get(), 1), 6), "删除(&D)\tDel");
  EXPECT_EQ(FindSubmenu(bar.Get(), "新建为..."), GetSubMenu(file, 1));
  EXPECT_EQ(ItemText(FindSubmenu(bar.Get(), "窗口单元"), 5), "行号条");
  EXPECT_EQ(FindSubmenu(bar.Get(), "不存在"), nullptr);
  // Features still to come are greyed, not missing.
  EXPECT_TRUE(GetMenuState(bar.Get(), kCmdCompile, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(bar.Get(), kCmdOpen, MF_BYCOMMAND) & MF_GRAYED);

  for (PopupMenuKind kind : kAllPopupMenus) {
    MenuHandle popup = BuildPopupMenu(kind);
    ASSERT_TRUE(popup);
    ExpectMenuMatches(popup.Get(), PopupMenuTree(kind));
  }
  EXPECT_EQ(ItemText(BuildPopupMenu(PopupMenuKind::kTab).Get(), 3), "另存为...(&O)");
  ResetApp();
}

TEST(Menus, RecentFileMenuMirrorsTheList) {
  MenuHandle bar = BuildMenuBar();
  HMENU recent = FindSubmenu(bar.Get(), "最近打开文件");
  ASSERT_NE(recent, nullptr);
  EXPECT_EQ(GetMenuItemCount(recent), 0);

  RefreshRecentFileMenu(recent, {"C:\\src\\a.bas", "D:\\x&y\\b.inc"});
  ASSERT_EQ(GetMenuItemCount(recent), 2);
  EXPECT_EQ(ItemText(recent, 0), "&1 C:\\src\\a.bas");
  EXPECT_EQ(ItemText(recent, 1), "&2 D:\\x&&y\\b.inc");
  EXPECT_EQ(GetMenuItemID(recent, 1), UINT(RecentFileCommand(2)));

  std::vector<std::string> many;
  for (int k = 1; k <= 9; ++k) many.push_back("C:\\f" + std::to_string(k) + ".bas");
  RefreshRecentFileMenu(recent, many);
  ASSERT_EQ(GetMenuItemCount(recent), 8);
  EXPECT_EQ(ItemText(recent, 7), "&8 C:\\f8.bas");

  RefreshRecentFileMenu(recent, {"E:\\only.bas"});
  ASSERT_EQ(GetMenuItemCount(recent), 1);
  EXPECT_EQ(ItemText(recent, 0), "&1 E:\\only.bas");
  EXPECT_EQ(GetMenuItemID(recent, 0), UINT(RecentFileCommand(1)));
}

// ---- Accelerators ----

class CtrlHeld {
 public:
  explicit CtrlHeld(bool down) {
    GetKeyboardState(saved);
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = state[VK_LCONTROL] = down ? 0x80 : 0;
    state[VK_SHIFT] = state[VK_MENU] = 0;
    SetKeyboardState(state);
  }
  ~CtrlHeld() { SetKeyboardState(saved); }

 private:
  BYTE saved[256];
};

MSG KeyDown(HWND target, WPARAM key) {
  MSG msg{};
  msg.hwnd = target;
  msg.message = WM_KEYDOWN;
  msg.wParam = key;
  msg.lParam = 1;
  return msg;
}

TEST(Menus, AcceleratorsBecomeCommandsExceptEditKeysOutsideTheEditorAndGreyedItems) {
  Host host;
  ResetApp();
  for (CommandId id : {kCmdSave, kCmdCopy, kCmdDelete}) App().commands.Register(id, [](const CommandCall&) {});
  SetMenu(host.window, BuildMenuBar().Release());
  AcceleratorHandle table = BuildAcceleratorTable();
  ASSERT_TRUE(table);
  HWND box = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, host.window, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  // A window of the editor's class (a plain stand-in unless the real class is registered).
  WNDCLASSA editClass{};
  const bool standIn = !GetClassInfoA(GetModuleHandleA(nullptr), kEditClassName, &editClass);
  if (standIn) {
    editClass.lpfnWndProc = DefWindowProcA;
    editClass.hInstance = GetModuleHandleA(nullptr);
    editClass.lpszClassName = kEditClassName;
    RegisterClassA(&editClass);
  }
  // The real class must be registrable by the tests that follow.
  struct Unregister {
    bool active;
    HWND window;
    ~Unregister() {
      DestroyWindow(window);
      if (active) UnregisterClassA(kEditClassName, GetModuleHandleA(nullptr));
    }
  };
  HWND editor = CreateWindowExA(0, kEditClassName, "", WS_CHILD, 0, 0, 100, 20, host.window, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(editor, nullptr);
  const Unregister cleanup{standIn, editor};
  {
    CtrlHeld ctrl(true);
    MSG save = KeyDown(host.window, 'S');
    EXPECT_TRUE(TranslateShellAccelerator(host.window, table.Get(), save));
    ASSERT_EQ(gLog.commands.size(), 1u);
    EXPECT_EQ(LOWORD(gLog.commands[0]), kCmdSave);
    EXPECT_EQ(HIWORD(gLog.commands[0]), 1);  // from an accelerator

    // Edit keys act on the document only from its editing window; the other
    // commands still work from anywhere.
    MSG copyInBox = KeyDown(box, 'C');
    EXPECT_FALSE(TranslateShellAccelerator(host.window, table.Get(), copyInBox));
    MSG copyInMain = KeyDown(host.window, 'C');
    EXPECT_FALSE(TranslateShellAccelerator(host.window, table.Get(), copyInMain));
    MSG copy = KeyDown(editor, 'C');
    EXPECT_TRUE(TranslateShellAccelerator(host.window, table.Get(), copy));
    MSG saveInBox = KeyDown(box, 'S');
    EXPECT_TRUE(TranslateShellAccelerator(host.window, table.Get(), saveInBox));
    ASSERT_EQ(gLog.commands.size(), 3u);
    EXPECT_EQ(LOWORD(gLog.commands[1]), kCmdCopy);
    EXPECT_EQ(LOWORD(gLog.commands[2]), kCmdSave);
  }
  {
    CtrlHeld noCtrl(false);
    MSG del = KeyDown(editor, VK_DELETE);
    EXPECT_TRUE(TranslateShellAccelerator(host.window, table.Get(), del));
    ASSERT_EQ(gLog.commands.size(), 4u);
    EXPECT_EQ(LOWORD(gLog.commands[3]), kCmdDelete);
    // F5 (compile) belongs to a greyed item: no command arrives.
    MSG compile = KeyDown(host.window, VK_F5);
    TranslateShellAccelerator(host.window, table.Get(), compile);
    EXPECT_EQ(gLog.commands.size(), 4u);
  }
  MSG elsewhere = KeyDown(GetDesktopWindow(), 'S');
  EXPECT_FALSE(TranslateShellAccelerator(host.window, table.Get(), elsewhere));
  // The stand-in must not keep the real class from registering in later tests.
  DestroyWindow(editor);
  if (standIn) UnregisterClassA(kEditClassName, GetModuleHandleA(nullptr));
  ResetApp();
}

// ---- Toolbar ----

TEST(Toolbar, HasTwentyEntriesWithStylesTooltipsAndMirroredState) {
  Host host;
  SetMenu(host.window, BuildMenuBar().Release());
  HWND toolbar = CreateMainToolbar(host.window, GetModuleHandleA(nullptr), 1001, nullptr);
  ASSERT_NE(toolbar, nullptr);
  gLog.toolbar = toolbar;
  ASSERT_EQ(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0), 20);
  EXPECT_TRUE(SendMessageA(toolbar, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS);
  auto entries = ToolbarEntries();
  for (int i = 0; i < 20; ++i) {
    TBBUTTON button{};
    ASSERT_TRUE(SendMessageA(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
    const bool separator = i == 5 || i == 12 || i == 15 || i == 18;
    EXPECT_EQ((button.fsStyle & BTNS_SEP) != 0, separator) << i;
    EXPECT_EQ((button.fsStyle & BTNS_DROPDOWN) != 0, i == 0 || i == 1) << i;
    EXPECT_EQ((button.fsStyle & BTNS_CHECK) == BTNS_CHECK, i == 16 || i == 17) << i;
    if (separator) continue;
    EXPECT_EQ(button.idCommand, entries[i].command) << i;
    EXPECT_EQ(button.iBitmap, entries[i].image) << i;
    EXPECT_EQ((button.fsState & TBSTATE_ENABLED) != 0, IsCommandAvailable(button.idCommand)) << i;
  }

  // Tooltips, by either notification the toolbar may send.
  HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
  NMTTDISPINFOA dispInfo{};
  dispInfo.hdr = {tips, UINT_PTR(kCmdCut), UINT(TTN_GETDISPINFOA)};
  SendMessageA(host.window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&dispInfo));
  ASSERT_NE(dispInfo.lpszText, nullptr);
  EXPECT_STREQ(dispInfo.lpszText, "剪切(Crl+X)");
  char buffer[80] = {};
  NMTBGETINFOTIPA infoTip{};
  infoTip.hdr = {toolbar, 1001, UINT(TBN_GETINFOTIPA)};
  infoTip.pszText = buffer;
  infoTip.cchTextMax = sizeof buffer;
  infoTip.iItem = kCmdOpen;
  SendMessageA(host.window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&infoTip));
  EXPECT_STREQ(buffer, "打开(Ctrl+O)");

  // View flags reach the menu check marks and the two folder buttons.
  HMENU bar = GetMenu(host.window);
  ViewFlags flags;
  flags.Set(kViewWorkFolder, false);
  flags.Set(kViewLineNumberBar, false);
  MirrorViewFlags(bar, toolbar, flags);
  EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, kCmdViewWorkFolder, 0));
  EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONCHECKED, kCmdViewStatusFolder, 0));
  EXPECT_FALSE(GetMenuState(bar, kCmdViewWorkFolder, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_FALSE(GetMenuState(bar, kCmdViewLineNumberBar, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(bar, kCmdViewToolbar, MF_BYCOMMAND) & MF_CHECKED);
  // A menu item asks for the opposite of its mark; a button for its own state.
  EXPECT_TRUE(RequestedViewState(bar, toolbar, kCmdViewWorkFolder, nullptr));
  EXPECT_FALSE(RequestedViewState(bar, toolbar, kCmdViewToolbar, nullptr));
  EXPECT_TRUE(RequestedViewState(bar, toolbar, kCmdViewStatusFolder, toolbar));

  CommandRegistry registry;
  const auto nothing = [](const CommandCall&) {};
  registry.Register(kCmdPaste, nothing);
  registry.Register(kCmdUndo, nothing, [] { return true; });
  registry.Register(kCmdCut, nothing, [] { return false; });
  registry.Register(kCmdCopy, nothing, [] { return false; });
  ShowCommandStates(bar, toolbar, registry);
  EXPECT_FALSE(GetMenuState(bar, kCmdUndo, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(bar, kCmdCut, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(SendMessageA(toolbar, TB_ISBUTTONENABLED, kCmdPaste, 0));
  EXPECT_FALSE(SendMessageA(toolbar, TB_ISBUTTONENABLED, kCmdCopy, 0));
}

void CALLBACK CloseMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EndMenu();
}

TEST(Toolbar, DropDownArrowsPopUpTheirSubmenus) {
  Host host;
  SetMenu(host.window, BuildMenuBar().Release());
  gLog.toolbar = CreateMainToolbar(host.window, GetModuleHandleA(nullptr), 1001, nullptr);
  ShowWindow(host.window, SW_SHOW);
  RefreshRecentFileMenu(FindSubmenu(GetMenu(host.window), "最近打开文件"), {"C:\\a.bas"});

  for (int command : {int(kCmdOpen), int(kCmdNew), int(kCmdSave)}) {
    gLog.poppedMenus.clear();
    NMTOOLBARA arrow{};
    arrow.hdr = {gLog.toolbar, 1001, UINT(TBN_DROPDOWN)};
    arrow.iItem = command;
    SetTimer(nullptr, 0, 100, CloseMenu);
    EXPECT_EQ(SendMessageA(host.window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&arrow)), TBDDRET_DEFAULT);
    const char* expected = command == kCmdOpen ? "最近打开文件" : command == kCmdNew ? "新建为..." : nullptr;
    if (expected) {
      ASSERT_EQ(gLog.poppedMenus.size(), 1u) << command;
      EXPECT_EQ(gLog.poppedMenus[0], FindSubmenu(GetMenu(host.window), expected));
    } else {
      EXPECT_TRUE(gLog.poppedMenus.empty());
      MSG msg;  // the unused timer
      while (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageA(&msg);
    }
  }
}

// ---- About box, calculator, skin ----

struct AboutCheck {
  bool found = false;
  std::string title;
  std::string text;
  RECT window{};
  RECT button{};
  RECT logo{};
};
AboutCheck gAbout;

RECT ClientBox(HWND dialog, int id) {
  RECT r{};
  HWND unit = GetDlgItem(dialog, id);
  GetWindowRect(unit, &r);
  MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void CALLBACK InspectAndCloseAbout(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND dialog = FindWindowA("#32770", "关于本软件");
  if (!dialog) return;  // not open yet
  KillTimer(nullptr, timer);
  gAbout.found = true;
  char text[256] = {};
  GetDlgItemTextA(dialog, kAboutTitleId, text, sizeof text);
  gAbout.title = text;
  GetDlgItemTextA(dialog, kAboutTextId, text, sizeof text);
  gAbout.text = text;
  GetWindowRect(dialog, &gAbout.window);
  gAbout.button = ClientBox(dialog, kAboutCloseId);
  gAbout.logo = ClientBox(dialog, kAboutLogoId);
  SendMessageA(GetDlgItem(dialog, kAboutCloseId), BM_CLICK, 0, 0);
}

TEST(AboutBox, ShowsTheBaseCaptionAtItsPlacesAndClosesOnOk) {
  Host host;
  gAbout = {};
  UINT_PTR timer = SetTimer(nullptr, 0, 50, InspectAndCloseAbout);
  ShowAboutBox(host.window, GetModuleHandleA(nullptr), "Quillet 2.8正式版");
  KillTimer(nullptr, timer);
  ASSERT_TRUE(gAbout.found);
  EXPECT_EQ(gAbout.title, "Quillet 2.8正式版");
  EXPECT_EQ(gAbout.text, "版本：v2.8 正式版\r\n\r\n支持PowerBASIC 8.03版编译器和函数关键字。");
  EXPECT_EQ(gAbout.window.right - gAbout.window.left, 368);
  EXPECT_EQ(gAbout.window.bottom - gAbout.window.top, 190);
  EXPECT_EQ(gAbout.button.left, 272);
  EXPECT_EQ(gAbout.button.top, 128);
  EXPECT_EQ(gAbout.button.right - gAbout.button.left, 80);
  EXPECT_EQ(gAbout.button.bottom - gAbout.button.top, 24);
  EXPECT_EQ(gAbout.logo.left, 288);
  EXPECT_EQ(gAbout.logo.top, 3);
  EXPECT_EQ(FindWindowA("#32770", "关于本软件"), nullptr);
}

TEST(SmallTools, SkinAndProgramStartFailQuietly) {
  EXPECT_FALSE(AttachSkin());  // no skinning library beside the tests
  EXPECT_FALSE(StartProgram("quillet-no-such-program.exe"));
  EXPECT_TRUE(StartProgram("cmd.exe /c exit 0"));
}

TEST(Resources, PicturesLoadWhenLinkedIn) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!FindResourceA(instance, kLogoResource, MAKEINTRESOURCEA(2))) {
    GTEST_SKIP() << "res/quillet.rc is not linked into this test program";
  }
  ImageListHandle toolbar = LoadImageStrip(instance, kToolbarImagesResource, 16);
  ASSERT_TRUE(toolbar);
  EXPECT_EQ(ImageList_GetImageCount(toolbar.Get()), kToolbarImageCount);
  EXPECT_EQ(ImageList_GetImageCount(LoadImageStrip(instance, kTabIconsResource, 16).Get()), 3);

  BitmapHandle logo = LoadFaceBitmap(instance, kLogoResource);
  BITMAP info{};
  ASSERT_TRUE(GetObjectA(logo.Get(), sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 72);
  EXPECT_EQ(info.bmHeight, 69);
  // The corner is background: the key colour became the face colour.
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, logo.Get());
  EXPECT_EQ(GetPixel(dc, 0, 0), GetSysColor(COLOR_BTNFACE));
  SelectObject(dc, old);
  DeleteDC(dc);

  for (const char* name : {kPanelCloseResource, kQuestionResource}) EXPECT_TRUE(LoadFaceBitmap(instance, name)) << name;
  EXPECT_NE(LoadIconA(instance, kAppIconResource), nullptr);
}

}  // namespace
}  // namespace quillet
