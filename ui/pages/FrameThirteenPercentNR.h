#pragma once
// Incomes at 13 % of a non-resident's highly qualified specialists: the 13 % page over their
// own list of sources, with the specialists' income dialog and no page check.
#include "ui/pages/FrameThirteenPercent.h"

namespace talver {

class TTfrThirteenPercentNR : public TfrThirteenPercent {
  Q_OBJECT
 public:
  TTfrThirteenPercentNR(QWidget* owner, TPageHost& host);

  std::uint16_t CheckData() override { return 0; }

 protected:
  std::unique_ptr<TfmInput13Income> MakeIncomeDialog() override;
};

}  // namespace talver
