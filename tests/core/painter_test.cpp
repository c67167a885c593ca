#include "editor/painter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/fake_edit_view.h"
#include "editor/code_document.h"
#include "language/keyword_table.h"
#include "platform/clipboard.h"
#include "platform/editor_host.h"

namespace quillet {
namespace {

// With the fake view's 16 px glyphs and 3 px spacing, every row is 19 px.
constexpr int kPitch = 19;
constexpr int kByte = FakeEditView::kByteWidth;

struct TextCall {
  int x = 0;
  int y = 0;
  std::string bytes;
  ColourRef colour = 0;
};

struct CellCall {
  PixelRect rect;
  bool pressed = false;
  std::string number;
};

// Records every primitive; measures as the fake view does.
class RecordingSurface : public PaintSurface {
 public:
  explicit RecordingSurface(PixelSize size) : size(size) {}

  PixelSize Size() override { return size; }
  PixelRect Area() override { return area.value_or(PixelRect{0, 0, size.width, size.height}); }
  PixelSize MeasureText(std::string_view bytes) override {
    return {static_cast<int>(bytes.size()) * kByte, FakeEditView::kGlyphHeight};
  }
  void Fill(const PixelRect& rect, PaintBrush brush) override {
    (brush == PaintBrush::Background ? backgroundFills : cursorLineFills).push_back(rect);
    order += brush == PaintBrush::Background ? 'B' : 'C';
  }
  void SetTextColour(ColourRef c) override { colour = c; }
  void DrawTextAt(int x, int y, std::string_view bytes) override {
    texts.push_back({x, y, std::string(bytes), colour});
    order += 'T';
  }
  void Invert(const PixelRect& rect) override {
    inverts.push_back(rect);
    order += 'I';
  }
  void DrawLineNumberCell(const PixelRect& rect, bool pressed, std::string_view number) override {
    cells.push_back({rect, pressed, std::string(number)});
    order += 'N';
  }
  void SetCaretPos(int x, int y) override {
    caretX = x;
    caretY = y;
    ++caretCalls;
  }

  // Screen x of the first byte c drawn on the row whose text is at y.
  std::optional<int> XOf(char c, int y) const {
    for (const TextCall& t : texts) {
      const std::size_t at = t.bytes.find(c);
      if (t.y == y && at != std::string::npos) return t.x + static_cast<int>(at) * kByte;
    }
    return std::nullopt;
  }

  PixelSize size;
  std::optional<PixelRect> area;  // none: the whole client
  ColourRef colour = 0xFFFFFFFF;
  std::vector<PixelRect> backgroundFills;
  std::vector<PixelRect> cursorLineFills;
  std::vector<TextCall> texts;
  std::vector<PixelRect> inverts;
  std::vector<CellCall> cells;
  std::string order;  // one letter per primitive, in drawing order
  int caretX = 0;
  int caretY = 0;
  int caretCalls = 0;
};

class RecordingHost : public EditorHost {
 public:
  void DocumentChanged(CodeDocument& doc) override {
    ++changes;
    status = {doc.lineCount, doc.caret.line + 1, doc.caret.col};
    commands = doc.EditCommands();
  }
  void HideCompletion() override {}

  int changes = 0;
  std::vector<int> status;
  std::optional<EditCommandState> commands;
};

class TextClipboard : public Clipboard {
 public:
  bool HasText() override { return !text.empty(); }
  std::string GetText() override { return text; }
  void SetText(std::string_view t) override { text = t; }
  std::string text;
};

class PainterTest : public ::testing::Test {
 protected:
  PainterTest() {
    context.settings = &settings;
    context.host = &host;
    context.clipboard = &clipboard;
    doc.SetView(&view);
  }

  void SetText(std::vector<std::string> text, SourceKind kind = SourceKind::Basic) {
    doc.lines.Assign(std::move(text));
    doc.kind = kind;
    doc.RecountLines();
  }
  void Select(TextPos from, TextPos to) {
    doc.hasSelection = true;
    doc.anchor = from;
    doc.selEnd = to;
  }
  RecordingSurface Paint() {
    RecordingSurface surface(view.client);
    doc.Paint(surface);
    return surface;
  }
  // The band of screen row r between two x positions.
  static PixelRect Band(int row, int left, int right) { return {left, row * kPitch, right, (row + 1) * kPitch}; }

