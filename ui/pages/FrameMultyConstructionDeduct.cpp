#include "ui/pages/FrameMultyConstructionDeduct.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

#include "platform/Dates.h"
#include "platform/Math2.h"
#include "ui/framework/FieldText.h"
#include "ui/dialogs/InputConstruction.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

// The short names of the rows, by object kind.
constexpr const char* kShortNames[] = {
    "Жилой дом",
    "Квартира",
    "Комната",
    "Доля в доме, квартире, комнате",
    "Земельный участок под строительство",
    "Земельный участок с приобретенным домом",
    "Дом с земельным участком",
    "Доля в земле",
};

QString ShortName(std::int32_t kind) {
  if (kind < 1 || kind > static_cast<std::int32_t>(std::size(kShortNames))) return QStringLiteral("Объект не выбран");
  return QString::fromUtf8(kShortNames[kind - 1]);
}

// The row of an object accepted in the dialog shows the name as the dialog listed it.
QString DialogName(const TfmInputConstruction& dialog, const mTConstructionDeductObj& o) {
  const QString name = dialog.ObjectNameText();
  return name.isEmpty() ? ShortName(o.ObjectKind) : name;
}

int Year(TDate date) { return DecodeDate(date).Year; }

bool After2013(const mTConstructionDeductObj& o) {
  return Year(o.OwnershipRegDate) > 2013 && Year(o.TransferActDate) > 2013;
}
bool Of2016(const mTConstructionDeductObj& o) {
  return Year(o.OwnershipRegDate) > 2015 && Year(o.TransferActDate) > 2015;
}

// What the rules of the page ask about the objects as a whole.
struct TObjectsSurvey {
  bool AllAfter2013 = true;
  bool All2016 = true;
  bool AnyPensioner = false;
  // Exactly one object, acquired before 2014 and without credit interest.
  bool SingleEarlierWithoutInterest = false;
  Currency Interest;         // of all objects
  Currency EarlierInterest;  // of the objects not of 2016
};

TObjectsSurvey Survey(const mTConstructionDeduct& pd) {
  TObjectsSurvey s;
  pd.Objects.ForEach([&s](std::size_t, const mTConstructionDeductObj& o) {
    s.AllAfter2013 = s.AllAfter2013 && After2013(o);
    s.All2016 = s.All2016 && Of2016(o);
    s.AnyPensioner = s.AnyPensioner || o.Pensioner != 0;
    s.Interest += o.CreditInterest;
    if (!Of2016(o)) s.EarlierInterest += o.CreditInterest;
  });
  s.SingleEarlierWithoutInterest =
      pd.ObjectCount() == 1 && !After2013(pd.GetObject(0)) && pd.GetObject(0).CreditInterest.IsZero();
  return s;
}

QToolButton* MakeListButton(QWidget* parent, const char* name, const QString& text, const QString& hint) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setText(text);
  button->setToolTip(hint);
  button->setToolButtonStyle(Qt::ToolButtonTextOnly);
  button->setMinimumWidth(90);
  return button;
}

constexpr Currency kLimit = Currency::FromRoubles(2000000);
constexpr Currency kLimitBefore2008 = Currency::FromRoubles(1000000);

}  // namespace

