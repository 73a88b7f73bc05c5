#include "control/autopilotframes.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <cmath>
#include <initializer_list>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "engine/view.h"
#include "files/textitems.h"
#include "ui/bodynames.h"
#include "ui/colours.h"
#include "ui/editablelist.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

constexpr int DefaultProbeColour = 123456;  // red 64, green 226, blue 1
constexpr double ZoomAuKm = 1.5e8;
constexpr double ZoomLightYearKm = 9.3851136e12;

template <typename W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

QLineEdit* Box(const char* name) { return Named(new QLineEdit, name); }
QRadioButton* Option(const char* caption, const char* name) { return Named(new QRadioButton(caption), name); }

QComboBox* BodyCombo(QWidget* parent, const char* name) {
  auto* c = Named(new QComboBox(parent), name);
  MakeEditableList(c);
  return c;
}

// Radio buttons that behave as one group but can also all be cleared (the
// unit options of the zoom and the mass options can be left unchecked).
void MakeGroup(std::initializer_list<QRadioButton*> list) {
  std::vector<QRadioButton*> group(list);
  for (QRadioButton* b : group) {
    b->setAutoExclusive(false);
    QObject::connect(b, &QRadioButton::clicked, b, [b, group](bool checked) {
      if (!checked) {
        b->setChecked(true);  // a click never clears the chosen option
        return;
      }
      for (QRadioButton* o : group) {
        if (o != b) o->setChecked(false);
      }
    });
  }
}

// Options one below the other in `column` of `g` from `row` on, as one group.
void AddOptions(QGridLayout* g, int row, int column, std::initializer_list<QRadioButton*> options) {
  for (QRadioButton* b : options) g->addWidget(b, row++, column);
  MakeGroup(options);
}

void Select(std::initializer_list<QRadioButton*> group, QRadioButton* which) {
  for (QRadioButton* b : group) b->setChecked(b == which);
}

// The unit options of a distance: kilometres, AU, light years.
std::string CheckedUnit(QRadioButton* km, QRadioButton* au, QRadioButton* ly) {
  return km->isChecked() ? "Km" : au->isChecked() ? "AU" : ly->isChecked() ? "LY" : "";
}
// Checks the option of `unit`; another text changes nothing.
void SelectUnit(QRadioButton* km, QRadioButton* au, QRadioButton* ly, std::string_view unit) {
  QRadioButton* which = unit == "Km" ? km : unit == "AU" ? au : unit == "LY" ? ly : nullptr;
  if (which) Select({km, au, ly}, which);
}

// Labelled boxes one below the other in `g` from `row` on.
void AddRows(QGridLayout* g, int row, std::initializer_list<std::pair<const char*, QWidget*>> rows) {
  for (const auto& [label, w] : rows) {
    g->addWidget(new QLabel(label), row, 0);
    g->addWidget(w, row++, 1, 1, 1);
  }
}

// A number longer than its box shows its first digits, not its last.
void ShowFromStart(QLineEdit* box, const QString& text) {
  box->setText(text);
  box->setCursorPosition(0);
}

}  // namespace

// ---- Every frame.

CommandFrame::CommandFrame(QWidget* editor, WindowServices& form, const char* caption, const char* name)
    : QGroupBox(caption, editor), form_(form), s_(form.state()) {
  setObjectName(name);
  setVisible(false);
}

void CommandFrame::tightenLayouts(int spacing) {
  QList<QGroupBox*> boxes = findChildren<QGroupBox*>();
  boxes.prepend(this);
  for (QGroupBox* box : boxes) {
    if (QLayout* l = box->layout()) {
      l->setContentsMargins(4, 2, 4, 2);
      l->setSpacing(spacing);
    }
  }
}

void CommandFrame::loadBodyLists() {
  for (QComboBox* c : bodyListsFilledAtLoad()) {
    fillBodyList(c);
    c->setEditText({});
  }
}

