#include "editors/objedit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "autopilot/autopilot.h"
#include "editors/bodyeditors.h"
#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "files/textitems.h"
#include "ui/bodynames.h"
#include "ui/colours.h"
#include "ui/editablelist.h"
#include "ui/optiongroup.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

template <size_t N>
QGroupBox* UnitGroup(const QString& caption, std::array<QRadioButton*, N>& buttons,
                     const std::array<const char*, N>& names, QWidget* parent) {
  auto* box = new QGroupBox(caption, parent);
  auto* lay = new QVBoxLayout(box);
  auto* group = new QButtonGroup(box);
  for (size_t k = 0; k < N; ++k) {
    buttons[k] = new QRadioButton(Latin1(names[k]), box);
    group->addButton(buttons[k]);
    lay->addWidget(buttons[k]);
  }
  return box;
}

}  // namespace

ObjEdit::ObjEdit(BodyEditors& owner, WindowServices& form) : BodyDialog(owner, form, "Edit Object") {
  auto* grid = new QGridLayout(this);
  auto lineBox = [this](const QString& caption, QLineEdit*& edit) {
    auto* box = new QGroupBox(caption, this);
    auto* lay = new QHBoxLayout(box);
    edit = new QLineEdit(box);
    lay->addWidget(edit);
    return box;
  };
  auto comboBox = [this](const QString& caption, QComboBox*& combo) {
    auto* box = new QGroupBox(caption, this);
    auto* lay = new QHBoxLayout(box);
    combo = new QComboBox(box);
    MakeEditableList(combo);
    lay->addWidget(combo);
    return box;
  };
  grid->addWidget(comboBox("Object", Combo1), 0, 0);
  grid->addWidget(comboBox("Reference Object", Combo2), 0, 1);
  grid->addWidget(lineBox("Mass", Text1), 1, 0);
  grid->addWidget(UnitGroup<4>("", massUnits, {"Earth masses", "Jupiter Masses", "Sun Masses", "Kilograms"}, this), 2,
                  0);
  grid->addWidget(lineBox("Size (Diameter)", Text8), 1, 1);
  grid->addWidget(
      UnitGroup<4>("", sizeUnits, {"Kilometers", "Earth Diameters", "Sun Diameters", "Jupiter Diameters"}, this), 2, 1);

  auto* colour = new QGroupBox("Color", this);
  auto* cl = new QHBoxLayout(colour);
  Shape1 = new QLabel(colour);
  Shape1->setFixedSize(24, 24);
  Shape1->setAutoFillBackground(true);
  Command1 = new QPushButton("choose color...", colour);
  cl->addWidget(Shape1);
  cl->addWidget(Command1);
  grid->addWidget(colour, 3, 0);

  auto vectorBox = [this](const QString& caption, int first) {
    auto* box = new QGroupBox(caption, this);
    auto* lay = new QGridLayout(box);
    const char* axes[] = {"X", "Y", "Z"};
    for (int a = 0; a < 3; ++a) {
      lay->addWidget(new QLabel(axes[a], box), a, 0);
      Text[first + a] = new QLineEdit(box);
      lay->addWidget(Text[first + a], a, 1);
    }
    return box;
  };
  grid->addWidget(vectorBox("Location", 2), 4, 0);
  grid->addWidget(UnitGroup<4>("", locationUnits,
                               {"Meters", "Kilometers", "Astronomical Units (Earth to Sun = 1)", "Light Years"}, this),
                  5, 0);
  grid->addWidget(vectorBox("Velocity", 5), 4, 1);
  grid->addWidget(UnitGroup<2>("", speedUnits, {"Meters / Second", "Kilometers / Second"}, this), 5, 1);

  auto* elements = new QGroupBox(this);
  auto* el = new QGridLayout(elements);
  const char* names[] = {"sma", "ec", "ai", "apg", "anl", "am"};
  QLabel** labels[] = {&lblSMA, &lblEc, &lblAi, &lblApg, &lblAnl, &lblAm};
  for (int k = 0; k < 6; ++k) {
    el->addWidget(new QLabel(names[k], elements), k, 0);
    *labels[k] = new QLabel(elements);
    el->addWidget(*labels[k], k, 1);
  }
  grid->addWidget(elements, 3, 1);

  auto* buttons = new QHBoxLayout;
  OK = new QPushButton("OK", this);
  Cancel = new QPushButton("Cancel", this);
  Apply = new QPushButton("Apply", this);
  Command2 = new QPushButton("Delete Object", this);
  for (QPushButton* b : {OK, Cancel, Apply, Command2}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  grid->addLayout(buttons, 6, 0, 1, 2);

  OK->setObjectName("OK");
  Cancel->setObjectName("Cancel");
  Apply->setObjectName("Apply");
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  const std::pair<QRadioButton*, const char*> unitNames[] = {
      {massUnits[0], "OpButEarthMasses"},    {massUnits[1], "OpButJupiterMasses"},
      {massUnits[2], "OpButSunMasses"},      {massUnits[3], "OpButMassKilograms"},
      {sizeUnits[0], "OpButSizeKilometers"}, {sizeUnits[1], "OpButEarthDiameters"},
      {sizeUnits[2], "OpButSunDiameters"},   {sizeUnits[3], "OpButJupiterDiameters"},
      {locationUnits[0], "OpButLocMeters"},  {locationUnits[1], "OpButLocKilometers"},
      {locationUnits[2], "OpButLocAU"},      {locationUnits[3], "OpButLocLY"},
      {speedUnits[0], "OpButSpeedMS"},       {speedUnits[1], "OpButSpeedKS"}};
  for (auto [b, name] : unitNames) b->setObjectName(name);
  connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
  connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
  connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });
  connect(Apply, &QPushButton::clicked, this, [this] { Apply_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(Text[2], &QLineEdit::textChanged, this, [this] { Text2_Change(); });
  for (QRadioButton* b : massUnits)
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (on) ShowMass();
    });
  for (QRadioButton* b : sizeUnits)
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (on) ShowSize();
    });
  for (QRadioButton* b : locationUnits) {
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (on) ShowLocation();
    });
  }
  for (QRadioButton* b : speedUnits)
    connect(b, &QRadioButton::toggled, this, [this](bool on) {
      if (on) ShowVelocity();
    });
}

