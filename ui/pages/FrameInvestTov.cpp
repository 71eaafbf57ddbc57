#include "ui/pages/FrameInvestTov.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/NumberText.h"
#include "platform/Text1251.h"
#include "ui/framework/FieldText.h"
#include "ui/dialogs/IncomeInvestTov.h"
#include "ui/dialogs/InputSourseInvestTov.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceWidgets.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

constexpr int kOperationColumns = 5;

QString OperationAmount(Currency amount, bool added, const QString& zero) {
  return added && amount.IsZero() ? zero : AmountTextKeepZero(amount);
}

}  // namespace

TfrInvestTov::TfrInvestTov(QWidget* owner, TPageHost& host) : TThinkingFrame(owner, host, PageId::InvestTov) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakePageCaption(this, FromUtf8(PageTitle(PageId::InvestTov))));

  // The partnerships beside their totals.
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->setObjectName(QStringLiteral("spSources"));
  splitter->setChildrenCollapsible(false);
  auto* sourcesPanel = new QWidget(splitter);
  auto* sourcesColumn = new QVBoxLayout(sourcesPanel);
  sourcesColumn->setContentsMargins(0, 0, 0, 0);
  lvSourseIncomeInfo = MakeRowList(sourcesPanel, "lvSourseIncomeInfo",
                                   {QStringLiteral("Источники выплат - инвестиционные товарищества")},
                                   QStringLiteral("Список инвестиционных товариществ"));
  sourcesColumn->addWidget(lvSourseIncomeInfo, 1);
  auto* sourceButtons = new QHBoxLayout;
  sourceButtons->setSpacing(2);
  btAddSource = MakeListToolButton(sourcesPanel, "btAddSource", QStringLiteral("Добавить"),
                                   QStringLiteral("Добавить источник выплат"));
  btDeleteSource = MakeListToolButton(sourcesPanel, "btDeleteSource", QStringLiteral("Удалить"),
                                      QStringLiteral("Удалить источник выплат"));
  btEditSource = MakeListToolButton(sourcesPanel, "btEditSource", QStringLiteral("Изменить"),
                                    QStringLiteral("Редактировать источник выплат"));
  for (QToolButton* b : {btAddSource, btDeleteSource, btEditSource}) {
    b->setMinimumWidth(0);
    b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    sourceButtons->addWidget(b);
  }
  sourcesColumn->addLayout(sourceButtons);
  // The list stays wide enough for the names, whatever the splitter does.
  sourcesPanel->setMinimumWidth(265);

  auto* totalsPanel = new QWidget(splitter);
  auto* totalsColumn = new QVBoxLayout(totalsPanel);
  totalsColumn->setContentsMargins(0, 0, 0, 0);
  gbTotals = new QGroupBox(QStringLiteral("Итоговые суммы по источнику выплат"), totalsPanel);
  gbTotals->setObjectName(QStringLiteral("gbTotals"));
  auto* totals = new QGridLayout(gbTotals);
  edIncomeTotal = MakeEdit(gbTotals, "edIncomeTotal", EditType::edtCurrency, 0, 0);
  edIncomeTotal->setReadOnly(true);
  ShowAsPanel(edIncomeTotal);
  edTaxWithheld = MakeEdit(gbTotals, "edTaxWithheld", EditType::edtDigital, 12);
  edTaxableIncome = MakeEdit(gbTotals, "edTaxableIncome", EditType::edtCurrency, 12, 2);
  edTaxComputed = MakeEdit(gbTotals, "edTaxComputed", EditType::edtDigital, 12);
  for (TMaskedEdit* e : {edIncomeTotal, edTaxWithheld, edTaxableIncome, edTaxComputed}) e->setFixedWidth(150);
  totals->addWidget(MakeLabel(gbTotals, QStringLiteral("Общая сумма дохода"), edIncomeTotal), 0, 0);
  totals->addWidget(edIncomeTotal, 0, 1);
  totals->addWidget(MakeLabel(gbTotals, QStringLiteral("Сумма налога удержанная "), edTaxWithheld), 1, 0);
  totals->addWidget(edTaxWithheld, 1, 1);
  totals->addWidget(MakeLabel(gbTotals, QStringLiteral("Облагаемая сумма дохода"), edTaxableIncome), 2, 0);
  totals->addWidget(edTaxableIncome, 2, 1);
  totals->addWidget(MakeLabel(gbTotals, QStringLiteral("Сумма налога исчисленная"), edTaxComputed), 3, 0);
  totals->addWidget(edTaxComputed, 3, 1);
  totals->setColumnStretch(2, 1);
  totalsColumn->addWidget(gbTotals);
  totalsColumn->addStretch();
  splitter->addWidget(sourcesPanel);
  splitter->addWidget(totalsPanel);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 0);
  layout->addWidget(splitter, 1);

  // The operations of the selected partnership.
  auto* operationsCaption = new QLabel(QStringLiteral("Доходы по выбранному инвестиционному товариществу"), this);
  layout->addWidget(operationsCaption);
  auto* operationsRow = new QHBoxLayout;
  lvIncome = MakeRowList(this, "lvIncome",
                         {QStringLiteral("Вид дохода"), QStringLiteral("Сумма дохода"), QStringLiteral("Сумма расхода"),
                          QStringLiteral("Возн."), QStringLiteral("Прошл. года")},
                         QStringLiteral("Список доходов по выбранному инвестиционному товариществу"));
  lvIncome->header()->setDefaultAlignment(Qt::AlignCenter);
  lvIncome->header()->setSectionResizeMode(QHeaderView::Stretch);
  lvIncome->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  lvIncome->setAlternatingRowColors(true);
  operationsCaption->setBuddy(lvIncome);
  operationsRow->addWidget(lvIncome, 1);
  auto* operationButtons = new QVBoxLayout;
  btAddIncome = MakeListToolButton(this, "btAddIncome", QStringLiteral("Добавить"), QStringLiteral("Добавить доход"));
  btDeleteIncome = MakeListToolButton(this, "btDeleteIncome", QStringLiteral("Удалить"), QStringLiteral("Удалить доход"));
  btEditIncome =
      MakeListToolButton(this, "btEditIncome", QStringLiteral("Изменить"), QStringLiteral("Редактировать доход"));
  for (QToolButton* b : {btAddIncome, btDeleteIncome, btEditIncome}) operationButtons->addWidget(b);
  operationButtons->addStretch();
  operationsRow->addLayout(operationButtons);
  layout->addLayout(operationsRow, 1);

  setTabOrder(lvSourseIncomeInfo, btAddSource);
  setTabOrder(btAddSource, btDeleteSource);
  setTabOrder(btDeleteSource, btEditSource);
  setTabOrder(btEditSource, edTaxWithheld);
  setTabOrder(edTaxWithheld, edTaxableIncome);
  setTabOrder(edTaxableIncome, edTaxComputed);
  setTabOrder(edTaxComputed, lvIncome);
  setTabOrder(lvIncome, btAddIncome);
  setTabOrder(btAddIncome, btDeleteIncome);
  setTabOrder(btDeleteIncome, btEditIncome);

  const mTList<mTInvestTov>& sources = Declaration().InvestSources;
  for (std::size_t i = 0; i < sources.Count(); ++i) {
    auto* item = new QTreeWidgetItem({FromModel(sources.Get(i).Name)});
    item->setToolTip(0, item->text(0));
    lvSourseIncomeInfo->addTopLevelItem(item);
  }
  SetLowerPartEnabled(sources.Count() > 0);

  connect(lvSourseIncomeInfo, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    SelectSource(item != nullptr ? lvSourseIncomeInfo->indexOfTopLevelItem(item) : -1);
  });
  connect(lvSourseIncomeInfo, &QTreeWidget::itemActivated, this, [this] { EditSource(); });
  connect(lvIncome, &QTreeWidget::itemActivated, this, [this] { EditIncome(); });
  connect(btAddSource, &QToolButton::clicked, this, &TfrInvestTov::AddSource);
  connect(btDeleteSource, &QToolButton::clicked, this, &TfrInvestTov::DeleteSource);
  connect(btEditSource, &QToolButton::clicked, this, &TfrInvestTov::EditSource);
  connect(btAddIncome, &QToolButton::clicked, this, &TfrInvestTov::AddIncome);
  connect(btDeleteIncome, &QToolButton::clicked, this, &TfrInvestTov::DeleteIncome);
  connect(btEditIncome, &QToolButton::clicked, this, &TfrInvestTov::EditIncome);
}

