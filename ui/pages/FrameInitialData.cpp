#include "ui/pages/FrameInitialData.h"

#include <QButtonGroup>
#include <QStyle>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "check/CheckClasses.h"
#include "platform/Errors.h"
#include "platform/NumberText.h"
#include "ui/widgets/MaskedEdit.h"
#include "ui/framework/Seams.h"
#include "ui/base/UiText.h"

namespace talver {
namespace {

constexpr std::string_view kTitle = "Задание условий";

// The taxpayer categories in the order the page lists them.
constexpr std::uint8_t kCategoryOrder[] = {1, 0, 2, 3, 5, 6};

QString NumberField(std::int64_t value) { return FromUtf8(IntToText(value)); }

std::int32_t NumberOf(const QString& text) {
  if (text.trimmed().isEmpty()) return 0;
  try {
    return TextToInt32(text.trimmed().toStdString());
  } catch (const EConvertError&) {
    return 0;
  }
}

QString AmountField(Currency value) {
  return value.IsZero() ? QString() : FromUtf8(CurrencyToText(value, ','));
}

Currency AmountOf(QString text) {
  text = text.trimmed();
  if (text.endsWith(kDecimalSeparator)) text.chop(1);
  if (text.isEmpty()) return Currency();
  try {
    return TextToCurrency(text.toStdString(), ',');
  } catch (const EConvertError&) {
    return Currency();
  }
}


}  // namespace

TfrInitialData::TfrInitialData(QWidget* owner, TPageHost& host) : TThinkingFrame(owner, host, PageId::InitialData) {
  mTDeclaration& d = Declaration();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakePageCaption(this, FromUtf8(kTitle)));

  // Тип декларации
  auto* gbForm = new QGroupBox(QStringLiteral("Тип декларации"), this);
  gbForm->setObjectName(QStringLiteral("gbDeclarationForm"));
  auto* formLayout = new QHBoxLayout(gbForm);
  const QString formCaptions[] = {QStringLiteral("3-НДФЛ"), QStringLiteral("3-НДФЛ нерезидента"),
                                  QStringLiteral("4-НДФЛ")};
  auto* formGroup = new QButtonGroup(gbForm);
  for (int i = 0; i < 3; ++i) {
    rbForm[i] = new QRadioButton(formCaptions[i], gbForm);
    rbForm[i]->setObjectName(QStringLiteral("rbForm%1").arg(i));
    formGroup->addButton(rbForm[i], i);
    formLayout->addWidget(rbForm[i]);
  }
  formLayout->addStretch();
  layout->addWidget(gbForm);

