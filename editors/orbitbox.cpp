#include "editors/orbitbox.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <algorithm>

#include "engine/bodies.h"
#include "engine/boxslots.h"
#include "ui/bodynames.h"
#include "ui/editablelist.h"
#include "ui/icon.h"
#include "ui/keys.h"
#include "ui/text.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

constexpr const char* kReferenceObject = "Reference Object";

struct RowDesign {
  const char* caption;
  const char* tip;
};

constexpr std::array<RowDesign, OrbitRows> kRows{{
    {"X Km", ""},
    {"Y Km", ""},
    {"Z Km", ""},
    {"X Km/s", ""},
    {"Y Km/s", ""},
    {"Z Km/s", ""},
    {"SMA", "Semi-Major Axis"},
    {"Ecc", "Eccentricity"},
    {"Inc", "Inclination"},
    {"Per", "Longitude of Perapsis"},
    {"Asc", "Longitude of the Ascending Node"},
    {"An", "Mean Anomoly"},
    {"PDist", "Periapsis distance"},
    {"ADist", "Apoapsis distance"},
}};

void SetTextColour(QLabel* l, const QColor& c) {
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, c);
  l->setPalette(p);
}

// The widest value a row shows: a plain number of 15 digits in exponent form.
constexpr const char* WidestValue = "-8.88888888888888E+88";

}  // namespace

RefBoxOrbit1::RefBoxOrbit1(WindowServices& form) : ToolWindow(&form.mainWidget()), form_(form), s_(form.state()) {
  setWindowTitle("Orbit Reference");
  setWindowIcon(FrameIcon(form.mainWidget().windowIcon()));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);
  // Qt's fonts need more room than the design's: the value column widens to
  // the widest plain number, the captions follow it, the window both.
  QFont rowFont = font();
  rowFont.setPointSize(8);
  const QFontMetrics fm(rowFont);
  const int valueLeft = PixelsOfTwips(120);
  const int valueWidth = std::max(PixelsOfTwips(1680), fm.horizontalAdvance(WidestValue) + 2);
  const int captionLeft = valueLeft + valueWidth;
  int captionWidth = PixelsOfTwips(600);
  for (const RowDesign& r : kRows) captionWidth = std::max(captionWidth, fm.horizontalAdvance(r.caption) + 2);
  const int w = std::max(PixelsOfTwips(2415), captionLeft + captionWidth + PixelsOfTwips(15));
  Combo1 = new BodyPicker(this);
  Combo2 = new BodyPicker(this);
  Combo1->setGeometry(0, 0, w, PixelsOfTwips(315));
  Combo2->setGeometry(0, PixelsOfTwips(360), w, PixelsOfTwips(315));
  for (BodyPicker* c : {Combo1, Combo2}) MakeEditableList(c);
  connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
  connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
  Frame1 = new QGroupBox("State Vector", this);
  Frame2 = new QGroupBox("Classical Orbital Elements", this);
  Frame1->setGeometry(0, PixelsOfTwips(720), w, PixelsOfTwips(6 * 240 + 360));
  Frame2->setGeometry(0, PixelsOfTwips(2520), w, PixelsOfTwips(8 * 240 + 360));
  for (int row = 0; row < OrbitRows; ++row) {
    QGroupBox* f = row < RowSMA ? Frame1 : Frame2;
    const int line = row < RowSMA ? row : row - RowSMA;
    const int top = PixelsOfTwips(240 + 240 * line);
    values_[row] = new QLabel(f);
    values_[row]->setGeometry(valueLeft, top, valueWidth, PixelsOfTwips(240));
    captions_[row] = new QLabel(kRows[row].caption, f);
    captions_[row]->setGeometry(captionLeft, top, captionWidth, PixelsOfTwips(240));
    if (*kRows[row].tip) captions_[row]->setToolTip(kRows[row].tip);
    for (QLabel* l : {values_[row], captions_[row]}) {
      l->setFont(rowFont);
      SetTextColour(l, Qt::white);
      l->installEventFilter(this);
    }
  }
  // The mean anomaly is kept up to date but not shown.
  values_[RowMa]->hide();
  captions_[RowMa]->hide();
  Frame1->installEventFilter(this);
  Frame2->installEventFilter(this);
  setFixedSize(w, PixelsOfTwips(2520 + 8 * 240 + 360));
  ForwardKeysFrom(this, true);
  ForwardKeysFrom(Combo1, true);
  AlignKeysFrom(Combo2);
  readoutWatch_ = new ReadoutWatch(this, [this] { showTexts(OrbitReadoutTexts(latest_)); });
}

