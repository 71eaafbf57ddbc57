#pragma once
// Short ways to put a declaration together in tests: a new declaration of a form with its
// sections, and sources, entries and other elements added with the figures that matter.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/DeclClasses.h"
#include "platform/Currency.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"

namespace talver::testing {

// Model text from a UTF-8 literal.
inline std::string T(std::string_view utf8) { return Utf8ToCp1251(utf8); }

// "1234.56" roubles; whole roubles from an integer.
inline Currency Rub(std::string_view text) { return TextToCurrency(text, '.'); }
inline Currency Rub(std::int64_t roubles) { return Currency::FromRoubles(roubles); }

inline std::unique_ptr<mTDeclaration> NewDeclaration(std::uint8_t form = kForm3Resident,
                                                     std::uint8_t sections = kSectionRussian,
                                                     std::string ownOktmo = "45380000") {
  auto d = std::make_unique<mTDeclaration>();
  d->DeclarationForm = form;
  d->SetSections(sections);
  d->Person.Address.Oktmo = std::move(ownOktmo);
  return d;
}

inline mTSourseIncome Entry(std::int32_t code, Currency amount, std::int32_t deductCode = 0,
                            Currency deduction = Currency(), std::uint16_t month = 0, std::int32_t attribute = 0) {
  mTSourseIncome e;
  e.IncomeCode = code;
  e.Amount = amount;
  e.DeductCode = deductCode;
  e.DeductAmount = deduction;
  e.Month = month;
  e.DeductAttribute = attribute;
  return e;
}

// Twelve monthly entries of one code and amount.
inline std::vector<mTSourseIncome> Monthly(std::int32_t code, Currency amount) {
  std::vector<mTSourseIncome> entries;
  for (std::uint16_t m = 1; m <= 12; ++m) entries.push_back(Entry(code, amount, 0, Currency(), m));
  return entries;
}

inline mTThirteenPercent& AddSource13(mTList<mTThirteenPercent>& list, std::string oktmo, Currency withheld,
                                      const std::vector<mTSourseIncome>& entries, Currency computed = Currency(),
                                      std::string_view name = "ООО Ромашка") {
  mTThirteenPercent& s = list.Get(list.Add());
  s.Oktmo = std::move(oktmo);
  s.Name = T(name);
  s.Inn = "7701234567";
  s.Kpp = "770101001";
  s.TaxWithheld = withheld;
  s.TaxComputed = computed;
  for (const mTSourseIncome& e : entries) s.AddEntry(e);
  s.TaxableIncome = s.IncomeTotal;
  return s;
}

inline mTThirtyFivePercent& AddSource35(mTDeclaration& d, std::int32_t code, std::string oktmo, Currency income,
                                        Currency withheld, std::int32_t deductCode = 0,
                                        Currency deduction = Currency()) {
  mTThirtyFivePercent& s = d.Sources35.Get(d.Sources35.Add());
  s.IncomeCode = code;
  s.Oktmo = std::move(oktmo);
  s.Name = T("ПАО Банк");
  s.IncomeTotal = income;
  s.TaxWithheld = withheld;
  s.DeductCode = deductCode;
  s.DeductAmount = deduction;
  return s;
}

// A source of Sources9 or SourcesDividends.
inline mTThirtyPercent& AddSource30(mTList<mTThirtyPercent>& list, std::int32_t code, std::string oktmo,
                                    Currency income, Currency taxable, Currency computed, Currency withheld) {
  mTThirtyPercent& s = list.Get(list.Add());
  s.IncomeCode = code;
  s.Oktmo = std::move(oktmo);
  s.Name = T("АО Эмитент");
  s.IncomeTotal = income;
  s.TaxableIncome = taxable;
  s.TaxComputed = computed;
  s.TaxWithheld = withheld;
  return s;
}

inline mTInvestTovIncome Operation(std::int32_t kind, Currency income, Currency expenses = Currency(),
                                   Currency managers = Currency(), Currency priorLosses = Currency()) {
  mTInvestTovIncome e;
  e.OperationKind = kind;
  e.Income = income;
  e.ExpenseShare = expenses;
  e.ManagerExpenses = managers;
  e.PriorLosses = priorLosses;
  return e;
}

inline mTInvestTov& AddPartnership(mTDeclaration& d, std::string oktmo, Currency withheld,
                                   std::initializer_list<mTInvestTovIncome> operations) {
  mTInvestTov& s = d.InvestSources.Get(d.InvestSources.Add());
  s.Oktmo = std::move(oktmo);
  s.Name = T("Инвестиционное товарищество");
  s.TaxWithheld = withheld;
  for (const mTInvestTovIncome& e : operations) s.AddEntry(e);
  return s;
}

// A foreign income given in roubles (the rates are left out unless a test sets them).
inline mTCurrencyIncome& AddForeign(mTDeclaration& d, std::int32_t rateGroup, std::int32_t code, Currency income,
                                    Currency taxPaid = Currency(), std::int32_t deductCode = 0,
                                    Currency deduction = Currency()) {
  mTCurrencyIncome& f = d.CurrencyIncomes.Get(d.CurrencyIncomes.Add());
  f.IncomeRate = rateGroup;
  f.IncomeCode = code;
  f.SourceName = "Foreign Corp";
  f.CountryCode = "840";
  f.CurrencyCode = "840";
  f.CurrencyName = T("Доллар США");
  f.IncomeInRoubles = income;
  f.TaxInRoubles = taxPaid;
  f.DeductCode = deductCode;
  f.DeductAmount = deduction;
  return f;
}

inline mTBusinessNew& AddBusiness(mTDeclaration& d, Currency income, Currency expenses, bool confirmed = true) {
  mTBusinessNew& b = d.Businesses.Get(d.Businesses.Add());
  b.ActivityKind = "1";
  b.Income = income;
  b.ExpensesConfirmed = confirmed ? 1 : 0;
  if (confirmed) {
    b.ExpenseTotal = expenses;
    b.OtherExpenses = expenses;
  } else {
    b.ExpenseNorm = expenses;
  }
  return b;
}

}  // namespace talver::testing
