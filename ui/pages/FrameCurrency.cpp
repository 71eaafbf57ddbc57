#include "ui/pages/FrameCurrency.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "check/CheckClasses.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/DeductionRules.h"
#include "platform/Math2.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"
#include "ui/pickers/CurrencyPicker.h"
#include "ui/framework/FieldText.h"
#include "ui/dialogs/InputCurrencySource.h"
#include "ui/widgets/MaskedDocEdit.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceWidgets.h"
#include "ui/pickers/Pickers.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

constexpr TIncomeEntryDialog kMode = TIncomeEntryDialog::ForeignIncome;
constexpr char kTitle[] = "Доходы за пределами РФ";
// The captions of every group stand in one column.
constexpr int kLabelColumn = 240;

std::int32_t CodeNumber(const std::string& code) {
  if (code.empty()) return 0;
  try {
    return TextToInt32(code);
  } catch (const std::exception&) {
    return 0;
  }
}

QString NumberText(std::int32_t value) { return value == 0 ? QString() : FromUtf8(IntToText(value)); }

// Amount ÷ units × rate to the kopeck, halves up; 0 when any of the three is missing or zero.
Currency InRoubles(const QString& amountText, const QString& unitsText, const QString& rateText) {
  const std::optional<Currency> amount = AmountValue(amountText);
  const std::optional<Currency> rate = AmountValue(rateText);
  const std::int32_t units = NumberOrZero(unitsText);
  if (!amount || !rate || units == 0 || rate->IsZero()) return Currency();
  return MulDivRoundTo2(*amount, rate->Units(), std::int64_t{units} * Currency::kScale);
}

QLabel* Caption(QWidget* parent, const QString& text) { return new QLabel(text, parent); }

// A field the program fills looks like the panels, one the user types into like a field.
void SetFilledByProgram(QLineEdit* field, bool readOnly) {
  field->setReadOnly(readOnly);
  field->setStyleSheet(QString());
  if (readOnly) ShowAsPanel(field);
}

}  // namespace

