// FileSystem over the C++ standard library, for native tests and tools.
#pragma once

#include "platform/file_system.h"

namespace quillet {

class StdFileSystem final : public FileSystem {
 public:
  bool ReadChunks(const std::string& path, std::uint64_t maxBytes, const ChunkSink& sink) override;
  bool WriteChunksAtomically(const std::string& path, const ChunkSource& source) override;
  bool ShortEntryName(const std::string& path, std::string& name) override;
};

}  // namespace quillet
