#include "editors/createclass.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "editors/bodyeditors.h"
#include "engine/bodies.h"
#include "engine/numtext.h"
#include "ui/bodynames.h"
#include "ui/colours.h"
#include "ui/editablelist.h"
#include "ui/optiongroup.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

CreateObjectClass::CreateObjectClass(BodyEditors& owner, WindowServices& form)
    : BodyDialog(owner, form, "Create Class of Objects") {
  auto* grid = new QGridLayout(this);
  auto single = [this](const QString& caption, QLineEdit*& edit) {
    auto* box = new QGroupBox(caption, this);
    (new QHBoxLayout(box))->addWidget(edit = new QLineEdit(box));
    return box;
  };
  auto range = [this](const QString& caption, QLineEdit*& lo, QLineEdit*& hi, std::array<QRadioButton*, 4>& units,
                      std::array<const char*, 4> names) {
    auto* box = new QGroupBox(caption, this);
    auto* lay = new QGridLayout(box);
    lay->addWidget(new QLabel("Minimum", box), 0, 0);
    lay->addWidget(lo = new QLineEdit(box), 0, 1);
    lay->addWidget(new QLabel("Maximum", box), 1, 0);
    lay->addWidget(hi = new QLineEdit(box), 1, 1);
    auto* group = new QButtonGroup(box);
    for (int k = 0; k < 4; ++k) {
      units[k] = new QRadioButton(names[k], box);
      group->addButton(units[k]);
      lay->addWidget(units[k], 2 + k, 0, 1, 2);
    }
    return box;
  };
  grid->addWidget(single("Object Class Name", Text9), 0, 0);
  auto* ref = new QGroupBox("Reference Object", this);
  Combo2 = new QComboBox(ref);
  MakeEditableList(Combo2);
  (new QHBoxLayout(ref))->addWidget(Combo2);
  grid->addWidget(ref, 0, 1);
  auto* colour = new QGroupBox("Color", this);
  Combo3 = new QComboBox(colour);
  for (int k = 0; k < 16; ++k) Combo3->addItem(QString::number(k));
  (new QHBoxLayout(colour))->addWidget(Combo3);
  grid->addWidget(colour, 1, 0);
  grid->addWidget(
      range("Mass", Text1, Text10, massUnits, {"Earth masses", "Jupiter Masses", "Sun Masses", "Kilograms"}), 2, 0);
  grid->addWidget(range("Size (Diameter)", Text8, Text11, sizeUnits,
                        {"Kilometers", "Earth Diameters", "Sun Diameters", "Jupiter Diameters"}),
                  2, 1);
  grid->addWidget(range("Distance", Text2, Text3, distanceUnits,
                        {"Meters", "Kilometers", "Astronomical Units (Earth to Sun = 1)", "Light Years"}),
                  3, 0);
  auto* number = new QGroupBox("Number of Objects", this);
  auto* nl = new QVBoxLayout(number);
  nl->addWidget(Text4 = new QLineEdit(number));
  nl->addWidget(Check1 = new QCheckBox("Use in Current Simulation", number));
  grid->addWidget(number, 3, 1);
  auto* buttons = new QHBoxLayout;
  OK = new QPushButton("OK", this);
  Cancel = new QPushButton("Cancel", this);
  Apply = new QPushButton("Apply", this);
  for (QPushButton* b : {OK, Cancel, Apply}) buttons->addWidget(b);
  grid->addLayout(buttons, 4, 0, 1, 2);

  OK->setObjectName("OK");
  Cancel->setObjectName("Cancel");
  Apply->setObjectName("Apply");
  connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { Cancel_Click(); });
  connect(Apply, &QPushButton::clicked, this, [this] { Apply_Click(); });
  connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
  connect(Combo3, &QComboBox::activated, this, [this] { Combo3_Click(); });
}

