// The save-changes dialog 文件已经修改: asked for each modified document when
// the program closes. Five buttons answer 1..5 (是, 全是, 否, 全否, 取消).
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

inline constexpr int kSaveChangesWidth = 415;
inline constexpr int kSaveChangesHeight = 141;

// Control identifiers: button k (1..5) is kSaveChangesFirstButton + k - 1.
enum SaveChangesControl : int {
  kSaveChangesPictureId = 301,
  kSaveChangesTextId = 302,
  kSaveChangesFirstButton = 311,
};

// Shows question modally over owner; the answer 1..5. Closing the dialog by its
// title bar or Esc, or a dialog that cannot be shown, answers 5 (取消).
int ShowSaveChangesDialog(HWND owner, HINSTANCE instance, const std::string& question);

}  // namespace quillet
