// A clipboard in memory, for the editing tests and the edit-sequence fuzzer.
#pragma once

#include <string>
#include <string_view>

#include "platform/clipboard.h"

namespace quillet {

class FakeClipboard final : public Clipboard {
 public:
  bool HasText() override { return hasText; }
  std::string GetText() override { return text; }
  void SetText(std::string_view t) override {
    text = t;
    hasText = true;
  }
  std::string text;
  bool hasText = false;
};

}  // namespace quillet
