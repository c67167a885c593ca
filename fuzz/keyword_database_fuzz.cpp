// The keyword database loader on any bytes: the file is refused with a named
// fault or loaded whole, and a loaded database written out again in the file's
// own format loads to the same records.
#include <cstdint>
#include <string>

#include "core/memory_file_system.h"
#include "fuzz_check.h"
#include "reference/keyword_database.h"

namespace {

using namespace quillet;

// Field texts hold only whole GBK characters, TAB and CR LF pairs.
bool IsFieldText(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\r') {
      if (i + 1 == text.size() || text[i + 1] != '\n') return false;
      ++i;
    } else if (c >= 0x81 && c <= 0xFE) {
      if (i + 1 == text.size()) return false;
      ++i;
    } else if ((c < 0x20 && c != '\t') || c == 0x7F || c == 0xFF) {
      return false;
    }
  }
  return true;
}

void AppendField(std::string& file, std::string_view label, std::string_view text) {
  file.append(label).append(":\r\n");
  if (text.empty()) return;
  while (true) {
    const std::size_t end = text.find("\r\n");
    file.append("| ").append(text.substr(0, end)).append("\r\n");
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 2);
  }
}

std::string Write(const KeywordDatabase& database) {
  std::string file = std::string(kKeywordDatabaseHeader) + "\r\n";
  int number = 0;
  for (const KeywordRecord& r : database.Records()) {
    file.append("### ").append(std::to_string(++number)).append("\r\n英文名称: \"");
    for (std::size_t i = 0; i < r.englishName.size(); ++i) {
      const char c = r.englishName[i];
      if (static_cast<unsigned char>(c) >= 0x81) {
        file.append(r.englishName, i++, 2);
      } else if (c == '\t') {
        file.append("\\t");
      } else {
        if (c == '\\' || c == '"') file.push_back('\\');
        file.push_back(c);
      }
    }
    file.append("\"\r\n");
    AppendField(file, "中文名称", r.chineseName);
    AppendField(file, "用法", r.usage);
    AppendField(file, "详细说明", r.description);
    AppendField(file, "关键字", r.keywords);
    file.append("\r\n");
  }
  return file;
}

bool SameRecords(const KeywordDatabase& a, const KeywordDatabase& b) {
  if (a.RecordCount() != b.RecordCount()) return false;
  for (int n = 1; n <= a.RecordCount(); ++n) {
    const KeywordRecord& x = *a.Record(n);
    const KeywordRecord& y = *b.Record(n);
    if (x.englishName != y.englishName || x.chineseName != y.chineseName || x.usage != y.usage ||
        x.description != y.description || x.keywords != y.keywords) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = quillet::fuzz::AsText(data, size);
  KeywordDatabase database;
  std::string fault;
  const bool loaded = database.Load(bytes, fault);

  // The same bytes as a file load the same way.
  MemoryFileSystem files;
  files.files["C:\\db.edb"] = std::string(bytes);
  KeywordDatabase fromFile;
  std::string fileFault;
  FUZZ_CHECK(fromFile.LoadFile(files, "C:\\db.edb", fileFault) == loaded);
  FUZZ_CHECK(fileFault == fault);
  FUZZ_CHECK(SameRecords(database, fromFile));

  if (!loaded) {
    FUZZ_CHECK(database.RecordCount() == 0 && database.Records().empty());
    FUZZ_CHECK(fault.starts_with("第 "));
    return 0;
  }
  FUZZ_CHECK(database.RecordCount() >= 1);
  FUZZ_CHECK(database.Record(0) == nullptr && database.Record(database.RecordCount() + 1) == nullptr);
  for (int n = 1; n <= database.RecordCount(); ++n) {
    const KeywordRecord* r = database.Record(n);
    FUZZ_CHECK(r == &database.Records()[static_cast<std::size_t>(n - 1)]);
    for (const std::string* field : {&r->englishName, &r->chineseName, &r->usage, &r->description, &r->keywords}) {
      FUZZ_CHECK(IsFieldText(*field));
    }
    FUZZ_CHECK(r->englishName.find('\r') == std::string::npos);
  }

  KeywordDatabase again;
  std::string againFault;
  FUZZ_CHECK(again.Load(Write(database), againFault));
  FUZZ_CHECK(SameRecords(database, again));
  return 0;
}