void CommandFrame::refreshBodyLists() {
  for (QComboBox* c : bodyListsFilledAtLoad()) fillBodyList(c);
  for (QComboBox* c : bodyListsFilledAtPick()) fillBodyList(c);
}

// The list views the shared body names and keeps its text.
void CommandFrame::fillBodyList(QComboBox* c) const { ViewBodyNames(c, form_.bodyNames()); }

std::string CommandFrame::bodyName(int index) const {
  if (index < 0 || index > s_.objects || index > MaxBodies) return {};
  return s_.objname[index];
}

// ---- Thrust.

ThrustFrame::ThrustFrame(QWidget* editor, WindowServices& form) : CommandFrame(editor, form, "Thrust", "FrameThrust") {
  auto* g = new QGridLayout(this);
  OptionInitiateThrust = Option("Initiate", "OptionInitiateThrust");
  OptionCutOffThrust = Option("Cut Off", "OptionCutOffThrust");
  ComboThrustObject = BodyCombo(this, "ComboThrustObject");
  TextThrustRate = Box("TextThrustRate");
  g->addWidget(OptionInitiateThrust, 0, 0);
  g->addWidget(OptionCutOffThrust, 0, 1);
  AddRows(g, 1, {{"Object", ComboThrustObject}, {"Meters / Second", TextThrustRate}});
  MakeGroup({OptionInitiateThrust, OptionCutOffThrust});
  OptionInitiateThrust->setChecked(true);
  tightenLayouts(4);
  connect(OptionInitiateThrust, &QRadioButton::clicked, this, [this] { OptionInitiateThrust_Click(); });
  connect(OptionCutOffThrust, &QRadioButton::clicked, this, [this] { OptionCutOffThrust_Click(); });
}

void ThrustFrame::OptionInitiateThrust_Click() {
  Select({OptionInitiateThrust, OptionCutOffThrust}, OptionInitiateThrust);
  TextThrustRate->setEnabled(true);
}

void ThrustFrame::OptionCutOffThrust_Click() {
  Select({OptionInitiateThrust, OptionCutOffThrust}, OptionCutOffThrust);
  TextThrustRate->setEnabled(false);
}

void ThrustFrame::readFields(AutopilotFields& f) const {
  f.object = BoxText(ComboThrustObject);
  f.thrustInitiate = OptionInitiateThrust->isChecked();
  f.thrustRate = BoxText(TextThrustRate);
}

void ThrustFrame::restoreFields(const AutopilotFields& f) {
  ComboThrustObject->setEditText(Latin1(f.object));
  TextThrustRate->setText(Latin1(f.thrustRate));
  if (f.thrustInitiate) {
    OptionInitiateThrust_Click();
  } else {
    OptionCutOffThrust_Click();
  }
}

// The next thrust command defaults to the opposite one.
void ThrustFrame::added(const AutopilotFields& f) {
  if (f.thrustInitiate) {
    OptionCutOffThrust_Click();
  } else {
    OptionInitiateThrust_Click();
  }
}

// ---- The orient frames.

OrientFrame::OrientFrame(QWidget* editor, WindowServices& form, const Names& names, bool focusBodyAsReference)
    : CommandFrame(editor, form, names.caption, names.frame), focusBodyAsReference_(focusBodyAsReference) {
  auto* g = new QGridLayout(this);
  object = BodyCombo(this, names.object);
  reference = BodyCombo(this, names.reference);
  AddRows(g, 0, {{"Object", object}, {"Reference Object", reference}});
  tightenLayouts(4);
}

void OrientFrame::defaults() {
  if (focusBodyAsReference_) reference->setEditText(Latin1(bodyName(s_.focusobj)));
}

void OrientFrame::readFields(AutopilotFields& f) const {
  f.object = BoxText(object);
  f.reference = BoxText(reference);
}

void OrientFrame::restoreFields(const AutopilotFields& f) {
  object->setEditText(Latin1(f.object));
  reference->setEditText(Latin1(f.reference));
}

