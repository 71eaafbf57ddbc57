#include "platform/Currency.h"

#include <cmath>
#include <cstdint>

namespace talver {

Currency Currency::FromDouble(double roubles) {
  const double units = std::round(roubles * static_cast<double>(kScale));
  // Out-of-range and undefined amounts saturate rather than overflow.
  if (!(units > -9.2e18)) return Currency(units > 0 ? INT64_MAX : INT64_MIN);
  if (units > 9.2e18) return Currency(INT64_MAX);
  return Currency(static_cast<std::int64_t>(units));
}

}  // namespace talver
