// The force loop: attraction of every pair (j, k), j < k, in the order
// (1,2), (1,3), ..., (2,3), ..., then the drift of bodies 0..n.
//
// Every build does the same operations in the same order on every value a
// velocity receives, so they agree to the bit with each other and with the
// program's built-in loop. The vector builds only reschedule: for a fixed j the
// updates of the partners k are independent, so they run across k in vector
// lanes; what body j itself receives is added to its velocity one term after
// the other in ascending k. The AVX-512 build takes rows j and j+1 together,
// and body k still receives row j's term before row j+1's. Vector division
// and square root are correctly rounded like the scalar ones. The AVX-512
// variants that take 1/d and the quotients onto the FMA units compute the
// same correctly rounded values (proven in docs/fma-division.md), falling
// back to the divider lane by lane outside the proven domain.
//
// Like the built-in loop, an update whose result would not be finite leaves
// the value as it was, and coincident bodies (d = 0) do not attract.
#include "forceloop/kernel.h"

#include <immintrin.h>

#include <algorithm>
#include <chrono>
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
inline void ListPairs(unsigned mask, int32_t j, int32_t k0, int32_t& count, int32_t* pairHigher, int32_t* pairLower) {
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
    if (__builtin_expect(_mm256_movemask_pd(_mm256_cmp_pd(absSum, _mm256_set1_pd(Inf), _CMP_LT_OQ)) == 0xF, 1)) {
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
__attribute__((target("avx2"), always_inline)) inline void StoreByLane4(double (*dst)[4], __m256d tx, __m256d ty,
                                                                        __m256d tz, __m256d w) {
  const __m256d t0 = _mm256_unpacklo_pd(tx, ty), t1 = _mm256_unpackhi_pd(tx, ty);
  const __m256d t2 = _mm256_unpacklo_pd(tz, w), t3 = _mm256_unpackhi_pd(tz, w);
  _mm256_store_pd(dst[0], _mm256_permute2f128_pd(t0, t2, 0x20));
  _mm256_store_pd(dst[1], _mm256_permute2f128_pd(t1, t3, 0x20));
  _mm256_store_pd(dst[2], _mm256_permute2f128_pd(t0, t2, 0x31));
  _mm256_store_pd(dst[3], _mm256_permute2f128_pd(t1, t3, 0x31));
}

// One pair (j, k). ax, ay, az carry body j's velocity through its row (no k of
// the row is j, so keeping it in registers changes nothing).
[[gnu::always_inline]] inline void OnePair(int32_t j, int32_t k, double GMj, double xj, double yj, double zj, double sj,
                                           double& ax, double& ay, double& az, const double* mass, const double* x,
                                           const double* y, const double* z, double* vx, double* vy, double* vz,
                                           const double* size, int32_t& count, int32_t* pairHigher,
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

[[gnu::always_inline]] inline void DriftAll(int32_t n, double* x, double* y, double* z, const double* vx,
                                            const double* vy, const double* vz) {
  for (int32_t j = 0; j <= n; ++j) {
    AddFinite(x[j], vx[j]);
    AddFinite(y[j], vy[j]);
    AddFinite(z[j], vz[j]);
  }
}

}  // namespace

int32_t RunLoopScalar(int32_t n, double* mass, double* x, double* y, double* z, double* vx, double* vy, double* vz,
                      double* size, int32_t* pairHigher, int32_t* pairLower) {
  if (n < 1) return 0;
  int32_t count = 0;
  for (int32_t j = 1; j <= n; ++j) {
    const double GMj = mass[j] * EarthGM;
    const double xj = x[j], yj = y[j], zj = z[j], sj = size[j];
    double ax = vx[j], ay = vy[j], az = vz[j];
    for (int32_t k = j + 1; k <= n; ++k)
      OnePair(j, k, GMj, xj, yj, zj, sj, ax, ay, az, mass, x, y, z, vx, vy, vz, size, count, pairHigher, pairLower);
    vx[j] = ax;
    vy[j] = ay;
    vz[j] = az;
  }
  DriftAll(n, x, y, z, vx, vy, vz);
  return 1;
}

namespace {

// v[k..k+3] -= u * f in the lanes of `use` whose result stays finite.
__attribute__((target("avx2"))) inline void PullLanes4(double* v, __m256d u, __m256d f, __m256d use) {
  const __m256d old = _mm256_loadu_pd(v);
  const __m256d r = _mm256_sub_pd(old, _mm256_mul_pd(u, f));
  const __m256d absR = _mm256_andnot_pd(_mm256_set1_pd(-0.0), r);
  const __m256d ok = _mm256_and_pd(use, _mm256_cmp_pd(absR, _mm256_set1_pd(Inf), _CMP_LT_OQ));
  _mm256_storeu_pd(v, _mm256_blendv_pd(old, r, ok));
}

// The differences and the distance for the partners k..k+Lanes-1. The loops
// compute them one vector ahead, so the square root of the next vector runs
// while the current one is finished.
struct Geometry4 {
  __m256d dx, dy, dz, d;
};

__attribute__((target("avx2"), always_inline)) inline Geometry4 Measure4(const double* x, const double* y,
                                                                         const double* z, int32_t k, __m256d xj,
                                                                         __m256d yj, __m256d zj) {
  Geometry4 g;
  g.dx = _mm256_sub_pd(_mm256_loadu_pd(x + k), xj);
  g.dy = _mm256_sub_pd(_mm256_loadu_pd(y + k), yj);
  g.dz = _mm256_sub_pd(_mm256_loadu_pd(z + k), zj);
  g.d = _mm256_sqrt_pd(
      _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(g.dx, g.dx), _mm256_mul_pd(g.dy, g.dy)), _mm256_mul_pd(g.dz, g.dz)));
  return g;
}

// The reciprocal and the quotients on the FMA units are correctly rounded on
// the domain proven in docs/fma-division.md: distances d in [2^-300, 2^300]
// and numerators that are 0 or of magnitude in [2^-600, 2^600]; for the
// reciprocal, d's significand not all ones. Every other lane, NaN included,
// takes the divider's result, so each lane holds what vdivpd gives. In
// 256-bit vectors they need AVX-512VL (rcp14, masks, masked division); the
// steps are explained with the 512-bit ones below.
constexpr double DistLow = 0x1p-300, DistHigh = 0x1p300;
constexpr double NumLow = 0x1p-600, NumHigh = 0x1p600;
constexpr long long SignificandBits = 0x000FFFFFFFFFFFFFLL;

__attribute__((target("avx2,fma,avx512f,avx512vl"), always_inline)) inline __mmask8 DistInDomain4(__m256d d) {
  return _mm256_mask_cmp_pd_mask(_mm256_cmp_pd_mask(d, _mm256_set1_pd(DistLow), _CMP_GE_OQ), d,
                                 _mm256_set1_pd(DistHigh), _CMP_LE_OQ);
}

__attribute__((target("avx2,fma,avx512f,avx512vl"), always_inline)) inline __m256d ReciprocalFma4(__m256d d,
                                                                                                  __mmask8 distOk) {
  const __m256d one = _mm256_set1_pd(1.0);
  __m256d y = _mm256_maskz_rcp14_pd(0xF, d);
  y = _mm256_fmadd_pd(y, _mm256_fnmadd_pd(d, y, one), y);
  y = _mm256_fmadd_pd(y, _mm256_fnmadd_pd(d, y, one), y);
  y = _mm256_fmadd_pd(y, _mm256_fnmadd_pd(d, y, one), y);
  const __m256i bits = _mm256_set1_epi64x(SignificandBits);
  const __mmask8 allOnes = _mm256_cmpeq_epi64_mask(_mm256_and_si256(_mm256_castpd_si256(d), bits), bits);
  const __mmask8 fallback = 0xF & ~(distOk & ~allOnes);
  if (__builtin_expect(fallback != 0, 0)) y = _mm256_mask_div_pd(y, fallback, one, d);
  return y;
}

__attribute__((target("avx2,fma,avx512f,avx512vl"), always_inline)) inline __m256d QuotientFma4(__m256d a, __m256d d,
                                                                                                __m256d y,
                                                                                                __mmask8 distOk) {
  __m256d q = _mm256_mul_pd(a, y);
  q = _mm256_fnmadd_pd(_mm256_fmsub_pd(d, q, a), y, q);
  q = _mm256_fnmadd_pd(_mm256_fmsub_pd(d, q, a), y, q);
  const __m256d absA = _mm256_andnot_pd(_mm256_set1_pd(-0.0), a);
  const __mmask8 numOk = _mm256_cmp_pd_mask(a, _mm256_setzero_pd(), _CMP_EQ_OQ) |
                         _mm256_mask_cmp_pd_mask(_mm256_cmp_pd_mask(absA, _mm256_set1_pd(NumLow), _CMP_GE_OQ), absA,
                                                 _mm256_set1_pd(NumHigh), _CMP_LE_OQ);
  const __mmask8 fallback = 0xF & ~(distOk & numOk);
  if (__builtin_expect(fallback != 0, 0)) q = _mm256_mask_div_pd(q, fallback, a, d);
  return q;
}

// The target switch of a whole block, as GCC and clang each spell it.
#define TARGET_BLOCK_PRAGMA(text) _Pragma(#text)
#if defined(__clang__)
#define TARGET_BLOCK_BEGIN(features) \
  TARGET_BLOCK_PRAGMA(clang attribute push(__attribute__((target(features))), apply_to = function))
#define TARGET_BLOCK_END TARGET_BLOCK_PRAGMA(clang attribute pop)
#else
#define TARGET_BLOCK_BEGIN(features) TARGET_BLOCK_PRAGMA(GCC push_options) TARGET_BLOCK_PRAGMA(GCC target(features))
#define TARGET_BLOCK_END TARGET_BLOCK_PRAGMA(GCC pop_options)
#endif

namespace avx2 {
TARGET_BLOCK_BEGIN("avx2")
#include "forceloop/row4.inc"
TARGET_BLOCK_END
}  // namespace avx2

namespace vl {
TARGET_BLOCK_BEGIN("avx2,fma,avx512f,avx512vl")
#include "forceloop/row4.inc"
TARGET_BLOCK_END
}  // namespace vl

}  // namespace

