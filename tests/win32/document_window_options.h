// The main window as the tests of documents, search and compiling build it:
// the menus, the toolbar of commands, the documents, no warning boxes, and
// settings under the test's own registry root.
#pragma once

#include <windows.h>

#include "shell/documents_win32.h"
#include "shell/main_window_win32.h"
#include "shell/menus_win32.h"
#include "shell/panels_win32.h"

namespace quillet {

inline MainWindowOptions DocumentWindowOptions(CommandSurface& commands, const char* registryRoot) {
  MainWindowOptions options;
  options.registryRoot = registryRoot;
  options.showWarnings = false;
  options.parts.createMenuBar = [] { return BuildMenuBar().Release(); };
  options.parts.createToolbar = [&commands](HWND main) {
    return commands.CreateToolbar(main, GetModuleHandleA(nullptr), kIdToolbar);
  };
  AddDocumentParts(options.parts, commands);
  return options;
}

}  // namespace quillet
