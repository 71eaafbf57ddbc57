// Sections 1 and 2 and sheet А of the body, from summaries and sources filled by hand.
#include <gtest/gtest.h>

#include "tests/export/ExportTestSupport.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver::testing {
namespace {

std::vector<XmlElement> Body(const XmlDocument& document, std::string_view name) {
  return ChildrenNamed(Body3(document), name);
}

struct LineCase {
  const char* Sign;
  const char* Amount;
  const char* Payable;
  const char* Refundable;
};

class Section1Test : public ::testing::TestWithParam<LineCase> {};

TEST_P(Section1Test, AmountGoesToTheAttributeOfItsSign) {
  const LineCase& c = GetParam();
  auto d = NewDeclaration();
  kTSvodSum s;
  s.List6.Lines.push_back({"18210102010011000110", "45380000", c.Sign, Rub(c.Amount)});
  const XmlDocument document = BuildWith(*d, s);
  const std::vector<XmlElement> lines = Body(document, "СумНалПу");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(Attr(lines[0], "ПрУплВозв"), c.Sign);
  EXPECT_EQ(Attr(lines[0], "КБК"), "18210102010011000110");
  EXPECT_EQ(Attr(lines[0], "ОКТМО"), "45380000");
  EXPECT_EQ(Attr(lines[0], "ПодлУпл"), c.Payable);
  EXPECT_EQ(Attr(lines[0], "ПодлВозв"), c.Refundable);
  EXPECT_EQ(AttributeOrder(document.Serialize(), "СумНалПу"),
            (std::vector<std::string>{"ПрУплВозв", "КБК", "ОКТМО", "ПодлУпл", "ПодлВозв"}));
}

INSTANTIATE_TEST_SUITE_P(Signs, Section1Test,
                         ::testing::Values(LineCase{"1", "6501", "6501", "0"}, LineCase{"2", "1234.00", "0", "1234"},
                                           LineCase{"2", "1234.5", "0", "1234.5"}, LineCase{"3", "0", "0", "0"},
                                           LineCase{"3", "15", "0", "0"}));

TEST(Section1Test, LinesKeepTheirOrderAndComeFirst) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.List6.Lines.push_back({"18210102030011000110", "46000000", "1", Rub(2000)});
  s.List6.Lines.push_back({"18210102010011000110", "45380000", "2", Rub(5000)});
  const XmlDocument document = BuildWith(*d, s);
  const std::vector<std::string> names = ChildNames(Body3(document));
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[0], "СумНалПу");
  EXPECT_EQ(names[1], "СумНалПу");
  EXPECT_EQ(names[2], "НалБаза");
  const std::vector<XmlElement> lines = Body(document, "СумНалПу");
  EXPECT_EQ(Attr(lines[0], "ОКТМО"), "46000000");
  EXPECT_EQ(Attr(lines[1], "ОКТМО"), "45380000");
}

// A summary whose seven section 2 components each have the rate a computation would give them.
kTSvodSum WithRates() {
  kTSvodSum s;
  s.List1.Ставка = "13";
  s.ListKIK.Ставка = "13";
  s.ListDiv.Ставка = "13";
  s.List2.Ставка = "30";
  s.List3.Ставка = "35";
  s.List4.Ставка = "09";
  s.List5.Ставка = "15";
  return s;
}

TEST(Section2Test, ComponentsInTheOrderOfTheFormWithTheirKinds) {
  auto d = NewDeclaration();
  kTSvodSum s = WithRates();
  Currency amount = Rub(100);
  for (kTSvodSumListValues* c : std::initializer_list<kTSvodSumListValues*>{
           &s.List1, &s.ListKIK, &s.ListDiv, &s.List2, &s.List3, &s.List4, &s.List5}) {
    c->ДоходОбщ = amount;
    amount += Rub(100);
  }
  const XmlDocument document = BuildWith(*d, s);
  std::vector<std::string> written;
  for (const XmlElement& base : Body(document, "НалБаза")) {
    written.push_back(*Attr(base, "Ставка") + "/" + *Attr(base, "ВидДоход") + "/" +
                      *Attr(*base.FirstChild("РасчНалБаза"), "ДоходОбщ"));
  }
  EXPECT_EQ(written, (std::vector<std::string>{"13/1/300.00", "13/2/200.00", "13/3/100.00", "30/3/400.00",
                                               "35/3/500.00", "09/3/600.00", "15/1/700.00"}));
}

