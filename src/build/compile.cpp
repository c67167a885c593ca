#include "build/compile.h"

#include <algorithm>
#include <climits>

#include "build/build_names.h"
#include "editor/code_document.h"
#include "platform/file_system.h"

namespace quillet {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
constexpr std::string_view kErrorMark = "Error";  // at the start of a line after the first
constexpr std::string_view kLineMark = "Line";

// The number at the start of text after blanks, as far as digits go; 0 when
// there is none. Too many digits give the largest int, which no text reaches.
int LeadingNumber(std::string_view text) {
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string_view::npos) return 0;
  const bool negative = text[at] == '-';
  if (text[at] == '-' || text[at] == '+') ++at;
  long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = std::min<long long>(value * 10 + (text[at] - '0'), INT_MAX);
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

std::string UnsavedQuestionText(std::string_view displayName) {
  std::string text = "\"";
  return text.append(displayName).append("\"已经修改或未保存，是否保存？");
}

CompileLogResult ParseCompileLog(std::string_view log) {
  // The log is read line by line. CR LF ends a line wherever it stands: a lead
  // byte just before it is a broken character, not the start of a pair, and
  // must not hide the line break (and with it an "Error" line) from the scan.
  CompileLogResult result;
  for (std::size_t at = log.find(kLineBreak); at != std::string_view::npos;) {
    const std::size_t start = at + kLineBreak.size();
    at = log.find(kLineBreak, start);
    const std::string_view line = log.substr(start, at == std::string_view::npos ? at : at - start);
    if (!result.failed) {
      if (!line.starts_with(kErrorMark)) continue;
      result.failed = true;
      // The code ends before "in", else with its line.
      const std::string_view code = line.substr(kErrorMark.size());
      result.code = std::string(code.substr(0, FindAscii(code, "in")));
    } else if (line.starts_with(kLineMark)) {
      // Only the first "Line" line after the error counts.
      const std::string_view rest = line.substr(kLineMark.size());
      const std::size_t colon = FindAscii(rest, ":");
      if (colon == std::string_view::npos) return result;
      result.hasLine = true;
      result.line = LeadingNumber(rest.substr(0, colon));
      return result;
    }
  }
  return result;
}

bool CompileDocument(CodeDocument& document, const std::string& compilerPath, BuildHost& host) {
  if (compilerPath.empty()) {
    host.ShowMessage(kNoCompilerText, kNoCompilerCaption, MessageIcon::kWarning);
    return false;
  }
  if (document.IsUntitled() || document.IsModified()) {
    switch (host.AskToSave(UnsavedQuestionText(document.GetDisplayName()))) {
      case YesNoCancel::Yes:
        if (!host.SaveDocument()) return false;
        break;
      case YesNoCancel::Cancel:
        if (document.IsUntitled()) return false;
        break;
      case YesNoCancel::No:  // the file's saved contents are compiled
        break;
    }
  }
  if (document.GetKind() == SourceKind::Other) return false;

  const std::string command = BuildCompileCommand(document, compilerPath, host.Files());
  host.SetHelpText(kCompilingText);
  host.LetWindowsPaint();
  const std::string folder = GetFolder(document);
  if (!folder.empty()) host.SetCurrentFolder(folder);
  // A log left by an earlier compile must not pass for this one's.
  const std::string logPath = GetOutputPath(document, false);
  if (!logPath.empty()) host.RemoveFile(logPath);
  if (command.empty() || !host.StartProcess(compilerPath, command, true)) {
    host.SetHelpText(kCompilerFailedText);
    return false;
  }

  std::string log;
  if (!host.Files().ReadWholeFile(logPath, log, kMaxLogBytes)) {
    host.SetHelpText(kNoLogText);
    return false;
  }
  host.SetHelpText(log);
  const CompileLogResult result = ParseCompileLog(log);
  if (!result.failed) {
    host.Beep();
    return true;
  }
  if (result.hasLine) {
    document.SelectAll();
    document.GoToLine(result.line);  // a line beyond the text leaves it all selected
  }
  host.ShowMessage(kCompileErrorText + result.code, kCompileErrorCaption, MessageIcon::kError);
  return false;
}

bool RunProgram(const CodeDocument& document, BuildHost& host) {
  const std::string program = GetOutputPath(document, true);
  return !program.empty() && host.StartProcess(program, "\"" + program + "\"", false);
}

}  // namespace quillet
