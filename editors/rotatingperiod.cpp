#include "editors/rotatingperiod.h"

#include <QButtonGroup>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <cmath>

#include "editors/bodyeditors.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "ui/bodynames.h"
#include "ui/keys.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

// The main view divides by the period: only a finite period other than 0
// is taken.
bool UsablePeriod(double v) { return std::isfinite(v) && v != 0; }

constexpr const char* FactorCaptions[10] = {"+10%", "+1%", "+.1%", "+.01%", "+.001%",
                                            "-10%", "-1%", "-.1%", "-.01%", "-.001%"};
constexpr const char* FactorNames[10] = {"Command1", "Command2", "Command3", "Command4", "Command12",
                                         "Command5", "Command6", "Command7", "Command8", "Command11"};

}  // namespace

frmRotatingPeriod::frmRotatingPeriod(BodyEditors& owner, WindowServices& form)
    : BodyDialog(owner, form, "Rotating Period") {
  auto* lay = new QVBoxLayout(this);
  auto* top = new QGridLayout;
  top->addWidget(new QLabel("Period", this), 0, 0);
  TextRotatePeriod = new QLineEdit(this);
  top->addWidget(TextRotatePeriod, 1, 0);
  top->addWidget(new QLabel("Object", this), 0, 1);
  ComboRotatingObject = new QComboBox(this);
  // Wide enough to show the chosen body's name.
  ComboRotatingObject->setMinimumContentsLength(14);
  ComboRotatingObject->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  top->addWidget(ComboRotatingObject, 1, 1);
  lay->addLayout(top);

  auto* frames = new QHBoxLayout;
  auto* onOff = new QGroupBox(this);
  auto* ol = new QVBoxLayout(onOff);
  Option3 = new QRadioButton("Rotating Frame", onOff);
  Option4 = new QRadioButton("Stationary", onOff);
  ol->addWidget(Option3);
  ol->addWidget(Option4);
  auto* sense = new QGroupBox(this);
  auto* sl = new QVBoxLayout(sense);
  Option1 = new QRadioButton("Clockwise", sense);
  Option2 = new QRadioButton("Counterclockwise", sense);
  sl->addWidget(Option1);
  sl->addWidget(Option2);
  frames->addWidget(onOff);
  frames->addWidget(sense);
  lay->addLayout(frames);

  auto* factors = new QGridLayout;
  QFont bold("Arial");
  bold.setPointSizeF(8.25);
  bold.setBold(true);
  for (int k = 0; k < 10; ++k) {
    factorButtons[k] = new QPushButton(FactorCaptions[k], this);
    factorButtons[k]->setObjectName(FactorNames[k]);
    factorButtons[k]->setFont(bold);
    factorButtons[k]->setAutoDefault(false);
    factors->addWidget(factorButtons[k], k / 5, k % 5);
    connect(factorButtons[k], &QPushButton::clicked, this, [this, k] { Factor_Click(k); });
  }
  lay->addLayout(factors);
  auto* buttons = new QHBoxLayout;
  Command9 = new QPushButton("OK", this);
  Command10 = new QPushButton("Cancel", this);
  buttons->addWidget(Command9);
  buttons->addWidget(Command10);
  lay->addLayout(buttons);

  // Keys reach the main window's commands from everything but the period
  // box and the body list.
  ForwardKeysFrom(this);
  for (QWidget* w :
       {static_cast<QWidget*>(Option1), static_cast<QWidget*>(Option2), static_cast<QWidget*>(Option3),
        static_cast<QWidget*>(Option4), static_cast<QWidget*>(Command9), static_cast<QWidget*>(Command10)}) {
    ForwardKeysFrom(w);
  }
  for (QPushButton* b : factorButtons) ForwardKeysFrom(b);

  connect(TextRotatePeriod, &QLineEdit::textChanged, this, [this] { TextRotatePeriod_Change(); });
  connect(ComboRotatingObject, &QComboBox::activated, this, [this] { ComboRotatingObject_Click(); });
  connect(Option3, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option3_Click();
  });
  connect(Option4, &QRadioButton::toggled, this, [this](bool on) {
    if (on) Option4_Click();
  });
  connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) s_.RotatingFrame.clockwise = true;
  });
  connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) s_.RotatingFrame.clockwise = false;
  });
  Option1->setObjectName("Option1");
  Option2->setObjectName("Option2");
  Option3->setObjectName("Option3");
  Option4->setObjectName("Option4");
  Command9->setObjectName("Command9");
  Command10->setObjectName("Command10");
  connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
  connect(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
}

void frmRotatingPeriod::Form_Load() {
  s_.rotatingperiodloaded = true;
  showPeriod(s_.RotatingFrame.period);
  const bool on = s_.RotatingFrame.on, clockwise = s_.RotatingFrame.clockwise;
  (on ? Option3 : Option4)->setChecked(true);
  (clockwise ? Option1 : Option2)->setChecked(true);
  refill();
}

void frmRotatingPeriod::refill() { FillBodyList(ComboRotatingObject, form_); }

void frmRotatingPeriod::showPeriod(double v) { TextRotatePeriod->setText(Latin1(ShortText(v))); }

void frmRotatingPeriod::takePeriodFromBox() {
  const double v = ParseNumberPrefix(BoxText(TextRotatePeriod));
  if (UsablePeriod(v)) s_.RotatingFrame.period = v;
}

void frmRotatingPeriod::TextRotatePeriod_Change() { takePeriodFromBox(); }

void frmRotatingPeriod::Factor_Click(int k) {
  if (k < 0 || k >= static_cast<int>(RotatingPeriodFactors.size())) return;
  const double v = s_.RotatingFrame.period * RotatingPeriodFactors[k];
  if (!UsablePeriod(v)) return;
  s_.RotatingFrame.period = v;
  showPeriod(v);  // the change handler takes the period back from the text
}

// A body whose period cannot be computed (0) leaves the period as it is.
void frmRotatingPeriod::ComboRotatingObject_Click() {
  const double v = GetOrbitalPeriodOf(s_, PickedBody(ComboRotatingObject, s_));
  if (UsablePeriod(v)) showPeriod(v);
}

void frmRotatingPeriod::setOn(bool on) {
  s_.RotatingFrame.on = on;
  form_.syncMenus();
}

void frmRotatingPeriod::Option3_Click() {
  takePeriodFromBox();
  setOn(true);
}

void frmRotatingPeriod::Option4_Click() {
  takePeriodFromBox();
  setOn(false);
}

void frmRotatingPeriod::Command9_Click() {
  setOn(Option3->isChecked());
  close();
}

void frmRotatingPeriod::Command10_Click() { close(); }

void frmRotatingPeriod::formUnload() { s_.rotatingperiodloaded = false; }

}  // namespace molvane
