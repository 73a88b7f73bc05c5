// Writes a situation file at the limits of the tables (1000 bodies, 100 boxes
// of each kind, 100 thrust panels, 1000 autopilot entries), a seed from which
// the fuzzer reaches the paths that only full tables take.
//   files_fuzz_seed OUT.molv
#include <cstdio>
#include <memory>
#include <string>

#include "engine/calendar.h"
#include "files/fileio.h"
#include "files/situation.h"

int main(int argc, char** argv) {
  using namespace molvane;
  if (argc != 2) {
    std::fprintf(stderr, "usage: files_fuzz_seed OUT.molv\n");
    return 2;
  }
  auto s = std::make_unique<State>();
  s->objects = MaxBodies;
  for (int k = 0; k <= MaxBodies; ++k) {
    s->objname[k] = k == 0 ? "Floating" : "Body " + std::to_string(k);
    s->objref[k] = k <= 1 ? "" : "Body " + std::to_string(1 + k % 7);
    s->objmass[k] = 1.0 / (k + 1);
    s->objcolor[k] = k * 16411;
    s->objsize[k] = 1e3 * (k + 1);
    s->objx[k] = 1.5e11 * (k % 17) - 1e12;
    s->objy[k] = -2.5e9 * (k % 5);
    s->objz[k] = 1e7 * (k % 3);
    s->objvx[k] = 3e4 / (k + 1);
    s->objvy[k] = -0.5 * k;
    s->objvz[k] = 1e-3 * k;
    s->objdirx[k] = 0.6f;
    s->objdiry[k] = 0.8f;
  }
  for (int k = 1; k <= MaxSlots; ++k) {
    const auto a = static_cast<int16_t>(k), b = static_cast<int16_t>(k * 7 % MaxBodies + 1);
    s->distanceBoxes[k] = {true, 15.0f * k, 30.0f * k, "Body 1", "Body 2", a, b};
    s->orbitBoxes[k] = {true, 45.0f * k, 60.0f, "Body 3", "Reference Object", b, 0};
    s->thrustPanels[k] = {true, 1.5f * k, 2.5f, "0", "1", a, b};
  }
  s->autopilotCount = MaxAutopilot;
  for (int k = 1; k <= MaxAutopilot; ++k) {
    const double t = 63113904000.0 + 60.0 * k;
    std::string line = FormatDateTimeText(t);  // date, then the word from column 25
    line.resize(24, ' ');
    line += k % 2 ? "Pause" : "Open";
    line.resize(44, ' ');
    if (k % 2 == 0) line += "../next " + std::to_string(k) + ".molv";
    s->autopilot[k] = {line, t, k % 3 ? "note, " + std::to_string(k) : " lead"};
  }
  for (int w = 0; w < DashboardCount; ++w) {
    s->dashboard[w] = {690, 2010.0f * w};
    DashboardOpenFlag(*s, w) = true;
  }
  s->timescale = 60;
  s->isitname = "/fuzz/limits.molv";
  return SaveFileAtomically(argv[1], WriteSituation(DocumentFromState(*s))) ? 0 : 1;
}
