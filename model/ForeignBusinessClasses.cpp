#include "model/ForeignBusinessClasses.h"

#include "platform/Math2.h"

namespace talver {

// ---------------------------------------------------------------------------------------------
// Foreign-currency incomes

void mTCurrencyIncome::SetIncomeInCurrency(Currency amount) {
  IncomeInCurrency = amount;
  IncomeInRoubles = MulDivRoundTo2(amount, IncomeRateRub.Units(), std::int64_t{IncomeRateUnits} * Currency::kScale);
}

void mTCurrencyIncome::SetTaxInCurrency(Currency amount) {
  TaxInCurrency = amount;
  TaxInRoubles = MulDivRoundTo2(amount, TaxRateRub.Units(), std::int64_t{TaxRateUnits} * Currency::kScale);
}

void mTCurrencyIncome::SaveToStorage(mTDocumentStorage& s, std::size_t index) const {
  WithOwnerCode(377, [&] {
    s.CreateStream(NumberedName("@CurrencyIncome", index));
    s.WriteInteger(IncomeRate);
    s.WriteInteger(IncomeCode);
    s.WriteString(IncomeName);
    s.WriteString(SourceName);
    s.WriteString(CountryCode);
    s.WriteDate(IncomeDate);
    s.WriteDate(TaxPaymentDate);
    s.WriteByte(AutoRate);
    s.WriteString(CurrencyCode);
    s.WriteCurrency(IncomeRateRub);
    s.WriteInteger(IncomeRateUnits);
    s.WriteCurrency(TaxRateRub);
    s.WriteInteger(TaxRateUnits);
    s.WriteString(CurrencyName);
    s.WriteCurrency(IncomeInCurrency);
    s.WriteCurrency(IncomeInRoubles);
    s.WriteCurrency(TaxInCurrency);
    s.WriteCurrency(TaxInRoubles);
    s.WriteInteger(DeductCode);
    s.WriteCurrency(DeductAmount);
    s.WriteInteger(DeductRate);
    s.WriteWord(CfcProfitMethod);
    s.WriteString(CfcNumber);
  });
}

void mTCurrencyIncome::LoadFromStorage(mTDocumentStorage& s, std::size_t index) {
  WithOwnerCode(378, [&] {
    s.OpenStream(NumberedName("@CurrencyIncome", index));
    IncomeRate = s.ReadInteger();
    IncomeCode = s.ReadInteger();
    IncomeName = s.ReadString();
    SourceName = s.ReadString();
    CountryCode = s.ReadString();
    IncomeDate = s.ReadDate();
    TaxPaymentDate = s.ReadDate();
    AutoRate = s.ReadByte();
    CurrencyCode = s.ReadString();
    IncomeRateRub = s.ReadCurrency();
    IncomeRateUnits = s.ReadInteger();
    TaxRateRub = s.ReadCurrency();
    TaxRateUnits = s.ReadInteger();
    CurrencyName = s.ReadString();
    IncomeInCurrency = s.ReadCurrency();
    IncomeInRoubles = s.ReadCurrency();
    TaxInCurrency = s.ReadCurrency();
    TaxInRoubles = s.ReadCurrency();
    DeductCode = s.ReadInteger();
    DeductAmount = s.ReadCurrency();
    DeductRate = s.ReadInteger();
    CfcProfitMethod = s.ReadWord();
    CfcNumber = s.ReadString();
  });
}

std::uint32_t mTCurrencyIncome::StoredSize(std::size_t index) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, index); });
}

// ---------------------------------------------------------------------------------------------
// Business activities

void mTBusinessNew::SaveToStorage(mTDocumentStorage& s, std::size_t index) const {
  WithOwnerCode(379, [&] {
    s.CreateStream(NumberedName("@BusinessIncome", index));
    s.WriteString(ActivityKind);
    s.WriteString(Okved);
    s.WriteCurrency(Income);
    s.WriteByte(ExpensesConfirmed);
    if (ExpensesConfirmed == 0) {
      s.WriteCurrency(ExpenseNorm);
      return;
    }
    s.CreateStream(NumberedName("@BusinessExpense", index));
    s.WriteCurrency(ExpenseTotal);
    s.WriteCurrency(MaterialExpenses);
    s.WriteCurrency(Depreciation);
    s.WriteCurrency(LabourCosts);
    s.WriteCurrency(LabourContractCosts);
    s.WriteCurrency(OtherExpenses);
    for (const Currency& amount : LegacyExpense) s.WriteCurrency(amount);
  });
}

void mTBusinessNew::LoadFromStorage(mTDocumentStorage& s, std::size_t index) {
  WithOwnerCode(380, [&] {
    s.OpenStream(NumberedName("@BusinessIncome", index));
    ActivityKind = s.ReadString();
    Okved = s.ReadString();
    Income = s.ReadCurrency();
    ExpensesConfirmed = s.ReadByte();
    if (ExpensesConfirmed == 0) {
      ExpenseNorm = s.ReadCurrency();
      return;
    }
    s.OpenStream(NumberedName("@BusinessExpense", index));
    ExpenseTotal = s.ReadCurrency();
    MaterialExpenses = s.ReadCurrency();
    Depreciation = s.ReadCurrency();
    LabourCosts = s.ReadCurrency();
    LabourContractCosts = s.ReadCurrency();
    OtherExpenses = s.ReadCurrency();
    for (Currency& amount : LegacyExpense) amount = s.ReadCurrency();
  });
}

std::uint32_t mTBusinessNew::StoredSize(std::size_t index) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, index); });
}

// ---------------------------------------------------------------------------------------------
// Tax payments

void mTNalog::SaveToStorage(mTDocumentStorage& s, std::size_t index) const {
  WithOwnerCode(375, [&] {
    s.CreateStream(NumberedName("@NalogSub", index));
    s.WriteString(PaymentText1);
    s.WriteString(PaymentText2);
    s.WriteCurrency(PaymentAmount);
  });
}

void mTNalog::LoadFromStorage(mTDocumentStorage& s, std::size_t index) {
  WithOwnerCode(376, [&] {
    s.OpenStream(NumberedName("@NalogSub", index));
    PaymentText1 = s.ReadString();
    PaymentText2 = s.ReadString();
    PaymentAmount = s.ReadCurrency();
  });
}

std::uint32_t mTNalog::StoredSize(std::size_t index) const {
  return CountStoredSize([&](mTDocumentStorage& s) { SaveToStorage(s, index); });
}

}  // namespace talver
