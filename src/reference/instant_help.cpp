#include "reference/instant_help.h"

#include "common/gbk.h"
#include "reference/join_text.h"
#include "reference/keyword_database.h"

namespace quillet {
namespace {

// Replaces every needle by replacement in one pass from the left; the text
// replaced in is not looked at again.
std::string ReplaceAll(std::string_view text, std::string_view needle, std::string_view replacement) {
  std::string out;
  for (std::size_t at = 0;;) {
    const std::size_t found = text.find(needle, at);
    if (found == std::string_view::npos) return out.append(text.substr(at));
    out.append(text.substr(at, found - at)).append(replacement);
    at = found + needle.size();
  }
}

}  // namespace

std::string InstantHelpWaitingText(std::string_view word) {
  return JoinText({"正在寻找与关键字：“", word, "”相关的帮助信息，请等待..."});
}

std::string RecordWordList(const KeywordRecord& record) {
  // '.' and ' ' are never trail bytes, so byte-wise replacing is safe here.
  const std::string name = ReplaceAll(ReplaceAll(record.englishName, "...", " "), "  ", " ");
  std::string list = ",";
  for (std::size_t at = 0;;) {
    const std::size_t blank = name.find(' ', at);
    list.append(name, at, blank == std::string::npos ? std::string::npos : blank - at).push_back(',');
    if (blank == std::string::npos) break;
    at = blank + 1;
  }
  if (!record.keywords.empty()) list.append(record.keywords).push_back(',');
  return list;
}

bool ContainsNoCase(std::string_view text, std::string_view key) {
  if (key.empty()) return true;
  const std::string foldedText = gbk::ToUpper(text);
  const std::string foldedKey = gbk::ToUpper(key);
  for (std::size_t i = 0; i + foldedKey.size() <= foldedText.size();
       i += gbk::IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1) {
    if (std::string_view(foldedText).substr(i, foldedKey.size()) == foldedKey) return true;
  }
  return false;
}

std::string InstantHelpText(const KeywordDatabase& database, std::string_view word) {
  const std::string key = JoinText({",", word, ","});
  std::string found;
  int hits = 0;
  for (const KeywordRecord& record : database.Records()) {
    if (!ContainsNoCase(RecordWordList(record), key)) continue;
    ++hits;
    found += JoinText({"\r\n\r\n-----------------------第", std::to_string(hits),
                       "次-----------------------\r\n\r\n", "    英文名称：", record.englishName,
                       "\r\n    中文名称：", record.chineseName, "\r\n\r\n【使用方法】\r\n", record.usage});
  }
  return JoinText({"找到与关键字：“", word, "”相关的帮助信息 ", std::to_string(hits), " 个", found});
}

}  // namespace quillet
