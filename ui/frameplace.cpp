#include "ui/frameplace.h"

#include <QTimer>
#include <QWidget>

#include "ui/onscreen.h"

namespace molvane {

namespace {

constexpr const char* WatcherName = "molvane-frame-placing";

bool FrameKnown(const QWidget* w) { return w->frameGeometry() != w->geometry(); }

// Looks for the frame a few times a second; a display without a window
// manager never frames the window, and then the first placing stands.
class FrameWatcher : public QObject {
 public:
  FrameWatcher(QWidget* window, std::function<void(bool)> place)
      : QObject(window), window_(window), place_(std::move(place)) {
    setObjectName(WatcherName);
    auto* timer = new QTimer(this);
    timer->setInterval(20);
    connect(timer, &QTimer::timeout, this, [this] { check(); });
    timer->start();
  }

 private:
  void check() {
    if (window_->isVisible() && FrameKnown(window_)) {
      setObjectName(QString());  // no longer pending while it places
      place_(true);
      KeepOnScreen(window_);
      deleteLater();
    } else if (++ticks_ > 150) {
      deleteLater();
    }
  }

  QWidget* window_;
  std::function<void(bool)> place_;
  int ticks_ = 0;
};

QObject* Watcher(const QWidget* window) {
  return window ? window->findChild<QObject*>(WatcherName, Qt::FindDirectChildrenOnly) : nullptr;
}

}  // namespace

void PlaceFramed(QWidget* window, const std::function<void(bool)>& place) {
  if (!window) return;
  delete Watcher(window);
  const bool waits = window->testAttribute(Qt::WA_WState_Created) && !FrameKnown(window);
  place(!waits);
  if (waits) new FrameWatcher(window, place);
}

bool FramePlacementPending(const QWidget* window) { return Watcher(window) != nullptr; }

}  // namespace molvane