TfrCurrency::TfrCurrency(QWidget* owner, TPageHost& host)
    : TThinkingFrame(owner, host, PageId::Currency), dictionary_(TIncomeDictionary::LoadBuiltIn()) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakePageCaption(this, QString::fromUtf8(kTitle)));
  auto* columns = new QHBoxLayout;
  layout->addLayout(columns, 1);

  // The entries, by their sources.
  auto* sourcesColumn = new QVBoxLayout;
  lvSources = MakeRowList(this, "lvSources", {QStringLiteral("Источники выплат")}, QString());
  lvSources->setFixedWidth(190);
  sourcesColumn->addWidget(lvSources, 1);
  auto* sourceButtons = new QHBoxLayout;
  sourceButtons->setSpacing(2);
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
  sourcesColumn->addLayout(sourceButtons);
  columns->addLayout(sourcesColumn);

  auto* entry = new QVBoxLayout;
  columns->addLayout(entry, 1);

  // Сведения о полученном доходе
  gbIncomeInfo = new QGroupBox(QStringLiteral("Сведения о полученном доходе"), this);
  gbIncomeInfo->setObjectName(QStringLiteral("gbIncomeInfo"));
  auto* info = new QGridLayout(gbIncomeInfo);
  dtIncomeDate = MakeDate(gbIncomeInfo, "dtIncomeDate");
  dtTaxPaymentDate = MakeDate(gbIncomeInfo, "dtTaxPaymentDate");
  edCurrencyCode = MakeEdit(gbIncomeInfo, "edCurrencyCode", EditType::edtDigital, 3);
  edCurrencyCode->setFixedWidth(50);
  btCurrency = MakeDotsButton(gbIncomeInfo, "btCurrency", QStringLiteral("Выбрать код из справочника"));
  btCurrency->setEnabled(host.CurrencyRates() != nullptr);
  edCurrencyName = MakeEdit(gbIncomeInfo, "edCurrencyName", EditType::edtChar, 30);
  // Central Bank rates carry four decimals.
  edIncomeRateRub = MakeEdit(gbIncomeInfo, "edIncomeRateRub", EditType::edtCurrency, 5, 4);
  edTaxRateRub = MakeEdit(gbIncomeInfo, "edTaxRateRub", EditType::edtCurrency, 5, 4);
  edIncomeRateUnits = MakeEdit(gbIncomeInfo, "edIncomeRateUnits", EditType::edtDigital, 7);
  edTaxRateUnits = MakeEdit(gbIncomeInfo, "edTaxRateUnits", EditType::edtDigital, 7);
  for (TMaskedEdit* e : {edIncomeRateRub, edTaxRateRub}) e->setFixedWidth(90);
  for (TMaskedEdit* e : {edIncomeRateUnits, edTaxRateUnits}) e->setFixedWidth(70);
  cbAutoRate = new QCheckBox(QStringLiteral("Автоматическое определение"), gbIncomeInfo);
  cbAutoRate->setObjectName(QStringLiteral("cbAutoRate"));
  lbAutoRate = new QLabel(QStringLiteral("курса валюты"), gbIncomeInfo);
  lbAutoRate->setObjectName(QStringLiteral("lbAutoRate"));
  // The label stands under the box's text.
  lbAutoRate->setIndent(cbAutoRate->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                        cbAutoRate->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));

  info->addWidget(MakeLabel(gbIncomeInfo, QStringLiteral("Дата получения дохода"), dtIncomeDate), 0, 0);
  info->addWidget(dtIncomeDate, 0, 1, Qt::AlignLeft);
  info->addWidget(MakeLabel(gbIncomeInfo, QStringLiteral("Дата уплаты налога"), dtTaxPaymentDate), 1, 0);
  info->addWidget(dtTaxPaymentDate, 1, 1, Qt::AlignLeft);
  info->addWidget(MakeLabel(gbIncomeInfo, QStringLiteral("Код и наименование валюты"), edCurrencyCode), 2, 0);
  auto* currency = new QHBoxLayout;
  currency->addWidget(edCurrencyCode);
  currency->addWidget(btCurrency);
  currency->addWidget(edCurrencyName, 1);
  info->addLayout(currency, 2, 1);
  info->addWidget(MakeLabel(gbIncomeInfo, QStringLiteral("На дату дохода и уплаты налога"), edIncomeRateRub), 3, 0);
  const auto rateRow = [this](TMaskedEdit* rate, TMaskedEdit* units) {
    auto* row = new QHBoxLayout;
    row->addWidget(rate);
    row->addWidget(Caption(gbIncomeInfo, QStringLiteral("руб.")));
    row->addSpacing(6);
    row->addWidget(Caption(gbIncomeInfo, QStringLiteral("за")));
    row->addWidget(units);
    row->addWidget(Caption(gbIncomeInfo, QStringLiteral("у.е.")));
    row->addStretch();
    return row;
  };
  info->addLayout(rateRow(edIncomeRateRub, edIncomeRateUnits), 3, 1);
  info->addLayout(rateRow(edTaxRateRub, edTaxRateUnits), 4, 1);
  info->addWidget(cbAutoRate, 5, 1, Qt::AlignLeft);
  info->addWidget(lbAutoRate, 6, 1, Qt::AlignLeft | Qt::AlignTop);
  info->setVerticalSpacing(4);
  info->setColumnMinimumWidth(0, kLabelColumn);
  info->setColumnStretch(1, 1);
  entry->addWidget(gbIncomeInfo);

  // Полученный доход
  gbIncome = new QGroupBox(QStringLiteral("Полученный доход"), this);
  gbIncome->setObjectName(QStringLiteral("gbIncome"));
  auto* income = new QGridLayout(gbIncome);
  pnIncomeCode = MakePanel(gbIncome, "pnIncomeCode");
  pnIncomeCode->setFixedWidth(60);
  btIncomeCode = MakeDotsButton(gbIncome, "btIncomeCode", QStringLiteral("Выбрать код из справочника"));
  lbIncomeName = new QLabel(gbIncome);
  lbIncomeName->setObjectName(QStringLiteral("lbIncomeName"));
  lbIncomeName->setWordWrap(true);
  lbIncomeName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  edIncomeInCurrency = MakeEdit(gbIncome, "edIncomeInCurrency", EditType::edtCurrency, 12, 2);
  pnIncomeInRoubles = MakePanel(gbIncome, "pnIncomeInRoubles");
  income->addWidget(MakeLabel(gbIncome, QStringLiteral("Код дохода"), btIncomeCode), 0, 0);
  auto* code = new QHBoxLayout;
  code->addWidget(pnIncomeCode);
  code->addWidget(btIncomeCode);
  code->addWidget(lbIncomeName, 1);
  income->addLayout(code, 0, 1, 1, 3);
  income->addWidget(MakeLabel(gbIncome, QStringLiteral("В иностранной валюте"), edIncomeInCurrency), 1, 0);
  income->addWidget(edIncomeInCurrency, 1, 1);
  income->addWidget(MakeLabel(gbIncome, QStringLiteral("В рублях по курсу ЦБ"), pnIncomeInRoubles), 1, 2,
                    Qt::AlignRight);
  income->addWidget(pnIncomeInRoubles, 1, 3);
  income->setRowMinimumHeight(0, 2 * lbIncomeName->fontMetrics().lineSpacing() + 4);
  income->setColumnMinimumWidth(0, kLabelColumn);
  income->setColumnStretch(2, 1);
  entry->addWidget(gbIncome);

  // Налог, уплаченный в иностранном государстве
  gbTax = new QGroupBox(QStringLiteral("Налог, уплаченный в иностранном государстве"), this);
  gbTax->setObjectName(QStringLiteral("gbTax"));
  auto* tax = new QGridLayout(gbTax);
  edTaxInCurrency = MakeEdit(gbTax, "edTaxInCurrency", EditType::edtCurrency, 12, 2);
  pnTaxInRoubles = MakePanel(gbTax, "pnTaxInRoubles");
  tax->addWidget(MakeLabel(gbTax, QStringLiteral("В иностранной валюте"), edTaxInCurrency), 0, 0);
  tax->addWidget(edTaxInCurrency, 0, 1);
  tax->addWidget(MakeLabel(gbTax, QStringLiteral("В рублях по курсу ЦБ"), pnTaxInRoubles), 0, 2, Qt::AlignRight);
  tax->addWidget(pnTaxInRoubles, 0, 3);
  tax->setColumnMinimumWidth(0, kLabelColumn);
  tax->setColumnStretch(2, 1);
  entry->addWidget(gbTax);
  for (QLineEdit* e : {static_cast<QLineEdit*>(edIncomeInCurrency), pnIncomeInRoubles,
                       static_cast<QLineEdit*>(edTaxInCurrency), pnTaxInRoubles}) {
    e->setFixedWidth(120);
  }

  // Вычеты
  gbDeduction = new QGroupBox(QStringLiteral("Вычеты"), this);
  gbDeduction->setObjectName(QStringLiteral("gbDeduction"));
  auto* deduction = new QGridLayout(gbDeduction);
  const TDeductionChoice::Widgets dw = TDeductionChoice::MakeWidgets(
      gbDeduction, QStringLiteral("Код вычета (расхода)"), QStringLiteral("Сумма вычета (расхода)"), 60, 140);
  lbDeductCode = dw.CodeCaption;
  pnDeductCode = dw.Code;
  btDeductCode = dw.Picker;
  lbDeductName = dw.Name;
  edDeductAmount = dw.Sum;
  lbDeductAmount = dw.SumCaption;
  deduction->addWidget(lbDeductCode, 0, 0);
  deduction->addWidget(pnDeductCode, 0, 1);
  deduction->addWidget(btDeductCode, 0, 2);
  deduction->addWidget(lbDeductName, 0, 3);
  deduction->addWidget(lbDeductAmount, 1, 0);
  deduction->addWidget(edDeductAmount, 1, 1, 1, 3, Qt::AlignLeft);
  deduction->setColumnMinimumWidth(0, kLabelColumn);
  deduction->setColumnStretch(3, 1);
  entry->addWidget(gbDeduction);

  // Информация о контролируемой иностранной компании
  gbCfc = new QGroupBox(QStringLiteral("Информация о контролируемой иностранной компании"), this);
  gbCfc->setObjectName(QStringLiteral("gbCfc"));
  auto* cfc = new QGridLayout(gbCfc);
  edCfcNumber = new TMaskedDocEdit(gbCfc);
  edCfcNumber->setObjectName(QStringLiteral("edCfcNumber"));
  edCfcNumber->setDocumentMask(TDocumentMaskEnum::edtBB5);
  edCfcNumber->setFixedWidth(100);
  lbCfcNumber = MakeLabel(gbCfc, QStringLiteral("Номер КИК"), edCfcNumber);
  lbCfcMethod = new QLabel(QStringLiteral("Порядок определения прибыли КИК"), gbCfc);
  rbCfcAccounts = new QRadioButton(QStringLiteral("По данным фин.отчетности КИК"), gbCfc);
  rbCfcAccounts->setObjectName(QStringLiteral("rbCfcAccounts"));
  rbCfcRussianRules = new QRadioButton(QStringLiteral("По правилам для российских организаций"), gbCfc);
  rbCfcRussianRules->setObjectName(QStringLiteral("rbCfcRussianRules"));
  cfcMethods_ = new QButtonGroup(gbCfc);
  cfcMethods_->addButton(rbCfcAccounts, 1);
  cfcMethods_->addButton(rbCfcRussianRules, 2);
  cfc->addWidget(lbCfcNumber, 0, 0);
  cfc->addWidget(edCfcNumber, 0, 1, Qt::AlignLeft);
  cfc->addWidget(lbCfcMethod, 1, 0);
  cfc->addWidget(rbCfcAccounts, 1, 1, Qt::AlignLeft);
  cfc->addWidget(rbCfcRussianRules, 2, 1, Qt::AlignLeft);
  cfc->setColumnMinimumWidth(0, kLabelColumn);
  cfc->setColumnStretch(1, 1);
  entry->addWidget(gbCfc);
  entry->addStretch();

  setTabOrder(lvSources, btAddSource);
  setTabOrder(btAddSource, btDeleteSource);
  setTabOrder(btDeleteSource, btEditSource);
  setTabOrder(btEditSource, dtIncomeDate);
  setTabOrder(dtIncomeDate, dtTaxPaymentDate);
  setTabOrder(dtTaxPaymentDate, edCurrencyCode);
  setTabOrder(edCurrencyCode, btCurrency);
  setTabOrder(btCurrency, edCurrencyName);
  setTabOrder(edCurrencyName, edIncomeRateRub);
  setTabOrder(edIncomeRateRub, edIncomeRateUnits);
  setTabOrder(edIncomeRateUnits, cbAutoRate);
  setTabOrder(cbAutoRate, edTaxRateRub);
  setTabOrder(edTaxRateRub, edTaxRateUnits);
  setTabOrder(edTaxRateUnits, btIncomeCode);
  setTabOrder(btIncomeCode, edIncomeInCurrency);
  setTabOrder(edIncomeInCurrency, edTaxInCurrency);
  setTabOrder(edTaxInCurrency, btDeductCode);
  setTabOrder(btDeductCode, edDeductAmount);
  setTabOrder(edDeductAmount, edCfcNumber);
  setTabOrder(edCfcNumber, rbCfcAccounts);
  setTabOrder(rbCfcAccounts, rbCfcRussianRules);

  connect(lvSources, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { SelectEntry(item != nullptr ? lvSources->indexOfTopLevelItem(item) : -1); });
  connect(lvSources, &QTreeWidget::itemActivated, this, [this] { EditSource(); });
  connect(btAddSource, &QToolButton::clicked, this, &TfrCurrency::AddSource);
  connect(btDeleteSource, &QToolButton::clicked, this, &TfrCurrency::DeleteSource);
  connect(btEditSource, &QToolButton::clicked, this, &TfrCurrency::EditSource);
  connect(btCurrency, &QToolButton::clicked, this, &TfrCurrency::PickCurrency);
  connect(btIncomeCode, &QToolButton::clicked, this, &TfrCurrency::PickIncome);
  deduction_ = std::make_unique<TDeductionChoice>(
      TDeductionChoice::Widgets{lbDeductCode, pnDeductCode, btDeductCode, lbDeductName, lbDeductAmount, edDeductAmount},
      kMode, [](TMaskedEdit* sum, bool locked) { SetFilledByProgram(sum, locked); });
  connect(btDeductCode, &QToolButton::clicked, this, &TfrCurrency::PickDeduction);
  connect(edCurrencyCode, &TMaskedEdit::Change, this, &TfrCurrency::CurrencyCodeChanged);
  connect(cbAutoRate, &QCheckBox::clicked, this, &TfrCurrency::AutoRateClicked);
  connect(dtIncomeDate, &QDateEdit::dateChanged, this, [this] {
    if (showing_) return;
    ApplyRateLookup(RateDate::Income);
    NotifyChanged();
  });
  connect(dtTaxPaymentDate, &QDateEdit::dateChanged, this, [this] {
    if (showing_) return;
    ApplyRateLookup(RateDate::Tax);
    NotifyChanged();
  });
  for (TMaskedEdit* e : {edIncomeInCurrency, edTaxInCurrency, edIncomeRateRub, edIncomeRateUnits, edTaxRateRub,
                         edTaxRateUnits}) {
    connect(e, &TMaskedEdit::Change, this, &TfrCurrency::UpdateRoubles);
  }
  connect(cfcMethods_, &QButtonGroup::buttonClicked, this, [this] { NotifyChanged(); });

  // The entries of the return; the page starts on none, with the dates of the year's start.
  const mTDeclaration& d = Declaration();
  for (std::size_t i = 0; i < d.CurrencyIncomes.Count(); ++i) {
    auto* item = new QTreeWidgetItem({FromModel(d.CurrencyIncomes.Get(i).SourceName)});
    item->setToolTip(0, item->text(0));
    lvSources->addTopLevelItem(item);
  }
  ShowEntry(mTCurrencyIncome{});
  SetEntryControlsEnabled(false);
}

