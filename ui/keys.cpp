#include "ui/keys.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace molvane {

namespace {
const char* const ForwardProperty = "molvaneForwardKeys";
const char* const AlignProperty = "molvaneAlignKeys";
}  // namespace

int WindowsKeyCode(const QKeyEvent* e) {
  const int key = e->key();
  if (key == Qt::Key_Escape) return 27;
  if (key == Qt::Key_F8) return KeyCodeF8;
  if (key == Qt::Key_F9) return KeyCodeF9;
  const bool ctrl = e->modifiers() & Qt::ControlModifier;
  if (ctrl && key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
  const QString text = e->text();
  if (text.isEmpty()) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return 13;
    if (key == Qt::Key_Backspace) return 8;
    if (key == Qt::Key_Tab) return 9;
    return 0;
  }
  const char16_t c = text.at(0).unicode();
  if (ctrl && c >= 'a' && c <= 'z') return c - 'a' + 1;
  if (ctrl && c >= 'A' && c <= 'Z') return c - 'A' + 1;
  return c <= 0xFF ? static_cast<int>(c) : 0;
}

void ForwardKeysFrom(QWidget* w, bool alignKeys) {
  if (!w) return;
  w->setProperty(ForwardProperty, true);
  if (alignKeys) w->setProperty(AlignProperty, true);
}

void AlignKeysFrom(QWidget* w) {
  if (w) w->setProperty(AlignProperty, true);
}

namespace {

// The list whose drop-down (a popup window of its own) holds `w`, if any.
const QComboBox* DroppedListOf(const QWidget* w) {
  const QWidget* popup = w->window();
  if (popup->windowType() != Qt::Popup) return nullptr;
  const auto* list = qobject_cast<const QComboBox*>(popup->parentWidget());
  return list && list->view() && list->view()->window() == popup ? list : nullptr;
}

// The widget whose marks decide for a key at `w`: the keys of a list's
// drop-down and of an editable list's text field count as the list's.
const QWidget* MarkedFor(const QWidget* w) {
  if (const QComboBox* list = DroppedListOf(w)) return list;
  const auto* list = qobject_cast<const QComboBox*>(w->parentWidget());
  if (list && list->lineEdit() && static_cast<const QWidget*>(list->lineEdit()) == w) return list;
  return w;
}

}  // namespace

KeyForwarder::KeyForwarder(std::function<void(int)> press, std::function<void(int)> alignRelease, QObject* parent)
    : QObject(parent), press_(std::move(press)), alignRelease_(std::move(alignRelease)) {}

// An ignored key event travels up the parent chain as the same event
// object: forward it once, at the first widget on its way, when that one is
// marked. A key that first reaches an unmarked control (a text box that
// keeps its keys) stays its own, even where it travels on to a marked
// window. An event at a widget that is not an ancestor of the previous
// receiver is a new one, even when it reuses the previous event's address.
void KeyForwarder::Passage::arrive(QWidget* w, const QEvent* e, const char* mark) {
  QWidget* previous = receiver.data();
  const bool travelling = e == event && previous && w != previous && w->isAncestorOf(previous);
  if (!travelling) handled = !MarkedFor(w)->property(mark).toBool();
  event = e;
  receiver = w;
}

bool KeyForwarder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    pressPassage_.arrive(w, event, ForwardProperty);
    if (!pressPassage_.handled && MarkedFor(w)->property(ForwardProperty).toBool()) {
      pressPassage_.handled = true;
      const int code = WindowsKeyCode(static_cast<QKeyEvent*>(event));
      // Esc in a dropped list only closes the list.
      if (code == 27 && DroppedListOf(w)) return false;
      if (code != 0 && press_) press_(code);
    }
  } else if (event->type() == QEvent::KeyRelease) {
    pressPassage_ = Passage();
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    releasePassage_.arrive(w, event, AlignProperty);
    auto* key = static_cast<QKeyEvent*>(event);
    if (!releasePassage_.handled && MarkedFor(w)->property(AlignProperty).toBool() && !key->isAutoRepeat()) {
      releasePassage_.handled = true;
      const int code = WindowsKeyCode(key);
      if ((code == KeyCodeF8 || code == KeyCodeF9) && alignRelease_) alignRelease_(code);
    }
  }
  return false;
}

}  // namespace molvane
