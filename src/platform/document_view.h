// What a document asks of the window that shows it. The edit window implements
// it; a document without a window (tests, tools) gets one that does nothing.
#pragma once

namespace quillet {

class DocumentView {
 public:
  virtual ~DocumentView() = default;
  // The line count or the widest line may have changed.
  virtual void UpdateScrollBars() {}
};

}  // namespace quillet
