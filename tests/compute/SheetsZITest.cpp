// Sheets З and И: results by kind of operation, this year's losses set against other kinds,
// losses of earlier years, REPO and loans, the individual investment account, and the
// investment partnerships whose exit loss reduces non-traded securities.
#include <gtest/gtest.h>

#include <map>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver {
namespace {

using testing::AddForeign;
using testing::AddPartnership;
using testing::AddSource13;
using testing::Entry;
using testing::NewDeclaration;
using testing::Operation;
using testing::Rub;

kTSvodSum Securities(const std::vector<mTSourseIncome>& entries, std::int64_t earlierSecurities = 0,
                     std::int64_t earlierDerivatives = 0) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionInvestTov);
  AddSource13(d->Sources13, "1", Currency(), entries);
  d->SecuritiesLosses.SecuritiesLoss[3] = Rub(earlierSecurities);
  d->SecuritiesLosses.DerivativesLoss[0] = Rub(earlierDerivatives);
  kTSvodSum s;
  s.Compute(*d);
  return s;
}

TEST(SheetZ, SharesWithLossesOfEarlierYears) {
  const kTSvodSum s = Securities({Entry(1530, Rub(100000), 201, Rub(80000))}, 50000);
  const kTDohOperCBOrg& org = s.PrilJ.ДохОперЦБОрг;
  EXPECT_EQ(org.НалБазаОпер, Rub(20000));
  EXPECT_EQ(org.УбытПрПерУмНБ, Rub(20000));
  EXPECT_EQ(org.ДоходОбл, Currency());
  EXPECT_EQ(s.PrilJ.ОстУбытНачВс.СуммаЦБ, Rub(50000));
  EXPECT_EQ(s.PrilJ.СумУмНБПер.СуммаЦБ, Rub(20000));
  EXPECT_EQ(s.PrilJ.ОстУбытКонВс.СуммаЦБ, Rub(30000));
  EXPECT_EQ(s.PrilJ.НалБазаПер.СуммаЦБ, Rub(20000));
  EXPECT_EQ(s.PrilJ.УбытПрхПер.УбытОперЦБОбр, Rub(30000));
  EXPECT_EQ(s.PrilJ.ОбщДохСовОпер, Rub(100000));
  EXPECT_EQ(s.PrilJ.ОбщРасхПрмВыч, Rub(100000));
  EXPECT_EQ(s.List1.СумРасхУм, Rub(100000));
  EXPECT_EQ(s.List1.НалБаза, Currency());
}

TEST(SheetZ, AnItemWithoutADeductionCodeCountsNowhere) {
  const kTSvodSum s = Securities({Entry(1530, Rub(100000))});
  EXPECT_EQ(s.PrilJ.ДохОперЦБОрг.ДохСовОпер, Currency());
  EXPECT_EQ(s.PrilJ.ОбщДохСовОпер, Currency());
}

