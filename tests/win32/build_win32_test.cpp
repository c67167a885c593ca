#include "build/build_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/build_names.h"
#include "build/compile.h"
#include "platform/win32_file_system_win32.h"
#include "shell/app_state.h"
#include "shell/documents_win32.h"
#include "shell/main_window_win32.h"
#include "shell/menus_win32.h"
#include "shell/panels_win32.h"
#include "document_window_options.h"
#include "message_pump.h"

namespace quillet {
namespace {

constexpr char kTestKey[] = "Software\\Velmoor\\QuilletTest\\Build";
constexpr char kTestRoot[] = "Software\\Velmoor\\QuilletTest\\Build\\";

// ---- Answering message boxes ----

struct BoxStep {
  std::string caption;
  int button;
};

class BoxAnswerer;
BoxAnswerer* gAnswerer = nullptr;

// Ends each box with the next step's button as soon as the box is set up,
// and logs every box met as "caption|text". A box that was not expected, or lacks the
// button, is logged with "unexpected " and cancelled.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::vector<BoxStep> steps = {}) : steps_(std::move(steps)) {
    gAnswerer = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterMessage, nullptr, GetCurrentThreadId());
  }
  ~BoxAnswerer() {
    UnhookWindowsHookEx(hook_);
    gAnswerer = nullptr;
  }
  std::vector<std::string> seen;

 private:
  static LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    char name[16] = {};
    if (code == HC_ACTION && sent->message == WM_INITDIALOG && gAnswerer &&
        GetClassNameA(sent->hwnd, name, sizeof name) && std::string(name) == "#32770") {
      gAnswerer->Answer(sent->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  void Answer(HWND box) {
    char caption[256] = {};
    char text[1024] = {};
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.push_back(std::string(caption) + "|" + text);
    if (next_ < steps_.size() && steps_[next_].caption == caption && GetDlgItem(box, steps_[next_].button)) {
      EndDialog(box, steps_[next_++].button);
    } else {
      seen.back().insert(0, "unexpected ");
      EndDialog(box, IDCANCEL);
    }
  }
  std::vector<BoxStep> steps_;
  std::size_t next_ = 0;
  HHOOK hook_ = nullptr;
};

// ---- Files ----

std::string TempRoot() {
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + "quillet 编译 测试";
}

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return FolderOfPath(path);
}

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// ---- One main window with the document parts for the whole suite ----

// The compiler sits in a folder with blanks and the sources in a Chinese
// one with blanks, so every test also checks the quoting of both.
class BuildTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    GetCurrentDirectoryA(MAX_PATH, startFolder_);  // a compile moves it into the sources
    root_ = TempRoot();
    RemoveTree(root_);
    const std::string compilerHome = root_ + "\\PB 编译器";
    compiler_ = compilerHome + "\\Bin\\替身 编译器.exe";
    sources_ = root_ + "\\源码 目录";
    for (const std::string& folder : {root_, compilerHome, compilerHome + "\\Bin", sources_}) {
      CreateDirectoryA(folder.c_str(), nullptr);
    }
    CopyFileA((ProgramFolder() + "compiler_stand_in.exe").c_str(), compiler_.c_str(), FALSE);
    CopyFileA((ProgramFolder() + "marker_program.exe").c_str(), (compilerHome + "\\Bin\\marker_program.exe").c_str(),
              FALSE);

    ASSERT_TRUE(RegisterMainWindowClass(GetModuleHandleA(nullptr)));
    commands_ = new CommandSurface;
    MainWindowOptions options = DocumentWindowOptions(*commands_, kTestRoot);
    window_ = CreateMainWindow(GetModuleHandleA(nullptr), std::move(options));
    ASSERT_NE(window_, nullptr);
  }
  static void TearDownTestSuite() {
    if (IsWindow(window_)) {
      for (int k = 1; k <= Documents().Count(); ++k) Documents().Document(k).modified = false;
      DestroyWindow(window_);
    }
    DrainMessages();
    delete commands_;
    SetCurrentDirectoryA(startFolder_);
    RemoveTree(root_);
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
  }
  void SetUp() override {
    ASSERT_TRUE(IsWindow(window_));
    App().editor.compilerPath = compiler_;
    SetWindowTextA(Units().helpText, "");
  }

  // Opens a source written with text in the sources folder; returns its tab.
  int Open(const std::string& name, const std::string& text) {
    const std::string path = sources_ + "\\" + name;
    files_.WriteFileAtomically(path, text);
    OpenDocument(path, kNewPlainText);
    return CurrentTab();
  }
  std::string Source(const std::string& name) const { return sources_ + "\\" + name; }
  // What the stand-in builds from a source: named, as a compiler names it,
  // after the short path it was given.
  std::string Built(const std::string& name, const std::string& extension) {
    const std::string given = ToShortPath(Source(name), files_);
    return given.substr(0, given.rfind('.')) + extension;
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    return files_.ReadWholeFile(path, bytes) ? bytes : "<missing>";
  }
  static std::string HelpText() {
    std::string text(GetWindowTextLengthA(Units().helpText) + 1, '\0');
    text.resize(GetWindowTextA(Units().helpText, text.data(), static_cast<int>(text.size())));
    return text;
  }

  static inline char startFolder_[MAX_PATH] = {};
  static inline std::string root_;
  static inline std::string compiler_;
  static inline std::string sources_;
  static inline CommandSurface* commands_ = nullptr;
  static inline HWND window_ = nullptr;
  Win32FileSystem files_;
};