  // Общая информация
  auto* gbCommon = new QGroupBox(QStringLiteral("Общая информация"), this);
  gbCommon->setObjectName(QStringLiteral("gbCommon"));
  auto* commonLayout = new QGridLayout(gbCommon);
  auto* lbInspection = new QLabel(QStringLiteral("Номер инспекции"), gbCommon);
  // Typed or picked. Any text is taken as it stands, so that a file's code is shown as the file
  // holds it; the page's check says what a code must be.
  edInspection = new TMaskedEdit(gbCommon, EditType::edtNone, 0);
  edInspection->setObjectName(QStringLiteral("edInspection"));
  edInspection->setFixedWidth(80);
  edInspection->setToolTip(QStringLiteral("Четыре цифры кода инспекции; или выберите ее в справочнике"));
  lbInspection->setBuddy(edInspection);
  btInspection = new QToolButton(gbCommon);
  btInspection->setObjectName(QStringLiteral("btInspection"));
  btInspection->setText(QStringLiteral("..."));
  btInspection->setToolTip(QStringLiteral("Справочник инспекций"));
  lbInspectionName = new QLabel(gbCommon);
  lbInspectionName->setObjectName(QStringLiteral("lbInspectionName"));
  lbInspectionName->setWordWrap(true);
  auto* lbCorrection = new QLabel(QStringLiteral("Номер корректировки"), gbCommon);
  edCorrection = new TMaskedEdit(gbCommon, EditType::edtDigital, 3);
  edCorrection->setObjectName(QStringLiteral("edCorrection"));
  edCorrection->setFixedWidth(56);
  lbCorrection->setBuddy(edCorrection);
  auto* btUp = new QToolButton(gbCommon);
  btUp->setObjectName(QStringLiteral("udCorrectionUp"));
  btUp->setArrowType(Qt::UpArrow);
  auto* btDown = new QToolButton(gbCommon);
  btDown->setObjectName(QStringLiteral("udCorrectionDown"));
  btDown->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {btUp, btDown}) b->setFixedSize(22, 22);
  const auto step = [this](int delta) {
    const int value = std::clamp(NumberOf(edCorrection->text()) + delta, 0, 999);
    edCorrection->setText(NumberField(value));
  };
  connect(btUp, &QToolButton::clicked, this, [step] { step(1); });
  connect(btDown, &QToolButton::clicked, this, [step] { step(-1); });
  commonLayout->addWidget(lbInspection, 0, 0);
  commonLayout->addWidget(edInspection, 0, 1);
  commonLayout->addWidget(btInspection, 0, 2);
  commonLayout->addWidget(lbInspectionName, 0, 3);
  commonLayout->addWidget(lbCorrection, 1, 0);
  auto* correctionRow = new QHBoxLayout;
  correctionRow->setSpacing(0);
  correctionRow->addWidget(edCorrection);
  correctionRow->addWidget(btUp);
  correctionRow->addWidget(btDown);
  correctionRow->addStretch();
  commonLayout->addLayout(correctionRow, 1, 1, 1, 2);
  commonLayout->setColumnStretch(3, 1);
  layout->addWidget(gbCommon);

  // Признак налогоплательщика
  auto* gbCategory = new QGroupBox(QStringLiteral("Признак налогоплательщика"), this);
  gbCategory->setObjectName(QStringLiteral("gbCategory"));
  auto* categoryLayout = new QGridLayout(gbCategory);
  auto* categoryGroup = new QButtonGroup(gbCategory);
  const QString categoryCaptions[] = {
      QStringLiteral("Глава фермерского хозяйства"), QStringLiteral("Индивидуальный предприниматель"),
      QStringLiteral("Частный нотариус"),            QStringLiteral("Адвокат"),
      QStringLiteral("Иное физическое лицо"),        QStringLiteral("Арбитражный управляющий")};
  for (int i = 0; i < 6; ++i) {
    const std::uint8_t category = kCategoryOrder[i];
    auto* rb = new QRadioButton(categoryCaptions[i], gbCategory);
    rb->setObjectName(QStringLiteral("rbCategory%1").arg(category));
    rbCategory[category] = rb;
    categoryGroup->addButton(rb, category);
    categoryLayout->addWidget(rb, i % 3, i / 3);
  }
  layout->addWidget(gbCategory);

  // Имеются доходы
  auto* gbIncomes = new QGroupBox(QStringLiteral("Имеются доходы"), this);
  gbIncomes->setObjectName(QStringLiteral("gbIncomes"));
  auto* incomesLayout = new QGridLayout(gbIncomes);
  cbRussian = new QCheckBox(QStringLiteral("Учитываемые \"справками о доходах физического лица\", доходы по договорам"),
                            gbIncomes);
  cbRussian->setObjectName(QStringLiteral("cbSection1"));
  lbNote = new QLabel(QStringLiteral("гр.-правового характера, авторским вознаграждениям, от продажи имущества и др."),
                            gbIncomes);
  lbNote->setObjectName(QStringLiteral("lbSection1Note"));
  lbNote->setIndent(cbRussian->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 6);
  cbForeign = new QCheckBox(QStringLiteral("В иностранной валюте"), gbIncomes);
  cbForeign->setObjectName(QStringLiteral("cbSection2"));
  cbBusiness = new QCheckBox(QStringLiteral("От предпринимательской деятельности"), gbIncomes);
  cbBusiness->setObjectName(QStringLiteral("cbSection4"));
  cbInvestTov = new QCheckBox(QStringLiteral("От участия в инвестиционных товариществах"), gbIncomes);
  cbInvestTov->setObjectName(QStringLiteral("cbSection16"));
  lbExpectedIncome = new QLabel(QStringLiteral("Предполагаемый доход"), gbIncomes);
  lbExpectedIncome->setObjectName(QStringLiteral("lbExpectedIncome"));
  edExpectedIncome = new TMaskedEdit(gbIncomes, EditType::edtCurrency, 12, 2);
  edExpectedIncome->setObjectName(QStringLiteral("edExpectedIncome"));
  edExpectedIncome->setFixedWidth(140);
  lbExpectedIncome->setBuddy(edExpectedIncome);
  incomesLayout->addWidget(cbRussian, 0, 0, 1, 3);
  incomesLayout->addWidget(lbNote, 1, 0, 1, 3);
  incomesLayout->addWidget(cbForeign, 2, 0, 1, 3);
  incomesLayout->addWidget(cbBusiness, 3, 0, 1, 3);
  incomesLayout->addWidget(cbInvestTov, 4, 0, 1, 3);
  incomesLayout->addWidget(lbExpectedIncome, 5, 0);
  incomesLayout->addWidget(edExpectedIncome, 5, 1);
  incomesLayout->setColumnStretch(2, 1);
  layout->addWidget(gbIncomes);

  // Достоверность подтверждается
  auto* gbSigner = new QGroupBox(QStringLiteral("Достоверность подтверждается"), this);
  gbSigner->setObjectName(QStringLiteral("gbSigner"));
  auto* signerLayout = new QGridLayout(gbSigner);
  auto* signerGroup = new QButtonGroup(gbSigner);
  const QString signerCaptions[] = {QStringLiteral("Лично"), QStringLiteral("Представителем - ФЛ"),
                                    QStringLiteral("Представителем - ЮЛ")};
  auto* signerRow = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    rbSigner[i] = new QRadioButton(signerCaptions[i], gbSigner);
    rbSigner[i]->setObjectName(QStringLiteral("rbSigner%1").arg(i));
    signerGroup->addButton(rbSigner[i], i);
    signerRow->addWidget(rbSigner[i]);
  }
  signerRow->addStretch();
  signerLayout->addLayout(signerRow, 0, 0, 1, 2);
  auto* lbName = new QLabel(QStringLiteral("ФИО"), gbSigner);
  edRepresentativeName = new TMaskedEdit(gbSigner, EditType::edtNone, 182);
  edRepresentativeName->setObjectName(QStringLiteral("edRepresentativeName"));
  lbName->setBuddy(edRepresentativeName);
  auto* lbDocument = new QLabel(QStringLiteral("Документ"), gbSigner);
  edRepresentativeDocument = new TMaskedEdit(gbSigner, EditType::edtNone, 0);
  edRepresentativeDocument->setObjectName(QStringLiteral("edRepresentativeDocument"));
  lbDocument->setBuddy(edRepresentativeDocument);
  lbRepresentativeOrganization = new QLabel(QStringLiteral("Организация - представитель"), gbSigner);
  lbRepresentativeOrganization->setObjectName(QStringLiteral("lbRepresentativeOrganization"));
  edRepresentativeOrganization = new TMaskedEdit(gbSigner, EditType::edtNone, 182);
  edRepresentativeOrganization->setObjectName(QStringLiteral("edRepresentativeOrganization"));
  lbRepresentativeOrganization->setBuddy(edRepresentativeOrganization);
  signerLayout->addWidget(lbName, 1, 0);
  signerLayout->addWidget(edRepresentativeName, 1, 1);
  signerLayout->addWidget(lbDocument, 2, 0);
  signerLayout->addWidget(edRepresentativeDocument, 2, 1);
  signerLayout->addWidget(lbRepresentativeOrganization, 3, 0);
  signerLayout->addWidget(edRepresentativeOrganization, 3, 1);
  signerLayout->setColumnStretch(1, 1);
  layout->addWidget(gbSigner);

  // The appendix count is kept, not offered.
  gbAppendix = new QGroupBox(QStringLiteral("Общее число листов подтверждающих документов"), this);
  gbAppendix->setObjectName(QStringLiteral("gbAppendix"));
  auto* appendixLayout = new QHBoxLayout(gbAppendix);
  edAppendixCount = new TMaskedEdit(gbAppendix, EditType::edtDigital, 4);
  edAppendixCount->setObjectName(QStringLiteral("edAppendixCount"));
  cbAutoCount = new QCheckBox(QStringLiteral("Автоматический подсчет"), gbAppendix);
  cbAutoCount->setObjectName(QStringLiteral("cbAutoCount"));
  appendixLayout->addWidget(edAppendixCount);
  appendixLayout->addWidget(cbAutoCount);
  gbAppendix->hide();
  layout->addWidget(gbAppendix);
  layout->addStretch();

  // Fill from the model.
  const std::uint8_t form = d.DeclarationForm <= kForm4 ? d.DeclarationForm : std::uint8_t{kForm3Resident};
  rbForm[form]->setChecked(true);
  edInspection->setText(FromModel(d.InspectionCode));
  inspectionName_ = d.InspectionName;
  if (inspectionName_.empty()) {
    if (const std::optional<InspectionChoice> known = Host().FindInspection(d.InspectionCode)) inspectionName_ = known->Name;
  }
  ShowInspectionName();
  btInspection->setEnabled(Host().InspectionsAvailable());
  edCorrection->setText(NumberField(d.CorrectionNumber));
  if (d.TaxpayerCategory < 7 && rbCategory[d.TaxpayerCategory] != nullptr) {
    rbCategory[d.TaxpayerCategory]->setChecked(true);
  }
  cbRussian->setChecked(d.HasSection(kSectionRussian));
  cbForeign->setChecked(d.HasSection(kSectionForeign));
  cbBusiness->setChecked(d.HasSection(kSectionBusiness));
  cbInvestTov->setChecked(d.HasSection(kSectionInvestTov));
  legacySections_ = d.Sections & kSectionLegacy;
  edExpectedIncome->setText(AmountField(d.ExpectedIncome));
  rbSigner[d.SignerKind <= 2 ? d.SignerKind : 0]->setChecked(true);
  edRepresentativeName->setText(FromModel(d.RepresentativeName));
  edRepresentativeDocument->setText(FromModel(d.RepresentativeDocument));
  edRepresentativeOrganization->setText(FromModel(d.RepresentativeOrganization));
  edAppendixCount->setText(NumberField(d.AppendixCount));
  ApplyForm(false);
  ApplySigner();
  filling_ = false;

  connect(btInspection, &QToolButton::clicked, this, &TfrInitialData::PickInspection);
  connect(edInspection, &TMaskedEdit::Change, this, &TfrInitialData::InspectionTyped);
  connect(edInspection, &QLineEdit::editingFinished, this, &TfrInitialData::ReportUnknownInspection);
  connect(formGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (!checked) return;
    ApplyForm(true);
    NotifyChanged();
  });
  connect(categoryGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) NotifyChanged();
  });
  connect(signerGroup, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (!checked) return;
    ApplySigner();
    NotifyChanged();
  });
  for (QCheckBox* box : {cbRussian, cbForeign, cbBusiness, cbInvestTov}) {
    connect(box, &QCheckBox::toggled, this, [this, box](bool ticked) { IncomeBoxToggled(box, ticked); });
  }
}

