// Every list a user picks a body from, in a scene with two bodies named
// "Moon" and a nameless one, picked on its dropped list as a user picks:
// the window takes the body of the entry picked, in the field that list
// sets, and every list views the one shared model of the names.
#include <QLineEdit>
#include <QSignalSpy>
#include <functional>

#include "../support/pressing.h"
#include "control/controlwindows.h"
#include "control/thrustpanel.h"
#include "editors/createclass.h"
#include "editors/createobjects.h"
#include "editors/objedit.h"
#include "editors/orbitbox.h"
#include "editors/orbitcalculator.h"
#include "editors/referenceboxes.h"
#include "editors/spectrum.h"
#include "engine/bodies.h"
#include "engine/boxslots.h"
#include "mainwindow/addboxes.h"
#include "ui/bodynames.h"
#include "windowset_support.h"

namespace molvane {
namespace {

class Pickers : public WindowSetFixture {
 protected:
  // Sun, Earth, Moon (about Earth), Mars, a moon of Mars also named "Moon",
  // and a body without a name.
  void scene() {
    const char* names[] = {"", "Sun", "Earth", "Moon", "Mars", "Moon", ""};
    for (int i = 1; i <= 6; ++i) {
      state->objname[i] = names[i];
      state->objx[i] = 1e9 * i;
      state->objsize[i] = 1e3;
      state->objmass[i] = 1;
    }
    for (auto [i, r] : {std::pair{2, 1}, {3, 2}, {5, 4}}) {
      state->objref[i] = state->objname[r];
      state->objrefindex[i] = static_cast<int16_t>(r);
    }
    state->objects = 6;
    state->focusobj = 1;
    form->refreshObjectLists();
  }
  void restartScene() {
    TearDown();
    SetUp();
    scene();
  }
};

struct PickerRow {
  const char* name;
  int heading;  // rows above the first body
  std::function<QComboBox*()> open;
  std::function<int()> held;  // the body the window took
};

// The first "Moon" by the mouse, the second by the keys: each its own body.
// The orbit box's reference list also makes the pick the object's reference
// (objrefindex * 10 + the box's reference).
TEST_F(Pickers, EachListTakesTheBodyOfTheEntryPicked) {
  const PickerRow rows[] = {
      {"distance box, first list", 0,
       [this] {
         form->boxSlots().addBox(BoxKind::Distance);
         editors->distanceBox(1)->lbl_MouseMove();
         return editors->distanceBox(1)->Combo1;
       },
       [this] { return state->distanceBoxes[1].bodyA; }},
      {"distance box, second list", 0,
       [this] {
         form->boxSlots().addBox(BoxKind::Distance);
         editors->distanceBox(1)->lbl_MouseMove();
         return editors->distanceBox(1)->Combo2;
       },
       [this] { return state->distanceBoxes[1].bodyB; }},
      {"reference box, first list", 0,
       [this] {
         form->rb_Click(1);
         editors->referenceBox(1)->label_Click();
         return editors->referenceBox(1)->Combo1;
       },
       [this] { return state->rb1a; }},
      {"reference box, second list", 0,
       [this] {
         form->rb_Click(1);
         editors->referenceBox(1)->label_Click();
         return editors->referenceBox(1)->Combo2;
       },
       [this] { return state->rb1b; }},
      {"orbit box, object", 0,
       [this] {
         form->boxSlots().addBox(BoxKind::Orbit);
         return editors->orbitBox(1)->Combo1;
       },
       [this] { return state->orbitBoxes[1].bodyA; }},
      {"orbit box, reference", 1,
       [this] {
         form->labelPopup().objLabel_MouseUp(2, Qt::RightButton, QPoint());  // Earth
         form->labelPopup().mnuDisplayOrbitalElements_Click();
         return editors->orbitBox(1)->Combo2;
       },
       [this] { return state->objrefindex[state->orbitBoxes[1].bodyA] * 10 + state->orbitBoxes[1].bodyB; }},
      {"spectrum, first list", 0,
       [this] {
         form->instruments().show(InstrumentWindow::Spectrum, true);
         return editors->spectrum()->Combo1;
       },
       [this] { return state->spectrumSettings.bodyA; }},
      {"spectrum, second list", 0,
       [this] {
         form->instruments().show(InstrumentWindow::Spectrum, true);
         return editors->spectrum()->Combo2;
       },
       [this] { return state->spectrumSettings.bodyB; }},
      {"class library", 0,
       [this] {
         editors->bodyEditors().showClassLibrary();
         form->refreshObjectLists();  // the list holds the class names until then
         return editors->bodyEditors().classLibrary()->Combo2;
       },
       [this] { return editors->bodyEditors().classLibrary()->pickedBody; }},
      {"Create Objects", 0,
       [this] {
         form->instruments().show(InstrumentWindow::CreateObjects, true);
         return editors->bodyEditors().createObjects()->Combo1;
       },
       [this] {
         QTest::keyClicks(editors->bodyEditors().createObjects()->Text6, "1");  // an orbit to place it on
         QTest::mouseClick(editors->bodyEditors().createObjects()->Command1, Qt::LeftButton);
         return state->objrefindex[state->objects];
       }},
      {"thrust panel", 0,
       [this] {
         form->openDefaultThrustPanel();
         return control->thrustPanel(0)->Combo1;
       },
       [this] {
         Press(control->thrustPanel(0), "Command1");
         return state->cpobject;
       }},
      {"orbit calculator", 0,
       [this] {
         form->instruments().show(InstrumentWindow::OrbitCalculator, true);
         return editors->bodyEditors().orbitCalculator()->Combo1;
       },
       [this] { return editors->bodyEditors().orbitCalculator()->CentralIndex; }},
      {"Edit Object", 0,
       [this] {
         form->instruments().show(InstrumentWindow::ObjEdit, true);
         return editors->bodyEditors().objEdit()->Combo1;
       },
       [this] { return editors->bodyEditors().objEdit()->EditedIndex; }},
  };
  for (const PickerRow& row : rows) {
    for (int moon : {3, 5}) {
      SCOPED_TRACE(std::string(row.name) + ", Moon " + std::to_string(moon));
      restartScene();
      QComboBox* list = row.open();
      ASSERT_TRUE(list);
      EXPECT_EQ(list->model(), row.heading ? list->model() : static_cast<QAbstractItemModel*>(&form->bodyNames()));
      PickRow(list, moon - 1 + row.heading, moon == 5);
      EXPECT_EQ(list->currentText(), "Moon");
      EXPECT_EQ(row.held(), row.heading ? moon * 11 : moon);
    }
  }
}

// The label popup's "Display Orbital Elements", "Edit this Object" and its
// "Delete Object" on the first Moon act on that Moon alone, and leaving a
// list's text with Enter (as a focus change does) keeps the body, also in a
// box saved on it and opened again; a box whose body went writes nothing on
// a pick, not even to the nameless body.
TEST_F(Pickers, ThePopupsBoxAndEditorKeepTheFirstOfTwoMoons) {
  restartScene();
  LabelPopup& popup = form->labelPopup();
  popup.objLabel_MouseUp(3, Qt::RightButton, QPoint());
  popup.mnuDisplayOrbitalElements_Click();
  RefBoxOrbit1* box = editors->orbitBox(1);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->ObjectIndex * 10 + box->ReferenceIndex, 32);
  BodyArray<int16_t> refs = state->objrefindex;
  PickRow(box->Combo2, 1);  // the Sun, under "Reference Object"
  refs[3] = 1;
  EXPECT_EQ(state->objrefindex, refs);
  const std::string file = data_.filePath("moons.molv").toStdString();
  form->saveSituation(file);
  dialogs.answerFile(QString::fromStdString(file));
  form->fileCommands().OpenMnu_Click();
  box = editors->orbitBox(1);
  ASSERT_TRUE(box);
  QTest::keyClick(box->Combo1->lineEdit(), Qt::Key_Return);
  QTest::keyClick(box->Combo2->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(box->ObjectIndex * 10 + box->ReferenceIndex, 31);
  EXPECT_EQ(state->orbitBoxes[1].bodyA, 3);
  // A name typed is a name: the last body of it; the entry picked, its own.
  PickRow(box->Combo1, 1);  // Earth
  box->Combo1->lineEdit()->clear();
  QTest::keyClicks(box->Combo1, "Moon");
  QTest::keyClick(box->Combo1->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(box->ObjectIndex, 5);
  PickRow(box->Combo1, 2);
  EXPECT_EQ(box->ObjectIndex, 3);

  popup.objLabel_MouseUp(3, Qt::RightButton, QPoint());
  popup.mnuEditThisObject_Click();
  ObjEdit* edit = editors->bodyEditors().objEdit();
  ASSERT_TRUE(edit);
  QTest::keyClick(edit->Combo1->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(edit->EditedIndex, 3);
  ASSERT_TRUE(Press(edit, "Command2"));  // Delete Object
  EXPECT_EQ(state->objects, 5);
  EXPECT_EQ(state->objname[3] + "," + state->objname[4] + "," + state->objref[4], "Mars,Moon,Mars");
  EXPECT_EQ(edit->EditedIndex, 3);  // the body that took its place

  // The box's body has gone: a pick of its reference writes nothing.
  EXPECT_EQ(box->ObjectIndex, NoBody);
  refs = state->objrefindex;
  PickRow(box->Combo2, 1);
  EXPECT_EQ(state->objrefindex, refs);
}

// Every body list of every open window, the autopilot editor's included,
// views the one model of the names, which a deletion, a rename and a new
// body each change once and a refresh that changes nothing leaves alone.
TEST_F(Pickers, EveryListViewsTheOneModelChangedOncePerChange) {
  restartScene();
  form->boxSlots().addBox(BoxKind::Distance);
  form->boxSlots().addBox(BoxKind::Orbit);
  form->openDefaultThrustPanel();
  for (auto w : {InstrumentWindow::Spectrum, InstrumentWindow::ObjEdit, InstrumentWindow::CreateObjects,
                 InstrumentWindow::OrbitCalculator, InstrumentWindow::RotatingPeriod, InstrumentWindow::AutoPilot})
    form->instruments().show(w, true);
  BodyNames& names = form->bodyNames();
  int lists = 0;
  for (QComboBox* c : form->findChildren<QComboBox*>()) {
    if (c->count() < 6 || c->itemText(c->count() - 3) != "Mars") continue;
    ++lists;
    EXPECT_EQ(c->model(), c->itemText(0) == "Sun" ? &names : &names.headed("Reference Object"))
        << c->objectName().toStdString();
  }
  EXPECT_GE(lists, 16);  // two per box, panel and spectrum, one per editor, the autopilot's
  // A list's drop-down window is made when the list first drops, not with the
  // box; dropped, it scrolls, and a distance box's list keeps the box's colours.
  const auto hasDropDown = [](const QComboBox* list) {
    for (const QWidget* w : list->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
      if (w->inherits("QComboBoxPrivateContainer")) return true;
    return false;
  };
  struct {
    QComboBox* list;
    QColor text;
  } const dropped[] = {{control->thrustPanel(0)->Combo1, form->palette().color(QPalette::Text)},
                       {editors->orbitBox(1)->Combo2, form->palette().color(QPalette::Text)},
                       {editors->distanceBox(1)->Combo2, Qt::white}};
  for (const auto& row : dropped) {
    const std::string window = row.list->window()->windowTitle().toStdString();
    EXPECT_FALSE(hasDropDown(row.list)) << window;
    row.list->showPopup();
    EXPECT_TRUE(hasDropDown(row.list) && row.list->view()->isVisible()) << window;
    if (row.list->isEditable()) {
      EXPECT_EQ(row.list->view()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded) << window;
    }
    EXPECT_EQ(row.list->view()->palette().color(QPalette::Text), row.text) << window;
    row.list->hidePopup();
  }
  editors->bodyEditors().showClassLibrary();
  form->refreshObjectLists();
  QComboBox* library = editors->bodyEditors().classLibrary()->Combo2;
  QComboBox* create = editors->bodyEditors().createObjects()->Combo1;
  PickRow(library, 2);
  PickRow(create, 2);
  QSignalSpy resets(&names, &QAbstractItemModel::modelReset);
  form->refreshObjectLists();
  EXPECT_EQ(resets.count(), 0);
  // The first Moon renamed: both references show its new name.
  state->ObjEditTarget = 3;
  form->instruments().show(InstrumentWindow::ObjEdit, true);
  editors->bodyEditors().objEdit()->Combo1->setEditText("Luna");
  editors->bodyEditors().objEdit()->OK_Click();
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(library->currentText() + create->currentText(), "LunaLuna");
  resets.clear();
  form->labelPopup().objLabel_MouseUp(4, Qt::RightButton, QPoint());
  form->labelPopup().mnuDeleteThisObject_Click();  // Mars
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(names.rowCount(), 5);
  EXPECT_EQ(editors->distanceBox(1)->Combo1->currentText(), "Sun");  // the focus body when it opened
}

}  // namespace
}  // namespace molvane
