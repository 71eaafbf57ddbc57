#pragma once
// "Дивиденды из отчета брокера": the preview of a broker statement's dividends before any of
// them reaches the foreign incomes. Every line with its roubles, the Russian tax, the foreign tax
// credited and the amount due; the lines of other years, the cancelled and those that cannot be
// taken with the reason; the totals of the lines ticked. The issuer's country may be typed over
// (ОКСМ code or ISO letters), which prepares the lines again. Lines the declaration already has
// are shown unticked. "Добавить" accepts, "Отмена" changes nothing; the caller adds Chosen().
#include <QDialog>

#include <vector>

#include "import/Statement.h"

class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

namespace talver {

class mTDeclaration;

class TfmStatementImport : public QDialog {
  Q_OBJECT

 public:
  enum Column { ColTake, ColDate, ColIssuer, ColIsin, ColCountry, ColCurrency, ColAmount, ColTax, ColRoubles,
                ColRussianTax, ColCredit, ColDue, ColNote, ColumnCount };

  // `into` and the context's dictionaries must outlive the dialog.
  TfmStatementImport(std::vector<TStatement> statements, const mTDeclaration& into, TStatementContext context,
                     QWidget* parent = nullptr);

  const TStatementImport& Import() const { return import_; }
  // The lines ticked: only taken ones.
  const std::vector<bool>& Chosen() const { return chosen_; }
  // The user's word on the country of line `row`'s issuer, as typing it in the table does.
  void SetCountry(int row, const QString& word);

 private:
  void Prepare();
  void Fill();
  void UpdateTotals();
  void ItemChanged(QTableWidgetItem* item);

  std::vector<TStatement> statements_;
  const mTDeclaration& into_;
  TStatementContext context_;
  TStatementImport import_;
  std::vector<bool> chosen_;
  bool filling_ = false;

  QLabel* lblNotes_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* lblTotals_ = nullptr;
  QPushButton* btnAdd_ = nullptr;
};

}  // namespace talver
