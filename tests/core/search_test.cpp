#include "editor/search.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/gbk.h"
#include "core/editing_fixture.h"
#include "dialogs/find_dialogs.h"
#include "editor/text_search.h"
#include "platform/user_messages.h"

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

class RecordingMessages : public UserMessages {
 public:
  void Inform(const std::string& text) override { notices.push_back(text); }
  bool AskYesNo(const std::string& text, const std::string&) override {
    notices.push_back(text);
    return answer;
  }
  std::vector<std::string> notices;
  bool answer = true;
};

// GBK bytes of characters whose trail byte looks like ASCII.
const std::string k81_40 = "\x81\x40";  // 丂: trail "@"
const std::string k81_5C = "\x81\x5C";  // 乗: trail "\\"
const std::string k81_41 = "\x81\x41";  // 丄: trail "A"

TEST(TextMatcherTest, MatchesNeverStartOrEndInsideATwoByteCharacter) {
  const std::string line = k81_40 + "@" + k81_5C + "\\" + k81_41 + "A" + k81_41 + "a";
  EXPECT_EQ(TextMatcher("@", true).FindFirst(line), 2u);
  EXPECT_EQ(TextMatcher("\\", true).FindFirst(line), 5u);
  EXPECT_EQ(TextMatcher("A", true).FindFirst(line), 8u);
  EXPECT_EQ(TextMatcher("a", false).FindFirst(line), 8u) << "ignoring case never folds a trail byte";
  EXPECT_EQ(TextMatcher("a", false).FindLast(line), 11u);
  EXPECT_EQ(TextMatcher("A", true).FindLast(line), 8u);
  // A needle ending in a lead byte would end inside a pair; one that starts
  // with a trail-looking byte would start inside one.
  EXPECT_EQ(TextMatcher(std::string("@\x81"), true).FindFirst(line), TextMatcher::npos);
  EXPECT_EQ(TextMatcher("A" + k81_41, true).FindFirst(line), 8u);
  EXPECT_EQ(TextMatcher(k81_41, false).FindFirst(std::string("\x81\x61") + k81_41), 2u)
      << "the trail byte of the needle is compared exactly too";
  // Pairs made of lead-range bytes only: the walk must still pair them from the start.
  const std::string leads = "\xB0\xA1\xB0\xA1";  // 啊啊
  EXPECT_EQ(TextMatcher("\xA1\xB0", true).FindFirst(leads), TextMatcher::npos);
  EXPECT_EQ(TextMatcher("\xB0\xA1", true).FindLast(leads), 2u);
}

TEST(TextMatcherTest, OnlyLettersFoldAndUpwardsOverlappingMatchesCount) {
  EXPECT_EQ(TextMatcher("dIm", false).FindFirst("dxm Dim"), 4u);
  EXPECT_EQ(TextMatcher("[", false).FindFirst("{"), TextMatcher::npos);
  EXPECT_EQ(TextMatcher("aa", true).FindLast("aaa", 3), 1u);
  EXPECT_EQ(TextMatcher("aa", true).FindLast("aaa", 0), TextMatcher::npos);
}

class SearchTest : public EditingTest {
 protected:
  SearchTest() { context_.messages = &messages_; }
  RecordingMessages messages_;
};

TEST_F(SearchTest, FindDownUpAndWholeTextWithoutWrapping) {
  SetText({"dim a", "x = 1", "DIM b", "dim c"});
  doc_.caret = {0, 3};
  EXPECT_TRUE(Find(doc_, "dim", kFindDown, false));
  EXPECT_EQ(doc_.anchor, (TextPos{2, 0})) << "a match at the start of a later line";
  EXPECT_EQ(doc_.caret, (TextPos{2, 3}));
  EXPECT_TRUE(doc_.hasSelection);
  EXPECT_TRUE(Find(doc_, "dim", kFindDown, true));
  EXPECT_EQ(doc_.caret, (TextPos{3, 3}));
  EXPECT_EQ(doc_.findText, "dim");
  EXPECT_EQ(doc_.findState, 1);

  const DocSnapshot before = Snapshot();
  EXPECT_FALSE(Find(doc_, "dim", kFindDown, true)) << "no wrapping past the last line";
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(messages_.notices, Lines{"找不到\"dim\""});

  EXPECT_TRUE(Find(doc_, "dim", kFindUp, false));
  EXPECT_EQ(doc_.caret, (TextPos{3, 0})) << "upwards the caret sits at the match's start";
  EXPECT_TRUE(Find(doc_, "dim", kFindUp, false));
  EXPECT_EQ(doc_.caret, (TextPos{2, 0}));
  EXPECT_TRUE(Find(doc_, "dim", kFindUp, false));
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
  EXPECT_FALSE(Find(doc_, "dim", kFindUp, false));

  doc_.caret = {3, 5};
  EXPECT_TRUE(Find(doc_, "DIM", kFindWholeText, true));
  EXPECT_EQ(doc_.caret, (TextPos{2, 3}));
  EXPECT_EQ(messages_.notices.size(), 2u);
  EXPECT_FALSE(Find(doc_, "", kFindWholeText, true));
  EXPECT_EQ(messages_.notices.size(), 2u) << "an empty text fails silently";
}

