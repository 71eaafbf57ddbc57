#include "ui/dialogs/Input13Income.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/NumberText.h"
#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/pickers/Pickers.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

constexpr std::string_view kTitle = "Доходы, облагаемые по ставке 13%";

// Securities and derivatives: their expenses may exceed the income.
constexpr std::array<std::int32_t, 24> kExpenseMayExceedIncome = {1530, 1531, 1532, 1533, 1537, 1538, 9537, 9538,
                                                                  1539, 1541, 1535, 1536, 1544, 1545, 1546, 1547,
                                                                  1548, 1549, 9551, 9552, 1553, 1554, 1551, 1552};
constexpr std::array<std::int32_t, 23> kExpenseMayExceedDeduction = {201, 202, 203, 206, 207, 211, 213, 215,
                                                                     220, 218, 219, 620, 225, 226, 227, 228,
                                                                     229, 230, 231, 232, 235, 233, 234};

template <std::size_t N>
bool In(const std::array<std::int32_t, N>& codes, std::int32_t code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::int32_t CodeNumber(const std::string& code) {
  if (code.empty()) return 0;
  try {
    return TextToInt32(code);
  } catch (const std::exception&) {
    return 0;
  }
}

std::string CodeText(std::int32_t code) { return IntToText(code); }

}  // namespace

TfmInput13Income::TfmInput13Income(QWidget* owner, IUiPresenter& presenter, bool nonResidentReturn)
    : TfmInput13Income(owner, presenter,
                       nonResidentReturn ? TIncomeEntryDialog::NonResidentReturn13 : TIncomeEntryDialog::Resident13,
                       "TfmInput13Income", kTitle) {}

