// The registry records the settings store reads at start-up, whatever bytes
// they hold: the colour record, the font record, numbers and recent files.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "common/editor_settings.h"
#include "common/gbk.h"
#include "fuzz_check.h"
#include "shell/ini_file.h"
#include "shell/settings.h"

namespace {

using namespace quillet;

void CheckRecentFiles(const SettingsStore& store, FuzzedDataProvider& in) {
  RecentFiles recent;
  recent.Load(store);
  FUZZ_CHECK(recent.Entries().size() <= RecentFiles::kMaxEntries);
  for (std::size_t k = 1; k <= recent.Entries().size(); ++k) {
    const std::string& path = recent.Entries()[k - 1];
    FUZZ_CHECK(!path.empty());
    const std::string caption = RecentFiles::Caption(k, path);
    FUZZ_CHECK(caption.size() == 3 + path.size() + std::count(path.begin(), path.end(), '&'));
  }

  const std::string added = in.ConsumeRandomLengthString(40);
  const bool changed = recent.Add(added);
  if (!added.empty()) FUZZ_CHECK(gbk::EqualsNoCase(recent.Entries().front(), added));
  if (changed) FUZZ_CHECK(recent.Entries().front() == added);
  FUZZ_CHECK(recent.Entries().size() <= RecentFiles::kMaxEntries);

  MemorySettingsStore saved;
  recent.Save(saved);
  RecentFiles back;
  back.Load(saved);
  FUZZ_CHECK(back.Entries() == recent.Entries());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  MemorySettingsStore store;
  const auto colourBytes = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 2 * kColourRecordSize));
  const auto fontBytes = in.ConsumeBytes<std::uint8_t>(in.ConsumeIntegralInRange<std::size_t>(0, 2 * kFontRecordSize));
  store.WriteBytes(kColoursPath, colourBytes);
  store.WriteBytes(kFontPath, fontBytes);
  for (const char* path : {kTabWidthPath, kCompletionPath, kAutoIndentPath}) {
    if (in.ConsumeBool()) store.WriteNumber(path, in.ConsumeIntegral<std::uint32_t>());
  }
  // A value of another type than the reader expects counts as absent.
  if (in.ConsumeBool()) store.WriteText(kTabWidthPath, in.ConsumeRandomLengthString(8));
  if (in.ConsumeBool()) store.WriteBytes(kSchemeNamePath, in.ConsumeBytes<std::uint8_t>(4));
  if (in.ConsumeBool()) store.WriteText(kCompilerPathPath, in.ConsumeRandomLengthString(80));
  for (int k = 1; k <= 10; ++k) {
    if (in.ConsumeBool()) store.WriteText("最后文件\\" + std::to_string(k), in.ConsumeRandomLengthString(60));
  }
  for (int which = 1; which <= kViewElementCount; ++which) {
    if (in.ConsumeBool()) store.WriteNumber(std::string("外观配置\\") + ViewElementName(which), in.ConsumeIntegral<std::uint32_t>());
  }
  const MemoryIniFile settingsFile(in.ConsumeRandomLengthString(200));

  FontRecord defaultFont{};
  defaultFont[0] = 0x12;
  const EditorSettings s = LoadEditorSettings(store, settingsFile, defaultFont);
  if (colourBytes.size() >= kColourRecordSize) {
    const auto encoded = EncodeColours(s.colours);
    FUZZ_CHECK(std::equal(encoded.begin(), encoded.end(), colourBytes.begin()));
  } else {
    FUZZ_CHECK(s.colours == EditorColours());
  }
  FUZZ_CHECK(s.fontLoaded);
  FUZZ_CHECK(s.font.back() == 0);
  if (fontBytes.size() >= kFontRecordSize) {
    FUZZ_CHECK(std::equal(s.font.begin(), s.font.end() - 1, fontBytes.begin()));
  } else {
    FUZZ_CHECK(s.font == defaultFont);
  }
  FUZZ_CHECK(s.EffectiveTabWidth() >= kMinTabWidth && s.EffectiveTabWidth() <= kMaxTabWidth);

  const ViewFlags flags = LoadViewFlags(store);
  FUZZ_CHECK(flags.LineNumberBarWidth() == 0 || flags.LineNumberBarWidth() == kLineNumberBarWidth);
  (void)LoadSchemeName(store);

  CheckRecentFiles(store, in);
  return 0;
}
