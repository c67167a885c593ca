#include "reference/catalogue_win32.h"

#include "common/tree_view_win32.h"
#include "editor/code_document.h"
#include "reference/catalogue.h"
#include "reference/instant_help.h"

namespace quillet {
namespace {

CatalogueItem Describe(HWND tree, HTREEITEM item) {
  CatalogueItem out;
  LPARAM value = 0;
  if (!ReadTreeItem(tree, item, out.text, value)) return {};
  const auto parent = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT,
                                                               reinterpret_cast<LPARAM>(item)));
  const bool parentIsRoot =
      parent && !SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(parent));
  out.item = item;
  out.level = LevelOfItem(parent != nullptr, parentIsRoot);
  out.value = static_cast<std::uint32_t>(value);
  return out;
}

void SetHelpText(HWND helpText, const std::string& text) {
  if (helpText) SetWindowTextA(helpText, text.c_str());
}

}  // namespace

bool FillCatalogueTree(HWND tree) {
  if (!tree) return false;
  // Redrawing once at the end keeps 667 insertions from repainting 667 times.
  SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
  bool complete = false;
  if (HTREEITEM root = AddTreeItem(tree, TVI_ROOT, kCatalogueRootText, kCatalogueRootImage, 0)) {
    complete = true;
    const auto categories = CatalogueCategories();
    for (int c = 1; c <= static_cast<int>(categories.size()) && complete; ++c) {
      const CatalogueCategory& category = categories[c - 1];
      HTREEITEM folder = AddTreeItem(tree, root, category.name, category.image, static_cast<std::uint32_t>(c));
      complete = folder != nullptr;
      for (const CatalogueEntry& entry : EntriesOfCategory(c)) {
        if (!complete) break;
        complete = AddTreeItem(tree, folder, entry.text, EntryImage(entry), PackEntryValue(entry)) != nullptr;
      }
    }
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
  }
  SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree, nullptr, TRUE);
  return complete;
}

CatalogueItem SelectedCatalogueItem(HWND tree) {
  return Describe(tree, SelectedTreeItem(tree));
}

CatalogueItem CatalogueItemAt(HWND tree, POINT screen) {
  TVHITTESTINFO hit{};
  hit.pt = screen;
  ScreenToClient(tree, &hit.pt);
  const auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  return (hit.flags & TVHT_ONITEM) ? Describe(tree, item) : CatalogueItem{};
}

void ShowCatalogueHelp(HWND tree, HWND helpText, const KeywordDatabase* database) {
  const CatalogueItem selected = SelectedCatalogueItem(tree);
  SetHelpText(helpText, CatalogueHelpText(database, selected.level, selected.value));
}

void InsertSelectedTemplate(HWND tree, CodeDocument& document) {
  const CatalogueItem selected = SelectedCatalogueItem(tree);
  if (selected.item) InsertCatalogueTemplate(document, selected.text, KindOfValue(selected.value));
}

void ShowInstantHelp(CodeDocument& document, HWND helpText, const KeywordDatabase* database) {
  if (!database) {
    SetHelpText(helpText, kInstantHelpNotOpen);
    return;
  }
  const std::string word = document.GetSelectedText();
  if (word.empty()) return;
  SetHelpText(helpText, InstantHelpWaitingText(word));
  if (helpText) UpdateWindow(helpText);
  SetHelpText(helpText, InstantHelpText(*database, word));
}

}  // namespace quillet
