// Section 2: what each component takes from the sheets, the tax at its rate, and the common
// steps from the base to the amount payable or refundable.
#include <gtest/gtest.h>

#include <functional>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver {
namespace {

using testing::NewDeclaration;
using testing::Rub;

TEST(Section2, TaxAtEachRateIsWholeRoublesHalfUpOnTheExactBase) {
  struct Case {
    const char* Name;
    std::uint8_t Form;
    std::function<void(kTSvodSum&, const char*)> SetBase;
    std::function<const kTSvodSumListValues&(kTSvodSum&, const mTDeclaration&)> Run;
    const char* Base;
    std::int64_t Tax;
  };
  const auto list1 = [](kTSvodSum& s, const mTDeclaration& d) -> const kTSvodSumListValues& {
    s.List1.Compute(s, d);
    return s.List1;
  };
  const auto list3 = [](kTSvodSum& s, const mTDeclaration& d) -> const kTSvodSumListValues& {
    s.List3.Compute(s, d);
    return s.List3;
  };
  const auto list4 = [](kTSvodSum& s, const mTDeclaration& d) -> const kTSvodSumListValues& {
    s.List4.Compute(s, d);
    return s.List4;
  };
  const auto list2 = [](kTSvodSum& s, const mTDeclaration& d) -> const kTSvodSumListValues& {
    s.List2.Compute(s, d);
    return s.List2;
  };
  const auto list5 = [](kTSvodSum& s, const mTDeclaration& d) -> const kTSvodSumListValues& {
    s.List5.Compute(s, d);
    return s.List5;
  };
  const auto listDiv = [](kTSvodSum& s, const mTDeclaration& d) -> const kTSvodSumListValues& {
    s.ListDiv.Compute(s, d);
    return s.ListDiv;
  };
  const auto listKik = [](kTSvodSum& s, const mTDeclaration& d) -> const kTSvodSumListValues& {
    s.ListKIK.Compute(s, d);
    return s.ListKIK;
  };
  const auto a13 = [](kTSvodSum& s, const char* b) { s.PrilA13.SumIncome = Rub(b); };
  const auto a35 = [](kTSvodSum& s, const char* b) { s.PrilA35.SumIncome = Rub(b); };
  const auto a9 = [](kTSvodSum& s, const char* b) { s.PrilA9.SumIncome = Rub(b); };
  const auto a30 = [](kTSvodSum& s, const char* b) { s.PrilA30.SumIncome = Rub(b); };
  const auto a15 = [](kTSvodSum& s, const char* b) { s.PrilA15.SumTaxable = Rub(b); };
  const auto div = [](kTSvodSum& s, const char* b) { s.PrilA13.DividendTaxable = Rub(b); };
  const auto kik = [](kTSvodSum& s, const char* b) { s.PrilB13.KikProfit = Rub(b); };

  const std::vector<Case> cases = {
      {"13 %, 13 000.5005 rounds up", kForm3Resident, a13, list1, "100003.85", 13001},
      {"13 %, 13 000.4992 rounds down", kForm3Resident, a13, list1, "100003.84", 13000},
      {"13 %, exactly half a rouble", kForm3Resident, a13, list1, "50.00", 7},
      {"13 %, non-resident", kForm3NonResident, a13, list1, "100003.85", 13001},
      {"13 %, dividends", kForm3Resident, div, listDiv, "50.00", 7},
      {"13 %, controlled foreign companies", kForm3Resident, kik, listKik, "150.00", 20},  // 19.5
      {"35 %, exactly 31.5", kForm3Resident, a35, list3, "90.00", 32},
      {"35 %, exactly 59.5", kForm3Resident, a35, list3, "170.00", 60},
      {"9 %, exactly 4.5", kForm3Resident, a9, list4, "50.00", 5},
      {"9 %, 8.9991", kForm3Resident, a9, list4, "99.99", 9},
      {"30 %, exactly 7.5", kForm3NonResident, a30, list2, "25.00", 8},
      {"30 %, 7.497", kForm3NonResident, a30, list2, "24.99", 7},
      {"15 %, exactly 1.5", kForm3NonResident, a15, list5, "10.00", 2},
      {"15 %, 1 500.015", kForm3NonResident, a15, list5, "10000.10", 1500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = NewDeclaration(c.Form);
    kTSvodSum s;
    c.SetBase(s, c.Base);
    const kTSvodSumListValues& x = c.Run(s, *d);
    EXPECT_EQ(x.НалБаза, Rub(c.Base));
    EXPECT_EQ(x.Исчисл, Rub(c.Tax));
    EXPECT_EQ(x.ИсчислУпл, Rub(c.Tax));
    EXPECT_EQ(x.ПодлУпл, Rub(c.Tax));
  }
}

// The common steps on List1 of a resident, whose inputs are set on the sheets directly.
struct CommonCase {
  const char* Name;
  const char* Income;
  std::int64_t Withheld = 0;
  std::int64_t Deductions = 0;  // as standard deductions
  std::int64_t Expenses = 0;    // of sheet З, ordinary accounts
  const char* ForeignCredit = "0";
  std::int64_t Patent = 0;
  std::int64_t FixedAdvances = 0;
  std::int64_t TradeFee = 0;
  std::int64_t AdvancesPaid = 0;
  // expected
  const char* СумНалВыч;
  const char* НалБаза;
  std::int64_t Исчисл;
  std::int64_t ИсчислУпл;
  std::int64_t ПодлУпл;
  std::int64_t ПодлВозв;
  std::int64_t УплИнПодлЗач = 0;
};

TEST(Section2, CommonStepsFromTheBaseToPayableAndRefundable) {
  const std::vector<CommonCase> cases = {
      {.Name = "one employer with standard deductions",
       .Income = "1000000", .Withheld = 130000, .Deductions = 16800,
       .СумНалВыч = "16800", .НалБаза = "983200", .Исчисл = 127816, .ИсчислУпл = 0, .ПодлУпл = 0, .ПодлВозв = 2184},
      {.Name = "deductions above the income are cut at it; the foreign tax never comes back",
       .Income = "100000", .Withheld = 13000, .Deductions = 150000, .ForeignCredit = "500",
       .СумНалВыч = "100000", .НалБаза = "0", .Исчисл = 0, .ИсчислУпл = 0, .ПодлУпл = 0, .ПодлВозв = 13000,
       .УплИнПодлЗач = 500},
      {.Name = "expenses of sheet З above the income: negative deductions, zero base",
       .Income = "100000", .Withheld = 1000, .Deductions = 5000, .Expenses = 120000,
       .СумНалВыч = "-20000", .НалБаза = "0", .Исчисл = 0, .ИсчислУпл = 0, .ПодлУпл = 0, .ПодлВозв = 1000},
      {.Name = "refund within the cap: 12 000 withheld and 500 credited on a tax of 10 000",
       .Income = "76923.08", .Withheld = 12000, .ForeignCredit = "500",
       .СумНалВыч = "0", .НалБаза = "76923.08", .Исчисл = 10000, .ИсчислУпл = 0, .ПодлУпл = 0, .ПодлВозв = 2500,
       .УплИнПодлЗач = 500},
      {.Name = "9 000 withheld and 3 000 credited on a tax of 10 000",
       .Income = "76923.08", .Withheld = 9000, .ForeignCredit = "3000",
       .СумНалВыч = "0", .НалБаза = "76923.08", .Исчисл = 10000, .ИсчислУпл = 0, .ПодлУпл = 0, .ПодлВозв = 2000,
       .УплИнПодлЗач = 3000},
      {.Name = "the refund is capped at the tax withheld",
       .Income = "76923.08", .Withheld = 1000, .ForeignCredit = "12000",
       .СумНалВыч = "0", .НалБаза = "76923.08", .Исчисл = 10000, .ИсчислУпл = 0, .ПодлУпл = 0, .ПодлВозв = 1000,
       .УплИнПодлЗач = 12000},
      {.Name = "a patent larger than the tax due leaves nothing payable, never less",
       .Income = "38461.54", .Patent = 6000,
       .СумНалВыч = "0", .НалБаза = "38461.54", .Исчисл = 5000, .ИсчислУпл = 5000, .ПодлУпл = 0, .ПодлВозв = 0},
      {.Name = "a patent smaller than the tax due",
       .Income = "38461.54", .Patent = 3000,
       .СумНалВыч = "0", .НалБаза = "38461.54", .Исчисл = 5000, .ИсчислУпл = 5000, .ПодлУпл = 2000, .ПодлВозв = 0},
      {.Name = "fixed advance payments and the trade levy offset the tax but never come back",
       .Income = "100000", .FixedAdvances = 10000, .TradeFee = 5000,
       .СумНалВыч = "0", .НалБаза = "100000", .Исчисл = 13000, .ИсчислУпл = 0, .ПодлУпл = 0, .ПодлВозв = 0},
      {.Name = "business advance payments actually paid do come back",
       .Income = "100000", .AdvancesPaid = 15000,
       .СумНалВыч = "0", .НалБаза = "100000", .Исчисл = 13000, .ИсчислУпл = 0, .ПодлУпл = 0, .ПодлВозв = 2000},
      {.Name = "the foreign credit is rounded half up to roubles",
       .Income = "100000", .ForeignCredit = "130.50",
       .СумНалВыч = "0", .НалБаза = "100000", .Исчисл = 13000, .ИсчислУпл = 12869, .ПодлУпл = 12869, .ПодлВозв = 0,
       .УплИнПодлЗач = 131},
      {.Name = "and down below the half",
       .Income = "100000", .ForeignCredit = "130.49",
       .СумНалВыч = "0", .НалБаза = "100000", .Исчисл = 13000, .ИсчислУпл = 12870, .ПодлУпл = 12870, .ПодлВозв = 0,
       .УплИнПодлЗач = 130},
  };
  for (const CommonCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = NewDeclaration();
    d->PatentPayments = Rub(c.Patent);
    d->TradeFee = Rub(c.TradeFee);
    kTSvodSum s;
    s.PrilA13.SumIncome = Rub(c.Income);
    s.PrilA13.SumWithheld = Rub(c.Withheld);
    s.PrilA13.FixedAdvances = Rub(c.FixedAdvances);
    s.PrilE1.ОбщВычСтанд = Rub(c.Deductions);
    s.PrilJ.ОбщРасхПрмВыч = Rub(c.Expenses);
    s.PrilB13.OtherCredit = Rub(c.ForeignCredit);
    s.PrilV1.УплФактАвИт = Rub(c.AdvancesPaid);
    s.List1.Compute(s, *d);
    const kTSvodSumList1& x = s.List1;
    EXPECT_EQ(x.СумНалВыч, Rub(c.СумНалВыч));
    EXPECT_EQ(x.НалБаза, Rub(c.НалБаза));
    EXPECT_EQ(x.Исчисл, Rub(c.Исчисл));
    EXPECT_EQ(x.ИсчислУпл, Rub(c.ИсчислУпл));
    EXPECT_EQ(x.ПодлУпл, Rub(c.ПодлУпл));
    EXPECT_EQ(x.ПодлВозв, Rub(c.ПодлВозв));
    EXPECT_EQ(x.УплИнПодлЗач, Rub(c.УплИнПодлЗач));
    EXPECT_EQ(x.УплПатентЗач, Rub(c.Patent));
    EXPECT_EQ(x.ТСУплПерЗач, Rub(c.TradeFee));
    EXPECT_EQ(x.ОбщАвУплЗач227_1, Rub(c.FixedAdvances));
    EXPECT_EQ(x.УплАвФакт, Rub(c.AdvancesPaid));
  }
}

// Every income, exemption and deduction of the sheets counts in the resident's List1, once:
// each gets its own power of two, so a missing or doubled term shows in the total.
TEST(Section2, ResidentList1TakesEverySheet) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilA13.SumIncome = Rub(10000000);
  s.PrilV1.ДоходИт = Rub(20000000);
  s.PrilB13.OtherIncome = Rub(40000000);
  s.PrilE3.ИнвВычПредВосст = Rub(80000000);
  s.PrilM.ДохНеНалОбщ = Rub(1);
  s.PrilB13.Exempt1001 = Rub(2);
  s.PrilM.ПризРекл.ДоходНеНал = Rub(999);  // a 35 % exemption: not here
  s.PrilJ.ОбщРасхПрмВыч = Rub(4);
  s.PrilJ_IIS.ОбщРасхПрмВыч = Rub(8);
  s.PrilI.ОбщРасхПрмВыч = Rub(16);
  const std::int64_t deductionParts[] = {32, 64, 128, 256, 512, 1024, 2048, 4096, 8192, 16384, 32768, 65536};
  s.PrilE1.ОбщВычСтанд = Rub(deductionParts[0]);
  s.PrilE2.РасчВычСоц219_2.ОбщВычСоциал = Rub(deductionParts[1]);
  s.PrilE3.СумИнвВыч219 = Rub(deductionParts[2]);
  s.PrilE2.РасчВычСоц219_2.ОбщСНВОтчПерНА = Rub(deductionParts[3]);
  s.PrilH1.ВычетОбщ = Rub(deductionParts[4]);
  s.PrilZ.РасхНовВычНД = Rub(deductionParts[5]);
  s.PrilZ.ПроцВычНД = Rub(deductionParts[6]);
  s.PrilZ.ПроцНАУвед = Rub(deductionParts[7]);
  s.PrilZ.ВычНАУвед = Rub(deductionParts[8]);
  s.PrilV1.ВычПрофИт = Rub(deductionParts[9]);
  s.PrilG.РасходОбщИт = Rub(deductionParts[10]);
  s.PrilG_In.РасходОбщИт = Rub(deductionParts[11]);
  s.List1.Compute(s, *d);
  EXPECT_EQ(s.List1.Ставка, "13");
  EXPECT_EQ(s.List1.ДоходОбщ, Rub(150000000));
  EXPECT_EQ(s.List1.ДоходОбщНеНал, Rub(3));
  EXPECT_EQ(s.List1.ДоходОбщНал, Rub(149999997));
  EXPECT_EQ(s.List1.СумРасхУм, Rub(28));
  EXPECT_EQ(s.List1.СумНалВыч, Rub(131040));  // 32 + 64 + … + 65 536
  EXPECT_EQ(s.List1.НалБаза, Rub(149999997 - 28 - 131040));
  EXPECT_EQ(s.List1.СумДохДивКИК, Currency());
}

// No deduction of articles 218 to 221 at a non-resident's rates, whatever the sheets hold.
TEST(Section2, NonResidentList1TakesNoDeductions) {
  auto d = NewDeclaration(kForm3NonResident);
  kTSvodSum s;
  s.PrilA13.SumIncome = Rub(100000);
  s.PrilA13.SumWithheld = Rub(13000);
  s.PrilA13.FixedAdvances = Rub(100);
  s.PrilH1.ВычетОбщ = Rub(30000);
  s.PrilG.РасходОбщИт = Rub(20000);
  s.PrilE1.ОбщВычСтанд = Rub(5000);      // a resident's deduction: not here
  s.PrilB13.OtherIncome = Rub(7000);     // nor foreign incomes
  s.PrilJ.ОбщРасхПрмВыч = Rub(1000);     // nor the expenses of sheet З
  s.PrilV1.УплФактАвИт = Rub(999);
  d->PatentPayments = Rub(50);
  s.List1.Compute(s, *d);
  EXPECT_EQ(s.List1.ДоходОбщ, Rub(100000));
  EXPECT_EQ(s.List1.ДоходОбщНал, Rub(100000));
  EXPECT_EQ(s.List1.СумНалВыч, Currency());
  EXPECT_EQ(s.List1.СумРасхУм, Currency());
  EXPECT_EQ(s.List1.НалБаза, Rub(100000));
  EXPECT_EQ(s.List1.Исчисл, Rub(13000));
  EXPECT_EQ(s.List1.УплАвФакт, Currency());
  EXPECT_EQ(s.List1.УплПатентЗач, Currency());
  EXPECT_EQ(s.List1.ПодлВозв, Rub(100));  // C = 13 000 + 100 fixed payments, within R = 13 000
}

TEST(Section2, DividendsAndControlledCompanies) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilA13.DividendTaxable = Rub(100000);
  s.PrilA13.DividendWithheld = Rub(9000);
  s.PrilB13.DividendIncome = Rub(50000);
  s.PrilB13.Exempt1012 = Rub(20000);
  s.PrilB13.DividendCredit = Rub("2000.50");
  s.PrilB13.KikProfit = Rub(200000);
  s.PrilB13.KikCredit = Rub(40000);
  s.ListDiv.Compute(s, *d);
  s.ListKIK.Compute(s, *d);

