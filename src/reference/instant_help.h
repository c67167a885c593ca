// Instant help: every record of the keyword database that a selected word
// belongs to, as a whole word of its English name or an item of its 关键字.
// The menu handler shows the waiting text, lets it paint, then the result.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

class KeywordDatabase;
struct KeywordRecord;

inline constexpr char kInstantHelpNotOpen[] = "PowerBASIC8.0的命令函数信息数据库未能打开，即使帮助不能使用";

// Shown while the database is scanned for word.
std::string InstantHelpWaitingText(std::string_view word);

// ",w1,w2,...,": the words of the English name ("..." and doubled blanks taken
// as one blank), then the 关键字 text when it is not empty.
std::string RecordWordList(const KeywordRecord& record);

// Whether key occurs in text ignoring the case of ASCII letters; a match never
// starts inside a two-byte character, and trail bytes are never folded.
bool ContainsNoCase(std::string_view text, std::string_view key);

// The whole new content of 帮助信息栏 for a non-empty word: the count of
// matching records, then each one numbered in storage order.
std::string InstantHelpText(const KeywordDatabase& database, std::string_view word);

}  // namespace quillet
