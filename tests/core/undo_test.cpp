#include <gtest/gtest.h>

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

std::string ReplaceAllOf(std::string text, const std::string& find, const std::string& with) {
  for (std::size_t at = text.find(find); at != std::string::npos; at = text.find(find, at + with.size())) {
    text.replace(at, find.size(), with);
  }
  return text;
}

TEST_F(EditingTest, ReplacementStepsWaitForTheirReplayHook) {
  SetText({"foo foo"});
  UndoRecord record;
  record.op = 7;
  doc_.CaptureViewState(record);
  record.findText = "foo";
  record.replacement = "bar";
  doc_.lines.SetLine(0, "bar bar");
  doc_.modified = true;
  doc_.RecountLines();
  doc_.PushUndo(record);

  doc_.Undo();
  EXPECT_EQ(Text(), (Lines{"bar bar"}));
  EXPECT_EQ(doc_.undoPos, 1);

  std::vector<bool> calls;
  doc_.replayReplacement = [this, &calls](const UndoRecord& r, bool redo) {
    calls.push_back(redo);
    const std::string& from = redo ? r.findText : r.replacement;
    const std::string& to = redo ? r.replacement : r.findText;
    doc_.lines.SetLine(0, ReplaceAllOf(doc_.lines[0], from, to));
  };
  doc_.Undo();
  EXPECT_EQ(Text(), (Lines{"foo foo"}));
  EXPECT_FALSE(doc_.modified);
  doc_.Redo();
  EXPECT_EQ(Text(), (Lines{"bar bar"}));
  EXPECT_TRUE(doc_.modified);
  EXPECT_EQ(calls, (std::vector<bool>{false, true}));
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

}  // namespace
}  // namespace quillet
