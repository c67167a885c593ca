// The undo history: each record holds what its step changed and the view as it
// was before it, so a step is taken back by reversing the change and restoring
// the view, and repeated by running the same operation again without recording.
#include <string>
#include <utility>

#include "editor/code_document.h"
#include "platform/edit_view.h"

namespace quillet {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

void InsertInto(LineStore& lines, int line, int col, std::string_view bytes) {
  std::string text = lines[line];
  text.insert(static_cast<std::size_t>(col), bytes);
  lines.SetLine(line, std::move(text));
}

void SplitLineAt(LineStore& lines, int line, int col) {
  const std::string& text = lines[line];
  std::string rest = text.substr(static_cast<std::size_t>(col));
  lines.SetLine(line, text.substr(0, static_cast<std::size_t>(col)));
  lines.InsertLine(line + 1, std::move(rest));
}

// Takes back the text change of a step; the view is restored afterwards.
void ReverseStep(CodeDocument& doc, const UndoRecord& r) {
  LineStore& lines = doc.lines;
  const int line = r.caret.line;
  switch (r.op) {
    case 1: {
      std::string next = lines[line + 1];
      const auto n = static_cast<std::size_t>(r.indent);
      if (n > 0 && next.compare(0, n, std::string(n, '\t')) == 0) next.erase(0, n);
      lines.SetLine(line, lines[line] + next);
      lines.EraseLines(line + 1, 1);
      break;
    }
    case 2:
      if (r.text == kLineBreak) {
        SplitLineAt(lines, line - 1, r.joinColumn);
      } else {
        InsertInto(lines, line, r.caret.col - static_cast<int>(r.text.size()), r.text);
      }
      break;
    case 3: {
      std::string text = lines[line];
      text.erase(static_cast<std::size_t>(r.caret.col), r.text.size());
      lines.SetLine(line, std::move(text));
      break;
    }
    case 4:
      if (r.text == kLineBreak) {
        SplitLineAt(lines, line, r.caret.col);
      } else {
        InsertInto(lines, line, r.caret.col, r.text);
      }
      break;
    case 6:
      lines.SetLine(line, r.formerLine);
      if (r.pieceCount > 1) lines.EraseLines(line + 1, r.pieceCount - 1);
      break;
    case 7:
      doc.replayReplacement(r, false);
      break;
    default:  // 5: the deleted selection comes back with the view state
      break;
  }
}

// Brings the caret into view and repaints, after a step whose own operation does not.
void EndReplay(CodeDocument& doc) {
  doc.RecountLines();
  doc.ScrollCaretIntoView();
  doc.Invalidate();
}

}  // namespace

void CodeDocument::CaptureViewState(UndoRecord& record) const {
  record.topLine = GetTopLine();
  record.horizontalScroll = view_->GetScrollPos(ScrollBar::Horizontal);
  record.lineCount = lineCount;
  record.longestLine = longestLine;
  record.longestWidth = longestWidth;
  record.caret = caret;
  record.anchor = anchor;
  record.selEnd = selEnd;
  record.modified = modified;
  record.hasSelection = hasSelection;
}

// Undo calls this once the step's own change is reversed, redo before repeating
// the step. Either way the text is then as it was before the step (for a redo
// that began by deleting a selection, until that deletion is repeated here), so
// recounting gives back the recorded line count and widest line, and the scroll
// bars get the ranges the recorded positions were taken in.
void CodeDocument::RestoreViewState(const UndoRecord& record, bool redo) {
  hasSelection = record.hasSelection;
  anchor = record.anchor;
  selEnd = record.selEnd;
  modified = record.modified;
  if (!record.hadSelection) {
    caret = record.caret;
  } else if (!redo) {
    SpliceLine(record.caret.line, record.selectionLines);
    caret = record.caretBeforeDeletion;
  } else {
    caret = record.caretBeforeDeletion;
  }
  RecountLines();
  SetTopLine(record.topLine, false);
  SetHorizontalScroll(record.horizontalScroll, false);
  if (redo && record.hadSelection) {
    // The repeated step (or Redo, for a step that only deleted) recounts and
    // scrolls once its whole change is made, as the step did the first time.
    UndoRecord scratch;
    DeleteSelection(scratch);
  }
}

void CodeDocument::PushUndo(const UndoRecord& record) { PushUndo(UndoRecord(record)); }

void CodeDocument::PushUndo(UndoRecord&& record) {
  if (static_cast<std::int32_t>(undoHistory.size()) > undoPos) {
    // A new step ends the redo chain, and with it any saved text beyond this point.
    undoHistory.erase(undoHistory.begin() + undoPos, undoHistory.end());
    if (cleanUndoPos > undoPos) cleanUndoPos = -1;
  }
  if (!record.modified) cleanUndoPos = undoPos;
  undoHistory.push_back(std::move(record));
  ++undoPos;
  while (undoPos > undoLimit && !undoHistory.empty()) {
    undoHistory.pop_front();
    --undoPos;
    cleanUndoPos = cleanUndoPos > 0 ? cleanUndoPos - 1 : -1;
  }
}

void CodeDocument::Undo() {
  if (!CanUndo()) return;
  const UndoRecord& r = undoHistory[static_cast<std::size_t>(undoPos - 1)];
  if (r.op == 7 && !replayReplacement) return;
  // An unmodified text here is the saved one (a save leaves no step behind).
  if (!modified) cleanUndoPos = undoPos;
  ReverseStep(*this, r);
  RestoreViewState(r, false);
  --undoPos;
  modified = undoPos != cleanUndoPos;
  ScrollCaretIntoView();
  Invalidate();
}

void CodeDocument::Redo() {
  if (!CanRedo()) return;
  const UndoRecord& r = undoHistory[static_cast<std::size_t>(undoPos)];
  if (r.op == 7 && !replayReplacement) return;
  if (!modified) cleanUndoPos = undoPos;
  ++undoPos;
  RestoreViewState(r, true);
  switch (r.op) {
    case 1:
      InsertLineBreakIndented(r.indent, true);
      break;
    case 2:
      DeleteBackward(true);
      break;
    case 3:
      InsertText(r.text, true);
      break;
    case 4:
      DeleteForward(true);
      break;
    case 6: {
      // The caret ends after the pasted text, as it did when the paste was made.
      std::vector<std::string> pasted = r.pastedLines;
      const int tail = static_cast<int>(r.formerLine.size()) - caret.col;
      const int endCol = static_cast<int>(pasted.back().size()) - tail;
      SpliceLine(caret.line, std::move(pasted));
      caret = {caret.line + r.pieceCount - 1, endCol};
      EndReplay(*this);
      break;
    }
    case 7:
      replayReplacement(r, true);
      EndReplay(*this);
      break;
    default:  // 5: restoring the view deleted the selection again
      EndReplay(*this);
      break;
  }
  modified = undoPos != cleanUndoPos;
}

}  // namespace quillet
