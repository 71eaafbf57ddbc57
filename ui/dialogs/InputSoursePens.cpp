#include "ui/dialogs/InputSoursePens.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string_view>

#include "platform/Text1251.h"
#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceValidators.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

constexpr std::string_view kTitle = "Пенсионные договоры";
// The contracts' organisations have no ОКТМО; a valid one lets the validator's rule pass.
constexpr std::string_view kAnyOktmo = "12345678901";
constexpr std::int32_t kExtraContributions = 4;

}  // namespace

TfmInputSoursePens::TfmInputSoursePens(QWidget* owner, IUiPresenter& presenter)
    : QDialog(owner), presenter_(presenter), date_(Today()) {
  setObjectName(QStringLiteral("TfmInputSoursePens"));
  setWindowTitle(QStringLiteral("Вид и данные договора"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* kinds = new QGroupBox(QStringLiteral("Вид договора"), this);
  kinds->setObjectName(QStringLiteral("gbContractKind"));
  auto* kindLayout = new QVBoxLayout(kinds);
  const char* kindTexts[4] = {"Договор негосударственного пенсионного обеспечения",
                              "Договор добровольного пенсионного страхования",
                              "Договор добровольного страхования жизни",
                              "Дополнительные страховые взносы на накопительную пенсию"};
  for (std::size_t i = 0; i < rbKind.size(); ++i) {
    rbKind[i] = new QRadioButton(QString::fromUtf8(kindTexts[i]), kinds);
    rbKind[i]->setObjectName(QStringLiteral("rbKind%1").arg(i + 1));
    kindLayout->addWidget(rbKind[i], 0, Qt::AlignLeft);
  }
  rbKind[0]->setChecked(true);

  edOrgName = MakeEdit(this, "edOrgName", EditType::edtNone, 1000);
  edOrgName->setMinimumWidth(460);
  edInn = MakeEdit(this, "edInn", EditType::edtDigital, 10);
  edKpp = MakeEdit(this, "edKpp", EditType::edtDigital, 9);
  edContractNumber = MakeEdit(this, "edContractNumber", EditType::edtNone, 40);
  dtContractDate = MakeDate(this, "dtContractDate");
  edContribution = MakeEdit(this, "edContribution", EditType::edtCurrency, 12, 2);
  edDeductibleContribution = MakeEdit(this, "edDeductibleContribution", EditType::edtCurrency, 12, 2);
  edDeductibleContribution->hide();
  edAgentDeduction = MakeEdit(this, "edAgentDeduction", EditType::edtCurrency, 12, 2);
  for (TMaskedEdit* e : {edInn, edKpp, edContribution, edAgentDeduction}) e->setFixedWidth(130);
  edContractNumber->setMinimumWidth(200);

  auto* grid = new QGridLayout;
  grid->addWidget(MakeLabel(this, QStringLiteral("Наименование организации или фонда"), edOrgName), 0, 0, 1, 3);
  grid->addWidget(edOrgName, 1, 0, 1, 3);
  grid->addWidget(MakeLabel(this, QStringLiteral("ИНН"), edInn), 2, 0);
  grid->addWidget(MakeLabel(this, QStringLiteral("КПП"), edKpp), 2, 1);
  grid->addWidget(edInn, 3, 0);
  grid->addWidget(edKpp, 3, 1);
  grid->addWidget(MakeLabel(this, QStringLiteral("Номер договора"), edContractNumber), 4, 0, 1, 2);
  grid->addWidget(MakeLabel(this, QStringLiteral("Дата договора"), dtContractDate), 4, 2);
  grid->addWidget(edContractNumber, 5, 0, 1, 2);
  grid->addWidget(dtContractDate, 5, 2);
  grid->addWidget(MakeLabel(this, QStringLiteral("Сумма взноса"), edContribution), 6, 0);
  lbAgentDeduction = MakeLabel(this, QString(), edAgentDeduction);
  lbAgentDeduction->setObjectName(QStringLiteral("lbAgentDeduction"));
  grid->addWidget(lbAgentDeduction, 6, 1, 1, 2);
  grid->addWidget(edContribution, 7, 0);
  grid->addWidget(edAgentDeduction, 7, 1);
  grid->setRowMinimumHeight(4, 26);
  grid->setRowMinimumHeight(6, 26);
  grid->setColumnStretch(2, 1);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmInputSoursePens::Confirm);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(kinds);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);

  settingDate_ = true;
  dtContractDate->setDate(ToQDate(date_));
  settingDate_ = false;
  ApplyKind();
  setFixedSize(sizeHint());

  for (QRadioButton* r : rbKind) connect(r, &QRadioButton::toggled, this, [this] { ApplyKind(); });
  connect(dtContractDate, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    if (!settingDate_) date_ = FromQDate(date);
  });
  setTabOrder(rbKind[0], edOrgName);
  setTabOrder(edOrgName, edInn);
  setTabOrder(edInn, edKpp);
  setTabOrder(edKpp, edContractNumber);
  setTabOrder(edContractNumber, dtContractDate);
  setTabOrder(dtContractDate, edContribution);
  setTabOrder(edContribution, edAgentDeduction);
  setTabOrder(edAgentDeduction, btYes);
  setTabOrder(btYes, btNo);
  edOrgName->setFocus();
}

