// Reads the texts of another program's windows, for the end-to-end scripts:
// under Wine the child windows are no X windows, so xdotool cannot see them.
//   window_text <title prefix>
// finds the first visible top-level window whose caption starts with the
// prefix and prints, in UTF-8, one block per child window:
//   == <class>
//   <its text>
// A status bar prints one block per part ("== msctls_statusbar32 <part>"); its
// text is read through memory of the other process, since the status bar's
// messages carry a pointer that is not carried over between processes.
// Exit code 1 when there is no such window.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring prefix;
HWND found = nullptr;

void Write(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string bytes(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
  }
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

BOOL CALLBACK FindTop(HWND window, LPARAM) {
  wchar_t caption[512] = {};
  GetWindowTextW(window, caption, 512);
  if (IsWindowVisible(window) && std::wstring(caption).rfind(prefix, 0) == 0) {
    found = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 2000,
                      &got);
  text.resize(got);
  return text;
}

// SB_GETTEXTW with a buffer allocated inside the status bar's process.
void WriteStatusParts(HWND bar) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(bar, &process_id);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ, FALSE, process_id);
  if (!process) return;
  constexpr SIZE_T kBytes = 1024 * sizeof(wchar_t);
  void* remote = VirtualAllocEx(process, nullptr, kBytes, MEM_COMMIT, PAGE_READWRITE);
  const int parts = remote ? static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0)) : 0;
  for (int part = 0; part < parts; ++part) {
    const LRESULT length = SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0);
    if (LOWORD(length) >= 1024) continue;
    SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote));
    wchar_t text[1024] = {};
    SIZE_T read = 0;
    ReadProcessMemory(process, remote, text, kBytes, &read);
    text[1023] = L'\0';
    Write(L"== msctls_statusbar32 " + std::to_wstring(part) + L"\n" + text + L"\n");
  }
  if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  CloseHandle(process);
}

BOOL CALLBACK WriteChild(HWND window, LPARAM) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  if (lstrcmpiW(name, STATUSCLASSNAMEW) == 0) {
    WriteStatusParts(window);
  } else {
    Write(std::wstring(L"== ") + name + L"\n" + TextOf(window) + L"\n");
  }
  return TRUE;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 2) return 2;
  prefix = arguments[1];
  LocalFree(arguments);
  EnumWindows(FindTop, 0);
  if (!found) return 1;
  Write(L"== window\n" + TextOf(found) + L"\n");
  EnumChildWindows(found, WriteChild, 0);
  return 0;
}
