// Saving, loading and checking a large declaration: 1 000 sources at 13 % with 12 entries each,
// 200 foreign incomes, 50 property objects, 20 pension contracts; and the same doubled, to show
// that the time grows in proportion to the document.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "bench/LargeDeclaration.h"
#include "check/CheckClasses.h"
#include "model/DeclClasses.h"
#include "platform/Text1251.h"

namespace {

using namespace talver;

using bench::FillLarge;

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

class SilentPresenter : public IPresenter {
 public:
  CheckAnswer ShowCheckError(CheckDialog, std::string_view, std::string_view, bool) override {
    return CheckAnswer::Fix;
  }
  void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
};

// What `talver-cli check` does: read the file, load the declaration, check the whole return.
void BM_CheckLargeDeclarationFile(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  {
    mTDeclaration d;
    FillLarge(d, scale);
    d.SaveToFile(BenchFile(scale));
  }
  SilentPresenter presenter;
  for (auto _ : state) {
    mTDeclaration d;
    d.LoadFromFile(BenchFile(scale));
    benchmark::DoNotOptimize(CheckDeclaration(d, presenter).Packed());
  }
}

BENCHMARK(BM_SaveLargeDeclaration)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargeDeclaration)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckLargeDeclarationFile)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
