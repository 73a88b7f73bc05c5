#include "examples/fullsituation.h"

#include <cmath>
#include <random>
#include <string>

#include "autopilot/autopilot_line.h"
#include "engine/calendar.h"

namespace molvane {

namespace {

constexpr double Pi = 3.14159265358979323846;

}  // namespace

void FillStarDisc(State& s, int n) {
  const double dt = 600.0;
  std::mt19937 rng(12345);
  std::uniform_real_distribution<double> radius(0.2 * AstronomicalUnitMetres, 1.6 * AstronomicalUnitMetres);
  std::uniform_real_distribution<double> angle(0, 2 * Pi);
  std::uniform_real_distribution<double> lift(-0.02, 0.02);
  s.objname[1] = "Star";
  s.objref[1] = "Star";
  s.objmass[1] = SunEarthMasses * dt * dt;
  s.objsize[1] = 1.4e9;
  s.objcolor[1] = 0x00FFFF;
  s.objcolor2[1] = ColourWhite;
  for (int i = 2; i <= n; ++i) {
    const double r = radius(rng), a = angle(rng);
    const double v = std::sqrt(SunEarthMasses * EarthGM / r);
    s.objname[i] = "Body " + std::to_string(i);
    s.objref[i] = "Star";
    s.objmass[i] = 1e-6 * dt * dt;
    s.objsize[i] = 1e3;
    s.objcolor[i] = 0x30A0FF;
    s.objcolor2[i] = ColourWhite;
    s.objx[i] = r * std::cos(a);
    s.objy[i] = r * std::sin(a);
    s.objz[i] = r * lift(rng);
    s.objvx[i] = -v * std::sin(a) * dt;
    s.objvy[i] = v * std::cos(a) * dt;
  }
  s.objects = static_cast<int16_t>(n);
  s.objname[0] = "Floating";
  s.timescale = dt;
}

namespace {

void FillBodies(State& s) {
  FillStarDisc(s, MaxBodies);
  s.SecondsElapsed = ParseDateTimeText(ComposeDateTimeText(2026, 1, 1, 0, 0, 0));
}

// One Pause a day from 2040 on: the list is full, and none is due for
// decades of simulated time.
void FillAutopilot(State& s) {
  for (int k = 1; k <= MaxAutopilot; ++k) {
    AutopilotCommand& c = s.autopilot[k];
    c.line = ComposeAutopilotDateField(2040 + (k - 1) / 365, 1, 1 + (k - 1) % 365, 12, 0, 0) + " Pause";
    c.time = AutopilotLineTime(c.line);
    c.note = "entry " + std::to_string(k);
  }
  s.autopilotCount = MaxAutopilot;
}

// The boxes and panels cascade over a 1366 x 768 screen (twips).
void FillBoxes(State& s) {
  for (int k = 1; k <= MaxSlots; ++k) {
    const float left = static_cast<float>(15 * (20 + 9 * (k % 100)));
    const float top = static_cast<float>(15 * (40 + 5 * (k % 100)));
    const int a = k + 1, o = k + 101;
    s.distanceBoxes[k] = {true, left, top, s.objname[a], "Star", static_cast<int16_t>(a), 1};
    s.orbitBoxes[k] = {true, left + 600, top, s.objname[o], "Reference Object", static_cast<int16_t>(o), 1};
    s.thrustPanels[k] = {true, top, left + 1200, "0", "0", static_cast<int16_t>(k + 201), 1};
  }
  for (int k = 1; k <= MaxCaptions; ++k) {
    CaptionSlot& c = s.captions[k];
    c.caption = "Caption " + std::to_string(k);
    c.fontName = "Sans Serif";
    c.fontSize = 12;
    c.foreColor = ColourWhite;
    c.left = 20;
    c.top = static_cast<float>(20 + 40 * k);
    c.width = 300;
    c.height = 30;
  }
}

}  // namespace

// At 50 AU the star's pull barely differs across a pair, so each pair
// closes at its own speed of 100 m/s from 6000 km apart per 100 steps; the
// bodies are 1000 km wide, so a step of 60 km cannot pass one through the other.
void MakePairsMerge(State& s) {
  const double dt = s.timescale, closing = 100.0, spacing = 1e10;
  for (int k = 0; k < 200; ++k) {
    const int a = 601 + 2 * k, b = a + 1;
    const double x = 50 * AstronomicalUnitMetres + spacing * k;
    const double gap = 1e6 + closing * dt * 100 * (k + 1);
    for (int i : {a, b}) {
      s.objsize[i] = 1e6;
      s.objx[i] = x;
      s.objy[i] = s.objz[i] = s.objvx[i] = s.objvy[i] = s.objvz[i] = 0;
    }
    s.objy[b] = gap;
    s.objvy[b] = -closing * dt;
  }
}

void FillFullSituation(State& s, bool boxes) {
  FillBodies(s);
  FillAutopilot(s);
  if (boxes) FillBoxes(s);
  s.focusobj = 1;
  s.ScalePixel = 350.0 / (1.6 * AstronomicalUnitMetres);
  s.anchor = true;
  s.trails = true;
  s.llabels = true;
  s.pplot = true;
  s.menus = true;
  s.TimeForward = true;
  s.MinimumObjectSize = 2;
  s.ExaggeratedObjectSize = 10;
  s.mainWindow.width = 1000 * 15;
  s.mainWindow.height = 580 * 15;
  s.mainWindow.left = 150 * 15;
  s.mainWindow.top = 140 * 15;
  s.mainWindow.titlebar = true;
  s.mainWindow.vscroll = -10000;
  for (auto& d : s.dashboard) d = DashboardPlace{-1, -1};
}

}  // namespace molvane
