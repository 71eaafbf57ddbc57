#pragma once
// The dictionary pickers of the entry pages: income codes ("Справочник видов доходов"),
// deduction codes ("Справочник видов вычетов"), regions, identity document types and
// countries. Each is a modal list of codes and names with "Да" and "Нет" over a model of the
// dictionaries; it answers only when it ends with "Да" while a row is selected.
#include <QDialog>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "dictionaries/BuiltInTables.h"
#include "dictionaries/Countries.h"
#include "dictionaries/IncomeDictionary.h"

class QTreeWidget;

namespace talver {

// Enter means "Да", Escape "Нет", a double click on a row "Да".
class TCodeListPicker : public QDialog {
  Q_OBJECT
 public:
  QTreeWidget* List() const { return list_; }

 protected:
  TCodeListPicker(QWidget* owner, const char* objectName, const QString& caption, const char* listName,
                  const QString& codeColumn, const QString& nameColumn);
  // The rows, windows-1251 code and name each.
  void SetRows(const std::vector<std::pair<std::string, std::string>>& rows);
  // Shows the dialog with `initial` selected and focused (none: nothing selected); the row
  // chosen, or none for "Нет" or when no row was selected.
  std::optional<std::size_t> ExecuteRow(std::optional<std::size_t> initial);

 private:
  QTreeWidget* list_;
};

// The incomes of the income code dictionary that pass the rate filter.
class TfmInputIncomeCode : public TCodeListPicker {
  Q_OBJECT
 public:
  TfmInputIncomeCode(QWidget* owner, const TIncomeDictionary& dictionary, std::string rateFilter, bool nrez13Only);
  std::optional<TIncomePick> Execute(const std::string& currentCode);

 private:
  TIncomeCodePicker picker_;
};

// The deductions listed under one income.
class TfmInputDeductCode : public TCodeListPicker {
  Q_OBJECT
 public:
  TfmInputDeductCode(QWidget* owner, const TIncomeDictionary& dictionary, std::string incomeCode, bool fullList);
  std::optional<TDeductionCode> Execute(const std::string& currentCode);

 private:
  TDeductionCodePicker picker_;
};

// A row of a built-in table: the code as the model stores it, and the name.
struct TTablePick {
  std::int32_t Code = 0;
  std::string Name;
};

enum class TBuiltInTable {
  Regions,        // "Справочник регионов"
  DocumentTypes,  // "Справочник видов документов"
};

class TfmBuiltInPicker : public TCodeListPicker {
  Q_OBJECT
 public:
  TfmBuiltInPicker(QWidget* owner, TBuiltInTable table);
  // `currentCode` 0 is none.
  std::optional<TTablePick> Execute(std::int32_t currentCode);

 private:
  const std::vector<TCodeName>& rows_;
};

// "Справочник стран" over the country list read at start-up, which must outlive it. It is
// filled once; each showing selects the current code's row.
class TfmCountries : public TCodeListPicker {
  Q_OBJECT
 public:
  TfmCountries(QWidget* owner, const TCountryDirectory& countries);
  std::optional<TCountry> Execute(const std::string& currentCode);

 private:
  const TCountryDirectory& countries_;
};

}  // namespace talver
