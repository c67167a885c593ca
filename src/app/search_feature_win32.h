// Typing aids and search in the main window: the keyword completion list
// under the caret, the procedure tree 程序集 with its jump and its pop-up menu
// 右键菜单2, the find and replace dialogs, F3 / Shift+F3 and go to line.
#pragma once

#include "shell/app_handles_win32.h"
#include "shell/menus_win32.h"

namespace quillet {

class CompletionPrompt;
class FindHistory;

void AddSearchFeatureParts(MainWindowParts& parts, const CommandSurface& commands);

// The program's one prompt and find history (tests look at them); the prompt
// exists while a main window with this feature does.
CompletionPrompt* SearchFeaturePrompt();
FindHistory& SearchFeatureHistory();

}  // namespace quillet
