// The core's notices and questions as message boxes. The boxes are modal to
// the owner: the main window, or the dialog that is open while it asks.
#pragma once

#include <windows.h>

#include <string>

#include "platform/user_messages.h"

namespace quillet {

// A save question with the information icon and 是, 否 and 取消.
YesNoCancel AskYesNoCancel(HWND owner, const std::string& text, const char* caption);

class MessageBoxes final : public UserMessages {
 public:
  // caption: the notices' caption (the program's name).
  MessageBoxes(HWND owner, std::string caption) : owner_(owner), caption_(std::move(caption)) {}

  void Inform(const std::string& text) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;

  HWND Owner() const { return owner_; }
  void SetOwner(HWND owner) { owner_ = owner; }

 private:
  HWND owner_;
  std::string caption_;
};

}  // namespace quillet
