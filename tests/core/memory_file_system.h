// Files held in memory under Windows-style paths, with the short names a
// Windows volume would list for them.
#pragma once

#include <map>
#include <string>

#include "platform/file_system.h"

namespace quillet {

class MemoryFileSystem final : public FileSystem {
 public:
  bool ReadChunks(const std::string& path, std::uint64_t maxBytes, const ChunkSink& sink) override {
    const auto found = files.find(path);
    if (found == files.end() || found->second.size() > maxBytes) return false;
    sink(found->second);
    return true;
  }
  bool WriteChunksAtomically(const std::string& path, const ChunkSource& source) override {
    std::string bytes;
    for (std::string_view piece = source(); !piece.empty(); piece = source()) bytes.append(piece);
    files[path] = bytes;
    return true;
  }
  bool ShortEntryName(const std::string& path, std::string& name) override {
    const auto found = shortNames.find(path);
    if (found == shortNames.end()) return false;
    name = found->second;
    return true;
  }

  std::map<std::string, std::string> files;
  std::map<std::string, std::string> shortNames;  // full path of an entry -> the name it is listed by
};

}  // namespace quillet
