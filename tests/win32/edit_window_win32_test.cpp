#include "editor/edit_window_win32.h"

#include <windows.h>

#include <imm.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "edit_test_host_win32.h"
#include "platform/win32_file_system_win32.h"

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

// Modifier keys held (in the thread's key state, which GetKeyState reads) for a scope.
class HeldKeys {
 public:
  HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256] = {};
};

// One shown host serves the whole suite: under Wine without a window manager
// every activated window takes two seconds to go. Each test starts from an
// empty, unmodified document with the focus in the editor.
class EditWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    host_ = new EditTestHost(0);
    if (!host_->Create(400, 300)) {
      delete host_;
      host_ = nullptr;
    }
  }
  static void TearDownTestSuite() {
    delete host_;
    host_ = nullptr;
  }

  void SetUp() override {
    ASSERT_NE(host_, nullptr);
    CodeDocument& doc = host_->document;
    doc.undoHistory.clear();
    doc.undoPos = 0;
    doc.modified = false;
    doc.Context().input = {};
    host_->completionHides = 0;
    host_->editMenuRequests = 0;
    SetForegroundWindow(host_->Frame());
    SetFocus(Editor());
    SetText({""});
  }

  static void SetText(Lines lines) {
    CodeDocument& doc = host_->document;
    doc.lines.Assign(std::move(lines));
    doc.caret = {};
    doc.hasSelection = false;
    doc.RecountLines();
    doc.SetTopLine(0, true);
    doc.SetHorizontalScroll(0, true);
    doc.Invalidate();
    Pump();
  }
  static Lines Text() { return {host_->document.lines.begin(), host_->document.lines.end()}; }
  static TextPos Caret() { return host_->document.caret; }
  static HWND Editor() { return host_->Editor(); }

  static LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(Editor(), message, wParam, lParam);
  }
  static void Chars(std::string_view bytes) {
    for (unsigned char c : bytes) Send(WM_CHAR, c);
  }
  static void Key(int virtualKey) { Send(WM_KEYDOWN, virtualKey); }
  static void Pump() { host_->Pump(); }
  static void Repaint() { RedrawWindow(Editor(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }
  // Pumps until done() or about two seconds have passed.
  static bool PumpUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      Pump();
      Sleep(5);
    }
    return true;
  }

  // A client point in the text: column col of line (which must be visible).
  static LPARAM At(int line, int col) {
    const CodeDocument& doc = host_->document;
    const int x = -doc.GetHorizontalOrigin() + doc.ColumnOffset(line, col) + 1;
    const int y = (line - doc.GetTopLine()) * doc.RowPitch() + doc.RowPitch() / 2;
    return MAKELPARAM(x, y);
  }

  static int TopLine() { return GetScrollPos(Editor(), SB_VERT); }

  static EditTestHost* host_;
};

EditTestHost* EditWindowTest::host_ = nullptr;

TEST_F(EditWindowTest, TypingBytesWholeCharactersAndInputMethodCharacters) {
  Chars("ab");
  Chars("易");                     // two byte messages, lead first
  Send(WM_CHAR, 0x4E2D);           // 中 as one UTF-16 unit
  Send(WM_IME_CHAR, 0xB9FA);       // 国 from the input method: lead byte high
  Pump();                          // its WM_CHARs are posted
  SendMessageW(Editor(), WM_CHAR, 0x6587, 0);  // 文 from a Unicode sender, converted for the ANSI window
  EXPECT_EQ(Text(), Lines{"ab易中国文"});
  EXPECT_EQ(Caret(), (TextPos{0, 10}));

  Send(WM_CHAR, '\t');             // a translated Tab press: the hook types TAB instead
  Send(WM_CHAR, 0x1A);             // Ctrl+Z's control code types nothing
  EXPECT_EQ(Text(), Lines{"ab易中国文"});

  SetText({"\tx"});
  Key(VK_END);
  Send(WM_CHAR, '\r');
  Chars("y");
  EXPECT_EQ(Text(), (Lines{"\tx", "\ty"}));
  Send(WM_CHAR, '\b');
  Send(WM_CHAR, '\b');
  Send(WM_CHAR, '\b');
  EXPECT_EQ(Text(), Lines{"\tx"});
  EXPECT_EQ(Caret(), (TextPos{0, 2}));
}