  EXPECT_EQ(s.ListDiv.ДоходОбщ, Rub(150000));
  EXPECT_EQ(s.ListDiv.ДоходОбщНеНал, Rub(20000));
  EXPECT_EQ(s.ListDiv.НалБаза, Rub(130000));
  EXPECT_EQ(s.ListDiv.Исчисл, Rub(16900));
  EXPECT_EQ(s.ListDiv.УплИнПодлЗач, Rub(2001));
  EXPECT_EQ(s.ListDiv.ПодлУпл, Rub(16900 - 9000 - 2001));

  // The foreign tax of a controlled company above the tax is never refunded.
  EXPECT_EQ(s.ListKIK.СумДохДивКИК, Rub(200000));
  EXPECT_EQ(s.ListKIK.НалБаза, Rub(200000));
  EXPECT_EQ(s.ListKIK.ДоходОбщ, Currency());
  EXPECT_EQ(s.ListKIK.Исчисл, Rub(26000));
  EXPECT_EQ(s.ListKIK.УплИнПодлЗач, Rub(40000));
  EXPECT_EQ(s.ListKIK.ИсчислУпл, Currency());
  EXPECT_EQ(s.ListKIK.ПодлВозв, Currency());
}

TEST(Section2, ThirtyFivePercentTakesThePrizeExemptionAndCode2620Withholding) {
  auto d = NewDeclaration();
  kTSvodSum s;
  s.PrilA35.SumIncome = Rub(3000);
  s.PrilA35.SumWithheld = Rub(100);
  s.PrilA35.Withheld2620 = Rub(500);
  s.PrilB35.OtherIncome = Rub(1000);
  s.PrilB35.OtherCredit = Rub("99.50");
  s.PrilM.ПризРекл.ДоходНеНал = Rub(4000);
  s.List3.Compute(s, *d);
  EXPECT_EQ(s.List3.ДоходОбщ, Rub(4000));
  EXPECT_EQ(s.List3.ДоходОбщНеНал, Rub(4000));
  EXPECT_EQ(s.List3.НалБаза, Currency());
  EXPECT_EQ(s.List3.УдержОбщМВ, Rub(500));
  EXPECT_EQ(s.List3.УплИнПодлЗач, Rub(100));
  EXPECT_EQ(s.List3.ПодлВозв, Rub(600));  // C = 700, capped at R = 100 + 500

  // An exemption above the income leaves the taxable income at zero, not below.
  s.PrilM.ПризРекл.ДоходНеНал = Rub(4500);
  s.List3.Compute(s, *d);
  EXPECT_EQ(s.List3.ДоходОбщНал, Currency());
  EXPECT_EQ(s.List3.НалБаза, Currency());
}

