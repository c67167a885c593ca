#include "shell/documents_win32.h"

#include <algorithm>
#include <utility>

#include "common/images_win32.h"
#include "common/path_text.h"
#include "common/resources.h"
#include "editor/completion.h"
#include "editor/edit_window_win32.h"
#include "platform/editor_host.h"
#include "platform/win32_clipboard_win32.h"
#include "platform/message_boxes_win32.h"
#include "platform/win32_file_system_win32.h"
#include "shell/app_state.h"
#include "shell/file_dialog_win32.h"
#include "shell/main_window_win32.h"
#include "shell/menus_win32.h"
#include "shell/panels_win32.h"
#include "shell/printing_win32.h"
#include "shell/save_changes_dialog_win32.h"

namespace quillet {
namespace {

// A document's PBCodeEdit window as the list sees it.
class ListedEditWindow final : public DocumentWindow {
 public:
  explicit ListedEditWindow(CodeDocument& document) : edit(document) {}
  void Move(const Rect& a) override { edit.MoveEditWindow(a.left, a.top, a.width, a.height); }
  void Hide() override { edit.HideEditWindow(); }
  void Show() override { edit.ShowEditWindow(); }
  // A hidden main window (the program starting) gives its editing window the
  // focus when it is shown and activated; focusing earlier activated the
  // hidden window once more for nothing, milliseconds of every start.
  void Focus() override {
    if (IsWindowVisible(Units().main)) edit.FocusEditWindow();
  }
  void Close() override { edit.CloseEditWindow(); }
  EditWindow edit;
};

const EditWindow& EditOf(const DocumentWindow& window) {
  return static_cast<const ListedEditWindow&>(window).edit;
}

// What the editing windows report to the main window, and how they find
// their document.
class DocumentShell final : public EditorHost, public EditWindowShell {
 public:
  void DocumentChanged(CodeDocument& document) override { App().documentChanged.Raise(document); }

  // Typing drives the prompt that the services lend, if any.
  void HideCompletion() override {
    if (prompt) prompt->HideCompletion();
  }
  bool CompletionListVisible() override { return prompt && prompt->IsVisible(); }
  bool CompletionInProgress() override { return prompt && prompt->IsActive(); }
  void AcceptCompletion(CodeDocument& doc) override {
    if (prompt) prompt->AcceptCompletion(doc);
  }
  void DropLastPrefixChar() override {
    if (prompt) prompt->DropLastPrefixChar();
  }
  bool AccumulatePrefix(int code) override { return prompt && prompt->AccumulatePrefix(code); }
  void ShowCompletion(CodeDocument& doc) override {
    if (prompt) prompt->ShowCompletion(doc);
  }

  EditWindow* FindOwner(HWND window) override;
  void ShowEditMenu(EditWindow&, POINT screen) override;
  void EditWindowShown(EditWindow& window) override {
    if (documentShown) documentShown(window.Document());
  }