TEST_F(EditWindowTest, KeysMoveTheCaretAndSelectWithTheHeldModifiers) {
  SetText({"abc", "易xyz"});
  Key(VK_DOWN);
  Key(VK_RIGHT);
  EXPECT_EQ(Caret(), (TextPos{1, 2})) << "Right steps over a two-byte character";
  {
    const HeldKeys shift{VK_SHIFT};
    Key(VK_END);
  }
  EXPECT_TRUE(host_->document.hasSelection);
  EXPECT_EQ(host_->document.anchor, (TextPos{1, 2}));
  EXPECT_EQ(host_->document.selEnd, (TextPos{1, 5}));
  Key(VK_LEFT);
  EXPECT_FALSE(host_->document.hasSelection) << "a caret key ends the selection";
  {
    const HeldKeys ctrl{VK_CONTROL};
    Key(VK_HOME);
  }
  EXPECT_EQ(Caret(), (TextPos{0, 0}));
  {
    const HeldKeys altCtrl{VK_MENU, VK_CONTROL};
    Key(VK_END);
  }
  EXPECT_EQ(Caret(), (TextPos{0, 0})) << "Alt blocks Home and End";
  Key(VK_DELETE);
  EXPECT_EQ(Text(), (Lines{"abc", "易xyz"})) << "Delete belongs to the menu";
}

TEST_F(EditWindowTest, PageKeysWheelAndScrollBarsMoveTheViewOnly) {
  SetText(Lines(60, std::string(300, 'w')));
  Key(VK_NEXT);
  EXPECT_EQ(TopLine(), 3);
  EXPECT_EQ(Caret(), (TextPos{0, 0}));
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(TopLine(), 6);
  {
    const HeldKeys ctrl{VK_CONTROL};
    Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  }
  EXPECT_EQ(TopLine(), 6) << "Ctrl+wheel does not scroll";
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  Key(VK_PRIOR);
  EXPECT_EQ(TopLine(), 0);
  Send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20));
  EXPECT_EQ(TopLine(), 20);
  Send(WM_VSCROLL, SB_LINEDOWN);
  EXPECT_EQ(TopLine(), 21);

  Send(WM_HSCROLL, SB_PAGERIGHT);
  EXPECT_EQ(GetScrollPos(Editor(), SB_HORZ), 100);
  Send(WM_HSCROLL, SB_LINELEFT);
  EXPECT_EQ(GetScrollPos(Editor(), SB_HORZ), 97);
  EXPECT_EQ(Caret(), (TextPos{0, 0}));
  EXPECT_GT(host_->completionHides, 0);
}

// The bars are only touched when what they show changes; each change must
// still reach them, in both directions, whatever was set before.
TEST_F(EditWindowTest, ScrollBarsFollowEveryChangeOfTheText) {
  const auto range = [](int bar) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE};
    GetScrollInfo(Editor(), bar, &info);
    return std::pair<int, UINT>(info.nMax, info.nPage);
  };
  const auto shown = [](LONG_PTR bit) { return (GetWindowLongPtrA(Editor(), GWL_STYLE) & bit) != 0; };
  SetText(Lines(60, "x"));
  ASSERT_TRUE(shown(WS_VSCROLL));
  EXPECT_FALSE(shown(WS_HSCROLL));
  EXPECT_EQ(range(SB_VERT).first, 60);
  const UINT page = range(SB_VERT).second;
  Chars("\r");
  EXPECT_EQ(range(SB_VERT), std::make_pair(61, page));
  Chars("\b");
  EXPECT_EQ(range(SB_VERT), std::make_pair(60, page));

  Chars(std::string(300, 'w'));
  ASSERT_TRUE(shown(WS_HSCROLL));
  const int wide = range(SB_HORZ).first;
  Chars("w");
  EXPECT_GT(range(SB_HORZ).first, wide);
  SetText({"x"});
  EXPECT_FALSE(shown(WS_HSCROLL));
  EXPECT_FALSE(shown(WS_VSCROLL));
  SetText(Lines(60, std::string(300, 'w')));
  EXPECT_TRUE(shown(WS_HSCROLL));
  EXPECT_TRUE(shown(WS_VSCROLL));
  EXPECT_EQ(range(SB_VERT).first, 60);
}

