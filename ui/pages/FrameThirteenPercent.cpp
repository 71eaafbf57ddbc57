#include "ui/pages/FrameThirteenPercent.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "check/CheckClasses.h"
#include "dictionaries/BuiltInTables.h"
#include "platform/NumberText.h"
#include "ui/framework/FieldText.h"
#include "ui/dialogs/Input13Income.h"
#include "ui/dialogs/Input13SourseIncome.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceWidgets.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

QString MonthText(std::uint16_t month) {
  const std::vector<std::string>& names = MonthNames();
  if (month == 0 || month > names.size()) return QStringLiteral("Нет");
  return FromModel(names[month - 1u]);
}

QString CodeCell(std::int32_t code) { return code == 0 ? QStringLiteral("Нет") : FromUtf8(IntToText(code)); }
QString AmountCell(Currency amount) { return amount.IsZero() ? QStringLiteral("-") : AmountDisplay(amount); }

}  // namespace

TfrThirteenPercent::TfrThirteenPercent(QWidget* owner, TPageHost& host)
    : TfrThirteenPercent(owner, host, PageId::ThirteenPercent) {}

TfrThirteenPercent::TfrThirteenPercent(QWidget* owner, TPageHost& host, PageId id)
    : TThinkingFrame(owner, host, id),
      nonResident_(host.Declaration().DeclarationForm == kForm3NonResident),
      specialists_(id == PageId::ThirteenPercentNR) {
  const mTDeclaration& d = Declaration();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  auto* caption = new QLabel(specialists_  ? QStringLiteral("Доходы нерезидентов, высококвалифицированных специалистов")
                             : nonResident_ ? QStringLiteral("Доходы нерезидента")
                                            : QStringLiteral("Доходы, облагаемые по ставке 13% (КРОМЕ ДИВИДЕНДОВ), "
                                                             "полученные от налоговых агентов или иных источников "
                                                             "выплаты, в т.ч. от физических лиц"),
                             this);
  caption->setObjectName(QStringLiteral("lbRateCaption"));
  caption->setWordWrap(true);
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);
  layout->addWidget(caption);

  // The sources and the lines of the selected one.
  auto* lists = new QHBoxLayout;
  auto* sourcesColumn = new QVBoxLayout;
  lvSources = MakeRowList(this, "lvSources", {QStringLiteral("Источники выплат")}, QString());
  lvSources->setMinimumWidth(190);
  lvSources->setMaximumWidth(200);
  sourcesColumn->addWidget(lvSources, 1);
  auto* sourceButtons = new QHBoxLayout;
  btAddSource = MakeListToolButton(this, "btAddSource", QStringLiteral("Добавить"), QStringLiteral("Добавить источник выплат"));
  btDeleteSource =
      MakeListToolButton(this, "btDeleteSource", QStringLiteral("Удалить"), QStringLiteral("Удалить источник выплат"));
  btEditSource =
      MakeListToolButton(this, "btEditSource", QStringLiteral("Изменить"), QStringLiteral("Редактировать источник выплат"));
  for (QToolButton* b : {btAddSource, btDeleteSource, btEditSource}) {
    // The three share the width of the list above them.
    b->setMinimumWidth(0);
    b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    sourceButtons->addWidget(b);
  }
  sourceButtons->setSpacing(2);
  sourcesColumn->addLayout(sourceButtons);
  lists->addLayout(sourcesColumn);

  auto* linesColumn = new QVBoxLayout;
  auto* linesCaption = new QLabel(QStringLiteral("Доходы (п. 3.1 справки о доходах)"), this);
  linesColumn->addWidget(linesCaption);
  auto* linesRow = new QHBoxLayout;
  lvIncomes = MakeRowList(this, "lvIncomes",
                          {QStringLiteral("Месяц дохода"), QStringLiteral("Код дохода"), QStringLiteral("Сумма дохода"),
                           QStringLiteral("Код вычета"), QStringLiteral("Сумма вычета")},
                          QString());
  lvIncomes->header()->setDefaultAlignment(Qt::AlignCenter);
  // Every caption readable in full; the amounts take what is left.
  lvIncomes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  lvIncomes->header()->setStretchLastSection(true);
  lvIncomes->setAlternatingRowColors(true);
  linesCaption->setBuddy(lvIncomes);
  linesRow->addWidget(lvIncomes, 1);
  auto* lineButtons = new QVBoxLayout;
  btAddIncome = MakeListToolButton(this, "btAddIncome", QStringLiteral("Добавить"), QStringLiteral("Добавить доход"));
  btDeleteIncome = MakeListToolButton(this, "btDeleteIncome", QStringLiteral("Удалить"), QStringLiteral("Удалить доход"));
  btEditIncome = MakeListToolButton(this, "btEditIncome", QStringLiteral("Изменить"), QStringLiteral("Редактировать доход"));
  btRepeatIncome = MakeListToolButton(this, "btRepeatIncome", QStringLiteral("Повторить"), QStringLiteral("Повторить доход"));
  for (QToolButton* b : {btAddIncome, btDeleteIncome, btEditIncome, btRepeatIncome}) lineButtons->addWidget(b);
  lineButtons->addStretch();
  linesRow->addLayout(lineButtons);
  linesColumn->addLayout(linesRow, 1);
  lists->addLayout(linesColumn, 1);
  layout->addLayout(lists, 1);

  // Итоговые суммы по источнику выплат
  gbTotals = new QGroupBox(QStringLiteral("Итоговые суммы по источнику выплат"), this);
  gbTotals->setObjectName(QStringLiteral("gbTotals"));
  auto* totals = new QGridLayout(gbTotals);
  edIncomeTotal = MakeEdit(gbTotals, "edIncomeTotal", EditType::edtCurrency, 0, 0);
  edIncomeTotal->setReadOnly(true);
  ShowAsPanel(edIncomeTotal);
  edTaxWithheld = MakeEdit(gbTotals, "edTaxWithheld", EditType::edtCurrency, 12, 2);
  edTaxComputed = MakeEdit(gbTotals, "edTaxComputed", EditType::edtCurrency, 12, 2);
  edTaxableIncome = MakeEdit(gbTotals, "edTaxableIncome", EditType::edtCurrency, 12, 2);
  for (TMaskedEdit* e : {edIncomeTotal, edTaxWithheld, edTaxComputed, edTaxableIncome}) e->setFixedWidth(150);
  totals->addWidget(MakeLabel(gbTotals, QStringLiteral("Общая сумма дохода"), edIncomeTotal), 0, 0);
  totals->addWidget(edIncomeTotal, 0, 1);
  totals->addWidget(MakeLabel(gbTotals, QStringLiteral("Сумма налога удержанная "), edTaxWithheld), 1, 0);
  totals->addWidget(edTaxWithheld, 1, 1);
  totals->addWidget(MakeLabel(gbTotals, QStringLiteral("Сумма налога исчисленная"), edTaxComputed), 0, 3);
  totals->addWidget(edTaxComputed, 0, 4);
  totals->addWidget(MakeLabel(gbTotals, QStringLiteral("Облагаемая сумма дохода"), edTaxableIncome), 1, 3);
  totals->addWidget(edTaxableIncome, 1, 4);
  totals->setColumnMinimumWidth(2, 24);
  totals->setColumnStretch(5, 1);
  layout->addWidget(gbTotals);

  auto* extras = new QHBoxLayout;
  gbForeigner = new QGroupBox(QStringLiteral("Авансовые платежи иностранца"), this);
  gbForeigner->setObjectName(QStringLiteral("gbForeigner"));
  auto* foreigner = new QHBoxLayout(gbForeigner);
  edForeignerFixedPayments = MakeEdit(gbForeigner, "edForeignerFixedPayments", EditType::edtCurrency, 12, 2);
  edForeignerFixedPayments->setFixedWidth(150);
  foreigner->addWidget(MakeLabel(gbForeigner, QStringLiteral("Сумма фиксированных платежей"), edForeignerFixedPayments));
  foreigner->addWidget(edForeignerFixedPayments);
  foreigner->addStretch();
  extras->addWidget(gbForeigner);
  gbFarm = new QGroupBox(QStringLiteral("Работа у сельскохозяйственных товаропроизводителей"), this);
  gbFarm->setObjectName(QStringLiteral("gbFarm"));
  auto* farm = new QHBoxLayout(gbFarm);
  edFarmMonths = MakeEdit(gbFarm, "edFarmMonths", EditType::edtDigital, 2);
  edFarmMonths->setFixedWidth(40);
  farm->addWidget(MakeLabel(gbFarm, QStringLiteral("Количество фактически отработанных полных месяцев"), edFarmMonths));
  farm->addWidget(edFarmMonths);
  farm->addStretch();
  extras->addWidget(gbFarm);
  extras->addStretch();
  layout->addLayout(extras);
  if (specialists_) {
    // The dialog still takes a contract's expenses (403): they are the user's and stay in the file.
    auto* note = new QLabel(QStringLiteral("Нерезиденту вычеты статей 218 - 221 НК РФ не предоставляются "
                                           "(п. 4 ст. 210 НК РФ): расходы по договорам (код 403) сохраняются в "
                                           "декларации, но налоговую базу не уменьшают."),
                            this);
    note->setObjectName(QStringLiteral("lbNoDeductions"));
    note->setWordWrap(true);
    layout->addWidget(note);
  }

  // Fill from the model.
  filling_ = true;
  for (std::size_t i = 0; i < Sources().Count(); ++i) {
    auto* item = new QTreeWidgetItem({FromModel(Sources().Get(i).Name)});
    item->setToolTip(0, item->text(0));
    lvSources->addTopLevelItem(item);
  }
  edForeignerFixedPayments->setText(AmountText(d.ForeignerFixedPayments));
  gbForeigner->setVisible(d.DeclarationForm == kForm3Resident || specialists_);
  // The stored count stays as it was, even where the field would not let it be typed.
  if (d.FarmMonthsWorked != 0) edFarmMonths->setText(FromUtf8(IntToText(d.FarmMonthsWorked)));
  filling_ = false;
  UpdateFarmGroup();
  UpdateEnabling();

  setTabOrder(lvSources, btAddSource);
  setTabOrder(btAddSource, btDeleteSource);
  setTabOrder(btDeleteSource, btEditSource);
  setTabOrder(btEditSource, lvIncomes);
  setTabOrder(lvIncomes, btAddIncome);
  setTabOrder(btAddIncome, btDeleteIncome);
  setTabOrder(btDeleteIncome, btEditIncome);
  setTabOrder(btEditIncome, btRepeatIncome);
  setTabOrder(btRepeatIncome, edTaxWithheld);
  setTabOrder(edTaxWithheld, edTaxComputed);
  setTabOrder(edTaxComputed, edTaxableIncome);
  setTabOrder(edTaxableIncome, edForeignerFixedPayments);
  setTabOrder(edForeignerFixedPayments, edFarmMonths);

  connect(lvSources, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { SelectSource(item != nullptr ? lvSources->indexOfTopLevelItem(item) : -1); });
  connect(lvIncomes, &QTreeWidget::itemActivated, this, [this] { EditIncome(); });
  connect(btAddSource, &QToolButton::clicked, this, &TfrThirteenPercent::AddSource);
  connect(btDeleteSource, &QToolButton::clicked, this, &TfrThirteenPercent::DeleteSource);
  connect(btEditSource, &QToolButton::clicked, this, &TfrThirteenPercent::EditSource);
  connect(btAddIncome, &QToolButton::clicked, this, &TfrThirteenPercent::AddIncome);
  connect(btDeleteIncome, &QToolButton::clicked, this, &TfrThirteenPercent::DeleteIncome);
  connect(btEditIncome, &QToolButton::clicked, this, &TfrThirteenPercent::EditIncome);
  connect(btRepeatIncome, &QToolButton::clicked, this, &TfrThirteenPercent::RepeatIncome);
  connect(edFarmMonths, &TMaskedEdit::Change, this, [this] {
    if (!filling_ && NumberOrZero(edFarmMonths->text()) > 12) edFarmMonths->setText(QStringLiteral("12"));
  });
  connect(edFarmMonths, &QLineEdit::editingFinished, this, [this] {
    if (!edFarmMonths->text().isEmpty() && NumberOrZero(edFarmMonths->text()) == 0) {
      edFarmMonths->setText(QStringLiteral("1"));
    }
  });
}