std::uint8_t TfrInitialData::ChosenForm() const {
  for (std::uint8_t i = 0; i < 3; ++i) {
    if (rbForm[i]->isChecked()) return i;
  }
  return kForm3Resident;
}

std::uint8_t TfrInitialData::ChosenSigner() const {
  for (std::uint8_t i = 0; i < 3; ++i) {
    if (rbSigner[i]->isChecked()) return i;
  }
  return 0;
}

std::uint8_t TfrInitialData::TickedSections() const {
  std::uint8_t sections = 0;
  if (cbRussian->isChecked()) sections |= kSectionRussian;
  if (cbForeign->isChecked()) sections |= kSectionForeign;
  if (cbBusiness->isChecked()) sections |= kSectionBusiness;
  if (cbInvestTov->isChecked()) sections |= kSectionInvestTov;
  return sections;
}

void TfrInitialData::ApplyForm(bool untick) {
  const std::uint8_t form = ChosenForm();
  const auto untickAndDisable = [untick](QCheckBox* box) {
    if (untick) box->setChecked(false);
    box->setEnabled(false);
  };
  if (form == kForm4) {
    for (QCheckBox* box : {cbRussian, cbForeign, cbBusiness, cbInvestTov}) untickAndDisable(box);
    lbNote->setEnabled(false);
    for (std::uint8_t category : {std::uint8_t{5}, std::uint8_t{6}}) {
      if (untick && rbCategory[category]->isChecked()) rbCategory[0]->setChecked(true);
      rbCategory[category]->setEnabled(false);
    }
    rbCategory[1]->setEnabled(true);
    lbExpectedIncome->show();
    edExpectedIncome->show();
    edExpectedIncome->setEnabled(true);
    lbRepresentativeOrganization->show();
    edRepresentativeOrganization->show();
    rbSigner[2]->show();
  } else {
    cbRussian->setEnabled(true);
    lbNote->setEnabled(true);
    cbInvestTov->setEnabled(true);
    if (form == kForm3NonResident) {
      untickAndDisable(cbForeign);
      untickAndDisable(cbBusiness);
    } else {
      cbForeign->setEnabled(true);
      cbBusiness->setEnabled(true);
    }
    for (std::uint8_t category : {std::uint8_t{1}, std::uint8_t{5}, std::uint8_t{6}}) {
      rbCategory[category]->setEnabled(true);
    }
    lbExpectedIncome->hide();
    edExpectedIncome->hide();
    lbRepresentativeOrganization->hide();
    edRepresentativeOrganization->hide();
    if (rbSigner[2]->isChecked()) rbSigner[1]->setChecked(true);
    rbSigner[2]->hide();
  }
  if (!filling_) UpdateDeductionButton();
}

