#include "common/late_bound_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "shell/registry_store_win32.h"

namespace quillet {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The libraries an executable imports, read from its import table.
std::vector<std::string> ImportsOf(const std::string& path) {
  std::vector<std::string> names;
  HMODULE image = LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
  if (image == nullptr) return names;
  const auto* base = reinterpret_cast<const unsigned char*>(image);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + table.VirtualAddress);
       table.VirtualAddress != 0 && entry->Name != 0; ++entry) {
    names.push_back(Lower(reinterpret_cast<const char*>(base + entry->Name)));
  }
  FreeLibrary(image);
  return names;
}

TEST(LateBound, TheProgramStartsWithoutTheDialogLibrariesAndStillReachesThem) {
  const std::vector<std::string> imports = ImportsOf(ProgramFolder() + "\\quillet.exe");
  ASSERT_FALSE(imports.empty());
  EXPECT_EQ(std::count(imports.begin(), imports.end(), "comdlg32.dll"), 0);
  EXPECT_EQ(std::count(imports.begin(), imports.end(), "winspool.drv"), 0);
  // Bound on first use: the spooler answers (no buffer given), the dialog
  // library refuses a malformed request instead of opening a dialog.
  DWORD size = 0;
  SetLastError(0);
  EXPECT_FALSE(late::GetDefaultPrinterA(nullptr, &size));
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  OPENFILENAMEA dialog{};
  SetLastError(0);
  EXPECT_FALSE(late::GetOpenFileNameA(&dialog));
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
}

}  // namespace
}  // namespace quillet
