#include "compute/SvodSum.h"

#include "model/DeclClasses.h"

namespace talver {

void kTSvodSum::Clear() {
  List1.Clear();
  ListKIK.Clear();
  ListDiv.Clear();
  List2.Clear();
  List3.Clear();
  List4.Clear();
  List5.Clear();
  List6.Clear();
  PrilA9.Clear();
  PrilA13.Clear();
  PrilA15.Clear();
  PrilA30.Clear();
  PrilA35.Clear();
  PrilB13.Clear();
  PrilB9.Clear();
  PrilB35.Clear();
  PrilV1.Clear();
  PrilM.Clear();
  PrilG.Clear();
  PrilG_In.Clear();
  PrilE1.Clear();
  PrilE2.Clear();
  PrilE3.Clear();
  PrilH1.Clear();
  PrilZ.Clear();
  PrilJ.Clear();
  PrilJ_IIS.Clear();
  PrilI.Clear();
}

bool kTSvodSum::Compute(mTDeclaration& d) {
  Clear();
  if (d.DeclarationForm == kForm4) return true;

  // Sheet А and business income first.
  bool ok = PrilA9.Compute(d, *this) && PrilA13.Compute(d, *this) && PrilA15.Compute(d, *this) &&
            PrilA30.Compute(d, *this) && PrilA35.Compute(d, *this) && PrilV1.Compute(d);

  // The order carries the dependencies: PrilA35 before PrilM (prize exemptions rewrite the 35 %
  // sources), PrilG before PrilG_In (the shared 905/907 limit), PrilI before the securities,
  // PrilE3 before PrilE2 (the shared 120 000 limit), and PrilZ last of all sheets.
  if (ok && d.Sections != 0) {
    ok = PrilM.Compute(d) && PrilG.Compute(d) && PrilG_In.Compute(d, kShareSaleLimit - PrilG.LimitedCapital) &&
         PrilH1.Compute(d) && PrilI.Compute(d) && PrilJ.Compute(d, *this) && PrilJ_IIS.Compute(d, *this) &&
         PrilB13.Compute(d, 13) && PrilB9.Compute(d, 9) && PrilB35.Compute(d, 35) && PrilE1.Compute(d, *this) &&
         PrilE3.Compute(d, *this) && PrilE2.Compute(d, *this) && PrilZ.Compute(d, *this);
  }

  ok = ok && List1.Compute(*this, d) && ListKIK.Compute(*this, d) && ListDiv.Compute(*this, d) &&
       List2.Compute(*this, d) && List3.Compute(*this, d) && List4.Compute(*this, d) && List5.Compute(*this, d);
  return ok && List6.Compute(*this, d);
}

}  // namespace talver