int32_t RunLoopAvx2(int32_t n, double* mass, double* x, double* y, double* z, double* vx, double* vy, double* vz,
                    double* size, int32_t* pairHigher, int32_t* pairLower) {
  return avx2::Loop4<0, 0>(n, mass, x, y, z, vx, vy, vz, size, pairHigher, pairLower);
}

namespace {

// Body j's terms from the partners kFrom..n added one at a time with the
// finiteness check after each, for the rare row whose unchecked total is not
// finite. The terms are the vector loop's to the bit.
__attribute__((noinline, cold)) void AddRowChecked(int32_t j, int32_t kFrom, int32_t n, const double* mass,
                                                   const double* x, const double* y, const double* z, double* v) {
  for (int32_t k = kFrom; k <= n; ++k) {
    const double dx = x[k] - x[j];
    const double dy = y[k] - y[j];
    const double dz = z[k] - z[j];
    const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!(d > 0.0) || !(d < Inf)) continue;
    const double GMk = mass[k] * EarthGM;
    if (!(GMk > 0.0)) continue;
    const double f = (1.0 / d) * (1.0 / d) * GMk;
    AddFinite(v[0], (dx / d) * f);
    AddFinite(v[1], (dy / d) * f);
    AddFinite(v[2], (dz / d) * f);
  }
}

struct Tables {
  const double *mass, *x, *y, *z, *size;
  double *vx, *vy, *vz;
};

// The lanes of partners k..k+7 that exist (k <= n); none past the end.
inline __mmask8 LiveLanes8(int32_t k, int32_t n) {
  return n - k >= 7 ? 0xFF : n < k ? 0 : __mmask8((1u << (n - k + 1)) - 1);
}

