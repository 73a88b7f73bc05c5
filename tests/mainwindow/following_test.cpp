// Windows open on Earth while the body table or the autopilot list changes
// under them, each change made as a user makes it: the windows go on with
// their own body or entry, and act on nothing once it is gone.
#include <QFile>
#include <QLineEdit>
#include <QPointer>

#include "../support/pressing.h"
#include "autopilot/autopilot.h"
#include "control/autopilotdialog.h"
#include "editors/createobjects.h"
#include "editors/objedit.h"
#include "editors/orbitcalculator.h"
#include "engine/autopilotarm.h"
#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "engine/simulation.h"
#include "mainwindow/dashboard.h"
#include "windowset_support.h"

namespace molvane {
namespace {

// Each change, and what Earth is called after it ("" once it is gone).
constexpr const char* kChanges[][2] = {{"Comet deleted", "Earth"},
                                       {"Comet merged into the Sun", "Earth"},
                                       {"Earth renamed", "Terra"},
                                       {"Earth deleted", ""},
                                       {"another situation opened", ""},
                                       {"Moon deleted", "Earth"},
                                       {"New", ""}};

class Following : public WindowSetFixture {
 protected:
  // A fresh program on Comet, Sun, Earth (about the Sun) and Moon, 1e9 m
  // apart, focus Earth; the same situation is saved to be opened again.
  void restart() {
    TearDown();
    SetUp();
    const char* names[] = {"", "Comet", "Sun", "Earth", "Moon"};
    for (int i = 1; i <= 4; ++i) {
      state->objname[i] = names[i];
      state->objx[i] = 1e9 * i;
      state->objsize[i] = 1e3;
    }
    state->objref[3] = "Sun";
    state->objmass[2] = 1e3;
    state->objects = 4;
    state->focusobj = 3;
    form->saveSituation(file);
  }
  void change(int c) {
    if (c == 0 || c == 3 || c == 5) {
      form->labelPopup().objLabel_MouseUp(c == 0 ? 1 : c == 3 ? 3 : 4, Qt::RightButton, QPoint());
      form->labelPopup().mnuDeleteThisObject_Click();
    } else if (c == 1) {
      state->objx[1] = state->objx[2];
      SimulationStep(*state, *form);
    } else if (c == 2) {
      state->ObjEditTarget = 3;
      form->instruments().show(InstrumentWindow::ObjEdit, true);
      editors->bodyEditors().objEdit()->Combo1->setEditText("Terra");
      editors->bodyEditors().objEdit()->OK_Click();
    } else if (c == 6) {
      form->fileCommands().mnuNew_Click();
    } else {
      dialogs.answerFile(QString::fromStdString(file));
      form->fileCommands().OpenMnu_Click();
    }
  }
  std::string nameOf(int k) const { return k >= 0 && k <= state->objects ? state->objname[k] : ""; }
  // A body of the table by its index; none (0 or NoBody) names nothing.
  std::string named(int k) const { return k >= 1 ? nameOf(k) : ""; }
  const std::string file = data_.filePath("same.molv").toStdString();
};

TEST_F(Following, EditObjectAppliesAndDeletesOnlyItsBody) {
  for (int c : {0, 1, 3, 4}) {
    SCOPED_TRACE(kChanges[c][0]);
    restart();
    state->ObjEditTarget = 3;
    form->instruments().show(InstrumentWindow::ObjEdit, true);
    ObjEdit* d = editors->bodyEditors().objEdit();
    d->Text1->setText("7");  // Earth masses
    change(c);
    d->Apply_Click();
    std::string written;
    for (int i = 1; i <= state->objects; ++i)
      if (state->objmass[i] == 7) written += state->objname[i];
    EXPECT_EQ(written, kChanges[c][1]);
    const int n = state->objects;
    d->Command2_Click();  // Delete, too, removes Earth or nothing
    EXPECT_EQ(state->objects, written.empty() ? n : n - 1);
    EXPECT_EQ(FindBodyByName(*state, "Earth") == 0, c < 4);
  }
}

// Distance box and reference box on Earth - Moon, orbit box on Earth about
// the Sun, the default orbit box on rbo1a (Earth) by its index.
TEST_F(Following, BoxesNameAndMeasureTheBodiesTheyShow) {
  for (int kind = 0; kind < 4; ++kind) {
    for (int c = 0; c < 4; ++c) {
      SCOPED_TRACE(std::string(kChanges[c][0]) + ", box kind " + std::to_string(kind));
      restart();
      state->rbo1a = 3;
      if (kind == 0) form->boxSlots().addBox(BoxKind::Distance);
      if (kind == 1) form->rb_Click(1);
      if (kind == 2) {
        form->labelPopup().objLabel_MouseUp(3, Qt::RightButton, QPoint());
        form->labelPopup().mnuDisplayOrbitalElements_Click();
      }
      if (kind == 3) form->openDefaultOrbitBox();
      PairBoxWindow* pair = kind == 0   ? static_cast<PairBoxWindow*>(editors->distanceBox(1))
                            : kind == 1 ? editors->referenceBox(1)
                                        : nullptr;
      RefBoxOrbit1* orbit = editors->orbitBox(kind == 2 ? 1 : 0);
      change(c);
      form->plot();
      const int a = pair ? pair->bodyA() : kind == 2 ? orbit->ObjectIndex : state->rbo1a;
      const int b = pair ? pair->bodyB() : kind == 2 ? orbit->ReferenceIndex : state->rbo1b;
      if (kind < 3) {
        EXPECT_EQ(nameOf(a), kChanges[c][1]);
      }
      QWidget* w = pair ? static_cast<QWidget*>(pair) : orbit;
      EXPECT_EQ(w->windowTitle().toStdString(), nameOf(a) + " - " + nameOf(b));
      EXPECT_EQ((pair ? pair->Combo1 : orbit->Combo1)->currentText().toStdString(), nameOf(a));
      EXPECT_EQ((pair ? pair->lbl(1) : orbit->value(RowX))->text().isEmpty(), nameOf(a).empty());
    }
  }
}

// A numbered panel, and the default panel as an older file names its bodies.
TEST_F(Following, ThrustPanelsPushTheirBodyOrNone) {
  for (int slot : {1, 0}) {
    for (int c = 0; c < 4; ++c) {
      SCOPED_TRACE(std::string(kChanges[c][0]) + ", slot " + std::to_string(slot));
      restart();
      state->cpobjectname = "Earth          ";
      state->cpreferencename = "Sun            ";
      state->cpobject = 3;
      state->cpreference = 2;
      if (slot == 0) form->openDefaultThrustPanel();
      FormControlCenter* p = control->thrustPanel(slot == 0 ? 0 : form->boxSlots().addBox(BoxKind::Thrust));
      if (slot == 1) p->Combo1->setEditText("Earth"), p->Combo2->setEditText("Sun"), p->Command1_Click();
      change(c);
      const State before = *state;
      p->boostButtons[static_cast<size_t>(BoostRow::Away)][1]->click();
      std::string pushed;
      for (int i = 1; i <= state->objects; ++i)
        if (state->objvx[i] != before.objvx[i]) pushed += state->objname[i];
      EXPECT_EQ(pushed, kChanges[c][1]);
      EXPECT_EQ(p->Command2->text().toStdString(), kChanges[c][1]);
      EXPECT_EQ(p->Combo1->currentIndex(), FindBodyByName(*state, kChanges[c][1]) - 1);
    }
  }
}

// Body 3 and body 4 both named Earth: the focus is the one clicked, also
// when Comet merged away while the popup was up.
TEST_F(Following, FocusThisObjectFocusesTheClickedBody) {
  for (bool merged : {false, true}) {
    SCOPED_TRACE(merged);
    restart();
    auto tools = std::make_unique<MainToolWindows>(*form, *form);
    MainToolWindows& dashboard = *tools;
    form->setToolWindows(std::move(tools));
    state->objname[4] = "Earth";
    form->KeyPresses(6);  // the focus window
    form->labelPopup().objLabel_MouseUp(3, Qt::RightButton, QPoint());
    if (merged) change(1);
    form->labelPopup().mnuFocusThisObject_Click();
    EXPECT_EQ(state->focusobj, merged ? 2 : 3);
    EXPECT_EQ(dashboard.focusObject()->Combo2->currentIndex(), state->focusobj - 1);
  }
}

// The editor on entry A2 when the list is replaced: it shows the new rows
// and edits nothing, so Delete removes no entry.
TEST_F(Following, TheAutopilotEditorFollowsAReplacedList) {
  auto setList = [this](std::vector<std::string> lines) {
    for (size_t k = 0; k < lines.size(); ++k) state->autopilot[k + 1] = {lines[k], 10.0 * (k + 1), ""};
    state->autopilotCount = static_cast<int16_t>(lines.size());
  };
  for (bool opened : {true, false}) {
    SCOPED_TRACE(opened ? "opened" : "New");
    restart();
    setList({"B1", "B2", "B3"});
    form->saveSituation(file);
    setList({"A1", "A2"});
    form->instruments().show(InstrumentWindow::AutoPilot, true);
    frmAutoPilot* dlg = control->autopilot().editor();
    dlg->ListOfCommands->setCurrentRow(1);
    dlg->ListOfCommands_Click();
    opened ? change(4) : form->fileCommands().mnuNew_Click();
    EXPECT_EQ(dlg->ListOfCommands->count(), opened ? 3 : 0);
    EXPECT_FALSE(dlg->btnDelete->isEnabled());
    dlg->btnDelete_Click();
    EXPECT_EQ(state->autopilotCount, opened ? 3 : 0);
  }
  // Every entry passed on a clock before year 0: the default time is the
  // clock's, not that of the blank slot after the last entry.
  state->SecondsElapsed = -1e9;
  state->autopilot[1] = {"C1", -2e9, ""};
  state->autopilotCount = 1;
  ArmAutopilot(*state);
  form->instruments().show(InstrumentWindow::AutoPilot, true);
  const std::string byDefault = control->autopilot().editor()->currentDateField();
  control->autopilot().editor()->Command1_Click();  // "Current Time"
  EXPECT_EQ(control->autopilot().editor()->currentDateField(), byDefault);
}

// Comet, Sun, Earth, Moon, Mars, Probe (about the Moon), Vesta and Ceres;
// Ceres, Vesta and the Moon (massless) merge into the Sun, Mars and Earth
// while every kind of window is open on the bodies: windows, labels and
// tables end as when the three are deleted one by one, each deletion
// refreshing everything.
TEST_F(Following, AMergeEndsTheWindowsAsOneRefreshPerDeletion) {
  std::string ends[2];
  for (bool merge : {true, false}) {
    TearDown();
    SetUp();
    form->setToolWindows(std::make_unique<MainToolWindows>(*form, *form));
    const char* names[] = {"", "Comet", "Sun", "Earth", "Moon", "Mars", "Probe", "Vesta", "Ceres"};
    for (int i = 1; i <= 8; ++i)
      state->objname[i] = names[i], state->objx[i] = 1e9 * i, state->objmass[i] = i % 4 && i < 7;
    state->objref[6] = "Moon", state->objects = 8, state->focusobj = 3;
    form->rb_Click(1);  // Earth - Moon
    form->boxSlots().addBox(BoxKind::Distance);
    form->labelPopup().objLabel_MouseUp(6, Qt::RightButton, QPoint());
    form->labelPopup().mnuDisplayOrbitalElements_Click();
    state->rbo1a = 7;
    form->openDefaultOrbitBox();
    state->cpobjectname = "Moon           ";  // an older file's panel, on Comet since
    form->openDefaultThrustPanel();
    control->thrustPanel(0)->Combo1->setCurrentIndex(0), control->thrustPanel(0)->Combo1_Click();
    FormControlCenter* p = control->thrustPanel(form->boxSlots().addBox(BoxKind::Thrust));
    p->Combo1->setEditText("Probe"), p->Combo2->setEditText("Vesta"), p->Command1_Click();
    state->ObjEditTarget = state->focusobj = 6;
    for (auto w : {InstrumentWindow::ObjEdit, InstrumentWindow::Spectrum, InstrumentWindow::AutoPilot})
      form->instruments().show(w, true);
    form->KeyPresses(6);  // the focus window
    form->LabelsOnOff(), form->raiseLabel(6), form->plot();
    const int pairs[][2] = {{8, 2}, {7, 5}, {4, 3}};
    for (int k = 1; k <= 3; ++k) state->higher[k] = pairs[k - 1][0], state->lower[k] = pairs[k - 1][1];
    if (merge) {
      MergeCollidedBodies(*state, *form);
    } else {
      for (int k : {8, 7, 4}) DeleteBody(*state, *form, k);
    }
    std::string& e = ends[merge];  // texts (labels, buttons, boxes), lists and what is shown
    for (QWidget* c : form->findChildren<QWidget*>()) {
      QString t = (c->isWindow() ? "\n" + c->windowTitle() : QString()) + (c->isVisible() ? "|+" : "|-");
      t += c->property("text").toString();
      if (auto* b = qobject_cast<QComboBox*>(c))
        for (int i = -1; i < b->count(); ++i) t += (i < 0 ? QString::number(b->currentIndex()) : b->itemText(i)) + ",";
      e += t.toStdString();
    }
    for (const BodyLabel& l : form->view().labels())
      e += l.text.toStdString() + std::to_string(l.left + l.top + l.width + l.colour.rgb() + l.back.rgb());
    for (int k : form->view().labelOrder()) e += std::to_string(k) + ",";
    for (int i = 0; i <= 8; ++i) e += std::to_string(state->objlastx[i]);
    form->saveSituation(file);
    QFile saved(QString::fromStdString(file));
    e += saved.open(QIODevice::ReadOnly) ? saved.readAll().toStdString() : "not saved";
  }
  EXPECT_EQ(ends[true], ends[false]);
}

// Orbit boxes on Earth (about the Sun) and on the Moon (about Earth), the
// spectrum on Earth - Moon, the orbit calculator about Earth and Create
// Objects with "Earth" typed as reference, all picked as a user picks, then
// a change: every element reference names the body it named, or none; each
// window names the bodies it works with; a pick of the Sun in Earth's box
// changes Earth's reference alone (nothing once Earth is gone); Create keeps
// its reference body under a new name, and refuses one that has gone.
TEST_F(Following, WindowsWriteAndUseOnlyTheBodiesTheyName) {
  for (int c : {0, 1, 2, 3, 5, 4, 6}) {
    SCOPED_TRACE(kChanges[c][0]);
    restart();
    state->objref[4] = "Earth";
    for (int k : {3, 4}) {
      form->labelPopup().objLabel_MouseUp(k, Qt::RightButton, QPoint());
      form->labelPopup().mnuDisplayOrbitalElements_Click();
    }
    for (auto w : {InstrumentWindow::Spectrum, InstrumentWindow::OrbitCalculator, InstrumentWindow::CreateObjects})
      form->instruments().show(w, true);
    frmSpectrum* spectrum = editors->spectrum();
    OrbitCalculator* calculator = editors->bodyEditors().orbitCalculator();
    frmCreateMultipleObjects* create = editors->bodyEditors().createObjects();
    PickFromList(spectrum->Combo1, "Earth");
    PickFromList(spectrum->Combo2, "Moon");
    PickFromList(calculator->Combo1, "Earth");
    create->Combo1->lineEdit()->clear();
    QTest::keyClicks(create->Combo1, "Earth");
    form->saveSituation(file);  // with both orbit boxes
    change(c);
    const std::string earthName = c == 2 ? "Terra" : c == 3 || c == 6 ? "" : "Earth";
    const std::string moonName = c == 5 || c == 6 ? "" : "Moon";
    const int earth = FindBodyByName(*state, earthName), moon = FindBodyByName(*state, moonName);
    const int sun = FindBodyByName(*state, "Sun");
    EXPECT_EQ(earth > 0 ? state->objrefindex[earth] : sun, sun);
    EXPECT_EQ(moon > 0 ? state->objrefindex[moon] : earth, earth);
    EXPECT_EQ(named(state->rbo1a), moonName);
    EXPECT_EQ(named(state->rbo1b), earthName);
    // An opened situation keeps the spectrum's indices, as the reference boxes.
    const std::string spectrumA = c == 4 ? "Earth" : earthName, spectrumB = c == 4 ? "Moon" : moonName;
    const auto uses = [&](int k, QComboBox* list) { return named(k) + "|" + list->currentText().toStdString(); };
    EXPECT_EQ(uses(state->spectrumSettings.bodyA, spectrum->Combo1), spectrumA + "|" + spectrumA);
    EXPECT_EQ(uses(state->spectrumSettings.bodyB, spectrum->Combo2), spectrumB + "|" + spectrumB);
    EXPECT_EQ(uses(calculator->CentralIndex, calculator->Combo1), kChanges[c][1] + std::string("|") + kChanges[c][1]);
    const std::string typed = create->Combo1->currentText().toStdString();
    EXPECT_EQ(typed, c == 2 ? "Terra" : c == 3 || c == 4 || c == 6 ? "" : "Earth");
    QTest::keyClicks(create->Text6, "1");  // AU: an orbit to place the body on
    const int bodies = state->objects;
    QTest::mouseClick(create->Command1, Qt::LeftButton);
    EXPECT_EQ(state->objects, typed.empty() ? bodies : bodies + 1);
    EXPECT_EQ(state->objref[state->objects], typed.empty() ? state->objref[bodies] : typed);
    EXPECT_EQ(typed.empty() ? dialogs.messages().back() : "",
              typed.empty() ? "Reference object: no body is given." : "");
    RefBoxOrbit1* box = editors->orbitBox(1);
    if (c == 6) {
      EXPECT_FALSE(box && box->isVisible());
      continue;
    }
    BodyArray<int16_t> refs = state->objrefindex;
    PickFromList(box->Combo2, "Sun");
    if (earth > 0) refs[earth] = static_cast<int16_t>(sun);
    EXPECT_EQ(state->objrefindex, refs);
    EXPECT_EQ(named(state->rbo1a), earth > 0 ? earthName : moonName);
    EXPECT_EQ(named(state->rbo1b), earth > 0 ? "Sun" : earthName);
  }
}

// A distance box whose first body is gone and orbit boxes on the first of
// two bodies named Earth and on a body that is gone, saved and opened again:
// they show what they showed.
TEST_F(Following, BoxesReopenOnTheBodiesTheyShowed) {
  restart();
  state->objname[0] = "Floating";
  state->focusobj = 1;
  form->boxSlots().addBox(BoxKind::Distance);  // Comet - Sun
  for (int k : {3, 1}) {                       // Earth about the Sun, Comet
    form->labelPopup().objLabel_MouseUp(k, Qt::RightButton, QPoint());
    form->labelPopup().mnuDisplayOrbitalElements_Click();
  }
  state->ObjEditTarget = 4;  // the Moon becomes a second Earth
  form->instruments().show(InstrumentWindow::ObjEdit, true);
  editors->bodyEditors().objEdit()->Combo1->setEditText("Earth");
  QTest::mouseClick(editors->bodyEditors().objEdit()->OK, Qt::LeftButton);
  change(0);
  auto seen = [this] {
    form->plot();
    RefBoxS* d = editors->distanceBox(1);
    std::string e = d->windowTitle().toStdString() + "|" + d->lbl(1)->text().toStdString();
    for (int k : {1, 2}) {
      RefBoxOrbit1* o = editors->orbitBox(k);
      e += "\n" + o->windowTitle().toStdString() + "|" + o->Combo1->currentText().toStdString() + "|" +
           o->Combo2->currentText().toStdString() + "|" + o->value(RowX)->text().toStdString() + "|" +
           std::to_string(o->ObjectIndex) + "," + std::to_string(o->ReferenceIndex);
    }
    return e;
  };
  const std::string before = seen();
  EXPECT_EQ(before.substr(0, 7), " - Sun|");  // no body, no readout
  form->saveSituation(file);
  change(4);
  EXPECT_EQ(seen(), before);
  EXPECT_EQ(editors->orbitBox(1)->ObjectIndex, 2);  // and so its next record
}

// Two bodies named Earth (1 and 3, about the Sun), the Moon and a nameless
// body about "Earth", saved and opened through the menu: each element
// reference is the body its name names, the last Earth, and Edit Object shows
// the Moon about it. The nameless body then held about Earth 1 (as an orbit
// box pick leaves it), Earth 3 renamed Terra in Edit Object carries to the
// Moon alone and points out the one autopilot entry naming Earth; Terra
// deleted under Edit Object on the Moon, the dialog says so and shows it
// about the floating point.
TEST_F(Following, AnOpenARenameAndADeletionKeepEachReference) {
  restart();
  State& s = *state;
  s.objname[1] = "Earth";
  s.objref[1] = s.objref[3] = "Sun";
  s.objref[4] = s.objref[5] = "Earth";
  s.objx[4] = s.objx[3] + 4e8;
  s.objvy[4] = 1000;
  s.objx[5] = 6e9;
  s.objects = 5;
  AutopilotFields f;
  f.word = "Orient Prograde";
  f.object = "Earth";
  f.reference = "Sun";
  AddAutopilotEntry(s, *form, ComposeAutopilotDateField(2001, 1, 1, 0, 0, 0), f, "");
  form->saveSituation(file);
  change(4);
  EXPECT_EQ(std::vector<int>(s.objrefindex.begin() + 1, s.objrefindex.begin() + 6), std::vector<int>({2, 0, 2, 3, 3}));
  const auto editOn = [&](int k) {
    s.ObjEditTarget = static_cast<int16_t>(k);
    form->instruments().show(InstrumentWindow::ObjEdit, true);
    return editors->bodyEditors().objEdit();
  };
  ObjEdit* d = editOn(4);
  State about = s;
  ComputeOrbitalElements(about, 4, 3);
  EXPECT_EQ(d->Combo2->currentText(), "Earth");
  EXPECT_EQ(d->lblSMA->text().toStdString(), GeneralText(about.objsma[4]));
  EXPECT_EQ(d->Text[2]->text(), "400000");  // km from Earth 3

  s.objrefindex[5] = 1;
  d = editOn(3);
  d->Combo1->lineEdit()->selectAll();
  QTest::keyClicks(d->Combo1, "Terra");
  const size_t messages = dialogs.messages().size();
  QTest::mouseClick(d->Apply, Qt::LeftButton);
  EXPECT_EQ(s.objref[4] + "|" + s.objref[5] + "|" + s.objref[1], "Terra|Earth|Sun");
  ASSERT_EQ(dialogs.messages().size(), messages + 1);
  EXPECT_NE(dialogs.messages().back().find("01 01 2001 00:00:00 (Orient Prograde)"), std::string::npos)
      << dialogs.messages().back();

  d = editOn(4);
  form->labelPopup().objLabel_MouseUp(3, Qt::RightButton, QPoint());
  form->labelPopup().mnuDeleteThisObject_Click();
  EXPECT_EQ(d->EditedIndex, 3);  // the Moon, one down
  EXPECT_EQ(d->Combo2->currentText(), "Floating");
  EXPECT_EQ(d->Text[2]->text().toStdString(), GeneralText(s.objx[3] / 1000));
  ASSERT_EQ(dialogs.messages().size(), messages + 2);
  EXPECT_NE(dialogs.messages().back().find("reference object of Moon is gone"), std::string::npos);
}

// A Caption entry shown in the caption dialog by a click on its row: the
// entry deleted, or another situation opened over the list, closes it.
TEST_F(Following, TheCaptionDialogGoesWithItsEntry) {
  for (bool opened : {false, true}) {
    SCOPED_TRACE(opened ? "opened" : "deleted");
    restart();
    form->instruments().show(InstrumentWindow::AutoPilot, true);
    frmAutoPilot* dlg = control->autopilot().editor();
    PickFromList(dlg->ComboCommand, "Caption");
    QTest::mouseClick(dlg->captionDialog()->btnOK, Qt::LeftButton);
    QTest::mouseClick(dlg->btnAdd, Qt::LeftButton);
    ASSERT_EQ(state->autopilotCount, 1);
    ClickRow(dlg->ListOfCommands, 0);
    QPointer<frmAddCaptionAutopilot> cap = dlg->captionDialog();
    ASSERT_TRUE(cap && cap->isVisible());
    opened ? change(4) : QTest::mouseClick(dlg->btnDelete, Qt::LeftButton);
    EXPECT_EQ(state->autopilotCount, 0);
    EXPECT_FALSE(cap && cap->isVisible());
  }
}

}  // namespace
}  // namespace molvane
