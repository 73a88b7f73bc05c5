#include "editors/orbitcalculator.h"

#include <QEvent>
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
#include "engine/orbits.h"
#include "ui/bodynames.h"
#include "ui/editablelist.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

OrbitCalculator::OrbitCalculator(BodyEditors& owner, WindowServices& form)
    : BodyDialog(owner, form, "Orbit Calculator") {
  auto* grid = new QGridLayout(this);
  auto* object = new QGroupBox("Object", this);
  Combo1 = new QComboBox(object);
  MakeEditableList(Combo1);
  (new QHBoxLayout(object))->addWidget(Combo1);
  grid->addWidget(object, 0, 0);
  auto apsis = [this](const QString& caption, QLineEdit*& distance, QLineEdit*& altitude) {
    auto* box = new QGroupBox(caption, this);
    auto* lay = new QGridLayout(box);
    lay->addWidget(new QLabel("Distance", box), 0, 0);
    lay->addWidget(distance = new QLineEdit(box), 0, 1);
    lay->addWidget(new QLabel("Altitude", box), 1, 0);
    lay->addWidget(altitude = new QLineEdit(box), 1, 1);
    return box;
  };
  auto single = [this](const QString& caption, QLineEdit*& edit) {
    auto* box = new QGroupBox(caption, this);
    (new QHBoxLayout(box))->addWidget(edit = new QLineEdit(box));
    return box;
  };
  grid->addWidget(apsis("Apogee", Text1, Text11), 1, 0);
  grid->addWidget(apsis("Perigee", Text2, Text9), 1, 1);
  grid->addWidget(single("Apogee Velocity", Text3), 2, 0);
  grid->addWidget(single("Perigee Velocity", Text4), 2, 1);
  grid->addWidget(single("Period", Text5), 3, 0);
  grid->addWidget(single("Distance", Text6), 4, 0);
  grid->addWidget(single("Tangent Velocity", Text7), 4, 1);
  grid->addWidget(single("Radial Velocity", Text8), 5, 0);
  auto* buttons = new QHBoxLayout;
  Command1 = new QPushButton("Compute", this);
  Command2 = new QPushButton("Close", this);
  Command3 = new QPushButton("Clear", this);
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  buttons->addWidget(Command3);
  grid->addLayout(buttons, 6, 0, 1, 2);
  for (QLineEdit* e : {Text6, Text7, Text8}) e->installEventFilter(this);
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  Command3->setObjectName("Command3");
  connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { close(); });
}

bool OrbitCalculator::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && (watched == Text6 || watched == Text7 || watched == Text8)) {
    StateBox_Click();
  }
  return BodyDialog::eventFilter(watched, event);
}

bool OrbitCalculator::centralValid() const { return CentralIndex >= 1 && CentralIndex <= BodyCount(s_); }

// A central body that went takes its speeds and period with it: the
// boxes are emptied and the user told once.
void OrbitCalculator::refill() {
  FillBodyList(Combo1, form_);
  const bool had = CentralIndex > 0;
  CentralIndex = std::max<int16_t>(FollowBody(s_, central_, false), 0);
  ShowBodyEntry(Combo1, s_, CentralIndex);
  if (!had || centralValid()) return;
  held = {};
  for (QLineEdit* e : {Text3, Text4, Text5}) e->clear();
  form_.message("Orbit Calculator: the central object is gone; pick another object to compute about.");
}

void OrbitCalculator::holdCentral(int16_t k) {
  CentralIndex = k;
  HoldBody(s_, central_, k);
}

void OrbitCalculator::showRadius() {
  const QString r = Latin1(ShortText(s_.objsize[CentralIndex] / 2000));
  Text1->setText(r);
  Text2->setText(r);
}

void OrbitCalculator::Form_Load() {
  s_.orbitcalculatorloaded = true;
  refill();
  ReferenceBoxReadout rb;
  if (s_.refbox1loaded && owner_.readReferenceBox1 && owner_.readReferenceBox1(rb)) {
    Combo1->setEditText(Latin1(rb.bodyName));
    if (const int16_t j = BodyOfName(s_, rb.body, rb.bodyName); j > 0) {
      holdCentral(j);
      ShowBodyEntry(Combo1, s_, j);
    }
    Text6->setText(Latin1(rb.distance));
    Text7->setText(Latin1(rb.tangentVelocity));
    Text8->setText(Latin1(rb.radialVelocity));
  } else {
    Combo1->setEditText(Latin1(s_.objname[1]));
    ShowBodyEntry(Combo1, s_, 1);
    holdCentral(1);
    showRadius();
  }
  Command1_Click();
}

void OrbitCalculator::Combo1_Click() {
  if (const int16_t j = PickedBody(Combo1, s_); j > 0) holdCentral(j);
  showRadius();
  Command1_Click();
}

void OrbitCalculator::Command1_Click() {
  if (!Text6->text().isEmpty() && centralValid()) {
    double apogee = 0, perigee = 0;
    if (ComputeApsidesFromState(s_.objmass[CentralIndex], s_.timescale, ParseGroupedNumber(BoxText(Text6)),
                                ParseNumberPrefix(BoxText(Text7)), ParseNumberPrefix(BoxText(Text8)), searchAngle,
                                apogee, perigee)) {
      Text1->setText(Latin1(GeneralText(apogee)));
      Text2->setText(Latin1(GeneralText(perigee)));
    }
  }
  ComputeFromApsides();
}

void OrbitCalculator::ComputeFromApsides() {
  if (centralValid()) {
    ComputeApsides(s_.objmass[CentralIndex], s_.timescale, ParseNumberPrefix(BoxText(Text1)),
                   ParseNumberPrefix(BoxText(Text2)), held);
  }
  Text3->setText(held.apogeeSpeed ? Latin1(GeneralText(*held.apogeeSpeed)) : QString());
  Text4->setText(held.perigeeSpeed ? Latin1(GeneralText(*held.perigeeSpeed)) : QString());
  Text5->setText(Latin1(ShortText(held.period)));
}

void OrbitCalculator::StateBox_Click() {
  for (QLineEdit* e : {Text3, Text4, Text5, Text1, Text11, Text2, Text9}) e->clear();
}

void OrbitCalculator::formUnload() { s_.orbitcalculatorloaded = false; }

}  // namespace molvane