constexpr char kProgram[] =
    "#COMPILE EXE\r\n#DIM ALL\r\n\r\nFUNCTION PBMAIN () AS LONG\r\n    PRINT 1\r\nEND FUNCTION\r\n";

TEST_F(BuildTest, CompileAndRunBuildsTheProgramAndStartsIt) {
  Open("第一 程序.bas", kProgram);
  BoxAnswerer boxes;
  ASSERT_TRUE(CompileAndRun());
  EXPECT_TRUE(boxes.seen.empty());

  // The command line as the compiler received it, both paths quoted.
  const std::string shortSource = ToShortPath(Source("第一 程序.bas"), files_);
  EXPECT_EQ(shortSource.find(' '), std::string::npos) << shortSource;
  EXPECT_EQ(Read(FolderOfPath(compiler_) + "received.txt"),
            "\"" + compiler_ + "\" \"" + shortSource + "\" /Q /L /I\"" + root_ + "\\PB 编译器\\WinAPI\"");
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current), sources_);
  EXPECT_NE(Built("第一 程序.bas", ".log"), Source("第一 程序.log"));
  EXPECT_EQ(HelpText(), Read(Built("第一 程序.bas", ".log")));
  EXPECT_NE(HelpText().find("no errors"), std::string::npos);

  // The program was started with its quoted path.
  const std::string given = ToShortPath(Source("第一 程序.bas"), files_);
  const std::string program = Source(given.substr(FolderOfPath(given).size(), given.rfind('.') - FolderOfPath(given).size()) + ".exe");
  std::string ran;
  for (int k = 0; k < 200 && ran.empty(); ++k) {
    Sleep(25);
    if (Exists(program + ".ran")) ran = Read(program + ".ran");
  }
  EXPECT_EQ(ran, "\"" + program + "\"");
}