TEST(SheetZ, ThisYearsLossesAgainstOtherKinds) {
  struct Case {
    const char* Name;
    std::vector<mTSourseIncome> Entries;
    std::int64_t EarlierDerivatives;
    std::vector<std::pair<const char*, std::int64_t>> Expected;  // "element/attribute"
  };
  const std::vector<Case> cases = {
      {"a loss on shares against shares traded at purchase",
       {Entry(1530, Rub(10000), 201, Rub(20000)), Entry(1536, Rub(14000), 201, Rub(10000))}, 0,
       {{"ДохОперЦБОрг/УбытУч_2.3", 4000},
        {"ДохОперЦБОргНеОрг/УбытУмФР_1.12", 4000},
        {"ДохОперЦБОргНеОрг/ДоходОбл", 0},
        {"ДохОперЦБОрг/УбытУмНББуд", 6000},
        {"УбытПрхПер/УбытОперЦБОбр", 6000}}},
      {"then against derivatives on securities",
       {Entry(1530, Rub(10000), 201, Rub(20000)), Entry(1532, Rub(13000), 207, Rub(10000))}, 0,
       {{"ДохОперЦБОрг/УбытУч_4.6", 3000},
        {"ДохПФИОргЦБ/УбытУмНБ_1.13", 3000},
        {"ДохПФИОргЦБ/ДоходОбл", 0},
        {"ДохОперЦБОрг/УбытУмНББуд", 7000}}},
      {"a loss on derivatives on securities against derivatives on other assets",
       {Entry(1532, Rub(10000), 207, Rub(15000)), Entry(1535, Rub(8000), 208, Rub(5000))}, 0,
       {{"ДохПФИОргЦБ/УбытУмНБ_5.6", 3000},
        {"ДохПФИОргНеЦБ/УбытУмНБ_4.9", 3000},
        {"ДохПФИОргНеЦБ/ДоходОбл", 0},
        {"ДохПФИОргЦБ/УбытУмНББуд", 2000},
        {"УбытПрхПер/УбытОперПФИОбр", 2000}}},
      {"then against shares",
       {Entry(1532, Rub(10000), 207, Rub(15000)), Entry(1530, Rub(8000), 201, Rub(6000))}, 0,
       {{"ДохПФИОргЦБ/УбытУмНБ_1.9", 2000},
        {"ДохОперЦБОрг/УбытУмНБ_4.10", 2000},
        {"ДохОперЦБОрг/ДоходОбл", 0},
        {"ДохПФИОргЦБ/УбытУмНББуд", 3000}}},
      {"a loss on derivatives on other assets against derivatives on securities",
       {Entry(1535, Rub(10000), 208, Rub(15000)), Entry(1532, Rub(8000), 207, Rub(6000))}, 0,
       {{"ДохПФИОргНеЦБ/УбытУмНБ_4.7", 2000},
        {"ДохПФИОргЦБ/УбытУмНБ_5.8", 2000},
        {"ДохПФИОргЦБ/ДоходОбл", 0},
        {"ДохПФИОргНеЦБ/УбытУмНББуд", 3000}}},
      {"earlier derivative losses: other assets first, then securities",
       {Entry(1535, Rub(10000), 208, Rub(7000)), Entry(1532, Rub(10000), 207, Rub(6000))}, 5000,
       {{"ДохПФИОргНеЦБ/УбытПрПерУмНБ", 3000},
        {"ДохПФИОргЦБ/УбытПрПерУмНБ", 2000},
        {"СумУмНБПер/СуммаПФИ", 5000},
        {"ОстУбытКонВс/СуммаПФИ", 0},
        {"ДохПФИОргЦБ/ДоходОбл", 2000},
        {"НалБазаПер/СуммаПФИ", 7000}}},
      {"a REPO loss on the organised market joins the shares' expenses",
       {Entry(1537, Rub(1000), 210, Rub(1500)), Entry(1530, Rub(10000), 201, Rub(2000))}, 0,
       {{"ДохРЕПО/УбытРезОпер", 500},
        {"ДохРЕПО/УбытРЕПООбр", 500},
        {"ДохОперЦБОрг/УбытРЕПОУмДох", 500},
        {"ДохОперЦБОрг/РасхУмДохРеалЦБ", 2500},
        {"ДохОперЦБОрг/ДоходОбл", 7500}}},
      {"a loan loss off the market joins non-traded securities, within the loss overall",
       {Entry(9538, Rub(1000), 211, Rub(3000)), Entry(1538, Rub(2500), 211, Rub(1000)),
        Entry(1531, Rub(10000), 202, Rub(1000)), Entry(1531, Rub(100), 219, Rub(100))},
       0,
       {{"ДохЗаймЦБ/УбытРезОпер", 500},
        {"ДохЗаймЦБ/УбытЗаймЦБНеОбр", 500},
        {"ДохОперЦБНеОрг/ПроцРасх", 100},
        {"ДохОперЦБНеОрг/ДоходОбл", 10100 - 1000 - 100 - 500}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const kTSvodSum s = Securities(c.Entries, 0, c.EarlierDerivatives);
    std::map<std::string, Currency> values;
    struct Collector {
      std::map<std::string, Currency>& Out;
      void Value(const char* element, const char* attribute, Currency amount) {
        Out[std::string(element) + "/" + attribute] = amount;
      }
    } collector{values};
    s.PrilJ.VisitValues(collector);
    for (const auto& [name, amount] : c.Expected) {
      ASSERT_TRUE(values.count(name)) << name;
      EXPECT_EQ(values.at(name), Rub(amount)) << name;
    }
    EXPECT_EQ(s.PrilJ.ОбщРасхПрмВыч, s.PrilJ.ОбщДохСовОпер - s.PrilJ.ОбщДоходОбл);
  }
}

TEST(SheetZ, TheIndividualAccountHasItsOwnCodesAndLosses) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign);
  AddSource13(d->Sources13, "1", Currency(),
              {Entry(1544, Rub(100000), 225, Rub(80000)), Entry(1530, Rub(50000), 201, Rub(10000))});
  AddForeign(*d, 13, 1545, Rub(30000), Currency(), 226, Rub(10000));
  d->IisLosses.SecuritiesLoss[1] = Rub(5000);
  d->SecuritiesLosses.SecuritiesLoss[1] = Rub(7000);
  kTSvodSum s;
  s.Compute(*d);
  EXPECT_EQ(s.PrilJ_IIS.ДохОперЦБОрг.ДохСовОпер, Rub(100000));
  EXPECT_EQ(s.PrilJ_IIS.ДохОперЦБОрг.УбытПрПерУмНБ, Rub(5000));
  EXPECT_EQ(s.PrilJ_IIS.ДохОперЦБНеОрг.ДоходОбл, Rub(20000));
  EXPECT_EQ(s.PrilJ_IIS.ОбщРасхПрмВыч, Rub(130000 - 15000 - 20000));
  EXPECT_EQ(s.PrilJ.ДохОперЦБОрг.ДохСовОпер, Rub(50000));
  EXPECT_EQ(s.PrilJ.ДохОперЦБОрг.УбытПрПерУмНБ, Rub(7000));
  EXPECT_EQ(s.PrilJ.ДохОперЦБОрг.ДоходОбл, Rub(33000));
  EXPECT_EQ(s.List1.СумРасхУм, s.PrilJ.ОбщРасхПрмВыч + s.PrilJ_IIS.ОбщРасхПрмВыч);
}

