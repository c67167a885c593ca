#include "language/lexer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace quillet {
namespace {

const EditorColours kColours;

struct Run {
  std::string text;
  ColourRef colour;
  bool upper = false;  // drawn with DrawKeywordRun
  bool operator==(const Run&) const = default;
};

void PrintTo(const Run& run, std::ostream* os) {
  *os << "{\"" << run.text << "\" ";
  const auto slot = std::find(kColours.slot.begin(), kColours.slot.end(), run.colour);
  if (slot != kColours.slot.end()) {
    *os << "slot " << (slot - kColours.slot.begin());
  } else {
    *os << std::hex << run.colour << std::dec;
  }
  *os << (run.upper ? " upper}" : "}");
}

Run R(std::string text, ColourSlot slot, bool upper = false) { return {std::move(text), kColours[slot], upper}; }
Run K(std::string text, ColourSlot slot) { return R(std::move(text), slot, true); }

// Records runs and checks that they tile the line: each starts where the last
// ended, none is empty, and all are views into the line itself.
class RecordingSink : public RunSink {
 public:
  explicit RecordingSink(std::string_view line) : line(line) {}

  void DrawRun(std::string_view bytes, ColourRef colour) override { Record(bytes, colour, false); }
  void DrawKeywordRun(std::string_view bytes, ColourRef colour) override { Record(bytes, colour, true); }

  std::vector<Run> runs;
  std::size_t covered = 0;

 private:
  void Record(std::string_view bytes, ColourRef colour, bool upper) {
    EXPECT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.data(), line.data() + covered) << "run does not start where the last ended";
    covered += bytes.size();
    EXPECT_LE(covered, line.size());
    runs.push_back({std::string(bytes), colour, upper});
  }

  std::string_view line;
};

// Colours the line from a heap buffer of exactly its size, so that the
// sanitizer catches any read past its end.
std::vector<Run> Colour(std::string_view text, const EditorColours& colours = kColours) {
  const std::unique_ptr<char[]> buffer(new char[text.size()]);
  std::copy(text.begin(), text.end(), buffer.get());
  const std::string_view line(buffer.get(), text.size());
  RecordingSink sink(line);
  ColourLine(line, Keywords(), colours, sink);
  EXPECT_EQ(sink.covered, line.size()) << "runs do not cover the line";
  return sink.runs;
}

// Adjacent runs of the same colour and kind joined, as they look on screen.
std::vector<Run> Merged(std::string_view text, const EditorColours& colours = kColours) {
  std::vector<Run> merged;
  for (Run& run : Colour(text, colours)) {
    if (!merged.empty() && merged.back().colour == run.colour && merged.back().upper == run.upper && !run.upper) {
      merged.back().text += run.text;
    } else {
      merged.push_back(std::move(run));
    }
  }
  return merged;
}

using Runs = std::vector<Run>;

TEST(ColourLine, CommentsAssemblerAndData) {
  EXPECT_EQ(Merged("Print x 'note"), (Runs{K("Print", ReservedWord), R(" x ", DefaultText), R("'note", Comment)}));
  EXPECT_EQ(Merged("rem hello"), (Runs{K("rem", ReservedWord), R(" hello", Comment)}));
  EXPECT_EQ(Merged("remark = 1"), (Runs{R("remark ", DefaultText), R("=", Operator), R(" 1", DefaultText)}));
  // REM without a space after it is only a reserved word.
  EXPECT_EQ(Merged("REM"), (Runs{K("REM", ReservedWord)}));
  EXPECT_EQ(Merged("rem:x"), (Runs{K("rem", ReservedWord), R(":", Operator), R("x", DefaultText)}));

  EXPECT_EQ(Merged("   ! mov eax, 1 ; load"),
            (Runs{R("   ", DefaultText), R("! mov eax, 1 ", AsmCode), R("; load", Comment)}));
  EXPECT_EQ(Merged("a = b ! c"), (Runs{R("a ", DefaultText), R("=", Operator), R(" b ", DefaultText),
                                       R("!", Operator), R(" c", DefaultText)}));
  EXPECT_EQ(Merged("asm push ebx"), (Runs{K("asm", ReservedWord), R(" push ebx", AsmCode)}));
  EXPECT_EQ(Merged("ASM mov eax, 1;x"), (Runs{K("ASM", ReservedWord), R(" mov eax, 1", AsmCode), R(";x", Comment)}));

  EXPECT_EQ(Merged("DATA 1, 2 : PRINT"), (Runs{K("DATA", ReservedWord), R(" 1, 2 ", DefaultText), R(":", Operator),
                                               R(" ", DefaultText), K("PRINT", ReservedWord)}));
  EXPECT_EQ(Merged("data \"a\", b"), (Runs{K("data", ReservedWord), R(" \"a\", b", DefaultText)}));
}

TEST(ColourLine, StringLiterals) {
  EXPECT_EQ(Merged("x = \"say \"\"hi\"\"\" + y"),
            (Runs{R("x ", DefaultText), R("=", Operator), R(" ", DefaultText), R("\"say \"\"hi\"\"\"", QuotedText),
                  R(" ", DefaultText), R("+", Operator), R(" y", DefaultText)}));
  EXPECT_EQ(Merged("x = \"open ended"), (Runs{R("x ", DefaultText), R("=", Operator), R(" \"open ended", DefaultText)}));
  EXPECT_EQ(Merged("\"a\"\""), (Runs{R("\"a\"\"", DefaultText)}));  // escaped quote, then the line ends
  EXPECT_EQ(Merged("\"a\""), (Runs{R("\"a\"", QuotedText)}));
  // An apostrophe glued to a string is a plain byte and the code after it is coloured.
  EXPECT_EQ(Merged("\"a\"'print"), (Runs{R("\"a\"", QuotedText), R("'", DefaultText), K("print", ReservedWord)}));
  // The byte after a string skips the "!" test too, and is an operator here.
  EXPECT_EQ(Merged("\"a\"!b"), (Runs{R("\"a\"", QuotedText), R("!", Operator), R("b", DefaultText)}));
}

