// Program entry: build the process-wide tables, show the main window, run the
// message loop.
#include <windows.h>

#include "app/features_win32.h"
#include "app/search_feature_win32.h"
#include "language/keyword_table.h"
#include "shell/app_state.h"
#include "shell/command_registry.h"
#include "shell/documents_win32.h"
#include "shell/main_window_win32.h"
#include "shell/menus_win32.h"
#include "shell/modeless_dialogs_win32.h"
#include "shell/panels_win32.h"
#include "tools/about_box_win32.h"
#include "tools/calculator_win32.h"
#include "tools/skin_win32.h"

#ifdef QUILLET_LATENCY_PROBE
#include "latency/latency_probe_win32.h"
#endif

namespace {

// The menus, accelerators and toolbar of the main window.
quillet::CommandSurface gCommands;

// The commands of the shell itself: exit, about box, calculator.
void RegisterShellCommands(HWND main) {
  quillet::CommandRegistry& commands = quillet::App().commands;
  // Exit takes the same path as the close box.
  commands.Register(quillet::kCmdExit, [main](const quillet::CommandCall&) { SendMessageA(main, WM_CLOSE, 0, 0); });
  commands.Register(quillet::kCmdAbout, [main](const quillet::CommandCall&) {
    quillet::ShowAboutBox(main, GetModuleHandleA(nullptr), quillet::App().baseCaption);
  });
  commands.Register(quillet::kCmdCalculator, [](const quillet::CommandCall&) { quillet::StartCalculator(); });
}

// The parts of the program that plug into the main window.
quillet::MainWindowOptions ProgramOptions(HINSTANCE instance) {
  quillet::MainWindowOptions options;
  quillet::MainWindowParts& parts = options.parts;
  parts.createMenuBar = [] { return quillet::BuildMenuBar().Release(); };
  parts.createToolbar = [instance](HWND main) {
    return gCommands.CreateToolbar(main, instance, quillet::kIdToolbar);
  };
  parts.attachSkin = [] { quillet::AttachSkin(); };
  parts.toolbarNotify = [](NMHDR* header, LRESULT& result) { return gCommands.HandleNotify(header, result); };
  // The documents: edit-window class, first document, close request, the
  // current edit window, the file and edit commands and the tab strip.
  quillet::AddDocumentParts(parts, gCommands);
  // Each feature registers its commands (and change listeners) at start-up.
  parts.startFeatures.push_back(RegisterShellCommands);
  quillet::AddFeatureParts(parts, gCommands);
  quillet::AddSearchFeatureParts(parts, gCommands);
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
#ifdef QUILLET_LATENCY_PROBE
  quillet::StartLatencyProbe(main);  // the timing build only (bench/latency)
#endif
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (gCommands.TranslateAccelerator(msg)) continue;
    if (quillet::HandleModelessDialogMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
