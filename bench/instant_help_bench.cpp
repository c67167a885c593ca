// Instant help scans every record of the keyword database on the user-interface
// thread while the user waits, and start-up reads the whole file once.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "reference/catalogue.h"
#include "reference/instant_help.h"
#include "reference/keyword_database.h"

namespace quillet {
namespace {

// 638 records shaped like the real ones: the catalogue's names, a few usage
// lines, a description of about a kilobyte and some search words.
std::string DatabaseFile() {
  std::string file = std::string(kKeywordDatabaseHeader) + "\r\n";
  for (int n = 1; n <= kCatalogueEntryCount; ++n) {
    std::string name(EntryOfRecord(n)->text);
    for (std::size_t tab; (tab = name.find('\t')) != std::string::npos;) name.replace(tab, 1, "\\t");
    file +=
        "### " + std::to_string(n) + "\r\n英文名称: \"" + name + "\"\r\n中文名称:\r\n| 取绝对值\r\n用法:\r\n";
    for (int line = 0; line < 3; ++line) file += "| " + name + " 参数1, 参数2 [, 可选参数] TO 变量\r\n";
    file += "详细说明:\r\n";
    for (int line = 0; line < 20; ++line)
      file += "| 返回数值表达式的绝对值，即去掉正负号后的大小。" + std::to_string(n) + "\r\n";
    file += "关键字: 绝对值,WHILE,UNTIL\r\n\r\n";
  }
  return file;
}

const KeywordDatabase& Database() {
  static const KeywordDatabase db = [] {
    KeywordDatabase loaded;
    std::string fault;
    if (!loaded.Load(DatabaseFile(), fault)) throw std::runtime_error(fault);
    return loaded;
  }();
  return db;
}

void BM_InstantHelpScan(benchmark::State& state, const char* word) {
  const KeywordDatabase& db = Database();
  for (auto _ : state) benchmark::DoNotOptimize(InstantHelpText(db, word));
}
BENCHMARK_CAPTURE(BM_InstantHelpScan, no_hit, "NOTHING");
BENCHMARK_CAPTURE(BM_InstantHelpScan, every_record, "while");  // all 638 records are shown

void BM_LoadKeywordDatabase(benchmark::State& state) {
  const std::string file = DatabaseFile();
  std::string fault;
  for (auto _ : state) {
    KeywordDatabase db;
    benchmark::DoNotOptimize(db.Load(file, fault));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * file.size()));
}
BENCHMARK(BM_LoadKeywordDatabase);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