TEST_F(EditWindowTest, MouseDragSelectsAndDoubleClickSelectsAWord) {
  SetText({"hello world", "second line"});
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(0, 2));
  EXPECT_EQ(GetCapture(), Editor());
  EXPECT_EQ(GetFocus(), Editor());
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(0, 4));
  EXPECT_FALSE(host_->document.hasSelection);
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(1, 6));
  Send(WM_LBUTTONUP, 0, At(1, 6));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_TRUE(host_->document.hasSelection);
  EXPECT_EQ(host_->document.anchor, (TextPos{0, 2}));
  EXPECT_EQ(host_->document.selEnd, (TextPos{1, 6}));

  // Above the window under capture: a negative y is the first visible line.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(1, 3));
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(1, 3));
  Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, static_cast<WORD>(-30)));
  EXPECT_EQ(host_->document.selEnd.line, 0);
  // Losing the capture ends the drag: a later move without the button selects nothing more.
  ReleaseCapture();
  const TextPos selEnd = host_->document.selEnd;
  Send(WM_MOUSEMOVE, 0, At(1, 9));
  EXPECT_EQ(host_->document.selEnd, selEnd);

  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(0, 7));
  Send(WM_LBUTTONUP, 0, At(0, 7));
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, At(0, 7));
  EXPECT_EQ(host_->document.anchor, (TextPos{0, 6}));
  EXPECT_EQ(host_->document.selEnd, (TextPos{0, 11}));
  Send(WM_LBUTTONUP, 0, At(0, 7));

  Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Editor()), MAKELPARAM(100, 100));
  Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Editor()), -1);
  EXPECT_EQ(host_->editMenuRequests, 2);
}

// The hook sees only real keyboard input, so the keys go through SendInput.
TEST_F(EditWindowTest, TabComesFromTheHookOncePerPressAndRepeat) {
  SetForegroundWindow(host_->Frame());
  SetFocus(Editor());
  auto press = [](bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = VK_TAB;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof in);
  };
  press(false);
  press(true);
  ASSERT_TRUE(PumpUntil([&] { return Text() != Lines{""}; }));
  Pump();
  EXPECT_EQ(Text(), Lines{"\t"}) << "a tap types one TAB, not one from the hook and one from WM_CHAR";

  press(false);
  press(false);  // auto-repeat
  press(true);
  ASSERT_TRUE(PumpUntil([&] { return Text() == Lines{"\t\t\t"}; }));
  Sleep(50);
  Pump();
  EXPECT_EQ(Text(), Lines{"\t\t\t"});

  // With the focus in another control the hook passes Tab on.
  HWND other = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 30, 20, host_->Frame(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  SetFocus(other);
  press(false);
  press(true);
  Sleep(100);
  Pump();
  EXPECT_EQ(Text(), Lines{"\t\t\t"});
  DestroyWindow(other);
}

