#pragma once
// Money routines: the text forms amounts take in the return's XML file, and the roundings of
// tax and of kopecks. None of them reads process-wide settings: each names its separator.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Currency.h"

namespace talver {

// Shortest decimal text, at most four decimals ("1234", "1234.5", "-1"); a text longer than
// fifteen characters becomes "999999999999999".
std::string FormatSumGeneral(Currency value, char decimalSeparator = '.');
// Whole roubles and two kopeck digits, the rest dropped ("1234.56"); negatives give "0.00",
// a text longer than fifteen characters "999999999999.99".
std::string FormatSumKopecks(Currency value);

// Integer part of x plus one when its fraction is at least one half; negatives are truncated
// (-1.5 gives -1). Beyond the 64-bit range the result saturates; NaN gives 0.
// A double product can land just below an exact half (90 × 0.35 is 31.4999…): for tax on an
// amount use TaxAtRate, which is exact.
std::int64_t RoundHalfUp(double x);
// RoundHalfUp(x × 100) ÷ 100, with x × 100 held as a double (1.005 gives 1, as that product
// is 100.4999…; RoundTo2(Currency) is exact).
double RoundTo2(double x);
// RoundHalfUp(x × 10000) ÷ 10000 in general notation, with "." always.
std::string FloatToText4(double x);
// Every "," made "." and, if there was one, blanks trimmed at both ends.
std::string CommaToPoint(std::string_view text);

// The same roundings done exactly on amounts, where a double product could land beside an
// exact half: whole roubles, and kopecks.
Currency RoundHalfUp(Currency amount);
Currency RoundTo2(Currency amount);
// amount × percent ÷ 100 in whole roubles, half up (a tax at a rate).
Currency TaxAtRate(Currency amount, std::int64_t percent);
// amount × numerator ÷ denominator to the kopeck, half up; 0 when the denominator is 0.
Currency MulDivRoundTo2(Currency amount, std::int64_t numerator, std::int64_t denominator);

}  // namespace talver
