#include "app/search_feature_win32.h"

#include <commctrl.h>

#include <memory>

#include "dialogs/find_dialogs_win32.h"
#include "dialogs/input_box_win32.h"
#include "editor/completion.h"
#include "editor/completion_list_win32.h"
#include "editor/procedure_list.h"
#include "editor/procedure_tree_win32.h"
#include "editor/search.h"
#include "language/keyword_table.h"
#include "platform/message_boxes_win32.h"
#include "shell/app_state.h"
#include "shell/documents_win32.h"

namespace quillet {
namespace {

constexpr char kGoToLineCaption[] = "到指定行";

// What lives as long as the main window: the controls' views and the prompt.
struct SearchWindowState {
  explicit SearchWindowState(HWND main)
      : boxes(main, App().baseCaption),
        list(Units().completionList),
        prompt(list, Keywords()),
        tree(Units().procedureTree) {}
  MessageBoxes boxes;
  CompletionListWin32 list;
  CompletionPrompt prompt;
  ProcedureTreeWin32 tree;
};

std::unique_ptr<SearchWindowState> gState;
FindHistory gHistory;  // the whole run's: it outlives the dialogs

bool HasDocument() { return CurrentDocument() != nullptr; }

void FocusCurrentEditWindow() {
  if (HWND edit = EditHandle(CurrentTab())) SetFocus(edit);
}

// ---- Procedure list ----

void RefreshCurrentProcedures() {
  if (const CodeDocument* document = CurrentDocument(); document && gState) {
    RefreshProcedureList(*document, gState->tree);
  }
}

void JumpToSelected() {
  CodeDocument* document = CurrentDocument();
  if (!document || !gState) return;
  const ProcedureItem item = SelectedProcedureItem(Units().procedureTree);
  if (!CanJumpToProcedure(item.index)) return;
  JumpToSelectedProcedure(*document, item.index, item.name, gState->tree, gState->boxes);
  document->FinishChange();
  FocusCurrentEditWindow();
}

bool OnProcedureTreeNotify(const CommandSurface& surface, NMHDR* header, LRESULT& result) {
  HWND tree = Units().procedureTree;
  if (!tree || header->hwndFrom != tree) return false;
  const DWORD at = GetMessagePos();
  const POINT screen{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
  switch (header->code) {
    case NM_DBLCLK:
      if (!CanJumpToProcedure(SelectProcedureItemAt(tree, screen).index)) return false;  // the root folds as usual
      JumpToSelected();
      result = 1;
      return true;
    case NM_RCLICK:
      SelectProcedureItemAt(tree, screen);
      // 跳转到(&G) follows the selection through the registry when the menu opens.
      surface.ShowPopup(PopupMenuKind::kProcedureList, screen);
      result = 1;
      return true;
    default:
      return false;
  }
}

// ---- Completion list ----

// The list never has the focus, where a tree shows its selection faintly:
// the candidate that Space takes is drawn as if it had.
LRESULT DrawCompletionItem(NMTVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && (draw.nmcd.uItemState & CDIS_SELECTED)) {
    draw.clrText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    draw.clrTextBk = GetSysColor(COLOR_HIGHLIGHT);
  }
  return CDRF_DODEFAULT;
}

bool OnCompletionListNotify(NMHDR* header, LRESULT& result) {
  HWND list = Units().completionList;
  if (!list || header->hwndFrom != list) return false;
  if (header->code == NM_CUSTOMDRAW) {
    result = DrawCompletionItem(*reinterpret_cast<NMTVCUSTOMDRAW*>(header));
    return true;
  }
  if (header->code != NM_CLICK) return false;
  CodeDocument* document = CurrentDocument();
  if (document && gState) {
    gState->prompt.AcceptItem(*document, SelectedCompletionItem(list));
    document->FinishChange();
  }
  result = 1;
  return true;
}

// ---- Commands ----

template <typename Action>
void OnCurrent(Action action) {
  if (CodeDocument* document = CurrentDocument(); document && gState) action(*document, *gState);
}

void GoToLine(HWND main) {
  OnCurrent([main](CodeDocument& document, SearchWindowState& state) {
    const std::optional<std::string> text = AskText(main, kGoToLineCaption, kGoToLinePrompt);
    GoToLineCommand(document, text ? ParseLineNumber(*text) : std::nullopt, state.boxes);
  });
}

void StartSearchFeature(HWND main) {
  gState = std::make_unique<SearchWindowState>(main);
  // The tree's root carries the document's name, so a new name rebuilds it too.
  const auto showProcedures = [](CodeDocument& document) {
    if (gState) RefreshProcedureList(document, gState->tree);
  };
  SetDocumentServices({&gState->prompt, &gState->boxes, showProcedures, showProcedures});
  RefreshCurrentProcedures();

  CommandRegistry& commands = App().commands;
  commands.Register(kCmdFind, [main](const CommandCall&) {
    OnCurrent([main](CodeDocument& d, SearchWindowState& s) { ShowFindDialog(main, d, gHistory, s.boxes); });
  }, HasDocument);
  commands.Register(kCmdReplace, [main](const CommandCall&) {
    OnCurrent([main](CodeDocument& d, SearchWindowState& s) { ShowReplaceDialog(main, d, s.boxes); });
  }, HasDocument);
  commands.Register(kCmdFindNext, [](const CommandCall&) {
    if (CodeDocument* document = CurrentDocument()) FindNext(*document);
  }, HasDocument);
  commands.Register(kCmdFindPrevious, [](const CommandCall&) {
    if (CodeDocument* document = CurrentDocument()) FindPrevious(*document);
  }, HasDocument);
  commands.Register(kCmdGoToLine, [main](const CommandCall&) { GoToLine(main); }, HasDocument);
  commands.Register(kCmdProcedureJump, [](const CommandCall&) { JumpToSelected(); }, [] {
    return HasDocument() && CanJumpToProcedure(SelectedProcedureItem(Units().procedureTree).index);
  });
  commands.Register(kCmdProcedureRefresh, [](const CommandCall&) { RefreshCurrentProcedures(); }, HasDocument);
}

}  // namespace

void AddSearchFeatureParts(MainWindowParts& parts, const CommandSurface& commands) {
  const CommandSurface* surface = &commands;
  parts.startFeatures.push_back(StartSearchFeature);
  parts.featureNotify.push_back(
      [surface](NMHDR* header, LRESULT& result) { return OnProcedureTreeNotify(*surface, header, result); });
  parts.featureNotify.push_back(OnCompletionListNotify);
}

CompletionPrompt* SearchFeaturePrompt() { return gState ? &gState->prompt : nullptr; }
FindHistory& SearchFeatureHistory() { return gHistory; }

}  // namespace quillet
