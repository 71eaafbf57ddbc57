#include "ui/pages/FramePensDeduct.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "check/CheckClasses.h"
#include "platform/Text1251.h"
#include "ui/dialogs/ChildEduSum.h"
#include "ui/framework/FieldText.h"
#include "ui/dialogs/InputSoursePens.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceWidgets.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

constexpr char kContractsCaption[] =
    "Договоры добровольного страх. жизни, пенс. страх., негос. пенс. обеспеч. и доп. страх. взносы на накопит. пенсию";

QString ContractLine(const mTPens& contract) {
  return contract.ContractKind == 4 ? QStringLiteral("Дополнительные страховые взносы на накопительную пенсию")
                                    : FromModel(contract.OrgName);
}

}  // namespace

TfrFramePensDeduct::TfrFramePensDeduct(QWidget* owner, TPageHost& host)
    : TThinkingFrame(owner, host, PageId::FramePensDeduct) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  cbGranted = new QCheckBox(QStringLiteral("Предоставить социальные налоговые вычеты"), this);
  cbGranted->setObjectName(QStringLiteral("cbGranted"));
  layout->addWidget(cbGranted, 0, Qt::AlignLeft);

  auto* top = new QHBoxLayout;
  auto* amounts = new QVBoxLayout;
  gbSpent = new QGroupBox(QStringLiteral("  Суммы, затраченные на"), this);
  gbSpent->setObjectName(QStringLiteral("gbSpent"));
  auto* spent = new QGridLayout(gbSpent);
  const auto amount = [](QWidget* parent, const char* name) {
    TMaskedEdit* edit = MakeEdit(parent, name, EditType::edtCurrency, 12, 2);
    edit->setFixedWidth(150);
    return edit;
  };
  edCharity = amount(gbSpent, "edCharity");
  edOwnEducation = amount(gbSpent, "edOwnEducation");
  edMedical = amount(gbSpent, "edMedical");
  edExpensiveMedical = amount(gbSpent, "edExpensiveMedical");
  edVoluntaryInsurance = amount(gbSpent, "edVoluntaryInsurance");
  edExtraPensionContrib = amount(gbSpent, "edExtraPensionContrib");
  const std::pair<const char*, TMaskedEdit*> rows[] = {{"благотворительность", edCharity},
                                                       {"свое обучение", edOwnEducation},
                                                       {"лечение", edMedical},
                                                       {"дорогостоящее лечение", edExpensiveMedical},
                                                       {"добровольное страхование", edVoluntaryInsurance},
                                                       {"дополнительные страховые\nпенсионные взносы", edExtraPensionContrib}};
  int row = 0;
  for (const auto& [caption, edit] : rows) {
    QLabel* label = MakeLabel(gbSpent, QString::fromUtf8(caption), edit);
    spent->addWidget(label, row, 0);
    spent->addWidget(edit, row, 1);
    if (edit == edExtraPensionContrib) {
      // Only a file brings this amount; the page keeps it as it came.
      label->hide();
      edit->hide();
    }
    ++row;
  }
  spent->setColumnStretch(2, 1);
  amounts->addWidget(gbSpent);

  gbAgent = new QGroupBox(QStringLiteral("  Социальные вычеты, предоставленные налоговым агентом"), this);
  gbAgent->setObjectName(QStringLiteral("gbAgent"));
  auto* agent = new QHBoxLayout(gbAgent);
  edAgentSocialDeduct = amount(gbAgent, "edAgentSocialDeduct");
  agent->addWidget(MakeLabel(gbAgent, QStringLiteral("(коды 320, 321, 324, 325, 326)"), edAgentSocialDeduct));
  agent->addWidget(edAgentSocialDeduct);
  agent->addStretch();
  amounts->addWidget(gbAgent);
  amounts->addStretch();
  top->addLayout(amounts, 1);

  gbChildEducation = new QGroupBox(QStringLiteral("Суммы, уплаченные за обучение детей"), this);
  gbChildEducation->setObjectName(QStringLiteral("gbChildEducation"));
  auto* children = new QHBoxLayout(gbChildEducation);
  lvSumList = MakeRowList(gbChildEducation, "lvSumList", {QStringLiteral("Суммы")},
                          QStringLiteral("Список сумм, уплаченных за всех детей"));
  lvSumList->setMinimumWidth(160);
  children->addWidget(lvSumList, 1);
  auto* sumButtons = new QVBoxLayout;
  btAddSum = MakeListToolButton(gbChildEducation, "btAddSum", QStringLiteral("Добавить"),
                                QStringLiteral("Добавить очередную сумму, уплаченную за обучение детей"));
  btDeleteSum = MakeListToolButton(gbChildEducation, "btDeleteSum", QStringLiteral("Удалить"),
                                   QStringLiteral("Удалить сумму, уплаченную за обучение детей"));
  btEditSum = MakeListToolButton(gbChildEducation, "btEditSum", QStringLiteral("Изменить"),
                                 QStringLiteral("Редактировать сумму, уплаченную за обучение детей"));
  for (QToolButton* b : {btAddSum, btDeleteSum, btEditSum}) sumButtons->addWidget(b);
  sumButtons->addStretch();
  children->addLayout(sumButtons);
  top->addWidget(gbChildEducation, 1);
  layout->addLayout(top);

  // The buttons under the list, so that its long caption is read in full.
  auto* contracts = new QVBoxLayout;
  lvPensInfo = MakeRowList(this, "lvPensInfo", {QString::fromUtf8(kContractsCaption)}, QString::fromUtf8(kContractsCaption));
  contracts->addWidget(lvPensInfo, 1);
  auto* pensButtons = new QHBoxLayout;
  pensButtons->addStretch();
  btAddPens = MakeListToolButton(this, "btAddPens", QStringLiteral("Добавить"), QStringLiteral("Добавить договор"));
  btDeletePens = MakeListToolButton(this, "btDeletePens", QStringLiteral("Удалить"), QStringLiteral("Удалить договор"));
  btEditPens =
      MakeListToolButton(this, "btEditPens", QStringLiteral("Изменить"), QStringLiteral("Редактировать договор"));
  for (QToolButton* b : {btAddPens, btDeletePens, btEditPens}) pensButtons->addWidget(b);
  contracts->addLayout(pensButtons);
  layout->addLayout(contracts, 1);

  // Fill from the model.
  const mTSocialDeduct& s = Declaration().SocialDeduct;
  cbGranted->setChecked(s.Granted != 0);
  if (s.Granted != 0) {
    edCharity->setText(AmountText(s.Charity));
    edOwnEducation->setText(AmountText(s.OwnEducation));
    edMedical->setText(AmountText(s.Medical));
    edExpensiveMedical->setText(AmountText(s.ExpensiveMedical));
    edVoluntaryInsurance->setText(AmountText(s.VoluntaryInsurance));
    edExtraPensionContrib->setText(AmountText(s.ExtraPensionContrib));
    edAgentSocialDeduct->setText(AmountText(s.AgentSocialDeduct));
    for (std::size_t i = 0; i < s.ChildEducationCount(); ++i) {
      lvSumList->addTopLevelItem(new QTreeWidgetItem({AmountTextKeepZero(s.GetChildEducation(i))}));
    }
    SelectListRow(lvSumList, 0);
    for (std::size_t i = 0; i < s.PensionCount(); ++i) {
      lvPensInfo->addTopLevelItem(new QTreeWidgetItem(1));
      SetPensRow(static_cast<int>(i), s.GetPension(i));
    }
  }
  UpdateEnabling();

  connect(cbGranted, &QCheckBox::clicked, this, &TfrFramePensDeduct::GrantedClicked);
  connect(btAddSum, &QToolButton::clicked, this, &TfrFramePensDeduct::AddSum);
  connect(btDeleteSum, &QToolButton::clicked, this, &TfrFramePensDeduct::DeleteSum);
  connect(btEditSum, &QToolButton::clicked, this, &TfrFramePensDeduct::EditSum);
  connect(lvSumList, &QTreeWidget::itemActivated, this, &TfrFramePensDeduct::EditSum);
  connect(btAddPens, &QToolButton::clicked, this, &TfrFramePensDeduct::AddPens);
  connect(btDeletePens, &QToolButton::clicked, this, &TfrFramePensDeduct::DeletePens);
  connect(btEditPens, &QToolButton::clicked, this, &TfrFramePensDeduct::EditPens);
  connect(lvPensInfo, &QTreeWidget::itemActivated, this, &TfrFramePensDeduct::EditPens);
}