  const CommandSurface* commands = nullptr;
  CompletionPrompt* prompt = nullptr;
  std::function<void(CodeDocument&)> documentShown;
};

struct DocumentsState {
  Win32FileSystem files;
  Win32Clipboard clipboard;
  DocumentShell shell;
  EditorContext context;
  ImageListHandle tabIcons;
  int contextTab = 0;
  std::function<void(CodeDocument&)> currentRenamed;
  DocumentList list;  // last: its windows go before the shell they report to
};

DocumentsState& State() {
  static DocumentsState state;
  return state;
}

HWND MainWindow() { return Units().main; }
HWND TabStrip() { return Units().tabStrip; }
HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

int PositionOf(const CodeDocument& document) {
  return State().list.PositionOfWindow(
      [&document](const DocumentWindow& w) { return &EditOf(w).Document() == &document; });
}

// ---- The user's answers ----

class UserQuestions final : public CloseQuestions {
 public:
  YesNoCancel AskBeforeClose(const std::string& question) override {
    return AskYesNoCancel(MainWindow(), question, kModifiedCaption);
  }
  int AskSaveChanges(const std::string& question) override {
    return ShowSaveChangesDialog(MainWindow(), Instance(), question);
  }
  bool Save(int position) override { return SaveDocument(position); }
};

// ---- Tabs ----

std::string TabText(int position) {
  char text[512] = {};
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(TabStrip(), TCM_GETITEMA, position - 1, reinterpret_cast<LPARAM>(&item));
  return text;
}

void SetTab(int position, const std::string& caption, int icon, bool insert) {
  TCITEMA item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = const_cast<char*>(caption.c_str());
  item.iImage = icon;
  SendMessageA(TabStrip(), insert ? TCM_INSERTITEMA : TCM_SETITEMA, position - 1,
               reinterpret_cast<LPARAM>(&item));
  // A shorter caption narrows the tab; the strip does not repaint what the
  // wider one covered, which kept a stale "*" beside it.
  if (!insert) InvalidateRect(TabStrip(), nullptr, TRUE);
}

// Takes a document, its window and its tab away; the tab that takes its
// place follows it as current.
void RemoveDocument(int position) {
  DocumentList& list = Documents();
  const int current = CurrentTab();
  // The prompt must not stay attached to a window that goes.
  if (CompletionPrompt* prompt = State().shell.prompt) prompt->Forget(list.Document(position));
  list.Window(position)->Close();
  list.Remove(position);
  SendMessageA(TabStrip(), TCM_DELETEITEM, position - 1, 0);
  State().contextTab = 0;
  const int next = current > position ? current - 1 : std::min(current, list.Count());
  SelectTab(next);
}

// ---- Saving ----

bool WriteDocument(int position, const std::string& newPath, const std::string& target) {
  CodeDocument& document = Documents().Document(position);
  if (Documents().HeldElsewhere(newPath, position)) {
    MessageBoxA(MainWindow(), kHeldElsewhereText, App().baseCaption.c_str(), MB_ICONASTERISK);
    return false;
  }
  if (!document.SaveFile(newPath)) {
    MessageBoxA(MainWindow(), SaveFailedText(target).c_str(), kSaveErrorCaption, MB_ICONHAND);
    return false;
  }
  // A new path brings a new name and kind, with the kind's icon and colours.
  UpdateTabCaption(position);
  if (position == CurrentTab()) {
    UpdateMainTitle(position);
    if (!newPath.empty() && State().currentRenamed) State().currentRenamed(document);
  }
  document.Invalidate();
  return true;
}

void SaveIfModified(int position) {
  if (Documents().Contains(position) && Documents().Document(position).IsModified()) SaveDocument(position);
}

// ---- Start and end ----

void RegisterDocumentCommands(CommandRegistry& commands);
void ListenToDocumentChanges(ChangeListeners& listeners);

void StartDocuments(const CommandSurface* commands) {
  DocumentsState& s = State();
  s.context = EditorContext(App().editor, s.files);
  s.context.clipboard = &s.clipboard;
  s.context.host = &s.shell;
  s.shell.commands = commands;
  s.shell.prompt = nullptr;  // until a part lends one
  s.shell.documentShown = nullptr;
  s.currentRenamed = nullptr;
  s.contextTab = 0;
  s.tabIcons = LoadImageStrip(Instance(), kTabIconsResource, 16);
  SendMessageA(TabStrip(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(s.tabIcons.Get()));
  SetEditWindowShell(&s.shell);
  RegisterDocumentCommands(App().commands);
  ListenToDocumentChanges(App().documentChanged);
}

// The main window is going: every editing window must be gone before the
// class is unregistered.
void EndDocuments() {
  DocumentsState& s = State();
  while (s.list.Count() > 0) s.list.Remove(s.list.Count());
  if (TabStrip()) {
    SendMessageA(TabStrip(), TCM_DELETEALLITEMS, 0, 0);
    SendMessageA(TabStrip(), TCM_SETIMAGELIST, 0, 0);
  }
  s.tabIcons.Reset();
  s.contextTab = 0;
  SetDocumentServices({});
  SetEditWindowShell(nullptr);
}

// The commands that make a new document, and its kind.
constexpr std::pair<CommandId, NewDocumentKind> kNewCommands[] = {
    {kCmdNew, kNewExeProgram}, {kCmdNewExe, kNewExeProgram}, {kCmdNewDll, kNewDllProgram},
    {kCmdNewRc, kNewRcScript}, {kCmdNewText, kNewPlainText},
};

// The edit commands and the operation each runs on the current document.
constexpr std::pair<int, void (CodeDocument::*)()> kEditCommands[] = {
    {kCmdCut, &CodeDocument::Cut},
    {kCmdCopy, &CodeDocument::Copy},
    {kCmdPaste, &CodeDocument::Paste},
    {kCmdDelete, &CodeDocument::Delete},
    {kCmdUndo, &CodeDocument::Undo},
    {kCmdRedo, &CodeDocument::Redo},
    {kCmdSelectAll, &CodeDocument::SelectAll},
};

// When an edit command can act on the current document; none: whenever there is one.
bool EditCommandEnabled(int command) {
  const CodeDocument* document = CurrentDocument();
  if (!document) return false;
  // Each asks only its own question: the clipboard is another process's, and
  // asking it for every edit command cost a keystroke milliseconds.
  switch (command) {
    case kCmdCut:
    case kCmdCopy: return document->HasSelection();
    case kCmdPaste: return document->ClipboardHasText();
    case kCmdUndo: return document->CanUndo();
    case kCmdRedo: return document->CanRedo();
    default: return true;
  }
}

void OpenRecentFile(int k) {
  const std::vector<std::string>& entries = App().recentFiles.Entries();
  if (k < 1 || k > static_cast<int>(entries.size())) return;
  const std::string path = entries[k - 1];  // a copy: opening reorders the list
  if (!State().list.FindFile(path) && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
      App().recentFiles.Remove(path);
      RefreshRecentFileMenu();
      MessageBoxA(MainWindow(), RecentGoneText(path).c_str(), kRecentFileMenuCaption, MB_ICONINFORMATION);
      return;
    }
  }
  OpenDocument(path, kNewPlainText);
}

// The full path a tab's tooltip shows (none for a document without one). The
// text must outlive the notification.
void FillTooltip(NMHDR* header) {
  static std::string text;
  static std::wstring wide;
  const int position = static_cast<int>(header->idFrom) + 1;
  text = Documents().Contains(position) ? Documents().Document(position).filePath : std::string();
  if (header->code == TTN_GETDISPINFOA) {
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
    info->lpszText = text.data();
    info->hinst = nullptr;
    return;
  }
  wide.assign(text.size() + 1, L'\0');
  const int units = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                        static_cast<int>(wide.size()));
  wide.resize(std::max(units, 0));
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
  info->lpszText = wide.data();
  info->hinst = nullptr;
}

// ---- Listeners of the change notification ----

// Panels 1..3: the line count, the caret's line (1-based) and its column as stored (0-based).
void ShowStatus(const CodeDocument& document) {
  HWND bar = Units().statusBar;
  if (!bar) return;
  const StatusTexts texts = StatusPanelTexts(document.lineCount, document.caret);
  for (int panel = 1; panel <= 3; ++panel) {
    char shown[64] = {};
    if (LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, panel, 0)) < sizeof shown) {
      SendMessageA(bar, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(shown));
    }
    if (texts[panel - 1] != shown) {
      SendMessageA(bar, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(texts[panel - 1].c_str()));
    }
  }
}