mTInvestTov* TfrInvestTov::Selected() {
  mTList<mTInvestTov>& sources = Declaration().InvestSources;
  if (!selected_ || *selected_ >= sources.Count()) return nullptr;
  return &sources.Get(*selected_);
}

void TfrInvestTov::SetLowerPartEnabled(bool enabled) {
  for (QWidget* w : {static_cast<QWidget*>(lvIncome), static_cast<QWidget*>(btAddIncome),
                     static_cast<QWidget*>(btDeleteIncome), static_cast<QWidget*>(btEditIncome),
                     static_cast<QWidget*>(edTaxWithheld), static_cast<QWidget*>(edTaxableIncome),
                     static_cast<QWidget*>(edTaxComputed)}) {
    w->setEnabled(enabled);
  }
  if (!enabled) {
    TListFillingGuard guard(Host());
    lvIncome->clear();
    for (TMaskedEdit* e : {edIncomeTotal, edTaxWithheld, edTaxableIncome, edTaxComputed}) e->clear();
  }
}

// ---------------------------------------------------------------------------------------------
// The partnerships

void TfrInvestTov::FocusList() {
  if (Declaration().InvestSources.Count() == 0) return;
  lvSourseIncomeInfo->setFocus();
  SelectListRow(lvSourseIncomeInfo, 0);
}

