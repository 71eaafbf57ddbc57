#include "ui/pages/FrameThirteenPercentNR.h"

#include "ui/dialogs/Input13NRIncome.h"

namespace talver {

TTfrThirteenPercentNR::TTfrThirteenPercentNR(QWidget* owner, TPageHost& host)
    : TfrThirteenPercent(owner, host, PageId::ThirteenPercentNR) {}

std::unique_ptr<TfmInput13Income> TTfrThirteenPercentNR::MakeIncomeDialog() {
  return std::make_unique<TfmInput13NRIncome>(this, Host().Presenter());
}

}  // namespace talver
