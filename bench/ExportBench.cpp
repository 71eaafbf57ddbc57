// Exporting a return, computation included: the large declaration of the model benchmark (1 000
// sources at 13 % with 12 entries each, 200 foreign incomes, 50 property objects, 20 pension
// contracts) and twice that, to show the time grows in proportion; and a typical return of one
// employer with standard and social deductions. Both as text and saved to a file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/LargeDeclaration.h"
#include "export/ExportDriver.h"
#include "model/DeclClasses.h"
#include "platform/Text1251.h"

namespace {

using namespace talver;
using bench::FillLarge;
using bench::FillTypical;

class SilentPresenter : public IPresenter {
 public:
  CheckAnswer ShowCheckError(CheckDialog, std::string_view, std::string_view, bool) override {
    return CheckAnswer::Cancel;
  }
  void ShowMessage(std::string_view, std::string_view, MessageIcon) override { ++messages; }
  int messages = 0;
};


ExportEnvironment Fixed() {
  ExportEnvironment environment;
  environment.Today = [] { return 42780.0; };  // 14.02.2017
  environment.NewGuid = [] { return std::string("0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90"); };
  return environment;
}

void Run(benchmark::State& state, mTDeclaration& d, int mode) {
  SilentPresenter presenter;
  const ExportEnvironment environment = Fixed();
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  std::size_t bytes = 0;
  std::string result;
  for (auto _ : state) {
    result = ExportDeclaration(folder, d, mode, presenter, environment);
    bytes = result.size();
    benchmark::DoNotOptimize(result.data());
  }
  if (presenter.messages != 0) state.SkipWithError("the export failed");
  if (mode == kExportToFile && !result.empty()) std::filesystem::remove(folder / result);
  if (mode == kExportToText) state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_ExportLargeDeclaration(benchmark::State& state) {
  mTDeclaration d;
  FillLarge(d, static_cast<int>(state.range(0)));
  Run(state, d, kExportToText);
}

void BM_SaveLargeDeclarationExport(benchmark::State& state) {
  mTDeclaration d;
  FillLarge(d, 1);
  Run(state, d, kExportToFile);
}

void BM_ExportTypicalReturn(benchmark::State& state) {
  mTDeclaration d;
  FillTypical(d);
  Run(state, d, kExportToText);
}

BENCHMARK(BM_ExportLargeDeclaration)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLargeDeclarationExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportTypicalReturn)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