double ObjEdit::massFactor() const { return ObjEditMassFactors[Chosen(massUnits)]; }
double ObjEdit::sizeFactor() const { return ObjEditSizeFactors[Chosen(sizeUnits)]; }
double ObjEdit::locationFactor() const { return ObjEditLocationFactors[Chosen(locationUnits)]; }
double ObjEdit::speedFactor() const { return ObjEditSpeedFactors[Chosen(speedUnits)]; }

bool ObjEdit::hasReference(int i) const { return s_.objref[i] != "Floating" && !s_.objref[i].empty(); }

// Body 0 (shown once the table is empty) is the floating point, never edited.
bool ObjEdit::editable() const { return EditedIndex >= 1 && EditedIndex <= BodyCount(s_); }

void ObjEdit::setSwatch(int32_t c) {
  swatch = c;
  SetBackColour(Shape1, c);
}

void ObjEdit::Form_Load() {
  s_.objeditloaded = true;
  s_.TimerWasOff = !form_.timerEnabled();
  form_.setTimerEnabled(false);
  s_.PausedFlag = true;
  EditedIndex = static_cast<int16_t>(std::clamp<int>(s_.ObjEditTarget, 0, BodyCount(s_)));
  massUnits[0]->setChecked(true);
  sizeUnits[0]->setChecked(true);
  locationUnits[1]->setChecked(true);
  speedUnits[1]->setChecked(true);
  setSwatch(s_.objcolor[EditedIndex]);
  FillBodyList(Combo1, form_);
  FillBodyList(Combo2, form_);
  Combo1->setEditText(Latin1(ShownName(s_, EditedIndex)));
  showEdited();
}

