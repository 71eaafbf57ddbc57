#pragma once
// "Данные объекта": one housing object of the property deduction — what it is, its address,
// how it was acquired and when, the share, the kind of ownership, who the taxpayer is to it,
// its cost and the credit interest. The page prepares the dialog before showing it: the
// restricted mode (objects after the first may only be of 2014 or later), whether the cost and
// the interest may be entered, and the pensioner box. "Да" checks the object first.
#include <QDialog>

#include <QString>

#include "model/DeductionClasses.h"
#include "ui/framework/Seams.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace talver {

class TMaskedEdit;
class TfmBuiltInPicker;

class TfmInputConstruction : public QDialog {
  Q_OBJECT
 public:
  TfmInputConstruction(QWidget* owner, IUiPresenter& presenter);

  // The date limits for an object added next to others: the registration, act and
  // application dates from 01.01.2014, the year from 2014.
  void SetRestricted(bool on);
  void SetCostUsable(bool usable);
  void SetInterestUsable(bool usable);
  // Ticking the box (or setting it) widens the date limits as a pensioner's carrying back needs.
  void SetPensioner(bool ticked);
  bool Pensioner() const;

  // Every field from a stored object (prepare the modes first: the dates are kept within them).
  void SetObject(const mTConstructionDeductObj& object);
  // Every field into `object`; the values the computation writes are left alone.
  void GetObject(mTConstructionDeductObj& object) const;
  // The object name as the list shows it, empty when none is chosen.
  QString ObjectNameText() const;

  // The "..." button of the region.
  void PickRegion();
  // "Да": the checks, then the dialog closes as confirmed.
  void Confirm();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  enum class PensionerState { NotClicked, Ticked, Unticked };

  void InvestmentChosen();
  void PurchaseChosen();
  void ObjectKindChosen();
  // The share and the ownership kinds follow the registration and act dates.
  void DatesChanged();
  // The application date is asked only for the kinds of ownership that need it.
  void UpdateApplicationDate();
  void ApplyLimits();
  void SetObjectNames(const char* const* names, int count);
  void SetOwnershipKinds(bool afterTwentyThirteen);
  void SetRegionCode(const QString& code);
  bool Purchase() const;

  IUiPresenter& presenter_;
  bool restricted_ = false;
  PensionerState pensioner_ = PensionerState::NotClicked;
  int ownershipVariant_ = 0;  // 0 none yet, 4 or 6 entries offered
  TfmBuiltInPicker* regionPicker_ = nullptr;

  QComboBox* cbObjectName;
  TMaskedEdit* edPostIndex;
  TMaskedEdit* pnRegionCode;
  QToolButton* btRegion;
  QLabel* lbRegionName;
  TMaskedEdit* edDistrict;
  TMaskedEdit* edCity;
  TMaskedEdit* edLocality;
  TMaskedEdit* edStreet;
  TMaskedEdit* edHouse;
  TMaskedEdit* edBuilding;
  TMaskedEdit* edFlat;
  QRadioButton* rbInvestment;
  QRadioButton* rbPurchase;
  QDateEdit* dtOwnershipReg;
  QDateEdit* dtTransferAct;
  QDateEdit* dtLandReg;
  QDateEdit* dtDistributionApp;
  QLabel* lbDistributionApp;
  QSpinBox* edFirstUseYear;
  TMaskedEdit* edShareNumerator;
  TMaskedEdit* edShareDenominator;
  QComboBox* cbOwnershipKind;
  QComboBox* cbTaxpayerAttribute;
  QCheckBox* cbPensioner;
  QLabel* lbCost;
  TMaskedEdit* edCost;
  QLabel* lbCreditInterest;
  TMaskedEdit* edCreditInterest;
};

}  // namespace talver