mTCurrencyIncome* TfrCurrency::Selected() {
  if (!selected_ || *selected_ >= Declaration().CurrencyIncomes.Count()) return nullptr;
  return &Declaration().CurrencyIncomes.Get(*selected_);
}

// ---------------------------------------------------------------------------------------------
// The entries

void TfrCurrency::FocusList() {
  if (Declaration().CurrencyIncomes.Count() == 0) return;
  lvSources->setFocus();
  SelectListRow(lvSources, 0);
}

void TfrCurrency::SelectEntry(int row) {
  if (mTCurrencyIncome* previous = Selected()) StoreEntry(*previous);
  selected_.reset();
  if (row >= 0 && static_cast<std::size_t>(row) < Declaration().CurrencyIncomes.Count()) {
    selected_ = static_cast<std::size_t>(row);
  }
  TListFillingGuard guard(Host());
  const mTCurrencyIncome* shown = Selected();
  ShowEntry(shown != nullptr ? *shown : mTCurrencyIncome{});
  SetEntryControlsEnabled(shown != nullptr);
}

void TfrCurrency::SetEntryControlsEnabled(bool enabled) {
  for (QWidget* w : {static_cast<QWidget*>(gbIncomeInfo), static_cast<QWidget*>(gbIncome),
                     static_cast<QWidget*>(gbTax), static_cast<QWidget*>(gbDeduction), static_cast<QWidget*>(gbCfc),
                     static_cast<QWidget*>(btDeleteSource), static_cast<QWidget*>(btEditSource)}) {
    w->setEnabled(enabled);
  }
}

