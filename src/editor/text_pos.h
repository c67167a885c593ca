// A place in a document's text.
#pragma once

#include <cstdint>

namespace quillet {

struct TextPos {
  std::int32_t line = 0;  // 0-based index into the line store
  std::int32_t col = 0;   // byte offset in the line: 0 before the first byte, length after the last
  bool operator==(const TextPos&) const = default;
};

}  // namespace quillet