TEST_F(EditWindowTest, ClipboardAndUndoThroughTheHostCommands) {
  SetText({"alpha beta"});
  host_->document.hasSelection = true;
  host_->document.anchor = {0, 0};
  host_->document.selEnd = {0, 6};
  host_->RunCommand(kHostCut);
  EXPECT_EQ(Text(), Lines{"beta"});
  EXPECT_EQ(host_->clipboard.GetText(), "alpha ");
  Key(VK_END);
  host_->clipboard.SetText("\r\n易x");
  host_->RunCommand(kHostPaste);
  EXPECT_EQ(Text(), (Lines{"beta", "易x"}));
  host_->RunCommand(kHostUndo);
  EXPECT_EQ(Text(), Lines{"beta"});
  host_->RunCommand(kHostUndo);
  EXPECT_EQ(Text(), Lines{"alpha beta"});
  host_->RunCommand(kHostRedo);
  EXPECT_EQ(Text(), Lines{"beta"});

  host_->RunCommand(kHostSelectAll);
  host_->RunCommand(kHostCopy);
  EXPECT_EQ(host_->clipboard.GetText(), "beta");
  EXPECT_TRUE(host_->clipboard.HasText());

  // The status bar and the commands follow the change (and so a repaint finds them so).
  UpdateWindow(Editor());
  Repaint();
  EXPECT_TRUE(host_->commands.canCopy);
  EXPECT_TRUE(host_->commands.canUndo);
  EXPECT_EQ(host_->statusLineCount, 1);
}

// A typed key is on the screen before the status bar and the commands hear of it.
TEST_F(EditWindowTest, ATypedKeyIsPaintedBeforeTheChangeIsAnnounced) {
  SetText({"abc"});
  SetFocus(Editor());
  Pump();
  const int paints = host_->paints;
  Chars("x");
  EXPECT_GT(host_->paintsBeforeLastChange, paints);
  EXPECT_EQ(host_->statusColumn, host_->document.caret.col);
}

TEST_F(EditWindowTest, PaintingAnswersEraseAndACompositionStartsAtTheCaret) {
  EXPECT_EQ(Send(WM_ERASEBKGND), 1);
  SetText({"abc", "def"});
  SetFocus(Editor());
  Key(VK_DOWN);
  Key(VK_END);
  const int paints = host_->paints;
  Repaint();
  EXPECT_GT(host_->paints, paints);
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_EQ(caret.y, host_->document.RowPitch());
  EXPECT_EQ(caret.x, 43 + host_->document.ColumnOffset(1, 3));
  // A composition starts where the caret is.
  Send(WM_IME_STARTCOMPOSITION);
  HIMC context = ImmGetContext(Editor());
  ASSERT_NE(context, nullptr);
  COMPOSITIONFORM form{};
  ImmGetCompositionWindow(context, &form);
  ImmReleaseContext(Editor(), context);
  EXPECT_EQ(form.dwStyle, static_cast<DWORD>(CFS_POINT));
  EXPECT_EQ(form.ptCurrentPos.x, caret.x);
  EXPECT_EQ(form.ptCurrentPos.y, caret.y);
  Send(WM_IME_ENDCOMPOSITION);
  // The frame's paint also paints the client, and the frame still draws.
  RedrawWindow(Editor(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_GT(host_->paints, paints + 1);
}

// The client's pixels as the window shows them, caret hidden.
std::vector<DWORD> ClientPixels(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* first = static_cast<const DWORD*>(bits);
  std::vector<DWORD> pixels(first, first + std::size_t(client.right) * std::size_t(client.bottom));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  return pixels;
}

// After every kind of step the window shows what a repaint of the whole
// window shows: nothing it changed was left unpainted, whatever it chose to
// repaint (rows, bands, scroll bars later, a list uncovering text).
TEST_F(EditWindowTest, WhatEachStepPaintsMatchesAWholeRepaint) {
  Lines lines;
  for (int i = 0; i < 80; ++i) {
    lines.push_back("FUNCTION Work" + std::to_string(i) + "(a AS LONG) AS LONG ' " + std::string(i % 9 * 8, 'x'));
  }
  host_->document.kind = SourceKind::Basic;
  SetText(lines);
  const auto check = [](const char* step) {
    Pump();
    UpdateWindow(Editor());
    HideCaret(Editor());
    const std::vector<DWORD> shown = ClientPixels(Editor());
    RedrawWindow(Editor(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const std::vector<DWORD> whole = ClientPixels(Editor());
    ShowCaret(Editor());
    ASSERT_EQ(shown.size(), whole.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) differing += shown[i] != whole[i] ? 1 : 0;
    EXPECT_EQ(differing, 0u) << "after " << step;
  };
  check("the text was set");
  host_->document.GoToLine(8);
  Key(VK_END);
  check("the caret went to a line's end");
  Key(VK_HOME);
  check("Home");
  Chars("abc");
  check("typing");
  Chars("\r");
  check("Enter");
  Chars("\b");
  check("Backspace joining two lines");
  {
    // A row still waiting for its paint when the rows below move: its wait moves with it.
    const int pitch = host_->document.RowPitch();
    RECT client{};
    GetClientRect(Editor(), &client);
    const RECT waiting{0, 12 * pitch, client.right, 13 * pitch};
    HDC dc = GetDC(Editor());
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &waiting, magenta);
    DeleteObject(magenta);
    ReleaseDC(Editor(), dc);
    InvalidateRect(Editor(), &waiting, FALSE);
    Chars("\r");
    check("Enter above a row waiting for its paint");
  }
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(3, 2));
  Send(WM_MOUSEMOVE, MK_LBUTTON, At(6, 5));
  Send(WM_LBUTTONUP, 0, At(6, 5));
  check("a drag selecting lines");
  Chars("z");
  check("typing over the selection");
  host_->RunCommand(kHostUndo);
  check("undo");
  Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)));
  check("the wheel");
  Key(VK_NEXT);
  check("Page Down");
  for (int i = 0; i < 20; ++i) Key(VK_DOWN);
  check("the caret going down past the bottom");
  Key(VK_END);
  Chars(std::string(60, 'w'));
  check("typing past the right edge");
  Key(VK_HOME);
  check("Home scrolling back");
}

