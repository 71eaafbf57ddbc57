#include "compute/SheetsD.h"

#include "compute/SvodSum.h"
#include "model/DeclClasses.h"

namespace talver {

bool kTSvodSumPrilH1::Compute(const mTDeclaration&) {
  Clear();
  return true;
}

bool kTSvodSumPrilZ::Compute(mTDeclaration&, const kTSvodSum&) {
  Clear();
  return true;
}

}  // namespace talver
