// The system's default GUI font as a font record: the font that fresh settings
// start with and that stands in when a stored font cannot be made. Both the
// settings (shell) and the edit window class (editor) need it.
#pragma once

#include "common/editor_settings.h"

namespace quillet {

// The LOGFONTA of the stock DEFAULT_GUI_FONT, as the 60-byte record.
FontRecord DefaultGuiFontRecord();

}  // namespace quillet
