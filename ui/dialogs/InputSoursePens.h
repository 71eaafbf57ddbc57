#pragma once
// "Вид и данные договора": one pension or insurance contract of the social deductions — its
// kind, the organisation or fund by name, ИНН and КПП, the contract's number and date, the
// contribution and the deduction a tax agent already granted. Additional contributions to the
// funded pension (kind 4) have no organisation, number or date. "Да" (and Enter) closes the
// dialog only when the contract passes its checks; otherwise the field to fix gets the focus.
#include <QDialog>

#include <array>

#include "model/DeductionClasses.h"
#include "ui/framework/Seams.h"

class QDateEdit;
class QLabel;
class QRadioButton;

namespace talver {

class TMaskedEdit;

class TfmInputSoursePens : public QDialog {
  Q_OBJECT
 public:
  // Opens empty: a contract of kind 1 dated today.
  TfmInputSoursePens(QWidget* owner, IUiPresenter& presenter);

  void SetContract(const mTPens& contract);
  // The contract as the dialog holds it; the hidden amount as it was set.
  mTPens Contract() const;

  // "Да": the checks, then the dialog closes as confirmed.
  void Confirm();

 private:
  std::int32_t Kind() const;
  void ApplyKind();

  IUiPresenter& presenter_;
  std::array<QRadioButton*, 4> rbKind{};
  TMaskedEdit* edOrgName;
  TMaskedEdit* edInn;
  TMaskedEdit* edKpp;
  TMaskedEdit* edContractNumber;
  QDateEdit* dtContractDate;
  TMaskedEdit* edContribution;
  TMaskedEdit* edDeductibleContribution;
  QLabel* lbAgentDeduction;
  TMaskedEdit* edAgentDeduction;
  // The contract's date: a stored date the picker cannot show (none, for kind 4) stays as it
  // was unless the user picks another.
  TDate date_;
  bool settingDate_ = false;
};

}  // namespace talver
