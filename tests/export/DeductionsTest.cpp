// Sheets Д1, Д2, Е1, Е2 and Ж of the body, from summaries filled by hand.
#include <gtest/gtest.h>

#include "tests/export/ExportTestSupport.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver::testing {
namespace {

std::vector<XmlElement> Body(const XmlDocument& document, std::string_view name) {
  return ChildrenNamed(Body3(document), name);
}

// Sheet Д1.

mTConstructionDeductObj Flat() {
  mTConstructionDeductObj o;
  o.ObjectKind = 2;
  o.OwnershipKind = 1;
  o.TaxpayerAttribute = 1;
  o.OwnershipRegDate = EncodeDate(2015, 9, 1);
  o.FirstUseYear = EncodeDate(2016, 1, 1);
  o.PostIndex = "101000";
  o.RegionCode = "77";
  o.City = T("Москва");
  o.Street = T("Тверская");
  o.House = "1";
  o.Flat = "10";
  o.CostTaken = Rub("2000000.5");
  o.CreditInterest = Rub(150000);
  return o;
}

std::unique_ptr<mTDeclaration> Housing(std::uint8_t form = kForm3Resident, std::uint8_t sections = kSectionRussian) {
  auto d = NewDeclaration(form, sections);
  d->PropertyDeduct.Granted = 1;
  d->PropertyDeduct.AddObject(Flat());
  return d;
}

TEST(SheetD1Test, WrittenOnlyForAResidentWithTheDeductionObjectsAndSections) {
  const auto count = [](const mTDeclaration& d) { return Body(BuildWith(d, kTSvodSum()), "ИмущНалВычНов").size(); };
  EXPECT_EQ(count(*Housing()), 1u);
  EXPECT_EQ(count(*Housing(kForm3NonResident)), 0u);
  EXPECT_EQ(count(*Housing(kForm3Resident, 0)), 0u) << "no section";
  auto notGranted = Housing();
  notGranted->PropertyDeduct.Granted = 0;
  EXPECT_EQ(count(*notGranted), 0u);
  auto noObjects = Housing();
  noObjects->PropertyDeduct.DeleteObject(0);
  EXPECT_EQ(count(*noObjects), 0u);
}

TEST(SheetD1Test, ComputedValuesAndTheObject) {
  auto d = Housing();
  kTSvodSum s;
  s.PrilZ.НалБаз13БезВыч = Rub("600000.99");
  s.PrilZ.РасхНовВычНД = Rub(600000);
  s.PrilZ.ОстИВБезПроц = Rub(1400000);
  s.PrilZ.ОстИВУплПроц = -Rub(1);
  const XmlDocument document = BuildWith(*d, s);
  const std::string text = document.Serialize();
  EXPECT_EQ(AttributeOrder(text, "РасчИмущВыч"),
            (std::vector<std::string>{"ВычНовЗачПред", "ВычПроцЗачПред", "ОстВычПршПред", "ПроцПршПред", "ВычНАУвед",
                                      "ПроцНАУвед", "НалБаз13БезВыч", "РасхНовВычНД", "ПроцВычНД", "ОстИВБезПроц",
                                      "ОстИВУплПроц"}));
  const XmlElement calc = *Body(document, "ИмущНалВычНов").at(0).FirstChild("РасчИмущВыч");
  EXPECT_EQ(Attr(calc, "НалБаз13БезВыч"), "600000.99");
  EXPECT_EQ(Attr(calc, "ВычНовЗачПред"), "0.00");
  EXPECT_EQ(Attr(calc, "ОстИВУплПроц"), "0.00");

  EXPECT_EQ(AttributeOrder(text, "СвОбъектРасх"),
            (std::vector<std::string>{"КодНаимОб", "ВидСобствОб", "ПризнакНП", "ВычЗаяв220.10", "ДатаРегЖил",
                                      "ГодНачИспВыч", "СумРасхФакт", "СумФактУплПроц"}));
  const XmlElement object = *calc.FirstChild("СвОбъектРасх");
  EXPECT_EQ(Attr(object, "КодНаимОб"), "2");
  EXPECT_EQ(Attr(object, "ПризнакНП"), "01");
  EXPECT_EQ(Attr(object, "ВычЗаяв220.10"), "0");
  EXPECT_EQ(Attr(object, "ДатаРегЖил"), "01.09.2015");
  EXPECT_EQ(Attr(object, "ГодНачИспВыч"), "2016");
  EXPECT_EQ(Attr(object, "СумРасхФакт"), "2000000.50");
  EXPECT_EQ(Attr(object, "СумФактУплПроц"), "150000.00");
  EXPECT_EQ(AttributeOrder(text, "АдрОбъект"),
            (std::vector<std::string>{"Индекс", "КодРегион", "Город", "Улица", "Дом", "Кварт"}));
  EXPECT_EQ(Attr(*object.FirstChild("АдрОбъект"), "Улица"), "ТВЕРСКАЯ");
}

// One object field changed from Flat(), and the attribute it gives.
struct ObjectCase {
  const char* Name;
  void (*Change)(mTConstructionDeductObj& o);
  const char* Element;  // "" the object, "АдрОбъект" its address
  const char* Attribute;
  const char* Value;  // nullptr: not written
};

class HousingObjectTest : public ::testing::TestWithParam<ObjectCase> {};

TEST_P(HousingObjectTest, Attribute) {
  const ObjectCase& c = GetParam();
  auto d = NewDeclaration();
  d->PropertyDeduct.Granted = 1;
  mTConstructionDeductObj o = Flat();
  c.Change(o);
  d->PropertyDeduct.AddObject(o);
  const XmlDocument document = BuildWith(*d, kTSvodSum());
  const std::optional<XmlElement> object = At(Body3(document), "ИмущНалВычНов/РасчИмущВыч/СвОбъектРасх");
  ASSERT_TRUE(object);
  const std::optional<XmlElement> e = std::string(c.Element).empty() ? object : object->FirstChild(c.Element);
  ASSERT_TRUE(e);
  EXPECT_EQ(Attr(*e, c.Attribute), c.Value ? std::optional<std::string>(c.Value) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, HousingObjectTest,
    ::testing::Values(
        ObjectCase{"Kind8IsAFlat", [](mTConstructionDeductObj& o) { o.ObjectKind = 8; }, "", "КодНаимОб", "4"},
        ObjectCase{"Ownership4", [](mTConstructionDeductObj& o) { o.OwnershipKind = 4; }, "", "ВидСобствОб", "4"},
        ObjectCase{"Ownership5IsJoint", [](mTConstructionDeductObj& o) { o.OwnershipKind = 5; }, "", "ВидСобствОб", "3"},
        ObjectCase{"Ownership7IsShared", [](mTConstructionDeductObj& o) { o.OwnershipKind = 7; }, "", "ВидСобствОб", "2"},
        ObjectCase{"Attribute4", [](mTConstructionDeductObj& o) { o.TaxpayerAttribute = 4; }, "", "ПризнакНП", "13"},
        ObjectCase{"Attribute5", [](mTConstructionDeductObj& o) { o.TaxpayerAttribute = 5; }, "", "ПризнакНП", "23"},
        ObjectCase{"AttributeNotChosen", [](mTConstructionDeductObj& o) { o.TaxpayerAttribute = 0; }, "", "ПризнакНП",
                   "00"},
        ObjectCase{"Pensioner", [](mTConstructionDeductObj& o) { o.Pensioner = 1; }, "", "ВычЗаяв220.10", "1"},
        ObjectCase{"ByInvestmentHasTheActDate",
                   [](mTConstructionDeductObj& o) {
                     o.ByInvestment = 1;
                     o.TransferActDate = EncodeDate(2016, 2, 3);
                   },
                   "", "ДатаАкт", "03.02.2016"},
        ObjectCase{"ByInvestmentHasNoRegistrationDate", [](mTConstructionDeductObj& o) { o.ByInvestment = 1; }, "",
                   "ДатаРегЖил", nullptr},
        ObjectCase{"HouseWithLandHasTheLandDate",
                   [](mTConstructionDeductObj& o) {
                     o.ObjectKind = 5;
                     o.LandRegDate = EncodeDate(2014, 7, 7);
                   },
                   "", "ДатаРегЗем", "07.07.2014"},
        ObjectCase{"FlatHasNoLandDate", [](mTConstructionDeductObj& o) { o.LandRegDate = EncodeDate(2014, 7, 7); }, "",
                   "ДатаРегЗем", nullptr},
        ObjectCase{"SharedOwnershipHasTheApplicationDate",
                   [](mTConstructionDeductObj& o) {
                     o.OwnershipKind = 3;
                     o.DistributionAppDate = EncodeDate(2016, 5, 5);
                   },
                   "", "ДатаЗаявВыч", "05.05.2016"},
        ObjectCase{"Ownership6HasTheApplicationDate", [](mTConstructionDeductObj& o) { o.OwnershipKind = 6; }, "",
                   "ДатаЗаявВыч", "30.12.1899"},
        ObjectCase{"SpouseOfOwnerHasTheApplicationDate", [](mTConstructionDeductObj& o) { o.TaxpayerAttribute = 2; },
                   "", "ДатаЗаявВыч", "30.12.1899"},
        ObjectCase{"OwnerHasNoApplicationDate", [](mTConstructionDeductObj& o) { o.DistributionAppDate = 42000; }, "",
                   "ДатаЗаявВыч", nullptr},
        ObjectCase{"ShareMarked",
                   [](mTConstructionDeductObj& o) {
                     o.ShareNumerator = 1;
                     o.ShareDenominator = 3;
                     o.ShareShown = -1;
                   },
                   "", "ДолСобств", "1/3"},
        ObjectCase{"ShareNotMarked",
                   [](mTConstructionDeductObj& o) {
                     o.ShareNumerator = 1;
                     o.ShareDenominator = 3;
                   },
                   "", "ДолСобств", nullptr},
        ObjectCase{"OneDigitRegion", [](mTConstructionDeductObj& o) { o.RegionCode = "7"; }, "АдрОбъект", "КодРегион",
                   "07"},
        ObjectCase{"NoRegion", [](mTConstructionDeductObj& o) { o.RegionCode = ""; }, "АдрОбъект", "КодРегион", "00"},
        ObjectCase{"BlankIndex", [](mTConstructionDeductObj& o) { o.PostIndex = " "; }, "АдрОбъект", "Индекс", nullptr},
        ObjectCase{"Locality", [](mTConstructionDeductObj& o) { o.Locality = T("пос. Заречный"); }, "АдрОбъект",
                   "НаселПункт", "ПОС. ЗАРЕЧНЫЙ"}),
    [](const ::testing::TestParamInfo<ObjectCase>& param) { return std::string(param.param.Name); });

TEST(SheetD1Test, ObjectsInListOrder) {
  auto d = Housing();
  mTConstructionDeductObj second = Flat();
  second.ObjectKind = 3;
  d->PropertyDeduct.AddObject(second);
  const XmlDocument document = BuildWith(*d, kTSvodSum());
  const std::vector<XmlElement> objects =
      ChildrenNamed(*At(Body3(document), "ИмущНалВычНов/РасчИмущВыч"), "СвОбъектРасх");
  ASSERT_EQ(objects.size(), 2u);
  EXPECT_EQ(Attr(objects[0], "КодНаимОб"), "2");
  EXPECT_EQ(Attr(objects[1], "КодНаимОб"), "3");
}

// Sheet Д2.

TEST(SheetD2Test, NothingWithoutADeduction) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilH1.СумИмущ = {Rub(100), Rub(100)};
  EXPECT_TRUE(Body(BuildWith(*d, s), "ИмущНалВычПр").empty()) << "ВычетОбщ is what counts";
}

TEST(SheetD2Test, EveryGroupInOrder) {
  auto d = NewDeclaration();
  kTSvodSum s;
  kTSvodSumPrilH1& h = s.PrilH1;
  h.СумИмущ = {Rub(3000000), Rub(1000000)};
  h.СумДолИмущ = {Rub(500000), Currency()};       // no deduction: left out
  h.СумИмущДок = {Rub(2000000), Rub(1900000)};
  h.СумИнНедИмущ = {Rub(100000), Currency()};     // income alone makes it
  h.СумИнНедИмущДок = {Rub(100000), Currency()};  // no expenses: left out
  h.СумИнИмущ = {Rub(300000), Rub(250000)};
  h.СумИнИмущДок = {Rub(90000), Rub(80000)};
  h.СумИзтИмущ = {Rub(70000), Rub(70000)};
  h.СумЛиквИО = {Rub(1000), Currency()};
  h.СумИмущКИК = {Rub(5000), Rub(5000)};
  h.ВычетОбщ = Rub(3305000);
  const XmlDocument document = BuildWith(*d, s);
  const XmlElement sheet = Body(document, "ИмущНалВычПр").at(0);
  EXPECT_EQ(Attr(sheet, "ВычетОбщ"), "3305000.00");
  EXPECT_EQ(ChildNames(sheet), (std::vector<std::string>{"ВычЖилИмущ", "ВычИзтИмущ", "ВычИмущ220.2"}));
  const XmlElement housing = *sheet.FirstChild("ВычЖилИмущ");
  EXPECT_TRUE(housing.Attribute("ДохВсехИст") == std::nullopt);
  EXPECT_EQ(ChildNames(housing),
            (std::vector<std::string>{"СумИмущ", "СумИмущДок", "СумИнНедИмущ", "СумИнИмущ", "СумИнИмущДок"}));
  EXPECT_EQ(Attr(*housing.FirstChild("СумИмущДок"), "РасхДок"), "1900000.00");
  EXPECT_EQ(Attr(*housing.FirstChild("СумИнНедИмущ"), "НалВычет"), "0.00");
  EXPECT_EQ(ChildNames(*sheet.FirstChild("ВычИзтИмущ")), std::vector<std::string>{"СумИзтИмущ"});
  EXPECT_EQ(ChildNames(*sheet.FirstChild("ВычИмущ220.2")), std::vector<std::string>{"СумИмущКИК"});
}

TEST(SheetD2Test, OtherPropertyWithIncomeButNoDeductionDoesNotMakeTheGroup) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilH1.СумИнНедИмущ = {Rub(100000), Currency()};
  s.PrilH1.СумИзтИмущ = {Rub(70000), Rub(70000)};
  s.PrilH1.ВычетОбщ = Rub(70000);
  const XmlDocument document = BuildWith(*d, s);
  EXPECT_EQ(ChildNames(Body(document, "ИмущНалВычПр").at(0)), std::vector<std::string>{"ВычИзтИмущ"});
}

