// Sheet А: the income-type code of each source, which lists each form walks, the totals, and
// the 35 % tax written into the sources.
#include <gtest/gtest.h>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver {
namespace {

using testing::AddSource13;
using testing::AddSource30;
using testing::AddSource35;
using testing::Entry;
using testing::NewDeclaration;
using testing::Rub;

struct KindCase {
  const char* Name;
  std::vector<mTSourseIncome> Entries;
  Currency Computed;
  Currency Withheld;
  const char* Expected;
};

TEST(SheetA, IncomeKindFollowsTheCodesOfTheEntries) {
  const Currency r = Rub(1000);
  const std::vector<KindCase> cases = {
      {"wages then dividends-like 1400", {Entry(2000, r), Entry(1400, r)}, r, r, "06"},
      {"1400 then wages", {Entry(1400, r), Entry(2000, r)}, r, r, "06"},
      {"06 survives a later other code", {Entry(2000, r), Entry(4800, r)}, r, r, "06"},
      {"property lease and securities mix", {Entry(1400, r), Entry(1530, r)}, r, r, "10"},
      {"two kinds of securities", {Entry(1530, r), Entry(1535, r)}, r, r, "03"},
      {"securities codes at the ends of the ranges", {Entry(1541, r), Entry(9552, r), Entry(1554, r)}, r, r, "03"},
      {"1540 is not a securities code", {Entry(1540, r)}, r, r, "10"},
      {"1400 and 2400", {Entry(1400, r), Entry(2400, r)}, r, r, "04"},
      {"1512 and 1520", {Entry(1512, r), Entry(1520, r)}, r, r, "02"},
      {"2220, 2720, 2790", {Entry(2220, r), Entry(2720, r), Entry(2790, r)}, r, r, "05"},
      {"flat, not at 70 % of the cadastral value", {Entry(1510, r, 0, {}, 0, 1)}, r, r, "01"},
      {"flat at 70 % of the cadastral value", {Entry(1510, r, 0, {}, 0, 2)}, r, r, "09"},
      {"share at 70 % of the cadastral value", {Entry(1511, r, 0, {}, 0, 2)}, r, r, "09"},
      {"two flats, different answers", {Entry(1510, r, 0, {}, 0, 1), Entry(1510, r, 0, {}, 0, 2)}, r, r, "10"},
      {"an unknown code alone", {Entry(4800, r)}, r, r, "10"},
      {"wages, agent withheld less than computed", {Entry(2000, r)}, Rub(1000), Rub(999), "07"},
      {"wages, withheld as computed", {Entry(2000, r)}, Rub(1000), Rub(1000), "06"},
      {"mixed into 06, withheld less", {Entry(1400, r), Entry(2010, r)}, Rub(5), Rub(4), "07"},
      {"10 is not turned into 07", {Entry(4800, r)}, Rub(5), Rub(4), "10"},
      {"no entries", {}, Rub(5), Rub(4), ""},
  };
  for (const KindCase& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = NewDeclaration();
    mTThirteenPercent& s = AddSource13(d->Sources13, "1", c.Withheld, c.Entries, c.Computed);
    s.IncomeKind = "zz";
    kTSvodSum summary;
    summary.PrilA13.Compute(*d, summary);
    EXPECT_EQ(s.IncomeKind, c.Expected);

    // A non-resident's 30 % sources follow the same table.
    auto nr = NewDeclaration(kForm3NonResident);
    mTThirteenPercent& s30 = AddSource13(nr->Sources13, "1", c.Withheld, c.Entries, c.Computed);
    summary.PrilA30.Compute(*nr, summary);
    EXPECT_EQ(s30.IncomeKind, c.Expected);
  }
}

// Fills every list of section 1 and the partnerships, with every IncomeKind set to "zz" so
// that an untouched source shows.
std::unique_ptr<mTDeclaration> AllLists(std::uint8_t form) {
  auto d = NewDeclaration(form, kSectionRussian | kSectionInvestTov);
  AddSource13(d->Sources13, "1", Rub(100), {Entry(1400, Rub(1000)), Entry(1530, Rub(500))}, Rub(100)).IncomeKind = "zz";
  AddSource13(d->Sources13NR, "2", Rub(200), {Entry(2000, Rub(2000))}, Rub(300)).IncomeKind = "zz";
  AddSource35(*d, 2610, "3", Rub(3000), Rub(30)).IncomeKind = "zz";
  AddSource35(*d, 2620, "3", Rub(999), Rub(40)).IncomeKind = "zz";
  AddSource30(d->SourcesDividends, 1010, "4", Rub(4000), Rub(3900), Rub(500), Rub(50)).IncomeKind = "zz";
  AddSource30(d->Sources9, 1011, "5", Rub(5000), Rub(5000), Rub(450), Rub(60)).IncomeKind = "zz";
  testing::AddPartnership(*d, "6", Rub(70), {testing::Operation(1, Rub(6000)), testing::Operation(6, Rub(600))})
      .IncomeKind = "zz";
  d->ForeignerFixedPayments = Rub(77);
  return d;
}

TEST(SheetA, ResidentWalksItsListsAndLeavesTheNonResidentOnes) {
  auto d = AllLists(kForm3Resident);
  kTSvodSum s;
  s.PrilA9.Compute(*d, s);
  s.PrilA13.Compute(*d, s);
  s.PrilA15.Compute(*d, s);
  s.PrilA30.Compute(*d, s);
  s.PrilA35.Compute(*d, s);

  EXPECT_EQ(s.PrilA13.SumIncome, Rub(1500 + 6600));  // entries of 13 % sources and partnerships
  EXPECT_EQ(s.PrilA13.SumWithheld, Rub(100 + 70));
  EXPECT_EQ(s.PrilA13.DividendTaxable, Rub(3900));
  EXPECT_EQ(s.PrilA13.DividendWithheld, Rub(50));
  EXPECT_EQ(s.PrilA13.FixedAdvances, Rub(77));
  EXPECT_EQ(s.PrilA9.SumIncome, Rub(5000));
  EXPECT_EQ(s.PrilA9.SumWithheld, Rub(60));
  EXPECT_EQ(s.PrilA35.SumIncome, Rub(3000));
  EXPECT_EQ(s.PrilA35.SumWithheld, Rub(30));
  EXPECT_EQ(s.PrilA35.Withheld2620, Rub(40));
  EXPECT_EQ(s.PrilA15, kTSvodSumPrilA15());
  EXPECT_EQ(s.PrilA30, kTSvodSumPrilA30());

  EXPECT_EQ(d->Sources13.Get(0).IncomeKind, "10");
  EXPECT_EQ(d->Sources13NR.Get(0).IncomeKind, "zz");
  EXPECT_EQ(d->Sources35.Get(0).IncomeKind, "10");
  EXPECT_EQ(d->Sources35.Get(1).IncomeKind, "zz");
  EXPECT_EQ(d->SourcesDividends.Get(0).IncomeKind, "08");
  EXPECT_EQ(d->Sources9.Get(0).IncomeKind, "10");
  EXPECT_EQ(d->InvestSources.Get(0).IncomeKind, "03");
}

TEST(SheetA, NonResidentWalksItsListsAndLeavesTheResidentOnes) {
  auto d = AllLists(kForm3NonResident);
  kTSvodSum s;
  s.PrilA9.Compute(*d, s);
  s.PrilA13.Compute(*d, s);
  s.PrilA15.Compute(*d, s);
  s.PrilA30.Compute(*d, s);
  s.PrilA35.Compute(*d, s);

  EXPECT_EQ(s.PrilA13.SumIncome, Rub(2000));  // Sources13NR only
  EXPECT_EQ(s.PrilA13.SumWithheld, Rub(200));
  EXPECT_EQ(s.PrilA13.DividendTaxable, Currency());
  EXPECT_EQ(s.PrilA13.FixedAdvances, Rub(77));
  EXPECT_EQ(s.PrilA15.SumTaxable, Rub(3900));
  EXPECT_EQ(s.PrilA15.SumWithheld, Rub(50));
  EXPECT_EQ(s.PrilA30.SumIncome, Rub(1500 + 6600));
  EXPECT_EQ(s.PrilA30.SumWithheld, Rub(100 + 70));
  EXPECT_EQ(s.PrilA9, kTSvodSumPrilA9());
  EXPECT_EQ(s.PrilA35, kTSvodSumPrilA35());

  EXPECT_EQ(d->Sources13.Get(0).IncomeKind, "10");
  EXPECT_EQ(d->Sources13NR.Get(0).IncomeKind, "07");  // computed 300 above withheld 200
  EXPECT_EQ(d->Sources35.Get(0).IncomeKind, "zz");
  EXPECT_EQ(d->SourcesDividends.Get(0).IncomeKind, "08");
  EXPECT_EQ(d->Sources9.Get(0).IncomeKind, "zz");
  EXPECT_EQ(d->InvestSources.Get(0).IncomeKind, "03");
  EXPECT_EQ(d->Sources35.Get(0).TaxComputed, Currency());
}

TEST(SheetA, TaxOfA35PercentSourceIsWholeRoublesHalfUp) {
  const struct {
    const char* Income;
    std::int64_t Tax;
  } cases[] = {
      {"10000.00", 3500},  {"10001.43", 3501},  // 3 500.5005
      {"10001.42", 3500},                       // 3 500.497
      {"90.00", 32},                            // exactly 31.5; a double product gives 31.4999…
      {"170.00", 60},                           // exactly 59.5
      {"0.01", 0},         {"0", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Income);
    auto d = NewDeclaration();
    mTThirtyFivePercent& s = AddSource35(*d, 2610, "1", Rub(c.Income), Currency());
    s.TaxableIncome = Rub(1);
    kTSvodSum summary;
    summary.PrilA35.Compute(*d, summary);
    EXPECT_EQ(s.TaxableIncome, Rub(c.Income));
    EXPECT_EQ(s.TaxComputed, Rub(c.Tax));
    EXPECT_EQ(s.IncomeKind, "10");
  }
}

TEST(SheetA, A35PercentSourceOfCode2620OnlyAddsItsTaxWithheld) {
  auto d = NewDeclaration();
  mTThirtyFivePercent& s = AddSource35(*d, 2620, "1", Rub(10000), Rub(3500));
  s.TaxableIncome = Rub(5);
  kTSvodSum summary;
  summary.PrilA35.Compute(*d, summary);
  EXPECT_EQ(summary.PrilA35.Withheld2620, Rub(3500));
  EXPECT_EQ(summary.PrilA35.SumIncome, Currency());
  EXPECT_EQ(summary.PrilA35.SumWithheld, Currency());
  EXPECT_EQ(s.TaxableIncome, Rub(5));
  EXPECT_EQ(s.TaxComputed, Currency());
  EXPECT_EQ(s.IncomeKind, "");
}

TEST(SheetA, ComputeStartsFromZero) {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "1", Rub(13), {Entry(2000, Rub(100))});
  kTSvodSum summary;
  summary.PrilA13.Compute(*d, summary);
  summary.PrilA13.Compute(*d, summary);
  EXPECT_EQ(summary.PrilA13.SumIncome, Rub(100));
  EXPECT_EQ(summary.PrilA13.SumWithheld, Rub(13));
}

}  // namespace
}  // namespace talver
