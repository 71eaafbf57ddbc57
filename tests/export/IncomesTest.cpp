// Sheets Б, В and Г of the body, from summaries filled by hand.
#include <gtest/gtest.h>

#include "tests/export/ExportTestSupport.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver::testing {
namespace {

std::vector<XmlElement> Body(const XmlDocument& document, std::string_view name) {
  return ChildrenNamed(Body3(document), name);
}

DohodCur ForeignLine() {
  DohodCur line;
  line.ОКСМ = "840";
  line.КодВалют = "840";
  line.НаимИстДох = "Apple Inc";
  line.ДатаДох = EncodeDate(2016, 3, 15);
  line.КурсВалютДох = "75.8528";
  line.ДоходИноВал = "100.00";
  line.ДоходИноРуб = Rub("7585.28");
  line.КодВидДох = "1";
  return line;
}

// Sheet Б.

TEST(SheetBTest, NothingWithoutTheForeignSection) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian);
  kTSvodSum s;
  s.PrilB13.OtherIncome = Rub(100);
  s.PrilB13.Lines.push_back(ForeignLine());
  EXPECT_TRUE(Body(BuildWith(*d, s), "ДоходИстИно").empty());
}

struct BlockCase {
  const char* Name;
  void (*Fill)(kTSvodSum& s);
  std::vector<std::string> Rates;
};

class SheetBBlockTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(SheetBBlockTest, BlocksWrittenByTheirTotals) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
  kTSvodSum s;
  GetParam().Fill(s);
  std::vector<std::string> rates;
  const XmlDocument document = BuildWith(*d, s);
  for (const XmlElement& e : Body(document, "ДоходИстИно")) rates.push_back(*Attr(e, "Ставка"));
  EXPECT_EQ(rates, GetParam().Rates);
}

INSTANTIATE_TEST_SUITE_P(
    Totals, SheetBBlockTest,
    ::testing::Values(
        BlockCase{"None", [](kTSvodSum&) {}, {}},
        BlockCase{"EveryRate",
                  [](kTSvodSum& s) {
                    s.PrilB9.OtherIncome = s.PrilB13.OtherIncome = s.PrilB35.OtherIncome = Rub(1);
                  },
                  {"09", "13", "35"}},
        BlockCase{"DividendsAt13", [](kTSvodSum& s) { s.PrilB13.DividendIncome = Rub(1); }, {"13"}},
        BlockCase{"CompanyProfitAt13", [](kTSvodSum& s) { s.PrilB13.KikProfit = Rub(1); }, {"13"}},
        // Only other incomes make the blocks of 9 % and 35 %.
        BlockCase{"DividendsAt9And35",
                  [](kTSvodSum& s) {
                    s.PrilB9.DividendIncome = s.PrilB9.KikProfit = Rub(1);
                    s.PrilB35.DividendIncome = Rub(1);
                  },
                  {}}),
    [](const ::testing::TestParamInfo<BlockCase>& param) { return std::string(param.param.Name); });

TEST(SheetBTest, BlockWithoutLinesHasItsRateOnly) {
  auto d = NewDeclaration(kForm3Resident, kSectionForeign);
  kTSvodSum s;
  s.PrilB35.OtherIncome = Rub(1);
  const XmlDocument document = BuildWith(*d, s);
  const std::vector<XmlElement> blocks = Body(document, "ДоходИстИно");
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(Attr(blocks[0], "Ставка"), "35");
  EXPECT_TRUE(blocks[0].Children().empty());
}

