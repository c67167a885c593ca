// Printing a document: its lines go onto pages top to bottom, one line height
// apart, a new page starting when the next line would cross the bottom edge.
// No header, footer, numbers or colours; the Windows layer supplies the job.
#pragma once

#include <string_view>

#include "platform/line_printer.h"

namespace quillet {

// The pages of one print job.
class PrintTarget {
 public:
  virtual ~PrintTarget() = default;
  virtual bool StartPage() = 0;
  virtual bool EndPage() = 0;
  // One line of text with its top edge at y (page pixels).
  virtual void PrintText(int y, std::string_view text) = 0;
};

class PagedPrinter final : public LinePrinter {
 public:
  // pageHeight and lineHeight in the target's pixels; TABs are widened to
  // tabWidth spaces, since a printer draws a TAB byte as a box.
  PagedPrinter(PrintTarget& target, int pageHeight, int lineHeight, int tabWidth);

  void PrintLine(std::string_view line) override;
  // Ends the page in progress. False when the target refused a page.
  bool Finish();

  int Pages() const { return pages_; }

 private:
  PrintTarget& target_;
  int pageHeight_;
  int lineHeight_;
  int tabWidth_;
  int y_ = 0;
  int pages_ = 0;
  bool pageOpen_ = false;
  bool failed_ = false;
};

}  // namespace quillet
