#include "mainwindow/secondview.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "autopilot/autopilothost.h"
#include "engine/bodies.h"
#include "engine/orbits.h"
#include "engine/view.h"
#include "mainwindow/mainview.h"
#include "ui/colours.h"
#include "ui/keys.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {
constexpr int BarThickness = 17;
constexpr int32_t BackColour = 0;  // black

bool Inside(double x, double y, int w, int h) { return x > 0 && x < w && y > 0 && y < h; }
}  // namespace

// A window of its own, without an owner; it does not keep the program open
// once the main window has closed.
Form2::Form2(WindowServices& form) : QWidget(nullptr, Qt::Window), form_(form), s_(form.state()) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setWindowTitle("Form2");
  HScroll1 = new QScrollBar(Qt::Horizontal, this);
  HScroll1->setRange(-10000, 10000);
  HScroll1->setSingleStep(100);
  HScroll1->setPageStep(1000);
  HScroll1->setFixedHeight(BarThickness);
  VScroll1 = new QScrollBar(Qt::Vertical, this);
  VScroll1->setRange(-10000, 10000);
  VScroll1->setSingleStep(100);
  VScroll1->setPageStep(1000);
  VScroll1->setValue(-10000);
  VScroll1->setFixedWidth(BarThickness);
  CenterBtn = new QPushButton(this);
  CenterBtn->setFixedSize(BarThickness, BarThickness);
  connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
  connect(VScroll1, &QScrollBar::valueChanged, this, [this] { VScroll1_Change(); });
  CenterBtn->setObjectName("CenterBtn");
  connect(CenterBtn, &QPushButton::clicked, this, [this] { CenterBtn_Click(); });

  // Form_Load: the drawing area and the window take the screen's size; the
  // bars keep clear of a title bar and a task bar until the first resize
  // (when the window is shown) lays them along the edges.
  s_.form2loaded = true;
  HScroll1_Change();
  VScroll1_Change();
  ringIndex_ = 0;
  const QScreen* main = form.mainWidget().screen();
  const QScreen* scr = main ? main : QGuiApplication::primaryScreen();
  const QRect screenArea = scr ? scr->geometry() : QRect(0, 0, 800, 600);
  zoomFactor_ = s_.ScalePixel;
  takeSize(screenArea.width(), screenArea.height(), 28, 50);
  setGeometry(screenArea);
  // Maximized: whole on the screen beside a task bar, title bar and bars
  // included.
  setWindowState(Qt::WindowMaximized);
  clearCanvas();
}

void Form2::closeEvent(QCloseEvent* e) {
  s_.form2loaded = false;
  e->accept();
}

void Form2::setTilt() {
  verticalTilt_ = static_cast<float>(VScroll1->value() / 10000.0);
  horizontalTilt_ = HScroll1->value() / 10000.0;
  horizontalFlipSign_ = horizontalTilt_ * verticalTilt_;
  verticalFlipSign_ = (1.0 - horizontalTilt_) * verticalTilt_;
}

void Form2::clearCanvas() {
  if (canvas_.size() != QSize(width_, height_)) canvas_ = QImage(width_, height_, QImage::Format_RGB32);
  canvas_.fill(ColourFromValue(BackColour));
  update();
}

void Form2::HScroll1_Change() {
  setTilt();
  clearCanvas();
}

void Form2::VScroll1_Scroll() {
  setTilt();
  DrawTrails();
  update();
}

void Form2::CenterBtn_Click() {
  HScroll1->setValue(0);
  VScroll1->setValue(0);
}

void Form2::ResetPlotState() { form_.autopilotHost().ResetPlotState(); }

void Form2::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  Form_Resize();
}

void Form2::Form_Resize() {
  takeSize(width(), height(), 0, 0);
  clearCanvas();
  ResetPlotState();
}

void Form2::takeSize(int w, int h, int vBarCut, int hBarLift) {
  width_ = std::max(w, 1);
  height_ = std::max(h, 1);
  centreX_ = static_cast<float>(width_ / 2.0);
  centreY_ = static_cast<float>(height_ / 2.0);
  const double km = width_ / zoomFactor_ / 1000;
  if (std::isfinite(km)) visibleWidthKm_ = km;
  VScroll1->move(width_ - VScroll1->width(), 0);
  VScroll1->setFixedHeight(std::max(height_ - HScroll1->height() - vBarCut, 1));
  HScroll1->setFixedWidth(std::max(width_ - VScroll1->width(), 1));
  HScroll1->move(0, height_ - HScroll1->height() - hBarLift);
  CenterBtn->move(VScroll1->x(), HScroll1->y());
}

void Form2::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, canvas_);
}