void TfrCurrency::AddSource() {
  TfmInputCurrencySource dialog(this, Host().Presenter(), Host().Countries());
  if (dialog.exec() != QDialog::Accepted) return;
  const std::string name = dialog.SourceName();
  if (Trim(name).empty()) return;
  mTCurrencyIncome income;
  income.SourceName = name;
  income.CountryCode = dialog.CountryCode();
  const std::size_t index = Declaration().CurrencyIncomes.Add(std::move(income));
  auto* item = new QTreeWidgetItem({FromModel(name)});
  item->setToolTip(0, item->text(0));
  lvSources->addTopLevelItem(item);
  NotifyChanged();
  SelectListRow(lvSources, static_cast<int>(index));
}

void TfrCurrency::EditSource() {
  mTCurrencyIncome* income = Selected();
  if (income == nullptr) return;
  TfmInputCurrencySource dialog(this, Host().Presenter(), Host().Countries());
  dialog.SetSource(income->SourceName, income->CountryCode);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::string name = dialog.SourceName();
  // A source without a name would be a blank line of the list.
  if (Trim(name).empty()) return;
  income->SourceName = name;
  income->CountryCode = dialog.CountryCode();
  QTreeWidgetItem* item = lvSources->topLevelItem(static_cast<int>(*selected_));
  item->setText(0, FromModel(name));
  item->setToolTip(0, item->text(0));
  NotifyChanged();
}

