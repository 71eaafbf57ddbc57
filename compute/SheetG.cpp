#include "compute/SheetG.h"

#include "model/DeclClasses.h"

namespace talver {

bool kTSvodSumPrilM::Compute(mTDeclaration&) {
  Clear();
  return true;
}

}  // namespace talver
