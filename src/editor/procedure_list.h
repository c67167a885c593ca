// The FUNCTION and SUB definitions of a document, for the procedure tree, and
// the jump to one of them by name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/code_document.h"

namespace quillet {

class ProcedureTree;
class UserMessages;

inline constexpr char kProcedureNotFoundText[] = "没有找到这个函数或子程序。是否刷新列表？";
inline constexpr char kProcedureNotFoundCaption[] = "未找到";

// True when the line's first word is FUNCTION or SUB (any case, after leading
// TABs and spaces) and a plain name follows: a letter, then letters, digits or
// "_", ending at "(", a space or the line's end. The name keeps its case.
bool ParseProcedureLine(std::string_view line, std::string& name);

// The names of the document's definitions, first line to last.
std::vector<std::string> CollectProcedures(const CodeDocument& doc);

// Shows the document's name and definitions in the tree.
void RefreshProcedureList(const CodeDocument& doc, ProcedureTree& tree);

// The 0-based line of the first definition whose name, as ParseProcedureLine
// reads it, equals name ignoring case; -1 when there is none.
int FindProcedureLine(const CodeDocument& doc, std::string_view name);

// Selects all (the caret goes to the text's end) and then puts the caret at
// the start of the definition's line. False, with nothing changed, when the
// name has no definition.
bool JumpToProcedure(CodeDocument& doc, std::string_view name);

// The tree's jump: selectedIndex is the selected item's index (0 the root, 1..
// the procedures, -1 none) and name its text. An unknown name asks whether to
// rebuild the list, and rebuilds it on 是.
void JumpToSelectedProcedure(CodeDocument& doc, int selectedIndex, std::string_view name, ProcedureTree& tree,
                             UserMessages& messages);

// 跳转到(&G) of the tree's context menu is enabled for a procedure item only.
constexpr bool CanJumpToProcedure(int selectedIndex) { return selectedIndex > 0; }

}  // namespace quillet
