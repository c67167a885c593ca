#include "editor/edit_input.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/view_document_fixture.h"
#include "platform/editor_host.h"

namespace quillet {
namespace {

// A completion prompt whose state the test sets, recording what typing asked of it.
class CompletionHost : public EditorHost {
 public:
  void DocumentChanged(CodeDocument&) override {}
  void HideCompletion() override { ++hides; }
  bool CompletionListVisible() override { return listVisible; }
  bool CompletionInProgress() override { return inProgress; }
  void AcceptCompletion(CodeDocument&) override { ++accepts; }
  void DropLastPrefixChar() override { ++drops; }
  bool AccumulatePrefix(int code) override {
    prefixCodes.push_back(code);
    return showAfterPrefix;
  }
  void ShowCompletion(CodeDocument&) override { ++shows; }

  bool listVisible = false;
  bool inProgress = false;
  bool showAfterPrefix = true;
  int hides = 0;
  int accepts = 0;
  int drops = 0;
  int shows = 0;
  std::vector<int> prefixCodes;
};

class EditInputTest : public ViewDocumentTest {
 protected:
  void SetUp() override {
    ViewDocumentTest::SetUp();
    context_.host = &host_;
    doc_.kind = SourceKind::Basic;
  }
  std::vector<std::string> Text() const { return {doc_.lines.begin(), doc_.lines.end()}; }
  void Type(std::string_view bytes) {
    for (unsigned char c : bytes) HandleCharacter(doc_, c);
  }

  CompletionHost host_;
};

TEST_F(EditInputTest, CharactersTypeBytesAndJoinDoubleByteCharacters) {
  Type("ab");
  Type("易");                        // as two byte messages
  HandleCharacter(doc_, 0xD0D6);    // 中 delivered whole: first byte low
  HandleCharacter(doc_, '\t');
  HandleCharacter(doc_, 27);        // Escape and other control codes type nothing
  HandleCharacter(doc_, 1);
  EXPECT_EQ(Text(), std::vector<std::string>{"ab易中\t"});
  EXPECT_EQ(doc_.caret, (TextPos{0, 7}));

  HandleCharacter(doc_, '\b');       // the TAB
  HandleCharacter(doc_, '\b');       // both bytes of 中
  EXPECT_EQ(Text(), std::vector<std::string>{"ab易"});
}

TEST_F(EditInputTest, EnterIndentsAndClosesAnOpenCompletionListInstead) {
  SetText({"\t\tx = 1"});
  doc_.caret = {0, 7};
  HandleCharacter(doc_, '\r');
  EXPECT_EQ(Text(), (std::vector<std::string>{"\t\tx = 1", "\t\t"}));
  EXPECT_EQ(doc_.caret, (TextPos{1, 2}));

  host_.listVisible = true;
  const int hides = host_.hides;
  HandleCharacter(doc_, '\r');
  EXPECT_EQ(doc_.lineCount, 2) << "Enter with the list open only closes it";
  EXPECT_GT(host_.hides, hides);
}

TEST_F(EditInputTest, CompletionSeesTypingOnlyWhereItIsOn) {
  Type("PR");
  EXPECT_EQ(host_.prefixCodes, (std::vector<int>{'P', 'R'}));
  EXPECT_EQ(host_.shows, 2);

  // Space accepts a visible completion in progress and is not typed.
  host_.inProgress = true;
  host_.listVisible = true;
  HandleCharacter(doc_, ' ');
  EXPECT_EQ(host_.accepts, 1);
  EXPECT_EQ(Text(), std::vector<std::string>{"PR"});

  // Backspace during a completion shortens its prefix and refreshes the list.
  HandleCharacter(doc_, '\b');
  EXPECT_EQ(host_.drops, 1);
  EXPECT_EQ(host_.shows, 3);

  // Plain text documents and the switched-off prompt get no completion.
  host_.prefixCodes.clear();
  doc_.kind = SourceKind::Other;
  Type("x");
  doc_.kind = SourceKind::Basic;
  settings_.completionPrompts = false;
  Type("y");
  EXPECT_TRUE(host_.prefixCodes.empty());
  EXPECT_EQ(Text(), std::vector<std::string>{"Pxy"});
}

TEST_F(EditInputTest, HomeAndEndFollowTheModifierMask) {
  SetText({"abc", "defgh"});
  doc_.caret = {1, 2};
  HandleKey(doc_, kKeyEnd, kShiftKey);
  EXPECT_TRUE(doc_.hasSelection);
  EXPECT_EQ(doc_.anchor, (TextPos{1, 2}));
  EXPECT_EQ(doc_.selEnd, (TextPos{1, 5}));

  HandleKey(doc_, kKeyHome, kCtrlKey);
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
  HandleKey(doc_, kKeyEnd, kCtrlKey | kAltKey);  // anything with Alt does nothing
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
  HandleKey(doc_, kKeyEnd, kNoModifier);
  EXPECT_EQ(doc_.caret, (TextPos{0, 3}));
  HandleKey(doc_, kKeyHome, kCtrlKey | kShiftKey);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 0}));
  EXPECT_EQ(doc_.selEnd, (TextPos{0, 3}));
  HandleKey(doc_, kKeyDown, kCtrlKey | kShiftKey | kAltKey);  // arrows ignore modifiers
  EXPECT_EQ(doc_.caret.line, 1);
}