mTList<mTThirteenPercent>& TfrThirteenPercent::Sources() {
  return specialists_ ? Declaration().Sources13NR : Declaration().Sources13;
}

mTThirteenPercent* TfrThirteenPercent::Selected() {
  if (!selected_ || *selected_ >= Sources().Count()) return nullptr;
  return &Sources().Get(*selected_);
}

std::unique_ptr<TfmInput13Income> TfrThirteenPercent::MakeIncomeDialog() {
  return std::make_unique<TfmInput13Income>(this, Host().Presenter(), nonResident_);
}

// ---------------------------------------------------------------------------------------------
// The sources

void TfrThirteenPercent::FocusList() {
  if (Sources().Count() == 0) return;
  lvSources->setFocus();
  SelectListRow(lvSources, 0);
}

void TfrThirteenPercent::SelectSource(int row) {
  StoreTotals();
  selected_.reset();
  if (row >= 0 && static_cast<std::size_t>(row) < Sources().Count()) {
    selected_ = static_cast<std::size_t>(row);
  }
  TListFillingGuard guard(Host());
  FillLines(0);
  ShowTotals();
  UpdateEnabling();
}

void TfrThirteenPercent::StoreTotals() {
  mTThirteenPercent* source = Selected();
  if (source == nullptr) return;
  source->TaxWithheld = AmountOrZero(edTaxWithheld->text());
  source->TaxComputed = AmountOrZero(edTaxComputed->text());
  source->TaxableIncome = AmountOrZero(edTaxableIncome->text());
}

