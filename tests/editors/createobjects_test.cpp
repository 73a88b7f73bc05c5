// The Create Objects dialog: names, the spread draw, placement on orbits
// and the limit of the body table.
#include "editors/createobjects.h"

#include <QPointer>
#include <QTest>
#include <cmath>

#include "../support/pressing.h"
#include "bodyeditors_support.h"
#include "engine/numtext.h"
#include "engine/orbits.h"

namespace molvane {
namespace {

class CreateObjectsTest : public BodyEditorsFixture {
 protected:
  frmCreateMultipleObjects& open() {
    editors->show(InstrumentWindow::CreateObjects, true);
    return *editors->createObjects();
  }
};

TEST(CreateObjectsNames, NumberSuffixIgnoresCaseAndExactMatchesAppendB) {
  State s;
  s.objname[1] = "Sun";
  s.objname[2] = "object";
  EXPECT_EQ(NewBodyName(s, "Object", 3), "Object 3");
  EXPECT_EQ(NewBodyName(s, "Comet", 3), "Comet");
  s.objname[3] = "Object 5";
  s.objname[4] = "Object 5b";
  EXPECT_EQ(NewBodyName(s, "Object", 5), "Object 5bb");
  // A match below the point where the name grew is not met again.
  s.objname[2] = "Xb";
  s.objname[3] = "X";
  EXPECT_EQ(NewBodyName(s, "X", 5), "X 5");
}

TEST(CreateObjectsDraw, TheSpreadIsAPercentageOfTheMean) {
  EXPECT_DOUBLE_EQ(SpreadDraw(10, 0, 0.3), 10);
  EXPECT_DOUBLE_EQ(SpreadDraw(10, 100, 0), 20);
  EXPECT_NEAR(SpreadDraw(10, 100, 0.999999f), 0, 1e-4);
  EXPECT_DOUBLE_EQ(SpreadDraw(10, 50, 0.25), 12.5);
  EXPECT_DOUBLE_EQ(SpreadDraw(0, 50, 0.25), 0);
}

TEST_F(CreateObjectsTest, LoadsWithTheFocusBodyAndTheDesignValues) {
  addBodies(2);
  state->focusobj = 2;
  frmCreateMultipleObjects& d = open();
  EXPECT_TRUE(state->createmultipleobjectsloaded);
  EXPECT_EQ(d.Combo1->currentText(), "Body2");
  EXPECT_EQ(d.Combo1->count(), 2);
  EXPECT_EQ(d.Text3->text(), "1");
  EXPECT_EQ(d.Text18->text(), "Object");
  EXPECT_TRUE(d.smaUnits[2]->isChecked());
  d.btnCancel_Click();
  EXPECT_FALSE(state->createmultipleobjectsloaded);
  EXPECT_EQ(state->objects, 2);
  settle();
  state->focusobj = 0;
  EXPECT_EQ(open().Combo1->currentText(), "Floating");
}

TEST_F(CreateObjectsTest, CreatesTheWholeCountOnCircularOrbitsInPerStepUnits) {
  addBodies(1);
  state->timescale = 10;
  editors->randomSource = [] { return 0.25f; };
  frmCreateMultipleObjects& d = open();
  d.Combo1->setEditText("Body1");
  d.Text3->setText("2.7");
  d.Text4->setText("2");  // Earth masses, spread 50 %: 2 + 2 * 0.5 * 0.5
  d.Text5->setText("50");
  d.smaUnits[1]->setChecked(true);
  d.Text6->setText("40000");  // km, circular
  d.Text17->setText("10");    // km
  d.Text10->setText("90");
  d.Text11->setText("0");
  d.Text14->setText("0");
  d.Text12->setText("0");
  ASSERT_TRUE(d.Command1_Click());
  settle();
  EXPECT_EQ(state->objects, 3);
  EXPECT_EQ(editors->createObjects(), nullptr);
  EXPECT_FALSE(state->createmultipleobjectsloaded);
  EXPECT_EQ(state->objname[2], "Object");
  EXPECT_EQ(state->objname[3], "Object 3");
  for (int n : {2, 3}) {
    EXPECT_EQ(state->objref[n], "Body1");
    EXPECT_EQ(state->objrefindex[n], 1);
    EXPECT_DOUBLE_EQ(state->objmass[n], 2.5 * 100);
    EXPECT_DOUBLE_EQ(state->objsize[n], 10000);
    EXPECT_DOUBLE_EQ(state->objasc[n], GetPi() / 2);  // radians for the placement
    const double dx = state->objx[n] - state->objx[1], dy = state->objy[n] - state->objy[1],
                 dz = state->objz[n] - state->objz[1];
    EXPECT_NEAR(std::sqrt(dx * dx + dy * dy + dz * dz), 4e7, 1);
    EXPECT_FALSE(state->objthruston[n]);
  }
  EXPECT_EQ(state->NewBodyMass, 0);
}

TEST_F(CreateObjectsTest, RefusesAGroupThatWouldPassTheLastBody) {
  addBodies(1);
  state->objects = MaxBodies - 1;
  frmCreateMultipleObjects& d = open();
  d.Text6->setText("1");
  d.Text3->setText("2");
  EXPECT_FALSE(d.Command1_Click());
  EXPECT_EQ(state->objects, MaxBodies - 1);
  EXPECT_TRUE(editors->isShown(InstrumentWindow::CreateObjects));
  ASSERT_FALSE(dialogs.messages().empty());
  d.Text3->setText("1e999");
  EXPECT_FALSE(d.Command1_Click());
  d.Text3->setText("1");
  EXPECT_TRUE(d.Command1_Click());
  EXPECT_EQ(state->objects, MaxBodies);
}

// Over two bodies of one name and a nameless one, two bodies asked for with
// one box as typed in each row: none is added, the dialog stays open and
// says which field. The spread row draws a negative mass for the second body
// only, so the first one goes again too.
TEST_F(CreateObjectsTest, BodiesThatCannotBePlacedAreNotAdded) {
  addBodies(3);
  state->objname[2] = "Body1";
  state->objname[3] = "";
  int draws = 0;
  editors->randomSource = [&draws] { return draws++ < 8 ? 0.5f : 0.9f; };
  using Box = QLineEdit* frmCreateMultipleObjects::*;
  const struct {
    Box box;
    const char *typed, *field;
    bool barycenter = false;
  } rows[] = {{&frmCreateMultipleObjects::Text6, "0", "Semi-major axis"},
              {&frmCreateMultipleObjects::Text6, "-10000", "Semi-major axis"},
              {&frmCreateMultipleObjects::Text6, "1e400", "Semi-major axis", true},
              {&frmCreateMultipleObjects::Text4, "-1", "Mass"},
              {&frmCreateMultipleObjects::Text5, "150", "Mass", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    draws = 0;
    frmCreateMultipleObjects& d = open();
    if (row.barycenter)
      QTest::mouseClick(d.OptionBarycenter, Qt::LeftButton, {}, QPoint(6, d.OptionBarycenter->height() / 2));
    for (auto [box, text] : {std::pair{d.Text3, "2"}, {d.Text4, "1"}, {d.Text6, "1"}, {d.*row.box, row.typed}}) {
      box->selectAll();
      QTest::keyClicks(box, text);
    }
    const size_t messages = dialogs.messages().size();
    ASSERT_TRUE(Press(&d, "Command1"));
    EXPECT_EQ(state->objects, 3);
    EXPECT_EQ(state->objname[4] + state->objname[5], "");
    EXPECT_EQ(state->SystemElementsCount, 0);  // the group gathered for a placement, given back
    ASSERT_EQ(dialogs.messages().size(), messages + 1);
    EXPECT_NE(dialogs.messages().back().find(row.field), std::string::npos) << dialogs.messages().back();
    EXPECT_TRUE(d.isVisible());
    d.btnCancel_Click();
    settle();
  }
}

TEST_F(CreateObjectsTest, ACountOfZeroCreatesNothingButCloses) {
  addBodies(1);
  frmCreateMultipleObjects& d = open();
  d.Text3->setText("");
  EXPECT_TRUE(d.Command1_Click());
  EXPECT_EQ(state->objects, 1);
  EXPECT_FALSE(editors->isShown(InstrumentWindow::CreateObjects));
}

// Each button pressed on a fresh dialog: what each alone changes.
TEST_F(CreateObjectsTest, EachButtonDoesItsOwnPart) {
  QPointer<frmCreateMultipleObjects> d;  // closed, it is deleted later
  const auto look = [&]() -> Look {
    return Look(
        {"open=" + Flag(d->isVisible()), "bodies=" + GeneralText(state->objects), "swatch=" + GeneralText(d->swatch)});
  };
  const auto rows = PressRows({"Command1 open=0 bodies=2", "Command2 swatch=255", "btnCancel open=0"});
  ExpectEachPress(rows, look, [&](const PressRow&) {
    settle();
    addBodies(1);
    dialogs.answerColour(QColor(255, 0, 0));
    d = &open();
    d->Text6->setText("1");
    return d;
  });
}

}  // namespace
}  // namespace molvane
