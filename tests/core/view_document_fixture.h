// A document shown in a FakeEditView (640x480 client, 8x16 px per byte), for
// tests of geometry, caret moves and selection. With the default settings the
// text starts 43 px from the client's left edge and rows are 19 px apart.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/fake_edit_view.h"
#include "editor/code_document.h"
#include "platform/std_file_system.h"

namespace quillet {

class ViewDocumentTest : public ::testing::Test {
 protected:
  static constexpr int kTextLeft = 43;  // line-number bar 40 + text margin 3
  static constexpr int kPitch = 19;     // glyph 16 + line spacing 3

  void SetUp() override { doc_.SetView(&view_); }

  void SetText(std::vector<std::string> text) {
    doc_.lines.Assign(std::move(text));
    doc_.RecountLines();
    view_.invalidateCount = 0;
  }
  // Client point of a text x (pixels from the line start) in a visible row.
  static int ClientX(int textX) { return kTextLeft + textX; }
  static int RowY(int row) { return row * kPitch + kPitch / 2; }
  static int ByteX(int bytes) { return bytes * FakeEditView::kByteWidth; }

  EditorSettings settings_;
  StdFileSystem files_;
  EditorContext context_{settings_, files_};
  FakeEditView view_;
  CodeDocument doc_{context_};
};

}  // namespace quillet