void ShowCaptions(const CodeDocument& document) {
  const int position = PositionOf(document);
  if (position == 0) return;
  UpdateTabCaption(position);
  if (position == CurrentTab()) UpdateMainTitle(position);
}

// The status bar and the commands follow the shown document; every tab keeps its own caption.
void ListenToDocumentChanges(ChangeListeners& listeners) {
  listeners.Listen([](CodeDocument& document) {
    if (&document == CurrentDocument()) ShowStatus(document);
  });
  listeners.Listen([](CodeDocument& document) {
    if (&document == CurrentDocument()) RefreshCommandStates();
  });
  listeners.Listen(ShowCaptions);
}

// ---- Commands ----

void SaveAllFromCommand(const CommandCall&) { SaveAllDocuments(); }

void RegisterDocumentCommands(CommandRegistry& commands) {
  for (const auto& [id, kind] : kNewCommands) {
    commands.Register(id, [kind = kind](const CommandCall&) { OpenDocument("", kind); });
  }
  commands.Register(kCmdOpen, [](const CommandCall&) {
    if (const std::string path = AskOpenPath(MainWindow()); !path.empty()) OpenDocument(path, kNewPlainText);
  });
  commands.Register(kCmdClose, [](const CommandCall&) { CloseDocument(CurrentTab()); });
  commands.Register(kCmdSave, [](const CommandCall&) { SaveIfModified(CurrentTab()); });
  commands.Register(kCmdSaveAs, [](const CommandCall&) { SaveDocumentAs(CurrentTab()); });
  commands.Register(kCmdSaveAll, SaveAllFromCommand);
  commands.Register(kCmdTabSaveAll, SaveAllFromCommand);
  // The tab pop-up menu acts on the tab that was right-clicked.
  commands.Register(kCmdTabClose, [](const CommandCall&) { CloseDocument(ContextTab()); });
  commands.Register(kCmdTabSave, [](const CommandCall&) { SaveIfModified(ContextTab()); });
  commands.Register(kCmdTabSaveAs, [](const CommandCall&) { SaveDocumentAs(ContextTab()); });
  for (int k = 1; k <= kRecentFileItemCount; ++k) {
    commands.Register(RecentFileCommand(k), [](const CommandCall& call) { OpenRecentFile(RecentFileIndex(call.id)); });
  }
  commands.Register(kCmdPrint, [](const CommandCall&) {
    if (const CodeDocument* document = CurrentDocument()) PrintDocument(MainWindow(), *document);
  });
  for (const auto& [id, operation] : kEditCommands) {
    commands.Register(
        id,
        [operation = operation](const CommandCall&) {
          if (CodeDocument* document = CurrentDocument()) (document->*operation)();
        },
        [id = id] { return EditCommandEnabled(id); });
  }
}

}  // namespace

