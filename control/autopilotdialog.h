// "Auto Pilot": the editor of the autopilot's command list. It holds the
// simulation while open, builds command lines from its controls with the
// autopilot core's composer and changes the list only through the core's
// list operations. OK arms the autopilot on the edited list.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "autopilot/autopilot_line.h"
#include "control/autopilotcaptiondialog.h"
#include "engine/state.h"
#include "ui/dialogs.h"

namespace molvane {

class WindowServices;

// What the editor keeps from one opening to the next.
struct AutopilotEditorMemory {
  int editIndex = 0;           // the entry "<< Edit" loaded last
  double probeMassFactor = 0;  // mass option of the last Release Probe added
  int32_t listGeneration = 0;  // the list editIndex belongs to
};

// The path of `chosen` relative to the situation folder `folder` (ending in
// "/"): a bare name in the folder itself, "sub/name" below it, "../" steps
// out of it. With no folder the path stays absolute.
std::string RelativeSituationPath(const std::string& folder, const std::string& chosen);

class frmAutoPilot : public QWidget {
  Q_OBJECT

 public:
  frmAutoPilot(WindowServices& form, AutopilotEditorMemory& memory);
  ~frmAutoPilot() override;

  // ---- Operations (the buttons and lists call these).
  void ComboCommand_Click();  // a command word was picked
  void pickCommand(const QString& word);
  void ComboRotatingObject_Click();
  void Command1_Click();   // "Current Time"
  void Command2_Click();   // "After Last"
  void btnBrowse_Click();  // Open frame's "Browse..."
  void Command4_Click();   // Save frame's "Browse..."
  void Command3_Click();   // "choose color..."
  void btnAdd_Click();
  void btnReplace_Click();
  void btnDelete_Click();
  void btnNew_Click();
  void btnEdit_Click();
  void btnOK_Click();
  void btnClose_Click();
  void ListOfCommands_Click();
  void OptionInitiateThrust_Click();
  void OptionCutOffThrust_Click();
  void OptionDouble_Click();
  void OptionHalf_Click();
  void OptionSpecify_Click();
  void SetDefaultTime();
  void HideParameterFrames();
  // The set of bodies changed: the body lists are filled again.
  void refreshObjectLists();
  // After the list was replaced (a situation opened, New) the rows show the
  // new list and no entry is being edited: Delete and Replace wait for a
  // row to be clicked.
  void followList();
  // The main window is going away: closing later must not touch it.
  // Closed (it is deleted at the next turn of the event loop).
  bool isClosed() const { return released_; }
  void detachFromSimulation() {
    released_ = true;
    s_.autopilotloaded = false;
  }

  // The controls as one command: what "Add >>" composes.
  AutopilotFields currentFields() const;
  std::string currentDateField() const;
  // The visible parameter frame, or none.
  QGroupBox* visibleFrame() const;
  frmAddCaptionAutopilot* captionDialog() const { return captionDialog_; }

  int32_t probeColour() const { return probeColour_; }

  // ---- Controls.
  QComboBox *ComboMonth, *ComboDay, *ComboHour, *ComboMinute;
  QLineEdit *TextYear, *TextSeconds;
  QPushButton *Command1, *Command2;
  QComboBox* ComboCommand;
  QListWidget* ListOfCommands;
  QPlainTextEdit* Text1;  // the note
  QPushButton *btnNew, *btnAdd, *btnReplace, *btnDelete, *btnEdit, *btnOK, *btnClose;

  QGroupBox* FrameThrust;
  QRadioButton *OptionInitiateThrust, *OptionCutOffThrust;
  QComboBox* ComboThrustObject;
  QLineEdit* TextThrustRate;

  QGroupBox *FrameOrient, *FrameOrientRetrograde, *frameOrientToward, *FrameOrientAway;
  QComboBox *ComboOrientObject, *ComboOrientReference;
  QComboBox *ComboOrientRetrogradeObject, *ComboOrientRetrogradeReference;
  QComboBox *ComboOrientTowardObject, *ComboOrientTowardReference;
  QComboBox *ComboOrientAwayObject, *ComboOrientAwayReference;

  QGroupBox* FrameOrientCustom;
  QComboBox* ComboOrientCustom;
  QLineEdit *txtAzimuth, *txtAltitude;

  QGroupBox* FrameRotatingFrame;
  QComboBox* ComboRotatingObject;
  QLineEdit* TextRotatePeriod;
  QRadioButton *Option1, *Option2;  // clockwise, counterclockwise

  QGroupBox* frameSave;
  QLineEdit* Text2;
  QPushButton* Command4;

  QGroupBox* FrameOpen;
  QLineEdit* Text7;
  QPushButton* btnBrowse;

