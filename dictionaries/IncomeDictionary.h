#pragma once
// The income and deduction code dictionary: which income codes exist, the rate of each, which
// deduction codes an income admits and how each deduction's sum is formed. It is built into
// the program (resources/IncomeDict.xml, compiled in) and is also readable from any XML text of
// the same form. Texts (names, codes) are windows-1251, as the model keeps them.
//
// The two pickers of the entry dialogs sit on TIncomeCodePicker and TDeductionCodePicker; the
// rule that turns a chosen deduction into its sum is in DeductionRules.h.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Currency.h"

namespace talver {

// The embedded bytes of resources/IncomeDict.xml.
std::string_view BuiltInIncomeDictText();

struct TDeductionCode {
  std::string Code;       // decimal text of up to three digits; "0" means no deduction
  std::string Name;
  std::int32_t Norm = 0;  // percent of the income (the attribute Stav); 0 without a norm
  bool Visible = false;   // the sum field is shown at all
  bool Enabled = false;   // the user may type the sum; otherwise it is computed, read-only
  bool Equivalent = false;  // the sum follows the income (up to MaxSum)
  Currency MaxSum;        // the upper limit of the sum; 0 means none
};

struct TIncomeCode {
  std::string Code;  // four digits
  std::string Name;
  std::string Stav;  // the rate as the dictionary writes it: "13", "35", "9", "14", "99"
  bool SaleDate = false;
  bool NRez13 = false;
  std::vector<TDeductionCode> Deductions;  // in picker order; ends with "0" when not empty

  // Stav as an integer (blank is 0).
  std::int32_t Rate() const;
  bool HasDeductions() const { return !Deductions.empty(); }
  // The first deduction of that code under this income, or none.
  const TDeductionCode* FindDeduction(std::string_view code) const;
};

class TIncomeDictionary {
 public:
  // The built-in dictionary.
  static TIncomeDictionary LoadBuiltIn();
  // A dictionary from XML text of the same form; throws EDictionaryError for text that is not
  // well-formed or an entry that lacks an attribute or carries a value that does not read.
  static TIncomeDictionary FromXml(std::string_view bytes, const std::string& fileName = "IncomeDict.xml");

  // Every income, in document order.
  const std::vector<TIncomeCode>& Incomes() const { return incomes_; }
  // The first income of that code, or none.
  const TIncomeCode* FindIncome(std::string_view code) const;
  const TDeductionCode* FindDeduction(std::string_view incomeCode, std::string_view deductCode) const;

  // The incomes the income picker lists, in document order:
  //  - an empty rate filter: all;
  //  - a filter of exactly three characters: those of rate 13 or 35, except 2620;
  //  - any other filter: those whose Stav equals it and, with `nrez13Only`, that carry NRez13.
  std::vector<const TIncomeCode*> ListIncomes(std::string_view rateFilter, bool nrez13Only) const;
  // The deductions the deduction picker lists for an income, in document order; without the
  // full list only codes beginning with "2" or "5" and "0". Empty for an unknown income.
  std::vector<const TDeductionCode*> ListDeductions(std::string_view incomeCode, bool fullList) const;

 private:
  std::vector<TIncomeCode> incomes_;
};

// What the income picker returns on "Да".
struct TIncomePick {
  std::string Code;
  std::string Name;
  std::int32_t Rate = 0;  // the income's Stav with an empty rate filter, else the filter itself
  bool HasDeductions = false;
};

// The income picker ("Справочник видов доходов") without its window: the rows, the row shown
// selected when it opens, and the result of choosing a row. It keeps a reference to the
// dictionary, which must outlive it.
class TIncomeCodePicker {
 public:
  TIncomeCodePicker(const TIncomeDictionary& dictionary, std::string rateFilter, bool nrez13Only);

  const std::vector<const TIncomeCode*>& Rows() const { return rows_; }
  // The row of the current code; the first row when none matches; none for an empty list.
  std::optional<std::size_t> InitialRow(std::string_view currentCode) const;
  // The result for a row (looked up again by its code, first match); none for a row out of range.
  std::optional<TIncomePick> Choose(std::size_t row) const;

 private:
  const TIncomeDictionary& dictionary_;
  std::string rateFilter_;
  std::vector<const TIncomeCode*> rows_;
};

// The deduction picker ("Справочник видов вычетов") without its window.
class TDeductionCodePicker {
 public:
  TDeductionCodePicker(const TIncomeDictionary& dictionary, std::string incomeCode, bool fullList);

  const std::vector<const TDeductionCode*>& Rows() const { return rows_; }
  // The row of the current code; the first row when none matches; none for an empty list.
  std::optional<std::size_t> InitialRow(std::string_view currentCode) const;
  // The chosen deduction with its attributes; none for a row out of range.
  std::optional<TDeductionCode> Choose(std::size_t row) const;

 private:
  const TIncomeDictionary& dictionary_;
  std::string incomeCode_;
  std::vector<const TDeductionCode*> rows_;
};

}  // namespace talver
