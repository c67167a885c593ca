#include "common/late_bound_win32.h"

#include <winspool.h>

namespace quillet::late {
namespace {

// The library stays loaded for the rest of the process, as an import would.
template <typename Function>
Function Bind(const char* library, const char* name) {
  HMODULE module = LoadLibraryA(library);
  return module != nullptr ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                           : nullptr;
}

// Calls the system's function of the same name, bound once.
#define QUILLET_LATE_CALL(library, function, ...)                                        \
  static const auto bound = Bind<decltype(&::function)>(library, #function);             \
  if (bound == nullptr) {                                                                \
    SetLastError(ERROR_PROC_NOT_FOUND);                                                  \
    return FALSE;                                                                        \
  }                                                                                      \
  return bound(__VA_ARGS__)

}  // namespace

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog) { QUILLET_LATE_CALL("comdlg32.dll", GetOpenFileNameA, dialog); }
BOOL GetSaveFileNameA(OPENFILENAMEA* dialog) { QUILLET_LATE_CALL("comdlg32.dll", GetSaveFileNameA, dialog); }
BOOL PrintDlgA(PRINTDLGA* dialog) { QUILLET_LATE_CALL("comdlg32.dll", PrintDlgA, dialog); }
BOOL ChooseColorA(CHOOSECOLORA* choice) { QUILLET_LATE_CALL("comdlg32.dll", ChooseColorA, choice); }
BOOL ChooseFontA(CHOOSEFONTA* choice) { QUILLET_LATE_CALL("comdlg32.dll", ChooseFontA, choice); }
BOOL GetDefaultPrinterA(char* name, DWORD* size) {
  QUILLET_LATE_CALL("winspool.drv", GetDefaultPrinterA, name, size);
}

}  // namespace quillet::late
