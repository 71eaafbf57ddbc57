#include "platform/Math2.h"

#include <cmath>
#include <limits>

#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

__extension__ typedef __int128 Int128;

// Exact quotient of a non-zero-denominator fraction in the RoundHalfUp sense.
std::int64_t DivideHalfUp(Int128 numerator, Int128 denominator) {
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  Int128 quotient = numerator / denominator;
  const Int128 remainder = numerator % denominator;
  if (remainder > 0 && remainder * 2 >= denominator) ++quotient;
  return static_cast<std::int64_t>(quotient);
}

}  // namespace

std::string FormatSumGeneral(Currency value, char decimalSeparator) {
  std::string text = CurrencyToText(value, decimalSeparator);
  if (text.size() > 15) return "999999999999999";
  return text;
}

std::string FormatSumKopecks(Currency value) {
  const std::int64_t units = value.Units() < 0 ? 0 : value.Units();
  const std::int64_t kopecks = (units % Currency::kScale) / 100;
  std::string text = std::to_string(units / Currency::kScale) + "." + (kopecks < 10 ? "0" : "") + std::to_string(kopecks);
  if (text.size() > 15) return "999999999999.99";
  return text;
}

std::int64_t RoundHalfUp(double x) {
  // Converting a double outside the 64-bit range is undefined; such a value saturates, and an
  // undefined one counts as 0.
  constexpr double kLimit = 9223372036854775807.0;  // 2^63
  if (std::isnan(x)) return 0;
  if (x >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (x <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  const double whole = std::trunc(x);
  const auto integer = static_cast<std::int64_t>(whole);
  return x - whole >= 0.5 && integer < std::numeric_limits<std::int64_t>::max() ? integer + 1 : integer;
}

namespace {

// From 2^52 on every double is a whole number, so rounding at a finer step changes nothing.
constexpr double kWholeFrom = 4503599627370496.0;

}  // namespace

double RoundTo2(double x) {
  const double scaled = x * 100;
  if (!(std::fabs(scaled) < kWholeFrom)) return x;
  return static_cast<double>(RoundHalfUp(scaled)) / 100;
}

std::string FloatToText4(double x) {
  const double scaled = x * 10000;
  const double y = std::fabs(scaled) < kWholeFrom ? static_cast<double>(RoundHalfUp(scaled)) / 10000 : x;
  return FloatToText(y, '.');
}

std::string CommaToPoint(std::string_view text) {
  if (text.find(',') == std::string_view::npos) return std::string(text);
  std::string out(text);
  for (char& c : out) {
    if (c == ',') c = '.';
  }
  return Trim(out);
}

Currency RoundHalfUp(Currency amount) {
  return Currency::FromRoubles(DivideHalfUp(amount.Units(), Currency::kScale));
}

Currency RoundTo2(Currency amount) { return Currency::FromKopecks(DivideHalfUp(amount.Units(), 100)); }

Currency TaxAtRate(Currency amount, std::int64_t percent) {
  return Currency::FromRoubles(
      DivideHalfUp(static_cast<Int128>(amount.Units()) * percent, static_cast<Int128>(Currency::kScale) * 100));
}

Currency MulDivRoundTo2(Currency amount, std::int64_t numerator, std::int64_t denominator) {
  if (denominator == 0) return Currency();
  return Currency::FromKopecks(DivideHalfUp(static_cast<Int128>(amount.Units()) * numerator,
                                            static_cast<Int128>(denominator) * 100));
}

}  // namespace talver
