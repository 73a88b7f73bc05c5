#include "ui/onscreen.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace molvane {

namespace {

class ShowWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType()) {
      auto* w = static_cast<QWidget*>(watched);
      const Qt::WindowType type = w->windowType();
      if (w->isWindow() && (type == Qt::Window || type == Qt::Tool || type == Qt::Dialog)) KeepOnScreen(w);
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

QPoint PlaceOnArea(const QRect& frame, const QRect& area) {
  QPoint p = frame.topLeft();
  if (frame.right() > area.right()) p.setX(area.right() - frame.width() + 1);
  if (frame.bottom() > area.bottom()) p.setY(area.bottom() - frame.height() + 1);
  if (p.x() < area.left()) p.setX(area.left());
  if (p.y() < area.top()) p.setY(area.top());
  return p;
}

void KeepOnScreen(QWidget* window) {
  if (!window || !window->isWindow() || (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) return;
  const QRect frame = window->frameGeometry();
  // Reachable: a piece of its top edge, where a title bar is grabbed, lies
  // on a screen. A window only partly off an edge stays where it is.
  const QRect top(frame.left(), frame.top(), frame.width(), std::min(frame.height(), 24));
  for (const QScreen* s : QGuiApplication::screens()) {
    const QRect seen = s->availableGeometry().intersected(top);
    if (seen.height() == top.height() && seen.width() >= std::min(top.width(), 64)) return;
  }
  const QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (!screen) screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QPoint place = PlaceOnArea(frame, screen->availableGeometry());
  if (place != frame.topLeft()) window->move(place);
}

void KeepShownWindowsOnScreen(QObject* owner) { qApp->installEventFilter(new ShowWatcher(owner)); }

}  // namespace molvane
