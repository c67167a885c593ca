#include "build/build_win32.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "build/compile.h"
#include "common/owned_handle_win32.h"
#include "platform/message_boxes_win32.h"
#include "platform/win32_file_system_win32.h"
#include "shell/app_handles_win32.h"
#include "shell/app_state.h"
#include "shell/documents_win32.h"

namespace quillet {
namespace {

using KernelHandle = OwnedHandle<HANDLE, CloseHandle>;

// Paints and timers only: keys, clicks and commands stay queued until the
// compiler has ended, so none of them can start a second compile or close the
// document meanwhile. Sent messages are taken by every PeekMessage call. The
// bounds keep a window that never validates from holding us here.
void DispatchPaintAndTimers() {
  MSG msg;
  for (int k = 0; k < 256 && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++k) DispatchMessageA(&msg);
  for (int k = 0; k < 256 && PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE); ++k) DispatchMessageA(&msg);
}

// Looks at the queue at least every quarter second, so the system never
// takes the windows for hung.
void WaitWhilePainting(HANDLE process) {
  constexpr DWORD kWake = QS_PAINT | QS_TIMER | QS_SENDMESSAGE;
  for (;;) {
    const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, 250, kWake);
    if (woken != WAIT_OBJECT_0 + 1 && woken != WAIT_TIMEOUT) break;
    DispatchPaintAndTimers();
  }
  WaitForSingleObject(process, INFINITE);  // in case the wait above failed
}

// The BuildHost of the main window, for the document of one tab.
class ShellBuildHost final : public BuildHost {
 public:
  explicit ShellBuildHost(int tab) : tab_(tab) {}

  FileSystem& Files() override { return files_; }
  YesNoCancel AskToSave(const std::string& question) override {
    return AskYesNoCancel(Units().main, question, kUnsavedCaption);
  }
  bool SaveDocument() override { return quillet::SaveDocument(tab_); }
  void ShowMessage(const std::string& text, const char* caption, MessageIcon icon) override {
    const UINT style = icon == MessageIcon::kError ? MB_ICONHAND : MB_ICONEXCLAMATION;
    MessageBoxA(Units().main, text.c_str(), caption, style | MB_OK);
  }
  void SetHelpText(const std::string& text) override {
    if (Units().helpText) SetWindowTextA(Units().helpText, text.c_str());
  }
  void ShowLog(const std::string& log, std::size_t firstShown) override {
    HWND box = Units().helpText;
    if (!box) return;
    // The box wraps long lines, so the top line is counted by the box itself:
    // the text before firstShown (which ends a line) wraps as it will in the
    // whole log. Counting in rows spares character positions, which the
    // system counts in bytes and Wine in UTF-16 units.
    int top = 0;
    if (firstShown > 0 && firstShown <= log.size()) {
      SendMessageA(box, WM_SETREDRAW, FALSE, 0);
      SetWindowTextA(box, log.substr(0, firstShown).c_str());
      top = static_cast<int>(SendMessageA(box, EM_GETLINECOUNT, 0, 0)) - 1;
      SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    }
    SetWindowTextA(box, log.c_str());
    if (top > 0) SendMessageA(box, EM_LINESCROLL, 0, top);
  }
  void LetWindowsPaint() override {
    if (Units().main) RedrawWindow(Units().main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    DispatchPaintAndTimers();
  }
  std::uint64_t FileTime(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime) + 1;
  }
  const DocumentList& OpenDocuments() override { return Documents(); }
  void SelectTab(int tab) override { quillet::SelectTab(tab); }
  int OpenFile(const std::string& path) override {
    // The tab shows the long name, whichever form the compiler printed.
    char full[MAX_PATH] = {};
    const DWORD length = GetLongPathNameA(path.c_str(), full, MAX_PATH);
    const std::string name = length > 0 && length < MAX_PATH ? std::string(full) : path;
    OpenDocument(name, kNewPlainText);
    const CodeDocument* opened = CurrentDocument();
    return opened && opened->HoldsFile(name) ? CurrentTab() : 0;
  }
  void SetCurrentFolder(const std::string& folder) override { SetCurrentDirectoryA(folder.c_str()); }
  bool RemoveFile(const std::string& path) override {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // a read-only log must go too
    return DeleteFileA(path.c_str()) || GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
  }
  bool StartProcess(const std::string& application, const std::string& commandLine, bool wait) override {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string line = commandLine;  // CreateProcessA may write into it
    // The compiler works quietly: a console compiler gets no console window
    // of its own, which would flash up and take the focus from the editor.
    const DWORD flags = wait ? CREATE_NO_WINDOW : 0;
    if (!CreateProcessA(application.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &started)) {
      return false;
    }
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    if (wait) WaitWhilePainting(process.Get());
    return true;
  }
  void Beep() override { MessageBeep(MB_OK); }

 private:
  int tab_;
  Win32FileSystem files_;
};

bool gCompiling = false;

}  // namespace

bool CompileDocument(int tab) {
  if (gCompiling || !Documents().Contains(tab)) return false;
  struct Running {
    Running() { gCompiling = true; }
    ~Running() { gCompiling = false; }
  } running;
  ShellBuildHost host(tab);
  const std::string compiler = App().editor.compilerPath;
  return CompileDocument(Documents().Document(tab), compiler, host);
}

bool RunProgram() {
  const CodeDocument* document = CurrentDocument();
  if (!document) return false;
  ShellBuildHost host(CurrentTab());
  return RunProgram(*document, host);
}

bool CompileAndRun() { return CompileDocument(CurrentTab()) && RunProgram(); }

}  // namespace quillet
