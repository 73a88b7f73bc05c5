// The caption labels of the main view: their box in the view's pixels,
// drag, double-click into the editor, and re-placing on resize.
#include <QApplication>
#include <QMouseEvent>

#include "autopilot/autopilot.h"
#include "autopilot/autopilot_line.h"
#include "windowset_support.h"

namespace molvane {
namespace {

class CaptionLabelsTest : public WindowSetFixture {
 protected:
  // Caption 1 at (100, 50), 200 by 30 pixels, its relative values set.
  CaptionSlot& placeCaption() {
    CaptionSlot& c = state->captions[1];
    c.caption = "Inner planets";
    c.fontSize = 12;
    c.left = 100;
    c.top = 50;
    c.width = 200;
    c.height = 30;
    form->setCaptionLabel(1);  // as a situation reader does
    return c;
  }
  void mouse(QEvent::Type type, int k, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    QLabel* l = form->captionLabel(k);
    QMouseEvent e(type, QPointF(pos), l->mapToGlobal(QPointF(pos)), button,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
    QApplication::sendEvent(l, &e);
  }
};

TEST_F(CaptionLabelsTest, TheBoxIsInPixelsAndTheReadersSetTheRelativeValues) {
  CaptionSlot& c = placeCaption();
  const double b = form->captionReferenceWidth();
  EXPECT_EQ(form->captionLabel(1)->geometry(), QRect(100, 50, 200, 30));
  EXPECT_FLOAT_EQ(c.relLeft, static_cast<float>(100 / b));
  EXPECT_FLOAT_EQ(c.relHeight, static_cast<float>(30 / b));
  EXPECT_FLOAT_EQ(c.relFontSize, static_cast<float>(12 / b));
  // A resize of the height only moves nothing; a wider window scales all.
  form->resize(800, 700);
  QTest::qWait(20);
  EXPECT_EQ(form->captionLabel(1)->geometry(), QRect(100, 50, 200, 30));
  form->resize(1000, 700);
  QTest::qWait(20);
  const double scale = form->captionReferenceWidth() / b;
  EXPECT_GT(scale, 1.2);
  EXPECT_NEAR(form->captionLabel(1)->x(), 100 * scale, 1.0);
  EXPECT_NEAR(form->captionLabel(1)->height(), 30 * scale, 1.0);
  EXPECT_NEAR(c.fontSize, 12 * scale, 0.01);
  // Captions a file places wholly beyond one edge come back without
  // covering each other.
  for (int k : {2, 3}) {
    state->captions[k].caption = "Far " + std::to_string(k);
    state->captions[k].left = 5000;
    state->captions[k].top = 5000;
    state->captions[k].width = 120;
    state->captions[k].height = 25;
    form->setCaptionLabel(k);
  }
  EXPECT_FALSE(form->captionLabel(2)->geometry().intersects(form->captionLabel(3)->geometry()));
  EXPECT_TRUE(form->captionLabel(2)->parentWidget()->rect().contains(form->captionLabel(3)->geometry()));
  state->captions[2].caption.clear();
  state->captions[3].caption.clear();
  // A slot never placed gets a zero-sized label at the top-left corner.
  state->captions[4].caption = "x";
  state->captions[4].left = 70;
  state->captions[4].width = 50;
  form->captionLabels().rescaleCaptions();
  EXPECT_EQ(form->captionLabel(4)->geometry(), QRect(0, 0, 0, 0));
}

TEST_F(CaptionLabelsTest, ADragMovesTheCaptionWithThePointerAndKeepsItThroughResize) {
  CaptionSlot& c = placeCaption();
  mouse(QEvent::MouseButtonPress, 1, {10, 10}, Qt::RightButton);  // any button drags
  EXPECT_TRUE(form->captionLabels().captionDragging());
  // Straight down within a pixel of the grab column: the label stays.
  mouse(QEvent::MouseMove, 1, {11, 25}, Qt::RightButton);
  EXPECT_EQ(c.left, 100);
  EXPECT_EQ(c.top, 50);
  mouse(QEvent::MouseMove, 1, {30, 15}, Qt::RightButton);
  EXPECT_EQ(c.left, 120);
  EXPECT_EQ(c.top, 55);
  EXPECT_EQ(form->captionLabel(1)->pos(), QPoint(120, 55));
  const double b = form->captionReferenceWidth();
  EXPECT_FLOAT_EQ(c.relLeft, static_cast<float>(120 / b));
  EXPECT_FLOAT_EQ(c.relTop, static_cast<float>(55 / b));
  mouse(QEvent::MouseButtonRelease, 1, {30, 15}, Qt::RightButton);
  EXPECT_FALSE(form->captionLabels().captionDragging());
  const double w = form->view().screenWidthPixels();
  EXPECT_FLOAT_EQ(form->captionLabels().captionLeftFraction(), static_cast<float>(120 / w));
  EXPECT_FLOAT_EQ(form->captionLabels().captionTopFraction(), static_cast<float>(55 / w));
  // No drag in progress: moves do nothing.
  mouse(QEvent::MouseMove, 1, {80, 80});
  EXPECT_EQ(c.left, 120);

  form->resize(1200, 600);
  QTest::qWait(20);
  EXPECT_NEAR(form->captionLabel(1)->x(), 120 * form->captionReferenceWidth() / b, 1.0);
}

TEST_F(CaptionLabelsTest, DoubleClickOpensTheEditorOnThatCaptionAndSwitchesSlots) {
  CaptionSlot& c = placeCaption();
  c.width = 300;
  c.height = 10;
  state->captions[2].caption = "Second";
  state->captions[2].width = 100;
  state->captions[2].height = 100;
  form->captionLabels().applyCaptions();
  mouse(QEvent::MouseButtonDblClick, 1, {5, 5});
  frmAddCaption* e = control->captionEditor();
  ASSERT_NE(e, nullptr);
  EXPECT_TRUE(e->isVisible());
  EXPECT_EQ(e->checkedSlot(), 1);
  EXPECT_EQ(e->widthTwips(), 300 * 15 + 500);
  EXPECT_EQ(e->heightTwips(), 10 * 15 + 2300);  // no minimum
  EXPECT_EQ(e->Text1->toPlainText(), "Inner planets");
  e->Text1->setPlainText("unconfirmed");
  mouse(QEvent::MouseButtonDblClick, 2, {5, 5});
  EXPECT_EQ(control->captionEditor(), e);
  EXPECT_EQ(e->checkedSlot(), 2);
  EXPECT_EQ(e->Text1->toPlainText(), "Second");
  EXPECT_EQ(c.caption, "Inner planets");
}

}  // namespace
}  // namespace molvane

namespace molvane {
namespace {

// The autopilot's Caption command, the labels and the editor agree on the
// box: position in view pixels, size from twips to pixels.
TEST_F(CaptionLabelsTest, AnAutopilotCaptionLandsInPixelsAndTheEditorSizesFromIt) {
  AutopilotFields f;
  f.word = "Caption";
  f.caption.slot = 3;
  f.caption.fontName = "Serif";
  f.caption.fontSize = 12;
  f.caption.left = 40;
  f.caption.top = 30;
  f.caption.width = 3000;  // twips
  f.caption.height = 450;
  f.caption.text = "Arrival";
  const double w = form->mainWindowWidthTwips(), h = form->mainWindowHeightTwips();
  state->autopilotState.nextLine = ComposeAutopilotLine(ComposeAutopilotDateField(2000, 1, 1, 0, 0, 0), f, w, h);
  state->autopilotState.armed = true;
  state->autopilotState.cursor = 1;
  state->autopilotCount = 1;
  state->autopilotState.nextTime = AutopilotLineTime(state->autopilotState.nextLine);
  state->autopilot[1] = {state->autopilotState.nextLine, state->autopilotState.nextTime, ""};
  ASSERT_EQ(RunAutopilotCommand(*state, *form, *form), AutopilotRun::Done) << state->autopilotState.nextLine;
  QLabel* l = form->captionLabel(3);
  EXPECT_EQ(l->text(), "Arrival");
  EXPECT_NEAR(l->x(), 40, 1);
  EXPECT_NEAR(l->y(), 30, 1);
  EXPECT_NEAR(l->width(), 200, 1);
  EXPECT_NEAR(l->height(), 30, 1);
  const double b = form->captionReferenceWidth();
  EXPECT_NEAR(state->captions[3].relWidth * b, state->captions[3].width, 1e-3);
  mouse(QEvent::MouseButtonDblClick, 3, {2, 2});
  ASSERT_NE(control->captionEditor(), nullptr);
  EXPECT_NEAR(control->captionEditor()->widthTwips(), 3500, 20);
}

}  // namespace
}  // namespace molvane
