#include "ui/pages/FramePersonNaim.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "check/CheckClasses.h"
#include "ui/framework/FieldText.h"
#include "ui/widgets/MaskedDocEdit.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/PageWidgets.h"
#include "ui/pickers/Pickers.h"
#include "ui/base/UiText.h"

namespace talver {

TfrPersonNaim::TfrPersonNaim(QWidget* owner, TPageHost& host) : TThinkingFrame(owner, host, PageId::PersonNaim) {
  const mTDeclaration& d = Declaration();
  const mTPersonInformation& p = d.Person;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 4, 0, 0);

  // Ф.И.О.
  auto* gbName = new QGroupBox(QStringLiteral("  Ф.И.О."), this);
  gbName->setObjectName(QStringLiteral("gbName"));
  auto* nameLayout = new QGridLayout(gbName);
  edSurname = MakeEdit(gbName, "edSurname", EditType::edtNone, 33);
  edFirstName = MakeEdit(gbName, "edFirstName", EditType::edtNone, 33);
  edPatronymic = MakeEdit(gbName, "edPatronymic", EditType::edtNone, 33);
  edInn = MakeEdit(gbName, "edInn", EditType::edtDigital, 12);
  edInn->setFixedWidth(130);
  dtBirthDate = MakeDate(gbName, "dtBirthDate");
  edBirthPlace = MakeEdit(gbName, "edBirthPlace", EditType::edtNone, 128);
  edOktmo = MakeEdit(gbName, "edOktmo", EditType::edtDigital, 11);
  edOktmo->setFixedWidth(130);
  edPhone = MakeEdit(gbName, "edPhone", EditType::edtDigital, 20);
  edPhone->setFixedWidth(160);
  lbBirthDate = MakeLabel(gbName, QStringLiteral("Дата рождения"), dtBirthDate);
  lbBirthPlace = MakeLabel(gbName, QStringLiteral("Место рождения"), edBirthPlace);
  lbOktmo = MakeLabel(gbName, QStringLiteral("ОКТМО"), edOktmo);
  lbPhone = MakeLabel(gbName, QStringLiteral("Телефон"), edPhone);
  nameLayout->addWidget(MakeLabel(gbName, QStringLiteral("Фамилия"), edSurname), 0, 0);
  nameLayout->addWidget(edSurname, 0, 1);
  nameLayout->addWidget(MakeLabel(gbName, QStringLiteral("Имя"), edFirstName), 1, 0);
  nameLayout->addWidget(edFirstName, 1, 1);
  nameLayout->addWidget(MakeLabel(gbName, QStringLiteral("Отчество"), edPatronymic), 2, 0);
  nameLayout->addWidget(edPatronymic, 2, 1);
  nameLayout->addWidget(MakeLabel(gbName, QStringLiteral("ИНН"), edInn), 0, 2);
  nameLayout->addWidget(edInn, 0, 3);
  nameLayout->addWidget(lbBirthDate, 1, 2);
  nameLayout->addWidget(dtBirthDate, 1, 3);
  // A 4-НДФЛ return asks for the ОКТМО code in place of the birth date, and for the phone.
  nameLayout->addWidget(lbOktmo, 1, 2);
  nameLayout->addWidget(edOktmo, 1, 3);
  nameLayout->addWidget(lbPhone, 2, 2);
  nameLayout->addWidget(edPhone, 2, 3);
  nameLayout->addWidget(lbBirthPlace, 3, 0);
  nameLayout->addWidget(edBirthPlace, 3, 1, 1, 3);
  nameLayout->setColumnStretch(1, 1);
  nameLayout->setColumnMinimumWidth(1, 240);
  layout->addWidget(gbName);

  // Сведения о документе, удостоверяющем личность
  gbDocument = new QGroupBox(QStringLiteral("  Сведения о документе, удостоверяющем личность"), this);
  gbDocument->setObjectName(QStringLiteral("gbDocument"));
  auto* documentLayout = new QGridLayout(gbDocument);
  pnDocType = MakePanel(gbDocument, "pnDocType");
  btDocType = MakeDotsButton(gbDocument, "btDocType", QStringLiteral("Справочник видов документов"));
  edDocSeriesNumber = new TMaskedDocEdit(gbDocument);
  edDocSeriesNumber->setObjectName(QStringLiteral("edDocSeriesNumber"));
  edDocSeriesNumber->setFixedWidth(200);
  dtDocIssueDate = MakeDate(gbDocument, "dtDocIssueDate");
  edDocIssuedBy = MakeEdit(gbDocument, "edDocIssuedBy", EditType::edtNone, 128);
  auto* typeRow = new QHBoxLayout;
  typeRow->addWidget(pnDocType, 1);
  typeRow->addWidget(btDocType);
  documentLayout->addWidget(MakeLabel(gbDocument, QStringLiteral("Вид документа"), btDocType), 0, 0);
  documentLayout->addLayout(typeRow, 0, 1, 1, 3);
  documentLayout->addWidget(MakeLabel(gbDocument, QStringLiteral("Серия и номер"), edDocSeriesNumber), 1, 0);
  documentLayout->addWidget(edDocSeriesNumber, 1, 1);
  documentLayout->addWidget(MakeLabel(gbDocument, QStringLiteral("Дата выдачи"), dtDocIssueDate), 1, 2,
                            Qt::AlignRight);
  documentLayout->addWidget(dtDocIssueDate, 1, 3);
  documentLayout->addWidget(MakeLabel(gbDocument, QStringLiteral("Кем выдан"), edDocIssuedBy), 2, 0);
  documentLayout->addWidget(edDocIssuedBy, 2, 1, 1, 3);
  documentLayout->setColumnStretch(2, 1);
  layout->addWidget(gbDocument);

