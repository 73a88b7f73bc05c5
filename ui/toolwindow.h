// The base of the tool windows beside the main window: the dashboard
// windows, the distance, reference and orbit boxes and the thrust panels.
// What they do alike lives here: the outer frame in twips (the unit the
// situation files keep places in) and whether the window has been closed.
// A place out of reach comes back onto the screen when the window is shown
// (ui/onscreen.h).
#pragma once

#include <QWidget>

namespace molvane {

class ToolWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ToolWindow(QWidget* owner, Qt::WindowFlags flags = Qt::Tool);

  // Outer frame, twips.
  int leftTwips() const;
  int topTwips() const;
  int widthTwips() const;
  int heightTwips() const;
  // Moves the outer frame to the nearest pixels of a place in twips; a
  // place that is not finite leaves the window where it is.
  void placeAtTwips(double left, double top);
  // Closed and waiting to be deleted: no longer the window of its slot.
  bool isClosed() const { return closed_; }

 protected:
  // True while placeAtTwips moves the window, or waits for the window
  // manager's frame to move it again: the move is the program's, not the
  // user's.
  bool placing() const;
  // Records that the window has closed; false when it already had.
  bool markClosed();

 private:
  bool placing_ = false;
  bool closed_ = false;
};

}  // namespace molvane
