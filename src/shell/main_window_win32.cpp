#include "shell/main_window_win32.h"

#include <commctrl.h>

#include <memory>

#include "common/resources.h"
#include "shell/app_state.h"
#include "shell/commands.h"
#include "shell/menus_win32.h"
#include "shell/panels_win32.h"
#include "shell/registry_store_win32.h"
#include "shell/splitter_win32.h"

namespace quillet {
namespace {

// Default geometry of the main window (outer rectangle).
constexpr int kDefaultLeft = 50;
constexpr int kDefaultTop = 50;
constexpr int kDefaultWidth = 690;
constexpr int kDefaultHeight = 480;

// ---- Start-up and teardown ----

std::string WindowText(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

void OpenKeywordDatabase(HWND main, bool showWarnings) {
  AppState& app = App();
  if (!Parts().openKeywordDatabase) return;  // reference part not built in
  app.keywordDatabaseOpen = Parts().openKeywordDatabase();
  if (!app.keywordDatabaseOpen && showWarnings) {
    MessageBoxA(main, kKeywordDatabaseWarning, app.baseCaption.c_str(), MB_ICONEXCLAMATION);
  }
}

// The 查看(&V) items and toolbar buttons 16 and 17.
void RegisterViewCommands() {
  CommandRegistry& commands = App().commands;
  commands.Register(kCmdShowKeywordTab, [](const CommandCall&) { SelectWorkTab(kLibraryTab); });
  commands.Register(kCmdShowProcedureTab, [](const CommandCall&) { SelectWorkTab(kProcedureTab); });
  for (int which = 1; which <= kViewElementCount; ++which) {
    commands.Register(ViewCommand(which), [which](const CommandCall& call) {
      const MainUnits& u = Units();
      const HWND source = reinterpret_cast<HWND>(call.source);
      SetViewElement(which, RequestedViewState(GetMenu(u.main), u.toolbar, call.id, source));
    });
  }
}

// Runs when the window exists and its units are built, in this order. False
// when the program cannot run (the user was told).
bool RunStartup(HWND main, const MainWindowOptions& options) {
  AppState& app = App();
  const MainWindowParts& parts = Parts();

  const std::string folder = options.programFolder.empty() ? ProgramFolder() : options.programFolder;
  app.settingsFilePath = InFolder(folder, kSettingsFileName);
  const IniFileWin32 settingsFile(app.settingsFilePath);
  app.editor.compilerPath = LoadIniCompilerPath(settingsFile);

  if (parts.attachSkin) parts.attachSkin();

  app.registryRoot = options.registryRoot;
  app.store = std::make_unique<RegistrySettingsStore>(app.registryRoot);

  app.baseCaption = WindowText(main);

  // Fresh settings come with line spacing 3, text margin 3 and the 40-pixel
  // line-number bar; the compiler path read above still comes first.
  app.editor = LoadEditorSettings(*app.store, settingsFile, DefaultGuiFontRecord());

  if (parts.registerEditClass &&
      !parts.registerEditClass(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(main, GWLP_HINSTANCE)))) {
    return false;
  }
  RegisterViewCommands();
  for (const auto& start : parts.startFeatures) start(main);
  RefreshCommandStates();

  app.view = LoadViewFlags(*app.store);
  app.editor.lineNumberBarWidth = app.view.LineNumberBarWidth();
  ArrangeMainWindow();  // visibility of the units and the view check marks

  app.recentFiles.Load(*app.store);
  RefreshRecentFileMenu();

  if (parts.openFirstDocument) parts.openFirstDocument(main);

  OpenKeywordDatabase(main, options.showWarnings);
  return true;
}

void RunTeardown() {
  AppState& app = App();
  const MainWindowParts& parts = Parts();
  if (parts.releaseEditClass) parts.releaseEditClass();
  if (app.store) app.recentFiles.Save(*app.store);
  if (app.keywordDatabaseOpen && parts.closeKeywordDatabase) parts.closeKeywordDatabase();
  app.keywordDatabaseOpen = false;
}

// ---- Messages, by group ----

LRESULT OnLifecycle(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      const auto& options = *static_cast<const MainWindowOptions*>(create->lpCreateParams);
      if (!CreateMainUnits(main)) return -1;
      return RunStartup(main, options) ? 0 : -1;
    }
    case WM_CLOSE:
      // The document part asks about unsaved changes; cancel keeps the program running.
      if (!Parts().queryCloseAll || Parts().queryCloseAll(main)) DestroyWindow(main);
      return 0;
    case WM_DESTROY:
      RunTeardown();
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      // The children are gone now, so their picture may go too. The parts stay
      // until the next window: one of them may be running this very close.
      Units() = {};
      return DefWindowProcA(main, message, wParam, lParam);
    default:
      return DefWindowProcA(main, message, wParam, lParam);
  }
}

