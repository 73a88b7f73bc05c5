// libbrisklet.so: the one export the program binds at start-up.
#include <cstdint>

#include "forceloop/kernel.h"

extern "C" __attribute__((visibility("default"))) int32_t RunLoop(int32_t n, double* mass, double* x, double* y,
                                                                  double* z, double* vx, double* vy, double* vz,
                                                                  double* size, int32_t* pairHigher,
                                                                  int32_t* pairLower) {
  return brisklet::BestLoop()(n, mass, x, y, z, vx, vy, vz, size, pairHigher, pairLower);
}
