// The message boxes the core asks for: a notice with the information icon and
// the default caption, and a yes/no question with the question icon.
#pragma once

#include <string>

namespace quillet {

// The answer to a question with 是, 否 and 取消; closing the box is 取消.
enum class YesNoCancel { Yes, No, Cancel };

class UserMessages {
 public:
  virtual ~UserMessages() = default;
  virtual void Inform(const std::string& text) = 0;
  // True for 是 (Yes).
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
};

}  // namespace quillet
