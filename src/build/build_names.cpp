#include "build/build_names.h"

#include <algorithm>

#include "common/gbk.h"
#include "editor/code_document.h"
#include "editor/line_store.h"
#include "platform/file_system.h"

namespace quillet {
namespace {

constexpr std::string_view kDirective = "#COMPILE ";

std::size_t CharSize(std::string_view text, std::size_t at) {
  return gbk::IsLeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
}

// Every from (ASCII) that starts on a character boundary becomes to.
std::string ReplaceAscii(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i, from.size()) == from) {
      out.append(to);
      i += from.size();
    } else {
      const std::size_t size = std::min(CharSize(text, i), text.size() - i);
      out.append(text.substr(i, size));
      i += size;
    }
  }
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return FindAscii(text.substr(0, prefix.size()), prefix, 0, true) == 0;
}

std::string_view TrimBlanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The quoted name of a directive line: the text after the first quote that
// follows "EXE", up to the closing quote (a comment may follow it), with "/"
// taken as "\". Empty when there is none.
std::string QuotedName(std::string_view line, std::size_t exe) {
  const std::size_t open = FindAscii(line, "\"", exe);
  if (open == std::string_view::npos) return {};
  std::string_view name = line.substr(open + 1);
  name = name.substr(0, FindAscii(name, "\""));
  return ReplaceAscii(name, "/", "\\");
}

std::string WithExeExtension(std::string name, bool explicitName) {
  const std::size_t dot = gbk::FindLastSingle(name, '.');
  if (dot == std::string::npos) return name + ".exe";
  if (!explicitName) return name.substr(0, dot + 1) + "exe";
  const std::string extension = gbk::ToUpper(std::string_view(name).substr(dot + 1));
  if (extension == "EXE") return name;
  if (extension == "DLL") return name.substr(0, dot) + ".exe";
  return name + ".exe";
}

}  // namespace

std::size_t FindAscii(std::string_view text, std::string_view needle, std::size_t from, bool noCase) {
  // A match that starts on a boundary holds only single bytes, since needle does.
  for (std::size_t i = 0; i < text.size() && text.size() - i >= needle.size(); i += CharSize(text, i)) {
    if (i < from) continue;
    std::size_t k = 0;
    while (k < needle.size() && (noCase ? gbk::AsciiUpper(text[i + k]) == gbk::AsciiUpper(needle[k])
                                        : text[i + k] == needle[k])) {
      ++k;
    }
    if (k == needle.size()) return i;
  }
  return std::string_view::npos;
}

std::string FolderOfPath(std::string_view path) {
  const std::size_t sep = gbk::FindLastSingle(path, '\\');
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string LogPathOf(std::string_view path) {
  const std::size_t dot = gbk::FindLastSingle(path, '.');
  const std::size_t sep = gbk::FindLastSingle(path, '\\');
  if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep)) {
    return std::string(path) + ".log";
  }
  return std::string(path.substr(0, dot + 1)) + "log";
}

std::string GetCompilerRoot(std::string_view compilerPath) {
  const std::size_t sep = gbk::FindLastSingle(compilerPath, '\\');
  if (sep == std::string_view::npos) return {};
  return FolderOfPath(compilerPath.substr(0, sep));
}

std::string IncludeFolder(std::string_view compilerPath) { return GetCompilerRoot(compilerPath) + "WinAPI"; }

std::string ExecutablePathOf(std::string_view folder, std::string_view displayName, const LineStore& lines) {
  for (const std::string& text : lines) {
    std::string blanked = text;
    for (char& c : blanked) {
      if (c == '\t') c = ' ';
    }
    const std::string_view line = TrimBlanks(blanked);
    if (!StartsWithNoCase(line, kDirective)) continue;

    // Only the first directive line counts.
    const std::size_t exe = FindAscii(line, "EXE", kDirective.size() - 1, true);
    if (exe == std::string_view::npos) return {};  // a DLL, say
    std::string name = QuotedName(line, exe);
    const bool explicitName = !name.empty();
    bool absolute = false;
    if (explicitName && FindAscii(name, ":\\") != std::string::npos) {
      absolute = true;
      name = ReplaceAscii(name, "\\\\", "\\");
    }
    if (!explicitName) name = displayName;
    name = WithExeExtension(std::move(name), explicitName);
    return absolute ? name : std::string(folder) + name;
  }
  return {};
}

