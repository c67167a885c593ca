// Finding the file name inside an ANSI (GBK) path. A trail byte of a
// two-byte character can be 0x5C, the backslash, so the scan steps over every
// two-byte character whole instead of searching the raw bytes.
#pragma once

#include <string>
#include <string_view>

#include "common/gbk.h"

namespace quillet {

// Offset of the last path separator ('\' or '/'), or npos when there is none.
inline std::size_t LastPathSeparator(std::string_view path) { return gbk::FindLastSingleOf(path, "\\/"); }

// The text after the last separator (the whole path when it holds none).
inline std::string FileNamePart(std::string_view path) {
  const std::size_t sep = LastPathSeparator(path);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

}  // namespace quillet
