// The drawing area of the main window: shows the canvas that the steps draw
// into and, over it, the body-name labels. Paints only when Qt asks (after
// update() at the loop's yields, on expose), never per step.
#pragma once

#include <QWidget>
#include <functional>

namespace molvane {

class MainView;

class ViewWidget : public QWidget {
 public:
  ViewWidget(MainView& view, QWidget* parent = nullptr);

  std::function<void()> onResize;
  std::function<void(QPointF)> onMouseRelease;
  std::function<void(int, QPoint)> onLabelRightClick;

  int paintCount() const { return paintCount_; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  MainView& view_;
  int paintCount_ = 0;
  int pressedLabel_ = 0;  // the label a button went down on, 0 for none
};

}  // namespace molvane