TEST_F(EditWindowTest, HostileTextPaintsAndMovesWithoutHarm) {
  const std::string nul("a\0b\0\0c", 6);
  const std::string loneLead = std::string("xy") + '\xD2';
  const std::string longLine(100000, 'm');
  SetText({nul, loneLead, longLine, "\t\ttabbed", ""});
  for (int width : {0, 100, 4}) {
    host_->settings.tabWidth = width;
    host_->document.RecountLines();
    const auto start = std::chrono::steady_clock::now();
    for (int key : {VK_DOWN, VK_END, VK_DOWN, VK_END, VK_LEFT, VK_RIGHT, VK_UP, VK_HOME}) {
      Key(key);
      Repaint();
    }
    Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 60000));
    Repaint();
    Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(200, 5));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << "TAB width " << width;
    Key(VK_HOME);
    Send(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0));
  }
  Send(WM_LBUTTONDOWN, MK_LBUTTON, At(4, 0));
  Send(WM_LBUTTONUP, 0, At(4, 0));
  Chars("\xB0");  // a lead byte whose trail never comes, then Enter
  Send(WM_CHAR, '\r');
  Repaint();
  EXPECT_EQ(Text()[0], nul);
  EXPECT_EQ(Text()[1], loneLead);
  EXPECT_EQ(host_->document.lines[2].size(), longLine.size());
  EXPECT_EQ(Text().size(), 6u) << "Enter after the lone lead byte still breaks the line";
}

