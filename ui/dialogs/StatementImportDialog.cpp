#include "ui/dialogs/StatementImportDialog.h"

#include <QBrush>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/DeclClasses.h"
#include "platform/Math2.h"
#include "ui/base/UiText.h"

namespace talver {

namespace {

QString Sum(Currency amount) { return FromUtf8(FormatSumKopecks(amount)); }

// The key the user's country is kept under: what PrepareStatementImport looks it up by.
std::string CountryKey(const TStatementDividend& d) { return !d.Isin.empty() ? d.Isin : d.Symbol; }

}  // namespace

TfmStatementImport::TfmStatementImport(std::vector<TStatement> statements, const mTDeclaration& into,
                                       TStatementContext context, QWidget* parent)
    : QDialog(parent), statements_(std::move(statements)), into_(into), context_(std::move(context)) {
  setObjectName(QStringLiteral("fmStatementImport"));
  setWindowTitle(QStringLiteral("Дивиденды из отчета брокера"));
  auto* layout = new QVBoxLayout(this);

  auto* intro = new QLabel(QStringLiteral("Отмеченные дивиденды будут добавлены в доходы за пределами РФ. "
                                          "Страну эмитента можно исправить в столбце «Страна» (код ОКСМ или "
                                          "буквы ISO, например 840 или US)."),
                           this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  lblNotes_ = new QLabel(this);
  lblNotes_->setObjectName(QStringLiteral("lblNotes"));
  lblNotes_->setWordWrap(true);
  layout->addWidget(lblNotes_);

  table_ = new QTableWidget(0, ColumnCount, this);
  table_->setObjectName(QStringLiteral("tblLines"));
  table_->setHorizontalHeaderLabels({QString(), QStringLiteral("Дата"), QStringLiteral("Эмитент"), QStringLiteral("ISIN"),
                                     QStringLiteral("Страна"), QStringLiteral("Валюта"), QStringLiteral("Сумма"),
                                     QStringLiteral("Налог"), QStringLiteral("Доход, руб."), QStringLiteral("Налог в РФ"),
                                     QStringLiteral("Зачтено"), QStringLiteral("К уплате"), QStringLiteral("Примечание")});
  table_->verticalHeader()->hide();
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::SelectedClicked);
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_, 1);
  connect(table_, &QTableWidget::itemChanged, this, &TfmStatementImport::ItemChanged);

  lblTotals_ = new QLabel(this);
  lblTotals_->setObjectName(QStringLiteral("lblTotals"));
  lblTotals_->setWordWrap(true);
  layout->addWidget(lblTotals_);

