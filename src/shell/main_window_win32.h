// The main window of the editor: start-up, the layout of its units, the view
// switches, the close request and the teardown.
#pragma once

#include <windows.h>

#include <string>

#include "shell/app_handles_win32.h"
#include "shell/settings.h"

namespace quillet {

inline constexpr char kMainWindowClass[] = "QuilletMainWindow";
inline constexpr char kBaseCaption[] = "Quillet 2.8正式版";
inline constexpr char kKeywordDatabaseWarning[] =
    "PowerBASIC8.0的命令函数信息数据库打开失败,不能进行查看命令说明操作";

struct MainWindowOptions {
  std::string registryRoot = kRegistryRoot;  // below HKEY_CURRENT_USER, ending in a backslash
  std::string programFolder;                 // empty: the folder of the running program
  bool showWarnings = true;                  // false: start-up problems pass without a message box
  MainWindowParts parts;
};

// Registers the main window class and the classes of its units; false when
// Windows refuses.
bool RegisterMainWindowClass(HINSTANCE instance);

// Creates the main window at its default geometry (hidden) and runs the
// start-up sequence; nullptr on failure. One main window exists at a time.
HWND CreateMainWindow(HINSTANCE instance, MainWindowOptions options = {});

// Lays out all units and the current edit window from the client size and
// the view flags, and mirrors the flags in the menu and toolbar.
void ArrangeMainWindow();

// Shows or hides view element which (1..6), stores the flag and lays out again.
void SetViewElement(int which, bool on);

// A splitter was dragged to position (its far edge): resizes its folder.
void MoveSplitter(int splitterId, int position);

// The enabled state of every menu item and toolbar button, from App().commands.
void RefreshCommandStates();

// Puts the recent-file list into the 最近打开文件 menu: item k shows entry k.
// Items are added as the list grows and never taken away during a run.
void RefreshRecentFileMenu();

}  // namespace quillet
