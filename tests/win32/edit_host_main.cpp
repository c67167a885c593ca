// edit_host OUTPUT [TEMPLATE]: one editing window on a new document of the
// given template (default 1, the EXE program), titled "Quillet edit host".
// When the window is closed the document's bytes are written to OUTPUT, so a
// test that typed into the window through the X server can check the text.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "edit_test_host_win32.h"
#include "language/keyword_table.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: edit_host OUTPUT [TEMPLATE]\n");
    return 2;
  }
  const std::string output = argv[1];
  quillet::Keywords();  // built before any window exists, as in the program
  quillet::EditTestHost host(argc > 2 ? std::atoi(argv[2]) : 1);
  host.quitOnDestroy = true;
  bool saved = false;
  host.onClose = [&](quillet::EditTestHost& h) { saved = h.document.SaveFile(output); };
  if (!host.Create()) {
    std::fprintf(stderr, "edit_host: the window could not be created\n");
    return 1;
  }
  host.Run();
  if (!saved) std::fprintf(stderr, "edit_host: could not write %s\n", output.c_str());
  return saved ? 0 : 1;
}