TEST(Section2, ThirtyPercentTakesExemptionsAndSecuritiesExpenses) {
  auto d = NewDeclaration(kForm3NonResident);
  kTSvodSum s;
  s.PrilA30.SumIncome = Rub(100000);
  s.PrilA30.SumWithheld = Rub(30000);
  s.PrilM.ДохНеНалОбщ = Rub(4000);
  s.PrilM.ПризРекл.ДоходНеНал = Rub(1000);
  s.PrilJ.ОбщРасхПрмВыч = Rub(5000);
  s.PrilI.ОбщРасхПрмВыч = Rub(2000);
  s.List2.Compute(s, *d);
  EXPECT_EQ(s.List2.ДоходОбщНеНал, Rub(5000));
  EXPECT_EQ(s.List2.ДоходОбщНал, Rub(95000));
  EXPECT_EQ(s.List2.СумРасхУм, Rub(7000));
  EXPECT_EQ(s.List2.СумНалВыч, Currency());
  EXPECT_EQ(s.List2.НалБаза, Rub(88000));
  EXPECT_EQ(s.List2.Исчисл, Rub(26400));
  EXPECT_EQ(s.List2.ПодлВозв, Rub(3600));

  s.PrilJ.ОбщРасхПрмВыч = Rub(100000);
  s.List2.Compute(s, *d);
  EXPECT_EQ(s.List2.СумНалВыч, Rub(-7000));
  EXPECT_EQ(s.List2.НалБаза, Currency());
}

