// The INI reader on any text, and one write into it. Input: section, key and
// value, each ended by a NUL, then the text (which may hold NULs itself).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/gbk.h"
#include "fuzz_check.h"
#include "shell/ini_file.h"

namespace {

using namespace quillet;

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(kBlanks);
  return first == std::string_view::npos ? std::string_view() : s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// The names before '=' on the text's lines, as candidates to look up; a few suffice.
std::vector<std::string> SomeKeys(std::string_view text) {
  std::vector<std::string> keys;
  while (!text.empty() && keys.size() < 8) {
    const std::size_t nl = text.find('\n');
    const std::string_view line = text.substr(0, nl);
    if (const std::size_t eq = line.find('='); eq != std::string_view::npos) {
      keys.emplace_back(Trim(line.substr(0, eq)));
    }
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  return keys;
}

using Items = std::vector<std::optional<std::string>>;

Items ReadAll(const IniText& ini, const std::vector<std::string>& sections, const std::vector<std::string>& keys) {
  Items items;
  for (const auto& s : sections) {
    for (const auto& k : keys) items.push_back(ini.Find(s, k));
  }
  return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const quillet::fuzz::Parts<4> in(quillet::fuzz::AsText(data, size));
  const std::string_view section = in[0], key = in[1], value = in[2], text = in[3];

  IniText ini(text);
  std::vector<std::string> sections = ini.SectionNames();
  for (std::size_t i = 0; i < sections.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) FUZZ_CHECK(!gbk::EqualsNoCase(sections[i], sections[j]));
  }
  if (sections.size() > 8) sections.resize(8);
  sections.emplace_back(section);
  std::vector<std::string> keys = SomeKeys(text);
  keys.emplace_back(key);

  // The text written back reads the same, and writing it again changes nothing.
  const Items before = ReadAll(ini, sections, keys);
  const IniText reread(ini.Text());
  FUZZ_CHECK(reread.Text() == ini.Text());
  FUZZ_CHECK(ReadAll(reread, sections, keys) == before);
  FUZZ_CHECK(reread.SectionNames() == ini.SectionNames());

  const bool writable = IsWritableIniItem(section, key, value);
  FUZZ_CHECK(ini.Write(section, key, value) == writable);
  if (!writable) {
    FUZZ_CHECK(ini.Text() == reread.Text());
    return 0;
  }
  const std::optional<std::string> got = ini.Find(section, key);
  FUZZ_CHECK(got.has_value());
  // A value without blanks or quotes around it reads back exactly.
  const bool plain = !value.empty() && kBlanks.find(value.front()) == std::string_view::npos &&
                     kBlanks.find(value.back()) == std::string_view::npos && value.front() != '"' &&
                     value.front() != '\'';
  if (plain) FUZZ_CHECK(*got == value);
  FUZZ_CHECK(IniText(ini.Text()).Find(section, key) == got);

  // Every other item reads as before.
  const Items after = ReadAll(ini, sections, keys);
  std::size_t at = 0;
  for (const auto& s : sections) {
    for (const auto& k : keys) {
      const bool same = gbk::EqualsNoCase(Trim(s), Trim(section)) && gbk::EqualsNoCase(Trim(k), Trim(key));
      if (!same) FUZZ_CHECK(after[at] == before[at]);
      ++at;
    }
  }
  return 0;
}
