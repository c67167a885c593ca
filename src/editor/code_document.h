// One open file: its lines, caret and selection, undo history, path, display
// name, modified flag and source kind. Holds no window; the window that shows
// it is reached through the EditView interface, and everything else it shares
// with the program through its EditorContext.
//
// The operations are spread over several files by concern:
//   code_document.cpp        text, files, templates, line bookkeeping
//   view_geometry.cpp        measures, scroll bars, hit testing, caret placement
//   caret_moves.cpp          caret keys, clicks, drag and word selection
//   editing.cpp              typing, line breaks, deletion, clipboard
//   undo.cpp                 the undo history
//   painter.cpp              Paint
//   document_change.cpp      the change notification
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/editor_settings.h"
#include "editor/document_templates.h"
#include "editor/editor_context.h"
#include "editor/line_store.h"
#include "editor/text_pos.h"
#include "editor/undo_record.h"
#include "editor/view_state.h"

namespace quillet {

class EditView;
class FileSystem;
class KeywordTable;
class LineChars;
class LinePrinter;
class PaintSurface;
struct EditCommandState;
struct PixelSize;

enum class SourceKind : std::int32_t {
  Basic = 0,    // coloured, completed and compiled
  Include = 1,  // an include file
  Other = 2,    // resource script or plain text: no colouring, no completion
};

// Files beyond this size are refused rather than risking running out of memory.
constexpr std::uint64_t kMaxDocumentBytes = std::uint64_t(1) << 30;

// caret, anchor, selEnd, modified and hasSelection are the EditState fields.
class CodeDocument : public EditState {
 public:
  // The context (settings, file system, clipboard, host) must outlive the document.
  explicit CodeDocument(EditorContext& context);

  // Replaces the text by the EXE, DLL or RC template; any other kind changes nothing.
  void ApplyTemplate(TemplateKind templateKind);

  bool HoldsFile(std::string_view path) const;
  void SetDisplayName(std::string name) { displayName = std::move(name); }
  std::string GetDisplayName() const { return displayName; }
  bool IsModified() const { return modified; }
  std::string GetTitleText() const { return filePath.empty() ? displayName : filePath; }
  bool IsUntitled() const { return filePath.empty(); }
  SourceKind GetKind() const { return kind; }

  // Refreshes lineCount, longestLine and longestWidth, then the scroll bars.
  // Costs the lines changed since the last call, not the whole text.
  void RecountLines();
  void DetectKind();

  // Replaces the text by the file's. On failure nothing changes.
  bool LoadFile(const std::string& path, SourceKind& loadedKind);
  // An empty path saves to filePath. The new path, name and kind are taken only
  // once the file is written; on failure the file on disk and the document are
  // as they were.
  bool SaveFile(const std::string& path);

  // Every line in order, except a final empty line.
  void PrintLines(LinePrinter& printer) const;

  // The window that shows the document; null detaches it (measures are then 0).
  void SetView(EditView* view);
  EditView& View() const { return *view_; }
  EditorContext& Context() const { return context_; }
  const EditorSettings& Settings() const { return *context_.settings; }
  int TabWidth() const { return Settings().EffectiveTabWidth(); }
  int LineLength(int line) const { return static_cast<int>(lines[line].size()); }
  // The nearest position inside the text.
  TextPos ClampToText(TextPos pos) const;

  // ---- View geometry (view_geometry.cpp) ----
  PixelSize GetTextAreaSize() const;
  PixelSize MeasureText(std::string_view bytes) const;
  int GlyphHeight() const;  // height of the ideograph "易" in the editor font
  int RowPitch() const;     // glyph height + line spacing
  // Pixel offset of a column: the width of what is drawn before it.
  int ColumnOffset(int line, int col) const;
  // The line as it is drawn: TABs expanded, keywords in capitals.
  std::string DrawnLine(int line) const;
  const KeywordTable& KeywordTableInUse() const;
  // The line-number bar, wide enough for the line count's digits; and the
  // client x where the text area starts.
  int LineNumberBarWidth() const;
  int TextLeft() const;
  // Drops cached measures after the font changed.
  void ForgetMeasures();
  // The TAB width or the font changed: the widest line, the scroll ranges and
  // the caret's place are measured again with the new ones.
  void Remeasure();
  int GetHorizontalOrigin() const;
  int GetTopLine() const;
  void SetHorizontalScroll(int position, bool redraw);
  void SetTopLine(int line, bool redraw);
  void UpdateScrollBars();
  void GetVisibleLines(int clientHeight, int glyphHeight, int& first, int& last) const;
  TextPos HitTest(int x, int y) const;
  int LineAtY(int y) const;  // the line under a client y, clamped to the text
  // The first character of chars whose right edge reaches text x xt
  // (client x + horizontal origin); chars.Count() when the line ends before xt.
  int CharReaching(const LineChars& chars, long long xt) const;
  void CreateEditCaret();
  int GetCaretHeight() const { return caretHeight; }
  void ScrollCaretIntoView();
  // Caret to the start of the 1-based line, selection cleared, shown. False
  // when the number lies outside the text: the caret then goes to the nearest
  // line (the first or the last).
  bool GoToLine(int lineNumber);
  // Repaints the rows of lines first..last (in either order) as now placed.
  void InvalidateLines(int first, int last);
  // Repaints after the view scrolled from oldTop / oldOrigin to where it is.
  void RepaintScrolled(int oldTop, int oldOrigin);
  void Invalidate();

