#include "ui/pages/FramePersonAddress.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "check/CheckClasses.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/pickers/Pickers.h"
#include "ui/base/UiText.h"

namespace talver {

TfrPersonAddress::TfrPersonAddress(QWidget* owner, TPageHost& host)
    : TThinkingFrame(owner, host, PageId::PersonAddress) {
  const mTDeclaration& d = Declaration();
  const mTPersonInformation& p = d.Person;
  const mTPersonAddress& a = p.Address;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);

  // Адрес в Российской Федерации
  auto* gbAddress = new QGroupBox(QStringLiteral("  Адрес в Российской Федерации"), this);
  gbAddress->setObjectName(QStringLiteral("gbAddress"));
  auto* grid = new QGridLayout(gbAddress);
  auto* kindRow = new QHBoxLayout;
  auto* kindGroup = new QButtonGroup(gbAddress);
  kindRow->addWidget(new QLabel(QStringLiteral("Адрес места"), gbAddress));
  const QString kindCaptions[] = {QStringLiteral("жительства"), QStringLiteral("пребывания")};
  for (int i = 0; i < 2; ++i) {
    rbAddressKind[i] = new QRadioButton(kindCaptions[i], gbAddress);
    rbAddressKind[i]->setObjectName(QStringLiteral("rbAddressKind%1").arg(i));
    kindGroup->addButton(rbAddressKind[i], i);
    kindRow->addWidget(rbAddressKind[i]);
  }
  kindRow->addStretch();
  grid->addLayout(kindRow, 0, 0, 1, 6);

  edPostIndex = MakeEdit(gbAddress, "edPostIndex", EditType::edtDigital, 6);
  edPostIndex->setFixedWidth(80);
  pnRegion = MakePanel(gbAddress, "pnRegion");
  btRegion = MakeDotsButton(gbAddress, "btRegion", QStringLiteral("Справочник регионов"));
  edDistrict = MakeEdit(gbAddress, "edDistrict", EditType::edtNone, 50);
  edCity = MakeEdit(gbAddress, "edCity", EditType::edtNone, 50);
  edLocality = MakeEdit(gbAddress, "edLocality", EditType::edtNone, 50);
  edStreet = MakeEdit(gbAddress, "edStreet", EditType::edtNone, 50);
  edHouse = MakeEdit(gbAddress, "edHouse", EditType::edtNone, 20);
  edBuilding = MakeEdit(gbAddress, "edBuilding", EditType::edtNone, 20);
  edFlat = MakeEdit(gbAddress, "edFlat", EditType::edtNone, 20);
  for (TMaskedEdit* e : {edHouse, edBuilding, edFlat}) e->setFixedWidth(110);
  edOktmo = MakeEdit(gbAddress, "edOktmo", EditType::edtDigital, 11);
  edOktmo->setFixedWidth(130);

  grid->addWidget(MakeLabel(gbAddress, QStringLiteral("Почтовый индекс"), edPostIndex), 1, 0);
  grid->addWidget(edPostIndex, 1, 1, Qt::AlignLeft);
  grid->addWidget(MakeLabel(gbAddress, QStringLiteral("Регион"), btRegion), 2, 0);
  auto* regionRow = new QHBoxLayout;
  regionRow->addWidget(pnRegion, 1);
  regionRow->addWidget(btRegion);
  grid->addLayout(regionRow, 2, 1, 1, 5);
  grid->addWidget(MakeLabel(gbAddress, QStringLiteral("Район"), edDistrict), 3, 0);
  grid->addWidget(edDistrict, 3, 1, 1, 5);
  grid->addWidget(MakeLabel(gbAddress, QStringLiteral("Город"), edCity), 4, 0);
  grid->addWidget(edCity, 4, 1, 1, 5);
  grid->addWidget(MakeLabel(gbAddress, QStringLiteral("Населенный пункт"), edLocality), 5, 0);
  grid->addWidget(edLocality, 5, 1, 1, 5);
  grid->addWidget(MakeLabel(gbAddress, QStringLiteral("Улица"), edStreet), 6, 0);
  grid->addWidget(edStreet, 6, 1, 1, 5);
  auto* houseRow = new QHBoxLayout;
  const std::pair<const char*, TMaskedEdit*> houseFields[] = {{"Дом", edHouse}, {"Корпус", edBuilding},
                                                              {"Квартира", edFlat}};
  bool first = true;
  for (const auto& [caption, edit] : houseFields) {
    if (first) {
      grid->addWidget(MakeLabel(gbAddress, QString::fromUtf8(caption), edit), 7, 0);
      first = false;
    } else {
      houseRow->addSpacing(12);
      houseRow->addWidget(MakeLabel(gbAddress, QString::fromUtf8(caption), edit));
    }
    houseRow->addWidget(edit);
  }
  houseRow->addStretch();
  grid->addLayout(houseRow, 7, 1, 1, 5);
  grid->addWidget(MakeLabel(gbAddress, QStringLiteral("ОКТМО"), edOktmo), 8, 0);
  grid->addWidget(edOktmo, 8, 1, Qt::AlignLeft);
  grid->setColumnStretch(5, 1);
  layout->addWidget(gbAddress);

