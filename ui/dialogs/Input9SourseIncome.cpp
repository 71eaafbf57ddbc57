#include "ui/dialogs/Input9SourseIncome.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <string_view>

#include "model/StavClasses.h"
#include "platform/Math2.h"
#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceValidators.h"

namespace talver {
namespace {

constexpr std::string_view kTitle = "Доходы, облагаемые по ставке 9%";

}  // namespace

TfmInput9SourseIncome::TfmInput9SourseIncome(QWidget* owner, IUiPresenter& presenter)
    : QDialog(owner), presenter_(presenter), identity_{} {
  setObjectName(QStringLiteral("TfmInput9SourseIncome"));
  setWindowTitle(QStringLiteral("Доход, облагаемый по ставке 9%"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* grid = new QGridLayout;
  identity_ = MakeSourceIdentityFields(this, grid, 0, QStringLiteral("Наименование источника выплаты"), 10);
  edIncomeTotal = MakeEdit(this, "edIncomeTotal", EditType::edtCurrency, 12, 2);
  edTaxWithheld = MakeEdit(this, "edTaxWithheld", EditType::edtDigital, 12);
  for (TMaskedEdit* e : {edIncomeTotal, edTaxWithheld}) e->setFixedWidth(130);
  grid->setRowMinimumHeight(4, 8);
  grid->addWidget(MakeLabel(this, QStringLiteral("Сумма дохода"), edIncomeTotal), 5, 0);
  grid->addWidget(MakeLabel(this, QStringLiteral("Удержанный налог"), edTaxWithheld), 5, 1);
  grid->addWidget(edIncomeTotal, 6, 0);
  grid->addWidget(edTaxWithheld, 6, 1);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmInput9SourseIncome::Confirm);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
  identity_.Name->setFocus();
}

void TfmInput9SourseIncome::SetSource(const mTThirtyPercent& source) {
  identity_.Set({source.Name, source.Inn, source.Kpp, source.Oktmo, 0});
  edIncomeTotal->setText(AmountText(source.IncomeTotal));
  edTaxWithheld->setText(WholeRoublesText(source.TaxWithheld));
}

void TfmInput9SourseIncome::StoreInto(mTThirtyPercent& source) const {
  const TSourceIdentity identity = identity_.Get();
  source.Name = identity.Name;
  source.Inn = identity.Inn;
  source.Kpp = identity.Kpp;
  source.Oktmo = identity.Oktmo;
  const Currency income = AmountOrZero(edIncomeTotal->text());
  source.IncomeTotal = income;
  source.TaxableIncome = income;
  // 9 % in whole roubles, halves up, taken exactly on the amount: as a double product the
  // income × 0.09 may fall just below a half and round down.
  source.TaxComputed = TaxAtRate(income, 9);
  source.TaxWithheld = AmountOrZero(edTaxWithheld->text());
}

void TfmInput9SourseIncome::Confirm() {
  const TSourceIdentity s = identity_.Get();
  if (const int field = ValidateSourceStrict(presenter_, kTitle, s.Name, s.Oktmo, s.Kpp, s.Inn);
      field != kSourceValid) {
    identity_.Focus(field);
    return;
  }
  const Currency income = AmountOrZero(edIncomeTotal->text());
  const Currency withheld = AmountOrZero(edTaxWithheld->text());
  const auto fixes = [this](std::string_view message) {
    return presenter_.ShowEntryError(kTitle, message, true) == CheckAnswer::Fix;
  };
  if (!income.IsZero() || !withheld.IsZero()) {
    if (income.IsZero()) {
      if (fixes("Не указана сумма дохода")) {
        edIncomeTotal->setFocus();
        return;
      }
    } else if (withheld > income && fixes("Сумма дохода меньше суммы удержанного налога")) {
      edTaxWithheld->setFocus();
      return;
    }
  }
  accept();
}

}  // namespace talver