QColor RefBoxOrbit1::valueColour(int row) const {
  const QLabel* l = value(row);
  return l ? l->palette().color(QPalette::WindowText) : QColor();
}

void RefBoxOrbit1::fillPickers() {
  BodyNames& names = form_.bodyNames();
  ViewBodyNames(Combo1, names);
  ViewBodyNames(Combo2, names.headed(kReferenceObject));
}

bool RefBoxOrbit1::referenceHeadingShown() const { return Combo2->currentText() == kReferenceObject; }

// The pickers show the bodies the box holds: the object's entry, the
// reference's entry unless the list shows "Reference Object".
void RefBoxOrbit1::showEntries(bool heading) {
  ShowBodyEntry(Combo1, s_, SlotIndex == 0 ? s_.rbo1a : ObjectIndex);
  if (heading) {
    const QSignalBlocker block(Combo2);
    Combo2->setCurrentIndex(0);
  } else {
    ShowBodyEntry(Combo2, s_, ReferenceIndex, 1);
  }
}

// The reference the second list names for `object`: under "Reference
// Object" the object's own (body objrefindex where it carries that name),
// else the entry picked.
int RefBoxOrbit1::shownReference(int object) const {
  if (referenceHeadingShown()) {
    return object >= 1 && object <= BodyCount(s_) ? BodyOfName(s_, s_.objrefindex[object], s_.objref[object]) : 0;
  }
  return PickedBody(Combo2, s_, 1);
}

void RefBoxOrbit1::Form_Load() {
  s_.refboxorbit1loaded = true;
  fillPickers();
  const int n = BodyCount(s_);
  const bool heading = !(s_.rbo1b >= 1 && s_.rbo1b <= n);
  ReferenceIndex = heading ? int16_t{0} : s_.rbo1b;
  ObjectIndex = static_cast<int16_t>((s_.rbo1a >= 0 && s_.rbo1a <= n) ? s_.rbo1a : 1);
  showEntries(heading);
  const int object = ObjectIndex;
  ObjectIndex = 0;  // a box that finds no body shows the floating point
  ReferenceIndex = 0;
  choose(object, shownReference(object));
}

// The saved bodies where they still carry the saved names (so of two
// bodies of one name the box keeps its own), else by name; a body that had
// gone when the box was saved is none.
void RefBoxOrbit1::restore(const BoxSlot& rec) {
  const BoxSlot saved = rec;
  s_.refboxorbit1loaded = true;
  fillPickers();
  ObjectIndex = IsBodyRow(saved.bodyA) ? saved.bodyA : saved.bodyA == NoBody ? NoBody : int16_t{0};
  ReferenceIndex = IsBodyRow(saved.bodyB) ? saved.bodyB : saved.bodyB == NoBody ? NoBody : int16_t{0};
  placeAtTwips(saved.left, saved.top);
  const bool objectGone = saved.bodyA == NoBody && saved.list1.empty();
  const int object =
      objectGone ? NoBody : BodyOfName(s_, ObjectIndex, saved.list1.empty() ? s_.objname[ObjectIndex] : saved.list1);
  const bool heading = saved.list2 == kReferenceObject;
  if (!heading) {
    const int16_t k = BodyOfName(s_, ReferenceIndex, saved.list2);
    if (k > 0) ReferenceIndex = k;
  }
  if (object > 0) ObjectIndex = static_cast<int16_t>(object);
  showEntries(heading);
  choose(object, shownReference(object));
  storeRecord();
}

// An entry picked in either list: the box's other body stays the one it
// holds, whatever the other list's text.
void RefBoxOrbit1::Combo1_Click() {
  int object = SlotIndex == 0 ? s_.rbo1a : ObjectIndex;
  if (const int16_t k = PickedBody(Combo1, s_); k > 0) object = k;
  const bool heading = referenceHeadingShown();
  const int reference = heading ? shownReference(object) : ReferenceIndex;
  choose(object, reference > 0 ? reference : shownReference(object));
}

