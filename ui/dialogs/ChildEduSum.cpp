#include "ui/dialogs/ChildEduSum.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"

namespace talver {

TfmChildEduSum::TfmChildEduSum(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("TfmChildEduSum"));
  setWindowTitle(QStringLiteral("Сумма за обучение"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  edSum = MakeEdit(this, "edSum", EditType::edtCurrency, 12, 2);
  edSum->setFixedWidth(150);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeLabel(this, QStringLiteral("Сумма, уплаченная за обучение ребенка"), edSum));
  layout->addWidget(edSum);
  layout->addSpacing(8);
  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &QDialog::accept);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
  edSum->setFocus();
}

void TfmChildEduSum::SetAmount(Currency amount) { edSum->setText(AmountText(amount)); }

Currency TfmChildEduSum::Amount() const { return AmountOrZero(edSum->text()); }

}  // namespace talver
