// The drawing area of the main window: shows the canvas that the steps draw
// into and, over it, the body-name labels. Paints only when Qt asks (after
// update() at the loop's yields, on expose), never per step.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

class QPainter;

namespace molvane {

class MainView;

class ViewWidget : public QWidget {
 public:
  ViewWidget(MainView& view, QWidget* parent = nullptr);

  std::function<void()> onResize;
  // Each frame of requestFrame, just before the paint is asked for.
  std::function<void()> onFrame;
  std::function<void(QPointF)> onMouseRelease;
  std::function<void(int, QPoint)> onLabelRightClick;

  int paintCount() const { return paintCount_; }

  // A new frame of the running loop: painted at once when the last frame is
  // a display frame old, else when it will be. The loop yields far more
  // often than a screen shows frames, and a paint copies the whole canvas.
  void requestFrame();
  // The shortest time between two frames of requestFrame (0: none).
  void setFrameInterval(int ms) { frameIntervalMs_ = ms; }
  static constexpr int DisplayFrameMs = 8;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void showFrame();
  void paintArea(QPainter& p, const QRect& area);

  MainView& view_;
  int paintCount_ = 0;
  int pressedLabel_ = 0;  // the label a button went down on, 0 for none
  int frameIntervalMs_ = DisplayFrameMs;
  QElapsedTimer sinceFrame_;
  QTimer frameTimer_;  // the frame that waits for its time
};

}  // namespace molvane
