// Invariants over seeded random declarations: a failure names its seed, and
// RandomReturn(seed) rebuilds the declaration.
#include <gtest/gtest.h>

#include <set>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"
#include "tests/scenarios/RandomReturn.h"
#include "tests/scenarios/SummaryValues.h"

namespace talver {
namespace {

using testing::Rub;

constexpr std::uint32_t kSeeds = 400;

Currency PositiveWithheld(const mTDeclaration& d) {
  Currency sum;
  const auto add = [&sum](const auto& list) {
    for (std::size_t i = 0; i < list.Count(); ++i) sum += Max(list.Get(i).TaxWithheld, Currency());
  };
  add(d.Sources13);
  add(d.Sources13NR);
  add(d.Sources35);
  add(d.SourcesDividends);
  add(d.Sources9);
  add(d.InvestSources);
  return sum;
}

TEST(Invariants, OverRandomDeclarations) {
  for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::unique_ptr<mTDeclaration> d = testing::RandomReturn(seed);
    kTSvodSum s;
    const bool result = s.Compute(*d);

    // Computing twice gives identical values, on the same summary and on a fresh one.
    const kTSvodSum first = s;
    EXPECT_EQ(s.Compute(*d), result);
    EXPECT_TRUE(s == first);
    kTSvodSum fresh;
    fresh.Compute(*d);
    EXPECT_TRUE(fresh == first);

    if (d->DeclarationForm == kForm4) {
      EXPECT_TRUE(result);
      EXPECT_TRUE(s == kTSvodSum());
      continue;
    }

    // No tax, base or refund is negative; no component refunds more than withheld and paid in
    // advance; the result says whether anything is payable.
    bool payable = false;
    const kTSvodSumListValues* section2[] = {&s.List1, &s.ListKIK, &s.ListDiv, &s.List2, &s.List3, &s.List4, &s.List5};
    for (const kTSvodSumListValues* x : section2) {
      SCOPED_TRACE(x->Ставка);
      EXPECT_GE(x->НалБаза, Currency());
      EXPECT_GE(x->Исчисл, Currency());
      EXPECT_GE(x->ИсчислУпл, Currency());
      EXPECT_GE(x->ПодлУпл, Currency());
      EXPECT_GE(x->ПодлВозв, Currency());
      EXPECT_LE(x->ПодлВозв, x->RefundCap());
      EXPECT_EQ(x->Исчисл.Units() % Currency::kScale, 0);
      payable = payable || x->ПодлУпл > x->ПодлВозв;
    }

    // Section 1: never two lines of one (КБК, ОКТМО); refunds within what was withheld and the
    // business advance payments; the zero line only alone.
    std::set<std::pair<std::string, std::string>> pairs;
    Currency refunds;
    for (const bmTList1& line : s.List6.Lines) {
      EXPECT_TRUE(pairs.insert({line.КБК, line.ОКТМО}).second) << line.КБК << " " << line.ОКТМО;
      EXPECT_GE(line.Сумма, Currency());
      if (line.ПрУплВозв == "2") refunds += line.Сумма;
      if (line.ПрУплВозв == "3") {
        EXPECT_EQ(s.List6.Lines.size(), 1u);
      } else {
        EXPECT_GT(line.Сумма, Currency());
      }
    }
    ASSERT_FALSE(s.List6.Lines.empty());
    const Currency advances = d->HasSection(kSectionBusiness) ? d->AdvancePaymentsPaid : Currency();
    EXPECT_LE(refunds, PositiveWithheld(*d) + advances);
    const bool zeroLine = s.List6.Lines.front().ПрУплВозв == "3";
    EXPECT_EQ(result, !payable && !zeroLine);
  }
}

// The limits of the sheets hold whatever the declaration.
TEST(Invariants, SheetLimitsOverRandomDeclarations) {
  for (std::uint32_t seed = 1; seed <= kSeeds; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::unique_ptr<mTDeclaration> d = testing::RandomReturn(seed);
    kTSvodSum s;
    s.Compute(*d);

    EXPECT_LE(s.PrilV1.ВычПрофИт, s.PrilV1.ДоходИт);
    EXPECT_LE(s.PrilG.LimitedCapital + s.PrilG_In.LimitedCapital, kShareSaleLimit);
    EXPECT_GE(s.PrilG.РасходОбщИт, Currency());
    EXPECT_LE(s.PrilM.ПризРекл.ДоходНеНал, Rub(4000));
    EXPECT_LE(s.PrilM.ПодарНП.ДоходНеНал, Rub(4000));
    EXPECT_LE(s.PrilM.ДопСВПенс.ДоходНеНал, Rub(12000));
    EXPECT_LE(s.PrilM.ПомПодар.ДоходНеНал, Rub(10000));

    EXPECT_GE(s.PrilE1.ОбщВычСтанд, Currency());
    EXPECT_LE(s.PrilE1.ОбщВычСтанд, Max(s.PrilE1.CumulativeIncome[11], Currency()));
    EXPECT_LE(s.PrilE3.ОбщВзносВыч, kSocialLimit);
    EXPECT_LE(s.PrilE2.РасчВычСоц219_2.ОбщСумРасх, kSocialLimit);
    EXPECT_GE(s.PrilE2.РасчВычСоц219_2.ОбщВычСоциал, Currency());
    EXPECT_GE(s.PrilE2.РасчВычСоцБез219_2.СумБлагЦел, Currency());
    if (d->DeclarationForm == kForm3Resident && d->Sections != 0 && d->SocialDeduct.Granted != 0) {
      for (Currency amount : d->SocialDeduct.ChildEducation) EXPECT_LE(amount, kChildEducationLimit);
    }

    const kTSvodSumPrilH1& h = s.PrilH1;
    EXPECT_LE(h.СумИмущ.НалВычет + h.СумДолИмущ.НалВычет, kSaleLimit);
    EXPECT_LE(h.СумИмущ.НалВычет, h.СумИмущ.ДохВсехИст);
    EXPECT_LE(h.СумДолИмущ.НалВычет, h.СумДолИмущ.ДохВсехИст);
    EXPECT_LE(h.СумИмущДок.РасхДок, h.СумИмущДок.ДохВсехИст);
    EXPECT_LE(h.СумИнНедИмущ.НалВычет, Min(h.СумИнНедИмущ.ДохВсехИст, kOtherSaleLimit));
    EXPECT_LE(h.СумИнИмущ.НалВычет, Min(h.СумИнИмущ.ДохВсехИст, kOtherSaleLimit));

    const kTSvodSumPrilZ& z = s.PrilZ;
    EXPECT_LE(z.РасхНовВычНД + z.ПроцВычНД, z.НалБаз13БезВыч);
    EXPECT_GE(z.ПроцВычНД, Currency());
    if (z.LimitBase > Currency()) {
      Currency taken;
      for (std::size_t i = 0; i < d->PropertyDeduct.ObjectCount(); ++i) taken += d->PropertyDeduct.GetObject(i).CostTaken;
      EXPECT_EQ(taken, z.PurchaseExpenses);
      EXPECT_LE(z.PurchaseExpenses, z.LimitBase);
    }

    for (const kTSvodSumPrilJ* j : {&s.PrilJ, &s.PrilJ_IIS}) {
      EXPECT_GE(j->ОбщРасхПрмВыч, Currency());
      EXPECT_GE(j->ОстУбытКонВс.СуммаЦБ, Currency());
      EXPECT_GE(j->ОстУбытКонВс.СуммаПФИ, Currency());
    }
    EXPECT_GE(s.PrilI.ОбщРасхПрмВыч, Currency());
  }
}

}  // namespace
}  // namespace talver