void TfrCurrency::DeleteSource() {
  if (Selected() == nullptr) return;
  const std::size_t index = *selected_;
  selected_.reset();
  Declaration().CurrencyIncomes.Delete(index);
  {
    const QSignalBlocker blocker(lvSources);
    delete lvSources->takeTopLevelItem(static_cast<int>(index));
  }
  NotifyChanged();
  lvSources->setCurrentItem(nullptr);
  if (lvSources->topLevelItemCount() == 0) {
    SelectEntry(-1);
    return;
  }
  SelectListRow(lvSources, index == 0 ? 0 : static_cast<int>(index) - 1);
}

// ---------------------------------------------------------------------------------------------
// Showing and storing an entry

void TfrCurrency::ShowEntry(const mTCurrencyIncome& e) {
  showing_ = true;
  dtIncomeDate->setDate(ToQDate(e.IncomeDate));
  dtTaxPaymentDate->setDate(ToQDate(e.TaxPaymentDate));
  edCurrencyCode->setText(FromModel(e.CurrencyCode));
  ShowCurrencyName(e.CurrencyName);
  edIncomeRateRub->setText(AmountText(e.IncomeRateRub));
  edIncomeRateUnits->setText(NumberText(e.IncomeRateUnits));
  edTaxRateRub->setText(AmountText(e.TaxRateRub));
  edTaxRateUnits->setText(NumberText(e.TaxRateUnits));
  // Both dates are looked up; the tax payment date, looked up last, decides.
  const bool rateKnown = LookUpRate(RateDate::Tax).has_value();
  cbAutoRate->setEnabled(rateKnown);
  cbAutoRate->setChecked(rateKnown && e.AutoRate != 0);
  SetRateFieldsReadOnly(cbAutoRate->isChecked());

  incomeCode_ = e.IncomeCode == 0 ? std::string() : IntToText(e.IncomeCode);
  incomeName_ = e.IncomeName;
  incomeRate_ = e.IncomeRate;
  pnIncomeCode->setText(FromModel(incomeCode_));
  edIncomeInCurrency->setText(AmountText(e.IncomeInCurrency));
  edIncomeInCurrency->setEnabled(!incomeCode_.empty());
  edTaxInCurrency->setText(AmountText(e.TaxInCurrency));

  edCfcNumber->setText(FromModel(e.CfcNumber));
  ClearCfcMethod();
  if (QAbstractButton* method = cfcMethods_->button(e.CfcProfitMethod)) method->setChecked(true);
  SetCfcGroup(e.IncomeCode);

  UpdateRoubles();
  deduction_->SetAllowed(false);
  if (const TIncomeCode* income = incomeCode_.empty() ? nullptr : dictionary_.FindIncome(incomeCode_)) {
    incomeName_ = income->Name;
    if (DeductionAllowed(kMode, *income)) {
      deduction_->SetAllowed(true);
      // A deduction no longer listed under its income is dropped.
      if (const TDeductionCode* deduction = income->FindDeduction(IntToText(e.DeductCode))) {
        const std::optional<Currency> stored =
            e.DeductAmount.IsZero() ? std::nullopt : std::optional<Currency>(e.DeductAmount);
        deduction_->Reopen(*deduction, IncomeInRoubles(), stored);
      }
    }
  }
  lbIncomeName->setText(FromModel(incomeName_));
  lbIncomeName->setToolTip(FromModel(incomeName_));
  showing_ = false;
}

