// Moves the main window's units to the places the layout computes, and the
// view switches and splitters that change it.
#include <windows.h>

#include <commctrl.h>

#include "common/window_place_win32.h"
#include "shell/app_state.h"
#include "shell/main_window_win32.h"
#include "shell/menus_win32.h"
#include "shell/panels_win32.h"

namespace quillet {
namespace {

// The real height of a bar that sizes itself, or fallback before it has one.
int MeasuredHeight(HWND bar, int fallback) {
  RECT r{};
  if (!bar || !GetWindowRect(bar, &r) || r.bottom <= r.top) return fallback;
  return r.bottom - r.top;
}

// The tab page origin of 选择夹1: just below its row of tab headers.
Point WorkTabsPage(HWND tabs, Point fallback) {
  RECT header{};
  if (!tabs || !SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&header))) return fallback;
  return {fallback.x, static_cast<int>(header.bottom)};
}

LayoutInput CurrentLayoutInput() {
  const MainUnits& u = Units();
  const AppState& app = App();
  LayoutInput in;
  RECT client{};
  GetClientRect(u.main, &client);
  in.clientWidth = client.right;
  in.clientHeight = client.bottom;
  in.flags = app.view;
  in.workFolderWidth = app.workFolderWidth;
  in.statusFolderHeight = app.statusFolderHeight;
  // The toolbar and status bar size themselves to their buttons and font.
  SendMessageA(u.toolbar, TB_AUTOSIZE, 0, 0);
  SendMessageA(u.statusBar, WM_SIZE, 0, 0);
  in.toolbarHeight = MeasuredHeight(u.toolbar, kToolbarHeight);
  in.statusBarHeight = MeasuredHeight(u.statusBar, kStatusBarHeight);
  in.workTabsPage = WorkTabsPage(u.workTabs, in.workTabsPage);
  return in;
}

bool StandsAt(HWND window, const Rect& r) { return quillet::StandsAt(window, r.left, r.top, r.width, r.height); }

// A unit in place keeps its place; one raised once stays above the siblings
// it overlaps.
bool AlreadyPlaced(HWND window, const Rect& r, bool visible) {
  if (((GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0) != visible) return false;
  return !visible || StandsAt(window, r);
}

void Place(HWND window, const Rect& r, bool visible, bool raise = false) {
  if (!window || AlreadyPlaced(window, r, visible)) return;
  UINT flags = SWP_NOACTIVATE | (raise ? 0 : SWP_NOZORDER);
  if (!visible) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0, flags | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_HIDEWINDOW);
    return;
  }
  SetWindowPos(window, HWND_TOP, r.left, r.top, r.width, r.height, flags | SWP_SHOWWINDOW);
}

void Place(HWND window, const Placement& p, bool raise = false) { Place(window, p.rect, p.visible, raise); }

// Moves without touching visibility (the trees show by the selected tab).
void Move(HWND window, const Rect& r, bool raise = false) {
  if (!window || StandsAt(window, r)) return;
  SetWindowPos(window, HWND_TOP, r.left, r.top, r.width, r.height,
               SWP_NOACTIVATE | (raise ? 0 : SWP_NOZORDER));
}

void PlaceWorkFolder(const MainUnits& u, const MainLayout& l) {
  if (l.workFolder.visible) {
    Move(u.workTabs, l.workTabs);
    Move(u.libraryTree, l.folderTrees, true);
    Move(u.procedureTree, l.folderTrees, true);
    Move(u.workCloseButton, l.workCloseButton);
    Place(u.workRule, l.workRule);
  }
  Place(u.workFolder, l.workFolder);
  Place(u.workSplitter, l.workSplitter, true);
}

void PlaceStatusFolder(const MainUnits& u, const MainLayout& l) {
  if (l.statusFolder.visible) {
    Move(u.statusCloseButton, l.statusCloseButton);
    Place(u.statusRule, l.statusRule);
    Move(u.helpText, l.helpText);
  }
  Place(u.statusFolder, l.statusFolder);
  Place(u.statusSplitter, l.statusSplitter, true);
}

}  // namespace

void ArrangeMainWindow() {
  const MainUnits& u = Units();
  if (!u.main || !u.statusFolder) return;  // not (or no longer) built
  const MainLayout l = ComputeMainLayout(CurrentLayoutInput());
  Place(u.toolbar, l.toolbar);
  Place(u.statusBar, l.statusBar);
  PlaceStatusFolder(u, l);
  PlaceWorkFolder(u, l);
  Place(u.tabStrip, l.tabStrip);
  App().editingArea = l.editingArea;
  MirrorViewFlags(GetMenu(u.main), u.toolbar, App().view);
  if (Parts().moveEditWindow) Parts().moveEditWindow(l.editingArea);
}

void SetViewElement(int which, bool on) {
  if (which < 1 || which > kViewElementCount) return;
  AppState& app = App();
  app.view.Set(which, on);
  // Elements 1..5 are units: the arrangement below shows or hides them.
  if (which == kViewLineNumberBar) {
    app.editor.lineNumberBarWidth = app.view.LineNumberBarWidth();
    if (Parts().invalidateEditWindow) Parts().invalidateEditWindow();
  }
  if (app.store) SaveViewFlag(*app.store, which, on);
  ArrangeMainWindow();
}

void MoveSplitter(int splitterId, int position) {
  if (!Units().main) return;
  const LayoutInput in = CurrentLayoutInput();
  if (splitterId == kIdWorkSplitter) {
    App().workFolderWidth = WorkFolderWidthForSplitter(in, position);
  } else if (splitterId == kIdStatusSplitter) {
    App().statusFolderHeight = StatusFolderHeightForSplitter(in, position);
  } else {
    return;
  }
  ArrangeMainWindow();
}

}  // namespace quillet
