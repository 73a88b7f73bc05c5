// The caption editor: sizes from the caption's box, the font dialog, and OK
// applying the preview to the checked caption slot with its values relative
// to the caption reference width (what the main window's labels then show
// is tested in tests/mainwindow).
#include <QFontInfo>
#include <QPointer>
#include <QTest>

#include "../support/pressing.h"
#include "controlwin_support.h"
#include "ui/colours.h"

namespace molvane {
namespace {

class CaptionEditorTest : public ControlWinFixture {
 protected:
  frmAddCaption* open() {
    control->show(InstrumentWindow::AddCaption, false);
    return control->captionEditor();
  }
};

TEST_F(CaptionEditorTest, EmptyCaptionsGiveTheMinimumOnOpeningAndTheirOwnSizeOnChoosing) {
  frmAddCaption* e = open();
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->windowTitle(), "Add Caption");
  EXPECT_EQ(e->checkedSlot(), 1);
  EXPECT_EQ(e->widthTwips(), 6000);
  EXPECT_EQ(e->heightTwips(), 4000);
  EXPECT_EQ(e->size(), QSize(400, 267));
  EXPECT_EQ(e->Text1->geometry(), QRect(0, 120, 367, 113));
  // An empty slot keeps the dialog's size, and its caption starts readable
  // on the black view: white, in the dialog's font size.
  e->Option1[2]->click();
  EXPECT_EQ(e->checkedSlot(), 2);
  EXPECT_EQ(e->widthTwips(), 6000);
  EXPECT_EQ(e->heightTwips(), 4000);
  EXPECT_EQ(e->Text1->palette().color(QPalette::Text), QColor(255, 255, 255));
  EXPECT_EQ(e->Text1->font().pointSizeF(), QFontInfo(e->font()).pointSizeF());
  QTest::keyClicks(e->Text1, "Hi");
  QTest::mouseClick(e->btnOK, Qt::LeftButton);
  EXPECT_EQ(state->captions[2].foreColor, ColourWhite);
  EXPECT_GT(state->captions[2].fontSize, 0);
  e = open();
  // A caption with a box: the dialog is the box in twips plus the margins.
  CaptionSlot& c = state->captions[3];
  c.caption = "Hello";
  c.width = 200;
  c.height = 40;
  c.fontSize = 14;
  c.foreColor = 0x0000FF;
  e->Option1[3]->click();
  EXPECT_EQ(e->widthTwips(), 3500);
  EXPECT_EQ(e->heightTwips(), 2900);
  EXPECT_EQ(e->Text1->toPlainText(), "Hello");
  EXPECT_EQ(e->Text1->font().pointSizeF(), 14);
  EXPECT_EQ(e->Text1->palette().color(QPalette::Text), QColor(255, 0, 0));
}

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
  const double b = fake->captionReferenceWidth();
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
}

// Out of view: back to the corner; in view, however near the right or
// bottom edge of the drawing area: kept.
TEST_F(CaptionEditorTest, OkPullsACaptionOutOfViewBackToTheCorner) {
  const QSize view = fake->captionLabel(1)->parentWidget()->size();
  const std::vector<QPointF> out({{-5, 10}, {10, -1}, {5000, 10}, {10, 5000}}),
      in({{view.width() - 5.0, 10}, {10, view.height() - 5.0}, {view.width() * 0.96, view.height() * 0.96}});
  for (bool kept : {false, true}) {
    for (const QPointF& place : kept ? in : out) {
      state->captions[1].left = static_cast<float>(place.x());
      state->captions[1].top = static_cast<float>(place.y());
      frmAddCaption* e = open();
      e->Text1->setPlainText("x");
      QTest::mouseClick(e->btnOK, Qt::LeftButton);
      EXPECT_EQ(state->captions[1].left, kept ? static_cast<float>(place.x()) : 0) << place.x();
      EXPECT_EQ(state->captions[1].top, kept ? static_cast<float>(place.y()) : 0) << place.y();
      QTest::qWait(1);
    }
  }
}

// Each button pressed once in this order on the editor open at the time or
// a fresh one, its text "typed" on opening: the options show their slots'
// captions, Font asks for a font, OK applies the text to the checked slot.
TEST_F(CaptionEditorTest, EachButtonDoesItsOwnPart) {
  for (int k = 1; k <= 4; ++k) state->captions[k].caption = "slot " + std::to_string(k);
  QPointer<frmAddCaption> e;  // closed, it is deleted later
  const auto look = [&]() -> Look {
    Look l({"open=" + Flag(e->isVisible()), "preview=" + e->Text1->toPlainText().toStdString(),
            "fonts=" + std::to_string(dialogs.fontRequests().size())});
    for (int k = 1; k <= 4; ++k) l.push_back("caption" + std::to_string(k) + "=" + state->captions[k].caption);
    return l;
  };
  const char* rows[][3] = {{"Option1", "3", "preview=slot 3"},    {"Option1", "4", "preview=slot 4"},
                           {"Option1", "1", "preview=slot 1"},    {"Option1", "2", "preview=slot 2"},
                           {"Command1", "", "fonts=1"},           {"btnCancel", "", "open=0"},
                           {"btnOK", "", "open=0 caption1=typed"}};
  for (auto [button, caption, changes] : rows) {
    SCOPED_TRACE(std::string(button) + caption);
    if (!e || !e->isVisible()) e = open(), e->Text1->setPlainText("typed");
    const Look before = look();
    ASSERT_TRUE(Press(e, button, caption));
    EXPECT_EQ(Changes(before, look()), changes);
  }
}

}  // namespace
}  // namespace molvane
