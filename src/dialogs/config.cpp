#include "dialogs/config.h"

#include <cmath>
#include <cstring>

#include "common/gbk.h"

namespace quillet {
namespace {

constexpr ColourRef kMaxColour = 0xFFFFFF;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// ---- Colour schemes ----

std::vector<std::string> SchemeList(const IniFile& schemes) {
  std::vector<std::string> list{kDefaultSchemeName};
  for (auto& name : schemes.SectionNames()) list.push_back(std::move(name));
  return list;
}

int SchemeIndexOf(const std::vector<std::string>& list, std::string_view name) {
  for (std::size_t i = 1; i < list.size(); ++i) {
    if (list[i] == name) return int(i);
  }
  return 0;
}

double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  double value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) value = value * 10 + (text[i] - '0');
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, scale /= 10) value += (text[i] - '0') * scale;
  }
  return negative ? -value : value;
}

EditorColours ReadScheme(const IniFile& schemes, std::string_view name) {
  EditorColours colours;
  for (std::size_t i = 0; i < kColourSlotCount; ++i) {
    const double number = std::trunc(LeadingNumber(schemes.Read(name, kColourSlotNames[i])));
    colours.slot[i] = number >= 0 && number <= kMaxColour ? ColourRef(number) : 0;
  }
  return colours;
}

bool WriteScheme(IniFile& schemes, std::string_view name, const EditorColours& colours) {
  bool written = true;
  for (std::size_t i = 0; i < kColourSlotCount; ++i) {
    written = schemes.Write(name, kColourSlotNames[i], std::to_string(colours.slot[i])) && written;
  }
  return written;
}

SchemeNameCheck CheckSchemeName(std::string_view name, const std::vector<std::string>& list) {
  if (name.empty()) return SchemeNameCheck::kEmpty;
  if (TrimBlanks(name).size() != name.size()) return SchemeNameCheck::kUnsafe;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (gbk::IsLeadByte(static_cast<unsigned char>(name[i]))) {
      ++i;  // a trail byte may look like '[' or ']'
    } else if (std::strchr("[]=\r\n", name[i]) != nullptr) {
      return SchemeNameCheck::kUnsafe;
    }
  }
  // A name that ends in a lone lead byte would swallow the section's ']'.
  std::size_t i = 0;
  while (i < name.size()) i += gbk::IsLeadByte(static_cast<unsigned char>(name[i])) ? 2 : 1;
  if (i != name.size()) return SchemeNameCheck::kUnsafe;

  for (const auto& listed : list) {
    if (gbk::EqualsNoCase(listed, name)) return SchemeNameCheck::kTaken;
  }
  return SchemeNameCheck::kAccepted;
}

const char* SchemeNameRefusal(SchemeNameCheck check) {
  switch (check) {
    case SchemeNameCheck::kEmpty:
      return kSchemeNameEmpty;
    case SchemeNameCheck::kUnsafe:
      return kSchemeNameUnsafe;
    case SchemeNameCheck::kTaken:
      return kSchemeNameTaken;
    case SchemeNameCheck::kAccepted:
      break;
  }
  return "";
}

// ---- Editor page ----

std::optional<int> ParseTabWidth(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty() || text.size() > 2) return std::nullopt;
  int width = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    width = width * 10 + (c - '0');
  }
  if (width < kMinTabWidth || width > kMaxTabWidth) return std::nullopt;
  return width;
}

namespace {

std::int32_t FontHeight(const FontRecord& font) {
  return std::int32_t(std::uint32_t(font[0]) | (std::uint32_t(font[1]) << 8) |
                      (std::uint32_t(font[2]) << 16) | (std::uint32_t(font[3]) << 24));
}

constexpr std::size_t kFaceNameOffset = 28;

}  // namespace

int FontPointSize(const FontRecord& font, int pixelsPerInch) {
  if (pixelsPerInch <= 0) return 0;
  // 64 bits: -lfHeight * 72 overflows 32 bits for a broken record.
  return int(-std::int64_t(FontHeight(font)) * 72 / pixelsPerInch);
}

std::string FontFaceName(const FontRecord& font) {
  const auto* face = reinterpret_cast<const char*>(font.data() + kFaceNameOffset);
  return std::string(face, strnlen(face, kFontRecordSize - kFaceNameOffset));
}

std::string FontDescription(const FontRecord& font, int pixelsPerInch) {
  return FontFaceName(font) + "," + std::to_string(FontPointSize(font, pixelsPerInch));
}

