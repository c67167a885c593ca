#include "shell/layout.h"

#include <algorithm>

namespace quillet {
namespace {

// Fixed places inside the folders (left, top; relative to the folder).
constexpr int kWorkTabsTop = 21;
constexpr Point kTreeInPage{4, 5};
constexpr int kWorkCloseTop = 5;
constexpr int kWorkRuleLeft = 5;
constexpr int kWorkRuleTop = 10;
constexpr int kRuleThickness = 3;
constexpr Point kStatusCloseButton{5, 9};
constexpr Point kStatusRule{9, 25};
constexpr Point kHelpText{24, 3};

int NonNegative(int v) { return std::max(v, 0); }

// Like std::clamp, but a range squeezed shut by a tiny window yields lo.
int ClampLow(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

void PlaceStatusFolder(const LayoutInput& in, MainLayout& out) {
  const int height = NonNegative(in.statusFolderHeight);
  int top = in.clientHeight - height;
  if (in.flags.IsShown(kViewStatusBar)) top -= in.statusBarHeight;
  out.statusFolder = {{0, top, NonNegative(in.clientWidth), height}, true};
  const Rect& folder = out.statusFolder.rect;
  out.statusSplitter = {{0, top - kSplitterThickness, folder.width, kSplitterThickness}, true};
  out.statusCloseButton = {kStatusCloseButton.x, kStatusCloseButton.y, kCloseButtonSize, kCloseButtonSize};
  out.statusRule = {{kStatusRule.x, kStatusRule.y, kRuleThickness, folder.height}, true};
  out.helpText = {kHelpText.x, kHelpText.y, NonNegative(folder.width - kHelpText.x - 3),
                  NonNegative(folder.height - kHelpText.y)};
}

void PlaceWorkFolder(const LayoutInput& in, int top, int height, MainLayout& out) {
  out.workFolder = {{0, top, NonNegative(in.workFolderWidth), NonNegative(height)}, true};
  const Rect& folder = out.workFolder.rect;
  out.workTabs = {0, kWorkTabsTop, folder.width, NonNegative(folder.height - kWorkTabsTop)};
  out.folderTrees = {out.workTabs.left + in.workTabsPage.x + kTreeInPage.x,
                     out.workTabs.top + in.workTabsPage.y + kTreeInPage.y, NonNegative(out.workTabs.width - 6),
                     NonNegative(out.workTabs.height - 30)};
  out.workCloseButton = {folder.width - 16, kWorkCloseTop, kCloseButtonSize, kCloseButtonSize};
  // Level with the close button: the rule is a child of the folder, so its top
  // does not move with the toolbar.
  out.workRule = {{kWorkRuleLeft, kWorkRuleTop, NonNegative(folder.width - 25), kRuleThickness}, true};
  out.workSplitter = {{folder.width, top, kSplitterThickness, folder.height + 2}, true};
}

}  // namespace

MainLayout ComputeMainLayout(const LayoutInput& in) {
  const ViewFlags& f = in.flags;
  MainLayout out;
  int height = in.clientHeight;
  int width = in.clientWidth;
  int top = 0;
  int left = 0;

  if (f.IsShown(kViewToolbar)) {
    height -= in.toolbarHeight;
    top = in.toolbarHeight;
    out.toolbar = {{0, 0, NonNegative(in.clientWidth), in.toolbarHeight}, true};
  }
  if (f.IsShown(kViewStatusBar)) {
    height -= in.statusBarHeight;
    out.statusBar = {{0, in.clientHeight - in.statusBarHeight, NonNegative(in.clientWidth), in.statusBarHeight}, true};
  }
  if (f.IsShown(kViewStatusFolder)) {
    PlaceStatusFolder(in, out);
    height -= out.statusFolder.rect.height;
  }
  if (f.IsShown(kViewWorkFolder)) {
    PlaceWorkFolder(in, top, height, out);
    left = out.workFolder.rect.width + kSplitterThickness;
    width -= left;
  }
  if (f.IsShown(kViewTabStrip)) {
    out.tabStrip = {{left, top, NonNegative(width), in.tabStripHeight}, true};
    top += in.tabStripHeight;
    height -= in.tabStripHeight;
  }
  out.editingArea = {left, top, NonNegative(width), NonNegative(height)};
  return out;
}

int WorkFolderWidthForSplitter(const LayoutInput& in, int x) {
  const int most = in.clientWidth - kSplitterThickness - kMinEditingExtent;
  return ClampLow(x - kSplitterThickness, kMinFolderExtent, most);
}

int StatusFolderHeightForSplitter(const LayoutInput& in, int y) {
  const ViewFlags& f = in.flags;
  const int statusBar = f.IsShown(kViewStatusBar) ? in.statusBarHeight : 0;
  // Above the folder stay the toolbar, the tab strip, the editing area and the splitter.
  int above = kMinEditingExtent + kSplitterThickness;
  if (f.IsShown(kViewToolbar)) above += in.toolbarHeight;
  if (f.IsShown(kViewTabStrip)) above += in.tabStripHeight;
  const int most = in.clientHeight - statusBar - above;
  return ClampLow(in.clientHeight - y - statusBar, kMinFolderExtent, most);
}

}  // namespace quillet
