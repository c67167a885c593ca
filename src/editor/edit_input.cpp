#include "editor/edit_input.h"

#include "platform/editor_host.h"

namespace quillet {
namespace {

constexpr int kHorizontalLineStep = 3;    // pixels
constexpr int kHorizontalPageStep = 100;  // pixels
constexpr int kVerticalLineStep = 1;      // lines
constexpr int kVerticalPageStep = 3;      // lines
constexpr int kWheelStep = 3;             // lines per notch
constexpr int kEscapeCode = 27;

void ScrollTo(CodeDocument& doc, ScrollBar bar, int position) {
  const int top = doc.GetTopLine();
  const int origin = doc.GetHorizontalOrigin();
  if (bar == ScrollBar::Horizontal) {
    doc.SetHorizontalScroll(position, true);
  } else {
    doc.SetTopLine(position, true);
  }
  doc.RepaintScrolled(top, origin);
}

void HandleControlCode(CodeDocument& doc, EditorHost* host, int code) {
  if (code == '\r') {
    // With the list open, Enter only closes it.
    if (host == nullptr || !host->CompletionListVisible()) doc.InsertLineBreak();
    HideCompletion(doc);
  } else if (code == kEscapeCode) {
    HideCompletion(doc);
  } else if (code == '\b') {
    doc.DeleteBackward();
    if (host != nullptr && host->CompletionInProgress()) {
      host->DropLastPrefixChar();
      host->ShowCompletion(doc);
    }
  }
}

}  // namespace

void HideCompletion(CodeDocument& doc) {
  if (EditorHost* host = doc.Context().host) host->HideCompletion();
}

void HandleCharacter(CodeDocument& doc, int code) {
  EditorHost* host = doc.Context().host;
  if (code < ' ' && code != '\t') {
    HandleControlCode(doc, host, code);
    return;
  }
  if (code == ' ') {
    if (host != nullptr && host->CompletionInProgress() && host->CompletionListVisible()) {
      host->AcceptCompletion(doc);  // the space picks the entry and is not typed
      return;
    }
    HideCompletion(doc);
  }
  doc.TypeCharacter(code);
  if (host != nullptr && doc.Settings().completionPrompts && doc.GetKind() != SourceKind::Other &&
      host->AccumulatePrefix(code)) {
    host->ShowCompletion(doc);
  }
}

void HandleKey(CodeDocument& doc, int virtualKey, int modifiers) {
  using Move = void (CodeDocument::*)();
  // Home and End by [Shift][Ctrl]: Shift selects from the caret, Ctrl goes to the text's end.
  static constexpr Move kHome[2][2] = {{&CodeDocument::CaretLineStart, &CodeDocument::CaretTextStart},
                                       {&CodeDocument::SelectToLineStart, &CodeDocument::SelectToTextStart}};
  static constexpr Move kEnd[2][2] = {{&CodeDocument::CaretLineEnd, &CodeDocument::CaretTextEnd},
                                      {&CodeDocument::SelectToLineEnd, &CodeDocument::SelectToTextEnd}};
  const bool shift = (modifiers & kShiftKey) != 0;
  const bool ctrl = (modifiers & kCtrlKey) != 0;
  const bool alt = (modifiers & kAltKey) != 0;
  switch (virtualKey) {
    case kKeyPageDown: HandleScroll(doc, ScrollBar::Vertical, kScrollPageForward, 0); break;
    case kKeyPageUp: HandleScroll(doc, ScrollBar::Vertical, kScrollPageBack, 0); break;
    case kKeyUp: doc.CaretUp(); break;
    case kKeyDown: doc.CaretDown(); break;
    case kKeyRight: doc.CaretRight(); break;
    case kKeyLeft: doc.CaretLeft(); break;
    case kKeyHome:
      if (!alt) (doc.*kHome[shift][ctrl])();
      break;
    case kKeyEnd:
      if (!alt) (doc.*kEnd[shift][ctrl])();
      break;
    default: break;  // Delete and the rest come through the menus
  }
}

void HandleScroll(CodeDocument& doc, ScrollBar bar, int request, int thumbPosition) {
  const bool horizontal = bar == ScrollBar::Horizontal;
  const int line = horizontal ? kHorizontalLineStep : kVerticalLineStep;
  const int page = horizontal ? kHorizontalPageStep : kVerticalPageStep;
  int position = doc.View().GetScrollPos(bar);
  switch (request) {
    case kScrollLineBack: position -= line; break;
    case kScrollLineForward: position += line; break;
    case kScrollPageBack: position -= page; break;
    case kScrollPageForward: position += page; break;
    case kScrollThumbPosition:
    case kScrollThumbTrack: position = thumbPosition; break;
    default: break;
  }
  // The view clamps the position to the range the scroll bars were given.
  ScrollTo(doc, bar, position);
}

void HandleButtonPress(CodeDocument& doc, int x, int y) {
  doc.Context().input.buttonDown = true;
  const int textLeft = doc.TextLeft();
  doc.ClickAt(x < textLeft ? textLeft : x, y);
  HideCompletion(doc);
}

void HandleButtonRelease(SharedInputState& input) {
  input.buttonDown = false;
  input.dragging = false;
}

void HandleMouseMove(CodeDocument& doc, int x, int y) {
  SharedInputState& input = doc.Context().input;
  if (input.buttonDown) input.dragging = true;
  if (!input.dragging) return;
  if (input.buttonDown) {
    input.buttonDown = false;
    doc.StartDragSelection();
  } else {
    doc.DragSelectTo(x, y);
  }
}

void HandleDoubleClick(CodeDocument& doc, int x, int y) { doc.SelectWordAt(x, y); }

void HandleWheel(CodeDocument& doc, int delta, int modifiers) {
  if (modifiers != kNoModifier || delta == 0) return;
  const int top = doc.GetTopLine();
  ScrollTo(doc, ScrollBar::Vertical, delta < 0 ? top + kWheelStep : top - kWheelStep);
}

PixelPoint CompositionPoint(SharedInputState& input, int caretX, int caretY) {
  if (caretX >= 0) input.imeLastX = caretX;
  if (caretY >= 0) input.imeLastY = caretY;
  return {input.imeLastX, input.imeLastY};
}

}  // namespace quillet