  // ---- Caret keys, mouse selection (caret_moves.cpp) ----
  void CaretUp();
  void CaretDown();
  void CaretRight();
  void CaretLeft();
  void CaretLineStart();
  void CaretLineEnd();
  void CaretTextStart();
  void CaretTextEnd();
  void SelectToLineStart();
  void SelectToLineEnd();
  void SelectToTextStart();
  void SelectToTextEnd();
  void ClickAt(int x, int y);
  void StartDragSelection();
  void DragSelectTo(int x, int y);
  bool SelectionIsNonEmpty() const;
  void SelectWordAt(int x, int y);
  void SelectAll();

  // ---- Editing and clipboard (editing.cpp) ----
  // Each of these that changes the text is one undo step; called inside a
  // step that is already open (see EditStep) it becomes part of that one.
  void TypeCharacter(int code);
  void InsertText(std::string_view text);
  int InsertLineBreak();  // returns the TABs of auto-indent
  void DeleteBackward();
  void DeleteForward();
  bool HasSelection() const { return hasSelection; }
  bool CanCut() const { return hasSelection; }
  bool ClipboardHasText() const;
  std::string GetSelectedText() const;
  void Copy();
  void Cut();
  void Paste();
  void Delete();
  void DeleteSelection();
  void InsertBlock(std::string_view text);

  // ---- Undo history (undo.cpp) ----
  // Every change of the text is a splice of lines (ReplaceLines) inside a
  // step: everything between the outermost BeginStep and its EndStep is one
  // step of the history. EndStep, when the text changed, moves a caret or
  // selection left past the text back inside, sets the modified mark, recounts
  // the lines, brings the caret into view, repaints and records the step; when
  // nothing changed it does nothing. EditStep pairs them.
  void BeginStep(UndoOp op);
  void EndStep() noexcept;
  // Puts newLines in the place of the count lines from first (count 0 inserts
  // before first); a range outside the text changes nothing, and taking every
  // line leaves one empty line. Outside a step this is a step of its own, a
  // replacement. Costs the lines named, whatever the document's size.
  void ReplaceLines(int first, int count, std::vector<std::string> newLines);
  void ReplaceLine(int line, std::string text);
  bool StepIsOpen() const { return stepDepth_ > 0; }

  ViewState CaptureViewState() const;
  // The edit state and then the scroll positions, for a text that already
  // has the lines it had when the state was captured.
  void RestoreViewState(const ViewState& state);
  bool CanUndo() const { return undoPos != 0; }
  bool CanRedo() const { return undoPos != static_cast<std::int32_t>(undoHistory.size()); }
  void Undo();
  void Redo();
  // The history position whose text is the saved one (-1: none left in the
  // history), noted whenever a step starts from an unmodified text or an undo
  // or redo leaves one. Undo and Redo set `modified` from it, so undoing past a
  // save shows the mark again and coming back to the saved text clears it.
  std::int32_t cleanUndoPos = -1;

  // ---- Painting (painter.cpp): only draws ----
  void Paint(PaintSurface& surface);

  // ---- Change notification (document_change.cpp) ----
  // Invalidate notes a pending change; FinishChange tells the host once, where
  // an edit, caret move, undo or redo ends (the edit window after each message,
  // the command runner after each command). NotifyChanged tells it regardless.
  void FinishChange();
  void NotifyChanged();
  bool ChangePending() const { return changePending_; }
  // Which of cut, copy, paste, undo and redo can act now.
  EditCommandState EditCommands() const;

  std::string displayName;
  std::string filePath;
  LineStore lines;
  std::int32_t lineCount = 1;
  std::int32_t longestLine = 1;  // 1-based
  std::int32_t longestWidth = 0;
  SourceKind kind = SourceKind::Other;
  std::deque<UndoRecord> undoHistory;  // oldest first; the oldest goes once undoLimit is passed
  std::int32_t undoLimit = 50;
  std::int32_t undoPos = 0;
  std::string findText;
  std::int32_t findState = 0;  // 1: the last search was case-sensitive
  std::int32_t caretHeight = 0;

 private:
  void Splice(int first, int count, std::span<std::string> newLines);
  void RecordSplice(int first, int count, std::span<std::string> newLines);
  void ForgetHistory() noexcept;
  void InvalidateStep();
  bool ShiftRowsBelowStep(int top);
  void MoveRows(long long from, long long dy);
  void PushUndo(UndoRecord record);

  EditorContext& context_;
  EditView* view_;
  bool changePending_ = false;
  mutable int barDigits_ = -1;
  mutable int barDigitsWidth_ = 0;
  // The step being made: how deeply steps are nested, and the record so far.
  int stepDepth_ = 0;
  int stepLinesBefore_ = 0;
  UndoRecord step_;
};

// Makes everything done while it lives one undo step, named by op unless a
// step is already open (then it joins that one).
class EditStep {
 public:
  EditStep(CodeDocument& doc, UndoOp op) : doc_(doc) { doc_.BeginStep(op); }
  ~EditStep() { doc_.EndStep(); }
  EditStep(const EditStep&) = delete;
  EditStep& operator=(const EditStep&) = delete;

 private:
  CodeDocument& doc_;
};

// The kind a path's extension gives: ".bas" Basic, ".inc" Include, else Other.
SourceKind KindOfPath(std::string_view path);

}  // namespace quillet