OrientCustomFrame::OrientCustomFrame(QWidget* editor, WindowServices& form)
    : CommandFrame(editor, form, "Orient Custom", "FrameOrientCustom") {
  auto* g = new QGridLayout(this);
  ComboOrientCustom = BodyCombo(this, "ComboOrientCustom");
  txtAzimuth = Box("txtAzimuth");
  txtAltitude = Box("txtAltitude");
  AddRows(g, 0,
          {{"Object", ComboOrientCustom}, {"Azimuth (Degrees)", txtAzimuth}, {"Altitude (Degrees)", txtAltitude}});
  auto* note = new QLabel(
      "Azimuth refers to degrees from the vernal equinox on the Ecliptic plane.  Altitude "
      "refers to degrees of inclination from the Ecliptic plane.");
  note->setWordWrap(true);
  g->addWidget(note, 3, 0, 1, 2);
  tightenLayouts(4);
}

void OrientCustomFrame::readFields(AutopilotFields& f) const {
  f.object = BoxText(ComboOrientCustom);
  f.azimuth = BoxText(txtAzimuth);
  f.altitude = BoxText(txtAltitude);
}

void OrientCustomFrame::restoreFields(const AutopilotFields& f) {
  ComboOrientCustom->setEditText(Latin1(f.object));
  txtAzimuth->setText(Latin1(f.azimuth));
  txtAltitude->setText(Latin1(f.altitude));
}

// ---- Rotating Frame.

RotatingFrame::RotatingFrame(QWidget* editor, WindowServices& form)
    : CommandFrame(editor, form, "Rotating Frame", "FrameRotatingFrame") {
  auto* g = new QGridLayout(this);
  ComboRotatingObject = BodyCombo(this, "ComboRotatingObject");
  TextRotatePeriod = Box("TextRotatePeriod");
  Option1 = Option("Clockwise", "Option1");
  Option2 = Option("Counterclockwise", "Option2");
  g->addWidget(ComboRotatingObject, 0, 0, 1, 2);
  AddRows(g, 1, {{"Period", TextRotatePeriod}});
  g->addWidget(Option1, 2, 0);
  g->addWidget(Option2, 2, 1);
  MakeGroup({Option1, Option2});
  Option1->setChecked(true);
  tightenLayouts(4);
  connect(ComboRotatingObject, &QComboBox::activated, this, [this] { ComboRotatingObject_Click(); });
}

void RotatingFrame::defaults() {
  fillBodyList(ComboRotatingObject);
  ComboRotatingObject->setEditText({});
}

void RotatingFrame::ComboRotatingObject_Click() {
  const double period = GetOrbitalPeriodOf(s_, PickedBody(ComboRotatingObject, s_));
  if (std::isfinite(period)) TextRotatePeriod->setText(Latin1(GeneralText(period)));
}

void RotatingFrame::readFields(AutopilotFields& f) const {
  f.rotatePeriod = BoxText(TextRotatePeriod);
  f.clockwise = Option1->isChecked();
}

// Period and direction come back too, so that Replace keeps them; the
// rotating body is not stored.
void RotatingFrame::restoreFields(const AutopilotFields& f) {
  TextRotatePeriod->setText(Latin1(f.rotatePeriod));
  Select({Option1, Option2}, f.clockwise ? Option1 : Option2);
}

// ---- Save and Open.

FileFrame::FileFrame(QWidget* editor, WindowServices& form, const Names& names, FileDialogKind kind)
    : CommandFrame(editor, form, names.caption, names.frame), kind_(kind) {
  auto* g = new QGridLayout(this);
  fileBox = Box(names.box);
  browse = Named(new QPushButton("Browse..."), names.browse);
  AddRows(g, 0, {{names.label, fileBox}});
  g->addWidget(browse, 1, 1);
  tightenLayouts(4);
  connect(browse, &QPushButton::clicked, this, [this] { browse_Click(); });
}

