#pragma once
// The one text codec of the program. Model and storage text is windows-1251 bytes;
// UTF-8 lives only at the edges (widgets, JSON, libxml2), and every conversion goes through here.
#include <string>
#include <string_view>

namespace talver {

// UTF-8 to windows-1251; characters the code page lacks, and malformed UTF-8, become '?'.
std::string Utf8ToCp1251(std::string_view utf8);
// windows-1251 to UTF-8; the one unassigned byte (0x98) becomes U+0098, so that any bytes
// come back unchanged from Utf8ToCp1251.
std::string Cp1251ToUtf8(std::string_view text);
// DOS code page 866 to windows-1251 (the tax authority's register files); box drawing becomes '+', '-', '|' or '?'.
std::string Cp866ToCp1251(std::string_view text);

// Upper and lower case of windows-1251 text: Latin, Russian and the other Cyrillic letters of the page.
char UpperChar1251(char c);
char LowerChar1251(char c);
std::string UpperCase1251(std::string_view text);
std::string LowerCase1251(std::string_view text);

// Leading and trailing spaces and control characters removed.
std::string Trim(std::string_view text);

}  // namespace talver
