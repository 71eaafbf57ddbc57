#include "compute/SheetB.h"

#include "model/DeclClasses.h"

namespace talver {

bool kTSvodSumPrilB::Compute(const mTDeclaration&, std::int32_t) {
  Clear();
  return true;
}

std::string ExchangeRateText(Currency, std::int32_t) { return {}; }

}  // namespace talver
