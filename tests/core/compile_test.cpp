#include "build/compile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "build/build_names.h"
#include "editor/code_document.h"
#include "memory_file_system.h"

namespace quillet {
namespace {

using Calls = std::vector<std::string>;

// Records every request as one line of text; the compiler is a function of
// its command line that may write into the files.
class FakeBuildHost final : public BuildHost {
 public:
  FileSystem& Files() override { return files; }
  YesNoCancel AskToSave(const std::string& question) override {
    calls.push_back("ask " + question);
    return answer;
  }
  bool SaveDocument() override {
    calls.push_back("save");
    if (saveWorks && save) save();
    return saveWorks;
  }
  void ShowMessage(const std::string& text, const char* caption, MessageIcon icon) override {
    calls.push_back(std::string(icon == MessageIcon::kError ? "error " : "warning ") + caption + " " + text);
  }
  void SetHelpText(const std::string& text) override { calls.push_back("help " + text); }
  void ShowLog(const std::string& log, std::size_t firstShown) override {
    calls.push_back("help " + log);
    shownFrom = log.substr(firstShown);
  }
  void LetWindowsPaint() override { calls.push_back("paint"); }
  void SetCurrentFolder(const std::string& folder) override { calls.push_back("cd " + folder); }
  bool RemoveFile(const std::string& path) override {
    files.files.erase(path);
    calls.push_back("remove " + path);
    return true;
  }
  std::uint64_t FileTime(const std::string& path) override {
    return files.files.count(path) ? (times.count(path) ? times[path] : 1) : 0;
  }
  const DocumentList& OpenDocuments() override { return open; }
  void SelectTab(int tab) override { calls.push_back("tab " + std::to_string(tab)); }
  int OpenFile(const std::string& path) override {
    calls.push_back("open " + path);
    std::string text;
    if (!files.ReadWholeFile(path, text)) return 0;
    return Add(path, text);
  }
  // A document of its own lines, as a tab the compile did not start from.
  int Add(const std::string& path, const std::string& text) {
    auto added = std::make_unique<CodeDocument>(*context);
    added->filePath = path;
    added->lines.Assign({text, text, text});
    return open.Append({std::move(added), nullptr});
  }
  bool StartProcess(const std::string& application, const std::string& commandLine, bool wait) override {
    calls.push_back((wait ? "run " : "start ") + application + " | " + commandLine);
    if (starts && compiler) compiler(commandLine);
    return starts;
  }
  void Beep() override { calls.push_back("beep"); }

  MemoryFileSystem files;
  Calls calls;
  YesNoCancel answer = YesNoCancel::No;
  bool saveWorks = true;
  std::function<void()> save;
  bool starts = true;
  std::function<void(const std::string&)> compiler;
  std::string shownFrom;                        // the log from its first shown line
  std::map<std::string, std::uint64_t> times;  // of the files; 1 when not set
  EditorContext* context = nullptr;
  DocumentList open;
};

// The source on a command line, as the compiler receives it.
std::string GivenSource(const std::string& commandLine) {
  const std::size_t start = commandLine.find("\" \"") + 3;
  return commandLine.substr(start, commandLine.find("\" /Q") - start);
}

constexpr char kCompiler[] = "F:\\PB\\Bin\\PBWin.exe";
constexpr char kSource[] = "D:\\W\\a.bas";
constexpr char kLog[] = "D:\\W\\a.log";
constexpr char kCommand[] = "\"F:\\PB\\Bin\\PBWin.exe\" \"D:\\W\\a.bas\" /Q /L /I\"F:\\PB\\WinAPI\"";

class CompileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.files.shortNames = {{"D:\\W", "W"}, {kSource, "a.bas"}};
    document.filePath = kSource;
    document.SetDisplayName("a.bas");
    document.kind = SourceKind::Basic;
    std::vector<std::string> lines = {"#COMPILE EXE"};
    for (int k = 2; k <= 10; ++k) lines.push_back("line " + std::to_string(k));
    document.lines.Assign(lines);
    host.save = [this] { document.modified = false; };
    host.context = &context;
  }
  // A compiler names its log after the path it is given.
  void CompilerWrites(const std::string& log) {
    host.compiler = [this, log](const std::string& line) { host.files.files[LogPathOf(GivenSource(line))] = log; };
  }
  bool Compile(const std::string& compiler = kCompiler) { return CompileDocument(document, compiler, host); }

