#include "shell/panels_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "common/images_win32.h"
#include "common/resources.h"
#include "shell/app_handles_win32.h"
#include "shell/documents.h"
#include "shell/splitter_win32.h"

namespace quillet {
namespace {

constexpr char kFolderFrameClass[] = "QuilletFolderFrame";
constexpr char kRuleClass[] = "QuilletRule";

// An etched rule that paints every pixel of its rectangle on each paint: a
// static control's etched line leaves its third row unpainted, which kept
// fragments of whatever lay there before a resize.
LRESULT CALLBACK RuleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  if (const PaintDc dc(window); dc) {
    RECT r{};
    GetClientRect(window, &r);
    FillRect(dc.Get(), &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc.Get(), &r, EDGE_ETCHED, r.right - r.left >= r.bottom - r.top ? BF_TOP : BF_LEFT);
  }
  return 0;
}

bool RegisterOnce(HINSTANCE instance, const char* name, WNDPROC proc, UINT style) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(instance, name, &wc)) return true;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  return RegisterClassExA(&wc) != 0;
}

HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

HWND MakeChild(HWND parent, DWORD exStyle, const char* cls, const char* text, DWORD style, int id) {
  HWND w = CreateWindowExA(exStyle, cls, text, WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), InstanceOf(parent), nullptr);
  if (w) SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return w;
}

// A picture button without a frame: the close picture, or a drawn cross when
// the program's resources lack it. Pressed, it shifts by a pixel.
void DrawCloseButton(const DRAWITEMSTRUCT& item) {
  RECT r = item.rcItem;
  FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
  const int shift = (item.itemState & ODS_SELECTED) ? 1 : 0;
  if (HBITMAP image = Units().closeImage.Get()) {
    const MemoryDcHandle memory(CreateCompatibleDC(item.hDC));
    if (!memory) return;
    const SelectedObject picture(memory.Get(), image);
    BitBlt(item.hDC, r.left + shift, r.top + shift, r.right - r.left, r.bottom - r.top, memory.Get(), 0, 0,
           SRCCOPY);
    return;
  }
  const SelectedObject pen(item.hDC, GetStockObject(DC_PEN));
  SetDCPenColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  for (int thick = 0; thick < 2; ++thick) {
    const int x = r.left + 2 + shift + thick;
    const int y = r.top + 2 + shift;
    const int span = (r.right - r.left) - 5;
    MoveToEx(item.hDC, x, y, nullptr);
    LineTo(item.hDC, x + span, y + span);
    MoveToEx(item.hDC, x + span - 1, y, nullptr);
    LineTo(item.hDC, x - 1, y + span);
  }
}

// The two folders pass their children's commands and notifications on to the
// main window, so that every part finds them in one place.
LRESULT CALLBACK FolderFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_BUTTON) break;
        DrawCloseButton(*item);
        return TRUE;
      }
      case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == kIdWorkTabs && header->code == TCN_SELCHANGE) {
          SelectWorkTab(static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
        }
        return SendMessageA(GetParent(frame), message, wParam, lParam);
      }
      case WM_COMMAND:
      case WM_CONTEXTMENU:
        return SendMessageA(GetParent(frame), message, wParam, lParam);
      default:
        break;
    }
  } catch (...) {
    return 0;
  }
  return DefWindowProcA(frame, message, wParam, lParam);
}

// The completion prompt never keeps the keyboard focus: it goes straight back to the editor.
WNDPROC gTreeProc = nullptr;

