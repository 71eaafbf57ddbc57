#pragma once
// How the income entry dialogs use the income code dictionary: what each dialog asks of the
// pickers, when an income admits a deduction, and how a chosen deduction's attributes turn
// the income sum into the deduction sum. Everything here is about values, not widgets: an
// empty field is an empty optional.
#include <optional>
#include <string>

#include "dictionaries/IncomeDictionary.h"
#include "platform/Currency.h"

namespace talver {

// The places where an income code and its deduction are entered.
enum class TIncomeEntryDialog {
  Resident13,           // the 13 % income dialog of a "3-НДФЛ" return
  NonResidentReturn13,  // the same dialog in a "3-НДФЛ нерезидента" return
  NonResident13,        // the dialog of non-resident and highly qualified specialist incomes
  Income35,             // the 35 % income dialog
  ForeignIncome,        // the foreign-income page (the base is the income in roubles)
};

struct TPickerSettings {
  std::string RateFilter;      // for TIncomeCodePicker
  bool NRez13Only = false;     // for TIncomeCodePicker
  bool FullDeductionList = true;  // for TDeductionCodePicker
};

TPickerSettings PickerSettingsFor(TIncomeEntryDialog dialog);

// Whether the deduction section opens after choosing this income: the income has deductions
// and, in a non-resident's return, is one of the incomes a non-resident may reduce.
bool DeductionAllowed(TIncomeEntryDialog dialog, const TIncomeCode& income);

using TSumField = std::optional<Currency>;

// The sum shown right after a deduction was chosen; `base` is the income sum.
TSumField InitialDeductionSum(TIncomeEntryDialog dialog, const TDeductionCode& deduction, TSumField base);
// The sum after the base changed, from the sum shown so far.
TSumField RecomputedDeductionSum(TIncomeEntryDialog dialog, const TDeductionCode& deduction, TSumField base,
                                 TSumField shown);
// The sum after the user typed one: an editable capped sum that reaches the cap becomes the cap.
TSumField TypedDeductionSum(TIncomeEntryDialog dialog, const TDeductionCode& deduction, TSumField typed);
// The sum shown when a stored entry is opened again: recomputed from the base when the
// deduction has a norm or follows the income, otherwise the stored one.
TSumField ReopenedDeductionSum(TIncomeEntryDialog dialog, const TDeductionCode& deduction, TSumField base,
                               TSumField stored);

}  // namespace talver
