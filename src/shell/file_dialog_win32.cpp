#include "shell/file_dialog_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "common/late_bound_win32.h"
#include "shell/documents.h"

namespace quillet {
namespace {

// Long enough for any path the ANSI functions accept, with room to spare.
constexpr std::size_t kPathBuffer = 4096;

bool FolderExists(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string AskPath(HWND owner, const char* title, const std::string& proposedName, bool save) {
  static const std::string filter = DialogFilter(kFileFilter);
  std::vector<char> path(kPathBuffer, '\0');
  proposedName.copy(path.data(), std::min(proposedName.size(), path.size() - 1));
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrInitialDir = FolderExists(kInitialFolder) ? kInitialFolder : nullptr;
  dialog.lpstrTitle = title;
  dialog.lpstrDefExt = kDefaultExtension;
  // The current folder stays the program's, whatever folder the user browses.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? late::GetSaveFileNameA(&dialog) : late::GetOpenFileNameA(&dialog);
  return chosen ? std::string(path.data()) : std::string();
}

}  // namespace

std::string AskOpenPath(HWND owner) { return AskPath(owner, kOpenDialogTitle, "", false); }

std::string AskSavePath(HWND owner, const std::string& proposedName) {
  return AskPath(owner, kSaveDialogTitle, proposedName, true);
}

}  // namespace quillet
