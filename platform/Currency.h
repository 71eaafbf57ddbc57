#pragma once
// An amount of money: a signed 64-bit count of ten-thousandths of a rouble.
// Sums, differences and comparisons are exact; conversions to and from roubles are explicit.
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

  constexpr Currency operator-() const { return Currency(-units_); }
  constexpr Currency& operator+=(Currency other) { units_ += other.units_; return *this; }
  constexpr Currency& operator-=(Currency other) { units_ -= other.units_; return *this; }
  friend constexpr Currency operator+(Currency a, Currency b) { return Currency(a.units_ + b.units_); }
  friend constexpr Currency operator-(Currency a, Currency b) { return Currency(a.units_ - b.units_); }
  friend constexpr Currency operator*(Currency a, std::int64_t n) { return Currency(a.units_ * n); }
  friend constexpr Currency operator*(std::int64_t n, Currency a) { return Currency(a.units_ * n); }
  friend constexpr auto operator<=>(Currency, Currency) = default;
  friend constexpr bool operator==(Currency, Currency) = default;

 private:
  constexpr explicit Currency(std::int64_t units) : units_(units) {}
  std::int64_t units_ = 0;
};

constexpr Currency Min(Currency a, Currency b) { return a < b ? a : b; }
constexpr Currency Max(Currency a, Currency b) { return a < b ? b : a; }

}  // namespace talver
