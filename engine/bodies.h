// Body helpers: name look-up, adding and deleting bodies, merging of
// touching bodies and the sphere relations between mass, diameter and
// density.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/host.h"
#include "engine/state.h"

namespace molvane {

// Index of the last body 1..objects whose name equals `name` exactly, or 0.
int16_t FindBodyByName(const State& s, std::string_view name);

// The body that a fixed-column text names at `column` (1-based): one whose
// whole name equals the text's characters from that column over the name's
// length, whatever follows. Of several, the longest name (so "Probe 1"
// never stands for "Probe 10"); of equal names, the first index. 0 when
// none does; an empty name names nothing.
int16_t FindBodyNamedAt(const State& s, std::string_view text, int column);

// Index of the last body 1..objects whose name begins `text` (the older
// files keep the default thrust panel's bodies by such a text), or 0; an
// empty name names nothing.
int16_t FindBodyNamedAtStart(const State& s, std::string_view text);

// Body k when it carries `name`, else the last body of that name (0: none;
// an empty name names only body k itself).
int16_t BodyOfName(const State& s, int k, std::string_view name);

// Number of real bodies, clamped to 0..MaxBodies, for every loop over the table.
inline int BodyCount(const State& s) { return s.objects < 0 ? 0 : (s.objects > MaxBodies ? MaxBodies : s.objects); }
// A body of the table now (or the floating point 0), not a row past it.
inline bool IsBodyNow(const State& s, int k) { return k >= 0 && k <= BodyCount(s); }
// The name of body i; the floating point is "Floating".
inline std::string ShownName(const State& s, int i) {
  return i == 0 && s.objname[0].empty() ? std::string("Floating") : s.objname[i];
}

// Identity of body k (1..objects), given the first time it is asked for;
// 0 for anything else. None is given twice.
int32_t BodyIdOf(State& s, int k);
// Index of the body 1..objects with identity `id`, or 0 when none has it.
int16_t FindBodyById(const State& s, int32_t id);
// A situation or New replaced the whole table with `count` bodies: no
// identity given before finds a body any more, no body keeps an element
// reference (objrefindex 0, as at start), the focus system is empty, and
// every other body index that State holds stays as it is within the new
// table and names none past it.
void BodyTableReplaced(State& s, int count);
// The names of a table just read are in: each body's element reference is
// the body its objref names (the last of that name, 0 for none or an empty
// objref), as for a name the user typed.
void ResolveBodyReferences(State& s);
// Body k was renamed from `oldName`: every body whose reference was k (k
// itself too, where it named itself) names it by its new name and keeps it
// as its element reference. Where two
// bodies carried the old name, only those whose objrefindex is k follow.
// An empty old name was no reference: nothing follows.
void CarryRename(State& s, int k, const std::string& oldName);

// A body that a window holds. It follows its body through deletions and
// merges; once the body is gone its index is -1.
struct HeldBody {
  int16_t index = 0;
  int32_t id = 0;     // 0: no body identity (the floating point, an index past the table)
  int32_t table = 0;  // State::bodyTableGeneration when held
};
void HoldBody(State& s, HeldBody& h, int k);
// Where the held body stands now (-1: gone). After the whole table was
// replaced nothing of the old body is left: with `keepIndex` the window
// then holds whatever stands at the same index, else nothing (-1).
int16_t FollowBody(State& s, HeldBody& h, bool keepIndex);

// The second colour of a body: white for every colour.
int32_t DeriveBodyColour(int32_t colour);

// What a new body is given; every other field of it starts empty.
struct NewBody {
  std::string name{};
  std::string ref{};                 // name of the reference body, "" for none
  int32_t colour = 0;                // 0x00BBGGRR; the second colour derives from it
  double mass = 0;                   // mass term, Earth masses * timescale^2
  double size = 0;                   // diameter, metres
  std::array<double, 3> position{};  // metres
  std::array<double, 3> velocity{};  // metres per step
  std::array<float, 3> direction{};  // thrust direction, unit vector * timescale
  int16_t refIndex = 0;
};

// Adds `b` as body objects + 1 and returns its index; 0, changing nothing,
// when the table is full. Nothing of a body that held the slot before
// remains, and the body gets an identity of its own. The caller refreshes
// the labels and lists once, after its last body.
int16_t AddBody(State& s, const NewBody& b);

// Removes body k (1..objects; anything else does nothing): every per-body
// field of the bodies above k moves down one index, the vacated last slot
// is cleared, and every body index that State holds follows its body; one
// that named k names none (NoBody, or 0 where 0 names none already). A
// focus on k itself passes to the body that moves into k. The host rebuilds
// the labels (after `objects` has been lowered), refreshes the body lists,
// clears the view when the focus had to be pulled down, and re-selects the
// focus window's list.
void DeleteBody(State& s, EngineHost& host, int k);

// Takes the bodies above `count`, added by one action that could not
// finish, out of the table again; nothing else can hold them yet, so no
// window is told.
void DropBodiesAbove(State& s, int count);

// Merges every listed touching pair into the heavier body (equal masses:
// the lower index), keeping mass and momentum, then deletes the absorbed
// bodies and empties the pair list. A body that was absorbed earlier in the
// same pass is followed to the body that took it in; a focus on an absorbed
// body moves to its survivor, every other index that named it names none,
// as a deletion of it leaves them. The host rebuilds the labels and
// refreshes the lists once, after the last deletion. Holds the host's timer
// while it works and enables it again at the end.
void MergeCollidedBodies(State& s, EngineHost& host);

// Volume in m^3 of a sphere of diameter d.
double GetSphereVolume(double d);
// Earth masses per m^3 of mass term m in a sphere of diameter d; 0 when the
// volume or the time step is 0 or the result is not finite.
double GetDensity(const State& s, double m, double d);
// Diameter of a sphere of mass term m and density rho. Returns false and
// leaves `out` alone when rho or the time step is 0, or when the result
// would be negative-volume or not finite.
bool TryGetDiameterFromDensity(const State& s, double m, double rho, double& out);
// As above; 0 when no diameter can be computed.
double GetDiameterFromDensity(const State& s, double m, double rho);

}  // namespace molvane
