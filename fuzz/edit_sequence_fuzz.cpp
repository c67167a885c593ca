// A run of edits on a CodeDocument checked, step by step, against a plain
// model of its text: a vector of byte strings, a caret, a selection, a
// clipboard and a history of whole states. After every operation the two
// agree, the caret and the selection lie between characters, every line is
// whole characters, and undoing everything gives back the starting text.
//
// Input: a settings byte (bit 7: a small undo limit of 1 + bits 0..2; bits
// 3..5: TAB width - 1), a length byte and that many bytes of starting text,
// then operations, each one byte followed by its arguments.
//
// Texts are made of whole characters only (a lead byte always gets a trail
// byte from the GBK trail range): a lone lead byte would pair with whatever
// an edit puts after it, which no model of characters can follow.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/editor_settings.h"
#include "common/gbk.h"
#include "core/fake_clipboard.h"
#include "core/fake_edit_view.h"
#include "editor/code_document.h"
#include "editor/search.h"
#include "fuzz_check.h"

namespace {

using namespace quillet;
using fuzz::CharSize;
using fuzz::CharsMatchAt;
using Lines = std::vector<std::string>;

bool IsLead(char c) { return gbk::IsLeadByte(static_cast<unsigned char>(c)); }

bool IsBoundary(std::string_view line, int col) {
  if (col < 0 || col > static_cast<int>(line.size())) return false;
  std::size_t i = 0;
  while (i < static_cast<std::size_t>(col)) i += CharSize(line, i);
  return i == static_cast<std::size_t>(col);
}

// No lone lead byte at the end: the walk lands exactly on the line's end.
bool IsWholeCharacters(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size()) i += IsLead(line[i]) ? 2 : 1;
  return i == line.size();
}

// The text cut at every CR LF; a final CR LF gives no empty last piece.
Lines Pieces(std::string_view text) {
  Lines out;
  while (!text.empty()) {
    const std::size_t at = text.find("\r\n");
    out.emplace_back(text.substr(0, at));
    if (at == std::string_view::npos) break;
    text.remove_prefix(at + 2);
  }
  return out;
}

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return at_ >= size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }

  // A trail byte of the GBK range 0x40..0x7E, 0x80..0xFE.
  char Trail() {
    const int n = Byte() % 190;
    return static_cast<char>(n < 63 ? 0x40 + n : 0x80 + (n - 63));
  }
  // A character of one byte (never a lead byte: 0x80 and 0xFF are single).
  char Single() {
    const std::uint8_t b = Byte();
    return gbk::IsLeadByte(b) ? static_cast<char>(b & 0x7F) : static_cast<char>(b);
  }
  // count bytes read as whole characters.
  std::string Characters(std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count && !Empty(); ++i) {
      const std::uint8_t b = Byte();
      out += static_cast<char>(b);
      if (gbk::IsLeadByte(b)) out += Trail();
    }
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

constexpr std::size_t kMaxBytes = 1 << 13;

bool Before(TextPos a, TextPos b) { return a.line < b.line || (a.line == b.line && a.col < b.col); }

// What the document should hold, by the plain rules of each operation.
struct Model {
  Lines lines{""};
  TextPos caret, anchor, selEnd;
  bool hasSelection = false;

  std::size_t Bytes() const {
    std::size_t n = 0;
    for (const std::string& line : lines) n += line.size() + 2;
    return n;
  }
  int Length(int line) const { return static_cast<int>(lines[line].size()); }
  int Last() const { return static_cast<int>(lines.size()) - 1; }
  TextPos End() const { return {Last(), Length(Last())}; }

