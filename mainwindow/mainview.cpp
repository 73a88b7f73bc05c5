#include "mainwindow/mainview.h"

#include <sys/mman.h>

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/orbits.h"
#include "engine/view.h"
#include "ui/colours.h"
#include "ui/text.h"

namespace molvane {

namespace {

int ClampCount(int n) { return std::clamp(n, 0, MaxBodies); }

// A last drawn position that can be erased: set by the drawing itself, so
// anything else (a reset, a stray value) is left alone.
bool Erasable(double v) { return std::isfinite(v) && std::fabs(v) < 1.0e6; }

// A canvas of some size keeps its pixels in memory of its own, aligned and
// marked for the system's large pages where it offers them: the discs of a
// step touch rows all over the canvas, each row of a wide canvas a small
// page of its own, and between two steps the force loop pushes the page
// table entries out.
QImage CanvasImage(int width, int height) {
  constexpr size_t LargePage = size_t{2} << 20;
  const size_t bytesPerLine = static_cast<size_t>(width) * 4;
  const size_t bytes = bytesPerLine * static_cast<size_t>(height);
  void* pixels = nullptr;
  if (bytes < LargePage || posix_memalign(&pixels, LargePage, bytes) != 0)
    return QImage(width, height, QImage::Format_RGB32);
  madvise(pixels, bytes, MADV_HUGEPAGE);  // only a hint: without large pages nothing changes
  return QImage(
      static_cast<uchar*>(pixels), width, height, static_cast<qsizetype>(bytesPerLine), QImage::Format_RGB32,
      [](void* p) { std::free(p); }, pixels);
}

}  // namespace

MainView::MainView(State& state) : s_(state) {
  labelFont_.setPointSize(8);
  setLabelFont(labelFont_);
  resizeCanvas(1, 1);
}

void MainView::resizeCanvas(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  canvas_ = CanvasImage(width, height);
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

void MainView::viewCentre(double& cx, double& cy, double& cz) {
  const double group = SystemCentre(s_, cx, cy, cz);
  if (!s_.anchor) s_.GroupMass = group;
}

namespace {

// The projection's terms for one pass: the view centre and tilt stay put
// while the bodies are placed.
struct Projection {
  double scale, offsetX, offsetY, offsetZ, a, b, centreX, centreY;
  double signX, signY;  // +1 or -1: c + X and c - X, as c - X is c + (-X) to the bit

  // The screen place of a body at (wx, wy, wz); false for a place that is
  // not finite.
  [[gnu::always_inline]] bool place(double wx, double wy, double wz, double& x, double& y) const {
    const double X = std::floor(wx * scale - offsetX + 0.5);
    const double Y = std::floor(wy * scale - offsetY + 0.5);
    const double Z = std::floor(wz * scale - offsetZ + 0.5);
    const double Y1 = (1 - a) * Z + a * Y;
    const double Z1 = (1 - a) * Y + a * Z;
    const double X2 = (1 - b) * X + b * Z1;
    x = centreX + signX * X2;
    y = centreY + signY * Y1;
    return std::isfinite(x) && std::isfinite(y);
  }
};

Projection ProjectionOf(const State& s, float verticalTilt, double horizontalTilt, double horizontalFlipSign,
                        double verticalFlipSign) {
  return Projection{s.ScalePixel,
                    s.OffsetX,
                    s.OffsetY,
                    s.OffsetZ,
                    std::fabs(static_cast<double>(verticalTilt)),
                    std::fabs(horizontalTilt),
                    s.ScreenCentreX,
                    s.ScreenCentreY,
                    horizontalFlipSign < 0 ? 1.0 : -1.0,
                    verticalFlipSign < 0 ? 1.0 : -1.0};
}

}  // namespace

bool MainView::projectBody(int i, double& x, double& y) const {
  return ProjectionOf(s_, verticalTilt_, horizontalTilt_, horizontalFlipSign_, verticalFlipSign_)
      .place(s_.objx[i], s_.objy[i], s_.objz[i], x, y);
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
  drawPlaced(n);
}

namespace {

// What a pass needs to place the bodies besides the projection.
struct PlaceTerms {
  double minSize, exaggerated, right, bottom;
};

// Screen place and disc radius of bodies 1..n, and whether each lands in
// the band around the view (a place that is not finite never does). One
// source for every build: where the processor has AVX2 the compiler runs it
// four bodies at a time, the same operations on every value. (Vectorising
// needs the promise that no operation traps, which none here does.)
// GCC's promise is an optimize attribute; clang has none (its vectorizer
// needs no such promise here).
#if defined(__clang__)
#define MOLVANE_NO_TRAPS
#else
#define MOLVANE_NO_TRAPS __attribute__((optimize("no-trapping-math")))
#endif
#define MOLVANE_VECTOR_LOOP __attribute__((target_clones("avx2", "default"))) MOLVANE_NO_TRAPS

// The loop, inlined whole into each clone below (compilers clone no
// templates).
template <bool Exaggerate>
[[gnu::always_inline]] MOLVANE_NO_TRAPS inline void PlaceEach(const Projection& p, const PlaceTerms& t, int n,
                                                              const double* __restrict size,
                                                              const double* __restrict wx, const double* __restrict wy,
                                                              const double* __restrict wz, double* __restrict x,
                                                              double* __restrict y, double* __restrict r,
                                                              uint8_t* __restrict shown) {
  for (int i = 1; i <= n; ++i) {
    double ri = size[i] * p.scale / 2;
    if (Exaggerate) {
      ri *= t.exaggerated;
      ri = ri < t.exaggerated ? t.exaggerated : ri;
    }
    ri = ((ri < t.minSize) | (ri != ri)) ? t.minSize : ri;  // a radius that is not a number too
    ri = ri > 4000 ? 4000 : ri;
    double xi, yi;
    p.place(wx[i], wy[i], wz[i], xi, yi);
    x[i] = xi;
    y[i] = yi;
    r[i] = ri;
    shown[i] = (xi > -200) & (xi < t.right) & (yi > -200) & (yi < t.bottom);
  }
}

MOLVANE_VECTOR_LOOP void PlaceAll(bool exaggerate, const Projection p, const PlaceTerms t, int n,
                                  const double* __restrict size, const double* __restrict wx,
                                  const double* __restrict wy, const double* __restrict wz, double* __restrict x,
                                  double* __restrict y, double* __restrict r, uint8_t* __restrict shown) {
  if (exaggerate)
    PlaceEach<true>(p, t, n, size, wx, wy, wz, x, y, r, shown);
  else
    PlaceEach<false>(p, t, n, size, wx, wy, wz, x, y, r, shown);
}

// The small discs among them: a radius up to 2 px and a centre at least two
// pixels inside the canvas (right, bottom: its width and height less 2),
// with the whole pixel of the centre and its fractions, all at the float
// precision the discs are drawn at.
MOLVANE_VECTOR_LOOP void DiscPlaces(int n, double right, double bottom, const double* __restrict x,
                                    const double* __restrict y, const double* __restrict r, double* __restrict discR,
                                    double* __restrict fx, double* __restrict fy, int32_t* __restrict ix,
                                    int32_t* __restrict iy, uint8_t* __restrict small) {
  for (int i = 1; i <= n; ++i) {
    const double cx = static_cast<float>(x[i]), cy = static_cast<float>(y[i]), cr = static_cast<float>(r[i]);
    const bool inside = (cr <= SmallDiscRadius) & (cr >= 0) & (cx >= 2) & (cy >= 2) & (cx < right) & (cy < bottom);
    // Whole parts only of centres inside (the centre is then positive).
    const double sx = inside ? cx : 2, sy = inside ? cy : 2;
    const int32_t wx = static_cast<int32_t>(sx), wy = static_cast<int32_t>(sy);
    discR[i] = cr;
    fx[i] = sx - wx;
    fy[i] = sy - wy;
    ix[i] = wx;
    iy[i] = wy;
    small[i] = inside;
  }
}

}  // namespace

// Where each body lands on the screen and how large (the rotating frame
// turns on with every body, visible or not); bodies outside the band around
// the view are not shown.
void MainView::placeBodies(int n) {
  const size_t size = static_cast<size_t>(n) + 1;
  if (placeX_.size() < size) {
    placeX_.resize(size);
    placeY_.resize(size);
    placeR_.resize(size);
    shown_.resize(size);
    outlinePixel_.resize(size);
    fillPixel_.resize(size);
    discR_.resize(size);
    discFx_.resize(size);
    discFy_.resize(size);
    discX_.resize(size);
    discY_.resize(size);
    smallDisc_.resize(size);
  }
  const double right = screenWidthPixels_ + 200;
  const double bottom = screenHeightPixels_ + 200;
  const Projection projection =
      ProjectionOf(s_, verticalTilt_, horizontalTilt_, horizontalFlipSign_, verticalFlipSign_);
  const PlaceTerms terms{static_cast<double>(s_.MinimumObjectSize), static_cast<double>(s_.ExaggeratedObjectSize),
                         right, bottom};
  PlaceAll(s_.ExaggerateObjectSizeOn, projection, terms, n, s_.objsize.data(), s_.objx.data(), s_.objy.data(),
           s_.objz.data(), placeX_.data(), placeY_.data(), placeR_.data(), shown_.data());
  if (s_.RotatingFrame.on) turnPlaces(n, right, bottom);
  DiscPlaces(n, canvas_.width() - 2, canvas_.height() - 2, placeX_.data(), placeY_.data(), placeR_.data(),
             discR_.data(), discFx_.data(), discFy_.data(), discX_.data(), discY_.data(), smallDisc_.data());

  // The pixels of each body's outline and fill (the trail colour with trails
  // on, except the focus body's).
  const int32_t* colour = s_.objcolor.data();
  const int32_t* trailColour = s_.objcolor2.data();
  uint32_t* outline = outlinePixel_.data();
  uint32_t* fill = fillPixel_.data();
  const bool trails = s_.trails;
  for (int i = 1; i <= n; ++i) {
    outline[i] = PixelFromValue(colour[i]);
    fill[i] = PixelFromValue(trails ? trailColour[i] : colour[i]);
  }
  if (trails && s_.focusobj >= 1 && s_.focusobj <= n) fill[s_.focusobj] = outline[s_.focusobj];
}

void TurnAboutViewCentre(double w, double h, double angle, double& x, double& y) {
  const double dx = static_cast<float>(w / 2 - x);
  double dy = h / 2 - y;
  if (dy == 0) dy = 0.001;
  double placeAngle = std::atan(dx / dy);
  if (dy < 0) placeAngle += GetPi();
  const double dist = std::sqrt(dx * dx + dy * dy);
  x = w / 2 - dist * std::sin(placeAngle + angle);
  y = h / 2 - dist * std::cos(placeAngle + angle);
}

// The rotating frame turns every finite place about the canvas centre, by an
// angle that grows with every body.
void MainView::turnPlaces(int n, double right, double bottom) {
  const double w = canvas_.width();
  const double h = canvas_.height();
  const double period = s_.RotatingFrame.period;
  const double twoPi = 2 * GetPi();
  // One step's turn of the rotating frame, spread over the bodies; a zero or
  // unusable period leaves the frame still.
  double turnPerBody = 0;
  if (n > 0) {
    const double t = twoPi / period / n * s_.timescale;
    if (std::isfinite(t)) turnPerBody = s_.RotatingFrame.clockwise ? -t : t;
  }
  for (int i = 1; i <= n; ++i) {
    double& x = placeX_[static_cast<size_t>(i)];
    double& y = placeY_[static_cast<size_t>(i)];
    if (std::isfinite(x) && std::isfinite(y)) TurnAboutViewCentre(w, h, rotatingFrameAngle_, x, y);
    shown_[static_cast<size_t>(i)] = x > -200 && x < right && y > -200 && y < bottom;
    rotatingFrameAngle_ = std::fmod(rotatingFrameAngle_ + turnPerBody, twoPi);
  }
}

namespace {

// A small disc wholly inside the canvas (a centre that is not a number
// fails these tests), whose shape's pixels need no clipping. right and
// bottom: the canvas's width and height less 2.
inline bool SmallAndInside(double cx, double cy, double r, double right, double bottom) {
  return r <= SmallDiscRadius && r >= 0 && cx >= 2 && cy >= 2 && cx < right && cy < bottom;
}

// The shape's pixels about the whole pixel (ix, iy).
inline void WriteShape(const CanvasPixels& c, const DiscShapes::Shape& d, int ix, int iy, uint32_t fill,
                       uint32_t outline) {
  using Lanes = DiscShapes::Shape::Lanes;
  const Lanes outlines = Lanes{} + outline, fills = Lanes{} + fill;
  const qsizetype stride = c.stride;
  uchar* const top = c.bits + stride * (iy - 2) + 4 * static_cast<qsizetype>(ix - 2);
  uchar* row = top;
  for (int k = 0; k < DiscShapes::Shape::Rows; ++k, row += stride) {
    Lanes v;
    std::memcpy(&v, row, sizeof v);
    v = (v & d.keep[k]) | (outlines & d.outline[k]) | (fills & d.fill[k]);
    std::memcpy(row, &v, sizeof v);
  }
  for (int e = 0; e < d.column2Count; ++e) {
    const uint32_t p = d.column2Fill[e] ? fill : outline;
    std::memcpy(top + stride * d.column2Row[e] + 16, &p, sizeof p);
  }
}

// The small disc's pixels if its shape is usable; false otherwise.
inline bool SmallDisc(const CanvasPixels& c, DiscShapes& shapes, double cx, double cy, double r, uint32_t fill,
                      uint32_t outline) {
  const int ix = static_cast<int>(cx), iy = static_cast<int>(cy);  // the whole parts: the centre is positive
  const DiscShapes::Shape& d = shapes.find(r, cx - ix, cy - iy);
  if (!d.usable) return false;
  WriteShape(c, d, ix, iy, fill, outline);
  return true;
}

}  // namespace

// Erase (trails off), disc and label place of every shown body, in order.
// The pass's terms are copied once: the compiler cannot keep them in
// registers across the stores into the canvas.
void MainView::drawPlaced(int n) {
  const CanvasPixels pixels{canvas_.bits(), canvas_.bytesPerLine(), canvas_.width(), canvas_.height()};
  const uint32_t back = PixelFromValue(s_.mainWindow.backColor);
  const bool trails = s_.trails;
  const bool placeLabels = s_.llabels;
  double* lastX = s_.objlastx.data();
  double* lastY = s_.objlasty.data();
  const double* placeX = placeX_.data();
  const double* placeY = placeY_.data();
  const double* placeR = placeR_.data();
  const uint8_t* shown = shown_.data();
  const uint32_t* outline = outlinePixel_.data();
  const uint32_t* fill = fillPixel_.data();
  const double* discR = discR_.data();
  const double* discFx = discFx_.data();
  const double* discFy = discFy_.data();
  const int32_t* discX = discX_.data();
  const int32_t* discY = discY_.data();
  const uint8_t* small = smallDisc_.data();
  BodyLabel* labels = labels_.data();
  // The canvas rows and the label of the disc a few bodies on are fetched
  // ahead: between two steps the force loop's time leaves them out of the
  // caches, and the drawing then waits on memory more than it computes.
  constexpr int Ahead = 8;
  for (int i = 1; i <= n; ++i) {
    if (const int a = i + Ahead; a <= n && small[a]) {
      const uchar* row = pixels.bits + pixels.stride * (discY[a] - 2) + 4 * static_cast<qsizetype>(discX[a] - 2);
      for (int k = 0; k < DiscShapes::Shape::Rows; ++k) __builtin_prefetch(row + k * pixels.stride, 1);
      __builtin_prefetch(&labels[a].left, 1);
      __builtin_prefetch(&labels[a].top, 1);
    }
    if (!shown[i]) continue;
    const double x = placeX[i], y = placeY[i], r = placeR[i];
    if (!trails && (x != lastX[i] || y != lastY[i])) {
      // The disc was drawn at single precision: erase those very pixels.
      const double ex = static_cast<float>(lastX[i]), ey = static_cast<float>(lastY[i]);
      if (Erasable(ex) && Erasable(ey)) FillDisc(pixels, discShapes_, ex, ey, static_cast<float>(r), back, back);
      lastX[i] = x;
      lastY[i] = y;
    }

    // A small disc takes its shape's pixels (most often the shape of the
    // disc before); any other the general path's, at float precision.
    bool drawn = false;
    if (small[i]) {
      const DiscShapes::Shape& shape = discShapes_.find(discR[i], discFx[i], discFy[i]);
      if (shape.usable) {
        WriteShape(pixels, shape, discX[i], discY[i], fill[i], outline[i]);
        drawn = true;
      }
    }
    if (!drawn)
      FillDiscGeneral(pixels, static_cast<float>(x), static_cast<float>(y), static_cast<float>(r), fill[i], outline[i]);

    if (placeLabels) {
      BodyLabel& l = labels[i];
      if (x > lastX[i]) {
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
  d.column2Count = 0;
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
    is = std::max(is, xs), ie = std::min(ie, xe);
    for (int c = 0; c < 4; ++c) {
      const int px = c - 2;
      const bool outline = px >= xs && px <= xe;
      const bool fill = outline && px >= is && px <= ie;
      d.keep[k][c] = outline ? 0 : ~0u;
      d.outline[k][c] = outline && !fill ? ~0u : 0;
      d.fill[k][c] = fill ? ~0u : 0;
    }
    if (2 >= xs && 2 <= xe) {
      d.column2Row[d.column2Count] = static_cast<int8_t>(k);
      d.column2Fill[d.column2Count] = 2 >= is && 2 <= ie;
      ++d.column2Count;
    }
  }
  if (y0 < -2 || y1 > 2) return;
  d.usable = true;
}

const DiscShapes::Shape& DiscShapes::findOther(double r, double fx, double fy) {
  for (int k = 1; k < Slots; ++k) {
    const int slot = (last_ + k) % Slots;
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
  if (SmallAndInside(cx, cy, r, c.width - 2, c.height - 2) && SmallDisc(c, shapes, cx, cy, r, fill, outline)) return;
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
