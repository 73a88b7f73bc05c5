// Bit-compares Brisklet's reciprocal and quotient on the FMA units (with
// their fallbacks) against vdivpd, over operands of several kinds (see
// docs/fma-division.md), and runs controls that show the comparison catches
// results that are only faithful.
// Usage: brisklet_divcheck [operands per operation, default 1e9] [seed]
// Exit status 0 when every operand matches and every control is caught.
#include <immintrin.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "forceloop/kernel.h"

namespace {

struct Rng {
  uint64_t s;
  uint64_t Next() {  // splitmix64
    uint64_t z = (s += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Int(int lo, int hi) { return lo + int(Next() % uint64_t(hi - lo + 1)); }
  double Sign() { return (Next() & 1) != 0 ? -1.0 : 1.0; }
};

double FromBits(uint64_t b) {
  double d;
  std::memcpy(&d, &b, sizeof d);
  return d;
}
uint64_t Bits(double d) {
  uint64_t b;
  std::memcpy(&b, &d, sizeof b);
  return b;
}
// A double with significand 1.f (52 random bits) times 2^e.
double Random(Rng& r, int e) { return std::ldexp(FromBits(0x3FF0000000000000ULL | (r.Next() >> 12)), e); }

// Kinds of operands (a, d). Reciprocals take d alone.
enum Kind { LoopRange, FastRange, NearMidpoint, NearPowerOfTwo, AllOnes, Special, Kinds };
const char* const KindName[Kinds] = {"loop's range",       "whole fast range",      "near a midpoint",
                                     "near powers of two", "all-ones significands", "specials"};

// Differences as the loop sees them, the distance as the loop computes it.
void LoopOperands(Rng& r, double& a, double& d) {
  const int e = r.Int(-40, 40) + 30;
  double c[3];
  for (double& x : c) x = r.Sign() * Random(r, e - r.Int(0, (r.Next() & 7) == 0 ? 120 : 8));
  if ((r.Next() & 15) == 0) c[r.Int(0, 2)] = r.Sign() * 0.0;
  d = std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]);
  a = c[r.Int(0, 2)];
}

const uint64_t HardReciprocals[] = {
#include "tools/hard_reciprocals.inc"
};

// a/d within t / (2^53 B) of a midpoint, t odd and small: with d = B 2^-52
// (B odd) and the midpoint N 2^-53, a = (B N - t) / 2^53 2^-52 is a double
// when B N = t mod 2^53, i.e. N = t / B mod 2^53.
bool MidpointOperands(Rng& r, double& a, double& d) {
  if (r.Next() % 4 == 0) {  // 1/d next to a midpoint, a anywhere in the fast range
    const uint64_t B = HardReciprocals[r.Next() % (sizeof HardReciprocals / sizeof HardReciprocals[0])];
    d = std::ldexp(double(B), r.Int(-300, 299) - 52);
    a = r.Sign() * Random(r, r.Int(-600, 599));
    return true;
  }
  const uint64_t B = (uint64_t(1) << 52) | (r.Next() >> 12) | 1;
  uint64_t inv = B;  // Newton's iteration for the inverse modulo 2^64
  for (int i = 0; i < 6; ++i) inv *= 2 - B * inv;
  const int64_t t = 2 * r.Int(-4, 3) + 1;
  const uint64_t mask = (uint64_t(1) << 53) - 1;
  const uint64_t N = ((uint64_t(t) * inv) & mask) | (uint64_t(1) << 53);  // odd, in [2^53, 2^54)
  const unsigned __int128 product = (unsigned __int128)B * N - (unsigned __int128)(__int128)t;
  const unsigned __int128 A = product >> 53;
  if (A >= (unsigned __int128)1 << 53 || A < (unsigned __int128)1 << 52) return false;
  const int e = r.Int(-280, 280);
  d = std::ldexp(double(B), e - 52);
  a = r.Sign() * std::ldexp(double(uint64_t(A)), e - 52 + r.Int(-300, 300));
  return true;
}

void EdgeOperands(Kind k, Rng& r, double& a, double& d) {
  const auto near = [&r](double x) {  // x or a few ulps from it
    const int64_t step = r.Int(-3, 3);
    return FromBits(uint64_t(int64_t(Bits(x)) + step));
  };
  static const double edges[] = {0x1p-300, 0x1p300, 0x1p-600, 0x1p600, 1.0, 2.0};
  switch (k) {
    case NearPowerOfTwo:
      d = near(r.Next() & 1 ? edges[r.Int(0, 1)] : std::ldexp(1.0, r.Int(-310, 310)));
      a = r.Sign() * near((r.Next() & 1) != 0 ? edges[r.Int(2, 3)] : std::ldexp(1.0, r.Int(-620, 620)));
      break;
    case AllOnes:
      d = std::ldexp(0x1.fffffffffffffp0, r.Int(-305, 305));
      if (r.Next() & 1) d = near(d);
      a = r.Sign() * std::ldexp(0x1.fffffffffffffp0, r.Int(-610, 610));
      if (r.Next() & 1) a = Random(r, r.Int(-10, 10));
      break;
    default: {  // specials and random bit patterns
      static const double specials[] = {0.0,     -0.0, INFINITY, -INFINITY, NAN,      -NAN,    0x1p-1074, 0x1p-1022,
                                        DBL_MAX, -1.0, 0x1p-301, 0x1p301,   0x1p-601, 0x1p601, 1e-310,    1.0};
      const auto pick = [&]() {
        if (r.Next() & 1) return FromBits(r.Next());
        return specials[r.Next() % (sizeof specials / sizeof specials[0])];
      };
      d = pick();
      a = pick();
      break;
    }
  }
}

void Fill(Kind k, Rng& r, std::vector<double>& a, std::vector<double>& d) {
  for (size_t i = 0; i < a.size(); ++i) {
    switch (k) {
      case LoopRange: LoopOperands(r, a[i], d[i]); break;
      case FastRange:
        d[i] = Random(r, r.Int(-300, 299));
        a[i] = (r.Next() & 31) == 0 ? r.Sign() * 0.0 : r.Sign() * Random(r, r.Int(-600, 599));
        break;
      case NearMidpoint:
        while (!MidpointOperands(r, a[i], d[i])) {
        }
        break;
      default: EdgeOperands(k, r, a[i], d[i]); break;
    }
  }
}

__attribute__((target("avx512f"))) void Divider(const double* a, const double* d, double* rcp, double* q, size_t n) {
  for (size_t i = 0; i < n; i += 8) {
    const __m512d dv = _mm512_loadu_pd(d + i);
    _mm512_storeu_pd(rcp + i, _mm512_div_pd(_mm512_set1_pd(1.0), dv));
    _mm512_storeu_pd(q + i, _mm512_div_pd(_mm512_loadu_pd(a + i), dv));
  }
}

// Controls: only faithful results, which a sound comparison must catch.
// RN(a RN(1/d)) for the quotient; two Newton steps (no last exact residual
// step) for the reciprocal.
__attribute__((target("avx512f"))) void Faithful(const double* a, const double* d, double* rcp, double* q, size_t n) {
  const __m512d one = _mm512_set1_pd(1.0);
  for (size_t i = 0; i < n; i += 8) {
    const __m512d dv = _mm512_loadu_pd(d + i);
    __m512d y = _mm512_maskz_rcp14_pd(0xFF, dv);
    y = _mm512_fmadd_pd(y, _mm512_fnmadd_pd(dv, y, one), y);
    y = _mm512_fmadd_pd(y, _mm512_fnmadd_pd(dv, y, one), y);
    _mm512_storeu_pd(rcp + i, y);
    _mm512_storeu_pd(q + i, _mm512_mul_pd(_mm512_loadu_pd(a + i), _mm512_div_pd(one, dv)));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!brisklet::CpuHasAvx512()) {
    std::printf("no AVX-512 on this processor: nothing to check\n");
    return 0;
  }
  __builtin_cpu_init();
  const bool vl = __builtin_cpu_supports("avx512vl");
  const double total = argc > 1 ? std::atof(argv[1]) : 1e9;
  Rng rng{argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20261210u};
  // Shares of the operands per kind (of 100).
  const int share[Kinds] = {35, 30, 20, 5, 5, 5};
  constexpr size_t Batch = 4096;
  std::vector<double> a(Batch), d(Batch), rcp(Batch), q(Batch), wantRcp(Batch), wantQ(Batch), ctlRcp(Batch),
      ctlQ(Batch);
  uint64_t bad = 0, controlCaught[2] = {0, 0};
  for (int k = 0; k < Kinds; ++k) {
    const uint64_t count = uint64_t(total * share[k] / 100.0 + 0.5);
    uint64_t wrongRcp = 0, wrongQ = 0, done = 0;
    for (; done < count; done += Batch) {
      Fill(Kind(k), rng, a, d);
      // Alternate batches check the 512-bit and the 256-bit code.
      const int lanes = (done / Batch) % 2 == 1 && vl ? 4 : 8;
      brisklet::ReciprocalFma(d.data(), rcp.data(), Batch, lanes);
      brisklet::QuotientFma(a.data(), d.data(), q.data(), Batch, lanes);
      Divider(a.data(), d.data(), wantRcp.data(), wantQ.data(), Batch);
      for (size_t i = 0; i < Batch; ++i) {
        const bool r = Bits(rcp[i]) != Bits(wantRcp[i]), s = Bits(q[i]) != Bits(wantQ[i]);
        if ((r || s) && wrongRcp + wrongQ < 5)
          std::printf("  differs: a = %a, d = %a: 1/d %a (divider %a), a/d %a (divider %a)\n", a[i], d[i], rcp[i],
                      wantRcp[i], q[i], wantQ[i]);
        wrongRcp += r;
        wrongQ += s;
      }
      if (k == NearMidpoint || k == FastRange) {
        Faithful(a.data(), d.data(), ctlRcp.data(), ctlQ.data(), Batch);
        for (size_t i = 0; i < Batch; ++i) {
          controlCaught[0] += Bits(ctlRcp[i]) != Bits(wantRcp[i]);
          controlCaught[1] += Bits(ctlQ[i]) != Bits(wantQ[i]);
        }
      }
    }
    std::printf("%-22s %12llu operands: 1/d %llu differ, a/d %llu differ\n", KindName[k], (unsigned long long)done,
                (unsigned long long)wrongRcp, (unsigned long long)wrongQ);
    bad += wrongRcp + wrongQ;
  }
  std::printf("controls (faithful only): two Newton steps differ in %llu, RN(a RN(1/d)) in %llu\n",
              (unsigned long long)controlCaught[0], (unsigned long long)controlCaught[1]);
  const bool controlsCaught = controlCaught[0] > 0 && controlCaught[1] > 0;
  if (!controlsCaught) std::printf("FAILED: a control went unnoticed\n");
  if (bad != 0) std::printf("FAILED: %llu results differ from the divider\n", (unsigned long long)bad);
  return bad == 0 && controlsCaught ? 0 : 1;
}
