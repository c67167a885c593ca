// The features that plug into the main window beside the documents: compile
// and run, the configuration dialog, the keyword tree with its reference texts,
// and instant help. Each registers its commands and notification handlers at
// start-up; this is the one place that knows them all.
#pragma once

#include "shell/app_handles_win32.h"
#include "shell/menus_win32.h"

namespace quillet {

void AddFeatureParts(MainWindowParts& parts, const CommandSurface& commands);

}  // namespace quillet
