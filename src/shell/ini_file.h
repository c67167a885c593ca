// INI ("private profile") files: the settings file in the program folder that
// holds the compiler path, and the colour-scheme file. The program reads and
// writes them through IniFile; the Windows build backs it with the system's
// profile functions, and IniText mirrors their reading rules portably.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class IniFile {
 public:
  virtual ~IniFile() = default;
  // The value of key in section, or fallback when either is missing.
  virtual std::string Read(std::string_view section, std::string_view key,
                           std::string_view fallback = {}) const = 0;
  // Sets key in section, creating the file, section and key as needed.
  virtual bool Write(std::string_view section, std::string_view key, std::string_view value) = 0;
  // Section names in file order.
  virtual std::vector<std::string> SectionNames() const = 0;
};

// Whether an item would read back as written: non-empty names, no line breaks
// anywhere, no '=' in the key and no '[' at its start.
bool IsWritableIniItem(std::string_view section, std::string_view key, std::string_view value);

// INI text held in memory, line by line, so that writing one item keeps every
// other line (comments, unknown sections) as it was. Reading follows Windows:
// section and key names match without regard to ASCII letter case, blanks
// around names and values are dropped, one pair of enclosing quotes is removed
// from a value, and the first of duplicate sections or keys wins.
class IniText {
 public:
  IniText() = default;
  explicit IniText(std::string_view text);

  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  // Refuses items that are not IsWritableIniItem.
  bool Write(std::string_view section, std::string_view key, std::string_view value);
  std::vector<std::string> SectionNames() const;
  // The whole text with CR LF line ends.
  std::string Text() const;

 private:
  std::vector<std::string> lines;
};

// Profile text held in memory only: for tests, and for callers that want no file.
class MemoryIniFile final : public IniFile {
 public:
  explicit MemoryIniFile(std::string_view text = {}) : text(text) {}

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view fallback = {}) const override;
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;
  std::vector<std::string> SectionNames() const override { return text.SectionNames(); }
  const IniText& Contents() const { return text; }

 private:
  IniText text;
};

// A file read and rewritten whole through IniText on every call, as Windows'
// profile functions do; a missing file reads as empty.
class IniTextFile final : public IniFile {
 public:
  explicit IniTextFile(std::string path) : path(std::move(path)) {}

  std::string Read(std::string_view section, std::string_view key,
                   std::string_view fallback = {}) const override;
  bool Write(std::string_view section, std::string_view key, std::string_view value) override;
  std::vector<std::string> SectionNames() const override;

 private:
  IniText Load() const;
  std::string path;
};

}  // namespace quillet
