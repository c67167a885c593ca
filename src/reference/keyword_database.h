// The keyword database "PB命令函数库.edb": one record per catalogue entry with
// five text fields, read whole at start-up and then only looked up. The file
// is GBK text written by scripts/make_keyword_db.py; docs/keyword_database.md
// describes it. A damaged file is refused as a whole, never half used.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class FileSystem;

inline constexpr char kKeywordDatabaseFileName[] = "PB命令函数库.edb";
inline constexpr char kKeywordDatabaseHeader[] = "QUILLET-KEYWORDS 1";
// The real file is about a megabyte; anything this large is not one of ours.
inline constexpr std::uint64_t kMaxKeywordDatabaseBytes = 32u << 20;

struct KeywordRecord {
  std::string englishName;  // 英文名称
  std::string chineseName;  // 中文名称
  std::string usage;        // 用法, lines joined with "\r\n"
  std::string description;  // 详细说明
  std::string keywords;     // 关键字: more search words separated by commas, or empty
};

class KeywordDatabase {
 public:
  // Replaces the content by the records in bytes. On a fault the database is
  // left empty and fault names the line at fault ("第 N 行：...").
  bool Load(std::string_view bytes, std::string& fault);
  // The same for a file; a file that cannot be read or is too large is a fault.
  bool LoadFile(FileSystem& files, const std::string& path, std::string& fault);
  void Clear() { records_.clear(); }

  int RecordCount() const { return static_cast<int>(records_.size()); }
  // Record n (1-based); null when there is no such record.
  const KeywordRecord* Record(int n) const;
  // Every record in storage order (record n is element n - 1).
  std::span<const KeywordRecord> Records() const { return records_; }

 private:
  std::vector<KeywordRecord> records_;
};

// Start-up: reads the database for the catalogue. Refuses a file whose record
// count differs from the catalogue's, since entries would then miss their
// help. On failure the database is empty; the caller keeps the open flag.
bool OpenKeywordDatabase(KeywordDatabase& database, FileSystem& files, const std::string& path,
                         std::string& fault);

}  // namespace quillet
