#include "common/default_font_win32.h"

#include <windows.h>

#include <cstring>

namespace quillet {

FontRecord DefaultGuiFontRecord() {
  LOGFONTA lf{};
  static_assert(sizeof lf == kFontRecordSize);
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  FontRecord record{};
  std::memcpy(record.data(), &lf, sizeof lf);
  return record;
}

}  // namespace quillet