TfrMultyConstructionDeduct::TfrMultyConstructionDeduct(QWidget* owner, TPageHost& host)
    : TThinkingFrame(owner, host, PageId::MultyConstructionDeduct) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);
  cbGranted = new QCheckBox(QStringLiteral("Предоставить имущественный налоговый вычет"), this);
  cbGranted->setObjectName(QStringLiteral("cbGranted"));
  QFont bold = cbGranted->font();
  bold.setBold(true);
  cbGranted->setFont(bold);
  layout->addWidget(cbGranted, 0, Qt::AlignLeft);

  // The objects.
  gbObjects = new QGroupBox(QStringLiteral(" Сведения об объектах"), this);
  gbObjects->setObjectName(QStringLiteral("gbObjects"));
  auto* objects = new QHBoxLayout(gbObjects);
  lvObjects = new QTreeWidget(gbObjects);
  lvObjects->setObjectName(QStringLiteral("lvObjects"));
  lvObjects->setHeaderLabels({QStringLiteral("Список объектов")});
  lvObjects->setRootIsDecorated(false);
  lvObjects->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvObjects->setSelectionMode(QAbstractItemView::SingleSelection);
  lvObjects->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvObjects->setUniformRowHeights(true);
  objects->addWidget(lvObjects, 1);
  auto* buttons = new QVBoxLayout;
  btAddObject = MakeListButton(gbObjects, "btAddObject", QStringLiteral("Добавить"), QStringLiteral("Добавить объект"));
  btDeleteObject =
      MakeListButton(gbObjects, "btDeleteObject", QStringLiteral("Удалить"), QStringLiteral("Удалить объект"));
  btEditObject =
      MakeListButton(gbObjects, "btEditObject", QStringLiteral("Изменить"), QStringLiteral("Редактировать объект"));
  for (QToolButton* b : {btAddObject, btDeleteObject, btEditObject}) buttons->addWidget(b);
  buttons->addStretch();
  objects->addLayout(buttons);
  layout->addWidget(gbObjects, 1);

  // The base the objects give, and the amounts of earlier years and of tax agents.
  gbCalculation = new QGroupBox(QStringLiteral(" Расчет имущественного вычета"), this);
  gbCalculation->setObjectName(QStringLiteral("gbCalculation"));
  auto* parts = new QHBoxLayout(gbCalculation);
  const QString agentHint = QStringLiteral("т.е. у работодателя");
  struct Part {
    const char* Title;
    const char* TotalCaption;
    const char* TotalName;
    const char* AgentCaption;
    const char* Names[3];
  };
  const Part partsTable[] = {
      {"Данные по покупке (строительству) объектов", "Общая стоимость всех объектов (с учетом ограничений вычета)",
       "pnTotalCost", "Вычет у налогового агента в отчетном году (код 311)",
       {"edCarriedPurchase", "edAgentPurchase", "edPriorPurchase"}},
      {"Данные процентов по кредитам", "Проценты по кредитам за все годы", "pnTotalInterest",
       "Вычет у налогового агента в отчетном году (код 312)",
       {"edCarriedInterest", "edAgentInterest", "edPriorInterest"}},
  };
  QLineEdit* totals[2] = {};
  TMaskedEdit* fields[2][3] = {};
  QLabel* captions[2][3] = {};
  for (int p = 0; p < 2; ++p) {
    const Part& part = partsTable[p];
    auto* box = new QGroupBox(QString::fromUtf8(part.Title), gbCalculation);
    auto* grid = new QGridLayout(box);
    totals[p] = MakePanel(box, part.TotalName);
    totals[p]->setAlignment(Qt::AlignRight);
    const QString texts[3] = {QStringLiteral("Сумма, перешедшая с предыдущего года"), QString::fromUtf8(part.AgentCaption),
                              QStringLiteral("Вычет по предыдущим годам")};
    auto* totalCaption = MakeLabel(box, QString::fromUtf8(part.TotalCaption), totals[p]);
    totalCaption->setWordWrap(true);
    grid->addWidget(totalCaption, 0, 0);
    grid->addWidget(totals[p], 0, 1);
    for (int f = 0; f < 3; ++f) {
      fields[p][f] = MakeEdit(box, part.Names[f], EditType::edtCurrency, 8, 2);
      fields[p][f]->setAlignment(Qt::AlignRight);
      captions[p][f] = MakeLabel(box, texts[f], fields[p][f]);
      captions[p][f]->setWordWrap(true);
      grid->addWidget(captions[p][f], f + 1, 0);
      grid->addWidget(fields[p][f], f + 1, 1);
    }
    fields[p][1]->setToolTip(agentHint);
    captions[p][1]->setToolTip(agentHint);
    totals[p]->setFixedWidth(130);
    for (TMaskedEdit* e : fields[p]) e->setFixedWidth(130);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(4, 1);
    parts->addWidget(box, 1);
  }
  pnTotalCost = totals[0];
  pnTotalInterest = totals[1];
  edCarriedPurchase = fields[0][0];
  edAgentPurchase = fields[0][1];
  edPriorPurchase = fields[0][2];
  edCarriedInterest = fields[1][0];
  edAgentInterest = fields[1][1];
  edPriorInterest = fields[1][2];
  lbCarriedPurchase = captions[0][0];
  lbAgentPurchase = captions[0][1];
  lbPriorPurchase = captions[0][2];
  lbCarriedInterest = captions[1][0];
  lbAgentInterest = captions[1][1];
  lbPriorInterest = captions[1][2];
  layout->addWidget(gbCalculation);

  // Fill from the model.
  const mTConstructionDeduct& pd = Declaration().PropertyDeduct;
  const bool granted = pd.Granted != 0;
  cbGranted->setChecked(granted);
  // Every object has its row, so that rows and objects keep the same positions.
  pd.Objects.ForEach([this](std::size_t, const mTConstructionDeductObj& o) {
    lvObjects->addTopLevelItem(new QTreeWidgetItem({RowText(ShortName(o.ObjectKind), o)}));
  });
  gbObjects->setEnabled(granted);
  SetAmountsEnabled(granted && pd.ObjectCount() > 0);
  if (granted && pd.ObjectCount() > 0) {
    const TObjectsSurvey s = Survey(pd);
    edAgentPurchase->setText(AmountText(pd.AgentPurchase));
    edAgentInterest->setText(AmountText(pd.AgentInterest));
    if (!s.All2016 || s.AnyPensioner) {
      edCarriedPurchase->setText(AmountText(pd.CarriedPurchase));
      edPriorPurchase->setText(AmountText(pd.PriorPurchase));
      edCarriedInterest->setText(AmountText(pd.CarriedInterest));
      edPriorInterest->setText(AmountText(pd.PriorInterest));
    }
  }
  ShowTotals();
  UpdateAddButton();
  ApplyCarriedRule();

  setTabOrder(cbGranted, lvObjects);
  setTabOrder(lvObjects, btAddObject);
  setTabOrder(btAddObject, btDeleteObject);
  setTabOrder(btDeleteObject, btEditObject);
  setTabOrder(btEditObject, edCarriedPurchase);
  setTabOrder(edCarriedPurchase, edAgentPurchase);
  setTabOrder(edAgentPurchase, edPriorPurchase);
  setTabOrder(edPriorPurchase, edCarriedInterest);
  setTabOrder(edCarriedInterest, edAgentInterest);
  setTabOrder(edAgentInterest, edPriorInterest);

  connect(cbGranted, &QCheckBox::toggled, this, &TfrMultyConstructionDeduct::GrantedClicked);
  connect(btAddObject, &QToolButton::clicked, this, &TfrMultyConstructionDeduct::AddObject);
  connect(btDeleteObject, &QToolButton::clicked, this, &TfrMultyConstructionDeduct::DeleteObject);
  connect(btEditObject, &QToolButton::clicked, this, &TfrMultyConstructionDeduct::EditObject);
  connect(lvObjects, &QTreeWidget::itemActivated, this, [this] { EditObject(); });
}

