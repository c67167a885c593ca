// 打印程序(&P): prints the current document on a printer the user picks.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

class CodeDocument;

// Asks for the printer (PrintDlgA); on OK prints every line of document. A
// cancelled dialog prints nothing.
void PrintDocument(HWND owner, const CodeDocument& document);

// The print job itself on a printer device context, named jobName in the
// queue. False when the job could not be started or a page was refused (the
// job is then abandoned).
bool PrintOnDc(HDC printer, const CodeDocument& document, const std::string& jobName);

}  // namespace quillet
