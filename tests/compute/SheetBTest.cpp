// Sheet Б: which foreign incomes each rate takes, the Russian tax and the credit on each line,
// the totals by kind, and the texts of rates and currency amounts.
#include <gtest/gtest.h>

#include "compute/SvodSum.h"
#include "tests/scenarios/DeclarationBuilders.h"

namespace talver {
namespace {

using testing::AddForeign;
using testing::NewDeclaration;
using testing::Rub;

std::unique_ptr<mTDeclaration> Foreign() { return NewDeclaration(kForm3Resident, kSectionRussian | kSectionForeign); }

TEST(SheetB, RussianTaxAndCreditPerLine) {
  const struct {
    const char* Name;
    const char* Income;
    const char* Deduction;
    const char* Paid;
    const char* Tax;
    const char* Credit;
  } cases[] = {
      {"13 % to the kopeck, more paid abroad", "1000.55", "0", "200", "130.07", "130.07"},  // 130.0715
      {"less paid abroad", "1000.55", "0", "100", "130.07", "100"},
      {"an exact half kopeck rounds up", "0.50", "0", "1", "0.07", "0.07"},  // 0.065
      {"the deduction reduces the base", "1000", "400", "100", "78", "78"},
      {"a deduction above the income", "1000", "1500", "100", "0", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto d = Foreign();
    AddForeign(*d, 13, 2010, Rub(c.Income), Rub(c.Paid), 403, Rub(c.Deduction));
    kTSvodSumPrilB b;
    b.Compute(*d, 13);
    ASSERT_EQ(b.Lines.size(), 1u);
    EXPECT_EQ(b.Lines[0].НалЗачРФОбщ, Rub(c.Tax));
    EXPECT_EQ(b.Lines[0].НалогЗачРФОбщ, Rub(c.Credit));
    EXPECT_EQ(b.OtherIncome, Rub(c.Income));
    EXPECT_EQ(b.OtherCredit, Rub(c.Credit));
  }
}

TEST(SheetB, EachRateTakesItsRateGroupsAndNeverCode2620) {
  auto d = Foreign();
  AddForeign(*d, 13, 2010, Rub(1));
  AddForeign(*d, 14, 1010, Rub(2));
  AddForeign(*d, 99, 1000, Rub(4));
  AddForeign(*d, 9, 4800, Rub(8));
  AddForeign(*d, 10, 4800, Rub(16));
  AddForeign(*d, 95, 4800, Rub(32));
  AddForeign(*d, 35, 4800, Rub(64));
  AddForeign(*d, 36, 4800, Rub(128));
  AddForeign(*d, 121, 4800, Rub(256));
  AddForeign(*d, 15, 4800, Rub(512));   // no rate group of its own
  AddForeign(*d, 13, 2620, Rub(1024));  // never listed
  AddForeign(*d, 35, 2620, Rub(2048));
  kTSvodSum s;
  s.PrilB13.Compute(*d, 13);
  s.PrilB9.Compute(*d, 9);
  s.PrilB35.Compute(*d, 35);
  EXPECT_EQ(s.PrilB13.Lines.size(), 3u);
  EXPECT_EQ(s.PrilB13.OtherIncome + s.PrilB13.DividendIncome + s.PrilB13.KikProfit, Rub(7));
  EXPECT_EQ(s.PrilB9.OtherIncome, Rub(56));
  EXPECT_EQ(s.PrilB35.OtherIncome, Rub(448));

  // Without the foreign section nothing is taken.
  d->SetSections(kSectionRussian);
  s.PrilB13.Compute(*d, 13);
  EXPECT_EQ(s.PrilB13, kTSvodSumPrilB());
}

TEST(SheetB, TotalsByKindAndTheExemptCodes) {
  auto d = Foreign();
  AddForeign(*d, 14, 1010, Rub(10000), Rub(2000));    // dividends taxed at 13 % on the line
  AddForeign(*d, 14, 1012, Rub(5000), Rub(100));      // a company's dividends: no tax, exempt
  AddForeign(*d, 99, 1000, Rub(20000), Rub(1000));    // controlled company's profit
  AddForeign(*d, 99, 1001, Rub(3000), Rub(50));       // liquidation: other incomes, exempt
  AddForeign(*d, 13, 2010, Rub(1000), Rub(200));
  kTSvodSumPrilB b;
  b.Compute(*d, 13);
  ASSERT_EQ(b.Lines.size(), 5u);
  EXPECT_EQ(b.Lines[0].НалЗачРФОбщ, Rub(1300));
  EXPECT_EQ(b.Lines[0].НалогЗачРФОбщ, Rub(1300));
  EXPECT_EQ(b.Lines[1].НалЗачРФОбщ, Currency());
  EXPECT_EQ(b.Lines[1].НалогЗачРФОбщ, Currency());
  EXPECT_EQ(b.Lines[1].ДохДивКИК, Rub(5000));
  EXPECT_EQ(b.Lines[2].КодВидДох, "1");
  EXPECT_EQ(b.Lines[3].КодВидДох, "2");
  EXPECT_EQ(b.Lines[3].ДохСтИмЛиквИн, Rub(3000));
  EXPECT_EQ(b.Lines[3].НалЗачРФОбщ, Currency());

  EXPECT_EQ(b.DividendIncome, Rub(15000));
  EXPECT_EQ(b.DividendCredit, Rub(1300));
  EXPECT_EQ(b.Exempt1012, Rub(5000));
  EXPECT_EQ(b.KikProfit, Rub(20000));
  EXPECT_EQ(b.KikCredit, Rub(1000));
  EXPECT_EQ(b.OtherIncome, Rub(4000));
  EXPECT_EQ(b.OtherCredit, Rub(130));
  EXPECT_EQ(b.Exempt1001, Rub(3000));
}

TEST(SheetB, LineCopiesTheIncomeAndWritesRatesAndCurrencyAmountsAsText) {
  auto d = Foreign();
  mTCurrencyIncome& f = AddForeign(*d, 13, 1000, Rub(0));
  f.SourceName = "Corp";
  f.CountryCode = "36";
  f.IncomeDate = 42500;
  f.TaxPaymentDate = 42510;
  f.IncomeRateRub = Rub("652.8385");  // for 10 units: 65.28385, half a ten-thousandth up
  f.IncomeRateUnits = 10;
  f.TaxRateRub = Rub("75.2255");
  f.TaxRateUnits = 10;  // 7.52255 → 7.5226
  f.SetIncomeInCurrency(Rub("1000.5"));
  f.SetTaxInCurrency(Rub("100.25"));
  f.CfcNumber = "7";
  f.CfcProfitMethod = 0x0102;
  kTSvodSumPrilB b;
  b.Compute(*d, 13);
  ASSERT_EQ(b.Lines.size(), 1u);
  const DohodCur& line = b.Lines[0];
  EXPECT_EQ(line.ОКСМ, "36");
  EXPECT_EQ(line.НаимИстДох, "Corp");
  EXPECT_EQ(line.КодВалют, "840");
  EXPECT_EQ(line.ДатаДох, 42500.0);
  EXPECT_EQ(line.ДатаУплНал, 42510.0);
  EXPECT_EQ(line.КурсВалютДох, "65.2839");
  EXPECT_EQ(line.КурсВалютНал, "7.5226");
  EXPECT_EQ(line.ДоходИноВал, "1000.50");
  EXPECT_EQ(line.НалУплИноВал, "100.25");
  EXPECT_EQ(line.ДоходИноРуб, f.IncomeInRoubles);
  EXPECT_EQ(line.НалУплИноРуб, f.TaxInRoubles);
  EXPECT_EQ(line.НомерКИК, "7");
  EXPECT_EQ(line.ПорядПрибКИК, 2);  // the low byte

  f.IncomeRateUnits = 0;
  b.Compute(*d, 13);
  EXPECT_EQ(b.Lines.at(0).КурсВалютДох, "");
  EXPECT_EQ(b.Lines.at(0).КурсВалютНал, "7.5226");
}

TEST(SheetB, ExchangeRateText) {
  EXPECT_EQ(ExchangeRateText(Rub("638.1114"), 10), "63.8111");
  EXPECT_EQ(ExchangeRateText(Rub("0.0055"), 10), "0.0006");  // exactly half: up
  EXPECT_EQ(ExchangeRateText(Rub("15"), 10), "1.5");
  EXPECT_EQ(ExchangeRateText(Rub("75.2"), 100), "0.752");
  EXPECT_EQ(ExchangeRateText(Rub("1"), 0), "");
}

}  // namespace
}  // namespace talver