  void DeleteSelection() {
    if (!hasSelection) return;
    TextPos s = anchor;
    TextPos e = selEnd;
    if (Before(e, s)) std::swap(s, e);
    lines[s.line] = lines[s.line].substr(0, s.col) + lines[e.line].substr(e.col);
    lines.erase(lines.begin() + s.line + 1, lines.begin() + e.line + 1);
    caret = s;
    hasSelection = false;
  }
  std::string SelectedText() const {
    TextPos s = anchor;
    TextPos e = selEnd;
    if (Before(e, s)) std::swap(s, e);
    if (s.line == e.line) return lines[s.line].substr(s.col, e.col - s.col);
    std::string out = lines[s.line].substr(s.col) + "\r\n";
    for (int i = s.line + 1; i < e.line; ++i) out += lines[i] + "\r\n";
    return out + lines[e.line].substr(0, e.col);
  }
  void Insert(std::string_view text) {
    DeleteSelection();
    lines[caret.line].insert(caret.col, text);
    caret.col += static_cast<int>(text.size());
  }
  void LineBreak(bool autoIndent) {
    DeleteSelection();
    std::string& line = lines[caret.line];
    const std::string head = line.substr(0, caret.col);
    const std::size_t tabs = autoIndent ? std::min(head.find_first_not_of('\t'), head.size()) : 0;
    const std::string next = std::string(tabs, '\t') + line.substr(caret.col);
    line = head;
    lines.insert(lines.begin() + caret.line + 1, next);
    caret = {caret.line + 1, static_cast<int>(tabs)};
  }
  // Joins line i and the next.
  void Join(int i) {
    lines[i] += lines[i + 1];
    lines.erase(lines.begin() + i + 1);
  }
  void RemoveCharAt(int col) { lines[caret.line].erase(col, CharSize(lines[caret.line], col)); }
  // The character before the caret, by walking the line from its start.
  int CharStartBefore() const {
    int start = 0;
    for (int i = 0; i < caret.col; i += static_cast<int>(CharSize(lines[caret.line], i))) start = i;
    return start;
  }
  // The first character boundary at or after col on line.
  int BoundaryFrom(int line, int col) const {
    int i = 0;
    while (i < col && i < Length(line)) i += static_cast<int>(CharSize(lines[line], i));
    return std::min(i, Length(line));
  }
  void Paste(std::string_view text) {
    DeleteSelection();
    Lines pieces = Pieces(text);
    const std::string former = lines[caret.line];
    pieces.front().insert(0, former.substr(0, caret.col));
    const int m = static_cast<int>(pieces.back().size());
    pieces.back() += former.substr(caret.col);
    const int k = static_cast<int>(pieces.size());
    lines.erase(lines.begin() + caret.line);
    lines.insert(lines.begin() + caret.line, pieces.begin(), pieces.end());
    caret = {caret.line + k - 1, m};
  }
};

// Whether needle matches line at a character boundary at, ending on one:
// compared character by character, an ASCII letter folded when the case does
// not count, any other byte exactly.
bool MatchesAt(std::string_view line, std::size_t at, std::string_view needle, bool caseSensitive) {
  return at + needle.size() <= line.size() && IsBoundary(line, static_cast<int>(at)) &&
         CharsMatchAt(line, at, needle, caseSensitive) &&
         IsBoundary(line, static_cast<int>(at + needle.size()));
}

// Every line searched from its start, going on after each match.
int ModelReplaceAll(Lines& lines, std::string_view needle, std::string_view replacement, bool caseSensitive) {
  int count = 0;
  if (needle.empty()) return 0;
  for (std::string& line : lines) {
    std::string out;
    for (std::size_t i = 0; i < line.size();) {
      if (MatchesAt(line, i, needle, caseSensitive)) {
        out += replacement;
        i += needle.size();
        ++count;
      } else {
        const std::size_t size = CharSize(line, i);
        out.append(line, i, size);
        i += size;
      }
    }
    line = out;
  }
  return count;
}

struct Step {
  Model before;
  Model after;
};

// The model's history: whole states, as the document's limit keeps them.
struct History {
  std::vector<Step> steps;
  int pos = 0;
  int clean = 0;  // the position of the starting (saved) text; -1: gone
  int limit = 0;
  bool droppedAny = false;

  void Push(const Model& before, const Model& after) {
    if (static_cast<int>(steps.size()) > pos) {
      steps.erase(steps.begin() + pos, steps.end());
      if (clean > pos) clean = -1;
    }
    steps.push_back({before, after});
    ++pos;
    while (pos > limit) {
      steps.erase(steps.begin());
      --pos;
      clean = clean > 0 ? clean - 1 : -1;
      droppedAny = true;
    }
  }
};

