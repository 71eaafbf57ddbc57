#include "ui/pages/FrameThirtyPercent.h"

#include <QLineEdit>

#include "platform/Text1251.h"
#include "ui/framework/FieldText.h"
#include "ui/dialogs/Input30SourseIncome.h"

namespace talver {

TfrThirtyPercent::TfrThirtyPercent(QWidget* owner, TPageHost& host)
    : TRateSourcesFrame(owner, host, PageId::ThirtyPercent,
                        host.Declaration().DeclarationForm == kForm3NonResident
                            ? QStringLiteral("Дивиденды нерезидента")
                            : QStringLiteral("Дивиденды")) {
  pnIncomeTotal = AddPanel("pnIncomeTotal", QStringLiteral("Сумма дивидендов"));
  pnTaxableIncome = AddPanel("pnTaxableIncome", QStringLiteral("Облагаемая сумма дивидендов"));
  pnTaxComputed = AddPanel("pnTaxComputed", QStringLiteral("Исчисленный налог"));
  pnTaxWithheld = AddPanel("pnTaxWithheld", QStringLiteral("Удержанный налог"));
  FillList();
}

std::int32_t TfrThirtyPercent::Rate() { return Declaration().DeclarationForm == kForm3NonResident ? 15 : 13; }

std::size_t TfrThirtyPercent::Count() { return Declaration().SourcesDividends.Count(); }

std::string TfrThirtyPercent::NameOf(std::size_t index) { return Declaration().SourcesDividends.Get(index).Name; }

std::optional<std::size_t> TfrThirtyPercent::AddFromDialog() {
  TfmInput30SourseIncome dialog(this, Host().Presenter(), Rate());
  if (dialog.exec() != QDialog::Accepted || Trim(dialog.Identity().Name).empty()) return std::nullopt;
  mTThirtyPercent source;
  source.IncomeCode = 1010;
  dialog.StoreInto(source);
  return Declaration().SourcesDividends.Add(std::move(source));
}

bool TfrThirtyPercent::EditInDialog(std::size_t index) {
  mTThirtyPercent& source = Declaration().SourcesDividends.Get(index);
  TfmInput30SourseIncome dialog(this, Host().Presenter(), Rate());
  dialog.SetSource(source);
  if (dialog.exec() != QDialog::Accepted || Trim(dialog.Identity().Name).empty()) return false;
  dialog.StoreInto(source);
  return true;
}

void TfrThirtyPercent::Remove(std::size_t index) { Declaration().SourcesDividends.Delete(index); }

void TfrThirtyPercent::ShowAmounts(std::optional<std::size_t> index) {
  if (!index || *index >= Count()) {
    for (QLineEdit* p : {pnIncomeTotal, pnTaxableIncome, pnTaxComputed, pnTaxWithheld}) p->clear();
    return;
  }
  const mTThirtyPercent& source = Declaration().SourcesDividends.Get(*index);
  pnIncomeTotal->setText(AmountTextKeepZero(source.IncomeTotal));
  pnTaxableIncome->setText(AmountTextKeepZero(source.TaxableIncome));
  pnTaxComputed->setText(AmountTextKeepZero(source.TaxComputed));
  pnTaxWithheld->setText(AmountTextKeepZero(source.TaxWithheld));
}

}  // namespace talver
