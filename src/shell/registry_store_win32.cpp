#include "shell/registry_store_win32.h"

#include <windows.h>

#include <cstring>

#include "common/gbk.h"

namespace quillet {
namespace {

static_assert(sizeof(LOGFONTA) == kFontRecordSize);

// An open registry key, closed when it goes out of scope.
class RegKey {
 public:
  RegKey(const std::string& path, bool create) {
    const LONG rc = create ? RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &handle, nullptr)
                           : RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &handle);
    if (rc != ERROR_SUCCESS) handle = nullptr;
  }
  ~RegKey() {
    if (handle) RegCloseKey(handle);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  explicit operator bool() const { return handle != nullptr; }
  HKEY Get() const { return handle; }

 private:
  HKEY handle = nullptr;
};

struct RawValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// The type and bytes of one value; false when the key or value cannot be read.
bool QueryValue(const std::string& key, const std::string& name, RawValue& out) {
  RegKey k(key, false);
  if (!k) return false;
  DWORD size = 0;
  if (RegQueryValueExA(k.Get(), name.c_str(), nullptr, &out.type, nullptr, &size) != ERROR_SUCCESS) return false;
  // The value may grow between the calls; a few rounds settle it.
  for (int round = 0; round < 4; ++round) {
    out.data.resize(size + 1);  // never a null buffer, even for an empty value
    DWORD got = size;
    const LONG rc = RegQueryValueExA(k.Get(), name.c_str(), nullptr, &out.type, out.data.data(), &got);
    if (rc == ERROR_SUCCESS) {
      out.data.resize(got);
      return true;
    }
    if (rc != ERROR_MORE_DATA) return false;
    size = got > size ? got : size * 2 + 16;
  }
  return false;
}

// Text of a REG_SZ value, up to its first NUL or its end when stored without one.
bool QueryText(const std::string& key, const std::string& name, std::string& out) {
  RawValue v;
  if (!QueryValue(key, name, v) || v.type != REG_SZ) return false;
  const auto* p = reinterpret_cast<const char*>(v.data.data());
  out.assign(p, strnlen(p, v.data.size()));
  return true;
}

void SetValue(const std::string& key, const std::string& name, DWORD type, const BYTE* data, DWORD size) {
  RegKey k(key, true);
  if (k) RegSetValueExA(k.Get(), name.c_str(), 0, type, data, size);  // failures are ignored
}

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::string root) : root(std::move(root)) {}

std::string RegistrySettingsStore::KeyOf(const SettingsPath& p) const {
  std::string key = root + p.key;
  while (!key.empty() && key.back() == '\\' && gbk::FindLastSingle(key, '\\') == key.size() - 1) key.pop_back();
  return key;
}

std::uint32_t RegistrySettingsStore::ReadNumber(std::string_view path, std::uint32_t fallback) const {
  const SettingsPath p = SplitSettingsPath(path);
  RawValue v;
  if (!QueryValue(KeyOf(p), p.value, v) || v.type != REG_DWORD || v.data.size() < 4) return fallback;
  DWORD n = 0;
  std::memcpy(&n, v.data.data(), sizeof n);
  return n;
}

std::string RegistrySettingsStore::ReadText(std::string_view path, std::string_view fallback) const {
  const SettingsPath p = SplitSettingsPath(path);
  std::string text;
  return QueryText(KeyOf(p), p.value, text) ? text : std::string(fallback);
}

std::vector<std::uint8_t> RegistrySettingsStore::ReadBytes(std::string_view path) const {
  const SettingsPath p = SplitSettingsPath(path);
  RawValue v;
  if (!QueryValue(KeyOf(p), p.value, v) || v.type != REG_BINARY) return {};
  return {v.data.begin(), v.data.end()};
}

std::string RegistrySettingsStore::ReadAbsoluteText(std::string_view key, std::string_view value) const {
  std::string text;
  return QueryText(std::string(key), std::string(value), text) ? text : std::string();
}

void RegistrySettingsStore::WriteNumber(std::string_view path, std::uint32_t value) {
  const SettingsPath p = SplitSettingsPath(path);
  const DWORD n = value;
  SetValue(KeyOf(p), p.value, REG_DWORD, reinterpret_cast<const BYTE*>(&n), sizeof n);
}

void RegistrySettingsStore::WriteText(std::string_view path, std::string_view value) {
  const SettingsPath p = SplitSettingsPath(path);
  const std::string text(value);
  SetValue(KeyOf(p), p.value, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1));
}

void RegistrySettingsStore::WriteBytes(std::string_view path, const std::vector<std::uint8_t>& value) {
  const SettingsPath p = SplitSettingsPath(path);
  SetValue(KeyOf(p), p.value, REG_BINARY, value.data(), DWORD(value.size()));
}

// ---- IniFileWin32 ----

std::string IniFileWin32::Read(std::string_view section, std::string_view key, std::string_view fallback) const {
  const std::string s(section), k(key), d(fallback);
  std::vector<char> buf(260);
  for (;;) {
    const DWORD n = GetPrivateProfileStringA(s.c_str(), k.c_str(), d.c_str(), buf.data(), DWORD(buf.size()),
                                             path.c_str());
    // A result of size - 1 may have been cut short.
    if (n + 1 < buf.size() || buf.size() >= (1u << 20)) return std::string(buf.data(), n);
    buf.resize(buf.size() * 2);
  }
}

bool IniFileWin32::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsWritableIniItem(section, key, value)) return false;
  const std::string s(section), k(key), v(value);
  return WritePrivateProfileStringA(s.c_str(), k.c_str(), v.c_str(), path.c_str()) != 0;
}

std::vector<std::string> IniFileWin32::SectionNames() const {
  std::vector<char> buf(1024);
  DWORD n = 0;
  for (;;) {
    n = GetPrivateProfileSectionNamesA(buf.data(), DWORD(buf.size()), path.c_str());
    // A result of size - 2 may have been cut short.
    if (n + 2 < buf.size() || buf.size() >= (1u << 20)) break;
    buf.resize(buf.size() * 2);
  }
  std::vector<std::string> names;
  for (std::size_t i = 0; i < n;) {
    const std::size_t len = strnlen(buf.data() + i, n - i);
    if (len == 0) break;
    names.emplace_back(buf.data() + i, len);
    i += len + 1;
  }
  return names;
}

// ---- System facts ----

std::string ProgramFolder() {
  std::vector<char> buf(MAX_PATH);
  DWORD n = 0;
  for (;;) {
    n = GetModuleFileNameA(nullptr, buf.data(), DWORD(buf.size()));
    if (n < buf.size() || buf.size() >= 32768) break;
    buf.resize(buf.size() * 2);
  }
  const std::string file(buf.data(), n < buf.size() ? n : 0);
  const auto slash = gbk::FindLastSingle(file, '\\');
  return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

}  // namespace quillet
