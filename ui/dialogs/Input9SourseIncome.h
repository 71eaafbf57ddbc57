#pragma once
// "Доход, облагаемый по ставке 9%": a source of incomes at 9 % that are not dividends, which
// must be an organisation, with its income and the tax it withheld. The tax at 9 % is computed
// from the income; "Да" (and Enter) closes the dialog only when the source passes the strict
// source validator and the amounts their checks (or the user skips them).
#include <QDialog>

#include "ui/framework/Seams.h"
#include "ui/framework/SourceWidgets.h"

namespace talver {

class TMaskedEdit;
class mTThirtyPercent;

class TfmInput9SourseIncome : public QDialog {
  Q_OBJECT
 public:
  TfmInput9SourseIncome(QWidget* owner, IUiPresenter& presenter);

  void SetSource(const mTThirtyPercent& source);
  // Name, ИНН, КПП, ОКТМО and the amounts; the income is also the taxable income, and the tax
  // computed is 9 % of it in whole roubles.
  void StoreInto(mTThirtyPercent& source) const;
  TSourceIdentity Identity() const { return identity_.Get(); }

  void Confirm();

 private:
  IUiPresenter& presenter_;
  TSourceIdentityFields identity_;
  TMaskedEdit* edIncomeTotal;
  TMaskedEdit* edTaxWithheld;
};

}  // namespace talver
