#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/editing_fixture.h"

namespace quillet {
namespace {

using Lines = std::vector<std::string>;
using Splices = std::vector<LineSplice>;

// The byte messages the keyboard sends for a two-byte character.
int FirstByte(std::string_view c) { return static_cast<unsigned char>(c[0]); }
int SecondByte(std::string_view c) { return static_cast<unsigned char>(c[1]); }

TEST_F(EditingTest, TypedBytesPairIntoOneCharacterAndOneStep) {
  SetText({"ab"});
  doc_.caret = {0, 1};
  doc_.TypeCharacter(FirstByte("易"));
  EXPECT_EQ(Text(), (Lines{"ab"}));  // the lead byte waits for its trail
  EXPECT_TRUE(context_.input.pendingLead);
  EXPECT_TRUE(doc_.undoHistory.empty());
  doc_.TypeCharacter(SecondByte("易"));
  EXPECT_EQ(Text(), (Lines{"a易b"}));
  EXPECT_EQ(doc_.caret, (TextPos{0, 3}));
  EXPECT_FALSE(context_.input.pendingLead);
  ASSERT_EQ(doc_.undoHistory.size(), 1u);
  EXPECT_EQ(doc_.undoHistory[0].op, UndoOp::InsertText);
  EXPECT_EQ(doc_.undoHistory[0].splices, (Splices{{0, 1, {"ab"}}}));
  EXPECT_TRUE(doc_.modified);

  // A whole character: its two ANSI bytes, the first in the low byte.
  doc_.TypeCharacter(FirstByte("码") | SecondByte("码") << 8);
  EXPECT_EQ(Text(), (Lines{"a易码b"}));
  EXPECT_EQ(doc_.undoHistory.size(), 2u);

  // 0x80 is a character of its own here; a TAB is one byte.
  doc_.TypeCharacter(0x80);
  doc_.TypeCharacter('\t');
  EXPECT_EQ(Text(), (Lines{"a易码\x80\tb"}));
  EXPECT_EQ(doc_.undoHistory.size(), 4u);

  // The waiting lead byte is shared: the trail typed into another document joins it.
  CodeDocument other(context_);
  doc_.TypeCharacter(FirstByte("易"));
  other.TypeCharacter(SecondByte("易"));
  EXPECT_EQ(other.lines[0], "易");
  EXPECT_EQ(doc_.undoHistory.size(), 4u);
}

// A keystroke repaints its own row; a step that adds or removes lines moves
// the rows below it and repaints its own (with a selection, from its first row
// down); one that scrolls or widens the line-number bar, everything.
TEST_F(EditingTest, AStepRepaintsOnlyTheRowsItChanged) {
  SetText(Lines(50, "x"));
  const int pitch = doc_.RowPitch();
  const int height = view_.client.height;
  const int bar = doc_.LineNumberBarWidth();
  doc_.caret = {3, 1};
  const int repaints = view_.invalidateCount;
  doc_.TypeCharacter('a');
  EXPECT_EQ(view_.bands, (std::vector<std::pair<int, int>>{{3 * pitch, 4 * pitch}}));
  EXPECT_EQ(view_.invalidateCount, repaints + 1);
  doc_.InsertLineBreak();  // line 4 and below move down a row
  EXPECT_EQ(view_.shifts, (std::vector<std::array<int, 3>>{{bar, 4 * pitch, pitch}}));
  EXPECT_EQ(view_.bands.back(), std::make_pair(3 * pitch, 5 * pitch));
  doc_.DeleteBackward();  // and back up
  EXPECT_EQ(view_.shifts.back(), (std::array<int, 3>{bar, 5 * pitch, -pitch}));
  EXPECT_EQ(view_.bands.back(), std::make_pair(3 * pitch, 5 * pitch));
  Select({7, 1}, {5, 0});  // typed over: from its first row down
  doc_.TypeCharacter('b');
  EXPECT_EQ(view_.bands.back(), std::make_pair(5 * pitch, height));
  Select({6, 0}, {6, 1});
  doc_.TypeCharacter('c');
  EXPECT_EQ(view_.bands.back(), std::make_pair(6 * pitch, 7 * pitch));

  const std::size_t bands = view_.bands.size();
  SetText(Lines(99, "x"));
  doc_.caret = {0, 1};
  doc_.InsertLineBreak();  // 100 lines: the bar gains a digit
  doc_.caret = {99, 1};
  doc_.TypeCharacter('d');  // below the window: it scrolls
  EXPECT_EQ(view_.bands.size(), bands);
  EXPECT_EQ(Text()[99], "xd");
}

TEST_F(EditingTest, EnterCopiesLeadingTabsOnlyWhenAutoIndentIsOn) {
  SetText({"\t\tif x then"});
  doc_.caret = {0, 6};
  EXPECT_EQ(doc_.InsertLineBreak(), 2);
  EXPECT_EQ(Text(), (Lines{"\t\tif x", "\t\t then"}));
  EXPECT_EQ(doc_.caret, (TextPos{1, 2}));
  EXPECT_EQ(doc_.undoHistory.back().splices, (Splices{{0, 2, {"\t\tif x then"}}}));

  settings_.autoIndent = false;
  SetText({"\t\tif x then"});
  doc_.caret = {0, 6};
  EXPECT_EQ(doc_.InsertLineBreak(), 0);
  EXPECT_EQ(Text(), (Lines{"\t\tif x", " then"}));
  EXPECT_EQ(doc_.caret, (TextPos{1, 0}));

  // Spaces are never copied, and counting stops at the first byte that is not a TAB.
  settings_.autoIndent = true;
  SetText({"  \tx", "\t \ty"});
  doc_.caret = {0, 4};
  EXPECT_EQ(doc_.InsertLineBreak(), 0);
  doc_.caret = {2, 4};
  EXPECT_EQ(doc_.InsertLineBreak(), 1);
  EXPECT_EQ(Text(), (Lines{"  \tx", "", "\t \ty", "\t"}));

  // Only the head counts: a break before the TABs gets no indent.
  SetText({"\t\tz"});
  doc_.caret = {0, 0};
  EXPECT_EQ(doc_.InsertLineBreak(), 0);
  EXPECT_EQ(Text(), (Lines{"", "\t\tz"}));
}

TEST_F(EditingTest, BackspaceTakesWholeCharactersAndJoinsLines) {
  SetText({"l0", "l1", "line2", "x易"});
  doc_.caret = {3, 3};
  doc_.DeleteBackward();
  EXPECT_EQ(doc_.lines[3], "x");
  EXPECT_EQ(doc_.caret, (TextPos{3, 1}));
  EXPECT_EQ(doc_.undoHistory.back().splices, (Splices{{3, 1, {"x易"}}}));

  doc_.caret = {3, 0};
  doc_.DeleteBackward();
  EXPECT_EQ(Text(), (Lines{"l0", "l1", "line2x"}));
  EXPECT_EQ(doc_.caret, (TextPos{2, 5}));
  EXPECT_EQ(doc_.lineCount, 3);
  EXPECT_EQ(doc_.undoHistory.back().splices, (Splices{{2, 1, {"line2", "x"}}}));

  // A caret that somehow sits between the bytes of a pair takes only the lead byte.
  SetText({"a\xD2\xD7" "b"});
  doc_.caret = {0, 2};
  doc_.DeleteBackward();
  EXPECT_EQ(doc_.lines[0], "a\xD7" "b");
  EXPECT_EQ(doc_.caret, (TextPos{0, 1}));

  // At the start of the text nothing happens at all.
  doc_.caret = {0, 0};
  doc_.modified = false;
  const std::size_t steps = doc_.undoHistory.size();
  const int paints = view_.invalidateCount;
  doc_.DeleteBackward();
  EXPECT_EQ(doc_.undoHistory.size(), steps);
  EXPECT_EQ(view_.invalidateCount, paints);
  EXPECT_FALSE(doc_.modified);

  // With a selection it deletes the selection as one step of its own.
  SetText({"abcdef"});
  Select({0, 1}, {0, 4});
  doc_.DeleteBackward();
  EXPECT_EQ(Text(), (Lines{"aef"}));
  EXPECT_EQ(doc_.undoHistory.back().op, UndoOp::DeleteSelection);
}

TEST_F(EditingTest, DeleteWithoutSelectionRemovesTheCharacterAtTheCaret) {
  SetText({"易a\xB0", "end"});
  doc_.Delete();
  EXPECT_EQ(doc_.lines[0], "a\xB0");
  EXPECT_EQ(doc_.undoHistory.back().op, UndoOp::DeleteForward);
  EXPECT_EQ(doc_.undoHistory.back().splices, (Splices{{0, 1, {"易a\xB0"}}}));
  doc_.caret = {0, 1};
  doc_.Delete();  // a lead byte with no trail byte after it goes alone
  EXPECT_EQ(Text(), (Lines{"a", "end"}));
  doc_.Delete();
  EXPECT_EQ(Text(), (Lines{"aend"}));
  EXPECT_EQ(doc_.caret, (TextPos{0, 1}));
  doc_.caret = {0, 4};
  const std::size_t steps = doc_.undoHistory.size();
  doc_.Delete();
  EXPECT_EQ(doc_.undoHistory.size(), steps);
  EXPECT_EQ(Text(), (Lines{"aend"}));
}

TEST_F(EditingTest, TypingOverABackwardSelectionReplacesIt) {
  SetText({"abcdef", "ghij", "klmnopq", "rest"});
  Select({2, 5}, {0, 1});
  doc_.TypeCharacter('Z');
  EXPECT_EQ(Text(), (Lines{"aZpq", "rest"}));
  EXPECT_EQ(doc_.caret, (TextPos{0, 2}));
  EXPECT_FALSE(doc_.hasSelection);
  const UndoRecord& step = doc_.undoHistory.back();
  EXPECT_TRUE(step.before.hasSelection);
  EXPECT_EQ(step.splices, (Splices{{0, 1, {"abcdef", "ghij", "klmnopq"}}}));
  EXPECT_EQ(step.before.caret, (TextPos{0, 1}));
  EXPECT_EQ(step.after.caret, (TextPos{0, 2}));
}

TEST_F(EditingTest, PasteSplitsAtLineBreaksAroundTheCaret) {
  SetText({"abcdef"});
  doc_.caret = {0, 3};
  clipboard_.SetText("x\r\ny");
  doc_.Paste();
  EXPECT_EQ(Text(), (Lines{"abcx", "ydef"}));
  EXPECT_EQ(doc_.caret, (TextPos{1, 1}));
  EXPECT_EQ(doc_.undoHistory.back().splices, (Splices{{0, 2, {"abcdef"}}}));

  // A final line break adds no break of its own.
  SetText({"abcdef"});
  doc_.caret = {0, 3};
  clipboard_.SetText("x\r\n");
  doc_.Paste();
  EXPECT_EQ(Text(), (Lines{"abcxdef"}));
  EXPECT_EQ(doc_.caret, (TextPos{0, 4}));

  // A lone CR or LF is an ordinary byte; pasting over a selection replaces it.
  SetText({"0123", "4567"});
  Select({0, 2}, {1, 2});
  clipboard_.SetText("a\rb\nc\r\n\r\nd");
  doc_.Paste();
  EXPECT_EQ(Text(), (Lines{"01a\rb\nc", "", "d67"}));
  EXPECT_EQ(doc_.caret, (TextPos{2, 1}));

  // An empty clipboard text changes nothing, not even the selection.
  Select({0, 0}, {0, 2});
  const std::size_t steps = doc_.undoHistory.size();
  clipboard_.SetText("");
  doc_.Paste();
  EXPECT_EQ(Text(), (Lines{"01a\rb\nc", "", "d67"}));
  EXPECT_TRUE(doc_.hasSelection);
  EXPECT_EQ(doc_.undoHistory.size(), steps);
}

TEST_F(EditingTest, CopyCutAndTheClipboard) {
  SetText({"first", "middle", "last line"});
  doc_.Copy();  // no selection: the clipboard keeps what it had
  EXPECT_FALSE(clipboard_.hasText);
  EXPECT_FALSE(doc_.ClipboardHasText());

  Select({2, 4}, {0, 2});
  EXPECT_EQ(doc_.GetSelectedText(), "");  // several lines: no single-line text
  doc_.Copy();
  EXPECT_EQ(clipboard_.text, "rst\r\nmiddle\r\nlast");
  EXPECT_TRUE(doc_.ClipboardHasText());
  EXPECT_EQ(Text(), (Lines{"first", "middle", "last line"}));

  Select({1, 1}, {1, 4});
  EXPECT_EQ(doc_.GetSelectedText(), "idd");
  doc_.Cut();
  EXPECT_EQ(clipboard_.text, "idd");
  EXPECT_EQ(Text(), (Lines{"first", "mle", "last line"}));
  EXPECT_EQ(doc_.undoHistory.back().op, UndoOp::DeleteSelection);
  doc_.Cut();  // nothing selected any more
  EXPECT_EQ(doc_.undoHistory.size(), 1u);

  // Without a clipboard copy does nothing and paste finds nothing.
  context_.clipboard = nullptr;
  Select({0, 0}, {0, 5});
  doc_.Copy();
  doc_.Paste();
  EXPECT_FALSE(doc_.ClipboardHasText());
  EXPECT_EQ(Text(), (Lines{"first", "mle", "last line"}));
  doc_.Cut();  // the text would go nowhere: it stays
  EXPECT_EQ(Text(), (Lines{"first", "mle", "last line"}));
}

TEST_F(EditingTest, EditsKeepTheCaretInViewAndRepaint) {
  view_.client = {200, 100};  // five rows of 19 pixels
  SetText(Lines(10, "x"));
  doc_.caret = {4, 1};
  const int paints = view_.invalidateCount;
  doc_.InsertLineBreak();
  EXPECT_EQ(doc_.caret.line, 5);
  EXPECT_EQ(doc_.GetTopLine(), 1);  // the new line became the bottom row
  EXPECT_EQ(doc_.lineCount, 11);
  EXPECT_EQ(view_.invalidateCount, paints + 1);

  for (int i = 0; i < 40; ++i) doc_.TypeCharacter('w');
  EXPECT_GT(view_.horizontal.position, 0);
  EXPECT_EQ(doc_.longestLine, 6);
  EXPECT_EQ(doc_.longestWidth, 40);
}

}  // namespace
}  // namespace quillet
