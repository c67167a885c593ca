#include "editor/completion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/view_document_fixture.h"
#include "editor/edit_input.h"
#include "platform/completion_view.h"

namespace quillet {
namespace {

using Words = std::vector<std::string>;

class FakeCompletionView : public CompletionView {
 public:
  void Show(EditView& owner, const std::vector<KeywordEntry>& entries, int selectedItem, int atX,
            int atY) override {
    shownIn = &owner;
    items = entries;
    selected = selectedItem;
    x = atX;
    y = atY;
    visible = true;
  }
  void Hide() override { visible = false; }
  bool CapsLockOn() const override { return capsLock; }

  Words Texts() const {
    Words words;
    for (const KeywordEntry& e : items) words.push_back(e.word);
    return words;
  }

  EditView* shownIn = nullptr;
  std::vector<KeywordEntry> items;
  int selected = -1;
  int x = 0;
  int y = 0;
  bool visible = false;
  bool capsLock = false;
};

class TestHost : public CompletionHost {
 public:
  using CompletionHost::CompletionHost;
  void DocumentChanged(CodeDocument&) override {}
};

class CompletionTest : public ViewDocumentTest {
 protected:
  void SetUp() override {
    ViewDocumentTest::SetUp();
    context_.host = &host_;
    doc_.kind = SourceKind::Basic;
    doc_.caretHeight = 16;
  }
  void Type(std::string_view bytes, CodeDocument* doc = nullptr) {
    for (unsigned char c : bytes) HandleCharacter(doc ? *doc : doc_, c);
  }
  std::string Line(int i = 0) const { return doc_.lines[i]; }
  const CompletionState& State() const { return prompt_.State(); }

