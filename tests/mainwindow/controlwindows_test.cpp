// What the main window does with the control windows: their F8 and F9 line
// the dashboard up, a new panel opens over its view, and its running loop
// pauses at an autopilot entry that cannot run.
#include <QKeyEvent>

#include "../support/pressing.h"
#include "autopilot/autopilot.h"
#include "control/autopilotdialog.h"
#include "engine/bodies.h"
#include "mainwindow/toolhooks.h"
#include "mainwindow/viewwidget.h"
#include "windowset_support.h"

namespace molvane {
namespace {

using ControlWindowsTest = WindowSetFixture;

struct AlignCounter : FlagToolWindows {
  using FlagToolWindows::FlagToolWindows;
  int v = 0, h = 0;
  void alignVertically() override { ++v; }
  void alignHorizontally() override { ++h; }
};

TEST_F(ControlWindowsTest, ThePanelPassesF8AndF9ToTheDashboardAlignment) {
  auto tools = std::make_unique<AlignCounter>(*state);
  AlignCounter* counter = tools.get();
  form->setToolWindows(std::move(tools));
  form->boxSlots().addBox(BoxKind::Thrust);
  FormControlCenter* p = control->thrustPanel(1);
  ASSERT_NE(p, nullptr);
  QTest::keyRelease(p->Command1, Qt::Key_F8);
  QTest::keyRelease(p->boostButtons[0][0], Qt::Key_F9);
  EXPECT_EQ(counter->v, 1);
  EXPECT_EQ(counter->h, 1);
  // The lists and the angle boxes line the dashboard up too.
  QTest::keyRelease(p->Combo1, Qt::Key_F8);
  QTest::keyRelease(p->Combo2, Qt::Key_F9);
  QTest::keyRelease(p->Text1, Qt::Key_F8);
  QTest::keyRelease(p->Text2, Qt::Key_F9);
  EXPECT_EQ(counter->v, 3);
  EXPECT_EQ(counter->h, 3);
}

// A new panel belongs to the main window and opens over its view, clear of
// the menu bar; the place is the slot's record, and the main window's close
// frees the slot.
TEST_F(ControlWindowsTest, ANewPanelOpensOverTheView) {
  addBodies();
  EXPECT_EQ(form->boxSlots().addBox(BoxKind::Thrust), 1);
  FormControlCenter* p1 = control->thrustPanel(1);
  ASSERT_NE(p1, nullptr);
  EXPECT_EQ(p1->parentWidget(), form.get());
  const QRect view(form->viewWidget()->mapToGlobal(QPoint(0, 0)), form->viewWidget()->size());
  EXPECT_TRUE(view.contains(p1->pos()));
  EXPECT_EQ(state->thrustPanels[1].top, p1->pos().y() * 15);
  form->boxSlots().closeBoxWindow(BoxKind::Thrust, 1);
  EXPECT_FALSE(state->thrustPanels[1].inUse);
  QTest::qWait(10);
  EXPECT_EQ(control->thrustPanel(1), nullptr);
}

// A flight whose third entry thrusts a probe deleted since: the running
// loop pauses at that entry with one message that says when, what and why,
// and nothing is retried in silence. With the entry deleted in the editor
// the rest of the flight runs.
TEST_F(ControlWindowsTest, AFlightPausesOnceAtAnEntryThatCannotRunAndGoesOnWithoutIt) {
  addBodies();
  state->objname[4] = "Probe";
  state->objects = 4;
  state->timescale = 1;
  state->SecondsElapsed = 63113904000.0;  // 1 January 2000
  AutopilotFields thrust;
  thrust.word = "Thrust";
  thrust.object = "Probe";
  thrust.thrustRate = "1";
  const std::string words[] = {"Zoom 2x", "Clear Screen", "", "Zoom .5x", "Pause"};
  for (int k = 0; k < 5; ++k) {
    const std::string date = ComposeAutopilotDateField(2000, 1, 1, 0, 0, 10 * (k + 1));
    const std::string line =
        k == 2 ? ComposeAutopilotLine(date, thrust, 12000, 9000) : date + " " + AutopilotWordField(words[k]);
    InsertAutopilotCommand(*state, *form, line, AutopilotLineTime(line), "");
  }
  ArmAutopilot(*state);
  DeleteBody(*state, *form, 4);
  const double scale = state->ScalePixel;
  state->PausedFlag = true;
  form->PausePlay();  // play
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->PausedFlag; }, 5000));
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_TRUE(
      dialogs.messages()[0].starts_with("The autopilot entry of 01 01 2000 00:00:30 (Thrust Initiate) cannot "
                                        "run: Object names no body of the situation: \"Probe\"."))
      << dialogs.messages()[0];
  EXPECT_EQ(state->SecondsElapsed, 63113904030.0);
  EXPECT_GT(state->ScalePixel, scale);  // the first entry ran
  EXPECT_FALSE(state->ThrustActive);

  form->instruments().show(InstrumentWindow::AutoPilot, true);
  frmAutoPilot* dlg = control->autopilot().editor();
  ASSERT_NE(dlg, nullptr);
  ClickRow(dlg->ListOfCommands, 2);
  QTest::mouseClick(dlg->btnDelete, Qt::LeftButton);
  ASSERT_EQ(state->autopilotCount, 4);
  EXPECT_EQ(AutopilotLineWord(state->autopilot[3].line), "Zoom .5x");
  QTest::mouseClick(dlg->btnOK, Qt::LeftButton);
  form->PausePlay();  // play on
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->PausedFlag; }, 5000));
  EXPECT_EQ(state->SecondsElapsed, 63113904050.0);  // paused by the last entry
  EXPECT_DOUBLE_EQ(state->ScalePixel, scale);
  EXPECT_FALSE(state->autopilotState.armed);
  EXPECT_EQ(dialogs.messages().size(), 1u);
}

}  // namespace
}  // namespace molvane
