#include "editor/line_store.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

namespace quillet {
namespace {

// Moves items into runs of about fill each, their sizes as even as possible.
template <class T>
std::vector<std::vector<T>> CutEvenly(std::vector<T> items, int fill) {
  const std::size_t total = items.size();
  const std::size_t runs = (total + static_cast<std::size_t>(fill) - 1) / static_cast<std::size_t>(fill);
  std::vector<std::vector<T>> out(runs);
  auto from = items.begin();
  for (std::size_t i = 0; i < runs; ++i) {
    const auto size = static_cast<std::ptrdiff_t>(total / runs + (i < total % runs ? 1 : 0));
    out[i].assign(std::make_move_iterator(from), std::make_move_iterator(from + size));
    from += size;
  }
  return out;
}

// Which pair (given by its left member) a run smaller than min should join:
// the next one or else the previous one, when the two fit within max. -1: none.
template <class Run>
int MergePartner(const std::vector<Run>& runs, int i, int min, int max) {
  const int size = runs[i].size();
  if (size >= min) return -1;
  if (i + 1 < static_cast<int>(runs.size()) && size + runs[i + 1].size() <= max) return i;
  if (i > 0 && runs[i - 1].size() + size <= max) return i - 1;
  return -1;
}

}  // namespace

std::int64_t DisplayWidth(std::string_view line, int tabWidth) {
  // TABs are few and mostly leading; memchr skips the rest of the line quickly.
  std::int64_t tabs = 0;
  const char* p = line.data();
  const char* end = p + line.size();
  while (p != end && (p = static_cast<const char*>(std::memchr(p, '\t', static_cast<std::size_t>(end - p))))) {
    ++tabs;
    ++p;
  }
  return static_cast<std::int64_t>(line.size()) + tabs * (tabWidth - 1);
}

// ---- finding lines ----

const std::string& LineStore::Line(int index) const {
  const Place place = Locate(index);
  return groups_[place.group].blocks[place.block].lines[place.offset];
}

LineStore::Place LineStore::Locate(int index) const {
  assert(index >= 0 && index < count_);
  // Lines are mostly visited in order: first a remembered block, then a
  // neighbour of one, and only then a search.
  ++clock_;
  for (Spot& spot : spots_) {
    if (spot.group >= 0 && index >= spot.start &&
        index < spot.start + groups_[spot.group].blocks[spot.block].size()) {
      spot.used = clock_;
      return {spot.group, spot.block, index - spot.start, spot.start};
    }
  }
  return LocateFar(index);
}

// The line is in no remembered block: its block, found from a neighbour or
// by searching, takes the place of the least recently used one.
LineStore::Place LineStore::LocateFar(int index) const {
  Place place;
  bool found = false;
  for (const Spot& spot : spots_) {
    if (spot.group >= 0 && LocateNext(spot, index, place)) {
      found = true;
      break;
    }
  }
  if (!found) place = Search(index);
  Spot& oldest = *std::min_element(spots_.begin(), spots_.end(),
                                   [](const Spot& a, const Spot& b) { return a.used < b.used; });
  oldest = {place.group, place.block, place.start, clock_};
  return place;
}

LineStore::Place LineStore::Search(int index) const {
  int group = 0;
  int start = 0;
  while (index >= start + groups_[group].count) start += groups_[group++].count;
  const std::vector<Block>& blocks = groups_[group].blocks;
  int block = 0;
  while (index >= start + blocks[block].size()) start += blocks[block++].size();
  return {group, block, index - start, start};
}

// Finds the line when it is in the block just after or just before the spot's.
bool LineStore::LocateNext(const Spot& spot, int index, Place& place) const {
  int group = spot.group;
  int block = spot.block;
  int start = spot.start;
  if (index >= start) {
    start += groups_[group].blocks[block].size();
    if (++block == groups_[group].size()) {
      block = 0;
      ++group;
    }
    if (group == GroupCount() || index >= start + groups_[group].blocks[block].size()) return false;
  } else {
    if (group == 0 && block == 0) return false;
    if (--block < 0) block = groups_[--group].size() - 1;
    start -= groups_[group].blocks[block].size();
    if (index < start) return false;
  }
  place = {group, block, index - start, start};
  return true;
}

// Just after the last line.
LineStore::Place LineStore::EndPlace() const {
  const Group& group = groups_.back();
  const int size = group.blocks.back().size();
  return {GroupCount() - 1, group.size() - 1, size, count_ - size};
}

void LineStore::ShiftSpots(const Place& place, int delta) {
  for (Spot& spot : spots_) {
    const bool later = spot.group > place.group || (spot.group == place.group && spot.block > place.block);
    if (later) spot.start += delta;
  }
}

void LineStore::Forget(int group, int block) const {
  for (Spot& spot : spots_) {
    if (spot.group > group || (spot.group == group && spot.block >= block)) spot = {};
  }
}

int LineStore::BlockCount() const {
  int blocks = 0;
  for (const Group& group : groups_) blocks += group.size();
  return blocks;
}

// ---- widths ----

// The line at place now has this width (the offsets of the others already adjusted).
void LineStore::NoteWidth(const Place& place, std::int64_t width) {
  Block& block = groups_[place.group].blocks[place.block];
  if (block.stale) return;
  block.widest.Offer(width, place.offset);
  Group& group = groups_[place.group];
  if (!group.stale) group.widest.Offer(block.widest.width, place.block);
}

// The block's widest line may have narrowed: measure it again when asked.
void LineStore::MarkStale(const Place& place) {
  groups_[place.group].blocks[place.block].stale = true;
  groups_[place.group].stale = true;
}

void LineStore::Refresh(const Group& group) const {
  group.widest = {};
  for (int b = 0; b < group.size(); ++b) {
    const Block& block = group.blocks[b];
    if (block.stale) {
      block.widest = {};
      for (int i = 0; i < block.size(); ++i) block.widest.Offer(DisplayWidth(block.lines[i], tabWidth_), i);
      block.stale = false;
    }
    group.widest.Offer(block.widest.width, b);
  }
  group.stale = false;
}

LineStore::Widest LineStore::FindWidest(int tabWidth) const {
  if (tabWidth != tabWidth_) {
    tabWidth_ = tabWidth;
    widestKnown_ = false;
    for (const Group& group : groups_) {
      group.stale = true;
      for (const Block& block : group.blocks) block.stale = true;
    }
  }
  if (!widestKnown_) {
    widest_ = {};
    int start = 0;
    for (const Group& group : groups_) {
      if (group.stale) Refresh(group);
      if (group.widest.width > widest_.width) {
        int index = start;
        for (int b = 0; b < group.widest.at; ++b) index += group.blocks[b].size();
        widest_ = {group.widest.width, index + group.blocks[group.widest.at].widest.at};
      }
      start += group.count;
    }
    widestKnown_ = count_ > 0;
  }
  if (!widestKnown_) return {};
  return {widest_.width, widest_.at};
}

// ---- changing lines ----

std::string LineStore::SetLine(int index, std::string text) {
  const Place place = Locate(index);
  Block& block = groups_[place.group].blocks[place.block];
  if (widestKnown_ || !block.stale) {
    const std::int64_t width = DisplayWidth(text, tabWidth_);
    if (widestKnown_) {
      if (index == widest_.at && width < widest_.width) {
        widestKnown_ = false;
      } else {
        widest_.Offer(width, index);
      }
    }
    if (!block.stale) {
      if (place.offset == block.widest.at && width < block.widest.width) {
        MarkStale(place);
      } else {
        NoteWidth(place, width);
      }
    }
  }
  return std::exchange(block.lines[place.offset], std::move(text));
}

void LineStore::InsertLine(int at, std::string text) {
  std::vector<std::string> one;
  one.push_back(std::move(text));
  InsertLines(at, std::move(one));
}

void LineStore::InsertLines(int at, std::vector<std::string> lines) {
  assert(at >= 0 && at <= count_);
  const int added = static_cast<int>(lines.size());
  if (added == 0) return;
  if (groups_.empty()) {
    Assign(std::move(lines));
    return;
  }
  const Place place = at == count_ ? EndPlace() : Locate(at);
  Group& group = groups_[place.group];
  Block& block = group.blocks[place.block];
  count_ += added;
  group.count += added;
  const bool inPlace = block.size() + added <= limits_.maxBlockLines;
  const bool blockKnown = inPlace && !block.stale;
  if (blockKnown && block.widest.at >= place.offset) block.widest.at += added;
  if (widestKnown_ && widest_.at >= at) widest_.at += added;
  if (blockKnown || widestKnown_) {
    for (int i = 0; i < added; ++i) {
      const std::int64_t width = DisplayWidth(lines[i], tabWidth_);
      if (widestKnown_) widest_.Offer(width, at + i);
      if (blockKnown) NoteWidth({place.group, place.block, place.offset + i, place.start}, width);
    }
  }
  auto first = std::make_move_iterator(lines.begin());
  auto last = std::make_move_iterator(lines.end());
  if (inPlace) {
    block.lines.insert(block.lines.begin() + place.offset, first, last);
    ShiftSpots(place, added);
    return;
  }
  // Too many for the block: lay out its lines and the new ones in fresh blocks.
  std::vector<std::string> all;
  all.reserve(static_cast<std::size_t>(block.size() + added));
  const auto split = block.lines.begin() + place.offset;
  all.insert(all.end(), std::make_move_iterator(block.lines.begin()), std::make_move_iterator(split));
  all.insert(all.end(), first, last);
  all.insert(all.end(), std::make_move_iterator(split), std::make_move_iterator(block.lines.end()));
  ReplaceBlock(place.group, place.block, std::move(all));
}

void LineStore::EraseLines(int at, int count) {
  assert(at >= 0 && count >= 0 && at + count <= count_);
  if (widestKnown_ && widest_.at >= at) {
    if (widest_.at >= at + count) {
      widest_.at -= count;
    } else {
      widestKnown_ = false;
    }
  }
  int left = count;
  while (left > 0) {
    const Place place = Locate(at);
    Group& group = groups_[place.group];
    if (place.offset == 0 && place.block == 0 && left >= group.count) {
      // Whole groups.
      int end = place.group;
      int lines = 0;
      while (end < GroupCount() && lines + groups_[end].count <= left) lines += groups_[end++].count;
      groups_.erase(groups_.begin() + place.group, groups_.begin() + end);
      left -= lines;
      Forget(place.group, 0);
    } else if (place.offset == 0 && left >= group.blocks[place.block].size()) {
      // Whole blocks, never all of the group's.
      int end = place.block;
      int lines = 0;
      while (end < group.size() && lines + group.blocks[end].size() <= left) lines += group.blocks[end++].size();
      group.blocks.erase(group.blocks.begin() + place.block, group.blocks.begin() + end);
      group.count -= lines;
      group.stale = true;
      left -= lines;
      Forget(place.group, place.block);
    } else {
      // Part of one block.
      Block& block = group.blocks[place.block];
      const int take = std::min(left, block.size() - place.offset);
      if (!block.stale) {
        if (block.widest.at >= place.offset + take) {
          block.widest.at -= take;
        } else if (block.widest.at >= place.offset) {
          MarkStale(place);
        }
      }
      block.lines.erase(block.lines.begin() + place.offset, block.lines.begin() + place.offset + take);
      group.count -= take;
      left -= take;
      ShiftSpots(place, -take);
    }
  }
  count_ -= count;
  // The blocks on both sides of the gap may now be small.
  for (int line : {at, at - 1}) {
    if (line < 0 || line >= count_) continue;
    Place place = Locate(line);
    MergeBlockIfSmall(place.group, place.block);
    place = Locate(line);
    MergeGroupIfSmall(place.group);
  }
}

std::vector<std::string> LineStore::TakeLines(int at, int count) {
  assert(at >= 0 && count >= 0 && at + count <= count_);
  std::vector<std::string> taken;
  taken.reserve(static_cast<std::size_t>(count));
  if (count == 0) return taken;
  // Block by block; EraseLines then drops the emptied lines.
  Place place = Locate(at);
  for (int left = count; left > 0;) {
    std::vector<std::string>& from = groups_[place.group].blocks[place.block].lines;
    const int take = std::min(left, static_cast<int>(from.size()) - place.offset);
    taken.insert(taken.end(), std::make_move_iterator(from.begin() + place.offset),
                 std::make_move_iterator(from.begin() + place.offset + take));
    left -= take;
    place.offset = 0;
    if (++place.block == groups_[place.group].size()) {
      place.block = 0;
      ++place.group;
    }
  }
  EraseLines(at, count);
  return taken;
}

void LineStore::PushBack(std::string text) {
  if (groups_.empty() || groups_.back().blocks.back().size() >= limits_.fillBlockLines) {
    if (groups_.empty() || groups_.back().size() >= limits_.fillGroupBlocks) groups_.emplace_back();
    Group& group = groups_.back();
    group.blocks.emplace_back();
    group.blocks.back().lines.reserve(static_cast<std::size_t>(limits_.fillBlockLines));
    group.stale = true;
  }
  Group& group = groups_.back();
  Block& block = group.blocks.back();
  if (widestKnown_ || !block.stale) {
    const std::int64_t width = DisplayWidth(text, tabWidth_);
    if (widestKnown_) widest_.Offer(width, count_);
    NoteWidth({GroupCount() - 1, group.size() - 1, block.size(), count_ - block.size()}, width);
  }
  block.lines.push_back(std::move(text));
  ++group.count;
  ++count_;
}

void LineStore::Assign(std::vector<std::string> lines) {
  count_ = static_cast<int>(lines.size());
  std::vector<std::vector<Block>> runs = CutEvenly(MakeBlocks(std::move(lines)), limits_.fillGroupBlocks);
  groups_.clear();
  groups_.resize(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    groups_[i].blocks = std::move(runs[i]);
    for (const Block& block : groups_[i].blocks) groups_[i].count += block.size();
  }
  widestKnown_ = false;
  ForgetAll();
}

void LineStore::Clear() {
  groups_.clear();
  count_ = 0;
  widestKnown_ = false;
  ForgetAll();
}

// ---- reshaping blocks and groups ----

std::vector<LineStore::Block> LineStore::MakeBlocks(std::vector<std::string> lines) const {
  std::vector<std::vector<std::string>> runs = CutEvenly(std::move(lines), limits_.fillBlockLines);
  std::vector<Block> blocks(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) blocks[i].lines = std::move(runs[i]);
  return blocks;
}

// The group's line count already includes the lines.
void LineStore::ReplaceBlock(int group, int block, std::vector<std::string> lines) {
  std::vector<Block> fresh = MakeBlocks(std::move(lines));
  std::vector<Block>& blocks = groups_[group].blocks;
  blocks[block] = std::move(fresh.front());
  blocks.insert(blocks.begin() + block + 1, std::make_move_iterator(fresh.begin() + 1),
                std::make_move_iterator(fresh.end()));
  groups_[group].stale = true;
  Forget(group, block + 1);  // the block keeps its start
  SplitGroupIfFull(group);
}

void LineStore::SplitGroupIfFull(int group) {
  if (groups_[group].size() <= limits_.maxGroupBlocks) return;
  std::vector<std::vector<Block>> runs = CutEvenly(std::move(groups_[group].blocks), limits_.fillGroupBlocks);
  std::vector<Group> fresh(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    fresh[i].blocks = std::move(runs[i]);
    for (const Block& block : fresh[i].blocks) fresh[i].count += block.size();
  }
  groups_[group] = std::move(fresh.front());
  groups_.insert(groups_.begin() + group + 1, std::make_move_iterator(fresh.begin() + 1),
                 std::make_move_iterator(fresh.end()));
  Forget(group, groups_[group].size());
}

// Joins a small block with a neighbour in its group when the two fit in one.
void LineStore::MergeBlockIfSmall(int group, int block) {
  std::vector<Block>& blocks = groups_[group].blocks;
  const int left = MergePartner(blocks, block, limits_.minBlockLines, limits_.maxBlockLines);
  if (left < 0) return;
  Block& into = blocks[left];
  Block& from = blocks[left + 1];
  if (from.stale) {
    into.stale = true;
  } else if (!into.stale) {
    into.widest.Offer(from.widest.width, into.size() + from.widest.at);
  }
  into.lines.insert(into.lines.end(), std::make_move_iterator(from.lines.begin()),
                    std::make_move_iterator(from.lines.end()));
  blocks.erase(blocks.begin() + left + 1);
  groups_[group].stale = true;
  Forget(group, left + 1);
}

// Joins a small group with a neighbour when the two fit in one.
void LineStore::MergeGroupIfSmall(int group) {
  const int left = MergePartner(groups_, group, limits_.minGroupBlocks, limits_.maxGroupBlocks);
  if (left < 0) return;
  Group& into = groups_[left];
  Group& from = groups_[left + 1];
  into.blocks.insert(into.blocks.end(), std::make_move_iterator(from.blocks.begin()),
                     std::make_move_iterator(from.blocks.end()));
  into.count += from.count;
  into.stale = true;
  groups_.erase(groups_.begin() + left + 1);
  Forget(left + 1, 0);
}

// ---- iteration ----

LineStore::const_iterator LineStore::begin() const { return const_iterator(this, 0, 0, 0); }

LineStore::const_iterator LineStore::end() const { return const_iterator(this, GroupCount(), 0, 0); }

LineStore::const_iterator LineStore::IteratorAt(int index) const {
  if (index == count_) return end();
  const Place place = Locate(index);
  return const_iterator(this, place.group, place.block, place.offset);
}

}  // namespace quillet
