#pragma once
// Incomes at 13 % by payment source: the sources of the return, the income lines of the
// selected source ("п. 3.1 справки о доходах") and its totals. In a non-resident's return the
// same page holds the non-resident's incomes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "ui/framework/MyFrame.h"

class QGroupBox;
class QToolButton;
class QTreeWidget;

namespace talver {

class TMaskedEdit;
class TfmInput13Income;
class mTThirteenPercent;
struct mTSourseIncome;

class TfrThirteenPercent : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrThirteenPercent(QWidget* owner, TPageHost& host);

  void StoreData() override;
  std::uint16_t CheckData() override;
  // Selects the n-th source (1-based).
  void ShowError(std::uint16_t code) override;
  void FocusList() override;

  // The buttons.
  void AddSource();
  void DeleteSource();
  void EditSource();
  void AddIncome();
  void DeleteIncome();
  void EditIncome();
  void RepeatIncome();

 protected:
  // The same page over the list of `id`: PageId::ThirteenPercentNR is the non-resident highly
  // qualified specialists' list, with its own caption, no farm group and the foreigner's
  // advance payments always shown.
  TfrThirteenPercent(QWidget* owner, TPageHost& host, PageId id);
  // The dialog of one income line.
  virtual std::unique_ptr<TfmInput13Income> MakeIncomeDialog();

 private:
  mTList<mTThirteenPercent>& Sources();
  mTThirteenPercent* Selected();
  void SelectSource(int row);
  // The previous source keeps what was typed into its totals.
  void StoreTotals();
  void ShowTotals();
  void FillLines(int selectRow);
  void SetLineRow(int row, const mTSourseIncome& entry);
  void UpdateEnabling();
  void UpdateFarmGroup();

  QTreeWidget* lvSources;
  QToolButton* btAddSource;
  QToolButton* btDeleteSource;
  QToolButton* btEditSource;
  QTreeWidget* lvIncomes;
  QToolButton* btAddIncome;
  QToolButton* btDeleteIncome;
  QToolButton* btEditIncome;
  QToolButton* btRepeatIncome;
  QGroupBox* gbTotals;
  TMaskedEdit* edIncomeTotal;
  TMaskedEdit* edTaxWithheld;
  TMaskedEdit* edTaxComputed;
  TMaskedEdit* edTaxableIncome;
  QGroupBox* gbForeigner;
  TMaskedEdit* edForeignerFixedPayments;
  QGroupBox* gbFarm;
  TMaskedEdit* edFarmMonths;

  bool nonResident_;
  bool specialists_;  // the non-resident highly qualified specialists' list
  std::optional<std::size_t> selected_;  // the source whose lines and totals are shown
  bool filling_ = false;
};

}  // namespace talver
