#include "app/features_win32.h"

#include <commctrl.h>

#include <string>

#include "build/build_win32.h"
#include "dialogs/config_dialog_win32.h"
#include "platform/win32_file_system_win32.h"
#include "reference/catalogue.h"
#include "reference/catalogue_win32.h"
#include "reference/keyword_database.h"
#include "shell/app_state.h"
#include "shell/documents_win32.h"
#include "shell/registry_store_win32.h"

namespace quillet {
namespace {

bool HasDocument() { return CurrentDocument() != nullptr; }

const KeywordDatabase* OpenDatabase() { return App().keywordDatabaseOpen ? &App().keywordDatabase : nullptr; }

void FocusCurrentEditWindow() {
  if (HWND edit = EditHandle(CurrentTab())) SetFocus(edit);
}

void SetHelpText(const std::string& text) {
  if (Units().helpText) SetWindowTextA(Units().helpText, text.c_str());
}

// ---- Compile and run ----

void StartBuildFeature(HWND) {
  CommandRegistry& commands = App().commands;
  commands.Register(kCmdCompile, [](const CommandCall&) { CompileDocument(CurrentTab()); }, HasDocument);
  commands.Register(kCmdCompileAndRun, [](const CommandCall&) { CompileAndRun(); }, HasDocument);
  commands.Register(kCmdRun, [](const CommandCall&) { RunProgram(); }, HasDocument);
}

// ---- Configuration ----

void StartConfigurationFeature(HWND main) {
  App().commands.Register(kCmdConfigure, [main](const CommandCall&) { ShowConfigurationDialog(main); });
}

// ---- Keyword tree and instant help ----

// Inserts the selected entry's template into the current document; the tree's
// double-click and 输出到编辑器 reach only entries.
void OutputSelectedEntry() {
  HWND tree = Units().libraryTree;
  CodeDocument* document = CurrentDocument();
  if (!tree || !document || SelectedCatalogueItem(tree).level != CatalogueLevel::Entry) return;
  InsertSelectedTemplate(tree, *document);
  document->FinishChange();
  FocusCurrentEditWindow();
}

POINT MessageScreenPoint() {
  const DWORD at = GetMessagePos();
  return {static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
}

bool OnLibraryTreeNotify(const CommandSurface& surface, NMHDR* header, LRESULT& result) {
  HWND tree = Units().libraryTree;
  if (!tree || header->hwndFrom != tree) return false;
  switch (header->code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
      ShowCatalogueHelp(tree, Units().helpText, OpenDatabase());
      break;
    case NM_DBLCLK:
      // On a category or the root the tree folds or unfolds it as usual.
      if (CatalogueItemAt(tree, MessageScreenPoint()).level != CatalogueLevel::Entry) return false;
      OutputSelectedEntry();
      result = 1;
      return true;
    case NM_RCLICK: {
      const POINT screen = MessageScreenPoint();
      const CatalogueItem item = CatalogueItemAt(tree, screen);
      if (item.level == CatalogueLevel::Entry) {
        SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item.item));
        surface.ShowPopup(PopupMenuKind::kKeywordTree, screen);
      }
      result = 1;
      return true;
    }
    default:
      return false;
  }
  result = 0;
  return true;
}

void StartReferenceFeature(HWND) {
  FillCatalogueTree(Units().libraryTree);
  CommandRegistry& commands = App().commands;
  commands.Register(kCmdKeywordOutput, [](const CommandCall&) { OutputSelectedEntry(); }, HasDocument);
  commands.Register(kCmdInstantHelp, [](const CommandCall&) {
    if (CodeDocument* document = CurrentDocument()) ShowInstantHelp(*document, Units().helpText, OpenDatabase());
  });
}

bool OpenDatabaseBesideTheProgram() {
  Win32FileSystem files;
  std::string fault;
  const std::string path = ProgramFolder() + "\\" + kKeywordDatabaseFileName;
  if (OpenKeywordDatabase(App().keywordDatabase, files, path, fault)) return true;
  // The warning box says that it failed; the help box says where.
  SetHelpText(fault);
  return false;
}

}  // namespace

void AddFeatureParts(MainWindowParts& parts, const CommandSurface& commands) {
  const CommandSurface* surface = &commands;
  parts.startFeatures.push_back(StartBuildFeature);
  parts.startFeatures.push_back(StartConfigurationFeature);
  parts.startFeatures.push_back(StartReferenceFeature);
  parts.featureNotify.push_back(
      [surface](NMHDR* header, LRESULT& result) { return OnLibraryTreeNotify(*surface, header, result); });
  parts.openKeywordDatabase = OpenDatabaseBesideTheProgram;
  parts.closeKeywordDatabase = [] { App().keywordDatabase.Clear(); };
}

}  // namespace quillet
