#pragma once
// "Доход в виде дивидендов": a source of dividends, which must be an organisation, with the
// dividends, their taxable part and the tax computed and withheld. The computed tax is held
// against the rate of the return: 13 % for a resident, 15 % for a non-resident.
#include <QDialog>

#include <cstdint>

#include "ui/framework/Seams.h"
#include "ui/framework/SourceWidgets.h"

namespace talver {

class TMaskedEdit;
class mTThirtyPercent;

class TfmInput30SourseIncome : public QDialog {
  Q_OBJECT
 public:
  // `rate` 13 on a resident's return, 15 on a non-resident's.
  TfmInput30SourseIncome(QWidget* owner, IUiPresenter& presenter, std::int32_t rate);

  void SetSource(const mTThirtyPercent& source);
  void StoreInto(mTThirtyPercent& source) const;
  TSourceIdentity Identity() const { return identity_.Get(); }

  // "Да" and Enter: the strict source validator, then the checks of the amounts.
  void Confirm();

 private:
  IUiPresenter& presenter_;
  std::int32_t rate_;
  TSourceIdentityFields identity_;
  TMaskedEdit* edIncomeTotal;
  TMaskedEdit* edTaxableIncome;
  TMaskedEdit* edTaxWithheld;
  TMaskedEdit* edTaxComputed;
};

}  // namespace talver
