#include "editors/distancebox.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "engine/bodies.h"
#include "engine/boxslots.h"
#include "ui/bodynames.h"
#include "ui/icon.h"
#include "ui/keys.h"
#include "ui/text.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

void BodyPicker::showPopup() {
  if (onDropDown) onDropDown();
  QComboBox::showPopup();
}

QString BodyNameText(const State& s, int k) { return IsBodyNow(s, k) ? Latin1(s.objname[k]) : QString(); }

QString PairCaption(const State& s, int a, int b) { return BodyNameText(s, a) + " - " + BodyNameText(s, b); }

// ------------------------------------------------------------ the window

namespace {

QFont BoxFont(const QFont& base) {
  QFont f = base;
  f.setPointSize(8);
  return f;
}

// Left and width in pixels, top in twips.
QLabel* BoxLabel(QWidget* parent, int left, int topTw, int width, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setGeometry(left, PixelsOfTwips(topTw), width, PixelsOfTwips(255));
  l->setFont(BoxFont(l->font()));
  l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // White on a black background of its own (a palette, not a style sheet:
  // a style sheet gives each of the hundreds of labels a style of its own).
  QPalette pal = l->palette();
  pal.setColor(QPalette::Window, Qt::black);
  pal.setColor(QPalette::WindowText, Qt::white);
  l->setPalette(pal);
  l->setAutoFillBackground(true);
  return l;
}

// The widest value the box shows: a distance of 15 digits.
constexpr const char* WidestValue = "999,999,999,999,999.";

}  // namespace

PairBoxWindow::PairBoxWindow(WindowServices& form, const QString& designCaption, bool alignKeys)
    : ToolWindow(&form.mainWidget()), form_(form), s_(form.state()) {
  setWindowTitle(designCaption);
  static const char* units[] = {"Km      Distance", "Km/s   Velocity", "Km/s   Radial", "Km/s   Tangent"};
  // Qt's fonts need more room than the design's 1815 and 1335 twips: both
  // columns widen to their widest text, the gap between them stays.
  const QFontMetrics fm(BoxFont(font()));
  const int valueWidth = std::max(PixelsOfTwips(1815), fm.horizontalAdvance(WidestValue) + 2);
  int unitWidth = PixelsOfTwips(1335);
  for (const char* u : units) unitWidth = std::max(unitWidth, fm.horizontalAdvance(u) + 2);
  const int unitLeft = valueWidth + PixelsOfTwips(1920 - 1815);
  const int width = unitLeft + unitWidth;
  setFixedSize(width, std::max(PixelsOfTwips(915), PixelsOfTwips(720) + fm.height()));
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setWindowIcon(FrameIcon(form.mainWidget().windowIcon()));
  for (int k = 1; k <= 4; ++k) {
    labels_[k] = BoxLabel(this, 0, 240 * (k - 1), valueWidth, QString());
    labels_[k + 4] = BoxLabel(this, unitLeft, 240 * (k - 1), unitWidth, units[k - 1]);
  }
  // The two pickers share the top row, 105 twips apart.
  const int gap = PixelsOfTwips(105);
  Combo1 = new BodyPicker(this);
  Combo2 = new BodyPicker(this);
  Combo1->setGeometry(0, 0, (width - gap) / 2, PixelsOfTwips(315));
  Combo2->setGeometry(width - (width - gap) / 2, 0, (width - gap) / 2, PixelsOfTwips(315));
  // The box's colours, which the dropped list takes from its picker too: it
  // would otherwise show the white text on the light list of the desktop.
  QPalette pickers = palette();
  for (QPalette::ColorRole r : {QPalette::Window, QPalette::Base, QPalette::Button}) pickers.setColor(r, Qt::black);
  for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    pickers.setColor(r, Qt::white);
  for (BodyPicker* c : {Combo1, Combo2}) {
    c->setPalette(pickers);
    c->hide();
  }
  connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
  connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
  ForwardKeysFrom(this, alignKeys);
  ForwardKeysFrom(Combo1, alignKeys);
  ForwardKeysFrom(Combo2, alignKeys);
  readoutWatch_ = new ReadoutWatch(this, [this] { showTexts(PairReadoutTexts(latest_, readoutDecimals())); });
}

void PairBoxWindow::selectEntry(int picker, int index) {
  QComboBox* c = picker == 2 ? Combo2 : Combo1;
  if (index < 0 || index >= c->count()) return;
  {
    const QSignalBlocker block(c);
    c->setCurrentIndex(index);
  }
  if (picker == 2) {
    Combo2_Click();
  } else {
    Combo1_Click();
  }
}

// The entry picked is the body watched, whatever other body shares its name.
void PairBoxWindow::Combo1_Click() {
  const int k = PickedBody(Combo1, s_);
  if (k != 0) hold(1, k);
  showBodies();
}

void PairBoxWindow::Combo2_Click() {
  const int k = PickedBody(Combo2, s_);
  if (k != 0) hold(2, k);
  showBodies();
}

void PairBoxWindow::hold(int picker, int k) {
  if (picker == 2) {
    setBodyB(k);
    HoldBody(s_, heldB_, k);
  } else {
    setBodyA(k);
    HoldBody(s_, heldA_, k);
  }
}

