// One step of attraction and drift at 10..1000 bodies: the built-in loop
// against Brisklet (as loaded from the program folder, and each build of it),
// and the floor the divider sets under Brisklet's exact arithmetic. Reports
// pair interactions per second and, at the end, RunLoop's ratios to the
// built-in loop and to that floor. Run:
//   build/bin/molvane_bench --benchmark_filter=Loop
#include <benchmark/benchmark.h>
#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/nativeloop.h"
#include "engine/simulation.h"
#include "engine/state.h"
#include "forceloop/kernel.h"
#include "tests/support/nullhosts.h"

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
  st.counters["pairs/s"] = benchmark::Counter(double(n) * (n - 1) / 2, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_BuiltInLoop(benchmark::State& st) {
  const int n = int(st.range(0));
  auto s = Situation(n);
  molvane::NullEngineHost host;
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
    fn(n, s->objmass.data(), s->objx.data(), s->objy.data(), s->objz.data(), s->objvx.data(), s->objvy.data(),
       s->objvz.data(), s->objsize.data(), s->higher.data(), s->lower.data());
    benchmark::ClobberMemory();
  }
  SetPairRate(st, n);
}

// RunLoop from libbrisklet.so, bound the way the program binds it.
brisklet::LoopFn LibraryLoop() {
  auto bound = std::make_unique<State>();
  const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
  return molvane::BindNativeForceLoop(*bound, folder) ? brisklet::LoopFn(bound->nativeRunLoop) : nullptr;
}

void BM_RunLoop(benchmark::State& st) {
  const brisklet::LoopFn fn = LibraryLoop();
  if (fn == nullptr) {
    st.SkipWithError("libbrisklet.so not found beside the benchmark");
    return;
  }
  RunBuild(st, fn);
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

// The divider's floor under a step: every pair needs four correctly rounded
// divisions and one square root, here in the widest vectors the loop uses
// (8 pairs per 512-bit vector) and with no dependences between them, over the
// distances of real pairs kept in the first level of cache.
constexpr int Window = 256;
struct DividerData {
  alignas(64) double q[Window], d[Window], x[Window], y[Window], z[Window];
  alignas(64) double out[5][Window];
};

// The window holds the first pairs of the situation, in order, over again.
std::unique_ptr<DividerData> DividerInput(const State& s, int n) {
  auto m = std::make_unique<DividerData>();
  for (int i = 0, j = 1, k = 2; i < Window; ++i) {
    m->x[i] = s.objx[k] - s.objx[j];
    m->y[i] = s.objy[k] - s.objy[j];
    m->z[i] = s.objz[k] - s.objz[j];
    m->q[i] = m->x[i] * m->x[i] + m->y[i] * m->y[i] + m->z[i] * m->z[i];
    m->d[i] = std::sqrt(m->q[i]);
    if (++k > n && ++j >= n) j = 1;
    if (k > n) k = j + 1;
  }
  return m;
}

__attribute__((target("avx512f"))) void DividerWork8(int64_t vectors, DividerData& m) {
  const __m512d one = _mm512_set1_pd(1.0);
  for (int64_t v = 0; v < vectors; ++v) {
    const int i = int(v % (Window / 8)) * 8;
    const __m512d d = _mm512_load_pd(m.d + i);
    _mm512_store_pd(m.out[0] + i, _mm512_maskz_sqrt_pd(0xFF, _mm512_load_pd(m.q + i)));
    _mm512_store_pd(m.out[1] + i, _mm512_div_pd(one, d));
    _mm512_store_pd(m.out[2] + i, _mm512_div_pd(_mm512_load_pd(m.x + i), d));
    _mm512_store_pd(m.out[3] + i, _mm512_div_pd(_mm512_load_pd(m.y + i), d));
    _mm512_store_pd(m.out[4] + i, _mm512_div_pd(_mm512_load_pd(m.z + i), d));
  }
}

__attribute__((target("avx2"))) void DividerWork4(int64_t vectors, DividerData& m) {
  const __m256d one = _mm256_set1_pd(1.0);
  for (int64_t v = 0; v < vectors; ++v) {
    const int i = int(v % (Window / 4)) * 4;
    const __m256d d = _mm256_load_pd(m.d + i);
    _mm256_store_pd(m.out[0] + i, _mm256_sqrt_pd(_mm256_load_pd(m.q + i)));
    _mm256_store_pd(m.out[1] + i, _mm256_div_pd(one, d));
    _mm256_store_pd(m.out[2] + i, _mm256_div_pd(_mm256_load_pd(m.x + i), d));
    _mm256_store_pd(m.out[3] + i, _mm256_div_pd(_mm256_load_pd(m.y + i), d));
    _mm256_store_pd(m.out[4] + i, _mm256_div_pd(_mm256_load_pd(m.z + i), d));
  }
}

void DividerWork1(int64_t vectors, DividerData& m) {
  for (int64_t v = 0; v < vectors; ++v) {
    const int i = int(v % Window);
    m.out[0][i] = std::sqrt(m.q[i]);
    m.out[1][i] = 1.0 / m.d[i];
    m.out[2][i] = m.x[i] / m.d[i];
    m.out[3][i] = m.y[i] / m.d[i];
    m.out[4][i] = m.z[i] / m.d[i];
  }
}

// One step's worth of the floor at n bodies, in the width RunLoop uses here.
void DividerStep(int n, DividerData& m) {
  const int64_t pairs = int64_t(n) * (n - 1) / 2;
  if (brisklet::CpuHasAvx512()) {
    DividerWork8((pairs + 7) / 8, m);
  } else if (brisklet::CpuHasAvx2()) {
    DividerWork4((pairs + 3) / 4, m);
  } else {
    DividerWork1(pairs, m);
  }
}

// The time this thread ran, so that time slices of other programs on the
// same core count for neither side of a comparison.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) + 1e-9 * double(t.tv_nsec);
}

