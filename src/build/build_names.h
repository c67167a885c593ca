// The names a compile derives from a document's path and the compiler's path:
// folder, log file, executable, compiler root and include folder, the short
// form of a path, and the compiler's command line. All are computed on demand.
// Paths are GBK bytes; every scan steps over two-byte characters whole, since
// a trail byte can look like '\', 'E' or 'i'.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class CodeDocument;
class FileSystem;
class LineStore;

// The path up to and including its last backslash; empty when it has none.
std::string FolderOfPath(std::string_view path);

// The path with the text after its last dot replaced by "log", or with ".log"
// appended when there is no dot after the last backslash.
std::string LogPathOf(std::string_view path);

// The compiler path without its file name and the folder holding it, ending in
// a backslash (F:\PBWin80\Bin\PBWin.exe gives F:\PBWin80\); empty when the
// path has fewer than two backslashes.
std::string GetCompilerRoot(std::string_view compilerPath);

// The compiler root followed by "WinAPI".
std::string IncludeFolder(std::string_view compilerPath);

// The program that lines build, named by their first "#COMPILE " line (TABs
// taken as blanks, blanks trimmed; a commented line does not count). Empty
// when there is no such line or it names no EXE. A quoted name after EXE wins
// over displayName; a name holding ":\" stands as it is, any other goes into
// folder. ".dll" becomes ".exe"; a name without an extension gets ".exe".
std::string ExecutablePathOf(std::string_view folder, std::string_view displayName, const LineStore& lines);

// The document's folder, empty when it has no file path.
std::string GetFolder(const CodeDocument& document);

// The log file (executable false) or the program the document builds
// (executable true). Empty when the document has no file path; the program
// also for other text, and when no "#COMPILE " line names an EXE.
std::string GetOutputPath(const CodeDocument& document, bool executable);

// The path with every folder and the file name as the file system lists them
// short (8.3), without a trailing backslash. Empty when the path holds no
// backslash or one of its parts does not exist.
std::string ToShortPath(std::string_view path, FileSystem& files);

// A compiler is given the short path and may name its log and program after
// it rather than after the long one. These are the names a compile's output
// may have: first after the long path, then (when it differs) after the short.
// Empty when the document has no file path or builds no program.
std::vector<std::string> LogPathsOf(const CodeDocument& document, FileSystem& files);
std::vector<std::string> ExecutablePathsOf(const CodeDocument& document, FileSystem& files);

// Whether two paths name the same file as Windows sees it: letter case aside,
// and a short form of either matching the other's. False when either is empty.
bool SameFile(std::string_view a, std::string_view b, FileSystem& files);

// "compiler" "short source" /Q /L /I"include folder"; empty when the document
// has no file path. The short source stays an empty pair of quotes when part
// of the path is gone.
std::string BuildCompileCommand(const CodeDocument& document, std::string_view compilerPath, FileSystem& files);

// The first place at or after from where needle (ASCII) starts on a character
// boundary; npos when there is none. noCase folds ASCII letters only.
std::size_t FindAscii(std::string_view text, std::string_view needle, std::size_t from = 0, bool noCase = false);

}  // namespace quillet
