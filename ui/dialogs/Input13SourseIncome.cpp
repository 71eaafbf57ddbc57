#include "ui/dialogs/Input13SourseIncome.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceValidators.h"
#include "ui/base/UiText.h"

namespace talver {

TfmInput13SourseIncome::TfmInput13SourseIncome(QWidget* owner, IUiPresenter& presenter, bool nonResident)
    : QDialog(owner), presenter_(presenter) {
  setObjectName(QStringLiteral("TfmInput13SourseIncome"));
  setWindowTitle(QStringLiteral("Источник выплаты"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  edName = MakeEdit(this, "edName", EditType::edtNone, 1000);
  edName->setMinimumWidth(460);
  edInn = MakeEdit(this, "edInn", EditType::edtDigital, 12);
  edKpp = MakeEdit(this, "edKpp", EditType::edtDigital, 9);
  edOktmo = MakeEdit(this, "edOktmo", EditType::edtDigital, 11);
  for (TMaskedEdit* e : {edInn, edKpp, edOktmo}) e->setFixedWidth(130);
  cbStandardDeductSource = new QCheckBox(QStringLiteral("Расчет стандартных вычетов вести по этому источнику"), this);
  cbStandardDeductSource->setObjectName(QStringLiteral("cbStandardDeductSource"));
  cbStandardDeductSource->setHidden(nonResident);

  auto* grid = new QGridLayout;
  grid->addWidget(MakeLabel(this, QStringLiteral("Наименование источника выплаты"), edName), 0, 0, 1, 3);
  grid->addWidget(edName, 1, 0, 1, 3);
  grid->addWidget(MakeLabel(this, QStringLiteral("ИНН"), edInn), 2, 0);
  grid->addWidget(MakeLabel(this, QStringLiteral("КПП"), edKpp), 2, 1);
  grid->addWidget(MakeLabel(this, QStringLiteral("ОКТМО"), edOktmo), 2, 2);
  grid->addWidget(edInn, 3, 0);
  grid->addWidget(edKpp, 3, 1);
  grid->addWidget(edOktmo, 3, 2);
  grid->addWidget(cbStandardDeductSource, 4, 0, 1, 3);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmInput13SourseIncome::Confirm);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());
  edName->setFocus();
}

void TfmInput13SourseIncome::SetSource(const TSourceIdentity& source) {
  edName->setText(FromModel(source.Name));
  edInn->setText(FromModel(source.Inn));
  edKpp->setText(FromModel(source.Kpp));
  edOktmo->setText(FromModel(source.Oktmo));
  cbStandardDeductSource->setChecked(source.StandardDeductSource != 0);
  edName->setCursorPosition(0);
}

TSourceIdentity TfmInput13SourseIncome::Source() const {
  return {ToModel(edName->text()), ToModel(edInn->text()), ToModel(edKpp->text()), ToModel(edOktmo->text()),
          static_cast<std::uint8_t>(cbStandardDeductSource->isChecked() ? 1 : 0)};
}

void TfmInput13SourseIncome::Confirm() {
  const TSourceIdentity s = Source();
  switch (ValidateSourceGeneral(presenter_, "Доходы, облагаемые по ставке 13%", s.Name, true, s.Oktmo, s.Kpp, s.Inn)) {
    case kSourceValid:
      accept();
      break;
    case kSourceName:
      edName->setFocus();
      break;
    case kSourceInn:
      edInn->setFocus();
      break;
    case kSourceKpp:
      edKpp->setFocus();
      break;
    case kSourceOktmo:
      edOktmo->setFocus();
      break;
    default:
      break;
  }
}

}  // namespace talver