// A click on an item selects it and tells the main window (NM_CLICK), without
// the tree's own handling: that would take the focus, and the editing window
// ends the prompt when it loses the focus.
void ClickCompletionItem(HWND list, LPARAM lParam) {
  TVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  auto* item = reinterpret_cast<HTREEITEM>(SendMessageA(list, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (!item || !(hit.flags & TVHT_ONITEM)) return;
  SendMessageA(list, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
  NMHDR header{list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), static_cast<UINT>(NM_CLICK)};
  SendMessageA(GetParent(list), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT CALLBACK CompletionListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    switch (message) {
      case WM_SETFOCUS:
        if (Parts().focusEditWindow) Parts().focusEditWindow();
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        ClickCompletionItem(list, lParam);
        return 0;
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDOWN:
        return 0;
      default:
        break;
    }
  } catch (...) {
    return 0;
  }
  return CallWindowProcA(gTreeProc, list, message, wParam, lParam);
}

HWND MakeTree(HWND parent, int id, DWORD extraStyle) {
  return MakeChild(parent, WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                   WS_CLIPSIBLINGS | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | extraStyle,
                   id);
}

HWND MakeCloseButton(HWND frame, int id) {
  return MakeChild(frame, 0, "BUTTON", "", WS_VISIBLE | BS_OWNERDRAW, id);
}

// A bare toolbar holds 工具条1's place while no command part supplies it.
HWND MakeStandInToolbar(HWND main) {
  HWND bar = MakeChild(main, 0, TOOLBARCLASSNAMEA, "",
                       WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NORESIZE | CCS_NOPARENTALIGN |
                           CCS_NODIVIDER,
                       kIdToolbar);
  if (bar) SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  return bar;
}

// The designed width, or more where the panel's widest text needs it.
int StatusPanelWidth(HWND bar, int panel) {
  const int designed = kStatusPanelWidths[panel];
  if (panel < 1 || panel > 3) return designed;
  const std::string text = WidestStatusPanelTexts()[static_cast<std::size_t>(panel - 1)];
  HDC dc = GetDC(bar);
  if (!dc) return designed;
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(bar, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(bar, dc);
  return std::max(designed, static_cast<int>(size.cx) + kStatusTextPadding);
}

HWND MakeStatusBar(HWND main) {
  HWND bar = MakeChild(main, 0, STATUSCLASSNAMEA, "", WS_CLIPSIBLINGS, kIdStatusBar);
  if (!bar) return nullptr;
  int edges[kStatusPanelCount];
  int right = 0;
  for (int i = 0; i < kStatusPanelCount; ++i) edges[i] = right += StatusPanelWidth(bar, i);
  SendMessageA(bar, SB_SETPARTS, kStatusPanelCount, reinterpret_cast<LPARAM>(edges));
  for (int i = 0; i < kStatusPanelCount; ++i) {
    SendMessageA(bar, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(kStatusPanelTexts[i]));
  }
  return bar;
}

void AddTab(HWND tabs, int index, const char* text) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(text);
  SendMessageA(tabs, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
}

bool MakeWorkFolder(MainUnits& u) {
  u.workFolder = MakeChild(u.main, 0, kFolderFrameClass, "", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, kIdWorkFolder);
  if (!u.workFolder) return false;
  u.workTabs = MakeChild(u.workFolder, 0, WC_TABCONTROLA, "", WS_VISIBLE | WS_CLIPSIBLINGS, kIdWorkTabs);
  // The trees lie over the tab control's page, above it in the z-order.
  u.libraryTree = MakeTree(u.workFolder, kIdLibraryTree, 0);
  u.procedureTree = MakeTree(u.workFolder, kIdProcedureTree, 0);
  u.workRule = MakeChild(u.workFolder, 0, kRuleClass, "", 0, kIdWorkRule);
  u.workCloseButton = MakeCloseButton(u.workFolder, kIdWorkCloseButton);
  if (!u.workTabs || !u.libraryTree || !u.procedureTree || !u.workRule || !u.workCloseButton) return false;
  AddTab(u.workTabs, kLibraryTab, "函数库");
  AddTab(u.workTabs, kProcedureTab, "程序集");
  return true;
}

bool MakeStatusFolder(MainUnits& u) {
  u.statusFolder = MakeChild(u.main, 0, kFolderFrameClass, "", WS_CLIPCHILDREN | WS_CLIPSIBLINGS, kIdStatusFolder);
  if (!u.statusFolder) return false;
  u.statusCloseButton = MakeCloseButton(u.statusFolder, kIdStatusCloseButton);
  u.statusRule = MakeChild(u.statusFolder, 0, kRuleClass, "", 0, kIdStatusRule);
  u.helpText = MakeChild(u.statusFolder, WS_EX_CLIENTEDGE, "EDIT", "",
                         WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kIdHelpText);
  return u.statusCloseButton && u.statusRule && u.helpText;
}

}  // namespace

bool RegisterPanelClasses(HINSTANCE instance) {
  return RegisterOnce(instance, kFolderFrameClass, FolderFrameProc, 0) &&
         RegisterOnce(instance, kRuleClass, RuleProc, CS_HREDRAW | CS_VREDRAW) && RegisterSplitterClass(instance);
}

bool CreateMainUnits(HWND main) {
  MainUnits& u = Units();
  u.main = main;
  u.closeImage = LoadFaceBitmap(InstanceOf(main), kPanelCloseResource);
  u.treeImages = LoadImageStrip(InstanceOf(main), kTreeImagesResource, 16);
  u.toolbar = Parts().createToolbar ? Parts().createToolbar(main) : MakeStandInToolbar(main);
  u.statusBar = MakeStatusBar(main);
  if (!u.toolbar || !u.statusBar || !MakeWorkFolder(u) || !MakeStatusFolder(u)) return false;
  u.tabStrip = MakeChild(main, 0, WC_TABCONTROLA, "", WS_CLIPSIBLINGS | TCS_TOOLTIPS, kIdTabStrip);
  u.workSplitter = CreateSplitter(main, kIdWorkSplitter, SplitterAxis::kVertical);
  u.statusSplitter = CreateSplitter(main, kIdStatusSplitter, SplitterAxis::kHorizontal);
  u.completionList = MakeTree(main, kIdCompletionList, 0);
  if (!u.tabStrip || !u.workSplitter || !u.statusSplitter || !u.completionList) return false;
  gTreeProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(u.completionList, GWLP_WNDPROC,
                                                          reinterpret_cast<LONG_PTR>(CompletionListProc)));
  for (HWND tree : {u.libraryTree, u.procedureTree, u.completionList}) {
    SendMessageA(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(u.treeImages.Get()));
  }
  SelectWorkTab(kLibraryTab);
  return true;
}

void SelectWorkTab(int index) {
  const MainUnits& u = Units();
  if (!u.workTabs || (index != kLibraryTab && index != kProcedureTab)) return;
  SendMessageA(u.workTabs, TCM_SETCURSEL, index, 0);
  ShowWindow(u.libraryTree, index == kLibraryTab ? SW_SHOWNA : SW_HIDE);
  ShowWindow(u.procedureTree, index == kProcedureTab ? SW_SHOWNA : SW_HIDE);
}

}  // namespace quillet