  EditorSettings settings;
  FakeEditView view;  // 640 x 480: 25 whole rows and a partly visible one
  RecordingHost host;
  TextClipboard clipboard;
  EditorContext context;
  CodeDocument doc{context};
};

TEST_F(PainterTest, TextStartsAfterTheBarAndMarginAndTheBarIsPaintedLast) {
  SetText({"abc", "def"}, SourceKind::Other);
  RecordingSurface shown = Paint();
  ASSERT_EQ(shown.texts.size(), 2u);
  EXPECT_EQ(shown.texts[0].x, 43);
  EXPECT_EQ(shown.texts[0].y, 3);
  EXPECT_EQ(shown.texts[1].x, 43);
  EXPECT_EQ(shown.texts[1].y, kPitch + 3);
  // The whole client first, the bar strip (covering text scrolled under it) after the text.
  EXPECT_EQ(shown.backgroundFills.front(), (PixelRect{0, 0, 640, 480}));
  EXPECT_EQ(shown.backgroundFills.back(), (PixelRect{0, 0, 43, 480}));
  EXPECT_LT(shown.order.rfind('T'), shown.order.rfind('B'));

  settings.lineNumberBarWidth = 0;
  RecordingSurface hidden = Paint();
  EXPECT_EQ(hidden.texts[0].x, 3);
  EXPECT_EQ(hidden.backgroundFills.back(), (PixelRect{0, 0, 3, 480}));
  EXPECT_TRUE(hidden.cells.empty());
}

// A repaint of some rows draws the rows it meets, even in part, and no others;
// the caret is placed all the same.
TEST_F(PainterTest, OnlyTheRowsOfTheAreaAreDrawn) {
  SetText({"l0", "l1", "l2", "l3", "l4"}, SourceKind::Other);
  Select({0, 0}, {4, 1});
  doc.caret = {3, 1};
  RecordingSurface surface(view.client);
  surface.area = PixelRect{0, 2 * kPitch + 5, 640, 3 * kPitch + 1};  // row 2 and the top pixel of row 3
  doc.Paint(surface);
  ASSERT_EQ(surface.texts.size(), 2u);
  EXPECT_EQ(surface.texts[0].bytes, "l2");
  EXPECT_EQ(surface.texts[1].bytes, "l3");
  ASSERT_EQ(surface.cells.size(), 2u);
  EXPECT_EQ(surface.cells[0].number, "3");
  EXPECT_TRUE(surface.cells[1].pressed);
  EXPECT_EQ(surface.inverts.size(), 2u);
  EXPECT_EQ(surface.caretY, 3 * kPitch);
}

TEST_F(PainterTest, CaretIsPlacedInTheTextAreaAndParkedOutsideIt) {
  std::vector<std::string> text(60, "x");
  text[0] = std::string(200, 'a');  // wide enough for a horizontal scroll bar
  SetText(text);
  doc.caret = {0, 10};
  RecordingSurface placed = Paint();
  EXPECT_EQ(placed.caretX, 43 + 10 * kByte);
  EXPECT_EQ(placed.caretY, 0);
  EXPECT_EQ(placed.cursorLineFills, std::vector<PixelRect>{Band(0, 0, 640)});

  doc.SetHorizontalScroll(500, false);
  RecordingSurface scrolledAway = Paint();
  EXPECT_EQ(scrolledAway.caretX, -100);
  EXPECT_EQ(scrolledAway.caretY, -100);
  EXPECT_EQ(scrolledAway.cursorLineFills.size(), 1u);  // the bar stays with the line

  doc.SetHorizontalScroll(0, false);
  EXPECT_EQ(Paint().caretX, 43 + 10 * kByte);

  // The left edge of the text area is inside, the client's right edge is not.
  doc.SetHorizontalScroll(kByte, false);
  doc.caret = {0, 1};
  EXPECT_EQ(Paint().caretX, 43);
  doc.caret = {0, 0};
  EXPECT_EQ(Paint().caretX, -100);
  doc.SetHorizontalScroll(0, false);
  doc.caret = {0, (640 - 43) / kByte + 1};
  EXPECT_EQ(Paint().caretX, -100);

  // A caret line below the visible rows: parked, no bar; scrolled to, placed again.
  doc.caret = {40, 0};
  RecordingSurface below = Paint();
  EXPECT_EQ(below.caretY, -100);
  EXPECT_TRUE(below.cursorLineFills.empty());
  doc.SetTopLine(30, false);
  RecordingSurface back = Paint();
  EXPECT_EQ(back.caretX, 43);
  EXPECT_EQ(back.caretY, 10 * kPitch);
  EXPECT_EQ(back.cursorLineFills, std::vector<PixelRect>{Band(10, 0, 640)});
}

TEST_F(PainterTest, SelectionInvertsEachRowUpToTheEndOfItsText) {
  SetText({"l1", "l2", "l3", "l4", "abcdefgh", "0123456789", "xyz123", "tail"});
  const std::vector<PixelRect> expected{Band(4, 43 + 3 * kByte, 43 + 8 * kByte),
                                        Band(5, 43, 43 + 10 * kByte), Band(6, 43, 43 + 2 * kByte)};
  Select({4, 3}, {6, 2});
  RecordingSurface forward = Paint();
  EXPECT_EQ(forward.inverts, expected);
  EXPECT_LT(forward.order.rfind('T'), forward.order.find('I'));  // inverts what is drawn
  Select({6, 2}, {4, 3});
  EXPECT_EQ(Paint().inverts, expected);

  Select({5, 2}, {5, 6});
  EXPECT_EQ(Paint().inverts, std::vector<PixelRect>{Band(5, 43 + 2 * kByte, 43 + 6 * kByte)});

  // An empty line inside a selection shows nothing; nor does a cleared selection.
  doc.lines.SetLine(5, "");
  Select({4, 3}, {6, 2});
  EXPECT_EQ(Paint().inverts, (std::vector<PixelRect>{expected[0], expected[2]}));
  doc.hasSelection = false;
  EXPECT_TRUE(Paint().inverts.empty());
}

TEST_F(PainterTest, SelectionReachingBeyondTheVisibleRowsIsClippedToThem) {
  std::vector<std::string> text;
  for (int i = 0; i < 100; ++i) text.push_back(std::string(static_cast<std::size_t>(1 + i % 7), 'w'));
  SetText(text);
  doc.SetTopLine(10, false);  // rows show lines 10..34
  auto width = [&](int line) { return 43 + (1 + line % 7) * kByte; };

  Select({2, 5}, {12, 3});
  EXPECT_EQ(Paint().inverts, (std::vector<PixelRect>{Band(0, 43, width(10)), Band(1, 43, width(11)),
                                                      Band(2, 43, 43 + 3 * kByte)}));
  Select({30, 1}, {80, 0});
  const std::vector<PixelRect> down = Paint().inverts;
  ASSERT_EQ(down.size(), 5u);
  EXPECT_EQ(down.front(), Band(20, 43 + kByte, width(30)));
  EXPECT_EQ(down.back(), Band(24, 43, width(34)));

  Select({2, 0}, {9, 3});
  EXPECT_TRUE(Paint().inverts.empty());
  Select({35, 0}, {60, 3});
  EXPECT_TRUE(Paint().inverts.empty());
}

TEST_F(PainterTest, LineNumberCellsReachTheBottomButNumberOnlyShownLines) {
  SetText({"a", "b", "c"});
  doc.caret = {1, 0};
  const std::vector<CellCall> cells = Paint().cells;
  ASSERT_EQ(cells.size(), 26u);  // 480 / 19 = 25 rows and a partly visible one
  EXPECT_EQ(cells[0].rect, (PixelRect{0, 0, 40, kPitch}));
  EXPECT_EQ(cells[25].rect, (PixelRect{0, 25 * kPitch, 40, 26 * kPitch}));
  for (int k = 0; k < 26; ++k) {
    EXPECT_EQ(cells[k].number, k < 3 ? std::to_string(k + 1) : "") << "cell " << k;
    EXPECT_EQ(cells[k].pressed, k == 1) << "cell " << k;
  }

  view.client.height = 19 * 4;  // divides evenly: no extra cell
  EXPECT_EQ(Paint().cells.size(), 4u);
  view.client.height = 480;

  std::vector<std::string> many(100, "x");
  SetText(many);
  doc.SetTopLine(10, false);
  doc.caret = {12, 0};
  const std::vector<CellCall> scrolled = Paint().cells;
  EXPECT_EQ(scrolled[0].number, "11");
  EXPECT_TRUE(scrolled[2].pressed);
  EXPECT_EQ(scrolled[24].number, "35");
  EXPECT_EQ(scrolled[25].number, "");  // its line exists, but its row shows no text
}

TEST_F(PainterTest, ColouringFollowsTheSourceKindAndTheContextTable) {
  const std::string line = "print \"x\" ' note";
  SetText({line}, SourceKind::Other);
  const std::vector<TextCall> plain = Paint().texts;
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(plain[0].bytes, line);  // in the user's case
  EXPECT_EQ(plain[0].colour, settings.colours[DefaultText]);

  settings.colours[DefaultText] = Rgb(1, 2, 3);
  EXPECT_EQ(Paint().texts[0].colour, Rgb(1, 2, 3));

  doc.kind = SourceKind::Basic;
  const std::vector<TextCall> coloured = Paint().texts;
  ASSERT_GT(coloured.size(), 1u);
  EXPECT_EQ(coloured[0].bytes, "PRINT");
  EXPECT_EQ(coloured[0].colour, WordColour("PRINT", Keywords(), settings.colours));
  std::string joined;
  for (const TextCall& t : coloured) {
    EXPECT_EQ(t.x, 43 + static_cast<int>(joined.size()) * kByte) << t.bytes;
    joined += t.bytes;
  }
  EXPECT_EQ(joined.size(), line.size());

  KeywordTable own;
  own.Add("FROBNICATE", kSystemKeyword);
  context.keywords = &own;
  doc.lines.SetLine(0, "frobnicate print");
  const std::vector<TextCall> custom = Paint().texts;
  EXPECT_EQ(custom[0].bytes, "FROBNICATE");
  EXPECT_EQ(custom[0].colour, settings.colours[SystemKeyword]);
  EXPECT_EQ(custom.back().bytes, "print");
}

TEST_F(PainterTest, TabsWidenTextAndCaretAlike) {
  SetText({"\tx", "\t\ty"});
  doc.caret = {0, 1};
  RecordingSurface four = Paint();
  EXPECT_EQ(four.XOf('x', 3), 43 + 4 * kByte);
  EXPECT_EQ(four.caretX, 43 + 4 * kByte);
  EXPECT_EQ(four.XOf('y', kPitch + 3), 43 + 8 * kByte);

  settings.tabWidth = 8;
  doc.caret = {1, 2};
  RecordingSurface eight = Paint();
  EXPECT_EQ(eight.XOf('x', 3), 43 + 8 * kByte);
  EXPECT_EQ(eight.caretX, 43 + 16 * kByte);
  EXPECT_EQ(eight.caretY, kPitch);
}

TEST_F(PainterTest, AChangeReportsStatusAndEditCommandsOnceAndPaintingReportsNothing) {
  SetText({"a", "bcdef", "g"});
  doc.caret = {1, 4};
  doc.FinishChange();
  const int before = host.changes;
  Paint();
  EXPECT_EQ(host.changes, before);  // painting only draws
  doc.FinishChange();
  EXPECT_EQ(host.changes, before);  // nothing pending
  doc.CaretLeft();
  doc.FinishChange();
  doc.FinishChange();
  EXPECT_EQ(host.changes, before + 1);
  EXPECT_EQ(host.status, (std::vector<int>{3, 2, 3}));
  ASSERT_TRUE(host.commands.has_value());
  EXPECT_EQ(*host.commands, EditCommandState{});

  Select({0, 0}, {1, 2});
  clipboard.text = "z";
  doc.undoHistory.resize(2);
  doc.undoPos = 1;
  doc.NotifyChanged();
  EXPECT_EQ(*host.commands, (EditCommandState{true, true, true, true, true}));
  doc.undoPos = 2;
  doc.NotifyChanged();
  EXPECT_FALSE(host.commands->canRedo);

  context.host = nullptr;  // a document with no main window around it
  RecordingSurface alone = Paint();
  EXPECT_FALSE(alone.texts.empty());
}

// Paint touches only the rows it shows: measuring costs the same in a short
// and a long document.
TEST_F(PainterTest, PaintMeasuresOnlyTheVisibleLines) {
  auto measuredBytes = [&](int lineCount) {
    SetText(std::vector<std::string>(static_cast<std::size_t>(lineCount), "dim a as long"));
    doc.SetTopLine(lineCount / 2, false);
    doc.caret = {lineCount / 2 + 3, 5};
    Select({0, 0}, {lineCount - 1, 3});
    view.measuredBytes = 0;
    Paint();
    return view.measuredBytes;
  };
  EXPECT_EQ(measuredBytes(100), measuredBytes(200000));
}

}  // namespace
}  // namespace quillet