std::string GetFolder(const CodeDocument& document) { return FolderOfPath(document.filePath); }

std::string GetOutputPath(const CodeDocument& document, bool executable) {
  if (document.filePath.empty()) return {};
  if (!executable) return LogPathOf(document.filePath);
  if (document.kind == SourceKind::Other) return {};
  return ExecutablePathOf(GetFolder(document), document.displayName, document.lines);
}

std::string ToShortPath(std::string_view path, FileSystem& files) {
  const std::size_t first = FindAscii(path, "\\");
  if (first == std::string_view::npos) return {};
  std::string result(path.substr(0, first + 1));
  std::size_t at = first + 1;
  while (at < path.size()) {
    // The part's own characters only: searching from the path's start again
    // for every part cost more than the parts themselves.
    std::size_t end = at;
    while (end < path.size() && path[end] != '\\') end += CharSize(path, end);
    end = std::min(end, path.size());
    std::string name;
    if (!files.ShortEntryName(result + std::string(path.substr(at, end - at)), name)) return {};
    result.append(name).push_back('\\');
    at = end + 1;
  }
  result.pop_back();
  return result;
}

namespace {

// The file name of the short form of the document's path; empty when it is
// gone or the same as the long one.
std::string ShortFileName(const CodeDocument& document, FileSystem& files) {
  const std::string shortPath = ToShortPath(document.filePath, files);
  const std::string name = shortPath.substr(FolderOfPath(shortPath).size());
  const std::string longName = document.filePath.substr(GetFolder(document).size());
  return gbk::EqualsNoCase(name, longName) ? std::string() : name;
}

}  // namespace

std::vector<std::string> LogPathsOf(const CodeDocument& document, FileSystem& files) {
  if (document.filePath.empty()) return {};
  std::vector<std::string> paths = {LogPathOf(document.filePath)};
  const std::string shortName = ShortFileName(document, files);
  if (!shortName.empty()) paths.push_back(LogPathOf(GetFolder(document) + shortName));
  return paths;
}

std::vector<std::string> ExecutablePathsOf(const CodeDocument& document, FileSystem& files) {
  const std::string program = GetOutputPath(document, true);
  if (program.empty()) return {};
  std::vector<std::string> paths = {program};
  // A name given in the source is the compiler's too; only one taken from the
  // source's own name can differ.
  const std::string shortName = ShortFileName(document, files);
  if (shortName.empty()) return paths;
  const std::string shortProgram = ExecutablePathOf(GetFolder(document), shortName, document.lines);
  if (!gbk::EqualsNoCase(shortProgram, program)) paths.push_back(shortProgram);
  return paths;
}

bool SameFile(std::string_view a, std::string_view b, FileSystem& files) {
  if (a.empty() || b.empty()) return false;
  if (gbk::EqualsNoCase(a, b)) return true;
  const std::string shortA = ToShortPath(a, files);
  return !shortA.empty() && gbk::EqualsNoCase(shortA, ToShortPath(b, files));
}

std::string BuildCompileCommand(const CodeDocument& document, std::string_view compilerPath, FileSystem& files) {
  if (document.filePath.empty()) return {};
  std::string command = "\"";
  command.append(compilerPath).append("\" \"").append(ToShortPath(document.filePath, files));
  command.append("\" /Q /L /I\"").append(IncludeFolder(compilerPath)).append("\"");
  return command;
}

}  // namespace quillet
