// The completion list 树型框1 as the prompt drives it: one list shared by all
// editing windows. The prompt keeps the items and the selection; the list
// only shows them.
#pragma once

#include <vector>

#include "language/keyword_table.h"

namespace quillet {

class EditView;

class CompletionView {
 public:
  virtual ~CompletionView() = default;
  // Fills the list with the items (text: the word; image 0 for kSystemKeyword,
  // 3 for kReservedWord), selects item `selected`, puts the list's top-left
  // corner at (x, y) in the owner window's client pixels (the prompt passes
  // the same point for as long as it stays in one window) and shows it in
  // front of the editing windows, at its designed size (168 x 120).
  virtual void Show(EditView& owner, const std::vector<KeywordEntry>& items, int selected, int x, int y) = 0;
  virtual void Hide() = 0;
  // Caps Lock toggled on: an accepted word's rest is then inserted in capitals.
  virtual bool CapsLockOn() const = 0;
};

}  // namespace quillet
