// The command surface of the main window as plain data: command identifiers,
// the menu bar and pop-up menu trees, the accelerators and the toolbar
// entries. The Windows layer (shell/menus_win32.h) builds the real menus,
// accelerator table and toolbar from these tables, so captions, keys and
// tooltips live in one place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quillet {

// WM_COMMAND identifiers. They stay inside [kFirstCommandId, kLastCommandId] so
// that the main window can tell them from its child controls' notifications
// (which must use identifiers outside that range).
enum CommandId : int {
  kCmdNone = 0,

  // 文件(&F)
  kCmdNew = 40000,
  kCmdNewExe,
  kCmdNewDll,
  kCmdNewRc,
  kCmdNewText,
  kCmdOpen,
  kCmdClose,
  kCmdSave,
  kCmdSaveAs,
  kCmdSaveAll,
  kCmdPrint,
  kCmdExit,
  kCmdRecentFile1 = 40020,  // 最近打开文件 items 1..8, consecutive
  kCmdRecentFile8 = kCmdRecentFile1 + 7,

  // 编辑(&E)
  kCmdUndo = 40100,
  kCmdRedo,
  kCmdCut,
  kCmdCopy,
  kCmdPaste,
  kCmdDelete,
  kCmdSelectAll,
  kCmdGoToLine,
  kCmdFind,
  kCmdFindNext,
  kCmdFindPrevious,
  kCmdReplace,

  // 查看(&V): the six 窗口单元 items in view-element order 1..6, consecutive
  kCmdViewToolbar = 40200,
  kCmdViewStatusBar,
  kCmdViewWorkFolder,
  kCmdViewStatusFolder,
  kCmdViewTabStrip,
  kCmdViewLineNumberBar,
  kCmdShowKeywordTab,    // 函数库: tab 0 of 选择夹1
  kCmdShowProcedureTab,  // 程序集: tab 1 of 选择夹1

  // 编译(&C)
  kCmdCompile = 40300,
  kCmdCompileAndRun,
  kCmdRun,

  // 工具(&T)
  kCmdConfigure = 40400,
  kCmdCalculator,

  // 帮助(&H); the toolbar's 帮助 button shares kCmdAbout
  kCmdInstantHelp = 40500,
  kCmdAbout,

  // 右键菜单 (document tabs): close, save and save-as act on the context tab
  kCmdTabClose = 40600,
  kCmdTabSave,
  kCmdTabSaveAs,
  kCmdTabSaveAll,

  // 右键菜单2 (procedure list 程序集)
  kCmdProcedureJump = 40700,
  kCmdProcedureRefresh,

  // 右键菜单3 (keyword tree 函数库)
  kCmdKeywordOutput = 40800,
};

inline constexpr int kFirstCommandId = 40000;
inline constexpr int kLastCommandId = 40999;
constexpr bool IsCommandId(int id) { return id >= kFirstCommandId && id <= kLastCommandId; }

inline constexpr int kRecentFileItemCount = 8;

// Recent-file item k (1..8) and back; 0 when id is not a recent-file item.
constexpr CommandId RecentFileCommand(int k) { return CommandId(kCmdRecentFile1 + k - 1); }
constexpr int RecentFileIndex(int id) {
  return id >= kCmdRecentFile1 && id <= kCmdRecentFile8 ? id - kCmdRecentFile1 + 1 : 0;
}

// 窗口单元 item of view element which (1..6) and back; 0 when id is none of them.
constexpr CommandId ViewCommand(int which) { return CommandId(kCmdViewToolbar + which - 1); }
constexpr int ViewElementOfCommand(int id) {
  return id >= kCmdViewToolbar && id <= kCmdViewLineNumberBar ? id - kCmdViewToolbar + 1 : 0;
}

// ---- Keys ----

// Virtual-key codes, the same numbers Windows uses (checked in the Win32 layer).
inline constexpr std::uint16_t kKeyDelete = 0x2E;
inline constexpr std::uint16_t kKeyF1 = 0x70;
constexpr std::uint16_t FunctionKey(int n) { return std::uint16_t(kKeyF1 + n - 1); }

enum KeyModifier : std::uint8_t { kModNone = 0, kModCtrl = 1, kModShift = 2, kModAlt = 4 };

struct Accelerator {
  std::uint16_t key = 0;  // virtual key; 0 = the command has no accelerator
  std::uint8_t modifiers = kModNone;
  bool operator==(const Accelerator&) const = default;
};

// "Ctrl+N", "Shift+F3", "Del"; "" for no key.
std::string AcceleratorText(Accelerator accelerator);

// The keys of the edit commands (delete, select all, clipboard, undo, redo).
// They act on the document only while its editing window has the focus; any
// other focused control keeps them, so they never change the text out of sight.
bool IsEditingKey(Accelerator accelerator);

// ---- Commands ----

// The part of the program that carries out a command. Whether a command can
// run is the command registry's business (shell/command_registry.h): a feature
// that is not built registers nothing, and its items stay disabled.
enum class Feature {
  kShell,             // main window, view switches, small tools
  kDocuments,         // new, open, save, close, recent files
  kEditing,           // clipboard, undo, delete, select all
  kPrinting,
  kCompiler,          // compile, run
  kSearch,            // find, replace, go to line
  kConfiguration,     // editor configuration dialog
  kInstantHelp,
  kKeywordCatalogue,  // output of a keyword to the editor
  kProcedureList,     // jump to / refresh the procedure list
};

struct CommandInfo {
  CommandId id;
  Feature feature;
  Accelerator accelerator;
};

// Every command, recent-file items included.
std::span<const CommandInfo> AllCommands();
const CommandInfo* FindCommand(int id);  // nullptr for unknown ids

// ---- Menus ----

enum class MenuNodeKind { kCommand, kSeparator, kSubmenu };

struct MenuNode {
  MenuNodeKind kind = MenuNodeKind::kSeparator;
  const char* caption = "";
  CommandId command = kCmdNone;        // kCommand only
  std::span<const MenuNode> children;  // kSubmenu only; may be empty (filled at run time)
};

// The menu bar: one kSubmenu node per top-level menu.
std::span<const MenuNode> MenuBarTree();

enum class PopupMenuKind { kTab, kProcedureList, kKeywordTree };
inline constexpr PopupMenuKind kAllPopupMenus[] = {PopupMenuKind::kTab, PopupMenuKind::kProcedureList,
                                                   PopupMenuKind::kKeywordTree};

const char* PopupMenuName(PopupMenuKind kind);  // 右键菜单, 右键菜单2, 右键菜单3
std::span<const MenuNode> PopupMenuTree(PopupMenuKind kind);

// Submenu captions the shell looks up at run time.
inline constexpr char kNewAsMenuCaption[] = "新建为...";
inline constexpr char kRecentFileMenuCaption[] = "最近打开文件";

// A menu item's text: the caption, then a TAB and the accelerator when it has one.
std::string MenuItemText(const MenuNode& node);

// ---- Toolbar ----

enum class ToolbarStyle { kButton, kDropDown, kCheck, kSeparator };

struct ToolbarEntry {
  const char* tooltip;  // "" for separators
  ToolbarStyle style;
  CommandId command;    // kCmdNone for separators
  int image;            // index in the toolbar strip; -1 for separators
};

inline constexpr std::size_t kToolbarEntryCount = 20;
inline constexpr int kToolbarImageCount = 16;

// 工具条1, entries 0..19 in order.
std::span<const ToolbarEntry> ToolbarEntries();

// The tooltip of the toolbar button that sends command; nullptr when none does.
const char* ToolbarTooltip(int command);

}  // namespace quillet
