#include <gtest/gtest.h>

#include <limits>

#include "platform/Currency.h"
#include "platform/Dates.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"

namespace talver {
namespace {

TEST(Dates, DayCountsOfKnownDays) {
  struct Case {
    int y, m, d;
    double days;
  };
  const Case cases[] = {
      {1899, 12, 30, 0},   {1900, 1, 1, 2},      {1977, 1, 1, 28126}, {1990, 1, 1, 32874},
      {2000, 2, 29, 36585}, {2003, 1, 1, 37622}, {2016, 1, 1, 42370}, {2017, 1, 1, 42736},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.days);
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.days);
    EXPECT_EQ(DecodeDate(c.days + 0.75), (CalendarDate{c.y, c.m, c.d}));
  }
  EXPECT_THROW(EncodeDate(2015, 2, 29), EConvertError);
}

TEST(Dates, CalendarTextInBothSeparators) {
  EXPECT_EQ(TextToDate("01.01.2017", '.'), 42736);
  EXPECT_EQ(TextToDate("1.1.2017", '.'), 42736);
  EXPECT_EQ(TextToDate("01,01,2017", ','), 42736);
  EXPECT_EQ(TextToDate("01.01.17", '.'), 42736);
  EXPECT_EQ(DateToText(42736.5), "01.01.2017");
  for (const char* bad : {"", "01.01", "01,01,2017", "32.01.2017", "29.02.2015", "a.b.c", "1.1.201"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(TextToDate(bad, '.'), EConvertError);
  }
}

// Amounts a file may hold add up without wrapping round: past the range a result stays at its end.
TEST(Currency, ArithmeticSaturatesAtTheEndsOfTheRange) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  const Currency max = Currency::FromUnits(kMax), min = Currency::FromUnits(kMin);
  const Currency half = Currency::FromRoubles(500'000'000'000'000);
  struct Case {
    const char* what;
    Currency got;
    std::int64_t units;
  };
  const Case cases[] = {
      {"half + half", half + half, kMax},
      {"-half - half", -half - half, kMin},
      {"max + 1", max + Currency::FromUnits(1), kMax},
      {"min + -1", min + Currency::FromUnits(-1), kMin},
      {"max + min", max + min, -1},
      {"min - 1", min - Currency::FromUnits(1), kMin},
      {"0 - min", Currency() - min, kMax},
      {"max - -1", max - Currency::FromUnits(-1), kMax},
      {"-min", -min, kMax},
      {"half * 3", half * 3, kMax},
      {"half * -3", half * -3, kMin},
      {"-half * -3", -3 * -half, kMax},
      {"ordinary", Currency::FromKopecks(150) + Currency::FromKopecks(-275) * 2, -4'0000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.got.Units(), c.units);
  }
  Currency total = half;
  total += half;
  total -= Currency::FromUnits(kMin);
  EXPECT_EQ(total.Units(), kMax);
}

TEST(NumberText, CurrencyTextBothWays) {
  struct Case {
    std::int64_t units;
    const char* text;
  };
  const Case cases[] = {
      {15005000, "1500.5"}, {-2500, "-0.25"}, {0, "0"}, {15000000, "1500"}, {1, "0.0001"},
      {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CurrencyToText(Currency::FromUnits(c.units)), c.text);
    if (c.units != std::numeric_limits<std::int64_t>::min()) {
      EXPECT_EQ(TextToCurrency(c.text).Units(), c.units);
    }
  }
  EXPECT_EQ(CurrencyToText(Currency::FromUnits(15005000), ','), "1500,5");
  EXPECT_EQ(TextToCurrency("1500,5", ',').Units(), 15005000);
  EXPECT_EQ(TextToCurrency("1.5E3").Units(), 15000000);
  EXPECT_EQ(TextToCurrency("0.00005").Units(), 1);  // the nearest ten-thousandth, half away from zero
  EXPECT_EQ(TextToCurrency("-0.00005").Units(), -1);
  for (const char* bad : {"", "a", "1500,5", "1.2.3", "1e", "99999999999999999999", "--1", " "}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(TextToCurrency(bad), EConvertError);
  }
}

TEST(NumberText, FloatTextInGeneralForm) {
  EXPECT_EQ(FloatToText(42736), "42736");
  EXPECT_EQ(FloatToText(42736.5), "42736.5");
  EXPECT_EQ(FloatToText(0.00001), "1E-5");
  EXPECT_EQ(FloatToText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(TextToFloat("42736.5"), 42736.5);
  EXPECT_EQ(TextToFloat("42736,5", ','), 42736.5);
  EXPECT_THROW(TextToFloat("42736,5"), EConvertError);
  EXPECT_THROW(TextToFloat("1e999"), EConvertError);
}

TEST(NumberText, IntegersWithinTheirRange) {
  EXPECT_EQ(TextToInt32("2147483647"), 2147483647);
  EXPECT_EQ(TextToInt32("-5"), -5);
  EXPECT_EQ(TextToInt32(" 12"), 12);
  for (const char* bad : {"", "+", "2147483648", "12 ", "1.0", "0x10", "++1"}) {
    SCOPED_TRACE(bad);
    EXPECT_THROW(TextToInt32(bad), EConvertError);
  }
}

}  // namespace
}  // namespace talver
