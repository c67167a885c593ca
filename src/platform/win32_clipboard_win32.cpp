#include "platform/win32_clipboard_win32.h"

#include <cstring>

namespace quillet {
namespace {

constexpr int kOpenAttempts = 10;  // another program may hold the clipboard for a moment
constexpr DWORD kRetryMs = 10;

class ClipboardScope {
 public:
  explicit ClipboardScope(bool open) : open_(open) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

}  // namespace

Win32Clipboard::~Win32Clipboard() {
  if (owner_ != nullptr) DestroyWindow(owner_);
}

bool Win32Clipboard::Open() {
  if (owner_ == nullptr) {
    owner_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr);
  }
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (OpenClipboard(owner_)) return true;
    Sleep(kRetryMs);
  }
  return false;
}

bool Win32Clipboard::HasText() { return IsClipboardFormatAvailable(CF_TEXT) != 0; }

std::string Win32Clipboard::GetText() {
  const ClipboardScope scope(Open());
  if (!scope) return {};
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data == nullptr) return {};
  const char* bytes = static_cast<const char*>(GlobalLock(data));
  if (bytes == nullptr) return {};
  // Another program's block need not end in NUL: never read past its size.
  const std::string text(bytes, strnlen(bytes, GlobalSize(data)));
  GlobalUnlock(data);
  return text;
}

void Win32Clipboard::SetText(std::string_view text) {
  const ClipboardScope scope(Open());
  if (!scope) return;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (block == nullptr) return;
  char* bytes = static_cast<char*>(GlobalLock(block));
  if (bytes == nullptr) {
    GlobalFree(block);
    return;
  }
  std::memcpy(bytes, text.data(), text.size());
  bytes[text.size()] = '\0';
  GlobalUnlock(block);
  EmptyClipboard();
  if (SetClipboardData(CF_TEXT, block) == nullptr) GlobalFree(block);  // otherwise the system owns it
}

}  // namespace quillet
