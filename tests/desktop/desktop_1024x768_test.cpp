// Window places on a small desktop, openbox on a 1024 x 768 screen.
#include <gtest/gtest.h>

#include <QMenuBar>

#include "desktop_support.h"
#include "mainwindow/menus.h"

namespace molvane {
namespace {

TEST(SmallDesktop, AMainWindowRecordedOnALargerScreenComesBackWhole) { ExpectLargerScreenRecordComesBackWhole(); }

// F8 and F9 line the dashboard up where no window covers another or the
// main window's menu bar, whether the windows were open or not.
TEST(SmallDesktop, TheLinedUpDashboardLeavesTheMenuBarFree) {
  WholeProgram p;
  p.form().startUp(MOLVANE_EXAMPLE);
  SettledFrame(p.form());
  const QRect screen = p.form().screen()->availableGeometry();
  for (QAction* align :
       {p.form().menus().alignVertically, p.form().menus().alignHorizontal, p.form().menus().alignVertically}) {
    align->trigger();
    std::vector<QWidget*> windows;
    for (int w = 0; w < DashboardCount; ++w) windows.push_back(p.tools().window(DashboardWindow(w)));
    windows.push_back(&p.form());
    std::vector<QRect> frames = SettledFrames(windows);
    frames.pop_back();
    QMenuBar* bar = p.form().menuBar();
    const QRect menus(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    const std::string what = align->text().toStdString();
    for (size_t i = 0; i < frames.size(); ++i) {
      EXPECT_TRUE(screen.contains(frames[i])) << what << " window " << ::testing::PrintToString(frames[i]);
      EXPECT_FALSE(frames[i].intersects(menus)) << what << " window " << i;
      for (size_t j = 0; j < i; ++j) EXPECT_FALSE(frames[i].intersects(frames[j])) << what << " " << i << "/" << j;
    }
    EXPECT_TRUE(screen.contains(p.form().frameGeometry())) << what;
  }
  p.form().close();
}

}  // namespace
}  // namespace molvane