// Sheet Е1.

std::unique_ptr<mTDeclaration> Deductions(bool standard, bool social, std::uint8_t form = kForm3Resident,
                                          std::uint8_t sections = kSectionRussian) {
  auto d = NewDeclaration(form, sections);
  d->StandardDeduct.Granted = standard ? 1 : 0;
  d->SocialDeduct.Granted = social ? 1 : 0;
  return d;
}

TEST(SheetE1Test, WrittenOnlyForAResidentWithADeductionAndSections) {
  const auto count = [](const mTDeclaration& d) { return Body(BuildWith(d, kTSvodSum()), "ВычСтандСоц").size(); };
  EXPECT_EQ(count(*Deductions(true, false)), 1u);
  EXPECT_EQ(count(*Deductions(false, true)), 1u);
  EXPECT_EQ(count(*Deductions(false, false)), 0u);
  EXPECT_EQ(count(*Deductions(true, true, kForm3NonResident)), 0u);
  EXPECT_EQ(count(*Deductions(true, true, kForm3Resident, 0)), 0u);
}

TEST(SheetE1Test, StandardDeductions) {
  auto d = Deductions(true, false);
  kTSvodSum s;
  s.PrilE1.КолМесНеПрев = 11;
  s.PrilE1.ВычСт218_1_2 = Rub(6000);
  s.PrilE1.ВычСтРеб = Rub(30800);
  s.PrilE1.ОбщВычСтанд = Rub(36800);
  s.PrilE2.РасчВычСоц219_2.ОбщВычСоциал = Rub(5);  // social deductions not granted: still in the total
  const XmlDocument document = BuildWith(*d, s);
  const XmlElement sheet = Body(document, "ВычСтандСоц").at(0);
  EXPECT_EQ(Attr(sheet, "ВычСтандСоц"), "36805.00");
  EXPECT_EQ(ChildNames(sheet), std::vector<std::string>{"РасчВычСтанд"});
  EXPECT_EQ(AttributeOrder(document.Serialize(), "РасчВычСтанд"),
            (std::vector<std::string>{"ВычСт218.1.2", "КолМесНеПрев", "ВычСтРеб", "ОбщВычСтанд"}));
  const XmlElement standard = *sheet.FirstChild("РасчВычСтанд");
  EXPECT_EQ(Attr(standard, "КолМесНеПрев"), "11");
  EXPECT_EQ(Attr(standard, "ОбщВычСтанд"), "36800.00");

  s.PrilE1 = kTSvodSumPrilE1();
  const XmlDocument zero = BuildWith(*d, s);
  EXPECT_EQ(AttributeOrder(zero.Serialize(), "РасчВычСтанд"),
            (std::vector<std::string>{"КолМесНеПрев", "ОбщВычСтанд"}));
}