TEST(Section2Test, EveryValueIsWrittenInItsFormAndOrder) {
  auto d = NewDeclaration();
  kTSvodSum s = WithRates();
  kTSvodSumListValues& c = s.List1;
  c.ДоходОбщ = Rub("1234.5678");
  c.ДоходОбщНеНал = Rub(1);
  c.ДоходОбщНал = Rub(2);
  c.СумНалВыч = -Rub(3);  // expenses above the income
  c.СумРасхУм = Rub(4);
  c.СумДохДивКИК = Rub(5);
  c.НалБаза = Rub("6.1");
  c.Исчисл = Rub(7);
  c.УдержОбщ = Rub("8.25");
  c.УдержОбщМВ = Rub(9);
  c.ТСУплПерЗач = Rub(10);
  c.УплАвФакт = Rub(11);
  c.ОбщАвУплЗач227_1 = Rub(12);
  c.УплИнПодлЗач = Rub(13);
  c.ИсчислУпл = Rub(14);
  c.УплПатентЗач = Rub(15);
  c.ПодлУпл = Rub(16);
  c.ПодлВозв = Rub(17);
  const XmlDocument document = BuildWith(*d, s);
  const std::string text = document.Serialize();
  EXPECT_EQ(AttributeOrder(text, "РасчНалБаза"),
            (std::vector<std::string>{"ДоходОбщ", "ДоходОбщНеНал", "ДоходОбщНал", "СумНалВыч", "СумРасхУм",
                                      "СумДохДивКИК", "НалБаза"}));
  EXPECT_EQ(AttributeOrder(text, "РасчНалПУ"),
            (std::vector<std::string>{"Исчисл", "УдержОбщ", "УдержОбщМВ", "ТСУплПерЗач", "УплАвФакт",
                                      "ОбщАвУплЗач227.1", "УплИнПодлЗач", "ИсчислУпл", "УплПатентЗач", "ПодлУпл",
                                      "ПодлВозв"}));
  const XmlElement base = Body(document, "НалБаза").at(0);
  const XmlElement calc = *base.FirstChild("РасчНалБаза");
  EXPECT_EQ(Attr(calc, "ДоходОбщ"), "1234.56") << "kopecks, the rest dropped";
  EXPECT_EQ(Attr(calc, "СумНалВыч"), "0.00") << "a negative amount has no kopeck form";
  EXPECT_EQ(Attr(calc, "НалБаза"), "6.10");
  const XmlElement tax = *base.FirstChild("РасчНалПУ");
  EXPECT_EQ(Attr(tax, "Исчисл"), "7");
  EXPECT_EQ(Attr(tax, "УдержОбщ"), "8.25");
  EXPECT_EQ(Attr(tax, "ОбщАвУплЗач227.1"), "12");
  EXPECT_EQ(Attr(tax, "ПодлВозв"), "17");
}

// Which of List1 and List3 make a `НалБаза`: the fifteen values must add up to more than zero.
struct GuardCase {
  const char* Name;
  void (*Fill)(kTSvodSumListValues& c);
  bool Written;
};

class Section2GuardTest : public ::testing::TestWithParam<GuardCase> {};