// The two texts are the edited body's name and reference as Apply writes
// them, not picks: they stay while the body does.
void ObjEdit::refill() {
  const QString name = Combo1->currentText();
  const QString reference = Combo2->currentText();
  FillBodyList(Combo1, form_);
  FillBodyList(Combo2, form_);
  const bool referenceWent = followBodies();
  if (!editable()) return;
  showText(Combo1, name, EditedIndex);
  if (!referenceWent) showText(Combo2, reference, ReferenceIndex);
}

// A text that is the name of the body it stands for shows that body's own
// entry, so that leaving the list does not pick the first of its name.
void ObjEdit::showText(QComboBox* c, const QString& text, int k) {
  if (k >= 1 && k <= BodyCount(s_) && Latin1(s_.objname[k]) == text) {
    ShowBodyEntry(c, s_, k);
  } else {
    const QSignalBlocker block(c);
    c->setEditText(text);
  }
}

// When the edited body is gone the dialog shows none, so that Apply and
// Delete write nothing the user did not see. A reference that is gone is
// looked up again by the stored name; with no body of that name the boxes
// show the body about the floating point, the list says "Floating" and the
// user is told once. True when the reference went.
bool ObjEdit::followBodies() {
  const int16_t i = FollowBody(s_, edited_, false);
  if (i < 0) {
    showNoBody();
    return false;
  }
  EditedIndex = i;
  const int16_t r = FollowBody(s_, reference_, false);
  if (r >= 0) {
    ReferenceIndex = r;
    return false;
  }
  // The held reference went: the stored reference is a name the user typed,
  // so it resolves as typed names do (the last body of that name).
  const bool stored = hasReference(EditedIndex);
  ReferenceIndex = stored ? FindBodyByName(s_, s_.objref[EditedIndex]) : int16_t{0};
  HoldBody(s_, reference_, ReferenceIndex);
  showReferenceName();
  ShowLocation();
  ShowVelocity();
  if (stored && ReferenceIndex == 0) {
    form_.message("Edit Object: the reference object of " + s_.objname[EditedIndex] +
                  " is gone; its place and velocity are shown about the floating point.");
  }
  return true;
}

// The stored reference, or "Floating" when it names no body: the boxes and
// the elements are then about the floating point.
void ObjEdit::showReferenceName() {
  const bool named = ReferenceIndex > 0 || !hasReference(EditedIndex);
  showText(Combo2, named ? Latin1(s_.objref[EditedIndex]) : QString("Floating"), ReferenceIndex);
}

void ObjEdit::showNoBody() {
  noBody_ = true;
  EditedIndex = 0;
  ReferenceIndex = 0;
  HoldBody(s_, edited_, 0);
  HoldBody(s_, reference_, 0);
  Combo1->setEditText({});
  Combo2->setEditText({});
  Shape1->setPalette(QPalette());  // no colour: the frame's own background
  for (QLineEdit* e : {Text1, Text8, Text[2], Text[3], Text[4], Text[5], Text[6], Text[7]}) e->clear();
  for (QLabel* l : {lblSMA, lblEc, lblAi, lblApg, lblAnl, lblAm}) l->clear();
}

void ObjEdit::Combo1_Click() {
  const int16_t i = PickedBody(Combo1, s_);
  if (i > 0) {
    EditedIndex = i;
    noBody_ = false;
  }
  showEdited();
}

void ObjEdit::showEdited() {
  if (noBody_) return;
  // The body's element reference while it carries the stored name: of two
  // bodies of one name, the one it was put about. No reference is none.
  ReferenceIndex =
      hasReference(EditedIndex) ? BodyOfName(s_, s_.objrefindex[EditedIndex], s_.objref[EditedIndex]) : int16_t{0};
  HoldBody(s_, edited_, EditedIndex);
  HoldBody(s_, reference_, ReferenceIndex);
  if (EditedIndex >= 1) ShowBodyEntry(Combo1, s_, EditedIndex);
  showReferenceName();
  setSwatch(s_.objcolor[EditedIndex]);
  ShowMass();
  ShowSize();
  ShowLocation();
  ShowVelocity();
  ComputeOrbitalElements(s_, EditedIndex, ReferenceIndex);
  ShowElements();
}