  auto* buttons = new QDialogButtonBox(this);
  btnAdd_ = buttons->addButton(QStringLiteral("Добавить"), QDialogButtonBox::AcceptRole);
  btnAdd_->setObjectName(QStringLiteral("btnAdd"));
  QPushButton* cancel = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("btnCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);

  Prepare();
  resize(1000, 480);
}

void TfmStatementImport::SetCountry(int row, const QString& word) {
  if (row < 0 || static_cast<std::size_t>(row) >= import_.Lines.size()) return;
  const std::string key = CountryKey(import_.Lines[static_cast<std::size_t>(row)].Dividend);
  if (key.empty()) return;
  const std::string text = word.trimmed().toStdString();
  if (text.empty()) {
    context_.CountryOverrides.erase(key);
  } else {
    context_.CountryOverrides[key] = text;
  }
  Prepare();
}

void TfmStatementImport::Prepare() {
  const std::vector<bool> before = chosen_;
  const TStatementImport previous = std::move(import_);
  import_ = PrepareStatementImport(statements_, into_, context_);
  chosen_ = import_.DefaultChoice();
  // A line the user had unticked stays so when another line's country changes.
  for (std::size_t i = 0; i < chosen_.size() && i < before.size() && i < previous.Lines.size(); ++i) {
    if (previous.Lines[i].State == TStatementLine::Status::Taken && chosen_[i]) chosen_[i] = before[i];
  }
  Fill();
}

void TfmStatementImport::Fill() {
  filling_ = true;
  table_->setRowCount(static_cast<int>(import_.Lines.size()));
  std::size_t present = 0, otherYear = 0, errors = 0;
  for (std::size_t i = 0; i < import_.Lines.size(); ++i) {
    const TStatementLine& line = import_.Lines[i];
    const TStatementDividend& d = line.Dividend;
    const bool taken = line.State == TStatementLine::Status::Taken;
    const int row = static_cast<int>(i);
    const auto set = [&](int column, const QString& text, bool editable = false) {
      auto* item = new QTableWidgetItem(text);
      Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
      if (editable) flags |= Qt::ItemIsEditable;
      item->setFlags(flags);
      if (column >= ColAmount && column <= ColDue) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (line.State == TStatementLine::Status::Error) item->setForeground(QBrush(Qt::darkRed));
      if (line.State == TStatementLine::Status::OtherYear || line.State == TStatementLine::Status::Cancelled ||
          line.AlreadyPresent) {
        item->setForeground(QBrush(Qt::gray));
      }
      table_->setItem(row, column, item);
      return item;
    };
    QTableWidgetItem* take = set(ColTake, QString());
    if (taken) {
      take->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
      take->setCheckState(chosen_[i] ? Qt::Checked : Qt::Unchecked);
    }
    set(ColDate, FromUtf8(DateToText(d.Date, '.')));
    set(ColIssuer, FromUtf8(!d.Name.empty() ? d.Name : d.Symbol));
    set(ColIsin, FromUtf8(d.Isin));
    const bool countryEditable = !CountryKey(d).empty() && (taken || line.State == TStatementLine::Status::Error);
    const auto overridden = context_.CountryOverrides.find(CountryKey(d));
    set(ColCountry,
        taken ? FromModel(line.Income.CountryCode)
              : overridden != context_.CountryOverrides.end() ? FromUtf8(overridden->second) : QString(),
        countryEditable)
        ->setToolTip(FromUtf8(line.CountryOrigin));
    set(ColCurrency, FromUtf8(d.Currency));
    set(ColAmount, Sum(d.Amount));
    set(ColTax, Sum(d.Tax));
    if (taken) {
      set(ColRoubles, Sum(line.Income.IncomeInRoubles));
      set(ColRussianTax, Sum(line.RussianTax));
      set(ColCredit, Sum(line.Credit));
      set(ColDue, Sum(line.Due));
    } else {
      for (const int column : {ColRoubles, ColRussianTax, ColCredit, ColDue}) set(column, QString());
    }
    QString note = taken ? (line.AlreadyPresent ? QStringLiteral("уже есть в декларации") : QString())
                         : FromUtf8(line.Problem);
    set(ColNote, note)->setToolTip(FromUtf8(StatementLinePlace(d)));
    if (line.AlreadyPresent) ++present;
    if (line.State == TStatementLine::Status::OtherYear) ++otherYear;
    if (line.State == TStatementLine::Status::Error) ++errors;
  }
  QStringList notes;
  if (present > 0) {
    notes << QStringLiteral("Уже есть в декларации: %1 (отчет загружен повторно?); эти строки не отмечены.").arg(present);
  }
  if (errors > 0) notes << QStringLiteral("Не могут быть добавлены: %1; причина — в примечании.").arg(errors);
  if (otherYear > 0) notes << QStringLiteral("Пропущены доходы другого года: %1.").arg(otherYear);
  lblNotes_->setText(notes.join(QLatin1Char(' ')));
  lblNotes_->setVisible(!notes.isEmpty());
  table_->resizeColumnsToContents();
  filling_ = false;
  UpdateTotals();
}

void TfmStatementImport::UpdateTotals() {
  std::size_t count = 0;
  Currency roubles, russianTax, credit, due;
  for (std::size_t i = 0; i < import_.Lines.size(); ++i) {
    if (!chosen_[i]) continue;
    const TStatementLine& line = import_.Lines[i];
    ++count;
    roubles += line.Income.IncomeInRoubles;
    russianTax += line.RussianTax;
    credit += line.Credit;
    due += line.Due;
  }
  lblTotals_->setText(QStringLiteral("Будет добавлено доходов: %1. Доход %2 руб., налог в РФ %3, зачтено %4, к уплате %5.")
                          .arg(count)
                          .arg(Sum(roubles), Sum(russianTax), Sum(credit), Sum(due)));
  btnAdd_->setEnabled(count > 0);
}

void TfmStatementImport::ItemChanged(QTableWidgetItem* item) {
  if (filling_) return;
  const std::size_t row = static_cast<std::size_t>(item->row());
  if (row >= import_.Lines.size()) return;
  if (item->column() == ColTake) {
    chosen_[row] = import_.Lines[row].State == TStatementLine::Status::Taken && item->checkState() == Qt::Checked;
    UpdateTotals();
  } else if (item->column() == ColCountry) {
    const QString word = item->text();
    // Preparing again rebuilds the table and with it this item: not from inside its own signal.
    QMetaObject::invokeMethod(
        this, [this, row, word] { SetCountry(static_cast<int>(row), word); }, Qt::QueuedConnection);
  }
}

}  // namespace talver
