#include "tests/import/ImportTestSupport.h"

namespace talver::testing {
namespace {

// An element's start tag with its attributes, as the file has them.
std::string StartTag(const std::string& text, std::size_t at) { return text.substr(at, text.find('>', at) - at); }

}  // namespace

std::string FirstDifference(const std::string& first, const std::string& second) {
  const std::string a = Cp1251ToUtf8(first);
  const std::string b = Cp1251ToUtf8(second);
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  if (i == a.size() && i == b.size()) return {};
  const std::size_t tag = a.rfind('<', i);
  return tag == std::string::npos ? a.substr(0, 80) : StartTag(a, tag) + "  ≠  " + StartTag(b, b.rfind('<', i));
}

}  // namespace talver::testing
