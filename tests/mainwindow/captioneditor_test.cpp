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

// OK shows the caption on its label, in its box and colour; an empty caption
// keeps its label.
TEST_F(CaptionEditorTest, OkShowsTheCaptionOnItsLabel) {
  frmAddCaption* e = open();
  QFont serif("Serif");
  serif.setPointSizeF(12);
  dialogs.answerFont(serif);
  dialogs.answerColour(ColourFromValue(0x00FF00));
  e->Option1[2]->click();
  e->Command1_Click();
  e->Text1->setPlainText("Inner\nplanets");
  e->setSizeTwips(3500, 2900);
  state->captions[2].left = 30;
  state->captions[2].top = 40;
  e->btnOK_Click();
  QLabel* l = form->captionLabel(2);
  EXPECT_EQ(l->geometry(), QRect(30, 40, 200, 40));
  EXPECT_TRUE(l->isVisibleTo(form.get()));
  EXPECT_EQ(l->palette().color(QPalette::WindowText), ColourFromValue(0x00FF00));

  CaptionSlot& c = state->captions[1];
  c.caption = "Keep";
  c.width = 100;
  c.height = 20;
  e = open();
  e->Text1->setPlainText("");
  e->btnOK_Click();
  EXPECT_TRUE(form->captionLabel(1)->isVisibleTo(form.get()));
}

}  // namespace
}  // namespace molvane
