#include "shell/menus_win32.h"

#include <array>

#include "common/images_win32.h"
#include "common/keyboard_win32.h"
#include "common/resources.h"
#include "editor/edit_window_win32.h"
#include "shell/app_state.h"

namespace quillet {

static_assert(kKeyDelete == VK_DELETE && kKeyF1 == VK_F1);

namespace {

UINT EnabledFlag(int command) { return IsCommandAvailable(command) ? MF_ENABLED : MF_GRAYED; }

bool AppendNodes(HMENU menu, std::span<const MenuNode> nodes) {
  for (const MenuNode& node : nodes) {
    switch (node.kind) {
      case MenuNodeKind::kSeparator:
        if (!AppendMenuA(menu, MF_SEPARATOR, 0, nullptr)) return false;
        break;
      case MenuNodeKind::kCommand:
        if (!AppendMenuA(menu, MF_STRING | EnabledFlag(node.command), UINT_PTR(node.command),
                         MenuItemText(node).c_str())) {
          return false;
        }
        break;
      case MenuNodeKind::kSubmenu: {
        MenuHandle submenu(CreatePopupMenu());
        if (!submenu || !AppendNodes(submenu.Get(), node.children)) return false;
        if (!AppendMenuA(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Get()), node.caption)) {
          return false;
        }
        submenu.Release();  // now part of menu
        break;
      }
    }
  }
  return true;
}

MenuHandle BuildMenu(HMENU empty, std::span<const MenuNode> nodes) {
  MenuHandle menu(empty);
  if (!menu || !AppendNodes(menu.Get(), nodes)) return {};
  return menu;
}

BYTE ToolbarButtonStyle(ToolbarStyle style) {
  switch (style) {
    case ToolbarStyle::kDropDown:
      return BTNS_BUTTON | BTNS_DROPDOWN;
    case ToolbarStyle::kCheck:
      return BTNS_CHECK;
    case ToolbarStyle::kSeparator:
      return BTNS_SEP;
    case ToolbarStyle::kButton:
      break;
  }
  return BTNS_BUTTON;
}

bool IsEditingWindow(HWND window) {
  char className[16] = {};
  return window && GetClassNameA(window, className, sizeof className) && lstrcmpA(className, kEditClassName) == 0;
}

static_assert(kModCtrl == 1 && kModShift == 2 && kModAlt == 4, "HeldModifiers() uses these bits");

void PopUpUnderButton(HWND owner, HWND toolbar, int command, HMENU menu) {
  RECT button{};
  if (!menu || !SendMessageA(toolbar, TB_GETRECT, WPARAM(command), reinterpret_cast<LPARAM>(&button))) return;
  MapWindowPoints(toolbar, HWND_DESKTOP, reinterpret_cast<POINT*>(&button), 2);
  TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, button.left, button.bottom, 0, owner,
                 nullptr);
}

}  // namespace

MenuHandle BuildMenuBar() { return BuildMenu(CreateMenu(), MenuBarTree()); }

MenuHandle BuildPopupMenu(PopupMenuKind kind) { return BuildMenu(CreatePopupMenu(), PopupMenuTree(kind)); }

AcceleratorHandle BuildAcceleratorTable() {
  std::vector<ACCEL> table;
  for (const CommandInfo& info : AllCommands()) {
    const Accelerator& key = info.accelerator;
    if (key.key == 0) continue;
    BYTE flags = FVIRTKEY;
    if (key.modifiers & kModCtrl) flags |= FCONTROL;
    if (key.modifiers & kModShift) flags |= FSHIFT;
    if (key.modifiers & kModAlt) flags |= FALT;
    table.push_back({flags, key.key, WORD(info.id)});
  }
  return AcceleratorHandle(CreateAcceleratorTableA(table.data(), int(table.size())));
}

HMENU FindSubmenu(HMENU menu, std::string_view caption) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    HMENU submenu = GetSubMenu(menu, i);
    if (!submenu) continue;
    char text[128] = {};
    GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
    if (caption == text) return submenu;
    if (HMENU inner = FindSubmenu(submenu, caption)) return inner;
  }
  return nullptr;
}

void RefreshRecentFileMenu(HMENU recentMenu, const std::vector<std::string>& paths) {
  for (int i = GetMenuItemCount(recentMenu) - 1; i >= 0; --i) {
    if (RecentFileIndex(int(GetMenuItemID(recentMenu, i)))) DeleteMenu(recentMenu, UINT(i), MF_BYPOSITION);
  }
  for (std::size_t k = 1; k <= paths.size() && k <= std::size_t(kRecentFileItemCount); ++k) {
    CommandId command = RecentFileCommand(int(k));
    AppendMenuA(recentMenu, MF_STRING | EnabledFlag(command), UINT_PTR(command),
                RecentFiles::Caption(k, paths[k - 1]).c_str());
  }
}

HWND CreateMainToolbar(HWND parent, HINSTANCE instance, int controlId, HIMAGELIST images) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  RECT client{};
  GetClientRect(parent, &client);
  HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                     CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                                 0, 0, client.right, kToolbarHeight, parent,
                                 reinterpret_cast<HMENU>(INT_PTR(controlId)), instance, nullptr);
  if (!toolbar) return nullptr;
  SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  if (images) SendMessageA(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));

  std::array<TBBUTTON, kToolbarEntryCount> buttons{};
  auto entries = ToolbarEntries();
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const ToolbarEntry& entry = entries[i];
    TBBUTTON& button = buttons[i];
    button.fsStyle = ToolbarButtonStyle(entry.style);
    if (entry.style == ToolbarStyle::kSeparator) continue;
    button.iBitmap = entry.image;
    button.idCommand = entry.command;
    button.fsState = IsCommandAvailable(entry.command) ? TBSTATE_ENABLED : 0;
    button.iString = -1;
  }
  SendMessageA(toolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  return toolbar;
}

