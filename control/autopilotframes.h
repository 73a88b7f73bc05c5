// The parameter frames of the autopilot editor, one class per kind of
// command: each owns its controls, the defaults a pick of its word writes,
// the fields "Add >>" reads from it and what "<< Edit" puts back. The
// editor (autopilotdialog.h) keeps the time, the list and the buttons, and
// shows one frame at a time.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <string>
#include <vector>

#include "autopilot/autopilot_line.h"
#include "engine/state.h"
#include "ui/dialogs.h"
#include "ui/text.h"

namespace molvane {

class WindowServices;

// A frame of the editor, hidden until its word is picked.
class CommandFrame : public QGroupBox {
  Q_OBJECT

 public:
  CommandFrame(QWidget* editor, WindowServices& form, const char* caption, const char* name);

  // A pick of the frame's word: the defaults the simulation gives.
  virtual void defaults() {}
  // The fields of the line "Add >>" builds.
  virtual void readFields(AutopilotFields& f) const = 0;
  // "<< Edit": the controls show the fields read from a line.
  virtual void restoreFields(const AutopilotFields& f) = 0;
  // The command went into the list.
  virtual void added(const AutopilotFields&) {}
  // The texts that go into the line as Latin-1, with their captions: one
  // Latin-1 cannot hold is refused at Add.
  virtual std::vector<NamedText> latin1Texts() const { return {}; }
  // The editor opens: the body lists show the bodies, and no name.
  void loadBodyLists();
  // The set of bodies changed: every body list is filled again, keeping
  // what it shows.
  void refreshBodyLists();
  // The body lists filled when the editor opens, and those filled only
  // when the word is picked.
  virtual std::vector<QComboBox*> bodyListsFilledAtLoad() const { return {}; }
  virtual std::vector<QComboBox*> bodyListsFilledAtPick() const { return {}; }

 protected:
  // Frames within frames keep their margins small.
  void tightenLayouts(int spacing);
  // `c` emptied and filled with the body names, keeping its text.
  void fillBodyList(QComboBox* c) const;
  // The name of body `index`, empty for none.
  std::string bodyName(int index) const;

  WindowServices& form_;
  State& s_;
};

// Thrust: initiate or cut off a body's thrust.
class ThrustFrame : public CommandFrame {
  Q_OBJECT

 public:
  ThrustFrame(QWidget* editor, WindowServices& form);
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;
  void added(const AutopilotFields& f) override;
  std::vector<QComboBox*> bodyListsFilledAtLoad() const override { return {ComboThrustObject}; }
  std::vector<NamedText> latin1Texts() const override { return {{"Object", ComboThrustObject->currentText()}}; }

  void OptionInitiateThrust_Click();
  void OptionCutOffThrust_Click();

  QRadioButton *OptionInitiateThrust, *OptionCutOffThrust;
  QComboBox* ComboThrustObject;
  QLineEdit* TextThrustRate;
};

// Orient Prograde, Retrograde, Toward and Away: a body and its reference.
class OrientFrame : public CommandFrame {
  Q_OBJECT

 public:
  struct Names {
    const char *caption, *frame, *object, *reference;
  };
  // With `focusBodyAsReference` a pick puts the focus body into `reference`.
  OrientFrame(QWidget* editor, WindowServices& form, const Names& names, bool focusBodyAsReference);
  void defaults() override;
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;
  std::vector<QComboBox*> bodyListsFilledAtLoad() const override { return {object, reference}; }
  std::vector<NamedText> latin1Texts() const override {
    return {{"Object", object->currentText()}, {"Reference Object", reference->currentText()}};
  }

  QComboBox *object, *reference;

 private:
  bool focusBodyAsReference_;
};

// Orient Custom: a body and a direction in degrees.
class OrientCustomFrame : public CommandFrame {
  Q_OBJECT

 public:
  OrientCustomFrame(QWidget* editor, WindowServices& form);
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;
  std::vector<QComboBox*> bodyListsFilledAtLoad() const override { return {ComboOrientCustom}; }
  std::vector<NamedText> latin1Texts() const override { return {{"Object", ComboOrientCustom->currentText()}}; }

  QComboBox* ComboOrientCustom;
  QLineEdit *txtAzimuth, *txtAltitude;
};

// Rotating Frame: a period and a direction; picking a body offers its
// orbital period.
class RotatingFrame : public CommandFrame {
  Q_OBJECT

 public:
  RotatingFrame(QWidget* editor, WindowServices& form);
  void defaults() override;
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;
  std::vector<QComboBox*> bodyListsFilledAtPick() const override { return {ComboRotatingObject}; }

