// The force loop: attraction of every pair (j, k), j < k, in the order
// (1,2), (1,3), ..., (2,3), ..., then the drift of bodies 0..n.
//
// Every build does the same operations in the same order on every value a
// velocity receives, so they agree to the bit with each other and with the
// program's built-in loop. The vector builds only reschedule: for a fixed j the
// updates of the partners k are independent, so they run across k in vector
// lanes; what body j itself receives is added to its velocity one term after
// the other in ascending k. Vector division and square root are correctly
// rounded like the scalar ones; nothing is replaced by a reciprocal.
//
// Like the built-in loop, an update whose result would not be finite leaves
// the value as it was, and coincident bodies (d = 0) do not attract.
#include "forceloop/kernel.h"

#include <immintrin.h>

#include <cmath>
#include <limits>

namespace brisklet {
namespace {

constexpr double EarthGM = 3.9860044e14;
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr int32_t MaxPairs = 100;  // the caller's pair arrays hold entries 0..100

inline void AddFinite(double& target, double amount) {
  const double r = target + amount;
  if (std::isfinite(r)) target = r;
}
inline void SubFinite(double& target, double amount) {
  const double r = target - amount;
  if (std::isfinite(r)) target = r;
}

// Lists the touching lanes of one vector in lane order, never past entry 100.
inline void ListPairs(unsigned mask, int32_t j, int32_t k0, int32_t& count, int32_t* pairHigher,
                      int32_t* pairLower) {
  while (mask != 0 && count < MaxPairs) {
    const int lane = __builtin_ctz(mask);
    ++count;
    pairHigher[count] = k0 + lane;
    pairLower[count] = j;
    mask &= mask - 1;
  }
}

// Body j's velocity as one vector (vx, vy, vz, unused). What it receives from
// partner k is the vector (tx, ty, tz, -0), so one vector addition per partner
// adds the three components each in ascending k. The terms of a row's vectors
// wait here and are added Lag vectors late: the additions form one long chain,
// and queuing them lets the divisions of the next vectors run meanwhile.
template <int Lanes, int Lag>
struct PendingXyz {
  static constexpr int Slots = 4;
  static_assert(Lag < Slots, "a queued vector must not be overwritten before it is added");
  alignas(32) double t[Slots][Lanes][4];
  bool any[Slots];

  double (*Terms(int b))[4] { return t[b & (Slots - 1)]; }
  void SetAny(int b, bool a) { any[b & (Slots - 1)] = a; }