TEST(SheetE1Test, SocialDeductionsWithoutStandardOnes) {
  auto d = Deductions(false, true);
  kTSvodSum s;
  s.PrilE1.ОбщВычСтанд = Rub(999);  // not granted: not written
  kTRaschVychSocBez219_2& free = s.PrilE2.РасчВычСоцБез219_2;
  free.СумОбуч = Rub(50000);
  free.ИтогВычСоциал = Rub(50000);
  kTRaschVychSoc219_2& limited = s.PrilE2.РасчВычСоц219_2;
  limited.СумЛечен = Rub(70000);
  limited.СумПенсСтрах = Rub(50000);
  limited.ОбщСумРасх = Rub(120000);
  limited.ОбщСНВОтчПерНА = Rub(10000);
  limited.ОбщВычСоциал = Rub(160000);
  const XmlDocument document = BuildWith(*d, s);
  const std::string text = document.Serialize();
  const XmlElement sheet = Body(document, "ВычСтандСоц").at(0);
  EXPECT_EQ(Attr(sheet, "ВычСтандСоц"), "160999.00");
  EXPECT_EQ(ChildNames(sheet), (std::vector<std::string>{"РасчВычСтанд", "РасчВычСоцБез219.2", "РасчВычСоц219.2"}));
  EXPECT_EQ(AttributeOrder(text, "РасчВычСтанд"), std::vector<std::string>{"ОбщВычСтанд"});
  EXPECT_EQ(Attr(*sheet.FirstChild("РасчВычСтанд"), "ОбщВычСтанд"), "0") << "not 0.00";
  EXPECT_EQ(AttributeOrder(text, "РасчВычСоцБез219.2"), (std::vector<std::string>{"СумОбуч", "ИтогВычСоциал"}));
  EXPECT_EQ(AttributeOrder(text, "РасчВычСоц219.2"),
            (std::vector<std::string>{"СумЛечен", "СумПенсСтрах", "ОбщСумРасх", "ОбщСНВОтчПерНА", "ОбщВычСоциал"}));
}

