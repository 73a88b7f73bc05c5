// A situation at every table limit, for measuring the program there: 1000
// bodies on near-circular orbits about a star, every distance box, orbit box
// and thrust panel open (100 of each), 1000 autopilot entries (all of them
// long after the start) and the 4 captions. Over the files library alone.
#pragma once

#include "engine/state.h"

namespace molvane {

// Bodies 1..n of a fresh State: a star and n - 1 small bodies on
// near-circular orbits about it between 0.2 and 1.6 AU, 600 s a step.
void FillStarDisc(State& s, int n);

// Fills a fresh State with that situation. With `boxes` false the slots and
// the captions stay empty: the same bodies and autopilot list alone.
void FillFullSituation(State& s, bool boxes = true);

// Turns bodies 601..1000 into 200 pairs far out from the star, each pair
// closing head-on so that one pair merges about every 100 steps.
void MakePairsMerge(State& s);

}  // namespace molvane
