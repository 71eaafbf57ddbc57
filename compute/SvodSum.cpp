#include "compute/SvodSum.h"

#include "compute/Trace.h"
#include "model/DeclClasses.h"

namespace talver {
namespace {

// Names every value a component lists by its XML names.
class ValueNamer {
 public:
  ValueNamer(kTSvodSumTrace& trace, const char* component) : trace_(trace), component_(component) {}
  void Value(const char* element, const char* attribute, const Figure& value) {
    trace_.NameValue(component_, element, attribute, value);
  }
  template <class N>
  void Count(const char*, const char*, N) {}
  void Text(const char*, const char*, const std::string&) {}

 private:
  kTSvodSumTrace& trace_;
  const char* component_;
};

class ComponentNamer {
 public:
  explicit ComponentNamer(kTSvodSumTrace& trace) : trace_(trace) {}
  template <class C>
  void Component(const char* name, const C& component) {
    ValueNamer namer(trace_, name);
    component.VisitValues(namer);
  }

 private:
  kTSvodSumTrace& trace_;
};

}  // namespace

void kTSvodSum::KeepTrace() {
  if (!trace_.Trace) trace_.Trace = std::make_shared<kTSvodSumTrace>();
}

void kTSvodSum::NameFigures() {
  kTSvodSumTrace& trace = *trace_.Trace;
  ComponentNamer namer(trace);
  VisitComponents(namer);
  List6.NameLines(trace);
  PrilB13.NameLines(trace, "PrilB13");
  PrilB9.NameLines(trace, "PrilB9");
  PrilB35.NameLines(trace, "PrilB35");
  PrilE1.NameMonths(trace);
  PrilE3.NameContracts(trace);
}

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
  kTSvodSumTrace* const trace = Tracing();
  if (trace != nullptr) trace->Clear(d.DeclarationForm);
  if (d.DeclarationForm == kForm4) return true;

  // Sheet А and business income first.
  bool ok = PrilA9.Compute(d, *this) && PrilA13.Compute(d, *this) && PrilA15.Compute(d, *this) &&
            PrilA30.Compute(d, *this) && PrilA35.Compute(d, *this) && PrilV1.Compute(d, trace);

  // The order carries the dependencies: PrilA35 before PrilM (prize exemptions rewrite the 35 %
  // sources), PrilG before PrilG_In (the shared 905/907 limit), PrilI before the securities,
  // PrilE3 before PrilE2 (the shared 120 000 limit), and PrilZ last of all sheets.
  if (ok && d.Sections != 0) {
    ok = PrilM.Compute(d, trace) && PrilG.Compute(d, trace) &&
         PrilG_In.Compute(d, RemainingShareSaleLimit(PrilG), trace) && PrilH1.Compute(d, trace) &&
         PrilI.Compute(d, trace) && PrilJ.Compute(d, *this) && PrilJ_IIS.Compute(d, *this) &&
         PrilB13.Compute(d, 13, trace) && PrilB9.Compute(d, 9, trace) && PrilB35.Compute(d, 35, trace) &&
         PrilE1.Compute(d, *this) && PrilE3.Compute(d, *this) && PrilE2.Compute(d, *this) && PrilZ.Compute(d, *this);
  }

  ok = ok && List1.Compute(*this, d) && ListKIK.Compute(*this, d) && ListDiv.Compute(*this, d) &&
       List2.Compute(*this, d) && List3.Compute(*this, d) && List4.Compute(*this, d) && List5.Compute(*this, d);
  ok = ok && List6.Compute(*this, d);
  if (trace != nullptr) NameFigures();
  return ok;
}

}  // namespace talver