std::int64_t Width(std::string_view line, int tabWidth) {
  std::int64_t w = 0;
  for (char c : line) w += c == '\t' ? tabWidth : 1;
  return w;
}

// Everything the model says, and the properties that hold whatever it says.
void CheckAgree(const CodeDocument& doc, const Model& m, const History& h, FakeClipboard& clipboard,
                const FakeClipboard& clip, int tabWidth) {
  FUZZ_CHECK(doc.lines.size() == static_cast<int>(m.lines.size()));
  int i = 0;
  for (const std::string& line : doc.lines) {
    FUZZ_CHECK(line == m.lines[static_cast<std::size_t>(i)]);
    FUZZ_CHECK(IsWholeCharacters(line));
    ++i;
  }
  FUZZ_CHECK(doc.caret == m.caret);
  FUZZ_CHECK(IsBoundary(doc.lines[doc.caret.line], doc.caret.col));
  FUZZ_CHECK(doc.hasSelection == m.hasSelection);
  if (doc.hasSelection) {
    FUZZ_CHECK(doc.anchor == m.anchor && doc.selEnd == m.selEnd);
    for (TextPos p : {doc.anchor, doc.selEnd}) {
      FUZZ_CHECK(p.line >= 0 && p.line < doc.lines.size());
      FUZZ_CHECK(IsBoundary(doc.lines[p.line], p.col));
    }
  }
  FUZZ_CHECK(doc.CanUndo() == (h.pos > 0));
  FUZZ_CHECK(doc.CanRedo() == (h.pos < static_cast<int>(h.steps.size())));
  FUZZ_CHECK(doc.IsModified() == (h.pos != h.clean));
  FUZZ_CHECK(clipboard.HasText() == clip.hasText && clipboard.text == clip.text);
  // The counts follow the text.
  FUZZ_CHECK(doc.lineCount == static_cast<int>(m.lines.size()));
  std::int64_t widest = -1;
  int widestLine = 0;
  for (std::size_t j = 0; j < m.lines.size(); ++j) {
    const std::int64_t w = Width(m.lines[j], tabWidth);
    if (w > widest) {
      widest = w;
      widestLine = static_cast<int>(j) + 1;
    }
  }
  FUZZ_CHECK(doc.longestWidth == widest);
  FUZZ_CHECK(doc.longestLine == widestLine);
}

enum Op : std::uint8_t {
  kTypeByte,
  kTypeWhole,
  kEnterIndent,
  kEnterPlain,
  kBackspace,
  kDelete,
  kUp,
  kDown,
  kLeft,
  kRight,
  kHome,
  kEnd,
  kTextStart,
  kTextEnd,
  kSelectHome,
  kSelectEnd,
  kSelectTextStart,
  kSelectTextEnd,
  kSelectAll,
  kCut,
  kCopy,
  kPaste,
  kUndo,
  kRedo,
  kReplaceAll,
  kClipboardText,
  kOpCount
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const std::uint8_t config = in.Byte();
  EditorSettings settings;
  settings.tabWidth = 1 + ((config >> 3) & 7);
  const int tabWidth = settings.EffectiveTabWidth();
  FakeClipboard clipboard;
  EditorContext context;
  context.settings = &settings;
  context.clipboard = &clipboard;
  FakeEditView view;
  CodeDocument doc(context);
  doc.SetView(&view);

  History history;
  history.limit = (config & 0x80) != 0 ? 1 + (config & 7) : 1 << 30;
  doc.undoLimit = history.limit;

  // The starting text, cut at every CR LF as a file is.
  const std::string start = in.Characters(in.Byte());
  Model m;
  m.lines.clear();
  for (std::size_t from = 0;;) {
    const std::size_t at = start.find("\r\n", from);
    m.lines.push_back(start.substr(from, at == std::string::npos ? at : at - from));
    if (at == std::string::npos) break;
    from = at + 2;
  }
  const Lines startLines = m.lines;
  doc.lines.Assign(m.lines);
  doc.RecountLines();

