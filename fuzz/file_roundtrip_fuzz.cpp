// Any file opened and saved unchanged is written back byte for byte, however
// its reads are cut into pieces: lone CR or LF, NUL, a lead byte at the very
// end, no final line break, an empty file.
#include <algorithm>
#include <cstdint>
#include <string>

#include "common/editor_settings.h"
#include "editor/code_document.h"
#include "fuzz_check.h"
#include "platform/file_system.h"

namespace {

using namespace quillet;

// Holds one file and hands it out in pieces of the given sizes, in turn.
class PiecewiseFileSystem final : public FileSystem {
 public:
  PiecewiseFileSystem(std::string file, std::size_t firstPiece) : file_(std::move(file)), firstPiece_(firstPiece) {}

  bool ReadChunks(const std::string& path, std::uint64_t maxBytes, const ChunkSink& sink) override {
    if (path != kPath || file_.size() > maxBytes) return false;
    std::string_view rest = file_;
    for (std::size_t piece = firstPiece_; !rest.empty(); piece = piece % 7 + 1) {
      const std::size_t take = std::min(piece, rest.size());
      sink(rest.substr(0, take));
      rest.remove_prefix(take);
    }
    return true;
  }
  bool WriteChunksAtomically(const std::string& path, const ChunkSource& source) override {
    written.clear();
    for (std::string_view piece = source(); !piece.empty(); piece = source()) written.append(piece);
    writtenPath = path;
    return true;
  }
  bool ShortEntryName(const std::string&, std::string&) override { return false; }

  static constexpr char kPath[] = "C:\\src\\fuzz.bas";
  std::string written;
  std::string writtenPath;

 private:
  std::string file_;
  std::size_t firstPiece_;
};

std::string SaveAfterLoad(const std::string& file, std::size_t firstPiece, int& lineCount) {
  const EditorSettings settings;
  PiecewiseFileSystem files(file, firstPiece);
  EditorContext context(settings, files);
  CodeDocument document(context);
  SourceKind kind = SourceKind::Other;
  FUZZ_CHECK(document.LoadFile(PiecewiseFileSystem::kPath, kind));
  FUZZ_CHECK(kind == SourceKind::Basic);
  FUZZ_CHECK(!document.IsModified());
  lineCount = document.lineCount;
  FUZZ_CHECK(lineCount == document.lines.size());
  for (const std::string& line : document.lines) FUZZ_CHECK(line.find("\r\n") == std::string::npos);
  FUZZ_CHECK(document.SaveFile(""));
  FUZZ_CHECK(files.writtenPath == PiecewiseFileSystem::kPath);
  return files.written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string file(quillet::fuzz::AsText(data, size));
  // One CR LF more than the file holds gives the lines; an empty file is one line.
  std::size_t breaks = 0;
  for (std::size_t at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", at + 2)) ++breaks;

  int whole = 0;
  FUZZ_CHECK(SaveAfterLoad(file, SIZE_MAX, whole) == file);
  FUZZ_CHECK(static_cast<std::size_t>(whole) == breaks + 1);
  for (std::size_t firstPiece = 1; firstPiece <= 3; ++firstPiece) {
    int cut = 0;
    FUZZ_CHECK(SaveAfterLoad(file, firstPiece, cut) == file);
    FUZZ_CHECK(cut == whole);
  }
  return 0;
}
