#include "mainwindow/preferences.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "autopilot/autopilothost.h"
#include "engine/host.h"
#include "engine/numtext.h"
#include "files/situationfile.h"
#include "mainwindow/mainhandlers.h"
#include "ui/buttonrow.h"
#include "ui/colours.h"
#include "ui/dialogs.h"
#include "ui/editablelist.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

// ---------------------------------------------------------------- preferences

frmPreferences::frmPreferences(WindowServices& form, LabelBackColour& labels)
    : QDialog(&form.mainWidget()), form_(form), labels_(labels) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Preferences");
  setWindowIcon(form.mainWidget().windowIcon());
  auto* outer = new QVBoxLayout(this);

  auto* frame1 = new QGroupBox("Background Color", this);
  auto* f1 = new QHBoxLayout(frame1);
  Shape1 = new QFrame(frame1);
  Shape1->setFixedSize(40, 24);
  Shape1->setFrameShape(QFrame::Box);
  Shape1->setAutoFillBackground(true);
  Command3 = new QPushButton("Change Color", frame1);
  f1->addWidget(Shape1);
  f1->addWidget(Command3);
  outer->addWidget(frame1);

  auto* sizes = new QHBoxLayout;
  auto* frame2 = new QGroupBox("Minimum Object Size", this);
  auto* frame3 = new QGroupBox("Exaggerated Object Size", this);
  Combo1 = new QComboBox(frame2);
  Combo2 = new QComboBox(frame3);
  for (QComboBox* c : {Combo1, Combo2}) MakeEditableList(c);
  (new QHBoxLayout(frame2))->addWidget(Combo1);
  (new QHBoxLayout(frame3))->addWidget(Combo2);
  sizes->addWidget(frame2);
  sizes->addWidget(frame3);
  outer->addLayout(sizes);

  auto* archive = new QGroupBox("Situation Archive", this);
  auto* fa = new QVBoxLayout(archive);
  auto* label1 =
      new QLabel("Should Molvane create a situation archive each time the Save Command is executed?", archive);
  label1->setWordWrap(true);
  Option1 = new QRadioButton("Yes", archive);
  Option2 = new QRadioButton("No", archive);
  fa->addWidget(label1);
  fa->addWidget(Option1);
  fa->addWidget(Option2);
  outer->addWidget(archive);

  Command1 = new QPushButton("OK", this);
  Command2 = new QPushButton("Cancel", this);
  AddButtonRow(outer, {Command1, Command2});

  // Form_Load.
  State& s = form_.state();
  (s.ArchiveOnSave ? Option1 : Option2)->setChecked(true);
  setSwatch(s.mainWindow.backColor);
  for (int v = 1; v <= 100; ++v) {
    Combo1->addItem(QString::number(v));
    Combo2->addItem(QString::number(v));
  }
  // Each list drops down at the entry it shows, when it has one.
  for (auto [list, value] : {std::pair{Combo1, s.MinimumObjectSize}, std::pair{Combo2, s.ExaggeratedObjectSize}}) {
    const QString text = Latin1(GeneralText(value));
    list->setCurrentIndex(list->findText(text));
    list->setEditText(text);
  }

  Option1->setObjectName("Option1");
  Option2->setObjectName("Option2");
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  Command3->setObjectName("Command3");
  connect(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
  connect(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void frmPreferences::setSwatch(int32_t colour) {
  swatch_ = colour & 0xFFFFFF;
  SetBackColour(Shape1, swatch_);
}

// The archive answer takes effect at once; Cancel keeps it.
void frmPreferences::Option1_Click() { form_.state().ArchiveOnSave = true; }
void frmPreferences::Option2_Click() { form_.state().ArchiveOnSave = false; }

void frmPreferences::Command3_Click() {
  const std::optional<QColor> c = form_.dialogs().colour(this, ColourFromValue(swatch_), QString());
  if (c) setSwatch(ValueFromColour(*c));
}

// A size that is negative or no number at all that fits is refused and
// the dialog stays open; a large one is held at 32767.
void frmPreferences::Command1_Click() {
  std::string problem = TypedCountProblem("Minimum Object Size", BoxText(Combo1));
  if (problem.empty()) problem = TypedCountProblem("Exaggerated Object Size", BoxText(Combo2));
  if (!problem.empty()) {
    form_.message(problem);
    return;
  }
  State& s = form_.state();
  s.mainWindow.backColor = swatch_;
  labels_.setLabelBackColor(swatch_);
  s.MinimumObjectSize = WholeFromText(BoxText(Combo1), s.MinimumObjectSize);
  s.ExaggeratedObjectSize = WholeFromText(BoxText(Combo2), s.ExaggeratedObjectSize);
  // A new background colour repaints the whole view.
  form_.engineHost().clearView();
  form_.autopilotHost().ResetPlotState();
  close();
}

void frmPreferences::Command2_Click() { close(); }

// The keyboard goes back to the main window, which forwards nothing.
void frmPreferences::closeEvent(QCloseEvent* e) {
  e->accept();
  form_.mainWidget().activateWindow();
}

// ------------------------------------------------------------------ auto save

frmAutoSave::frmAutoSave(WindowServices& form) : QDialog(&form.mainWidget()), form_(form) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Auto Save");
  setWindowIcon(form.mainWidget().windowIcon());
  auto* outer = new QVBoxLayout(this);
  Check1 = new QCheckBox("Auto Save Enabled", this);
  outer->addWidget(Check1);
  auto* every = new QHBoxLayout;
  every->addWidget(new QLabel("Save every", this));
  Text1 = new QLineEdit(this);
  every->addWidget(Text1);
  outer->addLayout(every);
  auto* units = new QHBoxLayout;
  optSeconds = new QRadioButton("seconds", this);
  optMinutes = new QRadioButton("minutes", this);
  optHours = new QRadioButton("hours", this);
  optDays = new QRadioButton("Days", this);
  optYears = new QRadioButton("Years", this);
  for (QRadioButton* r : {optSeconds, optMinutes, optHours, optDays, optYears}) units->addWidget(r);
  outer->addLayout(units);
  auto* most = new QHBoxLayout;
  most->addWidget(new QLabel("Maximum saves:", this));
  Text2 = new QLineEdit(this);
  most->addWidget(Text2);
  outer->addLayout(most);
  ckReport = new QCheckBox("Create Data File", this);
  outer->addWidget(ckReport);
  Command1 = new QPushButton("OK", this);
  Command2 = new QPushButton("Cancel", this);
  AddButtonRow(outer, {Command1, Command2});

  // Form_Load.
  const AutoSaveSettings& a = form_.state().autoSave;
  Check1->setChecked(a.enabled);
  Text1->setText(Latin1(GeneralText(a.interval)));
  Text2->setText(Latin1(GeneralText(a.maxSaves)));
  optSeconds->setChecked(true);
  ckReport->setChecked(false);

  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void frmAutoSave::Command1_Click() {
  double unit = 1;
  if (optMinutes->isChecked()) unit = 60;
  if (optHours->isChecked()) unit = 3600;
  if (optDays->isChecked()) unit = 86400;
  if (optYears->isChecked()) unit = 86400 * 365.2425;
  const std::string problem = AutoSaveEntriesProblem(BoxText(Text1), unit, BoxText(Text2));
  if (!problem.empty()) {
    form_.message(problem);
    return;
  }
  State& s = form_.state();
  s.autoSave =
      AutoSaveFromEntries(s.autoSave, Check1->isChecked(), BoxText(Text1), unit, BoxText(Text2), ckReport->isChecked());
  close();
}

void frmAutoSave::Command2_Click() { close(); }

}  // namespace molvane
