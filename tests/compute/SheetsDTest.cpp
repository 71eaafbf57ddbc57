// Sheets Д2 and Д1: deductions on sales with the shared 1 000 000 limit in walking order, and
// the housing deduction with its limit, share, dates, spread over objects and the base left.
#include <gtest/gtest.h>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver {
namespace {

using testing::AddForeign;
using testing::AddSource13;
using testing::Entry;
using testing::NewDeclaration;
using testing::Rub;

struct SaleCase {
  const char* Name;
  std::vector<mTSourseIncome> Russian;
  std::vector<std::array<std::int64_t, 4>> Foreign;  // code, income, deduction code, deduction
  kTSaleDeduction kTSvodSumPrilH1::*Pair;
  std::int64_t Income, Deduction, Total;
};

TEST(SheetD2, SalesOfPropertyWithTheirLimits) {
  const std::vector<SaleCase> cases = {
      {"one flat above the limit", {Entry(1510, Rub(1500000), 901)}, {}, &kTSvodSumPrilH1::СумИмущ, 1500000,
       1000000, 1000000},
      {"two flats below the limit together", {Entry(1510, Rub(300000), 901), Entry(1510, Rub(200000), 901)}, {},
       &kTSvodSumPrilH1::СумИмущ, 500000, 500000, 500000},
      {"two flats above the limit together", {Entry(1510, Rub(700000), 901), Entry(1510, Rub(600000), 901)}, {},
       &kTSvodSumPrilH1::СумИмущ, 1300000, 1000000, 1000000},
      {"a share after a flat gets what the flat left",
       {Entry(1510, Rub(300000), 901), Entry(1511, Rub(800000), 904, Rub(800000))}, {}, &kTSvodSumPrilH1::СумДолИмущ,
       800000, 700000, 1000000},
      {"a share after two flats",
       {Entry(1510, Rub(300000), 901), Entry(1510, Rub(200000), 901), Entry(1511, Rub(800000), 904, Rub(800000))}, {},
       &kTSvodSumPrilH1::СумДолИмущ, 800000, 200000, 700000},
      {"a share claiming more than its income is cut at it", {Entry(1511, Rub(100000), 904, Rub(300000))}, {},
       &kTSvodSumPrilH1::СумДолИмущ, 100000, 100000, 100000},
      {"a share abroad claims no more than its income", {}, {{1511, 100000, 904, 300000}, {1510, 950000, 901, 0}},
       &kTSvodSumPrilH1::СумИмущ, 950000, 900000, 1000000},
      {"a car above 250 000", {Entry(1520, Rub(400000), 906, Rub(400000))}, {}, &kTSvodSumPrilH1::СумИнИмущ, 400000,
       250000, 250000},
      {"other real estate above 250 000", {Entry(1512, Rub(3000000), 902, Rub(1000000))}, {},
       &kTSvodSumPrilH1::СумИнНедИмущ, 3000000, 250000, 250000},
      {"other property abroad, cut as it goes", {}, {{1520, 100000, 906, 150000}, {1520, 100000, 906, 0}},
       &kTSvodSumPrilH1::СумИнИмущ, 200000, 100000, 100000},
      {"property seized", {Entry(4900, Rub(50000), 908, Rub(60000))}, {}, &kTSvodSumPrilH1::СумИзтИмущ, 50000, 50000,
       50000},
      {"a foreign company liquidated", {Entry(4910, Rub(50000), 910, Rub(20000))}, {}, &kTSvodSumPrilH1::СумЛиквИО,
       50000, 20000, 20000},
      {"property of a controlled company", {Entry(4920, Rub(50000), 912, Rub(20000))}, {},
       &kTSvodSumPrilH1::СумИмущКИК, 50000, 20000, 20000},
  };
  for (const SaleCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
    if (!c.Russian.empty()) AddSource13(d->Sources13, "1", Currency(), c.Russian);
    for (const auto& f : c.Foreign) {
      AddForeign(*d, 13, static_cast<std::int32_t>(f[0]), Rub(f[1]), Currency(), static_cast<std::int32_t>(f[2]),
                 Rub(f[3]));
    }
    kTSvodSumPrilH1 h;
    h.Compute(*d);
    EXPECT_EQ((h.*c.Pair).ДохВсехИст, Rub(c.Income));
    EXPECT_EQ((h.*c.Pair).НалВычет, Rub(c.Deduction));
    EXPECT_EQ(h.ВычетОбщ, Rub(c.Total));
  }
}

TEST(SheetD2, DocumentedExpensesAreCutAtTheIncome) {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "1", Currency(),
              {Entry(1510, Rub(500000), 903, Rub(900000)), Entry(1511, Rub(100000), 903, Rub(150000)),
               Entry(1512, Rub(200000), 903, Rub(250000)), Entry(1520, Rub(300000), 903, Rub(100000)),
               Entry(1510, Rub(100000))});  // no deduction code: nowhere
  kTSvodSumPrilH1 h;
  h.Compute(*d);
  EXPECT_EQ(h.СумИмущДок.ДохВсехИст, Rub(600000));
  EXPECT_EQ(h.СумИмущДок.РасхДок, Rub(600000));
  EXPECT_EQ(h.СумИнНедИмущДок.РасхДок, Rub(200000));
  EXPECT_EQ(h.СумИнИмущДок.РасхДок, Rub(100000));
  EXPECT_EQ(h.ВычетОбщ, Rub(900000));
}

