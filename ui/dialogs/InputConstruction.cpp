#include "ui/dialogs/InputConstruction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

#include "dictionaries/BuiltInTables.h"
#include "platform/Dates.h"
#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/pickers/Pickers.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

// The object names by acquisition method; a position is the object kind minus one.
constexpr const char* kNamesOnOpening[] = {
    "Жилой дом",
    "Квартира",
    "Комната",
    "Доля (доли) в доме, квартире, комнате",
    "Земельный участок для индивидуального жилищного строительства",
    "Земельный участок, на котором расположен приобретённый жилой дом",
    "Жилой дом с земельным участком",
    "Доля (доли) в доме, земле",
};
constexpr const char* kNamesPurchase[] = {
    "Жилой дом",
    "Квартира",
    "Комната",
    "Доля (доли) в жилом доме, квартире, комнате",
    "Земельный участок для индивидуального жилищного строительства",
    "Земельный участок, на котором расположен приобретенный жилой дом",
    "Жилой дом с земельным участком",
    "Доля (доли) в земле",
};
// Investment gives only dwellings.
constexpr int kInvestmentNames = 4;

constexpr const char* kOwnershipFrom2014[] = {
    "Индивидуальная собственность",
    "Общая долевая собственность",
    "Общая совместная собственность (с заявлением о распределении расходов)",
    "Собственность несовершеннолетнего ребёнка ",
    "Общая совместная собственность (без заявления о распределении расходов)",
    "Общая долевая собственность супругов (с заявлением о распределении расходов)",
};
constexpr const char* kOwnershipBefore2014[] = {
    "Индивидуальная собственность",
    "Общая долевая собственность",
    "Общая совместная собственность",
    "Собственность несовершеннолетнего ребёнка ",
};
constexpr const char* kTaxpayerAttributes[] = {
    "Собственник объекта",
    "Супруг(а) собственника объекта",
    "Родитель несовершеннолетнего собственника объекта",
    "Объект в общей долевой собственности заявителя и несовершеннолетнего ребенка",
    "Объект в общей долевой собственности супруга(и) заявителя и несовершеннолетнего ребенка",
};

constexpr char kCheckTitle[] = "Проверка данных объекта";
constexpr char kYearCheckTitle[] = "Имущественный налоговый вычет";

const QDate kPreset(2016, 1, 1);

// The year of first use: set only by its up-down buttons.
class TYearEdit : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
      QSpinBox::keyPressEvent(event);
      return;
    }
    event->accept();
  }
};

QDateEdit* MakeObjectDate(QWidget* parent, const char* name, const QString& hint) {
  QDateEdit* date = MakeDate(parent, name);
  date->setToolTip(hint);
  date->setDateRange(QDate(1990, 1, 1), QDate(2016, 12, 31));
  date->setDate(kPreset);
  return date;
}

QLabel* MakeWrappedLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  QLabel* label = MakeLabel(parent, text, buddy);
  label->setWordWrap(true);
  return label;
}

QComboBox* MakeList(QWidget* parent, const char* name) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QString::fromLatin1(name));
  // Long entries are read in the open list; the closed one keeps the dialog's width.
  list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  list->setMinimumContentsLength(40);
  return list;
}

// Replaces the entries, keeping the position chosen when it still exists.
void Refill(QComboBox* list, const char* const* names, int count) {
  const int chosen = list->currentIndex();
  QSignalBlocker block(list);
  list->clear();
  for (int i = 0; i < count; ++i) list->addItem(QString::fromUtf8(names[i]));
  list->setCurrentIndex(chosen < count ? chosen : -1);
}

// A date taken from an object outside its picker's range becomes the nearer bound.
void SetClamped(QDateEdit* picker, TDate date) {
  picker->setDate(std::clamp(ToQDate(date), picker->minimumDate(), picker->maximumDate()));
}

int ShareValue(const QString& text) {
  const std::int32_t value = NumberOrZero(text);
  return value == 0 ? 1 : value;
}

}  // namespace

