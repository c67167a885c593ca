#include "platform/std_file_system.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace quillet {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Removes the half-written temporary file unless it was put in place.
struct TempFile {
  std::string path;
  bool kept = false;
  ~TempFile() {
    if (kept || path.empty()) return;
    std::error_code ignored;
    fs::remove(path, ignored);
  }
};

}  // namespace

bool StdFileSystem::ReadChunks(const std::string& path, std::uint64_t maxBytes, const ChunkSink& sink) {
  FilePtr file(std::fopen(path.c_str(), "rb"));
  if (!file) return false;
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error || size > maxBytes) return false;
  std::vector<char> buffer(kChunkBytes);
  std::uint64_t total = 0;
  for (;;) {
    const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
    total += got;
    if (total > maxBytes) return false;  // the file grew while we read it
    if (got > 0) sink(std::string_view(buffer.data(), got));
    if (got < buffer.size()) return std::ferror(file.get()) == 0;
  }
}

bool StdFileSystem::WriteChunksAtomically(const std::string& path, const ChunkSource& source) {
  std::error_code error;
  const fs::file_status target = fs::status(path, error);
  const bool replacing = fs::exists(target);
  if (replacing && (!fs::is_regular_file(target) || (target.permissions() & fs::perms::owner_write) == fs::perms::none)) {
    return false;
  }

  TempFile temp;
  FilePtr file;
  for (int attempt = 0; attempt < 1000 && !file; ++attempt) {
    const std::string name = path + ".qlt" + std::to_string(attempt) + ".tmp";
    if (fs::exists(name, error)) continue;
    file.reset(std::fopen(name.c_str(), "wb"));
    if (file) temp.path = name;
  }
  if (!file) return false;

  for (std::string_view piece = source(); !piece.empty(); piece = source()) {
    if (std::fwrite(piece.data(), 1, piece.size(), file.get()) != piece.size()) return false;
  }
  if (std::fflush(file.get()) != 0 || std::fclose(file.release()) != 0) return false;
  if (replacing) fs::permissions(temp.path, target.permissions(), error);  // best effort
  fs::rename(temp.path, path, error);
  if (error) return false;
  temp.kept = true;
  return true;
}

// No short names here: every entry is known by its own name.
bool StdFileSystem::ShortEntryName(const std::string& path, std::string& name) {
  std::error_code error;
  if (!fs::exists(fs::symlink_status(path, error))) return false;
  name = fs::path(path).filename().string();
  return !name.empty();
}

}  // namespace quillet