void TfrCurrency::StoreEntry(mTCurrencyIncome& e) {
  e.IncomeDate = FromQDate(dtIncomeDate->date());
  e.TaxPaymentDate = FromQDate(dtTaxPaymentDate->date());
  e.CurrencyCode = ToModel(edCurrencyCode->text());
  e.CurrencyName = ToModel(edCurrencyName->text());
  e.AutoRate = cbAutoRate->isChecked() ? 1 : 0;
  e.IncomeRateRub = AmountOrZero(edIncomeRateRub->text());
  e.IncomeRateUnits = NumberOrZero(edIncomeRateUnits->text());
  e.TaxRateRub = AmountOrZero(edTaxRateRub->text());
  e.TaxRateUnits = NumberOrZero(edTaxRateUnits->text());
  e.IncomeCode = CodeNumber(incomeCode_);
  e.IncomeName = incomeName_;
  e.IncomeRate = incomeRate_;
  // The roubles follow the rates just stored.
  e.SetIncomeInCurrency(AmountOrZero(edIncomeInCurrency->text()));
  e.SetTaxInCurrency(AmountOrZero(edTaxInCurrency->text()));
  e.DeductCode = CodeNumber(deduction_->Code());
  e.DeductAmount = AmountOrZero(edDeductAmount->text());
  e.DeductRate = deduction_->Deduction() ? deduction_->Deduction()->Norm : 0;
  e.CfcNumber = ToModel(edCfcNumber->text());
  e.CfcProfitMethod = static_cast<std::uint16_t>(std::max(cfcMethods_->checkedId(), 0));
}

