// The summary as its callers use it: the result of Compute, the order of the components, a
// fresh start on every Compute, and the values written back into the declaration.
#include <gtest/gtest.h>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"
#include "tests/scenarios/SummaryValues.h"

namespace talver {
namespace {

using testing::AddSource13;
using testing::AddSource35;
using testing::Entry;
using testing::NewDeclaration;
using testing::Rub;

// Every value of the summary is zero except the rate texts and the lines of section 1.
void ExpectAllValuesZero(const kTSvodSum& s) {
  for (const testing::NamedValue& v : testing::SummaryValues(s)) {
    EXPECT_EQ(v.Amount, Currency()) << v.Component << " " << v.Element << " " << v.Attribute;
  }
  EXPECT_TRUE(s.PrilB13.Lines.empty());
  EXPECT_TRUE(s.PrilE3.PensionContracts.empty());
}

TEST(Summary, Form4ComputesNothing) {
  auto d = NewDeclaration(kForm4);
  AddSource13(d->Sources13, "1", Rub(100), {Entry(2000, Rub(1000))}).IncomeKind = "zz";
  kTSvodSum s;
  EXPECT_TRUE(s.Compute(*d));
  EXPECT_EQ(s, kTSvodSum());
  EXPECT_EQ(d->Sources13.Get(0).IncomeKind, "zz");
}

TEST(Summary, WithoutIncomesOnlyTheZeroLine) {
  for (std::uint8_t sections : {std::uint8_t{0}, std::uint8_t{kSectionRussian}}) {
    SCOPED_TRACE(static_cast<int>(sections));
    auto d = NewDeclaration(kForm3Resident, sections, "45380000");
    kTSvodSum s;
    EXPECT_FALSE(s.Compute(*d));
    ExpectAllValuesZero(s);
    EXPECT_EQ(s.List1.Ставка, "13");
    ASSERT_EQ(s.List6.Lines.size(), 1u);
    EXPECT_EQ(s.List6.Lines[0], (bmTList1{std::string(kKbkOther), "45380000", "3", Currency()}));
  }
}

TEST(Summary, WithoutSectionsTheDeductionSheetsAreNotComputed) {
  auto d = NewDeclaration(kForm3Resident, 0, "45380000");
  d->InvestmentDeduction = Rub(1000);
  d->SocialDeduct.Granted = 1;
  d->SocialDeduct.AddChildEducation(Rub(60000));
  d->PropertyDeduct.Granted = 1;
  mTConstructionDeductObj flat;
  flat.Cost = Rub(1000000);
  d->PropertyDeduct.AddObject(flat);
  kTSvodSum s;
  EXPECT_FALSE(s.Compute(*d));
  ExpectAllValuesZero(s);
  EXPECT_EQ(d->SocialDeduct.GetChildEducation(0), Rub(60000));
  EXPECT_EQ(d->PropertyDeduct.GetObject(0).CostTaken, Currency());
}

TEST(Summary, ResultIsFalseWhenSomeTaxIsPayable) {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "1", Rub(13000), {Entry(2000, Rub(100000))});  // 13 % withheld in full
  AddSource35(*d, 2610, "1", Rub(1000), Currency());                        // 350 payable
  kTSvodSum s;
  EXPECT_FALSE(s.Compute(*d));
  EXPECT_EQ(s.List3.ПодлУпл, Rub(350));

  d->Sources35.Get(0).TaxWithheld = Rub(400);
  EXPECT_TRUE(s.Compute(*d));
  EXPECT_EQ(s.List6.Lines, (std::vector<bmTList1>{{std::string(kKbkAgents), "1", "2", Rub(50)}}));
}

TEST(Summary, ComputeAgainStartsAfresh) {
  auto rich = NewDeclaration();
  AddSource13(rich->Sources13, "1", Rub(200000), {Entry(2000, Rub(1000000))});
  AddSource35(*rich, 2610, "2", Rub(1000), Currency());
  auto poor = NewDeclaration();
  AddSource13(poor->Sources13, "3", Rub(1300), {Entry(2000, Rub(10000))});

  kTSvodSum reused;
  reused.Compute(*rich);
  const kTSvodSum first = reused;
  reused.Compute(*poor);
  kTSvodSum fresh;
  fresh.Compute(*poor);
  EXPECT_EQ(reused, fresh);
  reused.Compute(*rich);
  EXPECT_EQ(reused, first);
}

TEST(Summary, WritesIncomeKindsAndThe35PercentFiguresIntoTheDeclaration) {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "1", Rub(100), {Entry(1530, Rub(1000))});
  mTThirtyFivePercent& s35 = AddSource35(*d, 2610, "1", Rub("10001.43"), Currency());
  kTSvodSum s;
  s.Compute(*d);
  EXPECT_EQ(d->Sources13.Get(0).IncomeKind, "03");
  EXPECT_EQ(s35.IncomeKind, "10");
  EXPECT_EQ(s35.TaxableIncome, Rub("10001.43"));
  EXPECT_EQ(s35.TaxComputed, Rub(3501));
}

}  // namespace
}  // namespace talver