// The floor's own pair rate; each step also runs RunLoop once, timed apart,
// so "RunLoop share" compares the two under the same state of the machine.
// Small steps are timed in batches, long enough for the clock.
void BM_DividerBound(benchmark::State& st) {
  const int n = int(st.range(0));
  const brisklet::LoopFn fn = LibraryLoop();
  if (fn == nullptr) {
    st.SkipWithError("libbrisklet.so not found beside the benchmark");
    return;
  }
  auto s = Situation(n);
  auto m = DividerInput(*s, n);
  const int batch = std::max(1, 200000 / (n * (n - 1) / 2));
  // Where both widths exist, the same divisions in 256-bit vectors too: a
  // 512-bit vector's cost over a 256-bit one's, under the same load.
  const bool both = brisklet::CpuHasAvx512() && brisklet::CpuHasAvx2();
  const int64_t pairs = int64_t(n) * (n - 1) / 2;
  double loopTime = 0.0, boundTime = 0.0, narrowTime = 0.0;
  for (auto _ : st) {
    const double t0 = ThreadSeconds();
    for (int b = 0; b < batch; ++b) DividerStep(n, *m);
    benchmark::ClobberMemory();
    const double t1 = ThreadSeconds();
    for (int b = 0; b < batch; ++b)
      fn(n, s->objmass.data(), s->objx.data(), s->objy.data(), s->objz.data(), s->objvx.data(), s->objvy.data(),
         s->objvz.data(), s->objsize.data(), s->higher.data(), s->lower.data());
    benchmark::ClobberMemory();
    const double t2 = ThreadSeconds();
    if (both)
      for (int b = 0; b < batch; ++b) DividerWork4((pairs + 3) / 4, *m);
    benchmark::ClobberMemory();
    const double t3 = ThreadSeconds();
    st.SetIterationTime(t1 - t0);
    boundTime += t1 - t0;
    loopTime += t2 - t1;
    narrowTime += t3 - t2;
  }
  st.counters["pairs/s"] =
      benchmark::Counter(double(batch) * n * (n - 1) / 2, benchmark::Counter::kIsIterationInvariantRate);
  st.counters["RunLoop share"] = loopTime > 0.0 ? boundTime / loopTime : 0.0;
  // Per vector: (time / vectors) of 512 bits over that of 256 bits.
  if (both && narrowTime > 0.0)
    st.counters["512/256-bit division"] =
        (boundTime / double((pairs + 7) / 8)) / (narrowTime / double((pairs + 3) / 4));
}

