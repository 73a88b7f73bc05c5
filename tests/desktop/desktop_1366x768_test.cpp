// Window places on a real desktop, openbox on a 1366 x 768 screen: starts
// from the resume file leave the windows where they were, maximized too, and
// a main window recorded on a larger screen comes back whole.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "desktop_support.h"
#include "mainwindow/menus.h"
#include "mainwindow/preferences.h"

namespace molvane {
namespace {

TEST(Desktop, StartsFromTheResumeFileKeepTheWindowsWhereTheyWere) {
  QRect main, scale;
  {
    WholeProgram p;
    p.form().startUp(MOLVANE_EXAMPLE);
    SettledFrame(p.form());
    p.form().move(150, 120);
    p.form().resize(900, 560);
    p.tools().open(DashScreenScale);
    frmScreenScale* s = p.tools().screenScale();
    SettledFrame(*s);
    s->move(345, 400);  // as a user drags it
    main = SettledFrame(p.form());
    scale = SettledFrame(*s);
    ASSERT_EQ(main.topLeft(), QPoint(150, 120));
    ASSERT_EQ(scale.topLeft(), QPoint(345, 400));
    p.form().close();
  }
  for (int start = 1; start <= 12; ++start) {
    WholeProgram p;
    p.form().startUp("");
    ASSERT_TRUE(p.tools().screenScale());
    EXPECT_EQ(SettledFrame(*p.tools().screenScale()), scale) << "start " << start;
    if (start <= 10) {
      EXPECT_EQ(SettledFrame(p.form()), main) << "start " << start;
    } else if (start == 11) {
      // Maximized at exit: maximized at the next start, and back to the
      // same frame when no longer maximized.
      SettledFrame(p.form());
      p.form().setWindowState(Qt::WindowMaximized);
      ASSERT_TRUE(QTest::qWaitFor([&] { return p.form().isMaximized(); }, 5000));
    } else {
      ASSERT_TRUE(QTest::qWaitFor([&] { return p.form().isMaximized(); }, 5000));
      p.form().setWindowState(Qt::WindowNoState);
      EXPECT_EQ(SettledFrame(p.form()), main);
    }
    p.form().close();
  }
}

// The windows from bottom to top as the window manager stacks them.
std::vector<WId> Stacking() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const char name[] = "_NET_CLIENT_LIST_STACKING";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
  xcb_get_property_reply_t* r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1024), nullptr);
  const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(r));
  std::vector<WId> list(ids, ids + xcb_get_property_value_length(r) / 4);
  free(r);
  free(atom);
  xcb_disconnect(c);
  return list;
}

// Raised, the main window stays below its tool windows and dialogs, also
// after the full-screen look has re-made its native window.
TEST(Desktop, ToolWindowsAndDialogsStayAboveTheMainWindow) {
  WholeProgram p;
  p.form().startUp(MOLVANE_EXAMPLE);
  SettledFrame(p.form());
  p.tools().open(DashTimeRate);
  p.form().menus().preferences->trigger();
  auto* prefs = p.form().findChild<frmPreferences*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_TRUE(prefs);
  for (bool fullScreen : {false, true}) {
    if (fullScreen) {
      p.form().FullScreenOnOff();
      QTest::qWait(500);  // as a user looks before leaving it
      p.form().FullScreenOnOff();
    }
    SettledFrame(p.form());
    p.form().raise();
    p.form().activateWindow();
    const auto above = [&](QWidget* w) {
      const std::vector<WId> order = Stacking();
      const auto at = [&](WId id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
      return at(w->winId()) > at(p.form().winId());
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return above(p.tools().timeRate()); }, 4000)) << fullScreen;
    QTest::qWait(300);  // the window manager's restacking done
    EXPECT_TRUE(above(p.tools().timeRate())) << fullScreen;
    EXPECT_TRUE(above(prefs)) << fullScreen;
  }
  p.form().close();
}

TEST(Desktop, AMainWindowRecordedOnALargerScreenComesBackWhole) { ExpectLargerScreenRecordComesBackWhole(); }

}  // namespace
}  // namespace molvane
