// The open documents of the main window: one CodeDocument with its PBCodeEdit
// window per tab of 文件选择夹, and every file command on them (new, open,
// recent files, save, save as, save all, close, print), the edit commands
// that act on the current document, the captions and the status bar.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>

#include "shell/app_handles_win32.h"
#include "shell/documents.h"

namespace quillet {

class CommandSurface;
class CompletionPrompt;
class UserMessages;

// The list behind the tab strip; position k is tab k (1-based).
DocumentList& Documents();
// The current tab's position, 0 when no tab is current.
int CurrentTab();
CodeDocument* CurrentDocument();
// The PBCodeEdit window of the document at position; null when there is none.
HWND EditHandle(int position);
// The tab last right-clicked (the target of the tab pop-up menu), 0 for none.
int ContextTab();

// path empty: a new document of kind; otherwise the file (kind unused),
// or the tab already holding it. The document's tab becomes current.
void OpenDocument(const std::string& path, NewDocumentKind kind);
// Saves to the document's own path, asking for one when it has none. False
// when the user cancelled or the file could not be written (the user was told).
bool SaveDocument(int position);
// Always asks for a path; the document takes it when the file is written.
bool SaveDocumentAs(int position);
void SaveAllDocuments();
// Asks before dropping changes; the last document closes the main window.
void CloseDocument(int position);
// The main window's close request: false keeps the program running.
bool QueryCloseAll();

void UpdateMainTitle(int position);
void UpdateTabCaption(int position);
// Shows the current tab's document and hides the others.
void ActivateCurrentTab();
// Makes tab position current and shows its document.
void SelectTab(int position);

// WM_NOTIFY of the tab strip: tab changes, right-clicks and the full-path
// tooltips. False when the notification is not the strip's.
bool HandleTabStripNotify(const NMHDR* header, LRESULT& result);

// What another part lends the documents: the completion prompt that typing
// drives, the boxes of the core's notices and questions, what follows when a
// document's window is shown because its tab became current, and when the
// current document takes a new name (saved under another path). Cleared when
// the documents start; all must outlive the main window.
struct DocumentServices {
  CompletionPrompt* completion = nullptr;
  UserMessages* messages = nullptr;
  std::function<void(CodeDocument&)> documentShown;
  std::function<void(CodeDocument&)> currentRenamed;
};
void SetDocumentServices(DocumentServices services);

// Plugs the documents into the main window: the edit-window class and its
// teardown, the first document, the close request, the current edit window's
// place and focus, the tab strip's notifications, and at start-up the file,
// edit and print commands (App().commands) with the listeners of the change
// notification (status bar, command states, captions). commands (the menu
// bar's surface: pop-up menus) must outlive the window.
void AddDocumentParts(MainWindowParts& parts, const CommandSurface& commands);

}  // namespace quillet