// ---------------------------------------------------------------------------------------------
// The granted box

void TfrFramePensDeduct::GrantedClicked() {
  NotifyChanged();
  if (!cbGranted->isChecked()) {
    for (TMaskedEdit* e : {edCharity, edOwnEducation, edMedical, edExpensiveMedical, edVoluntaryInsurance,
                           edExtraPensionContrib, edAgentSocialDeduct}) {
      e->clear();
    }
    mTSocialDeduct& s = Declaration().SocialDeduct;
    while (s.ChildEducationCount() > 0) s.DeleteChildEducation(s.ChildEducationCount() - 1);
    while (s.PensionCount() > 0) s.DeletePension(s.PensionCount() - 1);
    lvSumList->clear();
    lvPensInfo->clear();
  }
  UpdateEnabling();
}

void TfrFramePensDeduct::UpdateEnabling() {
  const bool on = cbGranted->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(gbSpent), static_cast<QWidget*>(gbAgent),
                     static_cast<QWidget*>(gbChildEducation), static_cast<QWidget*>(lvPensInfo),
                     static_cast<QWidget*>(btAddPens), static_cast<QWidget*>(btDeletePens),
                     static_cast<QWidget*>(btEditPens)}) {
    w->setEnabled(on);
  }
}

// ---------------------------------------------------------------------------------------------
// The children's education

