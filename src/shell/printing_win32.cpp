#include "shell/printing_win32.h"

#include <commdlg.h>

#include "common/late_bound_win32.h"
#include "common/owned_handle_win32.h"
#include "editor/code_document.h"
#include "shell/printing.h"

namespace quillet {
namespace {

using FontHandle = OwnedHandle<HFONT, DeleteObject>;
using PrinterDc = OwnedHandle<HDC, DeleteDC>;

class DcPrintTarget final : public PrintTarget {
 public:
  explicit DcPrintTarget(HDC dc) : dc_(dc) {}
  bool StartPage() override { return ::StartPage(dc_) > 0; }
  bool EndPage() override { return ::EndPage(dc_) > 0; }
  void PrintText(int y, std::string_view text) override {
    TextOutA(dc_, 0, y, text.data(), static_cast<int>(text.size()));
  }

 private:
  HDC dc_;
};

// The dialog font at the printer's resolution: the same size on paper as on
// screen, and with the Chinese glyphs a printer's own default font may lack.
FontHandle PrinterFont(HDC printer) {
  LOGFONTA font{};
  GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  const WindowDc screen(nullptr);
  const int screenDpi = screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
  font.lfHeight = MulDiv(font.lfHeight, GetDeviceCaps(printer, LOGPIXELSY), screenDpi > 0 ? screenDpi : 96);
  font.lfWidth = 0;
  return FontHandle(CreateFontIndirectA(&font));
}

}  // namespace

bool PrintOnDc(HDC printer, const CodeDocument& document, const std::string& jobName) {
  FontHandle font = PrinterFont(printer);
  const SelectedObject selected(printer, font.Get());  // none when the font could not be made
  TEXTMETRICA metrics{};
  GetTextMetricsA(printer, &metrics);
  SetBkMode(printer, TRANSPARENT);

  DOCINFOA job{};
  job.cbSize = sizeof job;
  job.lpszDocName = jobName.c_str();
  bool printed = false;
  if (StartDocA(printer, &job) > 0) {
    DcPrintTarget target(printer);
    PagedPrinter pages(target, GetDeviceCaps(printer, VERTRES), metrics.tmHeight + metrics.tmExternalLeading,
                       document.TabWidth());
    document.PrintLines(pages);
    printed = pages.Finish();
    if (printed) {
      printed = EndDoc(printer) > 0;
    } else {
      AbortDoc(printer);
    }
  }
  return printed;
}

void PrintDocument(HWND owner, const CodeDocument& document) {
  PRINTDLGA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.Flags = PD_RETURNDC;
  const BOOL chosen = late::PrintDlgA(&dialog);
  if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
  if (!chosen || !dialog.hDC) return;
  PrinterDc printer(dialog.hDC);
  PrintOnDc(printer.Get(), document, document.GetTitleText());
}

}  // namespace quillet
