#include "editors/createobjects.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <cmath>

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

frmCreateMultipleObjects::frmCreateMultipleObjects(BodyEditors& owner, WindowServices& form)
    : BodyDialog(owner, form, "Create Objects") {
  auto* grid = new QGridLayout(this);
  auto pair = [this](const QString& caption, const QString& meanLabel, QLineEdit*& mean, QLineEdit*& spread,
                     const char* meanText, const char* spreadText) {
    auto* box = new QGroupBox(caption, this);
    auto* lay = new QGridLayout(box);
    mean = new QLineEdit(meanText, box);
    spread = new QLineEdit(spreadText, box);
    lay->addWidget(new QLabel(meanLabel, box), 0, 0);
    lay->addWidget(mean, 0, 1);
    lay->addWidget(new QLabel("+/- %", box), 1, 0);
    lay->addWidget(spread, 1, 1);
    return box;
  };
  auto units = [](QGroupBox* box, std::array<QRadioButton*, 4>& b, std::array<const char*, 4> names) {
    auto* lay = static_cast<QGridLayout*>(box->layout());
    auto* group = new QButtonGroup(box);
    for (int k = 0; k < 4; ++k) {
      b[k] = new QRadioButton(names[k], box);
      group->addButton(b[k]);
      lay->addWidget(b[k], 2 + k, 0, 1, 2);
    }
  };
  // Three columns, so that the dialog fits a screen 768 pixels high.
  grid->addWidget(pair("Eccentricity", "Mean", Text1, Text2, "", ""), 0, 0);
  QGroupBox* mass = pair("Mass", "Mean", Text4, Text5, "", "");
  units(mass, massUnits, {"Earth Masses", "Jupiter Masses", "Sun Masses", "Kilograms"});
  grid->addWidget(mass, 1, 0, 2, 1);
  QGroupBox* sma = pair("Semi-major axis", "SMA", Text6, Text7, "", "");
  units(sma, smaUnits, {"Meters", "Kilometers", "Astronomical Units", "Light Years"});
  grid->addWidget(sma, 1, 1, 2, 1);
  grid->addWidget(pair("Inclination", "Mean", Text8, Text9, "", ""), 0, 1);
  grid->addWidget(pair("Longitude of the ascending node", "Mean", Text10, Text11, "180", "100"), 0, 2);
  grid->addWidget(pair("Argument of perifocus", "Mean", Text12, Text13, "180", "100"), 1, 2);
  grid->addWidget(pair("Mean anomoly", "Mean", Text14, Text15, "180", "100"), 2, 2);
  grid->addWidget(pair("Size", "Size (Km)", Text17, Text16, "", ""), 3, 2);
  massUnits[0]->setChecked(true);
  smaUnits[2]->setChecked(true);

  auto* number = new QGroupBox("Number of Objects", this);
  (new QHBoxLayout(number))->addWidget(Text3 = new QLineEdit("1", number));
  grid->addWidget(number, 3, 0);
  auto* name = new QGroupBox("Name", this);
  (new QHBoxLayout(name))->addWidget(Text18 = new QLineEdit("Object", name));
  grid->addWidget(name, 3, 1);

  auto* ref = new QGroupBox("Reference object", this);
  auto* rl = new QVBoxLayout(ref);
  optionObject = new QRadioButton("Object", ref);
  OptionBarycenter = new QRadioButton("Barycenter", ref);
  Combo1 = new QComboBox(ref);
  MakeEditableList(Combo1);
  rl->addWidget(optionObject);
  rl->addWidget(OptionBarycenter);
  rl->addWidget(Combo1);
  optionObject->setChecked(true);
  grid->addWidget(ref, 4, 0, 2, 1);

  auto* angle = new QGroupBox("Units", this);
  auto* al = new QVBoxLayout(angle);
  Option2 = new QRadioButton("Degrees", angle);
  Option1 = new QRadioButton("Radians", angle);
  al->addWidget(Option2);
  al->addWidget(Option1);
  Option2->setChecked(true);
  grid->addWidget(angle, 4, 1, 2, 1);

  auto* colour = new QGroupBox("Color", this);
  auto* cl = new QHBoxLayout(colour);
  Shape1 = new QLabel(colour);
  Shape1->setFixedSize(24, 24);
  Shape1->setAutoFillBackground(true);
  Command2 = new QPushButton("choose color...", colour);
  cl->addWidget(Shape1);
  cl->addWidget(Command2);
  grid->addWidget(colour, 4, 2);
  setSwatch(0xFF00FF);

  auto* buttons = new QHBoxLayout;
  Command1 = new QPushButton("Create", this);
  btnCancel = new QPushButton("Cancel", this);
  buttons->addWidget(Command1);
  buttons->addWidget(btnCancel);
  grid->addLayout(buttons, 5, 2);

  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  btnCancel->setObjectName("btnCancel");
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancel_Click(); });
  connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
}

void frmCreateMultipleObjects::setSwatch(int32_t c) {
  swatch = c;
  SetBackColour(Shape1, c);
}

void frmCreateMultipleObjects::Form_Load() {
  s_.createmultipleobjectsloaded = true;
  refill();
  const int f = s_.focusobj >= 1 && s_.focusobj <= BodyCount(s_) ? s_.focusobj : 0;
  Combo1->setEditText(Latin1(ShownName(s_, f)));
  HoldBody(s_, reference_, f);
  ShowBodyEntry(Combo1, s_, f);
  if (f == 0) Combo1->setEditText(Latin1(ShownName(s_, 0)));
  random_.seed(static_cast<unsigned>(QTime::currentTime().msecsSinceStartOfDay() / 1000));
}

