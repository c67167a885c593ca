// A stand-in for the compiler in the tests of the compile command. Started as
//   "<itself>" "<source>" /Q /L /I"<include folder>"
// it writes its whole command line to received.txt beside itself, then a log
// named after the source path exactly as given (its extension replaced by
// "log"), so a short path gives a short-named log and program:
//   - an error block when a line starts with a word it does not know:
//       Error 516 in <source>(<line>:1):  Undefined word: <word>
//       Line <line>: <the line>
//   - otherwise a success log, and the program the first "#COMPILE " line
//     names: for EXE a copy of marker_program.exe (found beside itself) named
//     after the source or the quoted name, for DLL a small file <name>.dll.
// Comment lines steer it: "' stand-in: no log" makes it write no log at all,
// "' stand-in: wait <ms>" makes it take that long first.
// Any other command line: exit code 2 and no log.
#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Folder(const std::string& path) {
  std::size_t last = std::string::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (static_cast<unsigned char>(path[i]) >= 0x80) {
      ++i;  // a two-byte character; its trail byte may be '\'
    } else if (path[i] == '\\') {
      last = i;
    }
  }
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string WithoutExtension(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  return dot == std::string::npos || dot < Folder(path).size() ? path : path.substr(0, dot);
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool ReadFile(const std::string& path, std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return true;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return lines;
    start = end + 2;
  }
}

// The text of a quoted argument at at; at moves past it. False when there is none.
bool Quoted(const std::string& line, std::size_t& at, std::string& text) {
  if (at >= line.size() || line[at] != '"') return false;
  const std::size_t close = line.find('"', at + 1);
  if (close == std::string::npos) return false;
  text = line.substr(at + 1, close - at - 1);
  at = close + 1;
  return true;
}

bool Known(const std::string& word) {
  static const char* const kWords[] = {"#COMPILE", "#DIM", "#INCLUDE", "FUNCTION", "SUB", "END", "DIM",
                                       "LOCAL", "GLOBAL", "PRINT", "MSGBOX", "IF", "ELSE", "FOR",
                                       "NEXT", "REM"};
  for (const char* known : kWords) {
    if (word == known) return true;
  }
  return false;
}

// The first word of a line (up to a blank, TAB or "("), upper-cased.
std::string FirstWord(const std::string& trimmed) {
  return Upper(trimmed.substr(0, trimmed.find_first_of(" \t(")));
}

// Builds what the first "#COMPILE " line asks for; nothing without one.
void WriteProgram(const std::string& source, const std::vector<std::string>& lines, const std::string& self) {
  for (const std::string& line : lines) {
    const std::string trimmed = Trim(line);
    if (Upper(trimmed.substr(0, 9)) != "#COMPILE ") continue;
    const std::string kind = Upper(Trim(trimmed.substr(9)).substr(0, 3));
    std::string name = WithoutExtension(source);
    std::size_t quote = trimmed.find('"');
    std::string quoted;
    if (quote != std::string::npos && Quoted(trimmed, quote, quoted) && !quoted.empty()) {
      name = quoted.find(':') != std::string::npos ? quoted : Folder(source) + quoted;
      name = WithoutExtension(name);
    }
    if (kind == "EXE") CopyFileA((Folder(self) + "marker_program.exe").c_str(), (name + ".exe").c_str(), FALSE);
    if (kind == "DLL") WriteFile(name + ".dll", "stand-in library");
    return;
  }
}

}  // namespace

int main() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string commandLine = GetCommandLineA();
  WriteFile(Folder(self) + "received.txt", commandLine);

  // Past our own name, which comes quoted or runs to the first blank.
  std::size_t at = 0;
  std::string ignored;
  if (!Quoted(commandLine, at, ignored)) at = commandLine.find(' ');
  if (at == std::string::npos) return 2;
  while (at < commandLine.size() && commandLine[at] == ' ') ++at;
  std::string given;
  std::string include;
  if (!Quoted(commandLine, at, given) || commandLine.compare(at, 10, " /Q /L /I\"") != 0) return 2;
  at += 9;
  if (!Quoted(commandLine, at, include) || at != commandLine.size()) return 2;

  // Named after the path given, as a compiler does: the short form stays short.
  const std::string source = given;
  const std::string logPath = WithoutExtension(source) + ".log";
  // A banner as long as a real compiler's, taller than the help box.
  std::string log =
      "Quillet stand-in compiler\r\nVersion 8.04\r\nCopyright (c) the Quillet tests\r\nNowhere\r\n"
      "All Rights Reserved\r\n\r\nCompiling " + source + "\r\n\r\n";

  std::string text;
  if (!ReadFile(source, text)) {
    WriteFile(logPath, log + "Error 999 in " + source + ":  Cannot read the source\r\n");
    return 1;
  }
  const std::vector<std::string> lines = SplitLines(text);
  for (const std::string& line : lines) {
    const std::string trimmed = Upper(Trim(line));
    if (trimmed == "' STAND-IN: NO LOG") return 0;
    if (trimmed.rfind("' STAND-IN: WAIT ", 0) == 0) Sleep(std::atoi(trimmed.c_str() + 17));
  }
  for (std::size_t k = 0; k < lines.size(); ++k) {
    const std::string trimmed = Trim(lines[k]);
    if (trimmed.empty() || trimmed[0] == '\'' || Known(FirstWord(trimmed))) continue;
    const std::string number = std::to_string(k + 1);
    log += "Error 516 in " + source + "(" + number + ":1):  Undefined word: " + FirstWord(trimmed) + "\r\n";
    log += "Line " + number + ": " + lines[k] + "\r\n";
    WriteFile(logPath, log);
    return 1;
  }
  WriteFile(logPath, log + std::to_string(lines.size()) + " lines, no errors\r\n");
  WriteProgram(source, lines, self);
  return 0;
}
