// The undo history. Every change of the text is a splice of lines made inside
// a step; a step records what its splices removed and inserted, so undoing any
// step is putting the removed lines back and redoing it putting the inserted
// ones back, with no code of its own for any kind of step.
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>

#include "editor/code_document.h"
#include "platform/edit_view.h"

namespace quillet {
namespace {

// Puts newLines in the place of count lines from first; the lines replaced are
// moved (or, where lines are only removed, copied) into replaced when it is given.
void SpliceStore(LineStore& lines, int first, int count, std::span<std::string> newLines,
                 std::vector<std::string>* replaced) {
  const int added = static_cast<int>(newLines.size());
  const int common = std::min(count, added);
  if (replaced != nullptr) replaced->reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < common; ++i) {
    std::string former = lines.SetLine(first + i, std::move(newLines[static_cast<std::size_t>(i)]));
    if (replaced != nullptr) replaced->push_back(std::move(former));
  }
  if (count > common) {
    if (replaced != nullptr) {
      const auto from = lines.IteratorAt(first + common);
      replaced->insert(replaced->end(), from, std::next(from, count - common));
    }
    lines.EraseLines(first + common, count - common);
  } else if (added > common) {
    lines.InsertLines(first + common, std::vector<std::string>(std::make_move_iterator(newLines.begin() + common),
                                                               std::make_move_iterator(newLines.end())));
  }
}

// Whether the splices fit a text of lineCount lines, taken back (undo) or
// made again (redo) in their order. They always do while every change goes
// through the history; a text replaced behind its back is left alone.
bool SplicesFit(const UndoRecord& r, int lineCount, bool undo) {
  auto fits = [&lineCount](const LineSplice& s, const std::vector<std::string>& now,
                           const std::vector<std::string>& then) {
    const int present = static_cast<int>(now.size());
    if (s.firstLine < 0 || s.firstLine + present > lineCount) return false;
    lineCount += static_cast<int>(then.size()) - present;
    return true;
  };
  if (undo) {
    return std::all_of(r.splices.rbegin(), r.splices.rend(),
                       [&fits](const LineSplice& s) { return fits(s, s.inserted, s.removed); });
  }
  return std::all_of(r.splices.begin(), r.splices.end(),
                     [&fits](const LineSplice& s) { return fits(s, s.removed, s.inserted); });
}

// Replaces the splice's lines as they are now by a copy of them as they were then.
void PutBack(LineStore& lines, const LineSplice& s, const std::vector<std::string>& now,
             const std::vector<std::string>& then) {
  const int count = static_cast<int>(now.size());
  if (then.size() == 1) {  // most steps: no list to build for one line
    std::string line = then.front();
    SpliceStore(lines, s.firstLine, count, std::span<std::string>(&line, 1), nullptr);
    return;
  }
  std::vector<std::string> copy = then;
  SpliceStore(lines, s.firstLine, count, copy, nullptr);
}

}  // namespace

void CodeDocument::BeginStep(UndoOp op) {
  if (stepDepth_++ > 0) return;
  step_ = UndoRecord{};
  step_.op = op;
  step_.before = CaptureViewState();
  stepSpanLines_ = 0;
}

void CodeDocument::EndStep() noexcept {
  if (stepDepth_ == 0 || --stepDepth_ > 0) return;
  if (step_.splices.empty()) return;
  try {
    CloseSplice();
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
    // Out of memory recording it: the change stands, but the history no
    // longer leads back from this text, so none is kept.
    undoHistory.clear();
    undoPos = 0;
    cleanUndoPos = -1;
  }
  step_ = UndoRecord{};
}

void CodeDocument::ReplaceLines(int first, int count, std::vector<std::string> newLines) {
  Splice(first, count, newLines);
}

void CodeDocument::ReplaceLine(int line, std::string text) { Splice(line, 1, std::span<std::string>(&text, 1)); }

// The step's last splice covers lines [start, start + stepSpanLines_) of the
// text now. A change that meets or touches them widens that splice; one
// elsewhere starts a new splice, and the last one's lines are final.
void CodeDocument::Splice(int first, int count, std::span<std::string> newLines) {
  if (first < 0 || count < 0 || first > lines.size() - count || (count == 0 && newLines.empty())) return;
  std::string emptyLine;
  if (count == lines.size() && newLines.empty()) newLines = {&emptyLine, 1};  // every edit needs a line to stand on
  if (stepDepth_ == 0) {
    EditStep step(*this, UndoOp::Replacement);
    Splice(first, count, newLines);
    return;
  }
  const int added = static_cast<int>(newLines.size());
  std::vector<LineSplice>& splices = step_.splices;
  const int start = splices.empty() ? 0 : splices.back().firstLine;
  const int end = start + stepSpanLines_;
  if (splices.empty() || first > end || first + count < start) {
    if (!splices.empty()) CloseSplice();
    std::vector<std::string> replaced;
    SpliceStore(lines, first, count, newLines, &replaced);
    splices.push_back({first, std::move(replaced), {}});
    stepSpanLines_ = added;
    return;
  }
  std::vector<std::string> replaced;
  SpliceStore(lines, first, count, newLines, &replaced);
  // The replaced lines outside the span are lines the step had not touched yet.
  std::vector<std::string>& removed = splices.back().removed;
  if (first + count > end) {
    removed.insert(removed.end(), std::make_move_iterator(replaced.begin() + (end - first)),
                   std::make_move_iterator(replaced.end()));
  }
  if (first < start) {
    removed.insert(removed.begin(), std::make_move_iterator(replaced.begin()),
                   std::make_move_iterator(replaced.begin() + (start - first)));
  }
  const int newStart = std::min(start, first);
  stepSpanLines_ = std::max(end, first + count) - newStart - count + added;
  splices.back().firstLine = newStart;
}

// The last splice's lines are what the step leaves there.
void CodeDocument::CloseSplice() {
  LineSplice& last = step_.splices.back();
  const auto from = lines.IteratorAt(last.firstLine);
  last.inserted.assign(from, std::next(from, stepSpanLines_));
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
  const UndoRecord& r = undoHistory[static_cast<std::size_t>(undoPos - 1)];
  if (!SplicesFit(r, lines.size(), true)) return;
  // An unmodified text here is the saved one (a save leaves no step behind).
  if (!modified) cleanUndoPos = undoPos;
  for (auto s = r.splices.rbegin(); s != r.splices.rend(); ++s) PutBack(lines, *s, s->inserted, s->removed);
  RestoreViewState(r.before);
  --undoPos;
  modified = undoPos != cleanUndoPos;
  ScrollCaretIntoView();
  Invalidate();
}

void CodeDocument::Redo() {
  if (!CanRedo() || StepIsOpen()) return;
  const UndoRecord& r = undoHistory[static_cast<std::size_t>(undoPos)];
  if (!SplicesFit(r, lines.size(), false)) return;
  if (!modified) cleanUndoPos = undoPos;
  for (const LineSplice& s : r.splices) PutBack(lines, s, s.removed, s.inserted);
  RestoreViewState(r.after);
  ++undoPos;
  modified = undoPos != cleanUndoPos;
  ScrollCaretIntoView();
  Invalidate();
}

}  // namespace quillet
