#include "ui/pages/FrameNinePercent.h"

#include <QLineEdit>

#include "platform/Text1251.h"
#include "ui/framework/FieldText.h"
#include "ui/dialogs/Input9SourseIncome.h"

namespace talver {

TfrNinePercent::TfrNinePercent(QWidget* owner, TPageHost& host)
    : TRateSourcesFrame(owner, host, PageId::NinePercent, QStringLiteral("Доходы, облагаемые по ставке 9% (НЕ дивиденды)")) {
  pnIncomeTotal = AddPanel("pnIncomeTotal", QStringLiteral("Сумма дохода"));
  pnTaxableIncome = AddPanel("pnTaxableIncome", QStringLiteral("Облагаемая сумма дохода"));
  pnTaxComputed = AddPanel("pnTaxComputed", QStringLiteral("Исчисленный налог"));
  pnTaxWithheld = AddPanel("pnTaxWithheld", QStringLiteral("Удержанный налог"));
  FillList();
}

std::size_t TfrNinePercent::Count() { return Declaration().Sources9.Count(); }

std::string TfrNinePercent::NameOf(std::size_t index) { return Declaration().Sources9.Get(index).Name; }

std::optional<std::size_t> TfrNinePercent::AddFromDialog() {
  TfmInput9SourseIncome dialog(this, Host().Presenter());
  if (dialog.exec() != QDialog::Accepted || Trim(dialog.Identity().Name).empty()) return std::nullopt;
  mTThirtyPercent source;
  source.IncomeCode = 1011;
  dialog.StoreInto(source);
  return Declaration().Sources9.Add(std::move(source));
}

bool TfrNinePercent::EditInDialog(std::size_t index) {
  mTThirtyPercent& source = Declaration().Sources9.Get(index);
  TfmInput9SourseIncome dialog(this, Host().Presenter());
  dialog.SetSource(source);
  if (dialog.exec() != QDialog::Accepted || Trim(dialog.Identity().Name).empty()) return false;
  dialog.StoreInto(source);
  return true;
}

void TfrNinePercent::Remove(std::size_t index) { Declaration().Sources9.Delete(index); }

void TfrNinePercent::ShowAmounts(std::optional<std::size_t> index) {
  if (!index || *index >= Count()) {
    for (QLineEdit* p : {pnIncomeTotal, pnTaxableIncome, pnTaxComputed, pnTaxWithheld}) p->clear();
    return;
  }
  const mTThirtyPercent& source = Declaration().Sources9.Get(*index);
  pnIncomeTotal->setText(AmountTextKeepZero(source.IncomeTotal));
  pnTaxableIncome->setText(AmountTextKeepZero(source.TaxableIncome));
  pnTaxComputed->setText(AmountTextKeepZero(source.TaxComputed));
  pnTaxWithheld->setText(AmountTextKeepZero(source.TaxWithheld));
}

}  // namespace talver
