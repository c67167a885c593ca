#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/gbk.h"
#include "core/editing_fixture.h"

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

// Thirty lines, some wider than the window, so both scroll bars have a range.
Lines ScrollingText() {
  Lines lines;
  for (int i = 0; i < 30; ++i) {
    std::string line = (i % 3 == 0 ? "\t\t" : "") + std::to_string(i) + " 易码 ";
    line += std::string(static_cast<std::size_t>(i % 7 * 9), 'a' + i % 26);
    lines.push_back(line);
  }
  return lines;
}

TEST_F(EditingTest, UndoAndRedoOfEveryStepGiveBackTheExactState) {
  struct Case {
    const char* name;
    TextPos anchor;  // a selection is made when anchor differs from caret
    TextPos caret;
    std::function<void(CodeDocument&)> step;
  };
  const auto type = [](int c) { return [c](CodeDocument& d) { d.TypeCharacter(c); }; };
  const auto paste = [this](std::string text) {
    return [this, text](CodeDocument& d) {
      clipboard_.SetText(text);
      d.Paste();
    };
  };
  const std::vector<Case> cases = {
      {"line break with indent", {21, 5}, {21, 5}, [](CodeDocument& d) { d.InsertLineBreak(); }},
      {"line break over a selection", {3, 4}, {18, 2}, [](CodeDocument& d) { d.InsertLineBreak(); }},
      {"backspace of a pair", {20, 5}, {20, 5}, [](CodeDocument& d) { d.DeleteBackward(); }},
      {"backspace joining lines", {25, 0}, {25, 0}, [](CodeDocument& d) { d.DeleteBackward(); }},
      {"typed letter", {27, 40}, {27, 40}, type('q')},
      {"typed over a selection", {26, 30}, {2, 1}, type('q')},
      {"forward deletion", {13, 0}, {13, 0}, [](CodeDocument& d) { d.Delete(); }},
      {"forward deletion joining lines", {14, 8}, {14, 8}, [](CodeDocument& d) { d.Delete(); }},
      {"deleted selection", {1, 2}, {28, 6}, [](CodeDocument& d) { d.Delete(); }},
      {"cut", {29, 2}, {29, 7}, [](CodeDocument& d) { d.Cut(); }},
      {"pasted lines", {27, 20}, {27, 20}, paste("one\r\n\r\nthree 易\r\nfour")},
      {"paste over a selection", {5, 3}, {22, 9}, paste("x\r\ny")},
      {"paste ending in a line break", {29, 3}, {29, 3}, paste("tail\r\n")},
      {"backspace over a selection", {3, 4}, {8, 2}, [](CodeDocument& d) { d.DeleteBackward(); }},
      {"replacement of lines far apart", {10, 3}, {10, 3},
       [](CodeDocument& d) {
         EditStep step(d, UndoOp::Replacement);
         d.ReplaceLine(28, "changed");
         d.ReplaceLines(2, 1, {"one", "two"});
         d.ReplaceLines(24, 2, {});
         d.ReplaceLines(23, 2, {"meets the last change from before it"});
       }},
      {"template: a line break and a block as one step", {6, 4}, {17, 1},
       [](CodeDocument& d) {
         EditStep step(d, UndoOp::Replacement);
         d.CaretLineEnd();
         d.InsertLineBreak();
         d.InsertBlock("DO \r\n\t\r\nLOOP ");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeEditView view(200, 100);  // five rows, about 18 bytes
    CodeDocument doc(context_);
    doc.SetView(&view);
    doc.lines.Assign(ScrollingText());
    doc.RecountLines();
    doc.anchor = c.anchor;
    doc.caret = doc.selEnd = c.caret;
    doc.hasSelection = !(c.anchor == c.caret);
    doc.SetTopLine(25, false);
    doc.ScrollCaretIntoView();
    ASSERT_GT(view.vertical.position, 0);

    const DocSnapshot before = SnapshotOf(doc, view);
    c.step(doc);
    const DocSnapshot after = SnapshotOf(doc, view);
    ASSERT_EQ(doc.undoHistory.size(), 1u);
    EXPECT_NE(before.lines, after.lines);
    for (int round = 0; round < 2; ++round) {
      doc.Undo();
      EXPECT_EQ(SnapshotOf(doc, view), before);
      doc.Redo();
      EXPECT_EQ(SnapshotOf(doc, view), after);
    }
    EXPECT_FALSE(doc.CanRedo());
  }
}

TEST_F(EditingTest, HistoryKeepsTheLastFiftyStepsAndANewStepEndsTheRedoChain) {
  for (int i = 0; i < 51; ++i) doc_.TypeCharacter('a' + i % 26);
  EXPECT_EQ(doc_.undoHistory.size(), 50u);
  EXPECT_EQ(doc_.undoPos, 50);
  for (int i = 0; i < 50; ++i) doc_.Undo();
  EXPECT_FALSE(doc_.CanUndo());
  EXPECT_EQ(Text(), (Lines{"a"}));  // the first step is gone from the history
  EXPECT_TRUE(doc_.modified);
  doc_.Undo();
  EXPECT_EQ(Text(), (Lines{"a"}));

  for (int i = 0; i < 3; ++i) doc_.Redo();
  doc_.Undo();
  doc_.Undo();
  EXPECT_TRUE(doc_.CanRedo());
  doc_.TypeCharacter('Z');
  EXPECT_FALSE(doc_.CanRedo());
  EXPECT_EQ(doc_.undoHistory.size(), 2u);
  EXPECT_EQ(Text(), (Lines{"abZ"}));
  doc_.Redo();
  EXPECT_EQ(Text(), (Lines{"abZ"}));
}

TEST_F(EditingTest, ModifiedMarkFollowsTheSavedText) {
  SetText({"abc"});
  doc_.caret = {0, 3};
  doc_.TypeCharacter('x');
  doc_.Undo();
  EXPECT_FALSE(doc_.modified);  // back to the text as it was opened
  doc_.Redo();
  EXPECT_TRUE(doc_.modified);

  doc_.TypeCharacter('y');
  doc_.modified = false;  // what a save does
  doc_.Undo();
  EXPECT_TRUE(doc_.modified);  // "abcx" differs from the saved "abcxy"
  doc_.Undo();
  EXPECT_TRUE(doc_.modified);
  doc_.Redo();
  doc_.Redo();
  EXPECT_FALSE(doc_.modified);  // the saved text again

  // Once a new step replaces the saved text's place in the history, no undo clears the mark.
  doc_.Undo();
  doc_.TypeCharacter('z');
  doc_.Undo();
  EXPECT_TRUE(doc_.modified);
  EXPECT_EQ(Text(), (Lines{"abcx"}));
}

TEST_F(EditingTest, RedoOfALineBreakRepeatsTheRecordedIndent) {
  SetText({"\t\tab"});
  doc_.caret = {0, 4};
  doc_.InsertLineBreak();
  doc_.Undo();
  settings_.autoIndent = false;
  doc_.Redo();
  EXPECT_EQ(Text(), (Lines{"\t\tab", "\t\t"}));
  doc_.TypeCharacter('\t');
  doc_.TypeCharacter('c');
  doc_.Undo();
  doc_.Undo();
  doc_.Undo();
  EXPECT_EQ(Text(), (Lines{"\t\tab"}));
}

TEST_F(EditingTest, LinesHoldingACrLfComeBackWhole) {
  // A line ending in CR joined to one starting with LF holds a CR LF of its own.
  SetText({"a\r", "\nb", "c"});
  doc_.caret = {1, 0};
  doc_.DeleteBackward();
  ASSERT_EQ(Text(), (Lines{"a\r\nb", "c"}));
  Select({0, 1}, {1, 1});
  doc_.Delete();
  doc_.caret = {0, 0};
  clipboard_.SetText("p\r\nq");
  doc_.Paste();
  const Lines pasted = Text();
  doc_.Undo();
  doc_.Undo();
  EXPECT_EQ(Text(), (Lines{"a\r\nb", "c"}));
  doc_.Redo();
  doc_.Redo();
  EXPECT_EQ(Text(), pasted);
  doc_.Undo();
  doc_.Undo();
  doc_.Undo();
  EXPECT_EQ(Text(), (Lines{"a\r", "\nb", "c"}));
}

TEST_F(EditingTest, ReplacementStepsUndoAndRedoExactly) {
  SetText({"foo foo"});
  doc_.ReplaceLine(0, "bar bar");  // outside any step: a replacement of its own
  EXPECT_EQ(Text(), (Lines{"bar bar"}));
  ASSERT_EQ(doc_.undoPos, 1);
  EXPECT_EQ(doc_.undoHistory.back().op, UndoOp::Replacement);
  EXPECT_TRUE(doc_.modified);

  doc_.Undo();
  EXPECT_EQ(Text(), (Lines{"foo foo"}));
  EXPECT_FALSE(doc_.modified);
  doc_.Redo();
  EXPECT_EQ(Text(), (Lines{"bar bar"}));
  EXPECT_TRUE(doc_.modified);

  // Changes far apart keep only their own lines, however many lie between.
  SetText(Lines(100'000, "foo"));
  {
    EditStep step(doc_, UndoOp::Replacement);
    doc_.ReplaceLine(0, "bar");
    doc_.ReplaceLine(99'999, "bar");
    doc_.ReplaceLines(50'000, 0, {});  // no change at all
  }
  const UndoRecord& far = doc_.undoHistory.back();
  EXPECT_EQ(far.splices, (std::vector<LineSplice>{{0, 1, {"foo"}}, {99'999, 1, {"foo"}}}));

  // Bad ranges change nothing; taking every line leaves one empty line with the caret on it.
  SetText({"a", "bc"});
  doc_.caret = {1, 2};
  doc_.ReplaceLines(1, 2, {"x"});
  doc_.ReplaceLines(-1, 1, {"x"});
  EXPECT_EQ(Text(), (Lines{"a", "bc"}));
  doc_.ReplaceLines(0, 2, {});
  EXPECT_EQ(Text(), (Lines{""}));
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
  doc_.Undo();
  EXPECT_EQ(Text(), (Lines{"a", "bc"}));
  EXPECT_EQ(doc_.caret, (TextPos{1, 2}));

  // A step that changes nothing leaves no trace.
  const std::size_t steps = doc_.undoHistory.size();
  const int paints = view_.invalidateCount;
  { EditStep step(doc_, UndoOp::Replacement); }
  EXPECT_EQ(doc_.undoHistory.size(), steps);
  EXPECT_EQ(view_.invalidateCount, paints);
}

TEST_F(EditingTest, UndoingPastASaveThenTypingKeepsTheMarkThroughRedo) {
  SetText({"abc"});
  doc_.caret = {0, 3};
  doc_.TypeCharacter('x');
  doc_.modified = false;  // what a save does
  doc_.Undo();
  EXPECT_TRUE(doc_.modified);
  doc_.TypeCharacter('y');  // the saved text is now out of reach
  doc_.Undo();
  EXPECT_TRUE(doc_.modified);
  doc_.Redo();
  EXPECT_TRUE(doc_.modified);
  EXPECT_EQ(Text(), (Lines{"abcy"}));
}

// A position on a character boundary of the document.
TextPos RandomPos(const CodeDocument& doc, std::mt19937& rng) {
  TextPos pos{static_cast<int>(rng() % static_cast<unsigned>(doc.lines.size())), 0};
  const std::string& line = doc.lines[pos.line];
  std::vector<int> boundaries{0};
  for (std::size_t i = 0; i < line.size();) {
    i += gbk::IsLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
    boundaries.push_back(static_cast<int>(std::min(i, line.size())));
  }
  pos.col = boundaries[rng() % boundaries.size()];
  return pos;
}

std::string RandomText(std::mt19937& rng) {
  static const std::vector<std::string> kPieces = {"a", "Z", " ", "\t", "易", "码", "\r\n", "\r", "\n"};
  std::string text;
  for (unsigned n = rng() % 8; n > 0; --n) text += kPieces[rng() % kPieces.size()];
  return text;
}

TEST_F(EditingTest, RandomEditsUndoAndRedoBackToEachText) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    FakeEditView view(240, 120);
    CodeDocument doc(context_);
    doc.SetView(&view);
    doc.lines.Assign({"\t\tfirst 易", "", "second line", "\tthird"});
    doc.RecountLines();
    std::map<int, Lines> textAt{{0, {doc.lines.begin(), doc.lines.end()}}};

    for (int i = 0; i < 40; ++i) {
      const unsigned action = rng() % 12;
      if (action < 2) {
        doc.anchor = RandomPos(doc, rng);
        doc.caret = doc.selEnd = RandomPos(doc, rng);
        doc.hasSelection = true;
      } else {
        doc.caret = RandomPos(doc, rng);
      }
      settings_.autoIndent = rng() % 2 == 0;
      switch (action) {
        case 0: doc.Delete(); break;
        case 1: doc.Cut(); break;
        case 2: doc.TypeCharacter('a' + static_cast<int>(rng() % 26)); break;
        case 3:
          doc.TypeCharacter(static_cast<unsigned char>("易"[0]));
          doc.TypeCharacter(static_cast<unsigned char>("易"[1]));
          break;
        case 4: doc.InsertLineBreak(); break;
        case 5: doc.DeleteBackward(); break;
        case 6: doc.Delete(); break;
        case 7: clipboard_.SetText(RandomText(rng)); doc.Paste(); break;
        case 8: doc.Undo(); break;
        case 9: doc.Redo(); break;
        default: doc.TypeCharacter('\t'); break;
      }
      const Lines now(doc.lines.begin(), doc.lines.end());
      if (action == 8 || action == 9) {
        ASSERT_EQ(now, textAt[doc.undoPos]) << "after " << (action == 8 ? "undo" : "redo");
      } else {
        textAt[doc.undoPos] = now;
      }
      // The incremental line bookkeeping agrees with counting afresh.
      CodeDocument fresh(context_);
      fresh.lines.Assign(now);
      fresh.RecountLines();
      ASSERT_EQ(doc.lineCount, fresh.lineCount);
      ASSERT_EQ(doc.longestLine, fresh.longestLine);
      ASSERT_EQ(doc.longestWidth, fresh.longestWidth);
      ASSERT_LE(doc.caret.col, doc.LineLength(doc.caret.line));
    }

    const int last = doc.undoPos;
    while (doc.CanUndo()) {
      doc.Undo();
      ASSERT_EQ(Lines(doc.lines.begin(), doc.lines.end()), textAt[doc.undoPos]);
    }
    EXPECT_FALSE(doc.modified);
    while (doc.undoPos < last) {
      doc.Redo();
      ASSERT_EQ(Lines(doc.lines.begin(), doc.lines.end()), textAt[doc.undoPos]);
    }
  }
}

// A model of the history: for each step the whole state before and after it,
// the position in the history, and where the saved text is.
TEST_F(EditingTest, RandomStepsUndoRedoAndSavesFollowAModelOfTheHistory) {
  for (unsigned seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    FakeEditView view(200, 100);
    CodeDocument doc(context_);
    doc.SetView(&view);
    doc.undoLimit = 6;  // the oldest steps go often, saved positions with them
    doc.lines.Assign(ScrollingText());
    doc.RecountLines();
    struct Step {
      DocSnapshot before, after;
    };
    std::deque<Step> steps;
    int pos = 0;
    int saved = 0;  // -1: the saved text is gone from the history
    const auto expectState = [&](DocSnapshot expected, const char* what) {
      expected.modified = pos != saved;
      ASSERT_EQ(SnapshotOf(doc, view), expected) << what;
    };

    for (int i = 0; i < 60; ++i) {
      const unsigned action = rng() % 10;
      if (action == 7 || action == 8) {
        // With nothing to undo or redo, nothing changes.
        const bool undo = action == 7;
        const bool moves = undo ? pos > 0 : pos < static_cast<int>(steps.size());
        const DocSnapshot unchanged = SnapshotOf(doc, view);
        undo ? doc.Undo() : doc.Redo();
        if (!moves) {
          ASSERT_EQ(SnapshotOf(doc, view), unchanged);
        } else if (undo) {
          --pos;
          ASSERT_NO_FATAL_FAILURE(expectState(steps[pos].before, "undo"));
        } else {
          ++pos;
          ASSERT_NO_FATAL_FAILURE(expectState(steps[pos - 1].after, "redo"));
        }
        continue;
      }
      if (action == 9) {
        doc.modified = false;  // what a save does
        saved = pos;
        continue;
      }
      doc.anchor = RandomPos(doc, rng);
      doc.caret = doc.selEnd = rng() % 3 == 0 ? RandomPos(doc, rng) : doc.anchor;
      doc.hasSelection = !(doc.anchor == doc.caret);
      doc.ScrollCaretIntoView();
      const DocSnapshot before = SnapshotOf(doc, view);
      const TextPos end{doc.lines.size() - 1, doc.LineLength(doc.lines.size() - 1)};
      bool records = true;
      switch (action) {
        case 0: doc.TypeCharacter('a' + static_cast<int>(rng() % 26)); break;
        case 1: doc.InsertLineBreak(); break;
        case 2:
          records = doc.hasSelection || !(doc.caret == TextPos{});
          doc.DeleteBackward();
          break;
        case 3:
          records = doc.hasSelection || !(doc.caret == end);
          doc.Delete();
          break;
        case 4: {
          const std::string text = RandomText(rng);
          records = !text.empty();
          clipboard_.SetText(text);
          doc.Paste();
          break;
        }
        case 5:
          records = doc.hasSelection;
          doc.Cut();
          break;
        default: {
          // Two changes in one step: apart, touching or overlapping.
          EditStep step(doc, UndoOp::Replacement);
          for (int k = 0; k < 2; ++k) {
            const int first = static_cast<int>(rng() % static_cast<unsigned>(doc.lines.size()));
            const int count = std::min(static_cast<int>(rng() % 4), doc.lines.size() - first);
            doc.ReplaceLines(first, count, {RandomText(rng), "x"});
            doc.caret = {first + 1, 1};
          }
          doc.hasSelection = false;
          break;
        }
      }
      if (!records) {
        ASSERT_EQ(SnapshotOf(doc, view), before);
        continue;
      }
      steps.erase(steps.begin() + pos, steps.end());
      if (saved > pos) saved = -1;
      steps.push_back({before, SnapshotOf(doc, view)});
      ++pos;
      if (static_cast<int>(steps.size()) > doc.undoLimit) {
        steps.pop_front();
        --pos;
        saved = saved > 0 ? saved - 1 : -1;
      }
      ASSERT_NO_FATAL_FAILURE(expectState(steps.back().after, "step"));
      ASSERT_EQ(doc.undoPos, pos);
    }
  }
}

}  // namespace
}  // namespace quillet
