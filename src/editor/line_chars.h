// The characters of one line as they are drawn: a lead byte takes the next
// byte with it, a TAB is widened to TAB-width spaces, keywords are in the
// capitals the painter draws. Used to find the character under a point without
// measuring the line once per character.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/gbk.h"

namespace quillet {

class LineChars {
 public:
  // drawn: the line as painted (CodeDocument::DrawnLine), as long as its TAB expansion.
  LineChars(std::string_view line, int tabWidth, std::string drawn) : text_(line), expanded_(std::move(drawn)) {
    ends_.reserve(line.size());
    std::size_t expandedEnd = 0;
    for (std::size_t i = 0; i < line.size();) {
      const std::size_t size = gbk::IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
      const std::size_t end = std::min(i + size, line.size());  // a lone lead byte ends the line
      for (; i < end; ++i) expandedEnd += line[i] == '\t' ? static_cast<std::size_t>(tabWidth) : 1;
      ends_.push_back({static_cast<int>(end), expandedEnd});
    }
  }

  int Count() const { return static_cast<int>(ends_.size()); }
  // Byte columns before and after character i.
  int Begin(int i) const { return i == 0 ? 0 : ends_[i - 1].column; }
  int End(int i) const { return ends_[i].column; }
  unsigned char FirstByte(int i) const { return static_cast<unsigned char>(text_[Begin(i)]); }

  // The drawn text up to the end of character i (empty for i < 0).
  std::string_view DrawnThrough(int i) const {
    return i < 0 ? std::string_view() : std::string_view(expanded_).substr(0, ends_[i].expandedEnd);
  }

  // The first character whose right edge lies at or beyond x; Count() when the
  // whole line lies left of x. widthOf(drawn prefix) gives a pixel width; widths
  // grow with the prefix, so a binary search needs about log2(Count()) of them.
  template <typename WidthOf>
  int FirstReaching(long long x, WidthOf&& widthOf) const {
    int lo = 0;
    int hi = Count();
    while (lo < hi) {
      const int mid = lo + (hi - lo) / 2;
      if (widthOf(DrawnThrough(mid)) < x) {
        lo = mid + 1;
      } else {
        hi = mid;
      }
    }
    return lo;
  }

 private:
  struct CharEnd {
    int column;
    std::size_t expandedEnd;
  };

  std::string_view text_;
  std::string expanded_;
  std::vector<CharEnd> ends_;
};

}  // namespace quillet