  __attribute__((target("avx2"), always_inline)) void AddInto(int b, __m256d& acc) {
    const int s = b & (Slots - 1);
    if (!any[s]) return;
    __m256d sum = acc;
    for (int l = 0; l < Lanes; ++l) sum = _mm256_add_pd(sum, _mm256_load_pd(t[s][l]));
    const __m256d absSum = _mm256_andnot_pd(_mm256_set1_pd(-0.0), sum);
    if (__builtin_expect(
            _mm256_movemask_pd(_mm256_cmp_pd(absSum, _mm256_set1_pd(Inf), _CMP_LT_OQ)) == 0xF,
            1)) {
      acc = sum;
      return;
    }
    alignas(32) double a[4];
    _mm256_store_pd(a, acc);
    for (int l = 0; l < Lanes; ++l)
      for (int c = 0; c < 3; ++c) AddFinite(a[c], t[s][l][c]);
    acc = _mm256_load_pd(a);
  }
  __attribute__((target("avx2"), always_inline)) void AddDue(int b, __m256d& acc) {
    if (b >= Lag) AddInto(b - Lag, acc);
  }
  __attribute__((target("avx2"), always_inline)) void AddRest(int count, __m256d& acc) {
    for (int b = count - Lag < 0 ? 0 : count - Lag; b < count; ++b) AddInto(b, acc);
  }
};

// Writes the four (tx, ty, tz, w) vectors of lanes 0..3.
__attribute__((target("avx2"), always_inline)) inline void StoreByLane4(
    double (*dst)[4], __m256d tx, __m256d ty, __m256d tz, __m256d w) {
  const __m256d t0 = _mm256_unpacklo_pd(tx, ty), t1 = _mm256_unpackhi_pd(tx, ty);
  const __m256d t2 = _mm256_unpacklo_pd(tz, w), t3 = _mm256_unpackhi_pd(tz, w);
  _mm256_store_pd(dst[0], _mm256_permute2f128_pd(t0, t2, 0x20));
  _mm256_store_pd(dst[1], _mm256_permute2f128_pd(t1, t3, 0x20));
  _mm256_store_pd(dst[2], _mm256_permute2f128_pd(t0, t2, 0x31));
  _mm256_store_pd(dst[3], _mm256_permute2f128_pd(t1, t3, 0x31));
}

// One pair (j, k). ax, ay, az carry body j's velocity through its row (no k of
// the row is j, so keeping it in registers changes nothing).
[[gnu::always_inline]] inline void OnePair(int32_t j, int32_t k, double GMj, double xj, double yj,
                                           double zj, double sj, double& ax, double& ay,
                                           double& az, const double* mass, const double* x,
                                           const double* y, const double* z, double* vx,
                                           double* vy, double* vz, const double* size,
                                           int32_t& count, int32_t* pairHigher,
                                           int32_t* pairLower) {
  const double dx = x[k] - xj;
  const double dy = y[k] - yj;
  const double dz = z[k] - zj;
  const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
  if ((sj + size[k]) / 2.0 > d && count < MaxPairs) {
    ++count;
    pairHigher[count] = k;
    pairLower[count] = j;
  }
  // Coincident bodies have no direction between them: no attraction.
  if (!(d > 0.0) || !(d < Inf)) return;
  const double ux = dx / d;
  const double uy = dy / d;
  const double uz = dz / d;
  if (GMj > 0.0) {
    const double f = (1.0 / d) * (1.0 / d) * GMj;
    SubFinite(vx[k], ux * f);
    SubFinite(vy[k], uy * f);
    SubFinite(vz[k], uz * f);
  }
  const double GMk = mass[k] * EarthGM;
  if (GMk > 0.0) {
    const double f = (1.0 / d) * (1.0 / d) * GMk;
    SubFinite(ax, (-ux) * f);
    SubFinite(ay, (-uy) * f);
    SubFinite(az, (-uz) * f);
  }
}

[[gnu::always_inline]] inline void DriftAll(int32_t n, double* x, double* y, double* z,
                                            const double* vx, const double* vy,
                                            const double* vz) {
  for (int32_t j = 0; j <= n; ++j) {
    AddFinite(x[j], vx[j]);
    AddFinite(y[j], vy[j]);
    AddFinite(z[j], vz[j]);
  }
}

}  // namespace

int32_t RunLoopScalar(int32_t n, double* mass, double* x, double* y, double* z, double* vx,
                      double* vy, double* vz, double* size, int32_t* pairHigher,
                      int32_t* pairLower) {
  if (n < 1) return 0;
  int32_t count = 0;
  for (int32_t j = 1; j <= n; ++j) {
    const double GMj = mass[j] * EarthGM;
    const double xj = x[j], yj = y[j], zj = z[j], sj = size[j];
    double ax = vx[j], ay = vy[j], az = vz[j];
    for (int32_t k = j + 1; k <= n; ++k)
      OnePair(j, k, GMj, xj, yj, zj, sj, ax, ay, az, mass, x, y, z, vx, vy, vz, size, count,
              pairHigher, pairLower);
    vx[j] = ax;
    vy[j] = ay;
    vz[j] = az;
  }
  DriftAll(n, x, y, z, vx, vy, vz);
  return 1;
}

namespace {

// v[k..k+3] -= u * f in the lanes of `use` whose result stays finite.
__attribute__((target("avx2"))) inline void PullLanes4(double* v, __m256d u, __m256d f,
                                                        __m256d use) {
  const __m256d old = _mm256_loadu_pd(v);
  const __m256d r = _mm256_sub_pd(old, _mm256_mul_pd(u, f));
  const __m256d absR = _mm256_andnot_pd(_mm256_set1_pd(-0.0), r);
  const __m256d ok = _mm256_and_pd(use, _mm256_cmp_pd(absR, _mm256_set1_pd(Inf), _CMP_LT_OQ));
  _mm256_storeu_pd(v, _mm256_blendv_pd(old, r, ok));
}

__attribute__((target("avx512f"))) inline void PullLanes8(double* v, __m512d u, __m512d f,
                                                           __mmask8 use) {
  const __m512d r = _mm512_sub_pd(_mm512_loadu_pd(v), _mm512_mul_pd(u, f));
  const __mmask8 ok =
      use & _mm512_cmp_pd_mask(_mm512_abs_pd(r), _mm512_set1_pd(Inf), _CMP_LT_OQ);
  _mm512_mask_storeu_pd(v, ok, r);
}

// The differences and the distance for the partners k..k+Lanes-1. The loops
// compute them one vector ahead, so the square root of the next vector runs
// while the current one is finished.
struct Geometry4 {
  __m256d dx, dy, dz, d;
};
struct Geometry8 {
  __m512d dx, dy, dz, d;
};

__attribute__((target("avx2"), always_inline)) inline Geometry4 Measure4(
    const double* x, const double* y, const double* z, int32_t k, __m256d xj, __m256d yj,
    __m256d zj) {
  Geometry4 g;
  g.dx = _mm256_sub_pd(_mm256_loadu_pd(x + k), xj);
  g.dy = _mm256_sub_pd(_mm256_loadu_pd(y + k), yj);
  g.dz = _mm256_sub_pd(_mm256_loadu_pd(z + k), zj);
  g.d = _mm256_sqrt_pd(_mm256_add_pd(
      _mm256_add_pd(_mm256_mul_pd(g.dx, g.dx), _mm256_mul_pd(g.dy, g.dy)),
      _mm256_mul_pd(g.dz, g.dz)));
  return g;
}

__attribute__((target("avx512f"), always_inline)) inline Geometry8 Measure8(
    const double* x, const double* y, const double* z, int32_t k, __m512d xj, __m512d yj,
    __m512d zj) {
  Geometry8 g;
  g.dx = _mm512_sub_pd(_mm512_loadu_pd(x + k), xj);
  g.dy = _mm512_sub_pd(_mm512_loadu_pd(y + k), yj);
  g.dz = _mm512_sub_pd(_mm512_loadu_pd(z + k), zj);
  // (The zero-masked form is the same square root; the plain intrinsic trips
  // a false uninitialised warning in GCC 12.)
  g.d = _mm512_maskz_sqrt_pd(0xFF, _mm512_add_pd(
      _mm512_add_pd(_mm512_mul_pd(g.dx, g.dx), _mm512_mul_pd(g.dy, g.dy)),
      _mm512_mul_pd(g.dz, g.dz)));
  return g;
}

}  // namespace

__attribute__((target("avx2"))) int32_t RunLoopAvx2(int32_t n, double* mass, double* x,
                                                    double* y, double* z, double* vx, double* vy,
                                                    double* vz, double* size,
                                                    int32_t* pairHigher, int32_t* pairLower) {
  if (n < 1) return 0;
  int32_t count = 0;
  const __m256d zero = _mm256_setzero_pd();
  const __m256d negZero = _mm256_set1_pd(-0.0);
  const __m256d inf = _mm256_set1_pd(Inf);
  const __m256d one = _mm256_set1_pd(1.0);
  const __m256d half = _mm256_set1_pd(0.5);  // s / 2 and s * 0.5 round alike
  const __m256d gm = _mm256_set1_pd(EarthGM);
  PendingXyz<4, 3> pending;
  for (int32_t j = 1; j <= n; ++j) {
    const double GMj = mass[j] * EarthGM;
    const bool pullsK = GMj > 0.0;
    const __m256d xj = _mm256_set1_pd(x[j]), yj = _mm256_set1_pd(y[j]),
                  zj = _mm256_set1_pd(z[j]), sj = _mm256_set1_pd(size[j]),
                  gmj = _mm256_set1_pd(GMj);
    __m256d acc = _mm256_set_pd(0.0, vz[j], vy[j], vx[j]);
    int32_t k = j + 1;
    int b = 0;  // vectors of this row so far
    Geometry4 next{};
    if (k + 3 <= n) next = Measure4(x, y, z, k, xj, yj, zj);
    for (; k + 3 <= n; k += 4, ++b) {
      const Geometry4 g = next;
      if (k + 7 <= n) next = Measure4(x, y, z, k + 4, xj, yj, zj);
      const __m256d dx = g.dx, dy = g.dy, dz = g.dz, d = g.d;
      if (count < MaxPairs) {
        const __m256d reach = _mm256_mul_pd(_mm256_add_pd(sj, _mm256_loadu_pd(size + k)), half);
        const unsigned touch = unsigned(_mm256_movemask_pd(_mm256_cmp_pd(reach, d, _CMP_GT_OQ)));
        if (touch != 0) ListPairs(touch, j, k, count, pairHigher, pairLower);
      }
      const __m256d apart =
          _mm256_and_pd(_mm256_cmp_pd(d, zero, _CMP_GT_OQ), _mm256_cmp_pd(d, inf, _CMP_LT_OQ));
      const __m256d r = _mm256_div_pd(one, d);
      const __m256d r2 = _mm256_mul_pd(r, r);
      const __m256d ux = _mm256_div_pd(dx, d);
      const __m256d uy = _mm256_div_pd(dy, d);
      const __m256d uz = _mm256_div_pd(dz, d);
      if (pullsK) {
        const __m256d f = _mm256_mul_pd(r2, gmj);
        // Usually every result is finite: then one check for the whole vector
        // does. A lane that does not pull subtracts +0, which changes nothing.
        const __m256d rx =
            _mm256_sub_pd(_mm256_loadu_pd(vx + k), _mm256_and_pd(apart, _mm256_mul_pd(ux, f)));
        const __m256d ry =
            _mm256_sub_pd(_mm256_loadu_pd(vy + k), _mm256_and_pd(apart, _mm256_mul_pd(uy, f)));
        const __m256d rz =
            _mm256_sub_pd(_mm256_loadu_pd(vz + k), _mm256_and_pd(apart, _mm256_mul_pd(uz, f)));
        // v * 0 is 0 for a finite v and NaN otherwise.
        const __m256d probe = _mm256_add_pd(
            _mm256_add_pd(_mm256_mul_pd(rx, zero), _mm256_mul_pd(ry, zero)),
            _mm256_mul_pd(rz, zero));
        if (__builtin_expect(
                _mm256_movemask_pd(_mm256_cmp_pd(probe, zero, _CMP_NEQ_UQ)) == 0, 1)) {
          _mm256_storeu_pd(vx + k, rx);
          _mm256_storeu_pd(vy + k, ry);
          _mm256_storeu_pd(vz + k, rz);
        } else {
          PullLanes4(vx + k, ux, f, apart);
          PullLanes4(vy + k, uy, f, apart);
          PullLanes4(vz + k, uz, f, apart);
        }
      }
      const __m256d gmk = _mm256_mul_pd(_mm256_loadu_pd(mass + k), gm);
      const __m256d pullsJ = _mm256_and_pd(apart, _mm256_cmp_pd(gmk, zero, _CMP_GT_OQ));
      // v -= (-u) * f is v += u * f to the bit; a lane that does not pull
      // adds -0, which leaves every value (+0 and -0 included) as it is.
      const __m256d f = _mm256_mul_pd(r2, gmk);
      StoreByLane4(pending.Terms(b), _mm256_blendv_pd(negZero, _mm256_mul_pd(ux, f), pullsJ),
                   _mm256_blendv_pd(negZero, _mm256_mul_pd(uy, f), pullsJ),
                   _mm256_blendv_pd(negZero, _mm256_mul_pd(uz, f), pullsJ), negZero);
      pending.SetAny(b, _mm256_movemask_pd(pullsJ) != 0);
      pending.AddDue(b, acc);
    }
    pending.AddRest(b, acc);
    alignas(32) double a[4];
    _mm256_store_pd(a, acc);
    double ax = a[0], ay = a[1], az = a[2];
    for (; k <= n; ++k)
      OnePair(j, k, GMj, x[j], y[j], z[j], size[j], ax, ay, az, mass, x, y, z, vx, vy, vz, size,
              count, pairHigher, pairLower);
    vx[j] = ax;
    vy[j] = ay;
    vz[j] = az;
  }
  DriftAll(n, x, y, z, vx, vy, vz);
  return 1;
}

__attribute__((target("avx512f"))) int32_t RunLoopAvx512(int32_t n, double* mass, double* x,
                                                         double* y, double* z, double* vx,
                                                         double* vy, double* vz, double* size,
                                                         int32_t* pairHigher,
                                                         int32_t* pairLower) {
  if (n < 1) return 0;
  int32_t count = 0;
  const __m512d zero = _mm512_setzero_pd();
  const __m512d negZero = _mm512_set1_pd(-0.0);
  const __m512d inf = _mm512_set1_pd(Inf);
  const __m512d one = _mm512_set1_pd(1.0);
  const __m512d half = _mm512_set1_pd(0.5);  // s / 2 and s * 0.5 round alike
  const __m512d gm = _mm512_set1_pd(EarthGM);
  PendingXyz<8, 2> pending;
  for (int32_t j = 1; j <= n; ++j) {
    const double GMj = mass[j] * EarthGM;
    const bool pullsK = GMj > 0.0;
    const __m512d xj = _mm512_set1_pd(x[j]), yj = _mm512_set1_pd(y[j]),
                  zj = _mm512_set1_pd(z[j]), sj = _mm512_set1_pd(size[j]),
                  gmj = _mm512_set1_pd(GMj);
    __m256d acc = _mm256_set_pd(0.0, vz[j], vy[j], vx[j]);
    int32_t k = j + 1;
    int b = 0;  // vectors of this row so far
    Geometry8 next{};
    if (k + 7 <= n) next = Measure8(x, y, z, k, xj, yj, zj);
    for (; k + 7 <= n; k += 8, ++b) {
      const Geometry8 g = next;
      if (k + 15 <= n) next = Measure8(x, y, z, k + 8, xj, yj, zj);
      const __m512d dx = g.dx, dy = g.dy, dz = g.dz, d = g.d;
      if (count < MaxPairs) {
        const __m512d reach = _mm512_mul_pd(_mm512_add_pd(sj, _mm512_loadu_pd(size + k)), half);
        const unsigned touch = _mm512_cmp_pd_mask(reach, d, _CMP_GT_OQ);
        if (touch != 0) ListPairs(touch, j, k, count, pairHigher, pairLower);
      }
      const __mmask8 apart =
          _mm512_cmp_pd_mask(d, zero, _CMP_GT_OQ) & _mm512_cmp_pd_mask(d, inf, _CMP_LT_OQ);
      const __m512d r = _mm512_div_pd(one, d);
      const __m512d r2 = _mm512_mul_pd(r, r);
      const __m512d ux = _mm512_div_pd(dx, d);
      const __m512d uy = _mm512_div_pd(dy, d);
      const __m512d uz = _mm512_div_pd(dz, d);
      if (pullsK) {
        const __m512d f = _mm512_mul_pd(r2, gmj);
        PullLanes8(vx + k, ux, f, apart);
        PullLanes8(vy + k, uy, f, apart);
        PullLanes8(vz + k, uz, f, apart);
      }
      const __m512d gmk = _mm512_mul_pd(_mm512_loadu_pd(mass + k), gm);
      const __mmask8 pullsJ = apart & _mm512_cmp_pd_mask(gmk, zero, _CMP_GT_OQ);
      // v -= (-u) * f is v += u * f to the bit; a lane that does not pull
      // adds -0, which leaves every value (+0 and -0 included) as it is.
      const __m512d f = _mm512_mul_pd(r2, gmk);
      const __m512d tx = _mm512_mask_mul_pd(negZero, pullsJ, ux, f);
      const __m512d ty = _mm512_mask_mul_pd(negZero, pullsJ, uy, f);
      const __m512d tz = _mm512_mask_mul_pd(negZero, pullsJ, uz, f);
      const __m256d w = _mm256_set1_pd(-0.0);
      // (Zero-masked extracts: the plain ones trip the same GCC 12 warning.)
      StoreByLane4(pending.Terms(b), _mm512_maskz_extractf64x4_pd(0xFF, tx, 0),
                   _mm512_maskz_extractf64x4_pd(0xFF, ty, 0),
                   _mm512_maskz_extractf64x4_pd(0xFF, tz, 0), w);
      StoreByLane4(pending.Terms(b) + 4, _mm512_maskz_extractf64x4_pd(0xFF, tx, 1),
                   _mm512_maskz_extractf64x4_pd(0xFF, ty, 1),
                   _mm512_maskz_extractf64x4_pd(0xFF, tz, 1), w);
      pending.SetAny(b, pullsJ != 0);
      pending.AddDue(b, acc);
    }
    pending.AddRest(b, acc);
    alignas(32) double a[4];
    _mm256_store_pd(a, acc);
    double ax = a[0], ay = a[1], az = a[2];
    for (; k <= n; ++k)
      OnePair(j, k, GMj, x[j], y[j], z[j], size[j], ax, ay, az, mass, x, y, z, vx, vy, vz, size,
              count, pairHigher, pairLower);
    vx[j] = ax;
    vy[j] = ay;
    vz[j] = az;
  }
  DriftAll(n, x, y, z, vx, vy, vz);
  return 1;
}

bool CpuHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

bool CpuHasAvx512() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f");
}

LoopFn BestLoop() {
  if (CpuHasAvx512()) return RunLoopAvx512;
  if (CpuHasAvx2()) return RunLoopAvx2;
  return RunLoopScalar;
}

}  // namespace brisklet
