#include "compute/SheetG.h"

#include "compute/Inputs.h"
#include "model/DeclClasses.h"
#include "platform/Math2.h"

namespace talver {
namespace {

constexpr Currency kPrizeLimit = Roubles(4000);

struct ExemptKind {
  kTExemptIncome kTSvodSumPrilM::*Value;
  std::int32_t IncomeCode;
  std::int32_t DeductCode;
  Currency Limit;  // 0: none, the deduction entered counts
};

constexpr ExemptKind kKinds[] = {
    {&kTSvodSumPrilM::МатПомРожд, 2762, 508, Currency()},
    {&kTSvodSumPrilM::МатПомРаб, 2760, 503, Roubles(4000)},
    {&kTSvodSumPrilM::ДопСВПенс, 1211, 510, Roubles(12000)},
    {&kTSvodSumPrilM::МатПомИнв, 2761, 506, Roubles(4000)},
    {&kTSvodSumPrilM::ПодарНП, 2720, 501, Roubles(4000)},
    {&kTSvodSumPrilM::ПризНП, 2730, 502, Roubles(4000)},
    {&kTSvodSumPrilM::ВозмМед, 2770, 504, Roubles(4000)},
    {&kTSvodSumPrilM::ПомПодар, 2790, 507, Roubles(10000)},
};

}  // namespace

bool kTSvodSumPrilM::Compute(mTDeclaration& d, kTSvodSumTrace* t) {
  Clear();
  // The amounts are read only for the kinds they count in, as they are typed with a trace.
  const auto add = [this](std::int32_t code, std::int32_t deductCode, const auto& amount, const auto& deduction) {
    for (const ExemptKind& kind : kKinds) {
      if (code != kind.IncomeCode) continue;
      kTExemptIncome& value = this->*kind.Value;
      const Figure income = amount();
      value.ДоходВсИст += income;
      if (deductCode == kind.DeductCode) {
        value.ДоходНеНал += kind.Limit.IsZero() ? deduction() : Min(income, kind.Limit);
      }
    }
  };
  if (d.Sources13.Count() != 0 || d.HasSection(kSectionForeign)) {
    ForEachOf(d.Sources13, [&](std::size_t i, const mTThirteenPercent& s) {
      ForEachEntry(s, [&](std::size_t j, const mTSourseIncome& e) {
        add(
            e.IncomeCode, e.DeductCode,
            [&] { return EntryValue(t, e.Amount, kPageSources13, InputField::EntryAmount, i, s, j, e); },
            [&] { return EntryValue(t, e.DeductAmount, kPageSources13, InputField::EntryDeduction, i, s, j, e); });
      });
    });
    if (d.HasSection(kSectionForeign)) {
      ForEachOf(d.CurrencyIncomes, [&](std::size_t i, const mTCurrencyIncome& f) {
        add(
            f.IncomeCode, f.DeductCode, [&] { return ForeignValue(t, f.IncomeInRoubles, InputField::ForeignIncome, i, f); },
            [&] { return ForeignValue(t, f.DeductAmount, InputField::ForeignDeduction, i, f); });
      });
    }
    // The limit holds for the year's sum as well as for each entry.
    for (const ExemptKind& kind : kKinds) {
      kTExemptIncome& value = this->*kind.Value;
      if (!kind.Limit.IsZero()) value.ДоходНеНал = Min(value.ДоходНеНал, kind.Limit);
    }
  }
  ДохНеНалОбщ = МатПомРожд.ДоходНеНал + МатПомРаб.ДоходНеНал + ДопСВПенс.ДоходНеНал + МатПомИнв.ДоходНеНал +
                ПодарНП.ДоходНеНал + ПризНП.ДоходНеНал + ВозмМед.ДоходНеНал + ПомПодар.ДоходНеНал +
                НатОплСХ.ДоходНеНал;

  if (d.DeclarationForm == kForm3Resident) {
    // Prizes in advertising at 35 %: the exemption is granted source by source until the limit
    // is used up, and each source's taxable income and tax follow it.
    Currency left = kPrizeLimit;
    ForEachOf(d.Sources35, [&](std::size_t i, mTThirtyFivePercent& s) {
      if (s.IncomeCode != 2740 || s.DeductCode == 0) return;
      const Figure income = SourceValue(t, s.IncomeTotal, kPageSources35, InputField::SourceIncome, i, s);
      ПризРекл.ДоходВсИст += income;
      const Figure claimed = SourceValue(t, s.DeductAmount, kPageSources35, InputField::SourceDeduction, i, s);
      const Figure exempt = Named(Min(Min(claimed, income), left), "Освобожденная часть приза",
                                  [&] { return SourceItem(s, i); });
      s.TaxableIncome = s.IncomeTotal - Currency(exempt);
      s.TaxComputed = TaxAtRate(s.TaxableIncome, 35);  // exact on halves, as on sheet А
      ПризРекл.ДоходНеНал += exempt;
      left -= exempt;
    });
  } else if (d.DeclarationForm == kForm3NonResident) {
    ForEachOf(d.Sources13, [&](std::size_t i, const mTThirteenPercent& s) {
      ForEachEntry(s, [&](std::size_t j, const mTSourseIncome& e) {
        if (e.IncomeCode != 2740 || e.DeductCode == 0) return;
        ПризРекл.ДоходВсИст += EntryValue(t, e.Amount, kPageSources13, InputField::EntryAmount, i, s, j, e);
        ПризРекл.ДоходНеНал += EntryValue(t, e.DeductAmount, kPageSources13, InputField::EntryDeduction, i, s, j, e);
      });
    });
  }
  ПризРекл.ДоходНеНал = Min(ПризРекл.ДоходНеНал, kPrizeLimit);
  return true;
}

}  // namespace talver
