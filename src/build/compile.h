// Compiling the document of a tab and running the program it builds. The
// decisions live here; what needs a window, a process or the disk is asked of
// a BuildHost, so every branch runs in a native test.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/documents.h"

namespace quillet {

class CodeDocument;
class FileSystem;

inline constexpr char kNoCompilerText[] = "未设定PowerBasic编译器的路径！";
inline constexpr char kNoCompilerCaption[] = "无法编译";
inline constexpr char kUnsavedCaption[] = "文件未保存";
inline constexpr char kCompilingText[] = "正在编译程序，请等待...";
inline constexpr char kCompilerFailedText[] = "运行编译器失败，请检测编译器路径是否正确";
inline constexpr char kNoLogText[] = "编译器没有生成日志文件，请检测编译器路径是否正确";
inline constexpr char kCompileErrorCaption[] = "编译失败";
inline constexpr char kCompileErrorText[] = "编译时出错，请看错误提示！错误代号:";

// Logs beyond this size are not a compiler's: they are treated as unreadable.
constexpr std::uint64_t kMaxLogBytes = std::uint64_t(16) << 20;

// "name"已经修改或未保存，是否保存？
std::string UnsavedQuestionText(std::string_view displayName);

// What a compiler's log says about the compile.
struct CompileLogResult {
  bool failed = false;  // the log holds "\r\nError"
  std::string code;     // the text between "Error" and "in", blanks kept
  bool hasLine = false;
  int line = 0;         // the number before ":" on the following "Line" line
  std::string file;     // the file before "(line:column)" on the error line, as written; empty when none
  std::size_t errorAt = std::string_view::npos;  // where the error line starts
};
CompileLogResult ParseCompileLog(std::string_view log);

enum class MessageIcon { kWarning, kError };

class BuildHost {
 public:
  virtual ~BuildHost() = default;
  virtual FileSystem& Files() = 0;
  // The "文件未保存" question (是/否/取消).
  virtual YesNoCancel AskToSave(const std::string& question) = 0;
  // Saves the document being compiled, asking for a path when it has none;
  // false when it was not saved (the user has been told why).
  virtual bool SaveDocument() = 0;
  virtual void ShowMessage(const std::string& text, const char* caption, MessageIcon icon) = 0;
  virtual void SetHelpText(const std::string& text) = 0;
  // Shows the compiler's log in the help box, scrolled so that the line
  // starting at byte firstShown is its top line.
  virtual void ShowLog(const std::string& log, std::size_t firstShown) = 0;
  // Lets the windows paint what changed, without taking any input.
  virtual void LetWindowsPaint() = 0;
  virtual void SetCurrentFolder(const std::string& folder) = 0;
  // True when the file is gone afterwards (or was never there).
  virtual bool RemoveFile(const std::string& path) = 0;
  // When the file was last written, in any rising unit; 0 when it is not there.
  virtual std::uint64_t FileTime(const std::string& path) = 0;
  // The documents of the tabs, the one being compiled among them.
  virtual const DocumentList& OpenDocuments() = 0;
  virtual void SelectTab(int tab) = 0;
  // Opens the file in a new tab, which becomes current; its tab, 0 when it
  // could not be opened (the user has been told why).
  virtual int OpenFile(const std::string& path) = 0;
  // Starts application with commandLine (which names it again, quoted). When
  // wait is set, returns only once it has ended; the windows keep painting
  // meanwhile, and input waits. False when it could not be started.
  virtual bool StartProcess(const std::string& application, const std::string& commandLine, bool wait) = 0;
  virtual void Beep() = 0;
};

// Compiles the document with the compiler at compilerPath. True only when the
// compiler ran, left a log and the log reports no error. On an error the caret
// goes to the reported line, in the file the log names (opened or made current
// when it is another), and the user is shown the error code.
bool CompileDocument(CodeDocument& document, const std::string& compilerPath, BuildHost& host);

// Starts the program the document builds, without waiting; false when it has
// none or it could not be started.
bool RunProgram(const CodeDocument& document, BuildHost& host);

}  // namespace quillet