QString TfrMultyConstructionDeduct::RowText(const QString& name, const mTConstructionDeductObj& o) {
  return name + QLatin1Char(' ') + FromModel(o.City) + QLatin1Char(' ') + FromModel(o.Locality) + QLatin1Char(' ') +
         FromModel(o.Street);
}

// ---------------------------------------------------------------------------------------------
// The state of the controls

void TfrMultyConstructionDeduct::SetAmountsEnabled(bool enabled) {
  for (QWidget* w : {static_cast<QWidget*>(edCarriedPurchase), static_cast<QWidget*>(edAgentPurchase),
                     static_cast<QWidget*>(edPriorPurchase), static_cast<QWidget*>(edCarriedInterest),
                     static_cast<QWidget*>(edAgentInterest), static_cast<QWidget*>(edPriorInterest),
                     static_cast<QWidget*>(lbCarriedPurchase), static_cast<QWidget*>(lbAgentPurchase),
                     static_cast<QWidget*>(lbPriorPurchase), static_cast<QWidget*>(lbCarriedInterest),
                     static_cast<QWidget*>(lbAgentInterest), static_cast<QWidget*>(lbPriorInterest)}) {
    w->setEnabled(enabled);
  }
}

void TfrMultyConstructionDeduct::ApplyCarriedRule() {
  const TObjectsSurvey s = Survey(Declaration().PropertyDeduct);
  const bool amounts = cbGranted->isChecked() && lvObjects->topLevelItemCount() > 0;
  // Only objects of earlier years have amounts from earlier years, unless a pensioner carries
  // the deduction back.
  const bool purchase = !s.All2016 || s.AnyPensioner;
  const bool interest = purchase && (s.AnyPensioner ? s.Interest : s.EarlierInterest) > Currency();
  const std::pair<bool, std::pair<TMaskedEdit*, QLabel*>> carried[] = {
      {purchase, {edCarriedPurchase, lbCarriedPurchase}},
      {purchase, {edPriorPurchase, lbPriorPurchase}},
      {interest, {edCarriedInterest, lbCarriedInterest}},
      {interest, {edPriorInterest, lbPriorInterest}},
  };
  for (const auto& [usable, field] : carried) {
    field.first->setEnabled(amounts && usable);
    field.second->setEnabled(amounts && usable);
    if (!usable) field.first->clear();
  }
}