TEST_F(EditInputTest, ScrollRequestsWheelAndPageKeysMoveTheViewNotTheCaret) {
  std::vector<std::string> text(100, std::string(200, 'x'));
  SetText(text);
  doc_.caret = {5, 1};
  auto top = [&] { return view_.vertical.position; };
  auto left = [&] { return view_.horizontal.position; };

  HandleKey(doc_, kKeyPageDown, kNoModifier);
  EXPECT_EQ(top(), 3);
  HandleScroll(doc_, ScrollBar::Vertical, kScrollLineForward, 0);
  EXPECT_EQ(top(), 4);
  HandleKey(doc_, kKeyPageUp, kNoModifier);
  EXPECT_EQ(top(), 1);
  HandleScroll(doc_, ScrollBar::Vertical, kScrollThumbTrack, 40);
  EXPECT_EQ(top(), 40);
  const int wholeRepaints = view_.invalidateCount - static_cast<int>(view_.bands.size());
  HandleWheel(doc_, -120, kNoModifier);
  EXPECT_EQ(top(), 43);
  // A short scroll moves the text's picture up three rows, no whole repaint.
  const int pitch = doc_.RowPitch();
  EXPECT_EQ(view_.shifts.back(), (std::array<int, 3>{doc_.LineNumberBarWidth(), 0, -3 * pitch}));
  EXPECT_EQ(view_.invalidateCount - static_cast<int>(view_.bands.size()), wholeRepaints);
  HandleWheel(doc_, 120, kNoModifier);
  EXPECT_EQ(top(), 40);
  EXPECT_EQ(view_.shifts.back()[2], 3 * pitch);
  HandleWheel(doc_, -120, kCtrlKey);
  HandleWheel(doc_, -120, kShiftKey);
  EXPECT_EQ(top(), 40) << "the wheel is ignored while a modifier is held";
  HandleScroll(doc_, ScrollBar::Vertical, kScrollPageBack, 0);
  HandleScroll(doc_, ScrollBar::Vertical, 8 /* SB_ENDSCROLL */, 0);
  EXPECT_EQ(top(), 37);

  HandleScroll(doc_, ScrollBar::Horizontal, kScrollPageForward, 0);
  HandleScroll(doc_, ScrollBar::Horizontal, kScrollLineForward, 0);
  EXPECT_EQ(left(), 103);
  HandleScroll(doc_, ScrollBar::Horizontal, kScrollLineBack, 0);
  HandleScroll(doc_, ScrollBar::Horizontal, kScrollThumbPosition, 7);
  EXPECT_EQ(left(), 7);
  HandleScroll(doc_, ScrollBar::Horizontal, kScrollPageBack, 0);
  EXPECT_EQ(left(), 0) << "the bar keeps the position in its range";

  EXPECT_EQ(doc_.caret, (TextPos{5, 1}));
  EXPECT_GT(view_.invalidateCount, 0);
}

TEST_F(EditInputTest, DraggingSelectsFromTheSecondMovementOn) {
  SetText({"hello world", "second"});
  SharedInputState& input = context_.input;

  HandleButtonPress(doc_, -50, RowY(0));  // left of the text (even negative): column 0
  EXPECT_EQ(doc_.caret, (TextPos{0, 0}));
  HandleMouseMove(doc_, ClientX(ByteX(5)), RowY(0));
  EXPECT_FALSE(doc_.hasSelection) << "the first movement only fixes the anchor";
  HandleButtonRelease(input);
  EXPECT_FALSE(input.buttonDown || input.dragging);
  HandleMouseMove(doc_, ClientX(ByteX(8)), RowY(1));
  EXPECT_FALSE(doc_.hasSelection) << "moving without the button selects nothing";

  HandleButtonPress(doc_, ClientX(ByteX(6)), RowY(0));
  HandleMouseMove(doc_, ClientX(ByteX(6)), RowY(0));
  HandleMouseMove(doc_, ClientX(ByteX(3)), RowY(1));
  EXPECT_TRUE(doc_.hasSelection);
  EXPECT_EQ(doc_.anchor, (TextPos{0, 6}));
  EXPECT_EQ(doc_.selEnd, (TextPos{1, 3}));
  EXPECT_EQ(doc_.caret, (TextPos{1, 3}));
  HandleButtonRelease(input);

  HandleDoubleClick(doc_, ClientX(ByteX(2)), RowY(0));
  EXPECT_EQ(doc_.anchor, (TextPos{0, 0}));
  EXPECT_EQ(doc_.selEnd, (TextPos{0, 5}));
}

TEST(CompositionPointTest, AParkedCaretKeepsTheLastPlaceInsideTheWindow) {
  SharedInputState input;
  EXPECT_EQ(CompositionPoint(input, -100, -100), (PixelPoint{0, 0}));
  EXPECT_EQ(CompositionPoint(input, 60, 38), (PixelPoint{60, 38}));
  EXPECT_EQ(CompositionPoint(input, -100, -100), (PixelPoint{60, 38}));
  EXPECT_EQ(CompositionPoint(input, -4, 57), (PixelPoint{60, 57}));
}

}  // namespace
}  // namespace quillet
