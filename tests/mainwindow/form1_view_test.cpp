// View commands of the main window: zoom, tilt bars, floating focus pick,
// resize with captions, label popup, window style.
#include <QTest>
#include <cfloat>
#include <cmath>

#include "engine/bodies.h"
#include "form1_support.h"
#include "mainwindow/viewwidget.h"
#include "ui/windowstyle.h"

namespace molvane {
namespace {

class Form1View : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    makeForm();
    addBodies(2);
    form->resize(800, 600);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
};

TEST_F(Form1View, ZoomNeverReachesZeroDenormalOrInfinity) {
  state->ScalePixel = DBL_MAX;
  form->zoomIn();
  EXPECT_EQ(state->ScalePixel, DBL_MAX);
  state->ScalePixel = DBL_MIN;  // smallest normal: a further step would be denormal
  form->zoomOut();
  EXPECT_EQ(state->ScalePixel, DBL_MIN);
  state->ScalePixel = 1e-9;
  form->zoomIn();
  EXPECT_DOUBLE_EQ(state->ScalePixel, 1.5e-9);
  EXPECT_DOUBLE_EQ(form->visibleWidthKm(), form->view().screenWidthPixels() / 1.5e-9 / 1000);
  EXPECT_EQ(state->objlastx[1], -1000);
}

TEST_F(Form1View, TiltBarsAndCentreButton) {
  EXPECT_FLOAT_EQ(form->view().verticalTilt(), -1.0f);
  EXPECT_EQ(form->view().verticalFlipSign(), -1);
  form->hscroll1()->setValue(5000);
  EXPECT_DOUBLE_EQ(form->view().horizontalTilt(), 0.5);
  EXPECT_DOUBLE_EQ(form->view().horizontalFlipSign(), -0.5);
  QTest::mouseClick(form->centerBtn(), Qt::LeftButton);
  EXPECT_EQ(form->hscroll1()->value(), 0);
  EXPECT_EQ(form->vscroll1()->value(), 0);
  EXPECT_EQ(form->view().verticalFlipSign(), 0);
}

TEST_F(Form1View, ResizeRecentresAndLaysOutTheBars) {
  form->resize(900, 700);
  QTest::qWait(20);
  const QWidget* v = form->viewWidget();
  EXPECT_EQ(form->view().screenWidthPixels(), v->width());
  EXPECT_EQ(form->view().screenHeightPixels(), v->height());
  EXPECT_EQ(state->ScreenCentreX, v->width() / 2.0);
  EXPECT_EQ(state->ScreenCentreY, v->height() / 2.0);
  EXPECT_EQ(form->view().canvas().size(), v->size());
  EXPECT_EQ(form->vscroll1()->geometry().right(), v->width() - 1);
  EXPECT_EQ(form->hscroll1()->geometry().bottom(), v->height() - 1);
  EXPECT_EQ(form->centerBtn()->pos(), QPoint(form->vscroll1()->x(), form->hscroll1()->y()));
}

TEST_F(Form1View, CaptionsScaleWithTheWindowWidthOnly) {
  CaptionSlot& c = state->captions[1];
  c.caption = "Inner planets";
  const double b = form->captionReferenceWidth();
  c.relFontSize = static_cast<float>(12 / b);
  c.relLeft = static_cast<float>(100 / b);
  c.relTop = static_cast<float>(50 / b);
  c.relWidth = static_cast<float>(200 / b);
  c.relHeight = static_cast<float>(20 / b);
  form->captionLabels().rescaleCaptions();
  EXPECT_NEAR(c.left, 100, 0.01);
  EXPECT_EQ(form->captionLabel(1)->pos(), QPoint(100, 50));
  EXPECT_TRUE(form->captionLabel(1)->isVisibleTo(form.get()));
  EXPECT_FALSE(form->captionLabel(2)->isVisibleTo(form.get()));

  form->resize(form->width(), form->height() + 100);  // height only: nothing moves
  QTest::qWait(20);
  EXPECT_EQ(form->captionLabel(1)->pos(), QPoint(100, 50));
  const int w = form->frameGeometry().width();
  form->resize(form->width() * 2, form->height());
  QTest::qWait(20);
  const double scale = form->captionReferenceWidth() / b;
  EXPECT_GT(form->frameGeometry().width(), w);
  EXPECT_NEAR(form->captionLabel(1)->x(), 100 * scale, 1.0);
  EXPECT_NEAR(c.fontSize, 12 * scale, 0.01);
}

TEST_F(Form1View, FloatingFocusPickPlacesTheFloatingPoint) {
  QTest::mouseClick(form->viewWidget(), Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_EQ(state->focusobj, 1);  // not armed: nothing happens

  state->PickFloatingFocus = true;
  state->ScalePixel = 1e-9;
  state->OffsetX = 0;
  state->OffsetY = 0;
  const QSize size = form->view().canvas().size();
  const QPoint at(size.width() / 2 - 100, size.height() / 2 + 50);
  QTest::mouseClick(form->viewWidget(), Qt::LeftButton, {}, at);
  EXPECT_EQ(state->focusobj, 0);
  EXPECT_EQ(state->PreviousFocusObj, 1);
  EXPECT_EQ(state->objname[0], "Floating");
  EXPECT_NEAR(state->objx[0], 1e11, 1e9);  // within a pixel  // left of centre is +x
  EXPECT_NEAR(state->objy[0], 5e10, 1e9);  // below is +y
  EXPECT_EQ(state->objvy[0], state->objvy[1]);

  // Projected with the view as it was, the point is under the mouse; drawn
  // next, the view centres on it.
  double x, y;
  ASSERT_TRUE(form->view().projectBody(0, x, y));
  EXPECT_NEAR(x, at.x(), 1.0);
  EXPECT_NEAR(y, at.y(), 1.0);
  form->plot();
  ASSERT_TRUE(form->view().projectBody(0, x, y));
  EXPECT_NEAR(x, state->ScreenCentreX, 0.5);
  EXPECT_NEAR(y, state->ScreenCentreY, 0.5);
}

TEST_F(Form1View, RightClickOnALabelOpensItsPopup) {
  state->trails = true;
  form->LabelsOnOff();
  form->plot();
  const QRectF r = form->view().labelRect(2);
  ASSERT_TRUE(r.isValid());
  // The click belongs to the label: the armed pick does not move the focus,
  // and the popup opens when the right button comes up.
  state->PickFloatingFocus = true;
  QTest::mouseClick(form->viewWidget(), Qt::LeftButton, {}, r.center().toPoint());
  EXPECT_EQ(state->focusobj, 1);
  QTest::mousePress(form->viewWidget(), Qt::RightButton, {}, r.center().toPoint());
  EXPECT_EQ(tools->popups, 0);
  QTest::mouseRelease(form->viewWidget(), Qt::RightButton, {}, r.center().toPoint());
  EXPECT_EQ(state->focusobj, 1);
  EXPECT_EQ(tools->popups, 1);
  EXPECT_EQ(tools->lastPopup, 2);
  QTest::mouseClick(form->viewWidget(), Qt::RightButton, {}, QPoint(2, 2));
  EXPECT_EQ(tools->popups, 1);
}

TEST_F(Form1View, LabelsFollowRenamesAndDeletions) {
  addBodies(3);
  form->LabelsOnOff();
  state->trails = true;
  form->plot();
  const double left = form->view().labels()[2].left;
  state->objname[2] = "Renamed";
  form->refreshObjectLists();
  EXPECT_EQ(form->view().labels()[2].text, "Renamed");
  EXPECT_EQ(form->view().labels()[2].left, left);  // stays where it was drawn

  DeleteBody(*state, *form, 1);  // the engine rebuilds the labels through the host
  ASSERT_EQ(state->objects, 2);
  ASSERT_EQ(form->view().labels().size(), 3u);
  EXPECT_EQ(form->view().labels()[1].text, "Renamed");
  EXPECT_EQ(form->view().labels()[1].left, -100);  // parked until the next drawing
}

TEST_F(Form1View, RotatingFrameAndExaggerationResetTheDrawing) {
  form->plot();
  state->trails = false;
  form->plot();
  EXPECT_NE(state->objlastx[1], -1000);
  form->RotatingFrameOnOff();
  EXPECT_TRUE(state->RotatingFrame.on);
  EXPECT_EQ(state->objlastx[1], -1000);
  form->plot();
  form->ExaggerateObjectSizeOnOff();
  EXPECT_TRUE(state->ExaggerateObjectSizeOn);
  EXPECT_EQ(state->objlastx[1], -1000);
}

TEST(Form1WindowStyle, TitlebarAndPackedPoint) {
  EXPECT_EQ(WindowStyle::MakeLong(200, 100), 0xC80064);
  EXPECT_EQ(WindowStyle::MakeLong(-1, -1), -1);
  WindowStyle none;
  EXPECT_FALSE(none.titlebar());
  EXPECT_EQ(none.hWnd(), 0u);
  none.setTitlebar(true);  // no client: no effect

  QWidget w;
  w.setGeometry(50, 60, 300, 200);
  w.show();
  WindowStyle style;
  style.setClient(&w);
  EXPECT_TRUE(style.titlebar());
  style.setTitlebar(false);
  EXPECT_FALSE(style.titlebar());
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.size(), QSize(300, 200));
  style.setTitlebar(true);
  EXPECT_TRUE(style.titlebar());
}

}  // namespace
}  // namespace molvane
