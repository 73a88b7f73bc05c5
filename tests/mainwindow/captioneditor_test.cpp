// The caption editor's OK on the main window: the caption shows on its
// label, in its box and colour, and an empty caption keeps its label.
#include <QTest>

#include "ui/colours.h"
#include "windowset_support.h"

namespace molvane {
namespace {

class CaptionEditorTest : public WindowSetFixture {
 protected:
  frmAddCaption* open() {
    form->instruments().show(InstrumentWindow::AddCaption, false);
    return control->captionEditor();
  }
};

TEST_F(CaptionEditorTest, OkAppliesThePreviewToTheCheckedSlot) {
  frmAddCaption* e = open();
  QFont serif("Serif");
  serif.setPointSizeF(12);
  serif.setBold(true);
  serif.setStrikeOut(true);
  dialogs.answerFont(serif);
  dialogs.answerColour(ColourFromValue(0x00FF00));
  e->Option1[2]->click();
  e->Command1_Click();
  // The dialog opened on the slot's font, whose size 0 keeps the base size.
  EXPECT_EQ(dialogs.fontRequests().at(0).pointSizeF(), QFont().pointSizeF());
  EXPECT_EQ(e->previewFont().name, "Serif");
  e->Text1->setPlainText("Inner\nplanets");
  e->setSizeTwips(3500, 2900);
  state->captions[2].left = 30;
  state->captions[2].top = 40;
  const double b = form->captionReferenceWidth();
  e->btnOK_Click();

  const CaptionSlot& c = state->captions[2];
  EXPECT_EQ(c.caption, "Inner\r\nplanets");
  EXPECT_EQ(c.fontName, "Serif");
  EXPECT_EQ(c.fontSize, 12);
  EXPECT_TRUE(c.bold);
  EXPECT_TRUE(c.strikethru);
  EXPECT_EQ(c.foreColor, 0x00FF00);
  EXPECT_EQ(c.left, 30);  // in view: kept
  EXPECT_EQ(c.top, 40);
  EXPECT_EQ(c.width, 200);
  EXPECT_EQ(c.height, 40);
  EXPECT_FLOAT_EQ(c.relFontSize, static_cast<float>(12 / b));
  EXPECT_FLOAT_EQ(c.relLeft, static_cast<float>(30 / b));
  EXPECT_FLOAT_EQ(c.relTop, static_cast<float>(40 / b));
  EXPECT_FLOAT_EQ(c.relWidth, static_cast<float>(200 / b));
  EXPECT_FLOAT_EQ(c.relHeight, static_cast<float>(40 / b));
  QLabel* l = form->captionLabel(2);
  EXPECT_EQ(l->geometry(), QRect(30, 40, 200, 40));
  EXPECT_TRUE(l->isVisibleTo(form.get()));
  EXPECT_EQ(l->palette().color(QPalette::WindowText), ColourFromValue(0x00FF00));
  QTest::qWait(10);
  EXPECT_EQ(control->captionEditor(), nullptr);  // closed
}

TEST_F(CaptionEditorTest, CancelAndACancelledFontDialogChangeNothing) {
  CaptionSlot& c = state->captions[1];
  c.caption = "Keep";
  c.fontSize = 10;
  c.width = 100;
  c.height = 20;
  const CaptionSlot before = c;
  frmAddCaption* e = open();
  dialogs.answerFont(std::nullopt);
  e->Command1_Click();
  EXPECT_EQ(e->previewFont().size, 10);
  e->Text1->setPlainText("Changed");
  e->btnCancel_Click();
  EXPECT_EQ(c.caption, before.caption);
  EXPECT_EQ(c.width, before.width);
  EXPECT_EQ(c.relWidth, 0);
  // An empty text is applied as an empty caption that keeps its box.
  e = open();
  e->Text1->setPlainText("");
  e->btnOK_Click();
  EXPECT_EQ(c.caption, "");
  EXPECT_EQ(c.width, 100);
  EXPECT_TRUE(form->captionLabel(1)->isVisibleTo(form.get()));
}

}  // namespace
}  // namespace molvane