  // Контактный телефон
  gbPhone = new QGroupBox(QStringLiteral("  Контактный телефон"), this);
  gbPhone->setObjectName(QStringLiteral("gbPhone"));
  auto* phoneLayout = new QHBoxLayout(gbPhone);
  edPhone = MakeEdit(gbPhone, "edPhone", EditType::edtDigital, 20);
  edPhone->setFixedWidth(200);
  phoneLayout->addWidget(edPhone);
  phoneLayout->addStretch();
  layout->addWidget(gbPhone);

  // Адрес за пределами РФ
  auto* gbForeign = new QGroupBox(QStringLiteral("   Адрес за пределами РФ"), this);
  gbForeign->setObjectName(QStringLiteral("gbForeignAddress"));
  auto* foreignLayout = new QHBoxLayout(gbForeign);
  edForeignAddress = MakeEdit(gbForeign, "edForeignAddress", EditType::edtNone, 140);
  foreignLayout->addWidget(edForeignAddress);
  layout->addWidget(gbForeign);
  layout->addStretch();

  // Fill from the model.
  rbAddressKind[a.AddressKind == 1 ? 1 : 0]->setChecked(true);
  edPostIndex->setText(FromModel(a.PostIndex));
  regionCode_ = a.RegionCode;
  pnRegion->setText(FromModel(a.RegionName));
  edDistrict->setText(FromModel(a.District));
  edCity->setText(FromModel(a.City));
  edLocality->setText(FromModel(a.Locality));
  edStreet->setText(FromModel(a.Street));
  edHouse->setText(FromModel(a.House));
  edBuilding->setText(FromModel(a.Building));
  edFlat->setText(FromModel(a.Flat));
  edOktmo->setText(FromModel(a.Oktmo));
  edPhone->setText(FromModel(p.HomePhone.Second));
  edForeignAddress->setText(FromModel(p.Foreigner.ForeignAddress));
  gbPhone->setHidden(d.DeclarationForm == kForm4);

  setTabOrder(rbAddressKind[0], rbAddressKind[1]);
  setTabOrder(rbAddressKind[1], edPostIndex);
  setTabOrder(edPostIndex, btRegion);
  setTabOrder(btRegion, edDistrict);
  setTabOrder(edDistrict, edCity);
  setTabOrder(edCity, edLocality);
  setTabOrder(edLocality, edStreet);
  setTabOrder(edStreet, edHouse);
  setTabOrder(edHouse, edBuilding);
  setTabOrder(edBuilding, edFlat);
  setTabOrder(edFlat, edOktmo);
  setTabOrder(edOktmo, edPhone);
  setTabOrder(edPhone, edForeignAddress);

  connect(btRegion, &QToolButton::clicked, this, &TfrPersonAddress::PickRegion);
  connect(kindGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) NotifyChanged();
  });
}

void TfrPersonAddress::PickRegion() {
  if (!regionPicker_) regionPicker_ = new TfmBuiltInPicker(this, TBuiltInTable::Regions);
  const std::optional<TTablePick> choice = regionPicker_->Execute(regionCode_);
  if (!choice) return;
  const QString name = FromModel(choice->Name);
  if (name == pnRegion->text()) return;
  regionCode_ = static_cast<std::uint16_t>(choice->Code);
  pnRegion->setText(name);
  NotifyChanged();
}

void TfrPersonAddress::StoreData() {
  mTPersonInformation& p = Declaration().Person;
  mTPersonAddress& a = p.Address;
  a.AddressKind = rbAddressKind[1]->isChecked() ? 1 : 0;
  a.PostIndex = ToModel(edPostIndex->text());
  a.RegionCode = regionCode_;
  a.RegionName = ToModel(pnRegion->text());
  a.District = ToModel(edDistrict->text());
  a.City = ToModel(edCity->text());
  a.Locality = ToModel(edLocality->text());
  a.Street = ToModel(edStreet->text());
  a.House = ToModel(edHouse->text());
  a.Building = ToModel(edBuilding->text());
  a.Flat = ToModel(edFlat->text());
  a.Oktmo = ToModel(edOktmo->text());
  p.HomePhone.Second = ToModel(edPhone->text());
  p.Foreigner.ForeignAddress = ToModel(edForeignAddress->text());
}

std::uint16_t TfrPersonAddress::CheckData() {
  return static_cast<std::uint16_t>(CheckAddressPage(Declaration(), Host().Presenter()));
}

void TfrPersonAddress::ShowError(std::uint16_t code) {
  switch (code) {
    case 2:
      btRegion->setFocus();
      PickRegion();
      break;
    case 4:
      edOktmo->setFocus();
      break;
    case 5:
      edLocality->setFocus();
      break;
    case 6:
      edPostIndex->setFocus();
      break;
    default:
      break;
  }
}

}  // namespace talver
