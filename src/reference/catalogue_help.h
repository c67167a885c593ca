// What the reference tree does when an item is selected or an entry is sent to
// the editor. The tree's window code only works out the item's level and value
// and calls these.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

class CodeDocument;
class KeywordDatabase;

inline constexpr char kCatalogueRootHelp[] = "点击命令函数名，查看帮助说明";
inline constexpr char kCatalogueCategoryHelp[] = "命令类别将命令分为若干类，以便于用户寻找所需要的命令。";

// The level of a tree item, decided by its parent: none means the root, the
// root means a category, anything else an entry.
enum class CatalogueLevel { Root, Category, Entry };

constexpr CatalogueLevel LevelOfItem(bool hasParent, bool parentIsRoot) {
  if (!hasParent) return CatalogueLevel::Root;
  return parentIsRoot ? CatalogueLevel::Category : CatalogueLevel::Entry;
}

// The whole new content of 帮助信息栏 for a selected item (the root also when
// nothing is selected); value is the item's value. Empty when the database is
// not open (null) or lacks the entry's record.
std::string CatalogueHelpText(const KeywordDatabase* database, CatalogueLevel level, std::uint32_t value);

// Inserts the usage template of an entry with text and kind at the caret of
// doc, as the End and Enter keys and typing would. The caller then gives the
// edit window the focus.
void InsertCatalogueTemplate(CodeDocument& doc, std::string_view text, int kind);

// A block entry's text with each "..." replaced by an empty body indented by
// indent + 1 TABs, the text after it indented by indent TABs.
std::string BlockTemplate(std::string_view text, int indent);

}  // namespace quillet
