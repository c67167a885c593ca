// Everything a document shares with the rest of the program: the settings it
// reads, the platform services it calls, and the input state that all editing
// windows share (one user-interface thread, one keyboard, one mouse).
#pragma once

#include "common/editor_settings.h"

namespace quillet {

class Clipboard;
class EditorHost;
class FileSystem;
class KeywordTable;
class UserMessages;

struct SharedInputState {
  // A lead byte typed as its own WM_CHAR waits here for its trail byte; a pair
  // split across two windows is joined, as the keyboard delivers it.
  bool pendingLead = false;
  char leadByte = 0;
  // Mouse: set by a press; the first movement after it fixes the anchor.
  bool buttonDown = false;
  bool dragging = false;
  // Last caret position inside the window, for the input method's composition window.
  int imeLastX = 0;
  int imeLastY = 0;
  // Between the input method's start and end of a composition.
  bool composing = false;
};

struct EditorContext {
  EditorContext() = default;
  EditorContext(const EditorSettings& s, FileSystem& f) : settings(&s), files(&f) {}

  const EditorSettings* settings = nullptr;
  FileSystem* files = nullptr;
  Clipboard* clipboard = nullptr;        // null: no clipboard (copy does nothing)
  EditorHost* host = nullptr;            // null: no status bar or menus to update
  const KeywordTable* keywords = nullptr;  // null: the process-wide table
  UserMessages* messages = nullptr;      // null: notices are not shown
  SharedInputState input;
};

}  // namespace quillet
