// The names a compile derives from paths and from the "#COMPILE " line of any
// source. Input: the source's path, a NUL, then its text.
#include <cstdint>
#include <string>

#include "build/build_names.h"
#include "common/gbk.h"
#include "common/path_text.h"
#include "editor/line_split.h"
#include "editor/line_store.h"
#include "fuzz_check.h"
#include "platform/file_system.h"

namespace {

using namespace quillet;

// Every entry exists and is listed by its own name upper-cased.
class EveryEntryFileSystem final : public FileSystem {
 public:
  bool ReadChunks(const std::string&, std::uint64_t, const ChunkSink&) override { return false; }
  bool WriteChunksAtomically(const std::string&, const ChunkSource&) override { return false; }
  bool ShortEntryName(const std::string& path, std::string& name) override {
    name = gbk::ToUpper(FileNamePart(path));
    return true;
  }
};

bool EndsWithNoCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && gbk::EqualsNoCase(text.substr(text.size() - end.size()), end);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quillet::fuzz::Parts<2> in(quillet::fuzz::AsText(data, size));
  const std::string_view path = in[0], text = in[1];

  const std::string folder = FolderOfPath(path);
  FUZZ_CHECK(path.starts_with(folder));
  FUZZ_CHECK(folder.empty() || folder.back() == '\\');
  const std::string log = LogPathOf(path);
  FUZZ_CHECK(log.ends_with("log"));
  FUZZ_CHECK(log.starts_with(folder));
  const std::string root = GetCompilerRoot(path);
  FUZZ_CHECK(folder.starts_with(root));
  FUZZ_CHECK(IncludeFolder(path) == root + "WinAPI");

  EveryEntryFileSystem files;
  const std::string shortPath = ToShortPath(path, files);
  FUZZ_CHECK(shortPath.size() <= path.size());

  const LineStore lines(SplitLines(text));
  const std::string program = ExecutablePathOf(folder, FileNamePart(path), lines);
  if (!program.empty()) FUZZ_CHECK(EndsWithNoCase(program, ".exe"));
  return 0;
}
