// The taxpayer pages: the series-and-number shapes and their typing aids, the document type,
// region and country pickers, the page checks with the 14-year rule, the 4-НДФЛ variant and
// what the pages store.
#include <QDateEdit>
#include <QGroupBox>
#include <QRadioButton>
#include <QToolButton>

#include <fstream>

#include "tests/ui/support/EntryTestSupport.h"
#include "ui/framework/CompositePages.h"
#include "ui/widgets/MaskedDocEdit.h"

namespace talver::test {
namespace {

// A taxpayer who passes both page checks: a citizen with a passport and an address.
void Person(mTDeclaration& d) {
  d.InspectionCode = "5001";
  mTPersonInformation& p = d.Person;
  p.Name.Surname = Utf8ToCp1251("Иванов");
  p.Name.FirstName = Utf8ToCp1251("Иван");
  p.Name.Patronymic = Utf8ToCp1251("Иванович");
  p.Name.Inn = "500100732259";
  p.Document.DocTypeCode = 21;
  p.Document.DocTypeName = Utf8ToCp1251("Паспорт гражданина РФ");
  p.Document.DocSeriesNumber = "46 08 123456";
  p.Document.DocIssueDate = EncodeDate(2008, 4, 15);
  p.Document.DocIssuedBy = Utf8ToCp1251("ТП УФМС России по Московской обл. в г. Балашиха");
  p.Document.BirthDate = EncodeDate(1980, 7, 12);
  p.Document.BirthPlace = Utf8ToCp1251("г. Балашиха");
  p.Address.PostIndex = "143900";
  p.Address.RegionCode = 50;
  p.Address.RegionName = Utf8ToCp1251("Московская область");
  p.Address.City = Utf8ToCp1251("Балашиха");
  p.Address.Street = Utf8ToCp1251("Ленина пр-кт");
  p.Address.Oktmo = "46704000";
}

class TaxpayerPagesTest : public UiTest {
 protected:
  // The window on the taxpayer page over a return written with `fill`.
  std::unique_ptr<TFormMain> OpenPersonPage(const std::function<void(mTDeclaration&)>& fill) {
    auto window = MakeWindow({WriteDeclaration(QStringLiteral("person.tv6"), fill)});
    window->show();
    window->ShowPage(PageId::PersonData, NavButton::PrsonInfo);
    EXPECT_EQ(SubPageName(*window), "TfrPersonNaim");
    return window;
  }
  void InstallCountries() {
    std::filesystem::copy_file(std::filesystem::path(TALVER_RESOURCE_DIR) / "Oksm.xml",
                               programFolder / "resources" / "Oksm.xml");
  }
  static TMaskedDocEdit* Series(QWidget* window) { return Find<TMaskedDocEdit>(window, "edDocSeriesNumber"); }
};

// ---------------------------------------------------------------------------------------------
// Series and number

TEST(MaskedDocEditTest, EachShapeWithItsTypingAids) {
  struct Case {
    const char* Name;
    TDocumentMaskEnum Mask;
    const char* Typed;  // UTF-8, one key per character
    const char* Shown;
  };
  const Case cases[] = {
      {"passport without blanks", TDocumentMaskEnum::edt99_, "4503123456", "45 03 123456"},
      {"a seventh digit in the last group", TDocumentMaskEnum::edt99_, "45031234567", "45 03 123456"},
      {"typed blanks are dropped", TDocumentMaskEnum::edt99_, "45 03 123456", "45 03 123456"},
      {"two digits and seven", TDocumentMaskEnum::edt99, "123456789", "12 3456789"},
      {"letters become capitals", TDocumentMaskEnum::edtBB, "аб123456", "АБ 123456"},
      {"latin letters refused", TDocumentMaskEnum::edtBB, "ab12", ""},
      {"a digit among the letters refused", TDocumentMaskEnum::edtBB, "а1", "А"},
      {"seven digits after the letters", TDocumentMaskEnum::edtBB0, "вп12345678", "ВП 1234567"},
      {"latin letters refused before five digits", TDocumentMaskEnum::edtBB5, "ab", ""},
      {"five digits after the letters", TDocumentMaskEnum::edtBB5, "ИЮ123456", "ИЮ 12345"},
      {"a Roman numeral, letters and digits", TDocumentMaskEnum::edtR_BB, "xiv-аб123456", "XIV-АБ 123456"},
      {"IIII is not a numeral", TDocumentMaskEnum::edtR_BB, "IIII", "III"},
      {"VX is not a numeral", TDocumentMaskEnum::edtR_BB, "VX", "V"},
      {"Cyrillic х and then 1", TDocumentMaskEnum::edtR_BB, "х1", "XI"},
      {"look-alike keys of the numeral", TDocumentMaskEnum::edtR_BB, "сУл", "CV"},
      {"CL from their look-alikes", TDocumentMaskEnum::edtR_BB, "сл", "CL"},
      {"a second dash", TDocumentMaskEnum::edtR_BB, "I--АБ", "I-АБ"},
      {"no numeral, no dash", TDocumentMaskEnum::edtR_BB, "-", ""},
      {"any text of 20", TDocumentMaskEnum::edtNone1, "Паспорт № 1234567890123", "Паспорт № 1234567890"},
      {"any text of 14", TDocumentMaskEnum::edtNone2, "AB 123456789012", "AB 12345678901"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TMaskedDocEdit edit;
    edit.setDocumentMask(c.Mask);
    edit.setFocus();
    TypeText(&edit, QString::fromUtf8(c.Typed));
    EXPECT_EQ(edit.text().toStdString(), c.Shown);
  }
}

TEST(MaskedDocEditTest, ATextThatDoesNotFitIsPutBack) {
  TMaskedDocEdit edit;
  edit.setText(QStringLiteral("свидетельство"));  // any text while the shape is the initial one
  edit.setDocumentMask(TDocumentMaskEnum::edtR_BB);
  EXPECT_EQ(edit.text(), QStringLiteral("свидетельство")) << "a new shape leaves the text as it is";
  edit.end(false);
  TypeText(&edit, QStringLiteral("1"));
  EXPECT_EQ(edit.text(), QStringLiteral("свидетельство")) << "but every edit must fit it";
  edit.setText(QStringLiteral("XC-ЖЖ 1"));
  EXPECT_EQ(edit.text(), QStringLiteral("XC-ЖЖ 1"));
  edit.setText(QStringLiteral("XCX"));
  EXPECT_EQ(edit.text(), QStringLiteral("XC-ЖЖ 1")) << "pasted text is checked too";
  edit.clear();
  EXPECT_TRUE(edit.text().isEmpty());
  EXPECT_TRUE(DocumentTextAccepted(TDocumentMaskEnum::edtR_BB, QStringLiteral("CLXXXVIII-ЮЯ 1")));
  EXPECT_FALSE(DocumentTextAccepted(TDocumentMaskEnum::edtR_BB, QStringLiteral("CCLXXXVIII"))) << "ten characters";
  EXPECT_FALSE(DocumentTextAccepted(TDocumentMaskEnum::edt99, QStringLiteral("12\n")));
}

TEST_F(TaxpayerPagesTest, ChoosingADocumentTypeStartsTheDocumentAfresh) {
  auto window = OpenPersonPage([](mTDeclaration& d) {
    Person(d);
    d.Person.Document.DocTypeCode = 0;
    d.Person.Document.DocTypeName.clear();
  });
  EXPECT_FALSE(Series(window.get())->isEnabled()) << "no document type yet";
  EXPECT_FALSE(Find(window.get(), "edDocIssuedBy")->isEnabled());
  EXPECT_TRUE(window->Saved());

  PickerSeen seen;
  AnswerPicker(QStringLiteral("21"), &seen);
  Click(window.get(), "btDocType");
  EXPECT_EQ(seen.Caption, QStringLiteral("Справочник видов документов"));
  EXPECT_EQ(seen.Codes.size(), 14u);
  EXPECT_TRUE(seen.Current.isEmpty()) << "with no type the picker looks for 01, which it does not have";
  EXPECT_EQ(Find<QLineEdit>(window.get(), "pnDocType")->text(), QStringLiteral("Паспорт гражданина РФ"));
  EXPECT_FALSE(window->Saved());
  ASSERT_TRUE(Series(window.get())->isEnabled());
  EXPECT_EQ(Find<QDateEdit>(window.get(), "dtDocIssueDate")->date(), QDate(1990, 1, 1));
  EXPECT_TRUE(Find<QLineEdit>(window.get(), "edDocIssuedBy")->text().isEmpty()) << "the issuer of the old one goes";

  Series(window.get())->setFocus();
  TypeText(Series(window.get()), QStringLiteral("45031234567"));
  EXPECT_EQ(Series(window.get())->text(), QStringLiteral("45 03 123456"));
  Find<QDateEdit>(window.get(), "dtDocIssueDate")->setDate(QDate(2003, 6, 1));

  // The same type again changes nothing.
  AnswerPicker(QStringLiteral("21"), &seen);
  Click(window.get(), "btDocType");
  EXPECT_EQ(Series(window.get())->text(), QStringLiteral("45 03 123456"));
  EXPECT_EQ(Find<QDateEdit>(window.get(), "dtDocIssueDate")->date(), QDate(2003, 6, 1));

  // Another type empties the number and the issuer.
  Retype(Find<QLineEdit>(window.get(), "edDocIssuedBy"), QStringLiteral("ОВД"));
  AnswerPicker(QStringLiteral("10"));
  Click(window.get(), "btDocType");
  EXPECT_TRUE(Series(window.get())->text().isEmpty());
  EXPECT_TRUE(Find<QLineEdit>(window.get(), "edDocIssuedBy")->text().isEmpty());
  EXPECT_EQ(Find<QDateEdit>(window.get(), "dtDocIssueDate")->date(), QDate(1990, 1, 1));
  TypeText(Series(window.get()), QStringLiteral("FE 123456"));
  EXPECT_EQ(Series(window.get())->text(), QStringLiteral("FE 123456")) << "a foreign passport takes any text";

  window->CurrentPage()->StoreData();
  const mTPersonDoc& doc = window->Declaration().Person.Document;
  EXPECT_EQ(doc.DocTypeCode, 10);
  EXPECT_EQ(doc.DocTypeName, Utf8ToCp1251("Паспорт иностранного гражданина"));
  EXPECT_EQ(doc.DocSeriesNumber, "FE 123456");
  EXPECT_EQ(doc.DocIssueDate, EncodeDate(1990, 1, 1));
}

TEST_F(TaxpayerPagesTest, AStoredBirthCertificateIsShownAsStoredAndEditedInItsShape) {
  auto window = OpenPersonPage([](mTDeclaration& d) {
    Person(d);
    d.Person.Document.DocTypeCode = 3;
    d.Person.Document.DocTypeName =
        Utf8ToCp1251("Свидетельство о рождении, оформленное в соответствии с законодательством РФ");
    d.Person.Document.DocSeriesNumber = Utf8ToCp1251("св-во 123");
  });
  TMaskedDocEdit* series = Series(window.get());
  EXPECT_EQ(series->text(), QStringLiteral("св-во 123"));
  EXPECT_EQ(series->documentMask(), TDocumentMaskEnum::edtR_BB);
  series->setFocus();
  series->end(false);
  TypeText(series, QStringLiteral("4"));
  EXPECT_EQ(series->text(), QStringLiteral("св-во 123"));
  series->selectAll();
  TypeText(series, QStringLiteral("iv-мю654321"));
  EXPECT_EQ(series->text(), QStringLiteral("IV-МЮ 654321"));
}

// ---------------------------------------------------------------------------------------------
// The page checks

TEST_F(TaxpayerPagesTest, WithoutINNTheBirthplaceAndTheDocumentAreAskedFor) {
  auto window = OpenPersonPage([](mTDeclaration& d) {
    Person(d);
    d.Person.Name.Inn.clear();
    d.Person.Document.BirthPlace.clear();
    d.Person.Document.DocTypeCode = 0;
    d.Person.Document.DocTypeName.clear();
  });
  presenter.CheckAnswers = {CheckAnswer::Skip, CheckAnswer::Skip, CheckAnswer::Fix};
  AnswerPicker(QString());  // "Исправить" on the document opens its picker
  Click(window.get(), "sbPersonAddress");
  std::vector<std::string> shown;
  for (const auto& c : presenter.Checks) shown.push_back(c.Message);
  EXPECT_EQ(shown, (std::vector<std::string>{"Не указан ИНН", "Не указано место рождения",
                                             "Не указан документ, удостоверяющий личность"}));
  EXPECT_EQ(presenter.Checks[0].Title, "Сведения о декларанте");
  EXPECT_EQ(SubPageName(*window), "TfrPersonNaim");
  EXPECT_EQ(window->CurrentPage()->focusWidget(), Find<QWidget>(window.get(), "btDocType"));

  // "Пропустить все" lets the user go.
  presenter.CheckAnswers = {CheckAnswer::SkipAll};
  Click(window.get(), "sbPersonAddress");
  EXPECT_EQ(SubPageName(*window), "TfrPersonAddress");
}

TEST_F(TaxpayerPagesTest, ADocumentIsIssuedFourteenYearsAfterBirthAtTheEarliest) {
  struct Case {
    const char* Name;
    std::uint16_t DocType;
    QDate Birth, Issue;
    bool Fails;
  };
  const Case cases[] = {
      {"born on 29 February, issued on 28 February 14 years on", 21, {2000, 2, 29}, {2014, 2, 28}, false},
      {"a day earlier", 21, {2000, 2, 29}, {2014, 2, 27}, true},
      {"a military card", 7, {1990, 6, 15}, {2004, 6, 14}, true},
      {"an officer's card on the birthday", 24, {1990, 6, 15}, {2004, 6, 15}, false},
      {"a birth certificate has no such rule", 3, {2000, 2, 29}, {2000, 3, 10}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    presenter.Checks.clear();
    auto window = OpenPersonPage([&c](mTDeclaration& d) {
      Person(d);
      d.Person.Document.DocTypeCode = c.DocType;
      d.Person.Document.DocSeriesNumber = "1";
    });
    Find<QDateEdit>(window.get(), "dtBirthDate")->setDate(c.Birth);
    Find<QDateEdit>(window.get(), "dtDocIssueDate")->setDate(c.Issue);
    if (c.Fails) presenter.CheckAnswers = {CheckAnswer::Fix};
    Click(window.get(), "sbPersonAddress");
    if (!c.Fails) {
      EXPECT_TRUE(presenter.Checks.empty());
      EXPECT_EQ(SubPageName(*window), "TfrPersonAddress");
      continue;
    }
    ASSERT_EQ(presenter.Checks.size(), 1u);
    EXPECT_EQ(presenter.Checks[0].Message, "Дата выдачи документа должна быть больше даты рождения как минимум на 14 лет");
    EXPECT_EQ(SubPageName(*window), "TfrPersonNaim");
    EXPECT_EQ(window->CurrentPage()->focusWidget(), Find<QWidget>(window.get(), "dtDocIssueDate"));
  }
}

TEST_F(TaxpayerPagesTest, TheAddressPageAsksForARegionAndASettlement) {
  auto window = OpenPersonPage([](mTDeclaration& d) {
    Person(d);
    d.Person.Address.RegionCode = 0;
    d.Person.Address.RegionName.clear();
    d.Person.Address.City = Utf8ToCp1251("Зеленоград");
    d.Person.Address.Street.clear();
    d.Person.Address.PostIndex = "12400";
  });
  Click(window.get(), "sbPersonAddress");
  ASSERT_EQ(SubPageName(*window), "TfrPersonAddress");

  // The region's "Исправить" opens its picker, on the first row when no region is set.
  PickerSeen seen;
  AnswerPicker(QStringLiteral("77"), &seen);
  presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(window.get(), "sbPersonNaim");
  EXPECT_EQ(presenter.Checks.back().Message, "Не указан регион постоянного местожительства");
  EXPECT_EQ(seen.Caption, QStringLiteral("Справочник регионов"));
  EXPECT_EQ(seen.Codes.size(), 86u);
  EXPECT_EQ(seen.Current, QStringLiteral("01"));
  EXPECT_EQ(Find<QLineEdit>(window.get(), "pnRegion")->text(), QStringLiteral("г. Москва"));

  // Zelenograd needs a settlement or a street on this page, whatever the whole-return check says.
  presenter.CheckAnswers = {CheckAnswer::Skip, CheckAnswer::Fix};
  Click(window.get(), "sbPersonNaim");
  ASSERT_EQ(presenter.Checks.size(), 3u);
  EXPECT_EQ(presenter.Checks[1].Message, "Почтовый индекс должен содержать ровно 6 цифр");
  EXPECT_EQ(presenter.Checks[2].Message, "Не указан населенный пункт (село, поселок) или улица (проспект, переулок)");
  EXPECT_EQ(window->CurrentPage()->focusWidget(), Find<QWidget>(window.get(), "edLocality"));
  EXPECT_EQ(window->Declaration().Person.Address.RegionCode, 77);

  // The picker opens on the region chosen.
  AnswerPicker(QString(), &seen);
  Click(window.get(), "btRegion");
  EXPECT_EQ(seen.Current, QStringLiteral("77"));
}

TEST_F(TaxpayerPagesTest, TheWholeReturnCheckOpensTheDocumentPicker) {
  check = &CheckDeclaration;
  auto window = OpenPersonPage([](mTDeclaration& d) {
    Person(d);
    d.Person.Name.Inn.clear();
    d.Person.Document.DocTypeCode = 0;
    d.Person.Document.DocTypeName.clear();
  });
  presenter.CheckAnswers = {CheckAnswer::SkipAll, CheckAnswer::Fix};
  Click(window.get(), "fbInitialData");
  ASSERT_EQ(PageName(*window), "TfrInitialData");
  PickerSeen seen;
  AnswerPicker(QStringLiteral("21"), &seen);
  window->CheckDoc();
  EXPECT_EQ(presenter.Checks.back().Message, "Не указан документ, удостоверяющий личность");
  EXPECT_TRUE(seen.Shown);
  EXPECT_EQ(SubPageName(*window), "TfrPersonNaim");
  EXPECT_EQ(Find<QLineEdit>(window.get(), "pnDocType")->text(), QStringLiteral("Паспорт гражданина РФ"));
}

// ---------------------------------------------------------------------------------------------
// Citizenship, the 4-НДФЛ variant and what is stored

TEST_F(TaxpayerPagesTest, WithoutACountryListTheCitizenshipCannotBePicked) {
  auto window = OpenPersonPage(Person);
  EXPECT_FALSE(Find(window.get(), "btCountry")->isEnabled());
  EXPECT_EQ(Find<QLineEdit>(window.get(), "edCountryCode")->text(), QStringLiteral("643"));
}

TEST_F(TaxpayerPagesTest, TheCountryPickerShowsTheCurrentCountry) {
  InstallCountries();
  auto window = OpenPersonPage(Person);
  ASSERT_TRUE(Find(window.get(), "btCountry")->isEnabled());
  PickerSeen seen;
  AnswerPicker(QStringLiteral("804"), &seen);
  Click(window.get(), "btCountry");
  EXPECT_EQ(seen.Caption, QStringLiteral("Справочник стран"));
  EXPECT_EQ(seen.Current, QStringLiteral("643"));
  EXPECT_EQ(Find<QLineEdit>(window.get(), "edCountryCode")->text(), QStringLiteral("804"));
  EXPECT_FALSE(window->Saved());
  window->CurrentPage()->StoreData();
  const mTForeigner& f = window->Declaration().Person.Foreigner;
  EXPECT_EQ(f.CountryCode, "804");
  EXPECT_EQ(f.CountryName, window->Countries()->Find("804")->Name);
  EXPECT_EQ(f.CitizenshipKind, "1");

  // Reopened, the picker is on the new country.
  AnswerPicker(QString(), &seen);
  Click(window.get(), "btCountry");
  EXPECT_EQ(seen.Current, QStringLiteral("804"));
}

TEST_F(TaxpayerPagesTest, A4NdflReturnAsksForOktmoAndPhoneInstead) {
  auto window = OpenPersonPage([](mTDeclaration& d) {
    Person(d);
    d.DeclarationForm = kForm4;
    d.Person.Address.Oktmo = "4670400";
  });
  auto* composite = qobject_cast<TCompositeFrame*>(window->CurrentPage());
  ASSERT_NE(composite, nullptr);
  EXPECT_EQ(composite->ButtonOf(PageId::PersonAddress), nullptr) << "no address sub-page";
  EXPECT_TRUE(Find(window.get(), "gbDocument")->isHidden());
  EXPECT_TRUE(Find(window.get(), "gbCitizenship")->isHidden());
  EXPECT_TRUE(Find(window.get(), "edBirthPlace")->isHidden());
  EXPECT_TRUE(Find(window.get(), "dtBirthDate")->isHidden());
  EXPECT_FALSE(Find(window.get(), "edOktmo")->isHidden());
  EXPECT_FALSE(Find(window.get(), "edPhone")->isHidden());

  Retype(Find<QLineEdit>(window.get(), "edPhone"), QStringLiteral("8(495)1234567"));
  EXPECT_EQ(Find<QLineEdit>(window.get(), "edPhone")->text(), QStringLiteral("84951234567")) << "digits only";
  presenter.CheckAnswers = {CheckAnswer::Fix};
  Click(window.get(), "fbInitialData");
  ASSERT_EQ(presenter.Checks.size(), 1u);
  EXPECT_EQ(presenter.Checks[0].Message, "Не введен код ОКТМО(8 или 11 символов)");
  EXPECT_EQ(window->CurrentPage()->focusWidget(), Find<QWidget>(window.get(), "edOktmo"));
  EXPECT_EQ(window->Declaration().Person.HomePhone.Second, "84951234567");
}

TEST_F(TaxpayerPagesTest, ThePagesStoreWhatIsTypedWithinTheLimits) {
  auto window = OpenPersonPage(Person);
  Retype(Find<QLineEdit>(window.get(), "edSurname"), QStringLiteral("Иванов-Петров-Сидоров-Кузнецов-Смирнов"));
  Retype(Find<QLineEdit>(window.get(), "edInn"), QStringLiteral("50010073225912"));
  Retype(Find<QLineEdit>(window.get(), "edBirthPlace"), QStringLiteral("г. Москва"));
  Click(window.get(), "sbPersonAddress");
  ASSERT_EQ(SubPageName(*window), "TfrPersonAddress");
  Click(window.get(), "rbAddressKind1");
  Retype(Find<QLineEdit>(window.get(), "edPostIndex"), QStringLiteral("1439001"));
  Retype(Find<QLineEdit>(window.get(), "edLocality"), QStringLiteral("пос. Заря"));
  Retype(Find<QLineEdit>(window.get(), "edHouse"), QStringLiteral("12/3"));
  Retype(Find<QLineEdit>(window.get(), "edBuilding"), QStringLiteral("2"));
  Retype(Find<QLineEdit>(window.get(), "edFlat"), QStringLiteral("7"));
  Retype(Find<QLineEdit>(window.get(), "edPhone"), QStringLiteral("84951234567"));
  Retype(Find<QLineEdit>(window.get(), "edForeignAddress"), QStringLiteral("Латвия, Рига"));
  Click(window.get(), "sbPersonNaim");
  ASSERT_EQ(SubPageName(*window), "TfrPersonNaim");

  const mTPersonInformation& p = window->Declaration().Person;
  EXPECT_EQ(p.Name.Surname, Utf8ToCp1251("Иванов-Петров-Сидоров-Кузнецов-См")) << "33 characters";
  EXPECT_EQ(p.Name.Inn, "500100732259");
  EXPECT_EQ(p.Document.BirthPlace, Utf8ToCp1251("г. Москва"));
  EXPECT_EQ(p.Document.DocSeriesNumber, "46 08 123456");
  EXPECT_EQ(p.Document.DocIssueDate, EncodeDate(2008, 4, 15));
  EXPECT_EQ(p.Document.BirthDate, EncodeDate(1980, 7, 12));
  EXPECT_EQ(p.Address.AddressKind, 1);
  EXPECT_EQ(p.Address.PostIndex, "143900");
  EXPECT_EQ(p.Address.RegionCode, 50);
  EXPECT_EQ(p.Address.Locality, Utf8ToCp1251("пос. Заря"));
  EXPECT_EQ(p.Address.House, "12/3");
  EXPECT_EQ(p.Address.Building, "2");
  EXPECT_EQ(p.Address.Flat, "7");
  EXPECT_EQ(p.HomePhone.Second, "84951234567");
  EXPECT_EQ(p.Foreigner.ForeignAddress, Utf8ToCp1251("Латвия, Рига"));
  EXPECT_EQ(Find<QLineEdit>(window.get(), "edSurname")->text(), QStringLiteral("Иванов-Петров-Сидоров-Кузнецов-См"));
}

}  // namespace
}  // namespace talver::test