void TfrInitialData::ApplySigner() {
  const std::uint8_t signer = ChosenSigner();
  edRepresentativeName->setEnabled(signer != 0);
  edRepresentativeDocument->setEnabled(signer != 0);
  edRepresentativeOrganization->setEnabled(signer == 2);
}

void TfrInitialData::UpdateDeductionButton() {
  Host().SetNavigationEnabled(NavButton::Deduction, TickedSections() != 0 && ChosenForm() == kForm3Resident);
}

void TfrInitialData::IncomeBoxToggled(QCheckBox* box, bool ticked) {
  if (filling_) return;
  if (box == cbRussian) {
    Host().SetNavigationEnabled(NavButton::RussianIncome, ticked);
    // The incomes of section 1 go at once, not only when the page stores.
    mTDeclaration& d = Declaration();
    if (!ticked) d.SetSections(static_cast<std::uint8_t>(d.Sections & ~kSectionRussian));
  } else if (box == cbForeign) {
    Host().SetNavigationEnabled(NavButton::ForeignIncome, ticked);
  } else if (box == cbBusiness) {
    Host().SetNavigationEnabled(NavButton::BusinessIncome, ticked);
    if (ticked) {
      edExpectedIncome->setEnabled(true);
    } else {
      edExpectedIncome->clear();
    }
  } else if (box == cbInvestTov) {
    Host().SetNavigationEnabled(NavButton::InvestTov, ticked);
  }
  UpdateDeductionButton();
  NotifyChanged();
}

