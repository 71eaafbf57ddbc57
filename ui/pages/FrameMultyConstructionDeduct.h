#pragma once
// "Имущественный": the deduction for buying or building housing. The housing objects, each
// entered in "Данные объекта", and the amounts from earlier years and from tax agents. The
// page shows the base the objects give (the cost within its limit and the credit interest);
// sheet Д1 computes the deduction itself. The objects go into the model as they are added,
// changed or deleted; StoreData writes the check box and the six amounts.
#include <QString>

#include <cstdint>

#include "ui/framework/MyFrame.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QTreeWidget;

namespace talver {

class TMaskedEdit;
class TfmInputConstruction;
class mTConstructionDeductObj;

class TfrMultyConstructionDeduct : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrMultyConstructionDeduct(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override { return 0; }
  void ShowError(std::uint16_t) override {}

  // The buttons and the check box.
  void AddObject();
  void DeleteObject();
  void EditObject();
  void GrantedClicked(bool granted);

 private:
  // Shows the prepared dialog; true after "Да".
  bool RunDialog(TfmInputConstruction& dialog);
  void ShowTotals();
  // The carried and earlier amounts are asked only where earlier objects (or a pensioner's
  // carrying back) can have them.
  void ApplyCarriedRule();
  void SetAmountsEnabled(bool enabled);
  void UpdateAddButton();
  int SelectedRow() const;
  void FocusRow(int row);
  static QString RowText(const QString& name, const mTConstructionDeductObj& object);

  QCheckBox* cbGranted;
  QGroupBox* gbObjects;
  QTreeWidget* lvObjects;
  QToolButton* btAddObject;
  QToolButton* btDeleteObject;
  QToolButton* btEditObject;
  QGroupBox* gbCalculation;
  QLineEdit* pnTotalCost;
  QLineEdit* pnTotalInterest;
  TMaskedEdit* edCarriedPurchase;
  TMaskedEdit* edAgentPurchase;
  TMaskedEdit* edPriorPurchase;
  TMaskedEdit* edCarriedInterest;
  TMaskedEdit* edAgentInterest;
  TMaskedEdit* edPriorInterest;
  // Each amount's caption, enabled with it.
  QLabel* lbCarriedPurchase;
  QLabel* lbAgentPurchase;
  QLabel* lbPriorPurchase;
  QLabel* lbCarriedInterest;
  QLabel* lbAgentInterest;
  QLabel* lbPriorInterest;
};

}  // namespace talver