TEST(SheetBTest, CompanyLineWithEveryValue) {
  auto d = NewDeclaration(kForm3Resident, kSectionForeign);
  kTSvodSum s;
  s.PrilB13.KikProfit = Rub(1);
  DohodCur line = ForeignLine();
  line.ОКСМ = " 36";
  line.КодВалют = "";
  line.НомерКИК = "k-7";
  line.ДоходИноВал = "1 000,50";
  line.ДохСтИмЛиквИн = Rub(10);
  line.ДохДивКИК = Rub(20);
  line.ПорядПрибКИК = 1;
  line.ДатаУплНал = EncodeDate(2016, 4, 1);
  line.КурсВалютНал = "76.1";
  line.НалУплИноВал = "10,05";
  line.НалУплИноРуб = Rub("765.31");
  line.НалЗачРФОбщ = Rub("986.09");
  line.НалогЗачРФОбщ = Rub("765.31");
  s.PrilB13.Lines.push_back(line);
  const XmlDocument document = BuildWith(*d, s);
  EXPECT_EQ(AttributeOrder(document.Serialize(), "РасчДохНалИно"),
            (std::vector<std::string>{"ОКСМ", "НаимИстДох", "КодВалют", "КодВидДох", "НомерКИК", "ДатаДох",
                                      "КурсВалютДох", "ДоходИноВал", "ДоходИноРуб", "ДохСтИмЛиквИн", "ДохДивКИК",
                                      "ПорядПрибКИК", "ДатаУплНал", "КурсВалютНал", "НалУплИноВал",
                                      "НалУплИноРуб", "НалЗачРФОбщ", "НалогЗачРФОбщ"}));
  const XmlElement e = Body(document, "ДоходИстИно").at(0).Children().at(0);
  EXPECT_EQ(Attr(e, "ОКСМ"), "036");
  EXPECT_EQ(Attr(e, "НаимИстДох"), "APPLE INC");
  EXPECT_EQ(Attr(e, "КодВалют"), "000");
  EXPECT_EQ(Attr(e, "КодВидДох"), "1");
  EXPECT_EQ(Attr(e, "НомерКИК"), "K-7");
  EXPECT_EQ(Attr(e, "ДатаДох"), "15.03.2016");
  EXPECT_EQ(Attr(e, "КурсВалютДох"), "75.8528");
  EXPECT_EQ(Attr(e, "ДоходИноВал"), "1 000.50");
  EXPECT_EQ(Attr(e, "ДоходИноРуб"), "7585.28");
  EXPECT_EQ(Attr(e, "ПорядПрибКИК"), "1");
  EXPECT_EQ(Attr(e, "ДатаУплНал"), "01.04.2016");
  EXPECT_EQ(Attr(e, "НалУплИноВал"), "10.05");
  EXPECT_EQ(Attr(e, "НалУплИноРуб"), "765.31");
  EXPECT_EQ(Attr(e, "НалЗачРФОбщ"), "986.09");
}

TEST(SheetBTest, LineOfAnotherRateHasKind2AndNoCompanyFigures) {
  auto d = NewDeclaration(kForm3Resident, kSectionForeign);
  kTSvodSum s;
  s.PrilB9.OtherIncome = Rub(1);
  DohodCur line = ForeignLine();
  line.КодВидДох = "1";
  line.НомерКИК = "7";
  line.ДохДивКИК = Rub(20);
  line.ПорядПрибКИК = 2;
  s.PrilB9.Lines.push_back(line);
  const XmlDocument document = BuildWith(*d, s);
  EXPECT_EQ(AttributeOrder(document.Serialize(), "РасчДохНалИно"),
            (std::vector<std::string>{"ОКСМ", "НаимИстДох", "КодВалют", "КодВидДох", "ДатаДох", "КурсВалютДох",
                                      "ДоходИноВал", "ДоходИноРуб"}));
  EXPECT_EQ(Attr(Body(document, "ДоходИстИно").at(0).Children().at(0), "КодВидДох"), "2");
}

TEST(SheetBTest, WithoutTaxPaidAbroadTheRussianTaxIsStillWritten) {
  auto d = NewDeclaration(kForm3Resident, kSectionForeign);
  kTSvodSum s;
  s.PrilB13.OtherIncome = Rub(1);
  DohodCur line = ForeignLine();
  line.ДатаУплНал = EncodeDate(2016, 4, 1);
  line.НалУплИноВал = "5";
  line.НалЗачРФОбщ = Rub(986);
  line.ПорядПрибКИК = 7;  // any other non-zero order is "2"
  s.PrilB13.Lines.push_back(line);
  s.PrilB13.Lines.push_back(ForeignLine());
  const XmlDocument document = BuildWith(*d, s);
  const std::vector<XmlElement> lines = Body(document, "ДоходИстИно").at(0).Children();
  ASSERT_EQ(lines.size(), 2u);
  for (const char* absent : {"ДатаУплНал", "КурсВалютНал", "НалУплИноВал", "НалУплИноРуб", "НалогЗачРФОбщ",
                             "НомерКИК", "ДохСтИмЛиквИн", "ДохДивКИК"}) {
    EXPECT_FALSE(Attr(lines[0], absent)) << absent;
  }
  EXPECT_EQ(Attr(lines[0], "НалЗачРФОбщ"), "986.00");
  EXPECT_EQ(Attr(lines[0], "ПорядПрибКИК"), "2");
  EXPECT_FALSE(Attr(lines[1], "НалЗачРФОбщ"));
  EXPECT_FALSE(Attr(lines[1], "ПорядПрибКИК"));
}

