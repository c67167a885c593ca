// Saves a large text over a file the way the editor does, so that a test can
// kill it in the middle: save_child PATH MEGABYTES FILLBYTE
#include <cstdlib>
#include <string>

#include "platform/win32_file_system_win32.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::size_t megabytes = std::strtoul(argv[2], nullptr, 10);
  const std::string piece(1 << 20, argv[3][0]);
  std::size_t given = 0;
  quillet::Win32FileSystem files;
  const bool saved = files.WriteChunksAtomically(argv[1], [&]() -> std::string_view {
    return given++ < megabytes ? std::string_view(piece) : std::string_view();
  });
  return saved ? 0 : 1;
}
