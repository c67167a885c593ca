// Clipboard text as ANSI (GBK) bytes; CF_TEXT on Windows.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual bool HasText() = 0;
  virtual std::string GetText() = 0;
  virtual void SetText(std::string_view text) = 0;
};

}  // namespace quillet
