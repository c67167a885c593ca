// Whatever a compiler leaves in its log: the parser's result stays inside the
// log, and a compile that reads it leaves the document's caret in its text.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "build/build_names.h"
#include "build/compile.h"
#include "common/editor_settings.h"
#include "core/memory_file_system.h"
#include "editor/code_document.h"
#include "fuzz_check.h"

namespace {

using namespace quillet;

constexpr char kCompiler[] = "F:\\PB\\Bin\\PBWin.exe";
constexpr char kSource[] = "D:\\W\\a.bas";
constexpr char kLog[] = "D:\\W\\a.log";

// A compiler that always runs and leaves the given log.
class LogHost final : public BuildHost {
 public:
  explicit LogHost(std::string_view log) : log_(log) {}
  FileSystem& Files() override { return files; }
  YesNoCancel AskToSave(const std::string&) override { return YesNoCancel::No; }
  bool SaveDocument() override { return true; }
  void ShowMessage(const std::string&, const char*, MessageIcon) override { ++messages; }
  void SetHelpText(const std::string&) override {}
  void ShowLog(const std::string& log, std::size_t firstShown) override {
    FUZZ_CHECK(firstShown == 0 || firstShown < log.size());
  }
  std::uint64_t FileTime(const std::string& path) override { return files.files.count(path); }
  const DocumentList& OpenDocuments() override { return open; }
  void SelectTab(int) override {}
  int OpenFile(const std::string&) override { return 0; }  // as if the user was told it cannot be read
  void LetWindowsPaint() override {}
  void SetCurrentFolder(const std::string&) override {}
  bool RemoveFile(const std::string& path) override {
    files.files.erase(path);
    return true;
  }
  bool StartProcess(const std::string&, const std::string&, bool) override {
    files.files[kLog] = std::string(log_);
    return true;
  }
  void Beep() override {}

  MemoryFileSystem files;
  DocumentList open;
  int messages = 0;

 private:
  std::string_view log_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view log = quillet::fuzz::AsText(data, size);
  const CompileLogResult result = ParseCompileLog(log);
  if (!result.failed) {
    FUZZ_CHECK(result.code.empty() && !result.hasLine && result.line == 0);
  } else {
    FUZZ_CHECK(log.find(result.code) != std::string_view::npos);
    FUZZ_CHECK(result.code.find("\r\n") == std::string::npos);
  }

  const EditorSettings settings;
  LogHost host(log);
  host.files.files[kSource] = "#COMPILE EXE\r\nFUNCTION PBMAIN\r\n  x = 1\r\nEND FUNCTION\r\n";
  host.files.shortNames = {{"D:\\W", "W"}, {kSource, "a.bas"}};
  EditorContext context(settings, host.files);
  CodeDocument document(context);
  SourceKind kind;
  FUZZ_CHECK(document.LoadFile(kSource, kind));
  const bool compiled = CompileDocument(document, kCompiler, host);
  FUZZ_CHECK(compiled == !result.failed);
  FUZZ_CHECK(host.messages == (result.failed ? 1 : 0));
  FUZZ_CHECK(document.caret.line >= 0 && document.caret.line < document.lineCount);
  FUZZ_CHECK(document.caret.col >= 0 && document.caret.col <= document.LineLength(document.caret.line));
  // Nothing is ever left selected for the next key to replace. The caret goes
  // to the error's line (the last one past the end) unless the log names
  // another file, which this host cannot open: then it stays.
  FUZZ_CHECK(!document.HasSelection());
  if (result.hasLine && result.line >= 1) {
    const TextPos jumped{std::min(result.line, document.lineCount) - 1, 0};
    FUZZ_CHECK(document.caret == jumped || (!result.file.empty() && document.caret == TextPos{}));
  }
  return 0;
}
