#include "ui/pages/FrameBusinessNew.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "check/CheckClasses.h"
#include "platform/Math2.h"
#include "platform/NumberText.h"
#include "platform/Text1251.h"
#include "ui/framework/FieldText.h"
#include "ui/dialogs/InputBusinessIncome.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/framework/SourceWidgets.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

constexpr int kFirstFarmYear = 1997;
constexpr int kLastFarmYear = 2016;
constexpr int kFarmYearWhenEmpty = 2000;
// The captions of an activity's amounts, documented or not, stand in one column.
constexpr int kCaptionColumn = 150;

// Only these kinds may do without documents, claiming the norm instead.
bool MayClaimNorm(const std::string& kind) { return kind == "1" || kind == "5"; }

// The line of an activity in the list.
QString LineText(const std::string& kind, const std::string& okved) {
  if (kind == "2") return QStringLiteral("Нотариальная деятельность");
  if (kind == "3") return QStringLiteral("Адвокатская деятельность");
  if (kind == "4") return QStringLiteral("Деятельность арбитражного управляющего");
  if (kind == "5") return QStringLiteral("Деятельность главы КФХ");
  if (kind == "6") return QStringLiteral("Иная деятельность");
  return FromModel(okved);
}

// The line of an activity just added, until the page is built again or the activity edited.
QString AddedLineText(const std::string& kind, const std::string& okved) {
  if (kind == "4") return QStringLiteral("Арбитражного управляющего");
  if (kind == "5") return QStringLiteral("Главы КФХ");
  return LineText(kind, okved);
}

// 20 % of the income, to the kopeck with halves up; "0" for an empty income.
QString NormText(const QString& income) {
  return AmountTextKeepZero(MulDivRoundTo2(AmountOrZero(income), 20, 100));
}

TMaskedEdit* AmountEdit(QWidget* parent, const char* name) {
  TMaskedEdit* edit = MakeEdit(parent, name, EditType::edtCurrency, 12, 2);
  edit->setFixedWidth(140);
  return edit;
}

TMaskedEdit* WholeEdit(QWidget* parent, const char* name) {
  TMaskedEdit* edit = MakeEdit(parent, name, EditType::edtDigital, 12);
  edit->setFixedWidth(140);
  return edit;
}

QToolButton* ArrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  return button;
}

}  // namespace

