// Reading a return's XML file back into a declaration: the export of the large declaration of
// the model benchmark (1 000 sources at 13 % with 12 entries each, 200 foreign incomes, 50
// property objects, 20 pension contracts) and twice that, to show the time grows in proportion.
// The income code dictionary is loaded once, as the programs do.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/LargeDeclaration.h"
#include "dictionaries/IncomeDictionary.h"
#include "export/ExportDriver.h"
#include "import/ReturnXml.h"

namespace {

using namespace talver;

class SilentPresenter : public IPresenter {
 public:
  CheckAnswer ShowCheckError(CheckDialog, std::string_view, std::string_view, bool) override {
    return CheckAnswer::Cancel;
  }
  void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
};

std::string LargeReturn(int scale) {
  mTDeclaration d;
  bench::FillLarge(d, scale);
  SilentPresenter presenter;
  ExportEnvironment environment;
  environment.Today = [] { return EncodeDate(2017, 2, 14); };
  environment.NewGuid = [] { return std::string("0C6A2E74-3F1D-4B0E-9A56-2D1F8C4B7E90"); };
  return ExportDeclaration({}, d, kExportToText, presenter, environment);
}

void BM_ImportLargeReturn(benchmark::State& state) {
  const std::string bytes = LargeReturn(static_cast<int>(state.range(0)));
  const TIncomeDictionary dictionary = TIncomeDictionary::LoadBuiltIn();
  for (auto _ : state) {
    TReturnXmlImport imported = ImportReturnXml(bytes, &dictionary);
    benchmark::DoNotOptimize(imported.Declaration.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ImportLargeReturn)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
