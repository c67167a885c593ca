#include "language/lexer.h"

#include <string>

#include "common/gbk.h"

namespace quillet {
namespace {

constexpr bool IsLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
constexpr bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
constexpr bool IsSigil(unsigned char c) { return c == '#' || c == '$' || c == '%'; }
constexpr bool IsTypeSuffix(unsigned char c) { return c == '#' || c == '$' || c == '&'; }
constexpr bool ContinuesWord(unsigned char c) { return IsLetter(c) || IsDigit(c) || c == '.' || c == '_'; }

// One call of ColourLine. `p` is the first byte not yet drawn; every run
// starts there and moves it on.
class LineColourer {
 public:
  LineColourer(std::string_view line, const KeywordTable& table, const EditorColours& colours, RunSink& sink)
      : line(line), end(line.size()), table(table), colours(colours), sink(sink) {}

  void ColourAll() {
    while (p < end) {
      const char ch = line[p];
      if (ch == '\'') return Draw(end, colours[Comment]);
      if (ch == '!' && line.find_first_not_of(' ') == p) return DrawAssembler();
      if (ch == '"') {
        if (!QuotedString()) return;
        // The byte after the closing quote skips the comment, "!" and string
        // tests, so an apostrophe glued to a string is not a comment.
        if (p == end) return;
      }
      if (!Code()) return;
    }
  }

 private:
  // The byte at i, or 0 past the end (0 is neither a letter nor a digit).
  unsigned char At(std::size_t i) const { return i < end ? static_cast<unsigned char>(line[i]) : 0; }

  // Steps over one character; a lead byte at the very end stays one byte.
  std::size_t NextChar(std::size_t i) const {
    return gbk::IsLeadByte(At(i)) && i + 1 < end ? i + 2 : i + 1;
  }

  // First `wanted` byte from i on that is not inside a two-byte character, else end.
  std::size_t FindOutsideTwoByte(std::size_t i, char wanted) const {
    while (i < end && line[i] != wanted) i = NextChar(i);
    return i;
  }

  void Draw(std::size_t to, ColourRef colour) {
    if (to > p) sink.DrawRun(line.substr(p, to - p), colour);
    p = to;
  }

  void DrawKeyword(std::size_t to, ColourRef colour) {
    sink.DrawKeywordRun(line.substr(p, to - p), colour);
    p = to;
  }

  // Inline assembler up to the first ";", the comment from it on.
  void DrawAssembler() {
    Draw(FindOutsideTwoByte(p, ';'), colours[AsmCode]);
    Draw(end, colours[Comment]);
  }

  // Draws a string literal, escaped quotes ("") included. Returns false when
  // the line ends inside it: the rest is then drawn as default text.
  bool QuotedString() {
    for (std::size_t q = p + 1; q < end; q = NextChar(q)) {
      if (line[q] != '"') continue;
      if (At(q + 1) == '"') {
        ++q;
        continue;
      }
      Draw(q + 1, colours[QuotedText]);
      return true;
    }
    Draw(end, colours[DefaultText]);
    return false;
  }

  // Two-byte text, operators, single bytes and words. Returns false when the
  // rest of the line has been drawn.
  bool Code() {
    const unsigned char ch = At(p);
    if (gbk::IsLeadByte(ch)) {
      std::size_t q = NextChar(p);
      while (gbk::IsLeadByte(At(q))) q = NextChar(q);
      Draw(q, colours[DefaultText]);
      if (q < end) glued = true;
      return true;
    }
    if (IsOperatorChar(char(ch))) {
      Draw(p + 1, colours[Operator]);
      glued = false;
      return true;
    }
    const bool sigil = IsSigil(ch);
    const unsigned char examined = sigil ? At(p + 1) : ch;
    if (!glued && IsLetter(examined)) return Word(sigil);
    // A letter right after a digit or two-byte text is drawn alone; the next one starts a word.
    glued = IsDigit(examined);
    Draw(p + 1, colours[DefaultText]);
    return true;
  }

  bool Word(bool sigil) {
    std::size_t q = p + (sigil ? 2 : 1);
    while (q < end && ContinuesWord(At(q))) ++q;
    unsigned char stop = At(q - 1);
    if (q < end) {
      stop = At(q);
      if (gbk::IsLeadByte(stop)) {  // glued to two-byte text: no lookup
        Draw(q, colours[DefaultText]);
        return true;
      }
      if (!sigil && IsTypeSuffix(stop)) ++q;
    }
    const std::string_view word = line.substr(p, q - p);
    const std::string upper = gbk::ToUpper(word);

    if (stop == ' ') {
      if (upper == "REM") {
        DrawKeyword(q, colours[ReservedWord]);
        Draw(end, colours[Comment]);
        return false;
      }
      if (upper == "ASM") {
        DrawKeyword(q, colours[ReservedWord]);
        DrawAssembler();
        return false;
      }
      if (upper == "DATA") {
        // The items up to a ":" are plain text; the ":" ends the statement.
        DrawKeyword(q, colours[ReservedWord]);
        Draw(FindOutsideTwoByte(p, ':'), colours[DefaultText]);
        return p < end;
      }
    }
    if (const std::size_t dot = word.find('.'); dot != std::string_view::npos) {
      Draw(p + dot, colours[DefaultText]);
      Draw(q, colours[MemberMethod]);
      return true;
    }
    ColourRef colour = WordColour(upper, table, colours);
    // Compare colour values, not slots: a keyword slot given the default
    // colour makes its keywords plain words, and "$"/"%" ones constants.
    if (colour != colours[DefaultText]) {
      DrawKeyword(q, colour);
      return true;
    }
    if (sigil && upper[0] == '$') colour = colours[TextConstant];
    if (sigil && upper[0] == '%') colour = colours[NumericConstant];
    Draw(q, colour);
    return true;
  }

  const std::string_view line;
  const std::size_t end;
  const KeywordTable& table;
  const EditorColours& colours;
  RunSink& sink;
  std::size_t p = 0;
  bool glued = false;  // the previous byte was a digit or ended two-byte text
};

}  // namespace

void ColourLine(std::string_view line, const KeywordTable& table, const EditorColours& colours,
                RunSink& sink) {
  LineColourer(line, table, colours, sink).ColourAll();
}

}  // namespace quillet
