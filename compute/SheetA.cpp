#include "compute/SheetA.h"

#include "compute/Inputs.h"
#include "compute/SvodSum.h"
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

// The incomes of the source at `index` of the list of `page`.
Figure SumOfEntries(kTSvodSumTrace* t, int page, std::size_t index, const mTThirteenPercent& source) {
  Figure sum;
  ForEachEntry(source, [&](std::size_t j, const mTSourseIncome& e) {
    sum += EntryValue(t, e.Amount, page, InputField::EntryAmount, index, source, j, e);
  });
  return Named(std::move(sum), "Доходы источника", [&] { return SourceItem(source, index); });
}

Figure SumOfEntries(kTSvodSumTrace* t, std::size_t index, const mTInvestTov& source) {
  Figure sum;
  ForEachEntry(source, [&](std::size_t j, const mTInvestTovIncome& e) {
    sum += EntryValue(t, e.Income, kPageInvestTov, InputField::EntryAmount, index, source, j, e);
  });
  return Named(std::move(sum), "Доходы товарищества", [&] { return SourceItem(source, index); });
}

Figure Withheld(kTSvodSumTrace* t, int page, std::size_t index, const mTSourseIncomeInfo& source) {
  return SourceValue(t, source.TaxWithheld, page, InputField::SourceWithheld, index, source);
}

}  // namespace

std::string IncomeKindOfEntries(const mTThirteenPercent& source) {
  std::string kind;
  ForEachEntry(source, [&](const mTSourseIncome& e) { kind = NextIncomeKind(kind, e); });
  if (kind == "06" && source.TaxComputed > source.TaxWithheld) kind = "07";
  return kind;
}

bool kTSvodSumPrilA13::Compute(mTDeclaration& d, const kTSvodSum& summary) {
  Clear();
  kTSvodSumTrace* const t = summary.Tracing();
  FixedAdvances = DocumentValue(t, d.ForeignerFixedPayments, kPageSources13, InputField::ForeignerFixedPayments);
  if (d.DeclarationForm == kForm3Resident) {
    ForEachOf(d.Sources13, [&](std::size_t i, mTThirteenPercent& s) {
      s.IncomeKind = IncomeKindOfEntries(s);
      SumIncome += SumOfEntries(t, kPageSources13, i, s);
      SumWithheld += Withheld(t, kPageSources13, i, s);
    });
    ForEachOf(d.SourcesDividends, [&](std::size_t i, mTThirtyPercent& s) {
      s.IncomeKind = "08";
      DividendTaxable += SourceValue(t, s.TaxableIncome, kPageSources30, InputField::SourceTaxable, i, s);
      DividendWithheld += Withheld(t, kPageSources30, i, s);
    });
    ForEachOf(d.InvestSources, [&](std::size_t i, mTInvestTov& s) {
      s.IncomeKind = "03";
      SumIncome += SumOfEntries(t, i, s);
      SumWithheld += Withheld(t, kPageInvestTov, i, s);
    });
  } else if (d.DeclarationForm == kForm3NonResident) {
    // Highly qualified specialists: the entries' codes play no part.
    ForEachOf(d.Sources13NR, [&](std::size_t i, mTThirteenPercent& s) {
      s.IncomeKind = s.TaxComputed > s.TaxWithheld ? "07" : "06";
      SumIncome += SumOfEntries(t, kPageSources13NR, i, s);
      SumWithheld += Withheld(t, kPageSources13NR, i, s);
    });
  }
  return true;
}

bool kTSvodSumPrilA9::Compute(mTDeclaration& d, const kTSvodSum& summary) {
  Clear();
  if (d.DeclarationForm != kForm3Resident) return true;
  kTSvodSumTrace* const t = summary.Tracing();
  ForEachOf(d.Sources9, [&](std::size_t i, mTThirtyPercent& s) {
    s.IncomeKind = "10";
    SumIncome += SourceValue(t, s.IncomeTotal, kPageSources9, InputField::SourceIncome, i, s);
    SumWithheld += Withheld(t, kPageSources9, i, s);
  });
  return true;
}

bool kTSvodSumPrilA15::Compute(mTDeclaration& d, const kTSvodSum& summary) {
  Clear();
  if (d.DeclarationForm != kForm3NonResident) return true;
  kTSvodSumTrace* const t = summary.Tracing();
  ForEachOf(d.SourcesDividends, [&](std::size_t i, mTThirtyPercent& s) {
    s.IncomeKind = "08";
    SumTaxable += SourceValue(t, s.TaxableIncome, kPageSources30, InputField::SourceTaxable, i, s);
    SumWithheld += Withheld(t, kPageSources30, i, s);
  });
  return true;
}

bool kTSvodSumPrilA30::Compute(mTDeclaration& d, const kTSvodSum& summary) {
  Clear();
  if (d.DeclarationForm != kForm3NonResident) return true;
  kTSvodSumTrace* const t = summary.Tracing();
  ForEachOf(d.Sources13, [&](std::size_t i, mTThirteenPercent& s) {
    s.IncomeKind = IncomeKindOfEntries(s);
    SumIncome += SumOfEntries(t, kPageSources13, i, s);
    SumWithheld += Withheld(t, kPageSources13, i, s);
  });
  ForEachOf(d.InvestSources, [&](std::size_t i, mTInvestTov& s) {
    s.IncomeKind = "03";
    SumIncome += SumOfEntries(t, i, s);
    SumWithheld += Withheld(t, kPageInvestTov, i, s);
  });
  return true;
}

bool kTSvodSumPrilA35::Compute(mTDeclaration& d, const kTSvodSum& summary) {
  Clear();
  if (d.DeclarationForm != kForm3Resident) return true;
  kTSvodSumTrace* const t = summary.Tracing();
  ForEachOf(d.Sources35, [&](std::size_t i, mTThirtyFivePercent& s) {
    if (s.IncomeCode == 2620) {
      Withheld2620 += Withheld(t, kPageSources35, i, s);
      return;
    }
    s.IncomeKind = "10";
    s.TaxableIncome = s.IncomeTotal;
    // Exact on halves: as doubles 90.00 × 0.35 falls just below 31.5 and would round down.
    s.TaxComputed = TaxAtRate(s.TaxableIncome, 35);
    SumIncome += SourceValue(t, s.IncomeTotal, kPageSources35, InputField::SourceIncome, i, s);
    SumWithheld += Withheld(t, kPageSources35, i, s);
  });
  return true;
}

}  // namespace talver
