#include "compute/SheetsVZh.h"

#include "model/DeclClasses.h"

namespace talver {

bool kTSvodSumPrilV1::Compute(mTDeclaration&) {
  Clear();
  return true;
}

bool kTSvodSumPrilG::Compute(const mTDeclaration&) {
  Clear();
  return true;
}

bool kTSvodSumPrilG_In::Compute(const mTDeclaration&, Currency) {
  Clear();
  return true;
}

}  // namespace talver
