#include "ui/pickers/Pickers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/framework/PageWidgets.h"
#include "ui/base/UiText.h"

namespace talver {

TCodeListPicker::TCodeListPicker(QWidget* owner, const char* objectName, const QString& caption, const char* listName,
                                 const QString& codeColumn, const QString& nameColumn)
    : QDialog(owner) {
  setObjectName(QString::fromLatin1(objectName));
  setWindowTitle(caption);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  resize(720, 500);

  list_ = new QTreeWidget(this);
  list_->setObjectName(QString::fromLatin1(listName));
  list_->setHeaderLabels({codeColumn, nameColumn});
  list_->setRootIsDecorated(false);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->setAllColumnsShowFocus(true);
  list_->setUniformRowHeights(true);
  list_->setWordWrap(false);
  list_->setTextElideMode(Qt::ElideRight);
  list_->header()->setStretchLastSection(true);
  list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });
  connect(list_, &QTreeWidget::itemActivated, this, [this] { accept(); });

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_, 1);
  layout->addLayout(buttons);
}

void TCodeListPicker::SetRows(const std::vector<std::pair<std::string, std::string>>& rows) {
  list_->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(rows.size()));
  for (const auto& [code, name] : rows) {
    auto* item = new QTreeWidgetItem({FromModel(code), FromModel(name)});
    // Long names stay readable in full when pointed at.
    item->setToolTip(1, FromModel(name));
    items.append(item);
  }
  list_->addTopLevelItems(items);
}

std::optional<std::size_t> TCodeListPicker::ExecuteRow(std::optional<std::size_t> initial) {
  list_->clearSelection();
  list_->setCurrentItem(nullptr);
  if (initial && *initial < static_cast<std::size_t>(list_->topLevelItemCount())) {
    QTreeWidgetItem* item = list_->topLevelItem(static_cast<int>(*initial));
    list_->setCurrentItem(item);
    item->setSelected(true);
    list_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
  } else if (list_->topLevelItemCount() > 0) {
    list_->scrollToTop();
  }
  list_->setFocus();
  if (exec() != QDialog::Accepted) return std::nullopt;
  QTreeWidgetItem* item = list_->currentItem();
  if (item == nullptr || !item->isSelected()) return std::nullopt;
  return static_cast<std::size_t>(list_->indexOfTopLevelItem(item));
}

// ---------------------------------------------------------------------------------------------

TfmInputIncomeCode::TfmInputIncomeCode(QWidget* owner, const TIncomeDictionary& dictionary, std::string rateFilter,
                                       bool nrez13Only)
    : TCodeListPicker(owner, "TfmInputIncomeCode", QStringLiteral("Справочник видов доходов"), "lvIncomeNames",
                      QStringLiteral("Код"), QStringLiteral("Наименование дохода")),
      picker_(dictionary, std::move(rateFilter), nrez13Only) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const TIncomeCode* income : picker_.Rows()) rows.emplace_back(income->Code, income->Name);
  SetRows(rows);
  // The names are long: as wide as the screen of the window allows.
  resize(900, 560);
}

std::optional<TIncomePick> TfmInputIncomeCode::Execute(const std::string& currentCode) {
  const std::optional<std::size_t> row = ExecuteRow(picker_.InitialRow(currentCode));
  if (!row) return std::nullopt;
  return picker_.Choose(*row);
}

TfmInputDeductCode::TfmInputDeductCode(QWidget* owner, const TIncomeDictionary& dictionary, std::string incomeCode,
                                       bool fullList)
    : TCodeListPicker(owner, "TfmInputDeductCode", QStringLiteral("Справочник видов вычетов"), "lvDeductNames",
                      QStringLiteral("Код"), QStringLiteral("Виды вычетов")),
      picker_(dictionary, std::move(incomeCode), fullList) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const TDeductionCode* deduction : picker_.Rows()) rows.emplace_back(deduction->Code, deduction->Name);
  SetRows(rows);
  resize(760, 320);
}

std::optional<TDeductionCode> TfmInputDeductCode::Execute(const std::string& currentCode) {
  const std::optional<std::size_t> row = ExecuteRow(picker_.InitialRow(currentCode));
  if (!row) return std::nullopt;
  return picker_.Choose(*row);
}

// ---------------------------------------------------------------------------------------------

namespace {

const std::vector<TCodeName>& TableOf(TBuiltInTable table) {
  return table == TBuiltInTable::Regions ? Regions() : DocumentTypes();
}

}  // namespace

TfmBuiltInPicker::TfmBuiltInPicker(QWidget* owner, TBuiltInTable table)
    : TCodeListPicker(owner, table == TBuiltInTable::Regions ? "TfmRegions" : "TfmDocumentTypes",
                      table == TBuiltInTable::Regions ? QStringLiteral("Справочник регионов")
                                                      : QStringLiteral("Справочник видов документов"),
                      table == TBuiltInTable::Regions ? "lvRegions" : "lvDocumentTypes", QStringLiteral("Код"),
                      table == TBuiltInTable::Regions ? QStringLiteral("Наименование региона")
                                                      : QStringLiteral("Наименование документа")),
      rows_(TableOf(table)) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const TCodeName& row : rows_) rows.emplace_back(row.Code, row.Name);
  SetRows(rows);
  if (table == TBuiltInTable::DocumentTypes) resize(820, 440);
}

std::optional<TTablePick> TfmBuiltInPicker::Execute(std::int32_t currentCode) {
  const std::optional<std::size_t> row = ExecuteRow(BuiltInPickerRow(rows_, currentCode));
  if (!row) return std::nullopt;
  const TCodeName& chosen = rows_.at(*row);
  return TTablePick{std::stoi(chosen.Code), chosen.Name};
}

TfmCountries::TfmCountries(QWidget* owner, const TCountryDirectory& countries)
    : TCodeListPicker(owner, "TfmCountries", QStringLiteral("Справочник стран"), "lvCountries", QStringLiteral("Код"),
                      QStringLiteral("Наименование государства")),
      countries_(countries) {
  std::vector<std::pair<std::string, std::string>> rows;
  for (const TCountry& country : countries_.Countries()) rows.emplace_back(country.Code, country.Name);
  SetRows(rows);
}

std::optional<TCountry> TfmCountries::Execute(const std::string& currentCode) {
  const std::optional<std::size_t> row = ExecuteRow(countries_.PickerRow(currentCode));
  if (!row) return std::nullopt;
  return countries_.Countries().at(*row);
}

}  // namespace talver
