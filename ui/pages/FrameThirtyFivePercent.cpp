#include "ui/pages/FrameThirtyFivePercent.h"

#include <QLineEdit>

#include "platform/NumberText.h"
#include "platform/Text1251.h"
#include "ui/framework/FieldText.h"
#include "ui/dialogs/Input35SourseIncome.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

QString CodePanelText(std::int32_t code) { return code == 0 ? QStringLiteral("Нет") : FromUtf8(IntToText(code)); }

}  // namespace

TfrThirtyFivePercent::TfrThirtyFivePercent(QWidget* owner, TPageHost& host)
    : TRateSourcesFrame(owner, host, PageId::ThirtyFivePercent, QStringLiteral("Доходы, облагаемые по ставке 35%")) {
  pnIncomeCode = AddPanel("pnIncomeCode", QStringLiteral("Код дохода"));
  pnIncomeTotal = AddPanel("pnIncomeTotal", QStringLiteral("Сумма дохода"));
  pnDeductCode = AddPanel("pnDeductCode", QStringLiteral("Код вычета"));
  pnDeductAmount = AddPanel("pnDeductAmount", QStringLiteral("Сумма вычета"));
  pnTaxWithheld = AddPanel("pnTaxWithheld", QStringLiteral("Сумма удержанного налога"));
  FillList();
}

std::size_t TfrThirtyFivePercent::Count() { return Declaration().Sources35.Count(); }

std::string TfrThirtyFivePercent::NameOf(std::size_t index) { return Declaration().Sources35.Get(index).Name; }

std::optional<std::size_t> TfrThirtyFivePercent::AddFromDialog() {
  TfmInput35SourseIncome dialog(this, Host().Presenter());
  if (dialog.exec() != QDialog::Accepted || Trim(dialog.Identity().Name).empty() || dialog.IncomeCode() == 0) {
    return std::nullopt;
  }
  mTThirtyFivePercent source;
  dialog.StoreInto(source);
  return Declaration().Sources35.Add(std::move(source));
}

bool TfrThirtyFivePercent::EditInDialog(std::size_t index) {
  mTThirtyFivePercent& source = Declaration().Sources35.Get(index);
  TfmInput35SourseIncome dialog(this, Host().Presenter());
  dialog.SetSource(source);
  if (dialog.exec() != QDialog::Accepted || Trim(dialog.Identity().Name).empty()) return false;
  dialog.StoreInto(source);
  return true;
}

void TfrThirtyFivePercent::Remove(std::size_t index) { Declaration().Sources35.Delete(index); }

void TfrThirtyFivePercent::ShowAmounts(std::optional<std::size_t> index) {
  if (!index || *index >= Count()) {
    for (QLineEdit* p : {pnIncomeCode, pnIncomeTotal, pnDeductCode, pnDeductAmount, pnTaxWithheld}) p->clear();
    return;
  }
  const mTThirtyFivePercent& source = Declaration().Sources35.Get(*index);
  pnIncomeCode->setText(CodePanelText(source.IncomeCode));
  pnIncomeTotal->setText(AmountTextKeepZero(source.IncomeTotal));
  pnDeductCode->setText(CodePanelText(source.DeductCode));
  pnDeductAmount->setText(AmountTextKeepZero(source.DeductAmount));
  pnTaxWithheld->setText(AmountTextKeepZero(source.TaxWithheld));
}

}  // namespace talver
