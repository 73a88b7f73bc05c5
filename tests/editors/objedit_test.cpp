// The Edit Object dialog: units in both directions, the holding of the
// simulation, deletion, pasted state vectors and look-ups by name.
#include "editors/objedit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "../support/pressing.h"
#include "bodyeditors_support.h"
#include "engine/numtext.h"
#include "ui/colours.h"

namespace molvane {
namespace {

class ObjEditTest : public BodyEditorsFixture {
 protected:
  ObjEdit& open(int target) {
    state->ObjEditTarget = static_cast<int16_t>(target);
    editors->show(InstrumentWindow::ObjEdit, true);
    return *editors->objEdit();
  }
  static double box(QLineEdit* e) { return ParseNumberPrefix(e->text().toStdString()); }
};

TEST_F(ObjEditTest, HoldsARunningSimulationAndReleasesItOnEveryClose) {
  addBodies(2);
  form->setTimerEnabled(true);
  ASSERT_TRUE(form->timerEnabled());
  open(1);
  EXPECT_TRUE(state->objeditloaded);
  EXPECT_FALSE(state->TimerWasOff);
  EXPECT_FALSE(form->timerEnabled());
  EXPECT_TRUE(state->PausedFlag);
  editors->objEdit()->Cancel_Click();
  EXPECT_FALSE(state->objeditloaded);
  EXPECT_TRUE(form->timerEnabled());
  EXPECT_FALSE(state->PausedFlag);
  settle();

  // The window's own close button takes the same road.
  open(1);
  editors->close(InstrumentWindow::ObjEdit);
  EXPECT_TRUE(form->timerEnabled());
  EXPECT_FALSE(state->PausedFlag);
  form->setTimerEnabled(false);
}

TEST_F(ObjEditTest, LeavesAPausedSimulationPaused) {
  addBodies(2);
  state->PausedFlag = true;
  ASSERT_FALSE(form->timerEnabled());
  open(1).OK_Click();
  EXPECT_TRUE(state->TimerWasOff);
  EXPECT_FALSE(form->timerEnabled());
  EXPECT_TRUE(state->PausedFlag);
}

TEST_F(ObjEditTest, ShowsPerStepValuesInTheChosenUnitsRelativeToTheReference) {
  addBodies(3);
  State& s = *state;
  s.timescale = 10;
  s.objmass[2] = 3.0 * 100;  // 3 Earth masses at 10 s per step
  s.objx[1] = 5e6;
  s.objx[2] = 5e6 + 7e9;
  s.objvy[1] = 100;  // m per step
  s.objvy[2] = 100 + 25000;
  s.objsize[2] = 12742000;
  ObjEdit& d = open(2);
  EXPECT_EQ(d.EditedIndex, 2);
  EXPECT_EQ(d.ReferenceIndex, 1);
  EXPECT_EQ(d.Combo2->currentText(), "Body1");
  EXPECT_DOUBLE_EQ(box(d.Text1), 3);      // Earth masses
  EXPECT_DOUBLE_EQ(box(d.Text8), 12742);  // km
  EXPECT_DOUBLE_EQ(box(d.Text[2]), 7e6);  // km from Body1
  EXPECT_DOUBLE_EQ(box(d.Text[6]), 2.5);  // km/s: 25000 m per 10 s step
  d.massUnits[3]->setChecked(true);
  EXPECT_NEAR(box(d.Text1) / (3 * EarthMassKg), 1, 1e-14);
  d.sizeUnits[1]->setChecked(true);
  EXPECT_DOUBLE_EQ(box(d.Text8), 1);
  d.locationUnits[2]->setChecked(true);              // the dialog's round AU
  EXPECT_NEAR(box(d.Text[2]), 7e9 / 1.5e11, 1e-15);  // 15 digits shown
  d.speedUnits[0]->setChecked(true);
  EXPECT_DOUBLE_EQ(box(d.Text[6]), 2500);

  // Without a reference the coordinates are absolute.
  s.objref[3] = "Floating";
  s.objx[3] = 4e6;
  d.Combo1->setEditText("Body3");
  d.Combo1_Click();
  EXPECT_EQ(d.EditedIndex, 3);
  EXPECT_NEAR(box(d.Text[2]), 4e6 / 1.5e11, 1e-18);
}

TEST_F(ObjEditTest, ApplyWritesExactlyTheDialogsFieldsInPerStepUnits) {
  addBodies(3);
  State& s = *state;
  s.timescale = 4;
  s.objx[1] = 1e6;
  s.objvx[1] = 8;
  s.objrefindex[2] = 3;
  s.objthrust[2] = 2.5f;
  s.objthruston[2] = true;
  s.objdirx[2] = 0.5f;
  const State before = s;
  ObjEdit& d = open(2);
  d.Combo1->setEditText("Renamed");
  d.Text1->setText("2");     // Earth masses
  d.Text8->setText("100");   // km
  d.Text[2]->setText("10");  // km
  d.Text[3]->setText("-20");
  d.Text[4]->setText("0.5");
  d.Text[5]->setText("3");  // km/s
  d.Text[6]->setText("0");
  d.Text[7]->setText("-1");
  d.Apply_Click();
  EXPECT_EQ(s.objname[2], "Renamed");
  EXPECT_EQ(s.objref[2], "Body1");
  EXPECT_DOUBLE_EQ(s.objmass[2], 2 * 16.0);
  EXPECT_DOUBLE_EQ(s.objsize[2], 100000);
  EXPECT_DOUBLE_EQ(s.objx[2], 10000 + 1e6);
  EXPECT_DOUBLE_EQ(s.objy[2], -20000);
  EXPECT_DOUBLE_EQ(s.objz[2], 500);
  EXPECT_DOUBLE_EQ(s.objvx[2], 3000 * 4 + 8);
  EXPECT_DOUBLE_EQ(s.objvy[2], 0);
  EXPECT_DOUBLE_EQ(s.objvz[2], -4000 + s.objvz[1]);
  EXPECT_EQ(s.objcolor2[2], ColourWhite);
  // Untouched: the reference index, thrust, the other bodies.
  EXPECT_EQ(s.objrefindex[2], 3);
  EXPECT_EQ(s.objthrust[2], 2.5f);
  EXPECT_TRUE(s.objthruston[2]);
  EXPECT_EQ(s.objdirx[2], 0.5f);
  for (int i : {1, 3}) {
    EXPECT_EQ(s.objname[i], before.objname[i]);
    EXPECT_EQ(s.objx[i], before.objx[i]);
    EXPECT_EQ(s.objvx[i], before.objvx[i]);
    EXPECT_EQ(s.objmass[i], before.objmass[i]);
  }
  EXPECT_EQ(d.Combo1->currentText(), "Renamed");
  EXPECT_EQ(d.Combo2->currentText(), "Body1");
  EXPECT_EQ(d.Combo1->count(), 3);  // the lists were refilled

  // Displayed values applied again change nothing (timescale undone exactly).
  const double mass = s.objmass[2], vx = s.objvx[2];
  d.Combo1_Click();
  d.Apply_Click();
  EXPECT_DOUBLE_EQ(s.objmass[2], mass);
  EXPECT_DOUBLE_EQ(s.objvx[2], vx);
}

// Typed into the real boxes and Apply or OK pressed: a box that holds no
// number reads 0; a number that does not fit in its unit, or a name the
// files cannot keep, is one message naming the box, and nothing changes.
TEST_F(ObjEditTest, ApplyTakesWhatIsTypedOrRefusesItWhole) {
  addBodies(2);
  const std::string many(2000, '9');
  const struct {
    int box;  // 0, 1: the names; 2..9: mass, size, location, velocity
    std::string typed;
    const char* field;  // empty: taken
    const char* button = "Apply";
    int unit = -1;  // a mass unit to check first
  } rows[] = {
      {2, "", ""},  // no number: 0
      {7, "abc", ""},
      {2, "1e400", "Mass"},
      {2, "5e-324", "Mass", "OK", 3},  // kilograms: below the smallest Earth-mass number
      {3, many, "Size (Diameter)"},
      {4, "-1e400", "Location X", "OK"},
      {9, "1e-400", "Velocity Z"},
      {0, "Земля月", "Object", "OK"},
      {1, "地球 Γ €", "Reference Object"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.typed.substr(0, 10));
    ObjEdit& d = open(2);
    if (r.unit >= 0) d.massUnits[static_cast<size_t>(r.unit)]->click();
    QWidget* boxes[] = {d.Combo1,  d.Combo2,  d.Text1,   d.Text8,   d.Text[2],
                        d.Text[3], d.Text[4], d.Text[5], d.Text[6], d.Text[7]};
    TypeOver(boxes[r.box], QString::fromStdString(r.typed));
    const auto before = std::make_unique<State>(*state);
    const size_t messages = dialogs.messages().size();
    Press(&d, r.button);
    if (*r.field == 0) {
      EXPECT_EQ(r.box == 2 ? state->objmass[2] : state->objvx[2] - state->objvx[1], 0);
      continue;
    }
    ExpectRefusal(dialogs.messages(), messages, r.field);
    EXPECT_TRUE(d.isVisible());
    for (auto field : {&State::objmass, &State::objsize, &State::objx, &State::objvz}) {
      EXPECT_EQ(((*state).*field)[2], ((*before).*field)[2]);
    }
    EXPECT_EQ(state->objname[2], before->objname[2]);
    EXPECT_EQ(state->objref[2], before->objref[2]);
    d.close();
  }
}

TEST_F(ObjEditTest, ATypedReferenceIsStoredButPositionsStayAgainstThePickedOne) {
  addBodies(3);
  state->objref[3] = "";
  state->objx[3] = 5e9;
  ObjEdit& d = open(3);
  EXPECT_EQ(d.ReferenceIndex, 0);
  EXPECT_DOUBLE_EQ(box(d.Text[2]), 5e6);
  // Picking a reference shows absolute values still; Apply adds Body2's.
  d.Combo2->setCurrentIndex(1);
  d.Combo2_Click();
  EXPECT_EQ(d.ReferenceIndex, 2);
  EXPECT_DOUBLE_EQ(box(d.Text[2]), 5e6);
  d.Apply_Click();
  EXPECT_EQ(state->objref[3], "Body2");
  EXPECT_DOUBLE_EQ(state->objx[3], 5e9 + state->objx[2]);
  // A typed name that no body has: stored, but the boxes stay on Body2.
  d.Combo2->setEditText("Nobody");
  d.Apply_Click();
  EXPECT_EQ(state->objref[3], "Nobody");
  EXPECT_EQ(d.Combo2->currentText(), "Body2");
}

TEST_F(ObjEditTest, DuplicateNamesMeanTheHigherIndex) {
  addBodies(4);
  state->objname[3] = "Twin";
  state->objname[4] = "Twin";
  state->objref[2] = "Twin";
  ObjEdit& d = open(2);
  EXPECT_EQ(d.ReferenceIndex, 4);
  d.Combo1->setEditText("Twin");
  d.Combo1_Click();
  EXPECT_EQ(d.EditedIndex, 4);
  d.Combo1->setEditText("No such body");
  d.Combo1_Click();
  EXPECT_EQ(d.EditedIndex, 4);
}

TEST_F(ObjEditTest, DeleteRemovesTheBodyAndFollowsTheNextOneDownToTheFloatingPoint) {
  addBodies(3);
  ObjEdit& d = open(2);
  d.Command2_Click();
  EXPECT_EQ(state->objects, 2);
  EXPECT_EQ(state->objname[2], "Body3");
  EXPECT_EQ(d.EditedIndex, 2);
  EXPECT_EQ(d.Combo1->currentText(), "Body3");
  EXPECT_EQ(d.Combo1->count(), 2);
  d.Command2_Click();  // the last body: the new last one
  EXPECT_EQ(state->objects, 1);
  EXPECT_EQ(d.EditedIndex, 1);
  d.Command2_Click();
  EXPECT_EQ(state->objects, 0);
  EXPECT_EQ(d.EditedIndex, 0);
  EXPECT_EQ(d.Combo1->currentText(), "Floating");
  // Nothing left: neither delete nor apply touches the floating point.
  const std::string name0 = state->objname[0];
  d.Command2_Click();
  d.Apply_Click();
  EXPECT_EQ(state->objects, 0);
  EXPECT_EQ(state->objname[0], name0);
}

// The edited body deleted from elsewhere: the dialog shows no body, no
// colour, and its unit options fill nothing until a body is picked.
TEST_F(ObjEditTest, ABodyDeletedElsewhereLeavesNothingShown) {
  addBodies(3);
  state->objcolor[2] = 0x0000FF;
  ObjEdit& d = open(2);
  d.show();
  const QRgb frame = d.Shape1->parentWidget()->palette().color(QPalette::Window).rgb();
  EXPECT_EQ(d.Shape1->grab().toImage().pixel(12, 12), QColor(255, 0, 0).rgb());
  DeleteBody(*state, form->engineHost(), 2);
  EXPECT_TRUE(d.Combo1->currentText().isEmpty());
  EXPECT_EQ(d.Shape1->grab().toImage().pixel(12, 12), frame);
  for (QRadioButton* unit : {d.massUnits[1], d.sizeUnits[1], d.locationUnits[0], d.speedUnits[0]})
    QTest::mouseClick(unit, Qt::LeftButton);
  for (QLineEdit* b : {d.Text1, d.Text8, d.Text[2], d.Text[5]}) EXPECT_TRUE(b->text().isEmpty());
  PickFromList(d.Combo1, "Body3");
  EXPECT_EQ(d.Combo1->currentText(), "Body3");
  EXPECT_EQ(d.Text8->text().toStdString(), GeneralText(1e6 / 12742000));  // in Earth diameters, as picked
  EXPECT_EQ(d.Shape1->grab().toImage().pixel(12, 12), QColor(0, 255, 0).rgb());
}

TEST_F(ObjEditTest, TheColourIsStoredAtOnceAndACancelChangesNothing) {
  addBodies(2);
  ObjEdit& d = open(2);
  dialogs.answerColour(std::nullopt);
  d.Command1_Click();
  EXPECT_EQ(state->objcolor[2], 0x00FF00);
  dialogs.answerColour(ColourFromValue(0x123456));
  d.Command1_Click();
  EXPECT_EQ(state->objcolor[2], 0x123456);
  EXPECT_EQ(state->objcolor2[2], ColourWhite);
  d.Cancel_Click();
  EXPECT_EQ(state->objcolor[2], 0x123456);
}

TEST_F(ObjEditTest, APastedStateVectorIsSpreadOverTheSixBoxes) {
  EXPECT_EQ(SplitStateVector("1 2 3 4 5 6"), (std::vector<double>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(SplitStateVector("1,2,3"), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(SplitStateVector("1 2 3 4 5 6 7"), (std::vector<double>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(SplitStateVector(" 5 6"), (std::vector<double>{0, 5, 6}));
  EXPECT_EQ(SplitStateVector("x= 1.5E3, y=-2e-1"), (std::vector<double>{0, 1500, -0.2}));
  EXPECT_TRUE(SplitStateVector("").empty());
  EXPECT_EQ(SplitStateVector("1e999 2"), (std::vector<double>{0, 2}));

  addBodies(2);
  ObjEdit& d = open(2);
  d.Text[5]->setText("keep");
  d.Text[2]->setText("10\t20\t30");
  EXPECT_EQ(d.Text[2]->text(), "10");
  EXPECT_EQ(d.Text[3]->text(), "20");
  EXPECT_EQ(d.Text[4]->text(), "30");
  EXPECT_EQ(d.Text[5]->text(), "keep");
  // One number stays as typed, so that "1." can become "1.5".
  d.Text[2]->setText("1.");
  EXPECT_EQ(d.Text[2]->text(), "1.");
  d.Text[2]->setText("");
  EXPECT_EQ(d.Text[2]->text(), "");
}

// Each button pressed on a fresh dialog over a running simulation, on body
// 2 with "7" typed as its mass: what each alone changes. Each unit option
// shows its own box in its own unit.
TEST_F(ObjEditTest, EachButtonDoesItsOwnPart) {
  QPointer<ObjEdit> d;  // closed, it is deleted later
  const auto look = [&] {
    return Look({"open=" + Flag(d->isVisible()), "timer=" + Flag(form->timerEnabled()),
                 "bodies=" + GeneralText(state->objects), "mass2=" + GeneralText(state->objmass[2]),
                 "colour2=" + GeneralText(state->objcolor[2]), "Text1=" + d->Text1->text().toStdString(),
                 "Text8=" + d->Text8->text().toStdString(), "Text2=" + d->Text[2]->text().toStdString(),
                 "Text5=" + d->Text[5]->text().toStdString()});
  };
  const auto fresh = [&] {
    editors->close(InstrumentWindow::ObjEdit);
    settle();
    addBodies(3);
    state->PausedFlag = false;
    form->setTimerEnabled(true);
    return d = &open(2);
  };
  const auto rows = PressRows({"OK open=0 timer=1 mass2=7", "Cancel open=0 timer=1", "Apply mass2=7",
                               "Command1 colour2=255", "Command2 bodies=2 Text1=.001 Text2=2000000 Text5=.02"});
  ExpectEachPress(rows, look, [&](const PressRow&) {
    fresh()->Text1->clear();
    QTest::keyClicks(d->Text1, "7");
    dialogs.answerColour(QColor(255, 0, 0));
    return d.data();
  });
  fresh();
  const auto &mass = ObjEditMassFactors, &size = ObjEditSizeFactors, &place = ObjEditLocationFactors;
  const auto& speed = ObjEditSpeedFactors;
  // Each option with its box, its factor and body 2's value against Body1
  // (Earth masses, metres, m/s); the option chosen at load comes last.
  const std::tuple<const char*, const char*, double, double> options[] = {
      {"OpButJupiterMasses", "Text1", mass[1], 1e-3},   {"OpButSunMasses", "Text1", mass[2], 1e-3},
      {"OpButMassKilograms", "Text1", mass[3], 1e-3},   {"OpButEarthMasses", "Text1", mass[0], 1e-3},
      {"OpButEarthDiameters", "Text8", size[1], 1e6},   {"OpButSunDiameters", "Text8", size[2], 1e6},
      {"OpButJupiterDiameters", "Text8", size[3], 1e6}, {"OpButSizeKilometers", "Text8", size[0], 1e6},
      {"OpButLocAU", "Text2", place[2], 1e9},           {"OpButLocLY", "Text2", place[3], 1e9},
      {"OpButLocMeters", "Text2", place[0], 1e9},       {"OpButLocKilometers", "Text2", place[1], 1e9},
      {"OpButSpeedMS", "Text5", speed[0], 10},          {"OpButSpeedKS", "Text5", speed[1], 10}};
  for (auto [option, box, factor, value] : options) {
    SCOPED_TRACE(option);
    const Look before = look();
    ASSERT_TRUE(Press(d, option));
    const std::string changed = Changes(before, look());
    const size_t eq = changed.find('=');
    EXPECT_EQ(changed.substr(0, eq), box);
    EXPECT_NEAR(ParseNumberPrefix(changed.substr(eq + 1)) * factor / value, 1, 1e-12);
  }
}

}  // namespace
}  // namespace molvane
