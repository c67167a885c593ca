#include "shell/printing.h"

#include <algorithm>

#include "editor/tab_expand.h"

namespace quillet {

PagedPrinter::PagedPrinter(PrintTarget& target, int pageHeight, int lineHeight, int tabWidth)
    : target_(target), pageHeight_(pageHeight), lineHeight_(std::max(lineHeight, 1)), tabWidth_(tabWidth) {}

void PagedPrinter::PrintLine(std::string_view line) {
  if (failed_) return;
  // A page takes at least one line, however small the page.
  if (pageOpen_ && y_ > 0 && y_ + lineHeight_ > pageHeight_) {
    pageOpen_ = false;
    if (!target_.EndPage()) {
      failed_ = true;
      return;
    }
  }
  if (!pageOpen_) {
    if (!target_.StartPage()) {
      failed_ = true;
      return;
    }
    pageOpen_ = true;
    ++pages_;
    y_ = 0;
  }
  target_.PrintText(y_, ExpandTabs(line, tabWidth_));
  y_ += lineHeight_;
}

bool PagedPrinter::Finish() {
  if (pageOpen_) {
    pageOpen_ = false;
    if (!target_.EndPage()) failed_ = true;
  }
  return !failed_;
}

}  // namespace quillet