void TfrThirteenPercent::ShowTotals() {
  const mTThirteenPercent* source = Selected();
  if (source == nullptr) {
    for (TMaskedEdit* e : {edIncomeTotal, edTaxWithheld, edTaxComputed, edTaxableIncome}) e->clear();
    return;
  }
  edIncomeTotal->setText(AmountTextKeepZero(source->IncomeTotal));
  edTaxWithheld->setText(AmountText(source->TaxWithheld));
  edTaxComputed->setText(AmountText(source->TaxComputed));
  edTaxableIncome->setText(AmountText(source->TaxableIncome));
}

void TfrThirteenPercent::FillLines(int selectRow) {
  lvIncomes->clear();
  const mTThirteenPercent* source = Selected();
  if (source == nullptr) return;
  for (std::size_t i = 0; i < source->EntryCount(); ++i) {
    lvIncomes->addTopLevelItem(new QTreeWidgetItem(5));
    SetLineRow(static_cast<int>(i), source->GetEntry(i));
  }
  SelectListRow(lvIncomes, std::min(selectRow, lvIncomes->topLevelItemCount() - 1));
}

void TfrThirteenPercent::SetLineRow(int row, const mTSourseIncome& entry) {
  QTreeWidgetItem* item = lvIncomes->topLevelItem(row);
  item->setText(0, MonthText(entry.Month));
  item->setText(1, CodeCell(entry.IncomeCode));
  item->setText(2, AmountCell(entry.Amount));
  item->setText(3, CodeCell(entry.DeductCode));
  item->setText(4, AmountCell(entry.DeductAmount));
  item->setToolTip(1, FromModel(entry.IncomeName));
  for (int column : {1, 3}) item->setTextAlignment(column, Qt::AlignCenter);
  for (int column : {2, 4}) item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
}