bool HandleToolbarNotify(HWND owner, HWND toolbar, HMENU menuBar, NMHDR* header, LRESULT& result) {
  if (!header || !toolbar) return false;
  const HWND tooltips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
  switch (header->code) {
    case TBN_DROPDOWN: {
      if (header->hwndFrom != toolbar) return false;
      const int command = reinterpret_cast<NMTOOLBARA*>(header)->iItem;
      const char* caption = command == kCmdNew    ? kNewAsMenuCaption
                            : command == kCmdOpen ? kRecentFileMenuCaption
                                                  : nullptr;
      if (caption) PopUpUnderButton(owner, toolbar, command, FindSubmenu(menuBar, caption));
      result = TBDDRET_DEFAULT;
      return true;
    }
    case TBN_GETINFOTIPA: {
      auto* tip = reinterpret_cast<NMTBGETINFOTIPA*>(header);
      const char* text = ToolbarTooltip(tip->iItem);
      if (header->hwndFrom != toolbar || !text || !tip->pszText || tip->cchTextMax <= 0) return false;
      lstrcpynA(tip->pszText, text, tip->cchTextMax);
      result = 0;
      return true;
    }
    case TTN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
      if ((header->hwndFrom != tooltips && header->hwndFrom != toolbar) || (info->uFlags & TTF_IDISHWND)) {
        return false;
      }
      const char* text = ToolbarTooltip(int(header->idFrom));
      if (!text) return false;
      info->lpszText = const_cast<char*>(text);
      info->hinst = nullptr;
      result = 0;
      return true;
    }
    default:
      return false;
  }
}

void ShowPopupMenu(HWND owner, HMENU menu, POINT screen) {
  if (menu) TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, owner, nullptr);
}

bool RequestedViewState(HMENU menuBar, HWND toolbar, int command, HWND source) {
  if (source && source == toolbar) return SendMessageA(toolbar, TB_ISBUTTONCHECKED, WPARAM(command), 0) != 0;
  return (GetMenuState(menuBar, UINT(command), MF_BYCOMMAND) & MF_CHECKED) == 0;
}

void MirrorViewFlags(HMENU menuBar, HWND toolbar, const ViewFlags& flags) {
  for (int which = 1; which <= kViewElementCount; ++which) {
    CheckMenuItem(menuBar, UINT(ViewCommand(which)), MF_BYCOMMAND | (flags.IsShown(which) ? MF_CHECKED : MF_UNCHECKED));
  }
  if (!toolbar) return;
  for (int which : {int(kViewWorkFolder), int(kViewStatusFolder)}) {
    SendMessageA(toolbar, TB_CHECKBUTTON, WPARAM(ViewCommand(which)), MAKELPARAM(flags.IsShown(which), 0));
  }
}

void ShowCommandStates(HMENU menu, HWND toolbar, const CommandRegistry& registry) {
  for (const CommandInfo& info : AllCommands()) {
    const bool on = registry.IsEnabled(info.id);
    if (menu) EnableMenuItem(menu, UINT(info.id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    if (toolbar && ToolbarTooltip(info.id)) {
      const bool shown = SendMessageA(toolbar, TB_ISBUTTONENABLED, WPARAM(info.id), 0) != 0;
      if (shown != on) SendMessageA(toolbar, TB_ENABLEBUTTON, WPARAM(info.id), MAKELPARAM(on, 0));
    }
  }
}

bool TranslateShellAccelerator(HWND mainWindow, HACCEL accelerators, MSG& msg) {
  if (!mainWindow || !accelerators) return false;
  if (msg.hwnd != mainWindow && !IsChild(mainWindow, msg.hwnd)) return false;
  // An edit key typed into a tree or a text box stays with that control.
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && !IsEditingWindow(msg.hwnd) &&
      IsEditingKey({WORD(msg.wParam), static_cast<BYTE>(HeldModifiers())})) {
    return false;
  }
  return TranslateAcceleratorA(mainWindow, accelerators, &msg) != 0;
}

HWND CommandSurface::CreateToolbar(HWND mainWindow, HINSTANCE instance, int toolbarId) {
  owner = mainWindow;
  for (PopupMenuKind kind : kAllPopupMenus) popups[int(kind)] = BuildPopupMenu(kind);
  accelerators = BuildAcceleratorTable();
  toolbarImages = LoadImageStrip(instance, kToolbarImagesResource, 16);
  toolbar = CreateMainToolbar(mainWindow, instance, toolbarId, toolbarImages.Get());
  return toolbar;
}

bool CommandSurface::Create(HWND mainWindow, HINSTANCE instance, int toolbarId) {
  MenuHandle bar = BuildMenuBar();
  const bool attached = bar && SetMenu(mainWindow, bar.Get());
  if (attached) bar.Release();
  CreateToolbar(mainWindow, instance, toolbarId);
  bool popupsMade = true;
  for (const MenuHandle& popup : popups) popupsMade = popupsMade && popup;
  return attached && popupsMade && accelerators && toolbar;
}

void CommandSurface::ShowRecentFiles(const std::vector<std::string>& paths) const {
  if (HMENU recent = FindSubmenu(MenuBar(), kRecentFileMenuCaption)) RefreshRecentFileMenu(recent, paths);
}

}  // namespace quillet
