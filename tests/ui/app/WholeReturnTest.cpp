// A whole return typed as a user types it, through the windows only: the conditions with the
// inspection from its picker, the taxpayer with a passport and an address, one employer with
// twelve months of wages, the standard deductions left as they are. It is saved, opened again,
// checked and exported; the file equals the export of the same return put together by the core
// (with the same date and GUID), byte for byte. The same return with its inspection typed.
#include <QDateEdit>
#include <QDir>
#include <QLabel>

#include <fstream>
#include <sstream>

#include "tests/ui/support/EntryTestSupport.h"
#include "export/ExportDriver.h"

namespace talver::test {
namespace {

constexpr char kGuid[] = "0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E21";

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The same return as the core keeps it, written field by field.
mTDeclaration CoreTwin(TDate signDate) {
  mTDeclaration d;
  d.SetSections(kSectionRussian);
  d.DeclarationForm = kForm3Resident;
  d.InspectionCode = "5001";
  d.InspectionName = Utf8ToCp1251("ИФНС России по г. Балашихе Московской области");
  d.SignDate = signDate;
  d.SignerKind = 0;
  d.TaxpayerCategory = 5;
  mTPersonInformation& p = d.Person;
  p.Name.Surname = Utf8ToCp1251("Иванов");
  p.Name.FirstName = Utf8ToCp1251("Иван");
  p.Name.Patronymic = Utf8ToCp1251("Иванович");
  p.Name.Inn = "500100732259";
  p.Document.BirthDate = EncodeDate(1980, 7, 12);
  p.Document.BirthPlace = Utf8ToCp1251("г. Балашиха Московской обл.");
  p.Document.DocTypeCode = 21;
  p.Document.DocTypeName = Utf8ToCp1251("Паспорт гражданина РФ");
  p.Document.DocSeriesNumber = "46 08 123456";
  p.Document.DocIssueDate = EncodeDate(2008, 4, 15);
  p.Document.DocIssuedBy = Utf8ToCp1251("ТП УФМС России по Московской обл. в г. Балашиха");
  p.Foreigner.CitizenshipKind = "1";
  p.Address.PostIndex = "143900";
  p.Address.RegionCode = 50;
  p.Address.RegionName = Utf8ToCp1251("Московская область");
  p.Address.City = Utf8ToCp1251("Балашиха г");
  p.Address.Street = Utf8ToCp1251("Ленина пр-кт");
  p.Address.House = "32";
  p.Address.Building = Utf8ToCp1251("А");
  p.Address.Flat = "117";
  p.Address.Oktmo = "46704000";
  p.HomePhone.Second = "84955210000";
  mTThirteenPercent& employer = d.Sources13.Get(d.Sources13.Add());
  employer.Name = Utf8ToCp1251("ООО \"Ромашка\"");
  employer.Inn = "7707083893";
  employer.Kpp = "500101001";
  employer.Oktmo = "46704000";
  employer.StandardDeductSource = 1;
  const std::string wages = Utf8ToCp1251(
      "Заработная плата и другие выплаты во исполнение трудового договора (кроме договоров ГП характера)");
  for (std::uint16_t month = 1; month <= 12; ++month) {
    employer.AddEntry({2000, wages, Currency::FromRoubles(45000), 0, {}, 0, month});
  }
  employer.TaxWithheld = Currency::FromRoubles(70200);
  employer.TaxComputed = Currency::FromRoubles(70200);
  employer.TaxableIncome = Currency::FromRoubles(540000);
  return d;
}

// A date typed into its picker, section by section as the user clicks into each.
void TypeDate(QDateEdit* date, const QDate& value) {
  date->setFocus();
  const std::pair<QDateTimeEdit::Section, QString> sections[] = {
      {QDateTimeEdit::DaySection, QStringLiteral("%1").arg(value.day(), 2, 10, QLatin1Char('0'))},
      {QDateTimeEdit::MonthSection, QStringLiteral("%1").arg(value.month(), 2, 10, QLatin1Char('0'))},
      {QDateTimeEdit::YearSection, QString::number(value.year())}};
  for (const auto& [section, digits] : sections) {
    date->setSelectedSection(section);
    QTest::keyClicks(date, digits);
  }
}

class WholeReturnTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    check = &CheckDeclaration;
    exporter = [](const std::filesystem::path& folder, mTDeclaration& d, int mode, IPresenter& p) {
      return ExportDeclaration(folder, d, mode, p, Dates());
    };
    WriteInspections(
        "<?xml version=\"1.0\" encoding=\"windows-1251\"?><Inspections Version=\"00\" Date=\"01.02.2017\">"
        "<Inspection Code=\"0105\">ИФНС России по г. Майкопу</Inspection>"
        "<Inspection Code=\"5001\">ИФНС России по г. Балашихе Московской области</Inspection>"
        "</Inspections>");
  }
  static ExportEnvironment Dates() {
    return {[] { return EncodeDate(2017, 2, 14); }, [] { return std::string(kGuid); }};
  }
};