TfrBusinessNew::TfrBusinessNew(QWidget* owner, TPageHost& host) : TThinkingFrame(owner, host, PageId::BusinessNew) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakePageCaption(this, QStringLiteral("Доходы от предпринимательской деятельности")));

  // The activities.
  auto* top = new QHBoxLayout;
  lvSourseIncomeInfo = MakeRowList(this, "lvSourseIncomeInfo", {QStringLiteral("Виды деятельности")},
                                   QStringLiteral("Список видов деятельности"));
  lvSourseIncomeInfo->setFixedWidth(360);
  lvSourseIncomeInfo->setFixedHeight(150);
  top->addWidget(lvSourseIncomeInfo, 0, Qt::AlignTop);
  auto* buttons = new QVBoxLayout;
  btAddBusiness =
      MakeListToolButton(this, "btAddBusiness", QStringLiteral("Добавить"), QStringLiteral("Добавить источник выплат"));
  btDeleteBusiness =
      MakeListToolButton(this, "btDeleteBusiness", QStringLiteral("Удалить"), QStringLiteral("Удалить источник выплат"));
  btEditBusiness = MakeListToolButton(this, "btEditBusiness", QStringLiteral("Изменить"),
                                  QStringLiteral("Редактировать источник выплат"));
  for (QToolButton* b : {btAddBusiness, btDeleteBusiness, btEditBusiness}) buttons->addWidget(b);
  top->addLayout(buttons);
  top->setAlignment(buttons, Qt::AlignTop);

  // The peasant farm, beside the list.
  gbFarm = new QGroupBox(this);
  gbFarm->setObjectName(QStringLiteral("gbFarm"));
  auto* farm = new QGridLayout(gbFarm);
  cbPeasantFarm = new QCheckBox(QStringLiteral("Крестьянское (фермерское) хозяйство"), gbFarm);
  cbPeasantFarm->setObjectName(QStringLiteral("cbPeasantFarm"));
  edFarmYear = MakeEdit(gbFarm, "edFarmYear", EditType::edtDigital, 4);
  edFarmYear->setFixedWidth(56);
  udFarmYearUp = ArrowButton(gbFarm, "udFarmYearUp", Qt::UpArrow);
  udFarmYearDown = ArrowButton(gbFarm, "udFarmYearDown", Qt::DownArrow);
  lbFarmYear = MakeLabel(gbFarm, QStringLiteral("Год образования"), edFarmYear);
  lbFarmYear->setObjectName(QStringLiteral("lbFarmYear"));
  edFarmExemptIncome = AmountEdit(gbFarm, "edFarmExemptIncome");
  lbFarmExemptIncome = MakeLabel(gbFarm, QStringLiteral("Необлагаемый доход"), edFarmExemptIncome);
  lbFarmExemptIncome->setObjectName(QStringLiteral("lbFarmExemptIncome"));
  farm->addWidget(cbPeasantFarm, 0, 0, 1, 2, Qt::AlignLeft);
  farm->addWidget(lbFarmYear, 1, 0);
  auto* year = new QHBoxLayout;
  year->setSpacing(0);
  year->addWidget(edFarmYear);
  year->addWidget(udFarmYearUp);
  year->addWidget(udFarmYearDown);
  year->addStretch();
  farm->addLayout(year, 1, 1);
  farm->addWidget(lbFarmExemptIncome, 2, 0);
  farm->addWidget(edFarmExemptIncome, 2, 1);
  gbFarm->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  top->addWidget(gbFarm, 1, Qt::AlignTop);
  layout->addLayout(top);

  // The activity selected.
  gbActivity = new QGroupBox(QStringLiteral("Доходы и расходы по виду деятельности"), this);
  gbActivity->setObjectName(QStringLiteral("gbActivity"));
  auto* activity = new QGridLayout(gbActivity);
  edIncome = AmountEdit(gbActivity, "edIncome");
  cbExpensesConfirmed = new QCheckBox(QStringLiteral("Имеются документально подтв. расходы"), gbActivity);
  cbExpensesConfirmed->setObjectName(QStringLiteral("cbExpensesConfirmed"));
  pnExpenseNorm = MakePanel(gbActivity, "pnExpenseNorm");
  pnExpenseNorm->setFixedWidth(140);
  lbExpenseNorm = MakeLabel(gbActivity, QStringLiteral("Итого расходов"), pnExpenseNorm);
  lbExpenseNorm->setObjectName(QStringLiteral("lbExpenseNorm"));
  activity->addWidget(MakeLabel(gbActivity, QStringLiteral("Сумма дохода"), edIncome), 0, 0);
  activity->addWidget(edIncome, 0, 1);
  activity->addWidget(cbExpensesConfirmed, 0, 2, 1, 2, Qt::AlignLeft);
  activity->addWidget(lbExpenseNorm, 1, 0);
  activity->addWidget(pnExpenseNorm, 1, 1);

  pnExpenses = new QWidget(gbActivity);
  pnExpenses->setObjectName(QStringLiteral("pnExpenses"));
  auto* expenses = new QGridLayout(pnExpenses);
  expenses->setContentsMargins(0, 0, 0, 0);
  edExpenseTotal = AmountEdit(pnExpenses, "edExpenseTotal");
  edMaterialExpenses = AmountEdit(pnExpenses, "edMaterialExpenses");
  edDepreciation = AmountEdit(pnExpenses, "edDepreciation");
  edLabourCosts = AmountEdit(pnExpenses, "edLabourCosts");
  edLabourContractCosts = AmountEdit(pnExpenses, "edLabourContractCosts");
  edOtherExpenses = AmountEdit(pnExpenses, "edOtherExpenses");
  expenses->addWidget(MakeLabel(pnExpenses, QStringLiteral("Итого расходов "), edExpenseTotal), 0, 0);
  expenses->addWidget(edExpenseTotal, 0, 1);
  expenses->addWidget(MakeLabel(pnExpenses, QStringLiteral("Мат. расходы"), edMaterialExpenses), 1, 0);
  expenses->addWidget(edMaterialExpenses, 1, 1);
  expenses->addWidget(MakeLabel(pnExpenses, QStringLiteral("Амортизац. начисл."), edDepreciation), 2, 0);
  expenses->addWidget(edDepreciation, 2, 1);
  expenses->addWidget(MakeLabel(pnExpenses, QStringLiteral("Оплата труда"), edLabourCosts), 3, 0);
  expenses->addWidget(edLabourCosts, 3, 1);
  expenses->addWidget(MakeLabel(pnExpenses, QStringLiteral("Прочие расходы"), edOtherExpenses), 4, 0);
  expenses->addWidget(edOtherExpenses, 4, 1);
  auto* inNumber = new QLabel(QStringLiteral("в том числе"), pnExpenses);
  inNumber->setObjectName(QStringLiteral("lbLabourHeading"));
  expenses->addWidget(inNumber, 2, 3, Qt::AlignBottom);
  expenses->addWidget(MakeLabel(pnExpenses, QStringLiteral("в т.ч. по тр. договорам"), edLabourContractCosts), 3, 3);
  expenses->addWidget(edLabourContractCosts, 3, 4);
  expenses->setColumnMinimumWidth(0, kCaptionColumn);
  expenses->setColumnMinimumWidth(2, 24);
  expenses->setColumnStretch(5, 1);
  activity->addWidget(pnExpenses, 1, 0, 1, 4);
  activity->setColumnMinimumWidth(0, kCaptionColumn);
  activity->setColumnStretch(3, 1);
  layout->addWidget(gbActivity);

  // The return's business amounts.
  auto* amounts = new QHBoxLayout;
  gbAdvances = new QGroupBox(QStringLiteral("Авансовые платежи"), this);
  gbAdvances->setObjectName(QStringLiteral("gbAdvances"));
  auto* advances = new QGridLayout(gbAdvances);
  edAdvancePaymentsPaid = WholeEdit(gbAdvances, "edAdvancePaymentsPaid");
  edAdvancePaymentsAccrued = WholeEdit(gbAdvances, "edAdvancePaymentsAccrued");
  advances->addWidget(MakeLabel(gbAdvances, QStringLiteral("Фактические платежи"), edAdvancePaymentsPaid), 0, 0);
  advances->addWidget(edAdvancePaymentsPaid, 0, 1);
  advances->addWidget(MakeLabel(gbAdvances, QStringLiteral("Начисленные платежи"), edAdvancePaymentsAccrued), 1, 0);
  advances->addWidget(edAdvancePaymentsAccrued, 1, 1);
  amounts->addWidget(gbAdvances);
  gbAdjusted = new QGroupBox(QStringLiteral("Корректировка"), this);
  gbAdjusted->setObjectName(QStringLiteral("gbAdjusted"));
  auto* adjusted = new QGridLayout(gbAdjusted);
  edAdjustedIncome = AmountEdit(gbAdjusted, "edAdjustedIncome");
  edAdjustedExpense = WholeEdit(gbAdjusted, "edAdjustedExpense");
  adjusted->addWidget(MakeLabel(gbAdjusted, QStringLiteral("Скорректированная база"), edAdjustedIncome), 0, 0);
  adjusted->addWidget(edAdjustedIncome, 0, 1);
  adjusted->addWidget(MakeLabel(gbAdjusted, QStringLiteral("Скорректированный налог"), edAdjustedExpense), 1, 0);
  adjusted->addWidget(edAdjustedExpense, 1, 1);
  amounts->addWidget(gbAdjusted);
  amounts->addStretch();
  layout->addLayout(amounts);
  auto* fixed = new QHBoxLayout;
  gbPatent = new QGroupBox(QStringLiteral("Патент и торговый сбор"), this);
  gbPatent->setObjectName(QStringLiteral("gbPatent"));
  auto* patent = new QGridLayout(gbPatent);
  edPatentPayments = WholeEdit(gbPatent, "edPatentPayments");
  edTradeFee = WholeEdit(gbPatent, "edTradeFee");
  patent->addWidget(MakeLabel(gbPatent, QStringLiteral("Платежи по патенту"), edPatentPayments), 0, 0);
  patent->addWidget(edPatentPayments, 0, 1);
  patent->addWidget(MakeLabel(gbPatent, QStringLiteral("Торговый сбор"), edTradeFee), 0, 2);
  patent->addWidget(edTradeFee, 0, 3);
  patent->setColumnMinimumWidth(2, 120);
  fixed->addWidget(gbPatent);
  fixed->addStretch();
  layout->addLayout(fixed);
  layout->addStretch();

  setTabOrder(lvSourseIncomeInfo, btAddBusiness);
  setTabOrder(btAddBusiness, btDeleteBusiness);
  setTabOrder(btDeleteBusiness, btEditBusiness);
  setTabOrder(btEditBusiness, cbPeasantFarm);
  setTabOrder(cbPeasantFarm, edFarmYear);
  setTabOrder(edFarmYear, edFarmExemptIncome);
  setTabOrder(edFarmExemptIncome, edIncome);
  setTabOrder(edIncome, cbExpensesConfirmed);
  setTabOrder(cbExpensesConfirmed, edExpenseTotal);
  setTabOrder(edExpenseTotal, edMaterialExpenses);
  setTabOrder(edMaterialExpenses, edDepreciation);
  setTabOrder(edDepreciation, edLabourCosts);
  setTabOrder(edLabourCosts, edLabourContractCosts);
  setTabOrder(edLabourContractCosts, edOtherExpenses);
  setTabOrder(edOtherExpenses, edAdvancePaymentsPaid);
  setTabOrder(edAdvancePaymentsPaid, edAdvancePaymentsAccrued);
  setTabOrder(edAdvancePaymentsAccrued, edAdjustedIncome);
  setTabOrder(edAdjustedIncome, edAdjustedExpense);
  setTabOrder(edAdjustedExpense, edPatentPayments);
  setTabOrder(edPatentPayments, edTradeFee);

  connect(lvSourseIncomeInfo, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    SelectActivity(item != nullptr ? lvSourseIncomeInfo->indexOfTopLevelItem(item) : -1);
  });
  connect(lvSourseIncomeInfo, &QTreeWidget::itemActivated, this, [this] { EditActivity(); });
  connect(btAddBusiness, &QToolButton::clicked, this, &TfrBusinessNew::AddActivity);
  connect(btDeleteBusiness, &QToolButton::clicked, this, &TfrBusinessNew::DeleteActivity);
  connect(btEditBusiness, &QToolButton::clicked, this, &TfrBusinessNew::EditActivity);
  connect(edIncome, &TMaskedEdit::Change, this, &TfrBusinessNew::IncomeChanged);
  connect(cbExpensesConfirmed, &QCheckBox::clicked, this, &TfrBusinessNew::ExpensesClicked);
  connect(cbPeasantFarm, &QCheckBox::clicked, this, [this] {
    NotifyChanged();
    UpdateFarmEnabling();
  });
  connect(udFarmYearUp, &QToolButton::clicked, this, [this] { StepFarmYear(1); });
  connect(udFarmYearDown, &QToolButton::clicked, this, [this] { StepFarmYear(-1); });
  connect(edFarmYear, &QLineEdit::editingFinished, this, [this] {
    if (!edFarmYear->text().isEmpty()) StepFarmYear(0);
  });

  // Fill from the model.
  TListFillingGuard guard(Host());
  const mTDeclaration& d = Declaration();
  for (std::size_t i = 0; i < d.Businesses.Count(); ++i) {
    const mTBusinessNew& b = d.Businesses.Get(i);
    auto* item = new QTreeWidgetItem({LineText(b.ActivityKind, b.Okved)});
    item->setToolTip(0, item->text(0));
    lvSourseIncomeInfo->addTopLevelItem(item);
  }
  edAdvancePaymentsPaid->setText(WholeRoublesText(d.AdvancePaymentsPaid));
  edAdvancePaymentsAccrued->setText(WholeRoublesText(d.AdvancePaymentsAccrued));
  edAdjustedIncome->setText(AmountText(d.AdjustedIncome));
  edAdjustedExpense->setText(WholeRoublesText(d.AdjustedExpense));
  edPatentPayments->setText(WholeRoublesText(d.PatentPayments));
  edTradeFee->setText(WholeRoublesText(d.TradeFee));
  cbPeasantFarm->setChecked(d.IsPeasantFarm != 0);
  edFarmYear->setText(FromUtf8(IntToText(DecodeDate(d.FarmRegistrationDate).Year)));
  edFarmExemptIncome->setText(AmountText(d.FarmExemptIncome));
  pnExpenseNorm->setText(QStringLiteral("0"));
  UpdateExpenseView();
  UpdateEnabling();
}

