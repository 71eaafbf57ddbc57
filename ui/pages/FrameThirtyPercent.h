#pragma once
// Dividends by payment source: at 13 % in a resident's return, at 15 % in a non-resident's.
#include "ui/framework/RateSourcesFrame.h"

namespace talver {

class TfrThirtyPercent : public TRateSourcesFrame {
  Q_OBJECT
 public:
  TfrThirtyPercent(QWidget* owner, TPageHost& host);

 protected:
  std::size_t Count() override;
  std::string NameOf(std::size_t index) override;
  std::optional<std::size_t> AddFromDialog() override;
  bool EditInDialog(std::size_t index) override;
  void Remove(std::size_t index) override;
  void ShowAmounts(std::optional<std::size_t> index) override;

 private:
  // The rate the computed tax is held against.
  std::int32_t Rate();

  QLineEdit* pnIncomeTotal;
  QLineEdit* pnTaxableIncome;
  QLineEdit* pnTaxComputed;
  QLineEdit* pnTaxWithheld;
};

}  // namespace talver