  EditorSettings settings;
  MemoryFileSystem unused;
  EditorContext context{settings, unused};
  CodeDocument document{context};
  FakeBuildHost host;
};

TEST(CompileLogTest, ErrorCodeAndLineNumber) {
  CompileLogResult r = ParseCompileLog("PB\r\nError 519 in D:\\a.bas(5:1)\r\nLine 5: x =\r\n");
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(r.code, " 519 ");
  EXPECT_TRUE(r.hasLine);
  EXPECT_EQ(r.line, 5);

  r = ParseCompileLog("PB\r\nError 7 in a\r\nLine  12 : y");
  EXPECT_EQ(r.line, 12);
  r = ParseCompileLog("PB\r\nError 7 in a\r\nLine x: y");
  EXPECT_TRUE(r.hasLine);
  EXPECT_EQ(r.line, 0);  // no number: no line of the text
  r = ParseCompileLog("PB\r\nError 7 in a\r\nLine 99999999999: y");
  EXPECT_GT(r.line, 1000000);

  // "in" starting on a trail byte (0xB0 0x69) is not the word.
  EXPECT_EQ(ParseCompileLog("PB\r\nError \xB0\x69n in a").code, " \xB0\x69n ");
  // Without "in" the code ends with its line.
  EXPECT_EQ(ParseCompileLog("PB\r\nError 7\r\nL").code, " 7");
  // The file stands before the last "(line:column)".
  EXPECT_EQ(ParseCompileLog("PB\r\nError 7 in C:\\P (x86)\\a(1).inc(12:005):  y (1:2)").file,
            "C:\\P (x86)\\a(1).inc");
  EXPECT_EQ(ParseCompileLog("PB\r\nError 7 in a.bas:  no place").file, "");

  r = ParseCompileLog("PB\r\nError 7 in a\r\nno line here");
  EXPECT_TRUE(r.failed);
  EXPECT_FALSE(r.hasLine);
  EXPECT_FALSE(ParseCompileLog("Error 7 in a\r\nLine 1: x").failed);  // only "Error" after a line break counts
  EXPECT_FALSE(ParseCompileLog("PB\r\nerror 7 in a").failed);
  EXPECT_FALSE(ParseCompileLog("").failed);
}

TEST(CompileLogTest, ABrokenCharacterBeforeALineBreakDoesNotHideTheLineBreak) {
  // A lead byte right before CR LF must not take the CR as its trail byte:
  // the "Error" line after it would go unseen and the compile pass as good.
  CompileLogResult r = ParseCompileLog("PB \xA8\r\nError 7 in a\r\nLine 2: y");
  EXPECT_TRUE(r.failed);
  EXPECT_EQ(r.line, 2);
  r = ParseCompileLog("PB\r\nError 7 \xA8\r\nLine 3: y\r\n");
  EXPECT_EQ(r.code, " 7 \xA8");  // the code never runs into the next line
  EXPECT_EQ(r.line, 3);
}

TEST_F(CompileTest, ASuccessfulCompileRunsEveryStepInOrder) {
  host.files.files[kLog] = "PB\r\nError 1 in old\r\nLine 2: x";  // left by an earlier compile
  CompilerWrites("PB\r\nno errors\r\n");
  EXPECT_TRUE(Compile());
  EXPECT_EQ(host.calls, (Calls{"help 正在编译程序，请等待...", "paint", "cd D:\\W\\", std::string("remove ") + kLog,
                               std::string("run ") + kCompiler + " | " + kCommand, "help PB\r\nno errors\r\n",
                               "beep"}));
}

