// The frame of one window changed at run time: title bar, buttons, sizing
// border, tool look, top-most. The main window's full-screen look is its
// title bar switched off. The state lives in the window's own flags; this
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
  bool controlBox() const { return has(Qt::WindowSystemMenuHint); }
  void setControlBox(bool on) { set(Qt::WindowSystemMenuHint, on); }
  bool maxButton() const { return has(Qt::WindowMaximizeButtonHint); }
  void setMaxButton(bool on) { set(Qt::WindowMaximizeButtonHint, on); }
  bool minButton() const { return has(Qt::WindowMinimizeButtonHint); }
  void setMinButton(bool on) { set(Qt::WindowMinimizeButtonHint, on); }
  bool sizable() const { return client_ && !has(Qt::MSWindowsFixedSizeDialogHint); }
  void setSizable(bool on) { set(Qt::MSWindowsFixedSizeDialogHint, !on); }
  bool toolWindow() const;
  void setToolWindow(bool on);
  bool whatsThisButton() const { return has(Qt::WindowContextHelpButtonHint); }
  void setWhatsThisButton(bool on) { set(Qt::WindowContextHelpButtonHint, on); }
  bool topMost() const { return has(Qt::WindowStaysOnTopHint); }
  void setTopMost(bool on) { set(Qt::WindowStaysOnTopHint, on); }

  bool autoDrag = false;
  bool autoSysMenu = false;

  // Two 16-bit values in one 32-bit value, the first in the high half.
  static int32_t MakeLong(int16_t high, int16_t low);

 private:
  bool has(Qt::WindowType f) const { return client_ && (client_->windowFlags() & f); }
  void set(Qt::WindowType f, bool on);
  void setFlags(Qt::WindowFlags flags);
  QPointer<QWidget> client_;
};

}  // namespace molvane
