// The find dialog 查找 and the replace dialog 替换: modal, owned by the main
// window, acting on one document until they close. Their buttons run the
// functions of dialogs/find_dialogs.h; the boxes they raise belong to them.
#pragma once

#include <windows.h>

#include "dialogs/find_dialogs.h"

namespace quillet {

class MessageBoxes;

inline constexpr char kFindDialogCaption[] = "查找";
inline constexpr char kReplaceDialogCaption[] = "替换";

// The find dialog's units (按钮2 取消 is IDCANCEL).
enum FindDialogUnit : int {
  kFindLabelId = 501,      // 标签1
  kFindTextId,             // 组合框2: the text, its list the history
  kFindDirectionGroupId,   // 分组框1
  kFindDirectionId,        // 组合框1: the direction code as its index
  kFindCaseId,             // 选择框2
  kFindButtonId,           // 按钮1 查找关键字(&F)
};

// The replace dialog's units (按钮4 取消 is IDCANCEL).
enum ReplaceDialogUnit : int {
  kReplaceSearchLabelId = 521,  // 标签1
  kReplaceSearchId,             // 编辑框1
  kReplaceWithLabelId,          // 标签2
  kReplaceWithId,               // 编辑框2
  kReplaceCaseId,               // 选择框2
  kReplaceFindNextId,           // 按钮1 查找下一个(&F)
  kReplaceOneId,                // 按钮2 替换(&R)
  kReplaceAllId,                // 按钮3 全部替换(&A)
};

// Both return when the dialog closes. The document's own message boxes (the
// not-found notice) and the dialogs' go through boxes, owned by the dialog
// while it is open.
void ShowFindDialog(HWND owner, CodeDocument& doc, FindHistory& history, MessageBoxes& boxes);
void ShowReplaceDialog(HWND owner, CodeDocument& doc, MessageBoxes& boxes);

}  // namespace quillet
