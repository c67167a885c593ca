#include "shell/settings.h"

#include <algorithm>
#include <initializer_list>

#include "common/gbk.h"

namespace quillet {
namespace {

constexpr char kViewKey[] = "外观配置\\";
constexpr char kRecentKey[] = "最后文件\\";

// The compiler's own keys, "8.0" followed by these digits, newest release first.
constexpr std::string_view kCompilerKeyPrefix = "Software\\PowerBASIC\\PB/Win\\8.0";
constexpr std::string_view kCompilerKeyDigits = "4321";

// Appends the pieces; GCC 12 warns falsely on "literal" + std::string chains.
std::string Join(std::initializer_list<std::string_view> pieces) {
  std::string out;
  for (auto piece : pieces) out.append(piece);
  return out;
}

std::string MemoryName(std::string_view path) { return gbk::ToUpper(Join({"ROOT\\", path})); }

std::string MemoryAbsoluteName(std::string_view key, std::string_view value) {
  return gbk::ToUpper(Join({"HKCU\\", key, "\\", value}));
}

std::uint32_t ReadLittleEndian32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}

}  // namespace

SettingsPath SplitSettingsPath(std::string_view path) {
  const auto slash = gbk::FindLastSingle(path, '\\');
  if (slash == std::string_view::npos) return {"", std::string(path)};
  return {std::string(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

std::string InFolder(std::string_view folder, std::string_view name) {
  return Join({folder, "\\", name});
}

// ---- MemorySettingsStore ----

const MemorySettingsStore::Value* MemorySettingsStore::Find(const std::string& fullName) const {
  const auto it = values.find(fullName);
  return it == values.end() ? nullptr : &it->second;
}

std::uint32_t MemorySettingsStore::ReadNumber(std::string_view path, std::uint32_t fallback) const {
  const Value* v = Find(MemoryName(path));
  return v && std::holds_alternative<std::uint32_t>(*v) ? std::get<std::uint32_t>(*v) : fallback;
}

std::string MemorySettingsStore::ReadText(std::string_view path, std::string_view fallback) const {
  const Value* v = Find(MemoryName(path));
  return v && std::holds_alternative<std::string>(*v) ? std::get<std::string>(*v) : std::string(fallback);
}

std::vector<std::uint8_t> MemorySettingsStore::ReadBytes(std::string_view path) const {
  const Value* v = Find(MemoryName(path));
  return v && std::holds_alternative<std::vector<std::uint8_t>>(*v) ? std::get<std::vector<std::uint8_t>>(*v)
                                                                     : std::vector<std::uint8_t>{};
}

std::string MemorySettingsStore::ReadAbsoluteText(std::string_view key, std::string_view value) const {
  const Value* v = Find(MemoryAbsoluteName(key, value));
  return v && std::holds_alternative<std::string>(*v) ? std::get<std::string>(*v) : std::string();
}

void MemorySettingsStore::WriteNumber(std::string_view path, std::uint32_t value) {
  values[MemoryName(path)] = value;
}

void MemorySettingsStore::WriteText(std::string_view path, std::string_view value) {
  values[MemoryName(path)] = std::string(value);
}

void MemorySettingsStore::WriteBytes(std::string_view path, const std::vector<std::uint8_t>& value) {
  values[MemoryName(path)] = value;
}

void MemorySettingsStore::WriteAbsoluteText(std::string_view key, std::string_view value, std::string_view text) {
  values[MemoryAbsoluteName(key, value)] = std::string(text);
}

bool MemorySettingsStore::Contains(std::string_view path) const { return Find(MemoryName(path)) != nullptr; }

// ---- Editor settings ----

EditorColours LoadColours(const SettingsStore& store) {
  EditorColours colours;
  const auto bytes = store.ReadBytes(kColoursPath);
  if (bytes.size() < kColourRecordSize) return colours;  // absent or cut short
  for (std::size_t i = 0; i < kColourSlotCount; ++i) colours.slot[i] = ReadLittleEndian32(&bytes[4 * i]);
  return colours;
}

std::vector<std::uint8_t> EncodeColours(const EditorColours& colours) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(kColourRecordSize);
  for (ColourRef c : colours.slot) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(std::uint8_t(c >> shift));
  }
  return bytes;
}

std::string LoadSchemeName(const SettingsStore& store) {
  return store.ReadText(kSchemeNamePath, kDefaultSchemeName);
}

std::string LoadIniCompilerPath(const IniFile& settingsFile) {
  return settingsFile.Read(kCompilerSection, kCompilerKey);
}

std::string FindCompilerPath(const SettingsStore& store, const IniFile& settingsFile) {
  std::string path = LoadIniCompilerPath(settingsFile);
  if (path.empty()) path = store.ReadText(kCompilerPathPath, "");
  for (char digit : kCompilerKeyDigits) {
    if (!path.empty()) break;
    path = store.ReadAbsoluteText(Join({kCompilerKeyPrefix, {&digit, 1}, "\\Compiler"}), "Compiler");
  }
  return path;
}

EditorSettings LoadEditorSettings(const SettingsStore& store, const IniFile& settingsFile,
                                  const FontRecord& defaultFont) {
  EditorSettings s;
  s.colours = LoadColours(store);
  s.tabWidth = int(store.ReadNumber(kTabWidthPath, 4));

  const auto font = store.ReadBytes(kFontPath);
  if (font.size() >= kFontRecordSize) {
    std::copy_n(font.begin(), kFontRecordSize, s.font.begin());
    // The face name must end inside the record, whatever was stored.
    s.font.back() = 0;
  } else {
    s.font = defaultFont;
  }
  s.fontLoaded = true;

  s.completionPrompts = store.ReadNumber(kCompletionPath, 1) != 0;
  s.autoIndent = store.ReadNumber(kAutoIndentPath, 1) != 0;
  s.compilerPath = FindCompilerPath(store, settingsFile);
  return s;
}

void SaveColours(SettingsStore& store, const EditorColours& colours) {
  store.WriteBytes(kColoursPath, EncodeColours(colours));
}

void SaveFontRecord(SettingsStore& store, const FontRecord& font) {
  store.WriteBytes(kFontPath, std::vector<std::uint8_t>(font.begin(), font.end()));
}

void SaveSchemeName(SettingsStore& store, std::string_view name) { store.WriteText(kSchemeNamePath, name); }

void SaveTabWidth(SettingsStore& store, int tabWidth) { store.WriteNumber(kTabWidthPath, std::uint32_t(tabWidth)); }

void SaveCompletionPrompts(SettingsStore& store, bool on) { store.WriteNumber(kCompletionPath, on ? 1 : 0); }

void SaveAutoIndent(SettingsStore& store, bool on) { store.WriteNumber(kAutoIndentPath, on ? 1 : 0); }

bool SaveIniCompilerPath(IniFile& settingsFile, std::string_view path) {
  return settingsFile.Write(kCompilerSection, kCompilerKey, path);
}

// ---- View elements ----

const char* ViewElementName(int which) {
  static constexpr std::array<const char*, kViewElementCount> kNames = {"工具条", "状态条", "工作夹",
                                                                        "状态夹", "选择夹", "行号条"};
  return which >= 1 && which <= kViewElementCount ? kNames[std::size_t(which - 1)] : "";
}

ViewFlags LoadViewFlags(const SettingsStore& store) {
  // The line-number bar is read before the tab strip; the order has no other meaning.
  static constexpr std::array<int, kViewElementCount> kReadOrder = {
      kViewToolbar, kViewStatusBar, kViewWorkFolder, kViewStatusFolder, kViewLineNumberBar, kViewTabStrip};
  ViewFlags flags;
  for (int which : kReadOrder) {
    flags.Set(which, store.ReadNumber(Join({kViewKey, ViewElementName(which)}), 1) != 0);
  }
  return flags;
}

void SaveViewFlag(SettingsStore& store, int which, bool on) {
  if (which < 1 || which > kViewElementCount) return;
  store.WriteNumber(Join({kViewKey, ViewElementName(which)}), on ? 1 : 0);
}

// ---- Recent files ----

void RecentFiles::Load(const SettingsStore& store) {
  entries.clear();
  for (std::size_t k = 1; k <= kMaxEntries; ++k) {
    std::string path = store.ReadText(Join({kRecentKey, std::to_string(k)}), "");
    if (path.empty()) break;
    entries.push_back(std::move(path));
  }
}

namespace {

std::vector<std::string>::iterator FindEntry(std::vector<std::string>& entries, std::string_view path) {
  return std::find_if(entries.begin(), entries.end(), [&](const std::string& e) { return gbk::EqualsNoCase(e, path); });
}

}  // namespace

bool RecentFiles::Add(std::string_view path) {
  if (path.empty()) return false;  // an empty value would end the list when it is next loaded
  const auto match = FindEntry(entries, path);
  if (match == entries.begin() && match != entries.end()) return false;
  if (match != entries.end()) entries.erase(match);
  entries.insert(entries.begin(), std::string(path));
  if (entries.size() > kMaxEntries) entries.resize(kMaxEntries);
  return true;
}

bool RecentFiles::Remove(std::string_view path) {
  const auto match = FindEntry(entries, path);
  if (match == entries.end()) return false;
  entries.erase(match);
  shrank = true;
  return true;
}

void RecentFiles::Save(SettingsStore& store) const {
  for (std::size_t k = 1; k <= entries.size(); ++k) {
    store.WriteText(Join({kRecentKey, std::to_string(k)}), entries[k - 1]);
  }
  // The old last entry would otherwise come back, or twice, at the next start.
  if (shrank && entries.size() < kMaxEntries) {
    store.WriteText(Join({kRecentKey, std::to_string(entries.size() + 1)}), "");
  }
}

std::string RecentFiles::Caption(std::size_t k, std::string_view path) {
  std::string caption = Join({"&", std::to_string(k), " "});
  for (char c : path) {
    if (c == '&') caption += '&';
    caption += c;
  }
  return caption;
}

}  // namespace quillet
