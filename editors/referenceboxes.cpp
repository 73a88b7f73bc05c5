#include "editors/referenceboxes.h"

#include <QEvent>

#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

RefBox::RefBox(WindowServices& form, int which)
    : PairBoxWindow(form, which == 2 ? "Reference Box 2" : "Reference Box 1", false), which_(which == 2 ? 2 : 1) {
  Timer1.setInterval(20000);
  connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  for (int k = 1; k <= 8; ++k) labels_[k]->installEventFilter(this);
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

bool& RefBox::loaded() { return which_ == 2 ? s_.refbox2loaded : s_.refbox1loaded; }
SingleWindowPlace& RefBox::place() { return which_ == 2 ? s_.refbox2Place : s_.refbox1Place; }

void RefBox::Form_Load() {
  loaded() = true;
  Timer1.stop();
  setPickersShown(false);
  const QPoint at = form_.newWindowPlace(QPoint(0, PixelsOfTwips(which_ == 2 ? 2170 : 850)));
  placeAtTwips(at.x() * TwipsPerPixel, at.y() * TwipsPerPixel);
  place().left = static_cast<float>(at.x() * TwipsPerPixel);
  place().top = static_cast<float>(at.y() * TwipsPerPixel);
  loadPair();
}

void RefBox::restore() {
  const SingleWindowPlace saved = place();
  const int a = bodyA();
  const int b = bodyB();
  loaded() = true;
  Timer1.stop();
  setPickersShown(false);
  placeAtTwips(saved.left, saved.top);
  setBodyA(std::clamp<int>(a, NoBody, MaxBodies));
  setBodyB(std::clamp<int>(b, NoBody, MaxBodies));
  refill();
}

void RefBox::label_Click() {
  if (Combo1->isHidden()) {
    setPickersShown(true);
    Timer1.start();
  } else {
    setPickersShown(false);
  }
}

void RefBox::Timer1_Timer() {
  Timer1.stop();
  setPickersShown(false);
}

bool RefBox::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress) {
    for (int k = 1; k <= 8; ++k)
      if (o == labels_[k]) label_Click();
  }
  return PairBoxWindow::eventFilter(o, e);
}

void RefBox::placeChanged() {
  SingleWindowPlace& p = place();
  p.left = static_cast<float>(leftTwips());
  p.top = static_cast<float>(topTwips());
  p.width = static_cast<float>(widthTwips());
  p.height = static_cast<float>(heightTwips());
}

void RefBox::unload() { loaded() = false; }

}  // namespace molvane
