// Section 1: payable amounts to the taxpayer's own code, refunds spread back over the tax
// agents by their codes, one line per (КБК, ОКТМО), the business split and the zero line.
#include <gtest/gtest.h>

#include <functional>

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

const std::string k010(kKbkAgents);
const std::string k020(kKbkBusiness);
const std::string k030(kKbkOther);
const std::string k050(kKbkKik);
constexpr const char* kOwn = "45380000";

void Payable(kTSvodSumListValues& x, std::int64_t roubles) { x.ПодлУпл = Rub(roubles); }
void Refund(kTSvodSumListValues& x, std::int64_t roubles) { x.ПодлВозв = Rub(roubles); }
mTThirteenPercent& Agent(mTList<mTThirteenPercent>& list, const char* oktmo, std::int64_t withheld) {
  return AddSource13(list, oktmo, Rub(withheld), {Entry(2000, Rub(withheld * 10))});
}

struct Case {
  const char* Name;
  std::uint8_t Form;
  std::uint8_t Sections;
  std::function<void(mTDeclaration&, kTSvodSum&)> Setup;
  std::vector<bmTList1> Lines;
  bool Result;
};

bmTList1 Line(const std::string& kbk, const char* oktmo, const char* sign, std::int64_t roubles) {
  return bmTList1{kbk, oktmo, sign, Rub(roubles)};
}

TEST(Section1, LinesByBudgetCodeAndMunicipalCode) {
  const std::uint8_t ru = kSectionRussian;
  const std::uint8_t ruBusiness = kSectionRussian | kSectionBusiness;
  const std::vector<Case> cases = {
      {"a refund from one employer", kForm3Resident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         Agent(d.Sources13, "A", 130000);
         Refund(s.List1, 2184);
       },
       {Line(k010, "A", "2", 2184)}, true},
      {"a refund over two employers in stored order", kForm3Resident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         Agent(d.Sources13, "A", 6000);
         Agent(d.Sources13, "B", 8000);
         Refund(s.List1, 10000);
       },
       {Line(k010, "A", "2", 6000), Line(k010, "B", "2", 4000)}, true},
      {"two employers with one code share a line", kForm3Resident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         Agent(d.Sources13, "A", 3000);
         Agent(d.Sources13, "A", 2000);
         Refund(s.List1, 4000);
       },
       {Line(k010, "A", "2", 4000)}, true},
      {"sources without tax withheld are skipped; partnerships next; the rest to the own code",
       kForm3Resident, ru | kSectionInvestTov,
       [](mTDeclaration& d, kTSvodSum& s) {
         Agent(d.Sources13, "A", 0);
         Agent(d.Sources13, "B", 1000);
         testing::AddPartnership(d, "C", Rub(1500), {testing::Operation(1, Rub(100000))});
         Refund(s.List1, 5000);
       },
       {Line(k010, "B", "2", 1000), Line(k010, "C", "2", 1500), Line(k010, kOwn, "2", 2500)}, true},
      {"the rest joins an agent's line of the own code", kForm3Resident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         Agent(d.Sources13, kOwn, 1000);
         Refund(s.List1, 3000);
       },
       {Line(k010, kOwn, "2", 3000)}, true},
      {"business tax first, the rest on other incomes", kForm3Resident, ruBusiness,
       [](mTDeclaration&, kTSvodSum& s) {
         s.PrilV1.ДоходИт = Rub(500000);
         s.PrilV1.ВычПрофИт = Rub(100000);
         s.PrilV1.УплФактАвИт = Rub(40000);  // business tax 52 000 − 40 000 = 12 000
         Payable(s.List1, 30000);
       },
       {Line(k020, kOwn, "1", 12000), Line(k030, kOwn, "1", 18000)}, false},
      {"the business tax takes all that is payable", kForm3Resident, ruBusiness,
       [](mTDeclaration&, kTSvodSum& s) {
         s.PrilV1.ДоходИт = Rub(500000);
         s.PrilV1.ВычПрофИт = Rub(100000);
         s.PrilV1.УплФактАвИт = Rub(40000);
         Payable(s.List1, 5000);
       },
       {Line(k020, kOwn, "1", 5000)}, false},
      {"business tax covered by advance payments", kForm3Resident, ruBusiness,
       [](mTDeclaration&, kTSvodSum& s) {
         s.PrilV1.ДоходИт = Rub(100000);
         s.PrilV1.УплФактАвИт = Rub(20000);
         Payable(s.List1, 7000);
       },
       {Line(k030, kOwn, "1", 7000)}, false},
      {"business income without the business section is not split off", kForm3Resident, ru,
       [](mTDeclaration&, kTSvodSum& s) {
         s.PrilV1.ДоходИт = Rub(500000);
         Payable(s.List1, 7000);
       },
       {Line(k030, kOwn, "1", 7000)}, false},
      {"advance payments come back first, then the agents", kForm3Resident, ruBusiness,
       [](mTDeclaration& d, kTSvodSum& s) {
         testing::AddBusiness(d, Rub(100000), Rub(90000));
         d.AdvancePaymentsPaid = Rub(4000);
         Agent(d.Sources13, "A", 10000);
         Refund(s.List1, 10000);
       },
       {Line(k020, kOwn, "2", 4000), Line(k010, "A", "2", 6000)}, true},
      {"no advance payments back without an activity", kForm3Resident, ruBusiness,
       [](mTDeclaration& d, kTSvodSum& s) {
         d.AdvancePaymentsPaid = Rub(4000);
         Agent(d.Sources13, "A", 10000);
         Refund(s.List1, 10000);
       },
       {Line(k010, "A", "2", 10000)}, true},
      {"payable at 13 %, dividends, 9 % and 35 % share one line; companies have their own",
       kForm3Resident, ru,
       [](mTDeclaration&, kTSvodSum& s) {
         Payable(s.List1, 1000);
         Payable(s.ListDiv, 200);
         Payable(s.ListKIK, 300);
         Payable(s.List4, 40);
         Payable(s.List3, 5);
       },
       {Line(k030, kOwn, "1", 1245), Line(k050, kOwn, "1", 300)}, false},
      {"refunds at 9 %, 35 % and on dividends go to their own sources; a rest is dropped",
       kForm3Resident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         AddSource30(d.SourcesDividends, 1010, "D", Rub(10000), Rub(10000), Rub(1300), Rub(2000));
         AddSource30(d.Sources9, 1011, "N", Rub(10000), Rub(10000), Rub(900), Rub(900));
         AddSource35(d, 2620, "P", Rub(1000), Rub(350));
         AddSource35(d, 2610, "Q", Rub(1000), Rub(350));
         Refund(s.ListDiv, 3000);
         Refund(s.List4, 100);
         Refund(s.List3, 500);
       },
       {Line(k010, "D", "2", 2000), Line(k010, "N", "2", 100), Line(k010, "P", "2", 350),
        Line(k010, "Q", "2", 150)},
       true},
      {"a refund and a payable amount at once", kForm3Resident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         Agent(d.Sources13, "A", 5000);
         Refund(s.List1, 1000);
         Payable(s.List3, 700);
       },
       {Line(k010, "A", "2", 1000), Line(k030, kOwn, "1", 700)}, false},
      {"non-resident: payable at 13 % and 15 % share a line, 30 % refunds to its agents",
       kForm3NonResident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         Agent(d.Sources13, "T", 3000);
         Payable(s.List1, 100);
         Payable(s.List5, 20);
         Refund(s.List2, 500);
       },
       {Line(k030, kOwn, "1", 120), Line(k010, "T", "2", 500)}, false},
      {"non-resident: a 13 % refund over the specialists' employers, then the own code",
       kForm3NonResident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         Agent(d.Sources13, "T", 9000);  // the 30 % list: not for a 13 % refund
         Agent(d.Sources13NR, "S", 1000);
         Refund(s.List1, 1500);
       },
       {Line(k010, "S", "2", 1000), Line(k010, kOwn, "2", 500)}, true},
      {"non-resident dividends refund to their sources", kForm3NonResident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         AddSource30(d.SourcesDividends, 1010, "D", Rub(10000), Rub(10000), Rub(1500), Rub(2000));
         Refund(s.List5, 500);
       },
       {Line(k010, "D", "2", 500)}, true},
      {"a component that pays less than it refunds is not payable", kForm3Resident, ru,
       [](mTDeclaration& d, kTSvodSum& s) {
         Agent(d.Sources13, "A", 5000);
         Payable(s.List1, 100);
         Refund(s.List1, 300);
       },
       {Line(k010, "A", "2", 200)}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = NewDeclaration(c.Form, c.Sections, kOwn);
    kTSvodSum s;
    c.Setup(*d, s);
    EXPECT_EQ(s.List6.Compute(s, *d), c.Result);
    EXPECT_EQ(s.List6.Lines, c.Lines);
  }
}