  // Данные о гражданстве
  gbCitizenship = new QGroupBox(QStringLiteral("  Данные о гражданстве"), this);
  gbCitizenship->setObjectName(QStringLiteral("gbCitizenship"));
  auto* citizenshipLayout = new QGridLayout(gbCitizenship);
  rbCitizen = new QRadioButton(QStringLiteral("Гражданин"), gbCitizenship);
  rbCitizen->setObjectName(QStringLiteral("rbCitizen"));
  rbStateless = new QRadioButton(QStringLiteral("Лицо без гражданства"), gbCitizenship);
  rbStateless->setObjectName(QStringLiteral("rbStateless"));
  rbStateless->hide();
  auto* citizenshipGroup = new QButtonGroup(gbCitizenship);
  citizenshipGroup->addButton(rbCitizen);
  citizenshipGroup->addButton(rbStateless);
  edCountryCode = MakeEdit(gbCitizenship, "edCountryCode", EditType::edtNone, 32);
  edCountryCode->setReadOnly(true);
  edCountryCode->setFixedWidth(60);
  edCountryName = MakeEdit(gbCitizenship, "edCountryName", EditType::edtNone, 70);
  edCountryName->setReadOnly(true);
  ShowAsPanel(edCountryCode);
  ShowAsPanel(edCountryName);
  btCountry = MakeDotsButton(gbCitizenship, "btCountry", QStringLiteral("Справочник стран"));
  citizenshipLayout->addWidget(rbCitizen, 0, 0);
  citizenshipLayout->addWidget(rbStateless, 1, 0);
  citizenshipLayout->addWidget(MakeLabel(gbCitizenship, QStringLiteral("Код страны"), btCountry), 0, 1,
                               Qt::AlignRight);
  citizenshipLayout->addWidget(edCountryCode, 0, 2);
  citizenshipLayout->addWidget(edCountryName, 0, 3);
  citizenshipLayout->addWidget(btCountry, 0, 4);
  citizenshipLayout->setColumnStretch(3, 1);
  layout->addWidget(gbCitizenship);
  layout->addStretch();

  // Fill from the model.
  edSurname->setText(FromModel(p.Name.Surname));
  edFirstName->setText(FromModel(p.Name.FirstName));
  edPatronymic->setText(FromModel(p.Name.Patronymic));
  edInn->setText(FromModel(p.Name.Inn));
  dtBirthDate->setDate(ToQDate(p.Document.BirthDate));
  edBirthPlace->setText(FromModel(p.Document.BirthPlace));
  edOktmo->setText(FromModel(p.Address.Oktmo));
  edPhone->setText(FromModel(p.HomePhone.Second));
  docTypeCode_ = p.Document.DocTypeCode;
  pnDocType->setText(FromModel(p.Document.DocTypeName));
  dtDocIssueDate->setDate(ToQDate(p.Document.DocIssueDate));
  edDocIssuedBy->setText(FromModel(p.Document.DocIssuedBy));
  const bool hasDocument = !p.Document.DocTypeName.empty();
  if (hasDocument) {
    // A stored text is taken as it stands; the shape of its type binds the next edit.
    edDocSeriesNumber->setText(FromModel(p.Document.DocSeriesNumber));
    if (const auto mask = MaskForStoredDocument(docTypeCode_)) edDocSeriesNumber->setDocumentMask(*mask);
  }
  edDocSeriesNumber->setEnabled(hasDocument);
  dtDocIssueDate->setEnabled(hasDocument);
  edDocIssuedBy->setEnabled(hasDocument);
  (p.Foreigner.CitizenshipKind == "2" ? rbStateless : rbCitizen)->setChecked(true);
  edCountryCode->setText(FromModel(p.Foreigner.CountryCode));
  edCountryName->setText(FromModel(p.Foreigner.CountryName));
  btCountry->setEnabled(Host().Countries() != nullptr);

  const bool form4 = d.DeclarationForm == kForm4;
  for (QWidget* w : {static_cast<QWidget*>(gbDocument), static_cast<QWidget*>(gbCitizenship),
                     static_cast<QWidget*>(lbBirthPlace), static_cast<QWidget*>(edBirthPlace),
                     static_cast<QWidget*>(lbBirthDate), static_cast<QWidget*>(dtBirthDate)}) {
    w->setHidden(form4);
  }
  for (QWidget* w : {static_cast<QWidget*>(lbOktmo), static_cast<QWidget*>(edOktmo), static_cast<QWidget*>(lbPhone),
                     static_cast<QWidget*>(edPhone)}) {
    w->setVisible(form4);
  }

