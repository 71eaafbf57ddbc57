// Computing a return with and without the trace of how each figure came about: the large
// declaration of the model benchmark (and twice that, to show the time grows in proportion)
// and a typical return of one employer. Without a trace the computation allocates nothing for
// it (the counter "allocs" is the allocations of one computation, the same as before the trace
// existed); the traced runs show what keeping one costs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>

#include "bench/LargeDeclaration.h"
#include "compute/SvodSum.h"
#include "compute/Trace.h"
#include "model/DeclClasses.h"

namespace {
std::size_t allocations = 0;
}  // namespace

// Every allocation of the program is counted; the replaced pair is malloc and free, which the
// compiler takes for a mismatch where it inlines them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using namespace talver;

void Run(benchmark::State& state, mTDeclaration& d, bool traced) {
  kTSvodSum summary;
  if (traced) summary.KeepTrace();
  bool result = false;
  for (auto _ : state) {
    result = summary.Compute(d);
    benchmark::DoNotOptimize(result);
    benchmark::ClobberMemory();
  }
  const std::size_t before = allocations;
  summary.Compute(d);
  state.counters["allocs"] = static_cast<double>(allocations - before);
  state.counters["lines"] = static_cast<double>(summary.List6.Lines.size());
  if (traced) state.counters["nodes"] = static_cast<double>(summary.Trace()->Count());
}

void BM_ComputeLargeDeclaration(benchmark::State& state) {
  mTDeclaration d;
  bench::FillLarge(d, static_cast<int>(state.range(0)));
  Run(state, d, false);
}

void BM_ComputeLargeDeclarationTraced(benchmark::State& state) {
  mTDeclaration d;
  bench::FillLarge(d, static_cast<int>(state.range(0)));
  Run(state, d, true);
}

void BM_ComputeTypicalReturn(benchmark::State& state) {
  mTDeclaration d;
  bench::FillTypical(d);
  Run(state, d, false);
}

void BM_ComputeTypicalReturnTraced(benchmark::State& state) {
  mTDeclaration d;
  bench::FillTypical(d);
  Run(state, d, true);
}

BENCHMARK(BM_ComputeLargeDeclaration)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeLargeDeclarationTraced)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeTypicalReturn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeTypicalReturnTraced)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