// One row's body, broadcast.
struct Row8 {
  __m512d x, y, z, gm, size;
  __mmask8 pullsK;  // all lanes when the body attracts, else none
};

__attribute__((target("avx512f"), always_inline)) inline Row8 MakeRow8(int32_t j, const Tables& t) {
  const double GMj = t.mass[j] * EarthGM;
  return Row8{_mm512_set1_pd(t.x[j]), _mm512_set1_pd(t.y[j]),    _mm512_set1_pd(t.z[j]),
              _mm512_set1_pd(GMj),    _mm512_set1_pd(t.size[j]), __mmask8(GMj > 0.0 ? 0xFF : 0)};
}

// A row's differences and distances to the partners k..k+7. The loop takes
// them one vector ahead, so the square roots of the next partners queue at
// the divider ahead of this vector's divisions.
struct Geometry8 {
  __m512d dx, dy, dz, d;
};

__attribute__((target("avx512f"), always_inline)) inline Geometry8 Measure8(const Row8& r, __m512d xk, __m512d yk,
                                                                            __m512d zk) {
  Geometry8 g;
  g.dx = _mm512_sub_pd(xk, r.x);
  g.dy = _mm512_sub_pd(yk, r.y);
  g.dz = _mm512_sub_pd(zk, r.z);
  // (The zero-masked form is the same square root; the plain intrinsic trips
  // a false uninitialised warning in GCC 12.)
  g.d = _mm512_maskz_sqrt_pd(0xFF, _mm512_add_pd(_mm512_add_pd(_mm512_mul_pd(g.dx, g.dx), _mm512_mul_pd(g.dy, g.dy)),
                                                 _mm512_mul_pd(g.dz, g.dz)));
  return g;
}

// The reciprocal and the quotients on the FMA units in 512-bit vectors, on
// the domain stated with the 256-bit ones above.
__attribute__((target("avx512f"), always_inline)) inline __mmask8 DistInDomain8(__m512d d) {
  return _mm512_mask_cmp_pd_mask(_mm512_cmp_pd_mask(d, _mm512_set1_pd(DistLow), _CMP_GE_OQ), d,
                                 _mm512_set1_pd(DistHigh), _CMP_LE_OQ);
}

// 1/d from vrcp14pd (relative error below 2^-14) and two Newton steps with
// the residual by FMA, which leave it within one ulp; the third step's
// residual is exact, so it rounds correctly (Markstein).
__attribute__((target("avx512f"), always_inline)) inline __m512d ReciprocalFma8(__m512d d, __mmask8 distOk,
                                                                                __mmask8 live) {
  const __m512d one = _mm512_set1_pd(1.0);
  __m512d y = _mm512_maskz_rcp14_pd(0xFF, d);
  y = _mm512_fmadd_pd(y, _mm512_fnmadd_pd(d, y, one), y);
  y = _mm512_fmadd_pd(y, _mm512_fnmadd_pd(d, y, one), y);
  y = _mm512_fmadd_pd(y, _mm512_fnmadd_pd(d, y, one), y);
  const __m512i bits = _mm512_set1_epi64(SignificandBits);
  const __mmask8 allOnes = _mm512_cmpeq_epi64_mask(_mm512_and_si512(_mm512_castpd_si512(d), bits), bits);
  const __mmask8 fallback = live & ~(distOk & ~allOnes);
  if (__builtin_expect(fallback != 0, 0)) y = _mm512_mask_div_pd(y, fallback, one, d);
  return y;
}

// a/d from y = RN(1/d): q = RN(a y) is within 1.5 ulp, one correction step
// brings it within one ulp, and the second, whose residual is exact, rounds
// correctly (Markstein). A zero of either sign comes out as vdivpd gives it.
__attribute__((target("avx512f"), always_inline)) inline __m512d QuotientFma8(__m512d a, __m512d d, __m512d y,
                                                                              __mmask8 distOk, __mmask8 live) {
  __m512d q = _mm512_mul_pd(a, y);
  q = _mm512_fnmadd_pd(_mm512_fmsub_pd(d, q, a), y, q);
  q = _mm512_fnmadd_pd(_mm512_fmsub_pd(d, q, a), y, q);
  const __m512d absA = _mm512_abs_pd(a);
  const __mmask8 numOk = _mm512_cmp_pd_mask(a, _mm512_setzero_pd(), _CMP_EQ_OQ) |
                         _mm512_mask_cmp_pd_mask(_mm512_cmp_pd_mask(absA, _mm512_set1_pd(NumLow), _CMP_GE_OQ), absA,
                                                 _mm512_set1_pd(NumHigh), _CMP_LE_OQ);
  const __mmask8 fallback = live & ~(distOk & numOk);
  if (__builtin_expect(fallback != 0, 0)) q = _mm512_mask_div_pd(q, fallback, a, d);
  return q;
}

// Where each of 1/d, dx/d, dy/d, dz/d comes from: Rcp on the FMA units or
// the divider; the first Quo of the three quotients on the FMA units. Every
// split gives the same bits.
template <int Rcp, int Quo>
__attribute__((target("avx512f"), always_inline)) inline void Divide8(const Geometry8& g, __mmask8 live, __m512d& inv,
                                                                      __m512d& ux, __m512d& uy, __m512d& uz) {
  const __m512d d = g.d;
  __mmask8 distOk = 0;
  if constexpr (Rcp != 0 || Quo != 0) distOk = DistInDomain8(d);
  if constexpr (Rcp != 0) {
    inv = ReciprocalFma8(d, distOk, live);
  } else {
    inv = _mm512_div_pd(_mm512_set1_pd(1.0), d);
  }
  ux = Quo >= 1 ? QuotientFma8(g.dx, d, inv, distOk, live) : _mm512_div_pd(g.dx, d);
  uy = Quo >= 2 ? QuotientFma8(g.dy, d, inv, distOk, live) : _mm512_div_pd(g.dy, d);
  uz = Quo >= 3 ? QuotientFma8(g.dz, d, inv, distOk, live) : _mm512_div_pd(g.dz, d);
}