TEST(Section2, ComponentsOfTheOtherFormStayZero) {
  struct Case {
    std::uint8_t Form;
    const char* Rates[7];  // List1, ListKIK, ListDiv, List2, List3, List4, List5
  };
  const Case cases[] = {
      {kForm3Resident, {"13", "13", "13", "30", "35", "09", ""}},
      {kForm3NonResident, {"13", "13", "13", "30", "", "", "15"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Form));
    auto d = NewDeclaration(c.Form);
    kTSvodSum s;
    // Every input any component could take.
    s.PrilA13.SumIncome = s.PrilA13.DividendTaxable = s.PrilA9.SumIncome = s.PrilA15.SumTaxable = Rub(1000);
    s.PrilA30.SumIncome = s.PrilA35.SumIncome = s.PrilB13.KikProfit = s.PrilB13.DividendIncome = Rub(1000);
    s.PrilB9.OtherIncome = s.PrilB35.OtherIncome = Rub(1000);
    const kTSvodSumListValues* lists[] = {&s.List1, &s.ListKIK, &s.ListDiv, &s.List2, &s.List3, &s.List4, &s.List5};
    s.List1.Compute(s, *d);
    s.ListKIK.Compute(s, *d);
    s.ListDiv.Compute(s, *d);
    s.List2.Compute(s, *d);
    s.List3.Compute(s, *d);
    s.List4.Compute(s, *d);
    s.List5.Compute(s, *d);
    for (int i = 0; i < 7; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(lists[i]->Ставка, c.Rates[i]);
      const bool serves = c.Form == kForm3Resident ? (i != 3 && i != 6) : (i == 0 || i == 3 || i == 6);
      EXPECT_EQ(lists[i]->ДоходОбщ + lists[i]->НалБаза > Currency(), serves);
      if (!serves) {
        kTSvodSumListValues zero;
        zero.Ставка = lists[i]->Ставка;
        EXPECT_EQ(*lists[i], zero);
      }
    }
  }
}

}  // namespace
}  // namespace talver