  FakeCompletionView list_;
  CompletionPrompt prompt_{list_, Keywords()};
  TestHost host_{prompt_};
};

TEST_F(CompletionTest, TypedLettersListKeywordsShortestFirstAndSpaceTakesTheFirst) {
  Type("pr");
  EXPECT_TRUE(list_.visible);
  EXPECT_EQ(list_.Texts(),
            (Words{"PRINT", "PRIVATE", "PROFILE", "PROGID$", "PRINTER$", "PRESERVE", "PRINTERCOUNT"}));
  EXPECT_EQ(list_.selected, 0);
  EXPECT_EQ(State().prefix, "PR");
  Type(" ");
  EXPECT_EQ(Line(), "print ");
  EXPECT_EQ(doc_.caret, (TextPos{0, 6}));
  EXPECT_FALSE(list_.visible);
  EXPECT_FALSE(State().active);
  EXPECT_TRUE(State().prefix.empty());
  doc_.Undo();
  EXPECT_EQ(Line(), "pr") << "the completion is one step";

  list_.capsLock = true;
  Type("\b\b");
  Type("pr ");
  EXPECT_EQ(Line(), "prINT ");
}

TEST_F(CompletionTest, SpaceAfterOneLetterTypesTheSpaceAndLeavesTheLetter) {
  for (const char* line : {"x = 1", "for i = 1 to 10", "a = b + c", "dim s as string"}) {
    SetText({""});
    doc_.caret = {0, 0};
    Type(line);
    EXPECT_EQ(Line(), line);
  }
  ASSERT_TRUE(list_.visible);  // for «string»
  Type("\x1b");  // Esc
  EXPECT_FALSE(State().active);
  EXPECT_FALSE(list_.visible);
  Type("\r");
  EXPECT_EQ(doc_.lines.size(), 2) << "the list was closed: Enter breaks the line";
  Type("p\x1br ");
  EXPECT_EQ(Line(1), "pr ");
}

TEST_F(CompletionTest, PrefixCharactersAndWhatEndsAPrompt) {
  Type("#co");
  EXPECT_EQ(list_.Texts(), (Words{"#COMPILE", "#COMPILER"}));
  EXPECT_EQ(list_.items[0].kind, kSystemKeyword);
  Type(" ");
  EXPECT_EQ(Line(), "#compile ");

  Type("a");
  ASSERT_GE(list_.items.size(), 3u);
  EXPECT_EQ(list_.Texts()[0].size(), 2u);
  Type("x1");  // AX1: nothing matches, the prompt goes on with the list hidden
  EXPECT_FALSE(list_.visible);
  EXPECT_TRUE(State().active);
  Type("\b\b");  // back to "A": the list comes back in place
  EXPECT_TRUE(list_.visible);
  EXPECT_EQ(State().prefix, "A");
  Type("(");
  EXPECT_FALSE(State().active);
  Type(" ");
  EXPECT_EQ(Line(), "#compile a( ") << "a space without a prompt is typed";

  Type("1a");  // a digit starts nothing; the letter after it does
  EXPECT_EQ(State().prefix, "A");
  Type("$");  // "$" continues no word
  EXPECT_FALSE(State().active);
  Type("$");
  EXPECT_EQ(State().prefix, "$") << "but it starts one";
}

TEST_F(CompletionTest, EnterWithTheListShownOnlyClosesIt) {
  Type("abs");
  ASSERT_TRUE(list_.visible);
  Type("\r");
  EXPECT_EQ(doc_.lines.size(), 1);
  EXPECT_FALSE(list_.visible);
  Type("\r");
  EXPECT_EQ(doc_.lines.size(), 2);
}

TEST_F(CompletionTest, TwoByteCharactersEndThePromptOnlyOnceWhole) {
  Type("pr");
  HandleCharacter(doc_, 0xD2);  // lead byte of 易: the list waits
  EXPECT_TRUE(list_.visible);
  EXPECT_TRUE(State().promptLeadPending);
  HandleCharacter(doc_, 0xD7);
  EXPECT_FALSE(State().active);
  EXPECT_FALSE(list_.visible);
  Type("p");
  HandleCharacter(doc_, 0xD0D6);  // 中 delivered whole
  EXPECT_FALSE(State().active);
  // A trail byte that looks like a letter starts nothing.
  HandleCharacter(doc_, 0x81);
  HandleCharacter(doc_, 'A');
  EXPECT_FALSE(State().active);
  EXPECT_EQ(Line(), "pr易p中\x81" "A");
  HandleCharacter(doc_, 0x80);  // a one-byte character: no lead byte
  EXPECT_FALSE(State().promptLeadPending);
}

TEST_F(CompletionTest, NoPromptInOtherTextOrWithTheSettingOff) {
  doc_.kind = SourceKind::Other;
  Type("pr");
  EXPECT_FALSE(State().active);
  doc_.kind = SourceKind::Include;
  settings_.completionPrompts = false;
  Type(" pr");
  EXPECT_FALSE(State().active);
  EXPECT_FALSE(list_.visible);
}

TEST_F(CompletionTest, ClicksWheelAndScrollBarsEndThePromptButCaretKeysDoNot) {
  SetText({std::string(10, ' ') + "x", "", "", "", "", "", "", "", "", ""});
  const auto startPrompt = [&] {
    doc_.caret = {1, 0};
    Type("pr");
    ASSERT_TRUE(State().active);
  };
  startPrompt();
  HandleKey(doc_, kKeyUp, kNoModifier);
  Type("i ");
  EXPECT_EQ(Line(0), "  int " + std::string(8, ' ') + "x") << "the old prefix, at the new caret";

  startPrompt();
  HandleButtonPress(doc_, 60, 2);
  HandleButtonRelease(context_.input);
  EXPECT_FALSE(State().active);
  startPrompt();
  HandleScroll(doc_, ScrollBar::Vertical, kScrollLineForward, 0);
  EXPECT_FALSE(State().active);
  startPrompt();
  HandleWheel(doc_, -120, kNoModifier);
  EXPECT_FALSE(State().active);
  startPrompt();
  doc_.SetTopLine(0, true);
  EXPECT_FALSE(State().active);
}

TEST_F(CompletionTest, TheListSitsUnderTheWordsFirstLetterAndStaysThere) {
  SetText({"  "});
  doc_.caret = {0, 2};
  Type("p");
  EXPECT_EQ(list_.shownIn, &view_);
  EXPECT_EQ(list_.x, ClientX(ByteX(2)));
  EXPECT_EQ(list_.y, 16);
  Type("ri");
  EXPECT_EQ(list_.x, ClientX(ByteX(2)));
}

TEST_F(CompletionTest, ASpaceInAnotherWindowIsTypedThere) {
  FakeEditView otherView;
  CodeDocument other(context_);
  other.SetView(&otherView);
  other.kind = SourceKind::Other;
  Type("pr");
  ASSERT_TRUE(list_.visible);
  Type(" ", &other);  // the tab changed with the list still shown
  EXPECT_EQ(other.lines[0], " ");
  EXPECT_EQ(Line(), "pr");
  EXPECT_FALSE(State().active);

  Type("pr");
  prompt_.AcceptItem(doc_, 2);  // a click on PROFILE
  EXPECT_EQ(Line(), "prprofile ");
  Type("pr");
  prompt_.Forget(doc_);
  EXPECT_FALSE(State().active);
}

}  // namespace
}  // namespace quillet