  FakeClipboard clip;  // what the clipboard should hold
  const auto check = [&] { CheckAgree(doc, m, history, clipboard, clip, tabWidth); };
  check();

  // Pastes and replacements can double the text at every step: the run ends
  // once it is large, so that each input stays quick and small.
  while (!in.Empty() && m.Bytes() < kMaxBytes) {
    const Model before = m;
    bool recorded = false;  // whether the operation makes a step of the history
    const auto op = static_cast<Op>(in.Byte() % kOpCount);
    switch (op) {
      case kTypeByte: {
        const std::uint8_t b = in.Byte();
        if (gbk::IsLeadByte(b)) {
          // A two-byte character as two messages: the lead waits for its trail.
          const char trail = in.Trail();
          doc.TypeCharacter(b);
          check();  // nothing yet

          doc.TypeCharacter(static_cast<unsigned char>(trail));
          m.Insert(std::string{static_cast<char>(b), trail});
        } else {
          doc.TypeCharacter(b);
          m.Insert(std::string(1, static_cast<char>(b)));
        }
        recorded = true;
        break;
      }
      case kTypeWhole: {
        // A character delivered whole: its first byte low.
        const auto lead = static_cast<std::uint8_t>(0x81 + in.Byte() % 0x7E);
        const auto trail = static_cast<std::uint8_t>(in.Trail());
        doc.TypeCharacter(lead | (trail << 8));
        m.Insert(std::string{static_cast<char>(lead), static_cast<char>(trail)});
        recorded = true;
        break;
      }
      case kEnterIndent:
      case kEnterPlain: {
        const bool autoIndent = op == kEnterIndent;
        settings.autoIndent = autoIndent;
        const int tabs = doc.InsertLineBreak();
        m.LineBreak(autoIndent);
        FUZZ_CHECK(tabs == m.caret.col);
        recorded = true;
        break;
      }
      case kBackspace:
        doc.DeleteBackward();
        if (m.hasSelection) {
          m.DeleteSelection();
          recorded = true;
        } else if (m.caret.col > 0) {
          const int start = m.CharStartBefore();
          m.lines[m.caret.line].erase(start, m.caret.col - start);
          m.caret.col = start;
          recorded = true;
        } else if (m.caret.line > 0) {
          const int p = m.Length(m.caret.line - 1);
          m.Join(m.caret.line - 1);
          m.caret = {m.caret.line - 1, p};
          recorded = true;
        }
        break;
      case kDelete:
        doc.Delete();
        if (m.hasSelection) {
          m.DeleteSelection();
          recorded = true;
        } else if (m.caret.col < m.Length(m.caret.line)) {
          m.RemoveCharAt(m.caret.col);
          recorded = true;
        } else if (m.caret.line < m.Last()) {
          m.Join(m.caret.line);
          recorded = true;
        }
        break;
      case kUp:
        doc.CaretUp();
        if (m.caret.line > 0) {
          --m.caret.line;
          m.caret.col = m.BoundaryFrom(m.caret.line, m.caret.col);
        }
        m.hasSelection = false;
        break;
      case kDown:
        doc.CaretDown();
        if (m.caret.line < m.Last()) {
          ++m.caret.line;
          m.caret.col = m.BoundaryFrom(m.caret.line, m.caret.col);
        }
        m.hasSelection = false;
        break;
      case kLeft:
        doc.CaretLeft();
        if (m.caret.col > 0) {
          m.caret.col = m.CharStartBefore();
        } else if (m.caret.line > 0) {
          m.caret = {m.caret.line - 1, m.Length(m.caret.line - 1)};
        }
        m.hasSelection = false;
        break;
      case kRight:
        doc.CaretRight();
        if (m.caret.col < m.Length(m.caret.line)) {
          m.caret.col += static_cast<int>(CharSize(m.lines[m.caret.line], m.caret.col));
        } else if (m.caret.line < m.Last()) {
          m.caret = {m.caret.line + 1, 0};
        }
        m.hasSelection = false;
        break;
      case kHome:
        doc.CaretLineStart();
        m.caret.col = 0;
        m.hasSelection = false;
        break;
      case kEnd:
        doc.CaretLineEnd();
        m.caret.col = m.Length(m.caret.line);
        m.hasSelection = false;
        break;
      case kTextStart:
        doc.CaretTextStart();
        m.caret = {};
        m.hasSelection = false;
        break;
      case kTextEnd:
        doc.CaretTextEnd();
        m.caret = m.End();
        m.hasSelection = false;
        break;
      // The Shift keys start a new selection from the caret, when it moves.
      case kSelectHome:
        doc.SelectToLineStart();
        if (m.caret.col != 0) {
          m.selEnd = m.caret;
          m.caret.col = 0;
          m.anchor = m.caret;
          m.hasSelection = true;
        }
        break;
      case kSelectEnd:
        doc.SelectToLineEnd();
        if (m.caret.col != m.Length(m.caret.line)) {
          m.anchor = m.caret;
          m.caret.col = m.Length(m.caret.line);
          m.selEnd = m.caret;
          m.hasSelection = true;
        }
        break;
      case kSelectTextStart:
        doc.SelectToTextStart();
        if (m.caret != TextPos{}) {
          m.selEnd = m.caret;
          m.caret = {};
          m.anchor = m.caret;
          m.hasSelection = true;
        }
        break;
      case kSelectTextEnd:
        doc.SelectToTextEnd();
        if (m.caret != m.End()) {
          m.anchor = m.caret;
          m.caret = m.End();
          m.selEnd = m.caret;
          m.hasSelection = true;
        }
        break;
      case kSelectAll:
        doc.SelectAll();
        m.anchor = {};
        m.caret = m.selEnd = m.End();
        m.hasSelection = true;
        break;
      case kCut:
        doc.Cut();
        if (m.hasSelection) {
          clip.SetText(m.SelectedText());
          m.DeleteSelection();
          recorded = true;
        }
        break;
      case kCopy:
        doc.Copy();
        if (m.hasSelection) clip.SetText(m.SelectedText());
        break;
      case kPaste:
        doc.Paste();
        // Nothing to paste leaves even the selection alone.
        if (clip.hasText && !clip.text.empty()) {
          m.Paste(clip.text);
          recorded = true;
        }
        break;
      case kUndo:
        doc.Undo();
        if (history.pos > 0) m = history.steps[static_cast<std::size_t>(--history.pos)].before;
        break;
      case kRedo:
        doc.Redo();
        if (history.pos < static_cast<int>(history.steps.size())) {
          m = history.steps[static_cast<std::size_t>(history.pos++)].after;
        }
        break;
      case kReplaceAll: {
        const bool caseSensitive = (in.Byte() & 1) != 0;
        const std::string needle = in.Characters(in.Byte() % 8);
        const std::string replacement = in.Characters(in.Byte() % 8);
        const int count = ReplaceAll(doc, needle, replacement, caseSensitive);
        FUZZ_CHECK(count == ModelReplaceAll(m.lines, needle, replacement, caseSensitive));
        recorded = count > 0;
        m.hasSelection = false;
        m.caret = m.End();
        break;
      }
      case kClipboardText:
        // Text put on the clipboard by another program.
        clip.SetText(in.Characters(in.Byte() % 16));
        clipboard.SetText(clip.text);
        break;
      case kOpCount:
        break;
    }
    if (recorded) history.Push(before, m);
    check();
  }

  // Undoing everything gives back the oldest text kept, the starting one when
  // the limit dropped no step; redoing everything the text the edits left
  // (when they did not end by undoing).
  const Model last = m;
  const bool atNewest = history.pos == static_cast<int>(history.steps.size());
  while (doc.CanUndo()) {
    doc.Undo();
    FUZZ_CHECK(history.pos > 0);
    m = history.steps[static_cast<std::size_t>(--history.pos)].before;
    check();
  }
  FUZZ_CHECK(history.pos == 0);
  if (!history.droppedAny) FUZZ_CHECK(m.lines == startLines);
  while (doc.CanRedo()) {
    doc.Redo();
    m = history.steps[static_cast<std::size_t>(history.pos++)].after;
    check();
  }
  if (atNewest) FUZZ_CHECK(m.lines == last.lines);
  return 0;
}
