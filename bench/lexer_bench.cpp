// Colouring one screen of typical source: every paint does this for every
// visible line, so it must stay far below a frame.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "language/lexer.h"

namespace quillet {
namespace {

class CountingSink : public RunSink {
 public:
  void DrawRun(std::string_view bytes, ColourRef colour) override { Count(bytes, colour); }
  void DrawKeywordRun(std::string_view bytes, ColourRef colour) override { Count(bytes, colour); }
  std::size_t total = 0;

 private:
  void Count(std::string_view bytes, ColourRef colour) { total += bytes.size() + colour; }
};

std::vector<std::string> Screen() {
  const std::vector<std::string> sample = {
      "#COMPILE EXE",
      "#INCLUDE \"WIN32API.INC\"",
      "",
      "%IDC_OK = 1001   ' 确定按钮",
      "$APP_TITLE = \"示例程序\"",
      "",
      "FUNCTION PBMAIN () AS LONG",
      "    LOCAL hDlg AS DWORD, i AS LONG, s AS STRING",
      "    DIALOG NEW 0, \"窗口标题\", , , 200, 120, %WS_SYSMENU TO hDlg",
      "    CONTROL ADD BUTTON, hDlg, %IDC_OK, \"确定\", 70, 90, 60, 14",
      "    FOR i = 1 TO 10",
      "        s = s & FORMAT$(i, \"000\") & $CRLF   ' 累加",
      "        IF i MOD 2 = 0 THEN obj.Method(i, \"He said \"\"hi\"\"\")",
      "    NEXT i",
      "    ! mov eax, 1 ; 内联汇编",
      "    DATA 1, 2, \"three\" : x& = MIN&(a, b)",
      "    DIALOG SHOW MODAL hDlg CALL DlgProc",
      "END FUNCTION",
      "",
      "CALLBACK FUNCTION DlgProc() AS LONG",
      "    SELECT CASE CBMSG",
      "        CASE %WM_COMMAND",
      "            IF CBCTL = %IDC_OK THEN DIALOG END CBHNDL, 0",
      "    END SELECT",
      "END FUNCTION",
  };
  std::vector<std::string> lines;
  while (lines.size() < 50) lines.insert(lines.end(), sample.begin(), sample.end());
  lines.resize(50);
  return lines;
}

void BM_ColourScreen(benchmark::State& state) {
  const std::vector<std::string> lines = Screen();
  const KeywordTable& table = Keywords();
  const EditorColours colours;
  for (auto _ : state) {
    CountingSink sink;
    for (const std::string& line : lines) ColourLine(line, table, colours, sink);
    benchmark::DoNotOptimize(sink.total);
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(lines.size()));
}
BENCHMARK(BM_ColourScreen);

void BM_LookupMiss(benchmark::State& state) {
  const KeywordTable& table = Keywords();
  for (auto _ : state) benchmark::DoNotOptimize(table.Lookup("HDLG"));
}
BENCHMARK(BM_LookupMiss);

}  // namespace
}  // namespace quillet

BENCHMARK_MAIN();