mTBusinessNew* TfrBusinessNew::Selected() {
  if (!selected_ || *selected_ >= Declaration().Businesses.Count()) return nullptr;
  return &Declaration().Businesses.Get(*selected_);
}

// ---------------------------------------------------------------------------------------------
// Enabling

void TfrBusinessNew::UpdateEnabling() {
  const bool any = Declaration().Businesses.Count() > 0;
  for (QWidget* w : {static_cast<QWidget*>(gbActivity), static_cast<QWidget*>(gbAdvances),
                     static_cast<QWidget*>(gbAdjusted), static_cast<QWidget*>(gbPatent),
                     static_cast<QWidget*>(cbPeasantFarm), static_cast<QWidget*>(btDeleteBusiness),
                     static_cast<QWidget*>(btEditBusiness)}) {
    w->setEnabled(any);
  }
  if (!any) {
    // Storing the page then stores nothing of a business the return no longer has.
    cbPeasantFarm->setChecked(false);
    for (TMaskedEdit* e : {edAdvancePaymentsPaid, edAdvancePaymentsAccrued, edAdjustedIncome, edAdjustedExpense,
                           edPatentPayments, edTradeFee, edFarmExemptIncome}) {
      e->setText(QStringLiteral("0"));
    }
  }
  UpdateFarmEnabling();
}

