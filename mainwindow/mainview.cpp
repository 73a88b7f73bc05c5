#include "mainwindow/mainview.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/orbits.h"
#include "ui/colours.h"
#include "ui/text.h"

namespace molvane {

namespace {

int ClampCount(int n) { return std::clamp(n, 0, MaxBodies); }

// A last drawn position that can be erased: set by the drawing itself, so
// anything else (a reset, a stray value) is left alone.
bool Erasable(double v) { return std::isfinite(v) && std::fabs(v) < 1.0e6; }

}  // namespace

MainView::MainView(State& state) : s_(state) {
  labelFont_.setPointSize(8);
  setLabelFont(labelFont_);
  resizeCanvas(1, 1);
}

void MainView::resizeCanvas(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  canvas_ = QImage(width, height, QImage::Format_RGB32);
  clearView();
}

void MainView::clearView() { canvas_.fill(PixelFromValue(s_.mainWindow.backColor)); }

void MainView::resetPlotState() {
  const int n = ClampCount(s_.objects);
  for (int i = 1; i <= n; ++i) {
    s_.objlastx[i] = -1000;
    s_.objlasty[i] = -1000;
    if (i < static_cast<int>(labels_.size())) labels_[i].left = -1000;
  }
}

void MainView::setScreenSize(double widthPixels, int16_t heightPixels) {
  screenWidthPixels_ = widthPixels;
  screenHeightPixels_ = heightPixels;
}

void MainView::setTilt(int hscrollValue, int vscrollValue) {
  verticalTilt_ = static_cast<float>(vscrollValue / 10000.0);
  horizontalTilt_ = hscrollValue / 10000.0;
  horizontalFlipSign_ = horizontalTilt_ * verticalTilt_;
  verticalFlipSign_ = (1.0 - horizontalTilt_) * verticalTilt_;
}

// The view centre in world metres: the focus body, or with the anchor off
// the barycentre of the focus body and its system, as a running mean. A
// member that would divide by a zero total mass leaves the centre where it
// is, so a massless system still draws.
double SystemCentre(const State& s, double& cx, double& cy, double& cz) {
  const int f = std::clamp<int>(s.focusobj, 0, MaxBodies);
  cx = s.objx[f];
  cy = s.objy[f];
  cz = s.objz[f];
  if (s.anchor) return s.GroupMass;
  double group = s.objmass[f];
  const int count = std::clamp<int>(s.SystemElementsCount, 0, MaxBodies);
  for (int k = 1; k <= count; ++k) {
    const int j = s.SystemElements[k];
    if (j < 0 || j > MaxBodies) continue;
    const double total = group + s.objmass[j];
    const double q = group / total;
    if (total != 0 && std::isfinite(q)) {
      const double nx = s.objx[j] - q * (s.objx[j] - cx);
      const double ny = s.objy[j] - q * (s.objy[j] - cy);
      const double nz = s.objz[j] - q * (s.objz[j] - cz);
      if (std::isfinite(nx) && std::isfinite(ny) && std::isfinite(nz)) {
        cx = nx;
        cy = ny;
        cz = nz;
      }
    }
    group += s.objmass[j];
  }
  return group;
}

void MainView::viewCentre(double& cx, double& cy, double& cz) {
  const double group = SystemCentre(s_, cx, cy, cz);
  if (!s_.anchor) s_.GroupMass = group;
}

bool MainView::projectBody(int i, double& x, double& y) const {
  const double X = std::floor(s_.objx[i] * s_.ScalePixel - s_.OffsetX + 0.5);
  const double Y = std::floor(s_.objy[i] * s_.ScalePixel - s_.OffsetY + 0.5);
  const double Z = std::floor(s_.objz[i] * s_.ScalePixel - s_.OffsetZ + 0.5);
  const double a = std::fabs(static_cast<double>(verticalTilt_));
  const double Y1 = (1 - a) * Z + a * Y;
  const double Z1 = (1 - a) * Y + a * Z;
  const double b = std::fabs(horizontalTilt_);
  const double X2 = (1 - b) * X + b * Z1;
  x = horizontalFlipSign_ < 0 ? s_.ScreenCentreX + X2 : s_.ScreenCentreX - X2;
  y = verticalFlipSign_ < 0 ? s_.ScreenCentreY + Y1 : s_.ScreenCentreY - Y1;
  return std::isfinite(x) && std::isfinite(y);
}

void MainView::drawBodies() {
  double cx, cy, cz;
  viewCentre(cx, cy, cz);
  if (std::isfinite(cx) && std::isfinite(cy) && std::isfinite(cz)) {
    s_.OffsetX = cx * s_.ScalePixel;
    s_.OffsetY = cy * s_.ScalePixel;
    s_.OffsetZ = cz * s_.ScalePixel;
  }
  const int n = ClampCount(s_.objects);
  if (static_cast<int>(labels_.size()) < n + 1) rebuildLabels();
  placeBodies(n);
  drawPlaced();
}

// Where each body lands on the screen and how large, in body order (the
// rotating frame turns on with every body, visible or not); bodies outside
// the band around the view are left out.
void MainView::placeBodies(int n) {
  placed_.clear();
  const double w = canvas_.width();
  const double h = canvas_.height();
  const double minSize = s_.MinimumObjectSize;
  const double exaggerated = s_.ExaggeratedObjectSize;
  const double period = s_.RotatingFrame.period;
  const double twoPi = 2 * GetPi();
  // One step's turn of the rotating frame, spread over the bodies; a zero or
  // unusable period leaves the frame still.
  double turnPerBody = 0;
  if (s_.RotatingFrame.on && n > 0) {
    const double t = twoPi / period / n * s_.timescale;
    if (std::isfinite(t)) turnPerBody = s_.RotatingFrame.clockwise ? -t : t;
  }

  for (int i = 1; i <= n; ++i) {
    double r = s_.objsize[i] * s_.ScalePixel / 2;
    if (s_.ExaggerateObjectSizeOn) {
      r *= exaggerated;
      if (r < exaggerated) r = exaggerated;
    }
    if (r < minSize || std::isnan(r)) r = minSize;
    if (r > 4000) r = 4000;

    double x, y;
    bool finite = projectBody(i, x, y);

    if (s_.RotatingFrame.on) {
      if (finite) {
        const float dxs = static_cast<float>(w / 2 - x);
        const double dx = dxs;
        double dy = h / 2 - y;
        if (dy == 0) dy = 0.001;
        double angle = std::atan(dx / dy);
        if (dy < 0) angle += GetPi();
        const double dist = std::sqrt(dx * dx + dy * dy);
        x = w / 2 - dist * std::sin(angle + rotatingFrameAngle_);
        y = h / 2 - dist * std::cos(angle + rotatingFrameAngle_);
        finite = std::isfinite(x) && std::isfinite(y);
      }
      rotatingFrameAngle_ = std::fmod(rotatingFrameAngle_ + turnPerBody, twoPi);
    }
    if (!finite) continue;

    if (!(x > -200 && x < screenWidthPixels_ + 200 && y > -200 && y < screenHeightPixels_ + 200)) {
      continue;
    }
    placed_.push_back(PlacedBody{i, x, y, r});
  }
}

// Erase (trails off), disc and label place of every placed body, in order.
void MainView::drawPlaced() {
  const CanvasPixels pixels{canvas_.bits(), canvas_.bytesPerLine(), canvas_.width(), canvas_.height()};
  const uint32_t back = PixelFromValue(s_.mainWindow.backColor);
  for (const auto& [i, x, y, r] : placed_) {
    if (!s_.trails && (x != s_.objlastx[i] || y != s_.objlasty[i])) {
      if (Erasable(s_.objlastx[i]) && Erasable(s_.objlasty[i])) {
        FillDisc(pixels, discShapes_, s_.objlastx[i], s_.objlasty[i], r, back, back);
      }
      s_.objlastx[i] = x;
      s_.objlasty[i] = y;
    }

    const int32_t outline = s_.objcolor[i];
    int32_t fill = outline;
    if (s_.trails && i != s_.focusobj) fill = s_.objcolor2[i];
    FillDisc(pixels, discShapes_, static_cast<float>(x), static_cast<float>(y), static_cast<float>(r),
             PixelFromValue(fill), PixelFromValue(outline));

    if (s_.llabels) {
      BodyLabel& l = labels_[i];
      if (x > s_.objlastx[i]) {
        l.left = x + 5 + r;
      } else {
        l.left = x - l.width - r - 5;
      }
      l.top = y;
    }
  }
}

namespace {

// Whole numbers of the small values a disc meets (|v| < 2^31): exact, and
// cheaper than the library's floor and ceil.
inline int FloorToInt(double v) {
  const int i = static_cast<int>(v);
  return i - (v < i);
}
inline int CeilToInt(double v) {
  const int i = static_cast<int>(v);
  return i + (v > i);
}

// A disc that can touch the canvas: a usable radius and centre, overlapping.
bool DiscInCanvas(const CanvasPixels& c, double cx, double cy, double r) {
  if (!(r >= 0) || !std::isfinite(cx) || !std::isfinite(cy)) return false;
  return !(cx + r < 0 || cx - r >= c.width || cy + r < 0 || cy - r >= c.height);
}

// fl(a + b) and whether it is a + b exactly (the rounding error is zero).
inline double SumIsExact(double a, double b, bool& exact) {
  const double s = a + b;
  const double bb = s - a;
  exact = (a - (s - bb)) + (b - bb) == 0;
  return s;
}

// The whole number at or above (Up) or below fl(f + d), where f is the
// fraction of a centre i + f: also the one of fl(i + f + d) for every whole
// i with |i| < 2^20, unless the sum lies within 1e-6 of a whole number
// without being one exactly. False in that case.
inline bool EdgeOfFraction(double f, double d, bool up, int& edge) {
  bool exact = false;
  const double v = SumIsExact(f, d, exact);
  const int w = up ? CeilToInt(v) : FloorToInt(v);
  edge = w;
  if (exact && v == w) return true;
  return std::fabs(v - std::nearbyint(v)) > 1e-6;
}

}  // namespace

// The general path's rows and spans for a centre with these fractions,
// relative to the whole pixel at or below the centre. The rows' distances
// (py - cy) are the same numbers for every whole part, so only the edges
// need the check that the larger sums round to the same whole pixels.
void DiscShapes::build(Shape& d, double r, double fx, double fy) {
  d.r = r, d.fx = fx, d.fy = fy;
  d.usable = false;
  int y0 = 0, y1 = 0;
  if (!EdgeOfFraction(fy, -r, true, y0) || !EdgeOfFraction(fy, r, false, y1)) return;
  const double inner = r - 1;
  for (int k = 0; k < Shape::Rows; ++k) {
    const int py = k - 2;
    int xs = 1, xe = 0, is = 1, ie = 0;  // empty spans
    if (py >= y0 && py <= y1) {
      const double dy = py - fy;  // py - cy to the bit
      const double span = std::sqrt(std::max(0.0, r * r - dy * dy));
      if (!EdgeOfFraction(fx, -span, true, xs) || !EdgeOfFraction(fx, span, false, xe)) return;
      if (inner > 0 && std::fabs(dy) <= inner) {
        const double ispan = std::sqrt(std::max(0.0, inner * inner - dy * dy));
        if (!EdgeOfFraction(fx, -ispan, true, is) || !EdgeOfFraction(fx, ispan, false, ie)) return;
      }
    }
    // Pixels beyond two rows or columns from the centre's: not this shape
    // (a radius of 2 px fits).
    if (xs <= xe && (xs < -2 || xe > 2)) return;
    d.xs[k] = static_cast<int8_t>(xs), d.xe[k] = static_cast<int8_t>(xe);
    d.is[k] = static_cast<int8_t>(std::max(is, xs)), d.ie[k] = static_cast<int8_t>(std::min(ie, xe));
  }
  if (y0 < -2 || y1 > 2) return;
  d.usable = true;
}

const DiscShapes::Shape& DiscShapes::find(double r, double fx, double fy) {
  for (int k = 0; k < Slots; ++k) {
    const int slot = (last_ + k) % Slots;  // the last shape first: most discs share it
    const Shape& d = slots_[slot];
    if (d.r == r && d.fx == fx && d.fy == fy) {
      last_ = slot;
      return d;
    }
  }
  last_ = next_;
  next_ = (next_ + 1) % Slots;
  build(slots_[last_], r, fx, fy);
  return slots_[last_];
}

void FillDisc(const CanvasPixels& c, DiscShapes& shapes, double cx, double cy, double r, uint32_t fill,
              uint32_t outline) {
  if (r <= SmallDiscRadius && DiscInCanvas(c, cx, cy, r)) {
    const int ix = FloorToInt(cx), iy = FloorToInt(cy);
    // A disc wholly inside the canvas: its shape's pixels, no clipping.
    if (ix >= 2 && iy >= 2 && ix + 2 < c.width && iy + 2 < c.height) {
      const DiscShapes::Shape& d = shapes.find(r, cx - ix, cy - iy);
      if (d.usable) {
        for (int k = 0; k < DiscShapes::Shape::Rows; ++k) {
          uint32_t* row = reinterpret_cast<uint32_t*>(c.bits + c.stride * (iy - 2 + k)) + ix;
          for (int px = d.xs[k]; px <= d.xe[k]; ++px) row[px] = outline;
          for (int px = d.is[k]; px <= d.ie[k]; ++px) row[px] = fill;
        }
        return;
      }
    }
  }
  FillDiscGeneral(c, cx, cy, r, fill, outline);
}

void FillDiscGeneral(const CanvasPixels& c, double cx, double cy, double r, uint32_t fill, uint32_t outline) {
  if (!DiscInCanvas(c, cx, cy, r)) return;
  const int width = c.width;
  const int y0 = std::max(0, static_cast<int>(std::ceil(cy - r)));
  const int y1 = std::min(c.height - 1, static_cast<int>(std::floor(cy + r)));
  const double inner = r - 1;
  for (int py = y0; py <= y1; ++py) {
    const double dy = py - cy;
    const double span = std::sqrt(std::max(0.0, r * r - dy * dy));
    int xs = static_cast<int>(std::ceil(cx - span));
    int xe = static_cast<int>(std::floor(cx + span));
    if (xe < 0 || xs >= width) continue;
    auto* row = reinterpret_cast<uint32_t*>(c.bits + c.stride * py);
    int is = xe + 1, ie = xe;  // inner (fill) span, empty by default
    if (inner > 0 && std::fabs(dy) <= inner) {
      const double ispan = std::sqrt(std::max(0.0, inner * inner - dy * dy));
      is = static_cast<int>(std::ceil(cx - ispan));
      ie = static_cast<int>(std::floor(cx + ispan));
    }
    xs = std::max(xs, 0);
    xe = std::min(xe, width - 1);
    for (int px = xs; px <= xe; ++px) row[px] = (px >= is && px <= ie) ? fill : outline;
  }
}

void MainView::setLabelFont(const QFont& f) {
  labelFont_ = f;
  const QFontMetrics fm(labelFont_);
  labelHeight_ = fm.height();
  labelAscent_ = fm.ascent();
  for (size_t k = 1; k < labels_.size(); ++k) {
    labels_[k].width = fm.horizontalAdvance(labels_[k].text);
    labels_[k].picture = QImage();
  }
}

void MainView::setLabelBackColour(const QColor& c) {
  for (size_t k = 1; k < labels_.size(); ++k) {
    if (labels_[k].back == c) continue;
    labels_[k].back = c;
    labels_[k].picture = QImage();
  }
}

void MainView::rebuildLabels() {
  const int n = ClampCount(s_.objects);
  // What was laid out for a text is kept for the label that shows it now:
  // after a deletion every label above it takes the next one's text.
  const std::vector<BodyLabel> old = std::move(labels_);
  QHash<QString, size_t> oldByText;
  oldByText.reserve(static_cast<qsizetype>(old.size()));
  for (size_t k = 1; k < old.size(); ++k) oldByText.insert(old[k].text, k);
  labels_.assign(n + 1, BodyLabel{});
  // Rewriting the texts keeps the labels' stacking (a raised central body's
  // label stays on top); labels of new bodies go on top in body order.
  std::vector<int> order;
  std::vector<bool> placed(static_cast<size_t>(n) + 1, false);
  for (int k : labelOrder_) {
    if (k >= 1 && k <= n && !placed[static_cast<size_t>(k)]) {
      order.push_back(k);
      placed[static_cast<size_t>(k)] = true;
    }
  }
  labelOrder_ = std::move(order);
  QFontMetrics fm(labelFont_);
  // The labels stand on the view's background colour, as Preferences OK
  // leaves them.
  const QColor back = ColourFromValue(s_.mainWindow.backColor);
  for (int i = 1; i <= n; ++i) {
    BodyLabel& l = labels_[i];
    l.text = Latin1(s_.objname[i]);
    l.colour = ColourFromValue(s_.objcolor[i]);
    l.back = back;
    l.left = -100;
    l.top = -100;
    if (const auto it = oldByText.constFind(l.text); it != oldByText.cend()) {
      const BodyLabel& was = old[*it];
      l.width = was.width;
      if (was.colour == l.colour && was.back == l.back) l.picture = was.picture;
    } else {
      l.width = fm.horizontalAdvance(l.text);
    }
    if (!placed[static_cast<size_t>(i)]) labelOrder_.push_back(i);
  }
}

void MainView::refreshLabelTexts() {
  if (!labelsMatchBodies()) {
    rebuildLabels();
    return;
  }
  QFontMetrics fm(labelFont_);
  for (size_t i = 1; i < labels_.size(); ++i) {
    BodyLabel& l = labels_[i];
    QString text = Latin1(s_.objname[i]);
    const QColor colour = ColourFromValue(s_.objcolor[i]);
    if (text != l.text) {
      l.text = std::move(text);
      l.width = fm.horizontalAdvance(l.text);
      l.picture = QImage();
    }
    if (colour != l.colour) {
      l.colour = colour;
      l.picture = QImage();
    }
  }
}

const QImage& MainView::labelPicture(int k, qreal pixelRatio) {
  BodyLabel& l = labels_[static_cast<size_t>(k)];
  if (l.picture.isNull() || l.picture.devicePixelRatio() != pixelRatio) {
    QImage picture(std::max(1, static_cast<int>(std::ceil(l.width * pixelRatio))),
                   std::max(1, static_cast<int>(std::ceil(labelHeight_ * pixelRatio))), QImage::Format_RGB32);
    picture.setDevicePixelRatio(pixelRatio);
    picture.fill(l.back);
    QPainter p(&picture);
    p.setFont(labelFont_);
    p.setPen(l.colour);
    p.drawText(QPointF(0, labelAscent_), l.text);
    p.end();
    l.picture = std::move(picture);
  }
  return l.picture;
}

bool MainView::labelsMatchBodies() const { return static_cast<int>(labels_.size()) == ClampCount(s_.objects) + 1; }

void MainView::raiseLabel(int k) {
  auto it = std::find(labelOrder_.begin(), labelOrder_.end(), k);
  if (it == labelOrder_.end()) return;
  labelOrder_.erase(it);
  labelOrder_.push_back(k);
}

void MainView::parkLabels(double left, double top) {
  for (size_t k = 1; k < labels_.size(); ++k) {
    labels_[k].left = left;
    labels_[k].top = top;
  }
}

QRectF MainView::labelRect(int k) const {
  if (k < 1 || k >= static_cast<int>(labels_.size())) return {};
  const BodyLabel& l = labels_[k];
  return QRectF(l.left, l.top, l.width, labelHeight_);
}

int MainView::labelAt(QPointF p) const {
  if (!s_.llabels) return 0;
  for (auto it = labelOrder_.rbegin(); it != labelOrder_.rend(); ++it) {
    if (*it > s_.objects) continue;
    const QRectF r = labelRect(*it);
    if (r.isValid() && r.contains(p)) return *it;
  }
  return 0;
}

}  // namespace molvane
