#include "editor/line_store.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "editor/line_split.h"
#include "editor/tab_expand.h"

namespace quillet {
namespace {

// The first widest line of the model, the plain way.
LineStore::Widest ModelWidest(const std::vector<std::string>& model, int tabWidth) {
  LineStore::Widest widest{-1, -1};
  for (int i = 0; i < static_cast<int>(model.size()); ++i) {
    const std::int64_t width = DisplayWidth(model[i], tabWidth);
    if (width > widest.width) widest = {width, i};
  }
  return model.empty() ? LineStore::Widest{} : widest;
}

class RandomLines {
 public:
  explicit RandomLines(unsigned seed) : random_(seed) {}
  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  std::string Line() {
    static constexpr char kBytes[] = "ab \t\t\xB0\xA1";
    std::string line(static_cast<std::size_t>(Below(3) == 0 ? Below(40) : Below(8)), 'x');
    for (char& c : line) c = kBytes[Below(sizeof kBytes - 1)];
    return line;
  }
  std::vector<std::string> Lines(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(Line());
    return lines;
  }
  // Mostly one line, now and then more than a block holds.
  int RunLength() { return Below(6) == 0 ? 1 + Below(1200) : 1 + Below(3); }

 private:
  std::mt19937 random_;
};

// Runs random edits on a store and a plain vector side by side.
void CheckRandomEdits(const LineStore::Limits& limits, bool checkBlockCount) {
  RandomLines random(20240611);
  std::vector<std::string> model = random.Lines(3000);
  LineStore store(limits);
  store.Assign(model);
  int mostGroups = 0;
  int tabWidth = 4;
  constexpr int kWatched = 6;
  std::array<int, kWatched> watched{};
  for (int& at : watched) at = random.Below(static_cast<int>(model.size()));
  // Picks where an edit goes after reading lines around it, as the caret and
  // painting do, so the store remembers places on both sides of the edit.
  const auto editAt = [&](int limit) {
    const int at = random.Below(limit);
    for (int i = 0; i < 3; ++i) {
      const int line = at + random.Below(25) - 12;
      if (line >= 0 && line < static_cast<int>(model.size())) {
        EXPECT_EQ(store[line], model[line]) << line;
      }
    }
    return at;
  };
  for (int step = 0; step < 4000; ++step) {
    const int size = static_cast<int>(model.size());
    switch (random.Below(size == 0 ? 2 : 9)) {
      case 0: {  // insert a run anywhere, also at the very end
        const int at = editAt(size + 1);
        std::vector<std::string> run = random.Lines(random.RunLength());
        model.insert(model.begin() + at, run.begin(), run.end());
        store.InsertLines(at, run);
        break;
      }
      case 1: {
        std::string line = random.Line();
        model.push_back(line);
        store.PushBack(line);
        break;
      }
      case 2:
      case 3: {
        const int at = editAt(size);
        std::string line = random.Line();
        if (random.Below(4) == 0) line = std::string(60 + random.Below(20), '\t');  // a new widest line
        EXPECT_EQ(store.SetLine(at, line), model[at]);  // hands back the former text
        model[at] = line;
        break;
      }
      case 4:
      case 5: {
        const int at = editAt(size);
        const int count = std::min(random.RunLength(), size - at);
        if (step % 2 == 0) {
          EXPECT_EQ(store.TakeLines(at, count), std::vector<std::string>(model.begin() + at, model.begin() + at + count));
        } else {
          store.EraseLines(at, count);
        }
        model.erase(model.begin() + at, model.begin() + at + count);
        break;
      }
      case 6: {  // Enter in the middle of a line
        const int at = editAt(size);
        std::string tail = model[at].substr(model[at].size() / 2);
        model[at].resize(model[at].size() / 2);
        model.insert(model.begin() + at + 1, tail);
        store.SetLine(at, model[at]);
        store.InsertLine(at + 1, tail);
        break;
      }
      case 7: {  // Backspace at the end of a line, often the widest one
        const int at = random.Below(2) == 0 ? ModelWidest(model, tabWidth).index : random.Below(size);
        if (model[at].empty()) break;
        model[at].pop_back();
        store.SetLine(at, model[at]);
        break;
      }
      default:
        if (random.Below(5) == 0) tabWidth = 1 + random.Below(8);
        break;
    }
    ASSERT_EQ(store.size(), static_cast<int>(model.size())) << "step " << step;
    // Far-apart lines read before the edit are read again after it, with
    // their near neighbours, from the places the store remembered (and the
    // edit shifted or dropped), as a keystroke reads the caret's line and the
    // widest one. More are watched than the store remembers.
    const int lineCount = static_cast<int>(model.size());
    for (int& at : watched) {
      if (lineCount == 0) break;
      at = std::min(at, lineCount - 1);
      for (int delta : {0, 1, -1, random.Below(21) - 10}) {
        const int line = at + delta;
        if (line < 0 || line >= lineCount) continue;
        ASSERT_EQ(store[line], model[line]) << "step " << step << " line " << line;
      }
    }
    if (lineCount > 0) watched[random.Below(kWatched)] = random.Below(lineCount);
    if (step % 3 == 0) {
      const LineStore::Widest expected = ModelWidest(model, tabWidth);
      const LineStore::Widest found = store.FindWidest(tabWidth);
      ASSERT_EQ(found.width, expected.width) << "step " << step;
      ASSERT_EQ(found.index, expected.index) << "step " << step;
      if (found.index >= 0) {
        ASSERT_EQ(store[found.index], model[found.index]) << "step " << step;
      }
    }
    // Blocks split and merge: their number stays in proportion to the lines.
    if (checkBlockCount) {
      ASSERT_LE(store.BlockCount(), store.size() / 32 + 2 * store.GroupCount() + 1) << "step " << step;
    }
    mostGroups = std::max(mostGroups, store.GroupCount());
  }
  EXPECT_GT(mostGroups, 3);
  ASSERT_EQ(std::vector<std::string>(store.begin(), store.end()), model);
  if (model.size() > 10) {
    const int from = static_cast<int>(model.size()) - 10;
    EXPECT_EQ(std::vector<std::string>(store.IteratorAt(from), store.end()),
              std::vector<std::string>(model.begin() + from, model.end()));
  }
}

TEST(LineStore, MatchesAVectorUnderRandomEdits) {
  // Tiny blocks and groups, so both split and merge all the time.
  CheckRandomEdits({.maxBlockLines = 8, .fillBlockLines = 6, .minBlockLines = 2,
                    .maxGroupBlocks = 6, .fillGroupBlocks = 4, .minGroupBlocks = 2},
                   false);
  CheckRandomEdits({.maxBlockLines = 128, .fillBlockLines = 96, .minBlockLines = 24,
                    .maxGroupBlocks = 16, .fillGroupBlocks = 12, .minGroupBlocks = 3},
                   true);
}

TEST(LineStore, WalksBackwardAndForwardAcrossBlocks) {
  std::vector<std::string> model;
  for (int i = 0; i < 5000; ++i) model.push_back(std::to_string(i));
  LineStore store({.maxBlockLines = 8, .fillBlockLines = 6, .minBlockLines = 2,
                   .maxGroupBlocks = 6, .fillGroupBlocks = 4, .minGroupBlocks = 2});
  store.Assign(model);
  EXPECT_GT(store.GroupCount(), 10);
  for (int i = 4999; i >= 0; --i) ASSERT_EQ(store[i], model[i]);
  for (int i = 0; i < 5000; i += 7) ASSERT_EQ(store[i], model[i]);
  store.EraseLines(0, 5000);
  EXPECT_TRUE(store.empty());
  EXPECT_EQ(store.BlockCount(), 0);
  EXPECT_EQ(store.GroupCount(), 0);
  EXPECT_EQ(store.FindWidest(4).index, -1);
  store.InsertLine(0, "again");
  EXPECT_EQ(store[0], "again");
}

TEST(LineSplit, CutsOnlyAtCrLfWhereverThePiecesBreak) {
  const std::string text = std::string("a\r\nb\rc\nd\r\r\n\n\r\n\0x\r\ny\r", 20) + "\r\n";
  const std::vector<std::string> whole = SplitLines(text);
  EXPECT_EQ(whole, (std::vector<std::string>{"a", "b\rc\nd\r", "\n", std::string("\0x", 2), "y\r"}));
  // Any cut into two pieces, and byte by byte, gives the same lines.
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    std::vector<std::string> lines;
    LineSplitter splitter([&lines](std::string&& line) { lines.push_back(std::move(line)); });
    splitter.Feed(std::string_view(text).substr(0, cut));
    splitter.Feed(std::string_view(text).substr(cut));
    splitter.Finish();
    EXPECT_EQ(lines, whole) << "cut at " << cut;
    EXPECT_TRUE(splitter.EndsWithLineBreak());
  }
  std::vector<std::string> lines;
  LineSplitter splitter([&lines](std::string&& line) { lines.push_back(std::move(line)); });
  for (char c : text) splitter.Feed(std::string_view(&c, 1));
  splitter.Finish();
  EXPECT_EQ(lines, whole);

  EXPECT_EQ(SplitLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitLines("\r\n"), (std::vector<std::string>{""}));
  EXPECT_TRUE(SplitLines("").empty());
}

TEST(ExpandTabs, WidensEveryTabAndKeepsEveryOtherByte) {
  RandomLines random(7);
  for (int i = 0; i < 200; ++i) {
    const std::string line = random.Line();
    const int tabWidth = random.Below(9);
    std::string expected;
    for (char c : line) expected += c == '\t' ? std::string(static_cast<std::size_t>(tabWidth), ' ') : std::string(1, c);
    ASSERT_EQ(ExpandTabs(line, tabWidth), expected) << i;
  }
  EXPECT_EQ(ExpandTabs("\t\ta\t", 2), "    a  ");
}

}  // namespace
}  // namespace quillet
