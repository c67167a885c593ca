// The line colourer: splits one line of BASIC source into coloured runs.
// It is stateless from line to line and draws through a RunSink, so the
// painter decides how a run reaches the screen.
#pragma once

#include <string_view>

#include "common/editor_settings.h"
#include "language/keyword_table.h"

namespace quillet {

// Receives the runs of one line in order. Each run is a non-empty view into
// the line handed to ColourLine, and the runs together cover it exactly.
class RunSink {
 public:
  virtual ~RunSink() = default;
  // The bytes as they are.
  virtual void DrawRun(std::string_view bytes, ColourRef colour) = 0;
  // A keyword: shown upper-cased (gbk::ToUpper) whatever the user typed; the
  // line itself is never changed.
  virtual void DrawKeywordRun(std::string_view bytes, ColourRef colour) = 0;
};

// Colours one line (TABs already expanded to spaces). An empty line draws nothing.
void ColourLine(std::string_view line, const KeywordTable& table, const EditorColours& colours,
                RunSink& sink);

}  // namespace quillet