void TfrThirteenPercent::UpdateEnabling() {
  const bool on = Selected() != nullptr;
  for (QWidget* w : {static_cast<QWidget*>(btAddIncome), static_cast<QWidget*>(btDeleteIncome),
                     static_cast<QWidget*>(btEditIncome), static_cast<QWidget*>(btRepeatIncome),
                     static_cast<QWidget*>(edTaxWithheld), static_cast<QWidget*>(edTaxComputed),
                     static_cast<QWidget*>(edTaxableIncome), static_cast<QWidget*>(btDeleteSource),
                     static_cast<QWidget*>(btEditSource), static_cast<QWidget*>(lvIncomes)}) {
    w->setEnabled(on);
  }
}

void TfrThirteenPercent::UpdateFarmGroup() {
  bool farm = false;
  Sources().ForEach([&farm](std::size_t, const mTThirteenPercent& source) {
    for (std::size_t i = 0; i < source.EntryCount(); ++i) {
      const mTSourseIncome& entry = source.GetEntry(i);
      if (entry.IncomeCode == 2791 && entry.DeductCode != 0) farm = true;
    }
  });
  gbFarm->setVisible(farm && !specialists_);
}

void TfrThirteenPercent::AddSource() {
  TfmInput13SourseIncome dialog(this, Host().Presenter(), nonResident_);
  if (dialog.exec() != QDialog::Accepted) return;
  const TSourceIdentity identity = dialog.Source();
  if (Trim(identity.Name).empty()) return;
  mTThirteenPercent source;
  source.Name = identity.Name;
  source.Inn = identity.Inn;
  source.Kpp = identity.Kpp;
  source.Oktmo = identity.Oktmo;
  source.StandardDeductSource = identity.StandardDeductSource;
  const std::size_t index = Sources().Add(std::move(source));
  auto* item = new QTreeWidgetItem({FromModel(identity.Name)});
  item->setToolTip(0, item->text(0));
  lvSources->addTopLevelItem(item);
  NotifyChanged();
  SelectListRow(lvSources, static_cast<int>(index));
}