TEST_F(CompileTest, AnErrorMovesTheCaretAndTellsTheCode) {
  CompilerWrites("PB\r\nError 516 in D:\\W\\a.bas(5:3)\r\nLine 5: line 5\r\n");
  EXPECT_FALSE(Compile());
  EXPECT_EQ(document.caret, (TextPos{4, 0}));
  EXPECT_FALSE(document.HasSelection());
  EXPECT_EQ(host.calls.back(), "error 编译失败 编译时出错，请看错误提示！错误代号: 516 ");

  EXPECT_EQ(host.shownFrom.substr(0, 9), "Error 516");  // not the banner above it

  // A line beyond the text (the file on disk is longer) is its last line, and
  // nothing is selected that the next key would replace.
  CompilerWrites("PB\r\nError 516 in a\r\nLine 11: x\r\n");
  EXPECT_FALSE(Compile());
  EXPECT_FALSE(document.HasSelection());
  EXPECT_EQ(document.caret, (TextPos{9, 0}));

  // No line: the caret stays.
  document.GoToLine(2);
  CompilerWrites("PB\r\nError 9 in a\r\n");
  EXPECT_FALSE(Compile());
  EXPECT_EQ(document.caret, (TextPos{1, 0}));
  EXPECT_EQ(host.calls.back(), "error 编译失败 编译时出错，请看错误提示！错误代号: 9 ");
}

TEST_F(CompileTest, OutputsNamedAfterTheShortPathAreFound) {
  // Not an 8.3 name: the compiler is given LONGNA~1.BAS and names its outputs so.
  const std::string source = "D:\\W\\long name.bas";
  host.files.shortNames[source] = "LONGNA~1.BAS";
  host.files.shortNames["D:\\W\\LONGNA~1.BAS"] = "LONGNA~1.BAS";
  document.filePath = source;
  document.SetDisplayName("long name.bas");
  host.files.files["D:\\W\\long name.log"] = "PB\r\nError 1 in old\r\nLine 2: x";  // stale, either name
  host.files.files["D:\\W\\LONGNA~1.log"] = "PB\r\nError 1 in old\r\nLine 2: x";
  CompilerWrites("PB\r\nError 516 in D:\\W\\LONGNA~1.BAS(5:1)\r\nLine 5: x\r\n");
  EXPECT_FALSE(Compile());
  EXPECT_FALSE(host.files.files.count("D:\\W\\long name.log"));
  EXPECT_EQ(document.caret, (TextPos{4, 0}));  // the short name in the log is this document
  EXPECT_EQ(host.calls.back(), "error 编译失败 编译时出错，请看错误提示！错误代号: 516 ");

  // The program is run under the name that exists, the newer when both do.
  host.starts = false;
  EXPECT_FALSE(RunProgram(document, host));  // none yet: the long name is tried
  EXPECT_EQ(host.calls.back(), "start D:\\W\\long name.exe | \"D:\\W\\long name.exe\"");
  host.starts = true;
  host.files.files["D:\\W\\LONGNA~1.exe"] = "MZ";
  EXPECT_TRUE(RunProgram(document, host));
  EXPECT_EQ(host.calls.back(), "start D:\\W\\LONGNA~1.exe | \"D:\\W\\LONGNA~1.exe\"");
  host.files.files["D:\\W\\long name.exe"] = "MZ";
  host.times["D:\\W\\long name.exe"] = 5;
  EXPECT_TRUE(RunProgram(document, host));
  EXPECT_EQ(host.calls.back(), "start D:\\W\\long name.exe | \"D:\\W\\long name.exe\"");
}

TEST_F(CompileTest, AnErrorInAnotherFileGoesToThatFile) {
  const auto failsIn = [this](const std::string& file) {
    CompilerWrites("PB\r\nError 460 in " + file + "(3:1):  x\r\nLine 3: x\r\n");
    document.GoToLine(9);
    host.calls.clear();
    EXPECT_FALSE(Compile());
  };
  // Already open, named in other letter case: its tab becomes current.
  host.Add("D:\\W\\Other.inc", "o");
  host.Add("D:\\W\\util.inc", "u");
  failsIn("d:\\w\\UTIL.INC");
  EXPECT_EQ(host.calls[host.calls.size() - 2], "tab 2");
  EXPECT_EQ(host.open.Document(2).caret, (TextPos{2, 0}));
  EXPECT_EQ(document.caret, (TextPos{8, 0}));

  // Not open, named relative to the source, in a folder with "(": opened.
  const std::string lib = "D:\\W\\lib (1)\\io.inc";
  host.files.files[lib] = "i";
  host.files.shortNames[lib] = "io.inc";
  host.files.shortNames["D:\\W\\LIB(1)~1\\io.inc"] = "io.inc";
  host.files.shortNames["D:\\W\\lib (1)"] = "LIB(1)~1";
  failsIn("lib (1)\\io.inc");
  EXPECT_EQ(host.calls[host.calls.size() - 2], "open " + lib);
  EXPECT_EQ(host.open.Document(3).caret, (TextPos{2, 0}));
  EXPECT_EQ(document.caret, (TextPos{8, 0}));

  // Gone: the log is shown, and no caret moves.
  failsIn("D:\\W\\gone.inc");
  EXPECT_EQ(host.open.Count(), 3);
  EXPECT_EQ(document.caret, (TextPos{8, 0}));
  EXPECT_EQ(host.shownFrom.substr(0, 9), "Error 460");
}

