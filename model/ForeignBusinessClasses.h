#pragma once
// Incomes in foreign currency, kinds of business activity and tax payments made on notices.
#include <array>
#include <cstdint>
#include <string>

#include "model/ModelCommon.h"
#include "platform/Currency.h"
#include "platform/Dates.h"

namespace talver {

class mTCurrencyIncome {
 public:
  void SaveToStorage(mTDocumentStorage& storage, std::size_t index) const;
  void LoadFromStorage(mTDocumentStorage& storage, std::size_t index);
  std::uint32_t StoredSize(std::size_t index = 0) const;

  // Store the amount in currency and derive the roubles at the rate of the income date / the
  // tax payment date: the amount × rate ÷ units, to the kopeck; 0 without units.
  void SetIncomeInCurrency(Currency amount);
  void SetTaxInCurrency(Currency amount);

  std::int32_t IncomeRate = 0;  // the income code's rate in the dictionary
  std::int32_t IncomeCode = 0;
  std::string IncomeName;
  std::string SourceName;
  std::string CountryCode;
  TDate IncomeDate = kDate01012016;
  TDate TaxPaymentDate = kDate01012016;
  std::string CurrencyCode;
  Currency IncomeRateRub;
  std::int32_t IncomeRateUnits = 0;
  Currency TaxRateRub;
  std::int32_t TaxRateUnits = 0;
  std::string CurrencyName;
  Currency IncomeInCurrency;
  Currency IncomeInRoubles;
  Currency TaxInCurrency;
  Currency TaxInRoubles;
  std::uint8_t AutoRate = 0;
  std::int32_t DeductCode = 0;
  Currency DeductAmount;
  std::int32_t DeductRate = 0;
  std::uint16_t CfcProfitMethod = 0;  // 1 by the company's accounts, 2 by Russian rules, 0 none
  std::string CfcNumber;

  template <class V>
  void VisitFields(V& v) {
    v.Field("IncomeRate", IncomeRate);
    v.Field("IncomeCode", IncomeCode);
    v.Field("IncomeName", IncomeName);
    v.Field("SourceName", SourceName);
    v.Field("CountryCode", CountryCode);
    v.Date("IncomeDate", IncomeDate);
    v.Date("TaxPaymentDate", TaxPaymentDate);
    v.Field("AutoRate", AutoRate);
    v.Field("CurrencyCode", CurrencyCode);
    v.Field("IncomeRateRub", IncomeRateRub);
    v.Field("IncomeRateUnits", IncomeRateUnits);
    v.Field("TaxRateRub", TaxRateRub);
    v.Field("TaxRateUnits", TaxRateUnits);
    v.Field("CurrencyName", CurrencyName);
    v.Field("IncomeInCurrency", IncomeInCurrency);
    v.Field("IncomeInRoubles", IncomeInRoubles);
    v.Field("TaxInCurrency", TaxInCurrency);
    v.Field("TaxInRoubles", TaxInRoubles);
    v.Field("DeductCode", DeductCode);
    v.Field("DeductAmount", DeductAmount);
    v.Field("DeductRate", DeductRate);
    v.Field("CfcProfitMethod", CfcProfitMethod);
    v.Field("CfcNumber", CfcNumber);
  }
};

class mTBusinessNew {
 public:
  void SaveToStorage(mTDocumentStorage& storage, std::size_t index) const;
  void LoadFromStorage(mTDocumentStorage& storage, std::size_t index);
  std::uint32_t StoredSize(std::size_t index = 0) const;

  // "1" business, "2" notary, "3" lawyer, "4" insolvency administrator, "5" head of a farm, "6" other
  std::string ActivityKind;
  std::string Okved = "..";
  std::uint8_t ExpensesConfirmed = 1;
  Currency Income;
  Currency ExpenseTotal;
  Currency MaterialExpenses;
  Currency Depreciation;
  Currency LabourCosts;
  Currency LabourContractCosts;
  Currency OtherExpenses;
  std::array<Currency, 13> LegacyExpense{};
  Currency ExpenseNorm;  // expenses without documents: 20 % of the income

  template <class V>
  void VisitFields(V& v) {
    v.Field("ActivityKind", ActivityKind);
    v.Field("Okved", Okved);
    v.Field("Income", Income);
    v.Field("ExpensesConfirmed", ExpensesConfirmed);
    v.Field("ExpenseNorm", ExpenseNorm);
    v.Field("ExpenseTotal", ExpenseTotal);
    v.Field("MaterialExpenses", MaterialExpenses);
    v.Field("Depreciation", Depreciation);
    v.Field("LabourCosts", LabourCosts);
    v.Field("LabourContractCosts", LabourContractCosts);
    v.Field("OtherExpenses", OtherExpenses);
    v.Array("LegacyExpense", LegacyExpense);
  }
};

class mTNalog {
 public:
  void SaveToStorage(mTDocumentStorage& storage, std::size_t index) const;
  void LoadFromStorage(mTDocumentStorage& storage, std::size_t index);
  std::uint32_t StoredSize(std::size_t index = 0) const;

  std::string PaymentText1;
  std::string PaymentText2;
  Currency PaymentAmount;

  template <class V>
  void VisitFields(V& v) {
    v.Field("PaymentText1", PaymentText1);
    v.Field("PaymentText2", PaymentText2);
    v.Field("PaymentAmount", PaymentAmount);
  }
};

}  // namespace talver
