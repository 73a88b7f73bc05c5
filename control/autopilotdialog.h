// "Auto Pilot": the editor of the autopilot's command list. It holds the
// simulation while open, builds command lines from its controls with the
// autopilot core's composer and changes the list only through the core's
// list operations. OK arms the autopilot on the edited list. The window
// keeps the time, the note, the list and its buttons; each command word's
// controls are a frame of their own (autopilotframes.h).
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "autopilot/autopilot_line.h"
#include "control/autopilotcaptiondialog.h"
#include "control/autopilotframes.h"
#include "engine/state.h"

namespace molvane {

class WindowServices;

// What the editor keeps from one opening to the next.
struct AutopilotEditorMemory {
  int editIndex = 0;           // the entry "<< Edit" loaded last
  double probeMassFactor = 0;  // mass option of the last Release Probe added
  int32_t listGeneration = 0;  // the list editIndex belongs to
};

class frmAutoPilot : public QWidget {
  Q_OBJECT

 public:
  frmAutoPilot(WindowServices& form, AutopilotEditorMemory& memory);
  ~frmAutoPilot() override;

  // ---- Operations (the buttons and lists call these).
  void ComboCommand_Click();  // a command word was picked
  void pickCommand(const QString& word);
  void Command1_Click();  // "Current Time"
  void Command2_Click();  // "After Last"
  void btnAdd_Click();
  void btnReplace_Click();
  void btnDelete_Click();
  void btnNew_Click();
  void btnEdit_Click();
  void btnOK_Click();
  void btnClose_Click();
  void ListOfCommands_Click();
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

  // ---- Controls.
  QComboBox *ComboMonth, *ComboDay, *ComboHour, *ComboMinute;
  QLineEdit *TextYear, *TextSeconds;
  QPushButton *Command1, *Command2;
  QComboBox* ComboCommand;
  QListWidget* ListOfCommands;
  QPlainTextEdit* LateNote;  // the entries that run later than typed
  QPlainTextEdit* Text1;     // the note
  QPushButton *btnNew, *btnAdd, *btnReplace, *btnDelete, *btnEdit, *btnOK, *btnClose;

  // ---- The parameter frames, at most one of them visible.
  ThrustFrame* FrameThrust;
  OrientFrame *FrameOrient, *FrameOrientRetrograde, *frameOrientToward, *FrameOrientAway;
  OrientCustomFrame* FrameOrientCustom;
  RotatingFrame* FrameRotatingFrame;
  FileFrame *frameSave, *FrameOpen;
  TimeScaleFrame* FrameTimeScale;
  FocusFrame* FrameFocus;
  ZoomFrame* FrameZoom;
  GraphicsFrame* FrameGraphics;
  ReleaseProbeFrame* FrameReleaseProbe;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  // The frame of each command word, in the order of AutopilotEditorWords;
  // none for Caption, Pause and Clear Screen. Caption is prepared in the
  // caption dialog. What "Add >>" refuses is the core's check of the word
  // (AutopilotCommandProblem), the executor's own.
  std::array<CommandFrame*, AutopilotEditorWords.size()> frames_{};
  CommandFrame* frameOf(std::string_view word) const;

  // ---- Building the window.
  void buildControls();
  void buildTimeAndCommandControls();
  void buildFrames();
  void connectControls();

  void Form_Load();
  void releaseSimulation();
  void fillCommandList();
  void distributeDateTime(double t);
  void clearCommandAndNote();
  int addCommand(bool replace);
  void showCaptionDialog();
  void restoreCaption(const AutopilotFields& f);
  void closeCaptionOfEntry(int k);

  WindowServices& form_;
  State& s_;
  AutopilotEditorMemory& memory_;
  bool released_ = false;
  bool filling_ = false;  // the rows are being laid out, nobody picks
  QPointer<frmAddCaptionAutopilot> captionDialog_;
  int captionEntry_ = 0;  // the entry "<< Edit" showed in the caption dialog, 0: none
};

}  // namespace molvane
