#include "ui/frameplace.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "ui/onscreen.h"

namespace molvane {

namespace {

constexpr const char* WatcherName = "molvane-frame-placing";

bool FrameKnown(const QWidget* w) { return w->frameGeometry() != w->geometry(); }

bool Unframed(const QWidget* w) { return w->testAttribute(Qt::WA_WState_Created) && !FrameKnown(w); }

// Looks for the frames a few times a second; a display without a window
// manager never frames a window, and then the first placing stands.
class FrameWatcher : public QObject {
 public:
  FrameWatcher(QObject* owner, const QList<QWidget*>& windows, std::function<void()> then)
      : QObject(owner), then_(std::move(then)) {
    for (QWidget* w : windows) windows_.append(w);
    auto* timer = new QTimer(this);
    timer->setInterval(20);
    connect(timer, &QTimer::timeout, this, [this] { check(); });
    timer->start();
  }

 private:
  void check() {
    bool framed = true;
    // Framed and shown: the window manager has placed the frame by then,
    // and a place set afterwards is not undone by its own placing.
    for (const QPointer<QWidget>& w : windows_) {
      framed =
          framed && (!w || (w->isVisible() && FrameKnown(w) && w->windowHandle() && w->windowHandle()->isExposed()));
    }
    if (framed) {
      setObjectName(QString());  // no longer pending while it places
      then_();
      deleteLater();
    } else if (++ticks_ > 250) {
      deleteLater();
    }
  }

  QList<QPointer<QWidget>> windows_;
  std::function<void()> then_;
  int ticks_ = 0;
};

QObject* Watcher(const QWidget* window) {
  return window ? window->findChild<QObject*>(WatcherName, Qt::FindDirectChildrenOnly) : nullptr;
}

}  // namespace

void PlaceFramed(QWidget* window, const std::function<void(bool)>& place) {
  if (!window) return;
  delete Watcher(window);
  const bool waits = Unframed(window);
  place(!waits);
  if (!waits) return;
  auto* watcher = new FrameWatcher(window, {window}, [window, place] {
    place(true);
    KeepOnScreen(window);
  });
  watcher->setObjectName(WatcherName);
}

bool WhenFramed(QObject* owner, const QList<QWidget*>& windows, const std::function<void()>& then) {
  if (std::none_of(windows.begin(), windows.end(), [](const QWidget* w) { return w && Unframed(w); })) return false;
  new FrameWatcher(owner, windows, then);
  return true;
}

bool FramePlacementPending(const QWidget* window) { return Watcher(window) != nullptr; }

}  // namespace molvane