// The file dialog at the current file.
void FileFrame::browse_Click() {
  const FileRequest request{kind_, PathText(s_.isitname), PathText(s_.CurrentFolder), "Molvane (*.molv)"};
  const QString chosen = form_.dialogs().fileName(window(), request);
  if (chosen.isEmpty()) return;
  if (kind_ == FileDialogKind::Open) {
    fileBox->setText(PathText(RelativeSituationPath(s_.CurrentFolder, PathBytes(chosen))));
  } else {
    fileBox->setText(chosen);
  }
}

// A file name is in the system's bytes.
void FileFrame::readFields(AutopilotFields& f) const { f.fileName = PathBytes(fileBox->text()); }

void FileFrame::restoreFields(const AutopilotFields& f) { fileBox->setText(PathText(f.fileName)); }

// ---- Time Scale.

TimeScaleFrame::TimeScaleFrame(QWidget* editor, WindowServices& form)
    : CommandFrame(editor, form, "Time Scale", "FrameTimeScale") {
  auto* g = new QGridLayout(this);
  TextTimeScale = Box("TextTimeScale");
  g->addWidget(TextTimeScale, 0, 0, 1, 3);
  const char* units[] = {"Seconds", "Minutes", "Hours", "Days", "Months", "Years"};
  for (int i = 0; i < 6; ++i) {
    OptionTimeUnit[i] = new QRadioButton(units[i]);
    OptionTimeUnit[i]->setObjectName(QString("Option") + units[i]);
    g->addWidget(OptionTimeUnit[i], 1 + i / 3, i % 3);
  }
  MakeGroup({OptionTimeUnit[0], OptionTimeUnit[1], OptionTimeUnit[2], OptionTimeUnit[3], OptionTimeUnit[4],
             OptionTimeUnit[5]});
  OptionTimeUnit[0]->setChecked(true);
  tightenLayouts(4);
}

// The current time step in the largest unit it reaches.
void TimeScaleFrame::defaults() {
  const double s = s_.timescale;
  int unit = 5;
  while (unit > 0 && !(s >= TimeScaleUnitSeconds[unit])) --unit;
  for (int i = 0; i < 6; ++i) OptionTimeUnit[i]->setChecked(i == unit);
  TextTimeScale->setText(Latin1(GeneralText(s / TimeScaleUnitSeconds[unit])));
}

void TimeScaleFrame::readFields(AutopilotFields& f) const {
  f.timeScaleValue = BoxText(TextTimeScale);
  for (int i = 0; i < 6; ++i) {
    if (OptionTimeUnit[i]->isChecked()) f.timeScaleUnit = static_cast<TimeScaleUnit>(i);
  }
}

void TimeScaleFrame::restoreFields(const AutopilotFields& f) {
  TextTimeScale->setText(Latin1(f.timeScaleValue));
  for (int i = 0; i < 6; ++i) {
    OptionTimeUnit[i]->setChecked(i == static_cast<int>(f.timeScaleUnit));
  }
}

// ---- Focus.

FocusFrame::FocusFrame(QWidget* editor, WindowServices& form) : CommandFrame(editor, form, "Focus", "FrameFocus") {
  auto* g = new QGridLayout(this);
  auto* persp = Named(new QGroupBox("Perspective"), "Frame1");
  auto* pl = new QHBoxLayout(persp);
  OptionFloating = Option("Floating", "OptionFloating");
  OptionAbsolute = Option("Absolute", "OptionAbsolute");
  pl->addWidget(OptionFloating);
  pl->addWidget(OptionAbsolute);
  MakeGroup({OptionFloating, OptionAbsolute});
  OptionAbsolute->setChecked(true);
  auto* objectFrame = Named(new QGroupBox("Focus Object"), "Frame2");
  auto* ol = new QHBoxLayout(objectFrame);
  ComboFocusObject = BodyCombo(objectFrame, "ComboFocusObject");
  ol->addWidget(ComboFocusObject);
  auto* offset = Named(new QGroupBox("Offset"), "Frame3");
  auto* og = new QGridLayout(offset);
  TextOffsetX = Box("TextOffsetX");
  TextOffsetY = Box("TextOffsetY");
  TextOffsetZ = Box("TextOffsetZ");
  AddRows(og, 0, {{"X", TextOffsetX}, {"Y", TextOffsetY}, {"Z", TextOffsetZ}});
  OptionOffsetKm = Option("Kilometers", "OptionOffsetKm");
  OptionOffsetAU = Option("AU", "OptionOffsetAU");
  OptionOffsetLY = Option("Light Years", "OptionOffsetLY");
  AddOptions(og, 0, 2, {OptionOffsetKm, OptionOffsetAU, OptionOffsetLY});
  OptionOffsetKm->setChecked(true);
  g->addWidget(persp, 0, 0);
  g->addWidget(objectFrame, 1, 0);
  g->addWidget(offset, 0, 1, 2, 1);
  tightenLayouts(4);
}

