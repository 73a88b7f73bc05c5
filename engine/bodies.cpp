#include "engine/bodies.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "engine/orbits.h"

namespace molvane {

int16_t FindBodyByName(const State& s, std::string_view name) {
  int16_t found = 0;
  for (int16_t i = 1; i <= s.objects && i <= MaxBodies; ++i) {
    if (s.objname[i] == name) found = i;
  }
  return found;
}

int16_t BodyOfName(const State& s, int k, std::string_view name) {
  if (k >= 1 && k <= BodyCount(s) && s.objname[k] == name) return static_cast<int16_t>(k);
  return name.empty() ? int16_t{0} : FindBodyByName(s, name);
}

int16_t FindBodyNamedAt(const State& s, std::string_view text, int column) {
  if (column < 1 || static_cast<size_t>(column) > text.size()) return 0;
  const std::string_view from = text.substr(static_cast<size_t>(column) - 1);
  int16_t found = 0;
  for (int16_t i = 1; i <= s.objects && i <= MaxBodies; ++i) {
    const std::string& name = s.objname[i];
    if (name.empty() || !from.starts_with(name)) continue;
    if (found == 0 || name.size() > s.objname[found].size()) found = i;
  }
  return found;
}

int16_t FindBodyNamedAtStart(const State& s, std::string_view text) {
  int16_t found = 0;
  for (int16_t i = 1; i <= s.objects && i <= MaxBodies; ++i) {
    const std::string& name = s.objname[i];
    if (!name.empty() && text.starts_with(name)) found = i;
  }
  return found;
}

int32_t BodyIdOf(State& s, int k) {
  if (k < 1 || k > BodyCount(s)) return 0;
  if (s.objid[k] == 0) s.objid[k] = ++s.lastBodyId;
  return s.objid[k];
}

int16_t FindBodyById(const State& s, int32_t id) {
  if (id == 0) return 0;
  for (int16_t i = 1; i <= BodyCount(s); ++i) {
    if (s.objid[i] == id) return i;
  }
  return 0;
}

namespace {

// Every body index that State holds, apart from the focus, the focus
// system and each body's objrefindex, with what it becomes once its body is
// gone: NoBody where 0 is the floating point, a body its window shows and
// measures; 0 where 0 already means none (nothing sampled, nothing edited).
template <class F>
void ForEachHeldBodyIndex(State& s, F&& f) {
  for (int16_t* v :
       {&s.rb1a, &s.rb1b, &s.rb2a, &s.rb2b, &s.rbo1a, &s.rbo1b, &s.cpobject, &s.cpreference, &s.PreviousFocusObj})
    f(*v, NoBody);
  for (int16_t* v : {&s.ObjEditTarget, &s.spectrumSettings.bodyA, &s.spectrumSettings.bodyB}) f(*v, int16_t{0});
  for (int k = 1; k <= MaxSlots; ++k) {
    for (BoxSlot* b : {&s.distanceBoxes[k], &s.orbitBoxes[k]}) {
      f(b->bodyA, NoBody);
      f(b->bodyB, NoBody);
    }
    f(s.thrustPanels[k].cpobject, NoBody);
    f(s.thrustPanels[k].cpreference, NoBody);
  }
}

// Body k has left the table of n bodies and those above it have moved down
// one: every index names the body it named before, or none where that was
// k; one past the table stays. A focus on k stays, passing to the body that
// moved into k.
void RenumberBodyIndices(State& s, int k, int n) {
  auto follow = [k, n](int16_t& v, int16_t none) {
    if (v == k) {
      v = none;
    } else if (v > k && v <= n) {
      --v;
    }
  };
  ForEachHeldBodyIndex(s, follow);
  for (int16_t& r : s.objrefindex) follow(r, 0);
  if (s.focusobj > k && s.focusobj <= n) --s.focusobj;
  const int count = std::clamp<int>(s.SystemElementsCount, 0, MaxBodies);
  int kept = 0;
  for (int m = 1; m <= count; ++m) {
    int16_t j = s.SystemElements[m];
    if (j == k) continue;
    follow(j, 0);
    s.SystemElements[++kept] = j;
  }
  for (int m = kept + 1; m <= count; ++m) s.SystemElements[m] = 0;
  s.SystemElementsCount = static_cast<int16_t>(kept);
}

}  // namespace

void BodyTableReplaced(State& s, int count) {
  s.objid.fill(0);
  ++s.bodyTableGeneration;
  s.objrefindex.fill(0);
  s.SystemElements.fill(0);
  s.SystemElementsCount = 0;
  ForEachHeldBodyIndex(s, [count](int16_t& v, int16_t none) {
    if (v > count) v = none;
  });
}

void ResolveBodyReferences(State& s) {
  const int n = BodyCount(s);
  // No reference names no body, not even one without a name.
  for (int i = 1; i <= n; ++i) s.objrefindex[i] = s.objref[i].empty() ? int16_t{0} : FindBodyByName(s, s.objref[i]);
}

void CarryRename(State& s, int k, const std::string& oldName) {
  const int n = BodyCount(s);
  if (k < 1 || k > n || oldName.empty() || s.objname[k] == oldName) return;
  const bool shared = FindBodyByName(s, oldName) != 0;  // another body still carries it
  for (int i = 1; i <= n; ++i) {
    if (s.objref[i] != oldName || (shared && s.objrefindex[i] != k)) continue;
    s.objref[i] = s.objname[k];
    s.objrefindex[i] = static_cast<int16_t>(k);
  }
}

void HoldBody(State& s, HeldBody& h, int k) {
  h.index = static_cast<int16_t>(std::clamp(k, -1, MaxBodies));
  h.id = BodyIdOf(s, k);
  h.table = s.bodyTableGeneration;
}

int16_t FollowBody(State& s, HeldBody& h, bool keepIndex) {
  if (h.table != s.bodyTableGeneration) {
    if (h.id != 0 && !keepIndex) h.index = -1;
    HoldBody(s, h, h.index);
  } else if (h.id != 0) {
    const int16_t k = FindBodyById(s, h.id);
    h.index = k > 0 ? k : int16_t{-1};
    if (k == 0) h.id = 0;
  }
  return h.index;
}

namespace {

// Copies every per-body field of body `from` to body `to`.
void MoveBodyFields(State& s, int from, int to) {
  s.objname[to] = std::move(s.objname[from]);
  s.objref[to] = std::move(s.objref[from]);
  s.objmass[to] = s.objmass[from];
  s.objx[to] = s.objx[from];
  s.objy[to] = s.objy[from];
  s.objz[to] = s.objz[from];
  s.objvx[to] = s.objvx[from];
  s.objvy[to] = s.objvy[from];
  s.objvz[to] = s.objvz[from];
  s.objsize[to] = s.objsize[from];
  s.objcolor[to] = s.objcolor[from];
  s.objcolor2[to] = s.objcolor2[from];
  s.objdirx[to] = s.objdirx[from];
  s.objdiry[to] = s.objdiry[from];
  s.objdirz[to] = s.objdirz[from];
  s.objthrust[to] = s.objthrust[from];
  s.objthruston[to] = s.objthruston[from];
  s.objrefindex[to] = s.objrefindex[from];
  s.objlastx[to] = s.objlastx[from];
  s.objlasty[to] = s.objlasty[from];
  s.objsma[to] = s.objsma[from];
  s.objecc[to] = s.objecc[from];
  s.objinc[to] = s.objinc[from];
  s.objper[to] = s.objper[from];
  s.objasc[to] = s.objasc[from];
  s.objma[to] = s.objma[from];
  s.objperdist[to] = s.objperdist[from];
  s.objappdist[to] = s.objappdist[from];
  s.objid[to] = s.objid[from];
}

// Leaves slot k as an empty body: nothing of the body that left it remains.
void ClearBodySlot(State& s, int k) {
  s.objname[k].clear();
  s.objref[k].clear();
  s.objmass[k] = 0;
  s.objx[k] = s.objy[k] = s.objz[k] = 0;
  s.objvx[k] = s.objvy[k] = s.objvz[k] = 0;
  s.objsize[k] = 0;
  s.objcolor[k] = 0;
  s.objcolor2[k] = 0;
  s.objdirx[k] = s.objdiry[k] = s.objdirz[k] = 0;
  s.objthrust[k] = 0;
  s.objthruston[k] = false;
  s.objrefindex[k] = 0;
  s.objlastx[k] = -1000;  // no disc drawn
  s.objlasty[k] = -1000;
  s.objsma[k] = s.objecc[k] = s.objinc[k] = s.objper[k] = 0;
  s.objasc[k] = s.objma[k] = s.objperdist[k] = s.objappdist[k] = 0;
  s.objid[k] = 0;
}

// Takes body k (1..objects) out of the table: the bodies above move down
// one index and the focus moves with its body. False for any other k.
bool TakeOutBody(State& s, int k) {
  const int n = BodyCount(s);
  if (k < 1 || k > n) return false;
  for (int i = k; i <= n - 1; ++i) MoveBodyFields(s, i + 1, i);
  ClearBodySlot(s, n);
  s.objects = static_cast<int16_t>(n - 1);
  RenumberBodyIndices(s, k, n);
  return true;
}

// A focus left beyond the table goes to the new last body; true if it did.
bool PullFocusIntoTable(State& s) {
  if (s.focusobj <= s.objects) return false;
  s.focusobj = s.objects;
  return true;
}

// The windows after bodies left the table: labels and lists laid out again,
// the focus pulled into the table, the view cleared if the focus had to move
// now or (`focusMoved`) at an earlier take-out.
void RefreshAfterTakeOut(State& s, EngineHost& host, bool focusMoved) {
  host.rebuildObjectLabels();
  host.refreshObjectLists();
  if (PullFocusIntoTable(s) || focusMoved) host.clearView();
  if (s.focusobjectloaded) host.selectFocusInList();
}

}  // namespace

int32_t DeriveBodyColour(int32_t /*colour*/) { return ColourWhite; }

int16_t AddBody(State& s, const NewBody& b) {
  const int n = BodyCount(s) + 1;
  if (n > MaxBodies) return 0;
  s.objects = static_cast<int16_t>(n);
  ClearBodySlot(s, n);
  s.objname[n] = b.name;
  s.objref[n] = b.ref;
  s.objcolor[n] = b.colour;
  s.objcolor2[n] = DeriveBodyColour(b.colour);
  s.objmass[n] = b.mass;
  s.objsize[n] = b.size;
  s.objx[n] = b.position[0];
  s.objy[n] = b.position[1];
  s.objz[n] = b.position[2];
  s.objvx[n] = b.velocity[0];
  s.objvy[n] = b.velocity[1];
  s.objvz[n] = b.velocity[2];
  s.objdirx[n] = b.direction[0];
  s.objdiry[n] = b.direction[1];
  s.objdirz[n] = b.direction[2];
  s.objrefindex[n] = b.refIndex;
  BodyIdOf(s, n);
  return static_cast<int16_t>(n);
}

void DeleteBody(State& s, EngineHost& host, int k) {
  if (TakeOutBody(s, k)) RefreshAfterTakeOut(s, host, false);
}

void DropBodiesAbove(State& s, int count) {
  const int n = BodyCount(s);
  if (count < 0 || count >= n) return;
  for (int i = count + 1; i <= n; ++i) ClearBodySlot(s, i);
  s.objects = static_cast<int16_t>(count);
}

void MergeCollidedBodies(State& s, EngineHost& host) {
  host.setTimerEnabled(false);

  const int n = BodyCount(s);
  // absorbedBy[i] is the body that took body i in during this pass (i itself
  // while it still stands), so a later pair naming i acts on that body.
  std::array<int16_t, BodySlots> absorbedBy;
  for (int i = 0; i < BodySlots; ++i) absorbedBy[i] = static_cast<int16_t>(i);
  auto standing = [&](int i) {
    while (absorbedBy[i] != i) i = absorbedBy[i];
    return i;
  };

  std::array<int, MaxPairs> losers{};
  int loserCount = 0;

  for (int k = 1; k <= MaxPairs && s.higher[k] > 0; ++k) {
    int a = s.higher[k];
    int b = s.lower[k];
    if (!(a > b) || b < 1 || a > n) continue;
    a = standing(a);
    b = standing(b);
    if (a == b) continue;        // already one body
    if (a < b) std::swap(a, b);  // a is the higher index

    const double ma = s.objmass[a];
    const double mb = s.objmass[b];
    const double M = mb + ma;
    if (!std::isfinite(M)) continue;

    const double va[3] = {s.objvx[a], s.objvy[a], s.objvz[a]};
    const double vb[3] = {s.objvx[b], s.objvy[b], s.objvz[b]};
    double v[3];
    for (int ax = 0; ax < 3; ++ax) {
      double w = (M != 0) ? (mb * vb[ax] + ma * va[ax]) / M : (vb[ax] + va[ax]) / 2;
      if (!std::isfinite(w)) w = (vb[ax] + va[ax]) / 2;
      if (!std::isfinite(w)) w = (ma > mb) ? va[ax] : vb[ax];
      v[ax] = w;
    }

    // The merged body keeps the mass-weighted density; when that cannot be
    // formed (no positive mass, no volume) it keeps the larger diameter.
    double D = std::max(s.objsize[a], s.objsize[b]);
    if (M > 0) {
      const double rho = (mb / M) * GetDensity(s, mb, s.objsize[b]) + (ma / M) * GetDensity(s, ma, s.objsize[a]);
      double fromDensity = 0;
      if (std::isfinite(rho) && TryGetDiameterFromDensity(s, M, rho, fromDensity)) {
        D = fromDensity;
      }
    }

    const int survivor = (ma > mb) ? a : b;
    const int loser = (survivor == a) ? b : a;
    s.objvx[survivor] = v[0];
    s.objvy[survivor] = v[1];
    s.objvz[survivor] = v[2];
    s.objmass[survivor] = M;
    s.objsize[survivor] = D;
    if (s.focusobj == loser) s.focusobj = static_cast<int16_t>(survivor);
    absorbedBy[loser] = static_cast<int16_t>(survivor);
    losers[loserCount++] = loser;
  }

  // Highest first, so that no deletion moves a body still to be deleted.
  std::sort(losers.begin(), losers.begin() + loserCount, std::greater<int>());
  const auto end = std::unique(losers.begin(), losers.begin() + loserCount);
  // The windows are brought up to date once, after the last deletion: what
  // they hold follows its body, so they end as after one refresh per
  // deletion without laying out every list and label each time.
  bool cleared = false;
  for (auto it = losers.begin(); it != end; ++it) {
    TakeOutBody(s, *it);
    cleared = PullFocusIntoTable(s) || cleared;
    host.bodyLeftTable();
  }
  if (losers.begin() != end) RefreshAfterTakeOut(s, host, cleared);

  s.CollisionPairCount = 0;
  for (int k = 1; k <= MaxPairs; ++k) {
    s.higher[k] = 0;
    s.lower[k] = 0;
  }

  host.setTimerEnabled(true);
}

double GetSphereVolume(double d) { return std::pow(d, 3.0) * GetPi() / 6; }

double GetDensity(const State& s, double m, double d) {
  const double V = GetSphereVolume(d);
  if (V == 0 || s.timescale == 0) return 0;
  const double rho = m / s.timescale / s.timescale / V;
  return std::isfinite(rho) ? rho : 0;
}

bool TryGetDiameterFromDensity(const State& s, double m, double rho, double& out) {
  if (rho == 0 || s.timescale == 0) return false;
  const double V = m / s.timescale / s.timescale / rho;
  if (!std::isfinite(V) || V < 0) return false;
  const double D = std::pow(6 * V / GetPi(), 1.0 / 3.0);
  if (!std::isfinite(D)) return false;
  out = D;
  return true;
}

double GetDiameterFromDensity(const State& s, double m, double rho) {
  double D = 0;
  TryGetDiameterFromDensity(s, m, rho, D);
  return D;
}

}  // namespace molvane
