#include "compute/SheetsZI.h"

#include "compute/SvodSum.h"
#include "model/DeclClasses.h"

namespace talver {

bool kTSvodSumPrilJ::Compute(const mTDeclaration&, const kTSvodSum&) {
  Clear();
  return true;
}

bool kTSvodSumPrilI::Compute(const mTDeclaration&) {
  Clear();
  return true;
}

}  // namespace talver