void TfrBusinessNew::UpdateFarmEnabling() {
  const bool on = cbPeasantFarm->isEnabled() && cbPeasantFarm->isChecked();
  for (QWidget* w : {static_cast<QWidget*>(lbFarmYear), static_cast<QWidget*>(edFarmYear),
                     static_cast<QWidget*>(udFarmYearUp), static_cast<QWidget*>(udFarmYearDown),
                     static_cast<QWidget*>(lbFarmExemptIncome), static_cast<QWidget*>(edFarmExemptIncome)}) {
    w->setEnabled(on);
  }
}

void TfrBusinessNew::StepFarmYear(int delta) {
  // Like a spin field: an empty or unreadable year counts as the first year.
  int year = NumberOrZero(edFarmYear->text());
  if (year == 0) year = kFirstFarmYear;
  year = std::clamp(std::clamp(year, kFirstFarmYear, kLastFarmYear) + delta, kFirstFarmYear, kLastFarmYear);
  const QString text = FromUtf8(IntToText(year));
  if (text != edFarmYear->text()) edFarmYear->setText(text);
}

// ---------------------------------------------------------------------------------------------
// The activities

void TfrBusinessNew::FocusList() {
  if (Declaration().Businesses.Count() == 0) return;
  lvSourseIncomeInfo->setFocus();
  SelectListRow(lvSourseIncomeInfo, 0);
}