// ---------------------------------------------------------------------------------------------
// The currency and its rates

void TfrCurrency::PickCurrency() {
  const TCurrencyRates* rates = Host().CurrencyRates();
  if (rates == nullptr) return;
  if (!currencyPicker_) currencyPicker_ = new TfmCurrencies(this, *rates);
  const std::optional<TCurrencyEntry> choice = currencyPicker_->Execute(ToModel(edCurrencyCode->text()));
  if (!choice || FromModel(choice->Code) == edCurrencyCode->text()) return;
  edCurrencyCode->setText(FromModel(choice->Code));
  if (const char* warning = TCurrencyRates::ChoiceWarning(choice->Code)) {
    Host().Presenter().ShowMessage(warning, kProductName, MessageIcon::Warning);
  }
}

void TfrCurrency::CurrencyCodeChanged() {
  if (showing_) return;
  ShowCurrencyName(std::string());
  ApplyRateLookup(RateDate::Income);
  ApplyRateLookup(RateDate::Tax);
}

void TfrCurrency::ShowCurrencyName(const std::string& storedName) {
  const TCurrencyRates* rates = Host().CurrencyRates();
  const std::string code = ToModel(edCurrencyCode->text());
  const TCurrencyEntry* known = rates != nullptr && !code.empty() ? rates->FindCurrency(code) : nullptr;
  edCurrencyName->setText(FromModel(known != nullptr ? known->Name : storedName));
  SetFilledByProgram(edCurrencyName, known != nullptr);
  edCurrencyName->setCursorPosition(0);
}

std::optional<TCurrencyRate> TfrCurrency::LookUpRate(RateDate date) {
  const TCurrencyRates* rates = Host().CurrencyRates();
  const std::string code = ToModel(edCurrencyCode->text());
  if (rates == nullptr || code.empty()) return std::nullopt;
  return rates->FindRate(code, FromQDate((date == RateDate::Income ? dtIncomeDate : dtTaxPaymentDate)->date()));
}

void TfrCurrency::ApplyRateLookup(RateDate date) {
  const std::optional<TCurrencyRate> rate = LookUpRate(date);
  if (rate) {
    cbAutoRate->setEnabled(true);
    if (cbAutoRate->isChecked()) FillRate(date, rate);
  } else {
    cbAutoRate->setEnabled(false);
    // Rates taken for another currency or day do not stay behind as if typed.
    if (cbAutoRate->isChecked()) SetAutoRate(false);
  }
}

void TfrCurrency::FillRate(RateDate date, const std::optional<TCurrencyRate>& rate) {
  TMaskedEdit* rub = date == RateDate::Income ? edIncomeRateRub : edTaxRateRub;
  TMaskedEdit* units = date == RateDate::Income ? edIncomeRateUnits : edTaxRateUnits;
  rub->setText(rate ? AmountTextKeepZero(rate->Rate) : QString());
  units->setText(rate ? FromUtf8(IntToText(rate->Quantity)) : QString());
}

void TfrCurrency::AutoRateClicked(bool ticked) {
  SetAutoRate(ticked);
  NotifyChanged();
}

