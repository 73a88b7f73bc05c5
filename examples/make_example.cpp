// Writes examples/inner-planets.molv: the Sun, Mercury, Venus, the Earth
// with the Moon, and Mars from published values (masses in Earth masses,
// mean diameters, semi-major axes and eccentricities). Each body starts at
// its perihelion (the Moon at its perigee) at the perihelion's ecliptic
// longitude, moving prograde in the ecliptic plane; the velocities are then
// made barycentric so the system does not drift off the screen.
//
//   molvane_make_example <output path>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/calendar.h"
#include "engine/state.h"
#include "files/fileshost.h"
#include "files/situationfile.h"

namespace {

using namespace molvane;

struct Published {
  const char* name;
  const char* ref;
  double massEarth;
  double diameterM;
  int32_t colour;     // 0x00BBGGRR
  double semiMajorM;  // about the reference body
  double eccentricity;
  double perihelionDeg;  // longitude of perihelion (perigee for the Moon)
};

constexpr double AU = AstronomicalUnitMetres;
constexpr double Pi = 3.14159265358979323846;

const Published kBodies[] = {
    {"Sun", "Sun", SunEarthMasses, 1.3927e9, 0x00FFFF, 0, 0, 0},
    {"Mercury", "Sun", 0.0553, 4.8794e6, 0x909090, 0.387098 * AU, 0.205630, 77.46},
    {"Venus", "Sun", 0.815, 1.21036e7, 0x80E0F0, 0.723332 * AU, 0.006772, 131.53},
    {"Earth", "Sun", 1.0, 1.27420e7, 0xFF9020, 1.000001 * AU, 0.016709, 102.94},
    {"Moon", "Earth", 0.0123, 3.4748e6, 0xC8C8C8, 3.844e8, 0.0549, 0},
    {"Mars", "Sun", 0.107, 6.7790e6, 0x3050E0, 1.523679 * AU, 0.093400, 336.04},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output path>\n", argv[0]);
    return 2;
  }
  auto s = std::make_unique<State>();
  const double dt = 120.0;  // two minutes a step: a year in a few seconds
  const int n = static_cast<int>(sizeof(kBodies) / sizeof(kBodies[0]));

  // Positions (m) and velocities (m/s), heliocentric; the Moon about the Earth.
  for (int i = 1; i <= n; ++i) {
    const Published& b = kBodies[i - 1];
    s->objname[i] = b.name;
    s->objref[i] = b.ref;
    s->objcolor[i] = b.colour;
    s->objsize[i] = b.diameterM;
    s->objmass[i] = b.massEarth;
    if (b.semiMajorM == 0) continue;
    const int parent = (std::string(b.ref) == "Earth") ? 4 : 1;
    const double gm = (kBodies[parent - 1].massEarth + b.massEarth) * EarthGM;
    const double r = b.semiMajorM * (1 - b.eccentricity);
    const double v = std::sqrt(gm * (1 + b.eccentricity) / r);
    const double th = b.perihelionDeg * Pi / 180.0;
    s->objx[i] = s->objx[parent] + r * std::cos(th);
    s->objy[i] = s->objy[parent] + r * std::sin(th);
    s->objvx[i] = s->objvx[parent] - v * std::sin(th);
    s->objvy[i] = s->objvy[parent] + v * std::cos(th);
  }
  // Barycentric velocities.
  double m = 0, px = 0, py = 0;
  for (int i = 1; i <= n; ++i) {
    m += s->objmass[i];
    px += s->objmass[i] * s->objvx[i];
    py += s->objmass[i] * s->objvy[i];
  }
  for (int i = 1; i <= n; ++i) {
    s->objvx[i] -= px / m;
    s->objvy[i] -= py / m;
  }
  // Per-step units: velocities in m per step, masses times the step squared.
  for (int i = 1; i <= n; ++i) {
    s->objvx[i] *= dt;
    s->objvy[i] *= dt;
    s->objvz[i] *= dt;
    s->objmass[i] *= dt * dt;
    s->objcolor2[i] = ColourWhite;
  }
  s->objects = static_cast<int16_t>(n);
  s->objname[0] = "Floating";
  s->timescale = dt;
  s->SecondsElapsed = ParseDateTimeText(ComposeDateTimeText(2026, 1, 1, 0, 0, 0));

  // The view: the Sun in the middle, Mars' orbit filling the height.
  s->focusobj = 1;
  s->ScalePixel = 1.0e-9;
  s->anchor = true;
  s->trails = true;
  s->llabels = true;
  s->pplot = true;
  s->menus = true;
  s->MinimumObjectSize = 2;
  s->ExaggeratedObjectSize = 10;
  s->RotatingFrame.period = 2000000.0;
  s->TimeForward = true;
  s->mainWindow.backColor = 0;
  // The whole window on a 1366 x 768 screen, below the row that F9 and the
  // dashboard toggles open along the top and right of the column F8 stacks
  // at the left edge, title bars included.
  s->mainWindow.width = 1000 * 15;
  s->mainWindow.height = 580 * 15;
  s->mainWindow.left = 150 * 15;
  s->mainWindow.top = 140 * 15;
  s->mainWindow.titlebar = true;
  s->mainWindow.vscroll = -10000;
  s->mainWindow.hscroll = 0;
  for (auto& d : s->dashboard) d = DashboardPlace{-1, -1};

  ConsoleSaveHost quiet;
  // Paths enter the file code absolute.
  const std::string path = std::filesystem::absolute(argv[1]).string();
  if (!WriteSituationFile(*s, quiet, path)) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    return 1;
  }
  return 0;
}
