#pragma once
// Locale-free conversions between numbers and text. Every routine names its decimal separator;
// nothing reads process-wide settings.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Currency.h"

namespace talver {

// Decimal text of an integer, "-" for negatives.
std::string IntToText(std::int64_t value);
// A signed decimal integer in [min, max]: optional spaces in front, an optional sign, digits.
// Throws EConvertError otherwise.
std::int64_t TextToInt(std::string_view text, std::int64_t min, std::int64_t max);
std::int32_t TextToInt32(std::string_view text);

// Shortest decimal form of an amount: "1500", "1500.5", "-0.25", "0".
std::string CurrencyToText(Currency value, char decimalSeparator = '.');
// An amount as a person reads it (UTF-8): thousands grouped by a non-breaking space, "," and
// kopecks only when there are any: "2 548", "1 500,50", "-0,25", "0,0001".
std::string GroupedAmountText(Currency value);
// Decimal text (an exponent allowed, as in "1.5E3") to the nearest ten-thousandth, halves away
// from zero; throws EConvertError for other text or an amount out of range.
Currency TextToCurrency(std::string_view text, char decimalSeparator = '.');

// A double in general notation with up to 15 significant digits: "42736", "42736.5", "1E-5".
std::string FloatToText(double value, char decimalSeparator = '.');
// Decimal text (with an optional exponent) to a double; throws EConvertError.
double TextToFloat(std::string_view text, char decimalSeparator = '.');

}  // namespace talver
