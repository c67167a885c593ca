// Receives a document's lines one by one when it is printed.
#pragma once

#include <string_view>

namespace quillet {

class LinePrinter {
 public:
  virtual ~LinePrinter() = default;
  virtual void PrintLine(std::string_view line) = 0;
};

}  // namespace quillet
