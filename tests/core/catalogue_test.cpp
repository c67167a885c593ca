#include "reference/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

namespace quillet {
namespace {

TEST(Catalogue, CategoriesHoldTheirEntriesByKind) {
  // Entries of kinds 0..4 in each category, in tree order.
  constexpr std::array<std::array<int, 5>, kCatalogueCategoryCount> kKinds = {{
      {13, 1, 0, 0, 0}, {0, 1, 11, 5, 0}, {1, 17, 4, 0, 0}, {5, 15, 7, 1, 0}, {0, 0, 7, 0, 0},
      {2, 8, 5, 0, 0},  {0, 3, 7, 0, 0},  {0, 8, 2, 0, 0},  {1, 44, 7, 0, 0}, {2, 1, 0, 0, 0},
      {0, 5, 10, 0, 0}, {2, 4, 41, 0, 0}, {0, 0, 42, 0, 0}, {0, 1, 64, 0, 0}, {0, 6, 27, 0, 0},
      {0, 2, 5, 0, 0},  {4, 1, 4, 1, 0},  {0, 6, 17, 0, 0}, {0, 41, 1, 0, 0}, {0, 5, 7, 0, 0},
      {1, 3, 7, 0, 0},  {0, 0, 16, 0, 0}, {0, 1, 8, 0, 0},  {0, 2, 1, 0, 0},  {7, 0, 13, 6, 0},
      {0, 14, 1, 0, 0}, {0, 0, 0, 0, 17}, {0, 0, 0, 0, 67},
  }};
  ASSERT_EQ(CatalogueCategories().size(), 28u);
  std::array<int, 5> totals{};
  std::size_t seen = 0;
  for (int c = 1; c <= kCatalogueCategoryCount; ++c) {
    std::array<int, 5> kinds{};
    for (const CatalogueEntry& e : EntriesOfCategory(c)) {
      ASSERT_EQ(e.category, c);
      ASSERT_LE(e.kind, 4);
      ++kinds[e.kind];
      ++totals[e.kind];
      ++seen;
    }
    EXPECT_EQ(kinds, kKinds[static_cast<std::size_t>(c - 1)]) << "category " << c;
  }
  EXPECT_EQ(seen, CatalogueEntries().size());
  EXPECT_EQ(totals, (std::array<int, 5>{38, 189, 314, 13, 84}));
  EXPECT_TRUE(EntriesOfCategory(0).empty());
  EXPECT_TRUE(EntriesOfCategory(29).empty());
}

TEST(Catalogue, ImagesOfCategoriesAndEntries) {
  const auto categories = CatalogueCategories();
  EXPECT_EQ(categories[0].name, "预编译命令");
  EXPECT_EQ(categories[26].name, "数据类型");
  EXPECT_EQ(categories[27].name, "常量");
  for (int c = 1; c <= kCatalogueCategoryCount; ++c) {
    const int image = categories[static_cast<std::size_t>(c - 1)].image;
    EXPECT_EQ(image, c == 27 ? 5 : c == 28 ? 6 : 1) << c;
    for (const CatalogueEntry& e : EntriesOfCategory(c)) {
      EXPECT_EQ(EntryImage(e), c == 27 ? 3 : c == 28 ? 7 : 2) << e.text;
    }
  }
}

TEST(Catalogue, RecordNumbersFollowTheNumberingRule) {
  // Kinds 0..3 in byte order of their texts with "%DEF" first, then kind 4 in tree order.
  std::vector<const CatalogueEntry*> ordered;
  std::vector<const CatalogueEntry*> typesAndConstants;
  for (const CatalogueEntry& e : CatalogueEntries())
    (e.kind == 4 ? typesAndConstants : ordered).push_back(&e);
  std::sort(ordered.begin(), ordered.end(), [](const CatalogueEntry* a, const CatalogueEntry* b) {
    return std::make_pair(a->text != "%DEF", a->text) < std::make_pair(b->text != "%DEF", b->text);
  });
  ordered.insert(ordered.end(), typesAndConstants.begin(), typesAndConstants.end());
  ASSERT_EQ(ordered.size(), 638u);
  std::set<int> records;
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    EXPECT_EQ(ordered[i]->record, static_cast<int>(i) + 1) << ordered[i]->text;
    records.insert(ordered[i]->record);
    EXPECT_EQ(EntryOfRecord(ordered[i]->record), ordered[i]);
  }
  EXPECT_EQ(records.size(), 638u);
  EXPECT_EQ(EntryOfRecord(0), nullptr);
  EXPECT_EQ(EntryOfRecord(639), nullptr);
}

TEST(Catalogue, AnchorsAndExactTexts) {
  const std::vector<std::pair<int, std::string>> anchors = {
      {1, "%DEF"},          {2, "#BLOAT"},      {16, "ABS"},      {42, "CALL"},
      {200, "DO ...LOOP "}, {289, "IF  THEN "}, {554, "XPRINT$"}, {555, "INTEGER"},
      {571, "DISPATCH"},    {572, "%PB_CC32"},  {638, "%LTGRAY"}};
  for (const auto& [record, text] : anchors) EXPECT_EQ(EntryOfRecord(record)->text, text) << record;

  std::set<std::string> texts;
  for (const CatalogueEntry& e : CatalogueEntries()) texts.insert(std::string(e.text));
  for (const char* text : {"SELECT CASE ...\tCASE ...END SELECT", "ON   GOTO", "SHIFT  LEFT",
                           "CONTROL GET CHECK ", "#IF  ...#ENDIF", "TRY...CATCH...END TRY"}) {
    EXPECT_TRUE(texts.count(text)) << text;
  }
  // The conversion functions of category 19: CVDWD between CVD and CVE, CVWRD once.
  std::vector<std::string> conversions;
  for (const CatalogueEntry& e : EntriesOfCategory(19)) conversions.emplace_back(e.text);
  const auto cvd = std::find(conversions.begin(), conversions.end(), "CVD");
  ASSERT_NE(cvd, conversions.end());
  EXPECT_EQ(*(cvd + 1), "CVDWD");
  EXPECT_EQ(*(cvd + 2), "CVE");
  EXPECT_EQ(std::count(conversions.begin(), conversions.end(), "CVWRD"), 1);
}

TEST(Catalogue, PackedValueKeepsKindAndRecord) {
  for (const CatalogueEntry& e : CatalogueEntries()) {
    const std::uint32_t value = PackEntryValue(e);
    EXPECT_EQ(value, e.kind * 65536u + e.record);
    EXPECT_EQ(KindOfValue(value), e.kind);
    EXPECT_EQ(RecordOfValue(value), e.record);
  }
}

}  // namespace
}  // namespace quillet
