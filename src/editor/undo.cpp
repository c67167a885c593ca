// The undo history. Every change of the text is a splice of lines made inside
// a step; a step keeps what its splices replaced, so undoing any step is
// putting the removed lines back and redoing it putting the inserted ones back,
// with no code of its own for any kind of step.
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "editor/code_document.h"
#include "platform/edit_view.h"

namespace quillet {
namespace {

// Puts newLines (moved from) in the place of the count lines from first and
// hands over the lines they replaced.
std::vector<std::string> SpliceStore(LineStore& lines, int first, int count, std::span<std::string> newLines) {
  const int added = static_cast<int>(newLines.size());
  const auto rest = [&newLines](int from) {
    return std::vector<std::string>(std::make_move_iterator(newLines.begin() + from),
                                    std::make_move_iterator(newLines.end()));
  };
  if (count > added) {
    std::vector<std::string> replaced = lines.TakeLines(first, count);
    if (added > 0) lines.InsertLines(first, rest(0));
    return replaced;
  }
  std::vector<std::string> replaced;
  replaced.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    replaced.push_back(lines.SetLine(first + i, std::move(newLines[static_cast<std::size_t>(i)])));
  }
  if (added > count) lines.InsertLines(first + count, rest(count));
  return replaced;
}

// Whether the splices fit a text of lineCount lines when exchanged in this
// order. They always do while every change goes through the history; a text
// replaced behind its back is left alone rather than cut up.
// Reverse iterators rather than a reversed view: clang 14 (the fuzz build)
// cannot instantiate libstdc++ 12's views.
template <class It>
bool SplicesFit(It first, It last, int lineCount) {
  for (; first != last; ++first) {
    const LineSplice& s = *first;
    if (s.firstLine < 0 || s.linesInText < 0 || s.firstLine > lineCount - s.linesInText) return false;
    lineCount += static_cast<int>(s.lines.size()) - s.linesInText;
  }
  return true;
}

// Puts the splice's other side in the text and keeps the side it replaces:
// undo and redo are the same exchange, in opposite orders.
void Exchange(LineStore& lines, LineSplice& s) {
  const int present = s.linesInText;
  s.linesInText = static_cast<int>(s.lines.size());
  s.lines = SpliceStore(lines, s.firstLine, present, s.lines);
}

}  // namespace

void CodeDocument::BeginStep(UndoOp op) {
  if (stepDepth_++ > 0) return;
  step_ = UndoRecord{};
  step_.op = op;
  step_.before = CaptureViewState();
}

void CodeDocument::EndStep() noexcept {
  if (stepDepth_ == 0 || --stepDepth_ > 0) return;
  if (step_.splices.empty()) return;
  try {
    // A step made of whole lines may leave the caret or the selection past the text.
    caret = ClampToText(caret);
    if (hasSelection) {
      anchor = ClampToText(anchor);
      selEnd = ClampToText(selEnd);
    }
    modified = true;
    RecountLines();
    ScrollCaretIntoView();
    Invalidate();
    step_.after = CaptureViewState();
    PushUndo(std::move(step_));
  } catch (...) {
    ForgetHistory();  // out of memory recording it: the change stands
  }
  step_ = UndoRecord{};
}

// After a change that could not be recorded or taken back whole, no step of
// the history leads back from the text any more.
void CodeDocument::ForgetHistory() noexcept {
  undoHistory.clear();
  undoPos = 0;
  cleanUndoPos = -1;
  step_.splices.clear();
}

void CodeDocument::ReplaceLines(int first, int count, std::vector<std::string> newLines) {
  Splice(first, count, newLines);
}

void CodeDocument::ReplaceLine(int line, std::string text) { Splice(line, 1, std::span<std::string>(&text, 1)); }

// The step's last splice covers lines [start, start + linesInText) of the text
// now. A change that meets or touches them widens that splice; one elsewhere
// starts a new splice.
void CodeDocument::Splice(int first, int count, std::span<std::string> newLines) {
  if (first < 0 || count < 0 || first > lines.size() - count || (count == 0 && newLines.empty())) return;
  std::string emptyLine;
  if (count == lines.size() && newLines.empty()) newLines = {&emptyLine, 1};  // every edit needs a line to stand on
  if (stepDepth_ == 0) {
    EditStep step(*this, UndoOp::Replacement);
    Splice(first, count, newLines);
    return;
  }
  try {
    RecordSplice(first, count, newLines);
  } catch (...) {
    ForgetHistory();  // out of memory with the change perhaps half made
    throw;
  }
}

