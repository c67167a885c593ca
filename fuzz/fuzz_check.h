// What the fuzz targets share: a check that stops the run where a property
// fails, so libFuzzer keeps the input that broke it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "common/gbk.h"

#define FUZZ_CHECK(condition)                                                              \
  do {                                                                                     \
    if (!(condition)) {                                                                    \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                        \
    }                                                                                      \
  } while (0)

namespace quillet::fuzz {

inline std::string_view AsText(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The parts of an input cut at every NUL: a target that needs several texts
// (say an INI text, a section and a key) takes them from one input this way,
// so its seeds stay readable. Missing parts are empty.
template <std::size_t N>
struct Parts {
  std::string_view part[N];

  explicit Parts(std::string_view text) {
    for (std::size_t i = 0; i < N; ++i) {
      const std::size_t nul = i + 1 < N ? text.find('\0') : std::string_view::npos;
      part[i] = text.substr(0, nul);
      if (nul == std::string_view::npos) break;
      text.remove_prefix(nul + 1);
    }
  }
  std::string_view operator[](std::size_t i) const { return part[i]; }
};

// The plain models of the text: the size of the character at i, a lone lead
// byte at the end being one.
inline std::size_t CharSize(std::string_view text, std::size_t i) {
  return gbk::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// Whether needle's characters equal line's from at on (the caller checks that
// at and its end are character starts): an ASCII letter folded when the case
// does not count, any other byte exactly.
inline bool CharsMatchAt(std::string_view line, std::size_t at, std::string_view needle, bool caseSensitive) {
  if (at + needle.size() > line.size()) return false;
  for (std::size_t p = 0; p < needle.size();) {
    const std::size_t size = CharSize(needle, p);
    if (CharSize(line, at + p) != size) return false;
    for (std::size_t i = 0; i < size; ++i) {
      const char a = line[at + p + i];
      const char b = needle[p + i];
      if (a != b && (caseSensitive || size != 1 || gbk::AsciiUpper(a) != gbk::AsciiUpper(b))) return false;
    }
    p += size;
  }
  return true;
}

}  // namespace quillet::fuzz
