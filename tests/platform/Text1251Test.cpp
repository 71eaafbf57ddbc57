#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "platform/Text1251.h"

namespace talver {
namespace {

// The system's iconv is an independent account of the code pages.
std::string Iconv(const char* from, const char* to, const std::string& input) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return "<no iconv>";
  std::string in = input;
  std::string out(input.size() * 4 + 4, '\0');
  char* inp = in.data();
  char* outp = out.data();
  std::size_t inLeft = in.size();
  std::size_t outLeft = out.size();
  const std::size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) return "<unmappable>";
  out.resize(out.size() - outLeft);
  return out;
}

TEST(Text1251, EveryByteDecodesAsTheSystemCodePageDoes) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    SCOPED_TRACE(b);
    if (b != 0x98) {  // unassigned in the code page
      EXPECT_EQ(Cp1251ToUtf8(byte), Iconv("CP1251", "UTF-8", byte));
    }
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(byte)), byte);
  }
}

TEST(Text1251, Cp866LettersBecomeWindowsLetters) {
  for (int b = 0x80; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const std::string viaSystem = Iconv("CP1251", "UTF-8", Cp866ToCp1251(byte));
    const std::string expected = Iconv("CP866", "UTF-8", byte);
    // Box drawing has no windows-1251 form; everything else must keep its meaning.
    if ((b >= 0xB0 && b <= 0xDF) || b == 0xF9 || b == 0xFB || b == 0xFE) continue;
    SCOPED_TRACE(b);
    EXPECT_EQ(viaSystem, expected);
  }
  EXPECT_EQ(Cp1251ToUtf8(Cp866ToCp1251("\x8C\xAE\xE1\xAA\xA2\xA0")), "Москва");
}

TEST(Text1251, MalformedOrForeignUtf8BecomesQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string cp1251;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"Ёлка №5", "\xA8\xEB\xEA\xE0 \xB9" "5"},
      {"\xE4\xB8\xAD", "?"},         // a CJK character
      {"\xC3", "?"},                 // cut short
      {"\xC0\xAF", "??"},            // overlong
      {"\xED\xA0\x80", "???"},       // a surrogate
      {"\xF0\x9F\x98\x80x", "?x"},   // outside the BMP
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251);
  }
}

TEST(Text1251, UpperAndLowerCaseCoverEveryLetterOfThePage) {
  const std::string lower = Utf8ToCp1251("abcxyz абвгдеёжзийклмнопрстуфхцчшщъыьэюя ђѓљњќћџўјґєїіѕ 123-№");
  const std::string upper = Utf8ToCp1251("ABCXYZ АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ ЂЃЉЊЌЋЏЎЈҐЄЇІЅ 123-№");
  EXPECT_EQ(UpperCase1251(lower), upper);
  EXPECT_EQ(LowerCase1251(upper), lower);
}

TEST(Text1251, TrimTakesSpacesAndControlCharacters) {
  EXPECT_EQ(Trim("  \t Talver2016\r\n"), "Talver2016");
  EXPECT_EQ(Trim("    "), "");
  EXPECT_EQ(Trim("a b"), "a b");
}

}  // namespace
}  // namespace talver
