#include "control/autopilotdialog.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <type_traits>
#include <vector>

#include "autopilot/autopilot.h"
#include "engine/autopilotarm.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "ui/colours.h"
#include "ui/dialogs.h"
#include "ui/editablelist.h"
#include "ui/text.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

constexpr int DefaultProbeColour = 123456;  // red 64, green 226, blue 1
constexpr double ZoomAuKm = 1.5e8;
constexpr double ZoomLightYearKm = 9.3851136e12;

double Number(const QString& t) { return ParseNumberPrefix(Latin1Bytes(t)); }

// A command line in the list: Latin-1, but for the file name that ends an
// Open or Save line, which is file-name bytes.
bool EndsInPath(std::string_view line) {
  const std::string_view w = AutopilotLineWord(line);
  return (w == "Open" || w == "Save") && line.size() >= AutopilotParamColumn - 1;
}
QString LineText(std::string_view line) {
  if (!EndsInPath(line)) return Latin1(line);
  return Latin1(line.substr(0, AutopilotParamColumn - 1)) + PathText(line.substr(AutopilotParamColumn - 1));
}
std::string LineBytes(const QString& text) {
  std::string head = Latin1Bytes(text.left(AutopilotParamColumn - 1));
  if (!EndsInPath(head)) return Latin1Bytes(text);
  return head + PathBytes(text.mid(AutopilotParamColumn - 1));
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

QComboBox* BodyCombo(QWidget* parent) {
  auto* c = new QComboBox(parent);
  MakeEditableList(c);
  return c;
}

QGroupBox* Frame(QWidget* parent, const char* caption) {
  auto* f = new QGroupBox(caption, parent);
  f->setVisible(false);
  return f;
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

using Editor = frmAutoPilot;

}  // namespace

// What the editor does with one command word. The boxes named here are
// read by "Add >>" and put back by "<< Edit" for every word that has them;
// the functions do the rest of the word's work.
struct frmAutoPilot::CommandRow {
  std::string_view word;                    // in ComboCommand
  QGroupBox* Editor::*frame = nullptr;      // the frame made visible; none: no frame
  QComboBox* Editor::*object = nullptr;     // the body the command acts on
  QComboBox* Editor::*reference = nullptr;  // the reference object
  bool focusBodyAsReference = false;        // a pick puts the focus body into `reference`
  QLineEdit* Editor::*azimuth = nullptr;    // degrees
  QLineEdit* Editor::*altitude = nullptr;
  QLineEdit* Editor::*fileBox = nullptr;                         // a file name in the system's bytes
  void (Editor::*defaults)() = nullptr;                          // the rest of the defaults and side effects of a pick
  void (Editor::*parameters)(AutopilotFields&) const = nullptr;  // the rest of the line's fields
  void (Editor::*restoredControls)(const AutopilotFields&) = nullptr;  // the rest "<< Edit" puts back
  void (Editor::*added)(const AutopilotFields&) = nullptr;             // after the command went into the list
};

// The editor's words in the order of its word list.
const frmAutoPilot::CommandRow frmAutoPilot::CommandTable[] = {
    {.word = "Caption",
     .defaults = &Editor::showCaptionDialog,
     .parameters = &Editor::captionFields,
     .restoredControls = &Editor::restoreCaption},
    {.word = "Orient Prograde",
     .frame = &Editor::FrameOrient,
     .object = &Editor::ComboOrientObject,
     .reference = &Editor::ComboOrientReference,
     .focusBodyAsReference = true},
    {.word = "Orient Retrograde",
     .frame = &Editor::FrameOrientRetrograde,
     .object = &Editor::ComboOrientRetrogradeObject,
     .reference = &Editor::ComboOrientRetrogradeReference,
     .focusBodyAsReference = true},
    {.word = "Orient Toward",
     .frame = &Editor::frameOrientToward,
     .object = &Editor::ComboOrientTowardObject,
     .reference = &Editor::ComboOrientTowardReference},
    {.word = "Orient Away",
     .frame = &Editor::FrameOrientAway,
     .object = &Editor::ComboOrientAwayObject,
     .reference = &Editor::ComboOrientAwayReference},
    {.word = "Orient Custom",
     .frame = &Editor::FrameOrientCustom,
     .object = &Editor::ComboOrientCustom,
     .azimuth = &Editor::txtAzimuth,
     .altitude = &Editor::txtAltitude},
    {.word = "Thrust",
     .frame = &Editor::FrameThrust,
     .object = &Editor::ComboThrustObject,
     .parameters = &Editor::thrustFields,
     .restoredControls = &Editor::restoreThrust,
     .added = &Editor::thrustAdded},
    {.word = "Rotating Frame",
     .frame = &Editor::FrameRotatingFrame,
     .defaults = &Editor::rotatingFrameDefaults,
     .parameters = &Editor::rotatingFrameFields,
     .restoredControls = &Editor::restoreRotatingFrame},
    {.word = "Save", .frame = &Editor::frameSave, .fileBox = &Editor::Text2},
    {.word = "Pause"},
    {.word = "Time Scale",
     .frame = &Editor::FrameTimeScale,
     .defaults = &Editor::timeScaleDefaults,
     .parameters = &Editor::timeScaleFields,
     .restoredControls = &Editor::restoreTimeScale},
    {.word = "Open", .frame = &Editor::FrameOpen, .fileBox = &Editor::Text7},
    {.word = "Focus",
     .frame = &Editor::FrameFocus,
     .object = &Editor::ComboFocusObject,
     .defaults = &Editor::focusDefaults,
     .parameters = &Editor::focusFields,
     .restoredControls = &Editor::restoreFocus},
    {.word = "Zoom",
     .frame = &Editor::FrameZoom,
     .defaults = &Editor::zoomDefaults,
     .parameters = &Editor::zoomFields,
     .restoredControls = &Editor::restoreZoom},
    {.word = "Graphics",
     .frame = &Editor::FrameGraphics,
     .parameters = &Editor::graphicsFields,
     .restoredControls = &Editor::restoreGraphics},
    {.word = "Release Probe",
     .frame = &Editor::FrameReleaseProbe,
     .object = &Editor::ComboReleaseProbe,
     .azimuth = &Editor::Text3,
     .altitude = &Editor::Text5,
     .defaults = &Editor::releaseProbeDefaults,
     .parameters = &Editor::releaseProbeFields,
     .restoredControls = &Editor::restoreReleaseProbe,
     .added = &Editor::releaseProbeAdded},
    {.word = "Clear Screen"},
};

const frmAutoPilot::CommandRow* frmAutoPilot::commandRow(std::string_view word) {
  static_assert(std::extent_v<decltype(CommandTable)> == AutopilotEditorWords.size());
  for (const CommandRow& row : CommandTable) {
    if (row.word == word) return &row;
  }
  return nullptr;
}

std::string RelativeSituationPath(const std::string& folder, const std::string& chosen) {
  if (folder.empty() || folder.front() != '/' || chosen.empty() || chosen.front() != '/') {
    return chosen;
  }
  auto split = [](std::string_view p) {
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < p.size()) {
      const size_t j = p.find('/', i);
      const size_t end = j == std::string_view::npos ? p.size() : j;
      if (end > i) parts.emplace_back(p.substr(i, end - i));
      if (j == std::string_view::npos) break;
      i = j + 1;
    }
    return parts;
  };
  const std::vector<std::string> base = split(folder);
  std::vector<std::string> target = split(chosen);
  if (target.empty()) return chosen;
  const std::string name = target.back();
  target.pop_back();
  size_t common = 0;
  while (common < base.size() && common < target.size() && base[common] == target[common]) ++common;
  std::string r;
  for (size_t i = common; i < base.size(); ++i) r += "../";
  for (size_t i = common; i < target.size(); ++i) r += target[i] + "/";
  return r + name;
}