  QGroupBox* FrameTimeScale;
  QLineEdit* TextTimeScale;
  std::array<QRadioButton*, 6> OptionTimeUnit{};  // Seconds .. Years

  QGroupBox* FrameFocus;
  QRadioButton *OptionFloating, *OptionAbsolute;
  QComboBox* ComboFocusObject;
  QLineEdit *TextOffsetX, *TextOffsetY, *TextOffsetZ;
  QRadioButton *OptionOffsetKm, *OptionOffsetAU, *OptionOffsetLY;

  QGroupBox* FrameZoom;
  QRadioButton *OptionDouble, *OptionHalf, *OptionSpecify;
  QGroupBox* FrameSpecifyZoom;
  QLineEdit* TextZoomValue;
  QRadioButton *OptionKM, *OptionAU, *OptionLY;

  QGroupBox* FrameGraphics;
  QCheckBox *CheckTrails, *CheckLabels, *CheckImage, *CheckPlot, *CheckExaggerate;

  QGroupBox* FrameReleaseProbe;
  QComboBox* ComboReleaseProbe;
  QLineEdit *txtProbeName, *Text6, *Text4, *Text3, *Text5;
  QRadioButton *OpButEarthMasses, *OpButJupiterMasses, *OpButSunMasses, *OpButMassKilograms;
  QCheckBox* Check1;
  QFrame* Shape1;
  QPushButton* Command3;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  // The file dialog of the Open and Save commands, at the current file.
  QString askSituationFile(FileDialogKind kind);
  // One row per command word (autopilotdialog.cpp): the frame the word
  // shows, its defaults, the controls "Add >>" builds its line from and
  // what "<< Edit" puts back. What "Add >>" refuses is the core's check of
  // the word (AutopilotCommandProblem), the executor's own.
  struct CommandRow;
  static const CommandRow CommandTable[];
  static const CommandRow* commandRow(std::string_view word);

  // ---- Building the window.
  void buildControls();
  void buildTimeAndCommandControls();
  void buildThrustFrame();
  void buildOrientFrames();
  void buildRotatingFrame();
  void buildFileFrames();
  void buildTimeScaleFrame();
  void buildFocusFrame();
  void buildZoomFrame();
  void buildGraphicsFrame();
  void buildReleaseProbeFrame();
  void connectControls();

  void Form_Load();
  void releaseSimulation();
  std::array<QComboBox*, 11> bodyListsFilledAtLoad() const;
  void fillBodyList(QComboBox* c) const;
  void fillCommandList();
  void distributeDateTime(double t);
  void setProbeColour(int32_t colour);
  void clearCommandAndNote();
  void enableSpecifyZoom(bool enabled);
  double massFactor(double noneChecked) const;
  int addCommand(bool replace);
  void readControls(const CommandRow& row, AutopilotFields& f) const;
  void restoreControls(const CommandRow& row, const AutopilotFields& f);
  void showCaptionDialog();
  void closeCaptionOfEntry(int k);
  std::string bodyName(int index) const;

  // ---- What rows name: defaults of a pick, the rest of a word's fields,
  // the rest of what "<< Edit" restores, and what follows an "Add >>".
  void rotatingFrameDefaults();
  void timeScaleDefaults();
  void focusDefaults();
  void zoomDefaults();
  void releaseProbeDefaults();
  void captionFields(AutopilotFields& f) const;
  void thrustFields(AutopilotFields& f) const;
  void rotatingFrameFields(AutopilotFields& f) const;
  void timeScaleFields(AutopilotFields& f) const;
  void focusFields(AutopilotFields& f) const;
  void zoomFields(AutopilotFields& f) const;
  void graphicsFields(AutopilotFields& f) const;
  void releaseProbeFields(AutopilotFields& f) const;
  void restoreCaption(const AutopilotFields& f);
  void restoreThrust(const AutopilotFields& f);
  void restoreRotatingFrame(const AutopilotFields& f);
  void restoreTimeScale(const AutopilotFields& f);
  void restoreFocus(const AutopilotFields& f);
  void restoreZoom(const AutopilotFields& f);
  void restoreGraphics(const AutopilotFields& f);
  void restoreReleaseProbe(const AutopilotFields& f);
  void thrustAdded(const AutopilotFields& f);
  void releaseProbeAdded(const AutopilotFields& f);

  WindowServices& form_;
  State& s_;
  AutopilotEditorMemory& memory_;
  int32_t probeColour_ = 0;
  bool released_ = false;
  QPointer<frmAddCaptionAutopilot> captionDialog_;
  int captionEntry_ = 0;  // the entry "<< Edit" showed in the caption dialog, 0: none
};

}  // namespace molvane
