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

// The view centre in world metres: the focus body, or with the anchor off
// the barycentre of the focus body and its system. Returns the system's
// summed mass term (with the anchor on: the State's GroupMass unchanged).
double SystemCentre(const State& s, double& cx, double& cy, double& cz);

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
  void fillDisc(double cx, double cy, double r, uint32_t fill, uint32_t outline);
  void viewCentre(double& cx, double& cy, double& cz);

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
};

}  // namespace molvane
