#include "editors/editorwindows.h"

#include <algorithm>

#include "ui/text.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

void ListSlot(std::vector<int>& list, int slot) {
  const auto at = std::lower_bound(list.begin(), list.end(), slot);
  if (at == list.end() || *at != slot) list.insert(at, slot);
}

void ShowQuietly(QWidget* w) {
  w->setAttribute(Qt::WA_ShowWithoutActivating, true);
  w->show();
  w->setAttribute(Qt::WA_ShowWithoutActivating, false);
}

}  // namespace

EditorWindows::EditorWindows(WindowServices& form) : form_(form), s_(form.state()), editors_(form) {
  // The orbit calculator starts from reference box 1's body and its distance,
  // tangential and radial readouts, as shown.
  editors_.readReferenceBox1 = [this](ReferenceBoxReadout& r) {
    RefBox* box = referenceBox(1);
    if (box == nullptr || box->Combo1 == nullptr) return false;
    // The texts of the latest step, even where the box has not shown them yet.
    if (s_.refbox1loaded) box->showTexts(PairReadoutTexts(refReadout_[1], 3));
    r.body = static_cast<int16_t>(box->bodyA());
    r.bodyName = BoxText(box->Combo1);
    r.distance = Latin1Bytes(box->lbl(1)->text());
    r.tangentVelocity = Latin1Bytes(box->lbl(4)->text());
    r.radialVelocity = Latin1Bytes(box->lbl(3)->text());
    return true;
  };
}
EditorWindows::~EditorWindows() = default;

RefBoxS* EditorWindows::distanceBox(int slot) const { return IsBoxSlot(slot) ? distance_[slot].data() : nullptr; }
RefBoxOrbit1* EditorWindows::orbitBox(int slot) const {
  return (slot >= 0 && slot <= MaxSlots) ? orbit_[slot].data() : nullptr;
}
RefBox* EditorWindows::referenceBox(int which) const { return ref_[which == 2 ? 2 : 1].data(); }

