// Find and ReplaceAll on any text with any needle: every match lies between
// characters and is the one a plain search of every position finds; replacing
// all and undoing gives back the bytes, redoing gives the replaced bytes.
//
// Input: a flags byte (bit 0: case counts), the caret's line and column bytes,
// then the needle, NUL, the replacement, NUL, and the text (cut at CR LF).
// Any bytes: lone lead bytes and trail bytes that look like ASCII included.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/editor_settings.h"
#include "common/gbk.h"
#include "core/fake_edit_view.h"
#include "editor/code_document.h"
#include "editor/search.h"
#include "fuzz_check.h"

namespace {

using namespace quillet;
using fuzz::CharSize;
using fuzz::CharsMatchAt;
using Lines = std::vector<std::string>;


// Size of the character at i; a lead byte ending the text is one of its own.

// The offsets where characters start, and the end.
std::vector<bool> Boundaries(std::string_view line) {
  std::vector<bool> at(line.size() + 1, false);
  for (std::size_t i = 0; i < line.size(); i += CharSize(line, i)) at[i] = true;
  at[line.size()] = true;
  return at;
}

// A match at a character start and ending at one; ASCII letters that are
// characters of their own fold when the case does not count, all else is exact.
bool MatchesAt(std::string_view line, const std::vector<bool>& boundary, std::size_t at, std::string_view needle,
               bool caseSensitive) {
  return !needle.empty() && at + needle.size() <= line.size() && boundary[at] && boundary[at + needle.size()] &&
         CharsMatchAt(line, at, needle, caseSensitive);
}

bool Before(TextPos a, TextPos b) { return a.line < b.line || (a.line == b.line && a.col < b.col); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const bool caseSensitive = (data[0] & 1) != 0;
  const quillet::fuzz::Parts<3> parts(quillet::fuzz::AsText(data + 3, size - 3));
  const std::string needle(parts[0]);
  const std::string replacement(parts[1]);
  Lines lines;
  for (std::string_view text = parts[2];;) {
    const std::size_t at = text.find("\r\n");
    lines.emplace_back(text.substr(0, at));
    if (at == std::string_view::npos) break;
    text.remove_prefix(at + 2);
  }

  EditorSettings settings;
  EditorContext context;
  context.settings = &settings;
  FakeEditView view;
  CodeDocument doc(context);
  doc.SetView(&view);
  doc.lines.Assign(lines);
  doc.RecountLines();

  // Every match, overlapping ones too, in text order.
  std::vector<TextPos> matches;
  for (std::size_t l = 0; l < lines.size(); ++l) {
    const std::vector<bool> boundary = Boundaries(lines[l]);
    for (std::size_t i = 0; i < lines[l].size(); ++i) {
      if (MatchesAt(lines[l], boundary, i, needle, caseSensitive)) {
        matches.push_back({static_cast<int>(l), static_cast<int>(i)});
      }
    }
  }

  // Find from a caret between characters, each way.
  const int caretLine = data[1] % static_cast<int>(lines.size());
  const std::string& line = lines[static_cast<std::size_t>(caretLine)];
  std::vector<int> starts;
  const std::vector<bool> lineBoundary = Boundaries(line);
  for (std::size_t i = 0; i < lineBoundary.size(); ++i) {
    if (lineBoundary[i]) starts.push_back(static_cast<int>(i));
  }
  const TextPos caret{caretLine, starts[data[2] % starts.size()]};
  for (int direction : {kFindWholeText, kFindDown, kFindUp}) {
    // The match the search should find: the first (from the caret on), or
    // the last starting before the caret.
    const TextPos* expected = nullptr;
    for (const TextPos& match : matches) {
      if (direction == kFindUp) {
        if (Before(match, caret)) expected = &match;
      } else if (direction == kFindWholeText || !Before(match, caret)) {
        expected = &match;
        break;
      }
    }
    doc.caret = caret;
    doc.hasSelection = false;
    const bool found = Find(doc, needle, direction, caseSensitive);
    FUZZ_CHECK(found == (expected != nullptr));
    if (found) {
      const TextPos end{expected->line, expected->col + static_cast<int>(needle.size())};
      FUZZ_CHECK(doc.hasSelection && doc.anchor == *expected && doc.selEnd == end);
      FUZZ_CHECK(doc.caret == (direction == kFindUp ? *expected : end));
    } else {
      FUZZ_CHECK(doc.caret == caret && !doc.hasSelection);
    }
  }

  // Replace all: each line searched from its start, going on after each match.
  Lines replaced = lines;
  int count = 0;
  for (std::string& l : replaced) {
    const std::vector<bool> boundary = Boundaries(l);
    std::string out;
    for (std::size_t i = 0; i < l.size();) {
      if (MatchesAt(l, boundary, i, needle, caseSensitive)) {
        out += replacement;
        i += needle.size();
        ++count;
      } else {
        out += l[i++];
      }
    }
    l = out;
  }
  const auto text = [&doc] { return Lines(doc.lines.begin(), doc.lines.end()); };
  const EditState beforeReplace = doc;
  FUZZ_CHECK(ReplaceAll(doc, needle, replacement, caseSensitive) == count);
  FUZZ_CHECK(text() == replaced);
  FUZZ_CHECK(!doc.hasSelection);
  FUZZ_CHECK(doc.caret.line == doc.lines.size() - 1 && doc.caret.col == doc.LineLength(doc.caret.line));
  FUZZ_CHECK(doc.IsModified() == (count > 0) && doc.CanUndo() == (count > 0));
  doc.Undo();
  FUZZ_CHECK(text() == lines);
  FUZZ_CHECK(!doc.IsModified() && !doc.CanUndo());
  if (count > 0) {
    // Undo puts back the caret and selection the replacement started from.
    FUZZ_CHECK(static_cast<const EditState&>(doc) == beforeReplace);
    doc.Redo();
    FUZZ_CHECK(text() == replaced);
    FUZZ_CHECK(doc.IsModified() && !doc.CanRedo());
    FUZZ_CHECK(doc.caret.line == doc.lines.size() - 1 && doc.caret.col == doc.LineLength(doc.caret.line));
  }
  return 0;
}