// The body focused before, and its offset from the floating body in the
// unit that suits the larger of its x and y.
void FocusFrame::defaults() {
  fillBodyList(ComboFocusObject);
  ComboFocusObject->setEditText({});
  const int p = s_.PreviousFocusObj;
  ComboFocusObject->setEditText(Latin1(bodyName(p)));
  if (p < 0 || p > s_.objects || p > MaxBodies) return;
  const double dx = s_.objx[p] - s_.objx[0];
  const double dy = s_.objy[p] - s_.objy[0];
  const double m = dy > dx ? dy : dx;
  double unit = 1000;
  QRadioButton* option = OptionOffsetKm;
  if (m > LightYearMetres) {
    unit = LightYearMetres;
    option = OptionOffsetLY;
  } else if (m >= 1.5e8) {
    unit = s_.AstronomicalUnit;
    option = OptionOffsetAU;
  }
  if (std::isfinite(dx / unit) && std::isfinite(dy / unit)) {
    Select({OptionOffsetKm, OptionOffsetAU, OptionOffsetLY}, option);
    ShowFromStart(TextOffsetX, Latin1(GeneralText(dx / unit)));
    ShowFromStart(TextOffsetY, Latin1(GeneralText(dy / unit)));
  }
}

void FocusFrame::readFields(AutopilotFields& f) const {
  f.object = BoxText(ComboFocusObject);
  f.perspective = OptionAbsolute->isChecked() ? "Absolute" : OptionFloating->isChecked() ? "Floating" : "";
  f.offsetX = BoxText(TextOffsetX);
  f.offsetY = BoxText(TextOffsetY);
  f.offsetZ = BoxText(TextOffsetZ);
  f.offsetUnit = CheckedUnit(OptionOffsetKm, OptionOffsetAU, OptionOffsetLY);
}

void FocusFrame::restoreFields(const AutopilotFields& f) {
  ComboFocusObject->setEditText(Latin1(f.object));
  if (f.perspective == "Floating") Select({OptionFloating, OptionAbsolute}, OptionFloating);
  if (f.perspective == "Absolute") Select({OptionFloating, OptionAbsolute}, OptionAbsolute);
  ShowFromStart(TextOffsetX, Latin1(f.offsetX));
  ShowFromStart(TextOffsetY, Latin1(f.offsetY));
  ShowFromStart(TextOffsetZ, Latin1(f.offsetZ));
  SelectUnit(OptionOffsetKm, OptionOffsetAU, OptionOffsetLY, f.offsetUnit);
}

// ---- Zoom.

