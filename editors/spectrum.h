// The spectrum window (frmSpectrum): how the speed of one body relative to
// another changes over simulated time, one point per sample period. The
// window holds the settings; the simulation loop samples and hands each
// point back to draw.
#pragma once

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include "engine/state.h"

namespace molvane {

class WindowServices;

class frmSpectrum : public QWidget {
  Q_OBJECT

 public:
  explicit frmSpectrum(WindowServices& form);

  QComboBox* Combo1 = nullptr;  // body A
  QComboBox* Combo2 = nullptr;  // body B
  QLineEdit* Text1 = nullptr;   // period, days
  QLineEdit* Text2 = nullptr;   // amplitude
  QLineEdit* Text3 = nullptr;   // offset, m/s
  QPushButton* Command1 = nullptr;
  QLabel* Label1 = nullptr;
  QScrollBar* VScroll1 = nullptr;

  // m/s of body A relative to body B, as the settings name them.
  double RelativeSpeed() const;
  void Form_Load();
  void Combo_Click();
  void Command1_Click();
  // Refills both lists with the body names; their texts name the bodies
  // sampled.
  void refill();
  void viewNames();
  // One sample: a line from the last point to (x, y) in pixels.
  void plotPoint(int16_t x, double y);
  const QImage& picture() const { return picture_; }
  QPoint drawingPosition() const { return pos_; }

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Text1_Change();
  void Text2_Change();
  void Text3_Change();
  void VScroll1_Change();
  void showOffset();
  void clearPicture();

  WindowServices& form_;
  State& s_;
  QImage picture_;
  QPoint pos_{0, 0};
};

}  // namespace molvane