// What one row gives the partners k..k+7, in their lanes: the partners' terms
// (+0 where the row's body does not pull) and the row body's own terms
// negated (+0 where the partner does not pull). The body subtracts them:
// v - (-t) is v + t to the bit, and v - (+0) leaves every v as it is.
struct Terms8 {
  __m512d kx, ky, kz, jx, jy, jz;
};

template <int Rcp, int Quo>
__attribute__((target("avx512f"), always_inline)) inline Terms8 RowTerms8(const Row8& r, const Geometry8& g,
                                                                          __m512d negGmk, __mmask8 pullsJ,
                                                                          __mmask8 live) {
  const __m512d d = g.d;
  // Coincident bodies have no direction between them: no attraction.
  const __mmask8 apart = _mm512_mask_cmp_pd_mask(_mm512_mask_cmp_pd_mask(live, d, _mm512_setzero_pd(), _CMP_GT_OQ), d,
                                                 _mm512_set1_pd(Inf), _CMP_LT_OQ);
  __m512d inv, ux, uy, uz;
  Divide8<Rcp, Quo>(g, live, inv, ux, uy, uz);
  const __m512d inv2 = _mm512_mul_pd(inv, inv);
  Terms8 t;
  const __mmask8 toK = apart & r.pullsK;
  const __m512d fk = _mm512_mul_pd(inv2, r.gm);
  t.kx = _mm512_maskz_mul_pd(toK, ux, fk);
  t.ky = _mm512_maskz_mul_pd(toK, uy, fk);
  t.kz = _mm512_maskz_mul_pd(toK, uz, fk);
  // (1/d)(1/d)(-GMk) is -f to the bit, u * (-f) is -(u * f).
  const __mmask8 toJ = apart & pullsJ;
  const __m512d negFj = _mm512_mul_pd(inv2, negGmk);
  t.jx = _mm512_maskz_mul_pd(toJ, ux, negFj);
  t.jy = _mm512_maskz_mul_pd(toJ, uy, negFj);
  t.jz = _mm512_maskz_mul_pd(toJ, uz, negFj);
  return t;
}

// The zero-masked forms keep every lane: the same instructions, without the
// false uninitialised warnings that the plain intrinsics trip in GCC 12.
__attribute__((target("avx512f"), always_inline)) inline __m512d UnpackLo(__m512d a, __m512d b) {
  return _mm512_maskz_unpacklo_pd(0xFF, a, b);
}
__attribute__((target("avx512f"), always_inline)) inline __m512d UnpackHi(__m512d a, __m512d b) {
  return _mm512_maskz_unpackhi_pd(0xFF, a, b);
}
// 128-bit chunks 0 and 2 (Odd = false) or 1 and 3 of a, then the same of b.
template <bool Odd>
__attribute__((target("avx512f"), always_inline)) inline __m512d Chunks(__m512d a, __m512d b) {
  return _mm512_maskz_shuffle_f64x2(0xFF, a, b, Odd ? 0xDD : 0x88);
}

// Subtracts the negated terms of partners k..k+7 from two bodies' velocities
// held as (x, y, z, -, x, y, z, -): one subtraction per partner takes both
// bodies' three components, so each receives its terms one after the other
// in ascending k. t holds the two rows' x, y and z terms in lanes of partners.
__attribute__((target("avx512f"), always_inline)) inline __m512d AddInOrder8(__m512d acc, const double (*t)[8],
                                                                             int partners = 8) {
  const __m512d w = _mm512_setzero_pd();
  const __m512d ax = _mm512_load_pd(t[0]), ay = _mm512_load_pd(t[1]), az = _mm512_load_pd(t[2]);
  const __m512d bx = _mm512_load_pd(t[3]), by = _mm512_load_pd(t[4]), bz = _mm512_load_pd(t[5]);
  // (x, y) and (z, -) of partners 2i (...0) and 2i+1 (...1) in chunk i.
  const __m512d a0 = UnpackLo(ax, ay), a1 = UnpackHi(ax, ay);
  const __m512d b0 = UnpackLo(az, w), b1 = UnpackHi(az, w);
  const __m512d c0 = UnpackLo(bx, by), c1 = UnpackHi(bx, by);
  const __m512d e0 = UnpackLo(bz, w), e1 = UnpackHi(bz, w);
  // A 4 x 4 transpose of chunks gathers each partner's four chunks.
  const __m512d g0 = Chunks<false>(a0, b0), g1 = Chunks<true>(a0, b0);
  const __m512d h0 = Chunks<false>(c0, e0), h1 = Chunks<true>(c0, e0);
  const __m512d p0 = Chunks<false>(a1, b1), p1 = Chunks<true>(a1, b1);
  const __m512d q0 = Chunks<false>(c1, e1), q1 = Chunks<true>(c1, e1);
  // Partners past the table give +0, which changes nothing: a row's last
  // vector leaves them out.
  acc = _mm512_sub_pd(acc, Chunks<false>(g0, h0));  // partner k
  if (partners < 2) return acc;
  acc = _mm512_sub_pd(acc, Chunks<false>(p0, q0));  // k + 1
  if (partners < 3) return acc;
  acc = _mm512_sub_pd(acc, Chunks<false>(g1, h1));
  if (partners < 4) return acc;
  acc = _mm512_sub_pd(acc, Chunks<false>(p1, q1));
  if (partners < 5) return acc;
  acc = _mm512_sub_pd(acc, Chunks<true>(g0, h0));
  if (partners < 6) return acc;
  acc = _mm512_sub_pd(acc, Chunks<true>(p0, q0));
  if (partners < 7) return acc;
  acc = _mm512_sub_pd(acc, Chunks<true>(g1, h1));
  if (partners < 8) return acc;
  acc = _mm512_sub_pd(acc, Chunks<true>(p1, q1));  // k + 7
  return acc;
}

