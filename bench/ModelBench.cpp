// Saving and loading a large declaration: 1 000 sources at 13 % with 12 entries each, 200
// foreign incomes, 50 property objects, 20 pension contracts; and the same doubled, to show that
// the time grows in proportion to the document.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "model/DeclClasses.h"
#include "platform/Text1251.h"

namespace {

using namespace talver;

void FillLarge(mTDeclaration& d, int scale) {
  d.SetSections(kSectionRussian | kSectionForeign);
  d.Person.Name.Surname = Utf8ToCp1251("Иванов");
  for (int i = 0; i < 1000 * scale; ++i) {
    mTThirteenPercent& s = d.Sources13.Get(d.Sources13.Add());
    s.Name = Utf8ToCp1251("ООО \"Источник выплаты ") + std::to_string(i) + "\"";
    s.Inn = "7707083893";
    s.Kpp = "773601001";
    s.Oktmo = "45382000";
    s.TaxWithheld = Currency::FromRoubles(15600);
    for (int m = 1; m <= 12; ++m) {
      mTSourseIncome e;
      e.IncomeCode = 2000;
      e.IncomeName = Utf8ToCp1251("Вознаграждение за выполнение трудовых обязанностей");
      e.Amount = Currency::FromUnits(100005000 + m);
      e.Month = static_cast<std::uint16_t>(m);
      s.AddEntry(e);
    }
  }
  for (int i = 0; i < 200 * scale; ++i) {
    mTCurrencyIncome& c = d.CurrencyIncomes.Get(d.CurrencyIncomes.Add());
    c.IncomeCode = 1010;
    c.SourceName = "Foreign source " + std::to_string(i);
    c.CountryCode = "840";
    c.CurrencyCode = "840";
    c.IncomeRateRub = Currency::FromUnits(606569);
    c.IncomeRateUnits = 1;
    c.SetIncomeInCurrency(Currency::FromRoubles(1000 + i));
  }
  d.PropertyDeduct.Granted = 1;
  for (int i = 0; i < 50 * scale; ++i) {
    mTConstructionDeductObj o;
    o.City = Utf8ToCp1251("Москва");
    o.Street = Utf8ToCp1251("Тверская");
    o.Cost = Currency::FromRoubles(3000000);
    d.PropertyDeduct.AddObject(o);
  }
  d.SocialDeduct.Granted = 1;
  for (int i = 0; i < 20 * scale; ++i) d.SocialDeduct.GetPension(d.SocialDeduct.AddPension()).OrgName = "Fund";
}

std::filesystem::path BenchFile(int scale) {
  return std::filesystem::temp_directory_path() / ("talver-bench-" + std::to_string(scale) + ".tv6");
}

void BM_SaveLargeDeclaration(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  mTDeclaration d;
  FillLarge(d, scale);
  for (auto _ : state) d.SaveToFile(BenchFile(scale));
  state.counters["bytes"] = static_cast<double>(d.StoredSize());
}

void BM_LoadLargeDeclaration(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  {
    mTDeclaration d;
    FillLarge(d, scale);
    d.SaveToFile(BenchFile(scale));
  }
  for (auto _ : state) {
    mTDeclaration d;
    d.LoadFromFile(BenchFile(scale));
    benchmark::DoNotOptimize(d.Sources13.Count());
  }
}

BENCHMARK(BM_SaveLargeDeclaration)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargeDeclaration)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
