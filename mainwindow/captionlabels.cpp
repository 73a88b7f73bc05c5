#include "mainwindow/captionlabels.h"

#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/onscreen.h"
#include "ui/text.h"
#include "ui/twips.h"

namespace molvane {

namespace {

// The mouse on a caption label: double-click and drag, any button.
class CaptionMouse : public QObject {
 public:
  CaptionMouse(CaptionLabels& labels, int k, QObject* parent) : QObject(parent), labels_(labels), k_(k) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonDblClick: labels_.labelCaption_DblClick(k_); return true;
      case QEvent::MouseButtonPress:
        labels_.labelCaption_MouseDown(k_, static_cast<QMouseEvent*>(event)->position());
        return true;
      case QEvent::MouseMove:
        labels_.labelCaption_MouseMove(k_, static_cast<QMouseEvent*>(event)->position());
        return true;
      case QEvent::MouseButtonRelease: labels_.labelCaption_MouseUp(k_); return true;
      default: return QObject::eventFilter(watched, event);
    }
  }

 private:
  CaptionLabels& labels_;
  int k_;
};

// The box of a caption slot: each value in the view's pixels beside the
// same value relative to the reference width.
template <typename F>
void ForEachBoxValue(CaptionSlot& c, F&& f) {
  f(c.relWidth, c.width);
  f(c.relHeight, c.height);
  f(c.relLeft, c.left);
  f(c.relTop, c.top);
}

}  // namespace

CaptionLabels::CaptionLabels(State& s, const MainView& view, QWidget* parent, std::function<double()> referenceWidth)
    : s_(s), view_(view), referenceWidth_(std::move(referenceWidth)) {
  for (int k = 1; k <= MaxCaptions; ++k) {
    labels_[k] = new QLabel(parent);
    labels_[k]->setWordWrap(true);
    labels_[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A caption is a box in the view's background colour (Preferences
    // recolours it).
    labels_[k]->setAutoFillBackground(true);
    labels_[k]->installEventFilter(new CaptionMouse(*this, k, labels_[k]));
    labels_[k]->hide();
  }
}

void CaptionLabels::setCaptionBackColor(int32_t colour) {
  for (int k = 1; k <= MaxCaptions; ++k) SetBackColour(labels_[k], colour);
}

// Captions keep their place and size relative to the window's width: every
// slot is placed from its relative values, a slot never placed gets a
// zero-sized label at the top-left corner. A font size the label cannot
// take is skipped.
void CaptionLabels::rescaleCaptions() {
  for (int k = 1; k <= MaxCaptions; ++k) {
    CaptionSlot& c = s_.captions[k];
    const double b = referenceWidth_();
    const double fontSize = b * c.relFontSize;
    if (std::isfinite(fontSize) && fontSize > 0 && fontSize < 2000) c.fontSize = static_cast<float>(fontSize);
    ForEachBoxValue(c, [b](float rel, float& pixels) {
      const double v = b * rel;
      if (std::isfinite(v) && std::fabs(v) < 1e7) pixels = static_cast<float>(v);
    });
    showCaptionLabel(k);
  }
}

void CaptionLabels::setCaptionLabel(int k) {
  if (k < 1 || k > MaxCaptions) return;
  CaptionSlot& c = s_.captions[k];
  // A caption placed wholly outside the view comes back into it.
  const QRect view(0, 0, view_.screenWidthPixels(), view_.screenHeightPixels());
  auto px = [](float v) { return static_cast<int>(std::clamp<double>(std::isfinite(v) ? v : 0, -1e6, 1e6)); };
  const QRect box(px(c.left), px(c.top), std::max(px(c.width), 1), std::max(px(c.height), 1));
  if (!view.isEmpty() && !view.intersects(box)) {
    QRect placed(PlaceOnArea(box, view), box.size());
    // Captions pulled back to one edge would cover each other: each goes a
    // row further in until it covers no other caption.
    const auto covers = [&](const QRect& r) {
      for (int j = 1; j <= MaxCaptions; ++j) {
        const CaptionSlot& o = s_.captions[j];
        if (j != k && !o.caption.empty() && r.intersects(QRect(px(o.left), px(o.top), px(o.width), px(o.height))))
          return true;
      }
      return false;
    };
    for (int row = 0; row < MaxCaptions && covers(placed); ++row) {
      const int step = std::max(placed.height(), 20);
      placed.moveTop(placed.top() + step <= view.bottom() - placed.height() + 1 ? placed.top() + step : view.top());
      placed.moveTopLeft(PlaceOnArea(placed, view));
    }
    c.left = static_cast<float>(placed.x());
    c.top = static_cast<float>(placed.y());
  }
  const double b = referenceWidth_();
  if (b != 0 && std::isfinite(b)) {
    auto relative = [b](float v, float& target) {
      const double r = v / b;
      if (std::isfinite(r)) target = static_cast<float>(r);
    };
    relative(c.fontSize, c.relFontSize);
    ForEachBoxValue(c, [&relative](float& rel, float pixels) { relative(pixels, rel); });
  }
  showCaptionLabel(k);
}

void CaptionLabels::showCaptionLabel(int k) {
  if (k < 1 || k > MaxCaptions) return;
  const CaptionSlot& c = s_.captions[k];
  QLabel* l = labels_[k];
  l->setText(Latin1(c.caption));
  l->setFont(MakeFont(QFont(), c.fontName, c.fontSize, c.bold, c.italic, c.strikethru, c.underline));
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, ColourFromValue(c.foreColor));
  l->setPalette(pal);
  const int w = std::max(NearestPixel(c.width), 0);
  const int h = std::max(NearestPixel(c.height), 0);
  l->setGeometry(NearestPixel(c.left), NearestPixel(c.top), w, h);
  // An empty caption with a box still answers double-click and drag.
  l->setVisible(!c.caption.empty() || (w > 1 && h > 1));
}

