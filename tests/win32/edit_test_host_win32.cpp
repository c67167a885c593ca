#include "edit_test_host_win32.h"

#include <iterator>

namespace quillet {
namespace {

constexpr char kFrameClass[] = "QuilletEditHostFrame";

bool RegisterFrameClass(WNDPROC proc) {
  WNDCLASSA wc{};
  if (GetClassInfoA(GetModuleHandleA(nullptr), kFrameClass, &wc)) return true;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = kFrameClass;
  return RegisterClassA(&wc) != 0;
}

AcceleratorHandle MakeAccelerators() {
  ACCEL keys[] = {
      {FCONTROL | FVIRTKEY, 'Z', kHostUndo},  {FCONTROL | FVIRTKEY, 'Y', kHostRedo},
      {FCONTROL | FVIRTKEY, 'X', kHostCut},   {FCONTROL | FVIRTKEY, 'C', kHostCopy},
      {FCONTROL | FVIRTKEY, 'V', kHostPaste}, {FCONTROL | FVIRTKEY, 'A', kHostSelectAll},
      {FVIRTKEY, VK_DELETE, kHostDelete},
  };
  return AcceleratorHandle(CreateAcceleratorTableA(keys, static_cast<int>(std::size(keys))));
}

}  // namespace

EditTestHost::EditTestHost(int templateNumber)
    : context(settings, files), document(context), window(document) {
  context.clipboard = &clipboard;
  context.host = this;
  document.ApplyTemplate(static_cast<TemplateKind>(templateNumber));
  list_.Add(window);
}

EditTestHost::~EditTestHost() {
  if (frame_ != nullptr && IsWindow(frame_)) DestroyWindow(frame_);
  if (EditObjects().shell == this) SetEditWindowShell(nullptr);
  if (ownsClass_) ReleaseEditClass();
}

bool EditTestHost::Create(int width, int height) {
  if (!EditObjects().registered) {
    if (!RegisterEditClass(settings, false)) return false;
    ownsClass_ = true;
  }
  SetEditWindowShell(this);
  if (!RegisterFrameClass(FrameProc)) return false;
  accelerators_ = MakeAccelerators();
  RECT r{0, 0, width, height};
  const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  AdjustWindowRect(&r, style, FALSE);
  frame_ = CreateWindowExA(0, kFrameClass, kEditHostTitle, style, 40, 40, r.right - r.left, r.bottom - r.top,
                           nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (frame_ == nullptr) return false;
  RECT client{};
  GetClientRect(frame_, &client);
  if (!window.CreateEditWindow(frame_, 0, 0, client.right, client.bottom)) return false;
  window.ShowEditWindow();
  ShowWindow(frame_, SW_SHOWNORMAL);
  UpdateWindow(frame_);
  SetForegroundWindow(frame_);
  window.FocusEditWindow();
  return true;
}

void EditTestHost::DocumentChanged(CodeDocument& changed) {
  statusLineCount = changed.lineCount;
  statusLine = changed.caret.line + 1;
  statusColumn = changed.caret.col;
  commands = changed.EditCommands();
  paintsBeforeLastChange = paints;
}

void EditTestHost::RunCommand(int command) {
  switch (command) {
    case kHostUndo: document.Undo(); break;
    case kHostRedo: document.Redo(); break;
    case kHostCut: document.Cut(); break;
    case kHostCopy: document.Copy(); break;
    case kHostPaste: document.Paste(); break;
    case kHostSelectAll: document.SelectAll(); break;
    case kHostDelete: document.Delete(); break;
    default: break;
  }
  document.FinishChange();  // as the program's command runner does
}

LRESULT CALLBACK EditTestHost::FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* host = reinterpret_cast<EditTestHost*>(GetWindowLongPtrA(frame, GWLP_USERDATA));
  if (host == nullptr) return DefWindowProcA(frame, message, wParam, lParam);
  return host->OnFrameMessage(frame, message, wParam, lParam);
}

LRESULT EditTestHost::OnFrameMessage(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: window.MoveEditWindow(0, 0, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SETFOCUS: window.FocusEditWindow(); return 0;
    case WM_COMMAND: RunCommand(LOWORD(wParam)); return 0;
    case WM_CLOSE:
      if (onClose) onClose(*this);
      DestroyWindow(frame);
      return 0;
    case WM_DESTROY:
      frame_ = nullptr;
      if (quitOnDestroy) PostQuitMessage(0);
      break;
    default: break;
  }
  return DefWindowProcA(frame, message, wParam, lParam);
}

void EditTestHost::Deliver(MSG& msg) {
  if (frame_ != nullptr && TranslateAcceleratorA(frame_, accelerators_.Get(), &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

int EditTestHost::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) Deliver(msg);
  return static_cast<int>(msg.wParam);
}

bool EditTestHost::Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return false;
    Deliver(msg);
  }
  return true;
}

}  // namespace quillet
