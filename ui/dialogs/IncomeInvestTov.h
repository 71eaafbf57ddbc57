#pragma once
// "Участие в инвестиционных товариществах": one operation of a partnership — its kind (a line
// of sheet И), the income, the share of expenses, the managing partners' fees and the losses of
// earlier years. On leaving a partnership (kind 6) the expenses field holds the contributions
// and the fees and losses do not apply.
#include <QDialog>

#include "model/StavClasses.h"
#include "ui/framework/Seams.h"

class QComboBox;
class QLabel;

namespace talver {

class TMaskedEdit;

class TfmIncomeInvestTov : public QDialog {
  Q_OBJECT
 public:
  TfmIncomeInvestTov(QWidget* owner, IUiPresenter& presenter);

  void SetEntry(const mTInvestTovIncome& entry);
  // Kind 0 when none is chosen.
  mTInvestTovIncome Entry() const;

  // "Да": a kind must be chosen.
  void Confirm();

 private:
  void KindChanged(int index);

  IUiPresenter& presenter_;
  QComboBox* cbOperationKind;
  TMaskedEdit* edIncome;
  QLabel* lbExpenseShare;
  TMaskedEdit* edExpenseShare;
  QLabel* lbManagerExpenses;
  TMaskedEdit* edManagerExpenses;
  QLabel* lbPriorLosses;
  TMaskedEdit* edPriorLosses;
};

}  // namespace talver
