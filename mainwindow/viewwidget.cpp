#include "mainwindow/viewwidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "mainwindow/mainview.h"

namespace molvane {

ViewWidget::ViewWidget(MainView& view, QWidget* parent) : QWidget(parent), view_(view) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
}

void ViewWidget::paintEvent(QPaintEvent* e) {
  ++paintCount_;
  QPainter p(this);
  p.drawImage(e->rect(), view_.canvas(), e->rect());
  const QSize canvasSize = view_.canvas().size();
  if (canvasSize.width() < width() || canvasSize.height() < height()) {
    // Between a resize and the new canvas: keep the rest dark.
    p.fillRect(QRect(canvasSize.width(), 0, width(), height()), Qt::black);
    p.fillRect(QRect(0, canvasSize.height(), width(), height()), Qt::black);
  }
  if (!view_.state().llabels) return;
  p.setFont(view_.labelFont());
  const QFontMetrics fm(view_.labelFont());
  const QRectF area(rect());
  const int n = view_.state().objects;
  for (int k : view_.labelOrder()) {
    if (k > n || k >= static_cast<int>(view_.labels().size())) continue;
    const QRectF r = view_.labelRect(k);
    if (!std::isfinite(r.left()) || !std::isfinite(r.top()) || !area.intersects(r)) continue;
    // Labels are opaque, so a label raised to the front (a central body's)
    // hides the ones beneath it instead of blending with them.
    p.fillRect(r, view_.labels()[k].back);
    p.setPen(view_.labels()[k].colour);
    p.drawText(QPointF(r.left(), r.top() + fm.ascent()), view_.labels()[k].text);
  }
}

void ViewWidget::resizeEvent(QResizeEvent*) {
  if (onResize) onResize();
}

// A press on a name label makes the whole click the label's, whatever the
// button and wherever it is released: it never moves the floating focus,
// and the right button's release opens the label's popup.
void ViewWidget::mousePressEvent(QMouseEvent* e) {
  if (e->buttons() == e->button()) pressedLabel_ = view_.labelAt(e->position());
  QWidget::mousePressEvent(e);
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* e) {
  const int k = pressedLabel_;
  if (e->buttons() == Qt::NoButton) pressedLabel_ = 0;
  if (k > 0) {
    if (e->button() == Qt::RightButton && onLabelRightClick) {
      onLabelRightClick(k, e->globalPosition().toPoint());
    }
  } else if (onMouseRelease) {
    onMouseRelease(e->position());
  }
  QWidget::mouseReleaseEvent(e);
}

}  // namespace molvane
