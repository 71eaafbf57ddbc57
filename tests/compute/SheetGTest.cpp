// Sheet Г: exempt parts within each kind's limit, per entry and per year, and the exemption of
// prizes in advertising that rewrites the 35 % sources.
#include <gtest/gtest.h>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver {
namespace {

using testing::AddForeign;
using testing::AddSource13;
using testing::AddSource35;
using testing::Entry;
using testing::NewDeclaration;
using testing::Rub;

TEST(SheetG, ExemptPartsWithinTheLimits) {
  struct Case {
    const char* Name;
    std::vector<mTSourseIncome> Entries;
    kTExemptIncome kTSvodSumPrilM::*Kind;
    std::int64_t All, Exempt;
  };
  const std::vector<Case> cases = {
      {"two gifts within the yearly limit", {Entry(2720, Rub(3000), 501, Rub(3000)), Entry(2720, Rub(2500), 501, Rub(2500))},
       &kTSvodSumPrilM::ПодарНП, 5500, 4000},
      {"one gift above the limit of an entry", {Entry(2720, Rub(10000), 501, Rub(10000))}, &kTSvodSumPrilM::ПодарНП,
       10000, 4000},
      {"a gift without its deduction code", {Entry(2720, Rub(10000))}, &kTSvodSumPrilM::ПодарНП, 10000, 0},
      {"a gift with another kind's code", {Entry(2720, Rub(10000), 502, Rub(4000))}, &kTSvodSumPrilM::ПодарНП, 10000,
       0},
      {"employer pension contributions", {Entry(1211, Rub(15000), 510, Rub(15000))}, &kTSvodSumPrilM::ДопСВПенс,
       15000, 12000},
      {"aid to veterans", {Entry(2790, Rub(15000), 507, Rub(1))}, &kTSvodSumPrilM::ПомПодар, 15000, 10000},
      {"aid from employers", {Entry(2760, Rub(3000), 503, Rub(0))}, &kTSvodSumPrilM::МатПомРаб, 3000, 3000},
      {"aid at a birth: the deduction entered, no limit", {Entry(2762, Rub(60000), 508, Rub(50000))},
       &kTSvodSumPrilM::МатПомРожд, 60000, 50000},
      {"prizes", {Entry(2730, Rub(5000), 502, Rub(5000))}, &kTSvodSumPrilM::ПризНП, 5000, 4000},
      {"medicines", {Entry(2770, Rub(1000), 504, Rub(1000))}, &kTSvodSumPrilM::ВозмМед, 1000, 1000},
      {"aid to the disabled", {Entry(2761, Rub(9000), 506, Rub(9000))}, &kTSvodSumPrilM::МатПомИнв, 9000, 4000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = NewDeclaration();
    AddSource13(d->Sources13, "1", Currency(), c.Entries);
    kTSvodSumPrilM m;
    m.Compute(*d);
    EXPECT_EQ((m.*c.Kind).ДоходВсИст, Rub(c.All));
    EXPECT_EQ((m.*c.Kind).ДоходНеНал, Rub(c.Exempt));
    EXPECT_EQ(m.ДохНеНалОбщ, Rub(c.Exempt));
  }
}

TEST(SheetG, ForeignIncomesCountWithTheSectionAndShareTheLimit) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
  AddSource13(d->Sources13, "1", Currency(), {Entry(2720, Rub(3000), 501, Rub(3000))});
  AddForeign(*d, 13, 2720, Rub(3000), Currency(), 501, Rub(3000));
  kTSvodSumPrilM m;
  m.Compute(*d);
  EXPECT_EQ(m.ПодарНП.ДоходВсИст, Rub(6000));
  EXPECT_EQ(m.ПодарНП.ДоходНеНал, Rub(4000));

  // Only foreign incomes, and no 13 % source at all.
  auto foreignOnly = NewDeclaration(kForm3Resident, kSectionForeign);
  AddForeign(*foreignOnly, 13, 2720, Rub(3000), Currency(), 501, Rub(3000));
  m.Compute(*foreignOnly);
  EXPECT_EQ(m.ДохНеНалОбщ, Rub(3000));
}

TEST(SheetG, PrizesInAdvertisingRewriteThe35PercentSources) {
  auto d = NewDeclaration();
  mTThirtyFivePercent& first = AddSource35(*d, 2740, "1", Rub(3000), Currency(), 505, Rub(3000));
  mTThirtyFivePercent& second = AddSource35(*d, 2740, "1", Rub(3000), Currency(), 505, Rub(3000));
  mTThirtyFivePercent& small = AddSource35(*d, 2740, "1", Rub(2000), Currency(), 505, Rub(5000));
  mTThirtyFivePercent& unclaimed = AddSource35(*d, 2740, "1", Rub(1000), Currency());
  kTSvodSum s;
  s.Compute(*d);
  EXPECT_EQ(first.TaxableIncome, Currency());
  EXPECT_EQ(first.TaxComputed, Currency());
  EXPECT_EQ(second.TaxableIncome, Rub(2000));  // 1 000 of the limit left
  EXPECT_EQ(second.TaxComputed, Rub(700));
  EXPECT_EQ(small.TaxableIncome, Rub(2000));  // nothing left
  EXPECT_EQ(small.TaxComputed, Rub(700));
  EXPECT_EQ(unclaimed.TaxableIncome, Rub(1000));  // as sheet А set it
  EXPECT_EQ(s.PrilM.ПризРекл.ДоходВсИст, Rub(8000));
  EXPECT_EQ(s.PrilM.ПризРекл.ДоходНеНал, Rub(4000));
  EXPECT_EQ(s.PrilM.ДохНеНалОбщ, Currency());
  EXPECT_EQ(s.List3.ДоходОбщ, Rub(9000));
  EXPECT_EQ(s.List3.НалБаза, Rub(5000));
  EXPECT_EQ(s.List3.Исчисл, Rub(1750));
}

TEST(SheetG, ThePrizeExemptionIsNoMoreThanThePrize) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian);
  mTThirtyFivePercent& prize = AddSource35(*d, 2740, "1", Rub(2000), Currency(), 505, Rub(5000));
  kTSvodSum s;
  s.Compute(*d);
  EXPECT_EQ(s.PrilM.ПризРекл.ДоходНеНал, Rub(2000));
  EXPECT_EQ(prize.TaxableIncome, Currency());
}

TEST(SheetG, NonResidentPrizesComeFromThe30PercentEntries) {
  auto d = NewDeclaration(kForm3NonResident);
  AddSource13(d->Sources13, "1", Currency(),
              {Entry(2740, Rub(3000), 505, Rub(3000)), Entry(2740, Rub(3000), 505, Rub(3000)), Entry(2740, Rub(500))});
  kTSvodSumPrilM m;
  m.Compute(*d);
  EXPECT_EQ(m.ПризРекл.ДоходВсИст, Rub(6000));
  EXPECT_EQ(m.ПризРекл.ДоходНеНал, Rub(4000));
}

}  // namespace
}  // namespace talver