void TfrCurrency::SetAutoRate(bool ticked) {
  cbAutoRate->setChecked(ticked);
  SetRateFieldsReadOnly(ticked);
  if (ticked) {
    FillRate(RateDate::Income, LookUpRate(RateDate::Income));
    FillRate(RateDate::Tax, LookUpRate(RateDate::Tax));
  } else {
    for (TMaskedEdit* e : {edIncomeRateRub, edIncomeRateUnits, edTaxRateRub, edTaxRateUnits}) e->clear();
  }
}

void TfrCurrency::SetRateFieldsReadOnly(bool readOnly) {
  for (TMaskedEdit* e : {edIncomeRateRub, edIncomeRateUnits, edTaxRateRub, edTaxRateUnits}) SetFilledByProgram(e, readOnly);
}

// ---------------------------------------------------------------------------------------------
// The amounts

Currency TfrCurrency::IncomeInRoubles() const {
  return InRoubles(edIncomeInCurrency->text(), edIncomeRateUnits->text(), edIncomeRateRub->text());
}

void TfrCurrency::UpdateRoubles() {
  const QString before = pnIncomeInRoubles->text();
  pnIncomeInRoubles->setText(AmountTextKeepZero(IncomeInRoubles()));
  pnTaxInRoubles->setText(AmountTextKeepZero(InRoubles(edTaxInCurrency->text(), edTaxRateUnits->text(),
                                                       edTaxRateRub->text())));
  // The deduction follows its base, the income in roubles.
  if (showing_ || pnIncomeInRoubles->text() == before) return;
  deduction_->IncomeChanged(IncomeInRoubles());
}

// ---------------------------------------------------------------------------------------------
// The income code and its deduction

void TfrCurrency::PickIncome() {
  if (!incomePicker_) {
    const TPickerSettings settings = PickerSettingsFor(kMode);
    incomePicker_ = new TfmInputIncomeCode(this, dictionary_, settings.RateFilter, settings.NRez13Only);
  }
  const std::optional<TIncomePick> pick = incomePicker_->Execute(incomeCode_);
  if (!pick || pick->Code == incomeCode_) return;
  ChooseIncome(*pick);
  NotifyChanged();
}

void TfrCurrency::ChooseIncome(const TIncomePick& pick) {
  incomeCode_ = pick.Code;
  incomeName_ = pick.Name;
  incomeRate_ = pick.Rate;
  pnIncomeCode->setText(FromModel(pick.Code));
  lbIncomeName->setText(FromModel(pick.Name));
  lbIncomeName->setToolTip(FromModel(pick.Name));
  edIncomeInCurrency->setEnabled(true);
  SetCfcGroup(CodeNumber(pick.Code));
  const TIncomeCode* income = dictionary_.FindIncome(pick.Code);
  deduction_->SetAllowed(income != nullptr && DeductionAllowed(kMode, *income));
}

void TfrCurrency::PickDeduction() {
  if (deduction_->Pick(this, dictionary_, incomeCode_, IncomeInRoubles())) NotifyChanged();
}

void TfrCurrency::SetCfcGroup(std::int32_t incomeCode) {
  const bool number = incomeCode == 1000 || incomeCode == 1001 || incomeCode == 1012;
  const bool method = incomeCode == 1000;
  lbCfcNumber->setEnabled(number);
  edCfcNumber->setEnabled(number);
  if (!number) edCfcNumber->clear();
  lbCfcMethod->setEnabled(method);
  rbCfcAccounts->setEnabled(method);
  rbCfcRussianRules->setEnabled(method);
  if (!method) ClearCfcMethod();
}

void TfrCurrency::ClearCfcMethod() {
  cfcMethods_->setExclusive(false);
  rbCfcAccounts->setChecked(false);
  rbCfcRussianRules->setChecked(false);
  cfcMethods_->setExclusive(true);
}

// ---------------------------------------------------------------------------------------------

void TfrCurrency::StoreData() {
  if (mTCurrencyIncome* income = Selected()) StoreEntry(*income);
}

std::uint16_t TfrCurrency::CheckData() {
  return static_cast<std::uint16_t>(CheckForeignPage(Declaration(), Host().Presenter()));
}

void TfrCurrency::ShowError(std::uint16_t code) {
  if (code == 0 || code > lvSources->topLevelItemCount()) return;
  lvSources->setFocus();
  SelectListRow(lvSources, code - 1);
}

}  // namespace talver