TEST_P(Section2GuardTest, ComponentIsWrittenWhenItsValuesAddUpAboveZero) {
  const GuardCase& c = GetParam();
  auto d = NewDeclaration();
  kTSvodSum s = WithRates();
  s.List2.ДоходОбщ = Rub(1);  // another component, always written
  c.Fill(s.List3);
  const XmlDocument document = BuildWith(*d, s);
  std::vector<std::string> rates;
  for (const XmlElement& base : Body(document, "НалБаза")) rates.push_back(*Attr(base, "Ставка"));
  const std::vector<std::string> expected = c.Written ? std::vector<std::string>{"30", "35"} : std::vector<std::string>{"30"};
  EXPECT_EQ(rates, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Section2GuardTest,
    ::testing::Values(
        GuardCase{"AllZero", [](kTSvodSumListValues&) {}, false},
        GuardCase{"OnlyRefund", [](kTSvodSumListValues& c) { c.ПодлВозв = Rub(500); }, false},
        GuardCase{"OnlyPayable", [](kTSvodSumListValues& c) { c.ИсчислУпл = c.ПодлУпл = Rub(500); }, false},
        GuardCase{"OneKopeckOfIncome", [](kTSvodSumListValues& c) { c.ДоходОбщ = Rub("0.01"); }, true},
        GuardCase{"OnlyPatentCredit", [](kTSvodSumListValues& c) { c.УплПатентЗач = Rub(1); }, true},
        GuardCase{"OnlyCreditOf227_1", [](kTSvodSumListValues& c) { c.ОбщАвУплЗач227_1 = Rub(1); }, true},
        GuardCase{"NegativeDeductionsCancelTheIncome",
                  [](kTSvodSumListValues& c) {
                    c.ДоходОбщ = Rub(100);
                    c.СумНалВыч = -Rub(100);
                  },
                  false}),
    [](const ::testing::TestParamInfo<GuardCase>& param) { return std::string(param.param.Name); });

TEST(Section2Test, WithoutAnyTaxBaseTheZeroBaseOfOtherIncomesIsWritten) {
  auto d = NewDeclaration();
  kTSvodSum s = WithRates();
  s.List5.ПодлВозв = Rub(10);  // does not count
  const XmlDocument document = BuildWith(*d, s);
  const std::vector<XmlElement> bases = Body(document, "НалБаза");
  ASSERT_EQ(bases.size(), 1u);
  EXPECT_EQ(Attr(bases[0], "Ставка"), "13");
  EXPECT_EQ(Attr(bases[0], "ВидДоход"), "3");
  EXPECT_EQ(Attr(*bases[0].FirstChild("РасчНалБаза"), "ДоходОбщ"), "0.00");
  EXPECT_EQ(Attr(*bases[0].FirstChild("РасчНалПУ"), "ПодлВозв"), "0");
  EXPECT_TRUE(Body(document, "ДоходИстРФ").empty());
}

// Sheet А.

mTThirteenPercent& Source13(mTList<mTThirteenPercent>& list, std::string name, std::string inn, std::string kpp) {
  mTThirteenPercent& s = list.Get(list.Add());
  s.Name = std::move(name);
  s.Inn = std::move(inn);
  s.Kpp = std::move(kpp);
  s.Oktmo = "45380000";
  s.AddEntry(Entry(2000, Rub("1000.555")));
  s.TaxableIncome = Rub(900);
  s.TaxComputed = Rub(117);
  s.TaxWithheld = Rub("116.5");
  s.IncomeKind = "06";
  return s;
}

TEST(SheetATest, SourceValuesInTheirFormsAndOrder) {
  auto d = NewDeclaration();
  Source13(d->Sources13, T("ООО Ромашка"), "7701234567", "770101001");
  const XmlDocument document = BuildWith(*d, kTSvodSum());
  const std::vector<XmlElement> sources = Body(document, "ДоходИстРФ");
  ASSERT_EQ(sources.size(), 1u);
  const XmlElement& e = sources[0];
  EXPECT_EQ(AttributeOrder(document.Serialize(), "ДоходИстРФ"),
            (std::vector<std::string>{"Ставка", "ВидДоход", "ОКТМО", "Доход", "ДоходОбл", "НалИсчисл", "НалУдерж"}));
  EXPECT_EQ(Attr(e, "Ставка"), "13");
  EXPECT_EQ(Attr(e, "ВидДоход"), "06");
  EXPECT_EQ(Attr(e, "ОКТМО"), "45380000");
  EXPECT_EQ(Attr(e, "Доход"), "1000.55");
  EXPECT_EQ(Attr(e, "ДоходОбл"), "900.00");
  EXPECT_EQ(Attr(e, "НалИсчисл"), "117");
  EXPECT_EQ(Attr(e, "НалУдерж"), "116.5");
  EXPECT_EQ(ChildNames(e), std::vector<std::string>{"ИстЮЛ"});
}

TEST(SheetATest, BlankMunicipalCodeIsLeftOut) {
  auto d = NewDeclaration();
  Source13(d->Sources13, "X", "7701234567", "770101001").Oktmo = "  ";
  EXPECT_FALSE(Attr(Body(BuildWith(*d, kTSvodSum()), "ДоходИстРФ").at(0), "ОКТМО"));
}

struct PayerCase {
  const char* Name;
  const char* Inn;
  const char* Kpp;
  const char* Element;
  bool PersonInn;
};

class PayerTest : public ::testing::TestWithParam<PayerCase> {};

TEST_P(PayerTest, PrivatePersonOrOrganisation) {
  const PayerCase& c = GetParam();
  auto d = NewDeclaration();
  Source13(d->Sources13, T("  Петров Пётр  "), c.Inn, c.Kpp);
  const XmlDocument document = BuildWith(*d, kTSvodSum());
  const XmlElement source = Body(document, "ДоходИстРФ").at(0);
  ASSERT_EQ(ChildNames(source), std::vector<std::string>{c.Element});
  const XmlElement payer = source.Children()[0];
  if (std::string(c.Element) == "ИстФЛИн") {
    EXPECT_EQ(Attr(payer, "ФИОИн"), "ПЕТРОВ ПЁТР") << "trimmed";
    EXPECT_EQ(Attr(payer, "ИННФЛ"), c.PersonInn ? std::optional<std::string>(c.Inn) : std::nullopt);
  } else {
    EXPECT_EQ(Attr(payer, "Наим"), "  ПЕТРОВ ПЁТР  ") << "as stored";
    EXPECT_EQ(Attr(payer, "ИННЮЛ"), c.Inn);
    EXPECT_EQ(Attr(payer, "КПП"), c.Kpp);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Payers, PayerTest,
    ::testing::Values(PayerCase{"TenDigitsNoKpp", "7701234567", "", "ИстЮЛ", false},
                      PayerCase{"TenDigitsWithKpp", "7701234567", "770101001", "ИстЮЛ", false},
                      PayerCase{"TwelveDigitsWithKpp", "770123456789", "770101001", "ИстЮЛ", false},
                      PayerCase{"TwelveDigitsNoKpp", "770123456789", "", "ИстФЛИн", true},
                      PayerCase{"TwelveDigitsBlankKpp", "770123456789", "   ", "ИстФЛИн", true},
                      PayerCase{"NoInnNoKpp", "", "", "ИстФЛИн", false},
                      PayerCase{"BlankInnNoKpp", "  ", "", "ИстФЛИн", false}),
    [](const ::testing::TestParamInfo<PayerCase>& param) { return std::string(param.param.Name); });

TEST(SheetATest, PrivatePersonsNameIsCutTo255AndAnOrganisationsIsNot) {
  auto d = NewDeclaration();
  const std::string longName(300, 'a');
  Source13(d->Sources13, longName, "770123456789", "");
  Source13(d->Sources13, longName, "7701234567", "770101001");
  const XmlDocument document = BuildWith(*d, kTSvodSum());
  const std::vector<XmlElement> sources = Body(document, "ДоходИстРФ");
  ASSERT_EQ(sources.size(), 2u);
  EXPECT_EQ(Attr(*sources[0].FirstChild("ИстФЛИн"), "ФИОИн"), std::string(255, 'A'));
  EXPECT_EQ(Attr(*sources[1].FirstChild("ИстЮЛ"), "Наим"), std::string(300, 'A'));
}

// The rate of each `ДоходИстРФ` in order, "/" its tax computed.
std::vector<std::string> RatesAndTax(const XmlDocument& document) {
  std::vector<std::string> out;
  for (const XmlElement& e : Body(document, "ДоходИстРФ")) out.push_back(*Attr(e, "Ставка") + "/" + *Attr(e, "НалИсчисл"));
  return out;
}

// A declaration with a source in every list, each with a tax computed that tells it apart.
std::unique_ptr<mTDeclaration> EveryList(std::uint8_t form) {
  auto d = NewDeclaration(form, kSectionRussian | kSectionInvestTov);
  AddSource30(d->Sources9, 1011, "1", Rub(100), Rub(100), Rub(9), Rub(9));
  AddSource13(d->Sources13, "2", Rub(13), {Entry(2000, Rub(100))}, Rub(13));
  AddSource13(d->Sources13NR, "3", Rub(131), {Entry(2000, Rub(100))}, Rub(131));
  AddSource30(d->SourcesDividends, 1010, "4", Rub(10001), Rub(10001), Rub(1300), Rub(1300));
  AddPartnership(*d, "5", Rub(0), {Operation(1, Rub(100))}).TaxComputed = Rub(7);
  AddSource35(*d, 2610, "6", Rub(100), Rub(35)).TaxComputed = Rub(35);
  return d;
}

TEST(SheetATest, ResidentListsInTheirOrderAndRates) {
  auto d = EveryList(kForm3Resident);
  kTSvodSum s;
  s.PrilA35.SumIncome = Rub(100);
  EXPECT_EQ(RatesAndTax(BuildWith(*d, s)),
            (std::vector<std::string>{"09/9", "13/13", "13/7", "13/1300", "35/35"}));
}

TEST(SheetATest, NonResidentListsInTheirOrderAndRates) {
  auto d = EveryList(kForm3NonResident);
  kTSvodSum s;
  s.PrilA35.SumIncome = Rub(100);
  // Dividends at 15 %: 10 001 × 15 % = 1 500.15, rounded here, not the source's own tax.
  EXPECT_EQ(RatesAndTax(BuildWith(*d, s)), (std::vector<std::string>{"13/131", "15/1500", "30/13", "30/7"}));
}

TEST(SheetATest, NoSheetAIn4Ndfl) {
  auto d = EveryList(kForm4);
  EXPECT_FALSE(At(BuildWith(*d, kTSvodSum()).DocumentElement(), "Документ/НДФЛ3"));
}

struct DividendCase {
  const char* Taxable;
  const char* Tax;
};

class NonResidentDividendTest : public ::testing::TestWithParam<DividendCase> {};

TEST_P(NonResidentDividendTest, TaxAt15PercentHalfUp) {
  auto d = NewDeclaration(kForm3NonResident);
  AddSource30(d->SourcesDividends, 1010, "45380000", Rub(GetParam().Taxable), Rub(GetParam().Taxable), Rub(1),
              Rub(0));
  EXPECT_EQ(Attr(Body(BuildWith(*d, kTSvodSum()), "ДоходИстРФ").at(0), "НалИсчисл"), GetParam().Tax);
}

INSTANTIATE_TEST_SUITE_P(Amounts, NonResidentDividendTest,
                         ::testing::Values(DividendCase{"10001.00", "1500"}, DividendCase{"10003.40", "1501"},
                                           DividendCase{"10", "2"},  // exactly 1.5
                                           DividendCase{"90", "14"}, DividendCase{"0.03", "0"},
                                           DividendCase{"0", "0"}));

TEST(SheetATest, ThirtyFivePercentSourcesNeedIncomeAndLeaveOutCode2620) {
  auto d = NewDeclaration();
  AddSource35(*d, 2610, "1", Rub(100), Rub(0)).TaxComputed = Rub(35);
  AddSource35(*d, 2620, "2", Rub(300), Rub(1000));
  AddSource35(*d, 2740, "3", Rub(200), Rub(0)).TaxComputed = Rub(70);
  kTSvodSum s;
  EXPECT_TRUE(Body(BuildWith(*d, s), "ДоходИстРФ").empty()) << "no 35 % income computed";
  s.PrilA35.SumIncome = Rub(300);
  EXPECT_EQ(RatesAndTax(BuildWith(*d, s)), (std::vector<std::string>{"35/35", "35/70"}));
}

}  // namespace
}  // namespace talver::testing
