#pragma once
// The summary of a return: every sheet (А, Б, В, Г, Д1, Д2, Е1, Е2, Ж, З, И) and sections 2
// and 1, computed from one declaration. A caller creates a summary, calls Compute and reads the
// components, whose values carry the names of the XML attributes they are exported to (see
// compute/ComputeCommon.h). Compute also writes a few values back into the declaration, which
// the export relies on: IncomeKind of the sources of sheet А, TaxableIncome and TaxComputed of
// the 35 % sources, zero PatentPayments and TradeFee without a business section, children's
// education amounts cut to 50 000, and CostTaken and ShareShown of the housing objects.
//
// The computation validates nothing; an exception inside it is left to the caller.
//
// Asked to keep a trace (KeepTrace), the summary also records how every figure came about
// (compute/Trace.h): each value of its components, each line of section 1, down to what the
// user typed. The figures are the same with and without it.
#include <memory>

#include "compute/Section1.h"
#include "compute/Section2.h"
#include "compute/SheetA.h"
#include "compute/SheetB.h"
#include "compute/SheetG.h"
#include "compute/SheetsD.h"
#include "compute/SheetsE.h"
#include "compute/SheetsVZh.h"
#include "compute/SheetsZI.h"

namespace talver {

class kTSvodSum {
 public:
  kTSvodSum() = default;

  // Computes everything in a fixed order, starting from Clear. True when section 1 has a line
  // and no section 2 component has more tax payable than refundable; false when some tax is
  // payable or only the zero line of section 1 was added. For 4-НДФЛ: true, nothing computed.
  bool Compute(mTDeclaration& declaration);
  // Every component to its initial state, in member order.
  void Clear();

  // Keeps the trace of every computation from now on. A copy of the summary shares it.
  void KeepTrace();
  // The trace of the last computation, or null when none is kept.
  const kTSvodSumTrace* Trace() const { return trace_.Trace.get(); }
  // The trace the components record into, or null.
  kTSvodSumTrace* Tracing() const { return trace_.Trace.get(); }

  // Calls v.Component(name, component) for the 28 components in member order.
  template <class V>
  void VisitComponents(V& v) const {
    v.Component("List1", List1);
    v.Component("ListKIK", ListKIK);
    v.Component("ListDiv", ListDiv);
    v.Component("List2", List2);
    v.Component("List3", List3);
    v.Component("List4", List4);
    v.Component("List5", List5);
    v.Component("List6", List6);
    v.Component("PrilA9", PrilA9);
    v.Component("PrilA13", PrilA13);
    v.Component("PrilA15", PrilA15);
    v.Component("PrilA30", PrilA30);
    v.Component("PrilA35", PrilA35);
    v.Component("PrilB13", PrilB13);
    v.Component("PrilB9", PrilB9);
    v.Component("PrilB35", PrilB35);
    v.Component("PrilV1", PrilV1);
    v.Component("PrilM", PrilM);
    v.Component("PrilG", PrilG);
    v.Component("PrilG_In", PrilG_In);
    v.Component("PrilE1", PrilE1);
    v.Component("PrilE2", PrilE2);
    v.Component("PrilE3", PrilE3);
    v.Component("PrilH1", PrilH1);
    v.Component("PrilZ", PrilZ);
    v.Component("PrilJ", PrilJ);
    v.Component("PrilJ_IIS", PrilJ_IIS);
    v.Component("PrilI", PrilI);
  }

  friend bool operator==(const kTSvodSum&, const kTSvodSum&) = default;

  kTSvodSumList1 List1;      // section 2, 13 %, other incomes
  kTSvodSumListKIK ListKIK;  // section 2, 13 %, controlled foreign companies
  kTSvodSumListDiv ListDiv;  // section 2, 13 %, dividends
  kTSvodSumList2 List2;      // section 2, 30 %
  kTSvodSumList3 List3;      // section 2, 35 %
  kTSvodSumList4 List4;      // section 2, 9 %
  kTSvodSumList5 List5;      // section 2, 15 %
  kTSvodSumList6 List6;      // section 1
  kTSvodSumPrilA9 PrilA9;    // sheet А
  kTSvodSumPrilA13 PrilA13;
  kTSvodSumPrilA15 PrilA15;
  kTSvodSumPrilA30 PrilA30;
  kTSvodSumPrilA35 PrilA35;
  kTSvodSumPrilB PrilB13;    // sheet Б
  kTSvodSumPrilB PrilB9;
  kTSvodSumPrilB PrilB35;
  kTSvodSumPrilV1 PrilV1;    // sheet В
  kTSvodSumPrilM PrilM;      // sheet Г
  kTSvodSumPrilG PrilG;      // sheet Ж, incomes in the Russian Federation
  kTSvodSumPrilG_In PrilG_In;  // sheet Ж, foreign-currency incomes
  kTSvodSumPrilE1 PrilE1;    // sheet Е1, standard deductions
  kTSvodSumPrilE2 PrilE2;    // sheet Е1, social deductions
  kTSvodSumPrilE3 PrilE3;    // sheet Е2
  kTSvodSumPrilH1 PrilH1;    // sheet Д2
  kTSvodSumPrilZ PrilZ;      // sheet Д1
  kTSvodSumPrilJ PrilJ{false};     // sheet З, ordinary accounts
  kTSvodSumPrilJ PrilJ_IIS{true};  // sheet З, individual investment account
  kTSvodSumPrilI PrilI;      // sheet И

 private:
  // Gives every figure of the components its names in the trace.
  void NameFigures();

  // The trace is no part of the figures: summaries compare equal whatever they keep.
  struct TraceHolder {
    std::shared_ptr<kTSvodSumTrace> Trace;
    friend bool operator==(const TraceHolder&, const TraceHolder&) { return true; }
  };
  TraceHolder trace_;
};

}  // namespace talver
