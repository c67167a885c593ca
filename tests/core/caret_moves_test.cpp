#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/view_document_fixture.h"

namespace quillet {
namespace {

using CaretMovesTest = ViewDocumentTest;

TEST_F(CaretMovesTest, UpAndDownKeepTheColumnOnACharacterBoundary) {
  SetText({"abcd易x", "abcdefgh", "abc"});
  doc_.caret = {1, 5};
  doc_.CaretUp();  // column 5 falls inside "易" (4..5)
  EXPECT_EQ(doc_.caret, (TextPos{0, 6}));
  doc_.caret = {1, 5};
  doc_.CaretDown();  // a shorter line: its end
  EXPECT_EQ(doc_.caret, (TextPos{2, 3}));
  doc_.CaretUp();
  EXPECT_EQ(doc_.caret, (TextPos{1, 3}));
  // A move repaints the caret's new row and its old one, nothing else.
  const int pitch = doc_.RowPitch();
  EXPECT_EQ(view_.bands, (std::vector<std::pair<int, int>>{
                             {0, pitch}, {pitch, 2 * pitch},       // up
                             {2 * pitch, 3 * pitch}, {pitch, 2 * pitch},  // down
                             {pitch, 2 * pitch}, {2 * pitch, 3 * pitch}}));  // up
  const int repaints = view_.invalidateCount;

  doc_.caret = {0, 2};
  doc_.CaretUp();
  doc_.caret = {2, 1};
  doc_.CaretDown();
  EXPECT_EQ(doc_.caret, (TextPos{2, 1}));
  EXPECT_EQ(view_.invalidateCount, repaints);
}

TEST_F(CaretMovesTest, LeftAndRightStepOverTwoByteCharactersWhole) {
  // "丂" is a pair whose trail byte is '@': stepping back must not land inside it.
  SetText({"易a丂b", "ab\x81"});
  const TextPos right[] = {{0, 2}, {0, 3}, {0, 5}, {0, 6}, {1, 0}, {1, 1}, {1, 2}, {1, 3}};
  for (const TextPos& expected : right) {
    doc_.CaretRight();
    EXPECT_EQ(doc_.caret, expected);
  }
  const int repaints = view_.invalidateCount;
  doc_.CaretRight();  // end of the text: nothing, not even a repaint
  EXPECT_EQ(doc_.caret, (TextPos{1, 3}));
  EXPECT_EQ(view_.invalidateCount, repaints);

  const TextPos left[] = {{1, 2}, {1, 1}, {1, 0}, {0, 6}, {0, 5}, {0, 3}, {0, 2}, {0, 0}};
  for (const TextPos& expected : left) {
    doc_.CaretLeft();
    EXPECT_EQ(doc_.caret, expected);
  }
  EXPECT_GE(view_.invalidateCount, repaints + 8);
  const int moved = view_.invalidateCount;
  doc_.CaretLeft();
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
  EXPECT_EQ(view_.invalidateCount, moved);

  // A lone lead byte at the end of a line: Right stops at the line's end.
  doc_.caret = {1, 2};
  doc_.CaretRight();
  EXPECT_EQ(doc_.caret, (TextPos{1, 3}));
}

TEST_F(CaretMovesTest, HomeAndEndMoveOnlyWhenTheyCan) {
  SetText({"abc", "defgh"});
  doc_.caret = {1, 2};
  doc_.CaretLineEnd();
  EXPECT_EQ(doc_.caret, (TextPos{1, 5}));
  doc_.CaretLineStart();
  EXPECT_EQ(doc_.caret, (TextPos{1, 0}));
  doc_.CaretTextEnd();
  EXPECT_EQ(doc_.caret, (TextPos{1, 5}));
  doc_.CaretTextStart();
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
  const int repaints = view_.invalidateCount;
  EXPECT_GE(repaints, 4);

  doc_.CaretLineStart();
  doc_.CaretTextStart();
  doc_.SelectToLineStart();
  doc_.SelectToTextStart();
  doc_.caret = {1, 5};
  doc_.CaretLineEnd();
  doc_.CaretTextEnd();
  doc_.SelectToLineEnd();
  doc_.SelectToTextEnd();
  EXPECT_EQ(view_.invalidateCount, repaints);
  EXPECT_FALSE(doc_.hasSelection);
}

TEST_F(CaretMovesTest, ShiftMovesStartANewSelectionThatCaretKeysEnd) {
  SetText({"abcdef", "gh", "ijk"});
  doc_.caret = {0, 2};
  doc_.SelectToLineEnd();
  EXPECT_TRUE(doc_.hasSelection);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 2}));
  EXPECT_EQ(doc_.selEnd, (TextPos{0, 6}));
  EXPECT_EQ(doc_.caret, (TextPos{0, 6}));
  doc_.CaretLeft();
  EXPECT_EQ(doc_.caret, (TextPos{0, 5}));
  EXPECT_FALSE(doc_.hasSelection);

  doc_.caret = {1, 1};
  doc_.SelectToLineStart();
  EXPECT_EQ(doc_.anchor, (TextPos{1, 0}));
  EXPECT_EQ(doc_.selEnd, (TextPos{1, 1}));
  EXPECT_EQ(doc_.caret, (TextPos{1, 0}));
  doc_.SelectToTextEnd();  // from the caret, not extending the last selection
  EXPECT_EQ(doc_.anchor, (TextPos{1, 0}));
  EXPECT_EQ(doc_.selEnd, (TextPos{2, 3}));
  doc_.caret = {1, 1};
  doc_.SelectToTextStart();
  EXPECT_EQ(doc_.anchor, (TextPos{0, 0}));
  EXPECT_EQ(doc_.selEnd, (TextPos{1, 1}));
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
}