TEST_F(BuildTest, AnErrorPutsTheCaretOnItsLineAndTellsTheCode) {
  std::string text = "#COMPILE EXE\r\n";
  for (int line = 2; line <= 10; ++line) text += line == 5 ? "BOGUS 5\r\n" : "PRINT " + std::to_string(line) + "\r\n";
  const int tab = Open("错误.bas", text.substr(0, text.size() - 2));
  CodeDocument& document = Documents().Document(tab);
  ASSERT_EQ(document.lines.size(), 10);
  document.GoToLine(9);

  BoxAnswerer boxes({{kCompileErrorCaption, IDOK}});
  EXPECT_FALSE(CompileDocument(tab));
  EXPECT_EQ(boxes.seen, std::vector<std::string>{"编译失败|编译时出错，请看错误提示！错误代号: 516 "});
  EXPECT_EQ(document.caret, (TextPos{4, 0}));
  EXPECT_FALSE(document.HasSelection());
  EXPECT_NE(HelpText().find("\r\nLine 5: BOGUS 5"), std::string::npos);
  // The box shows the error lines, not only the banner above them.
  HWND box = Units().helpText;
  int errorRow = -1;
  for (int row = 0; row < SendMessageA(box, EM_GETLINECOUNT, 0, 0) && errorRow < 0; ++row) {
    char text[64] = {};
    *reinterpret_cast<WORD*>(text) = sizeof text - 1;
    SendMessageA(box, EM_GETLINE, row, reinterpret_cast<LPARAM>(text));
    if (std::string(text).starts_with("Error 516")) errorRow = row;
  }
  HDC dc = GetDC(box);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(box, dc);
  RECT client{};
  GetClientRect(box, &client);
  const int first = static_cast<int>(SendMessageA(box, EM_GETFIRSTVISIBLELINE, 0, 0));
  EXPECT_GT(errorRow, 3);  // below a banner that fills the box
  EXPECT_GE(errorRow, first);
  EXPECT_LE(errorRow + 2, first + client.bottom / metrics.tmHeight);  // with its "Line" row
  EXPECT_FALSE(Exists(Source("错误.exe")));
}

TEST_F(BuildTest, AMissingOrWrongCompilerIsReported) {
  const int tab = Open("路径.bas", kProgram);
  App().editor.compilerPath.clear();
  {
    BoxAnswerer boxes({{kNoCompilerCaption, IDOK}});
    EXPECT_FALSE(CompileDocument(tab));
    EXPECT_EQ(boxes.seen, std::vector<std::string>{"无法编译|未设定PowerBasic编译器的路径！"});
  }
  EXPECT_EQ(HelpText(), "");

  App().editor.compilerPath = root_ + "\\没有 这个\\Bin\\编译器.exe";
  BoxAnswerer boxes;
  EXPECT_FALSE(CompileDocument(tab));
  EXPECT_TRUE(boxes.seen.empty());
  EXPECT_EQ(HelpText(), kCompilerFailedText);
}

TEST_F(BuildTest, AStaleLogDoesNotPassForTheCompilersOwn) {
  const int tab = Open("旧日志.bas", std::string(kProgram) + "' stand-in: no log\r\n");
  files_.WriteFileAtomically(Source("旧日志.log"), "old\r\n0 lines, no errors\r\n");
  files_.WriteFileAtomically(Built("旧日志.bas", ".log"), "old\r\n0 lines, no errors\r\n");
  BoxAnswerer boxes;
  EXPECT_FALSE(CompileDocument(tab));
  EXPECT_TRUE(boxes.seen.empty());
  EXPECT_EQ(HelpText(), kNoLogText);
  EXPECT_FALSE(Exists(Source("旧日志.log")));
  EXPECT_FALSE(Exists(Built("旧日志.bas", ".log")));
}

TEST_F(BuildTest, ALibraryHasNoProgramToRun) {
  const int tab = Open("库.bas", "#COMPILE DLL\r\n#DIM ALL\r\n");
  EXPECT_TRUE(CompileDocument(tab));
  EXPECT_TRUE(Exists(Built("库.bas", ".dll")));
  EXPECT_FALSE(RunProgram());
  EXPECT_FALSE(Exists(Source("库.exe")));
}