TEST(SheetI, PartnershipBlocksAndTheExitLoss) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian | kSectionInvestTov);
  AddPartnership(*d, "1", Currency(),
                 {Operation(1, Rub(10000), Rub(4000), Rub(7000)), Operation(2, Rub(20000), Rub(5000), Rub(1000), Rub(2000)),
                  Operation(6, Rub(50000), Rub(60000)), Operation(7, Rub(99999))});
  AddSource13(d->Sources13, "2", Currency(), {Entry(1531, Rub(30000), 202, Rub(5000))});
  kTSvodSum s;
  s.Compute(*d);
  const kTSvodSumPrilI& i = s.PrilI;
  EXPECT_EQ(i.ДохЦБОбрИТ.ДоходОбл, Currency());
  EXPECT_EQ(i.ДохЦБОбрИТ.УбытПерБудущ, Rub(1000));
  EXPECT_EQ(i.ДохЦБНеОбрИТ.ДоходОбл, Rub(12000));
  EXPECT_EQ(i.ДохЦБНеОбрИТ.УбытПерБудущ, Currency());
  EXPECT_EQ(i.РасчДохВыхИТ.ДохВыхИТ, Rub(50000));
  EXPECT_EQ(i.РасчДохВыхИТ.ВкладИТ, Rub(60000));
  EXPECT_EQ(i.РасчДохВыхИТ.ДоходОбл, Currency());
  EXPECT_EQ(i.РасчДохВыхИТ.УбытРез, Rub(10000));
  EXPECT_EQ(i.ОбщДохСовОпер, Rub(80000));
  EXPECT_EQ(i.ОбщДоходОбл, Rub(12000));
  EXPECT_EQ(i.ОбщРасхПрмВыч, Rub(68000));
  // The exit loss reduces non-traded securities on both accounts' sheets.
  EXPECT_EQ(s.PrilJ.ДохОперЦБНеОрг.УбытВыхИТ, Rub(10000));
  EXPECT_EQ(s.PrilJ.ДохОперЦБНеОрг.ДоходОбл, Rub(15000));
  EXPECT_EQ(s.PrilJ_IIS.ДохОперЦБНеОрг.УбытВыхИТ, Rub(10000));
}

}  // namespace
}  // namespace talver
