#include "ui/dialogs/Input30SourseIncome.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string_view>

#include "model/StavClasses.h"
#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceValidators.h"

namespace talver {
namespace {

constexpr std::string_view kTitle = "Доходы в виде дивидендов";

// Whether the computed tax is more than 10 roubles away from `rate` % of the taxable amount,
// compared exactly in hundredths of units.
bool FarFromRate(Currency computed, Currency taxable, std::int32_t rate) {
  const std::int64_t difference = computed.Units() * 100 - taxable.Units() * rate;
  const std::int64_t tolerance = Currency::FromRoubles(10).Units() * 100;
  return difference > tolerance || difference < -tolerance;
}

}  // namespace

TfmInput30SourseIncome::TfmInput30SourseIncome(QWidget* owner, IUiPresenter& presenter, std::int32_t rate)
    : QDialog(owner), presenter_(presenter), rate_(rate), identity_{} {
  setObjectName(QStringLiteral("TfmInput30SourseIncome"));
  setWindowTitle(QStringLiteral("Доход в виде дивидендов"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* grid = new QGridLayout;
  identity_ = MakeSourceIdentityFields(this, grid, 0, QStringLiteral("Наименование источника выплаты"), 10);
  edIncomeTotal = MakeEdit(this, "edIncomeTotal", EditType::edtCurrency, 12, 2);
  edTaxableIncome = MakeEdit(this, "edTaxableIncome", EditType::edtCurrency, 12, 2);
  edTaxWithheld = MakeEdit(this, "edTaxWithheld", EditType::edtDigital, 12);
  edTaxComputed = MakeEdit(this, "edTaxComputed", EditType::edtDigital, 12);
  for (TMaskedEdit* e : {edIncomeTotal, edTaxableIncome, edTaxWithheld, edTaxComputed}) e->setFixedWidth(130);
  grid->setRowMinimumHeight(4, 8);
  grid->addWidget(MakeLabel(this, QStringLiteral("Сумма дивидендов"), edIncomeTotal), 5, 0);
  grid->addWidget(MakeLabel(this, QStringLiteral("Облагаемая сумма дивидендов"), edTaxableIncome), 5, 1, 1, 2);
  grid->addWidget(edIncomeTotal, 6, 0);
  grid->addWidget(edTaxableIncome, 6, 1);
  grid->addWidget(MakeLabel(this, QStringLiteral("Удержанный налог"), edTaxWithheld), 7, 0);
  grid->addWidget(MakeLabel(this, QStringLiteral("Исчисленный налог"), edTaxComputed), 7, 1);
  grid->addWidget(edTaxWithheld, 8, 0);
  grid->addWidget(edTaxComputed, 8, 1);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmInput30SourseIncome::Confirm);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
  setTabOrder(edIncomeTotal, edTaxableIncome);
  setTabOrder(edTaxableIncome, edTaxWithheld);
  setTabOrder(edTaxWithheld, edTaxComputed);
  identity_.Name->setFocus();
}

void TfmInput30SourseIncome::SetSource(const mTThirtyPercent& source) {
  identity_.Set({source.Name, source.Inn, source.Kpp, source.Oktmo, 0});
  edIncomeTotal->setText(AmountText(source.IncomeTotal));
  edTaxableIncome->setText(AmountText(source.TaxableIncome));
  edTaxWithheld->setText(WholeRoublesText(source.TaxWithheld));
  edTaxComputed->setText(WholeRoublesText(source.TaxComputed));
}

void TfmInput30SourseIncome::StoreInto(mTThirtyPercent& source) const {
  const TSourceIdentity identity = identity_.Get();
  source.Name = identity.Name;
  source.Inn = identity.Inn;
  source.Kpp = identity.Kpp;
  source.Oktmo = identity.Oktmo;
  source.IncomeTotal = AmountOrZero(edIncomeTotal->text());
  source.TaxableIncome = AmountOrZero(edTaxableIncome->text());
  source.TaxComputed = AmountOrZero(edTaxComputed->text());
  source.TaxWithheld = AmountOrZero(edTaxWithheld->text());
}

void TfmInput30SourseIncome::Confirm() {
  const TSourceIdentity s = identity_.Get();
  if (const int field = ValidateSourceStrict(presenter_, kTitle, s.Name, s.Oktmo, s.Kpp, s.Inn);
      field != kSourceValid) {
    identity_.Focus(field);
    return;
  }
  const Currency dividends = AmountOrZero(edIncomeTotal->text());
  const Currency taxable = AmountOrZero(edTaxableIncome->text());
  const Currency withheld = AmountOrZero(edTaxWithheld->text());
  const Currency computed = AmountOrZero(edTaxComputed->text());
  // Each failing check is shown; "Исправить" leads to its field, "Пропустить" goes on.
  const auto fixes = [this](std::string_view message, TMaskedEdit* field) {
    if (presenter_.ShowEntryError(kTitle, message, true) != CheckAnswer::Fix) return false;
    field->setFocus();
    return true;
  };
  if (taxable > dividends && fixes("Сумма дивидендов меньше облагаемой суммы дивидендов", edIncomeTotal)) return;
  if (!(taxable + withheld).IsZero()) {
    if (dividends.IsZero()) {
      if (fixes("Не указана сумма дивидендов", edIncomeTotal)) return;
    } else if (withheld > dividends && fixes("Сумма дивидендов меньше суммы удержанного налога", edTaxWithheld)) {
      return;
    }
    if (withheld > taxable && fixes("Облагаемая сумма дивидендов меньше суммы удержанного налога", edTaxWithheld)) {
      return;
    }
  }
  if (computed.IsZero() && fixes("Не указан исчисленный налог", edTaxComputed)) return;
  const bool resident = rate_ == 13;
  if (FarFromRate(computed, taxable, resident ? 13 : 15) &&
      fixes(resident ? "Исчисленный налог значительно отличается от 13% от облагаемой суммы диведендов"
                     : "Исчисленный налог значительно отличается от 15% от облагаемой суммы диведендов",
            edTaxComputed)) {
    return;
  }
  accept();
}

}  // namespace talver
