#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/view_document_fixture.h"

namespace quillet {
namespace {

using GeometryTest = ViewDocumentTest;

std::vector<std::string> Lines(int count, const std::string& text) {
  return std::vector<std::string>(count, text);
}

TEST_F(GeometryTest, RowPitchAndCaretFollowTheGlyphHeight) {
  EXPECT_EQ(doc_.GlyphHeight(), 16);
  EXPECT_EQ(doc_.RowPitch(), 19);
  doc_.CreateEditCaret();
  EXPECT_EQ(doc_.GetCaretHeight(), 22);
  EXPECT_EQ(view_.caretHeight, 22);
}

TEST_F(GeometryTest, HitTestPicksLineAndNearestCharacterBoundary) {
  SetText({"abc", "x易y", "\tz", ""});
  // Left half of a character: before it; right half: after it.
  EXPECT_EQ(doc_.HitTest(ClientX(4), RowY(0)), (TextPos{0, 0}));
  EXPECT_EQ(doc_.HitTest(ClientX(5), RowY(0)), (TextPos{0, 1}));
  // At or left of the first text column, even inside the line-number bar.
  EXPECT_EQ(doc_.HitTest(ClientX(0), RowY(0)), (TextPos{0, 0}));
  EXPECT_EQ(doc_.HitTest(0, RowY(0)), (TextPos{0, 0}));
  EXPECT_EQ(doc_.HitTest(-500, RowY(0)), (TextPos{0, 0}));
  // "易" spans 8..24: its right half puts the caret after both bytes.
  EXPECT_EQ(doc_.HitTest(ClientX(16), RowY(1)), (TextPos{1, 1}));
  EXPECT_EQ(doc_.HitTest(ClientX(17), RowY(1)), (TextPos{1, 3}));
  EXPECT_EQ(doc_.HitTest(ClientX(500), RowY(1)), (TextPos{1, 4}));
  // A TAB is as wide as TAB-width spaces (4 x 8 px).
  EXPECT_EQ(doc_.HitTest(ClientX(16), RowY(2)), (TextPos{2, 0}));
  EXPECT_EQ(doc_.HitTest(ClientX(17), RowY(2)), (TextPos{2, 1}));
  EXPECT_EQ(doc_.HitTest(ClientX(37), RowY(2)), (TextPos{2, 2}));
  // Below the last line: the last line; above the window: the top line.
  EXPECT_EQ(doc_.HitTest(ClientX(40), RowY(30)), (TextPos{3, 0}));
  EXPECT_EQ(doc_.HitTest(ClientX(4), -1), (TextPos{0, 0}));
  EXPECT_EQ(doc_.HitTest(ClientX(4), -100000), (TextPos{0, 0}));
}

TEST_F(GeometryTest, HitTestAndLonePendingLeadByte) {
  SetText({"ab\x81"});  // a lead byte with no trail byte ends the line
  EXPECT_EQ(doc_.HitTest(ClientX(ByteX(2) + 5), RowY(0)), (TextPos{0, 3}));
  EXPECT_EQ(doc_.HitTest(ClientX(ByteX(2) + 3), RowY(0)), (TextPos{0, 2}));
}

TEST_F(GeometryTest, HitTestFollowsTheScrollPositions) {
  SetText(Lines(100, std::string(200, 'a')));
  ASSERT_TRUE(view_.vertical.shown && view_.horizontal.shown);
  doc_.SetTopLine(10, false);
  doc_.SetHorizontalScroll(100, false);
  EXPECT_EQ(doc_.HitTest(ClientX(5), RowY(2)).line, 12);
  // y is truncated towards zero: a point just above the window is still the top line.
  EXPECT_EQ(doc_.HitTest(ClientX(5), -1).line, 10);
  EXPECT_EQ(doc_.HitTest(ClientX(5), -kPitch).line, 9);
  // Text x 105 falls in the left half of byte 13 (104..112).
  EXPECT_EQ(doc_.HitTest(ClientX(5), RowY(0)).col, 13);
  EXPECT_EQ(doc_.HitTest(ClientX(-100), RowY(0)).col, 0);
}

TEST_F(GeometryTest, LongLinesAndExtremeTabWidthsMeasureFewTimes) {
  SetText({std::string(100000, 'a')});
  long long before = view_.measureCalls;
  EXPECT_EQ(doc_.HitTest(ClientX(ByteX(50000) + 5), RowY(0)).col, 50001);
  EXPECT_LT(view_.measureCalls - before, 40);

  settings_.tabWidth = 100;  // used as 32
  SetText({std::string(100000, '\t')});
  before = view_.measureCalls;
  EXPECT_EQ(doc_.HitTest(ClientX(256 * 1000 + 200), RowY(0)).col, 1001);
  EXPECT_LT(view_.measureCalls - before, 40);
  EXPECT_EQ(view_.horizontal.max, 100000 * 256 + 10);

  settings_.tabWidth = 0;  // used as 1
  SetText({std::string(100000, '\t')});
  EXPECT_EQ(doc_.HitTest(ClientX(8 * 1000 + 5), RowY(0)).col, 1001);
  EXPECT_EQ(doc_.ColumnOffset(0, 100000), 800000);
}

TEST_F(GeometryTest, ScrollBarsAppearOnlyWhenTheTextNeedsThem) {
  // Text area: 640 - 43 = 597 wide, 480 high; 25 whole rows.
  SetText({"abc"});
  EXPECT_FALSE(view_.horizontal.shown);
  EXPECT_FALSE(view_.vertical.shown);

  // The range runs to lineCount, so the last position leaves one empty row.
  SetText(Lines(100, "abc"));
  EXPECT_FALSE(view_.horizontal.shown);
  ASSERT_TRUE(view_.vertical.shown);
  EXPECT_EQ(view_.vertical.max, 100);
  EXPECT_EQ(view_.vertical.page, 25);
  doc_.SetTopLine(1000, false);
  int first = 0;
  int last = 0;
  doc_.GetVisibleLines(480, 16, first, last);
  EXPECT_EQ(first, 76);
  EXPECT_EQ(last, 99);

  // 592 px fits 597, but not the 582 left once the vertical bar is shown.
  std::vector<std::string> text = Lines(100, "abc");
  text[7] = std::string(74, 'w');
  SetText(text);
  ASSERT_TRUE(view_.horizontal.shown);
  EXPECT_EQ(view_.horizontal.max, 592 + 10);
  EXPECT_EQ(view_.horizontal.page, 582);
  EXPECT_EQ(view_.vertical.page, 465 / 19);
  SetText({std::string(74, 'w')});
  EXPECT_FALSE(view_.horizontal.shown);
  EXPECT_FALSE(view_.vertical.shown);

  // 25 rows fit 480 but not the 465 left by the horizontal bar.
  text = Lines(25, "abc");
  text[0] = std::string(88, 'w');
  SetText(text);
  EXPECT_TRUE(view_.horizontal.shown);
  ASSERT_TRUE(view_.vertical.shown);
  EXPECT_EQ(view_.horizontal.page, 582);

  // The longest line is measured with its TABs widened: 20 x 4 spaces = 640 px.
  SetText({std::string(20, '\t'), std::string(30, 'w')});
  ASSERT_TRUE(view_.horizontal.shown);
  EXPECT_EQ(view_.horizontal.max, 650);
}

TEST_F(GeometryTest, ScrollCaretIntoViewUsesTheVisibleBand) {
  SetText(Lines(100, std::string(200, 'a')));
  doc_.caret = {50, 0};
  doc_.ScrollCaretIntoView();
  EXPECT_EQ(doc_.GetTopLine(), 26);  // the caret line becomes the bottom row
  doc_.caret = {10, 0};
  doc_.ScrollCaretIntoView();
  EXPECT_EQ(doc_.GetTopLine(), 10);

  // Beyond the right edge the caret is centred in the 597 px text area.
  doc_.caret = {10, 80};
  doc_.ScrollCaretIntoView();
  EXPECT_EQ(view_.horizontal.position, 640 - 298);
  // Left of the shown text (320 < 342): scrolled to the caret.
  doc_.caret = {10, 40};
  doc_.ScrollCaretIntoView();
  EXPECT_EQ(view_.horizontal.position, 320);
  // Still inside the shown band (320 .. 917): no scrolling.
  doc_.caret = {10, 110};
  doc_.ScrollCaretIntoView();
  EXPECT_EQ(view_.horizontal.position, 320);
  doc_.caret = {10, 0};
  doc_.ScrollCaretIntoView();
  EXPECT_EQ(view_.horizontal.position, 0);
  EXPECT_EQ(view_.invalidateCount, 0);  // callers repaint
}

TEST_F(GeometryTest, GoToLineChecksTheRangeAndShowsTheLine) {
  SetText(Lines(100, "abc"));
  doc_.caret = {3, 2};
  doc_.hasSelection = true;
  EXPECT_FALSE(doc_.GoToLine(0));  // out of range: to the nearest line, nothing selected
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
  EXPECT_FALSE(doc_.hasSelection);
  doc_.hasSelection = true;
  EXPECT_FALSE(doc_.GoToLine(101));
  EXPECT_EQ(doc_.caret, (TextPos{99, 0}));
  EXPECT_FALSE(doc_.hasSelection);
  EXPECT_EQ(doc_.GetTopLine(), 99 - 24);

  EXPECT_TRUE(doc_.GoToLine(4));
  EXPECT_EQ(doc_.caret, (TextPos{3, 0}));
  EXPECT_TRUE(doc_.GoToLine(100));
  EXPECT_EQ(doc_.caret, (TextPos{99, 0}));
  EXPECT_FALSE(doc_.hasSelection);
  EXPECT_EQ(doc_.GetTopLine(), 99 - 24);
  EXPECT_EQ(view_.invalidateCount, 4);
}

// Keywords are drawn in capitals: a font with wider capitals must place the
// caret, the selection and clicks on what is drawn, not on what was typed.
TEST_F(GeometryTest, KeywordsAreMeasuredInTheCapitalsTheyAreDrawnIn) {
  view_.capitalWidth = 12;
  doc_.kind = SourceKind::Basic;
  SetText({"function local dim print abc"});
  const int drawnBeforeAbc = 21 * 12 + 4 * 8;  // "FUNCTION LOCAL DIM PRINT "
  EXPECT_EQ(doc_.ColumnOffset(0, 25), drawnBeforeAbc);
  EXPECT_EQ(doc_.HitTest(ClientX(drawnBeforeAbc + 2), RowY(0)), (TextPos{0, 25}));
  EXPECT_EQ(doc_.ColumnOffset(0, 28), drawnBeforeAbc + 3 * 8);
  doc_.kind = SourceKind::Other;  // plain text is drawn as typed
  EXPECT_EQ(doc_.ColumnOffset(0, 25), 25 * 8);
}

TEST_F(GeometryTest, TheLineNumberBarWidensForSixDigits) {
  SetText(Lines(9999, "ab"));
  EXPECT_EQ(doc_.LineNumberBarWidth(), 40);  // four 8-px digits fit the configured width
  SetText(Lines(100000, "ab"));
  const int bar = doc_.LineNumberBarWidth();
  EXPECT_GE(bar, 6 * FakeEditView::kByteWidth + 4);
  EXPECT_EQ(doc_.TextLeft(), bar + 3);
  EXPECT_EQ(doc_.HitTest(bar + 3 + ByteX(1) + 1, RowY(0)), (TextPos{0, 1}));
  EXPECT_EQ(doc_.GetTextAreaSize().width, 640 - bar - 3);
  settings_.lineNumberBarWidth = 0;  // hidden bar
  EXPECT_EQ(doc_.LineNumberBarWidth(), 0);
}

}  // namespace
}  // namespace quillet
