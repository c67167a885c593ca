#include "editor/document_templates.h"

#include <string_view>

namespace quillet {
namespace {

// Kept with LF line ends here; TemplateText turns them into CR LF. Trailing
// spaces are part of the templates.
constexpr std::string_view kExeTemplate = R"(#COMPILE EXE
#DIM ALL

FUNCTION PBMAIN () AS LONG

    

END FUNCTION       )";

constexpr std::string_view kDllTemplate = R"(#COMPILE DLL
#DIM ALL

%USEMACROS = 1
#INCLUDE "Win32API.inc"

GLOBAL ghInstance AS DWORD







'-------------------------------------------------------------------------------
' Main DLL entry point called by Windows...
'
FUNCTION LIBMAIN (BYVAL hInstance   AS LONG, _
                  BYVAL fwdReason   AS LONG, _
                  BYVAL lpvReserved AS LONG) AS LONG

    SELECT CASE fwdReason

    CASE %DLL_PROCESS_ATTACH
        'A process is loading the DLL. This is the place to
        'initialise global data.

        ghInstance = hInstance

        FUNCTION = 1   'success!

        'FUNCTION = 0   'failure!  Returning 0 here stops the EXE from running.

    CASE %DLL_PROCESS_DETACH
        'The DLL is being unloaded. Release the resources that
        'any of its threads still hold.

        FUNCTION = 1   'success!

        'FUNCTION = 0   'failure!

    CASE %DLL_THREAD_ATTACH
        'The calling application has started a new thread.
        'Set up its thread-local storage here.

        FUNCTION = 1   'success!

        'FUNCTION = 0   'failure!

    CASE %DLL_THREAD_DETACH
        'A thread is exiting cleanly. Release its
        'thread-local storage here.

        FUNCTION = 1   'success!

        'FUNCTION = 0   'failure!

    END SELECT

END FUNCTION)";

constexpr std::string_view kRcTemplate = R"(#include "resource.h"

// * Version info.
//
//

VS_VERSION_INFO VERSIONINFO
FILEVERSION 1, 0, 0, 0
PRODUCTVERSION 1, 0, 0, 0
FILEOS VOS_WINDOWS32
FILETYPE VFT_APP
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "080403A8"
    BEGIN
      VALUE "CompanyName",      "开发公司, Inc.\000"
      VALUE "FileDescription",  "文件说明\000"
      VALUE "FileVersion",      "01.00.0000\000"
      VALUE "InternalName",     "产品开发名称\000"
      VALUE "OriginalFilename", "软件文件名.EXE\000"
      VALUE "LegalCopyright",   "Copyright \251 2004 My Company, Inc.\000"
      VALUE "ProductName",      "软件说明\000"
      VALUE "ProductVersion",   "01.00.0000\000"
      VALUE "Comments",         "Rah! Rah! Rah!\000"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x0804 0x03A8
  END
END)";

}  // namespace

std::string TemplateText(TemplateKind templateKind) {
  std::string_view source;
  switch (templateKind) {
    case TemplateKind::Exe: source = kExeTemplate; break;
    case TemplateKind::Dll: source = kDllTemplate; break;
    case TemplateKind::Rc: source = kRcTemplate; break;
    default: return {};
  }
  std::string text;
  text.reserve(source.size() + 64);
  for (char c : source) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

}  // namespace quillet