void TfrInitialData::PickInspection() {
  if (!Host().InspectionsAvailable()) return;
  const std::string current = ToModel(edInspection->text());
  const std::optional<InspectionChoice> choice = Host().PickInspection(this, current);
  if (!choice || choice->Code == current) return;
  edInspection->setText(FromModel(choice->Code));
  // The row chosen, which need not be the first of its code.
  inspectionName_ = choice->Name;
  ShowInspectionName();
}

void TfrInitialData::ShowInspectionName() { lbInspectionName->setText(FromModel(inspectionName_)); }

void TfrInitialData::InspectionTyped() {
  if (filling_) return;
  const std::optional<InspectionChoice> known = Host().FindInspection(ToModel(edInspection->text()));
  inspectionName_ = known ? known->Name : std::string();
  ShowInspectionName();
}

void TfrInitialData::ReportUnknownInspection() {
  const std::string code = ToModel(edInspection->text());
  if (code == reportedUnknown_ || InspectionCodeError(code) || Host().FindInspection(code)) return;
  reportedUnknown_ = code;
  Host().Presenter().ShowMessage("Инспекции с кодом " + code +
                                     " нет в справочнике. Проверьте код или загрузите справочник СОУН.",
                                 kProductName, MessageIcon::Information);
}

void TfrInitialData::StoreData() {
  mTDeclaration& d = Declaration();
  d.DeclarationForm = ChosenForm();
  d.InspectionCode = ToModel(edInspection->text());
  d.InspectionName = inspectionName_;
  d.CorrectionNumber = NumberOf(edCorrection->text());
  for (std::uint8_t category = 0; category < 7; ++category) {
    if (rbCategory[category] != nullptr && rbCategory[category]->isChecked()) d.TaxpayerCategory = category;
  }
  d.ExpectedIncome = AmountOf(edExpectedIncome->text());
  d.SignerKind = ChosenSigner();
  const auto fieldText = [](const TMaskedEdit* edit) {
    return edit->isEnabled() ? ToModel(edit->text()) : std::string();
  };
  d.RepresentativeName = fieldText(edRepresentativeName);
  d.RepresentativeDocument = fieldText(edRepresentativeDocument);
  d.RepresentativeOrganization = fieldText(edRepresentativeOrganization);
  // Section 8 is offered by no page; a file that has it keeps it.
  d.SetSections(static_cast<std::uint8_t>(TickedSections() | legacySections_));
  d.ConditionsPending = 0;
  d.AppendixCount = NumberOf(edAppendixCount->text());
}

std::uint16_t TfrInitialData::CheckData() {
  return static_cast<std::uint16_t>(CheckConditionsPage(Declaration(), Host().Presenter()));
}

void TfrInitialData::ShowError(std::uint16_t code) {
  switch (code) {
    case 1:
      // No code yet: the picker, when there is a directory; a wrong code: the field, to mend it.
      if (Host().InspectionsAvailable() && edInspection->text().isEmpty()) {
        btInspection->setFocus();
        PickInspection();
      } else {
        edInspection->setFocus();
        edInspection->selectAll();
      }
      break;
    case 2:
      edExpectedIncome->setFocus();
      break;
    case 3:
      edRepresentativeName->setFocus();
      break;
    case 4:
      edRepresentativeDocument->setFocus();
      break;
    case 5:
      edRepresentativeOrganization->setFocus();
      break;
    default:
      break;
  }
}

}  // namespace talver
