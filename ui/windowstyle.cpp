#include "ui/windowstyle.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

namespace molvane {

uintptr_t WindowStyle::hWnd() const { return client_ ? static_cast<uintptr_t>(client_->winId()) : 0; }

bool WindowStyle::titlebar() const { return client_ && !(client_->windowFlags() & Qt::FramelessWindowHint); }

// Changing window flags re-creates the native window, which hides it: keep
// its place and size and show it again.
void WindowStyle::setFlags(Qt::WindowFlags flags) {
  const bool visible = client_->isVisible();
  const QRect geometry = client_->geometry();
  client_->setWindowFlags(flags);
  client_->setGeometry(geometry);
  if (!visible) return;
  client_->show();
  // The window manager forgets, with the old native window, that the
  // windows this one owns stay above it: once it shows the new one, map them
  // again so that it reads that anew (a modal dialog would end on hiding; it
  // keeps itself above).
  QPointer<QWidget> owner = client_;
  auto* wait = new QTimer(client_);
  wait->setInterval(20);
  QObject::connect(wait, &QTimer::timeout, wait, [owner, wait, ticks = 0]() mutable {
    if (!owner) return;
    const QWindow* native = owner->windowHandle();
    if (native && !native->isExposed() && ++ticks < 150) return;
    wait->deleteLater();
    for (QWidget* w : owner->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      if (!w->isWindow() || !w->isVisible() || w->isModal()) continue;
      w->hide();
      w->show();
    }
  });
  wait->start();
}

void WindowStyle::set(Qt::WindowType f, bool on) {
  if (!client_) return;
  if (static_cast<bool>(client_->windowFlags() & f) == on) return;
  setFlags(on ? client_->windowFlags() | f : client_->windowFlags() & ~f);
}

void WindowStyle::setTitlebar(bool on) { set(Qt::FramelessWindowHint, !on); }

void ShowMouseCursor() { QGuiApplication::restoreOverrideCursor(); }

int32_t WindowStyle::MakeLong(int16_t high, int16_t low) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16) | static_cast<uint16_t>(low));
}

}  // namespace molvane
