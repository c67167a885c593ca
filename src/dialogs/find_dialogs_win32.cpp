#include "dialogs/find_dialogs_win32.h"

#include <string>

#include "common/pixel_dialog_win32.h"
#include "editor/search.h"
#include "platform/message_boxes_win32.h"

namespace quillet {
namespace {

constexpr const char* kDirections[] = {"0.所有方向", "1.向下查找", "2.向上查找"};

struct SearchDialog {
  CodeDocument& doc;
  MessageBoxes& boxes;
  FindHistory* history = nullptr;  // the find dialog's only
};

SearchDialog& StateOf(HWND dialog) { return *reinterpret_cast<SearchDialog*>(GetWindowLongPtrA(dialog, DWLP_USER)); }

std::string UnitText(HWND dialog, int id) {
  HWND unit = GetDlgItem(dialog, id);
  std::string text(std::size_t(GetWindowTextLengthA(unit)) + 1, '\0');
  text.resize(std::size_t(GetWindowTextA(unit, text.data(), int(text.size()))));
  return text;
}

bool Ticked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// Client size, centred over the owner.
void Frame(HWND dialog, const char* caption, int width, int height) {
  SetWindowTextA(dialog, caption);
  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, DWORD(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
  PlaceDialog(dialog, outer.right - outer.left, outer.bottom - outer.top);
}

// Every press ends as an edit does: the status bar, the commands and the captions follow.
void Finish(SearchDialog& d) { d.doc.FinishChange(); }

// ---- 查找 ----

void InitFindDialog(HWND dialog, SearchDialog& d) {
  Frame(dialog, kFindDialogCaption, 372, 112);
  AddDialogUnit(dialog, "STATIC", "查找内容:", SS_LEFT, {12, 16, 64, 20}, kFindLabelId);
  HWND text = AddDialogUnit(dialog, "COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
                            {80, 12, 172, 200}, kFindTextId);
  AddDialogUnit(dialog, "BUTTON", "查找关键字(&F)", BS_DEFPUSHBUTTON | WS_TABSTOP, {264, 11, 96, 26}, kFindButtonId);
  AddDialogUnit(dialog, "BUTTON", "取消", BS_PUSHBUTTON | WS_TABSTOP, {264, 43, 96, 26}, IDCANCEL);
  AddDialogUnit(dialog, "BUTTON", "方向", BS_GROUPBOX, {12, 42, 150, 58}, kFindDirectionGroupId);
  HWND direction = AddDialogUnit(dialog, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                                 {22, 64, 130, 120}, kFindDirectionId);
  AddDialogUnit(dialog, "BUTTON", "区分大小写(&C)", BS_AUTOCHECKBOX | WS_TABSTOP, {172, 70, 96, 20}, kFindCaseId);
  for (const std::string& entry : d.history->Entries()) {
    SendMessageA(text, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  for (const char* name : kDirections) SendMessageA(direction, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  // From the top of the text; the first find then goes on downwards.
  SendMessageA(direction, CB_SETCURSEL, kFindWholeText, 0);
  SetWindowTextA(text, d.doc.GetSelectedText().c_str());
  SendMessageA(dialog, DM_SETDEFID, kFindButtonId, 0);
  SetFocus(text);
}

void PressFind(HWND dialog, SearchDialog& d) {
  const std::string text = UnitText(dialog, kFindTextId);
  const int direction = static_cast<int>(SendDlgItemMessageA(dialog, kFindDirectionId, CB_GETCURSEL, 0, 0));
  const FindPressResult result = PressFindButton(d.doc, text, direction, Ticked(dialog, kFindCaseId), *d.history);
  SendDlgItemMessageA(dialog, kFindDirectionId, CB_SETCURSEL, result.direction, 0);
  if (result.addedToHistory) {
    SendDlgItemMessageA(dialog, kFindTextId, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // Inserting into the list can replace the edit box's text with the item's.
    SetDlgItemTextA(dialog, kFindTextId, text.c_str());
  }
  Finish(d);
}

// ---- 替换 ----

void InitReplaceDialog(HWND dialog, SearchDialog& d) {
  Frame(dialog, kReplaceDialogCaption, 376, 144);
  AddDialogUnit(dialog, "STATIC", "查找内容(&N):", SS_LEFT, {12, 16, 80, 20}, kReplaceSearchLabelId);
  HWND search = AddDialogUnit(dialog, "EDIT", d.doc.GetSelectedText().c_str(), WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL,
                              {96, 12, 160, 22}, kReplaceSearchId);
  AddDialogUnit(dialog, "STATIC", "替换为(&P):", SS_LEFT, {12, 48, 80, 20}, kReplaceWithLabelId);
  AddDialogUnit(dialog, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {96, 44, 160, 22}, kReplaceWithId);
  AddDialogUnit(dialog, "BUTTON", "区分大小写(&C)", BS_AUTOCHECKBOX | WS_TABSTOP, {12, 84, 120, 20}, kReplaceCaseId);
  AddDialogUnit(dialog, "BUTTON", "查找下一个(&F)", BS_DEFPUSHBUTTON | WS_TABSTOP, {268, 11, 96, 26},
                kReplaceFindNextId);
  HWND one = AddDialogUnit(dialog, "BUTTON", "替换(&R)", BS_PUSHBUTTON | WS_TABSTOP, {268, 43, 96, 26}, kReplaceOneId);
  AddDialogUnit(dialog, "BUTTON", "全部替换(&A)", BS_PUSHBUTTON | WS_TABSTOP, {268, 75, 96, 26}, kReplaceAllId);
  AddDialogUnit(dialog, "BUTTON", "取消", BS_PUSHBUTTON | WS_TABSTOP, {268, 107, 96, 26}, IDCANCEL);
  EnableWindow(one, FALSE);  // until a search finds something
  SendMessageA(dialog, DM_SETDEFID, kReplaceFindNextId, 0);
  SetFocus(search);
}

void ShowReplaceOutcome(HWND dialog, const ReplacePressResult& result) {
  EnableWindow(GetDlgItem(dialog, kReplaceOneId), result.replaceEnabled);
  if (result.focus == ReplaceFocus::SearchText) SetFocus(GetDlgItem(dialog, kReplaceSearchId));
  if (result.focus == ReplaceFocus::Replacement) SetFocus(GetDlgItem(dialog, kReplaceWithId));
}

void PressReplaceButton(HWND dialog, SearchDialog& d, int id) {
  const std::string search = UnitText(dialog, kReplaceSearchId);
  const std::string replacement = UnitText(dialog, kReplaceWithId);
  const bool caseSensitive = Ticked(dialog, kReplaceCaseId);
  const bool enabled = IsWindowEnabled(GetDlgItem(dialog, kReplaceOneId)) != FALSE;
  ReplacePressResult result;
  if (id == kReplaceFindNextId) {
    result = PressReplaceFindNext(d.doc, search, caseSensitive, d.boxes);
  } else if (id == kReplaceOneId) {
    result = PressReplaceOne(d.doc, search, replacement, caseSensitive, d.boxes);
  } else {
    result = PressReplaceAll(d.doc, search, replacement, caseSensitive, enabled, d.boxes);
  }
  Finish(d);
  ShowReplaceOutcome(dialog, result);
}

// ---- Both ----

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SearchDialog& d = *reinterpret_cast<SearchDialog*>(lParam);
        d.boxes.SetOwner(dialog);
        if (d.history) {
          InitFindDialog(dialog, d);
        } else {
          InitReplaceDialog(dialog, d);
        }
        return FALSE;  // the focus is set
      }
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (HIWORD(wParam) != BN_CLICKED) return FALSE;
        if (id == IDCANCEL) {
          EndDialog(dialog, IDCANCEL);
        } else if (id == kFindButtonId || id == IDOK) {
          // Enter without a default button reports IDOK.
          if (StateOf(dialog).history) {
            PressFind(dialog, StateOf(dialog));
          } else {
            PressReplaceButton(dialog, StateOf(dialog), kReplaceFindNextId);
          }
        } else if (id == kReplaceFindNextId || id == kReplaceOneId || id == kReplaceAllId) {
          PressReplaceButton(dialog, StateOf(dialog), id);
        } else {
          return FALSE;
        }
        return TRUE;
      }
      default:
        return FALSE;
    }
  } catch (...) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
}

void RunSearchDialog(HWND owner, SearchDialog& d) {
  const HWND previous = d.boxes.Owner();
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
  RunPixelDialog(instance, owner, SearchDialogProc, reinterpret_cast<LPARAM>(&d));
  d.boxes.SetOwner(previous);
}

}  // namespace

void ShowFindDialog(HWND owner, CodeDocument& doc, FindHistory& history, MessageBoxes& boxes) {
  SearchDialog d{doc, boxes, &history};
  RunSearchDialog(owner, d);
}

void ShowReplaceDialog(HWND owner, CodeDocument& doc, MessageBoxes& boxes) {
  SearchDialog d{doc, boxes, nullptr};
  RunSearchDialog(owner, d);
}

}  // namespace quillet
