#include "ui/toolwindow.h"

#include <cmath>

#include "ui/frameplace.h"
#include "ui/twips.h"

namespace molvane {

ToolWindow::ToolWindow(QWidget* owner, Qt::WindowFlags flags) : QWidget(owner, flags) {}

int ToolWindow::leftTwips() const { return frameGeometry().x() * TwipsPerPixel; }
int ToolWindow::topTwips() const { return frameGeometry().y() * TwipsPerPixel; }
int ToolWindow::widthTwips() const { return frameGeometry().width() * TwipsPerPixel; }
int ToolWindow::heightTwips() const { return frameGeometry().height() * TwipsPerPixel; }

void ToolWindow::placeAtTwips(double left, double top) {
  if (!std::isfinite(left) || !std::isfinite(top)) return;
  const QPoint place(PixelsOfTwips(left), PixelsOfTwips(top));
  PlaceFramed(this, [this, place](bool) {
    placing_ = true;
    move(place);
    placing_ = false;
  });
}

bool ToolWindow::placing() const { return placing_ || FramePlacementPending(this); }

bool ToolWindow::markClosed() {
  if (closed_) return false;
  closed_ = true;
  return true;
}

}  // namespace molvane
