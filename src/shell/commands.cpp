#include "shell/commands.h"

#include <algorithm>

namespace quillet {
namespace {

constexpr Accelerator Ctrl(char letter) { return {std::uint16_t(letter), kModCtrl}; }
constexpr Accelerator Key(std::uint16_t key, std::uint8_t modifiers = kModNone) { return {key, modifiers}; }

constexpr CommandInfo kCommands[] = {
    {kCmdNew, Feature::kDocuments, Ctrl('N')},
    {kCmdNewExe, Feature::kDocuments, {}},
    {kCmdNewDll, Feature::kDocuments, {}},
    {kCmdNewRc, Feature::kDocuments, {}},
    {kCmdNewText, Feature::kDocuments, {}},
    {kCmdOpen, Feature::kDocuments, Ctrl('O')},
    {kCmdClose, Feature::kDocuments, {}},
    {kCmdSave, Feature::kDocuments, Ctrl('S')},
    {kCmdSaveAs, Feature::kDocuments, {}},
    {kCmdSaveAll, Feature::kDocuments, {}},
    {kCmdPrint, Feature::kPrinting, {}},
    {kCmdExit, Feature::kShell, {}},
    {RecentFileCommand(1), Feature::kDocuments, {}},
    {RecentFileCommand(2), Feature::kDocuments, {}},
    {RecentFileCommand(3), Feature::kDocuments, {}},
    {RecentFileCommand(4), Feature::kDocuments, {}},
    {RecentFileCommand(5), Feature::kDocuments, {}},
    {RecentFileCommand(6), Feature::kDocuments, {}},
    {RecentFileCommand(7), Feature::kDocuments, {}},
    {RecentFileCommand(8), Feature::kDocuments, {}},

    {kCmdUndo, Feature::kEditing, Ctrl('Z')},
    {kCmdRedo, Feature::kEditing, Ctrl('R')},
    {kCmdCut, Feature::kEditing, Ctrl('X')},
    {kCmdCopy, Feature::kEditing, Ctrl('C')},
    {kCmdPaste, Feature::kEditing, Ctrl('V')},
    {kCmdDelete, Feature::kEditing, Key(kKeyDelete)},
    {kCmdSelectAll, Feature::kEditing, Ctrl('A')},
    {kCmdGoToLine, Feature::kSearch, Ctrl('G')},
    {kCmdFind, Feature::kSearch, Ctrl('F')},
    {kCmdFindNext, Feature::kSearch, Key(FunctionKey(3))},
    {kCmdFindPrevious, Feature::kSearch, Key(FunctionKey(3), kModShift)},
    {kCmdReplace, Feature::kSearch, Ctrl('H')},

    {kCmdViewToolbar, Feature::kShell, {}},
    {kCmdViewStatusBar, Feature::kShell, {}},
    {kCmdViewWorkFolder, Feature::kShell, {}},
    {kCmdViewStatusFolder, Feature::kShell, {}},
    {kCmdViewTabStrip, Feature::kShell, {}},
    {kCmdViewLineNumberBar, Feature::kShell, {}},
    {kCmdShowKeywordTab, Feature::kShell, {}},
    {kCmdShowProcedureTab, Feature::kShell, {}},

    {kCmdCompile, Feature::kCompiler, Key(FunctionKey(5))},
    {kCmdCompileAndRun, Feature::kCompiler, Key(FunctionKey(5), kModCtrl)},
    {kCmdRun, Feature::kCompiler, Key(FunctionKey(7))},

    {kCmdConfigure, Feature::kConfiguration, {}},
    {kCmdCalculator, Feature::kShell, {}},

    {kCmdInstantHelp, Feature::kInstantHelp, Key(FunctionKey(1))},
    {kCmdAbout, Feature::kShell, {}},

    {kCmdTabClose, Feature::kDocuments, {}},
    {kCmdTabSave, Feature::kDocuments, {}},
    {kCmdTabSaveAs, Feature::kDocuments, {}},
    {kCmdTabSaveAll, Feature::kDocuments, {}},

    {kCmdProcedureJump, Feature::kProcedureList, {}},
    {kCmdProcedureRefresh, Feature::kProcedureList, {}},

    {kCmdKeywordOutput, Feature::kKeywordCatalogue, {}},
};

constexpr MenuNode Item(const char* caption, CommandId command) {
  return {MenuNodeKind::kCommand, caption, command, {}};
}
constexpr MenuNode Submenu(const char* caption, std::span<const MenuNode> children) {
  return {MenuNodeKind::kSubmenu, caption, kCmdNone, children};
}
constexpr MenuNode kSeparator{};

constexpr MenuNode kNewAsItems[] = {
    Item("新建EXE程序", kCmdNewExe),
    Item("新建DLL程序", kCmdNewDll),
    Item("新建RC脚本", kCmdNewRc),
    Item("新建纯文本", kCmdNewText),
};

constexpr MenuNode kFileItems[] = {
    Item("新建(&N)", kCmdNew),
    Submenu(kNewAsMenuCaption, kNewAsItems),
    kSeparator,
    Item("打开(&O)", kCmdOpen),
    Item("关闭(&L)", kCmdClose),
    Item("保存(&S)", kCmdSave),
    Item("另存为(&A)...", kCmdSaveAs),
    Item("全部保存", kCmdSaveAll),
    kSeparator,
    Submenu(kRecentFileMenuCaption, {}),  // items 1..8 follow the recent-file list
    kSeparator,
    Item("打印程序(&P)", kCmdPrint),
    kSeparator,
    Item("退出(&X)", kCmdExit),
};

constexpr MenuNode kEditItems[] = {
    Item("撤消(&U)", kCmdUndo),
    Item("重做(&R)", kCmdRedo),
    kSeparator,
    Item("剪切(&X)", kCmdCut),
    Item("复制(&C)", kCmdCopy),
    Item("粘贴(&V)", kCmdPaste),
    Item("删除(&D)", kCmdDelete),
    kSeparator,
    Item("全选(&L)", kCmdSelectAll),
    kSeparator,
    Item("到指定行(&L)", kCmdGoToLine),
    Item("查找(&F)", kCmdFind),
    Item("查找下一个", kCmdFindNext),
    Item("查找上一个", kCmdFindPrevious),
    Item("替换(&H)...", kCmdReplace),
};

constexpr MenuNode kViewElementItems[] = {
    Item("工具条", kCmdViewToolbar),
    Item("状态条", kCmdViewStatusBar),
    Item("工作夹", kCmdViewWorkFolder),
    Item("状态夹", kCmdViewStatusFolder),
    Item("选择夹", kCmdViewTabStrip),
    Item("行号条", kCmdViewLineNumberBar),
};

constexpr MenuNode kViewItems[] = {
    Submenu("窗口单元", kViewElementItems),
    kSeparator,
    Item("函数库", kCmdShowKeywordTab),
    Item("程序集", kCmdShowProcedureTab),
};

constexpr MenuNode kCompileItems[] = {
    Item("编译程序(&C)", kCmdCompile),
    Item("编译并运行(&E)", kCmdCompileAndRun),
    Item("运行(&R)", kCmdRun),
};

constexpr MenuNode kToolItems[] = {
    Item("编辑器配置", kCmdConfigure),
    Item("计算器", kCmdCalculator),
};

constexpr MenuNode kHelpItems[] = {
    Item("即时帮助", kCmdInstantHelp),
    kSeparator,
    Item("关于(&A)...", kCmdAbout),
};

constexpr MenuNode kMenuBar[] = {
    Submenu("文件(&F)", kFileItems),    Submenu("编辑(&E)", kEditItems), Submenu("查看(&V)", kViewItems),
    Submenu("编译(&C)", kCompileItems), Submenu("工具(&T)", kToolItems), Submenu("帮助(&H)", kHelpItems),
};

constexpr MenuNode kTabPopupItems[] = {
    Item("关闭(&E)", kCmdTabClose),
    kSeparator,
    Item("保存(&S)", kCmdTabSave),
    Item("另存为...(&O)", kCmdTabSaveAs),
    Item("全部保存(&A)", kCmdTabSaveAll),
};

constexpr MenuNode kProcedurePopupItems[] = {
    Item("跳转到(&G)", kCmdProcedureJump),
    kSeparator,
    Item("刷新(&R)", kCmdProcedureRefresh),
};

constexpr MenuNode kKeywordPopupItems[] = {
    Item("输出到编辑器", kCmdKeywordOutput),
};

constexpr ToolbarEntry Button(const char* tooltip, CommandId command, int image,
                              ToolbarStyle style = ToolbarStyle::kButton) {
  return {tooltip, style, command, image};
}
constexpr ToolbarEntry kToolbarSeparator{"", ToolbarStyle::kSeparator, kCmdNone, -1};

// Images are the strip's order: new, open, save, save all, print, cut, copy,
// paste, delete, undo, redo, find, replace, work folder, status folder, help.
constexpr ToolbarEntry kToolbar[kToolbarEntryCount] = {
    Button("新建程序", kCmdNew, 0, ToolbarStyle::kDropDown),
    Button("打开(Ctrl+O)", kCmdOpen, 1, ToolbarStyle::kDropDown),
    Button("保存(Ctrl+S)", kCmdSave, 2),
    Button("全部保存", kCmdSaveAll, 3),
    Button("打印程序", kCmdPrint, 4),
    kToolbarSeparator,
    Button("剪切(Crl+X)", kCmdCut, 5),
    Button("复制(Ctrl+C)", kCmdCopy, 6),
    Button("粘贴(Ctrl+V)", kCmdPaste, 7),
    Button("删除(Del)", kCmdDelete, 8),
    Button("撤消", kCmdUndo, 9),
    Button("重做", kCmdRedo, 10),
    kToolbarSeparator,
    Button("查找", kCmdFind, 11),
    Button("替换", kCmdReplace, 12),
    kToolbarSeparator,
    Button("工作夹", kCmdViewWorkFolder, 13, ToolbarStyle::kCheck),
    Button("状态夹", kCmdViewStatusFolder, 14, ToolbarStyle::kCheck),
    kToolbarSeparator,
    Button("帮助", kCmdAbout, 15),
};

std::string KeyName(std::uint16_t key) {
  if (key == kKeyDelete) return "Del";
  if (key >= kKeyF1 && key < kKeyF1 + 24) return std::string("F").append(std::to_string(key - kKeyF1 + 1));
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, char(key));
  return "";
}

}  // namespace

