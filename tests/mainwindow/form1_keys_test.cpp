// The keyboard command table, typed into the main window and forwarded
// from other windows.
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/simulation.h"
#include "form1_support.h"
#include "mainwindow/menus.h"
#include "mainwindow/viewwidget.h"
#include "ui/keys.h"

namespace molvane {
namespace {

// Everything a key of the table can touch.
struct Snapshot {
  std::vector<double> v;
  std::vector<int> flags;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take(Form1& f) {
  const State& s = f.state();
  Snapshot r;
  for (int i = 0; i <= s.objects; ++i) {
    for (double d : {s.objx[i], s.objy[i], s.objz[i], s.objvx[i], s.objvy[i], s.objvz[i], s.objmass[i]}) {
      r.v.push_back(d);
    }
  }
  r.v.push_back(s.ScalePixel);
  r.v.push_back(s.timescale);
  r.v.push_back(s.SecondsElapsed);
  r.flags = {s.objects,
             s.focusobj,
             s.TimeForward,
             s.TimeStepDoubleRequest,
             s.TimeStepHalveRequest,
             s.anchor,
             s.pplot,
             s.llabels,
             s.trails,
             s.PausedFlag,
             s.RotatingFrame.on,
             s.ExaggerateObjectSizeOn,
             s.screenscaleloaded,
             s.timerateloaded,
             s.focusobjectloaded,
             s.dateandtimeloaded,
             s.graphicsoptionsloaded,
             f.timerEnabled(),
             f.windowStyle().titlebar(),
             f.menuBar()->isVisibleTo(&f),
             s.SystemElementsCount};
  return r;
}

class Form1Keys : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    makeForm();
    addBodies(3);
    form->show();
  }
};

TEST_F(Form1Keys, KeysThatAreNotInTheTableChangeNothing) {
  const std::array<int, 17> used = {4, 6, 7, 18, 19, 20, 23, 27, 43, 45, 90, 102, 103, 108, 112, 116, 122};
  const Snapshot before = Take(*form);
  for (int code = 0; code < 256; ++code) {
    if (std::find(used.begin(), used.end(), code) != used.end()) continue;
    form->KeyPresses(code);
    ASSERT_EQ(Take(*form), before) << "code " << code;
  }
  // Upper-case letters of the lower-case commands, and codes outside 0..255.
  for (int code : {70, 71, 76, 80, 84, 1, 2, 3, 123, -1, 1000}) form->KeyPresses(code);
  EXPECT_EQ(Take(*form), before);
}

TEST_F(Form1Keys, DashboardTogglesFollowTheOpenFlags) {
  const std::array<std::pair<int, bool State::*>, 5> toggles = {{{4, &State::dateandtimeloaded},
                                                                 {6, &State::focusobjectloaded},
                                                                 {7, &State::graphicsoptionsloaded},
                                                                 {20, &State::timerateloaded},
                                                                 {23, &State::screenscaleloaded}}};
  for (auto [code, flag] : toggles) {
    EXPECT_FALSE(state.get()->*flag);
    form->KeyPresses(code);
    EXPECT_TRUE(state.get()->*flag) << code;
    form->KeyPresses(code);
    EXPECT_FALSE(state.get()->*flag) << code;
  }
}

TEST_F(Form1Keys, ReverseTimeTwiceGivesBackTheSameVelocities) {
  const Snapshot before = Take(*form);
  const double vx0 = state->objvx[0];
  form->KeyPresses(18);
  EXPECT_FALSE(state->TimeForward);
  EXPECT_TRUE(form->menus().timeBackwards->isChecked());
  EXPECT_FALSE(form->menus().timeForward->isChecked());
  EXPECT_EQ(state->objvx[2], -20.0);
  EXPECT_EQ(state->objvz[3], 15.0);
  EXPECT_EQ(state->objvx[0], vx0);  // the floating point is not reversed
  form->KeyPresses(18);
  EXPECT_EQ(Take(*form), before);
  EXPECT_TRUE(form->menus().timeForward->isChecked());
}

TEST_F(Form1Keys, TimeStepKeysOnlyQueueRequests) {
  form->KeyPresses('+');
  form->KeyPresses('+');
  form->KeyPresses('+');
  EXPECT_TRUE(state->TimeStepDoubleRequest);
  EXPECT_FALSE(state->TimeStepHalveRequest);
  EXPECT_EQ(state->timescale, 1.0);
  form->KeyPresses('-');
  EXPECT_TRUE(state->TimeStepHalveRequest);
}

// At the clock's edge no step comes to apply them: the step refused there
// applies what was queued, and `-` and `+` typed while paused there act at
// once, as the time-step window's buttons do.
TEST_F(Form1Keys, TimeStepKeysActAtOnceWhilePausedAtTheClocksEdge) {
  state->SecondsElapsed = std::numeric_limits<double>::max();
  state->timescale = 1e300;
  state->TimeStepHalveRequest = true;
  state->PausedFlag = false;
  SimulationStep(*state, *form);
  EXPECT_TRUE(state->PausedFlag);
  EXPECT_EQ(state->timescale, 5e299);
  for (auto [key, step] : {std::pair{'-', 2.5e299}, std::pair{'-', 1.25e299}, std::pair{'+', 2.5e299}}) {
    QTest::keyClick(form->viewWidget(), key);
    EXPECT_EQ(state->timescale, step);
    EXPECT_FALSE(state->TimeStepHalveRequest || state->TimeStepDoubleRequest);
  }
  state->SecondsElapsed = 0;  // away from the edge: queued for the next step
  QTest::keyClick(form->viewWidget(), '+');
  EXPECT_EQ(state->timescale, 2.5e299);
  EXPECT_TRUE(state->TimeStepDoubleRequest);
}

TEST_F(Form1Keys, ZoomAnchorPlotLabelsTrailsAndPause) {
  const double scale = state->ScalePixel;
  form->KeyPresses('Z');
  EXPECT_DOUBLE_EQ(state->ScalePixel, scale * 1.5);
  form->KeyPresses('z');
  EXPECT_DOUBLE_EQ(state->ScalePixel, scale);

  form->KeyPresses('f');
  EXPECT_FALSE(state->anchor);
  EXPECT_EQ(state->SystemElementsCount, 3);  // every body refers to Body1
  form->KeyPresses('f');
  EXPECT_TRUE(state->anchor);

  form->KeyPresses('g');
  EXPECT_FALSE(state->pplot);
  form->KeyPresses('g');
  EXPECT_TRUE(state->pplot);

  form->KeyPresses('l');
  EXPECT_TRUE(state->llabels);
  EXPECT_EQ(form->view().labels().size(), 4u);
  form->KeyPresses('l');
  EXPECT_FALSE(state->llabels);
  EXPECT_EQ(form->view().labels()[2].left, -1000);

  form->KeyPresses('t');
  EXPECT_FALSE(state->trails);
  form->KeyPresses('t');
  EXPECT_TRUE(state->trails);

  // Pause and play: the flag, the timer and the menu caption.
  ASSERT_FALSE(state->PausedFlag);
  form->KeyPresses('p');
  EXPECT_TRUE(state->PausedFlag);
  EXPECT_FALSE(form->timerEnabled());
  EXPECT_EQ(form->menus().pausePlay->text(), "Play");
  form->KeyPresses('p');
  EXPECT_FALSE(state->PausedFlag);
  EXPECT_TRUE(form->timerEnabled());
  EXPECT_EQ(form->menus().pausePlay->text(), "Pause");
}

TEST_F(Form1Keys, EscTogglesTheFullScreenLook) {
  form->setWindowTitle("Molvane -- here");
  form->KeyPresses(27);
  EXPECT_FALSE(form->windowStyle().titlebar());
  EXPECT_FALSE(form->menuBar()->isVisible());
  EXPECT_FALSE(form->vscroll1()->isVisible());
  EXPECT_FALSE(form->centerBtn()->isVisible());
  EXPECT_TRUE(form->hscroll1()->isVisible());
  EXPECT_EQ(state->MainCaption, "Molvane -- here");
  form->KeyPresses(27);
  EXPECT_TRUE(form->windowStyle().titlebar());
  EXPECT_TRUE(form->menuBar()->isVisible());
  EXPECT_TRUE(form->vscroll1()->isVisible());
  EXPECT_TRUE(form->centerBtn()->isVisible());
  EXPECT_EQ(form->windowTitle(), "Molvane -- here");
}

TEST_F(Form1Keys, CtrlSSavesTheCurrentSituation) {
  const std::string path = dataPath() + "/saved.molv";
  state->isitname = path;
  form->KeyPresses(19);
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
}

TEST_F(Form1Keys, TypedKeysReachTheTableFromTheMainWindowAndOtherWindows) {
  // Main window: typed into the view and into a scroll bar.
  QTest::keyClick(form->viewWidget(), 'l');
  EXPECT_TRUE(state->llabels);
  QTest::keyClick(form->hscroll1(), 'l');
  EXPECT_FALSE(state->llabels);

  // Another window with a forwarding list-like control, a plain text box
  // and a button.
  QWidget other;
  auto* list = new QLineEdit(&other);
  auto* text = new QLineEdit(&other);
  auto* button = new QPushButton("b", &other);
  auto* layout = new QVBoxLayout(&other);
  layout->addWidget(list);
  layout->addWidget(text);
  layout->addWidget(button);
  ForwardKeysFrom(&other, true);
  ForwardKeysFrom(list, true);
  ForwardKeysFrom(button, true);
  other.show();

  QTest::keyClick(list, 'p');
  EXPECT_TRUE(state->PausedFlag);  // paused once...
  EXPECT_EQ(list->text(), "p");    // ...and the list still got the letter
  QTest::keyClick(text, 'p');
  EXPECT_TRUE(state->PausedFlag);  // text boxes do not forward
  EXPECT_EQ(text->text(), "p");

  // The button ignores Ctrl+D, which then travels on to its window: the
  // command still runs once, not twice.
  QTest::keyClick(button, Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(state->dateandtimeloaded);
  QTest::keyClick(&other, Qt::Key_D, Qt::ControlModifier);
  EXPECT_FALSE(state->dateandtimeloaded);

  // F8 and F9 line the dashboard up on release.
  QTest::keyClick(button, Qt::Key_F8);
  QTest::keyClick(list, Qt::Key_F9);
  EXPECT_EQ(tools->alignV, 1);
  EXPECT_EQ(tools->alignH, 1);
}

TEST(Form1KeyCodes, WindowsStyleCodes) {
  auto code = [](int key, Qt::KeyboardModifiers mods, const QString& text) {
    QKeyEvent e(QEvent::KeyPress, key, mods, text);
    return WindowsKeyCode(&e);
  };
  EXPECT_EQ(code(Qt::Key_A, Qt::ControlModifier, "\x01"), 1);
  EXPECT_EQ(code(Qt::Key_Z, Qt::ControlModifier, ""), 26);
  EXPECT_EQ(code(Qt::Key_Escape, Qt::NoModifier, "\x1b"), 27);
  EXPECT_EQ(code(Qt::Key_F8, Qt::NoModifier, ""), 119);
  EXPECT_EQ(code(Qt::Key_F9, Qt::NoModifier, ""), 120);
  EXPECT_EQ(code(Qt::Key_Z, Qt::ShiftModifier, "Z"), 90);
  EXPECT_EQ(code(Qt::Key_Z, Qt::NoModifier, "z"), 122);
  EXPECT_EQ(code(Qt::Key_Plus, Qt::NoModifier, "+"), 43);
  EXPECT_EQ(code(Qt::Key_Shift, Qt::ShiftModifier, ""), 0);
  EXPECT_EQ(code(Qt::Key_Left, Qt::NoModifier, ""), 0);
}

}  // namespace
}  // namespace molvane
