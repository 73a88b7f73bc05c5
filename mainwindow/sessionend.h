// The end of the desktop session: the session manager's request to save
// (QGuiApplication::commitDataRequest), SIGTERM and SIGHUP, and a quit of the
// event loop by anything else, all end the program as closing the main
// window does. The signal handler only writes a byte to a pipe; the rest runs
// from the event loop, between two slices of the simulation.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>

namespace molvane {

class SessionEndWatcher : public QObject {
  Q_OBJECT

 public:
  // One watcher at a time; it puts the old signal handlers back when it goes.
  explicit SessionEndWatcher(std::function<void()> onEnd, QObject* parent = nullptr);
  ~SessionEndWatcher() override;

 private:
  void signalled();

  std::function<void()> onEnd_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace molvane
