#include "shell/layout.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

LayoutInput Client(int width, int height) {
  LayoutInput in;
  in.clientWidth = width;
  in.clientHeight = height;
  return in;
}

ViewFlags AllHidden() {
  ViewFlags f;
  f.shown.fill(false);
  return f;
}

TEST(MainLayout, EverythingHiddenGivesTheWholeClientToTheEditor) {
  LayoutInput in = Client(674, 421);
  in.flags = AllHidden();
  const MainLayout l = ComputeMainLayout(in);
  EXPECT_EQ(l.editingArea, (Rect{0, 0, 674, 421}));
  for (const Placement* p : {&l.toolbar, &l.statusBar, &l.statusFolder, &l.statusSplitter, &l.workFolder,
                             &l.workSplitter, &l.tabStrip, &l.workRule, &l.statusRule}) {
    EXPECT_FALSE(p->visible);
  }
}

TEST(MainLayout, EverythingShownSurroundsTheEditingArea) {
  const LayoutInput in = Client(674, 421);
  const MainLayout l = ComputeMainLayout(in);

  EXPECT_EQ(l.toolbar, (Placement{{0, 0, 674, 28}, true}));
  EXPECT_EQ(l.statusBar, (Placement{{0, 401, 674, 20}, true}));
  // The status folder spans the width above the status bar, its splitter just above it.
  EXPECT_EQ(l.statusFolder, (Placement{{0, 421 - 20 - 93, 674, 93}, true}));
  EXPECT_EQ(l.statusSplitter, (Placement{{0, 305, 674, 3}, true}));
  // The work folder fills the height between the toolbar and the status folder.
  EXPECT_EQ(l.workFolder, (Placement{{0, 28, 154, 308 - 28}, true}));
  EXPECT_EQ(l.workSplitter, (Placement{{154, 28, 3, 280 + 2}, true}));
  EXPECT_EQ(l.tabStrip, (Placement{{157, 28, 674 - 157, 24}, true}));

  EXPECT_EQ(l.editingArea.left, 154 + 3);
  EXPECT_EQ(l.editingArea.top, 28 + 24);
  EXPECT_EQ(l.editingArea.Right(), 674);
  EXPECT_EQ(l.editingArea.Bottom(), l.statusFolder.rect.top);

  // Units inside the folders, relative to them.
  EXPECT_EQ(l.workTabs, (Rect{0, 21, 154, 280 - 21}));
  EXPECT_EQ(l.folderTrees, (Rect{0 - 1 + 4, 21 + 22 + 5, 154 - 6, 259 - 30}));
  EXPECT_EQ(l.workCloseButton, (Rect{154 - 16, 5, 11, 11}));
  EXPECT_EQ(l.workRule, (Placement{{5, 10, 154 - 25, 3}, true}));
  EXPECT_EQ(l.statusCloseButton, (Rect{5, 9, 11, 11}));
  EXPECT_EQ(l.statusRule, (Placement{{9, 25, 3, 93}, true}));
  EXPECT_EQ(l.helpText, (Rect{24, 3, 674 - 24 - 3, 93 - 3}));
}

TEST(MainLayout, EachFlagFreesOnlyItsOwnSpace) {
  LayoutInput in = Client(600, 400);
  in.toolbarHeight = 30;  // a measured toolbar replaces the form's 28

  in.flags.Set(kViewStatusBar, false);
  MainLayout l = ComputeMainLayout(in);
  EXPECT_EQ(l.statusFolder.rect.top, 400 - 93);
  EXPECT_EQ(l.editingArea, (Rect{157, 30 + 24, 600 - 157, 400 - 93 - 30 - 24}));

  in.flags = ViewFlags{};
  in.flags.Set(kViewTabStrip, false);
  in.flags.Set(kViewLineNumberBar, false);
  l = ComputeMainLayout(in);
  EXPECT_EQ(l.editingArea, (Rect{157, 30, 443, 400 - 30 - 20 - 93}));

  in.flags = ViewFlags{};
  in.flags.Set(kViewWorkFolder, false);
  l = ComputeMainLayout(in);
  EXPECT_FALSE(l.workSplitter.visible);
  EXPECT_FALSE(l.workRule.visible);
  EXPECT_EQ(l.tabStrip.rect, (Rect{0, 30, 600, 24}));
  EXPECT_EQ(l.editingArea.left, 0);
}

TEST(MainLayout, ATinyClientNeverYieldsNegativeSizes) {
  for (int size : {0, 5, 60}) {
    const MainLayout l = ComputeMainLayout(Client(size, size));
    for (const Rect* r : {&l.editingArea, &l.workFolder.rect, &l.statusFolder.rect, &l.tabStrip.rect, &l.workTabs,
                          &l.folderTrees, &l.helpText, &l.workRule.rect}) {
      EXPECT_GE(r->width, 0) << size;
      EXPECT_GE(r->height, 0) << size;
    }
  }
}

TEST(MainLayout, SplittersResizeTheFoldersWithinBounds) {
  LayoutInput in = Client(674, 421);

  // The work folder's splitter dragged to x: folder width x − 3, editing area from x.
  in.workFolderWidth = WorkFolderWidthForSplitter(in, 250);
  EXPECT_EQ(in.workFolderWidth, 247);
  EXPECT_EQ(ComputeMainLayout(in).editingArea.left, 250);
  // Releasing it where it lies changes nothing.
  EXPECT_EQ(WorkFolderWidthForSplitter(in, ComputeMainLayout(in).workSplitter.rect.Right()), 247);
  EXPECT_EQ(WorkFolderWidthForSplitter(in, -100), kMinFolderExtent);
  EXPECT_EQ(WorkFolderWidthForSplitter(in, 5000), 674 - 3 - kMinEditingExtent);

  // The status folder's splitter dragged to y: the folder starts at y.
  in.statusFolderHeight = StatusFolderHeightForSplitter(in, 250);
  EXPECT_EQ(in.statusFolderHeight, 421 - 250 - 20);
  EXPECT_EQ(ComputeMainLayout(in).statusFolder.rect.top, 250);
  EXPECT_EQ(StatusFolderHeightForSplitter(in, ComputeMainLayout(in).statusSplitter.rect.Bottom()),
            in.statusFolderHeight);
  in.flags.Set(kViewStatusBar, false);
  EXPECT_EQ(StatusFolderHeightForSplitter(in, 250), 421 - 250);
  EXPECT_EQ(StatusFolderHeightForSplitter(in, 5000), kMinFolderExtent);
  EXPECT_EQ(StatusFolderHeightForSplitter(in, -100), 421 - 28 - 24 - 3 - kMinEditingExtent);

  // A window too small for any bounds still gives the minimum, never less.
  LayoutInput tiny = Client(30, 30);
  EXPECT_EQ(WorkFolderWidthForSplitter(tiny, 20), kMinFolderExtent);
  EXPECT_EQ(StatusFolderHeightForSplitter(tiny, 0), kMinFolderExtent);
}

}  // namespace
}  // namespace quillet