// v[0..7] -= a, then -= b, each update kept only where it stays finite.
__attribute__((target("avx512f"), always_inline)) inline void PullTwiceChecked8(double* v, __m512d a, __m512d b,
                                                                                __mmask8 live) {
  const __m512d inf = _mm512_set1_pd(Inf);
  __m512d old = _mm512_maskz_loadu_pd(live, v);
  const __m512d r1 = _mm512_sub_pd(old, a);
  old = _mm512_mask_mov_pd(old, _mm512_cmp_pd_mask(_mm512_abs_pd(r1), inf, _CMP_LT_OQ), r1);
  const __m512d r2 = _mm512_sub_pd(old, b);
  old = _mm512_mask_mov_pd(old, _mm512_cmp_pd_mask(_mm512_abs_pd(r2), inf, _CMP_LT_OQ), r2);
  _mm512_mask_storeu_pd(v, live, old);
}

// Partners k..k+7 receive both rows' terms with the check after each, for
// the rare vector whose unchecked results are not all finite. Out of line,
// so that the vector loop keeps its registers.
__attribute__((target("avx512f"), noinline, cold)) void PullPartnersChecked8(double* vx, double* vy, double* vz,
                                                                             __mmask8 live, __m512d ax, __m512d ay,
                                                                             __m512d az, __m512d bx, __m512d by,
                                                                             __m512d bz) {
  PullTwiceChecked8(vx, ax, bx, live);
  PullTwiceChecked8(vy, ay, by, live);
  PullTwiceChecked8(vz, az, bz, live);
}

// Row bodies' terms wait this many vectors before they are added, so the
// additions never hold up the divisions of the vectors after them.
constexpr int Lag8 = 2;

// Partner vectors of one row; the AVX-512 build has room for a note on each,
// so it takes up to this many bodies (the program's table holds 1000).
constexpr int MaxVectors8 = 128;
constexpr int32_t MaxBodies8 = 8 * MaxVectors8;

// The touching partners of one row pair, noted for the rare vector in which
// a pair touches, so that row j's pairs are listed before row j+1's without
// measuring any pair again.
struct Touches8 {
  int notes = 0;
  int16_t vec[MaxVectors8];
  uint8_t a[MaxVectors8], b[MaxVectors8];
  void Note(int v, __mmask8 touchA, __mmask8 touchB) {
    vec[notes] = int16_t(v), a[notes] = touchA, b[notes] = touchB;
    ++notes;
  }
};

// What rows j and j+1 carry from one vector of partners to the next: the next
// vector's geometry, measured ahead; bodies j and j+1's velocities; their
// terms waiting in the queue; the touching partners so far.
struct RowPair8 {
  Geometry8& ga;
  Geometry8& gb;
  __m512d& acc;
  double (*queued)[6][8];
  Touches8& touches;
  __m512d reach;  // no pair of the two rows touches at this distance or beyond
};

// A pair touches where (sj + sk) / 2 > d (s / 2 and s * 0.5 round alike):
// the exact test for a vector in which some partner came nearer than the
// rows' reach.
__attribute__((target("avx512f"), always_inline)) inline void NoteTouches8(const Row8& ra, const Row8& rb,
                                                                           const RowPair8& p, const Tables& tb,
                                                                           int32_t k, int vec, __mmask8 live,
                                                                           __mmask8 liveB, __m512d da, __m512d db) {
  const __m512d sk = _mm512_maskz_loadu_pd(live, tb.size + k);
  const __m512d half = _mm512_set1_pd(0.5);
  const __mmask8 touchA =
      _mm512_mask_cmp_pd_mask(live, _mm512_mul_pd(_mm512_add_pd(ra.size, sk), half), da, _CMP_GT_OQ);
  const __mmask8 touchB =
      _mm512_mask_cmp_pd_mask(liveB, _mm512_mul_pd(_mm512_add_pd(rb.size, sk), half), db, _CMP_GT_OQ);
  if ((touchA | touchB) != 0) p.touches.Note(vec, touchA, touchB);
}