TEST(SheetE1Test, SocialElementsNeedTheirTotals) {
  auto d = Deductions(true, true);
  kTSvodSum s;
  EXPECT_EQ(ChildNames(Body(BuildWith(*d, s), "ВычСтандСоц").at(0)), std::vector<std::string>{"РасчВычСтанд"});
  // Everything granted by the agents: nothing left to deduct, the element still shows it.
  s.PrilE2.РасчВычСоц219_2.ОбщСНВОтчПерНА = Rub(1);
  const XmlDocument document = BuildWith(*d, s);
  const XmlElement sheet = Body(document, "ВычСтандСоц").at(0);
  EXPECT_EQ(ChildNames(sheet), (std::vector<std::string>{"РасчВычСтанд", "РасчВычСоц219.2"}));
  EXPECT_EQ(Attr(*sheet.FirstChild("РасчВычСоц219.2"), "ОбщВычСоциал"), "0.00");
}

// Sheet Е2.

mbTPens Contract(std::int32_t kind) {
  mbTPens p;
  p.ВидДоговор = kind;
  p.Наим = T("НПФ «Будущее»");
  p.ИННЮЛ = "7704252261";
  p.КПП = "770401001";
  p.НомДогНПО = "12-345/a";
  p.ДатаДогНПО = EncodeDate(2010, 10, 1);
  p.СумВзносУпл = Rub(100000);
  p.СумВзносВыч = Rub(100000);
  return p;
}