TEST(ColourLine, WordsSigilsAndMembers) {
  EXPECT_EQ(Merged("#COMPILE EXE"), (Runs{K("#COMPILE", SystemKeyword), R(" ", DefaultText), K("EXE", SystemKeyword)}));
  EXPECT_EQ(Merged("%WM_USER"), (Runs{R("%WM_USER", NumericConstant)}));
  EXPECT_EQ(Merged("$MYTEXT"), (Runs{R("$MYTEXT", TextConstant)}));
  EXPECT_EQ(Merged("$crlf"), (Runs{K("$crlf", SystemKeyword)}));
  EXPECT_EQ(Merged("#mine"), (Runs{R("#mine", DefaultText)}));
  EXPECT_EQ(Merged("obj.Method(1)"), (Runs{R("obj", DefaultText), R(".Method", MemberMethod), R("(", Operator),
                                           R("1", DefaultText), R(")", Operator)}));
  EXPECT_EQ(Merged("a.b.c$"), (Runs{R("a", DefaultText), R(".b.c$", MemberMethod)}));
  EXPECT_EQ(Merged("x& = min&(a, b)"),
            (Runs{R("x& ", DefaultText), R("=", Operator), R(" ", DefaultText), K("min&", ReservedWord), R("(", Operator),
                  R("a", DefaultText), R(",", Operator), R(" b", DefaultText), R(")", Operator)}));
  EXPECT_EQ(Merged("Variant#"), (Runs{K("Variant#", ReservedWord)}));
  // A sigil does not take a type suffix, and a lone sigil is one plain byte.
  EXPECT_EQ(Colour("$CR$"), (Runs{K("$CR", SystemKeyword), R("$", DefaultText)}));
  EXPECT_EQ(Colour("x=%"), (Runs{R("x", DefaultText), R("=", Operator), R("%", DefaultText)}));

  // Digits are single bytes, and a letter glued to one is drawn alone.
  EXPECT_EQ(Colour("10ABS"), (Runs{R("1", DefaultText), R("0", DefaultText), R("A", DefaultText), R("BS", DefaultText)}));
  EXPECT_EQ(Colour("1$abs"), (Runs{R("1", DefaultText), R("$", DefaultText), K("abs", ReservedWord)}));
}

TEST(ColourLine, TwoByteText) {
  // A word glued to two-byte text is not looked up.
  EXPECT_EQ(Colour("PRINT中文"), (Runs{R("PRINT", DefaultText), R("中文", DefaultText)}));
  // A letter after two-byte text is drawn alone; the next letter starts a word.
  EXPECT_EQ(Colour("中xabs"), (Runs{R("中", DefaultText), R("x", DefaultText), K("abs", ReservedWord)}));
  // Bytes after a lead byte ("@", "\\", "\"", ";") never act as operators, quotes or separators.
  EXPECT_EQ(Merged("\x81\x40\x81\x5C"), (Runs{R("\x81\x40\x81\x5C", DefaultText)}));
  EXPECT_EQ(Merged("\"\x81\x22\" x"), (Runs{R("\"\x81\x22\"", QuotedText), R(" x", DefaultText)}));
  EXPECT_EQ(Merged("!\x81;;c"), (Runs{R("!\x81;", AsmCode), R(";c", Comment)}));
  // 0x80 is a single byte for the colourer.
  EXPECT_EQ(Colour("\x80" "abs"), (Runs{R("\x80", DefaultText), K("abs", ReservedWord)}));

  // A lone lead byte at the end of the line is one byte, wherever it stands.
  for (const char* line : {"\xB0", "x\xB0", "\"a\xB0", "! a\xB0", "asm a\xB0", "data a\xB0", "abc\xB0", "$\xB0"}) {
    const Runs runs = Colour(line);
    ASSERT_FALSE(runs.empty()) << line;
    EXPECT_EQ(runs.back().text.back(), '\xB0') << line;
  }
}

TEST(ColourLine, ComparesColourValuesNotSlots) {
  EditorColours colours;
  colours[SystemKeyword] = colours[DefaultText];
  colours[ReservedWord] = colours[DefaultText];
  EXPECT_EQ(Colour("$CRLF", colours), (Runs{R("$CRLF", TextConstant)}));
  EXPECT_EQ(Colour("%red", colours), (Runs{R("%red", NumericConstant)}));
  EXPECT_EQ(Colour("print", colours), (Runs{R("print", DefaultText)}));
  // REM, ASM and DATA that start a run stay keywords.
  EXPECT_EQ(Colour("rem x", colours), (Runs{K("rem", DefaultText), R(" x", Comment)}));
}

TEST(ColourLine, RandomBytesAreCoveredExactly) {
  std::mt19937 random(20240611);
  std::string alphabet = "aZrRemMsSdDtT09 .,_#$%&'\"!:;()@\x80\x81\xB0\xFE\xFF";
  alphabet += '\0';
  EXPECT_TRUE(Colour("").empty());
  for (int i = 0; i < 4000; ++i) {
    std::string line(random() % 24 + 1, ' ');
    for (char& c : line) {
      c = random() % 4 == 0 ? char(random() % 256) : alphabet[random() % alphabet.size()];
    }
    if (i % 3 == 0) line.back() = '\xB0';  // a lone lead byte at the end
    SCOPED_TRACE(testing::PrintToString(line));
    Colour(line);
  }
}

}  // namespace
}  // namespace quillet