TEST_F(SearchTest, FindNextAndPreviousRepeatTheDocumentsOwnLastSearch) {
  SetText({"Ab ab AB"});
  FindNext(doc_);
  EXPECT_FALSE(doc_.hasSelection) << "no last search yet";
  EXPECT_TRUE(messages_.notices.empty());
  ASSERT_TRUE(Find(doc_, "ab", kFindWholeText, false));
  FindNext(doc_);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 3}));
  FindNext(doc_);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 6}));
  FindPrevious(doc_);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 6})) << "the caret stood after that match";
  FindPrevious(doc_);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 3}));
  EXPECT_FALSE(Find(doc_, "zz", kFindDown, true));
  EXPECT_EQ(doc_.findText, "ab") << "a failed search is not remembered";
  EXPECT_EQ(doc_.findState, 0);
}

TEST_F(SearchTest, ReplaceAllUndoAndRedoAreByteExactWhenTheReplacementAlreadyOccurs) {
  // Exchanging the texts back would also turn the "aa" and "AA" that were
  // there before into "a"; the step must give back exactly what it changed.
  SetText({"aa a AA", "b" + k81_41 + "a", "none", "aaa"});
  doc_.caret = {2, 2};
  doc_.modified = false;
  const DocSnapshot before = Snapshot();
  EXPECT_EQ(ReplaceAll(doc_, "a", "aa", false), 9);
  const Lines replaced = {"aaaa aa aaaa", "b" + k81_41 + "aa", "none", "aaaaaa"};
  EXPECT_EQ(Text(), replaced);
  EXPECT_TRUE(doc_.modified);
  EXPECT_EQ(doc_.caret, (TextPos{3, 6}));
  const DocSnapshot after = Snapshot();
  ASSERT_EQ(doc_.undoHistory.size(), 1u);

  doc_.Undo();
  EXPECT_EQ(Snapshot(), before);
  doc_.Redo();
  EXPECT_EQ(Text(), replaced);
  EXPECT_EQ(doc_.caret, after.caret);
  EXPECT_FALSE(doc_.hasSelection);
  EXPECT_TRUE(doc_.modified);
  doc_.Undo();
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(SearchTest, ReplaceAllThatFindsNothingChangesNothingButTheCaret) {
  SetText({"abc", "def"});
  doc_.modified = false;
  EXPECT_EQ(ReplaceAll(doc_, "x", "y", true), 0);
  EXPECT_FALSE(doc_.modified);
  EXPECT_FALSE(doc_.CanUndo());
  EXPECT_EQ(doc_.caret, (TextPos{1, 3}));
  EXPECT_EQ(ReplaceAll(doc_, "", "y", true), 0);
  EXPECT_EQ(Text(), (Lines{"abc", "def"}));
}

TEST_F(SearchTest, UndoingAReplacementRestoresTheSavedMark) {
  SetText({"x x"});
  doc_.modified = false;
  ReplaceAll(doc_, "x", "y", true);
  doc_.TypeCharacter('z');
  doc_.Undo();
  doc_.Undo();
  EXPECT_FALSE(doc_.modified);
  EXPECT_EQ(Text(), Lines{"x x"});
  doc_.Redo();
  EXPECT_EQ(Text(), Lines{"y y"});
  EXPECT_TRUE(doc_.modified);
  doc_.Redo();
  EXPECT_EQ(Text(), Lines{"y yz"});
}

// ---- Random sequences against a plain model ----

std::vector<bool> Boundaries(const std::string& line) {
  std::vector<bool> b(line.size() + 1, false);
  std::size_t i = 0;
  for (; i < line.size(); i += gbk::IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1) b[i] = true;
  if (i == line.size()) b[i] = true;
  return b;
}

// Byte i of text, upper-cased when it is a character of its own.
std::string FoldSingles(const std::string& text) { return gbk::ToUpper(text); }

bool ModelMatchAt(const std::string& line, std::size_t at, const std::string& needle, bool cs) {
  const std::vector<bool> b = Boundaries(line);
  if (needle.empty() || at + needle.size() > line.size() || !b[at] || !b[at + needle.size()]) return false;
  const std::string piece = line.substr(at, needle.size());
  return cs ? piece == needle : FoldSingles(piece) == FoldSingles(needle);
}

std::string ModelReplace(const std::string& line, const std::string& s, const std::string& r, bool cs,
                         int& count) {
  std::string out;
  for (std::size_t i = 0; i < line.size();) {
    if (ModelMatchAt(line, i, s, cs)) {
      out += r;
      i += s.size();
      ++count;
    } else {
      out += line[i++];
    }
  }
  return out;
}

TEST_F(SearchTest, RandomFindReplaceUndoRedoAgreeWithAModel) {
  const std::vector<std::string> atoms = {"a", "A", "@", "\\", "b", " ", k81_40, k81_5C, k81_41, "\x81\x61"};
  const std::vector<std::string> needles = {"a", "A", "@", "\\", "aA", "a@", k81_41, "A" + k81_41, "ba"};
  std::mt19937 rng(20240611);
  const auto pick = [&](const std::vector<std::string>& from) { return from[rng() % from.size()]; };
  for (int round = 0; round < 60; ++round) {
    Lines model;
    for (int l = 0; l < 1 + int(rng() % 5); ++l) {
      std::string line;
      for (int k = 0; k < int(rng() % 8); ++k) line += pick(atoms);
      model.push_back(line);
    }
    doc_.undoHistory.clear();
    doc_.undoPos = 0;
    doc_.cleanUndoPos = -1;
    SetText(model);
    std::vector<Lines> states = {model};
    std::size_t pos = 0;
    for (int step = 0; step < 30; ++step) {
      const int what = int(rng() % 5);
      const std::string s = pick(needles);
      const bool cs = rng() % 2 != 0;
      if (what == 0) {
        const std::string r = rng() % 3 == 0 ? "" : pick(atoms) + pick(atoms);
        int expected = 0;
        Lines next;
        for (const std::string& line : model) next.push_back(ModelReplace(line, s, r, cs, expected));
        ASSERT_EQ(ReplaceAll(doc_, s, r, cs), expected) << s << " -> " << r;
        if (expected > 0) {
          model = next;
          states.resize(pos + 1);
          states.push_back(model);
          ++pos;
        }
      } else if (what == 1 && pos > 0) {
        doc_.Undo();
        model = states[--pos];
      } else if (what == 2 && pos + 1 < states.size()) {
        doc_.Redo();
        model = states[++pos];
      } else {
        // Find from a random caret: the first (or last) model match in that direction.
        const int line = int(rng() % model.size());
        const int col = int(rng() % (model[line].size() + 1));
        doc_.caret = {line, col};
        const int direction = int(rng() % 3);
        FoundText expected;
        const auto matchIn = [&](int l, std::size_t from, std::size_t limit, bool last) {
          std::size_t hit = std::string::npos;
          for (std::size_t i = from; i < std::min(limit, model[l].size() + 1); ++i) {
            if (!ModelMatchAt(model[l], i, s, cs)) continue;
            hit = i;
            if (!last) break;
          }
          return hit;
        };
        if (direction == kFindUp) {
          for (int l = line; l >= 0 && !expected.found; --l) {
            const std::size_t hit = matchIn(l, 0, l == line ? std::size_t(col) : std::string::npos, true);
            if (hit != std::string::npos) expected = {true, {l, int(hit)}};
          }
        } else {
          const int first = direction == kFindDown ? line : 0;
          for (int l = first; l < int(model.size()) && !expected.found; ++l) {
            const std::size_t from = (direction == kFindDown && l == line) ? std::size_t(col) : 0;
            const std::size_t hit = matchIn(l, from, std::string::npos, false);
            if (hit != std::string::npos) expected = {true, {l, int(hit)}};
          }
        }
        const FoundText got = Locate(doc_, s, direction, cs);
        ASSERT_EQ(got.found, expected.found) << "find " << s << " dir " << direction;
        if (got.found) {
          ASSERT_EQ(got.start, expected.start);
        }
      }
      ASSERT_EQ(Text(), model) << "round " << round << " step " << step;
    }
  }
}

// ---- The dialogs' buttons ----

TEST_F(SearchTest, FindButtonGoesOnDownwardsAndKeepsAHistoryWithoutCaseTwins) {
  SetText({"Dim x", "dim y"});
  FindHistory history;
  FindPressResult r = PressFindButton(doc_, "dim", kFindWholeText, false, history);
  EXPECT_TRUE(r.found);
  EXPECT_EQ(r.direction, kFindDown);
  EXPECT_TRUE(r.addedToHistory);
  r = PressFindButton(doc_, "DIM", r.direction, false, history);
  EXPECT_EQ(doc_.anchor, (TextPos{1, 0}));
  EXPECT_FALSE(r.addedToHistory) << "same text but for case";
  r = PressFindButton(doc_, "DIM", kFindWholeText, true, history);
  EXPECT_FALSE(r.found);
  EXPECT_EQ(r.direction, kFindWholeText);
  EXPECT_TRUE(r.addedToHistory) << "compared exactly with the case flag";
  EXPECT_EQ(history.Entries(), (Lines{"DIM", "dim"}));
  // Texts that differ only in a trail byte are different texts.
  EXPECT_TRUE(history.Remember(k81_41, false));
  EXPECT_TRUE(history.Remember("\x81\x61", false));
  EXPECT_FALSE(PressFindButton(doc_, "", kFindWholeText, false, history).addedToHistory);
}

TEST_F(SearchTest, ReplaceDialogRefusesEmptyTextsAndCountsReplacements) {
  SetText({"a b a"});
  EXPECT_EQ(PressReplaceFindNext(doc_, "", false, messages_).focus, ReplaceFocus::SearchText);
  EXPECT_EQ(PressReplaceAll(doc_, "a", "", false, false, messages_).focus, ReplaceFocus::Replacement);
  EXPECT_EQ(messages_.notices, (Lines{"请输入要查找的词条", "请输入要替换的词条"}));
  messages_.notices.clear();

  doc_.caret = {};
  ASSERT_TRUE(PressReplaceFindNext(doc_, "a", false, messages_).replaceEnabled);
  const ReplacePressResult one = PressReplaceOne(doc_, "a", "xy", false, messages_);
  EXPECT_EQ(Text(), Lines{"xy b a"});
  EXPECT_TRUE(one.replaceEnabled);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 5}));
  EXPECT_FALSE(PressReplaceOne(doc_, "a", "xy", false, messages_).replaceEnabled);
  EXPECT_EQ(Text(), Lines{"xy b xy"});

  PressReplaceAll(doc_, "xy", "z", true, false, messages_);
  EXPECT_EQ(Text(), Lines{"z b z"});
  EXPECT_EQ(messages_.notices.back(), "一共有2处被替换");
}