TEST(SheetE2Test, NothingWithoutContractsOrInvestmentDeduction) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilE3.ОбщВзносВыч = Rub(100);
  EXPECT_TRUE(Body(BuildWith(*d, s), "ВычСоцИнв219").empty());
}

TEST(SheetE2Test, ContractsAndAdditionalContributions) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilE3.PensionContracts = {Contract(1), Contract(3)};
  s.PrilE3.ExtraContributions = {Contract(2)};
  s.PrilE3.РасчДопСВВыч = {Rub(30000), Rub(20000)};
  s.PrilE3.ОбщВзносВыч = Rub(120000);
  const XmlDocument document = BuildWith(*d, s);
  const XmlElement sheet = Body(document, "ВычСоцИнв219").at(0);
  EXPECT_EQ(ChildNames(sheet), std::vector<std::string>{"РасчПенсВзнос"});
  const XmlElement pension = *sheet.FirstChild("РасчПенсВзнос");
  EXPECT_EQ(Attr(pension, "ОбщВзносВыч"), "120000.00");
  EXPECT_EQ(ChildNames(pension), (std::vector<std::string>{"РасчПСВВыч", "РасчПСВВыч", "РасчДопСВВыч"}));
  const XmlElement first = pension.Children()[0];
  EXPECT_EQ(Attr(first, "СумВзносУпл"), "100000.00");
  const XmlElement terms = *first.FirstChild("СведДогНПО");
  EXPECT_EQ(Attr(terms, "ВидДоговор"), "1");
  EXPECT_EQ(Attr(terms, "ДатаДогНПО"), "01.10.2010");
  EXPECT_EQ(Attr(terms, "НомДогНПО"), "12-345/A");
  const XmlElement payee = *terms.FirstChild("СведИст");
  EXPECT_EQ(Attr(payee, "Наим"), "НПФ «БУДУЩЕЕ»");
  EXPECT_EQ(Attr(payee, "ИННЮЛ"), "7704252261");
  EXPECT_EQ(Attr(payee, "КПП"), "770401001");
  EXPECT_EQ(Attr(*pension.Children()[1].FirstChild("СведДогНПО"), "ВидДоговор"), "3");
  const XmlElement extra = pension.Children()[2];
  EXPECT_EQ(Attr(extra, "СумВзносУпл"), "30000.00");
  EXPECT_EQ(Attr(extra, "СумВзносВыч"), "20000.00");
}

