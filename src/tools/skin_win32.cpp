#include "tools/skin_win32.h"

#include <windows.h>

#include <string>

namespace quillet {
namespace {

// The folder of the running program, with a trailing backslash; "" if unknown.
std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  if (length == 0 || length >= sizeof path) return "";
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

}  // namespace

bool AttachSkin() {
  // Only the program's folder is searched, so that a library of that name in
  // the current folder (a folder of the user's files) is never loaded.
  const std::string folder = ProgramFolder();
  if (folder.empty()) return false;
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE library = LoadLibraryExA((folder + kSkinLibraryName).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  SetErrorMode(oldMode);
  if (!library) return false;
  // The entry takes no arguments, so its calling convention does not matter.
  // The library stays loaded: the skin works for the life of the process.
  using AttachEntry = int(WINAPI*)();
  auto attach = reinterpret_cast<AttachEntry>(reinterpret_cast<void*>(GetProcAddress(library, "SkinH_Attach")));
  if (!attach) {
    FreeLibrary(library);
    return false;
  }
  attach();
  return true;
}

}  // namespace quillet
