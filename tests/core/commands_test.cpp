#include "shell/commands.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace quillet {
namespace {

// Every command node of a tree, depth first.
void CollectCommands(std::span<const MenuNode> nodes, std::vector<const MenuNode*>& out) {
  for (const MenuNode& node : nodes) {
    if (node.kind == MenuNodeKind::kCommand) out.push_back(&node);
    if (node.kind == MenuNodeKind::kSubmenu) CollectCommands(node.children, out);
  }
}

std::vector<const MenuNode*> AllMenuCommands() {
  std::vector<const MenuNode*> nodes;
  CollectCommands(MenuBarTree(), nodes);
  for (PopupMenuKind kind : kAllPopupMenus) CollectCommands(PopupMenuTree(kind), nodes);
  return nodes;
}

const MenuNode* FindNode(int command) {
  for (const MenuNode* node : AllMenuCommands()) {
    if (node->command == command) return node;
  }
  return nullptr;
}

TEST(Commands, EveryCommandIsInExactlyOneMenuAndHasAUniqueIdInRange) {
  std::set<int> ids;
  for (const CommandInfo& info : AllCommands()) {
    EXPECT_TRUE(ids.insert(info.id).second) << "duplicate id " << info.id;
    EXPECT_TRUE(IsCommandId(info.id)) << info.id;
  }
  std::map<int, int> uses;
  for (const MenuNode* node : AllMenuCommands()) {
    EXPECT_NE(FindCommand(node->command), nullptr) << node->caption;
    ++uses[node->command];
  }
  for (const CommandInfo& info : AllCommands()) {
    // Recent-file items are inserted at run time.
    int expected = RecentFileIndex(info.id) ? 0 : 1;
    EXPECT_EQ(uses[info.id], expected) << "command " << info.id;
  }
}

TEST(Commands, AcceleratorsAreUniqueAndShownInTheCaption) {
  std::set<std::pair<int, int>> keys;
  int withKey = 0;
  for (const CommandInfo& info : AllCommands()) {
    if (info.accelerator.key == 0) continue;
    ++withKey;
    EXPECT_TRUE(keys.insert({info.accelerator.key, info.accelerator.modifiers}).second)
        << AcceleratorText(info.accelerator) << " used twice";
  }
  EXPECT_EQ(withKey, 19);

  EXPECT_EQ(MenuItemText(*FindNode(kCmdNew)), "新建(&N)\tCtrl+N");
  EXPECT_EQ(MenuItemText(*FindNode(kCmdRedo)), "重做(&R)\tCtrl+R");
  EXPECT_EQ(MenuItemText(*FindNode(kCmdDelete)), "删除(&D)\tDel");
  EXPECT_EQ(MenuItemText(*FindNode(kCmdFindPrevious)), "查找上一个\tShift+F3");
  EXPECT_EQ(MenuItemText(*FindNode(kCmdCompileAndRun)), "编译并运行(&E)\tCtrl+F5");
  EXPECT_EQ(MenuItemText(*FindNode(kCmdInstantHelp)), "即时帮助\tF1");
  EXPECT_EQ(MenuItemText(*FindNode(kCmdSaveAs)), "另存为(&A)...");
  EXPECT_EQ(MenuItemText(*FindNode(kCmdTabSaveAs)), "另存为...(&O)");
}

TEST(Commands, MenuBarHasTheSixMenusWithTheirSubmenus) {
  std::vector<std::string> captions;
  for (const MenuNode& menu : MenuBarTree()) {
    EXPECT_EQ(menu.kind, MenuNodeKind::kSubmenu);
    captions.push_back(menu.caption);
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"文件(&F)", "编辑(&E)", "查看(&V)", "编译(&C)", "工具(&T)",
                                                "帮助(&H)"}));
  const MenuNode& file = MenuBarTree()[0];
  EXPECT_EQ(file.children.size(), 14u);
  EXPECT_EQ(std::string(file.children[1].caption), kNewAsMenuCaption);
  EXPECT_EQ(file.children[1].children.size(), 4u);
  EXPECT_EQ(std::string(file.children[9].caption), kRecentFileMenuCaption);
  EXPECT_TRUE(file.children[9].children.empty());
  EXPECT_EQ(std::string(file.children.back().caption), "退出(&X)");

  // The six view items are in view-element order, so item k toggles element k.
  const MenuNode& elements = MenuBarTree()[2].children[0];
  ASSERT_EQ(elements.children.size(), 6u);
  for (int k = 1; k <= 6; ++k) EXPECT_EQ(ViewElementOfCommand(elements.children[k - 1].command), k);

  EXPECT_STREQ(PopupMenuName(PopupMenuKind::kProcedureList), "右键菜单2");
  ASSERT_EQ(PopupMenuTree(PopupMenuKind::kTab).size(), 5u);
  EXPECT_EQ(PopupMenuTree(PopupMenuKind::kTab)[1].kind, MenuNodeKind::kSeparator);
}