void TfrMultyConstructionDeduct::UpdateAddButton() {
  const TObjectsSurvey s = Survey(Declaration().PropertyDeduct);
  btAddObject->setEnabled(cbGranted->isChecked() && (s.AllAfter2013 || s.SingleEarlierWithoutInterest));
}

void TfrMultyConstructionDeduct::ShowTotals() {
  const mTConstructionDeduct& pd = Declaration().PropertyDeduct;
  Currency cost;
  Currency interest;
  if (pd.ObjectCount() == 0) {
    for (TMaskedEdit* e : {edCarriedPurchase, edAgentPurchase, edPriorPurchase, edCarriedInterest, edAgentInterest,
                           edPriorInterest}) {
      e->clear();
    }
  } else if (pd.ObjectCount() == 1) {
    // One object: its own limit, by the year the right arose, times the taxpayer's share.
    const mTConstructionDeductObj& o = pd.GetObject(0);
    const int year = Year(o.ByInvestment != 0 ? o.TransferActDate : o.OwnershipRegDate);
    const Currency limit = year < 2008 ? kLimitBefore2008 : kLimit;
    // A share never entered (0/0) counts as the whole object, as the computation reads it.
    const Currency shareLimit =
        o.ShareDenominator != 0 ? MulDivRoundTo2(limit, o.ShareNumerator, o.ShareDenominator) : limit;
    cost = Min(RoundTo2(o.Cost), shareLimit);
    interest = o.CreditInterest;
  } else {
    pd.Objects.ForEach([&](std::size_t, const mTConstructionDeductObj& o) {
      cost += o.Cost;
      interest += o.CreditInterest;
    });
    cost = Min(cost, kLimit);
  }
  pnTotalCost->setText(AmountTextKeepZero(cost));
  pnTotalInterest->setText(AmountTextKeepZero(interest));
}

int TfrMultyConstructionDeduct::SelectedRow() const {
  QTreeWidgetItem* item = lvObjects->currentItem();
  return item != nullptr && item->isSelected() ? lvObjects->indexOfTopLevelItem(item) : -1;
}

void TfrMultyConstructionDeduct::FocusRow(int row) {
  if (row < 0 || row >= lvObjects->topLevelItemCount()) return;
  QTreeWidgetItem* item = lvObjects->topLevelItem(row);
  lvObjects->setCurrentItem(item);
  item->setSelected(true);
  lvObjects->scrollToItem(item);
  lvObjects->setFocus();
}

// ---------------------------------------------------------------------------------------------
// The check box and the buttons

void TfrMultyConstructionDeduct::GrantedClicked(bool granted) {
  gbObjects->setEnabled(granted);
  if (granted) {
    for (QToolButton* b : {btAddObject, btDeleteObject, btEditObject}) b->setEnabled(true);
    lvObjects->setEnabled(true);
    SetAmountsEnabled(lvObjects->topLevelItemCount() > 0);
    UpdateAddButton();
  } else {
    SetAmountsEnabled(false);
    Declaration().PropertyDeduct.Objects.Clear();
    lvObjects->clear();
    ShowTotals();
  }
  ApplyCarriedRule();
  NotifyChanged();
}

