// Pictures of the taxpayer pages, the incomes at 13 % page and their dialogs and pickers at the
// window's size of 1024 × 768, written under the build tree for a person to look at.
#include <QDir>
#include <QPixmap>
#include <QToolButton>
#include <QTreeWidget>

#include <fstream>

#include "tests/ui/support/UiTestSupport.h"
#include "ui/dialogs/CheckError.h"
#include "ui/framework/CompositePages.h"
#include "ui/dialogs/Input13Income.h"
#include "ui/dialogs/Input13SourseIncome.h"
#include "ui/pickers/Pickers.h"

namespace talver::test {
namespace {

using PagesScreenshotsTest = UiTest;

// A return typed in part: the taxpayer, a passport and an address, one employer with wages.
void Fill(mTDeclaration& d) {
  d.InspectionCode = "7701";
  mTPersonInformation& p = d.Person;
  p.Name.Surname = Utf8ToCp1251("Константинопольский");
  p.Name.FirstName = Utf8ToCp1251("Александр");
  p.Name.Patronymic = Utf8ToCp1251("Владимирович");
  p.Name.Inn = "500100732259";
  p.Document.DocTypeCode = 21;
  p.Document.DocTypeName = Utf8ToCp1251("Паспорт гражданина РФ");
  p.Document.DocSeriesNumber = "45 03 123456";
  p.Document.BirthDate = EncodeDate(1975, 5, 14);
  p.Document.DocIssueDate = EncodeDate(2003, 6, 1);
  p.Document.DocIssuedBy = Utf8ToCp1251("Отделением УФМС России по гор. Москве по району Замоскворечье");
  p.Document.BirthPlace = Utf8ToCp1251("гор. Москва");
  p.Foreigner.CitizenshipKind = "1";
  p.Address.RegionCode = 77;
  p.Address.RegionName = Utf8ToCp1251("г. Москва");
  p.Address.PostIndex = "115035";
  p.Address.City = Utf8ToCp1251("Москва");
  p.Address.Street = Utf8ToCp1251("Садовническая набережная");
  p.Address.House = "5";
  p.Address.Flat = "12";
  p.Address.Oktmo = "45376000";
  p.HomePhone.Second = "84951234567";
  mTThirteenPercent source;
  source.Name = Utf8ToCp1251("ООО \"Северное сияние\" (обособленное подразделение в г. Москве)");
  source.Inn = "7707083893";
  source.Kpp = "773601001";
  source.Oktmo = "45376000";
  source.TaxWithheld = Currency::FromRoubles(70200);
  for (std::uint16_t month = 1; month <= 12; ++month) {
    source.AddEntry({2000, Utf8ToCp1251("Заработная плата"), Currency::FromRoubles(45000), 0, {}, 0, month});
  }
  source.AddEntry({2010, "", Currency::FromRoubles(20000), 403, Currency::FromRoubles(6000), 0, 12});
  d.Sources13.Add(std::move(source));
  mTThirteenPercent second;
  second.Name = Utf8ToCp1251("Иванов Иван Иванович");
  second.Inn = "500100732259";
  d.Sources13.Add(std::move(second));
}

TEST_F(PagesScreenshotsTest, PagesAndDialogs) {
  std::filesystem::copy_file(std::filesystem::path(TALVER_RESOURCE_DIR) / "Oksm.xml",
                             programFolder / "resources" / "Oksm.xml");
  const QString file = WriteDeclaration(QStringLiteral("shots.tv6"), Fill);
  auto window = MakeWindow({file});
  window->show();
  window->resize(1024, 768);
  QApplication::processEvents();

  window->ShowPage(PageId::PersonData, NavButton::PrsonInfo);
  SaveShot(window.get(), "page-person-naim");
  Click(window.get(), "sbPersonAddress");
  SaveShot(window.get(), "page-person-address");
  window->ShowPage(PageId::RussianIncome, NavButton::RussianIncome);
  SaveShot(window.get(), "page-thirteen-percent");

  TfmInput13SourseIncome source(window.get(), presenter, false);
  source.SetSource({Utf8ToCp1251("ООО \"Северное сияние\""), "7707083893", "773601001", "45376000", 1});
  source.show();
  SaveShot(&source, "dialog-source");
  source.hide();

  TfmInput13Income income(window.get(), presenter, false);
  income.SetEntry({2010, "", Currency::FromRoubles(20000), 403, Currency::FromRoubles(6000), 0, 12});
  income.show();
  SaveShot(&income, "dialog-income");
  income.SetEntry({1211, "", Currency::FromRoubles(15000), 510, Currency::FromRoubles(12000), 0, 3});
  SaveShot(&income, "dialog-income-1211");
  income.hide();
  // The error of an entry dialog that cannot be skipped.
  TfmCheckError error(window.get());
  error.SetTitle(QStringLiteral("Доходы, облагаемые по ставке 13%"));
  error.SetMessage(QStringLiteral("Сумма вычета превышает сумму дохода"));
  error.SetSkipEnabled(false);
  error.SetSkipAllEnabled(false);
  error.show();
  SaveShot(&error, "dialog-income-error");
  error.hide();

  TfmInput13Income empty(window.get(), presenter, true);
  empty.show();
  SaveShot(&empty, "dialog-income-nonresident");
  empty.hide();

  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  TfmInputIncomeCode incomes(window.get(), dictionary, "13", false);
  incomes.show();
  incomes.List()->setCurrentItem(incomes.List()->topLevelItem(10));
  SaveShot(&incomes, "picker-income-codes");
  incomes.hide();
  TfmInputDeductCode deductions(window.get(), dictionary, "1530", true);
  deductions.show();
  SaveShot(&deductions, "picker-deduction-codes");
  deductions.hide();
  TfmBuiltInPicker regions(window.get(), TBuiltInTable::Regions);
  regions.show();
  SaveShot(&regions, "picker-regions");
  regions.hide();
  TfmBuiltInPicker documents(window.get(), TBuiltInTable::DocumentTypes);
  documents.show();
  SaveShot(&documents, "picker-document-types");
  documents.hide();
  ASSERT_NE(window->Countries(), nullptr);
  TfmCountries countries(window.get(), *window->Countries());
  countries.show();
  SaveShot(&countries, "picker-countries");
  countries.hide();
}

TEST_F(PagesScreenshotsTest, FourNdflAndNonResident) {
  const QString file4 = WriteDeclaration(QStringLiteral("form4.tv6"), [](mTDeclaration& d) {
    Fill(d);
    d.DeclarationForm = kForm4;
  });
  auto window = MakeWindow({file4});
  window->show();
  window->resize(1024, 768);
  window->ShowPage(PageId::PersonData, NavButton::PrsonInfo);
  SaveShot(window.get(), "page-person-naim-4ndfl");

  const QString fileNr = WriteDeclaration(QStringLiteral("nr.tv6"), [](mTDeclaration& d) {
    Fill(d);
    d.DeclarationForm = kForm3NonResident;
  });
  auto nr = MakeWindow({fileNr});
  nr->show();
  nr->resize(1024, 768);
  nr->ShowPage(PageId::RussianIncome, NavButton::RussianIncome);
  SaveShot(nr.get(), "page-thirteen-percent-nonresident");
}

}  // namespace
}  // namespace talver::test