TEST_F(WholeReturnTest, TypedSavedReopenedCheckedAndExported) {
  auto window = MakeWindow();
  window->show();

  // Conditions: the inspection from its picker; a resident's return of an individual.
  AnswerPicker(QStringLiteral("5001"));
  Click(window.get(), "btInspection");

  // The taxpayer.
  Click(window.get(), "fbPrsonInfo");
  ASSERT_EQ(SubPageName(*window), "TfrPersonNaim");
  TypeText(Find(window.get(), "edSurname"), QStringLiteral("Иванов"));
  TypeText(Find(window.get(), "edFirstName"), QStringLiteral("Иван"));
  TypeText(Find(window.get(), "edPatronymic"), QStringLiteral("Иванович"));
  TypeText(Find(window.get(), "edInn"), QStringLiteral("500100732259"));
  TypeDate(Find<QDateEdit>(window.get(), "dtBirthDate"), QDate(1980, 7, 12));
  ASSERT_EQ(Find<QDateEdit>(window.get(), "dtBirthDate")->date(), QDate(1980, 7, 12));
  TypeText(Find(window.get(), "edBirthPlace"), QStringLiteral("г. Балашиха Московской обл."));
  AnswerPicker(QStringLiteral("21"));
  Click(window.get(), "btDocType");
  TypeText(Find(window.get(), "edDocSeriesNumber"), QStringLiteral("4608123456"));
  TypeDate(Find<QDateEdit>(window.get(), "dtDocIssueDate"), QDate(2008, 4, 15));
  ASSERT_EQ(Find<QDateEdit>(window.get(), "dtDocIssueDate")->date(), QDate(2008, 4, 15));
  TypeText(Find(window.get(), "edDocIssuedBy"), QStringLiteral("ТП УФМС России по Московской обл. в г. Балашиха"));

  Click(window.get(), "sbPersonAddress");
  ASSERT_EQ(SubPageName(*window), "TfrPersonAddress") << "the personal data pass their check";
  TypeText(Find(window.get(), "edPostIndex"), QStringLiteral("143900"));
  AnswerPicker(QStringLiteral("50"));
  Click(window.get(), "btRegion");
  TypeText(Find(window.get(), "edCity"), QStringLiteral("Балашиха г"));
  TypeText(Find(window.get(), "edStreet"), QStringLiteral("Ленина пр-кт"));
  TypeText(Find(window.get(), "edHouse"), QStringLiteral("32"));
  TypeText(Find(window.get(), "edBuilding"), QStringLiteral("А"));
  TypeText(Find(window.get(), "edFlat"), QStringLiteral("117"));
  TypeText(Find(window.get(), "edOktmo"), QStringLiteral("46704000"));
  TypeText(Find(window.get(), "edPhone"), QStringLiteral("84955210000"));

  // One employer, January's wage in the dialog and the other months repeated from it.
  Click(window.get(), "fbRussianIncome");
  ASSERT_EQ(SubPageName(*window), "TfrThirteenPercent") << "the address passes its check";
  WhenModal([](QWidget* dialog) {
    TypeText(Find(dialog, "edName"), QStringLiteral("ООО \"Ромашка\""));
    TypeText(Find(dialog, "edInn"), QStringLiteral("7707083893"));
    TypeText(Find(dialog, "edKpp"), QStringLiteral("500101001"));
    TypeText(Find(dialog, "edOktmo"), QStringLiteral("46704000"));
    Click(dialog, "cbStandardDeductSource");
    QTest::keyClick(Find(dialog, "edOktmo"), Qt::Key_Return);
  });
  Click(window.get(), "btAddSource");
  WhenModal([](QWidget* dialog) {
    AnswerPicker(QStringLiteral("2000"));
    Click(dialog, "btIncomeCode");
    TypeText(Find(dialog, "edIncomeAmount"), QStringLiteral("45000"));
    TypeText(Find(dialog, "edMonth"), QStringLiteral("1"));
    Click(dialog, "btYes");
  });
  Click(window.get(), "btAddIncome");
  for (int month = 2; month <= 12; ++month) Click(window.get(), "btRepeatIncome");
  TypeText(Find(window.get(), "edTaxWithheld"), QStringLiteral("70200"));
  TypeText(Find(window.get(), "edTaxComputed"), QStringLiteral("70200"));
  TypeText(Find(window.get(), "edTaxableIncome"), QStringLiteral("540000"));
  EXPECT_EQ(Find<QLineEdit>(window.get(), "edIncomeTotal")->text(), QStringLiteral("540000"));
  Click(window.get(), "fbInitialData");
  ASSERT_EQ(PageName(*window), "TfrInitialData");
  EXPECT_TRUE(presenter.Checks.empty()) << "no page found an error";

  const QString file = dir.filePath(QStringLiteral("wages.tv6"));
  dialogs.SaveNames = {file};
  window->SaveAsDoc();
  ASSERT_TRUE(window->Saved());
  const TDate signDate = window->Declaration().SignDate;
  window.reset();

  // Opened again: the check passes and the export writes the file.
  auto reopened = MakeWindow({file});
  reopened->show();
  EXPECT_EQ(reopened->Declaration().Sources13.Get(0).EntryCount(), 12u);
  reopened->CheckDoc();
  ASSERT_EQ(presenter.MessageTexts(), std::vector<std::string>{"Проверка декларации завершена успешно"});
  const std::filesystem::path out = ToPath(dir.path()) / "out";
  std::filesystem::create_directories(out);
  dialogs.Folders = {FromPath(out)};
  reopened->ExportDoc();
  const std::string name = std::string("NO_NDFL3_5001_5001_500100732259_20170214_") + kGuid + ".xml";
  ASSERT_EQ(presenter.Messages.size(), 2u);
  EXPECT_EQ(presenter.Messages[1].Text, "Сформирован файл " + out.string() + "/ " + name);
  const std::string typed = ReadBytes(out / name);
  ASSERT_FALSE(typed.empty());

  // The core's twin of the same return.
  mTDeclaration twin = CoreTwin(signDate);
  ScriptedPresenter quiet;
  const std::string expected = ExportDeclaration({}, twin, kExportToText, quiet, Dates());
  EXPECT_TRUE(quiet.Messages.empty());
  EXPECT_EQ(typed, expected);
  EXPECT_NE(expected.find(Utf8ToCp1251("Фамилия=\"ИВАНОВ\"")), std::string::npos);
  EXPECT_NE(expected.find("540000"), std::string::npos);
}

