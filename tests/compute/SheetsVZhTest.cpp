// Sheets В and Ж: business income with its deduction, and the professional deductions with the
// 250 000 limit that Russian and foreign share sales share, Russian first.
#include <gtest/gtest.h>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver {
namespace {

using testing::AddBusiness;
using testing::AddForeign;
using testing::AddSource13;
using testing::Entry;
using testing::NewDeclaration;
using testing::Rub;

TEST(SheetV, DocumentedExpensesOrTheNormAtMostTheIncome) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionBusiness);
  AddBusiness(*d, Rub(300000), Rub(350000));        // documented, above the income
  AddBusiness(*d, Rub(100000), Rub(20000), false);  // the 20 % norm
  d->AdvancePaymentsPaid = Rub(5000);
  d->AdvancePaymentsAccrued = Rub(6000);
  d->PatentPayments = Rub(700);
  kTSvodSumPrilV1 v;
  v.Compute(*d);
  EXPECT_EQ(v.ДоходИт, Rub(400000));
  EXPECT_EQ(v.ВычПрофИт, Rub(370000));
  EXPECT_EQ(v.УплФактАвИт, Rub(5000));
  EXPECT_EQ(v.НачислАвИт, Rub(6000));
  EXPECT_EQ(d->PatentPayments, Rub(700));

  d->Businesses.Delete(1);
  v.Compute(*d);
  EXPECT_EQ(v.ВычПрофИт, Rub(300000));
}

TEST(SheetV, WithoutTheBusinessSectionThePatentAndTradeLevyGo) {
  auto d = NewDeclaration();
  d->PatentPayments = Rub(700);
  d->TradeFee = Rub(800);
  d->AdvancePaymentsPaid = Rub(5000);
  kTSvodSumPrilV1 v;
  v.Compute(*d);
  EXPECT_EQ(v, kTSvodSumPrilV1());
  EXPECT_EQ(d->PatentPayments, Currency());
  EXPECT_EQ(d->TradeFee, Currency());
}

TEST(SheetZh, PairsOfIncomeAndExpensesCutAtTheIncome) {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "1", Currency(),
              {Entry(2010, Rub(50000), 403, Rub(60000)),    // contract: cut to 50 000
               Entry(2010, Rub(10000), 404, Rub(1000)),     // wrong deduction code: nowhere
               Entry(2203, Rub(40000), 404, Rub(8000)),     // author's fees, actual
               Entry(2209, Rub(30000), 405, Rub(9000)),     // author's fees, norm
               Entry(2210, Rub(30000), 405, Rub(9000)),     // outside the range: nowhere
               Entry(1560, Rub(20000), 317, Rub(5000)),     // assignment of claims
               Entry(1570, Rub(15000), 318, Rub(4000)),     // reduction of a share
               Entry(1550, Rub(10000), 314, Rub(3000)),     // assignment of rights
               Entry(1544, Rub(99000), 317, Rub(99000))});  // a foreign code in Russia: nowhere
  kTSvodSumPrilG g;
  g.Compute(*d);
  EXPECT_EQ(g.РасхФактДогГПХ.СумДохДогГПХ, Rub(50000));
  EXPECT_EQ(g.РасхФактДогГПХ.СумРасхВыч, Rub(50000));
  EXPECT_EQ(g.РасхФактАвтВозн.СумАвторВозн, Rub(40000));
  EXPECT_EQ(g.РасхФактАвтВозн.СумРасхВыч, Rub(8000));
  EXPECT_EQ(g.РасхНормАвтВозн.СумАвторВозн, Rub(30000));
  EXPECT_EQ(g.РасхНормАвтВозн.СумРасхВыч, Rub(9000));
  EXPECT_EQ(g.РасхФактПрдчСр.СумДохПрдчСр, Rub(20000));
  EXPECT_EQ(g.РасхФактУмДолУКО.СумДохУмДолУКО, Rub(15000));
  EXPECT_EQ(g.РасхФактДолСтр.СумДохУстПрав, Rub(10000));
  EXPECT_EQ(g.РасходОбщИт, Rub(50000 + 8000 + 9000 + 5000 + 4000 + 3000));
}

// Worked figures of a whole computation: a non-resident's contract income of 200 000 with
// 50 000 of documented expenses (403) claimed and 26 000 withheld. The 13 % of a non-resident
// is a rate of article 224 point 3, whose base takes no deduction of articles 218 to 221
// (article 210 point 4): base 200 000, tax 26 000, nothing to refund. Taking the expenses
// would give base 150 000, tax 19 500 and a refund of 6 500.
TEST(SheetZh, NonResidentTakesNoProfessionalDeduction) {
  auto d = NewDeclaration(kForm3NonResident);
  AddSource13(d->Sources13NR, "45380000", Rub(26000),
              {Entry(2010, Rub(200000), 403, Rub(50000)), Entry(2203, Rub(40000), 404, Rub(8000))});
  AddSource13(d->Sources13, "45380000", Currency(), {Entry(2010, Rub(50000), 403, Rub(20000))});
  kTSvodSum s;
  s.Compute(*d);
  EXPECT_EQ(s.PrilG, kTSvodSumPrilG());  // no sheet Ж
  EXPECT_EQ(s.List1.ДоходОбщ, Rub(240000));
  EXPECT_EQ(s.List1.СумНалВыч, Currency());
  EXPECT_EQ(s.List1.НалБаза, Rub(240000));
  EXPECT_EQ(s.List1.Исчисл, Rub(31200));
  EXPECT_EQ(s.List1.ПодлУпл, Rub(31200 - 26000));
  EXPECT_EQ(s.List1.ПодлВозв, Currency());
  // What the user typed stays in the file.
  EXPECT_EQ(d->Sources13NR.Get(0).GetEntry(0).DeductAmount, Rub(50000));
}