// Commands of the main window's own units; everything else is the command part's.
bool OnUnitCommand(WPARAM wParam) {
  const int id = LOWORD(wParam);
  if (id == kIdWorkCloseButton) {
    SetViewElement(kViewWorkFolder, false);
    return true;
  }
  if (id == kIdStatusCloseButton) {
    SetViewElement(kViewStatusFolder, false);
    return true;
  }
  return false;
}

// Menu items, accelerators and toolbar buttons alike reach the registry.
void OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  if (!IsCommandId(id)) return;
  App().commands.Run({id, static_cast<std::uintptr_t>(lParam)});
  if (Parts().afterCommand) Parts().afterCommand();
}

bool OnNotify(NMHDR* header, LRESULT& result) {
  const MainWindowParts& parts = Parts();
  if (parts.toolbarNotify && parts.toolbarNotify(header, result)) return true;
  if (parts.tabStripNotify && parts.tabStripNotify(header, result)) return true;
  for (const auto& handler : parts.featureNotify) {
    if (handler(header, result)) return true;
  }
  return false;
}

LRESULT HandleMessage(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
    case WM_CLOSE:
    case WM_DESTROY:
    case WM_NCDESTROY:
      return OnLifecycle(main, message, wParam, lParam);
    case WM_SIZE:
      ArrangeMainWindow();
      return 0;
    case kSplitterMovedMessage:
      MoveSplitter(static_cast<int>(wParam), static_cast<int>(lParam));
      return 0;
    case WM_SETFOCUS:
      if (Parts().focusEditWindow) Parts().focusEditWindow();
      return 0;
    case WM_COMMAND:
      if (!OnUnitCommand(wParam)) OnCommand(wParam, lParam);
      return 0;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
      break;
    }
    case WM_INITMENU:
      // Also sent before an accelerator acts: a key must not hit a stale grey item.
      RefreshCommandStates();
      return 0;
    case WM_INITMENUPOPUP:
      ShowCommandStates(reinterpret_cast<HMENU>(wParam), nullptr, App().commands);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(main, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // No C++ exception may cross into Windows; a failed creation refuses the window.
  try {
    return HandleMessage(window, message, wParam, lParam);
  } catch (...) {
    if (message == WM_CREATE) return -1;
    return message == WM_NCCREATE ? FALSE : 0;
  }
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterPanelClasses(instance)) return false;
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, kMainWindowClass, &wc)) return true;
  wc = {};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hIcon = LoadIconA(instance, kAppIconResource);
  if (!wc.hIcon) wc.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&wc) != 0;
}

HWND CreateMainWindow(HINSTANCE instance, MainWindowOptions options) {
  ResetApp();
  Units() = {};
  Parts() = std::move(options.parts);
  HMENU menu = Parts().createMenuBar ? Parts().createMenuBar() : nullptr;
  HWND main = CreateWindowExA(0, kMainWindowClass, kBaseCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              kDefaultLeft, kDefaultTop, kDefaultWidth, kDefaultHeight, nullptr, menu, instance,
                              &options);
  if (!main && menu && IsMenu(menu)) DestroyMenu(menu);  // a refused window may have taken it along
  return main;
}

void RefreshCommandStates() {
  if (Units().main) ShowCommandStates(GetMenu(Units().main), Units().toolbar, App().commands);
}

void RefreshRecentFileMenu() {
  if (HMENU recent = FindSubmenu(GetMenu(Units().main), kRecentFileMenuCaption)) {
    RefreshRecentFileMenu(recent, App().recentFiles.Entries());
  }
}

}  // namespace quillet