// Picker entry p is body p + 1, so the entry of the very body watched is
// shown even where several bodies share its name; the floating point and a
// body that is gone have no entry.
void PairBoxWindow::showBodies() {
  const int a = bodyA();
  const int b = bodyB();
  ShowBodyEntry(Combo1, s_, a);
  ShowBodyEntry(Combo2, s_, b);
  setWindowTitle(PairCaption(s_, a, b));
  pickersChanged();
}

// An index set from outside (a situation file) is taken as it stands; after
// a new situation the box watches whatever stands at its indices.
void PairBoxWindow::refill() {
  if (bodyA() != heldA_.index) HoldBody(s_, heldA_, bodyA());
  if (bodyB() != heldB_.index) HoldBody(s_, heldB_, bodyB());
  setBodyA(FollowBody(s_, heldA_, true));
  setBodyB(FollowBody(s_, heldB_, true));
  viewNames();
  showBodies();
}

void PairBoxWindow::viewNames() {
  BodyNames& names = form_.bodyNames();
  ViewBodyNames(Combo1, names);
  ViewBodyNames(Combo2, names);
}

void PairBoxWindow::loadPair() {
  viewNames();
  const int focus = std::clamp<int>(s_.focusobj, 0, MaxBodies);
  hold(1, focus);
  hold(2, focus >= BodyCount(s_) ? 1 : focus + 1);
  showBodies();
}

void PairBoxWindow::showTexts(const std::array<std::string, 4>& t) {
  shownTexts_.show({labels_[1], labels_[2], labels_[3], labels_[4]}, t);
}

void PairBoxWindow::showReadout(const PairReadout& r) {
  latest_ = r;
  readoutWatch_->refresh();
}

void PairBoxWindow::setPickersShown(bool on) {
  Combo1->setVisible(on);
  Combo2->setVisible(on);
  if (on) {
    Combo1->raise();
    Combo2->raise();
  }
}

void PairBoxWindow::moveEvent(QMoveEvent* e) {
  QWidget::moveEvent(e);
  if (!placing() && isVisible()) placeChanged();
}

void PairBoxWindow::closeEvent(QCloseEvent* e) {
  if (isVisible()) unload();
  Timer1.stop();
  e->accept();
}

// ------------------------------------------------------------ distance box

RefBoxS::RefBoxS(WindowServices& form) : PairBoxWindow(form, "Reference Box 1", true) {
  Timer1.setInterval(1000);
  connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  for (int k = 1; k <= 8; ++k) {
    labels_[k]->setMouseTracking(true);
    labels_[k]->installEventFilter(this);
  }
  Combo1->onDropDown = [this] { ListOpen = true; };
  Combo2->onDropDown = [this] { ListOpen = true; };
}

BoxSlot* RefBoxS::record() {
  return (SlotIndex >= 1 && SlotIndex <= MaxSlots) ? &s_.distanceBoxes[SlotIndex] : nullptr;
}

void RefBoxS::Form_Load() {
  Timer1.stop();
  setPickersShown(false);
  const QPoint place = form_.newWindowPlace(QPoint(0, PixelsOfTwips(850)));
  placeAtTwips(place.x() * TwipsPerPixel, place.y() * TwipsPerPixel);
  loadPair();
  if (BoxSlot* r = record(); r && r->inUse) {
    r->left = static_cast<float>(place.x() * TwipsPerPixel);
    r->top = static_cast<float>(place.y() * TwipsPerPixel);
  }
}

void RefBoxS::restore(const BoxSlot& rec) {
  const BoxSlot saved = rec;
  Form_Load();
  placeAtTwips(saved.left, saved.top);
  // A body that had gone when the box was saved (NoBody) is none again.
  BodyA = std::clamp<int16_t>(saved.bodyA, NoBody, MaxBodies);
  BodyB = std::clamp<int16_t>(saved.bodyB, NoBody, MaxBodies);
  refill();
  if (BoxSlot* r = record()) {
    r->left = saved.left;
    r->top = saved.top;
  }
}

void RefBoxS::refStep() { StepPairReadout(s_, BodyA, BodyB, readout); }

void RefBoxS::lbl_MouseMove() {
  setPickersShown(true);
  Timer1.start();
  TickCount = 0;
  ListOpen = false;
}

void RefBoxS::Timer1_Timer() {
  if (TickCount < 2) ++TickCount;
  if (TickCount >= 2 && !ListOpen) {
    Timer1.stop();
    setPickersShown(false);
  }
}

bool RefBoxS::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::MouseMove) {
    for (int k = 1; k <= 8; ++k)
      if (o == labels_[k]) lbl_MouseMove();
  }
  return PairBoxWindow::eventFilter(o, e);
}

void RefBoxS::pickersChanged() {
  ListOpen = false;
  if (BoxSlot* r = record(); r && r->inUse) {
    r->list1 = BoxText(Combo1);
    r->list2 = BoxText(Combo2);
    r->bodyA = BodyA;
    r->bodyB = BodyB;
  }
}

void RefBoxS::placeChanged() {
  if (BoxSlot* r = record(); r && r->inUse) {
    r->left = static_cast<float>(leftTwips());
    r->top = static_cast<float>(topTwips());
  }
}

void RefBoxS::unload() { ReleaseBoxSlot(s_, BoxKind::Distance, SlotIndex); }

}  // namespace molvane