void TfrInvestTov::SelectSource(int row) {
  // The partnership left keeps what was typed into its totals.
  StoreTotals();
  selected_.reset();
  TListFillingGuard guard(Host());
  if (row < 0 || static_cast<std::size_t>(row) >= Declaration().InvestSources.Count()) {
    lvIncome->clear();
    for (TMaskedEdit* e : {edIncomeTotal, edTaxWithheld, edTaxableIncome, edTaxComputed}) e->clear();
    return;
  }
  selected_ = static_cast<std::size_t>(row);
  SetLowerPartEnabled(true);
  FillOperations();
  ShowTotals();
}

void TfrInvestTov::StoreTotals() {
  mTInvestTov* source = Selected();
  if (source == nullptr) return;
  source->TaxWithheld = AmountOrZero(edTaxWithheld->text());
  source->TaxableIncome = AmountOrZero(edTaxableIncome->text());
  source->TaxComputed = AmountOrZero(edTaxComputed->text());
}

void TfrInvestTov::ShowTotals() {
  const mTInvestTov* source = Selected();
  if (source == nullptr) return;
  ShowIncomeTotal();
  edTaxWithheld->setText(WholeRoublesText(source->TaxWithheld));
  edTaxableIncome->setText(AmountText(source->TaxableIncome));
  edTaxComputed->setText(WholeRoublesText(source->TaxComputed));
}

void TfrInvestTov::ShowIncomeTotal() {
  if (const mTInvestTov* source = Selected()) edIncomeTotal->setText(AmountTextKeepZero(source->IncomeTotal));
}

void TfrInvestTov::AddSource() {
  TfmInputSourseInvestTov dialog(this, Host().Presenter());
  if (dialog.exec() != QDialog::Accepted) return;
  const TSourceIdentity identity = dialog.Source();
  if (Trim(identity.Name).empty()) return;
  NotifyChanged();
  mTInvestTov source;
  source.Name = identity.Name;
  source.Inn = identity.Inn;
  source.Kpp = identity.Kpp;
  source.Oktmo = identity.Oktmo;
  const std::size_t index = Declaration().InvestSources.Add(std::move(source));
  auto* item = new QTreeWidgetItem({FromModel(identity.Name)});
  item->setToolTip(0, item->text(0));
  lvSourseIncomeInfo->addTopLevelItem(item);
  SelectListRow(lvSourseIncomeInfo, static_cast<int>(index));
  SetLowerPartEnabled(true);
}

void TfrInvestTov::EditSource() {
  mTInvestTov* source = Selected();
  if (source == nullptr) return;
  TfmInputSourseInvestTov dialog(this, Host().Presenter());
  dialog.SetSource({source->Name, source->Inn, source->Kpp, source->Oktmo, 0});
  if (dialog.exec() != QDialog::Accepted) return;
  const TSourceIdentity identity = dialog.Source();
  if (Trim(identity.Name).empty()) return;
  source->Name = identity.Name;
  source->Inn = identity.Inn;
  source->Kpp = identity.Kpp;
  source->Oktmo = identity.Oktmo;
  QTreeWidgetItem* item = lvSourseIncomeInfo->topLevelItem(static_cast<int>(*selected_));
  item->setText(0, FromModel(identity.Name));
  item->setToolTip(0, item->text(0));
  NotifyChanged();
}

