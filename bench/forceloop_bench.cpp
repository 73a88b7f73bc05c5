// One step of attraction and drift at 10..1000 bodies: the built-in loop
// against Brisklet (as loaded from the program folder, and each build of it).
// Reports pair interactions per second. Run:
//   build/bin/molvane_bench --benchmark_filter=Loop
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

#include "engine/host.h"
#include "engine/nativeloop.h"
#include "engine/simulation.h"
#include "engine/state.h"
#include "forceloop/kernel.h"

namespace {

using molvane::State;

// Bodies of size 0 spread over a cube of 1e11 m with moderate masses: no pair
// touches, every pair attracts both ways, and positions barely change from
// one step to the next, so the state need not be reset between iterations.
std::unique_ptr<State> Situation(int n) {
  auto s = std::make_unique<State>();
  std::mt19937_64 rng(2024);
  std::uniform_real_distribution<double> pos(-5e10, 5e10), vel(-1e3, 1e3), mass(0.1, 300.0);
  s->objects = int16_t(n);
  for (int i = 0; i <= n; ++i) {
    s->objx[i] = pos(rng);
    s->objy[i] = pos(rng);
    s->objz[i] = pos(rng);
    s->objvx[i] = vel(rng);
    s->objvy[i] = vel(rng);
    s->objvz[i] = vel(rng);
    s->objmass[i] = mass(rng);
  }
  return s;
}

void SetPairRate(benchmark::State& st, int n) {
  st.counters["pairs/s"] = benchmark::Counter(double(n) * (n - 1) / 2,
                                              benchmark::Counter::kIsIterationInvariantRate);
}

void BM_BuiltInLoop(benchmark::State& st) {
  const int n = int(st.range(0));
  auto s = Situation(n);
  molvane::EngineHost host;
  for (auto _ : st) {
    s->CollisionPairCount = 0;
    molvane::BuiltInForceLoop(*s, host);
    molvane::Drift(*s);
    benchmark::ClobberMemory();
  }
  SetPairRate(st, n);
}

void RunBuild(benchmark::State& st, brisklet::LoopFn fn) {
  const int n = int(st.range(0));
  auto s = Situation(n);
  for (auto _ : st) {
    fn(n, s->objmass.data(), s->objx.data(), s->objy.data(), s->objz.data(), s->objvx.data(),
       s->objvy.data(), s->objvz.data(), s->objsize.data(), s->higher.data(), s->lower.data());
    benchmark::ClobberMemory();
  }
  SetPairRate(st, n);
}

// RunLoop from libbrisklet.so, bound the way the program binds it.
void BM_RunLoop(benchmark::State& st) {
  auto bound = std::make_unique<State>();
  const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
  if (!molvane::BindNativeForceLoop(*bound, folder)) {
    st.SkipWithError("libbrisklet.so not found beside the benchmark");
    return;
  }
  RunBuild(st, bound->nativeRunLoop);
}

void BM_RunLoopScalar(benchmark::State& st) { RunBuild(st, brisklet::RunLoopScalar); }

void BM_RunLoopAvx2(benchmark::State& st) {
  if (!brisklet::CpuHasAvx2()) {
    st.SkipWithError("no AVX2");
    return;
  }
  RunBuild(st, brisklet::RunLoopAvx2);
}

void BM_RunLoopAvx512(benchmark::State& st) {
  if (!brisklet::CpuHasAvx512()) {
    st.SkipWithError("no AVX-512");
    return;
  }
  RunBuild(st, brisklet::RunLoopAvx512);
}

#define BODY_COUNTS Arg(10)->Arg(100)->Arg(300)->Arg(1000)
BENCHMARK(BM_BuiltInLoop)->BODY_COUNTS;
BENCHMARK(BM_RunLoop)->BODY_COUNTS;
BENCHMARK(BM_RunLoopScalar)->BODY_COUNTS;
BENCHMARK(BM_RunLoopAvx2)->BODY_COUNTS;
BENCHMARK(BM_RunLoopAvx512)->BODY_COUNTS;

}  // namespace

BENCHMARK_MAIN();