TEST(SheetE2Test, OnlyAnInvestmentDeduction) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilE3.ИнвВычПредВосст = Rub(52000);
  const XmlDocument document = BuildWith(*d, s);
  const XmlElement sheet = Body(document, "ВычСоцИнв219").at(0);
  EXPECT_EQ(ChildNames(sheet), (std::vector<std::string>{"РасчПенсВзнос", "РасчИнвВыч"}));
  EXPECT_EQ(Attr(*sheet.FirstChild("РасчПенсВзнос"), "ОбщВзносВыч"), "0.00");
  EXPECT_TRUE(sheet.FirstChild("РасчПенсВзнос")->Children().empty());
  const XmlElement investment = *sheet.FirstChild("РасчИнвВыч");
  EXPECT_EQ(Attr(investment, "СумИнвВыч219"), "0.00");
  EXPECT_EQ(Attr(investment, "ИнвВычПредВосст"), "52000.00");
}

// Sheet Ж.

TEST(SheetZhTest, RussianThenForeignIncomesEachWithItsDeductedPairs) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilG.РасхФактДогГПХ = {Rub(100000), Rub(30000)};
  s.PrilG.РасхНормАвтВозн = {Rub(50000), Rub(10000)};
  s.PrilG.РасхФактАвтВозн = {Rub(20000), Currency()};  // nothing deducted: left out
  s.PrilG.РасходОбщИт = Rub(40000);
  s.PrilG_In.РасхФактДолСтр = {Rub(8000), Rub(2000)};
  s.PrilG_In.РасходОбщИт = Rub(2000);
  const XmlDocument document = BuildWith(*d, s);
  const std::vector<XmlElement> sheets = Body(document, "ПрофНалВыч");
  ASSERT_EQ(sheets.size(), 2u);
  EXPECT_EQ(Attr(sheets[0], "ПрИст"), "1");
  EXPECT_EQ(Attr(sheets[0], "РасходОбщИт"), "40000.00");
  EXPECT_EQ(ChildNames(sheets[0]), (std::vector<std::string>{"РасхФактДогГПХ", "РасхНормАвтВозн"}));
  EXPECT_EQ(Attr(*sheets[0].FirstChild("РасхНормАвтВозн"), "СумАвторВозн"), "50000.00");
  EXPECT_EQ(Attr(sheets[1], "ПрИст"), "2");
  EXPECT_EQ(ChildNames(sheets[1]), std::vector<std::string>{"РасхФактДолСтр"});
  EXPECT_EQ(AttributeOrder(document.Serialize(), "РасхФактДолСтр"),
            (std::vector<std::string>{"СумДохУстПрав", "СумРасхВыч"}));

  s.PrilG.РасходОбщИт = Currency();
  const XmlDocument foreignOnly = BuildWith(*d, s);
  const std::vector<XmlElement> left = Body(foreignOnly, "ПрофНалВыч");
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(Attr(left[0], "ПрИст"), "2");
}