void Form2::pPplot() {
  if (canvas_.size() != QSize(width_, height_)) clearCanvas();
  const double zoom = zoomFactor_;
  // View centre: the focus body, or the barycentre of its system.
  double cx = 0, cy = 0, cz = 0;
  SystemCentre(s_, cx, cy, cz);
  // The offsets stay this window's own: the main view's offsets are those
  // of its own scale, and the floating pick reads them.
  const double offX = cx * zoom, offY = cy * zoom, offZ = cz * zoom;

  const int n = BodyCount(s_);
  const double w = width_, h = height_;
  const double a = std::fabs(verticalTilt_);
  const double b = std::fabs(horizontalTilt_);
  double turnPerBody = 0;
  if (s_.RotatingFrame.on && n > 0) {
    const double t = 2 * GetPi() / s_.RotatingFrame.period / n * s_.timescale;
    if (std::isfinite(t)) turnPerBody = s_.RotatingFrame.clockwise ? -t : t;
  }

  QPainter p(&canvas_);
  drawn_ = 0;
  for (int i = 1; i <= n; ++i) {
    double r = s_.objsize[i] * zoom / 2;
    if (s_.ExaggerateObjectSizeOn) {
      r *= s_.ExaggeratedObjectSize;
      if (r < s_.ExaggeratedObjectSize) r = s_.ExaggeratedObjectSize;
    }
    if (r < s_.MinimumObjectSize || std::isnan(r)) r = s_.MinimumObjectSize;
    if (r > 4000) r = 4000;

    const double X = std::floor(s_.objx[i] * zoom - offX + 0.5);
    const double Y = std::floor(s_.objy[i] * zoom - offY + 0.5);
    const double Z = std::floor(s_.objz[i] * zoom - offZ + 0.5);
    const double Y1 = (1 - a) * Z + a * Y;
    const double Z1 = (1 - a) * Y + a * Z;
    const double X2 = (1 - b) * X + b * Z1;
    double x = horizontalFlipSign_ < 0 ? centreX_ + X2 : centreX_ - X2;
    double y = verticalFlipSign_ < 0 ? centreY_ + Y1 : centreY_ - Y1;

    if (s_.RotatingFrame.on) {
      TurnAboutViewCentre(w, h, rotatingFrameAngle_, x, y);
      rotatingFrameAngle_ = std::fmod(rotatingFrameAngle_ + turnPerBody, 2 * GetPi());
    }
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(r)) continue;
    if (!Inside(x, y, width_, height_)) continue;
    ++drawn_;

    const QColor back = ColourFromValue(BackColour);
    const QColor colour = ColourFromValue(s_.objcolor[i]);
    p.setPen(QPen(back, 1));
    p.setBrush(back);
    p.drawEllipse(QPointF(lastX_[i], lastY_[i]), r, r);
    p.setPen(QPen(colour, 1));
    p.setBrush(colour);
    p.drawEllipse(QPointF(x, y), r, r);
    // A body not drawn before has no previous place to join.
    if (lastX_[i] != 0 || lastY_[i] != 0) p.drawLine(QPointF(lastX_[i], lastY_[i]), QPointF(x, y));

    auto changed = [](double last, double now) { return std::fabs(last - now) > std::fabs(last * 0.01); };
    if (changed(lastVx_[i], s_.objvx[i]) || changed(lastVy_[i], s_.objvy[i]) || changed(lastVz_[i], s_.objvz[i])) {
      ++ringIndex_;
      if (ringIndex_ > RingSize) ringIndex_ = 1;
      TrailEntry& e = ring_[static_cast<size_t>(ringIndex_)];
      e.oldX = trailX_[i];
      e.oldY = trailY_[i];
      e.newX = x;
      e.newY = y;
      e.colour = s_.objcolor[i];
      trailX_[i] = x;
      trailY_[i] = y;
      lastVx_[i] = s_.objvx[i];
      lastVy_[i] = s_.objvy[i];
      lastVz_[i] = s_.objvz[i];
    }
    lastX_[i] = x;
    lastY_[i] = y;
  }
  p.end();
  DrawTrails();
  update();
}

void Form2::DrawTrails() {
  ++redrawCounter_;
  if (redrawCounter_ < 30) return;
  redrawCounter_ = 0;
  QPainter p(&canvas_);
  for (int k = 1; k <= RingSize; ++k) {
    const TrailEntry& e = ring_[static_cast<size_t>(k)];
    if (!Inside(e.oldX, e.oldY, width_, height_)) continue;
    p.setPen(QPen(ColourFromValue(e.colour), 4));
    p.drawLine(QPointF(e.newX, e.newY), QPointF(e.oldX, e.oldY));
  }
}

}  // namespace molvane
