#pragma once
// Losses of earlier tax periods on securities and derivatives, on ordinary accounts by year and
// on the individual investment account for 2015, and the investment deduction. The losses of
// 2006 to 2009 are not shown but kept as a file brings them; "Итого" sums the years shown.
#include <array>
#include <cstdint>

#include "ui/framework/MyFrame.h"

namespace talver {

class TMaskedEdit;

class TfrCB : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrCB(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override { return 0; }
  void ShowError(std::uint16_t) override {}

 private:
  void UpdateTotals();
  void CapInvestmentDeduction();

  // In the model's order of years: 2014, 2015, 2006 … 2013.
  std::array<TMaskedEdit*, 10> edSecurities{};
  std::array<TMaskedEdit*, 10> edDerivatives{};
  TMaskedEdit* edSecuritiesTotal;
  TMaskedEdit* edDerivativesTotal;
  TMaskedEdit* edIisSecurities2015;
  TMaskedEdit* edIisDerivatives2015;
  TMaskedEdit* edInvestmentDeduction;
  TMaskedEdit* edInvestmentDeductionReturn;
};

}  // namespace talver
