// The texts a new program document starts with.
#pragma once

#include <string>

namespace quillet {

enum class TemplateKind : int { Exe = 1, Dll = 2, Rc = 3 };

// The template's text with CR LF line ends and none after the last line;
// empty for a number that names no template.
std::string TemplateText(int templateNumber);

}  // namespace quillet
