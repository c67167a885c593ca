// Program entry: build the process-wide tables, show the main window, run the
// message loop.
#include <windows.h>

#include "language/keyword_table.h"
#include "shell/main_window_win32.h"
#include "shell/menus_win32.h"
#include "shell/panels_win32.h"
#include "tools/skin_win32.h"

namespace {

// The menus, accelerators and toolbar of the main window.
quillet::CommandSurface gCommands;

// The parts of the program that plug into the main window. Still to be wired
// as they are built: the edit-window class (registerEditClass,
// releaseEditClass), the documents (openFirstDocument, queryCloseAll,
// moveEditWindow, focusEditWindow, invalidateEditWindow), the keyword database
// (openKeywordDatabase, closeKeywordDatabase) and the command dispatch
// (onMessage, WM_COMMAND).
quillet::MainWindowOptions ProgramOptions(HINSTANCE instance) {
  quillet::MainWindowOptions options;
  quillet::MainWindowParts& parts = options.parts;
  parts.createMenuBar = [] { return quillet::BuildMenuBar().Release(); };
  parts.createToolbar = [instance](HWND main) { return gCommands.CreateToolbar(main, instance, quillet::kIdToolbar); };
  parts.attachSkin = [] { quillet::AttachSkin(); };
  parts.onMessage = [](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    return message == WM_NOTIFY && gCommands.HandleNotify(reinterpret_cast<NMHDR*>(lParam), result);
  };
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
