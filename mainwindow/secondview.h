// The second view window: an independent view of the same bodies with its
// own tilt bars, zoom and trail memory. It draws each body with a line from
// its previous place, so that it shows continuous paths, and keeps a ring of
// trail points that it redraws every 30th frame.
#pragma once

#include <QImage>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>
#include <array>

#include "engine/state.h"

namespace molvane {

class WindowServices;

class Form2 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int RingSize = 1000;
  struct TrailEntry {
    double newX = 0, newY = 0, oldX = 0, oldY = 0;
    int32_t colour = 0;
  };

  explicit Form2(WindowServices& form);

  // Draws one frame (the main window's drawing calls it first, plotting on
  // or off).
  void pPplot();
  void DrawTrails();
  void HScroll1_Change();
  void VScroll1_Scroll();
  void VScroll1_Change() { VScroll1_Scroll(); }
  void CenterBtn_Click();
  void ResetPlotState();

  QScrollBar* HScroll1 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QPushButton* CenterBtn = nullptr;

  double zoomFactor() const { return zoomFactor_; }
  double visibleWidthKm() const { return visibleWidthKm_; }
  float verticalTilt() const { return verticalTilt_; }
  double horizontalTilt() const { return horizontalTilt_; }
  int ringIndex() const { return ringIndex_; }
  int redrawCounter() const { return redrawCounter_; }
  const TrailEntry& trail(int k) const { return ring_[static_cast<size_t>(k)]; }
  double lastDrawnX(int i) const { return lastX_[static_cast<size_t>(i)]; }
  double lastDrawnY(int i) const { return lastY_[static_cast<size_t>(i)]; }
  const QImage& canvas() const { return canvas_; }
  int drawWidth() const { return width_; }
  int drawHeight() const { return height_; }
  // Bodies drawn by the last frame.
  int drawnCount() const { return drawn_; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Form_Resize();
  // The drawing area takes a size: its centre, its width in km, and the bars
  // along its right and bottom edges, the vertical one `vBarCut` pixels
  // shorter and the horizontal one `hBarLift` pixels higher.
  void takeSize(int w, int h, int vBarCut, int hBarLift);
  void setTilt();
  void clearCanvas();

  WindowServices& form_;
  State& s_;
  QImage canvas_;
  double zoomFactor_ = 0;
  int width_ = 1;
  int height_ = 1;
  float centreX_ = 0;
  float centreY_ = 0;
  double visibleWidthKm_ = 0;
  float verticalTilt_ = -1;
  double horizontalTilt_ = 0;
  double horizontalFlipSign_ = 0;
  double verticalFlipSign_ = -1;
  double rotatingFrameAngle_ = 0;
  BodyArray<double> lastX_{}, lastY_{};
  BodyArray<double> trailX_{}, trailY_{};
  BodyArray<double> lastVx_{}, lastVy_{}, lastVz_{};
  std::array<TrailEntry, RingSize + 1> ring_{};
  int ringIndex_ = 0;
  int redrawCounter_ = 0;
  int drawn_ = 0;
};

}  // namespace molvane