// The deduction sheets follow the income sheets in the order of the form.
TEST(BodyOrderTest, EverySheetInTheOrderOfTheForm) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign | kSectionBusiness | kSectionInvestTov);
  d->PropertyDeduct.Granted = 1;
  d->PropertyDeduct.AddObject(Flat());
  AddBusiness(*d, Rub(1), Rub(0));
  AddSource13(d->Sources13, "45380000", Rub(0), {Entry(2000, Rub(1))});
  kTSvodSum s;
  s.List6.Lines.push_back({"18210102010011000110", "45380000", "3", Currency()});
  s.PrilB13.OtherIncome = Rub(1);
  s.PrilM.ДохНеНалОбщ = Rub(1);
  s.PrilH1.ВычетОбщ = Rub(1);
  s.PrilE3.СумИнвВыч219 = Rub(1);
  s.PrilG.РасходОбщИт = s.PrilG_In.РасходОбщИт = Rub(1);
  s.PrilJ_IIS.ОбщДохСовОпер = s.PrilJ.ОбщДохСовОпер = Rub(1);
  s.PrilI.ОбщДоходОбл = Rub(1);
  EXPECT_EQ(ChildNames(Body3(BuildWith(*d, s))),
            (std::vector<std::string>{"СумНалПу", "НалБаза", "ДоходИстРФ", "ДоходИстИно", "ДоходПредпр", "ДоходОсвПрев",
                                      "ИмущНалВычНов", "ИмущНалВычПр", "ВычСтандСоц", "ВычСоцИнв219", "ПрофНалВыч",
                                      "ПрофНалВыч", "ДохОперЦБ", "ДохОперЦБ", "ДохИвестТов"}));
}

}  // namespace
}  // namespace talver::testing
