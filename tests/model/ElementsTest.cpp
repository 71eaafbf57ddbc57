#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "model/DeclClasses.h"
#include "platform/Errors.h"
#include "tests/support/FileBuilder.h"

namespace talver {
namespace {

using testing::FileBuilder;
using testing::SplitStreams;

// Saves a declaration built by `fill` and gives back its streams by name.
std::map<std::string, std::vector<std::string>> SavedStreams(const std::function<void(mTDeclaration&)>& fill,
                                                            std::string* bytes = nullptr) {
  mTDeclaration d;
  d.SignDate = 42736;
  fill(d);
  const std::string file = d.SaveToBytes();
  EXPECT_EQ(file.size(), d.StoredSize());
  if (bytes != nullptr) *bytes = file;
  std::map<std::string, std::vector<std::string>> streams;
  for (const auto& s : SplitStreams(file)) streams[s.Name] = s.Items;
  return streams;
}

mTDeclaration Reloaded(const std::string& bytes) {
  mTDeclaration d;
  d.LoadFromBytes(bytes.data(), bytes.size());
  return d;
}

mTSourseIncome Entry(std::int64_t units, int month = 1) {
  mTSourseIncome e;
  e.IncomeCode = 2000;
  e.Amount = Currency::FromUnits(units);
  e.Month = static_cast<std::uint16_t>(month);
  return e;
}

TEST(Elements, StreamNamesByListPosition) {
  std::string bytes;
  const auto streams = SavedStreams(
      [](mTDeclaration& d) {
        d.SetSections(kSectionRussian | kSectionForeign | kSectionBusiness | kSectionInvestTov);
        d.Sources13.Add();
        mTThirteenPercent& nr = d.Sources13NR.Get(d.Sources13NR.Add());
        for (int i = 0; i < 3; ++i) nr.AddEntry(Entry(10000));
        for (int i = 0; i < 8; ++i) d.Sources35.Add();
        d.SourcesDividends.Add();
        d.Sources9.Add();
        d.InvestSources.Get(d.InvestSources.Add()).AddEntry(mTInvestTovIncome{});
        d.CurrencyIncomes.Add();
        d.Businesses.Add();
        d.Payments.Add();
        d.SocialDeduct.Granted = 1;
        d.SocialDeduct.AddPension();
        d.PropertyDeduct.Granted = 1;
        d.PropertyDeduct.AddObject({});
      },
      &bytes);
  for (const char* name : {"@ThirteenPercent000", "@ThirteenPerceNR000", "@SourseIncoNR000002", "@ThirtyFivePercent007",
                           "@ThirtyPercent000", "@NinePercent000", "@InvestTov000", "@InvestTovIncome000000",
                           "@CurrencyIncome000", "@BusinessIncome000", "@BusinessExpense000", "@NalogSub000",
                           "@PensSub000", "@ConstructionDeductObj000", "@Pens"}) {
    EXPECT_TRUE(streams.count(name)) << name;
  }
  EXPECT_EQ(NumberedName("@NinePercent", 1000), "@NinePercent1000");
  EXPECT_EQ(NumberedName("@SourseIncome", 12, 7), "@SourseIncome012007");
  EXPECT_EQ(Reloaded(bytes).SaveToBytes(), bytes);
}

TEST(Elements, ThirteenPercentSourceMonthsAndEntries) {
  std::string bytes;
  auto streams = SavedStreams([](mTDeclaration& d) { d.SetSections(kSectionRussian), d.Sources13.Add(); }, &bytes);
  const auto& items = streams["@ThirteenPercent000"];
  // Its 22 items, then the counts of the four lists that follow it.
  ASSERT_EQ(items.size(), 22u + 4);
  for (std::size_t m = 9; m < 21; ++m) EXPECT_EQ(items[m], "a");
  EXPECT_EQ(items[21], "0");
  const mTDeclaration reloaded = Reloaded(bytes);
  const mTThirteenPercent& loaded = reloaded.Sources13.Get(0);
  for (int m = 1; m <= 12; ++m) EXPECT_FALSE(loaded.MonthAmountOf(m).has_value());
  EXPECT_EQ(loaded.IncomeTotal, Currency());

  streams = SavedStreams(
      [](mTDeclaration& d) {
        d.SetSections(kSectionRussian);
        mTThirteenPercent& s = d.Sources13.Get(d.Sources13.Add());
        s.AddEntry(Entry(10000000));
        s.AddEntry(Entry(25005000, 2));
        s.SetMonthAmount(3, Currency::FromRoubles(1400));
        s.SetMonthAmount(4, Currency::FromRoubles(-1));  // cannot be kept: the month is absent
      },
      &bytes);
  EXPECT_EQ(streams["@ThirteenPercent000"][11], "1400");
  EXPECT_EQ(streams["@ThirteenPercent000"][12], "a");
  const auto& entry = streams["@SourseIncome000001"];
  EXPECT_EQ(std::vector<std::string>(entry.begin(), entry.begin() + 7),
            (std::vector<std::string>{"2000", "", "2500.5", "0", "0", "0", "2"}));
  mTDeclaration d = Reloaded(bytes);
  mTThirteenPercent& s = d.Sources13.Get(0);
  EXPECT_EQ(s.IncomeTotal, Currency::FromUnits(35005000));  // rebuilt from the entries
  EXPECT_EQ(s.MonthAmountOf(3), Currency::FromRoubles(1400));
  EXPECT_FALSE(s.MonthAmountOf(4).has_value());
  s.ReplaceEntry(1, Entry(1000000));
  EXPECT_EQ(s.IncomeTotal, Currency::FromRoubles(1100));
  s.DeleteEntry(1);
  EXPECT_EQ(s.IncomeTotal, Currency::FromRoubles(1000));
  EXPECT_EQ(s.EntryCount(), 1u);
}

TEST(Elements, StoredSizesOfNewSources) {
  struct Case {
    const char* name;
    std::uint32_t size;
    std::uint32_t expected;
  };
  const Case cases[] = {
      // marker + nine items + their texts ("0" for the code and four amounts)
      {"9 %", mTThirtyPercent().StoredSize(0, 0), 19 + 36 + 5},
      {"dividends", mTThirtyPercent().StoredSize(0, 1), 21 + 36 + 5},
      {"35 %", mTThirtyFivePercent().StoredSize(0), 25 + 36 + 5},
      // marker + nine fixed items ("0" ×5) + twelve "a" months + the count
      {"13 %", mTThirteenPercent().StoredSize(0, 0), 23 + 36 + 5 + 12 * 5 + 5},
      {"partnership", mTInvestTov().StoredSize(0), 17 + 28 + 3 + 5},
      {"payment", mTNalog().StoredSize(0), 16 + 12 + 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.size, c.expected);
  }
}

TEST(Elements, BusinessActivityWithAndWithoutDocumentedExpenses) {
  std::string bytes;
  auto streams = SavedStreams([](mTDeclaration& d) { d.SetSections(kSectionBusiness), d.Businesses.Add(); }, &bytes);
  EXPECT_EQ(streams["@BusinessIncome000"], (std::vector<std::string>{"", "..", "0", "1"}));
  // Nineteen zero amounts, then the declaration's twelve business items.
  const auto& expense = streams["@BusinessExpense000"];
  ASSERT_EQ(expense.size(), 19u + 12);
  EXPECT_EQ(std::vector<std::string>(expense.begin(), expense.begin() + 19), std::vector<std::string>(19, "0"));

  streams = SavedStreams(
      [](mTDeclaration& d) {
        d.SetSections(kSectionBusiness);
        mTBusinessNew& b = d.Businesses.Get(d.Businesses.Add());
        b.ActivityKind = "1";
        b.Income = Currency::FromRoubles(1000);
        b.ExpenseTotal = Currency::FromRoubles(300);
        b.ExpenseNorm = Currency::FromRoubles(200);
        b.ExpensesConfirmed = 0;
        d.PatentPayments = Currency::FromRoubles(9);
      },
      &bytes);
  EXPECT_FALSE(streams.count("@BusinessExpense000"));
  const auto& income = streams["@BusinessIncome000"];
  ASSERT_EQ(income.size(), 5u + 12);
  EXPECT_EQ(income[4], "200");
  EXPECT_EQ(income.back(), "9");  // PatentPayments, the last of the declaration's business items
  const mTDeclaration d = Reloaded(bytes);
  EXPECT_EQ(d.Businesses.Get(0).ExpenseTotal, Currency());  // the branch not taken stays 0
  EXPECT_EQ(d.Businesses.Get(0).ExpenseNorm, Currency::FromRoubles(200));
  EXPECT_EQ(d.PatentPayments, Currency::FromRoubles(9));
}

TEST(Elements, CurrencyIncomeRoublesFromTheRate) {
  struct Case {
    std::int64_t rateUnits;  // ten-thousandths of a rouble
    std::int32_t quantity;
    std::int64_t amount;
    std::int64_t roubles;
  };
  const Case cases[] = {
      {655000, 1, 10000050, 655003300},    // 65.5 × 1000.005 = 65500.3275 → 65500.33
      {655000, 0, 10000050, 0},            // no quantity, no roubles
      {752000, 100, 2500000, 1880000},     // 75.2 for 100 units × 250 = 188
      {606569, 1, 10000, 606600},          // 60.6569 → 60.66 (half up of the kopeck)
      {1000000, 3, 10000, 333300},         // 100 ÷ 3 = 33.333… → 33.33
      {100000, 1, 150, 1500},              // 10 × 0.015 = 0.15 exactly, no drift
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amount);
    mTCurrencyIncome income;
    income.IncomeRateRub = Currency::FromUnits(c.rateUnits);
    income.IncomeRateUnits = c.quantity;
    income.SetIncomeInCurrency(Currency::FromUnits(c.amount));
    EXPECT_EQ(income.IncomeInRoubles.Units(), c.roubles);
    income.TaxRateRub = Currency::FromUnits(c.rateUnits);
    income.TaxRateUnits = c.quantity;
    income.SetTaxInCurrency(Currency::FromUnits(c.amount));
    EXPECT_EQ(income.TaxInRoubles.Units(), c.roubles);
  }
  const auto streams = SavedStreams([](mTDeclaration& d) { d.SetSections(kSectionForeign), d.CurrencyIncomes.Add(); });
  const auto& items = streams.at("@CurrencyIncome000");
  ASSERT_EQ(items.size(), 23u);
  EXPECT_EQ(items[5], "42370");
  EXPECT_EQ(items[6], "42370");
  EXPECT_EQ(items[7], "0");
}

TEST(Elements, StandardDeductionsStream) {
  auto streams = SavedStreams([](mTDeclaration& d) { d.SetSections(kSectionRussian); });
  EXPECT_EQ(streams["@StandartDeduct"],
            (std::vector<std::string>{"1", "103", "101", "1", "0", "1", "0", "0", "0", "0", "1", "0", "0"}));
  EXPECT_EQ(streams["@SocialDeduct"], std::vector<std::string>{"0"});
  EXPECT_FALSE(streams.count("@Pens"));

  std::string bytes;
  streams = SavedStreams(
      [](mTDeclaration& d) {
        d.SetSections(kSectionRussian);
        d.StandardDeduct.SetChildrenInMonth(0, 2);
        d.StandardDeduct.MonthlyIncomeGiven = 1;
        d.StandardDeduct.SetMonthIncome(12, Currency::FromRoubles(5));
        d.StandardDeduct.PersonalByMonthGiven = 1;
        d.StandardDeduct.SetPersonalCodeByMonth(2, 1);
      },
      &bytes);
  const auto& items = streams["@StandartDeduct"];
  EXPECT_EQ(items[3], "0");
  EXPECT_EQ(items[4], "2");  // January's children, then eleven more months
  EXPECT_EQ(items.size(), 13u + 11 + 36 + 12);
  EXPECT_EQ(Reloaded(bytes).SaveToBytes(), bytes);
  EXPECT_EQ(Reloaded(bytes).StandardDeduct.MonthIncomeOf(12), Currency::FromRoubles(5));
}

TEST(Elements, AStandardDeductionFlagThatCannotBeReadCountsAsZero) {
  // Granted, codes, two constant counts, then a MonthlyIncomeGiven that is not a number.
  FileBuilder b;
  b.Item("@StandartDeduct").Items({"1", "104", "101", "1", "2", "1", "0", "x", "0", "0", "1", "0", "1"});
  const std::string& file = b.Bytes();
  mTDocumentStorage s(file.data(), file.size());
  s.OpenStorage();
  mTStandartDeduct deduct;
  deduct.LoadFromStorage(s);
  EXPECT_EQ(deduct.PersonalCode, 104);
  EXPECT_EQ(deduct.ChildrenCount, 2);
  EXPECT_EQ(deduct.MonthlyIncomeGiven, 0);
  EXPECT_EQ(deduct.GuardianOrFoster, 1);
}

TEST(Elements, SocialDeductionsChildrenAndContracts) {
  mTSocialDeduct social;
  for (int roubles : {60000, 30000, 50000}) social.AddChildEducation(Currency::FromRoubles(roubles));
  EXPECT_EQ(social.ChildEducationTotal(), Currency::FromRoubles(130000));
  social.DeleteChildEducation(0);
  ASSERT_EQ(social.ChildEducationCount(), 2u);
  EXPECT_EQ(social.GetChildEducation(0), Currency::FromRoubles(30000));
  EXPECT_EQ(social.GetChildEducation(1), Currency::FromRoubles(50000));

  struct Case {
    const char* name;
    std::function<void(mTSocialDeduct&)> action;
    std::uint16_t code;
  };
  const Case cases[] = {
      {"get on empty", [](mTSocialDeduct& s) { s.GetChildEducation(0); }, 310},
      {"set on empty", [](mTSocialDeduct& s) { s.SetChildEducation(0, Currency()); }, 320},
      {"delete on empty", [](mTSocialDeduct& s) { s.DeleteChildEducation(0); }, 330},
      {"get beyond", [](mTSocialDeduct& s) { s.AddChildEducation(Currency()), s.GetChildEducation(1); }, 311},
      {"set beyond", [](mTSocialDeduct& s) { s.AddChildEducation(Currency()), s.SetChildEducation(3, Currency()); }, 321},
      {"delete beyond", [](mTSocialDeduct& s) { s.AddChildEducation(Currency()), s.DeleteChildEducation(1); }, 331},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mTSocialDeduct s;
    try {
      c.action(s);
      ADD_FAILURE();
    } catch (const mEMemoryAllocate& e) {
      EXPECT_EQ(e.Code, c.code);
      EXPECT_STREQ(e.what(), "Не выделена память.");
    }
  }

  std::string bytes;
  SavedStreams(
      [](mTDeclaration& d) {
        d.SetSections(kSectionRussian);
        d.SocialDeduct.AddPension();
        d.SocialDeduct.Granted = 0;
      },
      &bytes);
  EXPECT_EQ(Reloaded(bytes).SocialDeduct.PensionCount(), 0u);
}

TEST(Elements, PropertyDeductionAndItsObjects) {
  std::string bytes;
  auto streams = SavedStreams([](mTDeclaration& d) { d.SetSections(kSectionRussian); });
  EXPECT_EQ(streams["@ConstructionDeduct"], std::vector<std::string>{"0"});
  streams = SavedStreams(
      [](mTDeclaration& d) {
        d.SetSections(kSectionRussian);
        d.PropertyDeduct.Granted = 1;
        d.PropertyDeduct.AddObject({});
      },
      &bytes);
  EXPECT_EQ(streams["@ConstructionDeduct"], (std::vector<std::string>{"1", "0", "0", "0", "0", "0", "0", "1"}));
  const auto& object = streams["@ConstructionDeductObj000"];
  ASSERT_EQ(object.size(), 23u);
  EXPECT_EQ((std::vector<std::string>(object.begin() + 12, object.begin() + 17)),
            (std::vector<std::string>{"37622", "37622", "37622", "0", "0"}));

  streams = SavedStreams([](mTDeclaration& d) {
    d.SetSections(kSectionRussian);
    d.PropertyDeduct.Granted = 1;
    mTConstructionDeductObj first, second;
    first.City = "first";
    second.City = "second";
    d.PropertyDeduct.AddObject(first);
    d.PropertyDeduct.AddObject(second);
    d.PropertyDeduct.DeleteObject(0);
  });
  EXPECT_EQ(streams["@ConstructionDeductObj000"][6], "second");
  EXPECT_FALSE(streams.count("@ConstructionDeductObj001"));
}

TEST(Elements, LossesOfEarlierYears) {
  mTDeclaration d;
  d.SignDate = 42736;
  d.SetSections(kSectionRussian);
  d.SecuritiesLosses.SecuritiesLoss[2] = Currency::FromRoubles(1000);  // 2006
  d.SecuritiesLosses.SecuritiesLoss[0] = Currency::FromRoubles(500);   // 2014
  d.IisLosses.SecuritiesLoss[1] = Currency::FromRoubles(70);           // 2015
  EXPECT_EQ(d.SecuritiesLosses.SecuritiesLossTotal(), Currency::FromRoubles(1500));
  EXPECT_EQ(mTCBDeduct::kYears[2], 2006);
  std::map<std::string, std::vector<std::string>> streams;
  for (const auto& s : SplitStreams(d.SaveToBytes())) streams[s.Name] = s.Items;
  EXPECT_EQ(streams["@IISDeduct"][1], "70");
  EXPECT_EQ(streams["@CBDeduct"][1], "0");
  EXPECT_EQ(streams["@CBDeduct"][2], "1000");
}

TEST(Elements, OwnerCodesOfElementErrors) {
  struct Case {
    const char* name;
    std::function<void(mTDeclaration&)> fill;
    const char* removed;  // a stream renamed away in the saved file
    std::uint16_t owner;
  };
  const Case cases[] = {
      {"13 % entry", [](mTDeclaration& d) { d.Sources13.Get(d.Sources13.Add()).AddEntry(Entry(1)); }, "@SourseIncome000000", 372},
      {"35 %", [](mTDeclaration& d) { d.Sources35.Add(); }, "@ThirtyFivePercent000", 374},
      {"9 %", [](mTDeclaration& d) { d.Sources9.Add(); }, "@NinePercent000", 376},
      {"partnership", [](mTDeclaration& d) { d.InvestSources.Add(); }, "@InvestTov000", 400},
      {"currency income", [](mTDeclaration& d) { d.CurrencyIncomes.Add(); }, "@CurrencyIncome000", 378},
      {"business", [](mTDeclaration& d) { d.Businesses.Add(); }, "@BusinessExpense000", 380},
      {"payment", [](mTDeclaration& d) { d.Payments.Add(); }, "@NalogSub000", 376},
      {"standard", [](mTDeclaration&) {}, "@StandartDeduct", 382},
      {"social", [](mTDeclaration&) {}, "@SocialDeduct", 384},
      {"contract", [](mTDeclaration& d) { d.SocialDeduct.Granted = 1, d.SocialDeduct.AddPension(); }, "@PensSub000", 376},
      {"property", [](mTDeclaration&) {}, "@ConstructionDeduct", 386},
      {"property object", [](mTDeclaration& d) { d.PropertyDeduct.Granted = 1, d.PropertyDeduct.AddObject({}); },
       "@ConstructionDeductObj000", 398},
      {"securities losses", [](mTDeclaration&) {}, "@CBDeduct", 396},
      {"account losses", [](mTDeclaration&) {}, "@IISDeduct", 404},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mTDeclaration d;
    d.SetSections(0x1F);
    c.fill(d);
    std::string bytes = d.SaveToBytes();
    const std::string marker = c.removed;
    const std::size_t at = bytes.find(marker);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 1] = '#';
    try {
      Reloaded(bytes);
      ADD_FAILURE() << "loaded";
    } catch (const mEOpenStream& e) {
      EXPECT_EQ(e.OwnerCode, c.owner);
    }
  }
}

}  // namespace
}  // namespace talver