  setTabOrder(edSurname, edFirstName);
  setTabOrder(edFirstName, edPatronymic);
  setTabOrder(edPatronymic, edInn);
  setTabOrder(edInn, dtBirthDate);
  setTabOrder(dtBirthDate, edOktmo);
  setTabOrder(edOktmo, edPhone);
  setTabOrder(edPhone, edBirthPlace);
  setTabOrder(edBirthPlace, btDocType);
  setTabOrder(btDocType, edDocSeriesNumber);
  setTabOrder(edDocSeriesNumber, dtDocIssueDate);
  setTabOrder(dtDocIssueDate, edDocIssuedBy);
  setTabOrder(edDocIssuedBy, rbCitizen);
  setTabOrder(rbCitizen, btCountry);

  connect(btDocType, &QToolButton::clicked, this, &TfrPersonNaim::PickDocumentType);
  connect(btCountry, &QToolButton::clicked, this, &TfrPersonNaim::PickCountry);
  for (QDateEdit* date : {dtBirthDate, dtDocIssueDate}) {
    connect(date, &QDateEdit::dateChanged, this, [this] { NotifyChanged(); });
  }
  connect(citizenshipGroup, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool checked) {
    if (checked) NotifyChanged();
  });
}

void TfrPersonNaim::PickDocumentType() {
  if (!documentPicker_) documentPicker_ = new TfmBuiltInPicker(this, TBuiltInTable::DocumentTypes);
  const std::optional<TTablePick> choice = documentPicker_->Execute(docTypeCode_);
  if (!choice) return;
  const QString name = FromModel(choice->Name);
  if (name == pnDocType->text()) return;
  NotifyChanged();
  docTypeCode_ = static_cast<std::uint16_t>(choice->Code);
  pnDocType->setText(name);
  if (name.isEmpty()) return;
  // A new document: its number, date and issuer are typed afresh.
  edDocSeriesNumber->clear();
  edDocSeriesNumber->setEnabled(true);
  dtDocIssueDate->setEnabled(true);
  dtDocIssueDate->setDate(QDate(1990, 1, 1));
  edDocIssuedBy->setEnabled(true);
  edDocIssuedBy->clear();
  if (const auto mask = MaskForChosenDocument(docTypeCode_)) edDocSeriesNumber->setDocumentMask(*mask);
}

void TfrPersonNaim::PickCountry() {
  const TCountryDirectory* countries = Host().Countries();
  if (countries == nullptr) return;
  if (!countryPicker_) countryPicker_ = new TfmCountries(this, *countries);
  const std::optional<TCountry> choice = countryPicker_->Execute(ToModel(edCountryCode->text()));
  if (!choice || FromModel(choice->Code) == edCountryCode->text()) return;
  edCountryCode->setText(FromModel(choice->Code));
  edCountryName->setText(FromModel(choice->Name));
  NotifyChanged();
}

void TfrPersonNaim::StoreData() {
  mTPersonInformation& p = Declaration().Person;
  p.Name.Surname = ToModel(edSurname->text());
  p.Name.FirstName = ToModel(edFirstName->text());
  p.Name.Patronymic = ToModel(edPatronymic->text());
  p.Name.Inn = ToModel(edInn->text());
  p.Document.BirthDate = FromQDate(dtBirthDate->date());
  p.Document.BirthPlace = ToModel(edBirthPlace->text());
  p.Address.Oktmo = ToModel(edOktmo->text());
  p.HomePhone.Second = ToModel(edPhone->text());
  p.Document.DocTypeCode = docTypeCode_;
  p.Document.DocTypeName = ToModel(pnDocType->text());
  p.Document.DocSeriesNumber = ToModel(edDocSeriesNumber->text());
  p.Document.DocIssueDate = FromQDate(dtDocIssueDate->date());
  p.Document.DocIssuedBy = ToModel(edDocIssuedBy->text());
  p.Foreigner.CitizenshipKind = rbCitizen->isChecked() ? "1" : "2";
  p.Foreigner.CountryCode = ToModel(edCountryCode->text());
  p.Foreigner.CountryName = ToModel(edCountryName->text());
}

std::uint16_t TfrPersonNaim::CheckData() {
  return static_cast<std::uint16_t>(CheckPersonalDataPage(Declaration(), Host().Presenter()));
}

void TfrPersonNaim::ShowError(std::uint16_t code) {
  switch (code) {
    case 1:
      edSurname->setFocus();
      break;
    case 2:
      edFirstName->setFocus();
      break;
    case 3:
      edPatronymic->setFocus();
      break;
    case 4:
      edInn->setFocus();
      break;
    case 5:
      btDocType->setFocus();
      PickDocumentType();
      break;
    case 6:
      edDocSeriesNumber->setFocus();
      break;
    case 7:
      dtDocIssueDate->setFocus();
      break;
    case 8:
      edDocIssuedBy->setFocus();
      break;
    case 9:
      edBirthPlace->setFocus();
      break;
    case 10:
      edOktmo->setFocus();
      break;
    default:
      break;
  }
}

}  // namespace talver
