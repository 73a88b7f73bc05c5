// Brisklet's force loop in its builds: plain scalar code, AVX2, AVX-512 and
// AVX-512 variants that take the reciprocal and quotients off the divider
// onto the FMA units. All give the same bits; the library times the ones the
// processor runs at its first call and keeps the fastest. Self-contained:
// nothing of the program is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brisklet {

using LoopFn = int32_t (*)(int32_t n, double* mass, double* x, double* y, double* z, double* vx, double* vy, double* vz,
                           double* size, int32_t* pairHigher, int32_t* pairLower);

int32_t RunLoopScalar(int32_t n, double* mass, double* x, double* y, double* z, double* vx, double* vy, double* vz,
                      double* size, int32_t* pairHigher, int32_t* pairLower);
int32_t RunLoopAvx2(int32_t n, double* mass, double* x, double* y, double* z, double* vx, double* vy, double* vz,
                    double* size, int32_t* pairHigher, int32_t* pairLower);
int32_t RunLoopAvx512(int32_t n, double* mass, double* x, double* y, double* z, double* vx, double* vy, double* vz,
                      double* size, int32_t* pairHigher, int32_t* pairLower);

bool CpuHasAvx2();
bool CpuHasAvx512();

// The loop's reciprocals 1/d[i] and quotients a[i]/d[i] on the FMA units,
// each lane outside their proven domain from the divider, in vectors of 8 or
// 4 lanes (AVX-512, and VL for 4; 4 takes whole vectors only): the
// verification program compares them with the divider's bits.
void ReciprocalFma(const double* d, double* out, std::size_t count, int lanes);
void QuotientFma(const double* a, const double* d, double* out, std::size_t count, int lanes);

struct LoopVariant {
  const char* name;
  LoopFn fn;
};

// Every build this processor runs (the scalar one only where no other runs).
std::vector<LoopVariant> ExactVariants();

// The index of the variant that takes the least time over a scene of a few
// hundred bodies, in a few milliseconds of timing.
std::size_t ChooseByCost(const std::vector<LoopVariant>& variants);

// The variant chosen by cost at the first call, and its name.
LoopFn BestLoop();
const char* BestLoopName();

}  // namespace brisklet
