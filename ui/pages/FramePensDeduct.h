#pragma once
// Social deductions: the amounts spent on charity, education, treatment and insurance, what a
// tax agent already granted, the amounts paid for the education of each child, and the pension
// and insurance contracts. Unticking "Предоставить социальные налоговые вычеты" empties the page
// and removes both lists from the return.
#include <cstdint>

#include "ui/framework/MyFrame.h"

class QCheckBox;
class QGroupBox;
class QToolButton;
class QTreeWidget;

namespace talver {

class TMaskedEdit;
class mTPens;

class TfrFramePensDeduct : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrFramePensDeduct(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override;
  // 1 the charity amount, 3 the children's education list, 4 the tax agent's deduction.
  void ShowError(std::uint16_t code) override;

  // The buttons.
  void AddSum();
  void DeleteSum();
  void EditSum();
  void AddPens();
  void DeletePens();
  void EditPens();

 private:
  void GrantedClicked();
  void UpdateEnabling();
  void SetPensRow(int row, const mTPens& contract);

  QCheckBox* cbGranted;
  QGroupBox* gbSpent;
  TMaskedEdit* edCharity;
  TMaskedEdit* edOwnEducation;
  TMaskedEdit* edMedical;
  TMaskedEdit* edExpensiveMedical;
  TMaskedEdit* edVoluntaryInsurance;
  TMaskedEdit* edExtraPensionContrib;
  QGroupBox* gbAgent;
  TMaskedEdit* edAgentSocialDeduct;
  QGroupBox* gbChildEducation;
  QTreeWidget* lvSumList;
  QToolButton* btAddSum;
  QToolButton* btDeleteSum;
  QToolButton* btEditSum;
  QTreeWidget* lvPensInfo;
  QToolButton* btAddPens;
  QToolButton* btDeletePens;
  QToolButton* btEditPens;
};

}  // namespace talver
