#include "mainwindow/sessionend.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <cerrno>
#include <csignal>

namespace molvane {

namespace {

int wakePipe[2] = {-1, -1};
struct sigaction oldTerm {
}, oldHup{};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  if (write(wakePipe[1], &byte, 1) < 0) {
  }  // a full pipe already holds a wake-up
  errno = saved;
}

}  // namespace

SessionEndWatcher::SessionEndWatcher(std::function<void()> onEnd, QObject* parent)
    : QObject(parent), onEnd_(std::move(onEnd)) {
  if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) == 0) {
    notifier_ = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] { signalled(); });
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, &oldTerm);
    sigaction(SIGHUP, &sa, &oldHup);
  }
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
#ifndef QT_NO_SESSIONMANAGER
    connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { onEnd_(); });
#endif
    connect(app, &QCoreApplication::aboutToQuit, this, [this] { onEnd_(); });
  }
}

SessionEndWatcher::~SessionEndWatcher() {
  if (!notifier_) return;
  sigaction(SIGTERM, &oldTerm, nullptr);
  sigaction(SIGHUP, &oldHup, nullptr);
  delete notifier_;
  ::close(wakePipe[0]);
  ::close(wakePipe[1]);
  wakePipe[0] = wakePipe[1] = -1;
}

void SessionEndWatcher::signalled() {
  char bytes[64];
  while (read(wakePipe[0], bytes, sizeof bytes) > 0) {
  }
  onEnd_();
}

}  // namespace molvane