// ---- The dialog ----

ConfigDialogModel::ConfigDialogModel(EditorSettings& settings, SettingsStore& store, IniFile& settingsFile,
                                     IniFile& schemes)
    : settings_(settings), store_(store), settingsFile_(settingsFile), schemesFile_(schemes) {
  working_ = LoadColours(store_);
  pickers_ = working_;

  // The settings file comes first, as at start-up; when it names no compiler
  // the path found at start-up stays, instead of being wiped.
  settings_.compilerPath = FindCompilerPath(store_, settingsFile_);

  schemes_ = SchemeList(schemesFile_);
  initialScheme_ = SchemeIndexOf(schemes_, LoadSchemeName(store_));
  selected_ = initialScheme_;

  tabText_ = std::to_string(settings_.EffectiveTabWidth());
  workingFont_ = settings_.font;
  completion_ = settings_.completionPrompts;
  autoIndent_ = settings_.autoIndent;
  changes_ = {};
}

void ConfigDialogModel::SelectScheme(int index) {
  if (index < 0 || std::size_t(index) >= schemes_.size()) return;
  selected_ = index;
  changes_.scheme = index != initialScheme_;
  LoadScheme(index);
}

void ConfigDialogModel::LoadScheme(int index) {
  if (index < 0 || std::size_t(index) >= schemes_.size()) return;
  working_ = index == 0 ? EditorColours{} : ReadScheme(schemesFile_, schemes_[std::size_t(index)]);
  pickers_ = working_;
}

void ConfigDialogModel::SetPickerColour(int slot, ColourRef colour) {
  if (slot < 0 || slot >= kColourSlotCount) return;
  pickers_.slot[std::size_t(slot)] = colour;
  saveEnabled_ = true;
}

bool ConfigDialogModel::SaveScheme(std::string_view name) {
  if (CheckSchemeName(name, schemes_) != SchemeNameCheck::kAccepted) return false;
  // The working colours stay those of the selected entry: 确定 stores them
  // under that entry's name, so the saved colours must not slip in under it.
  if (!WriteScheme(schemesFile_, name, pickers_)) return false;
  schemes_.emplace_back(name);
  return true;
}

void ConfigDialogModel::SetWorkingFont(const FontRecord& font) {
  workingFont_ = font;
  changes_.font = true;
}

bool ConfigDialogModel::SetCompilerPath(std::string_view path) {
  settings_.compilerPath = std::string(path);
  return SaveIniCompilerPath(settingsFile_, path);
}

void ConfigDialogModel::SetTabText(std::string_view text) {
  tabText_ = std::string(text);
  changes_.tabWidth = std::fabs(LeadingNumber(text) - settings_.tabWidth) > 0.0000001;
}

void ConfigDialogModel::SetCompletion(bool on) {
  completion_ = on;
  changes_.completion = on != settings_.completionPrompts;
}

void ConfigDialogModel::SetAutoIndent(bool on) {
  autoIndent_ = on;
  changes_.autoIndent = on != settings_.autoIndent;
}

std::optional<ConfigApplied> ConfigDialogModel::Confirm() {
  const std::optional<int> tabWidth = ParseTabWidth(tabText_);
  if (!tabWidth) return std::nullopt;
  changes_.tabWidth = *tabWidth != settings_.tabWidth;

  ConfigApplied applied;
  if (changes_.scheme) {
    settings_.colours = working_;
    SaveSchemeName(store_, schemes_[std::size_t(selected_)]);
    SaveColours(store_, working_);
    applied.drawingObjects = true;
  }
  // The three page switches are stored too, so that they outlive this run.
  if (changes_.tabWidth) {
    settings_.tabWidth = *tabWidth;
    SaveTabWidth(store_, *tabWidth);
  }
  if (changes_.completion) {
    settings_.completionPrompts = completion_;
    SaveCompletionPrompts(store_, completion_);
  }
  if (changes_.autoIndent) {
    settings_.autoIndent = autoIndent_;
    SaveAutoIndent(store_, autoIndent_);
  }
  if (changes_.font) {
    settings_.font = workingFont_;
    settings_.fontLoaded = true;
    SaveFontRecord(store_, workingFont_);
    applied.drawingObjects = true;
  }
  applied.repaint = changes_.scheme || changes_.tabWidth || changes_.font;
  return applied;
}

}  // namespace quillet
