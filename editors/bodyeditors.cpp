#include "editors/bodyeditors.h"

#include <QPointer>

#include "editors/createclass.h"
#include "editors/createobjects.h"
#include "editors/objedit.h"
#include "editors/orbitcalculator.h"
#include "editors/rotatingperiod.h"
#include "ui/colours.h"
#include "ui/dialogs.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

struct BodyEditors::Windows {
  QPointer<ObjEdit> objEdit;
  QPointer<frmCreateMultipleObjects> createObjects;
  QPointer<CreateObjectClass> classLibrary;
  QPointer<OrbitCalculator> orbitCalculator;
  QPointer<frmRotatingPeriod> rotatingPeriod;
};

namespace {

// A window that has closed counts as gone even before it is deleted.
template <typename T>
T* Live(const QPointer<T>& p) {
  return p && !p->unloaded() ? p.data() : nullptr;
}

template <typename T>
void Delete(QPointer<T>& p) {
  if (p) delete p.data();
}

}  // namespace

BodyEditors::BodyEditors(WindowServices& form) : form_(form), w_(std::make_unique<Windows>()) {}

// The windows are the main window's children; they go first so that none
// outlives the object it calls back.
BodyEditors::~BodyEditors() {
  Delete(w_->objEdit);
  Delete(w_->createObjects);
  Delete(w_->classLibrary);
  Delete(w_->orbitCalculator);
  Delete(w_->rotatingPeriod);
}

ObjEdit* BodyEditors::objEdit() const { return Live(w_->objEdit); }
frmCreateMultipleObjects* BodyEditors::createObjects() const { return Live(w_->createObjects); }
CreateObjectClass* BodyEditors::classLibrary() const { return Live(w_->classLibrary); }
OrbitCalculator* BodyEditors::orbitCalculator() const { return Live(w_->orbitCalculator); }
frmRotatingPeriod* BodyEditors::rotatingPeriod() const { return Live(w_->rotatingPeriod); }

namespace {

// Opens a window: an open one is closed first with reloadFirst, else only
// brought forward; a new one loads and then shows.
template <typename T>
T* Open(QPointer<T>& p, BodyEditors& owner, WindowServices& form, bool reloadFirst) {
  if (T* w = Live(p)) {
    if (!reloadFirst) {
      w->show();
      w->raise();
      w->activateWindow();
      return w;
    }
    w->close();
  }
  p = new T(owner, form);
  p->Form_Load();
  p->show();
  p->raise();
  return p.data();
}

}  // namespace

void BodyEditors::show(InstrumentWindow w, bool reloadFirst) {
  switch (w) {
    case InstrumentWindow::ObjEdit: Open(w_->objEdit, *this, form_, reloadFirst); break;
    case InstrumentWindow::CreateObjects: Open(w_->createObjects, *this, form_, reloadFirst); break;
    case InstrumentWindow::RotatingPeriod: Open(w_->rotatingPeriod, *this, form_, reloadFirst); break;
    case InstrumentWindow::OrbitCalculator: Open(w_->orbitCalculator, *this, form_, reloadFirst); break;
    default: break;
  }
}

QWidget* BodyEditors::window(InstrumentWindow w) const {
  switch (w) {
    case InstrumentWindow::ObjEdit: return objEdit();
    case InstrumentWindow::CreateObjects: return createObjects();
    case InstrumentWindow::RotatingPeriod: return rotatingPeriod();
    case InstrumentWindow::OrbitCalculator: return orbitCalculator();
    default: return nullptr;
  }
}

bool BodyEditors::isShown(InstrumentWindow w) const {
  QWidget* win = window(w);
  return win && win->isVisible();
}

void BodyEditors::close(InstrumentWindow w) {
  if (QWidget* win = window(w)) win->close();
}

void BodyEditors::refreshObjectLists() {
  const State& s = form_.state();
  if (ObjEdit* w = objEdit(); w && s.objeditloaded) w->refill();
  if (auto* w = createObjects(); w && s.createmultipleobjectsloaded) w->refill();
  if (auto* w = classLibrary(); w && s.createobjectclassloaded) w->refill();
  if (auto* w = orbitCalculator(); w && s.orbitcalculatorloaded) w->refill();
  if (auto* w = rotatingPeriod(); w && s.rotatingperiodloaded) w->refill();
}

void BodyEditors::showClassLibrary() { Open(w_->classLibrary, *this, form_, false); }

std::string BodyEditors::libraryPath() const { return PathBytes(form_.dataFolder()) + "/Library"; }

std::optional<int32_t> BodyEditors::askColour(int32_t initial, QWidget* parent) {
  const std::optional<QColor> c = form_.dialogs().colour(parent, ColourFromValue(initial), QString());
  if (!c) return std::nullopt;
  return ValueFromColour(*c);
}

}  // namespace molvane