TEST(Section1, ZeroLineByTaxpayerCategory) {
  const struct {
    std::uint8_t Category;
    const std::string& Kbk;
  } cases[] = {{0, k020}, {1, k020}, {2, k020}, {3, k020}, {5, k030}, {6, k020}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Category));
    for (std::uint8_t form : {kForm3Resident, kForm3NonResident}) {
      auto d = NewDeclaration(form, kSectionRussian, kOwn);
      d->TaxpayerCategory = c.Category;
      kTSvodSum s;
      EXPECT_FALSE(s.List6.Compute(s, *d));
      EXPECT_EQ(s.List6.Lines, (std::vector<bmTList1>{{c.Kbk, kOwn, "3", Currency()}}));
    }
  }
}

TEST(Section1, AnEmptyOwnCodeStillGivesLines) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian, "");
  kTSvodSum s;
  Payable(s.List1, 100);
  EXPECT_FALSE(s.List6.Compute(s, *d));
  EXPECT_EQ(s.List6.Lines, (std::vector<bmTList1>{{k030, "", "1", Rub(100)}}));
}

TEST(Section1, ComputeStartsFromAnEmptySection) {
  auto d = NewDeclaration(kForm3Resident, kSectionRussian, kOwn);
  kTSvodSum s;
  Payable(s.List1, 100);
  s.List6.Compute(s, *d);
  s.List6.Compute(s, *d);
  EXPECT_EQ(s.List6.Lines, (std::vector<bmTList1>{{k030, kOwn, "1", Rub(100)}}));
}

}  // namespace
}  // namespace talver
