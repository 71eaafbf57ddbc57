#include "ui/dialogs/IncomeInvestTov.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"

namespace talver {
namespace {

// The kinds of operations, in the order of sheet И; position + 1 is the kind.
const char* const kOperationKinds[] = {
    "Операции с обращающимися ЦБ (п.1 Листа И)",
    "Операции с не обращающимися ЦБ (п.2 Листа И)",
    "Операции с ФИСС (п.3 Листа И)",
    "Операции с долями участия в уставном капитале (п.4 Листа И)",
    "Прочие операции (п.5 Листа И)",
    "Доход при выходе из инвест.тов. или выделе доли (п.6 Листа И)",
};
constexpr int kLeavingKind = 6;

}  // namespace

TfmIncomeInvestTov::TfmIncomeInvestTov(QWidget* owner, IUiPresenter& presenter)
    : QDialog(owner), presenter_(presenter) {
  setObjectName(QStringLiteral("TfmIncomeInvestTov"));
  setWindowTitle(QStringLiteral("Участие в инвестиционных товариществах"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  cbOperationKind = new QComboBox(this);
  cbOperationKind->setObjectName(QStringLiteral("cbOperationKind"));
  for (const char* kind : kOperationKinds) cbOperationKind->addItem(QString::fromUtf8(kind));
  cbOperationKind->setCurrentIndex(-1);
  cbOperationKind->setMinimumContentsLength(52);
  edIncome = MakeEdit(this, "edIncome", EditType::edtCurrency, 12, 2);
  edExpenseShare = MakeEdit(this, "edExpenseShare", EditType::edtCurrency, 12, 2);
  edManagerExpenses = MakeEdit(this, "edManagerExpenses", EditType::edtCurrency, 12, 2);
  edPriorLosses = MakeEdit(this, "edPriorLosses", EditType::edtCurrency, 12, 2);
  for (TMaskedEdit* e : {edIncome, edExpenseShare, edManagerExpenses, edPriorLosses}) e->setFixedWidth(150);
  lbExpenseShare = MakeLabel(this, QStringLiteral("Доля расходов"), edExpenseShare);
  lbExpenseShare->setObjectName(QStringLiteral("lbExpenseShare"));
  lbManagerExpenses = MakeLabel(this, QStringLiteral("Расходы на управляющих товарищей"), edManagerExpenses);
  lbManagerExpenses->setObjectName(QStringLiteral("lbManagerExpenses"));
  lbPriorLosses = MakeLabel(this, QStringLiteral("Убыток прошлых лет"), edPriorLosses);
  lbPriorLosses->setObjectName(QStringLiteral("lbPriorLosses"));

  auto* grid = new QGridLayout;
  grid->addWidget(MakeLabel(this, QStringLiteral("Вид операций"), cbOperationKind), 0, 0);
  grid->addWidget(cbOperationKind, 0, 1);
  grid->addWidget(MakeLabel(this, QStringLiteral("Сумма доходов"), edIncome), 1, 0);
  grid->addWidget(edIncome, 1, 1, Qt::AlignLeft);
  grid->addWidget(lbExpenseShare, 2, 0);
  grid->addWidget(edExpenseShare, 2, 1, Qt::AlignLeft);
  grid->addWidget(lbManagerExpenses, 3, 0);
  grid->addWidget(edManagerExpenses, 3, 1, Qt::AlignLeft);
  grid->addWidget(lbPriorLosses, 4, 0);
  grid->addWidget(edPriorLosses, 4, 1, Qt::AlignLeft);
  // The dialog keeps its size when the last two rows are hidden.
  for (int row = 1; row <= 4; ++row) grid->setRowMinimumHeight(row, edIncome->sizeHint().height());

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmIncomeInvestTov::Confirm);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());

  setTabOrder(cbOperationKind, edIncome);
  setTabOrder(edIncome, edExpenseShare);
  setTabOrder(edExpenseShare, edManagerExpenses);
  setTabOrder(edManagerExpenses, edPriorLosses);
  setTabOrder(edPriorLosses, btYes);
  setTabOrder(btYes, btNo);
  connect(cbOperationKind, &QComboBox::currentIndexChanged, this, &TfmIncomeInvestTov::KindChanged);
  cbOperationKind->setFocus();
}

void TfmIncomeInvestTov::KindChanged(int index) {
  const bool leaving = index + 1 == kLeavingKind;
  lbExpenseShare->setText(leaving ? QStringLiteral("Сумма вкладов") : QStringLiteral("Доля расходов"));
  for (QWidget* w : {static_cast<QWidget*>(lbManagerExpenses), static_cast<QWidget*>(edManagerExpenses),
                     static_cast<QWidget*>(lbPriorLosses), static_cast<QWidget*>(edPriorLosses)}) {
    w->setVisible(!leaving);
  }
  if (leaving) {
    edManagerExpenses->setText(QStringLiteral("0"));
    edPriorLosses->setText(QStringLiteral("0"));
  }
}

void TfmIncomeInvestTov::SetEntry(const mTInvestTovIncome& entry) {
  const bool known = entry.OperationKind >= 1 && entry.OperationKind <= static_cast<int>(std::size(kOperationKinds));
  cbOperationKind->setCurrentIndex(known ? entry.OperationKind - 1 : -1);
  edIncome->setText(AmountText(entry.Income));
  edExpenseShare->setText(AmountText(entry.ExpenseShare));
  if (entry.OperationKind != kLeavingKind) {
    edManagerExpenses->setText(AmountText(entry.ManagerExpenses));
    edPriorLosses->setText(AmountText(entry.PriorLosses));
  }
}

mTInvestTovIncome TfmIncomeInvestTov::Entry() const {
  mTInvestTovIncome entry;
  entry.OperationKind = cbOperationKind->currentIndex() + 1;
  entry.Income = AmountOrZero(edIncome->text());
  entry.ExpenseShare = AmountOrZero(edExpenseShare->text());
  if (entry.OperationKind != kLeavingKind) {
    entry.ManagerExpenses = AmountOrZero(edManagerExpenses->text());
    entry.PriorLosses = AmountOrZero(edPriorLosses->text());
  }
  return entry;
}

void TfmIncomeInvestTov::Confirm() {
  if (cbOperationKind->currentIndex() < 0) {
    presenter_.ShowEntryError("Проверка данных участия в инвест. тов.", "Не выбран вид операций", false);
    cbOperationKind->setFocus();
    return;
  }
  accept();
}

}  // namespace talver
