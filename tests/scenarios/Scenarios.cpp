#include "tests/scenarios/Scenarios.h"

#include "platform/Dates.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver::testing {
namespace {

constexpr const char* kOwn = "45380000";    // the taxpayer's municipal code in most returns
constexpr const char* kOther = "46000000";  // a second municipal code
const std::string k010 = "18210102010011000110";
const std::string k020 = "18210102020011000110";
const std::string k030 = "18210102030011000110";

// An employer withheld 30 % in the first months of the year, as for a non-resident; by the
// year's end the employee is resident and the excess comes back.
std::unique_ptr<mTDeclaration> BuildOverWithheld() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, kOwn, Rub(85500), Monthly(2000, Rub(50000)), Rub(85500));
  return d;
}

// The same kind of excess at two employers with different municipal codes: the refund goes
// back to the first employer up to what it withheld, the rest to the second.
std::unique_ptr<mTDeclaration> BuildTwoEmployers() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, kOwn, Rub(36000), Monthly(2000, Rub(10000)), Rub(36000), "ООО Первый");
  AddSource13(d->Sources13, kOther, Rub(30000), {Entry(2010, Rub(100000), 0, Currency(), 6)}, Rub(30000),
              "АО Второй");
  return d;
}

// Wages taxed in full by the employer, interest on mortgage-backed bonds at 9 % with too little
// withheld, a material benefit at 35 % with nothing withheld, and tax withheld at 35 % under
// code 2620, which only counts as a credit.
std::unique_ptr<mTDeclaration> BuildResident9And35() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, kOwn, Rub(62400), Monthly(2000, Rub(40000)), Rub(62400));
  AddSource30(d->Sources9, 1011, kOwn, Rub(50000), Rub(50000), Rub(4500), Rub(4000));
  AddSource35(*d, 2610, kOwn, Rub("20001.43"), Currency());
  AddSource35(*d, 2620, kOther, Rub(3000), Rub(1000));
  return d;
}

// A non-resident: a highly qualified specialist's salary at 13 % taxed in full, wages at 30 %
// with an excess withheld, and dividends withheld at 13 % instead of 15 %.
std::unique_ptr<mTDeclaration> BuildNonResident() {
  auto d = NewDeclaration(kForm3NonResident, kSectionRussian, kOther);
  AddSource13(d->Sources13NR, kOwn, Rub(260000), Monthly(2000, Rub("166666.67")), Rub(260000));
  AddSource13(d->Sources13, kOwn, Rub(95000), Monthly(2000, Rub(25000)), Rub(90000));
  AddSource30(d->SourcesDividends, 1010, kOwn, Rub("100000.10"), Rub("100000.10"), Rub(13000), Rub(13000));
  return d;
}

// Wages taxed in full: nothing payable or refundable, so section 1 has only the zero line of
// a taxpayer who is not in business.
std::unique_ptr<mTDeclaration> BuildNothingDue() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, kOwn, Rub(39000), Monthly(2000, Rub(25000)), Rub(39000));
  return d;
}

// An employee with one child whose employer gave no standard deductions: the child's
// deduction is claimed in the return.
std::unique_ptr<mTDeclaration> BuildStandardDeductionRefund() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, kOwn, Rub(93600), Monthly(2000, Rub(60000)), Rub(93600)).StandardDeductSource = 1;
  d->StandardDeduct.PersonalCode = 103;
  d->StandardDeduct.ChildMode = 101;
  d->StandardDeduct.SetChildrenConst(1);
  return d;
}

// Wages, and a flat bought in 2016 on a mortgage whose deduction is larger than the year's
// base: the rest is carried to later years.
std::unique_ptr<mTDeclaration> BuildFlatPurchaseCarriedOver() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, kOwn, Rub(78000), Monthly(2000, Rub(50000)), Rub(78000));
  d->PropertyDeduct.Granted = 1;
  mTConstructionDeductObj flat;
  flat.ObjectKind = 2;
  flat.OwnershipKind = 1;
  flat.TaxpayerAttribute = 1;
  flat.OwnershipRegDate = EncodeDate(2016, 3, 1);
  flat.ShareNumerator = 1;
  flat.ShareDenominator = 1;
  flat.Cost = Rub(3500000);
  flat.CreditInterest = Rub(120000);
  d->PropertyDeduct.AddObject(flat);
  return d;
}