// Sheet В.

std::unique_ptr<mTDeclaration> Business() {
  auto d = NewDeclaration(kForm3Resident, kSectionBusiness);
  AddBusiness(*d, Rub(1000000), Rub(0)).Okved = "62.01";
  return d;
}

TEST(SheetVTest, NeedsTheSectionAndAnActivity) {
  kTSvodSum s;
  s.PrilV1.ДоходИт = Rub(1);
  auto without = NewDeclaration(kForm3Resident, kSectionBusiness);
  EXPECT_TRUE(Body(BuildWith(*without, s), "ДоходПредпр").empty());
  auto d = Business();
  d->SetSections(kSectionRussian);
  d->Businesses.Add();  // left over in the list, the section is off
  EXPECT_TRUE(Body(BuildWith(*d, s), "ДоходПредпр").empty());
}

TEST(SheetVTest, TotalsAndAdvancePayments) {
  auto d = Business();
  kTSvodSum s;
  s.PrilV1.ДоходИт = Rub(1000000);
  s.PrilV1.ВычПрофИт = Rub("200000.5");
  const XmlDocument plain = BuildWith(*d, s);
  const XmlElement sheet = Body(plain, "ДоходПредпр").at(0);
  EXPECT_EQ(Attr(sheet, "ДоходИт"), "1000000.00");
  EXPECT_EQ(Attr(sheet, "ВычПрофИт"), "200000.50");
  EXPECT_FALSE(Attr(sheet, "НачислАвИт"));
  EXPECT_FALSE(Attr(sheet, "УплФактАвИт"));

  s.PrilV1.НачислАвИт = Rub(5000);
  s.PrilV1.УплФактАвИт = Rub("4999.5");
  const XmlDocument advances = BuildWith(*d, s);
  EXPECT_EQ(AttributeOrder(advances.Serialize(), "ДоходПредпр"),
            (std::vector<std::string>{"ДоходИт", "ВычПрофИт", "НачислАвИт", "УплФактАвИт"}));
  EXPECT_EQ(Attr(Body(advances, "ДоходПредпр").at(0), "УплФактАвИт"), "4999.5");
}

TEST(SheetVTest, ActivitiesWithConfirmedOrNormalExpenses) {
  auto d = NewDeclaration(kForm3Resident, kSectionBusiness);
  mTBusinessNew& confirmed = AddBusiness(*d, Rub(500000), Rub(0));
  confirmed.Okved = "62.01";
  confirmed.ExpenseTotal = Rub(300);
  confirmed.MaterialExpenses = Rub(100);
  confirmed.LabourCosts = Rub(200);
  mTBusinessNew& empty = AddBusiness(*d, Rub(1000), Rub(0));
  empty.Okved = "01.1";
  mTBusinessNew& lawyer = AddBusiness(*d, Rub(200000), Rub(40000), false);
  lawyer.ActivityKind = "3";
  lawyer.Okved = "69.10";
  mTBusinessNew& noNorm = AddBusiness(*d, Rub(1), Rub(0), false);
  noNorm.ActivityKind = "2";
  const XmlDocument document = BuildWith(*d, kTSvodSum());
  const std::string text = document.Serialize();
  const std::vector<XmlElement> kinds = Body(document, "ДоходПредпр").at(0).Children();
  ASSERT_EQ(kinds.size(), 4u);
  EXPECT_EQ(AttributeOrder(text, "РасчВидДеят", 0),
            (std::vector<std::string>{"ВидДеят", "ОКВЭД", "Доход", "РасхФакт", "РасхФМат", "РасхФОплТруд"}));
  EXPECT_EQ(Attr(kinds[0], "ОКВЭД"), "62.01");
  EXPECT_EQ(Attr(kinds[0], "РасхФМат"), "100.00");
  EXPECT_EQ(AttributeOrder(text, "РасчВидДеят", 1), (std::vector<std::string>{"ВидДеят", "ОКВЭД", "Доход"}));
  EXPECT_EQ(AttributeOrder(text, "РасчВидДеят", 2), (std::vector<std::string>{"ВидДеят", "Доход", "РасхПредНорм"}));
  EXPECT_EQ(Attr(kinds[2], "РасхПредНорм"), "40000.00");
  EXPECT_EQ(AttributeOrder(text, "РасчВидДеят", 3), (std::vector<std::string>{"ВидДеят", "Доход"}));
}