TEST_F(BuildTest, EachAnswerToTheSaveQuestion) {
  // The document names another program than the file on disk does.
  const int tab = Open("保存.bas", "#COMPILE EXE\r\nPRINT 1\r\n");
  CodeDocument& document = Documents().Document(tab);
  document.lines.SetLine(0, "#COMPILE EXE \"另一个\"");
  document.modified = true;
  const std::string question = "文件未保存|\"保存.bas\"已经修改或未保存，是否保存？";
  {
    BoxAnswerer boxes({{kUnsavedCaption, IDCANCEL}});
    EXPECT_TRUE(CompileDocument(tab));  // the file as saved
    EXPECT_EQ(boxes.seen, std::vector<std::string>{question});
    EXPECT_TRUE(Exists(Built("保存.bas", ".exe")));
    EXPECT_FALSE(Exists(Source("另一个.exe")));
    EXPECT_TRUE(document.IsModified());
  }
  {
    BoxAnswerer boxes({{kUnsavedCaption, IDYES}});
    EXPECT_TRUE(CompileDocument(tab));
    EXPECT_EQ(boxes.seen, std::vector<std::string>{question});
    EXPECT_EQ(Read(Source("保存.bas")), "#COMPILE EXE \"另一个\"\r\nPRINT 1\r\n");
    EXPECT_TRUE(Exists(Source("另一个.exe")));
    EXPECT_FALSE(document.IsModified());
  }

  // Never saved: Cancel stops at once, No finds nothing to compile.
  OpenDocument("", kNewExeProgram);
  const int untitled = CurrentTab();
  const std::string name = Documents().Document(untitled).GetDisplayName();
  SetWindowTextA(Units().helpText, "");
  {
    BoxAnswerer boxes({{kUnsavedCaption, IDCANCEL}});
    EXPECT_FALSE(CompileDocument(untitled));
    EXPECT_EQ(boxes.seen, std::vector<std::string>{"文件未保存|\"" + name + "\"已经修改或未保存，是否保存？"});
    EXPECT_EQ(HelpText(), "");
  }
  BoxAnswerer boxes({{kUnsavedCaption, IDNO}});
  EXPECT_FALSE(CompileDocument(untitled));
  EXPECT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(HelpText(), kCompilerFailedText);
}

// ---- While the compiler runs ----

struct WaitProbe {
  HWND edit = nullptr;
  HWND painted = nullptr;  // a window of the test's own that counts its paints
  int tab = 0;
  int ticks = 0;
  int paints = 0;
  bool nestedCompile = true;
};
WaitProbe* gProbe = nullptr;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  if (gProbe) ++gProbe->paints;
  return 0;
}

void CALLBACK ProbeTick(HWND, UINT, UINT_PTR, DWORD) {
  WaitProbe& p = *gProbe;
  if (++p.ticks != 1) return;
  InvalidateRect(p.painted, nullptr, FALSE);
  PostMessageA(p.edit, WM_CHAR, 'x', 0);
  p.nestedCompile = CompileDocument(p.tab);
}

TEST_F(BuildTest, WindowsKeepPaintingButInputWaitsWhileTheCompilerRuns) {
  const int tab = Open("等待.bas", std::string(kProgram) + "' stand-in: wait 500\r\n");
  WNDCLASSA wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "QuilletPaintProbe";
  RegisterClassA(&wc);
  HWND painted = CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP, 0, 0, 40, 40,
                                 nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(painted, nullptr);
  ShowWindow(painted, SW_SHOWNA);  // never active, so the window manager has no part in it
  UpdateWindow(painted);

  WaitProbe probe{EditHandle(tab), painted, tab};
  gProbe = &probe;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ProbeTick);
  const bool compiled = CompileDocument(tab);
  KillTimer(nullptr, timer);
  const int paintsWhileWaiting = probe.paints;
  const std::string lineWhileWaiting = Documents().Document(tab).lines[0];
  DrainMessages();
  gProbe = nullptr;
  DestroyWindow(painted);

  EXPECT_TRUE(compiled);
  EXPECT_GT(probe.ticks, 2);
  EXPECT_GT(paintsWhileWaiting, 0);
  EXPECT_FALSE(probe.nestedCompile);
  EXPECT_EQ(lineWhileWaiting, "#COMPILE EXE");                     // the key waited for the compiler
  EXPECT_EQ(Documents().Document(tab).lines[0], "x#COMPILE EXE");  // and was typed afterwards
}

}  // namespace
}  // namespace quillet
