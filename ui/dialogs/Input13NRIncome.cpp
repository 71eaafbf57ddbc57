#include "ui/dialogs/Input13NRIncome.h"

namespace talver {

TfmInput13NRIncome::TfmInput13NRIncome(QWidget* owner, IUiPresenter& presenter)
    : TfmInput13Income(owner, presenter, TIncomeEntryDialog::NonResident13, "TfmInput13NRIncome",
                       "Доходы нерезедентов, облагаемые по ставке 13%") {}

}  // namespace talver
