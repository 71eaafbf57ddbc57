// The document header, the taxpayer and signer blocks of both forms, and the whole 4-НДФЛ
// document.
#include <gtest/gtest.h>

#include "tests/export/ExportTestSupport.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver::testing {
namespace {

// A taxpayer with every field filled, in lower case where a person might type so.
std::unique_ptr<mTDeclaration> Taxpayer(std::uint8_t form = kForm3Resident) {
  auto d = NewDeclaration(form);
  d->InspectionCode = "7715";
  d->CorrectionNumber = 2;
  mTPersonInformation& p = d->Person;
  p.Name.Surname = T("Иванов");
  p.Name.FirstName = T("Пётр");
  p.Name.Patronymic = T("Сергеевич");
  p.Name.Inn = "771512345678";
  p.HomePhone.Second = "+7 495 123-45-67";
  p.Address.PostIndex = "101000";
  p.Address.RegionCode = 77;
  p.Address.City = T("Москва");
  p.Address.Street = T("ул. Ленина");
  p.Address.House = "5";
  p.Address.Building = T("корп. а");
  p.Address.Flat = "12";
  p.Document.DocTypeCode = 21;
  p.Document.DocSeriesNumber = "45 03 123456";
  p.Document.DocIssueDate = EncodeDate(2003, 5, 20);
  p.Document.DocIssuedBy = T("ОВД района Арбат г. Москвы");
  p.Document.BirthDate = EncodeDate(1970, 1, 31);
  p.Document.BirthPlace = T("г. Москва");
  p.Foreigner.CountryCode = "643";
  return d;
}

XmlDocument Build(const mTDeclaration& d) { return BuildWith(d, kTSvodSum()); }

XmlElement Element(const XmlDocument& document, std::string_view path) {
  const std::optional<XmlElement> e = At(document.DocumentElement(), path);
  if (!e) throw std::runtime_error("no element " + std::string(path));
  return *e;
}

TEST(DocumentHeaderTest, Form3) {
  const XmlDocument document = Build(*Taxpayer());
  const XmlElement doc = Element(document, "Документ");
  EXPECT_EQ(Attr(doc, "КНД"), "1151020");
  EXPECT_EQ(Attr(doc, "ДатаДок"), "14.02.2017");
  EXPECT_EQ(Attr(doc, "Период"), "34");
  EXPECT_EQ(Attr(doc, "ОтчетГод"), "2016");
  EXPECT_EQ(Attr(doc, "КодНО"), "7715");
  EXPECT_EQ(Attr(doc, "НомКорр"), "2");
  EXPECT_EQ(ChildNames(doc), (std::vector<std::string>{"СвНП", "Подписант", "НДФЛ3"}));
}

TEST(DocumentHeaderTest, Form4IsTheExpectedIncomeAndNothingElse) {
  auto d = Taxpayer(kForm4);
  d->Person.Address.Oktmo = "45380000";
  d->ExpectedIncome = Rub("1234.5");
  const XmlDocument document = Build(*d);
  const XmlElement doc = Element(document, "Документ");
  EXPECT_EQ(Attr(doc, "КНД"), "1151021");
  EXPECT_EQ(Attr(doc, "ДатаДок"), "14.02.2017");
  EXPECT_FALSE(Attr(doc, "Период"));
  EXPECT_EQ(Attr(doc, "ОтчетГод"), "2017");
  EXPECT_EQ(ChildNames(doc), (std::vector<std::string>{"СвНП", "Подписант", "НДФЛ4"}));

  const XmlElement taxpayer = Element(document, "Документ/СвНП/НПФЛ");
  EXPECT_EQ(Attr(taxpayer, "ДокПредст"), "000") << "category 5 has no code in 4-НДФЛ";
  EXPECT_EQ(Attr(taxpayer, "ИННФЛ"), "771512345678");
  EXPECT_EQ(Attr(taxpayer, "ОКТМО"), "45380000");
  EXPECT_EQ(Attr(taxpayer, "Тлф"), "+7 495 123-45-67");
  EXPECT_EQ(ChildNames(taxpayer), std::vector<std::string>{"ФИО"}) << "no address, birth data or document";
  EXPECT_EQ(Attr(Element(document, "Документ/СвНП/НПФЛ/ФИО"), "Отчество"), "СЕРГЕЕВИЧ");
  // Numbers use "." whatever the user's locale.
  EXPECT_EQ(Attr(Element(document, "Документ/НДФЛ4"), "ПредДоход"), "1234.5");
}

TEST(DocumentHeaderTest, Form4WithoutInnOrOktmoStillWritesBoth) {
  auto d = Taxpayer(kForm4);
  d->Person.Name.Inn.clear();
  d->Person.Address.Oktmo.clear();
  d->Person.Name.Patronymic = "  ";
  d->Person.HomePhone.Second.clear();
  const XmlDocument document = Build(*d);
  const XmlElement taxpayer = Element(document, "Документ/СвНП/НПФЛ");
  EXPECT_EQ(Attr(taxpayer, "ИННФЛ"), "");
  EXPECT_EQ(Attr(taxpayer, "ОКТМО"), "");
  EXPECT_FALSE(Attr(taxpayer, "Тлф"));
  EXPECT_FALSE(Attr(Element(document, "Документ/СвНП/НПФЛ/ФИО"), "Отчество"));
  EXPECT_EQ(Attr(Element(document, "Документ/НДФЛ4"), "ПредДоход"), "0");
}

TEST(TaxpayerBlockTest, TextIsUpperCasedAndOptionalPartsAppearOnlyWhenGiven) {
  auto d = Taxpayer();
  d->Person.Name.Surname = T("Smith-иванова ёлкина");
  d->Person.Address.District = "   ";
  const XmlDocument document = Build(*d);
  const XmlElement taxpayer = Element(document, "Документ/СвНП/НПФЛ3");
  EXPECT_EQ(Attr(taxpayer, "Статус"), "1");
  EXPECT_FALSE(Attr(taxpayer, "АдрИно"));
  EXPECT_EQ(Attr(taxpayer, "Тлф"), "+7 495 123-45-67");
  EXPECT_EQ(ChildNames(taxpayer), (std::vector<std::string>{"ФИОФЛ", "СвАдрРФ", "СведФЛ1"}));

  const XmlElement name = Element(document, "Документ/СвНП/НПФЛ3/ФИОФЛ");
  EXPECT_EQ(Attr(name, "Фамилия"), "SMITH-ИВАНОВА ЁЛКИНА");
  EXPECT_EQ(Attr(name, "Имя"), "ПЁТР");
  EXPECT_EQ(Attr(name, "Отчество"), "СЕРГЕЕВИЧ");

  EXPECT_EQ(Attr(Element(document, "Документ/СвНП/НПФЛ3/СвАдрРФ"), "ПрАдр"), "1");
  const XmlElement address = Element(document, "Документ/СвНП/НПФЛ3/СвАдрРФ/АдрРФ");
  EXPECT_EQ(Attr(address, "Индекс"), "101000");
  EXPECT_EQ(Attr(address, "КодРегион"), "77");
  EXPECT_FALSE(Attr(address, "Район")) << "blank text is left out";
  EXPECT_EQ(Attr(address, "Город"), "МОСКВА");
  EXPECT_FALSE(Attr(address, "НаселПункт"));
  EXPECT_EQ(Attr(address, "Улица"), "УЛ. ЛЕНИНА");
  EXPECT_EQ(Attr(address, "Корпус"), "КОРП. А");
  EXPECT_EQ(Attr(address, "Кварт"), "12");

  const XmlElement known = Element(document, "Документ/СвНП/НПФЛ3/СведФЛ1");
  EXPECT_EQ(Attr(known, "ИННФЛ"), "771512345678");
  EXPECT_EQ(Attr(known, "ДатаРожд"), "31.01.1970");
  EXPECT_EQ(Attr(known, "МестоРожд"), "Г. МОСКВА");
  EXPECT_EQ(Attr(known, "ОКСМ"), "643");
  const XmlElement doc = Element(document, "Документ/СвНП/НПФЛ3/СведФЛ1/УдЛичн");
  EXPECT_EQ(Attr(doc, "КодВидДок"), "21");
  EXPECT_EQ(Attr(doc, "СерНомДок"), "45 03 123456");
  EXPECT_EQ(Attr(doc, "ДатаДок"), "20.05.2003");
  EXPECT_EQ(Attr(doc, "ВыдДок"), "ОВД РАЙОНА АРБАТ Г. МОСКВЫ");
}

TEST(TaxpayerBlockTest, ForeignAddressAndPlaceOfStay) {
  auto d = Taxpayer(kForm3NonResident);
  d->Person.Foreigner.ForeignAddress = T("Berlin, Unter den Linden 1");
  d->Person.Address.AddressKind = 1;
  const XmlDocument document = Build(*d);
  const XmlElement taxpayer = Element(document, "Документ/СвНП/НПФЛ3");
  EXPECT_EQ(Attr(taxpayer, "Статус"), "2");
  EXPECT_EQ(Attr(taxpayer, "АдрИно"), "BERLIN, UNTER DEN LINDEN 1");
  EXPECT_EQ(Attr(Element(document, "Документ/СвНП/НПФЛ3/СвАдрРФ"), "ПрАдр"), "2");
}

// ИНН given or not, and the identity document entered or not.
struct PersonCase {
  const char* Name;
  const char* Inn;
  std::uint16_t DocTypeCode;
  const char* BirthPlace;
  const char* Element;  // СведФЛ1 or СведФЛ2
  bool HasIdentityDocument;
  const char* DocCode;
  bool HasBirthPlace;
};

class PersonDataTest : public ::testing::TestWithParam<PersonCase> {};

TEST_P(PersonDataTest, ChoiceOfBlock) {
  const PersonCase& c = GetParam();
  auto d = Taxpayer();
  d->Person.Name.Inn = c.Inn;
  d->Person.Document.DocTypeCode = c.DocTypeCode;
  d->Person.Document.BirthPlace = T(c.BirthPlace);
  const XmlDocument document = Build(*d);
  const XmlElement taxpayer = Element(document, "Документ/СвНП/НПФЛ3");
  const std::vector<std::string> names = ChildNames(taxpayer);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[2], c.Element);
  const XmlElement block = Element(document, std::string("Документ/СвНП/НПФЛ3/") + c.Element);
  EXPECT_EQ(Attr(block, "ИННФЛ").has_value(), std::string(c.Element) == "СведФЛ1");
  EXPECT_EQ(Attr(block, "МестоРожд").has_value(), c.HasBirthPlace);
  const std::optional<XmlElement> doc = block.FirstChild("УдЛичн");
  ASSERT_EQ(doc.has_value(), c.HasIdentityDocument);
  if (doc) {
    EXPECT_EQ(Attr(*doc, "КодВидДок"), c.DocCode);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PersonDataTest,
    ::testing::Values(PersonCase{"InnAndDocument", "771512345678", 21, "г. Москва", "СведФЛ1", true, "21", true},
                      PersonCase{"InnWithoutDocument", "771512345678", 0, "", "СведФЛ1", false, "", false},
                      PersonCase{"OneDigitDocumentCode", "771512345678", 7, "", "СведФЛ1", true, "07", false},
                      PersonCase{"NoInn", "", 0, "", "СведФЛ2", true, "00", true},
                      PersonCase{"BlankInn", "   ", 10, "", "СведФЛ2", true, "10", true}),
    [](const ::testing::TestParamInfo<PersonCase>& param) { return std::string(param.param.Name); });

struct CodeCase {
  const char* Country;
  std::uint16_t Region;
  const char* Oksm;
  const char* RegionCode;
};

class CodePaddingTest : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CodePaddingTest, CountryAndRegion) {
  const CodeCase& c = GetParam();
  auto d = Taxpayer();
  d->Person.Foreigner.CountryCode = c.Country;
  d->Person.Address.RegionCode = c.Region;
  const XmlDocument document = Build(*d);
  EXPECT_EQ(Attr(Element(document, "Документ/СвНП/НПФЛ3/СведФЛ1"), "ОКСМ"), c.Oksm);
  EXPECT_EQ(Attr(Element(document, "Документ/СвНП/НПФЛ3/СвАдрРФ/АдрРФ"), "КодРегион"), c.RegionCode);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodePaddingTest,
                         ::testing::Values(CodeCase{"4", 7, "004", "07"}, CodeCase{"", 0, "643", "00"},
                                           CodeCase{"  ", 77, "643", "77"}, CodeCase{" 36", 99, "036", "99"},
                                           CodeCase{"840", 1, "840", "01"}, CodeCase{"8400", 50, "8400", "50"}));

