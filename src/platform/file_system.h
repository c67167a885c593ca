// Reading and writing whole files. Paths are ANSI (GBK) bytes as the rest of
// the program holds them. The Win32 build uses Win32FileSystem; native tests and
// tools use StdFileSystem.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quillet {

class FileSystem {
 public:
  // Receives the file's bytes in order, one piece at a time.
  using ChunkSink = std::function<void(std::string_view)>;
  // Hands out the next piece to write; an empty piece ends the file. A piece
  // need only stay valid until the next call.
  using ChunkSource = std::function<std::string_view()>;

  virtual ~FileSystem() = default;

  // Reads the whole file into sink. False when the file cannot be opened, its
  // length cannot be determined, it holds more than maxBytes or a read fails;
  // the sink may then have seen part of the file.
  virtual bool ReadChunks(const std::string& path, std::uint64_t maxBytes, const ChunkSink& sink) = 0;

  // Writes the pieces to a new file in the target's folder and only then puts it
  // in the target's place, so a failure at any point leaves an existing target
  // as it was. A read-only target or a directory is not replaced.
  virtual bool WriteChunksAtomically(const std::string& path, const ChunkSource& source) = 0;

  // The name under which the file system lists the entry at path: its short
  // (8.3) name, or its long name when it keeps no short one. False when there
  // is no such entry.
  virtual bool ShortEntryName(const std::string& path, std::string& name) = 0;

  bool ReadWholeFile(const std::string& path, std::string& out, std::uint64_t maxBytes = UINT64_MAX) {
    std::string bytes;
    if (!ReadChunks(path, maxBytes, [&bytes](std::string_view piece) { bytes.append(piece); })) return false;
    out = std::move(bytes);
    return true;
  }

  bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
    bool given = false;
    return WriteChunksAtomically(path, [&]() -> std::string_view {
      if (given) return {};
      given = true;
      return bytes;
    });
  }

 protected:
  // Size of the pieces the implementations read and write at a time.
  static constexpr std::size_t kChunkBytes = 1 << 20;
};

}  // namespace quillet
