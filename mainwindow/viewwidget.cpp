#include "mainwindow/viewwidget.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "mainwindow/mainview.h"

namespace molvane {

ViewWidget::ViewWidget(MainView& view, QWidget* parent) : QWidget(parent), view_(view) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(false);
  frameTimer_.setSingleShot(true);
  frameTimer_.setTimerType(Qt::PreciseTimer);
  connect(&frameTimer_, &QTimer::timeout, this, [this] { showFrame(); });
}

void ViewWidget::requestFrame() {
  if (frameTimer_.isActive()) return;  // that frame shows this step too
  const qint64 wait = sinceFrame_.isValid() ? frameIntervalMs_ - sinceFrame_.elapsed() : 0;
  if (wait <= 0) {
    showFrame();
  } else {
    frameTimer_.start(static_cast<int>(wait));
  }
}

void ViewWidget::showFrame() {
  sinceFrame_.start();
  if (onFrame) onFrame();
  update();
}

void ViewWidget::paintEvent(QPaintEvent* e) {
  ++paintCount_;
  QPainter p(this);
  // The region is the view without the opaque widgets over it (the tilt
  // scroll bars, which Qt then leaves alone): a few rectangles, each painted
  // apart, as a painter clipped to one rectangle copies far faster than one
  // clipped to several.
  const QRegion& region = e->region();
  if (region.rectCount() > 1 && region.rectCount() <= 4) {
    for (const QRect& area : region) {
      p.setClipRect(area);
      paintArea(p, area);
    }
  } else {
    paintArea(p, e->rect());
  }
}

void ViewWidget::paintArea(QPainter& p, const QRect& area) {
  p.drawImage(area, view_.canvas(), area);
  const QSize canvasSize = view_.canvas().size();
  if (canvasSize.width() < width() || canvasSize.height() < height()) {
    // Between a resize and the new canvas: keep the rest dark.
    p.fillRect(QRect(canvasSize.width(), 0, width(), height()), Qt::black);
    p.fillRect(QRect(0, canvasSize.height(), width(), height()), Qt::black);
  }
  if (!view_.state().llabels) return;
  // Only the labels in the part being painted; each is a picture made once.
  const QRectF areaF(area);
  const qreal pixelRatio = devicePixelRatioF();
  const int n = std::min<int>(view_.state().objects, static_cast<int>(view_.labels().size()) - 1);
  for (int k : view_.labelOrder()) {
    if (k > n) continue;
    const QRectF r = view_.labelRect(k);
    if (!std::isfinite(r.left()) || !std::isfinite(r.top()) || !areaF.intersects(r)) continue;
    // Labels are opaque, so a label raised to the front (a central body's)
    // hides the ones beneath it instead of blending with them.
    p.drawImage(r.topLeft(), view_.labelPicture(k, pixelRatio));
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