// One vector of partners k..k+7 for rows j and j+1 (ra, rb): live lanes
// exist, liveB leaves out row j+1's own body, nextLive are the lanes of the
// vector after it. Body k receives row j's term before row j+1's, its
// velocity loaded and stored once for both.
template <int Rcp, int Quo>
__attribute__((target("avx512f"), always_inline)) inline void PairStep8(const Row8& ra, const Row8& rb,
                                                                        const RowPair8& p, const Tables& tb, int32_t k,
                                                                        int vec, __mmask8 live, __mmask8 liveB,
                                                                        __mmask8 nextLive, __m512d* startB = nullptr) {
  const Geometry8 ga = p.ga, gb = p.gb;
  if (nextLive != 0) {
    const __m512d xk = _mm512_maskz_loadu_pd(nextLive, tb.x + k + 8);
    const __m512d yk = _mm512_maskz_loadu_pd(nextLive, tb.y + k + 8);
    const __m512d zk = _mm512_maskz_loadu_pd(nextLive, tb.z + k + 8);
    p.ga = Measure8(ra, xk, yk, zk);
    p.gb = Measure8(rb, xk, yk, zk);
  }
  const __mmask8 nearA = _mm512_mask_cmp_pd_mask(live, ga.d, p.reach, _CMP_LT_OQ);
  const __mmask8 nearB = _mm512_mask_cmp_pd_mask(liveB, gb.d, p.reach, _CMP_LT_OQ);
  if (__builtin_expect((nearA | nearB) != 0, 0)) NoteTouches8(ra, rb, p, tb, k, vec, live, liveB, ga.d, gb.d);
  const __m512d negGmk = _mm512_mul_pd(_mm512_maskz_loadu_pd(live, tb.mass + k), _mm512_set1_pd(-EarthGM));
  const __mmask8 pullsJ = _mm512_cmp_pd_mask(negGmk, _mm512_setzero_pd(), _CMP_LT_OQ);
  const Terms8 ta = RowTerms8<Rcp, Quo>(ra, ga, negGmk, pullsJ, live);
  const Terms8 tb1 = RowTerms8<Rcp, Quo>(rb, gb, negGmk, pullsJ, liveB);
  // Body k: usually every result is finite, and a finite result of two finite
  // steps needs no check between them, so one check of all three components
  // does (a sum that overflows only sends finite values the long way).
  const __m512d rx = _mm512_sub_pd(_mm512_sub_pd(_mm512_maskz_loadu_pd(live, tb.vx + k), ta.kx), tb1.kx);
  const __m512d ry = _mm512_sub_pd(_mm512_sub_pd(_mm512_maskz_loadu_pd(live, tb.vy + k), ta.ky), tb1.ky);
  const __m512d rz = _mm512_sub_pd(_mm512_sub_pd(_mm512_maskz_loadu_pd(live, tb.vz + k), ta.kz), tb1.kz);
  // (Lanes past the table hold 0 throughout.)
  const __m512d sum = _mm512_add_pd(_mm512_add_pd(rx, ry), rz);
  if (__builtin_expect(_mm512_cmp_pd_mask(_mm512_sub_pd(sum, sum), _mm512_setzero_pd(), _CMP_EQ_OQ) == 0xFF, 1)) {
    _mm512_mask_storeu_pd(tb.vx + k, live, rx);
    _mm512_mask_storeu_pd(tb.vy + k, live, ry);
    _mm512_mask_storeu_pd(tb.vz + k, live, rz);
    // The first vector's partner k is body j+1: what it now holds, from the
    // registers rather than read back from the stores.
    if (startB != nullptr)
      *startB = _mm512_maskz_permutex2var_pd(0x7, _mm512_maskz_unpacklo_pd(0xFF, rx, ry),
                                             _mm512_setr_epi64(0, 1, 8, 0, 0, 0, 0, 0), rz);
  } else {
    PullPartnersChecked8(tb.vx + k, tb.vy + k, tb.vz + k, live, ta.kx, ta.ky, ta.kz, tb1.kx, tb1.ky, tb1.kz);
    if (startB != nullptr) *startB = _mm512_setr_pd(tb.vx[k], tb.vy[k], tb.vz[k], 0.0, 0.0, 0.0, 0.0, 0.0);
  }
  // Bodies j and j+1: their terms wait Lag8 vectors in the queue.
  double(*q)[8] = p.queued[vec & 3];
  _mm512_store_pd(q[0], ta.jx);
  _mm512_store_pd(q[1], ta.jy);
  _mm512_store_pd(q[2], ta.jz);
  _mm512_store_pd(q[3], tb1.jx);
  _mm512_store_pd(q[4], tb1.jy);
  _mm512_store_pd(q[5], tb1.jz);
  if (vec >= Lag8) p.acc = AddInOrder8(p.acc, p.queued[(vec - Lag8) & 3]);
}

// Row j's touching pairs from the notes (vector v holds partners
// j0 + 8v ..), in order; rowB: the pair's second row.
__attribute__((noinline, cold)) void ListTouches(int32_t j, int32_t j0, const Touches8& t, bool rowB, int32_t& count,
                                                 int32_t* pairHigher, int32_t* pairLower) {
  for (int e = 0; e < t.notes; ++e) {
    const unsigned mask = rowB ? t.b[e] : t.a[e];
    if (mask != 0) ListPairs(mask, j, j0 + 8 * t.vec[e], count, pairHigher, pairLower);
  }
}

// The end of row j, whose partners' terms are all added: its touching pairs
// are listed from the notes, and body j takes the row's total. No vector after the first
// reaches bodies j and j+1, so the table still holds what the total started
// from. A finite total of finite terms had only finite partial sums: no term
// was skipped. Otherwise the row is added again with the check after each
// term.
__attribute__((target("avx512f"), always_inline)) inline void FinishRow8(int32_t j, int32_t j0, int32_t n,
                                                                         const Tables& tb, const Touches8& touches,
                                                                         bool rowB, const double* total, int32_t& count,
                                                                         int32_t* pairHigher, int32_t* pairLower) {
  if (__builtin_expect(touches.notes != 0, 0)) ListTouches(j, j0, touches, rowB, count, pairHigher, pairLower);
  double v[3] = {total[0], total[1], total[2]};
  if (__builtin_expect(!std::isfinite(v[0]) || !std::isfinite(v[1]) || !std::isfinite(v[2]), 0)) {
    v[0] = tb.vx[j], v[1] = tb.vy[j], v[2] = tb.vz[j];
    AddRowChecked(j, j + 1, n, tb.mass, tb.x, tb.y, tb.z, v);
  }
  tb.vx[j] = v[0], tb.vy[j] = v[1], tb.vz[j] = v[2];
}

// Rows j and j+1 by themselves, for a pair with touching partners or a total
// that is not finite.
__attribute__((target("avx512f"), noinline, cold)) void FinishPairSlowly8(int32_t j, int32_t n, const Tables& tb,
                                                                          const Touches8& touches, __m512d acc,
                                                                          int32_t& count, int32_t* pairHigher,
                                                                          int32_t* pairLower) {
  alignas(64) double total[8];
  _mm512_store_pd(total, acc);
  FinishRow8(j, j + 1, n, tb, touches, false, total, count, pairHigher, pairLower);
  FinishRow8(j + 1, j + 1, n, tb, touches, true, total + 4, count, pairHigher, pairLower);
}

// The end of rows j and j+1, acc holding their totals (x, y, z, -, x, y, z, -).
// Usually no pair touches and all six are finite: then bodies j and j+1 take
// them straight from the register, (vx[j], vx[j+1]) in one store.
__attribute__((target("avx512f"), always_inline)) inline void FinishPair8(int32_t j, int32_t n, const Tables& tb,
                                                                          const Touches8& touches, __m512d acc,
                                                                          int32_t& count, int32_t* pairHigher,
                                                                          int32_t* pairLower) {
  const __mmask8 finite = _mm512_mask_cmp_pd_mask(0x77, _mm512_abs_pd(acc), _mm512_set1_pd(Inf), _CMP_LT_OQ);
  if (__builtin_expect(touches.notes != 0 || finite != 0x77, 0)) {
    FinishPairSlowly8(j, n, tb, touches, acc, count, pairHigher, pairLower);
    return;
  }
  const __m256d a = _mm512_maskz_extractf64x4_pd(0xF, acc, 0), b = _mm512_maskz_extractf64x4_pd(0xF, acc, 1);
  const __m256d xz = _mm256_unpacklo_pd(a, b), y = _mm256_unpackhi_pd(a, b);  // (xj, xj+1, zj, zj+1), (yj, yj+1, ..)
  _mm_storeu_pd(tb.vx + j, _mm256_castpd256_pd128(xz));
  _mm_storeu_pd(tb.vy + j, _mm256_castpd256_pd128(y));
  _mm_storeu_pd(tb.vz + j, _mm256_extractf128_pd(xz, 1));
}