TEST(TaxpayerBlockTest, DatesNeverEnteredAreTheFirstDayOfTheCalendar) {
  auto d = Taxpayer();
  d->Person.Name.Inn.clear();
  d->Person.Document.BirthDate = 0;
  d->Person.Document.DocIssueDate = 0;
  const XmlDocument document = Build(*d);
  EXPECT_EQ(Attr(Element(document, "Документ/СвНП/НПФЛ3/СведФЛ2"), "ДатаРожд"), "30.12.1899");
  EXPECT_EQ(Attr(Element(document, "Документ/СвНП/НПФЛ3/СведФЛ2/УдЛичн"), "ДатаДок"), "30.12.1899");
}

struct CategoryCase {
  std::uint8_t Category;
  const char* Form3;
  const char* Form4;
};

class CategoryTest : public ::testing::TestWithParam<CategoryCase> {};

TEST_P(CategoryTest, DocumentCodeOfBothForms) {
  const CategoryCase& c = GetParam();
  auto d3 = Taxpayer();
  d3->TaxpayerCategory = c.Category;
  EXPECT_EQ(Attr(Element(Build(*d3), "Документ/СвНП/НПФЛ3"), "ДокПредст"), c.Form3);
  auto d4 = Taxpayer(kForm4);
  d4->TaxpayerCategory = c.Category;
  EXPECT_EQ(Attr(Element(Build(*d4), "Документ/СвНП/НПФЛ"), "ДокПредст"), c.Form4);
}