void ObjEdit::Combo2_Click() {
  const int16_t r = PickedBody(Combo2, s_);
  if (r > 0) ReferenceIndex = r;
  HoldBody(s_, reference_, ReferenceIndex);
  ShowLocation();
  ShowVelocity();
}

// With no body shown a unit click fills nothing.
void ObjEdit::ShowMass() {
  if (noBody_) return;
  Text1->setText(Latin1(GeneralText(s_.objmass[EditedIndex] / massFactor() / s_.timescale / s_.timescale)));
}

void ObjEdit::ShowSize() {
  if (!noBody_) Text8->setText(Latin1(GeneralText(s_.objsize[EditedIndex] / sizeFactor())));
}

void ObjEdit::ShowLocation() {
  if (noBody_) return;
  const int i = EditedIndex, r = ReferenceIndex;
  const bool rel = hasReference(i) && r > 0;
  const double f = locationFactor();
  const BodyArray<double>* pos[] = {&s_.objx, &s_.objy, &s_.objz};
  for (int a = 0; a < 3; ++a) {
    const double v = (*pos[a])[i] - (rel ? (*pos[a])[r] : 0.0);
    Text[2 + a]->setText(Latin1(GeneralText(v / f)));
  }
}

void ObjEdit::ShowVelocity() {
  if (noBody_) return;
  const int i = EditedIndex, r = ReferenceIndex;
  const bool rel = hasReference(i) && r > 0;
  const double f = speedFactor();
  const BodyArray<double>* vel[] = {&s_.objvx, &s_.objvy, &s_.objvz};
  for (int a = 0; a < 3; ++a) {
    const double v = (*vel[a])[i] - (rel ? (*vel[a])[r] : 0.0);
    Text[5 + a]->setText(Latin1(GeneralText(v / f / s_.timescale)));
  }
}

void ObjEdit::ShowElements() {
  const int i = EditedIndex;
  lblSMA->setText(Latin1(GeneralText(s_.objsma[i])));
  lblEc->setText(Latin1(GeneralText(s_.objecc[i])));
  lblAi->setText(Latin1(GeneralText(s_.objinc[i])));
  lblApg->setText(Latin1(GeneralText(s_.objper[i])));
  lblAnl->setText(Latin1(GeneralText(s_.objasc[i])));
  lblAm->setText(Latin1(GeneralText(s_.objma[i])));
}

// Every value is checked before anything is stored: a name Latin-1 cannot
// hold, or a number that does not fit a 64-bit float in the chosen unit,
// is refused with a message naming its box, and the body stays as it was.
bool ObjEdit::Apply_Click() {
  if (!editable()) return false;
  const int i = EditedIndex, r = ReferenceIndex;
  const double ts = s_.timescale;
  std::string problem =
      Latin1Problem({{"Object", Combo1->currentText()}, {"Reference Object", Combo2->currentText()}});
  // Positions and speeds are relative when the reference as typed names one.
  const std::string reference = BoxText(Combo2);
  const bool rel = reference != "Floating" && !reference.empty() && r > 0;
  BodyArray<double>* pos[] = {&s_.objx, &s_.objy, &s_.objz};
  BodyArray<double>* vel[] = {&s_.objvx, &s_.objvy, &s_.objvz};
  const struct {
    const char* field;
    QLineEdit* box;
    double factor, offset;
  } numbers[] = {{"Mass", Text1, massFactor() * ts * ts, 0},
                 {"Size (Diameter)", Text8, sizeFactor(), 0},
                 {"Location X", Text[2], locationFactor(), rel ? (*pos[0])[r] : 0.0},
                 {"Location Y", Text[3], locationFactor(), rel ? (*pos[1])[r] : 0.0},
                 {"Location Z", Text[4], locationFactor(), rel ? (*pos[2])[r] : 0.0},
                 {"Velocity X", Text[5], speedFactor() * ts, rel ? (*vel[0])[r] : 0.0},
                 {"Velocity Y", Text[6], speedFactor() * ts, rel ? (*vel[1])[r] : 0.0},
                 {"Velocity Z", Text[7], speedFactor() * ts, rel ? (*vel[2])[r] : 0.0}};
  std::array<double, std::size(numbers)> values{};
  for (size_t k = 0; k < values.size() && problem.empty(); ++k) {
    if (!ReadTypedNumber(BoxText(numbers[k].box), numbers[k].factor, values[k]) ||
        !std::isfinite(values[k] += numbers[k].offset)) {
      problem = std::string(numbers[k].field) + " is out of range: it must be a number a 64-bit float holds.";
    }
  }
  if (!problem.empty()) {
    form_.message(problem);
    return false;
  }
  const std::string oldName = s_.objname[i];
  s_.objname[i] = BoxText(Combo1);
  s_.objref[i] = reference;
  s_.objcolor[i] = swatch;
  s_.objcolor2[i] = DeriveBodyColour(swatch);
  s_.objmass[i] = values[0];
  s_.objsize[i] = values[1];
  for (int a = 0; a < 3; ++a) {
    (*pos[a])[i] = values[static_cast<size_t>(2 + a)];
    (*vel[a])[i] = values[static_cast<size_t>(5 + a)];
  }
  ComputeOrbitalElements(s_, i, r);
  ShowElements();
  if (s_.objname[i] != oldName) carryRename(oldName);
  form_.refreshObjectLists();  // also the name label's caption and colour
  Combo1->setEditText(Latin1(s_.objname[i]));
  Combo2->setEditText(r == 0 ? QString("Floating") : Latin1(s_.objname[r]));
  return true;
}