void TfrInvestTov::DeleteSource() {
  if (Selected() == nullptr) return;
  const std::size_t index = *selected_;
  NotifyChanged();
  // The partnership goes with its operations and whatever was typed into its totals.
  selected_.reset();
  Declaration().InvestSources.Delete(index);
  {
    const QSignalBlocker blocker(lvSourseIncomeInfo);
    lvIncome->clear();
    delete lvSourseIncomeInfo->takeTopLevelItem(static_cast<int>(index));
    lvSourseIncomeInfo->setCurrentItem(nullptr);
  }
  if (lvSourseIncomeInfo->topLevelItemCount() == 0) {
    SetLowerPartEnabled(false);
    return;
  }
  SelectListRow(lvSourseIncomeInfo, index == 0 ? 0 : static_cast<int>(index) - 1);
}

// ---------------------------------------------------------------------------------------------
// The operations

void TfrInvestTov::FillOperations() {
  lvIncome->clear();
  const mTInvestTov* source = Selected();
  if (source == nullptr) return;
  for (std::size_t i = 0; i < source->EntryCount(); ++i) {
    lvIncome->addTopLevelItem(new QTreeWidgetItem(kOperationColumns));
    SetOperationRow(static_cast<int>(i), source->GetEntry(i), false);
  }
  SelectListRow(lvIncome, 0);
}

void TfrInvestTov::SetOperationRow(int row, const mTInvestTovIncome& entry, bool added) {
  QTreeWidgetItem* item = lvIncome->topLevelItem(row);
  item->setText(0, FromUtf8(IntToText(entry.OperationKind)));
  item->setText(1, OperationAmount(entry.Income, added, QStringLiteral("Нет")));
  item->setText(2, OperationAmount(entry.ExpenseShare, added, QStringLiteral("-")));
  item->setText(3, OperationAmount(entry.ManagerExpenses, added, QStringLiteral("Нет")));
  item->setText(4, OperationAmount(entry.PriorLosses, added, QStringLiteral("-")));
  item->setTextAlignment(0, Qt::AlignCenter);
  for (int column = 1; column < kOperationColumns; ++column) {
    item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
  }
}

void TfrInvestTov::AddIncome() {
  mTInvestTov* source = Selected();
  if (source == nullptr) return;
  TfmIncomeInvestTov dialog(this, Host().Presenter());
  if (dialog.exec() != QDialog::Accepted) return;
  const mTInvestTovIncome entry = dialog.Entry();
  if (entry.OperationKind == 0) return;
  NotifyChanged();
  const std::size_t index = source->AddEntry(entry);
  lvIncome->addTopLevelItem(new QTreeWidgetItem(kOperationColumns));
  SetOperationRow(static_cast<int>(index), entry, true);
  ShowIncomeTotal();
  SelectListRow(lvIncome, static_cast<int>(index));
}

void TfrInvestTov::EditIncome() {
  mTInvestTov* source = Selected();
  const int row = SelectedListRow(lvIncome);
  if (source == nullptr || row < 0) return;
  TfmIncomeInvestTov dialog(this, Host().Presenter());
  dialog.SetEntry(source->GetEntry(static_cast<std::size_t>(row)));
  if (dialog.exec() != QDialog::Accepted) return;
  const mTInvestTovIncome entry = dialog.Entry();
  source->ReplaceEntry(static_cast<std::size_t>(row), entry);
  SetOperationRow(row, entry, true);
  ShowIncomeTotal();
  NotifyChanged();
}

void TfrInvestTov::DeleteIncome() {
  mTInvestTov* source = Selected();
  const int row = SelectedListRow(lvIncome);
  if (source == nullptr || row < 0) return;
  NotifyChanged();
  source->DeleteEntry(static_cast<std::size_t>(row));
  delete lvIncome->takeTopLevelItem(row);
  SelectListRow(lvIncome, row == 0 ? 0 : row - 1);
  ShowIncomeTotal();
}

// ---------------------------------------------------------------------------------------------

void TfrInvestTov::StoreData() { StoreTotals(); }

void TfrInvestTov::ShowError(std::uint16_t code) {
  if (Declaration().InvestSources.Count() == 0) return;
  lvSourseIncomeInfo->setFocus();
  if (code >= 1) SelectListRow(lvSourseIncomeInfo, code - 1);
}

}  // namespace talver
