// Pressing what a user presses: a window's button found by its object name,
// a menu item through the menus a click opens, and the look of a window
// before and after, so that each press is known by what it alone changes.
#pragma once

#include <QAbstractButton>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <string>
#include <utility>
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

// A window's look, aspect by aspect, as text.
using Look = std::vector<std::pair<std::string, std::string>>;

// The aspects that differ between two looks, "name=value" each, in order.
inline std::string Changes(const Look& before, const Look& after) {
  std::string out;
  for (size_t k = 0; k < after.size(); ++k) {
    if (k < before.size() && before[k] == after[k]) continue;
    out += (out.empty() ? "" : " ") + after[k].first + "=" + after[k].second;
  }
  return out;
}

}  // namespace molvane
