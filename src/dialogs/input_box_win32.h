// A modal box that asks for one line of text: a prompt, an edit box and the
// buttons 确定 and 取消.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quillet {

inline constexpr int kInputBoxPromptId = 401;
inline constexpr int kInputBoxEditId = 402;  // the buttons are IDOK and IDCANCEL

// The text typed, or nullopt when the user cancelled (取消, Esc or the close box).
std::optional<std::string> AskText(HWND owner, const char* caption, const char* prompt);

}  // namespace quillet
