#include "editor/text_search.h"

#include <algorithm>
#include <cstring>

#include "common/gbk.h"

namespace quillet {
namespace {

bool IsLead(char c) { return gbk::IsLeadByte(static_cast<unsigned char>(c)); }
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::size_t FindByte(std::string_view line, std::size_t from, char c) {
  if (from >= line.size()) return std::string_view::npos;
  const void* hit = std::memchr(line.data() + from, c, line.size() - from);
  return hit == nullptr ? std::string_view::npos : static_cast<const char*>(hit) - line.data();
}

}  // namespace

bool IsCharBoundary(std::string_view line, std::size_t at) {
  if (at >= line.size()) return at == line.size();
  std::size_t i = 0;
  while (i < at) i += IsLead(line[i]) ? 2 : 1;
  return i == at;
}

TextMatcher::TextMatcher(std::string_view needle, bool caseSensitive)
    : needle_(needle), upper_(needle), fold_(needle.size(), 0), caseSensitive_(caseSensitive) {
  if (caseSensitive_) return;
  // Only bytes that are characters of their own fold: the needle is walked as text.
  for (std::size_t i = 0; i < needle_.size(); ++i) {
    if (IsLead(needle_[i])) {
      ++i;
    } else if (IsAsciiLetter(needle_[i])) {
      upper_[i] = gbk::AsciiUpper(needle_[i]);
      fold_[i] = 1;
    }
  }
  if (!needle_.empty() && fold_[0]) {
    firstFolds_ = true;
    firstUpper_ = upper_[0];
    firstLower_ = AsciiLower(upper_[0]);
  }
}

bool TextMatcher::EqualsAt(std::string_view line, std::size_t at) const {
  const std::size_t n = needle_.size();
  if (at > line.size() || line.size() - at < n) return false;
  const char* h = line.data() + at;
  if (caseSensitive_) return std::memcmp(h, needle_.data(), n) == 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (fold_[i] ? gbk::AsciiUpper(h[i]) != upper_[i] : h[i] != needle_[i]) return false;
  }
  return true;
}

std::size_t TextMatcher::Scan::Candidate(std::size_t from) {
  if (m_.caseSensitive_) return line_.find(m_.needle_, from);
  if (!m_.firstFolds_) return FindByte(line_, from, m_.needle_[0]);
  // A letter: the nearer of its two cases, each searched with memchr and kept
  // until the scan passes it.
  if (!upperValid_ || (nextUpper_ != npos && nextUpper_ < from)) {
    nextUpper_ = FindByte(line_, from, m_.firstUpper_);
    upperValid_ = true;
  }
  if (!lowerValid_ || (nextLower_ != npos && nextLower_ < from)) {
    nextLower_ = FindByte(line_, from, m_.firstLower_);
    lowerValid_ = true;
  }
  return std::min(nextUpper_, nextLower_);
}

bool TextMatcher::Scan::IsBoundary(std::size_t at) {
  if (at >= line_.size()) return at == line_.size();
  if (at < walked_) walked_ = confirmed_;
  while (walked_ < at) {
    const std::size_t step = IsLead(line_[walked_]) ? 2 : 1;
    if (walked_ + step > at) return false;  // at is the second byte of a pair
    walked_ += step;
  }
  return true;
}

std::size_t TextMatcher::Scan::Next(std::size_t from) {
  const std::size_t n = m_.needle_.size();
  if (n == 0) return npos;
  for (;;) {
    const std::size_t at = Candidate(from);
    if (at == npos || line_.size() - at < n) return npos;
    if (m_.EqualsAt(line_, at) && IsBoundary(at)) {
      confirmed_ = at;
      if (IsBoundary(at + n)) return at;
    }
    from = at + 1;
  }
}

std::size_t TextMatcher::FindLast(std::string_view line, std::size_t limit) const {
  std::size_t last = npos;
  Scan scan(*this, line);
  // Overlapping matches count here: the last one may begin inside an earlier one.
  for (std::size_t at = scan.Next(0); at != npos && at < limit; at = scan.Next(at + 1)) last = at;
  return last;
}

}  // namespace quillet
