// The settings store: every setting that outlives one run. Registry values
// below the program's root (through SettingsStore), the compiler path in the
// settings file of the program folder and the colour schemes (through IniFile).
// This file knows the names, encodings and defaults; the Windows layer only
// moves bytes (shell/registry_store_win32.h).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "common/editor_settings.h"
#include "shell/ini_file.h"

namespace quillet {

inline constexpr char kRegistryRoot[] = "Software\\Velmoor\\Quillet\\";
inline constexpr char kSettingsFileName[] = "qlt8.dll";
inline constexpr char kSchemeFileName[] = "配色方案.ini";

// Setting paths below the root: key, backslash, value name.
inline constexpr char kTabWidthPath[] = "编辑器配置\\TAB空格";
inline constexpr char kFontPath[] = "编辑器配置\\字体";
inline constexpr char kCompletionPath[] = "编辑器配置\\命令补全提示";
inline constexpr char kAutoIndentPath[] = "编辑器配置\\源码自动缩进";
inline constexpr char kCompilerPathPath[] = "编辑器配置\\编译器路径";
inline constexpr char kColoursPath[] = "编辑器配置\\配色数据";
inline constexpr char kSchemeNamePath[] = "编辑器配置\\配色方案名";

inline constexpr char kDefaultSchemeName[] = "默认配色";

// The compiler path item of the settings file.
inline constexpr char kCompilerSection[] = "lujing";
inline constexpr char kCompilerKey[] = "byq";

constexpr std::size_t kColourRecordSize = 4 * kColourSlotCount;

// A path split at its last backslash (never a GBK trail byte): the key below
// the root and the value name. A path without backslash names a value of the root.
struct SettingsPath {
  std::string key;
  std::string value;
};
SettingsPath SplitSettingsPath(std::string_view path);

// A file of the program folder (given without trailing backslash): folder + "\" + name.
std::string InFolder(std::string_view folder, std::string_view name);

// Values addressed by their path below the root. Reads that find nothing, or a
// value of another type, give the fallback; failed writes are ignored.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::uint32_t ReadNumber(std::string_view path, std::uint32_t fallback) const = 0;
  virtual std::string ReadText(std::string_view path, std::string_view fallback) const = 0;
  virtual std::vector<std::uint8_t> ReadBytes(std::string_view path) const = 0;  // empty: absent
  // A text outside the root: key is a full path below HKEY_CURRENT_USER.
  virtual std::string ReadAbsoluteText(std::string_view key, std::string_view value) const = 0;

  virtual void WriteNumber(std::string_view path, std::uint32_t value) = 0;
  virtual void WriteText(std::string_view path, std::string_view value) = 0;
  virtual void WriteBytes(std::string_view path, const std::vector<std::uint8_t>& value) = 0;
};

// A store held in memory, with the registry's case-insensitive names.
class MemorySettingsStore final : public SettingsStore {
 public:
  std::uint32_t ReadNumber(std::string_view path, std::uint32_t fallback) const override;
  std::string ReadText(std::string_view path, std::string_view fallback) const override;
  std::vector<std::uint8_t> ReadBytes(std::string_view path) const override;
  std::string ReadAbsoluteText(std::string_view key, std::string_view value) const override;

  void WriteNumber(std::string_view path, std::uint32_t value) override;
  void WriteText(std::string_view path, std::string_view value) override;
  void WriteBytes(std::string_view path, const std::vector<std::uint8_t>& value) override;
  void WriteAbsoluteText(std::string_view key, std::string_view value, std::string_view text);

  bool Contains(std::string_view path) const;

 private:
  using Value = std::variant<std::uint32_t, std::string, std::vector<std::uint8_t>>;
  const Value* Find(const std::string& fullName) const;
  std::map<std::string, Value> values;  // by upper-cased "\key\value" (absolute: "HKCU\...")
};

// ---- Editor settings ----

// Everything the editor reads at start-up. The compiler path comes from the
// settings file item when it is set (it is what the configuration dialog's
// browse button writes), else from the registry value, else from the compiler's
// own registry keys, newest release first.
EditorSettings LoadEditorSettings(const SettingsStore& store, const IniFile& settingsFile,
                                  const FontRecord& defaultFont);

// The colour record, or the defaults when it is absent or too short.
EditorColours LoadColours(const SettingsStore& store);
std::vector<std::uint8_t> EncodeColours(const EditorColours& colours);

std::string LoadSchemeName(const SettingsStore& store);
std::string LoadIniCompilerPath(const IniFile& settingsFile);
std::string FindCompilerPath(const SettingsStore& store, const IniFile& settingsFile);

void SaveColours(SettingsStore& store, const EditorColours& colours);
void SaveFontRecord(SettingsStore& store, const FontRecord& font);
void SaveSchemeName(SettingsStore& store, std::string_view name);
void SaveTabWidth(SettingsStore& store, int tabWidth);
void SaveCompletionPrompts(SettingsStore& store, bool on);
void SaveAutoIndent(SettingsStore& store, bool on);
bool SaveIniCompilerPath(IniFile& settingsFile, std::string_view path);

// ---- View elements ----

enum ViewElement : int {
  kViewToolbar = 1,
  kViewStatusBar,
  kViewWorkFolder,
  kViewStatusFolder,
  kViewTabStrip,
  kViewLineNumberBar,
};
constexpr int kViewElementCount = 6;
constexpr int kLineNumberBarWidth = 40;

struct ViewFlags {
  std::array<bool, kViewElementCount> shown{true, true, true, true, true, true};

  // which is 1..6; out of range reads false and is not stored.
  bool IsShown(int which) const { return which >= 1 && which <= kViewElementCount && shown[which - 1]; }
  void Set(int which, bool on) {
    if (which >= 1 && which <= kViewElementCount) shown[which - 1] = on;
  }
  int LineNumberBarWidth() const { return IsShown(kViewLineNumberBar) ? kLineNumberBarWidth : 0; }
};

// The value name of view element which (1..6) under "外观配置\"; "" out of range.
const char* ViewElementName(int which);
ViewFlags LoadViewFlags(const SettingsStore& store);
void SaveViewFlag(SettingsStore& store, int which, bool on);

// ---- Recent files ----

// The most recently opened paths, newest first, at most eight. The shell
// mirrors them in the menu (Caption gives item k's text).
class RecentFiles {
 public:
  static constexpr std::size_t kMaxEntries = 8;

  // Entries 1.. up to the first empty value.
  void Load(const SettingsStore& store);
  // Puts path at the front (moving a match, which takes the new letter case).
  // Returns whether the list changed; a match of entry 1 and an empty path do not.
  bool Add(std::string_view path);
  // Takes out the entry matching path (ASCII letter case aside); whether it was there.
  bool Remove(std::string_view path);
  // Writes entries 1..n; stored values beyond n stay as they are, except
  // that after a Remove value n+1 is emptied, so the next Load ends there.
  void Save(SettingsStore& store) const;

  const std::vector<std::string>& Entries() const { return entries; }

  // Menu caption of entry k (1-based): "&k path". An '&' of the path is doubled
  // so that the menu shows it instead of taking it as a mnemonic.
  static std::string Caption(std::size_t k, std::string_view path);

 private:
  std::vector<std::string> entries;
  bool shrank = false;
};

}  // namespace quillet