void TfrBusinessNew::SelectActivity(int row) {
  TListFillingGuard guard(Host());
  if (mTBusinessNew* previous = Selected()) StoreActivity(*previous);
  selected_.reset();
  if (row < 0 || static_cast<std::size_t>(row) >= Declaration().Businesses.Count()) {
    ShowActivity(mTBusinessNew{});
    return;
  }
  selected_ = static_cast<std::size_t>(row);
  ShowActivity(*Selected());
}

void TfrBusinessNew::ShowActivity(const mTBusinessNew& b) {
  const bool mayClaimNorm = MayClaimNorm(b.ActivityKind);
  cbExpensesConfirmed->setVisible(mayClaimNorm);
  cbExpensesConfirmed->setChecked(!mayClaimNorm || b.ExpensesConfirmed != 0);
  edIncome->setText(AmountText(b.Income));
  edExpenseTotal->setText(AmountText(b.ExpenseTotal));
  edMaterialExpenses->setText(AmountText(b.MaterialExpenses));
  edDepreciation->setText(AmountText(b.Depreciation));
  edLabourCosts->setText(AmountText(b.LabourCosts));
  edLabourContractCosts->setText(AmountText(b.LabourContractCosts));
  edOtherExpenses->setText(AmountText(b.OtherExpenses));
  pnExpenseNorm->setText(AmountTextKeepZero(b.ExpenseNorm));
  UpdateExpenseView();
}