std::string AcceleratorText(Accelerator accelerator) {
  if (accelerator.key == 0) return "";
  std::string text;
  if (accelerator.modifiers & kModCtrl) text += "Ctrl+";
  if (accelerator.modifiers & kModShift) text += "Shift+";
  if (accelerator.modifiers & kModAlt) text += "Alt+";
  return text.append(KeyName(accelerator.key));
}

bool IsEditingKey(Accelerator accelerator) {
  if (accelerator.key == 0) return false;
  return std::any_of(std::begin(kCommands), std::end(kCommands), [accelerator](const CommandInfo& info) {
    return info.feature == Feature::kEditing && info.accelerator == accelerator;
  });
}

std::span<const CommandInfo> AllCommands() { return kCommands; }

const CommandInfo* FindCommand(int id) {
  auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                         [id](const CommandInfo& c) { return c.id == id; });
  return it == std::end(kCommands) ? nullptr : &*it;
}

std::span<const MenuNode> MenuBarTree() { return kMenuBar; }

const char* PopupMenuName(PopupMenuKind kind) {
  switch (kind) {
    case PopupMenuKind::kTab:
      return "右键菜单";
    case PopupMenuKind::kProcedureList:
      return "右键菜单2";
    case PopupMenuKind::kKeywordTree:
      return "右键菜单3";
  }
  return "";
}

std::span<const MenuNode> PopupMenuTree(PopupMenuKind kind) {
  switch (kind) {
    case PopupMenuKind::kTab:
      return kTabPopupItems;
    case PopupMenuKind::kProcedureList:
      return kProcedurePopupItems;
    case PopupMenuKind::kKeywordTree:
      return kKeywordPopupItems;
  }
  return {};
}

std::string MenuItemText(const MenuNode& node) {
  std::string text = node.caption;
  if (node.kind != MenuNodeKind::kCommand) return text;
  const CommandInfo* info = FindCommand(node.command);
  if (info && info->accelerator.key != 0) text.append("\t").append(AcceleratorText(info->accelerator));
  return text;
}

std::span<const ToolbarEntry> ToolbarEntries() { return kToolbar; }

const char* ToolbarTooltip(int command) {
  if (command == kCmdNone) return nullptr;
  for (const ToolbarEntry& entry : kToolbar) {
    if (entry.command == command) return entry.tooltip;
  }
  return nullptr;
}

}  // namespace quillet
