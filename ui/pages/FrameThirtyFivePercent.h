#pragma once
// Incomes at 35 % by payment source, each with its income code and deduction (a resident's
// return only).
#include "ui/framework/RateSourcesFrame.h"

namespace talver {

class TfrThirtyFivePercent : public TRateSourcesFrame {
  Q_OBJECT
 public:
  TfrThirtyFivePercent(QWidget* owner, TPageHost& host);

 protected:
  std::size_t Count() override;
  std::string NameOf(std::size_t index) override;
  std::optional<std::size_t> AddFromDialog() override;
  bool EditInDialog(std::size_t index) override;
  void Remove(std::size_t index) override;
  void ShowAmounts(std::optional<std::size_t> index) override;

 private:
  QLineEdit* pnIncomeCode;
  QLineEdit* pnIncomeTotal;
  QLineEdit* pnDeductCode;
  QLineEdit* pnDeductAmount;
  QLineEdit* pnTaxWithheld;
};

}  // namespace talver