void EditorWindows::openBox(BoxKind kind, int slot) {
  if (!IsBoxSlot(slot) || kind == BoxKind::Thrust || !BoxSlotInUse(s_, kind, slot)) return;
  ListSlot(kind == BoxKind::Distance ? openDistance_ : openOrbit_, slot);
  if (kind == BoxKind::Distance) {
    const BoxSlot rec = s_.distanceBoxes[slot];
    QPointer<RefBoxS>& box = distance_[slot];
    if (IsFreshBoxSlot(rec)) {
      // A closed box's window is used again, with what it measured last.
      if (!box) box = new RefBoxS(form_);
      box->SlotIndex = static_cast<int16_t>(slot);
      box->Form_Load();
    } else {
      if (box) box->deleteLater();
      box = new RefBoxS(form_);
      box->SlotIndex = static_cast<int16_t>(slot);
      box->restore(rec);
    }
    box->show();
    if (s_.PausedFlag) {  // no step fills it until the run goes on
      box->refStep();
      box->showReadout(box->readout);
    }
    return;
  }
  const BoxSlot rec = s_.orbitBoxes[slot];
  QPointer<RefBoxOrbit1>& box = orbit_[slot];
  if (IsFreshBoxSlot(rec)) {
    if (!box) {
      box = new RefBoxOrbit1(form_);
      const QPoint at = form_.newWindowPlace(QPoint(0, 0));
      box->placeAtTwips(at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
    }
    box->SlotIndex = static_cast<int16_t>(slot);
    box->Form_Load();
  } else {
    if (box) box->deleteLater();
    box = new RefBoxOrbit1(form_);
    box->SlotIndex = static_cast<int16_t>(slot);
    box->restore(rec);
    // Filled for a body but never placed (the body popup's box): it opens
    // where a new box does, not over the screen's corner.
    if (rec.left == 0 && rec.top == 0) {
      const QPoint at = form_.newWindowPlace(QPoint(0, 0));
      box->placeAtTwips(at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
    }
  }
  box->show();
  if (s_.PausedFlag) {
    box->refStep();
    box->showReadout(box->readout);
  }
}

void EditorWindows::closeBox(BoxKind kind, int slot) {
  if (!IsBoxSlot(slot)) return;
  if (kind == BoxKind::Distance && distance_[slot] && distance_[slot]->isVisible()) distance_[slot]->close();
  if (kind == BoxKind::Orbit && orbit_[slot] && orbit_[slot]->isVisible()) orbit_[slot]->close();
}

RefBox& EditorWindows::referenceWindow(int which) {
  QPointer<RefBox>& box = ref_[which == 2 ? 2 : 1];
  if (!box) box = new RefBox(form_, which);
  return *box;
}

void EditorWindows::show(InstrumentWindow w, bool reloadFirst) {
  switch (w) {
    case InstrumentWindow::ObjEdit:
    case InstrumentWindow::CreateObjects:
    case InstrumentWindow::RotatingPeriod:
    case InstrumentWindow::OrbitCalculator: editors_.show(w, reloadFirst); return;
    case InstrumentWindow::Spectrum: {
      if (!spectrum_) spectrum_ = new frmSpectrum(form_);
      if (reloadFirst && spectrum_->isVisible()) spectrum_->close();
      if (!spectrum_->isVisible()) spectrum_->Form_Load();
      spectrum_->show();
      spectrum_->raise();
      return;
    }
    case InstrumentWindow::OrbitRefBox1: {
      QPointer<RefBoxOrbit1>& box = orbit_[0];
      if (!box) box = new RefBoxOrbit1(form_);
      if (reloadFirst && box->isVisible()) box->close();
      if (!box->isVisible()) {
        box->SlotIndex = 0;
        // A box never placed (no file gave it a place) opens as a new window.
        SingleWindowPlace& place = s_.refboxorbit1Place;
        if (place.left == 0 && place.top == 0) {
          const QPoint at = form_.newWindowPlace(QPoint(0, 0));
          place.left = static_cast<float>(at.x() * TwipsPerPixel);
          place.top = static_cast<float>(at.y() * TwipsPerPixel);
        }
        box->placeAtTwips(place.left, place.top);
        box->Form_Load();
      }
      box->show();
      box->raise();
      showPausedReadout(w);
      return;
    }
    case InstrumentWindow::BetaBox: {
      if (!beta_) beta_ = new RefBoxS(form_);
      if (reloadFirst && beta_->isVisible()) beta_->close();
      if (!beta_->isVisible()) beta_->Form_Load();
      beta_->show();
      beta_->raise();
      return;
    }
    case InstrumentWindow::RefBox1:
    case InstrumentWindow::RefBox2: {
      const int which = w == InstrumentWindow::RefBox2 ? 2 : 1;
      RefBox& box = referenceWindow(which);
      if (reloadFirst && box.isVisible()) box.close();
      if (!box.isVisible()) {
        // A flag already set means an older situation file opened the box:
        // it comes back with that file's place and pair.
        const bool fromFile = which == 2 ? s_.refbox2loaded : s_.refbox1loaded;
        if (fromFile) {
          box.restore();
        } else {
          box.Form_Load();
        }
      }
      box.show();
      box.raise();
      showPausedReadout(w);
      return;
    }
    default: return;
  }
}

void EditorWindows::showPausedReadout(InstrumentWindow w) {
  if (!s_.PausedFlag) return;
  if (w == InstrumentWindow::OrbitRefBox1) {
    if (!s_.refboxorbit1loaded || !orbit_[0]) return;
    defaultOrbit_ = StepOrbitReadout(s_, s_.rbo1a, s_.rbo1b);
    orbit_[0]->showReadout(defaultOrbit_);
    return;
  }
  const int which = w == InstrumentWindow::RefBox2 ? 2 : 1;
  if (!(which == 2 ? s_.refbox2loaded : s_.refbox1loaded) || !ref_[which]) return;
  StepPairReadout(s_, which == 2 ? s_.rb2a : s_.rb1a, which == 2 ? s_.rb2b : s_.rb1b, refReadout_[which]);
  ref_[which]->showReadout(refReadout_[which]);
}

bool EditorWindows::isShown(InstrumentWindow w) const {
  auto visible = [](const QWidget* x) { return x != nullptr && x->isVisible(); };
  switch (w) {
    case InstrumentWindow::ObjEdit:
    case InstrumentWindow::CreateObjects:
    case InstrumentWindow::RotatingPeriod:
    case InstrumentWindow::OrbitCalculator: return editors_.isShown(w);
    case InstrumentWindow::Spectrum: return visible(spectrum_.data());
    case InstrumentWindow::OrbitRefBox1: return visible(orbit_[0].data());
    case InstrumentWindow::BetaBox: return visible(beta_.data());
    case InstrumentWindow::RefBox1: return visible(ref_[1].data());
    case InstrumentWindow::RefBox2: return visible(ref_[2].data());
    default: return false;
  }
}

void EditorWindows::close(InstrumentWindow w) {
  QWidget* x = nullptr;
  switch (w) {
    case InstrumentWindow::ObjEdit:
    case InstrumentWindow::CreateObjects:
    case InstrumentWindow::RotatingPeriod:
    case InstrumentWindow::OrbitCalculator: editors_.close(w); return;
    case InstrumentWindow::Spectrum: x = spectrum_.data(); break;
    case InstrumentWindow::OrbitRefBox1: x = orbit_[0].data(); break;
    case InstrumentWindow::BetaBox: x = beta_.data(); break;
    case InstrumentWindow::RefBox1: x = ref_[1].data(); break;
    case InstrumentWindow::RefBox2: x = ref_[2].data(); break;
    default: return;
  }
  if (x && x->isVisible()) x->close();
  // A box that a file marked open but that never appeared is closed too.
  if (w == InstrumentWindow::RefBox1) s_.refbox1loaded = false;
  if (w == InstrumentWindow::RefBox2) s_.refbox2loaded = false;
}

void EditorWindows::stepReadouts() {
  // The elements of rbo1a are kept current even while only numbered boxes
  // are open; the default box shows them when it is.
  if (s_.refboxorbit1loaded) defaultOrbit_ = StepOrbitReadout(s_, s_.rbo1a, s_.rbo1b);
  std::erase_if(openDistance_, [this](int k) { return !s_.distanceBoxes[k].inUse; });
  std::erase_if(openOrbit_, [this](int k) { return !s_.orbitBoxes[k].inUse; });
  // By index: a slot whose window has gone opens it again, which lists it.
  for (size_t i = 0; i < openDistance_.size(); ++i) {
    const int k = openDistance_[i];
    if (!distance_[k]) openBox(BoxKind::Distance, k);
    if (distance_[k]) distance_[k]->refStep();
  }
  for (size_t i = 0; i < openOrbit_.size(); ++i) {
    const int k = openOrbit_[i];
    if (!orbit_[k]) openBox(BoxKind::Orbit, k);
    if (orbit_[k]) orbit_[k]->refStep();
  }
  for (int which = 1; which <= 2; ++which) {
    const bool loaded = which == 2 ? s_.refbox2loaded : s_.refbox1loaded;
    if (loaded) StepPairReadout(s_, which == 2 ? s_.rb2a : s_.rb1a, which == 2 ? s_.rb2b : s_.rb1b, refReadout_[which]);
  }
}

void EditorWindows::showReadouts() {
  if (s_.refboxorbit1loaded && orbit_[0]) orbit_[0]->showReadout(defaultOrbit_);
  for (int k : openDistance_) {
    if (s_.distanceBoxes[k].inUse && distance_[k]) distance_[k]->showReadout(distance_[k]->readout);
  }
  for (int k : openOrbit_) {
    if (s_.orbitBoxes[k].inUse && orbit_[k]) orbit_[k]->showReadout(orbit_[k]->readout);
  }
  for (int which = 1; which <= 2; ++which) {
    const bool loaded = which == 2 ? s_.refbox2loaded : s_.refbox1loaded;
    if (loaded && ref_[which]) ref_[which]->showReadout(refReadout_[which]);
  }
}

void EditorWindows::refreshObjectLists() {
  for (int k = 1; k <= MaxSlots; ++k) {
    if (s_.distanceBoxes[k].inUse && distance_[k]) distance_[k]->refill();
    if (s_.orbitBoxes[k].inUse && orbit_[k]) orbit_[k]->refill();
  }
  if (s_.refboxorbit1loaded && orbit_[0]) orbit_[0]->refill();
  if (beta_ && beta_->isVisible()) beta_->refill();
  if (s_.refbox1loaded && ref_[1]) ref_[1]->refill();
  if (s_.refbox2loaded && ref_[2]) ref_[2]->refill();
  if (s_.spectrumloaded && spectrum_) spectrum_->refill();
  editors_.refreshObjectLists();
}

void EditorWindows::showReferenceBox(int which) {
  const bool loaded = which == 2 ? s_.refbox2loaded : s_.refbox1loaded;
  if (!loaded) return;
  RefBox& box = referenceWindow(which);
  if (!box.isVisible()) {
    box.restore();
    ShowQuietly(&box);
  }
}

void EditorWindows::spectrumPoint(int16_t x, double value) {
  if (spectrum_ && spectrum_->isVisible()) spectrum_->plotPoint(x, value);
}

void EditorWindows::closeStartupWindows() {
  close(InstrumentWindow::RefBox1);
  close(InstrumentWindow::RefBox2);
}

}  // namespace molvane