// 1000 close bodies (a cube of 2e10 m, sizes 0, small masses, so the scene
// hardly changes over a run) and the same scene with one body of 3e9 m
// among them: a star-sized reach must cost nothing beyond the pairs it
// really touches. With `touching` five bodies lie within the large body's
// reach; without, none does.
std::unique_ptr<State> CloseBodies(int n, double largeSize, bool touching) {
  auto s = std::make_unique<State>();
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> pos(-1e10, 1e10), vel(-1e3, 1e3), mass(1e-3, 1.0);
  s->objects = int16_t(n);
  const int large = n / 2;
  for (int i = 0; i <= n; ++i) {
    double x, y, z;
    do {
      x = pos(rng), y = pos(rng), z = pos(rng);
    } while (i != large && std::sqrt(x * x + y * y + z * z) < 2e9);  // clear of the large body
    s->objx[i] = x, s->objy[i] = y, s->objz[i] = z;
    s->objvx[i] = vel(rng), s->objvy[i] = vel(rng), s->objvz[i] = vel(rng);
    s->objmass[i] = mass(rng);
  }
  s->objx[large] = s->objy[large] = s->objz[large] = 0.0;
  s->objsize[large] = largeSize;
  if (touching)
    for (int t = 1; t <= 5; ++t) {
      const int i = large + 37 * t;
      s->objx[i] = t * 2e8;
      s->objy[i] = s->objz[i] = 0.0;
    }
  return s;
}

void Call(brisklet::LoopFn fn, State& s) {
  fn(s.objects, s.objmass.data(), s.objx.data(), s.objy.data(), s.objz.data(), s.objvx.data(), s.objvy.data(),
     s.objvz.data(), s.objsize.data(), s.higher.data(), s.lower.data());
}

// RunLoop over the scene with the large body against the same scene with
// every size 0, alternately in every iteration: "large / plain" is the
// ratio of their times under the same load.
void BM_LargeBody(benchmark::State& st) {
  const brisklet::LoopFn fn = LibraryLoop();
  if (fn == nullptr) {
    st.SkipWithError("libbrisklet.so not found beside the benchmark");
    return;
  }
  const int n = 1000;
  const bool touching = st.range(0) != 0;
  auto plain = CloseBodies(n, 0.0, touching);
  auto large = CloseBodies(n, 3e9, touching);
  double plainTime = 0.0, largeTime = 0.0;
  for (auto _ : st) {
    const double t0 = ThreadSeconds();
    Call(fn, *plain);
    benchmark::ClobberMemory();
    const double t1 = ThreadSeconds();
    Call(fn, *large);
    benchmark::ClobberMemory();
    const double t2 = ThreadSeconds();
    plainTime += t1 - t0;
    largeTime += t2 - t1;
  }
  if (touching != (large->higher[1] > 0)) st.SkipWithError("the scene's pairs are not as meant");
  st.counters["large / plain"] = plainTime > 0.0 ? largeTime / plainTime : 0.0;
}

// Every exact variant of the loop side by side, with the divider bound, the
// built-in loop and RunLoop as the program binds it (the variant its first
// call chose), each timed once per iteration in turn, in a rotating order:
// the counters are the bound's time over each one's, so their ratios are
// ratios of the same run.
void BM_Variants(benchmark::State& st) {
  const int n = int(st.range(0));
  const brisklet::LoopFn lib = LibraryLoop();
  if (lib == nullptr) {
    st.SkipWithError("libbrisklet.so not found beside the benchmark");
    return;
  }
  const std::vector<brisklet::LoopVariant> variants = brisklet::ExactVariants();
  auto s = Situation(n);
  auto m = DividerInput(*s, n);
  const int batch = std::max(1, 200000 / (n * (n - 1) / 2));
  molvane::NullEngineHost host;
  // Entries: 0 the bound, 1 the built-in loop, 2 RunLoop, then the variants.
  const size_t entries = 3 + variants.size();
  std::vector<double> time(entries, 0.0);
  const auto run = [&](size_t e) {
    for (int b = 0; b < batch; ++b) {
      if (e == 0) {
        DividerStep(n, *m);
      } else if (e == 1) {
        s->CollisionPairCount = 0;
        molvane::BuiltInForceLoop(*s, host);
        molvane::Drift(*s);
      } else {
        Call(e == 2 ? lib : variants[e - 3].fn, *s);
      }
    }
    benchmark::ClobberMemory();
  };
  size_t turn = 0;
  for (auto _ : st) {
    for (size_t i = 0; i < entries; ++i) {
      const size_t e = (i + turn) % entries;
      const double t0 = ThreadSeconds();
      run(e);
      time[e] += ThreadSeconds() - t0;
    }
    ++turn;
  }
  const auto share = [&](size_t e) { return time[e] > 0.0 ? time[0] / time[e] : 0.0; };
  st.counters["built-in"] = share(1);
  st.counters["RunLoop"] = share(2);
  for (size_t v = 0; v < variants.size(); ++v) st.counters[variants[v].name] = share(3 + v);
}

