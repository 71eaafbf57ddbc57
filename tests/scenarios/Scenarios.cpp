#include "tests/scenarios/Scenarios.h"

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

  return all;
}

}  // namespace

const std::vector<Scenario>& Scenarios() {
  static const std::vector<Scenario> all = MakeScenarios();
  return all;
}

}  // namespace talver::testing
