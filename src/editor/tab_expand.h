// TABs are stored as one byte and widened only when text is measured or drawn.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// The text with every TAB byte replaced by tabWidth spaces.
inline std::string ExpandTabs(std::string_view text, int tabWidth) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\t') {
      out.append(static_cast<std::size_t>(tabWidth), ' ');
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace quillet
