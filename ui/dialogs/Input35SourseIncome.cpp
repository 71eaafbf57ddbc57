#include "ui/dialogs/Input35SourseIncome.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <string_view>

#include "model/StavClasses.h"
#include "platform/NumberText.h"
#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/pickers/Pickers.h"
#include "ui/framework/SourceValidators.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

constexpr std::string_view kTitle = "Доходы, облагаемые по ставке 35%";
constexpr TIncomeEntryDialog kMode = TIncomeEntryDialog::Income35;
// A material benefit that is not taxed: only the tax withheld from it is declared.
constexpr std::string_view kUntaxedBenefit = "2620";

std::int32_t CodeNumber(const std::string& code) {
  if (code.empty()) return 0;
  try {
    return TextToInt32(code);
  } catch (const std::exception&) {
    return 0;
  }
}

}  // namespace

TfmInput35SourseIncome::TfmInput35SourseIncome(QWidget* owner, IUiPresenter& presenter)
    : QDialog(owner), presenter_(presenter), dictionary_(TIncomeDictionary::LoadBuiltIn()), identity_{} {
  setObjectName(QStringLiteral("TfmInput35SourseIncome"));
  setWindowTitle(QStringLiteral("Доход"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* sourceGrid = new QGridLayout;
  identity_ = MakeSourceIdentityFields(this, sourceGrid, 0, QStringLiteral("Наименование источника выплаты"), 12);
  sourceGrid->setColumnStretch(3, 1);

  auto* group = new QGroupBox(this);
  group->setObjectName(QStringLiteral("gbIncome"));
  auto* grid = new QGridLayout(group);
  pnIncomeCode = MakePanel(group, "pnIncomeCode");
  pnIncomeCode->setFixedWidth(70);
  btIncomeCode = MakeDotsButton(group, "btIncomeCode", QStringLiteral("Выбрать код из справочника"));
  lbIncomeName = new QLabel(group);
  lbIncomeName->setObjectName(QStringLiteral("lbIncomeName"));
  edIncomeAmount = MakeEdit(group, "edIncomeAmount", EditType::edtCurrency, 12, 2);
  lbIncomeAmount = MakeLabel(group, QStringLiteral("Сумма дохода"), edIncomeAmount);
  lbIncomeAmount->setObjectName(QStringLiteral("lbIncomeAmount"));
  const TDeductionChoice::Widgets dw =
      TDeductionChoice::MakeWidgets(group, QStringLiteral("Код вычета"), QStringLiteral("Сумма вычета"), 70, 150);
  lbDeductCode = dw.CodeCaption;
  pnDeductCode = dw.Code;
  btDeductCode = dw.Picker;
  lbDeductName = dw.Name;
  edDeductAmount = dw.Sum;
  lbDeductAmount = dw.SumCaption;
  edTaxWithheld = MakeEdit(group, "edTaxWithheld", EditType::edtDigital, 12);
  for (TMaskedEdit* e : {edIncomeAmount, edDeductAmount, edTaxWithheld}) e->setFixedWidth(150);
  for (QLabel* name : {lbIncomeName, lbDeductName}) {
    name->setWordWrap(true);
    name->setMinimumWidth(300);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }

  grid->addWidget(MakeLabel(group, QStringLiteral("Код дохода"), btIncomeCode), 0, 0);
  grid->addWidget(pnIncomeCode, 0, 1);
  grid->addWidget(btIncomeCode, 0, 2);
  grid->addWidget(lbIncomeName, 0, 3);
  grid->addWidget(lbIncomeAmount, 1, 0);
  grid->addWidget(edIncomeAmount, 1, 1, 1, 3, Qt::AlignLeft);
  grid->addWidget(lbDeductCode, 2, 0);
  grid->addWidget(pnDeductCode, 2, 1);
  grid->addWidget(btDeductCode, 2, 2);
  grid->addWidget(lbDeductName, 2, 3);
  grid->addWidget(lbDeductAmount, 3, 0);
  grid->addWidget(edDeductAmount, 3, 1, 1, 3, Qt::AlignLeft);
  grid->addWidget(MakeLabel(group, QStringLiteral("Сумма удержанного налога"), edTaxWithheld), 4, 0);
  grid->addWidget(edTaxWithheld, 4, 1, 1, 3, Qt::AlignLeft);
  grid->setColumnStretch(3, 1);
  grid->setRowMinimumHeight(0, 44);
  grid->setRowMinimumHeight(2, 44);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(sourceGrid);
  layout->addWidget(group);
  layout->addLayout(buttons);
  resize(720, sizeHint().height());

  setTabOrder(identity_.Oktmo, btIncomeCode);
  setTabOrder(btIncomeCode, edIncomeAmount);
  setTabOrder(edIncomeAmount, btDeductCode);
  setTabOrder(btDeductCode, edDeductAmount);
  setTabOrder(edDeductAmount, edTaxWithheld);
  setTabOrder(edTaxWithheld, btYes);
  setTabOrder(btYes, btNo);

  deduction_ = std::make_unique<TDeductionChoice>(
      TDeductionChoice::Widgets{lbDeductCode, pnDeductCode, btDeductCode, lbDeductName, lbDeductAmount, edDeductAmount},
      kMode, [](TMaskedEdit* sum, bool locked) { sum->setReadOnly(locked); });
  connect(btIncomeCode, &QToolButton::clicked, this, &TfmInput35SourseIncome::PickIncome);
  connect(btDeductCode, &QToolButton::clicked, this, &TfmInput35SourseIncome::PickDeduction);
  connect(btYes, &QPushButton::clicked, this, &TfmInput35SourseIncome::Confirm);
  connect(edIncomeAmount, &TMaskedEdit::Change, this, &TfmInput35SourseIncome::IncomeAmountChanged);
  connect(edDeductAmount, &QLineEdit::textEdited, this, [this] { deduction_->SumTyped(); });

  deduction_->SetAllowed(false);
  identity_.Name->setFocus();
}

std::int32_t TfmInput35SourseIncome::IncomeCode() const { return CodeNumber(incomeCode_); }

// ---------------------------------------------------------------------------------------------
// Choosing the codes

void TfmInput35SourseIncome::PickIncome() {
  if (!incomePicker_) {
    const TPickerSettings settings = PickerSettingsFor(kMode);
    incomePicker_ = new TfmInputIncomeCode(this, dictionary_, settings.RateFilter, settings.NRez13Only);
  }
  const std::optional<TIncomePick> pick = incomePicker_->Execute(incomeCode_);
  if (!pick || pick->Code == incomeCode_) return;
  ChooseIncome(pick->Code, pick->Name);
}

void TfmInput35SourseIncome::ChooseIncome(const std::string& code, const std::string& name) {
  incomeCode_ = code;
  pnIncomeCode->setText(FromModel(code));
  lbIncomeName->setText(FromModel(name));
  lbIncomeName->setToolTip(FromModel(name));
  // Another income: its deduction is chosen afresh.
  const TIncomeCode* income = dictionary_.FindIncome(code);
  deduction_->SetAllowed(income != nullptr && DeductionAllowed(kMode, *income));
  EnableIncomeAmount();
}

void TfmInput35SourseIncome::EnableIncomeAmount() {
  const bool enabled = incomeCode_ != kUntaxedBenefit;
  edIncomeAmount->setEnabled(enabled);
  lbIncomeAmount->setEnabled(enabled);
}

void TfmInput35SourseIncome::PickDeduction() {
  deduction_->Pick(this, dictionary_, incomeCode_, AmountValue(edIncomeAmount->text()));
}

void TfmInput35SourseIncome::IncomeAmountChanged() { deduction_->IncomeChanged(AmountValue(edIncomeAmount->text())); }

// ---------------------------------------------------------------------------------------------
// A stored source

void TfmInput35SourseIncome::SetSource(const mTThirtyFivePercent& source) {
  identity_.Set({source.Name, source.Inn, source.Kpp, source.Oktmo, 0});
  edTaxWithheld->setText(WholeRoublesText(source.TaxWithheld));
  incomeCode_.clear();
  pnIncomeCode->clear();
  lbIncomeName->clear();
  deduction_->SetAllowed(false);
  edIncomeAmount->setText(AmountText(source.IncomeTotal));
  if (source.IncomeCode == 0) {
    EnableIncomeAmount();
    return;
  }
  incomeCode_ = IntToText(source.IncomeCode);
  pnIncomeCode->setText(FromModel(incomeCode_));
  EnableIncomeAmount();
  const TIncomeCode* income = dictionary_.FindIncome(incomeCode_);
  if (income == nullptr) return;
  lbIncomeName->setText(FromModel(income->Name));
  lbIncomeName->setToolTip(FromModel(income->Name));
  if (!income->HasDeductions()) return;
  deduction_->SetAllowed(true);
  // A deduction no longer listed under its income is dropped.
  const TDeductionCode* deduction = income->FindDeduction(IntToText(source.DeductCode));
  if (deduction == nullptr) return;
  const std::optional<Currency> stored =
      source.DeductAmount.IsZero() ? std::nullopt : std::optional<Currency>(source.DeductAmount);
  deduction_->Reopen(*deduction, AmountValue(edIncomeAmount->text()), stored);
}

void TfmInput35SourseIncome::StoreInto(mTThirtyFivePercent& source) const {
  const TSourceIdentity identity = identity_.Get();
  source.Name = identity.Name;
  source.Inn = identity.Inn;
  source.Kpp = identity.Kpp;
  source.Oktmo = identity.Oktmo;
  source.IncomeCode = CodeNumber(incomeCode_);
  source.DeductCode = CodeNumber(deduction_->Code());
  source.IncomeTotal = AmountOrZero(edIncomeAmount->text());
  source.DeductAmount = AmountOrZero(edDeductAmount->text());
  source.TaxWithheld = AmountOrZero(edTaxWithheld->text());
}

// ---------------------------------------------------------------------------------------------
// "Да"

void TfmInput35SourseIncome::Confirm() {
  const TSourceIdentity s = identity_.Get();
  if (const int field = ValidateSourceGeneral(presenter_, kTitle, s.Name, true, s.Oktmo, s.Kpp, s.Inn);
      field != kSourceValid) {
    identity_.Focus(field);
    return;
  }
  const std::optional<Currency> income = AmountValue(edIncomeAmount->text());
  const std::optional<Currency> deduction = AmountValue(edDeductAmount->text());
  const std::optional<Currency> withheld = AmountValue(edTaxWithheld->text());
  const bool untaxed = incomeCode_ == kUntaxedBenefit;
  // A rule that cannot be skipped leads to its field whatever the answer.
  const auto fails = [this](std::string_view message, bool skipEnabled) {
    return presenter_.ShowEntryError(kTitle, message, skipEnabled) == CheckAnswer::Fix || !skipEnabled;
  };
  if (incomeCode_.empty() && fails("Не выбран доход", false)) {
    btIncomeCode->setFocus();
    PickIncome();
    return;
  }
  if (!income && !untaxed && fails("Не указана сумма дохода", false)) {
    edIncomeAmount->setFocus();
    return;
  }
  if (deduction_->Allowed() && deduction_->Code().empty() && fails("Не выбран вычет", true)) {
    btDeductCode->setFocus();
    PickDeduction();
    return;
  }
  if (deduction_->SumEditable() && deduction) {
    if (!income) {
      if (fails("Сумма вычета превышает сумму дохода", false)) {
        edIncomeAmount->setFocus();
        return;
      }
    } else if (*deduction > *income && fails("Сумма вычета превышает сумму дохода", false)) {
      edDeductAmount->setFocus();
      return;
    }
  }
  if (withheld && !untaxed && (!income || *withheld > *income) &&
      fails("Удержанная сумма превышает сумму дохода", true)) {
    edTaxWithheld->setFocus();
    return;
  }
  accept();
}

}  // namespace talver
