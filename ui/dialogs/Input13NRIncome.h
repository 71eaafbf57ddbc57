#pragma once
// "Сведения о доходе" of a non-resident highly qualified specialist: the 13 % income dialog
// offering only the incomes a non-resident may declare at 13 %, with their own error title. A
// chosen deduction's sum is typed, not computed; the month is not asked.
#include "ui/dialogs/Input13Income.h"

namespace talver {

class TfmInput13NRIncome : public TfmInput13Income {
  Q_OBJECT
 public:
  TfmInput13NRIncome(QWidget* owner, IUiPresenter& presenter);
};

}  // namespace talver