// Rows j and j+1 together over their partners, eight at a time. Vectors start
// at partner j+1, row j+1's own body, which row j+1 leaves out; bodies j and
// j+1 receive their terms in ascending k.
// largestFrom[k] is the largest size among bodies k..n: no partner of the
// two rows reaches further than half of the larger row body's size and that.
template <int Rcp, int Quo>
__attribute__((target("avx512f"), always_inline)) inline void RunRowPair8(int32_t j, int32_t n, const Tables& tb,
                                                                          const double* largestFrom, int32_t& count,
                                                                          int32_t* pairHigher, int32_t* pairLower) {
  const int32_t j1 = j + 1;
  const Row8 ra = MakeRow8(j, tb), rb = MakeRow8(j1, tb);
  Geometry8 ga, gb;
  __m512d acc;
  alignas(64) double queued[4][6][8];
  Touches8 touches;
  // A size that is not a number touches nothing, so it must not bound the
  // other row either: the larger of the two that are numbers.
  const double rows = std::isnan(tb.size[j1]) || tb.size[j] > tb.size[j1] ? tb.size[j] : tb.size[j1];
  const RowPair8 p{ga, gb, acc, queued, touches, _mm512_set1_pd((rows + largestFrom[j1]) * 0.5)};
  int32_t k = j1;
  __mmask8 live = LiveLanes8(k, n);
  {
    const __m512d xk = _mm512_maskz_loadu_pd(live, tb.x + k);
    const __m512d yk = _mm512_maskz_loadu_pd(live, tb.y + k);
    const __m512d zk = _mm512_maskz_loadu_pd(live, tb.z + k);
    ga = Measure8(ra, xk, yk, zk);
    gb = Measure8(rb, xk, yk, zk);
  }
  // The first vector; then body j+1 holds row j's term and its own row
  // starts from there.
  __m512d startB;
  PairStep8<Rcp, Quo>(ra, rb, p, tb, k, 0, live, __mmask8(live & 0xFE), LiveLanes8(k + 8, n), &startB);
  acc = _mm512_maskz_permutex2var_pd(0x77, _mm512_setr_pd(tb.vx[j], tb.vy[j], tb.vz[j], 0.0, 0.0, 0.0, 0.0, 0.0),
                                     _mm512_setr_epi64(0, 1, 2, 3, 8, 9, 10, 11), startB);
  int vec = 1;
  k += 8;
  // Whole vectors with a whole vector after them.
  for (; k + 15 <= n; k += 8, ++vec) PairStep8<Rcp, Quo>(ra, rb, p, tb, k, vec, 0xFF, 0xFF, 0xFF);
  for (; k <= n; k += 8, ++vec) {
    live = LiveLanes8(k, n);
    PairStep8<Rcp, Quo>(ra, rb, p, tb, k, vec, live, live, LiveLanes8(k + 8, n));
  }
  for (int v = vec < Lag8 ? 0 : vec - Lag8; v < vec - 1; ++v) acc = AddInOrder8(acc, queued[v & 3]);
  acc = AddInOrder8(acc, queued[(vec - 1) & 3], n - (j1 + 8 * (vec - 1)) + 1);
  FinishPair8(j, n, tb, touches, acc, count, pairHigher, pairLower);
}

// x[0..n] += v[0..n], each sum kept only where it stays finite.
__attribute__((target("avx512f"), always_inline)) inline void Drift8(int32_t n, double* x, const double* v) {
  const __m512d inf = _mm512_set1_pd(Inf);
  for (int32_t j = 0; j <= n; j += 8) {
    const __mmask8 live = LiveLanes8(j, n);
    const __m512d r = _mm512_add_pd(_mm512_maskz_loadu_pd(live, x + j), _mm512_maskz_loadu_pd(live, v + j));
    _mm512_mask_storeu_pd(x + j, _mm512_mask_cmp_pd_mask(live, _mm512_abs_pd(r), inf, _CMP_LT_OQ), r);
  }
}

// Rows two at a time; with n odd the last row has no partner.
template <int Rcp, int Quo>
__attribute__((target("avx512f"))) int32_t RunLoop512(int32_t n, double* mass, double* x, double* y, double* z,
                                                      double* vx, double* vy, double* vz, double* size,
                                                      int32_t* pairHigher, int32_t* pairLower) {
  if (n < 1) return 0;
  // Past the notes' room the 256-bit build, which needs none, gives the same bits.
  if (n > MaxBodies8) return RunLoopAvx2(n, mass, x, y, z, vx, vy, vz, size, pairHigher, pairLower);
  int32_t count = 0;
  const Tables tb{mass, x, y, z, size, vx, vy, vz};
  // Sizes that are not numbers touch nothing and bound nothing.
  double largestFrom[MaxBodies8 + 2];
  largestFrom[n + 1] = -Inf;
  for (int32_t k = n; k >= 1; --k) largestFrom[k] = size[k] > largestFrom[k + 1] ? size[k] : largestFrom[k + 1];
  for (int32_t j = 1; j < n; j += 2) RunRowPair8<Rcp, Quo>(j, n, tb, largestFrom, count, pairHigher, pairLower);
  Drift8(n, x, vx);
  Drift8(n, y, vy);
  Drift8(n, z, vz);
  return 1;
}

}  // namespace