ZoomFrame::ZoomFrame(QWidget* editor, WindowServices& form) : CommandFrame(editor, form, "Zoom", "FrameZoom") {
  auto* g = new QGridLayout(this);
  OptionDouble = Option("Zoom in", "OptionDouble");
  OptionHalf = Option("Zoom Out", "OptionHalf");
  OptionSpecify = Option("Specify  . . .", "OptionSpecify");
  AddOptions(g, 0, 0, {OptionDouble, OptionHalf, OptionSpecify});
  OptionDouble->setChecked(true);
  FrameSpecifyZoom = Named(new QGroupBox("Specify Zoom"), "FrameSpecifyZoom");
  auto* sg = new QGridLayout(FrameSpecifyZoom);
  TextZoomValue = Box("TextZoomValue");
  OptionKM = Option("Kilometers", "OptionKM");
  OptionAU = Option("Astronomical Units", "OptionAU");
  OptionLY = Option("Light Years", "OptionLY");
  sg->addWidget(TextZoomValue, 0, 0);
  AddOptions(sg, 1, 0, {OptionKM, OptionAU, OptionLY});
  g->addWidget(FrameSpecifyZoom, 0, 1, 3, 1);
  enableSpecifyZoom(false);
  tightenLayouts(4);
  const std::pair<QRadioButton*, void (ZoomFrame::*)()> clicks[] = {{OptionDouble, &ZoomFrame::OptionDouble_Click},
                                                                    {OptionHalf, &ZoomFrame::OptionHalf_Click},
                                                                    {OptionSpecify, &ZoomFrame::OptionSpecify_Click}};
  for (auto [option, handler] : clicks) {
    connect(option, &QRadioButton::clicked, this, [this, h = handler] { (this->*h)(); });
  }
}

void ZoomFrame::enableSpecifyZoom(bool enabled) {
  for (QWidget* c : std::initializer_list<QWidget*>{FrameSpecifyZoom, TextZoomValue, OptionKM, OptionAU, OptionLY}) {
    c->setEnabled(enabled);
  }
}

void ZoomFrame::OptionDouble_Click() {
  Select({OptionDouble, OptionHalf, OptionSpecify}, OptionDouble);
  enableSpecifyZoom(false);
  Select({OptionKM, OptionAU, OptionLY}, nullptr);
}

void ZoomFrame::OptionHalf_Click() {
  OptionDouble_Click();
  Select({OptionDouble, OptionHalf, OptionSpecify}, OptionHalf);
}

void ZoomFrame::OptionSpecify_Click() {
  Select({OptionDouble, OptionHalf, OptionSpecify}, OptionSpecify);
  enableSpecifyZoom(true);
  Select({OptionKM, OptionAU, OptionLY}, OptionAU);
}

// The visible width in the unit that suits it, offered disabled until
// "Specify  . . ." is picked.
void ZoomFrame::defaults() {
  enableSpecifyZoom(false);
  const std::optional<double> width = VisibleWidthKm(s_, form_.screenWidthPixels());
  if (!width) return;
  form_.setVisibleWidthKm(*width);
  const double km = form_.visibleWidthKm();
  double value = km;
  QRadioButton* option = OptionKM;
  if (km > ZoomLightYearKm) {
    value = km / ZoomLightYearKm;
    option = OptionLY;
  } else if (km >= ZoomAuKm) {
    value = km / ZoomAuKm;
    option = OptionAU;
  }
  Select({OptionKM, OptionAU, OptionLY}, option);
  TextZoomValue->setText(Latin1(GeneralText(value)));
}

void ZoomFrame::readFields(AutopilotFields& f) const {
  f.zoom = OptionDouble->isChecked()    ? ZoomOption::In
           : OptionHalf->isChecked()    ? ZoomOption::Out
           : OptionSpecify->isChecked() ? ZoomOption::Specify
                                        : ZoomOption::None;
  f.zoomValue = BoxText(TextZoomValue);
  f.zoomUnit = CheckedUnit(OptionKM, OptionAU, OptionLY);
}

// "Specify  . . ." checks AU; the line's unit, if any, follows.
void ZoomFrame::restoreFields(const AutopilotFields& f) {
  if (f.zoom == ZoomOption::In) {
    OptionDouble_Click();
  } else if (f.zoom == ZoomOption::Out) {
    OptionHalf_Click();
  } else {
    OptionSpecify_Click();
    TextZoomValue->setText(Latin1(f.zoomValue));
    SelectUnit(OptionKM, OptionAU, OptionLY, f.zoomUnit);
  }
}

// ---- Graphics.