// The class itself, with hidden windows only (they go at once). Runs after
// the suite above has released its registration.
TEST(EditClassTest, RegistrationWindowsAndRelease) {
  EditorSettings settings;  // no font loaded: the GUI font is taken and written back
  ASSERT_TRUE(RegisterEditClass(settings, false));
  WNDCLASSA wc{};
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), kEditClassName, &wc));
  EXPECT_EQ(wc.style, 0x8Bu);
  EXPECT_EQ(wc.cbClsExtra, 0);
  EXPECT_EQ(wc.cbWndExtra, 0);
  EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_IBEAM));
  EXPECT_EQ(wc.lpfnWndProc, EditWindowProc);
  EXPECT_TRUE(EditObjects().editFont);
  EXPECT_TRUE(EditObjects().cursorLineBrush && EditObjects().backgroundBrush);
  EXPECT_TRUE(EditObjects().hook);
  EXPECT_TRUE(settings.fontLoaded);
  LOGFONTA gui{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(settings.font.data()) + 28), gui.lfFaceName);
  EditorSettings other;
  EXPECT_FALSE(RegisterEditClass(other, false)) << "a second registration is refused";

  // The configuration dialog's replacement takes the right slots.
  auto colourOf = [](const BrushHandle& brush) {
    LOGBRUSH lb{};
    GetObjectA(brush.Get(), sizeof lb, &lb);
    return lb.lbColor;
  };
  settings.colours[Background] = RGB(1, 2, 3);
  settings.colours[CursorLineBar] = RGB(4, 5, 6);
  // A font twice as tall: text is measured in the new one.
  EditorContext measuring;
  CodeDocument measured(measuring);
  EditWindow measurer(measured);
  const int narrow = measurer.MeasureText("WWWW").width;
  LOGFONTA font{};
  std::memcpy(&font, settings.font.data(), sizeof font);
  font.lfHeight = font.lfHeight * 2 + (font.lfHeight < 0 ? -1 : 1) * 4;
  std::memcpy(settings.font.data(), &font, sizeof font);
  ReplaceEditDrawingObjects(settings);
  EXPECT_EQ(colourOf(EditObjects().backgroundBrush), RGB(1, 2, 3));
  EXPECT_EQ(colourOf(EditObjects().cursorLineBrush), RGB(4, 5, 6));
  EXPECT_TRUE(EditObjects().editFont);
  EXPECT_GT(measurer.MeasureText("WWWW").width, narrow);

  Win32FileSystem files;
  EditorContext context(settings, files);
  CodeDocument doc(context);
  EditWindowList list;
  SetEditWindowShell(&list);
  {
    EditWindow owned(doc);
    list.Add(owned);
    EditWindow stray(doc);  // not in the list: its messages get the default processing
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(owned.CreateEditWindow(parent, 0, 0, 200, 100));
    ASSERT_TRUE(stray.CreateEditWindow(parent, 0, 0, 200, 100));
    const LONG style = GetWindowLongA(owned.Handle(), GWL_STYLE);
    EXPECT_TRUE((style & WS_CHILD) && (style & WS_TABSTOP));
    EXPECT_FALSE(style & (WS_VISIBLE | WS_HSCROLL | WS_VSCROLL));
    EXPECT_TRUE(GetWindowLongA(owned.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(list.FindOwner(owned.Handle()), &owned);
    EXPECT_EQ(list.FindOwner(stray.Handle()), nullptr);

    SendMessageA(stray.Handle(), WM_CHAR, 'q', 0);
    EXPECT_EQ(doc.lines[0], "");
    EXPECT_EQ(SendMessageA(stray.Handle(), WM_ERASEBKGND, 0, 0), 1);
    SendMessageA(owned.Handle(), WM_CHAR, 'q', 0);
    EXPECT_EQ(doc.lines[0], "q");
    stray.CloseEditWindow();
    owned.CloseEditWindow();
    EXPECT_EQ(stray.Handle(), nullptr) << "a closed window is forgotten";
    EXPECT_EQ(owned.Handle(), nullptr);
    list.Remove(owned);
    DestroyWindow(parent);
  }
  SetEditWindowShell(nullptr);
  ReleaseEditClass();
  EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), kEditClassName, &wc));
  EXPECT_FALSE(EditObjects().hook);
  EXPECT_TRUE(RegisterEditClass(settings, false)) << "registers again after release";
  ReleaseEditClass();
}

}  // namespace
}  // namespace quillet