std::int32_t TfmInputSoursePens::Kind() const {
  for (std::size_t i = 0; i < rbKind.size(); ++i) {
    if (rbKind[i]->isChecked()) return static_cast<std::int32_t>(i) + 1;
  }
  return 1;
}

void TfmInputSoursePens::ApplyKind() {
  const bool organisation = Kind() != kExtraContributions;
  for (QWidget* w : {static_cast<QWidget*>(edOrgName), static_cast<QWidget*>(edInn), static_cast<QWidget*>(edKpp),
                     static_cast<QWidget*>(edContractNumber), static_cast<QWidget*>(dtContractDate)}) {
    w->setEnabled(organisation);
  }
  lbAgentDeduction->setText(organisation ? QStringLiteral("Сумма вычета у налогового агента (код 327)")
                                         : QStringLiteral("Сумма вычета у налогового агента (код 328)"));
}

void TfmInputSoursePens::SetContract(const mTPens& contract) {
  const std::int32_t kind = contract.ContractKind >= 1 && contract.ContractKind <= 4 ? contract.ContractKind : 1;
  rbKind[static_cast<std::size_t>(kind - 1)]->setChecked(true);
  edOrgName->setText(FromModel(contract.OrgName));
  edOrgName->setCursorPosition(0);
  edInn->setText(FromModel(contract.Inn));
  edKpp->setText(FromModel(contract.Kpp));
  edContractNumber->setText(FromModel(contract.ContractNumber));
  date_ = contract.ContractDate;
  settingDate_ = true;
  dtContractDate->setDate(ToQDate(date_));
  settingDate_ = false;
  edContribution->setText(AmountText(contract.Contribution));
  edDeductibleContribution->setText(AmountText(contract.DeductibleContribution));
  edAgentDeduction->setText(AmountText(contract.AgentDeduction));
  ApplyKind();
}

mTPens TfmInputSoursePens::Contract() const {
  mTPens contract;
  contract.ContractKind = Kind();
  contract.OrgName = ToModel(edOrgName->text());
  contract.Inn = ToModel(edInn->text());
  contract.Kpp = ToModel(edKpp->text());
  contract.ContractNumber = ToModel(edContractNumber->text());
  contract.ContractDate = date_;
  contract.Contribution = AmountOrZero(edContribution->text());
  contract.DeductibleContribution = AmountOrZero(edDeductibleContribution->text());
  contract.AgentDeduction = AmountOrZero(edAgentDeduction->text());
  return contract;
}

void TfmInputSoursePens::Confirm() {
  const mTPens c = Contract();
  // None of these errors can be skipped: closing the message leads to the field as well.
  if (c.ContractKind != kExtraContributions) {
    switch (ValidateSourceStrict(presenter_, kTitle, c.OrgName, kAnyOktmo, c.Kpp, c.Inn)) {
      case kSourceValid:
        break;
      case kSourceName:
        edOrgName->setFocus();
        return;
      case kSourceInn:
        edInn->setFocus();
        return;
      case kSourceKpp:
        edKpp->setFocus();
        return;
      default:
        return;
    }
    if (Trim(c.ContractNumber).empty()) {
      presenter_.ShowEntryError(kTitle, "Введите номер договора", false);
      edContractNumber->setFocus();
      return;
    }
  }
  if (c.Contribution < c.AgentDeduction) {
    presenter_.ShowEntryError(kTitle, "Сумма взносов меньше суммы предоставленного вычета", false);
    edContribution->setFocus();
    return;
  }
  accept();
}

}  // namespace talver