frmAutoPilot::frmAutoPilot(WindowServices& form, AutopilotEditorMemory& memory)
    : QWidget(&form.mainWidget(), Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      form_(form),
      s_(form.state()),
      memory_(memory) {
  setWindowTitle("Auto Pilot");
  setWindowIcon(form.mainWidget().windowIcon());
  setAttribute(Qt::WA_DeleteOnClose);
  buildControls();
  Form_Load();
}

// Deleted without a close only when the main window goes away: the window
// is gone then, so only the open flag is cleared.
frmAutoPilot::~frmAutoPilot() {
  if (!released_) s_.autopilotloaded = false;
}

// Places in pixels of 15 twips: the client area is 11010 x 6585 twips, the
// list at 6720, 720, the note at 240, 5280 and the parameter frames at 240,
// 2400; the rest is fitted around them.
void frmAutoPilot::buildControls() {
  setFixedSize(734, 439);
  buildTimeAndCommandControls();
  buildThrustFrame();
  buildOrientFrames();
  buildRotatingFrame();
  buildFileFrames();
  buildTimeScaleFrame();
  buildFocusFrame();
  buildZoomFrame();
  buildGraphicsFrame();
  buildReleaseProbeFrame();

  // Frames within frames keep their margins small; the crowded Release
  // Probe frame its spacing too.
  for (QGroupBox* box : findChildren<QGroupBox*>()) {
    if (QLayout* l = box->layout()) {
      l->setContentsMargins(4, 2, 4, 2);
      l->setSpacing(FrameReleaseProbe->isAncestorOf(box) || box == FrameReleaseProbe ? 2 : 4);
    }
  }
  connectControls();
}

void frmAutoPilot::buildTimeAndCommandControls() {
  // ---- Execution time.
  auto* timeFrame = new QGroupBox("Execution Time", this);
  timeFrame->setGeometry(16, 4, 420, 100);
  auto* tg = new QGridLayout(timeFrame);
  ComboMonth = BodyCombo(timeFrame);
  ComboDay = BodyCombo(timeFrame);
  TextYear = new QLineEdit(timeFrame);
  ComboHour = BodyCombo(timeFrame);
  ComboMinute = BodyCombo(timeFrame);
  TextSeconds = new QLineEdit(timeFrame);
  const char* heads[] = {"Month", "Day", "Year", "Hour", "Minute", "Seconds"};
  QWidget* boxes[] = {ComboMonth, ComboDay, TextYear, ComboHour, ComboMinute, TextSeconds};
  for (int i = 0; i < 6; ++i) {
    tg->addWidget(new QLabel(heads[i]), 0, i);
    tg->addWidget(boxes[i], 1, i);
  }
  Command1 = new QPushButton("Current Time", timeFrame);
  Command2 = new QPushButton("After Last", timeFrame);
  tg->addWidget(Command1, 2, 0, 1, 3);
  tg->addWidget(Command2, 2, 3, 1, 3);

  // ---- Command word, note, buttons, list.
  auto* commandFrame = new QGroupBox("Command", this);
  commandFrame->setGeometry(16, 106, 420, 53);
  auto* cl = new QHBoxLayout(commandFrame);
  ComboCommand = new QComboBox(commandFrame);
  cl->addWidget(ComboCommand);

  auto* noteLabel = new QLabel("Caption", this);
  noteLabel->setGeometry(16, 337, 120, 15);
  Text1 = new QPlainTextEdit(this);
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setGeometry(16, 352, 300, 79);

  auto button = [this](const char* caption, int x, int y, int width) {
    auto* b = new QPushButton(caption, this);
    b->setGeometry(x, y, width, 25);
    return b;
  };
  btnNew = button("New", 332, 352, 104);
  btnAdd = button("Add >>", 332, 379, 104);
  btnReplace = button("Replace >>", 332, 406, 104);
  btnEdit = button("<< Edit", 448, 379, 84);
  btnDelete = button("Delete", 448, 406, 84);
  btnOK = button("OK", 544, 406, 84);
  btnClose = button("Close", 640, 406, 84);
  btnAdd->setEnabled(false);
  btnReplace->setEnabled(false);
  btnDelete->setEnabled(false);

  auto* heads2 = new QLabel("Date            Time       Command", this);
  heads2->setGeometry(448, 30, 276, 16);
  ListOfCommands = new QListWidget(this);
  QFont listFont("Arial");
  listFont.setPointSizeF(7.5);
  ListOfCommands->setFont(listFont);
  ListOfCommands->setGeometry(448, 48, 276, 320);
}

void frmAutoPilot::buildThrustFrame() {
  FrameThrust = Frame(this, "Thrust");
  auto* g = new QGridLayout(FrameThrust);
  OptionInitiateThrust = new QRadioButton("Initiate");
  OptionCutOffThrust = new QRadioButton("Cut Off");
  ComboThrustObject = BodyCombo(FrameThrust);
  TextThrustRate = new QLineEdit;
  g->addWidget(OptionInitiateThrust, 0, 0);
  g->addWidget(OptionCutOffThrust, 0, 1);
  AddRows(g, 1, {{"Object", ComboThrustObject}, {"Meters / Second", TextThrustRate}});
  MakeGroup({OptionInitiateThrust, OptionCutOffThrust});
  OptionInitiateThrust->setChecked(true);
}

// The four orient frames alike, then Orient Custom.
void frmAutoPilot::buildOrientFrames() {
  auto orientFrame = [this](const char* caption, QComboBox*& object, QComboBox*& reference) {
    QGroupBox* f = Frame(this, caption);
    auto* g = new QGridLayout(f);
    object = BodyCombo(f);
    reference = BodyCombo(f);
    AddRows(g, 0, {{"Object", object}, {"Reference Object", reference}});
    return f;
  };
  FrameOrient = orientFrame("Orient Prograde", ComboOrientObject, ComboOrientReference);
  FrameOrientRetrograde = orientFrame("Orient Retrograde", ComboOrientRetrogradeObject, ComboOrientRetrogradeReference);
  frameOrientToward = orientFrame("Orient Toward", ComboOrientTowardObject, ComboOrientTowardReference);
  FrameOrientAway = orientFrame("Orient Away", ComboOrientAwayObject, ComboOrientAwayReference);

  FrameOrientCustom = Frame(this, "Orient Custom");
  auto* g = new QGridLayout(FrameOrientCustom);
  ComboOrientCustom = BodyCombo(FrameOrientCustom);
  txtAzimuth = new QLineEdit;
  txtAltitude = new QLineEdit;
  AddRows(g, 0,
          {{"Object", ComboOrientCustom}, {"Azimuth (Degrees)", txtAzimuth}, {"Altitude (Degrees)", txtAltitude}});
  auto* note = new QLabel(
      "Azimuth refers to degrees from the vernal equinox on the Ecliptic plane.  Altitude "
      "refers to degrees of inclination from the Ecliptic plane.");
  note->setWordWrap(true);
  g->addWidget(note, 3, 0, 1, 2);
}

void frmAutoPilot::buildRotatingFrame() {
  FrameRotatingFrame = Frame(this, "Rotating Frame");
  auto* g = new QGridLayout(FrameRotatingFrame);
  ComboRotatingObject = BodyCombo(FrameRotatingFrame);
  TextRotatePeriod = new QLineEdit;
  Option1 = new QRadioButton("Clockwise");
  Option2 = new QRadioButton("Counterclockwise");
  g->addWidget(ComboRotatingObject, 0, 0, 1, 2);
  AddRows(g, 1, {{"Period", TextRotatePeriod}});
  g->addWidget(Option1, 2, 0);
  g->addWidget(Option2, 2, 1);
  MakeGroup({Option1, Option2});
  Option1->setChecked(true);
}

// Save and Open: a file box over its "Browse..." button.
void frmAutoPilot::buildFileFrames() {
  auto fileFrame = [this](const char* caption, const char* label, QLineEdit*& box, QPushButton*& browse) {
    QGroupBox* f = Frame(this, caption);
    auto* g = new QGridLayout(f);
    box = new QLineEdit;
    browse = new QPushButton("Browse...");
    AddRows(g, 0, {{label, box}});
    g->addWidget(browse, 1, 1);
    return f;
  };
  frameSave = fileFrame("Save", "File Name:", Text2, Command4);
  FrameOpen = fileFrame("Open", "File", Text7, btnBrowse);
}

void frmAutoPilot::buildTimeScaleFrame() {
  FrameTimeScale = Frame(this, "Time Scale");
  auto* g = new QGridLayout(FrameTimeScale);
  TextTimeScale = new QLineEdit;
  g->addWidget(TextTimeScale, 0, 0, 1, 3);
  const char* units[] = {"Seconds", "Minutes", "Hours", "Days", "Months", "Years"};
  for (int i = 0; i < 6; ++i) {
    OptionTimeUnit[i] = new QRadioButton(units[i]);
    g->addWidget(OptionTimeUnit[i], 1 + i / 3, i % 3);
  }
  MakeGroup({OptionTimeUnit[0], OptionTimeUnit[1], OptionTimeUnit[2], OptionTimeUnit[3], OptionTimeUnit[4],
             OptionTimeUnit[5]});
  OptionTimeUnit[0]->setChecked(true);
}

void frmAutoPilot::buildFocusFrame() {
  FrameFocus = Frame(this, "Focus");
  auto* g = new QGridLayout(FrameFocus);
  auto* persp = new QGroupBox("Perspective");
  auto* pl = new QHBoxLayout(persp);
  OptionFloating = new QRadioButton("Floating");
  OptionAbsolute = new QRadioButton("Absolute");
  pl->addWidget(OptionFloating);
  pl->addWidget(OptionAbsolute);
  MakeGroup({OptionFloating, OptionAbsolute});
  OptionAbsolute->setChecked(true);
  auto* objectFrame = new QGroupBox("Focus Object");
  auto* ol = new QHBoxLayout(objectFrame);
  ComboFocusObject = BodyCombo(objectFrame);
  ol->addWidget(ComboFocusObject);
  auto* offset = new QGroupBox("Offset");
  auto* og = new QGridLayout(offset);
  TextOffsetX = new QLineEdit;
  TextOffsetY = new QLineEdit;
  TextOffsetZ = new QLineEdit;
  AddRows(og, 0, {{"X", TextOffsetX}, {"Y", TextOffsetY}, {"Z", TextOffsetZ}});
  OptionOffsetKm = new QRadioButton("Kilometers");
  OptionOffsetAU = new QRadioButton("AU");
  OptionOffsetLY = new QRadioButton("Light Years");
  AddOptions(og, 0, 2, {OptionOffsetKm, OptionOffsetAU, OptionOffsetLY});
  OptionOffsetKm->setChecked(true);
  g->addWidget(persp, 0, 0);
  g->addWidget(objectFrame, 1, 0);
  g->addWidget(offset, 0, 1, 2, 1);
}

void frmAutoPilot::buildZoomFrame() {
  FrameZoom = Frame(this, "Zoom");
  auto* g = new QGridLayout(FrameZoom);
  OptionDouble = new QRadioButton("Zoom in");
  OptionHalf = new QRadioButton("Zoom Out");
  OptionSpecify = new QRadioButton("Specify  . . .");
  AddOptions(g, 0, 0, {OptionDouble, OptionHalf, OptionSpecify});
  OptionDouble->setChecked(true);
  FrameSpecifyZoom = new QGroupBox("Specify Zoom");
  auto* sg = new QGridLayout(FrameSpecifyZoom);
  TextZoomValue = new QLineEdit;
  OptionKM = new QRadioButton("Kilometers");
  OptionAU = new QRadioButton("Astronomical Units");
  OptionLY = new QRadioButton("Light Years");
  sg->addWidget(TextZoomValue, 0, 0);
  AddOptions(sg, 1, 0, {OptionKM, OptionAU, OptionLY});
  g->addWidget(FrameSpecifyZoom, 0, 1, 3, 1);
  enableSpecifyZoom(false);
}

void frmAutoPilot::buildGraphicsFrame() {
  FrameGraphics = Frame(this, "Graphics");
  auto* g = new QGridLayout(FrameGraphics);
  const std::pair<QCheckBox**, const char*> checks[] = {{&CheckTrails, "Trails"},
                                                        {&CheckLabels, "Labels"},
                                                        {&CheckImage, "Image"},
                                                        {&CheckPlot, "Plot"},
                                                        {&CheckExaggerate, "Exaggerate sizes"}};
  int r = 0;
  for (auto [check, caption] : checks) {
    *check = new QCheckBox(caption);
    g->addWidget(*check, r++, 0);
  }
  CheckPlot->setChecked(true);
}

// The names and the size, the release direction and the colour side by side
// over the mass row: the frame must fit its 176 pixels.
void frmAutoPilot::buildReleaseProbeFrame() {
  FrameReleaseProbe = Frame(this, "Release Probe");
  auto* g = new QGridLayout(FrameReleaseProbe);
  auto* names = new QGridLayout;
  names->setSpacing(2);
  ComboReleaseProbe = BodyCombo(FrameReleaseProbe);
  txtProbeName = new QLineEdit;
  Text6 = new QLineEdit;
  AddRows(names, 0, {{"Release From:", ComboReleaseProbe}, {"Probe Name:", txtProbeName}, {"Size (meters):", Text6}});
  auto* mass = new QGroupBox("Mass");
  auto* mg = new QGridLayout(mass);
  Text4 = new QLineEdit("0");
  OpButEarthMasses = new QRadioButton("Earth Masses");
  OpButJupiterMasses = new QRadioButton("Jupiter Masses");
  OpButSunMasses = new QRadioButton("Solar Masses");
  OpButMassKilograms = new QRadioButton("Kg");
  Check1 = new QCheckBox("Deduct mass from releasing body");
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
  auto* dir = new QGroupBox("Release direction");
  auto* dg = new QGridLayout(dir);
  Text3 = new QLineEdit("0");
  Text5 = new QLineEdit("0");
  Text3->setMaximumWidth(48);
  Text5->setMaximumWidth(48);
  AddRows(dg, 0, {{"Az", Text3}, {"Alt", Text5}});
  auto* colour = new QGroupBox("Color");
  auto* cg = new QVBoxLayout(colour);
  Shape1 = new QFrame;
  Shape1->setFrameShape(QFrame::Box);
  Shape1->setAutoFillBackground(true);
  Shape1->setMinimumSize(24, 16);
  Command3 = new QPushButton("choose color...");
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
}

void frmAutoPilot::connectControls() {
  connect(ComboCommand, &QComboBox::activated, this, [this] { ComboCommand_Click(); });
  connect(ComboRotatingObject, &QComboBox::activated, this, [this] { ComboRotatingObject_Click(); });
  connect(ListOfCommands, &QListWidget::itemClicked, this, [this] { ListOfCommands_Click(); });
  const std::pair<QAbstractButton*, void (frmAutoPilot::*)()> clicks[] = {
      {Command1, &frmAutoPilot::Command1_Click},
      {Command2, &frmAutoPilot::Command2_Click},
      {btnBrowse, &frmAutoPilot::btnBrowse_Click},
      {Command4, &frmAutoPilot::Command4_Click},
      {Command3, &frmAutoPilot::Command3_Click},
      {btnAdd, &frmAutoPilot::btnAdd_Click},
      {btnReplace, &frmAutoPilot::btnReplace_Click},
      {btnDelete, &frmAutoPilot::btnDelete_Click},
      {btnNew, &frmAutoPilot::btnNew_Click},
      {btnEdit, &frmAutoPilot::btnEdit_Click},
      {btnOK, &frmAutoPilot::btnOK_Click},
      {btnClose, &frmAutoPilot::btnClose_Click},
      {OptionInitiateThrust, &frmAutoPilot::OptionInitiateThrust_Click},
      {OptionCutOffThrust, &frmAutoPilot::OptionCutOffThrust_Click},
      {OptionDouble, &frmAutoPilot::OptionDouble_Click},
      {OptionHalf, &frmAutoPilot::OptionHalf_Click},
      {OptionSpecify, &frmAutoPilot::OptionSpecify_Click}};
  for (auto [button, handler] : clicks) {
    connect(button, &QAbstractButton::clicked, this, [this, handler] { (this->*handler)(); });
  }
}

void frmAutoPilot::Form_Load() {
  move(WholePixelsOfTwips(200), WholePixelsOfTwips(850));
  s_.autopilotloaded = true;
  // Hold the simulation; Close and OK let it run again only when it was
  // running now.
  s_.TimerWasOff = !form_.timerEnabled();
  s_.PausedFlag = true;
  form_.setTimerEnabled(false);
  btnEdit->setEnabled(false);
  for (int d = 1; d <= 31; ++d) ComboDay->addItem(QString::number(d));
  for (int m = 1; m <= 12; ++m) ComboMonth->addItem(QString::number(m));
  for (int h = 0; h <= 23; ++h) ComboHour->addItem(QString::number(h));
  for (int m = 0; m <= 59; ++m) ComboMinute->addItem(QString::number(m));
  for (QComboBox* c : bodyListsFilledAtLoad()) {
    fillBodyList(c);
    c->setEditText({});
  }
  for (const CommandRow& row : CommandTable) ComboCommand->addItem(Latin1(row.word));
  ComboCommand->setCurrentIndex(-1);
  for (const CommandRow& row : CommandTable) {
    if (row.frame) (this->*row.frame)->setGeometry(16, 160, 428, 176);
  }
  followList();
  fillCommandList();
  SetDefaultTime();
}

void frmAutoPilot::followList() {
  if (memory_.listGeneration == s_.autopilotListGeneration) return;
  memory_.listGeneration = s_.autopilotListGeneration;
  memory_.editIndex = 0;
  closeCaptionOfEntry(captionEntry_);
  btnReplace->setEnabled(false);
  btnDelete->setEnabled(false);
  fillCommandList();
}

void frmAutoPilot::releaseSimulation() {
  if (released_) return;
  released_ = true;
  s_.autopilotloaded = false;
  if (!s_.TimerWasOff) {
    s_.PausedFlag = false;
    form_.setTimerEnabled(true);
  }
}

void frmAutoPilot::closeEvent(QCloseEvent* e) {
  releaseSimulation();
  QWidget::closeEvent(e);
  form_.mainWidget().activateWindow();
}

std::string frmAutoPilot::bodyName(int index) const {
  if (index < 0 || index > s_.objects || index > MaxBodies) return {};
  return s_.objname[index];
}

// Focus and Rotating Frame fill their body lists when their word is picked.
std::array<QComboBox*, 11> frmAutoPilot::bodyListsFilledAtLoad() const {
  return {ComboOrientTowardObject,
          ComboOrientTowardReference,
          ComboOrientObject,
          ComboOrientReference,
          ComboOrientRetrogradeObject,
          ComboOrientRetrogradeReference,
          ComboOrientAwayObject,
          ComboOrientAwayReference,
          ComboThrustObject,
          ComboOrientCustom,
          ComboReleaseProbe};
}

void frmAutoPilot::fillBodyList(QComboBox* c) const {
  const QString text = c->currentText();
  c->clear();
  const int n = BodyCount(s_);
  for (int i = 1; i <= n; ++i) c->addItem(Latin1(s_.objname[i]));
  c->setEditText(text);
}

void frmAutoPilot::refreshObjectLists() {
  for (QComboBox* c : bodyListsFilledAtLoad()) fillBodyList(c);
  fillBodyList(ComboFocusObject);
  fillBodyList(ComboRotatingObject);
}

void frmAutoPilot::fillCommandList() {
  ListOfCommands->clear();
  const int n = AutopilotListCount(s_);
  for (int i = 1; i <= n; ++i) ListOfCommands->addItem(LineText(s_.autopilot[i].line));
}

void frmAutoPilot::distributeDateTime(double t) {
  const DateTimeFields f = SplitDateTimeText(FormatDateTimeText(t));
  ComboMonth->setEditText(Latin1(f.month));
  ComboDay->setEditText(Latin1(f.day));
  TextYear->setText(Latin1(f.year));
  ComboHour->setEditText(Latin1(f.hour));
  ComboMinute->setEditText(Latin1(f.minute));
  TextSeconds->setText(Latin1(f.second));
}

void frmAutoPilot::SetDefaultTime() {
  const int c = s_.autopilotState.cursor;
  double t = s_.SecondsElapsed + 1;
  if (c >= 1 && c <= AutopilotListCount(s_) && s_.SecondsElapsed < s_.autopilot[c].time) {
    t = s_.autopilot[c].time + 1;
  }
  distributeDateTime(t);
}

void frmAutoPilot::Command1_Click() { distributeDateTime(s_.SecondsElapsed + 1); }

void frmAutoPilot::Command2_Click() {
  const int n = AutopilotListCount(s_);
  distributeDateTime(s_.autopilot[n].time + 1);
}

void frmAutoPilot::HideParameterFrames() {
  for (const CommandRow& row : CommandTable) {
    if (row.frame) (this->*row.frame)->setVisible(false);
  }
}

QGroupBox* frmAutoPilot::visibleFrame() const {
  for (const CommandRow& row : CommandTable) {
    if (row.frame && !(this->*row.frame)->isHidden()) return this->*row.frame;
  }
  return nullptr;
}

void frmAutoPilot::setProbeColour(int32_t colour) {
  probeColour_ = colour;
  SetBackColour(Shape1, colour);
}

void frmAutoPilot::pickCommand(const QString& word) {
  ComboCommand->setCurrentIndex(ComboCommand->findText(word));
  ComboCommand_Click();
}

void frmAutoPilot::ComboCommand_Click() {
  HideParameterFrames();
  btnAdd->setEnabled(true);
  const CommandRow* row = commandRow(BoxText(ComboCommand));
  if (!row) return;
  if (row->frame) (this->*row->frame)->setVisible(true);
  if (row->focusBodyAsReference) (this->*row->reference)->setEditText(Latin1(bodyName(s_.focusobj)));
  if (row->defaults) (this->*row->defaults)();
}

void frmAutoPilot::ComboRotatingObject_Click() {
  const double period = GetOrbitalPeriod(s_, BoxText(ComboRotatingObject));
  if (std::isfinite(period)) TextRotatePeriod->setText(Latin1(GeneralText(period)));
}

QString frmAutoPilot::askSituationFile(FileDialogKind kind) {
  const FileRequest request{kind, PathText(s_.isitname), PathText(s_.CurrentFolder), "Molvane (*.molv)"};
  return form_.dialogs().fileName(this, request);
}

void frmAutoPilot::btnBrowse_Click() {
  const QString chosen = askSituationFile(FileDialogKind::Open);
  if (chosen.isEmpty()) return;
  Text7->setText(PathText(RelativeSituationPath(s_.CurrentFolder, PathBytes(chosen))));
}

void frmAutoPilot::Command4_Click() {
  const QString chosen = askSituationFile(FileDialogKind::Save);
  if (!chosen.isEmpty()) Text2->setText(chosen);
}

void frmAutoPilot::Command3_Click() {
  const std::optional<QColor> c = form_.dialogs().colour(this, ColourFromValue(probeColour_), "Color");
  if (c && c->isValid()) setProbeColour(ValueFromColour(*c));
}

void frmAutoPilot::OptionInitiateThrust_Click() {
  Select({OptionInitiateThrust, OptionCutOffThrust}, OptionInitiateThrust);
  TextThrustRate->setEnabled(true);
}

void frmAutoPilot::OptionCutOffThrust_Click() {
  Select({OptionInitiateThrust, OptionCutOffThrust}, OptionCutOffThrust);
  TextThrustRate->setEnabled(false);
}

void frmAutoPilot::enableSpecifyZoom(bool enabled) {
  for (QWidget* c : std::initializer_list<QWidget*>{FrameSpecifyZoom, TextZoomValue, OptionKM, OptionAU, OptionLY}) {
    c->setEnabled(enabled);
  }
}

void frmAutoPilot::OptionDouble_Click() {
  Select({OptionDouble, OptionHalf, OptionSpecify}, OptionDouble);
  enableSpecifyZoom(false);
  Select({OptionKM, OptionAU, OptionLY}, nullptr);
}

void frmAutoPilot::OptionHalf_Click() {
  OptionDouble_Click();
  Select({OptionDouble, OptionHalf, OptionSpecify}, OptionHalf);
}

void frmAutoPilot::OptionSpecify_Click() {
  Select({OptionDouble, OptionHalf, OptionSpecify}, OptionSpecify);
  enableSpecifyZoom(true);
  Select({OptionKM, OptionAU, OptionLY}, OptionAU);
}

std::string frmAutoPilot::currentDateField() const {
  return ComposeAutopilotDateField(Number(TextYear->text()), Number(ComboMonth->currentText()),
                                   Number(ComboDay->currentText()), Number(ComboHour->currentText()),
                                   Number(ComboMinute->currentText()), Number(TextSeconds->text()));
}

AutopilotFields frmAutoPilot::currentFields() const {
  AutopilotFields f;
  f.word = BoxText(ComboCommand);
  if (const CommandRow* row = commandRow(f.word)) readControls(*row, f);
  return f;
}

void frmAutoPilot::readControls(const CommandRow& row, AutopilotFields& f) const {
  if (row.object) f.object = BoxText(this->*row.object);
  if (row.reference) f.reference = BoxText(this->*row.reference);
  if (row.azimuth) f.azimuth = BoxText(this->*row.azimuth);
  if (row.altitude) f.altitude = BoxText(this->*row.altitude);
  if (row.fileBox) f.fileName = PathBytes((this->*row.fileBox)->text());
  if (row.parameters) (this->*row.parameters)(f);
}

void frmAutoPilot::clearCommandAndNote() {
  ComboCommand->setCurrentIndex(-1);
  Text1->clear();
}

// "Add >>" in full; with `replace` the entry "<< Edit" loaded goes first.
// A command that cannot be stored (a time beyond what the clock counts, a
// full list) or could never run as typed (the executor's own check of its
// word) leaves the list and the controls as they are, with a message that
// names the field.
int frmAutoPilot::addCommand(bool replace) {
  const AutopilotFields f = currentFields();
  const CommandRow* row = commandRow(f.word);
  const std::string date = currentDateField();
  std::string problem = AutopilotTimeProblem(BoxText(TextYear), BoxText(ComboMonth), BoxText(ComboDay),
                                             BoxText(ComboHour), BoxText(ComboMinute), BoxText(TextSeconds));
  if (problem.empty()) problem = AutopilotEntryTimeProblem(AutopilotLineTime(date));
  if (problem.empty()) {
    const AutopilotCheck check{s_, form_.mainWindowWidthTwips(), form_.mainWindowHeightTwips(),
                               form_.screenWidthPixels(), &f};
    problem = AutopilotCommandProblem(
        check, ComposeAutopilotLine(date, f, form_.mainWindowWidthTwips(), form_.mainWindowHeightTwips()));
  }
  if (!problem.empty()) {
    form_.message(problem);
    return 0;
  }
  const std::string note = Latin1Bytes(Text1->toPlainText());
  const int i = replace ? ReplaceAutopilotEntry(s_, form_.autopilotHost(), memory_.editIndex, date, f, note)
                        : AddAutopilotEntry(s_, form_.autopilotHost(), date, f, note);
  if (i == 0) return 0;
  if (row && row->added) (this->*row->added)(f);
  fillCommandList();
  HideParameterFrames();
  clearCommandAndNote();
  btnNew->setEnabled(false);
  SetDefaultTime();
  return i;
}

void frmAutoPilot::btnAdd_Click() {
  // "New" leaves Delete and Replace armed on the entry last edited: keep
  // them on that entry when the new one goes in before it.
  const int i = addCommand(false);
  if (i > 0 && i <= memory_.editIndex) ++memory_.editIndex;
  if (i > 0 && i <= captionEntry_) ++captionEntry_;
}

void frmAutoPilot::btnReplace_Click() {
  if (addCommand(true) == 0) return;
  btnReplace->setEnabled(false);
  btnDelete->setEnabled(false);
  HideParameterFrames();
  clearCommandAndNote();
  SetDefaultTime();
}

void frmAutoPilot::btnDelete_Click() {
  btnDelete->setEnabled(false);
  btnReplace->setEnabled(false);
  HideParameterFrames();
  clearCommandAndNote();
  const int r = ListOfCommands->currentRow();
  closeCaptionOfEntry(memory_.editIndex);
  RemoveAutopilotCommand(s_, memory_.editIndex);
  fillCommandList();
  const int n = ListOfCommands->count();
  if (n > 0 && r >= 0) {
    ListOfCommands->setCurrentRow(r > n - 1 ? r - 1 : r);
    ListOfCommands_Click();
  }
  SetDefaultTime();
}

void frmAutoPilot::btnNew_Click() {
  btnAdd->setEnabled(true);
  btnReplace->setEnabled(false);
  btnNew->setEnabled(false);
  clearCommandAndNote();
  HideParameterFrames();
}

void frmAutoPilot::ListOfCommands_Click() {
  btnNew->setEnabled(true);
  btnReplace->setEnabled(true);
  btnDelete->setEnabled(true);
  btnAdd->setEnabled(false);
  btnEdit_Click();
}

void frmAutoPilot::btnEdit_Click() {
  btnEdit->setEnabled(false);
  const int row = ListOfCommands->currentRow();
  const int n = AutopilotListCount(s_);
  if (row < 0 || row >= n) return;
  // Identical lines: the first of them is the one edited.
  int k = FindAutopilotCommand(s_, LineBytes(ListOfCommands->item(row)->text()));
  if (k == 0) k = row + 1;
  const AutopilotCommand& e = s_.autopilot[k];
  distributeDateTime(e.time);
  Text1->setPlainText(Latin1(e.note));
  HideParameterFrames();
  // What the line cannot give back (a number too large to hold, a unit
  // that is none of the options) stays as the controls show it.
  AutopilotFields f;
  for (const CommandRow& r : CommandTable) readControls(r, f);
  const CommandRow* command = nullptr;
  if (ReadAutopilotLine(e.line, form_.mainWindowWidthTwips(), form_.mainWindowHeightTwips(), f)) {
    command = commandRow(f.word);
  }
  // A cut-off reads no rate, so its name may run past its field: the body
  // of the whole name comes back, and the rate that follows it.
  if (AutopilotLineWord(e.line) == "Thrust Cut Off") {
    const int body = FindBodyNamedAt(s_, e.line, AutopilotParamColumn);
    const size_t length = body > 0 ? s_.objname[body].size() : 0;
    if (length > f.object.size()) {
      f.object = s_.objname[body];
      f.thrustRate = molvane::LineText(e.line, AutopilotParamColumn + static_cast<int>(length), -1);
    }
  }
  if (command) {
    restoreControls(*command, f);
  } else {
    ComboCommand->setCurrentIndex(-1);
  }
  memory_.editIndex = k;
  captionEntry_ = command && command->restoredControls == &Editor::restoreCaption ? k : 0;
}

// The controls of a line read back by "<< Edit".
void frmAutoPilot::restoreControls(const CommandRow& row, const AutopilotFields& f) {
  ComboCommand->setCurrentIndex(ComboCommand->findText(Latin1(row.word)));
  if (row.frame) (this->*row.frame)->setVisible(true);
  if (row.object) (this->*row.object)->setEditText(Latin1(f.object));
  if (row.reference) (this->*row.reference)->setEditText(Latin1(f.reference));
  if (row.azimuth) (this->*row.azimuth)->setText(Latin1(f.azimuth));
  if (row.altitude) (this->*row.altitude)->setText(Latin1(f.altitude));
  if (row.fileBox) (this->*row.fileBox)->setText(PathText(f.fileName));
  if (row.restoredControls) (this->*row.restoredControls)(f);
}

void frmAutoPilot::showCaptionDialog() {
  if (captionDialog_ && captionDialog_->isClosed()) delete captionDialog_.data();
  if (!captionDialog_) {
    captionDialog_ = new frmAddCaptionAutopilot(form_, this);
    captionDialog_->Form_Load();
  }
  captionDialog_->show();
  captionDialog_->raise();
}

// The caption dialog goes with the entry it shows: deleted, or the list
// replaced under it.
void frmAutoPilot::closeCaptionOfEntry(int k) {
  if (k == 0 || captionEntry_ != k) return;
  captionEntry_ = 0;
  if (captionDialog_ && !captionDialog_->isClosed()) captionDialog_->close();
}

void frmAutoPilot::btnOK_Click() {
  ArmAutopilot(s_);
  close();
}

void frmAutoPilot::btnClose_Click() { close(); }

// ---- What the rows of the command table name, word by word.

// Caption: the definition the caption dialog prepares.
void frmAutoPilot::captionFields(AutopilotFields& f) const { f.caption = s_.captionDefinition; }

void frmAutoPilot::restoreCaption(const AutopilotFields& f) {
  s_.captionDefinition = f.caption;
  showCaptionDialog();
  if (captionDialog_) captionDialog_->showDefinition(f.caption);
}

// Thrust.
void frmAutoPilot::thrustFields(AutopilotFields& f) const {
  f.thrustInitiate = OptionInitiateThrust->isChecked();
  f.thrustRate = BoxText(TextThrustRate);
}

void frmAutoPilot::restoreThrust(const AutopilotFields& f) {
  TextThrustRate->setText(Latin1(f.thrustRate));
  if (f.thrustInitiate) {
    OptionInitiateThrust_Click();
  } else {
    OptionCutOffThrust_Click();
  }
}

// The next thrust command defaults to the opposite one.
void frmAutoPilot::thrustAdded(const AutopilotFields& f) {
  if (f.thrustInitiate) {
    OptionCutOffThrust_Click();
  } else {
    OptionInitiateThrust_Click();
  }
}

// Rotating Frame.
void frmAutoPilot::rotatingFrameDefaults() {
  ComboRotatingObject->clear();
  fillBodyList(ComboRotatingObject);
}

void frmAutoPilot::rotatingFrameFields(AutopilotFields& f) const {
  f.rotatePeriod = BoxText(TextRotatePeriod);
  f.clockwise = Option1->isChecked();
}

// Period and direction come back too, so that Replace keeps them.
void frmAutoPilot::restoreRotatingFrame(const AutopilotFields& f) {
  TextRotatePeriod->setText(Latin1(f.rotatePeriod));
  Select({Option1, Option2}, f.clockwise ? Option1 : Option2);
}

// Time Scale: the current time step in the largest unit it reaches.
void frmAutoPilot::timeScaleDefaults() {
  const double s = s_.timescale;
  int unit = 5;
  while (unit > 0 && !(s >= TimeScaleUnitSeconds[unit])) --unit;
  for (int i = 0; i < 6; ++i) OptionTimeUnit[i]->setChecked(i == unit);
  TextTimeScale->setText(Latin1(GeneralText(s / TimeScaleUnitSeconds[unit])));
}

void frmAutoPilot::timeScaleFields(AutopilotFields& f) const {
  f.timeScaleValue = BoxText(TextTimeScale);
  for (int i = 0; i < 6; ++i) {
    if (OptionTimeUnit[i]->isChecked()) f.timeScaleUnit = static_cast<TimeScaleUnit>(i);
  }
}

void frmAutoPilot::restoreTimeScale(const AutopilotFields& f) {
  TextTimeScale->setText(Latin1(f.timeScaleValue));
  for (int i = 0; i < 6; ++i) {
    OptionTimeUnit[i]->setChecked(i == static_cast<int>(f.timeScaleUnit));
  }
}

// Focus: the body focused before, and its offset from the floating body in
// the unit that suits the larger of its x and y.
void frmAutoPilot::focusDefaults() {
  ComboFocusObject->clear();
  fillBodyList(ComboFocusObject);
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

void frmAutoPilot::focusFields(AutopilotFields& f) const {
  f.perspective = OptionAbsolute->isChecked() ? "Absolute" : OptionFloating->isChecked() ? "Floating" : "";
  f.offsetX = BoxText(TextOffsetX);
  f.offsetY = BoxText(TextOffsetY);
  f.offsetZ = BoxText(TextOffsetZ);
  f.offsetUnit = CheckedUnit(OptionOffsetKm, OptionOffsetAU, OptionOffsetLY);
}

void frmAutoPilot::restoreFocus(const AutopilotFields& f) {
  if (f.perspective == "Floating") Select({OptionFloating, OptionAbsolute}, OptionFloating);
  if (f.perspective == "Absolute") Select({OptionFloating, OptionAbsolute}, OptionAbsolute);
  ShowFromStart(TextOffsetX, Latin1(f.offsetX));
  ShowFromStart(TextOffsetY, Latin1(f.offsetY));
  ShowFromStart(TextOffsetZ, Latin1(f.offsetZ));
  SelectUnit(OptionOffsetKm, OptionOffsetAU, OptionOffsetLY, f.offsetUnit);
}

// Zoom: the visible width in the unit that suits it, offered disabled
// until "Specify  . . ." is picked.
void frmAutoPilot::zoomDefaults() {
  enableSpecifyZoom(false);
  const double width = form_.screenWidthPixels() / s_.ScalePixel / 1000;
  if (!std::isfinite(width)) return;
  form_.setVisibleWidthKm(width);
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

void frmAutoPilot::zoomFields(AutopilotFields& f) const {
  f.zoom = OptionDouble->isChecked()    ? ZoomOption::In
           : OptionHalf->isChecked()    ? ZoomOption::Out
           : OptionSpecify->isChecked() ? ZoomOption::Specify
                                        : ZoomOption::None;
  f.zoomValue = BoxText(TextZoomValue);
  f.zoomUnit = CheckedUnit(OptionKM, OptionAU, OptionLY);
}

// "Specify  . . ." checks AU; the line's unit, if any, follows.
void frmAutoPilot::restoreZoom(const AutopilotFields& f) {
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

// Graphics.
void frmAutoPilot::graphicsFields(AutopilotFields& f) const {
  f.trails = CheckTrails->isChecked();
  f.labels = CheckLabels->isChecked();
  f.images = CheckImage->isChecked();
  f.plot = CheckPlot->isChecked();
  f.exaggerate = CheckExaggerate->isChecked();
}

void frmAutoPilot::restoreGraphics(const AutopilotFields& f) {
  CheckTrails->setChecked(f.trails);
  CheckLabels->setChecked(f.labels);
  CheckImage->setChecked(f.images);
  CheckPlot->setChecked(f.plot);
  CheckExaggerate->setChecked(f.exaggerate);
}

// Release Probe: the first "Probe n" that no body bears (every body bearing
// a candidate moves the counter on) and the default colour.
void frmAutoPilot::releaseProbeDefaults() {
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

// Earth masses per unit of the mass box: the checked option's factor.
double frmAutoPilot::massFactor(double noneChecked) const {
  double factor = noneChecked;
  if (OpButEarthMasses->isChecked()) factor = ProbeMassFactorEarth;
  if (OpButJupiterMasses->isChecked()) factor = ProbeMassFactorJupiter;
  if (OpButSunMasses->isChecked()) factor = ProbeMassFactorSun;
  if (OpButMassKilograms->isChecked()) factor = ProbeMassFactorKg;
  return factor;
}

// With no mass option checked, the one of the last Release Probe added.
void frmAutoPilot::releaseProbeFields(AutopilotFields& f) const {
  f.probeName = BoxText(txtProbeName);
  f.probeColour = probeColour_;
  f.probeMass = Number(Text4->text()) * massFactor(memory_.probeMassFactor);
  f.deductMass = Check1->isChecked();
  f.probeSize = BoxText(Text6);
}

// The whole probe comes back, so that Replace writes what was stored.
void frmAutoPilot::restoreReleaseProbe(const AutopilotFields& f) {
  txtProbeName->setText(Latin1(f.probeName));
  setProbeColour(f.probeColour);
  Text4->setText(Latin1(GeneralText(f.probeMass)));
  Select({OpButEarthMasses, OpButJupiterMasses, OpButSunMasses, OpButMassKilograms}, OpButEarthMasses);
  Check1->setChecked(f.deductMass);
  Text6->setText(Latin1(f.probeSize));
}

void frmAutoPilot::releaseProbeAdded(const AutopilotFields&) {
  memory_.probeMassFactor = massFactor(memory_.probeMassFactor);
}

}  // namespace molvane
