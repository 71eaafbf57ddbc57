#include "ui/pickers/DeductionChoice.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/pickers/Pickers.h"
#include "ui/base/UiText.h"

namespace talver {

TDeductionChoice::Widgets TDeductionChoice::MakeWidgets(QWidget* parent, const QString& codeCaption,
                                                        const QString& sumCaption, int codeWidth, int sumWidth) {
  Widgets w{};
  w.CodeCaption = new QLabel(codeCaption, parent);
  w.CodeCaption->setObjectName(QStringLiteral("lbDeductCode"));
  w.Code = MakePanel(parent, "pnDeductCode");
  w.Code->setFixedWidth(codeWidth);
  w.Picker = MakeDotsButton(parent, "btDeductCode", QStringLiteral("Выбрать код из справочника"));
  w.CodeCaption->setBuddy(w.Picker);
  w.Name = new QLabel(parent);
  w.Name->setObjectName(QStringLiteral("lbDeductName"));
  w.Name->setWordWrap(true);
  w.Sum = MakeEdit(parent, "edDeductAmount", EditType::edtCurrency, 12, 2);
  w.Sum->setFixedWidth(sumWidth);
  w.SumCaption = MakeLabel(parent, sumCaption, w.Sum);
  w.SumCaption->setObjectName(QStringLiteral("lbDeductAmount"));
  return w;
}

TDeductionChoice::TDeductionChoice(Widgets widgets, TIncomeEntryDialog mode, LockSum lock)
    : w_(widgets), mode_(mode), lock_(std::move(lock)) {}

void TDeductionChoice::SetAllowed(bool allowed) {
  allowed_ = allowed;
  code_.clear();
  deduction_.reset();
  Show({}, {});
  SetSum(std::nullopt);
  w_.CodeCaption->setEnabled(allowed);
  w_.Picker->setEnabled(allowed);
  w_.SumCaption->setEnabled(allowed);
  w_.SumCaption->show();
  w_.Sum->show();
  w_.Sum->setEnabled(allowed);
  // Until a deduction is chosen its sum cannot be typed.
  lock_(w_.Sum, true);
}

bool TDeductionChoice::Pick(QWidget* parent, const TIncomeDictionary& dictionary, const std::string& incomeCode,
                            std::optional<Currency> income) {
  if (!allowed_ || incomeCode.empty()) return false;
  TfmInputDeductCode picker(parent, dictionary, incomeCode, PickerSettingsFor(mode_).FullDeductionList);
  const std::optional<TDeductionCode> pick = picker.Execute(code_);
  if (!pick || pick->Code == code_) return false;
  code_ = pick->Code;
  Show(pick->Code, pick->Name);
  SetSum(std::nullopt);
  deduction_ = *pick;
  ApplyMarks(*pick);
  SetSum(InitialDeductionSum(mode_, *pick, income));
  return true;
}

void TDeductionChoice::Reopen(const TDeductionCode& deduction, std::optional<Currency> income,
                              std::optional<Currency> stored) {
  code_ = deduction.Code;
  Show(deduction.Code, deduction.Name);
  deduction_ = deduction;
  ApplyMarks(deduction);
  SetSum(ReopenedDeductionSum(mode_, deduction, income, stored));
}

void TDeductionChoice::ReopenCodeOnly(const std::string& code, const std::string& name, std::optional<Currency> stored) {
  code_ = code;
  w_.Code->setText(FromModel(code));
  w_.Name->setText(FromModel(name));
  lock_(w_.Sum, false);
  SetSum(stored);
}

void TDeductionChoice::IncomeChanged(std::optional<Currency> income) {
  if (!allowed_ || !deduction_) return;
  SetSum(RecomputedDeductionSum(mode_, *deduction_, income, AmountValue(w_.Sum->text())));
}

void TDeductionChoice::SumTyped() {
  if (settingSum_ || !deduction_) return;
  const std::optional<Currency> typed = AmountValue(w_.Sum->text());
  const std::optional<Currency> kept = TypedDeductionSum(mode_, *deduction_, typed);
  if (kept != typed) SetSum(kept);
}

void TDeductionChoice::SetSum(const std::optional<Currency>& sum) {
  settingSum_ = true;
  w_.Sum->setText(sum ? AmountTextKeepZero(*sum) : QString());
  settingSum_ = false;
}

bool TDeductionChoice::SumEditable() const {
  return !w_.Sum->isHidden() && w_.Sum->isEnabled() && !w_.Sum->isReadOnly();
}

void TDeductionChoice::Show(const std::string& code, const std::string& name) {
  w_.Code->setText(FromModel(code));
  w_.Name->setText(FromModel(name));
  w_.Name->setToolTip(FromModel(name));
}

void TDeductionChoice::ApplyMarks(const TDeductionCode& deduction) {
  w_.SumCaption->setVisible(deduction.Visible);
  w_.Sum->setVisible(deduction.Visible);
  w_.Sum->setEnabled(deduction.Visible);
  lock_(w_.Sum, !deduction.Enabled);
}

}  // namespace talver
