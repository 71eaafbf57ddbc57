#pragma once
// Business activities and private practice: the kinds of activity of the return, each with its
// income and either its documented expenses or the 20 % norm, and the return's business
// amounts — advance payments, the adjusted base and tax, patent payments and the trade fee —
// with the peasant farm's year and exempt income.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "ui/framework/MyFrame.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QTreeWidget;

namespace talver {

class TMaskedEdit;
class mTBusinessNew;

class TfrBusinessNew : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrBusinessNew(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override;
  // Selects the n-th activity (1-based).
  void ShowError(std::uint16_t code) override;
  void FocusList() override;

  // The buttons.
  void AddActivity();
  void DeleteActivity();
  void EditActivity();

 private:
  mTBusinessNew* Selected();
  void SelectActivity(int row);
  void StoreActivity(mTBusinessNew& activity);
  void ShowActivity(const mTBusinessNew& activity);
  // The whole lower part by whether the return has an activity.
  void UpdateEnabling();
  void UpdateFarmEnabling();
  // The six expense fields while documented expenses are claimed, else the norm.
  void UpdateExpenseView();
  void IncomeChanged();
  void ExpensesClicked();
  void StepFarmYear(int delta);

  QTreeWidget* lvSourseIncomeInfo;
  QToolButton* btAddBusiness;
  QToolButton* btDeleteBusiness;
  QToolButton* btEditBusiness;
  QGroupBox* gbActivity;
  TMaskedEdit* edIncome;
  QCheckBox* cbExpensesConfirmed;
  QLabel* lbExpenseNorm;
  QLineEdit* pnExpenseNorm;
  QWidget* pnExpenses;  // the six documented amounts with their captions
  TMaskedEdit* edExpenseTotal;
  TMaskedEdit* edMaterialExpenses;
  TMaskedEdit* edDepreciation;
  TMaskedEdit* edLabourCosts;
  TMaskedEdit* edLabourContractCosts;
  TMaskedEdit* edOtherExpenses;
  QGroupBox* gbAdvances;
  TMaskedEdit* edAdvancePaymentsPaid;
  TMaskedEdit* edAdvancePaymentsAccrued;
  QGroupBox* gbAdjusted;
  TMaskedEdit* edAdjustedIncome;
  TMaskedEdit* edAdjustedExpense;
  QGroupBox* gbPatent;
  TMaskedEdit* edPatentPayments;
  TMaskedEdit* edTradeFee;
  QGroupBox* gbFarm;
  QCheckBox* cbPeasantFarm;
  QLabel* lbFarmYear;
  TMaskedEdit* edFarmYear;
  QToolButton* udFarmYearUp;
  QToolButton* udFarmYearDown;
  QLabel* lbFarmExemptIncome;
  TMaskedEdit* edFarmExemptIncome;

  std::optional<std::size_t> selected_;  // the activity shown
};

}  // namespace talver
