// The keyword tree 函数库 and instant help on the Windows side: the tree
// mirrors the catalogue, and its selection, double-click and right-click reach
// the portable catalogue help and templates.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "reference/catalogue_help.h"

namespace quillet {

class CodeDocument;
class KeywordDatabase;

// Fills an empty tree with the root, the 28 categories and the 638 entries,
// each with its image and packed value. False when an item could not be added.
bool FillCatalogueTree(HWND tree);

struct CatalogueItem {
  HTREEITEM item = nullptr;  // null: no item (taken as the root)
  CatalogueLevel level = CatalogueLevel::Root;
  std::uint32_t value = 0;
  std::string text;
};

CatalogueItem SelectedCatalogueItem(HWND tree);
// The item under a screen point, or none.
CatalogueItem CatalogueItemAt(HWND tree, POINT screen);

// The selected item's help into the help box (empty while the database is closed).
void ShowCatalogueHelp(HWND tree, HWND helpText, const KeywordDatabase* database);

// The selected entry's template into the document; then the caller focuses its window.
void InsertSelectedTemplate(HWND tree, CodeDocument& document);

// Instant help for the document's selected word; nothing without one. The
// waiting text is painted before the scan.
void ShowInstantHelp(CodeDocument& document, HWND helpText, const KeywordDatabase* database);

}  // namespace quillet
