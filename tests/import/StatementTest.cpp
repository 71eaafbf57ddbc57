// Broker statements made into foreign incomes: the statements of tests/data/statements are
// written in the broker's documented layout; every figure below is worked out by hand from the
// Central Bank's rates of the shipped CurrencyRates.xml.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compute/SvodSum.h"
#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/IncomeDictionary.h"
#include "import/Statement.h"
#include "import/StatementParts.h"
#include "model/DeclClasses.h"
#include "platform/Text1251.h"

namespace talver {
namespace {

Currency Rub(const char* text) { return *statement::ReadStatementAmount(text, '.'); }

std::filesystem::path Fixture(const char* name) {
  return (std::filesystem::path(TALVER_SOURCE_DIR) / "tests" / "data") / "statements" / name;
}

struct Shipped {
  TCurrencyRates Rates = TCurrencyRates::LoadFile(std::filesystem::path(TALVER_SOURCE_DIR) / "resources/CurrencyRates.xml");
  TCountryDirectory Countries = TCountryDirectory::LoadFile(std::filesystem::path(TALVER_SOURCE_DIR) / "resources/Oksm.xml");
  TIncomeDictionary Dictionary = TIncomeDictionary::LoadBuiltIn();
  TStatementContext Context() const { return {&Rates, &Countries, &Dictionary, {}}; }
};

const Shipped& Data() {
  static const Shipped shipped;
  return shipped;
}

TStatementImport Prepare(const std::vector<TStatement>& statements, const mTDeclaration& into = {},
                         const TStatementContext& context = Data().Context()) {
  return PrepareStatementImport(statements, into, context);
}

// What one line of the year's statement gives.
struct Expected {
  TStatementLine::Status State;
  const char* Date;
  const char* Source;  // the payment source
  const char* Country;
  const char* Amount;  // in the currency
  const char* Tax;
  const char* Roubles;
  const char* TaxRoubles;
  const char* RussianTax;
  const char* Credit;
};

using S = TStatementLine::Status;

// The dividends of tests/data/statements/ibkr-activity-2016.csv (and of its Flex twin), in the
// order of the statement. Rates: USD 73.1854 of 05.03.2016 in force on 08.03.2016 (a holiday),
// 64.7077 of 14.06, 65.0539 of 13.09, 65.0588 of 28.06, 63.9114 of 08.12.2016.
const Expected kYear2016[] = {
    // Hong Kong dollars: the rates file has none.
    {S::Error, "23.09.2016", "AIA GROUP LTD", "", "340", "0", "", "", "", ""},
    // 75 × 73.1854 = 5 488.905 → 5 488.91; 7.50 × 73.1854 = 548.8905 → 548.89; 13 % = 713.5583.
    {S::Taken, "08.03.2016", "JOHNSON & JOHNSON", "840", "75", "7.5", "5488.91", "548.89", "713.56", "548.89"},
    // Payment in lieu: 80 × 64.7077 = 5 176.616; 8 × 64.7077 = 517.6616; 13 % = 672.9606.
    {S::Taken, "14.06.2016", "JOHNSON & JOHNSON", "840", "80", "8", "5176.62", "517.66", "672.96", "517.66"},
    // An ADR of a Dutch tax resident listed in New York: the Netherlands, not the ISIN's US.
    // 94 × 65.0588 = 6 115.5272; 14.10 × 65.0588 = 917.32908; the credit is capped at 13 % = 795.0189.
    {S::Taken, "28.06.2016", "ROYAL DUTCH SHELL-SPON ADR-A", "528", "94", "14.1", "6115.53", "917.33", "795.02", "795.02"},
    // Paid, reversed and paid again, its tax likewise: 80 and 8 once. 80 × 65.0539 = 5 204.312.
    {S::Taken, "13.09.2016", "JOHNSON & JOHNSON", "840", "80", "8", "5204.31", "520.43", "676.56", "520.43"},
    // Two dividends of one issuer on one day, each with its own tax; the first one's tax withheld,
    // refunded and withheld again: −5.41 + 5.41 − 3.07. 30.70 × 63.9114 = 1 962.07998.
    {S::Taken, "08.12.2016", "MICROSOFT CORP", "840", "30.7", "3.07", "1962.08", "196.21", "255.07", "196.21"},
    // 7.87 × 63.9114 = 502.982718; 0.79 × 63.9114 = 50.490006; 13 % = 65.3874.
    {S::Taken, "08.12.2016", "MICROSOFT CORP", "840", "7.87", "0.79", "502.98", "50.49", "65.39", "50.49"},
};

void ExpectLines(const TStatementImport& import, const Expected* expected, std::size_t count) {
  ASSERT_EQ(import.Lines.size(), count);
  for (std::size_t i = 0; i < count; ++i) {
    const Expected& e = expected[i];
    const TStatementLine& line = import.Lines[i];
    SCOPED_TRACE(StatementLineSummary(line));
    EXPECT_EQ(line.State, e.State);
    EXPECT_EQ(DateToText(line.Dividend.Date, '.'), e.Date);
    EXPECT_EQ(line.Dividend.Amount, Rub(e.Amount));
    EXPECT_EQ(line.Dividend.Tax, Rub(e.Tax));
    if (e.State != S::Taken) continue;
    const mTCurrencyIncome& f = line.Income;
    EXPECT_EQ(Cp1251ToUtf8(f.SourceName), e.Source);
    EXPECT_EQ(f.CountryCode, e.Country);
    EXPECT_EQ(f.IncomeCode, 1010);
    EXPECT_EQ(f.IncomeRate, 14);  // the dictionary's rate group of dividends
    EXPECT_EQ(Cp1251ToUtf8(f.IncomeName), "Дивиденды");
    EXPECT_EQ(f.CurrencyCode, "840");
    EXPECT_EQ(f.AutoRate, 1);
    EXPECT_EQ(f.IncomeDate, f.TaxPaymentDate);
    EXPECT_EQ(f.IncomeInCurrency, Rub(e.Amount));
    EXPECT_EQ(f.TaxInCurrency, Rub(e.Tax));
    EXPECT_EQ(f.IncomeInRoubles, Rub(e.Roubles));
    EXPECT_EQ(f.TaxInRoubles, Rub(e.TaxRoubles));
    EXPECT_EQ(line.RussianTax, Rub(e.RussianTax));
    EXPECT_EQ(line.Credit, Rub(e.Credit));
    EXPECT_EQ(line.Due, line.RussianTax - line.Credit);
  }
}

// Section 2, dividends at 13 %, of a resident's return holding the five lines taken:
// income 5 488.91 + 5 176.62 + 6 115.53 + 5 204.31 + 1 962.08 + 502.98 = 24 450.43;
// tax 24 450.43 × 13 % = 3 178.5559 → 3 179; credited 548.89 + 517.66 + 795.02 + 520.43 +
// 196.21 + 50.49 = 2 628.70 → 2 629; payable 3 179 − 2 629 = 550.
void ExpectListDiv(mTDeclaration& d) {
  kTSvodSum summary;
  summary.Compute(d);
  const kTSvodSumListDiv& div = summary.ListDiv;
  EXPECT_EQ(div.ДоходОбщ, Rub("24450.43"));
  EXPECT_EQ(div.ДоходОбщНеНал, Currency());
  EXPECT_EQ(div.ДоходОбщНал, Rub("24450.43"));
  EXPECT_EQ(div.НалБаза, Rub("24450.43"));
  EXPECT_EQ(div.Исчисл, Rub("3179"));
  EXPECT_EQ(div.УплИнПодлЗач, Rub("2629"));
  EXPECT_EQ(div.ИсчислУпл, Rub("550"));
  EXPECT_EQ(div.ПодлУпл, Rub("550"));
  EXPECT_EQ(div.ПодлВозв, Currency());
}

TEST(Statement, ActivityStatementOfTheYear) {
  const TStatement year = ReadStatementFile(Fixture("ibkr-activity-2016.csv"));
  EXPECT_EQ(year.Format, TStatementFormat::IbkrActivityCsv);
  const TStatementImport import = Prepare({year});
  ExpectLines(import, kYear2016, std::size(kYear2016));
  EXPECT_TRUE(import.HasErrors());
  EXPECT_EQ(import.Lines[0].Problem, "нет курсов валюты HKD в справочнике CurrencyRates.xml");
  EXPECT_EQ(import.Lines[3].CountryOrigin, "Royal Dutch Shell, АДР на акции A: налоговый резидент Нидерландов");
  EXPECT_EQ(import.Lines[4].Dividend.Lines, (std::vector<std::size_t>{15, 16, 17, 27, 28, 29}));
  EXPECT_EQ(import.Roubles, Rub("24450.43"));
  EXPECT_EQ(import.RussianTax, Rub("3178.56"));
  EXPECT_EQ(import.Credit, Rub("2628.70"));
  EXPECT_EQ(import.Due, Rub("549.86"));

  mTDeclaration d;
  d.SetSections(kSectionRussian);
  EXPECT_EQ(ApplyStatementImport(import, d), 6u);
  EXPECT_TRUE(d.HasSection(kSectionForeign));
  EXPECT_TRUE(d.HasSection(kSectionRussian));
  ExpectListDiv(d);

  // The same statement again: every line is already there, and none is added by default.
  const TStatementImport again = Prepare({year}, d);
  for (const TStatementLine& line : again.Lines) EXPECT_EQ(line.AlreadyPresent, line.State == S::Taken);
  EXPECT_EQ(again.Roubles, Currency());
  EXPECT_EQ(ApplyStatementImport(again, d), 0u);
  EXPECT_EQ(d.CurrencyIncomes.Count(), 6u);
}

TEST(Statement, FlexQueryGivesTheSameIncomes) {
  const TStatement flex = ReadStatementFile(Fixture("ibkr-flex-2016.xml"));
  EXPECT_EQ(flex.Format, TStatementFormat::IbkrFlexXml);
  const TStatementImport import = Prepare({flex});
  ExpectLines(import, kYear2016, std::size(kYear2016));
  EXPECT_EQ(StatementLinePlace(import.Lines[1].Dividend), "ibkr-flex-2016.xml, CashTransaction 2, 3");
  mTDeclaration d;
  ApplyStatementImport(import, d);
  ExpectListDiv(d);
}

TEST(Statement, OtherYearsAreListedNeverTaken) {
  const TStatementImport import =
      Prepare({ReadStatementFile(Fixture("ibkr-activity-2015.csv")), ReadStatementFile(Fixture("ibkr-activity-2016.csv"))});
  ASSERT_EQ(import.Lines.size(), 2 + std::size(kYear2016));
  // The 2015 dividend with its tax, and a tax of 2015 without its dividend: skipped, not errors.
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(import.Lines[i].State, S::OtherYear) << StatementLineSummary(import.Lines[i]);
    EXPECT_EQ(import.Lines[i].Problem, "доход 2015 года");
  }
  EXPECT_EQ(import.Lines[0].Dividend.Tax, Rub("7.5"));
  EXPECT_EQ(import.Roubles, Rub("24450.43"));
}

TEST(Statement, PlainStatementOfAnyBroker) {
  const TStatement plain = ReadStatementFile(std::filesystem::path(TALVER_SOURCE_DIR) / "examples/dividends.csv");
  EXPECT_EQ(plain.Format, TStatementFormat::PlainCsv);
  const Expected expected[] = {
      // EUR 74.1137 of 13.05.2016: 112.50 → 8 337.79125; 29.67 → 2 198.953479; 13 % = 1 083.9127.
      {S::Taken, "13.05.2016", "SAP SE", "276", "112.5", "29.67", "8337.79", "2198.95", "1083.91", "1083.91"},
      // USD 64.6304 of 07.07.2016, no tax: 1 020 → 65 923.008; 13 % = 8 569.99104.
      {S::Taken, "07.07.2016", "HSBC HOLDINGS PLC", "826", "1020", "0", "65923.01", "0", "8569.99", "0"},
      // Its own country, the tax paid three days later: USD 64.6279 of 25.11, 64.6174 of 26.11.2016.
      {S::Taken, "25.11.2016", "ООО «Пример Кипр»", "196", "500", "50", "32313.95", "3230.87", "4200.81", "3230.87"},
  };
  const TStatementImport import = Prepare({plain});
  ASSERT_EQ(import.Lines.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Expected& e = expected[i];
    const mTCurrencyIncome& f = import.Lines[i].Income;
    SCOPED_TRACE(StatementLineSummary(import.Lines[i]));
    ASSERT_EQ(import.Lines[i].State, S::Taken);
    EXPECT_EQ(Cp1251ToUtf8(f.SourceName), e.Source);
    EXPECT_EQ(f.CountryCode, e.Country);
    EXPECT_EQ(f.IncomeInRoubles, Rub(e.Roubles));
    EXPECT_EQ(f.TaxInRoubles, Rub(e.TaxRoubles));
    EXPECT_EQ(import.Lines[i].RussianTax, Rub(e.RussianTax));
    EXPECT_EQ(import.Lines[i].Credit, Rub(e.Credit));
  }
  EXPECT_EQ(DateToText(import.Lines[2].Income.TaxPaymentDate, '.'), "28.11.2016");
  EXPECT_EQ(import.Lines[2].Income.TaxRateRub, Rub("64.6174"));
}

// Pairing the broker's cash lines: what is paired, what is cancelled, what is reported.
TEST(Statement, PairingReportsWhatItCannotPair) {
  struct Case {
    const char* Name;
    const char* Rows;  // Dividends and Withholding Tax data rows
    std::vector<S> States;
    const char* Problem;  // of the first line
  };
  const char* const header =
      "Statement,Header,Field Name,Field Value\n"
      "Dividends,Header,Currency,Date,Description,Amount\n"
      "Withholding Tax,Header,Currency,Date,Description,Amount,Code\n";
  const Case cases[] = {
      {"reversed whole with its tax",
       "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75\n"
       "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend) - Reversal,-75\n"
       "Withholding Tax,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share - US Tax,-7.5,\n"
       "Withholding Tax,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share - US Tax,7.5,\n",
       {S::Cancelled}, "отменено целиком"},
      {"a reversal of a dividend of another day",
       "Dividends,Data,USD,2016-03-09,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend) - Reversal,-75\n",
       {S::Error}, "отмена без дивиденда того же выпуска и дня, который она отменяет"},
      {"a tax without its dividend",
       "Withholding Tax,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share - US Tax,-7.5,\n",
       {S::Error}, "налог без дивиденда того же выпуска и дня"},
      {"a tax of another day",
       "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75\n"
       "Withholding Tax,Data,USD,2016-03-10,JNJ(US4781601046) Cash Dividend 0.75 USD per Share - US Tax,-7.5,\n",
       {S::Taken, S::Error}, ""},
      {"a tax that tells neither of two dividends",
       "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75\n"
       "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.10 USD per Share (Bonus Dividend),10\n"
       "Withholding Tax,Data,USD,2016-03-08,JNJ(US4781601046) Dividend Tax - US Tax,-8.5,\n",
       {S::Taken, S::Taken, S::Error}, ""},
      {"a tax of other words goes to the only dividend of the day",
       "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75\n"
       "Withholding Tax,Data,USD,2016-03-08,JNJ(US4781601046) Dividend Tax - US Tax,-7.5,\n",
       {S::Taken}, ""},
      {"a refund larger than the tax",
       "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75\n"
       "Withholding Tax,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share - US Tax,7.5,\n",
       {S::Error}, "возвращено налога больше, чем удержано"},
      {"a symbol without an ISIN takes the ISIN of its dividend",
       "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75\n"
       "Withholding Tax,Data,USD,2016-03-08,JNJ Cash Dividend 0.75 USD per Share - US Tax,-7.5,\n",
       {S::Taken}, ""},
      {"an international issue names no country",
       "Dividends,Data,EUR,2016-03-09,XYZ(XS0000000009) Cash Dividend 1 EUR per Share (Ordinary Dividend),10\n",
       {S::Error}, "не определена страна эмитента (ISIN международного выпуска (XS) не указывает страну): укажите ее"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const TStatementImport import = Prepare({ReadIbkrActivityCsv(std::string(header) + c.Rows, "t.csv")});
    ASSERT_EQ(import.Lines.size(), c.States.size());
    for (std::size_t i = 0; i < c.States.size(); ++i) {
      EXPECT_EQ(import.Lines[i].State, c.States[i]) << StatementLineSummary(import.Lines[i]);
    }
    if (*c.Problem != 0) {
      EXPECT_EQ(import.Lines[0].Problem, c.Problem);
    }
  }
}

TEST(Statement, TheUserSaysTheCountry) {
  const std::string text =
      "Statement,Header,Field Name,Field Value\n"
      "Dividends,Header,Currency,Date,Description,Amount\n"
      "Dividends,Data,EUR,2016-03-09,XYZ(XS0000000009) Cash Dividend 1 EUR per Share (Ordinary Dividend),10\n"
      "Dividends,Data,USD,2016-03-09,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75\n";
  TStatementContext context = Data().Context();
  context.CountryOverrides = {{"XS0000000009", "442"}, {"US4781601046", "IE"}};
  const TStatementImport import = Prepare({ReadStatement(text, "t.csv")}, {}, context);
  ASSERT_EQ(import.Lines.size(), 2u);
  EXPECT_EQ(import.Lines[0].Income.CountryCode, "442");
  EXPECT_EQ(import.Lines[1].Income.CountryCode, "372");
  EXPECT_EQ(import.Lines[1].CountryOrigin, "указано вручную");
  context.CountryOverrides = {{"XS0000000009", "999"}};
  EXPECT_EQ(Prepare({ReadStatement(text, "t.csv")}, {}, context).Lines[0].State, S::Error);

  std::string origin;
  EXPECT_EQ(IssuerCountryByIsin("GB00B03MLX29", &Data().Countries, &origin), "528");
  EXPECT_EQ(IssuerCountryByIsin("GB00B03MM408", &Data().Countries, &origin), "826");
  EXPECT_EQ(origin, "по ISIN (GB)");
  EXPECT_EQ(IssuerCountryByIsin("US7802591070", &Data().Countries), "826");
  EXPECT_EQ(IssuerCountryByIsin("EU000A1G0DC6", &Data().Countries), "");
}

// Statements the program cannot read are refused whole, saying where and what was expected.
TEST(Statement, BadInputIsRefusedWithItsPlace) {
  const std::string activity =
      "Statement,Header,Field Name,Field Value\n"
      "Dividends,Header,Currency,Date,Description,Amount\n"
      "Dividends,Data,USD,2016-03-08,JNJ(US4781601046) Cash Dividend 0.75 USD per Share (Ordinary Dividend),75.00\n";
  struct Case {
    const char* Name;
    std::string Bytes;
    const char* Message;
  };
  const Case cases[] = {
      {"empty", "", "s: строка 1: файл пуст"},
      {"binary", std::string("PK\x03\x04\0\0", 6), "s: файл: не текст: в нем есть нулевые байты"},
      {"cut inside a quoted field",
       activity + "Dividends,Data,USD,2016-06-14,\"JNJ(US4781601046) Payment in Lieu",
       "s: строка 4: кавычка не закрыта до конца файла (файл обрезан?)"},
      {"cut inside a line", activity + "Dividends,Data,USD,2016-0",
       "s: строка 4: ожидалось не меньше 6 полей (столбец «Description»), есть 4 (строка обрезана?)"},
      {"cut inside a date", activity + "Dividends,Data,USD,2016-0,JNJ(US4781601046) Cash Dividend,1",
       "s: строка 4: ожидалась дата вида 2016-03-08, а не «2016-0»"},
      {"a word for an amount", activity + "Dividends,Data,USD,2016-03-09,JNJ Cash Dividend,n/a",
       "s: строка 4: ожидалась сумма числом, а не «n/a»"},
      {"data before its header",
       "Statement,Header,Field Name,Field Value\nDividends,Data,USD,2016-03-08,JNJ Cash Dividend,75\n",
       "s: строка 2: строка данных раздела «Dividends» прежде его заголовка (Header)"},
      {"a header without the amount",
       "Statement,Header,Field Name,Field Value\nDividends,Header,Currency,Date,Description\n"
       "Dividends,Data,USD,2016-03-08,JNJ Cash Dividend\n",
       "s: строка 2: в заголовке раздела «Dividends» нет столбца «Amount»"},
      {"another broker's CSV",
       "Date,Action,Symbol,Description,Quantity,Price,Fees & Comm,Amount\n"
       "03/08/2016,Cash Dividend,JNJ,JOHNSON & JOHNSON,,,,$75.00\n",
       "s: строка 1: отчет не распознан"},
      {"a spreadsheet that lost the header of its own format",
       "Дата;ISIN;Эмитент;Сумма\n13.05.2016;DE0007164600;SAP SE;112,50\n", "s: строка 1: отчет не распознан"},
      {"our own format with a wrong ISIN",
       "date;isin;name;country;currency;amount;tax;tax_date\n13.05.2016;DE0007164601;SAP SE;;EUR;112,50;29,67;\n",
       "s: строка 2: ожидался ISIN из 12 знаков с верной контрольной цифрой, а не «DE0007164601»"},
      {"our own format cut short", "date;isin;name;country;currency;amount;tax;tax_date\n13.05.2016;DE0007164600;SAP",
       "s: строка 2: ожидалось 8 полей через «;», есть 3"},
      {"our own format with a negative tax",
       "date;isin;name;country;currency;amount;tax;tax_date\n13.05.2016;DE0007164600;SAP SE;;EUR;112,50;-29,67;\n",
       "s: строка 2: ожидался удержанный налог числом не меньше нуля, а не «-29,67»"},
      {"our own format with a day that does not exist",
       "date;isin;name;country;currency;amount;tax;tax_date\n31.06.2016;DE0007164600;SAP SE;;EUR;112,50;0;\n",
       "s: строка 2: ожидалась дата вида 08.03.2016, а не «31.06.2016»"},
      {"Flex cut short",
       "<FlexQueryResponse><FlexStatements><FlexStatement><CashTransactions><CashTransaction type=\"Dividends\"",
       "s: "},
      {"Flex without the date",
       "<FlexQueryResponse><CashTransaction type=\"Dividends\" currency=\"USD\" amount=\"75\"/></FlexQueryResponse>",
       "s: CashTransaction 1: нет атрибута dateTime"},
      {"XML of something else", "<?xml version=\"1.0\"?><html><body/></html>",
       "s: корневой элемент: ожидался FlexQueryResponse отчета Flex, а не html"},
      {"XML with a document type",
       "<?xml version=\"1.0\"?><!DOCTYPE x [<!ENTITY a \"aaaa\">]><FlexQueryResponse/>", "s: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    try {
      ReadStatement(c.Bytes, "s");
      ADD_FAILURE() << "read";
    } catch (const EStatement& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.Message, 0), 0u) << e.what();
    }
  }
}