void TfrBusinessNew::StoreActivity(mTBusinessNew& b) {
  b.Income = AmountOrZero(edIncome->text());
  // The branch not shown keeps its amounts.
  if (cbExpensesConfirmed->isChecked()) {
    b.ExpensesConfirmed = 1;
    b.ExpenseTotal = AmountOrZero(edExpenseTotal->text());
    b.MaterialExpenses = AmountOrZero(edMaterialExpenses->text());
    b.Depreciation = AmountOrZero(edDepreciation->text());
    b.LabourCosts = AmountOrZero(edLabourCosts->text());
    b.LabourContractCosts = AmountOrZero(edLabourContractCosts->text());
    b.OtherExpenses = AmountOrZero(edOtherExpenses->text());
  } else {
    b.ExpensesConfirmed = 0;
    b.ExpenseNorm = AmountOrZero(pnExpenseNorm->text());
  }
}

void TfrBusinessNew::UpdateExpenseView() {
  const bool documented = cbExpensesConfirmed->isChecked();
  pnExpenses->setVisible(documented);
  lbExpenseNorm->setVisible(!documented);
  pnExpenseNorm->setVisible(!documented);
}

void TfrBusinessNew::IncomeChanged() {
  if (!cbExpensesConfirmed->isChecked()) pnExpenseNorm->setText(NormText(edIncome->text()));
}

void TfrBusinessNew::ExpensesClicked() {
  NotifyChanged();
  UpdateExpenseView();
  IncomeChanged();
}

void TfrBusinessNew::AddActivity() {
  TfmInputBusinessIncome dialog(this, Host().Presenter(), Host().Okved());
  if (dialog.exec() != QDialog::Accepted) return;
  const std::string kind = dialog.Kind();
  const std::string code = dialog.Code();
  if (kind == "1" && Trim(code).empty()) return;
  NotifyChanged();
  mTDeclaration& d = Declaration();
  const bool first = d.Businesses.Count() == 0;
  mTBusinessNew activity;
  activity.ActivityKind = kind;
  activity.Okved = code;
  activity.ExpensesConfirmed = MayClaimNorm(kind) ? 0 : 1;
  const std::size_t index = d.Businesses.Add(std::move(activity));
  auto* item = new QTreeWidgetItem({AddedLineText(kind, code)});
  item->setToolTip(0, item->text(0));
  lvSourseIncomeInfo->addTopLevelItem(item);
  if (first) UpdateEnabling();
  SelectListRow(lvSourseIncomeInfo, static_cast<int>(index));
}

