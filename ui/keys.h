// Keyboard codes as the command table knows them (Ctrl+A..Z = 1..26, Esc
// 27, F8 119, F9 120, else the typed character) and the forwarding of key
// presses from any window to the main window's command table.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QKeyEvent;
class QWidget;

namespace molvane {

constexpr int KeyCodeF8 = 119;
constexpr int KeyCodeF9 = 120;

// The code of a key press, 0 when it has none (a lone modifier, arrows).
int WindowsKeyCode(const QKeyEvent* e);

// Marks a widget whose key presses reach the command table (the window
// itself and the controls that forward; text boxes are left unmarked so
// that typing into them runs no command, and a key that reaches an unmarked
// control first is never forwarded by the window around it). With alignKeys
// its F8 and F9 releases line up the dashboard. A marked list's drop-down
// and text field count as the list; Esc in the drop-down only closes it.
void ForwardKeysFrom(QWidget* w, bool alignKeys = false);
// Marks a widget whose F8 and F9 releases line up the dashboard while its
// key presses stay its own.
void AlignKeysFrom(QWidget* w);

// Installed once on the application: passes each key press to `press`
// exactly once, from the first marked widget that sees it, and leaves the
// event untouched so the key still reaches the control.
class KeyForwarder : public QObject {
 public:
  KeyForwarder(std::function<void(int)> press, std::function<void(int)> alignRelease, QObject* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // One key event on its way up the parent chain: where it was seen last
  // and whether it has been handled on this way.
  struct Passage {
    const QEvent* event = nullptr;
    QPointer<QWidget> receiver;
    bool handled = false;
    void arrive(QWidget* w, const QEvent* e, const char* mark);
  };

  std::function<void(int)> press_;
  std::function<void(int)> alignRelease_;
  Passage pressPassage_;
  Passage releasePassage_;
};

}  // namespace molvane
