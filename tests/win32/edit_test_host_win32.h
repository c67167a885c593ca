// A top-level window holding one PBCodeEdit on one document, with just enough
// of a shell around it: the window list, the clipboard, the editing commands
// on Ctrl keys, and a record of what the editor reported. Used by the Win32
// tests and by the edit_host program of the end-to-end test.
#pragma once

#include <windows.h>

#include <functional>

#include "common/editor_settings.h"
#include "common/owned_handle_win32.h"
#include "editor/code_document.h"
#include "editor/edit_window_win32.h"
#include "platform/editor_host.h"
#include "platform/win32_clipboard_win32.h"
#include "platform/win32_file_system_win32.h"

namespace quillet {

inline constexpr char kEditHostTitle[] = "Quillet edit host";

// Commands of the host's accelerators (Ctrl+Z, Ctrl+Y, Ctrl+X, Ctrl+C, Ctrl+V, Ctrl+A, Del).
enum EditHostCommand : int {
  kHostUndo = 101,
  kHostRedo,
  kHostCut,
  kHostCopy,
  kHostPaste,
  kHostSelectAll,
  kHostDelete,
};

class EditTestHost final : public EditorHost, public EditWindowShell {
 public:
  // The document starts as template templateNumber (1 EXE, 2 DLL, 3 RC; 0 empty).
  explicit EditTestHost(int templateNumber = 1);
  ~EditTestHost() override;
  EditTestHost(const EditTestHost&) = delete;
  EditTestHost& operator=(const EditTestHost&) = delete;

  // Registers the edit class (unless registered) and makes the frame with its
  // editing window filling a client area of width x height; the frame is
  // shown and active. (Under Wine without a window manager, hiding or
  // destroying an activated window waits two seconds for the manager.)
  bool Create(int width = 640, int height = 480);
  HWND Frame() const { return frame_; }
  HWND Editor() const { return window.Handle(); }

  // A program's message loop with the host's accelerators; returns at WM_QUIT.
  int Run();
  // Dispatches every waiting message the same way; false once WM_QUIT came.
  bool Pump();
  void RunCommand(int command);

  // EditorHost
  void DocumentChanged(CodeDocument& changed) override;
  void HideCompletion() override { ++completionHides; }
  // EditWindowShell
  EditWindow* FindOwner(HWND handle) override { return list_.FindOwner(handle); }
  void ShowEditMenu(EditWindow&, POINT) override { ++editMenuRequests; }
  void DocumentPainted(EditWindow&) override { ++paints; }

  // Runs at WM_CLOSE, before the frame is destroyed.
  std::function<void(EditTestHost&)> onClose;
  bool quitOnDestroy = false;

  // What the editor reported.
  int statusLineCount = 0;
  int statusLine = 0;
  int statusColumn = 0;
  EditCommandState commands;
  int completionHides = 0;
  int editMenuRequests = 0;
  int paints = 0;
  int paintsBeforeLastChange = 0;  // paints when DocumentChanged last came

  EditorSettings settings;
  Win32FileSystem files;
  Win32Clipboard clipboard;
  EditorContext context;
  CodeDocument document;
  EditWindow window;

 private:
  static LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
  void Deliver(MSG& msg);

  EditWindowList list_;
  HWND frame_ = nullptr;
  AcceleratorHandle accelerators_;
  bool ownsClass_ = false;
};

}  // namespace quillet