#define BODY_COUNTS Arg(10)->Arg(100)->Arg(300)->Arg(1000)
BENCHMARK(BM_BuiltInLoop)->BODY_COUNTS;
BENCHMARK(BM_RunLoop)->BODY_COUNTS;
BENCHMARK(BM_DividerBound)->BODY_COUNTS->UseManualTime();
BENCHMARK(BM_RunLoopScalar)->BODY_COUNTS;
BENCHMARK(BM_RunLoopAvx2)->BODY_COUNTS;
BENCHMARK(BM_RunLoopAvx512)->BODY_COUNTS;
BENCHMARK(BM_LargeBody)->ArgName("touching")->Arg(0)->Arg(1);
BENCHMARK(BM_Variants)->BODY_COUNTS;

// The console report, then per body count RunLoop's ratio to the built-in
// loop (pair rates of the same run) and its share of the divider's floor;
// medians where the run repeats.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_None) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs) {
      if (r.error_occurred) continue;
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name != "median") continue;
      if (r.run_name.function_name == "BM_Variants") {
        for (const auto& [name, counter] : r.counters)
          variants_[std::atoi(r.run_name.args.c_str())][name] = counter.value;
        continue;
      }
      if (r.run_name.function_name == "BM_LargeBody") {
        if (const auto it = r.counters.find("large / plain"); it != r.counters.end())
          largeBody_[r.run_name.args] = it->second.value;
        continue;
      }
      for (const auto& [name, counter] : r.counters)
        values_[std::atoi(r.run_name.args.c_str())][r.run_name.function_name + " " + name] = counter.value;
    }
  }
  void Finalize() override {
    for (const auto& [n, v] : values_) {
      const auto get = [&v](const char* key) {
        const auto it = v.find(key);
        return it == v.end() ? 0.0 : it->second;
      };
      const double loop = get("BM_RunLoop pairs/s"), builtIn = get("BM_BuiltInLoop pairs/s");
      const double share = get("BM_DividerBound RunLoop share");
      const double wide = get("BM_DividerBound 512/256-bit division");
      if (loop > 0.0 && builtIn > 0.0) std::printf("N = %d: RunLoop %.2f times the built-in loop\n", n, loop / builtIn);
      if (share > 0.0) std::printf("N = %d: RunLoop at %.3f of the divider bound\n", n, share);
      if (wide > 0.0) std::printf("N = %d: a 512-bit vector of divisions costs %.2f times a 256-bit one\n", n, wide);
    }
    PrintVariants();
    for (const auto& [args, ratio] : largeBody_)
      std::printf("N = 1000, one body of 3e9 m among close bodies (%s): %.3f times the plain scene\n", args.c_str(),
                  ratio);
    ConsoleReporter::Finalize();
  }

 private:
  // Per N, each variant's share of the divider bound, then RunLoop (the
  // chosen variant) over the fastest variant, over today's AVX-512 loop
  // (all four divisions on the divider) and over the built-in loop.
  void PrintVariants() const {
    for (const auto& [n, v] : variants_) {
      std::printf("N = %d, share of the divider bound (same run):", n);
      double fastest = 0.0;
      for (const auto& [name, share] : v) {
        std::printf(" %s %.3f;", name.c_str(), share);
        if (name != "RunLoop" && name != "built-in") fastest = std::max(fastest, share);
      }
      const auto get = [&v](const char* key) {
        const auto it = v.find(key);
        return it == v.end() ? 0.0 : it->second;
      };
      const double chosen = get("RunLoop"), today = get("avx512"), builtIn = get("built-in");
      std::printf("\n  RunLoop / fastest variant %.3f", fastest > 0.0 ? chosen / fastest : 0.0);
      if (today > 0.0) std::printf(", / today's AVX-512 loop %.3f", chosen / today);
      if (builtIn > 0.0) std::printf(", / built-in loop %.2f", chosen / builtIn);
      std::printf("\n");
    }
  }

  std::map<int, std::map<std::string, double>> variants_;
  std::map<int, std::map<std::string, double>> values_;
  std::map<std::string, double> largeBody_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
