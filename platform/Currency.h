#pragma once
// An amount of money: a signed 64-bit count of ten-thousandths of a rouble.
// Sums, differences and comparisons are exact; conversions to and from roubles are explicit.
// Arithmetic past the 64-bit range saturates at the nearest end instead of wrapping, so an
// absurd figure in a file can give an absurd total but never a sum of the opposite sign.
#include <compare>
#include <cstdint>

namespace talver {

class Currency {
 public:
  static constexpr std::int64_t kScale = 10000;  // units in one rouble

  constexpr Currency() = default;

  static constexpr Currency FromUnits(std::int64_t units) { return Currency(units); }
  static constexpr Currency FromRoubles(std::int64_t roubles) { return Currency(roubles * kScale); }
  static constexpr Currency FromKopecks(std::int64_t kopecks) { return Currency(kopecks * 100); }
  // The nearest unit to a double amount of roubles, halves away from zero.
  static Currency FromDouble(double roubles);

  constexpr std::int64_t Units() const { return units_; }
  double ToDouble() const { return static_cast<double>(units_) / kScale; }
  constexpr bool IsZero() const { return units_ == 0; }

  constexpr Currency operator-() const { return Currency(units_ == kMin ? kMax : -units_); }
  constexpr Currency& operator+=(Currency other) { return *this = *this + other; }
  constexpr Currency& operator-=(Currency other) { return *this = *this - other; }
  friend constexpr Currency operator+(Currency a, Currency b) {
    std::int64_t sum = 0;
    return Currency(__builtin_add_overflow(a.units_, b.units_, &sum) ? (b.units_ > 0 ? kMax : kMin) : sum);
  }
  friend constexpr Currency operator-(Currency a, Currency b) {
    std::int64_t difference = 0;
    return Currency(__builtin_sub_overflow(a.units_, b.units_, &difference) ? (b.units_ < 0 ? kMax : kMin)
                                                                              : difference);
  }
  friend constexpr Currency operator*(Currency a, std::int64_t n) {
    std::int64_t product = 0;
    return Currency(__builtin_mul_overflow(a.units_, n, &product) ? ((a.units_ < 0) != (n < 0) ? kMin : kMax)
                                                                    : product);
  }
  friend constexpr Currency operator*(std::int64_t n, Currency a) { return a * n; }
  friend constexpr auto operator<=>(Currency, Currency) = default;
  friend constexpr bool operator==(Currency, Currency) = default;

 private:
  static constexpr std::int64_t kMax = INT64_MAX;
  static constexpr std::int64_t kMin = INT64_MIN;
  constexpr explicit Currency(std::int64_t units) : units_(units) {}
  std::int64_t units_ = 0;
};

constexpr Currency Min(Currency a, Currency b) { return a < b ? a : b; }
constexpr Currency Max(Currency a, Currency b) { return a < b ? b : a; }

}  // namespace talver
