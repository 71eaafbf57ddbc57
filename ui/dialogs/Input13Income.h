#pragma once
// "Сведения о доходе": one income line of a 13 % source — the income code chosen in the income
// code dictionary, the amount, the deduction (expense) code that the dictionary pairs with that
// income and its sum, and the month. The chosen deduction's attributes decide whether its sum
// is shown, typed or computed from the income. In a non-resident's return the month is not
// asked and only some incomes admit a deduction.
#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "dictionaries/DeductionRules.h"
#include "ui/pickers/DeductionChoice.h"
#include "dictionaries/IncomeDictionary.h"
#include "model/StavClasses.h"
#include "ui/framework/Seams.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace talver {

class TMaskedEdit;
class TfmInputIncomeCode;

class TfmInput13Income : public QDialog {
  Q_OBJECT
 public:
  TfmInput13Income(QWidget* owner, IUiPresenter& presenter, bool nonResidentReturn);

  // Opens a stored entry again.
  void SetEntry(const mTSourseIncome& entry);
  // The entry as the dialog holds it (after "Да"): an empty month is January.
  mTSourseIncome Entry() const;

  // The "..." buttons.
  void PickIncome();
  void PickDeduction();
  // "Да" and Enter: the checks, the question for incomes 1510 and 1511, then the dialog closes.
  void Confirm();

 protected:
  // The dialog of another place where 13 % incomes are entered (the non-resident highly
  // qualified specialists' incomes): its mode, its name and the title of its errors.
  TfmInput13Income(QWidget* owner, IUiPresenter& presenter, TIncomeEntryDialog mode, const char* objectName,
                   std::string_view title);

 private:
  void ChooseIncome(const std::string& code, const std::string& name);
  // Enables (or disables and empties) the deduction code, its button and the sum.
  // Shows or hides the sum and makes it typed or computed, by the deduction's attributes.
  void IncomeAmountChanged();
  void MonthChanged();
  void MonthFinished();

  IUiPresenter& presenter_;
  TIncomeEntryDialog mode_;
  std::string_view title_;
  TIncomeDictionary dictionary_;
  QPointer<TfmInputIncomeCode> incomePicker_;

  QLineEdit* pnIncomeCode;
  QToolButton* btIncomeCode;
  QLabel* lbIncomeName;
  TMaskedEdit* edIncomeAmount;
  QLabel* lbDeductCode;
  QLineEdit* pnDeductCode;
  QToolButton* btDeductCode;
  QLabel* lbDeductName;
  QLabel* lbDeductAmount;
  TMaskedEdit* edDeductAmount;
  QLabel* lbMonth;
  TMaskedEdit* edMonth;

  std::string incomeCode_;  // windows-1251; empty: none chosen
  std::string incomeName_;
  std::unique_ptr<TDeductionChoice> deduction_;
  std::int32_t deductAttribute_ = 0;
};

}  // namespace talver
