#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/Errors.h"

namespace talver {
namespace {

[[noreturn]] void NotANumber(std::string_view text, const char* kind) {
  throw EConvertError("'" + std::string(text) + "' is not a valid " + kind + " value");
}

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// Splits decimal text into sign, digits and a power of ten: value = digits × 10^exponent.
struct Decimal {
  bool Negative = false;
  std::string Digits;  // without leading zeros
  int Exponent = 0;
};

bool ParseDecimal(std::string_view text, char separator, Decimal& out) {
  text = TrimSpaces(text);
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    out.Negative = text[i] == '-';
    ++i;
  }
  bool anyDigit = false;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    anyDigit = true;
    if (!(out.Digits.empty() && text[i] == '0')) out.Digits += text[i];
  }
  if (i < text.size() && text[i] == separator) {
    ++i;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      anyDigit = true;
      if (!(out.Digits.empty() && text[i] == '0')) out.Digits += text[i];
      --out.Exponent;
    }
  }
  if (!anyDigit) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExp = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negativeExp = text[i] == '-';
      ++i;
    }
    if (i >= text.size()) return false;
    int exp = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
      if (exp < 100000) exp = exp * 10 + (text[i] - '0');
    }
    out.Exponent += negativeExp ? -exp : exp;
  }
  return i == text.size();
}

}  // namespace

std::string IntToText(std::int64_t value) {
  char buf[32];
  const auto result = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, result.ptr);
}

std::int64_t TextToInt(std::string_view text, std::int64_t min, std::int64_t max) {
  std::string_view body = text;
  while (!body.empty() && body.front() == ' ') body.remove_prefix(1);
  if (!body.empty() && body.front() == '+') body.remove_prefix(1);
  if (body.empty() || body.front() == '+') NotANumber(text, "integer");
  std::int64_t value = 0;
  const auto result = std::from_chars(body.data(), body.data() + body.size(), value);
  if (result.ec != std::errc() || result.ptr != body.data() + body.size() || value < min || value > max) {
    NotANumber(text, "integer");
  }
  return value;
}

std::int32_t TextToInt32(std::string_view text) {
  return static_cast<std::int32_t>(
      TextToInt(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::string CurrencyToText(Currency value, char decimalSeparator) {
  const std::int64_t units = value.Units();
  // The magnitude as unsigned, so that the most negative amount has one too.
  const std::uint64_t magnitude =
      units < 0 ? static_cast<std::uint64_t>(0) - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
  std::string text = units < 0 ? "-" : "";
  text += std::to_string(magnitude / Currency::kScale);
  std::uint64_t fraction = magnitude % Currency::kScale;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction + Currency::kScale).substr(1);  // four digits
    while (digits.back() == '0') digits.pop_back();
    text += decimalSeparator;
    text += digits;
  }
  return text;
}

std::string GroupedAmountText(Currency value) {
  const std::string plain = CurrencyToText(value, ',');
  const std::size_t sign = plain.front() == '-' ? 1 : 0;
  const std::size_t comma = plain.find(',');
  const std::size_t whole = (comma == std::string::npos ? plain.size() : comma) - sign;
  std::string text = plain.substr(0, sign);
  for (std::size_t i = 0; i < whole; ++i) {
    if (i != 0 && (whole - i) % 3 == 0) text += "\xC2\xA0";  // a non-breaking space
    text += plain[sign + i];
  }
  if (comma != std::string::npos) {
    text += plain.substr(comma);
    if (plain.size() - comma == 2) text += '0';  // "1 500,5" shows its kopecks as "1 500,50"
  }
  return text;
}

Currency TextToCurrency(std::string_view text, char decimalSeparator) {
  Decimal d;
  if (!ParseDecimal(text, decimalSeparator, d)) NotANumber(text, "currency");
  // Scale to ten-thousandths: units = digits × 10^(exponent + 4).
  const int shift = d.Exponent + 4;
  std::string digits = d.Digits;
  bool roundUp = false;
  if (shift < 0) {
    const auto drop = static_cast<std::size_t>(-shift);
    if (drop > digits.size()) {
      digits.clear();
    } else {
      roundUp = digits[digits.size() - drop] >= '5';
      digits.resize(digits.size() - drop);
    }
  } else if (!digits.empty()) {
    if (shift > 30) NotANumber(text, "currency");
    digits.append(static_cast<std::size_t>(shift), '0');
  }
  if (digits.size() > 19) NotANumber(text, "currency");
  std::uint64_t magnitude = 0;
  for (char c : digits) magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
  if (roundUp) ++magnitude;
  constexpr auto kMax = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (magnitude > kMax) NotANumber(text, "currency");
  const auto units = static_cast<std::int64_t>(magnitude);
  return Currency::FromUnits(d.Negative ? -units : units);
}

std::string FloatToText(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buf[64];
  const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
  std::string text(buf, result.ptr);
  // to_chars writes "1e-05"; the program's own form is "1E-5".
  const std::size_t e = text.find('e');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    const bool negative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '-' || exponent[0] == '+')) exponent.erase(0, 1);
    while (exponent.size() > 1 && exponent[0] == '0') exponent.erase(0, 1);
    text = mantissa + "E" + (negative ? "-" : "") + exponent;
  }
  for (char& c : text) {
    if (c == '.') c = decimalSeparator;
  }
  return text;
}

double TextToFloat(std::string_view text, char decimalSeparator) {
  Decimal d;
  if (!ParseDecimal(text, decimalSeparator, d)) NotANumber(text, "floating point");
  std::string normal = d.Negative ? "-" : "";
  normal += d.Digits.empty() ? "0" : d.Digits;
  normal += "e" + std::to_string(d.Exponent);
  double value = 0;
  const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (result.ec != std::errc() || !std::isfinite(value)) NotANumber(text, "floating point");
  return value;
}

}  // namespace talver
