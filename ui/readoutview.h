// What a window whose readouts follow the simulation's steps needs so that
// readouts showing nothing new cost next to nothing: the latest step's
// values go into the labels only while the window can be seen (shown, not
// minimized), a label's text is set only when it changes, and a window
// skipped while hidden or minimized catches up as soon as it shows again.
#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <optional>
#include <string>

class QLabel;
class QWidget;

namespace molvane {

// Whether a window's readouts can be seen now.
bool ReadoutsSeen(const QWidget* window);
// A label's text from the tables' Latin-1 bytes.
void SetReadoutText(QLabel* label, const std::string& latin1);

// The texts a set of value labels shows, so that an unchanged one is left
// alone (no conversion, no relayout, no repaint).
template <size_t N>
class ReadoutTexts {
 public:
  // Puts texts[k] into labels[k] where it differs from what that label got last.
  void show(const std::array<QLabel*, N>& labels, const std::array<std::string, N>& texts) {
    for (size_t k = 0; k < N; ++k) {
      if (shown_[k] && *shown_[k] == texts[k]) continue;
      shown_[k] = texts[k];
      SetReadoutText(labels[k], texts[k]);
    }
  }

 private:
  std::array<std::optional<std::string>, N> shown_{};
};

// Watches a window for the moment it shows again after the readouts skipped
// it, and then runs `show` (which puts the latest step's values in).
class ReadoutWatch : public QObject {
 public:
  ReadoutWatch(QWidget* window, std::function<void()> show);
  // A step left new values: shows them now when the window can be seen,
  // else as soon as it can.
  void refresh();

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  QWidget* window_;
  std::function<void()> show_;
  bool behind_ = false;  // a refresh was skipped while the window was out of sight
};

}  // namespace molvane
