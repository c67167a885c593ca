// The texts a new program document starts with.
#pragma once

#include <string>

namespace quillet {

// What a new document starts from; the values are the numbers the shell uses.
enum class TemplateKind : int {
  PlainText = 0,  // no template: one empty line
  Exe = 1,
  Dll = 2,
  Rc = 3,
};

// The template's text with CR LF line ends and none after the last line;
// empty for plain text and for a value that names no template.
std::string TemplateText(TemplateKind templateKind);

}  // namespace quillet
