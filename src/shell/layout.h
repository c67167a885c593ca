// Geometry of the main window: where the toolbar, status bar, the two folders,
// the document tab strip, the splitters and the editing area go for a given
// client size and set of view flags. Pure arithmetic; the Windows layer moves
// the real windows to these rectangles.
#pragma once

#include "shell/settings.h"

namespace quillet {

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const Rect&) const = default;
};

struct Placement {
  Rect rect;
  bool visible = false;
  bool operator==(const Placement&) const = default;
};

// Measures of the form, in pixels.
inline constexpr int kToolbarHeight = 28;
inline constexpr int kStatusBarHeight = 20;
inline constexpr int kTabStripHeight = 24;
inline constexpr int kDefaultWorkFolderWidth = 154;
inline constexpr int kDefaultStatusFolderHeight = 93;
inline constexpr int kSplitterThickness = 3;
inline constexpr int kCloseButtonSize = 11;
// Folders never shrink below this, and the splitters leave the editing area at
// least kMinEditingExtent, so a wild drag cannot make a panel vanish or invert.
inline constexpr int kMinFolderExtent = 40;
inline constexpr int kMinEditingExtent = 40;

struct LayoutInput {
  int clientWidth = 0;
  int clientHeight = 0;
  ViewFlags flags;
  int workFolderWidth = kDefaultWorkFolderWidth;
  int statusFolderHeight = kDefaultStatusFolderHeight;
  int toolbarHeight = kToolbarHeight;
  int statusBarHeight = kStatusBarHeight;
  int tabStripHeight = kTabStripHeight;
  // Origin of the page area of 选择夹1 in its own coordinates (just below the
  // tab headers); the trees sit at (4, 5) inside the page.
  Point workTabsPage{-1, 22};
};

struct MainLayout {
  // Units of the main window's client area.
  Placement toolbar;         // 工具条1
  Placement statusBar;       // 状态条1
  Placement statusFolder;    // the status folder (help text) at the bottom
  Placement statusSplitter;  // the splitter above the status folder
  Placement workFolder;      // the work folder (keyword and procedure trees) at the left
  Placement workSplitter;    // the splitter right of the work folder
  Placement tabStrip;        // 文件选择夹
  Rect editingArea;          // EditingArea

  // Inside the work folder, relative to it.
  Rect workTabs;         // 选择夹1
  Rect folderTrees;      // 函数库 and 程序集 (one shows at a time)
  Rect workCloseButton;  // closes the work folder
  Placement workRule;    // etched rule under the close button

  // Inside the status folder, relative to it.
  Rect statusCloseButton;  // closes the status folder
  Placement statusRule;    // etched rule beside the close button
  Rect helpText;           // 帮助信息栏
};

// Lays out every unit for the client size and flags of in. Sizes never go
// below zero, however small the client area is.
MainLayout ComputeMainLayout(const LayoutInput& in);

// The work folder width after its splitter was dragged so that its right edge (the
// editing area's new left edge) is at x: x − 3, kept within sensible bounds.
int WorkFolderWidthForSplitter(const LayoutInput& in, int x);

// The status folder height after its splitter was dragged so that its bottom edge
// (the folder's new top) is at y: the client height − y, less the status bar
// when it is shown, kept within sensible bounds.
int StatusFolderHeightForSplitter(const LayoutInput& in, int y);

}  // namespace quillet