void CaptionLabels::applyCaptions() {
  for (int k = 1; k <= MaxCaptions; ++k) showCaptionLabel(k);
}

void CaptionLabels::labelCaption_DblClick(int k) {
  if (k < 1 || k > MaxCaptions) return;
  if (captionEditor_) captionEditor_(k);
}

void CaptionLabels::labelCaption_MouseDown(int k, QPointF pos) {
  if (k < 1 || k > MaxCaptions) return;
  dragging_ = true;
  grabX_ = static_cast<float>(pos.x());
  grabY_ = static_cast<float>(pos.y());
}

// The label follows the pointer, keeping the grab point under it; the
// 1-pixel dead zone is on the horizontal offset only.
void CaptionLabels::labelCaption_MouseMove(int k, QPointF pos) {
  if (!dragging_ || k < 1 || k > MaxCaptions) return;
  CaptionSlot& c = s_.captions[k];
  const float x = static_cast<float>(pos.x());
  const float y = static_cast<float>(pos.y());
  if (std::fabs(x - grabX_) > 1) {
    if (x != lastX_) c.left += x - grabX_;
    if (y != lastY_) c.top += y - grabY_;
    lastX_ = x;
    lastY_ = y;
    labels_[k]->move(static_cast<int>(std::lround(c.left)), static_cast<int>(std::lround(c.top)));
  }
  const double b = referenceWidth_();
  if (b != 0 && std::isfinite(b)) {
    c.relLeft = static_cast<float>(c.left / b);
    c.relTop = static_cast<float>(c.top / b);
  }
}

void CaptionLabels::labelCaption_MouseUp(int k) {
  dragging_ = false;
  GetLabelPosition(k);
}

void CaptionLabels::GetLabelPosition(int k) {
  if (k < 1 || k > MaxCaptions) return;
  const double w = view_.screenWidthPixels();
  if (w == 0 || !std::isfinite(w)) return;
  leftFraction_ = static_cast<float>(s_.captions[k].left / w);
  topFraction_ = static_cast<float>(s_.captions[k].top / w);
}

}  // namespace molvane
