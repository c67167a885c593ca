// The main window's menus, accelerators and toolbar 工具条1, built from the
// tables of shell/commands.h. Commands reach the main window as WM_COMMAND with
// a CommandId, from the menus, the accelerators and the toolbar alike.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "common/owned_handle_win32.h"
#include "shell/command_registry.h"
#include "shell/commands.h"
#include "shell/layout.h"
#include "shell/settings.h"

namespace quillet {

// ---- Building ----

// The menu bar; items without an enabled entry in App().commands are greyed
// (all of them before the features have registered: ShowCommandStates follows).
MenuHandle BuildMenuBar();
// One of 右键菜单, 右键菜单2, 右键菜单3, as a pop-up menu for TrackPopupMenu.
MenuHandle BuildPopupMenu(PopupMenuKind kind);
// Every accelerator of the command table.
AcceleratorHandle BuildAcceleratorTable();

// The first submenu (depth first) whose item caption is caption; nullptr if none.
HMENU FindSubmenu(HMENU menu, std::string_view caption);

// Makes recentMenu hold one item "&k path" per path, k = 1..8, in order.
void RefreshRecentFileMenu(HMENU recentMenu, const std::vector<std::string>& paths);

// 工具条1 at the top of parent, kToolbarHeight high; the parent positions it
// from then on. images may be null (buttons without pictures).
HWND CreateMainToolbar(HWND parent, HINSTANCE instance, int controlId, HIMAGELIST images);

// ---- Events ----

// WM_NOTIFY from the toolbar: the tooltip texts (TBN_GETINFOTIPA and
// TTN_GETDISPINFOA) and the drop-down arrows of buttons 0 and 1 (TBN_DROPDOWN:
// 新建为... and 最近打开文件 of menuBar pop up under the button). Returns false
// for notifications it does not handle; result is the value to return.
bool HandleToolbarNotify(HWND owner, HWND toolbar, HMENU menuBar, NMHDR* header, LRESULT& result);

// Pops up menu at a screen point; its commands go to owner as WM_COMMAND.
void ShowPopupMenu(HWND owner, HMENU menu, POINT screen);

// The shown state that a view command asks for. The folder buttons of the
// toolbar have already toggled when they report, so their pressed state is the
// request; a menu item asks for the opposite of its check mark.
bool RequestedViewState(HMENU menuBar, HWND toolbar, int command, HWND source);

// ---- State ----

// Check marks of the six 窗口单元 items and the pressed state of the toolbar's
// 工作夹 and 状态夹 buttons, from the view flags.
void MirrorViewFlags(HMENU menuBar, HWND toolbar, const ViewFlags& flags);

// Enables every command of menu (a menu bar or a pop-up menu, searched through
// its submenus) and of toolbar that registry enables now, and greys the rest.
// Either may be null.
void ShowCommandStates(HMENU menu, HWND toolbar, const CommandRegistry& registry);

// The message loop's accelerator step for the main window: translates keys of
// the main window and its children, but leaves a focused text box its own
// editing keys (Del, Ctrl+A/C/V/X/Z). True when msg became a command.
bool TranslateShellAccelerator(HWND mainWindow, HACCEL accelerators, MSG& msg);

// ---- Everything together ----

// What the main window keeps besides its menu bar (which the window owns): the
// pop-up menus, the accelerator table, the toolbar and its image list.
class CommandSurface {
 public:
  // Makes the toolbar on mainWindow, with the pop-up menus and accelerators.
  // The menu bar is the window's own (BuildMenuBar().Release() given to
  // CreateWindowEx, or Create below). nullptr when the toolbar failed.
  HWND CreateToolbar(HWND mainWindow, HINSTANCE instance, int toolbarId);
  // Both: attaches a fresh menu bar to mainWindow, then CreateToolbar. False
  // when a part could not be made (the window keeps what could be built).
  bool Create(HWND mainWindow, HINSTANCE instance, int toolbarId);

  HMENU MenuBar() const { return owner ? GetMenu(owner) : nullptr; }
  HWND Toolbar() const { return toolbar; }
  HACCEL Accelerators() const { return accelerators.Get(); }
  HMENU Popup(PopupMenuKind kind) const { return popups[int(kind)].Get(); }

  void ShowRecentFiles(const std::vector<std::string>& paths) const;
  void ShowPopup(PopupMenuKind kind, POINT screen) const { ShowPopupMenu(owner, Popup(kind), screen); }
  bool HandleNotify(NMHDR* header, LRESULT& result) const {
    return HandleToolbarNotify(owner, toolbar, MenuBar(), header, result);
  }
  bool RequestedViewState(int command, HWND source) const {
    return quillet::RequestedViewState(MenuBar(), toolbar, command, source);
  }
  void MirrorViewFlags(const ViewFlags& flags) const { quillet::MirrorViewFlags(MenuBar(), toolbar, flags); }
  void ShowCommandStates(const CommandRegistry& registry) const {
    quillet::ShowCommandStates(MenuBar(), toolbar, registry);
  }
  bool TranslateAccelerator(MSG& msg) const { return TranslateShellAccelerator(owner, Accelerators(), msg); }

 private:
  HWND owner = nullptr;
  HWND toolbar = nullptr;  // destroyed with the window
  MenuHandle popups[std::size(kAllPopupMenus)];
  AcceleratorHandle accelerators;
  ImageListHandle toolbarImages;  // a toolbar does not destroy its image list
};

}  // namespace quillet
