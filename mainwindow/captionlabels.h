// The four caption labels on the main window's drawing area: each shows
// its slot of State::captions, keeps its place and size relative to the
// window's width, follows a button drag and opens the caption editor on a
// double-click.
#pragma once

#include <QLabel>
#include <QPointF>
#include <array>
#include <cstdint>
#include <functional>

#include "engine/state.h"
#include "mainwindow/mainview.h"

namespace molvane {

class CaptionLabels {
 public:
  // The labels are children of `parent` (the drawing area). `referenceWidth`
  // answers the main window's outer width in twips less its vertical bar.
  CaptionLabels(State& s, const MainView& view, QWidget* parent, std::function<double()> referenceWidth);

  QLabel* captionLabel(int k) const { return (k >= 1 && k <= MaxCaptions) ? labels_[k] : nullptr; }
  // Installed by the control windows: opens the caption editor on slot k.
  void setCaptionEditor(std::function<void(int)> open) { captionEditor_ = std::move(open); }

  // Captions of State::captions onto the four labels.
  void applyCaptions();
  // Every slot placed again from its relative values (after a resize).
  void rescaleCaptions();
  // A reader set slot k: its relative values follow the label as loaded.
  void setCaptionLabel(int k);
  // The boxes take a colour (0x00BBGGRR): the view's background.
  void setCaptionBackColor(int32_t colour);
  // The label's box is the slot's box in the view's pixels.
  void showCaptionLabel(int k);

  // The mouse over label k; positions are pixels inside the label.
  void labelCaption_DblClick(int k);
  void labelCaption_MouseDown(int k, QPointF pos);
  void labelCaption_MouseMove(int k, QPointF pos);
  void labelCaption_MouseUp(int k);
  void GetLabelPosition(int k);
  bool captionDragging() const { return dragging_; }
  float captionLeftFraction() const { return leftFraction_; }
  float captionTopFraction() const { return topFraction_; }

 private:
  State& s_;
  const MainView& view_;
  std::function<double()> referenceWidth_;
  std::array<QLabel*, MaxCaptions + 1> labels_{};
  std::function<void(int)> captionEditor_;
  // One drag state for the four labels.
  bool dragging_ = false;
  float grabX_ = 0, grabY_ = 0;
  float lastX_ = 0, lastY_ = 0;
  float leftFraction_ = 0, topFraction_ = 0;
};

}  // namespace molvane
