// 通用对话框1: the open and save dialogs of the file commands, with the
// program's filter, default extension and initial folder.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

inline constexpr char kOpenDialogTitle[] = "请选择要打开的文件";
inline constexpr char kSaveDialogTitle[] = "请输入要保存文件的路径";
inline constexpr char kFileFilter[] = "BAS源码文件(*.bas)|*.bas|INC头文件(*.inc)|*.inc|所有文件(*.*)|*.*";
inline constexpr char kDefaultExtension[] = "bas";
inline constexpr char kInitialFolder[] = "F:\\PBWin80";  // used when it exists

// The chosen path; empty when the user cancelled.
std::string AskOpenPath(HWND owner);
// proposedName fills the file name box; a chosen file that exists is
// overwritten only after the user agreed.
std::string AskSavePath(HWND owner, const std::string& proposedName);

}  // namespace quillet
