#pragma once
// Incomes received abroad, one entry per income: its source and country, the dates of the
// income and of the tax paid abroad, the currency with the Central Bank's rates on both dates
// (typed, or taken from "CurrencyRates.xml"), the income and the foreign tax in currency and in
// roubles, the income code with the deduction the dictionary pairs with it, and for a
// controlled foreign company its number and how its profit is determined.
#include <QPointer>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dictionaries/IncomeDictionary.h"
#include "ui/pickers/DeductionChoice.h"
#include "ui/framework/MyFrame.h"

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;
class QTreeWidget;

namespace talver {

class TMaskedDocEdit;
class TMaskedEdit;
class TfmCurrencies;
class TfmInputIncomeCode;
class mTCurrencyIncome;
struct TCurrencyRate;

class TfrCurrency : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrCurrency(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override;
  // Selects the n-th entry (1-based).
  void ShowError(std::uint16_t code) override;
  void FocusList() override;

  // The buttons.
  void AddSource();
  void DeleteSource();
  void EditSource();
  void PickCurrency();
  void PickIncome();
  void PickDeduction();

 private:
  enum class RateDate { Income, Tax };

  mTCurrencyIncome* Selected();
  void SelectEntry(int row);
  void StoreEntry(mTCurrencyIncome& entry);
  void ShowEntry(const mTCurrencyIncome& entry);
  void SetEntryControlsEnabled(bool enabled);

  // The currency: its name from the rates file, and the rates of both dates.
  void CurrencyCodeChanged();
  void ShowCurrencyName(const std::string& storedName);
  std::optional<TCurrencyRate> LookUpRate(RateDate date);
  // The lookup for one date: automatic determination possible or not, the fields filled.
  void ApplyRateLookup(RateDate date);
  void FillRate(RateDate date, const std::optional<TCurrencyRate>& rate);
  void AutoRateClicked(bool ticked);
  void SetAutoRate(bool ticked);
  void SetRateFieldsReadOnly(bool readOnly);

  // The rouble amounts and the deduction that follows the income.
  void UpdateRoubles();
  Currency IncomeInRoubles() const;
  // The income code: the deduction section, the company group.
  void ChooseIncome(const TIncomePick& pick);
  void SetCfcGroup(std::int32_t incomeCode);
  void ClearCfcMethod();

  TIncomeDictionary dictionary_;
  QPointer<TfmInputIncomeCode> incomePicker_;
  QPointer<TfmCurrencies> currencyPicker_;

  QTreeWidget* lvSources;
  QToolButton* btAddSource;
  QToolButton* btDeleteSource;
  QToolButton* btEditSource;
  QGroupBox* gbIncomeInfo;
  QDateEdit* dtIncomeDate;
  QDateEdit* dtTaxPaymentDate;
  TMaskedEdit* edCurrencyCode;
  QToolButton* btCurrency;
  TMaskedEdit* edCurrencyName;
  TMaskedEdit* edIncomeRateRub;
  TMaskedEdit* edIncomeRateUnits;
  TMaskedEdit* edTaxRateRub;
  TMaskedEdit* edTaxRateUnits;
  QCheckBox* cbAutoRate;
  QLabel* lbAutoRate;
  QGroupBox* gbIncome;
  QLineEdit* pnIncomeCode;
  QToolButton* btIncomeCode;
  QLabel* lbIncomeName;
  TMaskedEdit* edIncomeInCurrency;
  QLineEdit* pnIncomeInRoubles;
  QGroupBox* gbTax;
  TMaskedEdit* edTaxInCurrency;
  QLineEdit* pnTaxInRoubles;
  QGroupBox* gbDeduction;
  QLabel* lbDeductCode;
  QLineEdit* pnDeductCode;
  QToolButton* btDeductCode;
  QLabel* lbDeductName;
  QLabel* lbDeductAmount;
  TMaskedEdit* edDeductAmount;
  QGroupBox* gbCfc;
  QLabel* lbCfcNumber;
  TMaskedDocEdit* edCfcNumber;
  QLabel* lbCfcMethod;
  QRadioButton* rbCfcAccounts;
  QRadioButton* rbCfcRussianRules;
  QButtonGroup* cfcMethods_;

  std::optional<std::size_t> selected_;  // the entry shown
  // The income code chosen for the entry shown, with what the dictionary gave for it.
  std::string incomeCode_;  // windows-1251; empty: none
  std::string incomeName_;
  std::int32_t incomeRate_ = 0;
  std::unique_ptr<TDeductionChoice> deduction_;
  bool showing_ = false;  // an entry is being shown: nothing is recomputed meanwhile
};

}  // namespace talver
