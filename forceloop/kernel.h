// Brisklet's force loop in its three builds: plain scalar code, AVX2 and
// AVX-512. All three give the same bits; the library picks the widest one the
// processor has at each call. Self-contained: nothing of the program is used.
#pragma once

#include <cstdint>

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

// The widest build this processor runs.
LoopFn BestLoop();

}  // namespace brisklet
