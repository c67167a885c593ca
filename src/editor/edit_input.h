// What the editing window's input does to its document: typed characters,
// the caret keys, the mouse, the wheel and the scroll bars. The window
// procedure only decodes messages and calls these.
#pragma once

#include "editor/code_document.h"
#include "platform/edit_view.h"

namespace quillet {

// Modifier keys held while a key or mouse message is handled, added up.
enum ModifierMask : int { kNoModifier = 0, kCtrlKey = 1, kShiftKey = 2, kAltKey = 4 };

// The virtual keys the editor reacts to (the values of VK_PRIOR .. VK_DOWN).
enum EditKey : int {
  kKeyPageUp = 0x21,
  kKeyPageDown = 0x22,
  kKeyEnd = 0x23,
  kKeyHome = 0x24,
  kKeyLeft = 0x25,
  kKeyUp = 0x26,
  kKeyRight = 0x27,
  kKeyDown = 0x28,
};

// Scroll-bar requests, numbered as the scroll messages number them (SB_...).
enum ScrollRequest : int {
  kScrollLineBack = 0,
  kScrollLineForward = 1,
  kScrollPageBack = 2,
  kScrollPageForward = 3,
  kScrollThumbPosition = 4,
  kScrollThumbTrack = 5,
};

// Closes the completion list, if the host shows one.
void HideCompletion(CodeDocument& doc);

// A typed character: a byte, or a whole character's ANSI bytes with the first
// byte in the low byte (what an input method delivers at once). Enter breaks
// the line, Backspace deletes, Esc closes the completion list, other control
// codes are left to the menus.
void HandleCharacter(CodeDocument& doc, int code);

// PageUp/PageDown move the view (not the caret); arrows move the caret;
// Home/End with Ctrl and Shift go to line or text ends, or select to them.
void HandleKey(CodeDocument& doc, int virtualKey, int modifiers);

// A scroll-bar request; thumbPosition is used for the thumb requests only.
void HandleScroll(CodeDocument& doc, ScrollBar bar, int request, int thumbPosition);

// The mouse, in client pixels. A press places the caret; the first movement
// with the button down fixes the selection anchor there, later ones extend it.
void HandleButtonPress(CodeDocument& doc, int x, int y);
void HandleButtonRelease(SharedInputState& input);
void HandleMouseMove(CodeDocument& doc, int x, int y);
void HandleDoubleClick(CodeDocument& doc, int x, int y);

// One wheel notch: towards the user (negative) shows later lines. Ignored
// while any modifier is held, so Ctrl+wheel never scrolls by accident.
void HandleWheel(CodeDocument& doc, int delta, int modifiers);

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// Where the input method's composition window goes for a caret position: a
// negative coordinate (the caret parked outside the window) is replaced by the
// last one that was not negative, so the window stays near the text.
PixelPoint CompositionPoint(SharedInputState& input, int caretX, int caretY);

}  // namespace quillet