TfmInputConstruction::TfmInputConstruction(QWidget* owner, IUiPresenter& presenter)
    : QDialog(owner), presenter_(presenter) {
  setObjectName(QStringLiteral("TfmInputConstruction"));
  setWindowTitle(QStringLiteral("Данные объекта"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  auto* group = new QGroupBox(QStringLiteral(" Сведения об объекте"), this);
  group->setObjectName(QStringLiteral("gbObject"));

  // What the object is and where.
  cbObjectName = MakeList(group, "cbObjectName");
  edPostIndex = MakeEdit(group, "edPostIndex", EditType::edtDigital, 6);
  edPostIndex->setFixedWidth(70);
  pnRegionCode = MakeEdit(group, "pnRegionCode", EditType::edtNone, 2);
  pnRegionCode->setReadOnly(true);
  pnRegionCode->setFocusPolicy(Qt::NoFocus);
  ShowAsPanel(pnRegionCode);
  pnRegionCode->setFixedWidth(36);
  pnRegionCode->setAlignment(Qt::AlignCenter);
  btRegion = MakeDotsButton(group, "btRegion", QStringLiteral("Справочник регионов"));
  lbRegionName = new QLabel(group);
  lbRegionName->setObjectName(QStringLiteral("lbRegionName"));
  lbRegionName->setWordWrap(true);
  edDistrict = MakeEdit(group, "edDistrict", EditType::edtNone, 50);
  edCity = MakeEdit(group, "edCity", EditType::edtNone, 50);
  edLocality = MakeEdit(group, "edLocality", EditType::edtNone, 50);
  edStreet = MakeEdit(group, "edStreet", EditType::edtNone, 50);
  edHouse = MakeEdit(group, "edHouse", EditType::edtNone, 20);
  edBuilding = MakeEdit(group, "edBuilding", EditType::edtNone, 20);
  edFlat = MakeEdit(group, "edFlat", EditType::edtNone, 20);
  for (TMaskedEdit* e : {edHouse, edBuilding, edFlat}) e->setFixedWidth(70);

  // How and when it was acquired.
  auto* gbMethod = new QGroupBox(QStringLiteral("Способ приобретения"), group);
  gbMethod->setObjectName(QStringLiteral("gbMethod"));
  rbInvestment = new QRadioButton(QStringLiteral("инвестирование"), gbMethod);
  rbInvestment->setObjectName(QStringLiteral("rbInvestment"));
  rbPurchase = new QRadioButton(QStringLiteral("договор купли-продажи"), gbMethod);
  rbPurchase->setObjectName(QStringLiteral("rbPurchase"));
  rbPurchase->setToolTip(QStringLiteral("а также самостоятельное строительство"));
  rbPurchase->setChecked(true);
  auto* methodLayout = new QHBoxLayout(gbMethod);
  methodLayout->addWidget(rbInvestment);
  methodLayout->addWidget(rbPurchase);
  methodLayout->addStretch();

  const QString byPurchase = QStringLiteral("указывается при приобретении по договору купли-продажи");
  dtOwnershipReg = MakeObjectDate(group, "dtOwnershipReg", byPurchase);
  dtTransferAct = MakeObjectDate(group, "dtTransferAct",
                                 QStringLiteral("указывается при приобретении по договору инвестирования"));
  dtLandReg = MakeObjectDate(group, "dtLandReg", byPurchase);
  dtDistributionApp = MakeObjectDate(group, "dtDistributionApp", QString());
  dtDistributionApp->setMaximumDate(QDate(2019, 12, 31));
  edFirstUseYear = new TYearEdit(group);
  edFirstUseYear->setObjectName(QStringLiteral("edFirstUseYear"));
  edFirstUseYear->setRange(1992, 2016);
  edFirstUseYear->setValue(2016);
  edFirstUseYear->setFixedWidth(70);

  edShareNumerator = MakeEdit(group, "edShareNumerator", EditType::edtDigital, 6);
  edShareDenominator = MakeEdit(group, "edShareDenominator", EditType::edtDigital, 6);
  for (TMaskedEdit* e : {edShareNumerator, edShareDenominator}) {
    e->setFixedWidth(60);
    e->setAlignment(Qt::AlignRight);
    e->setText(QStringLiteral("1"));
  }
  cbOwnershipKind = MakeList(group, "cbOwnershipKind");
  cbTaxpayerAttribute = MakeList(group, "cbTaxpayerAttribute");
  for (const char* name : kTaxpayerAttributes) cbTaxpayerAttribute->addItem(QString::fromUtf8(name));
  cbTaxpayerAttribute->setCurrentIndex(-1);
  cbPensioner = new QCheckBox(QStringLiteral("Являюсь пенсионером"), group);
  cbPensioner->setObjectName(QStringLiteral("cbPensioner"));

  edCost = MakeEdit(group, "edCost", EditType::edtCurrency, 8, 2);
  edCreditInterest = MakeEdit(group, "edCreditInterest", EditType::edtCurrency, 8, 2);
  edCreditInterest->setToolTip(QStringLiteral("Заполняются только по одному объекту"));
  for (TMaskedEdit* e : {edCost, edCreditInterest}) {
    e->setFixedWidth(130);
    e->setAlignment(Qt::AlignRight);
  }

  // Layout: the name across, the address on the left, the acquisition on the right, the
  // ownership and the amounts below.
  auto* grid = new QGridLayout(group);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(4, 1);
  grid->setColumnMinimumWidth(2, 16);
  grid->addWidget(MakeLabel(group, QStringLiteral("Наименование объекта"), cbObjectName), 0, 0);
  grid->addWidget(cbObjectName, 0, 1, 1, 4);

  auto* address = new QGridLayout;
  address->addWidget(MakeLabel(group, QStringLiteral("Почтовый индекс"), edPostIndex), 0, 0);
  address->addWidget(edPostIndex, 0, 1, Qt::AlignLeft);
  address->addWidget(MakeLabel(group, QStringLiteral("Код субъекта РФ"), btRegion), 1, 0);
  auto* regionRow = new QHBoxLayout;
  regionRow->addWidget(pnRegionCode);
  regionRow->addWidget(btRegion);
  regionRow->addWidget(lbRegionName, 1);
  address->addLayout(regionRow, 1, 1);
  int row = 2;
  for (const auto& [caption, edit] : {std::pair{QStringLiteral("Район"), edDistrict},
                                      std::pair{QStringLiteral("Город"), edCity},
                                      std::pair{QStringLiteral("Населенный пункт"), edLocality},
                                      std::pair{QStringLiteral("Улица"), edStreet}}) {
    address->addWidget(MakeLabel(group, caption, edit), row, 0);
    address->addWidget(edit, row, 1);
    ++row;
  }
  auto* houseRow = new QHBoxLayout;
  houseRow->addWidget(edHouse);
  houseRow->addSpacing(8);
  houseRow->addWidget(MakeLabel(group, QStringLiteral("Корпус"), edBuilding));
  houseRow->addWidget(edBuilding);
  houseRow->addSpacing(8);
  houseRow->addWidget(MakeLabel(group, QStringLiteral("Квартира"), edFlat));
  houseRow->addWidget(edFlat);
  houseRow->addStretch();
  address->addWidget(MakeLabel(group, QStringLiteral("Дом"), edHouse), row, 0);
  address->addLayout(houseRow, row, 1);
  address->setRowStretch(row + 1, 1);
  grid->addLayout(address, 1, 0, 1, 2);

  auto* dates = new QGridLayout;
  dates->addWidget(gbMethod, 0, 0, 1, 2);
  int dateRow = 1;
  for (const auto& [caption, picker] :
       {std::pair{QStringLiteral("Дата регистрации права собственности на жилой дом, квартиру, комнату"), dtOwnershipReg},
        std::pair{QStringLiteral("Дата акта о передаче квартиры, комнаты или доли в них"), dtTransferAct},
        std::pair{QStringLiteral("Дата регистрации права собственности на земельный участок"), dtLandReg}}) {
    dates->addWidget(MakeWrappedLabel(group, caption, picker), dateRow, 0);
    dates->addWidget(picker, dateRow, 1, Qt::AlignTop);
    ++dateRow;
  }
  lbDistributionApp = MakeWrappedLabel(
      group, QStringLiteral("Дата заявления о распределении имущественного вычета / расходов"), dtDistributionApp);
  dates->addWidget(lbDistributionApp, dateRow, 0);
  dates->addWidget(dtDistributionApp, dateRow, 1, Qt::AlignTop);
  ++dateRow;
  dates->addWidget(MakeLabel(group, QStringLiteral("Год начала использования вычета"), edFirstUseYear), dateRow, 0);
  dates->addWidget(edFirstUseYear, dateRow, 1);
  dates->setColumnStretch(0, 1);
  dates->setRowStretch(dateRow + 1, 1);
  grid->addLayout(dates, 1, 3, 1, 2);

  auto* ownership = new QGridLayout;
  auto* shareRow = new QHBoxLayout;
  shareRow->addWidget(edShareNumerator);
  shareRow->addWidget(new QLabel(QStringLiteral("/"), group));
  shareRow->addWidget(edShareDenominator);
  shareRow->addStretch();
  ownership->addWidget(MakeLabel(group, QStringLiteral("Доля"), edShareNumerator), 0, 0);
  ownership->addLayout(shareRow, 0, 1);
  ownership->addWidget(MakeLabel(group, QStringLiteral("Вид собственности"), cbOwnershipKind), 1, 0);
  ownership->addWidget(cbOwnershipKind, 1, 1);
  ownership->addWidget(MakeLabel(group, QStringLiteral("Признак налогоплательщика"), cbTaxpayerAttribute), 2, 0);
  ownership->addWidget(cbTaxpayerAttribute, 2, 1);
  ownership->addWidget(cbPensioner, 3, 1, Qt::AlignLeft);
  ownership->setColumnStretch(1, 1);
  grid->addLayout(ownership, 2, 0, 1, 5);

  auto* amounts = new QHBoxLayout;
  lbCost = MakeLabel(group, QStringLiteral("Стоимость объекта (доли)"), edCost);
  lbCreditInterest = MakeLabel(group, QStringLiteral("Проценты по кредитам за все годы"), edCreditInterest);
  amounts->addWidget(lbCost);
  amounts->addWidget(edCost);
  amounts->addSpacing(24);
  amounts->addWidget(lbCreditInterest);
  amounts->addWidget(edCreditInterest);
  amounts->addStretch();
  grid->addLayout(amounts, 3, 0, 1, 5);

  const auto [btYes, btNo, buttons] = MakeYesNoButtons(this);
  connect(btYes, &QPushButton::clicked, this, &TfmInputConstruction::Confirm);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addLayout(buttons);

  // The preset: a purchase contract, so the act date is not asked.
  SetObjectNames(kNamesOnOpening, static_cast<int>(std::size(kNamesOnOpening)));
  cbObjectName->setCurrentIndex(-1);
  dtTransferAct->setEnabled(false);
  dtLandReg->setEnabled(false);
  SetRegionCode(QStringLiteral("0"));
  DatesChanged();
  cbOwnershipKind->setCurrentIndex(-1);
  UpdateApplicationDate();

  connect(rbInvestment, &QRadioButton::toggled, this, [this](bool on) {
    if (on) InvestmentChosen();
  });
  connect(rbPurchase, &QRadioButton::toggled, this, [this](bool on) {
    if (on) PurchaseChosen();
  });
  connect(cbObjectName, &QComboBox::currentIndexChanged, this, &TfmInputConstruction::ObjectKindChosen);
  for (QDateEdit* d : {dtOwnershipReg, dtTransferAct, dtLandReg}) {
    connect(d, &QDateEdit::dateChanged, this, &TfmInputConstruction::DatesChanged);
  }
  connect(cbOwnershipKind, &QComboBox::currentIndexChanged, this, &TfmInputConstruction::UpdateApplicationDate);
  connect(cbTaxpayerAttribute, &QComboBox::currentIndexChanged, this, &TfmInputConstruction::UpdateApplicationDate);
  connect(cbPensioner, &QCheckBox::toggled, this, [this](bool on) {
    pensioner_ = on ? PensionerState::Ticked : PensionerState::Unticked;
    ApplyLimits();
  });
  connect(btRegion, &QToolButton::clicked, this, &TfmInputConstruction::PickRegion);

  setTabOrder(cbObjectName, edPostIndex);
  setTabOrder(edPostIndex, btRegion);
  setTabOrder(btRegion, edDistrict);
  setTabOrder(edDistrict, edCity);
  setTabOrder(edCity, edLocality);
  setTabOrder(edLocality, edStreet);
  setTabOrder(edStreet, edHouse);
  setTabOrder(edHouse, edBuilding);
  setTabOrder(edBuilding, edFlat);
  setTabOrder(edFlat, rbInvestment);
  setTabOrder(rbInvestment, rbPurchase);
  setTabOrder(rbPurchase, dtOwnershipReg);
  setTabOrder(dtOwnershipReg, dtTransferAct);
  setTabOrder(dtTransferAct, dtLandReg);
  setTabOrder(dtLandReg, dtDistributionApp);
  setTabOrder(dtDistributionApp, edFirstUseYear);
  setTabOrder(edFirstUseYear, edShareNumerator);
  setTabOrder(edShareNumerator, edShareDenominator);
  setTabOrder(edShareDenominator, cbOwnershipKind);
  setTabOrder(cbOwnershipKind, cbTaxpayerAttribute);
  setTabOrder(cbTaxpayerAttribute, cbPensioner);
  setTabOrder(cbPensioner, edCost);
  setTabOrder(edCost, edCreditInterest);
  setTabOrder(edCreditInterest, btYes);
  setTabOrder(btYes, btNo);

  resize(860, sizeHint().height());
  cbObjectName->setFocus();
}

// ---------------------------------------------------------------------------------------------
// The modes the page prepares

void TfmInputConstruction::SetRestricted(bool on) {
  restricted_ = on;
  ApplyLimits();
}

void TfmInputConstruction::SetCostUsable(bool usable) {
  lbCost->setEnabled(usable);
  edCost->setEnabled(usable);
}

void TfmInputConstruction::SetInterestUsable(bool usable) {
  lbCreditInterest->setEnabled(usable);
  edCreditInterest->setEnabled(usable);
}

void TfmInputConstruction::SetPensioner(bool ticked) { cbPensioner->setChecked(ticked); }

bool TfmInputConstruction::Pensioner() const { return cbPensioner->isChecked(); }

void TfmInputConstruction::ApplyLimits() {
  // A pensioner may carry the deduction back, so later purchases are admitted.
  const QDate from = restricted_ ? QDate(2014, 1, 1) : QDate(1990, 1, 1);
  const bool ticked = pensioner_ == PensionerState::Ticked;
  const QDate to = ticked ? QDate(2019, 12, 31) : QDate(2016, 12, 31);
  for (QDateEdit* d : {dtOwnershipReg, dtTransferAct}) d->setDateRange(from, to);
  dtLandReg->setDateRange(QDate(1990, 1, 1), to);
  dtDistributionApp->setDateRange(
      from, pensioner_ == PensionerState::NotClicked ? QDate(2019, 12, 31) : QDate(2020, 12, 31));
  edFirstUseYear->setRange(restricted_ ? 2014 : 1992, ticked ? 2019 : 2016);
}

// ---------------------------------------------------------------------------------------------
// The rules between the fields

bool TfmInputConstruction::Purchase() const { return !rbInvestment->isChecked(); }

void TfmInputConstruction::SetObjectNames(const char* const* names, int count) {
  Refill(cbObjectName, names, count);
}

void TfmInputConstruction::InvestmentChosen() {
  for (QDateEdit* d : {dtOwnershipReg, dtLandReg}) {
    d->setDate(kPreset);
    d->setEnabled(false);
  }
  dtTransferAct->setEnabled(true);
  SetObjectNames(kNamesOnOpening, kInvestmentNames);
  ObjectKindChosen();
}

void TfmInputConstruction::PurchaseChosen() {
  dtOwnershipReg->setEnabled(true);
  dtTransferAct->setDate(kPreset);
  dtTransferAct->setEnabled(false);
  SetObjectNames(kNamesPurchase, static_cast<int>(std::size(kNamesPurchase)));
  ObjectKindChosen();
}

void TfmInputConstruction::ObjectKindChosen() {
  // Land is registered only for the kinds that include it.
  const int kind = cbObjectName->currentIndex() + 1;
  dtLandReg->setEnabled(Purchase() && kind >= 5 && kind <= 8);
}

void TfmInputConstruction::DatesChanged() {
  const bool after2013 = dtOwnershipReg->date().year() > 2013 && dtTransferAct->date().year() > 2013;
  // From 2014 on the limit belongs to each owner, so the share no longer matters.
  edShareNumerator->setEnabled(!after2013);
  edShareDenominator->setEnabled(!after2013);
  if (after2013) {
    edShareNumerator->setText(QStringLiteral("1"));
    edShareDenominator->setText(QStringLiteral("1"));
  }
  SetOwnershipKinds(after2013);
}

void TfmInputConstruction::SetOwnershipKinds(bool afterTwentyThirteen) {
  const int variant = afterTwentyThirteen ? 6 : 4;
  if (variant == ownershipVariant_) return;
  ownershipVariant_ = variant;
  if (afterTwentyThirteen) {
    Refill(cbOwnershipKind, kOwnershipFrom2014, static_cast<int>(std::size(kOwnershipFrom2014)));
  } else {
    Refill(cbOwnershipKind, kOwnershipBefore2014, static_cast<int>(std::size(kOwnershipBefore2014)));
  }
  UpdateApplicationDate();
}

void TfmInputConstruction::UpdateApplicationDate() {
  const int ownership = cbOwnershipKind->currentIndex() + 1;
  const int attribute = cbTaxpayerAttribute->currentIndex() + 1;
  const bool asked = ownership == 3 || ownership == 6 || (ownership == 1 && attribute == 2);
  dtDistributionApp->setEnabled(asked);
  lbDistributionApp->setEnabled(asked);
}

void TfmInputConstruction::SetRegionCode(const QString& code) {
  pnRegionCode->setText(code);
  const std::optional<std::string> name = BuiltInName(Regions(), NumberOrZero(code));
  lbRegionName->setText(name ? FromModel(*name) : QString());
}

void TfmInputConstruction::PickRegion() {
  if (regionPicker_ == nullptr) regionPicker_ = new TfmBuiltInPicker(this, TBuiltInTable::Regions);
  const std::optional<TTablePick> choice = regionPicker_->Execute(NumberOrZero(pnRegionCode->text()));
  if (!choice) return;
  SetRegionCode(QStringLiteral("%1").arg(choice->Code, 2, 10, QLatin1Char('0')));
}

void TfmInputConstruction::showEvent(QShowEvent* event) {
  DatesChanged();
  QDialog::showEvent(event);
}

// ---------------------------------------------------------------------------------------------
// The object

void TfmInputConstruction::SetObject(const mTConstructionDeductObj& o) {
  // The method first: choosing it resets the dates that do not belong to it.
  if (o.ByInvestment != 0) {
    rbInvestment->setChecked(true);
  } else {
    rbPurchase->setChecked(true);
  }
  const int kind = o.ObjectKind - 1;
  cbObjectName->setCurrentIndex(kind >= 0 && kind < cbObjectName->count() ? kind : -1);
  edPostIndex->setText(FromModel(o.PostIndex));
  // A code never chosen is shown as "0", so that the check asks for it.
  SetRegionCode(o.RegionCode.empty() ? QStringLiteral("0") : FromModel(o.RegionCode));
  edDistrict->setText(FromModel(o.District));
  edCity->setText(FromModel(o.City));
  edLocality->setText(FromModel(o.Locality));
  edStreet->setText(FromModel(o.Street));
  edHouse->setText(FromModel(o.House));
  edBuilding->setText(FromModel(o.Building));
  edFlat->setText(FromModel(o.Flat));
  edShareNumerator->setText(QString::number(o.ShareNumerator > 0 ? o.ShareNumerator : 1));
  edShareDenominator->setText(QString::number(o.ShareDenominator > 0 ? o.ShareDenominator : 1));
  SetClamped(dtOwnershipReg, o.OwnershipRegDate);
  SetClamped(dtTransferAct, o.TransferActDate);
  SetClamped(dtLandReg, o.LandRegDate);
  SetClamped(dtDistributionApp, o.DistributionAppDate);
  edFirstUseYear->setValue(DecodeDate(o.FirstUseYear).Year);
  DatesChanged();
  const int ownership = o.OwnershipKind - 1;
  cbOwnershipKind->setCurrentIndex(ownership >= 0 && ownership < cbOwnershipKind->count() ? ownership : -1);
  const int attribute = o.TaxpayerAttribute - 1;
  cbTaxpayerAttribute->setCurrentIndex(attribute >= 0 && attribute < cbTaxpayerAttribute->count() ? attribute : -1);
  UpdateApplicationDate();
  edCost->setText(AmountText(o.Cost));
  edCreditInterest->setText(AmountText(o.CreditInterest));
}

void TfmInputConstruction::GetObject(mTConstructionDeductObj& o) const {
  o.ObjectKind = cbObjectName->currentIndex() + 1;
  o.OwnershipKind = cbOwnershipKind->currentIndex() + 1;
  o.TaxpayerAttribute = cbTaxpayerAttribute->currentIndex() + 1;
  o.PostIndex = ToModel(edPostIndex->text());
  o.RegionCode = ToModel(pnRegionCode->text());
  o.District = ToModel(edDistrict->text());
  o.City = ToModel(edCity->text());
  o.Locality = ToModel(edLocality->text());
  o.Street = ToModel(edStreet->text());
  o.House = ToModel(edHouse->text());
  o.Building = ToModel(edBuilding->text());
  o.Flat = ToModel(edFlat->text());
  o.ByInvestment = rbInvestment->isChecked() ? 1 : 0;
  o.OwnershipRegDate = FromQDate(dtOwnershipReg->date());
  o.TransferActDate = FromQDate(dtTransferAct->date());
  o.LandRegDate = FromQDate(dtLandReg->date());
  o.DistributionAppDate = FromQDate(dtDistributionApp->date());
  o.FirstUseYear = EncodeDate(edFirstUseYear->cleanText().isEmpty() ? 1997 : edFirstUseYear->value(), 1, 1);
  o.ShareNumerator = ShareValue(edShareNumerator->text());
  o.ShareDenominator = ShareValue(edShareDenominator->text());
  o.ShareNumerator = std::min(o.ShareNumerator, o.ShareDenominator);
  o.Pensioner = cbPensioner->isChecked() ? 1 : 0;
  o.Cost = AmountOrZero(edCost->text());
  o.CreditInterest = AmountOrZero(edCreditInterest->text());
}

QString TfmInputConstruction::ObjectNameText() const {
  return cbObjectName->currentIndex() >= 0 ? cbObjectName->currentText() : QString();
}

// ---------------------------------------------------------------------------------------------
// "Да"

void TfmInputConstruction::Confirm() {
  bool shown = false;
  // True when the user chose "Исправить"; closing the message goes on with the next rule.
  const auto fix = [this, &shown](const char* title, const char* message) {
    shown = true;
    return presenter_.ShowEntryError(title, message, false) == CheckAnswer::Fix;
  };
  if (cbObjectName->currentIndex() < 0 && fix(kCheckTitle, "Не введено наименование объекта")) {
    cbObjectName->setFocus();
    return;
  }
  if (cbOwnershipKind->currentIndex() < 0 && fix(kCheckTitle, "Не введен вид собственности")) {
    cbOwnershipKind->setFocus();
    return;
  }
  if (cbTaxpayerAttribute->currentIndex() < 0 && fix(kCheckTitle, "Не введен признак налогоплательщика")) {
    cbTaxpayerAttribute->setFocus();
    return;
  }
  const QString index = edPostIndex->text();
  if (!index.isEmpty() && index.size() != 6 && fix(kCheckTitle, "Почтовый индекс должен содержать ровно 6 цифр")) {
    edPostIndex->setFocus();
    return;
  }
  if (pnRegionCode->text().trimmed().size() == 1 && fix(kCheckTitle, "Не заполненно поле \"Код субъекта РФ\"")) {
    btRegion->setFocus();
    PickRegion();
    return;
  }
  // The deduction cannot be used before the year the right to it arose; a pensioner carrying
  // it back is not held to that.
  if (!cbPensioner->isChecked() && !shown) {
    const int firstUse = edFirstUseYear->value();
    if (Purchase()) {
      const int year = dtOwnershipReg->date().year();
      if (year > firstUse && year >= 2009 &&
          fix(kCheckTitle, "Год начала использования вычета меньше даты регистрации прав собственности")) {
        edFirstUseYear->setFocus();
        return;
      }
    } else {
      const int year = dtTransferAct->date().year();
      if (year > firstUse && year >= 2009 &&
          fix(kYearCheckTitle, "Год начала использования вычета меньше даты акта о передаче")) {
        edFirstUseYear->setFocus();
        return;
      }
    }
  }
  accept();
}

}  // namespace talver
