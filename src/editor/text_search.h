// Searching one line of GBK text for a word. A match must begin and end on
// character boundaries, so a search for "@", "\\" or "A" never stops on the
// second byte of 丂, 乗 or 丄; ignoring case folds ASCII letters only, never a
// trail byte.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

class TextMatcher {
 public:
  static constexpr std::size_t npos = std::string_view::npos;

  TextMatcher(std::string_view needle, bool caseSensitive);

  std::size_t Length() const { return needle_.size(); }

  // Offset of the first match that starts at or after `from`; npos if none
  // (also for an empty needle).
  // Most lines hold no candidate at all; they are rejected here, inline, by
  // one byte search, before any walking.
  std::size_t FindFirst(std::string_view line, std::size_t from = 0) const {
    const std::size_t at = FirstCandidate(line, from);
    return at == npos ? npos : Scan(*this, line).Next(at);
  }

  // Offset of the last match that starts before `limit`; npos if none.
  std::size_t FindLast(std::string_view line, std::size_t limit = npos) const;

  // Calls onMatch(offset) for every match from left to right, each search
  // going on after the previous match (matches never overlap). Returns the count.
  template <typename OnMatch>
  std::size_t ForEach(std::string_view line, OnMatch&& onMatch) const {
    std::size_t count = 0;
    Scan scan(*this, line);
    for (std::size_t at = scan.Next(0); at != npos; at = scan.Next(at + needle_.size())) {
      onMatch(at);
      ++count;
    }
    return count;
  }

 private:
  // Walks one line once, from left to right: candidates come from a byte
  // search for the needle's first byte, and character boundaries are found
  // by a walk that only moves forward.
  class Scan {
   public:
    Scan(const TextMatcher& matcher, std::string_view line) : m_(matcher), line_(line) {}
    // The first match at or after from; from must not go back before the last match.
    std::size_t Next(std::size_t from);

   private:
    std::size_t Candidate(std::size_t from);
    bool IsBoundary(std::size_t at);

    const TextMatcher& m_;
    std::string_view line_;
    std::size_t walked_ = 0;     // a character boundary, the walk's position
    std::size_t confirmed_ = 0;  // a boundary at or before every later question
    std::size_t nextUpper_ = 0;  // cached byte searches for the two cases of a letter
    std::size_t nextLower_ = 0;
    bool upperValid_ = false;
    bool lowerValid_ = false;
  };

  bool EqualsAt(std::string_view line, std::size_t at) const;

  // Where a match could start at the earliest: the needle itself when the
  // case counts, else its first byte in either case.
  std::size_t FirstCandidate(std::string_view line, std::size_t from) const {
    if (needle_.empty()) return npos;
    if (caseSensitive_) return line.find(needle_, from);
    const std::size_t first = line.find(firstFolds_ ? firstUpper_ : needle_[0], from);
    return firstFolds_ ? std::min(first, line.find(firstLower_, from)) : first;
  }

  std::string needle_;
  std::string upper_;  // the needle with its single-byte letters upper-cased
  std::string fold_;   // 1 where the needle's byte is a single-byte letter compared without case
  bool caseSensitive_;
  char firstUpper_ = 0;
  char firstLower_ = 0;
  bool firstFolds_ = false;
};

// True when the byte offset is the start of a character (or the line's end).
bool IsCharBoundary(std::string_view line, std::size_t at);

}  // namespace quillet
