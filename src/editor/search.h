// Find and replace on a document's lines. A match never crosses a line break
// and never begins or ends inside a two-byte character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/code_document.h"

namespace quillet {

// Direction codes of Find, as the find dialog's list numbers them.
enum FindDirection : int {
  kFindWholeText = 0,  // from the first line; any other code means this too
  kFindDown = 1,       // from the caret towards the end
  kFindUp = 2,         // from the caret towards the start
};

// 找不到"text"
std::string NotFoundText(std::string_view text);

// Where text is found from the caret in the given direction, without wrapping
// past the first or last line; found is false when it is nowhere.
struct FoundText {
  bool found = false;
  TextPos start;
};
FoundText Locate(const CodeDocument& doc, std::string_view text, int direction, bool caseSensitive);

// Selects the match (the caret at its end, or at its start when searching
// up), remembers the search as the document's last, and shows it. Not found:
// the caret and selection stay and the user is told, unless the text is empty.
bool Find(CodeDocument& doc, std::string_view text, int direction, bool caseSensitive);
// The document's last search again, down or up; nothing before the first.
void FindNext(CodeDocument& doc);
void FindPrevious(CodeDocument& doc);

// One line's new bytes.
struct LineChange {
  std::int32_t line = 0;
  std::string text;
};

struct ReplacementPlan {
  std::int64_t count = 0;           // replacements made
  std::vector<LineChange> changes;  // the changed lines only, in order
};

// What replacing every match would make of the lines; each line is searched
// from its start, going on after each match, so the replacement itself is
// never searched again.
ReplacementPlan PlanReplaceAll(const LineStore& lines, std::string_view search, std::string_view replacement,
                               bool caseSensitive);

// Puts the changed lines in place as one undo step (op 7) that undo takes back
// and redo repeats byte for byte; the step keeps only the changed lines. The
// caret ends at the end of the text, without a selection.
void ApplyLineChanges(CodeDocument& doc, std::vector<LineChange> changes);

// Replaces every match and returns the count. With at least one replacement
// the document is modified and the step recorded; the caret goes to the end
// of the text either way.
int ReplaceAll(CodeDocument& doc, std::string_view search, std::string_view replacement, bool caseSensitive);

}  // namespace quillet