void TfrBusinessNew::EditActivity() {
  mTBusinessNew* activity = Selected();
  if (activity == nullptr) return;
  TfmInputBusinessIncome dialog(this, Host().Presenter(), Host().Okved());
  dialog.SetActivity(activity->ActivityKind, activity->Okved);
  if (dialog.exec() != QDialog::Accepted) return;
  const std::string kind = dialog.Kind();
  activity->ActivityKind = kind;
  activity->Okved = dialog.Code();
  const bool mayClaimNorm = MayClaimNorm(kind);
  activity->ExpensesConfirmed = mayClaimNorm ? 0 : 1;
  // An entrepreneur's box keeps its state for the next storing; the other kinds have no box
  // and always document their expenses.
  cbExpensesConfirmed->setVisible(mayClaimNorm);
  if (!mayClaimNorm) cbExpensesConfirmed->setChecked(true);
  UpdateExpenseView();
  QTreeWidgetItem* item = lvSourseIncomeInfo->topLevelItem(static_cast<int>(*selected_));
  item->setText(0, LineText(kind, activity->Okved));
  item->setToolTip(0, item->text(0));
  NotifyChanged();
}

void TfrBusinessNew::DeleteActivity() {
  if (Selected() == nullptr) return;
  NotifyChanged();
  const std::size_t index = *selected_;
  selected_.reset();
  Declaration().Businesses.Delete(index);
  {
    const QSignalBlocker blocker(lvSourseIncomeInfo);
    delete lvSourseIncomeInfo->takeTopLevelItem(static_cast<int>(index));
    lvSourseIncomeInfo->setCurrentItem(nullptr);
  }
  if (lvSourseIncomeInfo->topLevelItemCount() == 0) {
    UpdateEnabling();
    return;
  }
  SelectListRow(lvSourseIncomeInfo, index == 0 ? 0 : static_cast<int>(index) - 1);
}

// ---------------------------------------------------------------------------------------------

void TfrBusinessNew::StoreData() {
  if (mTBusinessNew* activity = Selected()) StoreActivity(*activity);
  mTDeclaration& d = Declaration();
  d.AdvancePaymentsPaid = AmountOrZero(edAdvancePaymentsPaid->text());
  d.AdvancePaymentsAccrued = AmountOrZero(edAdvancePaymentsAccrued->text());
  d.AdjustedIncome = AmountOrZero(edAdjustedIncome->text());
  d.AdjustedExpense = AmountOrZero(edAdjustedExpense->text());
  d.PatentPayments = AmountOrZero(edPatentPayments->text());
  d.TradeFee = AmountOrZero(edTradeFee->text());
  d.FarmExemptIncome = AmountOrZero(edFarmExemptIncome->text());
  d.IsPeasantFarm = cbPeasantFarm->isChecked() ? 1 : 0;
  // A year typed outside the field's range counts as its nearest end, like a spin field.
  const int year = NumberOrZero(edFarmYear->text());
  d.FarmRegistrationDate =
      EncodeDate(year == 0 ? kFarmYearWhenEmpty : std::clamp(year, kFirstFarmYear, kLastFarmYear), 1, 1);
}

std::uint16_t TfrBusinessNew::CheckData() {
  return static_cast<std::uint16_t>(CheckBusinessPage(Declaration(), Host().Presenter()));
}

void TfrBusinessNew::ShowError(std::uint16_t code) {
  if (lvSourseIncomeInfo->topLevelItemCount() == 0 || code == 0 || code > lvSourseIncomeInfo->topLevelItemCount()) {
    return;
  }
  lvSourseIncomeInfo->setFocus();
  SelectListRow(lvSourseIncomeInfo, code - 1);
}

}  // namespace talver