INSTANTIATE_TEST_SUITE_P(Categories, CategoryTest,
                         ::testing::Values(CategoryCase{0, "720", "720"}, CategoryCase{1, "770", "770"},
                                           CategoryCase{2, "730", "730"}, CategoryCase{3, "740", "740"},
                                           CategoryCase{5, "760", "000"}, CategoryCase{6, "750", "000"},
                                           CategoryCase{4, "000", "000"}));

struct RepresentativeCase {
  const char* Name;
  const char* FullName;
  const char* Surname;
  const char* FirstName;
  const char* Patronymic;  // nullptr: not written
};

class RepresentativeTest : public ::testing::TestWithParam<RepresentativeCase> {};

TEST_P(RepresentativeTest, NameIsSplitInBothForms) {
  const RepresentativeCase& c = GetParam();
  for (const std::uint8_t form : {kForm3Resident, kForm4}) {
    SCOPED_TRACE(form);
    auto d = Taxpayer(form);
    d->SignerKind = 1;
    d->RepresentativeName = T(c.FullName);
    d->RepresentativeDocument = T("доверенность № 5");
    const XmlDocument document = Build(*d);
    const XmlElement signer = Element(document, "Документ/Подписант");
    EXPECT_EQ(Attr(signer, "ПрПодп"), "2");
    EXPECT_EQ(ChildNames(signer), (std::vector<std::string>{"ФИО", "СвПред"}));
    const XmlElement name = Element(document, "Документ/Подписант/ФИО");
    EXPECT_EQ(Attr(name, "Фамилия"), c.Surname);
    EXPECT_EQ(Attr(name, "Имя"), c.FirstName);
    EXPECT_EQ(Attr(name, "Отчество"), c.Patronymic ? std::optional<std::string>(c.Patronymic) : std::nullopt);
    EXPECT_EQ(Attr(Element(document, "Документ/Подписант/СвПред"), "НаимДок"), "ДОВЕРЕННОСТЬ № 5");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, RepresentativeTest,
    ::testing::Values(
        RepresentativeCase{"Three", "Петров Иван Сергеевич", "ПЕТРОВ", "ИВАН", "СЕРГЕЕВИЧ"},
        RepresentativeCase{"Two", "Петров Иван", "ПЕТРОВ", "ИВАН", nullptr},
        RepresentativeCase{"One", "Петров", "ПЕТРОВ", " ", nullptr},
        RepresentativeCase{"Empty", "", " ", " ", nullptr},
        RepresentativeCase{"ExtraBlanks", "  Петров   Иван   Сергеевич  ", "ПЕТРОВ", "ИВАН", "СЕРГЕЕВИЧ"},
        RepresentativeCase{"FourWords", "Мамедов Али Оглы Гусейн", "МАМЕДОВ", "АЛИ", "ОГЛЫ ГУСЕЙН"},
        // A word longer than 60 characters followed by a blank is cut at 60; the rest goes on.
        RepresentativeCase{"LongSurname",
                           "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa Ivan",
                           "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", "AAAAAAAAAA", "IVAN"}),
    [](const ::testing::TestParamInfo<RepresentativeCase>& param) { return std::string(param.param.Name); });

TEST(SignerTest, InPersonHasNoRepresentative) {
  for (const std::uint8_t form : {kForm3Resident, kForm3NonResident, kForm4}) {
    auto d = Taxpayer(form);
    d->RepresentativeName = T("Петров Иван");
    const XmlDocument document = Build(*d);
    const XmlElement signer = Element(document, "Документ/Подписант");
    EXPECT_EQ(Attr(signer, "ПрПодп"), "1");
    EXPECT_TRUE(signer.Children().empty());
  }
}

TEST(SignerTest, OrganisationIsNamedOnlyIn4Ndfl) {
  for (const std::uint8_t form : {kForm3Resident, kForm4}) {
    SCOPED_TRACE(form);
    auto d = Taxpayer(form);
    d->SignerKind = 2;
    d->RepresentativeName = T("Петров Иван");
    d->RepresentativeOrganization = T("ООО \"Консультант\"");
    const XmlDocument document = Build(*d);
    EXPECT_EQ(Attr(Element(document, "Документ/Подписант"), "ПрПодп"), "2");
    const XmlElement power = Element(document, "Документ/Подписант/СвПред");
    EXPECT_EQ(Attr(power, "НаимОрг"), form == kForm4 ? std::optional<std::string>("ООО \"КОНСУЛЬТАНТ\"") : std::nullopt);
  }
  auto d = Taxpayer(kForm4);
  d->SignerKind = 2;
  d->RepresentativeOrganization = " ";
  EXPECT_FALSE(Attr(Element(Build(*d), "Документ/Подписант/СвПред"), "НаимОрг"));
}

TEST(DocumentTextTest, QuotesAndAmpersandsAreEscaped) {
  auto d = Taxpayer();
  d->Person.Address.Street = T("ул. \"Мира\" & <Ко>");
  const std::string text = BuildWith(*d, kTSvodSum()).Serialize();
  EXPECT_NE(text.find(T("Улица=\"УЛ. &quot;МИРА&quot; &amp; &lt;КО&gt;\"")), std::string::npos);
  EXPECT_EQ(Attr(Element(XmlDocument::Parse(text), "Документ/СвНП/НПФЛ3/СвАдрРФ/АдрРФ"), "Улица"),
            "УЛ. \"МИРА\" & <КО>");
}

}  // namespace
}  // namespace talver::testing
