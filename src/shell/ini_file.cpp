#include "shell/ini_file.h"

#include <fstream>
#include <iterator>

#include "common/gbk.h"

namespace quillet {
namespace {

std::string_view Trim(std::string_view s) {
  constexpr std::string_view kBlanks = " \t\r\n\v\f";
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// One line as the profile reader sees it. A section header is '[' up to the
// last ']'; an entry is a line holding '='. Everything else is kept but unused.
// Names come trimmed, and callers trim the names they look for, so that an
// item written under " name " reads back under it.
struct IniLine {
  enum Kind { kOther, kSection, kEntry } kind = kOther;
  std::string_view name;
  std::string_view value;
};

IniLine Classify(std::string_view raw) {
  const std::string_view line = Trim(raw);
  if (!line.empty() && line.front() == '[') {
    const auto close = line.rfind(']');
    if (close == std::string_view::npos) return {};
    return {IniLine::kSection, Trim(line.substr(1, close - 1)), {}};
  }
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return {};
  return {IniLine::kEntry, Trim(line.substr(0, eq)), Trim(line.substr(eq + 1))};
}

std::string Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return std::string(v);
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

bool IsWritableIniItem(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view trimmedKey = Trim(key);
  return !Trim(section).empty() && !trimmedKey.empty() && trimmedKey.front() != '[' &&
         key.find('=') == std::string_view::npos && !HasLineBreak(section) && !HasLineBreak(key) &&
         !HasLineBreak(value);
}

IniText::IniText(std::string_view text) {
  while (!text.empty()) {
    const auto nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
  section = Trim(section);
  key = Trim(key);
  bool inSection = false;
  bool seenSection = false;
  for (const auto& raw : lines) {
    const IniLine line = Classify(raw);
    if (line.kind == IniLine::kSection) {
      // Only the first section of a name counts.
      if (inSection) return std::nullopt;
      inSection = !seenSection && gbk::EqualsNoCase(line.name, section);
      seenSection = seenSection || inSection;
    } else if (inSection && line.kind == IniLine::kEntry && gbk::EqualsNoCase(line.name, key)) {
      return Unquote(line.value);
    }
  }
  return std::nullopt;
}

bool IniText::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsWritableIniItem(section, key, value)) return false;
  section = Trim(section);
  const std::string_view trimmedKey = Trim(key);
  const std::string entry = std::string(trimmedKey) + "=" + std::string(value);

  std::size_t header = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const IniLine line = Classify(lines[i]);
    if (line.kind == IniLine::kSection && gbk::EqualsNoCase(line.name, section)) {
      header = i;
      break;
    }
  }
  if (header == lines.size()) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.emplace_back();
    std::string headerLine(1, '[');  // built piecewise: GCC 12 warns falsely on "[" + string
    headerLine.append(section).push_back(']');
    lines.push_back(std::move(headerLine));
    lines.push_back(entry);
    return true;
  }

  // New keys go after the section's last non-blank line, so that a blank line
  // before the next section stays where it is.
  std::size_t insertAt = header + 1;
  for (std::size_t i = header + 1; i < lines.size(); ++i) {
    const IniLine line = Classify(lines[i]);
    if (line.kind == IniLine::kSection) break;
    if (line.kind == IniLine::kEntry && gbk::EqualsNoCase(line.name, trimmedKey)) {
      lines[i] = std::string(line.name) + "=" + std::string(value);
      return true;
    }
    if (!Trim(lines[i]).empty()) insertAt = i + 1;
  }
  lines.insert(lines.begin() + std::ptrdiff_t(insertAt), entry);
  return true;
}

std::vector<std::string> IniText::SectionNames() const {
  std::vector<std::string> names;
  for (const auto& raw : lines) {
    const IniLine line = Classify(raw);
    if (line.kind != IniLine::kSection) continue;
    bool known = false;
    for (const auto& n : names) known = known || gbk::EqualsNoCase(n, line.name);
    if (!known) names.emplace_back(line.name);
  }
  return names;
}

std::string IniText::Text() const {
  std::string out;
  for (const auto& line : lines) out += line + "\r\n";
  return out;
}

std::string MemoryIniFile::Read(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  return text.Find(section, key).value_or(std::string(fallback));
}

bool MemoryIniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  return text.Write(section, key, value);
}

IniText IniTextFile::Load() const {
  std::ifstream in(path, std::ios::binary);
  if (!in) return IniText();
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return IniText(text);
}

std::string IniTextFile::Read(std::string_view section, std::string_view key,
                              std::string_view fallback) const {
  return Load().Find(section, key).value_or(std::string(fallback));
}

bool IniTextFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  IniText ini = Load();
  if (!ini.Write(section, key, value)) return false;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << ini.Text();
  return bool(out.flush());
}

std::vector<std::string> IniTextFile::SectionNames() const { return Load().SectionNames(); }

}  // namespace quillet
