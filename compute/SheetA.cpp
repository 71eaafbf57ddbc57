#include "compute/SheetA.h"

#include "model/DeclClasses.h"
#include "platform/Math2.h"

namespace talver {
namespace {

bool IsSecuritiesCode(std::int32_t k) {
  return (k >= 1530 && k <= 1539) || k == 1541 || (k >= 1544 && k <= 1549) || (k >= 1551 && k <= 1554) ||
         k == 9537 || k == 9538 || k == 9551 || k == 9552;
}

// The code an entry of income code k makes of the current code c.
std::string NextIncomeKind(const std::string& c, const mTSourseIncome& entry) {
  const std::int32_t k = entry.IncomeCode;
  const auto sameOrOther = [&c](const char* kind) -> std::string {
    if (c.empty() || c == kind) return kind;
    return c == "06" ? "06" : "10";
  };
  if (k == 2000 || k == 2010) return "06";
  if (k == 1400 || k == 2400) return sameOrOther("04");
  if (k == 1510 || k == 1511) return sameOrOther(entry.DeductAttribute == 1 ? "01" : "09");
  if (k == 1512 || k == 1520) return sameOrOther("02");
  if (IsSecuritiesCode(k)) return sameOrOther("03");
  if (k == 2220 || k == 2720 || k == 2790) return sameOrOther("05");
  return c == "06" ? "06" : "10";
}

Currency SumOfEntries(const mTThirteenPercent& source) {
  Currency sum;
  ForEachEntry(source, [&](const mTSourseIncome& e) { sum += e.Amount; });
  return sum;
}

Currency SumOfEntries(const mTInvestTov& source) {
  Currency sum;
  ForEachEntry(source, [&](const mTInvestTovIncome& e) { sum += e.Income; });
  return sum;
}

}  // namespace

std::string IncomeKindOfEntries(const mTThirteenPercent& source) {
  std::string kind;
  ForEachEntry(source, [&](const mTSourseIncome& e) { kind = NextIncomeKind(kind, e); });
  if (kind == "06" && source.TaxComputed > source.TaxWithheld) kind = "07";
  return kind;
}

bool kTSvodSumPrilA13::Compute(mTDeclaration& d, const kTSvodSum&) {
  Clear();
  FixedAdvances = d.ForeignerFixedPayments;
  if (d.DeclarationForm == kForm3Resident) {
    ForEachOf(d.Sources13, [&](mTThirteenPercent& s) {
      s.IncomeKind = IncomeKindOfEntries(s);
      SumIncome += SumOfEntries(s);
      SumWithheld += s.TaxWithheld;
    });
    ForEachOf(d.SourcesDividends, [&](mTThirtyPercent& s) {
      s.IncomeKind = "08";
      DividendTaxable += s.TaxableIncome;
      DividendWithheld += s.TaxWithheld;
    });
    ForEachOf(d.InvestSources, [&](mTInvestTov& s) {
      s.IncomeKind = "03";
      SumIncome += SumOfEntries(s);
      SumWithheld += s.TaxWithheld;
    });
  } else if (d.DeclarationForm == kForm3NonResident) {
    // Highly qualified specialists: the entries' codes play no part.
    ForEachOf(d.Sources13NR, [&](mTThirteenPercent& s) {
      s.IncomeKind = s.TaxComputed > s.TaxWithheld ? "07" : "06";
      SumIncome += SumOfEntries(s);
      SumWithheld += s.TaxWithheld;
    });
  }
  return true;
}

bool kTSvodSumPrilA9::Compute(mTDeclaration& d, const kTSvodSum&) {
  Clear();
  if (d.DeclarationForm != kForm3Resident) return true;
  ForEachOf(d.Sources9, [&](mTThirtyPercent& s) {
    s.IncomeKind = "10";
    SumIncome += s.IncomeTotal;
    SumWithheld += s.TaxWithheld;
  });
  return true;
}

bool kTSvodSumPrilA15::Compute(mTDeclaration& d, const kTSvodSum&) {
  Clear();
  if (d.DeclarationForm != kForm3NonResident) return true;
  ForEachOf(d.SourcesDividends, [&](mTThirtyPercent& s) {
    s.IncomeKind = "08";
    SumTaxable += s.TaxableIncome;
    SumWithheld += s.TaxWithheld;
  });
  return true;
}

bool kTSvodSumPrilA30::Compute(mTDeclaration& d, const kTSvodSum&) {
  Clear();
  if (d.DeclarationForm != kForm3NonResident) return true;
  ForEachOf(d.Sources13, [&](mTThirteenPercent& s) {
    s.IncomeKind = IncomeKindOfEntries(s);
    SumIncome += SumOfEntries(s);
    SumWithheld += s.TaxWithheld;
  });
  ForEachOf(d.InvestSources, [&](mTInvestTov& s) {
    s.IncomeKind = "03";
    SumIncome += SumOfEntries(s);
    SumWithheld += s.TaxWithheld;
  });
  return true;
}

bool kTSvodSumPrilA35::Compute(mTDeclaration& d, const kTSvodSum&) {
  Clear();
  if (d.DeclarationForm != kForm3Resident) return true;
  ForEachOf(d.Sources35, [&](mTThirtyFivePercent& s) {
    if (s.IncomeCode == 2620) {
      Withheld2620 += s.TaxWithheld;
      return;
    }
    s.IncomeKind = "10";
    s.TaxableIncome = s.IncomeTotal;
    // Exact on halves: as doubles 90.00 × 0.35 falls just below 31.5 and would round down.
    s.TaxComputed = TaxAtRate(s.TaxableIncome, 35);
    SumIncome += s.IncomeTotal;
    SumWithheld += s.TaxWithheld;
  });
  return true;
}

}  // namespace talver
