// Byte-level helpers for GBK text. Text is kept as the file's own bytes; these
// helpers only decide where a two-byte character starts, and fold ASCII letters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet::gbk {

// Code page 936 starts two-byte characters with 0x81..0xFE; 0x80 (the euro
// sign) and 0xFF are characters of one byte. Every scan uses this one rule, so
// the caret, deletion, selection and the colourer agree on where characters are.
constexpr bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Where the character that ends at (or holds) byte col begins, found by walking
// from the line's first byte so that a pair is never split.
inline int CharStartBefore(std::string_view line, int col) {
  int start = 0;
  for (int i = 0; i < col && i < static_cast<int>(line.size());
       i += IsLeadByte(static_cast<unsigned char>(line[static_cast<std::size_t>(i)])) ? 2 : 1) {
    start = i;
  }
  return start;
}

constexpr char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// Upper-cases ASCII letters and leaves both bytes of every two-byte character
// alone, so a trail byte in the ASCII range (0x40..0x7E) is never folded.
inline std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(out[i]))) {
      ++i;  // skip the trail byte
    } else {
      out[i] = AsciiUpper(out[i]);
    }
  }
  return out;
}

// Case-insensitive comparison with the same rule: only ASCII letters outside
// two-byte characters are folded.
inline bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ToUpper(a) == ToUpper(b);
}

// Offset of the last single-byte character that is one of `chars`, or npos.
// Trail bytes are never matched (0x5C, the backslash, can be one).
inline std::size_t FindLastSingleOf(std::string_view text, std::string_view chars) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(text[i]))) {
      ++i;
    } else if (chars.find(text[i]) != std::string_view::npos) {
      found = i;
    }
  }
  return found;
}

// The same for one ASCII byte such as '\\'.
inline std::size_t FindLastSingle(std::string_view text, char c) {
  return FindLastSingleOf(text, std::string_view(&c, 1));
}

}  // namespace quillet::gbk
