// Reading a broker's activity statement of 100 000 lines, every one a dividend or the tax on it
// (50 000 payments of 500 issuers over the days of 2016), and making them into foreign incomes
// against the shipped rates and countries: what the preview and talver-cli statement do. Half
// the lines as well, to show the time grows in proportion.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "dictionaries/Countries.h"
#include "dictionaries/CurrencyRates.h"
#include "dictionaries/IncomeDictionary.h"
#include "import/Statement.h"
#include "model/DeclClasses.h"

namespace {

using namespace talver;

// A valid ISIN for "US" and nine digits: the check digit is the Luhn digit of the letters'
// numbers followed by the digits.
std::string UsIsin(int n) {
  char body[10];
  std::snprintf(body, sizeof body, "%09d", n);
  const std::string digits = std::string("3028") + body;  // U = 30, S = 28
  int sum = 0;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    int d = digits[digits.size() - 1 - i] - '0';
    if (i % 2 == 0) d *= 2;
    sum += d / 10 + d % 10;
  }
  return std::string("US") + body + static_cast<char>('0' + (10 - sum % 10) % 10);
}

std::string LargeStatement(int payments) {
  constexpr int kIssuers = 500;
  std::string dividends = "Dividends,Header,Currency,Date,Description,Amount\n";
  std::string taxes = "Withholding Tax,Header,Currency,Date,Description,Amount,Code\n";
  char line[256];
  for (int i = 0; i < payments; ++i) {
    const std::string symbol = "S" + std::to_string(i % kIssuers);
    const std::string isin = UsIsin(i % kIssuers);
    const int day = i / kIssuers;  // one payment of each issuer a day
    const int month = 1 + day / 28 % 12;
    const int dom = 1 + day % 28;
    const int cents = 1000 + i % 9000;
    std::snprintf(line, sizeof line, "Dividends,Data,USD,2016-%02d-%02d,%s(%s) Cash Dividend 0.10 USD per Share (Ordinary Dividend),%d.%02d\n",
                  month, dom, symbol.c_str(), isin.c_str(), cents / 100, cents % 100);
    dividends += line;
    std::snprintf(line, sizeof line, "Withholding Tax,Data,USD,2016-%02d-%02d,%s(%s) Cash Dividend 0.10 USD per Share - US Tax,-%d.%02d,\n",
                  month, dom, symbol.c_str(), isin.c_str(), cents / 1000, cents / 10 % 100);
    taxes += line;
  }
  return "Statement,Header,Field Name,Field Value\n" + dividends + taxes;
}

void BM_StatementImport(benchmark::State& state) {
  const std::string bytes = LargeStatement(static_cast<int>(state.range(0)) / 2);
  const std::filesystem::path resources(TALVER_BENCH_RESOURCES);
  const TCurrencyRates rates = TCurrencyRates::LoadFile(resources / "CurrencyRates.xml");
  const TCountryDirectory countries = TCountryDirectory::LoadFile(resources / "Oksm.xml");
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  const TStatementContext context{&rates, &countries, &dictionary, {}};
  const mTDeclaration into;
  for (auto _ : state) {
    const TStatementImport import = PrepareStatementImport({ReadStatement(bytes, "large.csv")}, into, context);
    if (import.HasErrors()) state.SkipWithError("a line was not taken");
    benchmark::DoNotOptimize(import.Due);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_StatementImport)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