void TfrFramePensDeduct::AddSum() {
  TfmChildEduSum dialog(this);
  if (dialog.exec() != QDialog::Accepted) return;
  const Currency amount = dialog.Amount();
  if (amount.IsZero()) return;
  NotifyChanged();
  const std::size_t index = Declaration().SocialDeduct.AddChildEducation(amount);
  lvSumList->addTopLevelItem(new QTreeWidgetItem({AmountTextKeepZero(amount)}));
  SelectListRow(lvSumList, static_cast<int>(index));
}

void TfrFramePensDeduct::EditSum() {
  const int row = SelectedListRow(lvSumList);
  if (row < 0) return;
  mTSocialDeduct& s = Declaration().SocialDeduct;
  TfmChildEduSum dialog(this);
  dialog.SetAmount(s.GetChildEducation(static_cast<std::size_t>(row)));
  if (dialog.exec() != QDialog::Accepted) return;
  const Currency amount = dialog.Amount();
  if (amount.IsZero()) return;
  s.SetChildEducation(static_cast<std::size_t>(row), amount);
  lvSumList->topLevelItem(row)->setText(0, AmountTextKeepZero(amount));
  NotifyChanged();
}

void TfrFramePensDeduct::DeleteSum() {
  const int row = SelectedListRow(lvSumList);
  if (row < 0) return;
  NotifyChanged();
  Declaration().SocialDeduct.DeleteChildEducation(static_cast<std::size_t>(row));
  delete lvSumList->takeTopLevelItem(row);
  lvSumList->setCurrentItem(nullptr);
  SelectListRow(lvSumList, row == 0 ? 0 : row - 1);
}

// ---------------------------------------------------------------------------------------------
// The contracts

void TfrFramePensDeduct::SetPensRow(int row, const mTPens& contract) {
  QTreeWidgetItem* item = lvPensInfo->topLevelItem(row);
  item->setText(0, ContractLine(contract));
  item->setToolTip(0, item->text(0));
}

void TfrFramePensDeduct::AddPens() {
  TfmInputSoursePens dialog(this, Host().Presenter());
  if (dialog.exec() != QDialog::Accepted) return;
  const mTPens contract = dialog.Contract();
  if (Trim(contract.OrgName).empty() && contract.ContractKind != 4) return;
  NotifyChanged();
  mTSocialDeduct& s = Declaration().SocialDeduct;
  const std::size_t index = s.AddPension();
  s.GetPension(index) = contract;
  lvPensInfo->addTopLevelItem(new QTreeWidgetItem(1));
  SetPensRow(static_cast<int>(index), contract);
  SelectListRow(lvPensInfo, static_cast<int>(index));
}

void TfrFramePensDeduct::EditPens() {
  const int row = SelectedListRow(lvPensInfo);
  if (row < 0) return;
  mTPens& stored = Declaration().SocialDeduct.GetPension(static_cast<std::size_t>(row));
  TfmInputSoursePens dialog(this, Host().Presenter());
  dialog.SetContract(stored);
  if (dialog.exec() != QDialog::Accepted) return;
  const mTPens contract = dialog.Contract();
  if (Trim(contract.OrgName).empty() && contract.ContractKind != 4) return;
  stored = contract;
  SetPensRow(row, contract);
  NotifyChanged();
}

void TfrFramePensDeduct::DeletePens() {
  const int row = SelectedListRow(lvPensInfo);
  if (row < 0) return;
  NotifyChanged();
  Declaration().SocialDeduct.DeletePension(static_cast<std::size_t>(row));
  delete lvPensInfo->takeTopLevelItem(row);
  lvPensInfo->setCurrentItem(nullptr);
  SelectListRow(lvPensInfo, row == 0 ? 0 : row - 1);
}

// ---------------------------------------------------------------------------------------------

void TfrFramePensDeduct::StoreData() {
  mTSocialDeduct& s = Declaration().SocialDeduct;
  s.Granted = cbGranted->isChecked() ? 1 : 0;
  s.Charity = AmountOrZero(edCharity->text());
  s.OwnEducation = AmountOrZero(edOwnEducation->text());
  s.Medical = AmountOrZero(edMedical->text());
  s.ExpensiveMedical = AmountOrZero(edExpensiveMedical->text());
  s.VoluntaryInsurance = AmountOrZero(edVoluntaryInsurance->text());
  s.ExtraPensionContrib = AmountOrZero(edExtraPensionContrib->text());
  s.AgentSocialDeduct = AmountOrZero(edAgentSocialDeduct->text());
}

std::uint16_t TfrFramePensDeduct::CheckData() {
  return static_cast<std::uint16_t>(CheckSocialPage(Declaration(), Host().Presenter()));
}

void TfrFramePensDeduct::ShowError(std::uint16_t code) {
  switch (code) {
    case 1:
      edCharity->setFocus();
      break;
    case 3:
      lvSumList->setFocus();
      break;
    case 4:
      edAgentSocialDeduct->setFocus();
      break;
    default:
      break;
  }
}

}  // namespace talver