GraphicsFrame::GraphicsFrame(QWidget* editor, WindowServices& form)
    : CommandFrame(editor, form, "Graphics", "FrameGraphics") {
  auto* g = new QGridLayout(this);
  const std::tuple<QCheckBox**, const char*, const char*> checks[] = {
      {&CheckTrails, "Trails", "CheckTrails"},
      {&CheckLabels, "Labels", "CheckLabels"},
      {&CheckImage, "Image", "CheckImage"},
      {&CheckPlot, "Plot", "CheckPlot"},
      {&CheckExaggerate, "Exaggerate sizes", "CheckExaggerate"}};
  int r = 0;
  for (auto [check, caption, name] : checks) {
    *check = Named(new QCheckBox(caption), name);
    g->addWidget(*check, r++, 0);
  }
  CheckPlot->setChecked(true);
  tightenLayouts(4);
}

void GraphicsFrame::readFields(AutopilotFields& f) const {
  f.trails = CheckTrails->isChecked();
  f.labels = CheckLabels->isChecked();
  f.images = CheckImage->isChecked();
  f.plot = CheckPlot->isChecked();
  f.exaggerate = CheckExaggerate->isChecked();
}

void GraphicsFrame::restoreFields(const AutopilotFields& f) {
  CheckTrails->setChecked(f.trails);
  CheckLabels->setChecked(f.labels);
  CheckImage->setChecked(f.images);
  CheckPlot->setChecked(f.plot);
  CheckExaggerate->setChecked(f.exaggerate);
}

// ---- Release Probe.