// The reference held shows its name now; one that has gone leaves the
// list empty.
void frmCreateMultipleObjects::refill() {
  const bool held = reference_.index >= 1;
  FillBodyList(Combo1, form_);
  if (!held) return;
  const int16_t k = FollowBody(s_, reference_, false);
  ShowBodyEntry(Combo1, s_, k);
  if (k < 1) HoldBody(s_, reference_, 0);
}

void frmCreateMultipleObjects::Combo1_Click() { HoldBody(s_, reference_, PickedBody(Combo1, s_)); }

int frmCreateMultipleObjects::reference() const {
  const std::string text = BoxText(Combo1);
  const int k = reference_.index;
  if (k >= 1 && k <= BodyCount(s_) && s_.objname[k] == text) return k;
  if (text.empty()) return -1;                                      // an empty name names no body
  if (const int16_t j = FindBodyByName(s_, text); j > 0) return j;  // a name typed
  return text == ShownName(s_, 0) ? 0 : -1;
}

void frmCreateMultipleObjects::formUnload() { s_.createmultipleobjectsloaded = false; }

void frmCreateMultipleObjects::btnCancel_Click() { close(); }

void frmCreateMultipleObjects::Command2_Click() {
  if (const std::optional<int32_t> c = owner_.askColour(swatch, this)) setSwatch(*c);
}

float frmCreateMultipleObjects::nextRandom() {
  float r = owner_.randomSource ? owner_.randomSource() : std::generate_canonical<float, 24>(random_);
  if (!(r >= 0.0f) || r >= 1.0f) r = 0.0f;  // stays in [0, 1)
  return r;
}

// A value that does not come out finite counts as 0.
double frmCreateMultipleObjects::draw(QLineEdit* mean, QLineEdit* spread, double factor) {
  const double r = nextRandom();
  const double v = SpreadDraw(ParseNumberPrefix(BoxText(mean)) * factor, ParseNumberPrefix(BoxText(spread)), r);
  return std::isfinite(v) ? v : 0.0;
}

// Puts new body N on its drawn orbit and scales its mass per step; why it
// cannot be, naming the field, else empty.
std::string frmCreateMultipleObjects::placeNewBody(int N) {
  if (s_.objmass[N] < 0) return "Mass must not be negative.";
  if (!(s_.objsma[N] > 0)) return "Semi-major axis must be a distance greater than 0.";
  const bool group = OptionBarycenter->isChecked();
  s_.NewBodyMass = group ? 0 : s_.objmass[N];
  const bool placed = PlaceBodyOnOrbit(s_, N, group);
  s_.NewBodyMass = 0;
  if (!placed) return "Semi-major axis and Eccentricity give no orbit about the reference object that can be computed.";
  const double ts = s_.timescale;
  if (!AssignNumber(s_.objmass[N] * ts * ts, s_.objmass[N])) return "Mass is too large for this time step.";
  return {};
}

bool frmCreateMultipleObjects::Command1_Click() {
  // Names the files cannot keep would come back as other names.
  if (const std::string problem =
          Latin1Problem({{"Name", Text18->text()}, {"Reference object", Combo1->currentText()}});
      !problem.empty()) {
    form_.message(problem);
    return false;
  }
  const double count = ParseNumberPrefix(BoxText(Text3));
  const int free = MaxBodies - BodyCount(s_);
  int n = 0;
  if (count >= 1) {
    if (!(count < free + 1)) {
      form_.message("Only " + std::to_string(free) + " more objects fit in the simulation (at most " +
                    std::to_string(MaxBodies) + ").");
      return false;
    }
    n = static_cast<int>(std::floor(count));
  }
  const int16_t refIndex = static_cast<int16_t>(reference());
  if (refIndex < 0) {
    const std::string text = BoxText(Combo1);
    form_.message(text.empty() ? "Reference object: no body is given."
                               : "Reference object: no body is named \"" + text + "\".");
    return false;
  }
  const double angle = Option2->isChecked() ? 2 * GetPi() / 360 : 1.0;
  const std::string base = BoxText(Text18);
  const std::string ref = BoxText(Combo1);
  const int before = BodyCount(s_);
  // A group placement gathers the reference's system in the focus system's
  // table: a refused creation gives it back.
  const auto system = s_.SystemElements;
  const int16_t systemCount = s_.SystemElementsCount;
  const double groupMass = s_.GroupMass;
  std::string problem;
  for (int k = 1; k <= n && problem.empty(); ++k) {
    const int N = BodyCount(s_) + 1;
    if (AddBody(s_, {.name = NewBodyName(s_, base, N), .ref = ref, .colour = swatch, .refIndex = refIndex}) == 0) break;
    s_.objmass[N] = draw(Text4, Text5, CreateMassFactors[Chosen(massUnits)]);
    s_.objsma[N] = draw(Text6, Text7, CreateSmaFactors[Chosen(smaUnits)]);
    s_.objecc[N] = draw(Text1, Text2, 1);
    s_.objinc[N] = draw(Text8, Text9, angle);
    s_.objper[N] = draw(Text12, Text13, angle);
    s_.objasc[N] = draw(Text10, Text11, angle);
    s_.objma[N] = draw(Text14, Text15, angle);
    s_.objsize[N] = draw(Text17, Text16, 1) * 1000;
    problem = placeNewBody(N);
  }
  if (!problem.empty()) {
    DropBodiesAbove(s_, before);
    s_.SystemElements = system;
    s_.SystemElementsCount = systemCount;
    s_.GroupMass = groupMass;
    form_.message("No objects were created: " + problem);
    return false;
  }
  form_.refreshObjectLists();
  form_.rebuildObjectLabels();
  close();
  return true;
}

}  // namespace molvane
