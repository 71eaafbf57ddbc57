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

TEST(SheetZh, NonResidentCountsOnlyContracts) {
  auto d = NewDeclaration(kForm3NonResident);
  AddSource13(d->Sources13NR, "1", Currency(),
              {Entry(2010, Rub(50000), 403, Rub(20000)), Entry(2203, Rub(40000), 404, Rub(8000))});
  AddSource13(d->Sources13, "1", Currency(), {Entry(2010, Rub(50000), 403, Rub(20000))});
  kTSvodSumPrilG g;
  g.Compute(*d);
  EXPECT_EQ(g.РасходОбщИт, Rub(20000));
  EXPECT_EQ(g.РасхФактАвтВозн.СумАвторВозн, Currency());
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

TEST(SheetZh, ForeignPairsUseTheirOwnCodesAndNeedTheForeignSection) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
  AddForeign(*d, 13, 1544, Rub(20000), Currency(), 317, Rub(5000));
  AddForeign(*d, 13, 1545, Rub(15000), Currency(), 318, Rub(4000));
  AddForeign(*d, 13, 1560, Rub(20000), Currency(), 317, Rub(5000));  // the Russian code: nowhere
  kTSvodSumPrilG_In g;
  g.Compute(*d, kShareSaleLimit);
  EXPECT_EQ(g.РасхФактПрдчСр.СумДохПрдчСр, Rub(20000));
  EXPECT_EQ(g.РасхФактУмДолУКО.СумРасхВыч, Rub(4000));
  EXPECT_EQ(g.РасходОбщИт, Rub(9000));

  d->SetSections(kSectionRussian);
  g.Compute(*d, kShareSaleLimit);
  EXPECT_EQ(g, kTSvodSumPrilG_In());
}

}  // namespace
}  // namespace talver
