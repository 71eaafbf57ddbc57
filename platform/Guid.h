#pragma once
// Unique identifiers in their registry text form without braces: 36 characters, groups of
// 8-4-4-4-12 upper-case hexadecimal digits joined by "-".
#include <string>
#include <string_view>

namespace talver {

// A new random (version 4) identifier.
std::string NewGuid();
// The identifier in upper case; throws EConvertError for text of another shape.
std::string NormalizeGuid(std::string_view text);

}  // namespace talver
