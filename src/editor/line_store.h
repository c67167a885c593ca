// The lines of a document, each a byte string without its line end.
//
// Lines live in small blocks and blocks in groups, so an edit anywhere in a
// document of millions of lines moves at most one block's lines and one
// group's blocks: typing, Enter or a paste cost about the same in a
// 100-line and a 1,000,000-line document. The blocks of the last few lines
// looked up are remembered, so a keystroke's lines (the caret's, the widest)
// and a walk through neighbouring lines are found without searching. The
// document's widest line is followed through edits; when it narrows or goes
// away, the widest line is found again from what each group and block
// remembers of its own widest, re-measuring only the blocks that changed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Display width of a line in columns: every byte is one column, a TAB is tabWidth.
std::int64_t DisplayWidth(std::string_view line, int tabWidth);

class LineStore {
 public:
  // Sizes of blocks (in lines) and groups (in blocks). A block or group grows
  // up to max, is built fill full, and merges with a neighbour below min.
  struct Limits {
    int maxBlockLines = 128;
    int fillBlockLines = 96;
    int minBlockLines = 24;
    int maxGroupBlocks = 256;
    int fillGroupBlocks = 192;
    int minGroupBlocks = 48;
  };

  struct Widest {
    std::int64_t width = 0;
    int index = -1;  // first line of that width; -1 when there are no lines
  };

  class const_iterator;

  LineStore() = default;
  explicit LineStore(Limits limits) : limits_(limits) {}
  explicit LineStore(std::vector<std::string> lines) { Assign(std::move(lines)); }

  int size() const { return count_; }
  bool empty() const { return count_ == 0; }

  const std::string& operator[](int index) const { return Line(index); }
  const std::string& Line(int index) const;

  // Returns the line's former text.
  std::string SetLine(int index, std::string text);
  void InsertLine(int at, std::string text);
  void InsertLines(int at, std::vector<std::string> lines);
  void EraseLines(int at, int count);
  // Removes count lines from at and hands them over.
  std::vector<std::string> TakeLines(int at, int count);
  void PushBack(std::string text);
  void Assign(std::vector<std::string> lines);
  void Clear();

  // The first of the widest lines for this TAB width. Only what changed since
  // the last call (everything, when the TAB width changed) is re-measured.
  Widest FindWidest(int tabWidth) const;

  const_iterator begin() const;
  const_iterator end() const;
  const_iterator IteratorAt(int index) const;

  int BlockCount() const;
  int GroupCount() const { return static_cast<int>(groups_.size()); }

 private:
  // The first widest of some lines, blocks or groups: at is the position of it.
  struct WidestMark {
    std::int64_t width = -1;
    int at = 0;
    void Offer(std::int64_t w, int position) {
      if (w > width || (w == width && position < at)) {
        width = w;
        at = position;
      }
    }
  };
  struct Block {
    std::vector<std::string> lines;
    // Widest line (at: offset in the block), measured with tabWidth_; valid only while !stale.
    mutable WidestMark widest;
    mutable bool stale = true;
    int size() const { return static_cast<int>(lines.size()); }
  };
  // A stale block always sits in a stale group.
  struct Group {
    std::vector<Block> blocks;
    int count = 0;  // lines in all its blocks
    mutable WidestMark widest;  // at: the block
    mutable bool stale = true;
    int size() const { return static_cast<int>(blocks.size()); }
  };
  struct Place {
    int group;
    int block;
    int offset;  // of the line in its block
    int start;   // index of the block's first line
  };

  // A remembered block: where it is and the index of its first line.
  struct Spot {
    int group = -1;  // -1: none
    int block = 0;
    int start = 0;
    std::uint64_t used = 0;  // when last found: the least recent one makes room
  };
  // Enough for a keystroke's far-apart lines plus a walk through the visible ones.
  static constexpr int kSpots = 4;

  Place Locate(int index) const;
  Place LocateFar(int index) const;
  bool LocateNext(const Spot& spot, int index, Place& place) const;
  Place Search(int index) const;
  Place EndPlace() const;
  // Lines were added (or, delta < 0, removed) within the place's block: later blocks start elsewhere.
  void ShiftSpots(const Place& place, int delta);
  // This block and the later ones were renumbered or moved.
  void Forget(int group, int block) const;
  void ForgetAll() const { Forget(0, 0); }

  void NoteWidth(const Place& place, std::int64_t width);
  void MarkStale(const Place& place);
  void Refresh(const Group& group) const;

  void ReplaceBlock(int group, int block, std::vector<std::string> lines);
  void SplitGroupIfFull(int group);
  void MergeBlockIfSmall(int group, int block);
  void MergeGroupIfSmall(int group);
  std::vector<Block> MakeBlocks(std::vector<std::string> lines) const;

  Limits limits_;
  std::vector<Group> groups_;
  int count_ = 0;
  mutable int tabWidth_ = -1;  // the TAB width the summaries were measured with
  // The document's widest line, kept across edits until one makes it unknown
  // (the widest line narrowed or went away, or the TAB width changed).
  mutable WidestMark widest_;
  mutable bool widestKnown_ = false;
  // The blocks found lately.
  mutable std::array<Spot, kSpots> spots_{};
  mutable std::uint64_t clock_ = 0;  // counts look-ups, to date the spots

  friend class const_iterator;
};

class LineStore::const_iterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = std::string;
  using difference_type = std::ptrdiff_t;
  using pointer = const std::string*;
  using reference = const std::string&;

  const_iterator() = default;
  reference operator*() const { return store_->groups_[group_].blocks[block_].lines[offset_]; }
  pointer operator->() const { return &**this; }
  const_iterator& operator++() {
    const Group& group = store_->groups_[group_];
    if (++offset_ == group.blocks[block_].size()) {
      offset_ = 0;
      if (++block_ == group.size()) {
        block_ = 0;
        ++group_;
      }
    }
    return *this;
  }
  const_iterator operator++(int) {
    const_iterator before = *this;
    ++*this;
    return before;
  }
  bool operator==(const const_iterator& other) const {
    return group_ == other.group_ && block_ == other.block_ && offset_ == other.offset_;
  }

 private:
  friend class LineStore;
  const_iterator(const LineStore* store, int group, int block, int offset)
      : store_(store), group_(group), block_(block), offset_(offset) {}
  const LineStore* store_ = nullptr;
  int group_ = 0;
  int block_ = 0;
  int offset_ = 0;
};

}  // namespace quillet
