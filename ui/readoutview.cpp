#include "ui/readoutview.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

#include "ui/text.h"

namespace molvane {

bool ReadoutsSeen(const QWidget* window) { return window->isVisible() && !window->isMinimized(); }

void SetReadoutText(QLabel* label, const std::string& latin1) {
  if (label->textFormat() != Qt::PlainText) {
    // A number is plain text: no look for rich text at every change. On a
    // background of its own the label repaints alone, not the frame or the
    // group box beneath it.
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
  }
  label->setText(Latin1(latin1));
}

ReadoutWatch::ReadoutWatch(QWidget* window, std::function<void()> show)
    : QObject(window), window_(window), show_(std::move(show)) {
  window->installEventFilter(this);
}

void ReadoutWatch::refresh() {
  if (ReadoutsSeen(window_)) {
    behind_ = false;
    show_();
  } else {
    behind_ = true;
  }
}

bool ReadoutWatch::eventFilter(QObject* o, QEvent* e) {
  // Shown again, or back from the task bar: the values it missed.
  if (behind_ && o == window_ && (e->type() == QEvent::Show || e->type() == QEvent::WindowStateChange)) {
    if (!window_->isMinimized()) {
      behind_ = false;
      show_();
    }
  }
  return false;
}

}  // namespace molvane
