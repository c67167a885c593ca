// Cutting text into lines. Lines end only at a CR LF pair; a CR or LF on its
// own is an ordinary byte of its line. A text ending in CR LF yields no empty
// last piece (callers that want one add it).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillet {

// Splits text that arrives in pieces of any size, so a file can be cut while it
// is read; a CR LF pair may straddle two pieces. emit receives each line as a
// std::string&& of exactly its length.
template <class Emit>
class LineSplitter {
 public:
  explicit LineSplitter(Emit emit) : emit_(std::move(emit)) {}

  void Feed(std::string_view piece) {
    bytesSeen_ += piece.size();
    std::size_t start = 0;  // first byte of the unfinished line inside piece
    std::size_t from = 0;   // where to look for the next LF
    while (from < piece.size()) {
      const void* hit = std::memchr(piece.data() + from, '\n', piece.size() - from);
      if (hit == nullptr) break;
      const std::size_t lf = static_cast<std::size_t>(static_cast<const char*>(hit) - piece.data());
      from = lf + 1;
      if (lf > start) {
        if (piece[lf - 1] != '\r') continue;
        if (pending_.empty()) {
          emit_(std::string(piece.substr(start, lf - 1 - start)));
        } else {
          pending_.append(piece.substr(start, lf - 1 - start));
          EmitPending();
        }
      } else {
        // The LF opens this piece's part of the line: its CR, if any, ended the last piece.
        if (pending_.empty() || pending_.back() != '\r') continue;
        pending_.pop_back();
        EmitPending();
      }
      start = from;
    }
    pending_.append(piece.substr(start));
  }

  // Hands over the unfinished last line, if any.
  void Finish() {
    endsWithLineBreak_ = bytesSeen_ > 0 && pending_.empty();
    if (!pending_.empty()) EmitPending();
  }

  std::uint64_t BytesSeen() const { return bytesSeen_; }
  // After Finish: the text was not empty and its last two bytes were CR LF.
  bool EndsWithLineBreak() const { return endsWithLineBreak_; }

 private:
  void EmitPending() {
    emit_(std::string(pending_));  // a copy of exact size; pending_ keeps its buffer
    pending_.clear();
  }

  Emit emit_;
  std::string pending_;
  std::uint64_t bytesSeen_ = 0;
  bool endsWithLineBreak_ = false;
};

// The pieces of text, cut at every CR LF.
inline std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  LineSplitter splitter([&lines](std::string&& line) { lines.push_back(std::move(line)); });
  splitter.Feed(text);
  splitter.Finish();
  return lines;
}

}  // namespace quillet
