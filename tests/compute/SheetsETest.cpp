// Sheets Е1 and Е2: standard deductions by month with the 350 000 walk, social deductions
// within and outside the 120 000 limit, pension contributions and the investment deduction.
#include <gtest/gtest.h>

#include <functional>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver {
namespace {

using testing::AddSource13;
using testing::Monthly;
using testing::NewDeclaration;
using testing::Rub;

// A resident paid `salary` every month at a source that computes the standard deductions.
std::unique_ptr<mTDeclaration> Salaried(std::int64_t salary) {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "1", Currency(), Monthly(2000, Rub(salary))).StandardDeductSource = 1;
  d->StandardDeduct.ChildMode = 0;
  return d;
}

kTSvodSumPrilE1 Standard(const mTDeclaration& d) {
  kTSvodSum s;
  s.PrilE1.Compute(d, s);
  return s.PrilE1;
}

TEST(SheetE1, OwnDeductionCountsEveryMarkedMonth) {
  const struct {
    std::int32_t Code;
    std::int64_t Salary;
    std::int64_t Own3000;
    std::int64_t Own500;
  } cases[] = {
      {105, 30000, 36000, 0},
      {104, 30000, 0, 6000},
      {103, 30000, 0, 0},
      {105, 100000, 36000, 0},  // the 350 000 walk does not limit it
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Code);
    auto d = Salaried(c.Salary);
    d->StandardDeduct.PersonalCode = c.Code;
    const kTSvodSumPrilE1 e = Standard(*d);
    EXPECT_EQ(e.ВычСт218_1_1, Rub(c.Own3000));
    EXPECT_EQ(e.ВычСт218_1_2, Rub(c.Own500));
    EXPECT_EQ(e.ОбщВычСтанд, Rub(c.Own3000 + c.Own500));
  }
}

TEST(SheetE1, OwnDeductionChangedDuringTheYear) {
  auto d = Salaried(30000);
  d->StandardDeduct.PersonalCode = 110;
  for (int m = 1; m <= 12; ++m) d->StandardDeduct.SetPersonalCodeByMonth(m, m <= 6 ? 2 : 1);
  d->StandardDeduct.SetPersonalCodeByMonth(12, 0);
  const kTSvodSumPrilE1 e = Standard(*d);
  EXPECT_EQ(e.ВычСт218_1_1, Rub(18000));
  EXPECT_EQ(e.ВычСт218_1_2, Rub(2500));
}

