#include "ui/onscreen.h"

#include <QApplication>
#include <QEvent>
#include <QRegion>
#include <QScreen>
#include <QWidget>

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

QRect RestoredFrame(const QRect& normal, const QRect& inner, const QRect& frame) {
  return normal.adjusted(frame.left() - inner.left(), frame.top() - inner.top(), frame.right() - inner.right(),
                         frame.bottom() - inner.bottom());
}

void KeepOnScreen(QWidget* window) {
  if (!window || !window->isWindow() || (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) return;
  const QRect frame = window->frameGeometry();
  const QRect inside = window->geometry();
  // What must be seen: the title bar and the inside; thin borders beside and
  // below may run over an edge. A window that shows them stays where it is,
  // even across two screens.
  const QRect seen(inside.left(), frame.top(), inside.width(), inside.bottom() - frame.top() + 1);
  QRegion desktop;
  for (const QScreen* s : QGuiApplication::screens()) desktop += s->availableGeometry();
  if (QRegion(seen).subtracted(desktop).isEmpty()) return;
  const QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (!screen) screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QPoint place = PlaceOnArea(frame, screen->availableGeometry());
  if (place != frame.topLeft()) window->move(place);
}

void KeepShownWindowsOnScreen(QObject* owner) { qApp->installEventFilter(new ShowWatcher(owner)); }

}  // namespace molvane
