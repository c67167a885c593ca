#include "shell/app_handles_win32.h"

namespace quillet {

MainUnits& Units() {
  static MainUnits units;
  return units;
}

MainWindowParts& Parts() {
  static MainWindowParts parts;
  return parts;
}

}  // namespace quillet
