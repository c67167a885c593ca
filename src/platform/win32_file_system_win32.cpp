#include "platform/win32_file_system_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/path_text.h"

namespace quillet {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  bool Close() {
    if (!Valid()) return true;
    const bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

// Deletes the temporary file unless it was moved into place.
struct TempFile {
  std::string path;
  bool kept = false;
  ~TempFile() {
    if (!kept && !path.empty()) DeleteFileA(path.c_str());
  }
};

// Temporary files of a save end in this, so that the next save into the same
// folder can remove what a killed save left behind.
constexpr char kTempSuffix[] = ".qltsave";

// Removes leftover temporary files of earlier saves. A save in progress (of
// this or another instance) holds its file open without sharing, so its
// deletion fails and it is left alone.
void RemoveLeftovers(const std::string& folder) {
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((folder + "*" + kTempSuffix).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// A new, unshared temporary file in the folder: "~qlt" and a number, with the suffix.
HANDLE CreateTempFile(const std::string& folder, std::string& name) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char unique[32];
    std::snprintf(unique, sizeof unique, "~qlt%lx%x", static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
    name = folder + unique + kTempSuffix;
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), want, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool Win32FileSystem::ReadChunks(const std::string& path, std::uint64_t maxBytes, const ChunkSink& sink) {
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > maxBytes) return false;
  std::vector<char> buffer(kChunkBytes);
  std::uint64_t total = 0;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) return false;
    if (got == 0) return true;
    total += got;
    if (total > maxBytes) return false;  // the file grew while we read it
    sink(std::string_view(buffer.data(), got));
  }
}

bool Win32FileSystem::WriteChunksAtomically(const std::string& path, const ChunkSource& source) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
  if (replacing && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) return false;

  // The temporary file goes into the target's folder so the final move is a rename.
  const std::size_t sep = LastPathSeparator(path);
  const std::string folder = sep == std::string::npos ? std::string(".\\") : path.substr(0, sep + 1);
  RemoveLeftovers(folder);
  std::string tempName;
  Handle file(CreateTempFile(folder, tempName));
  if (!file.Valid()) return false;
  TempFile temp{tempName};
  for (std::string_view piece = source(); !piece.empty(); piece = source()) {
    if (!WriteAll(file.Get(), piece)) return false;
  }
  if (!FlushFileBuffers(file.Get()) || !file.Close()) return false;
  if (replacing) {
    // Keep the marks a user may have given the file.
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                       FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes & kept) SetFileAttributesA(tempName.c_str(), attributes & kept);
  }
  if (!MoveFileExA(tempName.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return false;
  temp.kept = true;
  return true;
}

bool Win32FileSystem::ShortEntryName(const std::string& path, std::string& name) {
  // Wildcards would find some other entry; no name can hold them.
  if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  name = found.cAlternateFileName[0] != '\0' ? found.cAlternateFileName : found.cFileName;
  return true;
}

}  // namespace quillet
