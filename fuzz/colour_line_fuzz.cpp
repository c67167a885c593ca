// The colourer on any line: its runs cover the line exactly, in order, never
// reach past its end, and never start or end inside a two-byte character.
#include <cstdint>
#include <string>
#include <vector>

#include "common/editor_settings.h"
#include "common/gbk.h"
#include "fuzz_check.h"
#include "language/keyword_table.h"
#include "language/lexer.h"

namespace {

using namespace quillet;

class CheckingSink final : public RunSink {
 public:
  explicit CheckingSink(std::string_view line) : line_(line) {
    // Where characters start, by the colourer's rule: a lead byte and
    // whatever byte follows it are one character, a lead byte at the end is one.
    boundary_.assign(line.size() + 1, false);
    for (std::size_t i = 0; i < line.size(); i += gbk::IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1) {
      boundary_[i] = true;
    }
    boundary_[line.size()] = true;
  }

  void DrawRun(std::string_view bytes, ColourRef) override { Take(bytes); }
  void DrawKeywordRun(std::string_view bytes, ColourRef) override {
    Take(bytes);
    FUZZ_CHECK(gbk::ToUpper(bytes).size() == bytes.size());
  }

  std::size_t Covered() const { return covered_; }

 private:
  void Take(std::string_view bytes) {
    FUZZ_CHECK(!bytes.empty());
    FUZZ_CHECK(bytes.data() == line_.data() + covered_);
    FUZZ_CHECK(bytes.size() <= line_.size() - covered_);
    covered_ += bytes.size();
    FUZZ_CHECK(boundary_[covered_]);
  }

  std::string_view line_;
  std::vector<bool> boundary_;
  std::size_t covered_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // libFuzzer's buffer is exactly the input's size, so reading past the line is caught.
  const std::string_view line = quillet::fuzz::AsText(data, size);
  EditorColours plain;
  plain.slot.fill(0);  // keywords then take the default colour, constants too
  for (const EditorColours& colours : {EditorColours(), plain}) {
    CheckingSink sink(line);
    ColourLine(line, Keywords(), colours, sink);
    FUZZ_CHECK(sink.Covered() == line.size());
  }
  return 0;
}
