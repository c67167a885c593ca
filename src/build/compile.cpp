#include "build/compile.h"

#include <algorithm>
#include <climits>
#include <vector>

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

bool IsDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The file before the first "(line:column)" of what follows "in"; empty when
// there is none. A folder may hold "(" itself, as in "Program Files (x86)",
// but no name holds ':'; nor is ':' or ')' ever a trail byte.
std::string ErrorFile(std::string_view rest) {
  std::size_t found = std::string_view::npos;
  for (std::size_t open = FindAscii(rest, "("); open != std::string_view::npos && found == std::string_view::npos;
       open = FindAscii(rest, "(", open + 1)) {
    const std::size_t close = rest.find(')', open);
    if (close == std::string_view::npos) break;
    const std::string_view inside = rest.substr(open + 1, close - open - 1);
    const std::size_t colon = inside.find(':');
    if (colon != std::string_view::npos && IsDigits(inside.substr(0, colon)) && IsDigits(inside.substr(colon + 1))) {
      found = open;
    }
  }
  if (found == std::string_view::npos) return {};
  std::string_view file = rest.substr(0, found);
  const std::size_t first = file.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  file = file.substr(first);
  return std::string(file.substr(0, file.find_last_not_of(' ') + 1));
}

bool IsAbsolute(std::string_view path) {
  return (path.size() >= 2 && path[1] == ':') || path.starts_with("\\");
}

// The candidate written last; the first when none is there.
std::string NewestFile(const std::vector<std::string>& paths, BuildHost& host) {
  std::string newest = paths.empty() ? std::string() : paths.front();
  std::uint64_t newestTime = 0;
  for (const std::string& path : paths) {
    const std::uint64_t time = host.FileTime(path);
    if (time > newestTime) {
      newest = path;
      newestTime = time;
    }
  }
  return newest;
}

// The document the error line names, its tab made current when it is another
// than the compiled one; null when that file cannot be opened.
CodeDocument* ErrorDocument(CodeDocument& compiled, const std::string& named, BuildHost& host) {
  if (named.empty()) return &compiled;
  const std::string path = IsAbsolute(named) ? named : GetFolder(compiled) + named;
  FileSystem& files = host.Files();
  if (SameFile(path, compiled.filePath, files)) return &compiled;
  const DocumentList& open = host.OpenDocuments();
  for (int tab = 1; tab <= open.Count(); ++tab) {
    if (SameFile(path, open.Document(tab).filePath, files)) {
      host.SelectTab(tab);
      return &open.Document(tab);
    }
  }
  if (ToShortPath(path, files).empty()) return nullptr;  // no such file
  const int tab = host.OpenFile(path);
  return tab > 0 && host.OpenDocuments().Contains(tab) ? &host.OpenDocuments().Document(tab) : nullptr;
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
      result.errorAt = start;
      // The code ends before "in", else with its line.
      const std::string_view code = line.substr(kErrorMark.size());
      const std::size_t in = FindAscii(code, "in");
      result.code = std::string(code.substr(0, in));
      if (in != std::string_view::npos) result.file = ErrorFile(code.substr(in + 2));
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
  // A log left by an earlier compile must not pass for this one's, under
  // whichever name the compiler gives it.
  const std::vector<std::string> logPaths = LogPathsOf(document, host.Files());
  for (const std::string& path : logPaths) host.RemoveFile(path);
  if (command.empty() || !host.StartProcess(compilerPath, command, true)) {
    host.SetHelpText(kCompilerFailedText);
    return false;
  }

  std::string log;
  if (!host.Files().ReadWholeFile(NewestFile(logPaths, host), log, kMaxLogBytes)) {
    host.SetHelpText(kNoLogText);
    return false;
  }
  const CompileLogResult result = ParseCompileLog(log);
  // The error, not the compiler's banner above it, is what the user looks for.
  host.ShowLog(log, result.failed ? result.errorAt : 0);
  if (!result.failed) {
    host.Beep();
    return true;
  }
  if (result.hasLine && result.line >= 1) {
    if (CodeDocument* target = ErrorDocument(document, result.file, host)) {
      // A line beyond the text (the file changed since) means its last line.
      target->GoToLine(std::min(result.line, target->lines.size()));
    }
  }
  host.ShowMessage(kCompileErrorText + result.code, kCompileErrorCaption, MessageIcon::kError);
  return false;
}

bool RunProgram(const CodeDocument& document, BuildHost& host) {
  const std::string program = NewestFile(ExecutablePathsOf(document, host.Files()), host);
  return !program.empty() && host.StartProcess(program, "\"" + program + "\"", false);
}

}  // namespace quillet
