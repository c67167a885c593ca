// A document in a fake window with a fake clipboard, for the editing and undo
// tests, and a snapshot of everything an edit and its undo must agree on.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/fake_clipboard.h"
#include "core/fake_edit_view.h"
#include "editor/code_document.h"

namespace quillet {

struct DocSnapshot {
  std::vector<std::string> lines;
  TextPos caret, anchor, selEnd;
  bool hasSelection = false;
  bool modified = false;
  int topLine = 0;
  int horizontalScroll = 0;
  int lineCount = 0;
  int longestLine = 0;
  int longestWidth = 0;
  bool operator==(const DocSnapshot&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const DocSnapshot& s) {
  const auto pos = [](TextPos p) { return '(' + std::to_string(p.line) + ',' + std::to_string(p.col) + ')'; };
  out << "lines:";
  for (const std::string& line : s.lines) out << " [" << line << ']';
  return out << " caret " << pos(s.caret) << " anchor " << pos(s.anchor) << " selEnd " << pos(s.selEnd)
             << " sel " << s.hasSelection << " modified " << s.modified << " top " << s.topLine
             << " hscroll " << s.horizontalScroll << " count " << s.lineCount << " longest "
             << s.longestLine << '/' << s.longestWidth;
}

inline DocSnapshot SnapshotOf(const CodeDocument& doc, const FakeEditView& view) {
  return {{doc.lines.begin(), doc.lines.end()},
          doc.caret,
          doc.anchor,
          doc.selEnd,
          doc.hasSelection,
          doc.modified,
          view.vertical.position,
          view.horizontal.position,
          doc.lineCount,
          doc.longestLine,
          doc.longestWidth};
}

class EditingTest : public ::testing::Test {
 protected:
  EditingTest() {
    context_.settings = &settings_;
    context_.clipboard = &clipboard_;
    doc_.SetView(&view_);
  }

  void SetText(std::vector<std::string> lines) {
    doc_.lines.Assign(std::move(lines));
    doc_.RecountLines();
  }
  std::vector<std::string> Text() const { return {doc_.lines.begin(), doc_.lines.end()}; }

  void Select(TextPos anchor, TextPos selEnd) {
    doc_.anchor = anchor;
    doc_.selEnd = selEnd;
    doc_.caret = selEnd;
    doc_.hasSelection = true;
  }

  DocSnapshot Snapshot() const { return SnapshotOf(doc_, view_); }

  EditorSettings settings_;
  EditorContext context_;
  FakeEditView view_;
  FakeClipboard clipboard_;
  CodeDocument doc_{context_};
};

}  // namespace quillet