// Select all, move away, type: only the typed character may change the text.
TEST_F(CaretMovesTest, EveryCaretKeyEndsTheSelectionEvenWithoutMoving) {
  using Move = void (CodeDocument::*)();
  const Move moves[] = {&CodeDocument::CaretUp,        &CodeDocument::CaretDown,     &CodeDocument::CaretLeft,
                        &CodeDocument::CaretRight,     &CodeDocument::CaretLineStart, &CodeDocument::CaretLineEnd,
                        &CodeDocument::CaretTextStart, &CodeDocument::CaretTextEnd};
  for (Move move : moves) {
    SetText({"abc", "def", "ghi"});
    doc_.SelectAll();
    (doc_.*move)();
    EXPECT_FALSE(doc_.hasSelection);
    EXPECT_GT(view_.invalidateCount, 0);  // the highlight must go from the screen
  }
  SetText({"abc", "def", "ghi"});
  doc_.SelectAll();
  doc_.CaretTextStart();
  doc_.CaretDown();
  doc_.CaretDown();
  doc_.TypeCharacter('Z');
  EXPECT_EQ(doc_.lines[0], "abc");
  EXPECT_EQ(doc_.lines[2], "Zghi");
}

TEST_F(CaretMovesTest, TheEuroByteIsOneCharacter) {
  SetText({"A\x80" "1B"});
  doc_.CaretRight();
  doc_.CaretRight();
  EXPECT_EQ(doc_.caret, (TextPos{0, 2}));
  doc_.CaretLeft();
  EXPECT_EQ(doc_.caret, (TextPos{0, 1}));
  doc_.DeleteForward();
  EXPECT_EQ(doc_.lines[0], "A1B");
  doc_.caret = {0, 0};
  doc_.SelectToLineEnd();
  EXPECT_EQ(doc_.GetSelectedText(), "A1B");
}

TEST_F(CaretMovesTest, AKeyThatCannotMoveStillBringsTheCaretBack) {
  std::vector<std::string> text(200, "line");
  SetText(text);
  doc_.SetTopLine(150, true);  // scrolled away by the wheel
  view_.invalidateCount = 0;
  doc_.CaretTextStart();       // the caret is there already
  EXPECT_EQ(doc_.GetTopLine(), 0);
  EXPECT_EQ(view_.invalidateCount, 1);
  doc_.SetTopLine(150, true);
  doc_.CaretLineEnd();
  doc_.CaretLineEnd();  // already at the end of line 1
  EXPECT_EQ(doc_.GetTopLine(), 0);
  doc_.caret = {199, 4};
  doc_.CaretTextEnd();
  EXPECT_GT(doc_.GetTopLine(), 150);
}

