#include "shell/command_registry.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillet {
namespace {

TEST(CommandRegistry, OnlyRegisteredCommandsRunAndTheirRuleDecides) {
  CommandRegistry registry;
  std::vector<CommandCall> ran;
  bool canUndo = false;
  registry.Register(kCmdOpen, [&](const CommandCall& call) { ran.push_back(call); });
  registry.Register(kCmdUndo, [&](const CommandCall& call) { ran.push_back(call); }, [&] { return canUndo; });

  // No entry: a feature not built stays disabled and does nothing.
  EXPECT_FALSE(registry.Has(kCmdCompile));
  EXPECT_FALSE(registry.IsEnabled(kCmdCompile));
  EXPECT_FALSE(registry.Run({kCmdCompile}));
  EXPECT_FALSE(registry.IsEnabled(kCmdNone));

  EXPECT_TRUE(registry.IsEnabled(kCmdOpen));  // no rule: always
  EXPECT_TRUE(registry.Run({kCmdOpen, 77}));
  EXPECT_TRUE(registry.Has(kCmdUndo));
  EXPECT_FALSE(registry.IsEnabled(kCmdUndo));
  EXPECT_FALSE(registry.Run({kCmdUndo}));  // the rule is asked again when it runs
  canUndo = true;
  EXPECT_TRUE(registry.IsEnabled(kCmdUndo));
  EXPECT_TRUE(registry.Run({kCmdUndo}));
  ASSERT_EQ(ran.size(), 2u);
  EXPECT_EQ(ran[0].id, kCmdOpen);
  EXPECT_EQ(ran[0].source, 77u);
  EXPECT_EQ(ran[1].id, kCmdUndo);

  // An entry without a handler is refused rather than shown enabled.
  registry.Register(kCmdFind, CommandRegistry::Handler{});
  EXPECT_FALSE(registry.Has(kCmdFind));
  registry.Unregister(kCmdOpen);
  EXPECT_FALSE(registry.Run({kCmdOpen}));
}

TEST(CommandRegistry, OneHandlerServesSeveralIdsAndMayReplaceItselfWhileRunning) {
  CommandRegistry registry;
  std::vector<int> opened;
  const CommandId recent[] = {RecentFileCommand(1), RecentFileCommand(2), RecentFileCommand(8)};
  registry.Register(recent, [&](const CommandCall& call) { opened.push_back(RecentFileIndex(call.id)); });
  registry.Run({RecentFileCommand(8)});
  registry.Run({RecentFileCommand(2)});
  EXPECT_EQ(opened, (std::vector<int>{8, 2}));
  EXPECT_FALSE(registry.Has(RecentFileCommand(3)));

  int runs = 0;
  registry.Register(kCmdRun, [&](const CommandCall&) {
    ++runs;
    registry.Register(kCmdRun, [&](const CommandCall&) { runs += 10; });
  });
  registry.Run({kCmdRun});
  registry.Run({kCmdRun});
  EXPECT_EQ(runs, 11);
}

}  // namespace
}  // namespace quillet