void CreateObjectClass::setColourNumber(int k) {
  Combo3->setCurrentIndex(k);
  QPalette p = Combo3->palette();
  p.setColor(QPalette::Text, ColourFromValue(PaletteColour(k)));
  p.setColor(QPalette::ButtonText, ColourFromValue(PaletteColour(k)));
  Combo3->setPalette(p);
}

void CreateObjectClass::Form_Load() {
  s_.createobjectclassloaded = true;
  massUnits[0]->setChecked(true);
  sizeUnits[0]->setChecked(true);
  distanceUnits[1]->setChecked(true);
  setColourNumber(15);
  library = ReadClassLibraryFile(owner_.libraryPath());
  for (const ObjectClassRecord& r : library) Combo2->addItem(Latin1(r.name));
  Combo2->setEditText(QString());
}

bool CreateObjectClass::Apply_Click() {
  // Names the library file cannot keep would come back as other names.
  if (const std::string problem =
          Latin1Problem({{"Object Class Name", Text9->text()}, {"Reference Object", Combo2->currentText()}});
      !problem.empty()) {
    form_.message(problem);
    return false;
  }
  ObjectClassRecord r;
  r.name = BoxText(Text9);
  r.reference = BoxText(Combo2);
  int16_t colour = 0;
  AssignNumber(ParseNumberPrefix(BoxText(Combo3)), colour);
  r.colour = colour;
  const double df = std::array<double, 4>{1, 1000, s_.AstronomicalUnit, LightYearMetres}[Chosen(distanceUnits)];
  r.mass = StoredClassValue(ParseNumberPrefix(BoxText(Text1)) * ClassMassFactors[Chosen(massUnits)]);
  r.size = StoredClassValue(ParseNumberPrefix(BoxText(Text8)) * ClassSizeFactors[Chosen(sizeUnits)]);
  r.distanceMin = StoredClassValue(ParseNumberPrefix(BoxText(Text2)) * df);
  r.distanceMax = StoredClassValue(ParseNumberPrefix(BoxText(Text3)) * df);
  r.number = StoredClassValue(ParseNumberPrefix(BoxText(Text4)) * df);
  if (!AppendClassRecord(owner_.libraryPath(), r)) {
    form_.message("The class library " + owner_.libraryPath() + " could not be written.");
    return false;
  }
  if (library.size() < static_cast<size_t>(MaxClassRecords)) library.push_back(r);
  Combo2->addItem(Text9->text());
  for (QLineEdit* e : {Text1, Text2, Text3, Text4, Text8, Text9}) e->clear();
  Combo2->setEditText(QString());
  HoldBody(s_, picked_, 0);  // the emptied reference holds no body
  setColourNumber(15);
  return true;
}

void CreateObjectClass::OK_Click() {
  if (!Text9->text().isEmpty() && !Apply_Click()) return;  // keep what was typed
  close();
}

void CreateObjectClass::Cancel_Click() { close(); }

// The list shows the class names until the body names replace them: an
// entry of those is no body, so its text is read as a typed name.
void CreateObjectClass::Combo2_Click() {
  const bool bodies = Combo2->model() == &form_.bodyNames();
  const std::string text = BoxText(Combo2);
  pickedBody = bodies ? PickedBody(Combo2, s_) : text.empty() ? 0 : FindBodyByName(s_, text);
  HoldBody(s_, picked_, pickedBody);
}

void CreateObjectClass::Combo3_Click() {
  const double k = ParseNumberPrefix(BoxText(Combo3));
  if (k >= 0 && k <= 15) setColourNumber(static_cast<int>(k));
  OK->setFocus();
}

// The reference picked shows its name now; one that has gone, none.
void CreateObjectClass::refill() {
  const bool held = picked_.index >= 1;
  FillBodyList(Combo2, form_);
  if (!held) return;
  pickedBody = std::max<int16_t>(FollowBody(s_, picked_, false), 0);
  ShowBodyEntry(Combo2, s_, pickedBody);
  HoldBody(s_, picked_, pickedBody);
}

void CreateObjectClass::formUnload() { s_.createobjectclassloaded = false; }

}  // namespace molvane
