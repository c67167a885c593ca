// The process-wide editor settings that most of the program reads: the twelve
// colours, TAB width, font record and switches. Loading and saving them is the
// settings store's job (shell/settings.h); this header only holds the values.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quillet {

using ColourRef = std::uint32_t;  // 0x00BBGGRR, as a Windows COLORREF

constexpr ColourRef Rgb(unsigned r, unsigned g, unsigned b) {
  return ColourRef(r) | (ColourRef(g) << 8) | (ColourRef(b) << 16);
}

// Colour slots in storage order (also the order of the configuration pickers).
enum ColourSlot : int {
  DefaultText = 0,
  AsmCode,
  Background,
  CursorLineBar,
  MemberMethod,
  SystemKeyword,
  ReservedWord,
  Operator,
  Comment,
  QuotedText,
  TextConstant,
  NumericConstant,
  kColourSlotCount
};

struct EditorColours {
  std::array<ColourRef, kColourSlotCount> slot = DefaultSlots();

  ColourRef operator[](ColourSlot s) const { return slot[std::size_t(s)]; }
  ColourRef& operator[](ColourSlot s) { return slot[std::size_t(s)]; }
  bool operator==(const EditorColours&) const = default;

  static constexpr std::array<ColourRef, kColourSlotCount> DefaultSlots() {
    return {Rgb(0, 0, 0),     Rgb(128, 0, 128), Rgb(255, 255, 255), Rgb(255, 255, 0),
            Rgb(128, 0, 0),   Rgb(255, 0, 0),   Rgb(0, 0, 255),     Rgb(0, 0, 128),
            Rgb(0, 128, 0),   Rgb(0, 128, 128), Rgb(144, 0, 255),   Rgb(192, 96, 0)};
  }
};

// Key texts under which colour schemes and the configuration dialog name the slots.
inline constexpr std::array<const char*, kColourSlotCount> kColourSlotNames = {
    "默认文本颜色", "汇编代码颜色", "背景颜色",   "光标行条颜色", "成员方法颜色", "系统关键字颜色",
    "保留字颜色",   "运算符颜色",   "注释颜色",   "引号文本颜色", "文本常量颜色", "数值常量颜色"};

// The 60-byte image of a LOGFONTA, little-endian, as stored in the registry.
constexpr std::size_t kFontRecordSize = 60;
using FontRecord = std::array<std::uint8_t, kFontRecordSize>;

// Bounds that keep a broken stored TAB width from hanging or blowing up layout.
constexpr int kMinTabWidth = 1;
constexpr int kMaxTabWidth = 32;

struct EditorSettings {
  EditorColours colours;
  int tabWidth = 4;      // columns; read through EffectiveTabWidth()
  FontRecord font{};     // all zero means "not loaded": use the GUI font
  bool fontLoaded = false;
  bool completionPrompts = true;
  bool autoIndent = true;
  std::string compilerPath;

  // Layout state the shell sets at start-up and through the view switches.
  int lineNumberBarWidth = 40;  // 0 while the line-number bar is hidden
  int lineSpacing = 3;          // pixels added to the glyph height per row
  int textMargin = 3;           // pixels between the line-number bar and the text

  int EffectiveTabWidth() const {
    return tabWidth < kMinTabWidth ? kMinTabWidth : tabWidth > kMaxTabWidth ? kMaxTabWidth : tabWidth;
  }
};

}  // namespace quillet