// Wages, treatment and own education above the 120 000 limit together, and a child's
// education above 50 000.
std::unique_ptr<mTDeclaration> BuildTreatmentAndEducation() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, kOwn, Rub(124800), Monthly(2000, Rub(80000)), Rub(124800));
  mTSocialDeduct& social = d->SocialDeduct;
  social.Granted = 1;
  social.Medical = Rub(90000);
  social.OwnEducation = Rub(70000);
  social.AddChildEducation(Rub(65000));
  return d;
}

// A flat owned less than the minimum term sold to a private buyer for 900 000.
std::unique_ptr<mTDeclaration> BuildFlatSoldWithinLimit() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "", Currency(), {Entry(1510, Rub(900000), 901, Currency(), 8, 1)}, Currency(),
              "Иванов Иван Иванович");
  return d;
}

// Two flats sold in one year for 800 000 and 1 500 000: the 1 000 000 limit is shared.
std::unique_ptr<mTDeclaration> BuildFlatsSoldAboveLimit() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "", Currency(), {Entry(1510, Rub(800000), 901, Currency(), 4, 1)}, Currency(),
              "Петров Петр Петрович");
  AddSource13(d->Sources13, "", Currency(), {Entry(1510, Rub(1500000), 901, Currency(), 9, 1)}, Currency(),
              "Сидорова Анна Сергеевна");
  return d;
}

// An entrepreneur with one activity of documented expenses and one at the 20 % norm, advance
// payments made, and wages from which the employer withheld too little.
std::unique_ptr<mTDeclaration> BuildBusiness() {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionBusiness);
  d->TaxpayerCategory = 0;
  AddSource13(d->Sources13, kOwn, Rub(35000), Monthly(2000, Rub(25000)), Rub(39000));
  AddBusiness(*d, Rub(1000000), Rub(600000));
  AddBusiness(*d, Rub(500000), Rub(100000), false);
  d->AdvancePaymentsPaid = Rub(60000);
  d->AdvancePaymentsAccrued = Rub(70000);
  return d;
}

// Wages taxed in full and a dividend of 1 000 US dollars at 65.50 with 10 % withheld abroad.
std::unique_ptr<mTDeclaration> BuildForeignDividend() {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
  AddSource13(d->Sources13, kOwn, Rub(46800), Monthly(2000, Rub(30000)), Rub(46800));
  mTCurrencyIncome& dividend = AddForeign(*d, 14, 1010, Currency());
  dividend.IncomeDate = EncodeDate(2016, 5, 20);
  dividend.TaxPaymentDate = EncodeDate(2016, 5, 20);
  dividend.IncomeRateRub = Rub("65.5");
  dividend.IncomeRateUnits = 1;
  dividend.TaxRateRub = Rub("65.5");
  dividend.TaxRateUnits = 1;
  dividend.SetIncomeInCurrency(Rub(1000));
  dividend.SetTaxInCurrency(Rub(100));
  return d;
}

// Shares sold through a broker with a gain, a loss on securities carried from 2015, and
// wages taxed in full; the broker, first in the list, withheld on the whole gain.
std::unique_ptr<mTDeclaration> BuildSecuritiesLoss() {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, kOther, Rub(15600), {Entry(1530, Rub(500000), 201, Rub(380000), 11)}, Rub(15600),
              "АО Брокер");
  AddSource13(d->Sources13, kOwn, Rub(62400), Monthly(2000, Rub(40000)), Rub(62400));
  d->SecuritiesLosses.SecuritiesLoss[1] = Rub(70000);  // 2015
  return d;
}

