// The frame of one window changed at run time: the title bar. The main
// window's full-screen look is its title bar switched off. The state lives in the window's own flags; this
// class keeps no copy.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>

namespace molvane {

class WindowStyle {
 public:
  WindowStyle() = default;
  explicit WindowStyle(QWidget* w) : client_(w) {}
  void setClient(QWidget* w) { client_ = w; }
  QWidget* client() const { return client_; }
  // An identifier of the client's native window, 0 without a client.
  uintptr_t hWnd() const;

  bool titlebar() const;
  void setTitlebar(bool on);

  // Two 16-bit values in one 32-bit value, the first in the high half.
  static int32_t MakeLong(int16_t high, int16_t low);

 private:
  void set(Qt::WindowType f, bool on);
  void setFlags(Qt::WindowFlags flags);
  QPointer<QWidget> client_;
};

// Shows the mouse cursor again after the dormant screen-saver mode.
void ShowMouseCursor();

}  // namespace molvane
