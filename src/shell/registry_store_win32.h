// The Windows side of the settings store: registry values under
// HKEY_CURRENT_USER, profile (INI) files, and the program's own folder,
// which only the system knows (the default GUI font is in
// common/default_font_win32.h).
#pragma once

#include <string>

#include "common/default_font_win32.h"
#include "common/editor_settings.h"
#include "shell/settings.h"

namespace quillet {

// Values below root (a key path under HKEY_CURRENT_USER ending in a
// backslash), through the ANSI registry functions so that names and texts stay GBK.
class RegistrySettingsStore final : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::string root = kRegistryRoot);

  std::uint32_t ReadNumber(std::string_view path, std::uint32_t fallback) const override;
  std::string ReadText(std::string_view path, std::string_view fallback) const override;
  std::vector<std::uint8_t> ReadBytes(std::string_view path) const override;
  std::string ReadAbsoluteText(std::string_view key, std::string_view value) const override;

  void WriteNumber(std::string_view path, std::uint32_t value) override;
  void WriteText(std::string_view path, std::string_view value) override;
  void WriteBytes(std::string_view path, const std::vector<std::uint8_t>& value) override;

 private:
  std::string KeyOf(const SettingsPath& p) const;
  std::string root;
};

// A profile file read and written with the system's private-profile functions.
class IniFileWin32 final : public IniFile {
 public:
  explicit IniFileWin32(std::string path) : path(std::move(path)) {}

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view fallback = {}) const override;
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;
  std::vector<std::string> SectionNames() const override;

 private:
  std::string path;
};

// The folder of the running executable, without a trailing backslash.
std::string ProgramFolder();

}  // namespace quillet