// A statement re-saved by a spreadsheet: ";" between fields, decimal commas, dates of its own.
TEST(Statement, ActivityStatementSavedBySpreadsheet) {
  const std::string text =
      "\xEF\xBB\xBFStatement;Header;Field Name;Field Value\r\n"
      "Dividends;Header;Currency;Date;Description;Amount\r\n"
      "Dividends;Data;USD;08.03.2016;JNJ(US4781601046) Cash Dividend 0.75000000 USD per Share (Ordinary Dividend);1 075,00\r\n"
      "Withholding Tax;Header;Currency;Date;Description;Amount;Code\r\n"
      "Withholding Tax;Data;USD;08.03.2016;JNJ(US4781601046) Cash Dividend 0.75000000 USD per Share - US Tax;-107,50;\r\n";
  const TStatementImport import = Prepare({ReadStatement(text, "s.csv")});
  ASSERT_EQ(import.Lines.size(), 1u);
  EXPECT_EQ(import.Lines[0].State, S::Taken);
  EXPECT_EQ(import.Lines[0].Income.IncomeInCurrency, Rub("1075"));
  EXPECT_EQ(import.Lines[0].Income.TaxInCurrency, Rub("107.5"));
}

TEST(Statement, ReadsOnlyRegularFilesOfBoundedSize) {
  EXPECT_THROW(ReadStatementFile(Fixture("missing.csv")), EStatement);
  EXPECT_THROW(ReadStatementFile(Fixture("")), EStatement);  // the folder
}

TEST(Statement, AmountsAndIsins) {
  struct Case {
    const char* Text;
    char Decimal;
    std::optional<std::int64_t> Units;
  };
  const Case cases[] = {
      {"1,234.56", '.', 12345600}, {"-5.41", '.', -54100}, {"1 234,5", 0, 12345000}, {"1.234,5", ',', 12345000},
      {"112,50", 0, 1125000},      {"75", '.', 750000},    {"1e3", '.', std::nullopt}, {"", '.', std::nullopt},
      {"$75.00", '.', std::nullopt}, {"--1", '.', std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Text);
    const std::optional<Currency> value = statement::ReadStatementAmount(c.Text, c.Decimal);
    ASSERT_EQ(value.has_value(), c.Units.has_value());
    if (value) {
      EXPECT_EQ(value->Units(), *c.Units);
    }
  }
  EXPECT_TRUE(statement::IsIsin("US0378331005"));
  EXPECT_FALSE(statement::IsIsin("US0378331006"));
  EXPECT_FALSE(statement::IsIsin("us0378331005"));
  EXPECT_FALSE(statement::IsIsin("478160104"));  // a CUSIP
}

}  // namespace
}  // namespace talver
