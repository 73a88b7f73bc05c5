// Pressing what a user presses: a window's button found by its object name,
// a menu item through the menus a click opens, and the look of a window
// before and after, so that each press is known by what it alone changes.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

namespace molvane {

// Clicks the shown, enabled button of that object name (of that caption
// too, when a family shares the name) where a user does: a push button
// anywhere, an option or a check box on its mark at the left; false when
// there is none to click.
inline bool Press(QWidget* window, const char* name, const QString& caption = {}) {
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>(name)) {
    if (!b->isVisible() || !b->isEnabled() || (!caption.isEmpty() && b->text() != caption)) continue;
    const int h = b->height() / 2;
    QTest::mouseClick(b, Qt::LeftButton, {}, qobject_cast<QPushButton*>(b) ? b->rect().center() : QPoint(h, h));
    return true;
  }
  return false;
}

// Types `text` into a box as a user does, a key press per character; a
// character no key of the test keyboard has arrives as its text, as an
// input method sends it.
inline void TypeText(QWidget* w, const QString& text) {
  for (QChar c : text) {
    if (c.unicode() < 128) {
      QTest::keyClicks(w, QString(c));
    } else {
      QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// Selects what the box holds and types `text` over it.
inline void TypeOver(QWidget* box, const QString& text) {
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Delete);
  TypeText(box, text);
}

// A refusal: one message since `before` were said, that begins with the
// name of the field refused.
inline void ExpectRefusal(const std::vector<std::string>& messages, size_t before, const std::string& field) {
  ASSERT_EQ(messages.size(), before + 1);
  EXPECT_TRUE(messages.back().starts_with(field + ' ')) << messages.back();
}

// Drops the list open and clicks its entry of that text.
inline void PickFromList(QComboBox* list, const QString& text) {
  list->showPopup();
  QAbstractItemView* view = list->view();
  const QModelIndex item = view->model()->index(list->findText(text), list->modelColumn());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
}

// Drops the list open and clicks its entry at `row`, or moves the highlight
// there with the keys and takes it with Enter.
inline void PickRow(QComboBox* list, int row, bool keys = false) {
  list->showPopup();
  QAbstractItemView* view = list->view();
  if (keys) {
    QTest::keyClick(view, Qt::Key_Home);
    for (int k = 0; k < row; ++k) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
    return;
  }
  const QModelIndex item = view->model()->index(row, list->modelColumn());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
}

inline void ClickRow(QListWidget* list, int row) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// Clicks the item of that object name in an open menu; an item that opens
// a submenu leaves that one open. Returns the open submenu or, for a plain
// item, the menu it was clicked in; nullptr when the item is not there.
inline QWidget* ClickMenuItem(QWidget* menu, const char* name) {
  auto* bar = qobject_cast<QMenuBar*>(menu);
  for (QAction* a : menu->actions()) {
    if (a->objectName() != name || !a->isVisible() || !a->isEnabled()) continue;
    const QRect r = bar ? bar->actionGeometry(a) : static_cast<QMenu*>(menu)->actionGeometry(a);
    QTest::mouseClick(menu, Qt::LeftButton, {}, r.center());
    if (!a->menu()) return menu;
    QMenu* sub = a->menu();
    return QTest::qWaitFor([sub] { return sub->isVisible(); }, 2000) ? sub : nullptr;
  }
  return nullptr;
}

// Opens the menus of `path` from the menu bar or an open menu, a click
// each, and clicks its last item; false when an item on the way is not
// there to click.
inline bool ChooseMenuItem(QWidget* from, const std::vector<const char*>& path) {
  for (const char* name : path) {
    if (!from) return false;
    from = ClickMenuItem(from, name);
  }
  return from != nullptr;
}

// A window's look, aspect by aspect, "name=value" each.
using Look = std::vector<std::string>;

// "1" or "0" for each switch, in order.
template <typename... Bools>
std::string Flag(Bools... on) {
  return (std::string(on ? "1" : "0") + ...);
}

// The aspects that differ between two looks, in order.
inline std::string Changes(const Look& before, const Look& after) {
  std::string out;
  for (size_t k = 0; k < after.size(); ++k) {
    if (k < before.size() && before[k] == after[k]) continue;
    out += (out.empty() ? "" : " ") + after[k];
  }
  return out;
}

// Each row's `button` pressed on the window `open(row)` sets up and gives:
// the look changes by the row's `changes` alone.
template <typename Rows, typename LookOf, typename Open>
void ExpectEachPress(const Rows& rows, LookOf look, Open open) {
  for (const auto& row : rows) {
    SCOPED_TRACE(row.button);
    QWidget* window = open(row);
    ASSERT_TRUE(window);
    const Look before = look();
    ASSERT_TRUE(Press(window, std::string(row.button).c_str()));
    EXPECT_EQ(Changes(before, look()), row.changes);
  }
}

// A row of the table above.
struct PressRow {
  std::string button, changes;
};

// Rows written "button changes...", the changes after the first blank.
inline std::vector<PressRow> PressRows(std::initializer_list<std::string> rows) {
  std::vector<PressRow> out;
  for (const std::string& r : rows) {
    const size_t blank = std::min(r.find(' '), r.size());
    out.push_back({r.substr(0, blank), r.substr(std::min(blank + 1, r.size()))});
  }
  return out;
}

}  // namespace molvane
