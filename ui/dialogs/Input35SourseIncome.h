#pragma once
// "Доход": a source of an income at 35 % with the income's code from the dictionary, its
// amount, the deduction the dictionary pairs with that income and its sum, and the tax the
// source withheld. The chosen deduction's attributes decide whether its sum is shown, typed or
// follows the income. "Да" (and Enter) runs the general source validator and the checks of the
// income.
#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "dictionaries/DeductionRules.h"
#include "ui/pickers/DeductionChoice.h"
#include "dictionaries/IncomeDictionary.h"
#include "ui/framework/Seams.h"
#include "ui/framework/SourceWidgets.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace talver {

class TMaskedEdit;
class TfmInputIncomeCode;
class mTThirtyFivePercent;

class TfmInput35SourseIncome : public QDialog {
  Q_OBJECT
 public:
  TfmInput35SourseIncome(QWidget* owner, IUiPresenter& presenter);

  // Opens a stored source again.
  void SetSource(const mTThirtyFivePercent& source);
  void StoreInto(mTThirtyFivePercent& source) const;
  TSourceIdentity Identity() const { return identity_.Get(); }
  // 0 when none was chosen.
  std::int32_t IncomeCode() const;

  // The "..." buttons.
  void PickIncome();
  void PickDeduction();
  void Confirm();

 private:
  void ChooseIncome(const std::string& code, const std::string& name);
  void IncomeAmountChanged();
  // Income 2620 is declared without an amount.
  void EnableIncomeAmount();

  IUiPresenter& presenter_;
  TIncomeDictionary dictionary_;
  QPointer<TfmInputIncomeCode> incomePicker_;

  TSourceIdentityFields identity_;
  QLineEdit* pnIncomeCode;
  QToolButton* btIncomeCode;
  QLabel* lbIncomeName;
  QLabel* lbIncomeAmount;
  TMaskedEdit* edIncomeAmount;
  QLabel* lbDeductCode;
  QLineEdit* pnDeductCode;
  QToolButton* btDeductCode;
  QLabel* lbDeductName;
  QLabel* lbDeductAmount;
  TMaskedEdit* edDeductAmount;
  TMaskedEdit* edTaxWithheld;

  std::string incomeCode_;  // windows-1251; empty: none chosen
  std::unique_ptr<TDeductionChoice> deduction_;
};

}  // namespace talver
