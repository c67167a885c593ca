// The PBCodeEdit window class: its registration together with the drawing
// objects and keyboard hook that all editing windows share, and EditWindow,
// the window that shows one CodeDocument. The window keeps no data of its
// own; its procedure finds the EditWindow (and so the document) through the
// EditWindowShell that the program installs.
#pragma once

#include <windows.h>

#include <vector>

#include "common/editor_settings.h"
#include "common/owned_handle_win32.h"
#include "platform/edit_view.h"

namespace quillet {

class CodeDocument;
class EditWindow;

inline constexpr char kEditClassName[] = "PBCodeEdit";
inline constexpr char kEditClassFailure[] = "不能注册类名为PBCodeEdit的窗体组件";

// What the program around the editing windows provides.
class EditWindowShell {
 public:
  virtual ~EditWindowShell() = default;
  // The open document's window that owns this handle: the documents are asked
  // in list order and the first that owns it answers; null when none does.
  virtual EditWindow* FindOwner(HWND window) = 0;
  // The right button (or the menu key) over an editing window: the main
  // window's Edit menu pops up at this screen point.
  virtual void ShowEditMenu(EditWindow&, POINT) {}
  // After every paint. Only drawing may follow a paint: what follows a
  // change listens to EditorHost::DocumentChanged instead.
  virtual void DocumentPainted(EditWindow&) {}
  // The window was shown: the procedure list follows its document.
  virtual void EditWindowShown(EditWindow&) {}
};

// A plain list of windows in the order they were added.
class EditWindowList : public EditWindowShell {
 public:
  void Add(EditWindow& window) { windows_.push_back(&window); }
  void Remove(const EditWindow& window);
  EditWindow* FindOwner(HWND window) override;

 private:
  std::vector<EditWindow*> windows_;
};

using BrushHandle = OwnedHandle<HBRUSH, DeleteObject>;
using FontHandle = OwnedHandle<HFONT, DeleteObject>;
using HookHandle = OwnedHandle<HHOOK, UnhookWindowsHookEx>;

// The objects all editing windows share, made at registration. The
// configuration dialog replaces the brushes and the font through
// ReplaceEditDrawingObjects.
struct EditClassObjects {
  HINSTANCE instance = nullptr;
  BrushHandle cursorLineBrush;
  BrushHandle backgroundBrush;
  FontHandle editFont;
  // Of the screen's kind, editFont selected: where text is measured.
  MemoryDcHandle measureDc;
  HookHandle hook;  // empty when the system refused the hook
  EditWindowShell* shell = nullptr;
  bool registered = false;
};

EditClassObjects& EditObjects();

// Registers PBCodeEdit, makes the brushes and the font from settings (the
// default GUI font, written back into settings, when the stored font cannot be
// made) and installs TabKeyHook. When the class cannot be registered the user
// is told (unless reportFailure is false) and false comes back; the caller
// then ends the program.
bool RegisterEditClass(EditorSettings& settings, bool reportFailure = true);

// New brushes and font from the settings; every editing window's document is
// measured again (the TAB width may have changed too) and repainted.
void ReplaceEditDrawingObjects(EditorSettings& settings);

// Deletes the brushes and the font, removes the hook, unregisters the class.
// Run after the last editing window is gone.
void ReleaseEditClass();

// Where EditWindowProc and TabKeyHook look for a window's document.
void SetEditWindowShell(EditWindowShell* shell);

LRESULT CALLBACK EditWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The thread's keyboard hook: a repeated or released Tab key with the focus in
// a PBCodeEdit window types a TAB there and is swallowed. The WM_CHAR 9 that
// the first press becomes is dropped by EditWindowProc, so a message loop may
// translate Tab as usual.
LRESULT CALLBACK TabKeyHook(int code, WPARAM wParam, LPARAM lParam);

// The PBCodeEdit window of one document, and the document's view of it. The
// document must outlive it; it attaches itself as the document's view.
class EditWindow final : public EditView {
 public:
  explicit EditWindow(CodeDocument& document);
  ~EditWindow() override;
  EditWindow(const EditWindow&) = delete;
  EditWindow& operator=(const EditWindow&) = delete;

  // A hidden child of parent at the given client rectangle; false when
  // Windows refuses.
  bool CreateEditWindow(HWND parent, int left, int top, int width, int height);
  void MoveEditWindow(int left, int top, int width, int height);
  void HideEditWindow();
  void ShowEditWindow();
  void FocusEditWindow();
  bool OwnsWindow(HWND window) const { return window != nullptr && window == window_; }
  // Whether the thread's caret is this window's.
  bool HoldsCaret() const;
  // Closes the window; the default processing of WM_CLOSE destroys it.
  void CloseEditWindow();
  // Paints what is invalid now, then redraws the scroll bars that changed
  // since they were last drawn: the text a key changed reaches the screen
  // before anything else is drawn.
  void ShowPendingChanges();

  HWND Handle() const { return window_; }
  CodeDocument& Document() const { return document_; }
  // The window is being destroyed; the handle is no longer ours.
  void Forget() { window_ = nullptr; }

  // EditView
  PixelSize MeasureText(std::string_view bytes) override;
  PixelSize ClientSize() override;
  int GetScrollPos(ScrollBar bar) override;
  void SetScrollPos(ScrollBar bar, int position, bool redraw) override;
  void ShowScrollBar(ScrollBar bar, bool show) override;
  void SetScrollRange(ScrollBar bar, int max, int page, bool redraw) override;
  void Invalidate() override;
  void InvalidateBand(int top, int bottom) override;
  void InvalidateArea(int left, int top, int right, int bottom) override;
  void ShiftRows(int left, int from, int dy) override;
  void CreateCaret(int height) override;
  void SetCaretPos(int x, int y) override;

 private:
  // A scroll bar is redrawn only after the text is painted: under Wine
  // drawing one takes several milliseconds, longer than the text.
  void BarChanged(ScrollBar bar);

  CodeDocument& document_;
  HWND window_ = nullptr;
  bool barChanged_[2] = {};
  bool redrawPosted_ = false;
};

// Posted to an editing window whose scroll bars changed: they are redrawn
// once the text is painted, whichever window's message changed them.
inline constexpr UINT kRedrawScrollBarsMessage = WM_APP + 0x51;

}  // namespace quillet