TEST(SheetE1, ChildrenUntilTheIncomeExceeds350000) {
  struct Case {
    const char* Name;
    std::int64_t Salary;
    std::function<void(mTStandartDeduct&)> Set;
    std::int32_t Months;
    std::int64_t Reb, RebEd, Inv, InvEd;
  };
  const std::vector<Case> cases = {
      {"two children, 30 000 a month: December is above the limit", 30000,
       [](mTStandartDeduct& sd) { sd.ChildMode = 101; sd.SetChildrenConst(2); }, 11, 2 * 1400 * 11, 0, 0, 0},
      {"income above the limit from the first month", 400000,
       [](mTStandartDeduct& sd) { sd.ChildMode = 101; sd.SetChildrenConst(2); }, 0, 0, 0, 0, 0},
      {"exactly 350 000 in December still counts", 29166,  // 349 992 by December
       [](mTStandartDeduct& sd) { sd.ChildMode = 101; sd.SetChildrenConst(1); }, 12, 1400 * 12, 0, 0, 0},
      {"a single parent, third child", 10000,
       [](mTStandartDeduct& sd) { sd.ChildMode = 102; sd.SetChildrenConst(2); sd.SetThirdConst(1); }, 12, 0,
       (2 * 2800 + 6000) * 12, 0, 0},
      {"a disabled child of a parent", 10000,
       [](mTStandartDeduct& sd) { sd.ChildMode = 101; sd.SetDisabledConst(1); }, 12, 0, 0, 12000 * 12, 0},
      {"a disabled child of a guardian", 10000,
       [](mTStandartDeduct& sd) {
         sd.ChildMode = 101; sd.SetDisabledConst(1);
         sd.GuardianOrFoster = 1;
       },
       12, 0, 0, 6000 * 12, 0},
      {"a disabled child of a single parent", 10000,
       [](mTStandartDeduct& sd) { sd.ChildMode = 102; sd.SetDisabledConst(1); }, 12, 0, 0, 0, 24000 * 12},
      {"single parent from July", 10000,
       [](mTStandartDeduct& sd) {
         sd.ChildMode = 103; sd.SetChildrenConst(1);
         for (int m = 1; m <= 12; ++m) sd.SetChildModeByMonth(m, m < 7 ? 1 : 0);
       },
       12, 1400 * 6, 2800 * 6, 0, 0},
      {"a child born in October", 10000,
       [](mTStandartDeduct& sd) {
         sd.ChildMode = 101;
         for (int m = 9; m < 12; ++m) sd.SetChildrenInMonth(m, 1);
       },
       12, 1400 * 3, 0, 0, 0},
      {"counts by month stop at the limit", 50000,  // 350 000 in July, 400 000 in August
       [](mTStandartDeduct& sd) {
         sd.ChildMode = 101;
         for (int m = 0; m < 12; ++m) sd.SetChildrenInMonth(m, 1);
       },
       7, 1400 * 7, 0, 0, 0},
      {"no child deduction", 10000, [](mTStandartDeduct& sd) { sd.ChildMode = 0; sd.SetChildrenConst(2); }, 12, 0, 0,
       0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = Salaried(c.Salary);
    c.Set(d->StandardDeduct);
    const kTSvodSumPrilE1 e = Standard(*d);
    EXPECT_EQ(e.КолМесНеПрев, c.Months);
    EXPECT_EQ(e.ВычСтРеб, Rub(c.Reb));
    EXPECT_EQ(e.ВычСтРебЕд, Rub(c.RebEd));
    EXPECT_EQ(e.ВычСтРебИнв, Rub(c.Inv));
    EXPECT_EQ(e.ВычСтРебИнвЕд, Rub(c.InvEd));
  }
}

TEST(SheetE1, MonthsFromTheSourcesThatComputeTheDeductions) {
  auto d = NewDeclaration();
  AddSource13(d->Sources13, "1", Currency(),
              {testing::Entry(2000, Rub(20000), 0, Currency(), 1), testing::Entry(2000, Rub(20000), 403, Rub(5000), 3),
               testing::Entry(2000, Rub(99999))})  // without a month
      .StandardDeductSource = 1;
  AddSource13(d->Sources13, "2", Currency(), Monthly(2000, Rub(100000)));  // not this source
  d->StandardDeduct.PersonalCode = 105;
  d->StandardDeduct.ChildMode = 0;
  const kTSvodSumPrilE1 e = Standard(*d);
  EXPECT_EQ(e.CumulativeIncome[0], Rub(20000));
  EXPECT_EQ(e.CumulativeIncome[1], Rub(20000));
  EXPECT_EQ(e.CumulativeIncome[11], Rub(35000));
  EXPECT_EQ(e.ВычСт218_1_1, Rub(6000));  // January and March
}

TEST(SheetE1, MonthlyBusinessFiguresCarryALossIntoTheNextMonth) {
  auto d = NewDeclaration();
  mTStandartDeduct& sd = d->StandardDeduct;
  sd.MonthlyIncomeGiven = 1;
  sd.PersonalCode = 105;
  sd.ChildMode = 0;
  sd.SetMonthIncome(1, Rub(10000));
  sd.SetMonthExpense(1, Rub(15000));
  sd.SetMonthIncome(2, Rub(10000));
  sd.MonthChecked[0] = sd.MonthChecked[1] = 1;
  const kTSvodSumPrilE1 e = Standard(*d);
  EXPECT_EQ(e.CumulativeIncome[0], Currency());
  EXPECT_EQ(e.CumulativeIncome[1], Rub(5000));
  EXPECT_EQ(e.CumulativeIncome[11], Rub(5000));
  EXPECT_EQ(e.ВычСт218_1_1, Rub(6000));
  EXPECT_EQ(e.ОбщВычСтанд, Rub(5000));  // never above the year's income
}

TEST(SheetE1, OnlyForAResidentWhoClaimsThem) {
  auto d = Salaried(30000);
  d->StandardDeduct.PersonalCode = 105;
  d->StandardDeduct.Granted = 0;
  EXPECT_EQ(Standard(*d), kTSvodSumPrilE1());
  d->StandardDeduct.Granted = 1;
  d->DeclarationForm = kForm3NonResident;
  EXPECT_EQ(Standard(*d), kTSvodSumPrilE1());
}

// Social deductions of a resident with a 13 % income of `income`.
kTSvodSum Social(mTDeclaration& d, std::int64_t income = 1000000) {
  d.SocialDeduct.Granted = 1;
  kTSvodSum s;
  s.PrilA13.SumIncome = Rub(income);
  s.PrilE3.Compute(d, s);
  s.PrilE2.Compute(d, s);
  return s;
}

TEST(SheetE2, CharityUpToAQuarterOfTheIncomeTruncated) {
  const struct {
    const char* Charity;
    const char* Income;
    const char* Deducted;
  } cases[] = {
      {"50000", "100000.02", "25000.00"},  // 25 000.005 truncated
      {"20000", "100000", "20000"},
      {"25000.01", "100000", "25000"},
      {"1000", "0", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Charity);
    auto d = NewDeclaration();
    d->SocialDeduct.Charity = Rub(c.Charity);
    d->SocialDeduct.Granted = 1;
    kTSvodSum s;
    s.PrilA13.SumIncome = Rub(c.Income);
    s.PrilE2.Compute(*d, s);
    EXPECT_EQ(s.PrilE2.РасчВычСоцБез219_2.СумБлагЦел, Rub(c.Deducted));
  }
}

TEST(SheetE2, IncomeForCharityLessExemptIncomes) {
  auto d = NewDeclaration();
  d->SocialDeduct.Charity = Rub(100000);
  d->SocialDeduct.Granted = 1;
  kTSvodSum s;
  s.PrilA13.SumIncome = Rub(100000);
  s.PrilB13.OtherIncome = Rub(20000);
  s.PrilV1.ДоходИт = Rub(40000);
  s.PrilE3.ИнвВычПредВосст = Rub(8000);
  s.PrilB13.Exempt1001 = Rub(4000);
  s.PrilM.ДохНеНалОбщ = Rub(4000);
  s.PrilE2.Compute(*d, s);
  EXPECT_EQ(s.PrilE2.Income, Rub(160000));
  EXPECT_EQ(s.PrilE2.РасчВычСоцБез219_2.СумБлагЦел, Rub(40000));
}

TEST(SheetE2, ChildEducationCutPerChildAndWrittenBack) {
  auto d = NewDeclaration();
  d->SocialDeduct.AddChildEducation(Rub(60000));
  d->SocialDeduct.AddChildEducation(Rub(30000));
  d->SocialDeduct.ExpensiveMedical = Rub(200000);
  const kTSvodSum s = Social(*d);
  EXPECT_EQ(s.PrilE2.РасчВычСоцБез219_2.СумОбуч, Rub(80000));
  EXPECT_EQ(s.PrilE2.РасчВычСоцБез219_2.ИтогВычСоциал, Rub(280000));
  EXPECT_EQ(d->SocialDeduct.GetChildEducation(0), Rub(50000));
  EXPECT_EQ(d->SocialDeduct.GetChildEducation(1), Rub(30000));
}

TEST(SheetE2, DeductionsWithinTheLimitShareItWithPensionContributions) {
  struct Case {
    const char* Name;
    std::int64_t OwnEducation, Medical, Insurance;
    std::vector<std::int64_t> Contracts;  // kind 1 contributions
    std::int64_t Within;
  };
  const std::vector<Case> cases = {
      {"education and treatment above the limit", 100000, 50000, 0, {}, 120000},
      {"within the limit", 30000, 20000, 10000, {}, 60000},
      {"pension contributions use up the limit", 10000, 0, 0, {100000, 50000}, 120000},
      {"pension contributions leave room", 10000, 5000, 0, {60000}, 75000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = NewDeclaration();
    mTSocialDeduct& sd = d->SocialDeduct;
    sd.OwnEducation = Rub(c.OwnEducation);
    sd.Medical = Rub(c.Medical);
    sd.VoluntaryInsurance = Rub(c.Insurance);
    for (std::int64_t amount : c.Contracts) {
      mTPens& p = sd.GetPension(sd.AddPension());
      p.ContractKind = 1;
      p.Contribution = Rub(amount);
    }
    const kTSvodSum s = Social(*d);
    EXPECT_EQ(s.PrilE2.РасчВычСоц219_2.ОбщСумРасх, Rub(c.Within));
    EXPECT_EQ(s.PrilE2.РасчВычСоц219_2.ОбщВычСоциал, Rub(c.Within));
  }
}

TEST(SheetE3, ContributionsWithinTheLimitInStoredOrder) {
  auto d = NewDeclaration();
  mTSocialDeduct& sd = d->SocialDeduct;
  const struct {
    std::int32_t Kind;
    std::int64_t Paid, Agent;
  } contracts[] = {{1, 100000, 0}, {4, 50000, 0}, {3, 30000, 40000}, {5, 99999, 0}};
  for (const auto& c : contracts) {
    mTPens& p = sd.GetPension(sd.AddPension());
    p.ContractKind = c.Kind;
    p.OrgName = "Fund";
    p.Contribution = Rub(c.Paid);
    p.AgentDeduction = Rub(c.Agent);
  }
  d->InvestmentDeduction = Rub(7000);
  d->InvestmentDeductionReturn = Rub(800);
  const kTSvodSum s = Social(*d);
  const kTSvodSumPrilE3& e = s.PrilE3;
  ASSERT_EQ(e.PensionContracts.size(), 2u);
  ASSERT_EQ(e.ExtraContributions.size(), 1u);
  EXPECT_EQ(e.PensionContracts[0].СумВзносВыч, Rub(100000));
  EXPECT_EQ(e.ExtraContributions[0].СумВзносВыч, Rub(20000));
  EXPECT_EQ(e.ExtraContributions[0].ВидДоговор, 2);
  EXPECT_EQ(e.PensionContracts[1].СумВзносВыч, Currency());  // nothing left
  EXPECT_EQ(e.PensionContracts[1].AgentDeduction, Rub(30000));  // at most the contribution
  EXPECT_EQ(e.PensionContracts[1].Наим, "Fund");
  EXPECT_EQ(e.PensionDeducted, Rub(100000));
  EXPECT_EQ(e.РасчДопСВВыч.СумВзносУпл, Rub(50000));
  EXPECT_EQ(e.РасчДопСВВыч.СумВзносВыч, Rub(20000));
  EXPECT_EQ(e.ОбщВзносВыч, Rub(120000));
  EXPECT_EQ(e.AgentDeducted, Rub(30000));
  EXPECT_EQ(e.СумИнвВыч219, Rub(7000));
  EXPECT_EQ(e.ИнвВычПредВосст, Rub(800));
}

TEST(SheetE2, AgentsDeductionsAreNotGrantedTwice) {
  auto d = NewDeclaration();
  d->SocialDeduct.OwnEducation = Rub(50000);
  d->SocialDeduct.AgentSocialDeduct = Rub(20000);
  kTSvodSum s = Social(*d);
  EXPECT_EQ(s.PrilE2.РасчВычСоц219_2.ОбщСНВОтчПерНА, Rub(20000));
  EXPECT_EQ(s.PrilE2.РасчВычСоц219_2.ОбщВычСоциал, Rub(30000));

  d->SocialDeduct.AgentSocialDeduct = Rub(70000);  // more than claimed: cut to it
  s = Social(*d);
  EXPECT_EQ(s.PrilE2.РасчВычСоц219_2.ОбщСНВОтчПерНА, Rub(50000));
  EXPECT_EQ(s.PrilE2.РасчВычСоц219_2.ОбщВычСоциал, Currency());
}

TEST(SheetE3, TheInvestmentDeductionCountsWithoutSocialDeductions) {
  auto d = NewDeclaration(kForm3NonResident);
  d->InvestmentDeduction = Rub(7000);
  mTPens& p = d->SocialDeduct.GetPension(d->SocialDeduct.AddPension());
  p.ContractKind = 1;
  p.Contribution = Rub(1000);
  kTSvodSum s;
  s.PrilE3.Compute(*d, s);
  EXPECT_EQ(s.PrilE3.СумИнвВыч219, Rub(7000));
  EXPECT_TRUE(s.PrilE3.PensionContracts.empty());
  EXPECT_EQ(s.PrilE3.ОбщВзносВыч, Currency());
}

}  // namespace
}  // namespace talver
