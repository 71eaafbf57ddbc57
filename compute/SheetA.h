#pragma once
// Sheet А: the totals of the incomes from sources in the Russian Federation, by rate, and the
// income-type code of every source walked (mTSourseIncomeInfo::IncomeKind, exported as
// `ВидДоход` of the source's `ДоходИстРФ`). A component whose form does not match its rate
// keeps zeros and touches no source.
#include <string>

#include "compute/ComputeCommon.h"
#include "platform/Currency.h"

namespace talver {

class mTThirteenPercent;

// The income-type code of a source at 13 % (resident) or 30 % (non-resident) from the codes
// of its entries; "07" instead of "06" when the agent withheld less than it computed. A source
// without entries gets the empty code.
std::string IncomeKindOfEntries(const mTThirteenPercent& source);

// Resident: Sources13, SourcesDividends and InvestSources; non-resident: Sources13NR.
class kTSvodSumPrilA13 {
 public:
  void Clear() { *this = kTSvodSumPrilA13(); }
  bool Compute(mTDeclaration& declaration, const kTSvodSum& summary);

  Figure SumIncome;         // entry amounts (and partnership incomes)
  Figure SumWithheld;
  Figure DividendTaxable;   // resident dividend sources
  Figure DividendWithheld;
  Figure FixedAdvances;     // the declaration's ForeignerFixedPayments

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "SumIncome", SumIncome);
    v.Value("", "SumWithheld", SumWithheld);
    v.Value("", "DividendTaxable", DividendTaxable);
    v.Value("", "DividendWithheld", DividendWithheld);
    v.Value("", "FixedAdvances", FixedAdvances);
  }
  friend bool operator==(const kTSvodSumPrilA13&, const kTSvodSumPrilA13&) = default;
};

// Resident: Sources9.
class kTSvodSumPrilA9 {
 public:
  void Clear() { *this = kTSvodSumPrilA9(); }
  bool Compute(mTDeclaration& declaration, const kTSvodSum& summary);

  Figure SumIncome;
  Figure SumWithheld;

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "SumIncome", SumIncome);
    v.Value("", "SumWithheld", SumWithheld);
  }
  friend bool operator==(const kTSvodSumPrilA9&, const kTSvodSumPrilA9&) = default;
};

// Non-resident: SourcesDividends at 15 %.
class kTSvodSumPrilA15 {
 public:
  void Clear() { *this = kTSvodSumPrilA15(); }
  bool Compute(mTDeclaration& declaration, const kTSvodSum& summary);

  Figure SumTaxable;
  Figure SumWithheld;

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "SumTaxable", SumTaxable);
    v.Value("", "SumWithheld", SumWithheld);
  }
  friend bool operator==(const kTSvodSumPrilA15&, const kTSvodSumPrilA15&) = default;
};

// Non-resident: Sources13 (which holds the 30 % sources) and InvestSources.
class kTSvodSumPrilA30 {
 public:
  void Clear() { *this = kTSvodSumPrilA30(); }
  bool Compute(mTDeclaration& declaration, const kTSvodSum& summary);

  Figure SumIncome;
  Figure SumWithheld;

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "SumIncome", SumIncome);
    v.Value("", "SumWithheld", SumWithheld);
  }
  friend bool operator==(const kTSvodSumPrilA30&, const kTSvodSumPrilA30&) = default;
};

// Resident: Sources35. Writes each source's TaxableIncome and TaxComputed; sources of income
// code 2620 only add their tax withheld to Withheld2620 and stay off sheet А.
class kTSvodSumPrilA35 {
 public:
  void Clear() { *this = kTSvodSumPrilA35(); }
  bool Compute(mTDeclaration& declaration, const kTSvodSum& summary);

  Figure SumIncome;
  Figure SumWithheld;
  Figure Withheld2620;

  template <class V>
  void VisitValues(V& v) const {
    v.Value("", "SumIncome", SumIncome);
    v.Value("", "SumWithheld", SumWithheld);
    v.Value("", "Withheld2620", Withheld2620);
  }
  friend bool operator==(const kTSvodSumPrilA35&, const kTSvodSumPrilA35&) = default;
};

}  // namespace talver
