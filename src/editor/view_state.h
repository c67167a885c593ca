// What a document shows besides its text, as one undo step puts it back.
#pragma once

#include <cstdint>

#include "editor/text_pos.h"

namespace quillet {

// The caret, the selection and the modified mark. A document holds these as
// its own fields (CodeDocument derives from this), so an undo step captures
// and restores them whole and a field added here is restored with the rest.
struct EditState {
  TextPos caret;
  TextPos anchor;  // where the selection began
  TextPos selEnd;  // its moving end
  bool modified = false;
  bool hasSelection = false;  // the selection runs from anchor to selEnd, in whichever order they lie
  bool operator==(const EditState&) const = default;
};

// The edit state together with the scroll positions of the window.
struct ViewState : EditState {
  std::int32_t topLine = 0;
  std::int32_t horizontalScroll = 0;
  bool operator==(const ViewState&) const = default;
};

}  // namespace quillet
