// Answers the modal windows a command opens, as the user would, from a timer
// of the test's own thread that their modal loops dispatch.
#pragma once

#include <windows.h>

#include <dlgs.h>

#include <concepts>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/input_box_win32.h"
#include "shell/documents.h"
#include "shell/file_dialog_win32.h"
#include "shell/save_changes_dialog_win32.h"

namespace quillet {

inline std::string TextOf(HWND window) {
  char text[1024] = {};
  if (window) GetWindowTextA(window, text, sizeof text);
  return text;
}

// Posted, so that a click opening a further modal window returns first and
// the next tick meets that window.
inline void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// What to do with the next dialog: act on it, after inspect has looked at it.
// A step with a title is for a dialog of that caption only; any other one met
// instead is logged as unexpected and closed, and the step waits.
struct DialogStep {
  template <typename Act>
    requires std::invocable<Act&, HWND>
  DialogStep(Act act) : act(std::move(act)) {}  // implicit: steps are written as plain lambdas
  DialogStep(std::string title, std::function<void(HWND)> act) : title(std::move(title)), act(std::move(act)) {}

  std::string title;
  std::function<void(HWND)> act;
  std::function<void(HWND)> inspect;
};

inline DialogStep Press(int id) {
  return [id](HWND dialog) { Click(dialog, id); };
}

// The steps run one a tick on the top enabled dialog. Every dialog met is
// logged as "caption|text": a file dialog's proposed name, else the message
// of a box, the save-changes question or an input box's prompt, else empty.
class DialogDriver {
 public:
  DialogDriver() {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 40, Tick);
  }
  ~DialogDriver() {
    KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  std::deque<DialogStep> steps;
  std::vector<std::string> seen;

  // The name box of an open or save dialog; the overwrite question carries
  // the save dialog's title but has none, and counts as a message box.
  static HWND FileNameBox(HWND dialog) {
    const std::string title = TextOf(dialog);
    if (title != kSaveDialogTitle && title != kOpenDialogTitle) return nullptr;
    HWND box = GetDlgItem(dialog, cmb13);
    return box ? box : GetDlgItem(dialog, edt1);
  }

 private:
  static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == "#32770" && IsWindowVisible(window) && IsWindowEnabled(window)) {
      *reinterpret_cast<HWND*>(found) = window;
    }
    return TRUE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!current_ || current_->busy_) return;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    current_->busy_ = true;
    current_->Act(dialog);
    current_->busy_ = false;
  }
  static HWND MessageOf(HWND dialog) {
    if (HWND name = FileNameBox(dialog)) return name;
    if (TextOf(dialog) == kModifiedCaption && GetDlgItem(dialog, kSaveChangesTextId)) {
      return GetDlgItem(dialog, kSaveChangesTextId);
    }
    if (HWND message = GetDlgItem(dialog, 0xFFFF)) return message;
    return GetDlgItem(dialog, kInputBoxPromptId);
  }
  void Act(HWND dialog) {
    const std::string title = TextOf(dialog);
    seen.push_back(title + "|" + TextOf(MessageOf(dialog)));
    if (steps.empty() || (!steps.front().title.empty() && steps.front().title != title)) {
      seen.back().insert(0, "unexpected ");
      PostMessageA(dialog, WM_CLOSE, 0, 0);
      return;
    }
    const DialogStep step = steps.front();
    steps.pop_front();
    if (step.inspect) step.inspect(dialog);
    step.act(dialog);
  }

  static inline DialogDriver* current_ = nullptr;
  UINT_PTR timer_ = 0;
  bool busy_ = false;
};

}  // namespace quillet
