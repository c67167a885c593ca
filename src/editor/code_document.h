// One open file: its lines, caret and selection, undo history, path, display
// name, modified flag and source kind. Holds no window; the window that shows
// it is reached through DocumentView.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/editor_settings.h"
#include "editor/line_store.h"
#include "editor/text_pos.h"
#include "editor/undo_record.h"

namespace quillet {

class DocumentView;
class FileSystem;
class LinePrinter;

enum class SourceKind : std::int32_t {
  Basic = 0,    // coloured, completed and compiled
  Include = 1,  // an include file
  Other = 2,    // resource script or plain text: no colouring, no completion
};

// Files beyond this size are refused rather than risking running out of memory.
constexpr std::uint64_t kMaxDocumentBytes = std::uint64_t(1) << 30;

class CodeDocument {
 public:
  // settings and files must outlive the document.
  CodeDocument(const EditorSettings& settings, FileSystem& files);

  // Replaces the text by template 1 (EXE), 2 (DLL) or 3 (RC); other numbers change nothing.
  void ApplyTemplate(int templateNumber);

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

  void SetView(DocumentView* view);
  int TabWidth() const { return settings_.EffectiveTabWidth(); }

  std::string displayName;
  std::string filePath;
  LineStore lines;
  std::int32_t lineCount = 1;
  std::int32_t longestLine = 1;  // 1-based
  std::int32_t longestWidth = 0;
  TextPos caret;
  TextPos anchor;
  TextPos selEnd;
  bool modified = false;
  bool hasSelection = false;
  SourceKind kind = SourceKind::Other;
  std::vector<UndoRecord> undoHistory;
  std::int32_t undoLimit = 50;
  std::int32_t undoPos = 0;
  std::string findText;
  std::int32_t findState = 0;  // 1: the last search was case-sensitive
  std::int32_t caretHeight = 0;

 private:
  const EditorSettings& settings_;
  FileSystem& files_;
  DocumentView* view_;
};

// The kind a path's extension gives: ".bas" Basic, ".inc" Include, else Other.
SourceKind KindOfPath(std::string_view path);

}  // namespace quillet
