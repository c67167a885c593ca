// Reading the keyword database. The whole file is checked before any record is
// kept: the help texts are shown verbatim in an edit control, so a half-read
// or mis-decoded file would show garbage rather than fail visibly.
#include "reference/keyword_database.h"

#include <array>
#include <string>
#include <utility>

#include "platform/file_system.h"
#include "reference/catalogue.h"
#include "reference/join_text.h"

namespace quillet {
namespace {

constexpr std::array<std::string_view, 5> kFieldNames = {"英文名称", "中文名称", "用法", "详细说明",
                                                         "关键字"};
// Record numbers travel in the low 16 bits of a tree item's value.
constexpr std::size_t kMaxRecords = 0xFFFF;

bool Fail(std::string& fault, std::size_t line, std::string_view text) {
  fault = JoinText({"第 ", std::to_string(line), " 行：", text});
  return false;
}

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

// A line must be well-formed GBK without control bytes other than TAB, so that
// a file in another encoding or a damaged one is caught at its first bad line.
bool CheckLineBytes(std::string_view line, std::size_t number, std::string& fault) {
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if (c == '\r' || c == '\n') return Fail(fault, number, "行尾不是 CR LF");
    if ((c < 0x20 && c != '\t') || c == 0x7F) return Fail(fault, number, "含有控制字符");
    if (c == 0xFF) return Fail(fault, number, "不是有效的 GBK 文本");
    if (c >= 0x81) {
      if (i + 1 >= line.size() || !IsTrailByte(static_cast<unsigned char>(line[i + 1]))) {
        return Fail(fault, number, "不是有效的 GBK 文本（双字节字符不完整）");
      }
      ++i;
    }
  }
  return true;
}

bool SplitLines(std::string_view bytes, std::vector<std::string_view>& lines, std::string& fault) {
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string_view::npos)
      return Fail(fault, lines.size() + 1, "文件在行中截断（缺少行尾 CR LF）");
    const std::string_view line = bytes.substr(start, end - start);
    if (!CheckLineBytes(line, lines.size() + 1, fault)) return false;
    lines.push_back(line);
    start = end + 2;
  }
  return true;
}

// The quoted English name with its escapes \t, \\ and \". Two-byte characters
// are copied whole: their trail byte may be a backslash.
bool Unquote(std::string_view text, std::string& out) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos || text[i] != '"') return false;
  for (++i; i < text.size(); ++i) {
    const char c = text[i];
    if (static_cast<unsigned char>(c) >= 0x81) {
      out.append(text.substr(i, 2));
      ++i;
    } else if (c == '"') {
      return i + 1 == text.size();
    } else if (c == '\\') {
      if (++i == text.size()) return false;
      switch (text[i]) {
        case 't':
          out += '\t';
          break;
        case '\\':
          out += '\\';
          break;
        case '"':
          out += '"';
          break;
        default:
          return false;
      }
    } else {
      out += c;
    }
  }
  return false;  // no closing quote
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string_view>& lines) : lines_(lines) {}

  bool Run(std::vector<KeywordRecord>& records, std::string& fault) {
    if (lines_.empty() || lines_[0] != kKeywordDatabaseHeader) {
      return Fail(fault, 1, JoinText({"不是关键字数据库（第一行应为 ", kKeywordDatabaseHeader, "）"}));
    }
    at_ = 1;
    while (true) {
      while (at_ < lines_.size() && lines_[at_].empty()) ++at_;
      if (at_ == lines_.size()) break;
      if (records.size() == kMaxRecords) return Fail(fault, at_ + 1, "记录过多");
      KeywordRecord record;
      if (!ReadRecord(records.size() + 1, record, fault)) return false;
      records.push_back(std::move(record));
    }
    if (records.empty()) return Fail(fault, lines_.size() + 1, "文件中没有记录");
    return true;
  }

 private:
  bool ReadRecord(std::size_t number, KeywordRecord& record, std::string& fault) {
    const std::string header = JoinText({"### ", std::to_string(number)});
    if (lines_[at_] != header) return Fail(fault, at_ + 1, JoinText({"应为“", header, "”"}));
    ++at_;
    std::string* fields[] = {&record.englishName, &record.chineseName, &record.usage, &record.description,
                             &record.keywords};
    for (std::size_t f = 0; f < kFieldNames.size(); ++f) {
      const std::string label = JoinText({kFieldNames[f], ":"});
      if (at_ == lines_.size()) {
        return Fail(fault, at_ + 1, JoinText({"文件在记录“", header, "”中途结束，缺少“", label, "”"}));
      }
      const std::string_view line = lines_[at_];
      if (!line.starts_with(label)) return Fail(fault, at_ + 1, JoinText({"应为“", label, "”"}));
      const std::string_view rest = line.substr(label.size());
      ++at_;
      if (f == 0) {
        if (!Unquote(rest, *fields[f]))
          return Fail(fault, at_, "英文名称应为带引号的文本（转义只有 \\t \\\\ \\\"）");
      } else {
        ReadValue(rest, *fields[f]);
      }
    }
    if (at_ < lines_.size() && !lines_[at_].empty()) {
      return Fail(fault, at_ + 1, JoinText({"记录“", header, "”的字段之后应为空行"}));
    }
    return true;
  }

  // "名称: text" on one line, or "名称:" followed by lines "| text".
  void ReadValue(std::string_view rest, std::string& out) {
    const std::size_t start = rest.find_first_not_of(' ');
    if (start != std::string_view::npos) {
      out = rest.substr(start);
      return;
    }
    for (bool first = true; at_ < lines_.size() && lines_[at_].starts_with('|'); ++at_, first = false) {
      std::string_view piece = lines_[at_].substr(1);
      if (piece.starts_with(' ')) piece.remove_prefix(1);
      if (!first) out += "\r\n";
      out += piece;
    }
  }

  const std::vector<std::string_view>& lines_;
  std::size_t at_ = 0;
};

}  // namespace

bool KeywordDatabase::Load(std::string_view bytes, std::string& fault) {
  records_.clear();
  if (bytes.empty()) return Fail(fault, 1, "文件是空的");
  if (bytes.size() > kMaxKeywordDatabaseBytes) return Fail(fault, 1, "文件过大，不是关键字数据库");
  std::vector<std::string_view> lines;
  if (!SplitLines(bytes, lines, fault)) return false;
  std::vector<KeywordRecord> records;
  if (!Parser(lines).Run(records, fault)) return false;
  records_ = std::move(records);
  return true;
}

bool KeywordDatabase::LoadFile(FileSystem& files, const std::string& path, std::string& fault) {
  records_.clear();
  std::string bytes;
  if (!files.ReadWholeFile(path, bytes, kMaxKeywordDatabaseBytes)) {
    fault = JoinText({"无法读取“", path, "”（文件不存在、不能打开或过大）"});
    return false;
  }
  return Load(bytes, fault);
}

const KeywordRecord* KeywordDatabase::Record(int n) const {
  if (n < 1 || n > RecordCount()) return nullptr;
  return &records_[static_cast<std::size_t>(n - 1)];
}

bool OpenKeywordDatabase(KeywordDatabase& database, FileSystem& files, const std::string& path,
                         std::string& fault) {
  if (!database.LoadFile(files, path, fault)) return false;
  if (database.RecordCount() != kCatalogueEntryCount) {
    fault = JoinText({"数据库有 ", std::to_string(database.RecordCount()), " 条记录，函数库需要 ",
                      std::to_string(kCatalogueEntryCount), " 条"});
    database.Clear();
    return false;
  }
  return true;
}

}  // namespace quillet