TEST(Commands, ToolbarHasTwentyEntriesThatAllReachMenuCommands) {
  auto entries = ToolbarEntries();
  ASSERT_EQ(entries.size(), kToolbarEntryCount);
  int nextImage = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const ToolbarEntry& e = entries[i];
    bool separator = i == 5 || i == 12 || i == 15 || i == 18;
    EXPECT_EQ(e.style == ToolbarStyle::kSeparator, separator) << i;
    if (separator) continue;
    EXPECT_NE(FindNode(e.command), nullptr) << "toolbar entry " << i << " has no menu command";
    EXPECT_EQ(e.image, nextImage++) << i;  // the strip is in button order
  }
  EXPECT_EQ(nextImage, kToolbarImageCount);
  EXPECT_EQ(entries[0].style, ToolbarStyle::kDropDown);
  EXPECT_EQ(entries[1].style, ToolbarStyle::kDropDown);
  EXPECT_EQ(entries[16].style, ToolbarStyle::kCheck);
  EXPECT_EQ(entries[17].style, ToolbarStyle::kCheck);
  EXPECT_EQ(entries[16].command, kCmdViewWorkFolder);
  EXPECT_EQ(entries[17].command, kCmdViewStatusFolder);
  EXPECT_EQ(entries[19].command, kCmdAbout);

  EXPECT_STREQ(ToolbarTooltip(kCmdCut), "剪切(Crl+X)");
  EXPECT_STREQ(ToolbarTooltip(kCmdOpen), "打开(Ctrl+O)");
  EXPECT_STREQ(ToolbarTooltip(kCmdNew), "新建程序");
  EXPECT_STREQ(ToolbarTooltip(kCmdAbout), "帮助");
  EXPECT_EQ(ToolbarTooltip(kCmdNone), nullptr);
  EXPECT_EQ(ToolbarTooltip(kCmdCompile), nullptr);
}

TEST(Commands, IdHelpersAndKeys) {
  for (int k = 1; k <= kRecentFileItemCount; ++k) EXPECT_EQ(RecentFileIndex(RecentFileCommand(k)), k);
  EXPECT_EQ(RecentFileIndex(kCmdRecentFile1 - 1), 0);
  EXPECT_EQ(RecentFileIndex(kCmdRecentFile8 + 1), 0);
  EXPECT_EQ(ViewElementOfCommand(kCmdShowKeywordTab), 0);
  EXPECT_EQ(ViewCommand(4), kCmdViewStatusFolder);

  EXPECT_TRUE(IsEditingKey({'C', kModCtrl}));
  EXPECT_TRUE(IsEditingKey({'R', kModCtrl}));
  EXPECT_TRUE(IsEditingKey({kKeyDelete, kModNone}));
  EXPECT_FALSE(IsEditingKey({'S', kModCtrl}));
  EXPECT_FALSE(IsEditingKey({'C', kModCtrl | kModShift}));
  EXPECT_FALSE(IsEditingKey({kKeyDelete, kModShift}));
  EXPECT_FALSE(IsEditingKey({}));
  EXPECT_EQ(AcceleratorText({}), "");
}

}  // namespace
}  // namespace quillet
