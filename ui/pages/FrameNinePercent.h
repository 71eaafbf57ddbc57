#pragma once
// Incomes at 9 % that are not dividends, by payment source (a resident's return only).
#include "ui/framework/RateSourcesFrame.h"

namespace talver {

class TfrNinePercent : public TRateSourcesFrame {
  Q_OBJECT
 public:
  TfrNinePercent(QWidget* owner, TPageHost& host);

 protected:
  std::size_t Count() override;
  std::string NameOf(std::size_t index) override;
  std::optional<std::size_t> AddFromDialog() override;
  bool EditInDialog(std::size_t index) override;
  void Remove(std::size_t index) override;
  void ShowAmounts(std::optional<std::size_t> index) override;

 private:
  QLineEdit* pnIncomeTotal;
  QLineEdit* pnTaxableIncome;
  QLineEdit* pnTaxComputed;
  QLineEdit* pnTaxWithheld;
};

}  // namespace talver