// The inspection typed on the conditions page over the shipped directory, as a taxpayer of
// Moscow types it: refused while it is no four digits of a region, a well-formed code the
// directory lacks said to be unknown once and kept, a known one shown with its name, checked
// and exported under it.
TEST_F(WholeReturnTest, TheInspectionTypedOnTheConditionsPage) {
  WriteInspections(Cp1251ToUtf8(ReadBytes(std::filesystem::path(TALVER_SOURCE_DIR) / "resources" / "InspectionNumbers.xml")));
  const TDate signDate = EncodeDate(2017, 2, 14);
  const QString file = WriteDeclaration(QStringLiteral("moscow.tv6"), [signDate](mTDeclaration& d) {
    d = CoreTwin(signDate);
    d.InspectionCode.clear();
    d.InspectionName.clear();
  });
  auto window = MakeWindow({file});
  window->show();
  window->resize(1024, 768);
  ASSERT_EQ(PageName(*window), "TfrInitialData");
  auto* code = Find<TMaskedEdit>(window.get(), "edInspection");
  auto* name = Find<QLabel>(window.get(), "lbInspectionName");
  EXPECT_FALSE(code->isReadOnly());

  const std::pair<const char*, const char*> wrong[] = {
      {"77A1", "Номер инспекции должен состоять из четырех цифр"},
      {"8801", "Первые две цифры номера инспекции (88) не являются кодом региона"},
  };
  for (const auto& [typed, message] : wrong) {
    SCOPED_TRACE(typed);
    Retype(code, QString::fromUtf8(typed));
    presenter.CheckAnswers = {CheckAnswer::Fix};
    window->CheckDoc();
    ASSERT_EQ(presenter.Checks.size(), 1u);
    EXPECT_EQ(presenter.Checks[0].Title, "Задание условий");
    EXPECT_EQ(presenter.Checks[0].Message, message);
    EXPECT_EQ(window->CurrentPage()->focusWidget(), code) << "the field, to mend the code";
    EXPECT_EQ(code->text(), QString::fromUtf8(typed)) << "kept as typed";
    presenter.Checks.clear();
  }
  EXPECT_TRUE(presenter.Messages.empty()) << "a code that is no code is not looked up";

  // A code of a region that the directory does not hold: said once, kept, and it passes.
  const std::string unknown = "Инспекции с кодом 7798 нет в справочнике. Проверьте код или загрузите справочник СОУН.";
  Retype(code, QStringLiteral("7798"));
  QTest::keyClick(code, Qt::Key_Return);
  QTest::keyClick(code, Qt::Key_Return);
  Find(window.get(), "edCorrection")->setFocus();
  EXPECT_EQ(presenter.MessageTexts(), std::vector<std::string>{unknown});
  EXPECT_TRUE(name->text().isEmpty());
  window->CheckDoc();
  EXPECT_EQ(presenter.MessageTexts(), (std::vector<std::string>{unknown, "Проверка декларации завершена успешно"}));
  EXPECT_EQ(window->Declaration().InspectionCode, "7798");
  presenter.Messages.clear();

  // Moscow's first inspection, which the directory knows: its name beside the code.
  const QString moscow = QStringLiteral("Инспекция Федеральной налоговой службы № 1 по г.Москве");
  Retype(code, QStringLiteral("7701"));
  QTest::keyClick(code, Qt::Key_Return);
  EXPECT_EQ(name->text(), moscow);
  SaveShot(window.get(), "conditions-inspection-typed");
  EXPECT_TRUE(name->isVisible());
  EXPECT_GE(name->height(), name->heightForWidth(name->width())) << "the name is not cut";
  EXPECT_LE(name->geometry().right(), name->parentWidget()->contentsRect().right());
  window->CheckDoc();
  ASSERT_EQ(presenter.MessageTexts(), std::vector<std::string>{"Проверка декларации завершена успешно"});
  EXPECT_EQ(window->Declaration().InspectionName, ToModel(moscow)) << "stored as the picker stores it";

  const std::filesystem::path out = ToPath(dir.path()) / "out";
  std::filesystem::create_directories(out);
  dialogs.Folders = {FromPath(out)};
  window->ExportDoc();
  const std::string exported = ReadBytes(out / (std::string("NO_NDFL3_7701_7701_500100732259_20170214_") + kGuid + ".xml"));
  EXPECT_NE(exported.find(Utf8ToCp1251("КодНО=\"7701\"")), std::string::npos);
  mTDeclaration twin = CoreTwin(signDate);
  twin.InspectionCode = "7701";
  twin.InspectionName = ToModel(moscow);
  ScriptedPresenter quiet;
  EXPECT_EQ(exported, ExportDeclaration({}, twin, kExportToText, quiet, Dates()));
}

}  // namespace
}  // namespace talver::test
