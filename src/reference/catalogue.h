// The fixed catalogue of the reference tree: a root, 28 categories and 638
// entries. Each entry names its record in the keyword database and its kind,
// which decides how its help is laid out and which template it inserts. The
// tree control only mirrors this data.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quillet {

inline constexpr char kCatalogueRootText[] = "PowerBASIC函数命令";
inline constexpr int kCatalogueRootImage = 0;
inline constexpr int kCatalogueCategoryCount = 28;
inline constexpr int kCatalogueEntryCount = 638;
// Records 1 to 554 belong to kinds 0 to 3, records 555 to 638 to kind 4.
inline constexpr int kFirstTypeOrConstantRecord = 555;

// Entry kinds, as stored in the high 16 bits of an entry's item value.
enum EntryKind : int {
  kEntryAsIs = 0,            // directive, operator word or system name
  kEntryFunction = 1,        // inserted as " NAME ()"
  kEntryStatement = 2,       // inserted on a new line below the caret's
  kEntryBlock = 3,           // "..." marks where the body goes
  kEntryTypeOrConstant = 4,  // data types and constants: short help layout
};

struct CatalogueCategory {
  std::string_view name;
  int image;       // of the category item
  int entryImage;  // of its entries
};

struct CatalogueEntry {
  std::uint8_t category;  // 1-based, as the category's item value
  std::uint8_t kind;      // EntryKind
  std::uint16_t record;   // 1-based record of the keyword database
  std::string_view text;  // exact item text: TABs and doubled or trailing blanks count
};

// In tree order; category k (its item value) is element k - 1.
std::span<const CatalogueCategory> CatalogueCategories();
// In tree order, grouped by category.
std::span<const CatalogueEntry> CatalogueEntries();
// The entries of category 1..28 in tree order; empty for other numbers.
std::span<const CatalogueEntry> EntriesOfCategory(int category);
// The entry that owns a record number; null when none does.
const CatalogueEntry* EntryOfRecord(int record);

int EntryImage(const CatalogueEntry& entry);

// An entry's item value: kind in the high 16 bits, record in the low 16.
constexpr std::uint32_t PackEntryValue(int kind, int record) {
  return (static_cast<std::uint32_t>(kind) << 16) | (static_cast<std::uint32_t>(record) & 0xFFFFu);
}
constexpr std::uint32_t PackEntryValue(const CatalogueEntry& entry) {
  return PackEntryValue(entry.kind, entry.record);
}
constexpr int KindOfValue(std::uint32_t value) { return static_cast<int>(value >> 16); }
constexpr int RecordOfValue(std::uint32_t value) { return static_cast<int>(value & 0xFFFFu); }

}  // namespace quillet