TEST(SheetD2, OnlyForAResident) {
  auto d = NewDeclaration(kForm3NonResident);
  AddSource13(d->Sources13, "1", Currency(), {Entry(1510, Rub(500000), 901)});
  kTSvodSumPrilH1 h;
  h.Compute(*d);
  EXPECT_EQ(h, kTSvodSumPrilH1());
}

mTConstructionDeductObj Flat(std::int64_t cost, int year, std::int32_t numerator = 1, std::int32_t denominator = 1,
                             std::int64_t interest = 0) {
  mTConstructionDeductObj o;
  o.Cost = Rub(cost);
  o.CreditInterest = Rub(interest);
  o.OwnershipRegDate = EncodeDate(year, 6, 15);
  o.TransferActDate = EncodeDate(year, 6, 15);
  o.ShareNumerator = numerator;
  o.ShareDenominator = denominator;
  return o;
}

// A resident with wages of `wages` and the housing deduction for `objects`.
std::unique_ptr<mTDeclaration> Housing(std::int64_t wages, std::vector<mTConstructionDeductObj> objects) {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "1", Rub(wages * 13 / 100), {Entry(2000, Rub(wages))});
  d->PropertyDeduct.Granted = 1;
  for (mTConstructionDeductObj& o : objects) d->PropertyDeduct.AddObject(std::move(o));
  return d;
}