// ---- DocumentShell ----

EditWindow* DocumentShell::FindOwner(HWND window) {
  DocumentList& list = State().list;
  const int position =
      list.PositionOfWindow([window](const DocumentWindow& w) { return EditOf(w).OwnsWindow(window); });
  return position ? &static_cast<ListedEditWindow*>(list.Window(position))->edit : nullptr;
}

void DocumentShell::ShowEditMenu(EditWindow&, POINT screen) {
  ShowPopupMenu(MainWindow(), FindSubmenu(GetMenu(MainWindow()), "编辑(&E)"), screen);
}


void SetDocumentServices(DocumentServices services) {
  DocumentsState& s = State();
  s.shell.prompt = services.completion;
  s.shell.documentShown = std::move(services.documentShown);
  s.currentRenamed = std::move(services.currentRenamed);
  s.context.messages = services.messages;
}

// ---- The list and its tabs ----

DocumentList& Documents() { return State().list; }

int CurrentTab() {
  if (!TabStrip()) return 0;
  const int position = static_cast<int>(SendMessageA(TabStrip(), TCM_GETCURSEL, 0, 0)) + 1;
  return Documents().Contains(position) ? position : 0;
}

CodeDocument* CurrentDocument() {
  const int current = CurrentTab();
  return current ? &Documents().Document(current) : nullptr;
}

HWND EditHandle(int position) {
  return Documents().Contains(position) ? EditOf(*Documents().Window(position)).Handle() : nullptr;
}

int ContextTab() { return Documents().Contains(State().contextTab) ? State().contextTab : 0; }

void OpenDocument(const std::string& path, NewDocumentKind kind) {
  DocumentsState& s = State();
  auto document = std::make_unique<CodeDocument>(s.context);
  std::string name;
  if (path.empty()) {
    name = NextUntitledName(App().untitledCounter, kind);
  } else {
    if (const int open = s.list.FindFile(path)) {
      SelectTab(open);
      return;
    }
    name = FileNamePart(path);
  }
  auto window = std::make_unique<ListedEditWindow>(*document);
  const Rect& area = App().editingArea;
  if (!window->edit.CreateEditWindow(MainWindow(), area.left, area.top, area.width, area.height)) {
    MessageBoxA(MainWindow(), kCreateFailedText, kSystemErrorCaption, MB_ICONHAND);
    return;
  }
  CodeDocument& added = *document;
  added.SetDisplayName(name);
  const int position = s.list.Append({std::move(document), std::move(window)});
  SetTab(position, name, TabIcon(added), true);
  if (!path.empty()) {
    SourceKind loaded = SourceKind::Other;
    if (!added.LoadFile(path, loaded)) {
      MessageBoxA(MainWindow(), LoadFailedText(path).c_str(), kSystemErrorCaption, MB_ICONHAND);
      // An empty tab under the file's name would look like the file emptied.
      RemoveDocument(position);
      return;
    }
    // Only a file that opened belongs in the recent list.
    if (App().recentFiles.Add(path)) RefreshRecentFileMenu();
  } else {
    added.ApplyTemplate(static_cast<TemplateKind>(kind));  // kind 0 has no template
  }
  SetTab(position, name, TabIcon(added), false);
  SelectTab(position);
}

bool SaveDocument(int position) {
  if (!Documents().Contains(position)) return false;
  const CodeDocument& document = Documents().Document(position);
  if (!document.IsUntitled()) return WriteDocument(position, "", document.filePath);
  const std::string target = AskSavePath(MainWindow(), document.GetDisplayName());
  return !target.empty() && WriteDocument(position, target, target);
}

bool SaveDocumentAs(int position) {
  if (!Documents().Contains(position)) return false;
  const std::string target = AskSavePath(MainWindow(), Documents().Document(position).GetDisplayName());
  return !target.empty() && WriteDocument(position, target, target);
}