std::vector<Scenario> MakeScenarios() {
  std::vector<Scenario> all;

  // Income 12 × 50 000 = 600 000; tax 600 000 × 13 % = 78 000; withheld 85 500;
  // refund 85 500 − 78 000 = 7 500, within R = 85 500, to the employer's code.
  all.push_back({"OverWithheldRefund",
                 "one employer, 13 % withheld in excess: refund to the employer's municipal code",
                 BuildOverWithheld,
                 true,
                 {{k010, kOwn, "2", Rub(7500)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(600000)},
                    {"ДоходОбщНал", Rub(600000)},
                    {"НалБаза", Rub(600000)},
                    {"Исчисл", Rub(78000)},
                    {"УдержОбщ", Rub(85500)},
                    {"ПодлВозв", Rub(7500)}}}},
                 {{"PrilA13", "", "SumIncome", Rub(600000)}, {"PrilA13", "", "SumWithheld", Rub(85500)}}});

  // Income 120 000 + 100 000 = 220 000; tax 28 600; withheld 36 000 + 30 000 = 66 000;
  // refund 37 400: the first employer's 36 000 in full, the remaining 1 400 from the second.
  all.push_back({"TwoEmployersShareRefund",
                 "two employers with different municipal codes share one refund in stored order",
                 BuildTwoEmployers,
                 true,
                 {{k010, kOwn, "2", Rub(36000)}, {k010, kOther, "2", Rub(1400)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(220000)},
                    {"ДоходОбщНал", Rub(220000)},
                    {"НалБаза", Rub(220000)},
                    {"Исчисл", Rub(28600)},
                    {"УдержОбщ", Rub(66000)},
                    {"ПодлВозв", Rub(37400)}}}},
                 {}});

  // 13 %: 480 000, tax 62 400 = withheld, nothing either way.
  // 9 %: 50 000, tax 4 500, withheld 4 000: payable 500.
  // 35 %: 20 001.43 (the 2620 source stays out of the income), tax 7 000.5005 → 7 001; credits
  // 0 withheld + 1 000 under code 2620: payable 6 001.
  // Section 1: 500 and 6 001 payable on other incomes go to one line, 6 501.
  all.push_back({"Resident9And35",
                 "a resident with 13 %, 9 % and 35 % incomes; payable amounts merged into one line",
                 BuildResident9And35,
                 false,
                 {{k030, kOwn, "1", Rub(6501)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(480000)},
                    {"ДоходОбщНал", Rub(480000)},
                    {"НалБаза", Rub(480000)},
                    {"Исчисл", Rub(62400)},
                    {"УдержОбщ", Rub(62400)}}},
                  {"List3", "35", "3",
                   {{"ДоходОбщ", Rub("20001.43")},
                    {"ДоходОбщНал", Rub("20001.43")},
                    {"НалБаза", Rub("20001.43")},
                    {"Исчисл", Rub(7001)},
                    {"УдержОбщМВ", Rub(1000)},
                    {"ИсчислУпл", Rub(6001)},
                    {"ПодлУпл", Rub(6001)}}},
                  {"List4", "09", "3",
                   {{"ДоходОбщ", Rub(50000)},
                    {"ДоходОбщНал", Rub(50000)},
                    {"НалБаза", Rub(50000)},
                    {"Исчисл", Rub(4500)},
                    {"УдержОбщ", Rub(4000)},
                    {"ИсчислУпл", Rub(500)},
                    {"ПодлУпл", Rub(500)}}}},
                 {{"PrilA35", "", "SumIncome", Rub("20001.43")}, {"PrilA35", "", "Withheld2620", Rub(1000)}}});

  // 13 % (specialist): 12 × 166 666.67 = 2 000 000.04, tax 260 000.0052 → 260 000 = withheld.
  // 30 %: 300 000, tax 90 000, withheld 95 000: refund 5 000 to the agent.
  // 15 %: 100 000.10, tax 15 000.015 → 15 000, withheld 13 000: payable 2 000 to the
  // taxpayer's own code.
  all.push_back({"NonResident30And15",
                 "a non-resident at 13 %, 30 % and 15 %: a refund at 30 %, tax payable at 15 %",
                 BuildNonResident,
                 false,
                 {{k030, kOther, "1", Rub(2000)}, {k010, kOwn, "2", Rub(5000)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub("2000000.04")},
                    {"ДоходОбщНал", Rub("2000000.04")},
                    {"НалБаза", Rub("2000000.04")},
                    {"Исчисл", Rub(260000)},
                    {"УдержОбщ", Rub(260000)}}},
                  {"List2", "30", "3",
                   {{"ДоходОбщ", Rub(300000)},
                    {"ДоходОбщНал", Rub(300000)},
                    {"НалБаза", Rub(300000)},
                    {"Исчисл", Rub(90000)},
                    {"УдержОбщ", Rub(95000)},
                    {"ПодлВозв", Rub(5000)}}},
                  {"List5", "15", "1",
                   {{"ДоходОбщ", Rub("100000.10")},
                    {"ДоходОбщНал", Rub("100000.10")},
                    {"НалБаза", Rub("100000.10")},
                    {"Исчисл", Rub(15000)},
                    {"УдержОбщ", Rub(13000)},
                    {"ИсчислУпл", Rub(2000)},
                    {"ПодлУпл", Rub(2000)}}}},
                 {{"PrilA30", "", "SumIncome", Rub(300000)}, {"PrilA15", "", "SumTaxable", Rub("100000.10")}}});

  // 300 000 × 13 % = 39 000 = withheld: no line, so the zero line of category 5 (КБК 030).
  all.push_back({"NothingDueZeroLine",
                 "nothing payable or refundable: the zero line of a taxpayer not in business",
                 BuildNothingDue,
                 false,
                 {{k030, kOwn, "3", Currency()}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(300000)},
                    {"ДоходОбщНал", Rub(300000)},
                    {"НалБаза", Rub(300000)},
                    {"Исчисл", Rub(39000)},
                    {"УдержОбщ", Rub(39000)}}}},
                 {}});

  // Income 12 × 60 000; from January the income reaches 360 000 in June, above 350 000, so the
  // child counts for January to May: 1 400 × 5 = 7 000. Base 713 000, tax 92 690, withheld
  // 93 600: refund 910.
  all.push_back({"StandardDeductionRefund",
                 "one employer at 13 % and a child's standard deduction claimed in the return: refund",
                 BuildStandardDeductionRefund,
                 true,
                 {{k010, kOwn, "2", Rub(910)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(720000)},
                    {"ДоходОбщНал", Rub(720000)},
                    {"СумНалВыч", Rub(7000)},
                    {"НалБаза", Rub(713000)},
                    {"Исчисл", Rub(92690)},
                    {"УдержОбщ", Rub(93600)},
                    {"ПодлВозв", Rub(910)}}}},
                 {{"PrilE1", "", "КолМесНеПрев", Rub(5)},
                  {"PrilE1", "", "ВычСтРеб", Rub(7000)},
                  {"PrilE1", "", "ОбщВычСтанд", Rub(7000)}}});

  // Cost 3 500 000, limited to 2 000 000 (registered in 2016, whole flat). The base left is
  // the wages, 600 000: the purchase deduction takes it all, none is left for the interest.
  // Carried: 2 000 000 − 600 000 = 1 400 000 and the interest 120 000. All 78 000 comes back.
  all.push_back({"FlatPurchaseCarriedOver",
                 "wages and a flat purchase whose deduction exceeds the year's base; the rest carried over",
                 BuildFlatPurchaseCarriedOver,
                 true,
                 {{k010, kOwn, "2", Rub(78000)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(600000)},
                    {"ДоходОбщНал", Rub(600000)},
                    {"СумНалВыч", Rub(600000)},
                    {"УдержОбщ", Rub(78000)},
                    {"ПодлВозв", Rub(78000)}}}},
                 {{"PrilZ", "", "PurchaseExpenses", Rub(2000000)},
                  {"PrilZ", "", "НалБаз13БезВыч", Rub(600000)},
                  {"PrilZ", "", "РасхНовВычНД", Rub(600000)},
                  {"PrilZ", "", "ПроцВычНД", Currency()},
                  {"PrilZ", "", "ОстИВБезПроц", Rub(1400000)},
                  {"PrilZ", "", "ОстИВУплПроц", Rub(120000)}}});

  // Within the limit: treatment 90 000 + own education 70 000 = 160 000, limited to 120 000.
  // Outside it: the child's 65 000, limited to 50 000. Deductions 170 000; base 960 000 −
  // 170 000 = 790 000, tax 102 700, withheld 124 800: refund 22 100.
  all.push_back({"TreatmentAndEducation",
                 "wages with treatment and own education above 120 000 and a child's education above 50 000",
                 BuildTreatmentAndEducation,
                 true,
                 {{k010, kOwn, "2", Rub(22100)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(960000)},
                    {"ДоходОбщНал", Rub(960000)},
                    {"СумНалВыч", Rub(170000)},
                    {"НалБаза", Rub(790000)},
                    {"Исчисл", Rub(102700)},
                    {"УдержОбщ", Rub(124800)},
                    {"ПодлВозв", Rub(22100)}}}},
                 {{"PrilE2", "РасчВычСоцБез219.2", "СумОбуч", Rub(50000)},
                  {"PrilE2", "РасчВычСоцБез219.2", "ИтогВычСоциал", Rub(50000)},
                  {"PrilE2", "РасчВычСоц219.2", "СумОбуч", Rub(70000)},
                  {"PrilE2", "РасчВычСоц219.2", "СумЛечен", Rub(90000)},
                  {"PrilE2", "РасчВычСоц219.2", "ОбщСумРасх", Rub(120000)},
                  {"PrilE2", "РасчВычСоц219.2", "ОбщВычСоциал", Rub(170000)}}});

  // 900 000 with deduction 901: the whole income is deducted, base 0, nothing to pay.
  all.push_back({"FlatSoldWithinLimit",
                 "a flat sold for less than 1 000 000: fully deducted, only the zero line",
                 BuildFlatSoldWithinLimit,
                 false,
                 {{k030, kOwn, "3", Currency()}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(900000)}, {"ДоходОбщНал", Rub(900000)}, {"СумНалВыч", Rub(900000)}}}},
                 {{"PrilH1", "СумИмущ", "ДохВсехИст", Rub(900000)},
                  {"PrilH1", "СумИмущ", "НалВычет", Rub(900000)},
                  {"PrilH1", "", "ВычетОбщ", Rub(900000)}}});

  // 800 000 takes 800 000 of the limit; the second sale takes the 200 000 left. Base
  // 2 300 000 − 1 000 000 = 1 300 000, tax 169 000, nothing withheld.
  all.push_back({"FlatsSoldAboveLimit",
                 "two flats sold for 2 300 000 together: the 1 000 000 limit shared in walking order",
                 BuildFlatsSoldAboveLimit,
                 false,
                 {{k030, kOwn, "1", Rub(169000)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(2300000)},
                    {"ДоходОбщНал", Rub(2300000)},
                    {"СумНалВыч", Rub(1000000)},
                    {"НалБаза", Rub(1300000)},
                    {"Исчисл", Rub(169000)},
                    {"ИсчислУпл", Rub(169000)},
                    {"ПодлУпл", Rub(169000)}}}},
                 {{"PrilH1", "СумИмущ", "ДохВсехИст", Rub(2300000)},
                  {"PrilH1", "СумИмущ", "НалВычет", Rub(1000000)},
                  {"PrilH1", "", "ВычетОбщ", Rub(1000000)}}});

  // Business income 1 000 000 + 500 000; expenses 600 000 documented + 100 000 at the norm.
  // Wages 300 000. Base 1 800 000 − 700 000 = 1 100 000, tax 143 000; credits 35 000
  // withheld + 60 000 advance payments: 48 000 payable. Of it the business tax
  // 800 000 × 13 % − 60 000 = 44 000 goes to КБК 020, the other 4 000 to 030.
  all.push_back({"BusinessDocumentedAndNorm",
                 "an entrepreneur with documented expenses and the 20 % norm: the business share split off",
                 BuildBusiness,
                 false,
                 {{k020, kOwn, "1", Rub(44000)}, {k030, kOwn, "1", Rub(4000)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(1800000)},
                    {"ДоходОбщНал", Rub(1800000)},
                    {"СумНалВыч", Rub(700000)},
                    {"НалБаза", Rub(1100000)},
                    {"Исчисл", Rub(143000)},
                    {"УдержОбщ", Rub(35000)},
                    {"УплАвФакт", Rub(60000)},
                    {"ИсчислУпл", Rub(48000)},
                    {"ПодлУпл", Rub(48000)}}}},
                 {{"PrilV1", "", "ДоходИт", Rub(1500000)},
                  {"PrilV1", "", "ВычПрофИт", Rub(700000)},
                  {"PrilV1", "", "УплФактАвИт", Rub(60000)},
                  {"PrilV1", "", "НачислАвИт", Rub(70000)}}});

  // 1 000 × 65.50 = 65 500 roubles, tax abroad 6 550. Russian tax 13 % = 8 515; the 6 550
  // paid abroad is credited; 1 965 payable on dividends.
  all.push_back({"ForeignDividendCredited",
                 "a foreign dividend with tax withheld abroad credited against the Russian tax",
                 BuildForeignDividend,
                 false,
                 {{k030, kOwn, "1", Rub(1965)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(360000)},
                    {"ДоходОбщНал", Rub(360000)},
                    {"НалБаза", Rub(360000)},
                    {"Исчисл", Rub(46800)},
                    {"УдержОбщ", Rub(46800)}}},
                  {"ListDiv", "13", "1",
                   {{"ДоходОбщ", Rub(65500)},
                    {"ДоходОбщНал", Rub(65500)},
                    {"НалБаза", Rub(65500)},
                    {"Исчисл", Rub(8515)},
                    {"УплИнПодлЗач", Rub(6550)},
                    {"ИсчислУпл", Rub(1965)},
                    {"ПодлУпл", Rub(1965)}}}},
                 {{"PrilB13", "", "DividendIncome", Rub(65500)}, {"PrilB13", "", "DividendCredit", Rub(6550)}}});

  // Gain 500 000 − 380 000 = 120 000, less the 2015 loss of 70 000: taxable 50 000; the
  // expenses and loss, 450 000, reduce the income. Base 980 000 − 450 000 = 530 000, tax
  // 68 900, withheld 15 600 + 62 400 = 78 000: refund 9 100, to the broker listed first.
  all.push_back({"SecuritiesLossOfEarlierYears",
                 "a securities loss of earlier years reducing the base: refund to the broker",
                 BuildSecuritiesLoss,
                 true,
                 {{k010, kOther, "2", Rub(9100)}},
                 {{"List1", "13", "3",
                   {{"ДоходОбщ", Rub(980000)},
                    {"ДоходОбщНал", Rub(980000)},
                    {"СумРасхУм", Rub(450000)},
                    {"НалБаза", Rub(530000)},
                    {"Исчисл", Rub(68900)},
                    {"УдержОбщ", Rub(78000)},
                    {"ПодлВозв", Rub(9100)}}}},
                 {{"PrilJ", "ДохОперЦБОрг", "НалБазаОпер", Rub(120000)},
                  {"PrilJ", "ДохОперЦБОрг", "УбытПрПерУмНБ", Rub(70000)},
                  {"PrilJ", "ДохОперЦБОрг", "ДоходОбл", Rub(50000)},
                  {"PrilJ", "ОстУбытНачВс", "СуммаЦБ", Rub(70000)},
                  {"PrilJ", "ОстУбытКонВс", "СуммаЦБ", Currency()},
                  {"PrilJ", "", "ОбщРасхПрмВыч", Rub(450000)}}});

  return all;
}

}  // namespace

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> all = MakeScenarios();
  return all;
}

}  // namespace talver::testing