TEST(SheetVTest, PeasantFarmAndAdjustedBase) {
  auto d = Business();
  d->IsPeasantFarm = 1;
  d->FarmRegistrationDate = EncodeDate(2012, 6, 30);
  d->FarmExemptIncome = Rub(150000);
  d->AdjustedExpense = Rub("1300.5");
  const XmlDocument document = BuildWith(*d, kTSvodSum());
  const XmlElement sheet = Body(document, "ДоходПредпр").at(0);
  EXPECT_EQ(ChildNames(sheet), (std::vector<std::string>{"РасчВидДеят", "СведКФХ", "НБКор105.3"}));
  const XmlElement farm = *sheet.FirstChild("СведКФХ");
  EXPECT_EQ(Attr(farm, "ГодРегКФХ"), "2012");
  EXPECT_EQ(Attr(farm, "ДоходНеНал"), "150000.00");
  const XmlElement adjusted = *sheet.FirstChild("НБКор105.3");
  EXPECT_EQ(Attr(adjusted, "НБКорСам"), "0.00");
  EXPECT_EQ(Attr(adjusted, "НалКорСам"), "1300.5");

  d->IsPeasantFarm = 0;
  d->AdjustedExpense = Currency();
  EXPECT_EQ(ChildNames(Body(BuildWith(*d, kTSvodSum()), "ДоходПредпр").at(0)), std::vector<std::string>{"РасчВидДеят"});
}

// Sheet Г.

TEST(SheetGTest, KindsInTheOrderOfTheFormWhenSomethingIsExempt) {
  auto d = NewDeclaration();
  d->FarmMonthsWorked = 12;
  kTSvodSum s;
  kTSvodSumPrilM& m = s.PrilM;
  Currency amount = Rub(1000);
  for (kTExemptIncome* p : {&m.ПризРекл, &m.НатОплСХ, &m.ДопСВПенс, &m.ПомПодар, &m.ВозмМед, &m.ПризНП, &m.ПодарНП,
                            &m.МатПомИнв, &m.МатПомРаб, &m.МатПомРожд}) {
    p->ДоходВсИст = amount + Rub(5000);
    p->ДоходНеНал = amount;
    amount += Rub(1000);
  }
  m.ДохНеНалОбщ = Rub(12345);
  const XmlDocument document = BuildWith(*d, s);
  const XmlElement sheet = Body(document, "ДоходОсвПрев").at(0);
  EXPECT_EQ(Attr(sheet, "ДохНеНалОбщ"), "12345.00");
  EXPECT_EQ(ChildNames(sheet), (std::vector<std::string>{"МатПомРожд", "МатПомРаб", "МатПомИнв", "ПодарНП", "ПризНП",
                                                         "ВозмМед", "ПомПодар", "ДопСВПенс", "НатОплСХ", "ПризРекл"}));
  const XmlElement first = *sheet.FirstChild("МатПомРожд");
  EXPECT_EQ(Attr(first, "ДоходВсИст"), "15000.00");
  EXPECT_EQ(Attr(first, "ДоходНеНал"), "10000.00");
  EXPECT_EQ(AttributeOrder(document.Serialize(), "НатОплСХ"),
            (std::vector<std::string>{"КолМесОтраб", "ДоходВсИст", "ДоходНеНал"}));
  EXPECT_EQ(Attr(*sheet.FirstChild("НатОплСХ"), "КолМесОтраб"), "12");
}

TEST(SheetGTest, OnlyExemptKindsAreListed) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilM.ПодарНП = {Rub(3000), Rub(3000)};
  s.PrilM.ПризНП = {Rub(9000), Currency()};  // income but nothing exempt
  s.PrilM.ДохНеНалОбщ = Rub(3000);
  EXPECT_EQ(ChildNames(Body(BuildWith(*d, s), "ДоходОсвПрев").at(0)), std::vector<std::string>{"ПодарНП"});
}

TEST(SheetGTest, PrizesInAdvertisingAloneMakeTheSheet) {
  auto d = NewDeclaration();
  kTSvodSum s;
  EXPECT_TRUE(Body(BuildWith(*d, s), "ДоходОсвПрев").empty());
  s.PrilM.ПризРекл = {Rub(10000), Rub(4000)};
  const XmlDocument document = BuildWith(*d, s);
  const std::vector<XmlElement> sheets = Body(document, "ДоходОсвПрев");
  ASSERT_EQ(sheets.size(), 1u);
  EXPECT_EQ(Attr(sheets[0], "ДохНеНалОбщ"), "0.00");
  EXPECT_EQ(ChildNames(sheets[0]), std::vector<std::string>{"ПризРекл"});
}

}  // namespace
}  // namespace talver::testing