TEST(SheetD1, LimitByTheObjectsDateAndShare) {
  struct Case {
    const char* Name;
    std::vector<mTConstructionDeductObj> Objects;
    std::int64_t Purchase;
    std::vector<std::int32_t> Shown;
    std::vector<std::int64_t> Taken;
  };
  const std::vector<Case> cases = {
      {"registered in 2005, a half", {Flat(3000000, 2005, 1, 2)}, 500000, {-1}, {500000}},
      {"registered in 2015, a half", {Flat(3000000, 2015, 1, 2)}, 1000000, {0}, {1000000}},
      {"registered in 2010: the share is shown", {Flat(3000000, 2010)}, 2000000, {-1}, {2000000}},
      {"a third, rounded to the kopeck", {Flat(3000000, 2015, 1, 3)}, -1, {0}, {-1}},
      {"within the limit", {Flat(1500000, 2015)}, 1500000, {0}, {1500000}},
      {"a share never entered counts as the whole", {Flat(3000000, 2015, 0, 0)}, 2000000, {0}, {2000000}},
      {"two objects with costs: 2 000 000 for both, spread in order",
       {Flat(1500000, 2005, 1, 2), Flat(1000000, 2005, 1, 2)}, 2000000, {0, 0}, {1500000, 500000}},
      {"two objects, only the second with a cost: its date and share",
       {Flat(0, 2015), Flat(3000000, 2005, 1, 4)}, 250000, {0, -1}, {0, 250000}},
      {"three objects", {Flat(500000, 2005, 1, 2), Flat(500000, 2005), Flat(500000, 2005)}, 1500000, {0, 0, 0},
       {500000, 500000, 500000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = Housing(100000000, c.Objects);
    kTSvodSum s;
    s.Compute(*d);
    const Currency third = Rub("666666.67");
    EXPECT_EQ(s.PrilZ.PurchaseExpenses, c.Purchase < 0 ? third : Rub(c.Purchase));
    for (std::size_t i = 0; i < c.Objects.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(d->PropertyDeduct.GetObject(i).ShareShown, c.Shown[i]);
      EXPECT_EQ(d->PropertyDeduct.GetObject(i).CostTaken, c.Taken[i] < 0 ? third : Rub(c.Taken[i]));
    }
  }
}

TEST(SheetD1, TheDeductionTakesOnlyTheBaseLeftPurchaseFirst) {
  struct Case {
    const char* Name;
    std::int64_t Wages, Cost, Interest, Prior, PriorInterest, Agent, AgentInterest;
    std::int64_t Base, Purchase, InterestNow, LeftPurchase, LeftInterest;
  };
  const std::vector<Case> cases = {
      {"the base is smaller than the purchase", 600000, 2000000, 300000, 0, 0, 0, 0, 600000, 600000, 0, 1400000,
       300000},
      {"the purchase and part of the interest", 2100000, 2000000, 300000, 0, 0, 0, 0, 2100000, 2000000, 100000, 0,
       200000},
      {"credited in earlier years", 1000000, 2000000, 0, 1500000, 0, 0, 0, 1000000, 500000, 0, 0, 0},
      {"granted by an agent this year: it takes the base too", 1000000, 2000000, 100000, 0, 0, 300000, 50000, 650000,
       650000, 0, 1050000, 50000},
      {"credited before more than the limit: what is left goes negative", 1000000, 1000000, 0, 1200000, 0, 0, 0,
       1000000, 0, 0, -200000, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = Housing(c.Wages, {Flat(c.Cost, 2015, 1, 1, c.Interest)});
    mTConstructionDeduct& pd = d->PropertyDeduct;
    pd.PriorPurchase = Rub(c.Prior);
    pd.PriorInterest = Rub(c.PriorInterest);
    pd.AgentPurchase = Rub(c.Agent);
    pd.AgentInterest = Rub(c.AgentInterest);
    kTSvodSum s;
    s.Compute(*d);
    const kTSvodSumPrilZ& z = s.PrilZ;
    EXPECT_EQ(z.НалБаз13БезВыч, Rub(c.Base));
    EXPECT_EQ(z.РасхНовВычНД, Rub(c.Purchase));
    EXPECT_EQ(z.ПроцВычНД, Rub(c.InterestNow));
    EXPECT_EQ(z.ОстИВБезПроц, Rub(c.LeftPurchase));
    EXPECT_EQ(z.ОстИВУплПроц, Rub(c.LeftInterest));
    EXPECT_EQ(z.ВычНАУвед, Rub(c.Agent));
  }
}

// Every deduction and exempt income of the other sheets reduces the base left, and the
// incomes at 13 % of the other sheets add to it: each term its own power of two.
TEST(SheetD1, BaseLeftAfterEveryOtherSheet) {
  auto d = Housing(0, {Flat(2000000, 2015)});
  d->PropertyDeduct.AgentPurchase = Rub(1);
  d->PropertyDeduct.AgentInterest = Rub(2);
  kTSvodSum s;
  s.PrilA13.SumIncome = Rub(100000000);
  s.PrilB13.OtherIncome = Rub(200000000);
  s.PrilV1.ДоходИт = Rub(400000000);
  s.PrilE3.ИнвВычПредВосст = Rub(800000000);
  s.PrilV1.ВычПрофИт = Rub(4);
  s.PrilH1.ВычетОбщ = Rub(8);
  s.PrilM.ДохНеНалОбщ = Rub(16);
  s.PrilG.РасходОбщИт = Rub(32);
  s.PrilG_In.РасходОбщИт = Rub(64);
  s.PrilE2.РасчВычСоц219_2.ОбщВычСоциал = Rub(128);
  s.PrilE3.СумИнвВыч219 = Rub(256);
  s.PrilE2.РасчВычСоц219_2.ОбщСНВОтчПерНА = Rub(512);
  s.PrilB13.Exempt1001 = Rub(1024);
  s.PrilE1.ОбщВычСтанд = Rub(2048);
  s.PrilJ.ОбщРасхПрмВыч = Rub(4096);
  s.PrilI.ОбщРасхПрмВыч = Rub(8192);
  s.PrilJ_IIS.ОбщРасхПрмВыч = Rub(16384);
  s.PrilZ.Compute(*d, s);
  EXPECT_EQ(s.PrilZ.НалБаз13БезВыч, Rub(1500000000 - 32767));
}

TEST(SheetD1, OnlyWhenGrantedWithObjectsForAResident) {
  auto d = Housing(1000000, {Flat(1000000, 2015)});
  d->PropertyDeduct.GetObject(0).CostTaken = Rub(5);
  d->PropertyDeduct.Granted = 0;
  kTSvodSum s;
  s.Compute(*d);
  EXPECT_EQ(s.PrilZ, kTSvodSumPrilZ());
  d->PropertyDeduct.Granted = 1;
  d->DeclarationForm = kForm3NonResident;
  s.Compute(*d);
  EXPECT_EQ(s.PrilZ, kTSvodSumPrilZ());
}

}  // namespace
}  // namespace talver