TEST_F(CompileTest, NoCompilerNoStartOrNoLogIsAFailure) {
  EXPECT_FALSE(Compile(""));
  EXPECT_EQ(host.calls, Calls{"warning 无法编译 未设定PowerBasic编译器的路径！"});

  host.calls.clear();
  host.starts = false;
  EXPECT_FALSE(Compile());
  EXPECT_EQ(host.calls.back(), "help 运行编译器失败，请检测编译器路径是否正确");

  // The stale log is gone, and the compiler wrote none.
  host.calls.clear();
  host.starts = true;
  host.files.files[kLog] = "PB\r\nall well\r\n";
  EXPECT_FALSE(Compile());
  EXPECT_EQ(host.calls.back(), "help 编译器没有生成日志文件，请检测编译器路径是否正确");
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "beep"), 0);
}

TEST_F(CompileTest, TheSaveQuestionDecidesWhatIsCompiled) {
  CompilerWrites("PB\r\n");
  const std::string question = "ask \"a.bas\"已经修改或未保存，是否保存？";
  const auto ran = [this] { return !host.calls.empty() && host.calls.back() == "beep"; };

  document.modified = true;
  host.answer = YesNoCancel::Yes;
  EXPECT_TRUE(Compile());
  EXPECT_EQ(host.calls[0], question);
  EXPECT_EQ(host.calls[1], "save");
  EXPECT_FALSE(document.IsModified());

  for (YesNoCancel answer : {YesNoCancel::No, YesNoCancel::Cancel}) {  // the saved file is compiled
    host.calls.clear();
    document.modified = true;
    host.answer = answer;
    EXPECT_TRUE(Compile());
    EXPECT_EQ(host.calls[0], question);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "save"), 0);
    EXPECT_TRUE(ran());
  }

  host.calls.clear();
  host.answer = YesNoCancel::Yes;
  host.saveWorks = false;
  EXPECT_FALSE(Compile());
  EXPECT_EQ(host.calls, (Calls{question, "save"}));

  // Never saved: Cancel stops; No leaves nothing to compile.
  document.filePath.clear();
  document.modified = false;
  host.calls.clear();
  host.answer = YesNoCancel::Cancel;
  EXPECT_FALSE(Compile());
  EXPECT_EQ(host.calls, Calls{question});
  host.calls.clear();
  host.answer = YesNoCancel::No;
  EXPECT_FALSE(Compile());
  EXPECT_EQ(host.calls, (Calls{question, "help 正在编译程序，请等待...", "paint",
                               "help 运行编译器失败，请检测编译器路径是否正确"}));
}

TEST_F(CompileTest, OtherTextIsNeverCompiled) {
  document.kind = SourceKind::Other;
  document.modified = true;
  EXPECT_FALSE(Compile());
  EXPECT_EQ(host.calls.size(), 1u);  // just the question
}

TEST_F(CompileTest, RunStartsTheBuiltProgramQuoted) {
  EXPECT_TRUE(RunProgram(document, host));
  EXPECT_EQ(host.calls, Calls{"start D:\\W\\a.exe | \"D:\\W\\a.exe\""});

  host.calls.clear();
  document.lines.Assign({"#COMPILE DLL"});
  EXPECT_FALSE(RunProgram(document, host));
  EXPECT_TRUE(host.calls.empty());
}

}  // namespace
}  // namespace quillet
