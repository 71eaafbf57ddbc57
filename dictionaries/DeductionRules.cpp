#include "dictionaries/DeductionRules.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/Math2.h"

namespace talver {
namespace {

// The incomes a deduction may reduce in a non-resident's return. 1539, 1541, 1553 and 1554 are
// not in the built-in dictionary; they are kept for dictionaries that have them.
constexpr std::array<std::string_view, 32> kNonResidentDeductible = {
    "2761", "2762", "2760", "2720", "2730", "2770", "2790", "2740", "1530", "1531", "1532",
    "1533", "1535", "1537", "9537", "9538", "1538", "1539", "1541", "1536", "1544", "1545",
    "1546", "1547", "1548", "1551", "9551", "9552", "1552", "1553", "1554", "1549"};

bool IsThirteenPercentDialog(TIncomeEntryDialog dialog) {
  return dialog == TIncomeEntryDialog::Resident13 || dialog == TIncomeEntryDialog::NonResidentReturn13;
}

// Norm percent of the base, to the kopeck with halves up; 0 for an empty base.
Currency NormOf(const TDeductionCode& deduction, TSumField base) {
  return base ? MulDivRoundTo2(*base, deduction.Norm, 100) : Currency();
}

Currency CutToMax(const TDeductionCode& deduction, Currency sum) {
  return !deduction.MaxSum.IsZero() && sum > deduction.MaxSum ? deduction.MaxSum : sum;
}

TSumField EmptyWhenZero(Currency sum) { return sum.IsZero() ? TSumField() : TSumField(sum); }

}  // namespace

TPickerSettings PickerSettingsFor(TIncomeEntryDialog dialog) {
  switch (dialog) {
    case TIncomeEntryDialog::Resident13:
      return {"13", false, true};
    case TIncomeEntryDialog::NonResidentReturn13:
      return {"100", false, false};
    case TIncomeEntryDialog::NonResident13:
      return {"13", true, true};
    case TIncomeEntryDialog::Income35:
      return {"35", false, true};
    case TIncomeEntryDialog::ForeignIncome:
      break;
  }
  return {"", false, true};
}

bool DeductionAllowed(TIncomeEntryDialog dialog, const TIncomeCode& income) {
  if (!income.HasDeductions()) return false;
  if (dialog != TIncomeEntryDialog::NonResidentReturn13) return true;
  return std::find(kNonResidentDeductible.begin(), kNonResidentDeductible.end(), income.Code) !=
         kNonResidentDeductible.end();
}

TSumField InitialDeductionSum(TIncomeEntryDialog dialog, const TDeductionCode& deduction, TSumField base) {
  if (dialog == TIncomeEntryDialog::NonResident13) return std::nullopt;
  const bool normApplies = IsThirteenPercentDialog(dialog) || dialog == TIncomeEntryDialog::ForeignIncome;
  if (deduction.Norm != 0 && normApplies) return NormOf(deduction, base);
  if (deduction.Equivalent) {
    if (deduction.MaxSum.IsZero()) return base;
    return base ? Min(*base, deduction.MaxSum) : Currency();
  }
  return std::nullopt;
}

TSumField RecomputedDeductionSum(TIncomeEntryDialog dialog, const TDeductionCode& deduction, TSumField base,
                                 TSumField shown) {
  const Currency baseOrZero = base.value_or(Currency());
  switch (dialog) {
    case TIncomeEntryDialog::Resident13:
    case TIncomeEntryDialog::NonResidentReturn13: {
      Currency sum = shown.value_or(Currency());
      if (deduction.Norm != 0) {
        sum = NormOf(deduction, base);
      } else if (deduction.Equivalent) {
        sum = baseOrZero;
      }
      return EmptyWhenZero(CutToMax(deduction, sum));
    }
    case TIncomeEntryDialog::NonResident13:
      return EmptyWhenZero(CutToMax(deduction, shown.value_or(Currency())));
    case TIncomeEntryDialog::Income35:
      return CutToMax(deduction, deduction.Equivalent ? baseOrZero : Currency());
    case TIncomeEntryDialog::ForeignIncome:
      break;
  }
  Currency sum;
  if (deduction.Norm != 0) {
    sum = NormOf(deduction, base);
  } else if (deduction.Equivalent) {
    sum = baseOrZero;
  }
  return CutToMax(deduction, sum);
}

TSumField TypedDeductionSum(TIncomeEntryDialog dialog, const TDeductionCode& deduction, TSumField typed) {
  if (dialog == TIncomeEntryDialog::ForeignIncome) return typed;
  if (typed && deduction.Enabled && !deduction.MaxSum.IsZero() && *typed >= deduction.MaxSum) return deduction.MaxSum;
  return typed;
}

TSumField ReopenedDeductionSum(TIncomeEntryDialog dialog, const TDeductionCode& deduction, TSumField base,
                               TSumField stored) {
  if (deduction.Norm != 0 || deduction.Equivalent) return InitialDeductionSum(dialog, deduction, base);
  return stored;
}

}  // namespace talver
