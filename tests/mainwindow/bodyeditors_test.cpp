// What the main window does with the body editors: its Edit Object item
// opens the dialog afresh on the focus body, the rotating-period dialog ticks
// the menu item, and keys the dialog does not keep run the main window's
// commands.
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>

#include "editors/objedit.h"
#include "editors/rotatingperiod.h"
#include "mainwindow/menus.h"
#include "windowset_support.h"

namespace molvane {
namespace {

class BodyEditorsOnMainWindow : public WindowSetFixture {
 protected:
  frmRotatingPeriod& open() {
    editors->show(InstrumentWindow::RotatingPeriod, true);
    return *editors->bodyEditors().rotatingPeriod();
  }
  // Closed windows are deleted later: let that happen.
  static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

using ObjEditOnMainWindow = BodyEditorsOnMainWindow;
using RotatingPeriodOnMainWindow = BodyEditorsOnMainWindow;

TEST_F(ObjEditOnMainWindow, TheMenuReopensAfreshAndThePopupKeepsTheOpenBody) {
  addBodies(3);
  form->EditObjMnu_Click();  // focus body 1
  ASSERT_TRUE(editors->isShown(InstrumentWindow::ObjEdit));
  EXPECT_EQ(editors->bodyEditors().objEdit()->EditedIndex, 1);
  state->ObjEditTarget = 3;
  editors->show(InstrumentWindow::ObjEdit, false);
  EXPECT_EQ(editors->bodyEditors().objEdit()->EditedIndex, 1);
  state->focusobj = 2;
  form->EditObjMnu_Click();
  settle();
  EXPECT_EQ(editors->bodyEditors().objEdit()->EditedIndex, 2);
  editors->close(InstrumentWindow::ObjEdit);
  EXPECT_FALSE(editors->isShown(InstrumentWindow::ObjEdit));
  EXPECT_EQ(editors->bodyEditors().objEdit(), nullptr);
}

TEST_F(RotatingPeriodOnMainWindow, OkAndCancelCloseKeepingWhatWasChanged) {
  frmRotatingPeriod& d = open();
  d.Option3->setChecked(true);
  EXPECT_TRUE(state->RotatingFrame.on);
  EXPECT_TRUE(form->menus().rotatingFrame->isChecked());
  d.Option2->setChecked(true);
  d.TextRotatePeriod->setText("4242");
  d.Command10_Click();
  EXPECT_FALSE(state->rotatingperiodloaded);
  EXPECT_TRUE(state->RotatingFrame.on);
  EXPECT_FALSE(state->RotatingFrame.clockwise);
  EXPECT_EQ(state->RotatingFrame.period, 4242);
  settle();
  frmRotatingPeriod& e = open();
  e.Option4->setChecked(true);
  e.Command9_Click();
  EXPECT_FALSE(state->RotatingFrame.on);
  EXPECT_FALSE(form->menus().rotatingFrame->isChecked());
}

// Keys typed into the period box and the body list stay there; the other
// controls pass them on to the main window's commands (Esc: full screen),
// and Esc in the dropped body list only closes the list.
TEST_F(RotatingPeriodOnMainWindow, OnlyThePeriodBoxAndTheBodyListKeepTheirKeys) {
  addBodies(2);
  frmRotatingPeriod& d = open();
  for (QWidget* keeps : {static_cast<QWidget*>(d.TextRotatePeriod), static_cast<QWidget*>(d.ComboRotatingObject)}) {
    QTest::keyClick(keeps, Qt::Key_Escape);
    EXPECT_TRUE(form->windowStyle().titlebar());
  }
  d.ComboRotatingObject->showPopup();
  QTest::keyClick(d.ComboRotatingObject->view(), Qt::Key_Escape);
  EXPECT_FALSE(d.ComboRotatingObject->view()->isVisible());
  EXPECT_TRUE(form->windowStyle().titlebar());
  QTest::keyClick(d.Option1, Qt::Key_Escape);
  EXPECT_FALSE(form->windowStyle().titlebar());
  QTest::keyClick(d.Command10, Qt::Key_Escape);
  EXPECT_TRUE(form->windowStyle().titlebar());
}

}  // namespace
}  // namespace molvane
