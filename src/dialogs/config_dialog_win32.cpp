#include "dialogs/config_dialog_win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <winspool.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "build/build_names.h"
#include "common/late_bound_win32.h"
#include "common/owned_handle_win32.h"
#include "common/pixel_dialog_win32.h"
#include "dialogs/config.h"
#include "dialogs/input_box_win32.h"
#include "editor/edit_window_win32.h"
#include "shell/app_state.h"
#include "shell/documents.h"
#include "shell/registry_store_win32.h"

namespace quillet {
namespace {

constexpr int kPageCount = 2;
constexpr const char* kPageNames[kPageCount] = {"配色方案", "编辑器设置"};

// Picker labels in slot order, with the numbers of their labels (标签2 is the
// scheme list's); slot 5 is labelled 系统命令 though its scheme key says 系统关键字.
constexpr std::array<const char*, kColourSlotCount> kPickerLabels = {
    "默认文本颜色:", "汇编代码颜色:", "    背景颜色:", "光标行条颜色:", "成员方法颜色:", "系统命令颜色:",
    "  保留字颜色:", "  运算符颜色:", "    注释颜色:", "引号文本颜色:", "文本常量颜色:", "数值常量颜色:"};
constexpr std::array<int, kColourSlotCount> kPickerLabelNumbers = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 15, 16};

constexpr char kCompilerFilter[] = "编译器程序(*.EXE)|*.EXE";
constexpr char kCompilerFileName[] = "PBWIN.EXE";
constexpr std::size_t kPathBuffer = 4096;

int PickerId(int slot) { return kConfigFirstPickerId + slot; }
bool IsPickerId(int id) { return id >= kConfigFirstPickerId && id < PickerId(kColourSlotCount); }
int LabelId(int number) { return kConfigFirstLabelId + number; }

struct ConfigDialog {
  ConfigDialogModel& model;
  HWND window = nullptr;
  std::array<std::vector<HWND>, kPageCount> pages;
  bool ready = false;  // the units are filled; their change notifications count from now
};

ConfigDialog& StateOf(HWND dialog) {
  return *reinterpret_cast<ConfigDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

std::string ItemText(HWND dialog, int id) {
  HWND unit = GetDlgItem(dialog, id);
  std::string text(std::size_t(GetWindowTextLengthA(unit)) + 1, '\0');
  text.resize(std::size_t(GetWindowTextA(unit, text.data(), int(text.size()))));
  return text;
}

int ScreenPixelsPerInch() {
  HDC screen = GetDC(nullptr);
  const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return ppi;
}

// ---- Building the units ----

void Add(ConfigDialog& d, int page, const char* className, const char* text, DWORD style, RECT box, int id) {
  d.pages[std::size_t(page)].push_back(AddDialogUnit(d.window, className, text, style, box, id));
}

void BuildSchemePage(ConfigDialog& d) {
  Add(d, 0, "STATIC", "方案名称:", SS_LEFT, {24, 46, 62, 20}, LabelId(2));
  Add(d, 0, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {90, 42, 220, 220},
      kConfigSchemeListId);
  for (int slot = 0; slot < kColourSlotCount; ++slot) {
    const int left = slot < 6 ? 20 : 214;
    const int top = 82 + 32 * (slot % 6);
    // Right-aligned, so that the colons line up whatever the font.
    Add(d, 0, "STATIC", kPickerLabels[std::size_t(slot)], SS_RIGHT | SS_NOPREFIX, {left, top + 3, 90, 20},
        LabelId(kPickerLabelNumbers[std::size_t(slot)]));
    Add(d, 0, "BUTTON", "", BS_OWNERDRAW | WS_TABSTOP, {left + 96, top, 84, 24}, PickerId(slot));
  }
  Add(d, 0, "BUTTON", "方案另存...", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, {298, 280, 96, 26},
      kConfigSaveSchemeId);
}

void BuildEditorPage(ConfigDialog& d) {
  Add(d, 1, "STATIC", "字体:", SS_LEFT, {24, 50, 36, 20}, LabelId(12));
  Add(d, 1, "STATIC", "", SS_LEFT | SS_NOPREFIX, {62, 50, 200, 20}, kConfigFontTextId);
  Add(d, 1, "BUTTON", "改变字体(&T)", BS_PUSHBUTTON | WS_TABSTOP, {294, 44, 100, 26}, kConfigChangeFontId);
  Add(d, 1, "STATIC", "TAB制表符空格数:", SS_LEFT, {24, 92, 110, 20}, LabelId(14));
  Add(d, 1, "EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, {136, 88, 60, 22}, kConfigTabWidthId);
  Add(d, 1, "BUTTON", "使用命令补全提示框", BS_AUTOCHECKBOX | WS_TABSTOP, {24, 126, 240, 22},
      kConfigCompletionId);
  Add(d, 1, "BUTTON", "自动缩进(有TAB符)", BS_AUTOCHECKBOX | WS_TABSTOP, {24, 156, 240, 22},
      kConfigAutoIndentId);
  Add(d, 1, "STATIC", "PowerBasic编译器路径:", SS_LEFT, {24, 198, 240, 20}, LabelId(17));
  Add(d, 1, "EDIT", "", WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, {24, 222, 292, 22}, kConfigCompilerPathId);
  Add(d, 1, "BUTTON", "浏览(&O)", BS_PUSHBUTTON | WS_TABSTOP, {324, 220, 70, 26}, kConfigBrowseId);
}

// The pages' units are the dialog's own and paint on its face colour; a tab
// control in the visual style would show a lighter body around them, so it
// keeps the classic look. uxtheme is there only when visual styles are.
void UseClassicLook(HWND unit) {
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  HMODULE theme = GetModuleHandleA("uxtheme.dll");
  FARPROC proc = theme ? GetProcAddress(theme, "SetWindowTheme") : nullptr;
  if (proc) reinterpret_cast<SetWindowThemeFn>(reinterpret_cast<void*>(proc))(unit, L" ", L" ");
}

void ShowPage(ConfigDialog& d, int page) {
  for (int p = 0; p < kPageCount; ++p) {
    for (HWND unit : d.pages[std::size_t(p)]) ShowWindow(unit, p == page ? SW_SHOW : SW_HIDE);
  }
}

void InitConfigDialog(HWND dialog, ConfigDialog& d) {
  d.window = dialog;
  const ConfigDialogModel& m = d.model;
  SetWindowTextA(dialog, kConfigCaption);
  RECT outer{0, 0, kConfigClientWidth, kConfigClientHeight};
  AdjustWindowRectEx(&outer, DWORD(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
  PlaceDialog(dialog, outer.right - outer.left, outer.bottom - outer.top);

  HWND tabs = AddDialogUnit(dialog, WC_TABCONTROLA, "", WS_CLIPSIBLINGS | WS_TABSTOP, {8, 8, 408, 310},
                            kConfigTabsId);
  UseClassicLook(tabs);
  for (int p = 0; p < kPageCount; ++p) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(kPageNames[p]);
    SendMessageA(tabs, TCM_INSERTITEMA, WPARAM(p), reinterpret_cast<LPARAM>(&item));
  }
  BuildSchemePage(d);
  BuildEditorPage(d);
  AddDialogUnit(dialog, "BUTTON", "确定(&O)", BS_DEFPUSHBUTTON | WS_TABSTOP, {248, 330, 80, 26}, IDOK);
  AddDialogUnit(dialog, "BUTTON", "取消(&C)", BS_PUSHBUTTON | WS_TABSTOP, {336, 330, 80, 26}, IDCANCEL);
  // Behind the pages' units, so that they get the clicks and paint over it.
  SetWindowPos(tabs, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  HWND list = GetDlgItem(dialog, kConfigSchemeListId);
  for (const std::string& name : m.Schemes()) SendMessageA(list, CB_ADDSTRING, 0, LPARAM(name.c_str()));
  SendMessageA(list, CB_SETCURSEL, WPARAM(m.SelectedScheme()), 0);

  SendDlgItemMessageA(dialog, kConfigTabWidthId, EM_LIMITTEXT, 8, 0);
  SetDlgItemTextA(dialog, kConfigTabWidthId, m.TabText().c_str());
  SetDlgItemTextA(dialog, kConfigFontTextId, FontDescription(m.WorkingFont(), ScreenPixelsPerInch()).c_str());
  CheckDlgButton(dialog, kConfigCompletionId, m.Completion() ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kConfigAutoIndentId, m.AutoIndent() ? BST_CHECKED : BST_UNCHECKED);
  SetDlgItemTextA(dialog, kConfigCompilerPathId, m.CompilerPath().c_str());
  ShowPage(d, 0);
  d.ready = true;
}

// ---- Events ----

void RedrawPickers(ConfigDialog& d) {
  for (int slot = 0; slot < kColourSlotCount; ++slot)
    InvalidateRect(GetDlgItem(d.window, PickerId(slot)), nullptr, FALSE);
}

void DrawPicker(ConfigDialog& d, const DRAWITEMSTRUCT& item) {
  const int slot = int(item.CtlID) - kConfigFirstPickerId;
  RECT box = item.rcItem;
  DrawEdge(item.hDC, &box, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  InflateRect(&box, -2, -2);
  FrameRect(item.hDC, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  InflateRect(&box, -1, -1);
  const OwnedHandle<HBRUSH, DeleteObject> swatch(CreateSolidBrush(d.model.Pickers().slot[std::size_t(slot)]));
  FillRect(item.hDC, &box, swatch.Get());
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&box, 2, 2);
    DrawFocusRect(item.hDC, &box);
  }
}

void ChoosePickerColour(ConfigDialog& d, int slot) {
  static COLORREF customColours[16] = {};  // kept for the rest of the run, as the system dialog expects
  CHOOSECOLORA choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = d.window;
  choice.rgbResult = d.model.Pickers().slot[std::size_t(slot)];
  choice.lpCustColors = customColours;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!late::ChooseColorA(&choice)) return;
  d.model.SetPickerColour(slot, choice.rgbResult & 0xFFFFFF);
  InvalidateRect(GetDlgItem(d.window, PickerId(slot)), nullptr, FALSE);
  EnableWindow(GetDlgItem(d.window, kConfigSaveSchemeId), d.model.SaveSchemeEnabled());
}

void SelectScheme(ConfigDialog& d) {
  const LRESULT index = SendDlgItemMessageA(d.window, kConfigSchemeListId, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  d.model.SelectScheme(int(index));
  RedrawPickers(d);
}

void Inform(HWND dialog, const char* text) {
  MessageBoxA(dialog, text, kConfigMessageCaption, MB_ICONINFORMATION);
}

void SaveSchemeAs(ConfigDialog& d) {
  for (;;) {
    const auto name = AskText(d.window, kSchemeNameCaption, kAskSchemeName);
    if (!name) return;
    const SchemeNameCheck check = CheckSchemeName(*name, d.model.Schemes());
    if (check != SchemeNameCheck::kAccepted) {
      Inform(d.window, SchemeNameRefusal(check));
      continue;
    }
    if (!d.model.SaveScheme(*name)) {
      MessageBoxA(d.window, kSchemeSaveFailed, "出错：", MB_ICONHAND);
      return;
    }
    Inform(d.window, kSchemeSaved);
    SendDlgItemMessageA(d.window, kConfigSchemeListId, CB_ADDSTRING, 0, LPARAM(name->c_str()));
    return;
  }
}

// A printer's device context for the font dialog's printer fonts; empty when
// the system has no default printer.
MemoryDcHandle DefaultPrinterDc() {
  char name[512] = {};
  DWORD size = sizeof name;
  if (!late::GetDefaultPrinterA(name, &size)) return {};
  return MemoryDcHandle(CreateDCA("WINSPOOL", name, nullptr, nullptr));
}

void ChangeFont(ConfigDialog& d) {
  LOGFONTA font{};
  static_assert(sizeof font == kFontRecordSize);
  std::memcpy(&font, d.model.WorkingFont().data(), sizeof font);
  font.lfFaceName[LF_FACESIZE - 1] = '\0';
  const MemoryDcHandle printer = DefaultPrinterDc();
  CHOOSEFONTA choice{};
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = d.window;
  choice.hDC = printer.Get();
  choice.lpLogFont = &font;
  choice.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS | CF_FORCEFONTEXIST;
  // Printer fonts need a printer to ask; without one the screen fonts are all there is.
  if (printer) choice.Flags |= CF_PRINTERFONTS;
  if (!late::ChooseFontA(&choice)) return;
  FontRecord record{};
  std::memcpy(record.data(), &font, sizeof font);
  d.model.SetWorkingFont(record);
  SetDlgItemTextA(d.window, kConfigFontTextId, FontDescription(record, ScreenPixelsPerInch()).c_str());
}

void BrowseCompiler(ConfigDialog& d) {
  static const std::string filter = DialogFilter(kCompilerFilter);
  std::vector<char> path(kPathBuffer, '\0');
  std::strcpy(path.data(), kCompilerFileName);
  const std::string folder = FolderOfPath(d.model.CompilerPath());
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = d.window;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = DWORD(path.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = kCompilerDialogTitle;
  // The current folder stays the program's, whatever folder the user browses.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  if (!late::GetOpenFileNameA(&dialog)) return;
  if (!d.model.SetCompilerPath(path.data())) {
    MessageBoxA(d.window, kCompilerPathSaveFailed, "出错：", MB_ICONHAND);
  }
  SetDlgItemTextA(d.window, kConfigCompilerPathId, path.data());
}

void Confirm(ConfigDialog& d) {
  const auto applied = d.model.Confirm();
  if (!applied) {
    Inform(d.window, kTabWidthRefused);
    TabCtrl_SetCurSel(GetDlgItem(d.window, kConfigTabsId), 1);
    ShowPage(d, 1);
    HWND edit = GetDlgItem(d.window, kConfigTabWidthId);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return;
  }
  // New brushes and font, and every editing window repainted with them.
  if (applied->drawingObjects || applied->repaint) ReplaceEditDrawingObjects(App().editor);
  EndDialog(d.window, IDOK);
}

bool OnCommand(ConfigDialog& d, int id, int code) {
  if (IsPickerId(id)) {
    if (code == BN_CLICKED) ChoosePickerColour(d, id - kConfigFirstPickerId);
    return true;
  }
  switch (id) {
    case kConfigSchemeListId:
      if (code == CBN_SELCHANGE) SelectScheme(d);
      return true;
    case kConfigSaveSchemeId:
      if (code == BN_CLICKED) SaveSchemeAs(d);
      return true;
    case kConfigChangeFontId:
      if (code == BN_CLICKED) ChangeFont(d);
      return true;
    case kConfigBrowseId:
      if (code == BN_CLICKED) BrowseCompiler(d);
      return true;
    case kConfigTabWidthId:
      if (code == EN_CHANGE && d.ready) d.model.SetTabText(ItemText(d.window, kConfigTabWidthId));
      return true;
    case kConfigCompletionId:
      if (code == BN_CLICKED) d.model.SetCompletion(IsDlgButtonChecked(d.window, id) == BST_CHECKED);
      return true;
    case kConfigAutoIndentId:
      if (code == BN_CLICKED) d.model.SetAutoIndent(IsDlgButtonChecked(d.window, id) == BST_CHECKED);
      return true;
    case IDOK:
      Confirm(d);
      return true;
    case IDCANCEL:
      EndDialog(d.window, IDCANCEL);
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        InitConfigDialog(dialog, *reinterpret_cast<ConfigDialog*>(lParam));
        return TRUE;  // the focus goes to the first unit
      case WM_COMMAND:
        return OnCommand(StateOf(dialog), LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom != kConfigTabsId || header->code != TCN_SELCHANGE) return FALSE;
        ShowPage(StateOf(dialog), TabCtrl_GetCurSel(header->hwndFrom));
        return TRUE;
      }
      case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!IsPickerId(int(wParam))) return FALSE;
        DrawPicker(StateOf(dialog), *item);
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

}  // namespace

bool ShowConfigurationDialog(HWND owner) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  AppState& app = App();
  if (!app.store) app.store = std::make_unique<RegistrySettingsStore>(app.registryRoot);
  // Both files live in the program's folder, whatever the current folder is.
  const std::string settingsPath =
      app.settingsFilePath.empty() ? InFolder(ProgramFolder(), kSettingsFileName) : app.settingsFilePath;
  IniFileWin32 settingsFile(settingsPath);
  IniFileWin32 schemes(FolderOfPath(settingsPath) + kSchemeFileName);

  ConfigDialogModel model(app.editor, *app.store, settingsFile, schemes);
  ConfigDialog state{model};
  HINSTANCE instance = owner ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE))
                             : GetModuleHandleA(nullptr);
  return RunPixelDialog(instance, owner, ConfigDialogProc, reinterpret_cast<LPARAM>(&state)) == IDOK;
}

}  // namespace quillet