TEST(SheetZh, ShareSalesShareOneLimitRussianFirst) {
  struct Case {
    const char* Name;
    std::vector<mTSourseIncome> Russian;
    std::vector<std::array<std::int64_t, 3>> Foreign;  // income, deduction code, deduction
    std::int64_t RussianLimited, RussianExpenses, ForeignLimited, ForeignExpenses;
  };
  const std::vector<Case> cases = {
      {"905 for 200 000 at home and 100 000 abroad",
       {Entry(1540, Rub(300000), 905, Rub(200000))}, {{300000, 905, 100000}}, 200000, 200000, 50000, 50000},
      {"at home above the limit leaves nothing abroad",
       {Entry(1542, Rub(400000), 907, Rub(300000))}, {{100000, 905, 10000}}, 250000, 250000, 0, 0},
      {"at home the limited part is cut at the income with the rest",
       {Entry(1540, Rub(50000), 315, Rub(30000)), Entry(1540, Rub(50000), 905, Rub(90000))}, {}, 90000, 100000, 0,
       0},
      {"abroad the limited part is added after the cut",
       {}, {{50000, 315, 30000}, {50000, 905, 90000}}, 0, 0, 90000, 120000},
      {"1540 with 907 is not a share sale", {Entry(1540, Rub(50000), 907, Rub(30000))}, {}, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
    if (!c.Russian.empty()) AddSource13(d->Sources13, "1", Currency(), c.Russian);
    for (const auto& f : c.Foreign) {
      AddForeign(*d, 13, 1540, Rub(f[0]), Currency(), static_cast<std::int32_t>(f[1]), Rub(f[2]));
    }
    kTSvodSum s;
    s.Compute(*d);
    EXPECT_EQ(s.PrilG.LimitedCapital, Rub(c.RussianLimited));
    EXPECT_EQ(s.PrilG.РасхФактУстКап.СумРасхВыч, Rub(c.RussianExpenses));
    EXPECT_EQ(s.PrilG_In.LimitedCapital, Rub(c.ForeignLimited));
    EXPECT_EQ(s.PrilG_In.РасхФактУстКап.СумРасхВыч, Rub(c.ForeignExpenses));
  }
}

TEST(SheetZh, ForeignPairsNeedTheForeignSection) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
  AddForeign(*d, 13, 1560, Rub(20000), Currency(), 317, Rub(5000));
  AddForeign(*d, 13, 1570, Rub(15000), Currency(), 318, Rub(4000));
  AddForeign(*d, 13, 1544, Rub(20000), Currency(), 317, Rub(5000));  // investment-account securities: nowhere
  kTSvodSumPrilG_In g;
  g.Compute(*d, kShareSaleLimit);
  EXPECT_EQ(g.РасхФактПрдчСр.СумДохПрдчСр, Rub(20000));
  EXPECT_EQ(g.РасхФактУмДолУКО.СумРасхВыч, Rub(4000));
  EXPECT_EQ(g.РасходОбщИт, Rub(9000));

  d->SetSections(kSectionRussian);
  g.Compute(*d, kShareSaleLimit);
  EXPECT_EQ(g, kTSvodSumPrilG_In());
}

// Worked figures of a whole computation: a share's liquidation (1560 with 317) or nominal
// reduction (1570 with 318) abroad reduces the 13 % base by its expenses as it does at home.
//   1560: income 100 000, expenses 60 000: sheet Б base 40 000, tax 5 200; section 2 base 40 000, tax 5 200.
//   1570: income  50 000, expenses 20 000: sheet Б base 30 000, tax 3 900; section 2 base 30 000, tax 3 900.
TEST(SheetZh, ForeignLiquidationExpensesReduceTheBaseAsAtHome) {
  struct Case {
    std::int32_t Income, Deduction;
    std::int64_t Amount, Expenses, Base, Tax;
  };
  const Case cases[] = {{1560, 317, 100000, 60000, 40000, 5200}, {1570, 318, 50000, 20000, 30000, 3900}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Income);
    auto abroad = NewDeclaration(kForm3Resident, kSectionForeign);
    AddForeign(*abroad, 13, c.Income, Rub(c.Amount), Currency(), c.Deduction, Rub(c.Expenses));
    kTSvodSum s;
    s.Compute(*abroad);
    ASSERT_EQ(s.PrilB13.Lines.size(), 1u);
    EXPECT_EQ(s.PrilB13.Lines[0].НалЗачРФОбщ, Rub(c.Tax));
    EXPECT_EQ(s.PrilG_In.РасходОбщИт, Rub(c.Expenses));
    EXPECT_EQ(s.List1.ДоходОбщ, Rub(c.Amount));
    EXPECT_EQ(s.List1.СумНалВыч, Rub(c.Expenses));
    EXPECT_EQ(s.List1.НалБаза, Rub(c.Base));
    EXPECT_EQ(s.List1.Исчисл, Rub(c.Tax));

    auto atHome = NewDeclaration(kForm3Resident, kSectionRussian);
    AddSource13(atHome->Sources13, "45380000", Currency(), {Entry(c.Income, Rub(c.Amount), c.Deduction, Rub(c.Expenses))});
    kTSvodSum h;
    h.Compute(*atHome);
    EXPECT_EQ(h.List1.НалБаза, s.List1.НалБаза);
    EXPECT_EQ(h.List1.Исчисл, s.List1.Исчисл);
  }
}

}  // namespace
}  // namespace talver