bool TfrMultyConstructionDeduct::RunDialog(TfmInputConstruction& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

void TfrMultyConstructionDeduct::AddObject() {
  mTConstructionDeduct& pd = Declaration().PropertyDeduct;
  const TObjectsSurvey s = Survey(pd);
  TfmInputConstruction dialog(this, Host().Presenter());
  dialog.SetRestricted(lvObjects->topLevelItemCount() > 0);
  dialog.SetCostUsable(!s.SingleEarlierWithoutInterest);
  // The credit interest is entered for one object only.
  dialog.SetInterestUsable(s.Interest <= Currency());
  dialog.SetPensioner(s.AnyPensioner);
  if (!RunDialog(dialog)) return;

  mTConstructionDeductObj object;
  dialog.GetObject(object);
  const QString row = RowText(DialogName(dialog, object), object);
  pd.AddObject(std::move(object));
  const std::uint8_t pensioner = dialog.Pensioner() ? 1 : 0;
  for (std::size_t i = 0; i < pd.ObjectCount(); ++i) pd.GetObject(i).Pensioner = pensioner;
  ShowTotals();
  lvObjects->addTopLevelItem(new QTreeWidgetItem({row}));
  FocusRow(lvObjects->topLevelItemCount() - 1);
  SetAmountsEnabled(true);
  UpdateAddButton();
  ApplyCarriedRule();
  NotifyChanged();
}

void TfrMultyConstructionDeduct::EditObject() {
  const int row = SelectedRow();
  mTConstructionDeduct& pd = Declaration().PropertyDeduct;
  if (row < 0 || static_cast<std::size_t>(row) >= pd.ObjectCount()) return;
  const std::size_t index = static_cast<std::size_t>(row);
  const std::size_t count = pd.ObjectCount();
  mTConstructionDeductObj& edited = pd.GetObject(index);
  const TObjectsSurvey s = Survey(pd);
  const Currency zero;

  // With two objects, a purchase without credit beside a credit without purchase may keep its
  // earlier dates.
  bool restricted = count > 2;
  bool costUsable = count == 1 || count > 2 || s.AllAfter2013;
  if (count == 2) {
    const mTConstructionDeductObj& other = pd.GetObject(1 - index);
    restricted = !(edited.Cost > zero && edited.CreditInterest.IsZero() && other.CreditInterest > zero &&
                   other.Cost.IsZero());
    costUsable = costUsable || edited.CreditInterest.IsZero();
  }
  const Currency othersInterest = s.Interest - edited.CreditInterest;

  TfmInputConstruction dialog(this, Host().Presenter());
  dialog.SetRestricted(restricted);
  dialog.SetCostUsable(costUsable);
  dialog.SetInterestUsable(othersInterest <= zero);
  dialog.SetPensioner(edited.Pensioner != 0);
  dialog.SetObject(edited);
  if (!RunDialog(dialog)) return;

  const std::uint8_t pensioner = dialog.Pensioner() ? 1 : 0;
  for (std::size_t i = 0; i < pd.ObjectCount(); ++i) pd.GetObject(i).Pensioner = pensioner;
  dialog.GetObject(edited);
  ShowTotals();
  lvObjects->topLevelItem(row)->setText(0, RowText(DialogName(dialog, edited), edited));
  UpdateAddButton();
  ApplyCarriedRule();
  // A change made only in the lists or dates of the dialog is a change of the return too.
  NotifyChanged();
}

void TfrMultyConstructionDeduct::DeleteObject() {
  const int row = SelectedRow();
  mTConstructionDeduct& pd = Declaration().PropertyDeduct;
  if (row < 0 || static_cast<std::size_t>(row) >= pd.ObjectCount()) return;
  pd.DeleteObject(static_cast<std::size_t>(row));
  delete lvObjects->takeTopLevelItem(row);
  ShowTotals();
  if (pd.ObjectCount() == 0) {
    SetAmountsEnabled(false);
  } else {
    FocusRow(std::max(row - 1, 0));
  }
  btAddObject->setEnabled(true);
  // The objects left decide again which earlier amounts are asked.
  ApplyCarriedRule();
  NotifyChanged();
}

void TfrMultyConstructionDeduct::StoreData() {
  mTConstructionDeduct& pd = Declaration().PropertyDeduct;
  pd.Granted = cbGranted->isChecked() ? 1 : 0;
  if (pd.Granted == 0) return;
  pd.CarriedPurchase = AmountOrZero(edCarriedPurchase->text());
  pd.AgentPurchase = AmountOrZero(edAgentPurchase->text());
  pd.PriorPurchase = AmountOrZero(edPriorPurchase->text());
  pd.CarriedInterest = AmountOrZero(edCarriedInterest->text());
  pd.AgentInterest = AmountOrZero(edAgentInterest->text());
  pd.PriorInterest = AmountOrZero(edPriorInterest->text());
}

}  // namespace talver
