// The system clipboard as CF_TEXT: ANSI (GBK) bytes, as the editor keeps text.
#pragma once

#include <windows.h>

#include "platform/clipboard.h"

namespace quillet {

class Win32Clipboard final : public Clipboard {
 public:
  Win32Clipboard() = default;
  ~Win32Clipboard() override;
  Win32Clipboard(const Win32Clipboard&) = delete;
  Win32Clipboard& operator=(const Win32Clipboard&) = delete;

  bool HasText() override;
  // Empty when the clipboard holds no text or another program keeps it open.
  std::string GetText() override;
  // Replaces the clipboard's content; text after a NUL byte cannot travel as CF_TEXT.
  void SetText(std::string_view text) override;

 private:
  bool Open();
  HWND owner_ = nullptr;  // a message-only window: the clipboard wants an owner to hand data to
};

}  // namespace quillet