void RefBoxOrbit1::Combo2_Click() {
  const int object = SlotIndex == 0 ? s_.rbo1a : ObjectIndex;
  choose(object, shownReference(object));
}

// The box takes `object` and `reference`, and makes that the object's
// reference for its elements. A box that shows no body writes nothing.
void RefBoxOrbit1::choose(int object, int reference) {
  const bool heading = referenceHeadingShown();
  if (object >= 1 && object <= BodyCount(s_)) {
    ObjectIndex = static_cast<int16_t>(object);
    s_.rbo1a = ObjectIndex;
    if (reference >= 1 && reference <= BodyCount(s_)) {
      ReferenceIndex = static_cast<int16_t>(reference);
      s_.rbo1b = ReferenceIndex;
      s_.objrefindex[object] = ReferenceIndex;
    }
  }
  HoldBody(s_, object_, ObjectIndex);
  HoldBody(s_, reference_, ReferenceIndex);
  showEntries(heading);
  showCaption();
  storeRecord();
}

void RefBoxOrbit1::showCaption() {
  if (SlotIndex == 0) {
    setWindowTitle(PairCaption(s_, s_.rbo1a, s_.rbo1b));
  } else {
    setWindowTitle(PairCaption(s_, ObjectIndex, ReferenceIndex));
  }
}

void RefBoxOrbit1::refStep() { readout = StepOrbitReadout(s_, ObjectIndex, ReferenceIndex); }

void RefBoxOrbit1::showTexts(const std::array<std::string, OrbitRows>& t) { shownTexts_.show(values_, t); }

void RefBoxOrbit1::showReadout(const OrbitReadout& r) {
  latest_ = r;
  readoutWatch_->refresh();
}

void RefBoxOrbit1::ResetLabelColors() {
  for (QLabel* l : values_) SetTextColour(l, Qt::white);
}

void RefBoxOrbit1::highlight(int row) {
  if (row < 0 || row >= OrbitRows) return;
  ResetLabelColors();
  SetTextColour(values_[row], QColor(0, 255, 0));
}

void RefBoxOrbit1::Form_Click() { Combo1->setVisible(Combo1->isHidden()); }

void RefBoxOrbit1::refill() {
  const bool heading = referenceHeadingShown();
  fillPickers();
  if (SlotIndex == 0) {
    showEntries(true);
    showCaption();
    return;
  }
  ObjectIndex = FollowBody(s_, object_, true);
  ReferenceIndex = FollowBody(s_, reference_, true);
  showEntries(heading);
  showCaption();
  storeRecord();
}

// What the situation writer reads of a numbered box.
void RefBoxOrbit1::storeRecord() {
  if (SlotIndex < 1 || SlotIndex > MaxSlots || !s_.orbitBoxes[SlotIndex].inUse) return;
  BoxSlot& r = s_.orbitBoxes[SlotIndex];
  r.list1 = BoxText(Combo1);
  r.list2 = BoxText(Combo2);
  r.bodyA = ObjectIndex;
  r.bodyB = ReferenceIndex;
}

void RefBoxOrbit1::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  if (placing() || !isVisible()) return;
  const float left = static_cast<float>(leftTwips());
  const float top = static_cast<float>(topTwips());
  if (SlotIndex == 0) {
    s_.refboxorbit1Place.left = left;
    s_.refboxorbit1Place.top = top;
  } else if (SlotIndex <= MaxSlots && s_.orbitBoxes[SlotIndex].inUse) {
    s_.orbitBoxes[SlotIndex].left = left;
    s_.orbitBoxes[SlotIndex].top = top;
  }
}

void RefBoxOrbit1::closeEvent(QCloseEvent* e) {
  if (isVisible()) {
    s_.refboxorbit1loaded = false;
    ReleaseBoxSlot(s_, BoxKind::Orbit, SlotIndex);
  }
  e->accept();
}

void RefBoxOrbit1::mousePressEvent(QMouseEvent* e) {
  QWidget::mousePressEvent(e);
  Form_Click();
}

bool RefBoxOrbit1::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress) {
    if (o == Frame1 || o == Frame2) {
      Form_Click();
    } else {
      for (int row = 0; row < OrbitRows; ++row)
        if (o == values_[row] || o == captions_[row]) highlight(row);
    }
  }
  return QWidget::eventFilter(o, e);
}

}  // namespace molvane