void TfrThirteenPercent::EditSource() {
  mTThirteenPercent* source = Selected();
  if (source == nullptr) return;
  TfmInput13SourseIncome dialog(this, Host().Presenter(), nonResident_);
  dialog.SetSource({source->Name, source->Inn, source->Kpp, source->Oktmo, source->StandardDeductSource});
  if (dialog.exec() != QDialog::Accepted) return;
  const TSourceIdentity identity = dialog.Source();
  if (Trim(identity.Name).empty()) return;
  source->Name = identity.Name;
  source->Inn = identity.Inn;
  source->Kpp = identity.Kpp;
  source->Oktmo = identity.Oktmo;
  source->StandardDeductSource = identity.StandardDeductSource;
  QTreeWidgetItem* item = lvSources->topLevelItem(static_cast<int>(*selected_));
  item->setText(0, FromModel(identity.Name));
  item->setToolTip(0, item->text(0));
  NotifyChanged();
}

void TfrThirteenPercent::DeleteSource() {
  if (Selected() == nullptr) return;
  const std::size_t index = *selected_;
  // The source goes with its lines; what was typed into its totals goes with it.
  selected_.reset();
  Sources().Delete(index);
  {
    const QSignalBlocker blocker(lvSources);
    delete lvSources->takeTopLevelItem(static_cast<int>(index));
  }
  NotifyChanged();
  UpdateFarmGroup();
  if (lvSources->topLevelItemCount() == 0) {
    SelectSource(-1);
    return;
  }
  const int next = index == 0 ? 0 : static_cast<int>(index) - 1;
  lvSources->setCurrentItem(nullptr);
  SelectListRow(lvSources, next);
}