// The names and the size, the release direction and the colour side by side
// over the mass row: the frame must fit its 176 pixels, so it keeps its
// spacing small too.
ReleaseProbeFrame::ReleaseProbeFrame(QWidget* editor, WindowServices& form, double& lastMassFactor)
    : CommandFrame(editor, form, "Release Probe", "FrameReleaseProbe"), lastMassFactor_(lastMassFactor) {
  auto* g = new QGridLayout(this);
  auto* names = new QGridLayout;
  names->setSpacing(2);
  ComboReleaseProbe = BodyCombo(this, "ComboReleaseProbe");
  txtProbeName = Box("txtProbeName");
  Text6 = Box("Text6");
  AddRows(names, 0, {{"Release From:", ComboReleaseProbe}, {"Probe Name:", txtProbeName}, {"Size (meters):", Text6}});
  auto* mass = Named(new QGroupBox("Mass"), "Frame4");
  auto* mg = new QGridLayout(mass);
  Text4 = Named(new QLineEdit("0"), "Text4");
  OpButEarthMasses = Option("Earth Masses", "OpButEarthMasses");
  OpButJupiterMasses = Option("Jupiter Masses", "OpButJupiterMasses");
  OpButSunMasses = Option("Solar Masses", "OpButSunMasses");
  OpButMassKilograms = Option("Kg", "OpButMassKilograms");
  Check1 = Named(new QCheckBox("Deduct mass from releasing body"), "Check1");
  Text4->setMaximumWidth(60);
  mg->addWidget(Text4, 0, 0);
  mg->addWidget(OpButEarthMasses, 0, 1);
  mg->addWidget(OpButJupiterMasses, 0, 2);
  mg->addWidget(OpButSunMasses, 0, 3);
  mg->addWidget(OpButMassKilograms, 1, 0);
  mg->addWidget(Check1, 1, 1, 1, 3);
  MakeGroup({OpButEarthMasses, OpButJupiterMasses, OpButSunMasses, OpButMassKilograms});
  OpButMassKilograms->setChecked(true);
  Check1->setChecked(true);
  auto* dir = Named(new QGroupBox("Release direction"), "Frame6");
  auto* dg = new QGridLayout(dir);
  Text3 = Named(new QLineEdit("0"), "Text3");
  Text5 = Named(new QLineEdit("0"), "Text5");
  Text3->setMaximumWidth(48);
  Text5->setMaximumWidth(48);
  AddRows(dg, 0, {{"Az", Text3}, {"Alt", Text5}});
  auto* colour = Named(new QGroupBox("Color"), "Frame5");
  auto* cg = new QVBoxLayout(colour);
  Shape1 = Named(new QFrame, "Shape1");
  Shape1->setFrameShape(QFrame::Box);
  Shape1->setAutoFillBackground(true);
  Shape1->setMinimumSize(24, 16);
  Command3 = Named(new QPushButton("choose color..."), "Command3");
  cg->addWidget(Shape1);
  cg->addWidget(Command3);
  g->addLayout(names, 0, 0);
  g->addWidget(dir, 0, 1);
  g->addWidget(colour, 0, 2);
  g->addWidget(mass, 1, 0, 1, 3);
  g->setColumnStretch(0, 1);
  for (QWidget* w : std::initializer_list<QWidget*>{ComboReleaseProbe, txtProbeName, Text6}) {
    w->setMinimumWidth(64);
  }
  tightenLayouts(2);
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

// The first "Probe n" that no body bears (every body bearing a candidate
// moves the counter on) and the default colour.
void ReleaseProbeFrame::defaults() {
  for (;;) {
    const std::string candidate = "Probe " + std::to_string(s_.ProbeCounter + 1);
    bool taken = false;
    const int n = BodyCount(s_);
    for (int i = 1; i <= n; ++i) {
      if (s_.objname[i] == candidate) {
        taken = true;
        if (s_.ProbeCounter < INT16_MAX) ++s_.ProbeCounter;
      }
    }
    if (!taken || s_.ProbeCounter >= INT16_MAX - 1) {
      txtProbeName->setText(Latin1(candidate));
      break;
    }
  }
  setProbeColour(DefaultProbeColour);
}

void ReleaseProbeFrame::setProbeColour(int32_t colour) {
  probeColour_ = colour;
  SetBackColour(Shape1, colour);
}

void ReleaseProbeFrame::Command3_Click() {
  const std::optional<QColor> c = form_.dialogs().colour(window(), ColourFromValue(probeColour_), "Color");
  if (c && c->isValid()) setProbeColour(ValueFromColour(*c));
}

// Earth masses per unit of the mass box: the checked option's factor.
double ReleaseProbeFrame::massFactor(double noneChecked) const {
  double factor = noneChecked;
  if (OpButEarthMasses->isChecked()) factor = ProbeMassFactorEarth;
  if (OpButJupiterMasses->isChecked()) factor = ProbeMassFactorJupiter;
  if (OpButSunMasses->isChecked()) factor = ProbeMassFactorSun;
  if (OpButMassKilograms->isChecked()) factor = ProbeMassFactorKg;
  return factor;
}

void ReleaseProbeFrame::readFields(AutopilotFields& f) const {
  f.object = BoxText(ComboReleaseProbe);
  f.azimuth = BoxText(Text3);
  f.altitude = BoxText(Text5);
  f.probeName = BoxText(txtProbeName);
  f.probeColour = probeColour_;
  f.probeMass = ParseNumberPrefix(BoxText(Text4)) * massFactor(lastMassFactor_);
  f.deductMass = Check1->isChecked();
  f.probeSize = BoxText(Text6);
}

// The whole probe comes back, so that Replace writes what was stored (the
// mass in Earth masses).
void ReleaseProbeFrame::restoreFields(const AutopilotFields& f) {
  ComboReleaseProbe->setEditText(Latin1(f.object));
  Text3->setText(Latin1(f.azimuth));
  Text5->setText(Latin1(f.altitude));
  txtProbeName->setText(Latin1(f.probeName));
  setProbeColour(f.probeColour);
  Text4->setText(Latin1(GeneralText(f.probeMass)));
  Select({OpButEarthMasses, OpButJupiterMasses, OpButSunMasses, OpButMassKilograms}, OpButEarthMasses);
  Check1->setChecked(f.deductMass);
  Text6->setText(Latin1(f.probeSize));
}

void ReleaseProbeFrame::added(const AutopilotFields&) { lastMassFactor_ = massFactor(lastMassFactor_); }

}  // namespace molvane
