// The bodies Create Objects adds: each value drawn within a percentage band
// around its mean, and the name of each new body.
#pragma once

#include <string>
#include <string_view>

#include "engine/state.h"

namespace molvane {

// m + m * p * (1 - 2r) with p the spread in percent / 100 and r in [0, 1).
double SpreadDraw(double mean, double spreadPercent, double r);

// The name of new body n (bodies 1..n-1 exist): the base with " n" when a
// body already has it in any letter case, then "b" appended for each exact
// match met in one pass over bodies 1..n-1.
std::string NewBodyName(const State& s, std::string_view base, int n);

}  // namespace molvane
