#pragma once
// Investment partnerships: the partnerships the taxpayer takes part in, the operations of the
// selected one (the lines of sheet И) and its totals.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "ui/framework/MyFrame.h"

class QGroupBox;
class QToolButton;
class QTreeWidget;

namespace talver {

class TMaskedEdit;
class mTInvestTov;
struct mTInvestTovIncome;

class TfrInvestTov : public TThinkingFrame {
  Q_OBJECT
 public:
  TfrInvestTov(QWidget* owner, TPageHost& host);

  // The selected partnership keeps the totals typed.
  void StoreData() override;
  std::uint16_t CheckData() override { return 0; }
  // Selects the n-th partnership (1-based).
  void ShowError(std::uint16_t code) override;
  void FocusList() override;

  // The buttons.
  void AddSource();
  void DeleteSource();
  void EditSource();
  void AddIncome();
  void DeleteIncome();
  void EditIncome();

 private:
  mTInvestTov* Selected();
  void SelectSource(int row);
  void StoreTotals();
  void ShowTotals();
  void ShowIncomeTotal();
  void FillOperations();
  // `added`: a line just entered shows a zero income or fee as "Нет" and a zero expense or loss
  // as "-"; lines built from the list show every amount as a number.
  void SetOperationRow(int row, const mTInvestTovIncome& entry, bool added);
  // The operations and the totals: enabled, or disabled and emptied.
  void SetLowerPartEnabled(bool enabled);

  QTreeWidget* lvSourseIncomeInfo;
  QToolButton* btAddSource;
  QToolButton* btDeleteSource;
  QToolButton* btEditSource;
  QTreeWidget* lvIncome;
  QToolButton* btAddIncome;
  QToolButton* btDeleteIncome;
  QToolButton* btEditIncome;
  QGroupBox* gbTotals;
  TMaskedEdit* edIncomeTotal;
  TMaskedEdit* edTaxWithheld;
  TMaskedEdit* edTaxableIncome;
  TMaskedEdit* edTaxComputed;

  std::optional<std::size_t> selected_;  // the partnership whose operations and totals are shown
};

}  // namespace talver