TfmInput13Income::TfmInput13Income(QWidget* owner, IUiPresenter& presenter, TIncomeEntryDialog mode,
                                   const char* objectName, std::string_view title)
    : QDialog(owner), presenter_(presenter), mode_(mode), title_(title), dictionary_(TIncomeDictionary::LoadBuiltIn()) {
  setObjectName(QString::fromLatin1(objectName));
  setWindowTitle(QStringLiteral("Сведения о доходе"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* group = new QGroupBox(QStringLiteral("Сведения о полученном доходе"), this);
  group->setObjectName(QStringLiteral("gbIncome"));
  auto* grid = new QGridLayout(group);
  pnIncomeCode = MakePanel(group, "pnIncomeCode");
  pnIncomeCode->setFixedWidth(70);
  btIncomeCode = MakeDotsButton(group, "btIncomeCode", QStringLiteral("Выбрать код из справочника"));
  lbIncomeName = new QLabel(group);
  lbIncomeName->setObjectName(QStringLiteral("lbIncomeName"));
  lbIncomeName->setWordWrap(true);
  edIncomeAmount = MakeEdit(group, "edIncomeAmount", EditType::edtCurrency, 12, 2);
  edIncomeAmount->setFixedWidth(150);
  const TDeductionChoice::Widgets dw = TDeductionChoice::MakeWidgets(
      group, QStringLiteral("Код вычета (расхода)"), QStringLiteral("Сумма вычета (расхода)"), 70, 150);
  lbDeductCode = dw.CodeCaption;
  pnDeductCode = dw.Code;
  btDeductCode = dw.Picker;
  lbDeductName = dw.Name;
  edDeductAmount = dw.Sum;
  lbDeductAmount = dw.SumCaption;
  edMonth = MakeEdit(group, "edMonth", EditType::edtDigital, 2);
  edMonth->setFixedWidth(40);
  lbMonth = MakeLabel(group, QStringLiteral("Месяц получения дохода"), edMonth);
  lbMonth->setObjectName(QStringLiteral("lbMonth"));
  for (QLabel* name : {lbIncomeName, lbDeductName}) {
    name->setMinimumWidth(300);
    name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }

  grid->addWidget(MakeLabel(group, QStringLiteral("Код дохода"), btIncomeCode), 0, 0);
  grid->addWidget(pnIncomeCode, 0, 1);
  grid->addWidget(btIncomeCode, 0, 2);
  grid->addWidget(lbIncomeName, 0, 3);
  grid->addWidget(MakeLabel(group, QStringLiteral("Сумма дохода"), edIncomeAmount), 1, 0);
  grid->addWidget(edIncomeAmount, 1, 1, 1, 3, Qt::AlignLeft);
  grid->addWidget(lbDeductCode, 2, 0);
  grid->addWidget(pnDeductCode, 2, 1);
  grid->addWidget(btDeductCode, 2, 2);
  grid->addWidget(lbDeductName, 2, 3);
  grid->addWidget(lbDeductAmount, 3, 0);
  grid->addWidget(edDeductAmount, 3, 1, 1, 3, Qt::AlignLeft);
  grid->addWidget(lbMonth, 4, 0);
  grid->addWidget(edMonth, 4, 1, 1, 3, Qt::AlignLeft);
  grid->setColumnStretch(3, 1);
  grid->setRowMinimumHeight(0, 44);
  grid->setRowMinimumHeight(2, 44);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);
  resize(720, sizeHint().height());

  setTabOrder(btIncomeCode, edIncomeAmount);
  setTabOrder(edIncomeAmount, btDeductCode);
  setTabOrder(btDeductCode, edDeductAmount);
  setTabOrder(edDeductAmount, edMonth);
  setTabOrder(edMonth, btYes);
  setTabOrder(btYes, btNo);

  connect(btIncomeCode, &QToolButton::clicked, this, &TfmInput13Income::PickIncome);
  deduction_ = std::make_unique<TDeductionChoice>(
      TDeductionChoice::Widgets{lbDeductCode, pnDeductCode, btDeductCode, lbDeductName, lbDeductAmount, edDeductAmount},
      mode_, [](TMaskedEdit* sum, bool locked) { sum->setReadOnly(locked); });
  connect(btDeductCode, &QToolButton::clicked, this, &TfmInput13Income::PickDeduction);
  connect(btYes, &QPushButton::clicked, this, &TfmInput13Income::Confirm);
  connect(edIncomeAmount, &TMaskedEdit::Change, this, &TfmInput13Income::IncomeAmountChanged);
  connect(edDeductAmount, &QLineEdit::textEdited, this, [this] { deduction_->SumTyped(); });
  connect(edMonth, &TMaskedEdit::Change, this, &TfmInput13Income::MonthChanged);
  connect(edMonth, &QLineEdit::editingFinished, this, &TfmInput13Income::MonthFinished);

  // A new entry: nothing chosen yet.
  deduction_->SetAllowed(false);
  edMonth->setEnabled(false);
  btIncomeCode->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Choosing the codes

void TfmInput13Income::PickIncome() {
  const TPickerSettings settings = PickerSettingsFor(mode_);
  if (!incomePicker_) {
    incomePicker_ = new TfmInputIncomeCode(this, dictionary_, settings.RateFilter, settings.NRez13Only);
  }
  const std::optional<TIncomePick> pick = incomePicker_->Execute(incomeCode_);
  if (!pick || pick->Code == incomeCode_) return;
  ChooseIncome(pick->Code, pick->Name);
}

void TfmInput13Income::ChooseIncome(const std::string& code, const std::string& name) {
  incomeCode_ = code;
  // The specialists' entries keep no name of the dictionary's; the name is only shown.
  incomeName_ = mode_ == TIncomeEntryDialog::NonResident13 ? std::string() : name;
  pnIncomeCode->setText(FromModel(code));
  lbIncomeName->setText(FromModel(name));
  lbIncomeName->setToolTip(FromModel(name));
  // Another income: its deduction is chosen afresh.
  const TIncomeCode* income = dictionary_.FindIncome(code);
  deduction_->SetAllowed(income != nullptr && DeductionAllowed(mode_, *income));
  if (mode_ == TIncomeEntryDialog::Resident13) edMonth->setEnabled(true);
}

void TfmInput13Income::PickDeduction() {
  deduction_->Pick(this, dictionary_, incomeCode_, AmountValue(edIncomeAmount->text()));
}

// ---------------------------------------------------------------------------------------------
// The sums and the month as the user types them

void TfmInput13Income::IncomeAmountChanged() { deduction_->IncomeChanged(AmountValue(edIncomeAmount->text())); }

void TfmInput13Income::MonthChanged() {
  // A month past December is December; a zero is corrected when the field is left, so that
  // "05" can still be typed.
  if (NumberOrZero(edMonth->text()) > 12) edMonth->setText(QStringLiteral("12"));
}

void TfmInput13Income::MonthFinished() {
  if (!edMonth->text().isEmpty() && NumberOrZero(edMonth->text()) == 0) edMonth->setText(QStringLiteral("1"));
}

// ---------------------------------------------------------------------------------------------
// A stored entry

void TfmInput13Income::SetEntry(const mTSourseIncome& entry) {
  incomeCode_.clear();
  incomeName_.clear();
  pnIncomeCode->clear();
  lbIncomeName->clear();
  edIncomeAmount->clear();
  edMonth->clear();
  edMonth->setEnabled(false);
  deduction_->SetAllowed(false);
  if (entry.IncomeCode == 0) return;

  incomeCode_ = CodeText(entry.IncomeCode);
  incomeName_ = entry.IncomeName;
  pnIncomeCode->setText(FromModel(incomeCode_));
  edIncomeAmount->setText(AmountText(entry.Amount));
  const std::string deductCode = CodeText(entry.DeductCode);
  const std::optional<Currency> storedSum =
      entry.DeductAmount.IsZero() ? std::nullopt : std::optional<Currency>(entry.DeductAmount);

  std::string shownName;
  if (mode_ == TIncomeEntryDialog::Resident13 || mode_ == TIncomeEntryDialog::NonResident13) {
    const bool resident = mode_ == TIncomeEntryDialog::Resident13;
    const TIncomeCode* income = dictionary_.FindIncome(incomeCode_);
    if (income != nullptr) {
      shownName = income->Name;
      if (resident) {
        incomeName_ = income->Name;
        edMonth->setEnabled(true);
        if (entry.Month != 0) edMonth->setText(FromUtf8(IntToText(entry.Month)));
      }
      if (income->HasDeductions()) {
        deduction_->SetAllowed(true);
        // A deduction no longer listed under its income is dropped.
        if (const TDeductionCode* deduction = income->FindDeduction(deductCode)) {
          deduction_->Reopen(*deduction, AmountValue(edIncomeAmount->text()), storedSum);
        }
      }
    } else if (resident && entry.Month != 0) {
      edMonth->setText(FromUtf8(IntToText(entry.Month)));
    }
  } else {
    // The stored deduction of an income a non-resident may reduce, its sum typed freely; which
    // incomes those are is a matter of the code alone here, listed or not.
    TIncomeCode byCode;
    byCode.Code = incomeCode_;
    byCode.Deductions.emplace_back();
    if (DeductionAllowed(mode_, byCode)) {
      const TIncomeCode* income = dictionary_.FindIncome(incomeCode_);
      const TDeductionCode* deduction = income != nullptr ? income->FindDeduction(deductCode) : nullptr;
      deduction_->SetAllowed(true);
      deduction_->ReopenCodeOnly(deductCode, deduction != nullptr ? deduction->Name : std::string(), storedSum);
    }
  }
  if (shownName.empty()) shownName = incomeName_;
  lbIncomeName->setText(FromModel(shownName));
  lbIncomeName->setToolTip(FromModel(shownName));
}

mTSourseIncome TfmInput13Income::Entry() const {
  mTSourseIncome entry;
  entry.IncomeCode = CodeNumber(incomeCode_);
  entry.IncomeName = incomeName_;
  entry.Amount = AmountOrZero(edIncomeAmount->text());
  entry.DeductCode = CodeNumber(deduction_->Code());
  entry.DeductAmount = AmountOrZero(edDeductAmount->text());
  entry.DeductAttribute = deductAttribute_;
  const std::int32_t month = NumberOrZero(edMonth->text());
  entry.Month = static_cast<std::uint16_t>(std::clamp(month == 0 ? 1 : month, 1, 12));
  return entry;
}

// ---------------------------------------------------------------------------------------------
// "Да"

void TfmInput13Income::Confirm() {
  MonthFinished();
  const std::optional<Currency> income = AmountValue(edIncomeAmount->text());
  const std::optional<Currency> deduction = AmountValue(edDeductAmount->text());
  // Each rule that cannot be skipped leads to its field whatever the answer.
  const auto fails = [this](std::string_view message, bool skipEnabled) {
    return presenter_.ShowEntryError(title_, message, skipEnabled) == CheckAnswer::Fix || !skipEnabled;
  };
  if (incomeCode_.empty() && fails("Не выбран доход", true)) {
    btIncomeCode->setFocus();
    PickIncome();
    return;
  }
  if (!income && fails("Не указана сумма дохода", false)) {
    if (incomeCode_.empty()) {
      btIncomeCode->setFocus();
      PickIncome();
    } else {
      edIncomeAmount->setFocus();
    }
    return;
  }
  if (deduction_->Allowed() && deduction_->Code().empty() && fails("Не выбран вычет", true)) {
    btDeductCode->setFocus();
    PickDeduction();
    return;
  }
  const bool editable = deduction_->SumEditable();
  const bool mayExceed = In(kExpenseMayExceedIncome, CodeNumber(incomeCode_)) &&
                         In(kExpenseMayExceedDeduction, CodeNumber(deduction_->Code()));
  if (editable && deduction && income && *deduction > *income && !mayExceed &&
      fails("Сумма вычета превышает сумму дохода", false)) {
    edDeductAmount->setFocus();
    return;
  }
  if (editable && deduction && !income && fails("Сумма вычета превышает сумму дохода", false)) {
    edIncomeAmount->setFocus();
    return;
  }
  if (incomeCode_ == "1510" || incomeCode_ == "1511") {
    deductAttribute_ =
        presenter_.AskYesNo("Декларируемый доход определен как 70% от кадастровой стоимости объекта?", "Тальвер 2016")
            ? 2
            : 1;
  } else {
    deductAttribute_ = deduction_->Deduction() ? deduction_->Deduction()->Norm : 0;
  }
  accept();
}

}  // namespace talver
