#include "ui/dialogs/InputSourseInvestTov.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceValidators.h"

namespace talver {

TfmInputSourseInvestTov::TfmInputSourseInvestTov(QWidget* owner, IUiPresenter& presenter)
    : QDialog(owner), presenter_(presenter), identity_{} {
  setObjectName(QStringLiteral("TfmInputSourseInvestTov"));
  setWindowTitle(QStringLiteral("Источник выплаты"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* grid = new QGridLayout;
  identity_ = MakeSourceIdentityFields(this, grid, 0, QStringLiteral("Наименование инвестиционного товарищества"), 12);
  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmInputSourseInvestTov::Confirm);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
  identity_.Name->setFocus();
}

void TfmInputSourseInvestTov::Confirm() {
  const TSourceIdentity s = identity_.Get();
  const int field = ValidateSourceGeneral(presenter_, "Доходы от участия в инвестиционном товариществе", s.Name, false,
                                          s.Oktmo, s.Kpp, s.Inn);
  if (field == kSourceValid) {
    accept();
  } else {
    identity_.Focus(field);
  }
}

}  // namespace talver
