// The rule by which the entry dialogs turn a chosen deduction into the deduction sum, over the
// built-in dictionary.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "dictionaries/DeductionRules.h"

namespace talver {
namespace {

using D = TIncomeEntryDialog;

TSumField Kop(std::int64_t kopecks) { return Currency::FromKopecks(kopecks); }
TSumField Rub(std::int64_t roubles) { return Currency::FromRoubles(roubles); }
const TSumField kEmpty;

class DeductionRules : public ::testing::Test {
 protected:
  const TDeductionCode& Deduction(const char* income, const char* code) const {
    const TDeductionCode* d = dictionary_.FindDeduction(income, code);
    if (d == nullptr) throw std::logic_error(std::string("no deduction ") + code + " under " + income);
    return *d;
  }
  const TIncomeCode& Income(const char* code) const { return *dictionary_.FindIncome(code); }

  const TIncomeDictionary dictionary_ = TIncomeDictionary::LoadBuiltIn();
};

TEST_F(DeductionRules, PickerSettingsOfEachCaller) {
  struct Case {
    D dialog;
    const char* filter;
    bool nrez13;
    bool fullList;
  };
  const Case cases[] = {{D::Resident13, "13", false, true},
                        {D::NonResidentReturn13, "100", false, false},
                        {D::NonResident13, "13", true, true},
                        {D::Income35, "35", false, true},
                        {D::ForeignIncome, "", false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter);
    const TPickerSettings s = PickerSettingsFor(c.dialog);
    EXPECT_EQ(s.RateFilter, c.filter);
    EXPECT_EQ(s.NRez13Only, c.nrez13);
    EXPECT_EQ(s.FullDeductionList, c.fullList);
  }
}

TEST_F(DeductionRules, WhenTheDeductionSectionOpens) {
  struct Case {
    D dialog;
    const char* income;
    bool allowed;
  };
  const Case cases[] = {
      {D::Resident13, "1211", true},           {D::Resident13, "2000", false},
      {D::NonResidentReturn13, "1211", false},  // has 510, but not a non-resident's deduction
      {D::NonResidentReturn13, "2760", true},  {D::NonResidentReturn13, "1530", true},
      {D::NonResidentReturn13, "2010", false}, {D::NonResident13, "2010", true},
      {D::Income35, "2740", true},             {D::Income35, "2610", false},
      {D::ForeignIncome, "4920", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.income);
    EXPECT_EQ(DeductionAllowed(c.dialog, Income(c.income)), c.allowed);
  }
  // What a non-resident's 13 % dialog then offers under 2760.
  const auto rows = dictionary_.ListDeductions("2760", PickerSettingsFor(D::NonResidentReturn13).FullDeductionList);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0]->Code, "503");
  EXPECT_EQ(rows[1]->Code, "0");
}

TEST_F(DeductionRules, InitialSumOnChoosingADeduction) {
  struct Case {
    D dialog;
    const char* income;
    const char* deduction;
    TSumField base;
    TSumField sum;
  };
  const Case cases[] = {
      {D::Resident13, "2208", "405", Kop(123457), Kop(24691)},  // 20 % of 1234.57
      {D::Resident13, "2206", "405", Kop(100003), Kop(25001)},  // 25 % of 1000.03 = 250.0075
      {D::Resident13, "2206", "405", kEmpty, Rub(0)},
      {D::ForeignIncome, "2203", "405", Rub(1000), Rub(400)},
      {D::Resident13, "1211", "510", Rub(15000), Rub(12000)},
      {D::Resident13, "1211", "510", Rub(9000), Rub(9000)},
      {D::Resident13, "1211", "510", kEmpty, Rub(0)},
      {D::NonResidentReturn13, "2720", "501", Rub(5000), Rub(4000)},  // a gift, capped at 4000
      {D::Income35, "2740", "505", Rub(3000), Rub(3000)},
      {D::NonResident13, "2720", "501", Rub(5000), kEmpty},            // this dialog sets none
      {D::Resident13, "1530", "201", Rub(100), kEmpty},                // typed, not computed
      {D::Resident13, "1530", "0", Rub(100), kEmpty},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.income) + "/" + c.deduction);
    EXPECT_EQ(InitialDeductionSum(c.dialog, Deduction(c.income, c.deduction), c.base), c.sum);
  }
  // Equivalent without a limit: the base itself, and an empty base stays empty.
  TDeductionCode follows = Deduction("1211", "510");
  follows.MaxSum = Currency();
  EXPECT_EQ(InitialDeductionSum(D::Resident13, follows, Rub(20000)), Rub(20000));
  EXPECT_EQ(InitialDeductionSum(D::Resident13, follows, kEmpty), kEmpty);
  // A norm counts only in the 13 % dialog and on the foreign-income page.
  TDeductionCode normed = Deduction("2201", "405");
  EXPECT_EQ(InitialDeductionSum(D::Income35, normed, Rub(1000)), kEmpty);
}

