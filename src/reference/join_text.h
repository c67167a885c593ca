// Text joined from pieces. Used instead of "literal" + std::string chains, on
// which GCC 12 warns falsely about overlapping copies.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace quillet {

inline std::string JoinText(std::initializer_list<std::string_view> pieces) {
  std::size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  std::string out;
  out.reserve(size);
  for (std::string_view piece : pieces) out.append(piece);
  return out;
}

}  // namespace quillet
