// The main view: a persistent canvas that every simulation step draws into,
// the projection of the bodies onto it and the name labels placed beside
// them. No widget here, so the drawing can be measured and tested alone.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/state.h"

namespace molvane {

// One body-name label. Labels are drawn over the canvas when the widget
// paints, never into it, so they never smear into the trails.
struct BodyLabel {
  QString text;
  QColor colour;
  QColor back = Qt::black;  // the box behind the text
  int width = 0;            // pixels, from the label font
  double left = -100;       // pixels in the view; -1000 parks it out of sight
  double top = -100;
  // The box with its text as painted, made at the label's first paint and
  // kept until its text, its colours or the font change: laying out text
  // costs far more than copying the pixels.
  QImage picture;
};

// The canvas's pixels, taken once for a whole drawing pass.
struct CanvasPixels {
  uchar* bits;
  qsizetype stride;  // bytes per row
  int width;
  int height;
};

// The pixels of discs of radius up to SmallDiscRadius, the size of most
// bodies, kept per radius and sub-pixel offset of the centre: a view holds
// few such shapes, and each is worked out once.
constexpr double SmallDiscRadius = 2.0;
class DiscShapes {
 public:
  // Five rows from two rows above the whole pixel at or below the centre,
  // columns -2..2 relative to that pixel.
  struct Shape {
    static constexpr int Rows = 5;
    using Lanes = uint32_t __attribute__((vector_size(16)));
    double r = -1, fx = 0, fy = 0;  // the radius and the centre's fractions; r < 0: none yet
    bool usable = false;            // false: the general path draws this one
    // Each row's outline and fill pixels as masks over columns -2..1, so
    // that a row is one read, two selections and one write; column 2 apart.
    Lanes keep[Rows] = {}, outline[Rows] = {}, fill[Rows] = {};
    // The rows that reach column 2, and whether it is fill there.
    int8_t column2Count = 0, column2Row[Rows] = {};
    bool column2Fill[Rows] = {};
  };
  const Shape& find(double r, double fx, double fy) {
    const Shape& d = slots_[last_];  // most discs share the last shape
    return d.r == r && d.fx == fx && d.fy == fy ? d : findOther(r, fx, fy);
  }

 private:
  const Shape& findOther(double r, double fx, double fy);
  static void build(Shape& d, double r, double fx, double fy);
  static constexpr int Slots = 4;
  Shape slots_[Slots];
  int last_ = 0;  // the slot found last
  int next_ = 0;  // the slot a new shape takes
};

// A solid disc with a one-pixel outline, written straight into the pixels:
// far cheaper than a general painter for the small discs of many bodies.
// Small discs wholly inside the canvas take their shape's pixels, the same
// pixels as FillDiscGeneral sets, which draws every disc.
void FillDisc(const CanvasPixels& c, DiscShapes& shapes, double cx, double cy, double r, uint32_t fill,
              uint32_t outline);
void FillDiscGeneral(const CanvasPixels& c, double cx, double cy, double r, uint32_t fill, uint32_t outline);

// The rotating frame's turn of a screen place (x, y) about the centre of a
// w x h view by angle; both views turn their bodies this way.
void TurnAboutViewCentre(double w, double h, double angle, double& x, double& y);

class MainView {
 public:
  explicit MainView(State& state);

  State& state() { return s_; }
  const State& state() const { return s_; }

  // The canvas follows the drawing area's size; a new canvas starts empty.
  void resizeCanvas(int width, int height);
  const QImage& canvas() const { return canvas_; }
  QImage& canvas() { return canvas_; }

  // Fill the canvas with the background colour ("the view is cleared").
  void clearView();
  // Forget every last drawn position and park every label, so that the next
  // drawing erases nothing.
  void resetPlotState();

  // Draw the bodies of one step (view centre, projection, erase, discs,
  // label places). Never clears the canvas.
  void drawBodies();

  // Tilt members from the two scroll bar values (-10000..10000).
  void setTilt(int hscrollValue, int vscrollValue);
  float verticalTilt() const { return verticalTilt_; }
  double horizontalTilt() const { return horizontalTilt_; }
  double horizontalFlipSign() const { return horizontalFlipSign_; }
  double verticalFlipSign() const { return verticalFlipSign_; }

  double rotatingFrameAngle() const { return rotatingFrameAngle_; }
  void setRotatingFrameAngle(double a) { rotatingFrameAngle_ = a; }

  // Size of the drawing area as the projection sees it.
  double screenWidthPixels() const { return screenWidthPixels_; }
  int16_t screenHeightPixels() const { return screenHeightPixels_; }
  void setScreenSize(double widthPixels, int16_t heightPixels);

  // Screen position of body i as the drawing computes it (tilt, flip,
  // rotating frame not included: the frame is applied per draw). False for
  // a position that is not finite.
  bool projectBody(int i, double& x, double& y) const;

  // Labels of bodies 1..objects, rebuilt from names and colours.
  void rebuildLabels();
  // Names and colours again, places kept (a rename or recolour).
  void refreshLabelTexts();
  void setLabelFont(const QFont& f);
  // Every label's box takes this colour (a rebuild makes them black again).
  void setLabelBackColour(const QColor& c);
  const QFont& labelFont() const { return labelFont_; }
  const std::vector<BodyLabel>& labels() const { return labels_; }
  // Label k (1..labels().size() - 1) as painted at that device pixel ratio.
  const QImage& labelPicture(int k, qreal pixelRatio);
  // Drawing order, bottom first; raiseLabel moves a body's label on top.
  const std::vector<int>& labelOrder() const { return labelOrder_; }
  void raiseLabel(int k);
  void parkLabels(double left, double top);
  // The body whose visible label covers the point, topmost first; 0 if none.
  int labelAt(QPointF p) const;
  QRectF labelRect(int k) const;
  bool labelsMatchBodies() const;

 private:
  void viewCentre(double& cx, double& cy, double& cz);
  void placeBodies(int n);
  void turnPlaces(int n, double right, double bottom);
  void drawPlaced(int n);

  State& s_;
  QImage canvas_;
  float verticalTilt_ = -1.0f;
  double horizontalTilt_ = 0;
  double horizontalFlipSign_ = 0;
  double verticalFlipSign_ = -1;
  double rotatingFrameAngle_ = 0;
  double screenWidthPixels_ = 0;
  int16_t screenHeightPixels_ = 0;
  QFont labelFont_;
  int labelHeight_ = 12;
  int labelAscent_ = 10;
  std::vector<BodyLabel> labels_;  // index 0 unused
  std::vector<int> labelOrder_;
  // Each body's place, disc radius and pixels in this pass (index 1..n),
  // kept between passes so that a pass allocates nothing.
  std::vector<double> placeX_, placeY_, placeR_;
  std::vector<uint8_t> shown_;
  std::vector<uint32_t> outlinePixel_, fillPixel_;
  // The small discs' radius and centre as drawn, split into whole pixel and
  // fractions (smallDisc_: the shape's pixels fit inside the canvas).
  std::vector<double> discR_, discFx_, discFy_;
  std::vector<int32_t> discX_, discY_;
  std::vector<uint8_t> smallDisc_;
  DiscShapes discShapes_;
};

}  // namespace molvane
