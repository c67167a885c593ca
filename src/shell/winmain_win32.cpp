// Program entry: build the process-wide tables, show the main window, run the
// message loop.
#include <windows.h>

#include "language/keyword_table.h"
#include "shell/app_state.h"
#include "shell/documents_win32.h"
#include "shell/main_window_win32.h"
#include "shell/menus_win32.h"
#include "shell/panels_win32.h"
#include "tools/about_box_win32.h"
#include "tools/calculator_win32.h"
#include "tools/skin_win32.h"

namespace {

// The menus, accelerators and toolbar of the main window.
quillet::CommandSurface gCommands;

// The commands of the shell itself: exit, about box, calculator.
bool RunShellCommand(HWND main, int command) {
  switch (command) {
    case quillet::kCmdExit:
      SendMessageA(main, WM_CLOSE, 0, 0);  // the same path as the close box
      return true;
    case quillet::kCmdAbout:
      quillet::ShowAboutBox(main, GetModuleHandleA(nullptr), quillet::App().baseCaption);
      return true;
    case quillet::kCmdCalculator:
      quillet::StartCalculator();
      return true;
    default:
      return false;
  }
}

// The parts of the program that plug into the main window. Still to be wired
// as they are built: the keyword database (openKeywordDatabase,
// closeKeywordDatabase).
quillet::MainWindowOptions ProgramOptions(HINSTANCE instance) {
  quillet::MainWindowOptions options;
  quillet::MainWindowParts& parts = options.parts;
  parts.createMenuBar = [] { return quillet::BuildMenuBar().Release(); };
  parts.createToolbar = [instance](HWND main) {
    return gCommands.CreateToolbar(main, instance, quillet::kIdToolbar);
  };
  parts.attachSkin = [] { quillet::AttachSkin(); };
  parts.onMessage = [](HWND main, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && RunShellCommand(main, LOWORD(wParam))) {
      result = 0;
      return true;
    }
    return message == WM_NOTIFY && gCommands.HandleNotify(reinterpret_cast<NMHDR*>(lParam), result);
  };
  // The documents: edit-window class, first document, close request, the
  // current edit window, the file and edit commands and the tab strip.
  quillet::AddDocumentParts(parts, gCommands);
  return options;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  quillet::Keywords();  // built before any window exists
  if (!quillet::RegisterMainWindowClass(instance)) return 1;
  HWND main = quillet::CreateMainWindow(instance, ProgramOptions(instance));
  if (!main) return 1;
  ShowWindow(main, showCommand);
  UpdateWindow(main);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (gCommands.TranslateAccelerator(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