int32_t RunLoopAvx512(int32_t n, double* mass, double* x, double* y, double* z, double* vx, double* vy, double* vz,
                      double* size, int32_t* pairHigher, int32_t* pairLower) {
  return RunLoop512<0, 0>(n, mass, x, y, z, vx, vy, vz, size, pairHigher, pairLower);
}

bool CpuHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

bool CpuHasAvx512() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f");
}

namespace {
__attribute__((target("avx2,fma,avx512f,avx512vl"))) void ReciprocalFma256(const double* d, double* out,
                                                                           std::size_t count) {
  for (std::size_t i = 0; i + 4 <= count; i += 4) {
    const __m256d dv = _mm256_loadu_pd(d + i);
    _mm256_storeu_pd(out + i, ReciprocalFma4(dv, DistInDomain4(dv)));
  }
}

__attribute__((target("avx2,fma,avx512f,avx512vl"))) void QuotientFma256(const double* a, const double* d, double* out,
                                                                         std::size_t count) {
  for (std::size_t i = 0; i + 4 <= count; i += 4) {
    const __m256d dv = _mm256_loadu_pd(d + i);
    const __mmask8 distOk = DistInDomain4(dv);
    _mm256_storeu_pd(out + i, QuotientFma4(_mm256_loadu_pd(a + i), dv, ReciprocalFma4(dv, distOk), distOk));
  }
}
}  // namespace

__attribute__((target("avx512f"))) void ReciprocalFma(const double* d, double* out, std::size_t count, int lanes) {
  if (lanes == 4) return ReciprocalFma256(d, out, count);
  for (std::size_t i = 0; i < count; i += 8) {
    const __mmask8 live = count - i >= 8 ? 0xFF : __mmask8((1u << (count - i)) - 1);
    const __m512d dv = _mm512_maskz_loadu_pd(live, d + i);
    _mm512_mask_storeu_pd(out + i, live, ReciprocalFma8(dv, DistInDomain8(dv), live));
  }
}

__attribute__((target("avx512f"))) void QuotientFma(const double* a, const double* d, double* out, std::size_t count,
                                                    int lanes) {
  if (lanes == 4) return QuotientFma256(a, d, out, count);
  for (std::size_t i = 0; i < count; i += 8) {
    const __mmask8 live = count - i >= 8 ? 0xFF : __mmask8((1u << (count - i)) - 1);
    const __m512d dv = _mm512_maskz_loadu_pd(live, d + i);
    const __mmask8 distOk = DistInDomain8(dv);
    const __m512d y = ReciprocalFma8(dv, distOk, live);
    _mm512_mask_storeu_pd(out + i, live, QuotientFma8(_mm512_maskz_loadu_pd(live, a + i), dv, y, distOk, live));
  }
}

std::vector<LoopVariant> ExactVariants() {
  std::vector<LoopVariant> v;
  if (CpuHasAvx2()) v.push_back({"avx2", RunLoopAvx2});
  if (CpuHasAvx512()) {
    v.push_back({"avx512", RunLoopAvx512});
    v.push_back({"512 fma 1/d", RunLoop512<1, 0>});
    v.push_back({"512 fma 1/d dx", RunLoop512<1, 1>});
    v.push_back({"512 fma 1/d dx dy", RunLoop512<1, 2>});
    v.push_back({"512 fma all four", RunLoop512<1, 3>});
    v.push_back({"512 fma dx dy dz", RunLoop512<0, 3>});
  }
  __builtin_cpu_init();
  if (CpuHasAvx2() && __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("fma")) {
    v.push_back({"256 fma 1/d", vl::Loop4<1, 0>});
    v.push_back({"256 fma 1/d dx", vl::Loop4<1, 1>});
    v.push_back({"256 fma 1/d dx dy", vl::Loop4<1, 2>});
    v.push_back({"256 fma all four", vl::Loop4<1, 3>});
    v.push_back({"256 fma dx dy dz", vl::Loop4<0, 3>});
  }
  if (v.empty()) v.push_back({"scalar", RunLoopScalar});
  return v;
}

std::size_t ChooseByCost(const std::vector<LoopVariant>& variants) {
  if (variants.size() < 2) return 0;
  // A scene like the program's (spread-out bodies that attract, none
  // touching); every variant runs on it in turn, so a busy moment of the
  // machine costs each alike, and the best of the rounds counts.
  constexpr int32_t n = 192;
  std::vector<double> t[8];
  for (auto& a : t) a.assign(n + 1, 0.0);
  uint64_t r = 0x9E3779B97F4A7C15ULL;
  const auto next = [&r](double scale) {
    r ^= r << 13, r ^= r >> 7, r ^= r << 17;
    return scale * (double(r >> 11) * 0x1p-53 - 0.5);
  };
  for (int32_t i = 0; i <= n; ++i) {
    for (int c = 1; c <= 6; ++c) t[c][i] = next(c <= 3 ? 1e11 : 2e3);
    t[0][i] = 1.0 + next(1.0);
  }
  int32_t higher[MaxPairs + 1] = {}, lower[MaxPairs + 1] = {};
  std::vector<double> best(variants.size(), Inf);
  for (int round = 0; round < 7; ++round) {
    for (std::size_t v = 0; v < variants.size(); ++v) {
      const auto t0 = std::chrono::steady_clock::now();
      variants[v].fn(n, t[0].data(), t[1].data(), t[2].data(), t[3].data(), t[4].data(), t[5].data(), t[6].data(),
                     t[7].data(), higher, lower);
      const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
      if (round > 0 && took < best[v]) best[v] = took;  // the first round warms up
    }
  }
  return std::size_t(std::min_element(best.begin(), best.end()) - best.begin());
}

namespace {
const LoopVariant& Chosen() {
  static const LoopVariant chosen = [] {
    const std::vector<LoopVariant> v = ExactVariants();
    return v[ChooseByCost(v)];
  }();
  return chosen;
}
}  // namespace

LoopFn BestLoop() { return Chosen().fn; }
const char* BestLoopName() { return Chosen().name; }

}  // namespace brisklet
