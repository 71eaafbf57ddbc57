#pragma once
// "Источник выплаты": the payer of incomes at 13 % by name, ИНН, КПП and ОКТМО, and whether the
// standard deductions are computed at this source. "Да" (and Enter) closes it only when the
// general source validator lets it; otherwise the field to fix gets the focus.
#include <QDialog>

#include "ui/framework/Seams.h"
#include "ui/framework/SourceWidgets.h"

class QCheckBox;

namespace talver {

class TMaskedEdit;

class TfmInput13SourseIncome : public QDialog {
  Q_OBJECT
 public:
  // The standard-deduction box is hidden in a non-resident's return.
  TfmInput13SourseIncome(QWidget* owner, IUiPresenter& presenter, bool nonResident);

  void SetSource(const TSourceIdentity& source);
  TSourceIdentity Source() const;

  // "Да": the validation, then the dialog closes as confirmed.
  void Confirm();

 private:
  IUiPresenter& presenter_;
  TMaskedEdit* edName;
  TMaskedEdit* edInn;
  TMaskedEdit* edKpp;
  TMaskedEdit* edOktmo;
  QCheckBox* cbStandardDeductSource;
};

}  // namespace talver