void SaveAllDocuments() { SaveAllModified(Documents(), SaveDocument); }

void CloseDocument(int position) {
  UserQuestions questions;
  switch (DecideCloseDocument(Documents(), position, questions)) {
    case CloseOutcome::kKeep:
      return;
    case CloseOutcome::kCloseProgram:
      SendMessageA(MainWindow(), WM_CLOSE, 0, 0);
      return;
    case CloseOutcome::kRemove:
      RemoveDocument(position);
      return;
  }
}

bool QueryCloseAll() {
  UserQuestions questions;
  return DecideCloseAll(Documents(), questions);
}

void UpdateMainTitle(int position) {
  if (!Documents().Contains(position) || !MainWindow()) return;
  const std::string title = MainTitle(App().baseCaption, Documents().Document(position));
  char shown[1024] = {};
  GetWindowTextA(MainWindow(), shown, sizeof shown);
  if (title != shown) SetWindowTextA(MainWindow(), title.c_str());
}

void UpdateTabCaption(int position) {
  if (!Documents().Contains(position) || !TabStrip()) return;
  const CodeDocument& document = Documents().Document(position);
  const std::string caption = TabCaption(document);
  if (caption != TabText(position)) SetTab(position, caption, TabIcon(document), false);
}

void ActivateCurrentTab() {
  const int current = CurrentTab();
  ArrangeMainWindow();  // puts the current window on the editing area
  Documents().ShowOnly(current);
  if (current == 0) return;
  // Another document is shown: the status bar, the commands and the captions follow it.
  Documents().Document(current).NotifyChanged();
}

void SelectTab(int position) {
  if (TabStrip()) SendMessageA(TabStrip(), TCM_SETCURSEL, position - 1, 0);
  ActivateCurrentTab();
}

// ---- Commands and notifications ----

bool HandleTabStripNotify(const NMHDR* header, LRESULT& result) {
  HWND strip = TabStrip();
  if (!header || !strip) return false;
  if (header->hwndFrom == strip && header->code == TCN_SELCHANGE) {
    ActivateCurrentTab();
    result = 0;
    return true;
  }
  if (header->hwndFrom == strip && header->code == NM_RCLICK) {
    const DWORD at = GetMessagePos();
    TCHITTESTINFO hit{{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))}, 0};
    const POINT screen = hit.pt;
    ScreenToClient(strip, &hit.pt);
    const int index = static_cast<int>(SendMessageA(strip, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (index >= 0 && Documents().Contains(index + 1)) {
      State().contextTab = index + 1;
      if (const CommandSurface* commands = State().shell.commands)
        commands->ShowPopup(PopupMenuKind::kTab, screen);
    }
    result = 1;
    return true;
  }
  const HWND tooltips = reinterpret_cast<HWND>(SendMessageA(strip, TCM_GETTOOLTIPS, 0, 0));
  if (!tooltips || header->hwndFrom != tooltips) return false;
  if (header->code != TTN_GETDISPINFOA && header->code != TTN_GETDISPINFOW) return false;
  FillTooltip(const_cast<NMHDR*>(header));
  result = 0;
  return true;
}

void AddDocumentParts(MainWindowParts& parts, const CommandSurface& commands) {
  const CommandSurface* surface = &commands;
  parts.registerEditClass = [surface](HINSTANCE) {
    StartDocuments(surface);
    // Without the class no document can be shown: the main window is refused
    // and the program ends through its usual teardown.
    return EditObjects().registered || RegisterEditClass(App().editor);
  };
  parts.releaseEditClass = [] {
    EndDocuments();
    ReleaseEditClass();
  };
  parts.openFirstDocument = [](HWND) { OpenDocument("", kNewExeProgram); };
  parts.queryCloseAll = [](HWND) { return QueryCloseAll(); };
  parts.moveEditWindow = [](const Rect& area) {
    if (const int current = CurrentTab()) Documents().Window(current)->Move(area);
  };
  parts.focusEditWindow = [] {
    if (const int current = CurrentTab()) Documents().Window(current)->Focus();
  };
  parts.invalidateEditWindow = [] {
    if (CodeDocument* document = CurrentDocument()) document->Invalidate();
  };
  parts.afterCommand = [] {
    DocumentList& list = Documents();
    for (int k = 1; k <= list.Count(); ++k) list.Document(k).FinishChange();
  };
  parts.tabStripNotify = [](NMHDR* header, LRESULT& result) { return HandleTabStripNotify(header, result); };
}

}  // namespace quillet