void CodeDocument::RecordSplice(int first, int count, std::span<std::string> newLines) {
  const int added = static_cast<int>(newLines.size());
  std::vector<LineSplice>& splices = step_.splices;
  if (splices.empty() || first > splices.back().firstLine + splices.back().linesInText ||
      first + count < splices.back().firstLine) {
    splices.emplace_back();
    splices.back() = {first, added, SpliceStore(lines, first, count, newLines)};
    return;
  }
  LineSplice& last = splices.back();
  const int start = last.firstLine;
  const int end = start + last.linesInText;
  last.lines.reserve(last.lines.size() + static_cast<std::size_t>(count));
  std::vector<std::string> replaced = SpliceStore(lines, first, count, newLines);
  // The replaced lines outside the span are lines the step had not touched yet.
  if (first + count > end) {
    last.lines.insert(last.lines.end(), std::make_move_iterator(replaced.begin() + (end - first)),
                      std::make_move_iterator(replaced.end()));
  }
  if (first < start) {
    last.lines.insert(last.lines.begin(), std::make_move_iterator(replaced.begin()),
                      std::make_move_iterator(replaced.begin() + (start - first)));
  }
  last.firstLine = std::min(start, first);
  last.linesInText = std::max(end, first + count) - last.firstLine - count + added;
}

ViewState CodeDocument::CaptureViewState() const {
  ViewState state;
  static_cast<EditState&>(state) = *this;
  state.topLine = GetTopLine();
  state.horizontalScroll = view_->GetScrollPos(ScrollBar::Horizontal);
  return state;
}

// Recounting first gives the scroll bars the ranges the positions were taken in.
void CodeDocument::RestoreViewState(const ViewState& state) {
  static_cast<EditState&>(*this) = state;
  RecountLines();
  SetTopLine(state.topLine, false);
  SetHorizontalScroll(state.horizontalScroll, false);
}

void CodeDocument::PushUndo(UndoRecord record) {
  if (static_cast<std::int32_t>(undoHistory.size()) > undoPos) {
    // A new step ends the redo chain, and with it any saved text beyond this point.
    undoHistory.erase(undoHistory.begin() + undoPos, undoHistory.end());
    if (cleanUndoPos > undoPos) cleanUndoPos = -1;
  }
  if (!record.before.modified) cleanUndoPos = undoPos;
  undoHistory.push_back(std::move(record));
  ++undoPos;
  while (undoPos > undoLimit && !undoHistory.empty()) {
    undoHistory.pop_front();
    --undoPos;
    cleanUndoPos = cleanUndoPos > 0 ? cleanUndoPos - 1 : -1;
  }
}

void CodeDocument::Undo() {
  if (!CanUndo() || StepIsOpen()) return;
  UndoRecord& r = undoHistory[static_cast<std::size_t>(undoPos - 1)];
  if (!SplicesFit(r.splices.rbegin(), r.splices.rend(), lines.size())) return;
  // An unmodified text here is the saved one (a save leaves no step behind).
  if (!modified) cleanUndoPos = undoPos;
  try {
    for (auto s = r.splices.rbegin(); s != r.splices.rend(); ++s) Exchange(lines, *s);
  } catch (...) {
    ForgetHistory();
    throw;
  }
  RestoreViewState(r.before);
  --undoPos;
  modified = undoPos != cleanUndoPos;
  ScrollCaretIntoView();
  Invalidate();
}

void CodeDocument::Redo() {
  if (!CanRedo() || StepIsOpen()) return;
  UndoRecord& r = undoHistory[static_cast<std::size_t>(undoPos)];
  if (!SplicesFit(r.splices.begin(), r.splices.end(), lines.size())) return;
  if (!modified) cleanUndoPos = undoPos;
  try {
    for (LineSplice& s : r.splices) Exchange(lines, s);
  } catch (...) {
    ForgetHistory();
    throw;
  }
  RestoreViewState(r.after);
  ++undoPos;
  modified = undoPos != cleanUndoPos;
  ScrollCaretIntoView();
  Invalidate();
}

}  // namespace quillet
