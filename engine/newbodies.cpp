#include "engine/newbodies.h"

#include <algorithm>
#include <cctype>

#include "engine/numtext.h"

namespace molvane {

namespace {

std::string Lower(std::string_view t) {
  std::string r(t);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

}  // namespace

double SpreadDraw(double mean, double spreadPercent, double r) {
  const double p = spreadPercent / 100;
  return mean + mean * p * (1 - 2 * r);
}

std::string NewBodyName(const State& s, std::string_view base, int n) {
  std::string name(base);
  const std::string lower = Lower(base);
  const int last = std::clamp(n - 1, 0, MaxBodies);
  for (int j = 1; j <= last; ++j) {
    if (Lower(s.objname[j]) == lower) {
      name += ShortText(static_cast<int64_t>(n));
      break;
    }
  }
  for (int j = 1; j <= last; ++j) {
    if (s.objname[j] == name) name += "b";
  }
  return name;
}

}  // namespace molvane
