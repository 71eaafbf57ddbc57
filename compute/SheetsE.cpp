#include "compute/SheetsE.h"

#include "compute/SvodSum.h"
#include "model/DeclClasses.h"

namespace talver {

bool kTSvodSumPrilE1::Compute(const mTDeclaration&, const kTSvodSum&) {
  Clear();
  return true;
}

bool kTSvodSumPrilE2::Compute(mTDeclaration&, const kTSvodSum&) {
  Clear();
  return true;
}

bool kTSvodSumPrilE3::Compute(const mTDeclaration&, const kTSvodSum&) {
  Clear();
  return true;
}

}  // namespace talver
