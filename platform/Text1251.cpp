#include "platform/Text1251.h"

#include <array>
#include <cstdint>

namespace talver {
namespace {

// Unicode code points of windows-1251 bytes 0x80 to 0xBF (0xC0 to 0xFF are U+0410 to U+044F).
// The unassigned 0x98 stands for U+0098, so that every byte survives a trip through UTF-8.
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// windows-1251 bytes of code page 866 bytes 0xB0 to 0xFF. 0xB0..0xDF are box drawing, which
// windows-1251 lacks: lines become '|' and '-', corners and crossings '+', shades and blocks '?'.
constexpr std::array<unsigned char, 80> kCp866High = {
    '?', '?', '?', '|', '+', '+', '+', '+', '+', '+', '|', '+', '+', '+', '+', '+',
    '+', '+', '+', '+', '-', '+', '+', '+', '+', '+', '+', '+', '+', '-', '+', '+',
    '+', '+', '+', '+', '+', '+', '+', '+', '+', '+', '+', '?', '?', '?', '?', '?',
    // 0xE0..0xEF: р..я
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,
    // 0xF0..0xFF: Ё ё Є є Ї ї Ў ў ° ∙ · √ № ¤ ■ NBSP
    0xA8, 0xB8, 0xAA, 0xBA, 0xAF, 0xBF, 0xA1, 0xA2, 0xB0, 0xB7, 0xB7, '?', 0xB9, 0xA4, '?', 0xA0,
};

char32_t CodePointOf1251(unsigned char b) {
  if (b < 0x80) return b;
  if (b >= 0xC0) return 0x0410 + (b - 0xC0);
  return kCp1251High[b - 0x80];
}

int ByteOfCodePoint(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(0xC0 + (cp - 0x0410));
  for (std::size_t i = 0; i < kCp1251High.size(); ++i) {
    if (kCp1251High[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Pairs of (lower, upper) windows-1251 letters outside the two regular ranges.
constexpr std::array<std::array<unsigned char, 2>, 15> kCasePairs = {{
    {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
    {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5},
    {0xB8, 0xA8}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD},
}};

}  // namespace

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    char32_t cp = 0;
    std::size_t len = 0;
    if (b < 0x80) {
      cp = b;
      len = 1;
    } else if ((b & 0xE0) == 0xC0) {
      cp = b & 0x1F;
      len = 2;
    } else if ((b & 0xF0) == 0xE0) {
      cp = b & 0x0F;
      len = 3;
    } else if ((b & 0xF8) == 0xF0) {
      cp = b & 0x07;
      len = 4;
    } else {
      out += '?';
      ++i;
      continue;
    }
    bool valid = i + len <= utf8.size();
    for (std::size_t k = 1; valid && k < len; ++k) {
      const auto c = static_cast<unsigned char>(utf8[i + k]);
      if ((c & 0xC0) != 0x80) {
        valid = false;
      } else {
        cp = (cp << 6) | (c & 0x3F);
      }
    }
    // Overlong forms and surrogates are malformed too.
    if (valid && ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
                  (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)) {
      valid = false;
    }
    if (!valid) {
      out += '?';
      ++i;
      continue;
    }
    const int byte = ByteOfCodePoint(cp);
    out += byte < 0 ? '?' : static_cast<char>(byte);
    i += len;
  }
  return out;
}

std::string Cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) AppendUtf8(out, CodePointOf1251(static_cast<unsigned char>(c)));
  return out;
}

std::string Cp866ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else if (b < 0xB0) {
      out += static_cast<char>(b + 0x40);  // А..Я, а..п
    } else {
      out += static_cast<char>(kCp866High[b - 0xB0]);
    }
  }
  return out;
}

char UpperChar1251(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 32);
  if (b >= 0xE0) return static_cast<char>(b - 32);
  for (const auto& pair : kCasePairs) {
    if (pair[0] == b) return static_cast<char>(pair[1]);
  }
  return c;
}

char LowerChar1251(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'A' && b <= 'Z') return static_cast<char>(b + 32);
  if (b >= 0xC0 && b <= 0xDF) return static_cast<char>(b + 32);
  for (const auto& pair : kCasePairs) {
    if (pair[1] == b) return static_cast<char>(pair[0]);
  }
  return c;
}

std::string UpperCase1251(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperChar1251(c);
  return out;
}

std::string LowerCase1251(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerChar1251(c);
  return out;
}

std::string Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return std::string(text.substr(begin, end - begin));
}

}  // namespace talver
