// TABs are stored as one byte and widened only when text is measured or drawn.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace quillet {

// The text with every TAB byte replaced by tabWidth spaces. Runs between TABs
// are copied whole: every keystroke measures a line or two this way.
inline std::string ExpandTabs(std::string_view text, int tabWidth) {
  const auto width = static_cast<std::size_t>(std::max(tabWidth, 0));
  std::size_t tabs = 0;
  for (std::size_t tab = text.find('\t'); tab != std::string_view::npos; tab = text.find('\t', tab + 1)) ++tabs;
  std::string out;
  out.reserve(text.size() - tabs + tabs * width);
  std::size_t from = 0;
  for (std::size_t tab = text.find('\t'); tab != std::string_view::npos; tab = text.find('\t', from)) {
    out.append(text.substr(from, tab - from)).append(width, ' ');
    from = tab + 1;
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace quillet
