#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/Math2.h"

namespace talver {
namespace {

constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinUnits = std::numeric_limits<std::int64_t>::min();

TEST(Math2, FormatSumKopecksKeepsTwoDigitsAndDropsTheRest) {
  struct Case {
    std::int64_t units;
    const char* text;
  };
  const Case cases[] = {
      {0, "0.00"},
      {1, "0.00"},
      {99, "0.00"},
      {100, "0.01"},
      {5000, "0.50"},
      {9999, "0.99"},
      {12345000, "1234.50"},
      {12345678, "1234.56"},
      {-50000, "0.00"},
      {kMinUnits, "0.00"},
      {9999999999999999, "999999999999.99"},           // exactly fifteen characters
      {10000000000000000, "999999999999.99"},          // "1000000000000.00" has sixteen
      {kMaxUnits, "999999999999.99"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(FormatSumKopecks(Currency::FromUnits(c.units)), c.text);
  }
}

TEST(Math2, FormatSumGeneralIsTheShortestTextUpToFifteenCharacters) {
  struct Case {
    std::int64_t units;
    char separator;
    const char* text;
  };
  const Case cases[] = {
      {12340000, '.', "1234"},
      {12345000, '.', "1234.5"},
      {12345600, '.', "1234.56"},
      {12345678, '.', "1234.5678"},
      {12345000, ',', "1234,5"},
      {0, '.', "0"},
      {1, '.', "0.0001"},
      {-10000, '.', "-1"},
      {123456789011250, '.', "12345678901.125"},      // fifteen characters stay
      {12345678901232500, '.', "999999999999999"},    // 1234567890123.25, sixteen characters
      {-123456789012500, '.', "-12345678901.25"},     // fifteen with the sign
      {-1234567890122500, '.', "999999999999999"},    // the sign makes it sixteen
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(FormatSumGeneral(Currency::FromUnits(c.units), c.separator), c.text);
  }
}

TEST(Math2, RoundHalfUpRoundsHalvesUpAndTruncatesNegatives) {
  struct Case {
    double x;
    std::int64_t result;
  };
  const Case cases[] = {
      {0, 0},        {0.5, 1},       {0.4999, 0},  {1.5, 2},   {2.5, 3},
      {2.4999, 2},   {19.5, 20},     {-0.5, 0},    {-1.5, -1}, {-2.7, -2},
      {1e300, kMaxUnits},            {-1e300, kMinUnits},      {std::nan(""), 0},
      {9007199254740993.0, 9007199254740992},  // beyond 2^53 a double has no fraction left
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(RoundHalfUp(c.x), c.result);
  }
}

TEST(Math2, RoundTo2RoundsTheHundredfoldDouble) {
  struct Case {
    double x;
    double result;
  };
  const Case cases[] = {
      {1.125, 1.13}, {1.124, 1.12}, {0, 0}, {246.914, 246.91}, {-1.125, -1.12},
      // 1.005 × 100 is 100.49999999999999 as a double, so the double route gives 1.00;
      // RoundTo2(Currency) below gives 1.01.
      {1.005, 1.0},
      {1e300, 1e300},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_DOUBLE_EQ(RoundTo2(c.x), c.result);
  }
}

TEST(Math2, FloatToText4WritesFourDecimalsWithAPoint) {
  struct Case {
    double x;
    const char* text;
  };
  const Case cases[] = {
      {63.81114, "63.8111"}, {60.6569, "60.6569"}, {1, "1"},
      {100, "100"},          {1234.5, "1234.5"},   {0.00005, "0.0001"},   {0.00004, "0"},
      {0, "0"},              {1e20, "1E20"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.x);
    EXPECT_EQ(FloatToText4(c.x), c.text);
  }
}

TEST(Math2, CommaToPointTrimsOnlyWhenItReplaced) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"12,5", "12.5"},   {" 12,5 ", "12.5"}, {" 12.5 ", " 12.5 "}, {"1,2,3", "1.2.3"},
      {"", ""},           {",", "."},         {"\t12,5\r\n", "12.5"}, {"12", "12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(CommaToPoint(c.in), c.out);
  }
}

TEST(Math2, TaxAtRateIsExactOnHalves) {
  struct Case {
    std::int64_t units;
    std::int64_t percent;
    std::int64_t roubles;
  };
  const Case cases[] = {
      {1500000, 13, 20},      // 150 × 13 % = 19.50
      {500000, 13, 7},        // 50 × 13 % = 6.50
      {12345600, 13, 160},    // 160.4928
      {1000100, 13, 13},      // 13.0013
      {900000, 35, 32},       // 31.50, where the double route gives 31
      {0, 13, 0},
      {-1500000, 13, -19},    // negatives truncate, as RoundHalfUp does
      {kMaxUnits / 10, 35, 32281802128992},  // no overflow in the product
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(TaxAtRate(Currency::FromUnits(c.units), c.percent), Currency::FromRoubles(c.roubles));
  }
  // The fault the exact routine avoids: 90 × 0.35 is 31.499999999999996 as a double.
  EXPECT_EQ(RoundHalfUp(90.0 * 0.35), 31);
}

TEST(Math2, ExactRoundingsOfAmounts) {
  struct Case {
    std::int64_t units;
    std::int64_t kopecks;  // RoundTo2
    std::int64_t roubles;  // RoundHalfUp
  };
  const Case cases[] = {
      {10050, 101, 1},  {10049, 100, 1}, {25000, 250, 3}, {24999, 250, 2},
      {-15000, -150, -1}, {-10050, -100, -1}, {0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(RoundTo2(Currency::FromUnits(c.units)), Currency::FromKopecks(c.kopecks));
    EXPECT_EQ(RoundHalfUp(Currency::FromUnits(c.units)), Currency::FromRoubles(c.roubles));
  }
}

TEST(Math2, MulDivRoundTo2ToTheKopeck) {
  struct Case {
    std::int64_t units, numerator, denominator, kopecks;
  };
  const Case cases[] = {
      {12345700, 20, 100, 24691},   // 20 % of 1234.57 = 246.914
      {10000300, 25, 100, 25001},   // 25 % of 1000.03 = 250.0075
      {10000000, 1, 3, 33333},
      {10000000, 2, 3, 66667},
      {10000000, 1, -2, -50000},
      {10000000, 7, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(MulDivRoundTo2(Currency::FromUnits(c.units), c.numerator, c.denominator),
              Currency::FromKopecks(c.kopecks));
  }
}

}  // namespace
}  // namespace talver