TEST_F(DeductionRules, SumWhenTheBaseChanges) {
  struct Case {
    D dialog;
    const char* income;
    const char* deduction;
    TSumField base;
    TSumField shown;
    TSumField sum;
  };
  const Case cases[] = {
      {D::Resident13, "2208", "405", Rub(1000), Rub(5), Rub(200)},
      {D::Resident13, "2208", "405", kEmpty, Rub(5), kEmpty},          // 0 empties the field
      {D::Resident13, "1211", "510", Rub(20000), Rub(9000), Rub(12000)},
      {D::Resident13, "1211", "510", kEmpty, Rub(9000), kEmpty},
      {D::Resident13, "1530", "201", Rub(100), Rub(150), Rub(150)},    // a typed expense stays
      {D::Resident13, "1511", "904", Rub(2000000), Rub(1500000), Rub(1000000)},
      {D::NonResident13, "2010", "403", Rub(100), Rub(150), Rub(150)},
      {D::NonResident13, "2010", "403", Rub(100), kEmpty, kEmpty},
      {D::Income35, "2740", "505", Rub(10000), Rub(1), Rub(4000)},
      {D::Income35, "2740", "505", kEmpty, Rub(1), Rub(0)},            // shown even when 0
      {D::Income35, "2740", "0", Rub(10000), kEmpty, Rub(0)},
      {D::ForeignIncome, "1211", "510", Rub(11000), Rub(9000), Rub(11000)},
      {D::ForeignIncome, "1211", "510", Rub(13000), Rub(9000), Rub(12000)},
      {D::ForeignIncome, "2206", "405", Kop(100003), kEmpty, Kop(25001)},
      {D::ForeignIncome, "1530", "201", Rub(100), Rub(150), Rub(0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.income) + "/" + c.deduction);
    EXPECT_EQ(RecomputedDeductionSum(c.dialog, Deduction(c.income, c.deduction), c.base, c.shown), c.sum);
  }
}

TEST_F(DeductionRules, TypedSumReachingTheLimitBecomesTheLimit) {
  struct Case {
    D dialog;
    const char* income;
    const char* deduction;
    TSumField typed;
    TSumField sum;
  };
  const Case cases[] = {
      {D::Resident13, "1211", "510", Rub(13000), Rub(12000)},
      {D::Resident13, "1211", "510", Rub(12000), Rub(12000)},
      {D::Resident13, "1211", "510", Kop(1199999), Kop(1199999)},
      {D::NonResident13, "2010", "403", Rub(1000000), Rub(1000000)},   // no limit
      {D::Income35, "2740", "505", Rub(5000), Rub(4000)},
      {D::Resident13, "1510", "901", Rub(2000000), Rub(2000000)},     // read-only: not cut here
      {D::ForeignIncome, "1211", "510", Rub(13000), Rub(13000)},       // the page does not cut
      {D::Resident13, "1211", "510", kEmpty, kEmpty},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.income) + "/" + c.deduction);
    EXPECT_EQ(TypedDeductionSum(c.dialog, Deduction(c.income, c.deduction), c.typed), c.sum);
  }
}

TEST_F(DeductionRules, ReopeningRecomputesOnlyComputedSums) {
  EXPECT_EQ(ReopenedDeductionSum(D::Resident13, Deduction("2208", "405"), Rub(1000), Rub(1)), Rub(200));
  EXPECT_EQ(ReopenedDeductionSum(D::Resident13, Deduction("1211", "510"), Rub(15000), Rub(1)), Rub(12000));
  EXPECT_EQ(ReopenedDeductionSum(D::Resident13, Deduction("1530", "201"), Rub(100), Rub(150)), Rub(150));
  EXPECT_EQ(ReopenedDeductionSum(D::Resident13, Deduction("1530", "201"), Rub(100), kEmpty), kEmpty);
}

}  // namespace
}  // namespace talver
