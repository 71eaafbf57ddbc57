#pragma once
// What every model class shares: the storage it saves into and the owner codes it stamps on
// the container's errors that pass through it.
#include <cstdint>
#include <utility>

#include "storage/StgClasses.h"

namespace talver {

// Runs `f`; a container error passing through gets `ownerCode` unless an inner object already
// named itself as the owner.
template <class F>
decltype(auto) WithOwnerCode(std::uint16_t ownerCode, F&& f) {
  try {
    return std::forward<F>(f)();
  } catch (mEPrivBase& e) {
    if (e.OwnerCode == 0) e.OwnerCode = ownerCode;
    throw;
  }
}

// Dates the model uses as defaults.
inline constexpr double kDate01011990 = 32874;  // 01.01.1990
inline constexpr double kDate01011977 = 28126;  // 01.01.1977
inline constexpr double kDate01012000 = 36526;  // 01.01.2000
inline constexpr double kDate01012003 = 37622;  // 01.01.2003
inline constexpr double kDate01012016 = 42370;  // 01.01.2016

}  // namespace talver