// ---------------------------------------------------------------------------------------------
// The income lines

void TfrThirteenPercent::AddIncome() {
  mTThirteenPercent* source = Selected();
  if (source == nullptr) return;
  const std::unique_ptr<TfmInput13Income> dialog = MakeIncomeDialog();
  if (dialog->exec() != QDialog::Accepted) return;
  const mTSourseIncome entry = dialog->Entry();
  if (entry.IncomeCode == 0) return;
  const std::size_t index = source->AddEntry(entry);
  lvIncomes->addTopLevelItem(new QTreeWidgetItem(5));
  SetLineRow(static_cast<int>(index), entry);
  SelectListRow(lvIncomes, static_cast<int>(index));
  edIncomeTotal->setText(AmountTextKeepZero(source->IncomeTotal));
  UpdateFarmGroup();
  NotifyChanged();
}

void TfrThirteenPercent::EditIncome() {
  mTThirteenPercent* source = Selected();
  const int row = SelectedListRow(lvIncomes);
  if (source == nullptr || row < 0) return;
  const std::unique_ptr<TfmInput13Income> dialog = MakeIncomeDialog();
  dialog->SetEntry(source->GetEntry(static_cast<std::size_t>(row)));
  if (dialog->exec() != QDialog::Accepted) return;
  const mTSourseIncome entry = dialog->Entry();
  source->ReplaceEntry(static_cast<std::size_t>(row), entry);
  SetLineRow(row, entry);
  edIncomeTotal->setText(AmountTextKeepZero(source->IncomeTotal));
  UpdateFarmGroup();
  NotifyChanged();
}

void TfrThirteenPercent::RepeatIncome() {
  mTThirteenPercent* source = Selected();
  const int row = SelectedListRow(lvIncomes);
  if (source == nullptr || row < 0) return;
  mTSourseIncome entry = source->GetEntry(static_cast<std::size_t>(row));
  entry.Month = static_cast<std::uint16_t>(std::min(entry.Month + 1, 12));
  const std::size_t index = source->AddEntry(entry);
  lvIncomes->addTopLevelItem(new QTreeWidgetItem(5));
  SetLineRow(static_cast<int>(index), entry);
  SelectListRow(lvIncomes, static_cast<int>(index));
  edIncomeTotal->setText(AmountTextKeepZero(source->IncomeTotal));
  UpdateFarmGroup();
  NotifyChanged();
}

void TfrThirteenPercent::DeleteIncome() {
  mTThirteenPercent* source = Selected();
  const int row = SelectedListRow(lvIncomes);
  if (source == nullptr || row < 0) return;
  source->DeleteEntry(static_cast<std::size_t>(row));
  delete lvIncomes->takeTopLevelItem(row);
  SelectListRow(lvIncomes, row == 0 ? 0 : row - 1);
  edIncomeTotal->setText(AmountTextKeepZero(source->IncomeTotal));
  UpdateFarmGroup();
  NotifyChanged();
}

// ---------------------------------------------------------------------------------------------

void TfrThirteenPercent::StoreData() {
  StoreTotals();
  mTDeclaration& d = Declaration();
  d.ForeignerFixedPayments = AmountOrZero(edForeignerFixedPayments->text());
  d.SetFarmMonthsWorked(NumberOrZero(edFarmMonths->text()));
}

std::uint16_t TfrThirteenPercent::CheckData() {
  return static_cast<std::uint16_t>(CheckSources13Page(Declaration(), Host().Presenter()));
}

void TfrThirteenPercent::ShowError(std::uint16_t code) {
  if (code == 0 || code > lvSources->topLevelItemCount()) return;
  lvSources->setFocus();
  SelectListRow(lvSources, code - 1);
}

}  // namespace talver
