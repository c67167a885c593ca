// The keyword table: the words the colourer paints as keywords and the
// completion prompt offers, held in buckets by byte length so that a lookup
// compares a word only with the keywords of its own length.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/editor_settings.h"

namespace quillet {

// Keyword kinds; a failed lookup yields kNotKeyword.
constexpr int kSystemKeyword = 0;  // entry points, metastatements, built-in equates
constexpr int kReservedWord = 1;   // statements, functions and their clause words
constexpr int kNotKeyword = -1;

struct KeywordEntry {
  std::string word;  // upper case, as stored in the lists
  int kind = kNotKeyword;

  bool operator==(const KeywordEntry&) const = default;
};

// The keywords of one byte length, in insertion order: that order is the
// order the completion prompt lists words of equal length in.
class KeywordBucket {
 public:
  void Add(KeywordEntry entry) { entries.push_back(std::move(entry)); }

  // Kind of the first entry equal to the word byte for byte, else kNotKeyword.
  int Find(std::string_view word) const;

  const std::vector<KeywordEntry>& Entries() const { return entries; }
  std::size_t Count() const { return entries.size(); }

 private:
  std::vector<KeywordEntry> entries;
};

class KeywordTable {
 public:
  // Appends the word to the bucket of its length, growing the bucket array
  // when the word is longer than any before. Empty words are ignored.
  void Add(std::string_view word, int kind);

  // Adds every word of a comma-separated list, in list order.
  void AddList(std::string_view commaSeparated, int kind);

  // Kind of the word (already upper case); words shorter than 2 bytes or
  // longer than the longest keyword are rejected without any comparison.
  int Lookup(std::string_view word) const;

  // Every keyword whose first bytes equal the prefix (case-sensitive: the
  // prompt upper-cases what the user types), shortest first and, within one
  // length, in insertion order.
  std::vector<KeywordEntry> CollectPrefix(std::string_view prefix) const;

  // Number of buckets: the byte length of the longest keyword.
  int MaxLength() const { return maxLength; }

  // The bucket of words of exactly `length` bytes; an empty one outside 1..MaxLength().
  const KeywordBucket& Bucket(int length) const;

 private:
  std::vector<KeywordBucket> buckets;  // buckets[n - 1] holds the words of n bytes
  int maxLength = 0;
};

// The table of the two built-in lists: system keywords first, then reserved words.
KeywordTable BuildKeywordTable();

// The process-wide table, built on first use (start-up calls it before any
// window exists) and read-only afterwards.
const KeywordTable& Keywords();

// Colour of a word (upper case): the system keyword or reserved word colour,
// or the default text colour when it is not a keyword.
ColourRef WordColour(std::string_view word, const KeywordTable& table, const EditorColours& colours);

// The 23 single-byte operator characters. "." "&" "#" "$" "%" "'" and the
// double quote are not among them.
inline constexpr std::string_view kOperatorChars = "(){}=+-*/\\|~^?:;[]<>,@!";

constexpr bool IsOperatorChar(char c) { return kOperatorChars.find(c) != std::string_view::npos; }

}  // namespace quillet