// The bodies about the renamed one name it anew; the autopilot's lines are
// the user's typing, so they are only pointed out.
void ObjEdit::carryRename(const std::string& oldName) {
  CarryRename(s_, EditedIndex, oldName);
  const std::string entries = AutopilotEntriesNaming(s_, oldName);
  if (entries.empty()) return;
  form_.message(oldName + " is now named " + s_.objname[EditedIndex] + ". These autopilot entries still name " +
                oldName + ": " + entries + ".");
}

// A refused value keeps the dialog open for the user to mend it.
void ObjEdit::OK_Click() {
  if (editable() && !Apply_Click()) return;
  Cancel_Click();
}

void ObjEdit::releaseHold() {
  if (!s_.TimerWasOff) {
    s_.PausedFlag = false;
    form_.setTimerEnabled(true);
  }
}

void ObjEdit::Cancel_Click() {
  releaseHold();
  close();
}

void ObjEdit::formUnload() {
  s_.objeditloaded = false;
  releaseHold();
}

// The colour is taken at once, without Apply; Cancel does not undo it.
void ObjEdit::Command1_Click() {
  if (!editable()) return;
  const std::optional<int32_t> c = owner_.askColour(swatch, this);
  if (!c) return;
  setSwatch(*c);
  s_.objcolor[EditedIndex] = *c;
  s_.objcolor2[EditedIndex] = DeriveBodyColour(*c);
}

void ObjEdit::Command2_Click() {
  if (!editable()) return;  // never the floating point
  const int k = EditedIndex;
  DeleteBody(s_, form_.engineHost(), k);
  EditedIndex = static_cast<int16_t>(std::min(k, BodyCount(s_)));
  HoldBody(s_, edited_, EditedIndex);  // the body that took its place
  form_.refreshObjectLists();
  Combo1->setEditText(Latin1(ShownName(s_, EditedIndex)));
  if (EditedIndex >= 1) noBody_ = false;
  showEdited();  // that body itself, not the last of its name
}

// A pasted state vector is spread over the six boxes. A single number is
// left as typed, so that a point or an exponent can still be typed after it.
void ObjEdit::Text2_Change() {
  if (splitting_) return;
  const std::vector<double> v = SplitStateVector(BoxText(Text[2]));
  if (v.size() < 2) return;
  splitting_ = true;
  for (size_t k = 0; k < v.size(); ++k) Text[2 + k]->setText(Latin1(GeneralText(v[k])));
  splitting_ = false;
}

}  // namespace molvane