  void ComboRotatingObject_Click();

  QComboBox* ComboRotatingObject;
  QLineEdit* TextRotatePeriod;
  QRadioButton *Option1, *Option2;  // clockwise, counterclockwise
};

// Save and Open: a file box over its "Browse...".
class FileFrame : public CommandFrame {
  Q_OBJECT

 public:
  struct Names {
    const char *caption, *label, *frame, *box, *browse;
  };
  // Open offers the chosen file relative to the situation's folder, Save
  // as chosen.
  FileFrame(QWidget* editor, WindowServices& form, const Names& names, FileDialogKind kind);
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;

  void browse_Click();

  QLineEdit* fileBox;   // Text2 (Save), Text7 (Open)
  QPushButton* browse;  // Command4 (Save), btnBrowse (Open)

 private:
  FileDialogKind kind_;
};

// Time Scale: the time step in one of six units.
class TimeScaleFrame : public CommandFrame {
  Q_OBJECT

 public:
  TimeScaleFrame(QWidget* editor, WindowServices& form);
  void defaults() override;
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;

  QLineEdit* TextTimeScale;
  std::array<QRadioButton*, 6> OptionTimeUnit{};  // Seconds .. Years
};

// Focus: the perspective, the body and the offset from it.
class FocusFrame : public CommandFrame {
  Q_OBJECT

 public:
  FocusFrame(QWidget* editor, WindowServices& form);
  void defaults() override;
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;
  std::vector<QComboBox*> bodyListsFilledAtPick() const override { return {ComboFocusObject}; }
  std::vector<NamedText> latin1Texts() const override { return {{"Focus Object", ComboFocusObject->currentText()}}; }

  QRadioButton *OptionFloating, *OptionAbsolute;
  QComboBox* ComboFocusObject;
  QLineEdit *TextOffsetX, *TextOffsetY, *TextOffsetZ;
  QRadioButton *OptionOffsetKm, *OptionOffsetAU, *OptionOffsetLY;
};

// Zoom: in, out, or a visible width in one of three units.
class ZoomFrame : public CommandFrame {
  Q_OBJECT

 public:
  ZoomFrame(QWidget* editor, WindowServices& form);
  void defaults() override;
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;

  void OptionDouble_Click();
  void OptionHalf_Click();
  void OptionSpecify_Click();

  QRadioButton *OptionDouble, *OptionHalf, *OptionSpecify;
  QGroupBox* FrameSpecifyZoom;
  QLineEdit* TextZoomValue;
  QRadioButton *OptionKM, *OptionAU, *OptionLY;

 private:
  void enableSpecifyZoom(bool enabled);
};

// Graphics: what the view draws.
class GraphicsFrame : public CommandFrame {
  Q_OBJECT

 public:
  GraphicsFrame(QWidget* editor, WindowServices& form);
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;

  QCheckBox *CheckTrails, *CheckLabels, *CheckImage, *CheckPlot, *CheckExaggerate;
};

// Release Probe: the probe's names, size, direction, colour and mass. With
// no mass option checked the mass is taken in the unit of the last probe
// added, which `lastMassFactor` keeps from one opening to the next.
class ReleaseProbeFrame : public CommandFrame {
  Q_OBJECT

 public:
  ReleaseProbeFrame(QWidget* editor, WindowServices& form, double& lastMassFactor);
  void defaults() override;
  void readFields(AutopilotFields& f) const override;
  void restoreFields(const AutopilotFields& f) override;
  void added(const AutopilotFields& f) override;
  std::vector<QComboBox*> bodyListsFilledAtLoad() const override { return {ComboReleaseProbe}; }
  std::vector<NamedText> latin1Texts() const override {
    return {{"Release From", ComboReleaseProbe->currentText()}, {"Probe Name", txtProbeName->text()}};
  }

  void Command3_Click();  // "choose color..."
  int32_t probeColour() const { return probeColour_; }

  QComboBox* ComboReleaseProbe;
  QLineEdit *txtProbeName, *Text6, *Text4, *Text3, *Text5;
  QRadioButton *OpButEarthMasses, *OpButJupiterMasses, *OpButSunMasses, *OpButMassKilograms;
  QCheckBox* Check1;
  QFrame* Shape1;
  QPushButton* Command3;

 private:
  void setProbeColour(int32_t colour);
  double massFactor(double noneChecked) const;

  double& lastMassFactor_;
  int32_t probeColour_ = 0;
};

}  // namespace molvane