TEST_F(CaretMovesTest, ClickAndDragSelectBetweenPressAndPointer) {
  SetText({"abcdef", "ghijkl"});
  doc_.hasSelection = true;
  doc_.ClickAt(ClientX(ByteX(2)), RowY(0));
  EXPECT_EQ(doc_.caret, (TextPos{0, 2}));
  EXPECT_FALSE(doc_.hasSelection);
  EXPECT_EQ(view_.invalidateCount, 1);

  doc_.StartDragSelection();
  EXPECT_EQ(doc_.anchor, (TextPos{0, 2}));
  doc_.DragSelectTo(ClientX(ByteX(2)), RowY(0));
  EXPECT_FALSE(doc_.hasSelection);  // back on the press point: nothing selected
  doc_.DragSelectTo(ClientX(ByteX(4)), RowY(1));
  EXPECT_TRUE(doc_.hasSelection);
  EXPECT_EQ(doc_.selEnd, (TextPos{1, 4}));
  EXPECT_EQ(doc_.caret, (TextPos{1, 4}));
  EXPECT_EQ(doc_.anchor, (TextPos{0, 2}));
}

TEST_F(CaretMovesTest, DoubleClickSelectsLettersAndTwoByteCharacters) {
  SetText({"abc123 def", "x=易经ab_c", "\tword", ""});
  doc_.SelectWordAt(ClientX(ByteX(1) + 4), RowY(0));  // on "b"
  EXPECT_TRUE(doc_.hasSelection);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 0}));
  EXPECT_EQ(doc_.selEnd, (TextPos{0, 3}));
  EXPECT_EQ(doc_.caret, (TextPos{0, 3}));

  const auto selectsNothing = [this](int textX, int row) {
    doc_.hasSelection = false;
    doc_.caret = {};
    const int repaints = view_.invalidateCount;
    doc_.SelectWordAt(ClientX(textX), RowY(row));
    EXPECT_FALSE(doc_.hasSelection) << textX << "," << row;
    EXPECT_EQ(doc_.caret, (TextPos{}));
    EXPECT_EQ(view_.invalidateCount, repaints);
  };
  selectsNothing(ByteX(4) + 4, 0);  // on a digit
  selectsNothing(ByteX(6) + 4, 0);  // on the space
  selectsNothing(ByteX(1), 2);      // on the TAB
  selectsNothing(100, 3);           // an empty line

  doc_.SelectWordAt(ClientX(ByteX(4) + 4), RowY(1));  // on "经"; "_" ends the word
  EXPECT_EQ(doc_.anchor, (TextPos{1, 2}));
  EXPECT_EQ(doc_.selEnd, (TextPos{1, 8}));
  doc_.SelectWordAt(ClientX(ByteX(4) + 12), RowY(2));  // on "o", after a 32 px TAB
  EXPECT_EQ(doc_.anchor, (TextPos{2, 1}));
  EXPECT_EQ(doc_.selEnd, (TextPos{2, 5}));
  doc_.SelectWordAt(ClientX(500), RowY(0));  // past the end: the word ending the line
  EXPECT_EQ(doc_.anchor, (TextPos{0, 7}));
  EXPECT_EQ(doc_.selEnd, (TextPos{0, 10}));
}

TEST_F(CaretMovesTest, DoubleClickFollowsHorizontalScrolling) {
  SetText({std::string(300, ' ') + "word" + std::string(300, ' ')});
  doc_.SetHorizontalScroll(ByteX(300), false);
  doc_.SelectWordAt(ClientX(ByteX(1)), RowY(0));
  EXPECT_EQ(doc_.anchor, (TextPos{0, 300}));
  EXPECT_EQ(doc_.selEnd, (TextPos{0, 304}));
}

TEST_F(CaretMovesTest, LongLineWordSelectionMeasuresFewTimes) {
  SetText({std::string(100000, 'q')});
  const long long before = view_.measureCalls;
  doc_.SelectWordAt(ClientX(ByteX(99990)), RowY(0));
  EXPECT_LT(view_.measureCalls - before, 40);
  EXPECT_EQ(doc_.selEnd, (TextPos{0, 100000}));
}

TEST_F(CaretMovesTest, SelectAllCoversEvenAnEmptyText) {
  doc_.SelectAll();
  EXPECT_TRUE(doc_.hasSelection);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 0}));
  EXPECT_EQ(doc_.selEnd, (TextPos{0, 0}));
  SetText({"ab", "cde"});
  doc_.SelectAll();
  EXPECT_EQ(doc_.caret, (TextPos{1, 3}));
  EXPECT_EQ(doc_.selEnd, (TextPos{1, 3}));
  EXPECT_EQ(view_.invalidateCount, 1);
}

}  // namespace
}  // namespace quillet
