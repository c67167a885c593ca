// The common dialogs and the print spooler, bound at their first use. As
// imports they were loaded at every start, and under Wine they bring the
// shell and COM libraries along: milliseconds before the first window, for
// dialogs most sessions never open. A library that cannot be loaded answers
// as a cancelled dialog would.
#pragma once

#include <windows.h>

#include <commdlg.h>

namespace quillet::late {

BOOL GetOpenFileNameA(OPENFILENAMEA* dialog);
BOOL GetSaveFileNameA(OPENFILENAMEA* dialog);
BOOL PrintDlgA(PRINTDLGA* dialog);
BOOL ChooseColorA(CHOOSECOLORA* choice);
BOOL ChooseFontA(CHOOSEFONTA* choice);
BOOL GetDefaultPrinterA(char* name, DWORD* size);

}  // namespace quillet::late