TEST_F(SearchTest, GoToLineComplainsOutOfRangeAndLeavesNothingSelected) {
  SetText({"a", "b", "c"});
  GoToLineCommand(doc_, std::nullopt, messages_);
  EXPECT_FALSE(doc_.hasSelection);
  GoToLineCommand(doc_, ParseLineNumber(" 2 "), messages_);
  EXPECT_EQ(doc_.caret, (TextPos{1, 0}));
  EXPECT_FALSE(doc_.hasSelection);
  for (const char* text : {"4", "99999999999999999999", "0"}) {
    GoToLineCommand(doc_, ParseLineNumber(text), messages_);
    EXPECT_FALSE(doc_.hasSelection) << text;  // a keystroke must not replace the text
  }
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
  GoToLineCommand(doc_, 4, messages_);
  EXPECT_EQ(doc_.caret, (TextPos{2, 0}));
  doc_.TypeCharacter('x');
  EXPECT_EQ(Text(), (Lines{"a", "b", "xc"}));
  EXPECT_EQ(messages_.notices, Lines(4, "行号已经超出范围"));
  EXPECT_EQ(ParseLineNumber(""), std::nullopt);
  EXPECT_EQ(ParseLineNumber("-1"), std::nullopt);
  EXPECT_EQ(ParseLineNumber("1x"), std::nullopt);
}

}  // namespace
}  // namespace quillet
