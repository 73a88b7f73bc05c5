// The autopilot editor: lines composed from its controls, the list
// operations through it, holding the simulation, arming on OK, and the
// caption dialog that prepares Caption commands.
#include "control/autopilotdialog.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../autopilot/autopilot_test_support.h"
#include "../support/fakewindowservices.h"
#include "../support/pressing.h"
#include "autopilot/autopilot.h"
#include "control/autopilotcaptiondialog.h"
#include "control/autopilotwindow.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "engine/simulation.h"
#include "engine/state.h"

namespace molvane {
namespace {

class AutopilotDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state = std::make_unique<State>();
    form = std::make_unique<FakeWindowServices>(*state);  // 800 x 600 pixels
    form->setDialogs(dialogs);
  }
  void TearDown() override {
    form.reset();
    state.reset();
  }
  frmAutoPilot& open() {
    dlg = new frmAutoPilot(*form, memory);
    return *dlg;
  }
  void addBodies(int n) {
    for (int i = 1; i <= n; ++i) {
      state->objname[i] = "Body" + std::to_string(i);
      state->objmass[i] = 1;
    }
    state->objects = static_cast<int16_t>(n);
  }
  void setTime(const char* year, const char* month, const char* day, const char* hour, const char* minute,
               const char* second) {
    dlg->TextYear->setText(year);
    dlg->ComboMonth->setEditText(month);
    dlg->ComboDay->setEditText(day);
    dlg->ComboHour->setEditText(hour);
    dlg->ComboMinute->setEditText(minute);
    dlg->TextSeconds->setText(second);
  }
  // What the core composes for these fields at the dialog's time.
  std::string expected(const AutopilotFields& f) const {
    return ComposeAutopilotLine(dlg->currentDateField(), f, form->mainWindowWidthTwips(),
                                form->mainWindowHeightTwips());
  }
  // Adds the command the controls hold and returns the stored line, which
  // must be the line the core composes for `f` at the dialog's time.
  std::string addAndExpect(const AutopilotFields& f) {
    const std::string want = expected(f);
    const int before = state->autopilotCount;
    dlg->btnAdd_Click();
    EXPECT_EQ(state->autopilotCount, before + 1);
    const int k = FindAutopilotCommand(*state, want);
    EXPECT_NE(k, 0) << "missing: " << want;
    return k ? state->autopilot[k].line : std::string();
  }
  // Types into a box or an editable list as a user does, over what it held.
  static void type(QWidget* w, const char* text) {
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Delete);
    TypeText(w, QString::fromUtf8(text));
  }
  void choose(const char* word) { PickFromList(dlg->ComboCommand, word); }
  // `line` as the only entry of a copy of the situation, stepped through
  // its time by the loop: the run pauses once, at that time, naming the
  // command and `field`.
  void expectRunRefused(const std::string& line, const std::string& field) {
    auto run = std::make_unique<State>(*state);
    testing::LoopHost loop(*run, *form);
    const double t = AutopilotLineTime(line);
    run->autopilotCount = 0;
    InsertAutopilotCommand(*run, *form, line, t, "");
    run->timescale = 1;
    run->SecondsElapsed = t - 1;
    ArmAutopilot(*run);
    for (int k = 0; k < 3; ++k) SimulationStep(*run, loop);
    ASSERT_EQ(loop.pauses.size(), 1u) << line;  // from the executor's one run
    EXPECT_EQ(loop.runs[0].clock, t);
    const std::string word(AutopilotLineWord(line));
    EXPECT_NE(loop.pauses[0].find(" (" + word + ") cannot run: " + field + ' '), std::string::npos) << loop.pauses[0];
  }
  // A fresh editor, shown, over two entries: "first" (Pause) at 00:00:10
  // and "second" (Clear Screen) at 00:00:20 of 2000.
  void freshEditorOverTwoEntries() {
    TearDown();
    SetUp();
    memory = {};
    state->SecondsElapsed = 1000;
    AutopilotFields f;
    for (auto [word, second, note] : {std::tuple{"Pause", 10, "first"}, std::tuple{"Clear Screen", 20, "second"}}) {
      f.word = word;
      AddAutopilotEntry(*state, *form, ComposeAutopilotDateField(2000, 1, 1, 0, 0, second), f, note);
    }
    open().show();
  }
  // A row of the wiring tables: its set-up on a fresh editor.
  struct Row {
    std::string button, changes;
    std::function<void()> setup = {};
  };
  frmAutoPilot* fresh(const Row& r) {
    freshEditorOverTwoEntries();
    if (r.setup) r.setup();
    return dlg;
  }

  void startTimer() {
    state->PausedFlag = false;
    form->setTimerEnabled(true);
  }

  RecordingDialogs dialogs;
  std::unique_ptr<State> state;
  std::unique_ptr<FakeWindowServices> form;
  AutopilotEditorMemory memory;
  frmAutoPilot* dlg = nullptr;
};

// ---- Holding the simulation.

TEST_F(AutopilotDialogTest, AutopilotDialogHoldsAndReleasesARunningSimulation) {
  startTimer();
  ASSERT_TRUE(form->timerEnabled());
  open();
  EXPECT_TRUE(state->autopilotloaded);
  EXPECT_FALSE(state->TimerWasOff);
  EXPECT_TRUE(state->PausedFlag);
  EXPECT_FALSE(form->timerEnabled());
  dlg->btnClose_Click();
  EXPECT_FALSE(state->autopilotloaded);
  EXPECT_FALSE(state->PausedFlag);
  EXPECT_TRUE(form->timerEnabled());
  form->setTimerEnabled(false);
}

TEST_F(AutopilotDialogTest, AutopilotDialogLeavesAPausedSimulationPaused) {
  state->PausedFlag = true;
  open();
  EXPECT_TRUE(state->TimerWasOff);
  dlg->btnOK_Click();
  EXPECT_TRUE(state->PausedFlag);
  EXPECT_FALSE(form->timerEnabled());
  EXPECT_FALSE(state->autopilotloaded);
}

TEST_F(AutopilotDialogTest, AutopilotDialogWindowsShowCloseAndReload) {
  AutopilotWindows windows(*form);
  windows.show(false);
  ASSERT_NE(windows.editor(), nullptr);
  EXPECT_TRUE(windows.isShown());
  EXPECT_TRUE(state->autopilotloaded);
  frmAutoPilot* first = windows.editor();
  windows.show(false);
  EXPECT_EQ(windows.editor(), first);  // one editor
  windows.show(true);
  EXPECT_TRUE(windows.isShown());
  windows.close();
  EXPECT_FALSE(windows.isShown());
  EXPECT_FALSE(state->autopilotloaded);
  // Opened again before the closed one is gone: a fresh editor holds again.
  state->PausedFlag = false;
  windows.show(false);
  EXPECT_TRUE(windows.isShown());
  EXPECT_TRUE(state->autopilotloaded);
  EXPECT_TRUE(state->PausedFlag);
  windows.close();
}

// ---- Lines composed from the controls.

TEST_F(AutopilotDialogTest, AutopilotDialogComposesOrientAndThrustWords) {
  addBodies(3);
  state->focusobj = 2;
  open();
  setTime("2005", "5", "12", "8", "30", "15.4");

  dlg->pickCommand("Orient Prograde");
  EXPECT_EQ(dlg->visibleFrame(), dlg->FrameOrient);
  EXPECT_EQ(dlg->FrameOrient->reference->currentText(), "Body2");  // the focus body
  dlg->FrameOrient->object->setEditText("Body3");
  AutopilotFields f;
  f.word = "Orient Prograde";
  f.object = "Body3";
  f.reference = "Body2";
  const std::string want = addAndExpect(f);
  EXPECT_EQ(state->autopilot[1].time, AutopilotLineTime(want));
  EXPECT_EQ(dlg->visibleFrame(), nullptr);
  EXPECT_EQ(dlg->ComboCommand->currentIndex(), -1);

  setTime("2005", "5", "12", "8", "30", "16");
  dlg->pickCommand("Orient Custom");
  dlg->FrameOrientCustom->ComboOrientCustom->setEditText("Body1");
  dlg->FrameOrientCustom->txtAzimuth->setText("45.5");
  dlg->FrameOrientCustom->txtAltitude->setText("-10");
  f = {};
  f.word = "Orient Custom";
  f.object = "Body1";
  f.azimuth = "45.5";
  f.altitude = "-10";
  addAndExpect(f);

  setTime("2005", "5", "12", "8", "30", "17");
  dlg->pickCommand("Thrust");
  dlg->FrameThrust->ComboThrustObject->setEditText("Body2");
  dlg->FrameThrust->TextThrustRate->setText("0.25");
  f = {};
  f.word = "Thrust";
  f.thrustInitiate = true;
  f.object = "Body2";
  f.thrustRate = "0.25";
  addAndExpect(f);
  // The next thrust command defaults to the opposite one.
  EXPECT_TRUE(dlg->FrameThrust->OptionCutOffThrust->isChecked());
  EXPECT_FALSE(dlg->FrameThrust->TextThrustRate->isEnabled());
  setTime("2005", "5", "12", "8", "30", "18");
  dlg->pickCommand("Thrust");
  f.thrustInitiate = false;
  addAndExpect(f);
  EXPECT_TRUE(dlg->FrameThrust->OptionInitiateThrust->isChecked());
}

TEST_F(AutopilotDialogTest, AutopilotDialogComposesViewAndTimeWords) {
  open();
  setTime("2010", "1", "1", "0", "0", "1");
  AutopilotFields f;

  dlg->pickCommand("Zoom");
  f.word = "Zoom";
  f.zoom = ZoomOption::In;
  addAndExpect(f);
  dlg->pickCommand("Zoom");
  dlg->FrameZoom->OptionHalf_Click();
  f.zoom = ZoomOption::Out;
  EXPECT_EQ(addAndExpect(f).size(), 46u);

  dlg->pickCommand("Zoom");
  dlg->FrameZoom->OptionSpecify_Click();
  EXPECT_TRUE(dlg->FrameZoom->OptionAU->isChecked());
  dlg->FrameZoom->TextZoomValue->setText("3.5");
  f.zoom = ZoomOption::Specify;
  f.zoomValue = "3.5";
  f.zoomUnit = "AU";
  addAndExpect(f);

  dlg->pickCommand("Graphics");
  dlg->FrameGraphics->CheckTrails->setChecked(true);
  dlg->FrameGraphics->CheckPlot->setChecked(false);
  dlg->FrameGraphics->CheckExaggerate->setChecked(true);
  f = {};
  f.word = "Graphics";
  f.trails = true;
  f.plot = false;
  f.exaggerate = true;
  addAndExpect(f);

  state->timescale = 3600 * 2;
  dlg->pickCommand("Time Scale");
  EXPECT_EQ(dlg->FrameTimeScale->TextTimeScale->text(), "2");
  EXPECT_TRUE(dlg->FrameTimeScale->OptionTimeUnit[2]->isChecked());  // hours
  f = {};
  f.word = "Time Scale";
  f.timeScaleValue = "2";
  f.timeScaleUnit = TimeScaleUnit::Hours;
  addAndExpect(f);

  dlg->pickCommand("Rotating Frame");
  dlg->FrameRotatingFrame->TextRotatePeriod->setText("86400");
  dlg->FrameRotatingFrame->Option2->click();
  f = {};
  f.word = "Rotating Frame";
  f.rotatePeriod = "86400";
  f.clockwise = false;
  addAndExpect(f);

  for (const char* w : {"Pause", "Clear Screen"}) {
    dlg->pickCommand(w);
    EXPECT_EQ(dlg->visibleFrame(), nullptr);
    f = {};
    f.word = w;
    addAndExpect(f);
  }
}

TEST_F(AutopilotDialogTest, AutopilotDialogComposesFocusProbeAndFileWords) {
  addBodies(2);
  state->objx[2] = 3e11;
  state->objy[2] = 1e10;
  state->PreviousFocusObj = 2;
  state->CurrentFolder = "/data/Übung/";  // file names are the system's bytes
  open();
  setTime("2010", "1", "1", "0", "0", "1");

  dlg->pickCommand("Focus");
  EXPECT_EQ(dlg->FrameFocus->ComboFocusObject->count(), 2);
  EXPECT_EQ(dlg->FrameFocus->ComboFocusObject->currentText(), "Body2");
  EXPECT_TRUE(dlg->FrameFocus->OptionOffsetAU->isChecked());
  dlg->pickCommand("Focus");
  EXPECT_EQ(dlg->FrameFocus->ComboFocusObject->count(), 2);  // each body once
  dlg->FrameFocus->TextOffsetX->setText("1.5");
  dlg->FrameFocus->TextOffsetY->setText("-2");
  dlg->FrameFocus->TextOffsetZ->setText("0");
  AutopilotFields f;
  f.word = "Focus";
  f.perspective = "Absolute";
  f.object = "Body2";
  f.offsetX = "1.5";
  f.offsetY = "-2";
  f.offsetZ = "0";
  f.offsetUnit = "AU";
  addAndExpect(f);

  dlg->pickCommand("Release Probe");
  EXPECT_EQ(dlg->FrameReleaseProbe->txtProbeName->text(), "Probe 1");
  EXPECT_EQ(dlg->FrameReleaseProbe->probeColour(), 123456);
  dlg->FrameReleaseProbe->ComboReleaseProbe->setEditText("Body1");
  dlg->FrameReleaseProbe->Text4->setText("1");  // one kilogram
  dlg->FrameReleaseProbe->Text6->setText("3");
  f = {};
  f.word = "Release Probe";
  f.object = "Body1";
  f.probeName = "Probe 1";
  f.probeColour = 123456;
  f.probeMass = 1.0 / EarthMassKg;
  f.deductMass = true;
  f.azimuth = "0";
  f.altitude = "0";
  f.probeSize = "3";
  addAndExpect(f);
  EXPECT_EQ(state->ProbeCounter, 1);
  EXPECT_EQ(memory.probeMassFactor, 1.0 / EarthMassKg);

  dlg->pickCommand("Open");
  dialogs.answerFile("/data/太陽系/next.molv");
  dlg->FrameOpen->browse_Click();
  EXPECT_EQ(dlg->FrameOpen->fileBox->text(), "../太陽系/next.molv");
  dialogs.answerFile(QString());  // a cancel changes nothing
  dlg->FrameOpen->browse_Click();
  EXPECT_EQ(dlg->FrameOpen->fileBox->text(), "../太陽系/next.molv");
  f = {};
  f.word = "Open";
  f.fileName = "../太陽系/next.molv";
  addAndExpect(f);

  dlg->pickCommand("Save");
  dialogs.answerFile("/data/Übung/Größe.molv");
  dlg->frameSave->browse_Click();
  EXPECT_EQ(dialogs.fileRequests().back().kind, FileDialogKind::Save);
  f.word = "Save";
  f.fileName = "/data/Übung/Größe.molv";
  const std::string line = addAndExpect(f);
  EXPECT_EQ(line.size(), 44u + f.fileName.size());
  // The list shows the name as the system names it; editing the entry
  // brings the same name back.
  const QList<QListWidgetItem*> shown = dlg->ListOfCommands->findItems("Größe.molv", Qt::MatchEndsWith);
  ASSERT_EQ(shown.size(), 1);
  dlg->frameSave->fileBox->clear();
  dlg->ListOfCommands->setCurrentItem(shown[0]);
  dlg->ListOfCommands_Click();
  EXPECT_EQ(dlg->frameSave->fileBox->text(), "/data/Übung/Größe.molv");
}

TEST_F(AutopilotDialogTest, AutopilotDialogDateFieldKeepsNegativeYears) {
  open();
  setTime("-44", "3", "15", "12", "0", "0");
  const std::string date = dlg->currentDateField();
  EXPECT_EQ(date, ComposeAutopilotDateField(-44, 3, 15, 12, 0, 0));
  EXPECT_NE(date.find("-44"), std::string::npos);
  dlg->pickCommand("Pause");
  dlg->btnAdd_Click();
  ASSERT_EQ(state->autopilotCount, 1);
  EXPECT_LT(state->autopilot[1].time, 0);
  // Reading the entry back shows the same year.
  dlg->ListOfCommands->setCurrentRow(0);
  dlg->ListOfCommands_Click();
  EXPECT_EQ(dlg->TextYear->text(), "-44");
  EXPECT_EQ(dlg->currentDateField(), date);
}

// ---- Defaults of the frames.

TEST_F(AutopilotDialogTest, AutopilotDialogDefaultsFollowTheSimulation) {
  addBodies(3);
  state->objname[2] = "Probe 1";
  state->objname[3] = "Probe 2";
  state->objx[1] = -3e11;
  state->objy[1] = -1e10;
  state->PreviousFocusObj = 1;
  open();

  for (auto [step, text, unit] : {std::tuple{60.0, "1", 1}, std::tuple{59.5, "59.5", 0}, std::tuple{86400.0, "1", 3}}) {
    state->timescale = step;
    dlg->pickCommand("Time Scale");
    EXPECT_EQ(dlg->FrameTimeScale->TextTimeScale->text(), text);
    EXPECT_TRUE(dlg->FrameTimeScale->OptionTimeUnit[unit]->isChecked());
  }

  dlg->pickCommand("Focus");
  EXPECT_TRUE(dlg->FrameFocus->OptionOffsetKm->isChecked());
  EXPECT_EQ(dlg->FrameFocus->TextOffsetX->text(), "-300000000");
  EXPECT_EQ(dlg->FrameFocus->TextOffsetY->text(), "-10000000");
  EXPECT_EQ(dlg->FrameFocus->TextOffsetX->cursorPosition(), 0);  // the box shows the number's first digits
  EXPECT_EQ(dlg->FrameFocus->TextOffsetY->cursorPosition(), 0);

  dlg->pickCommand("Release Probe");
  EXPECT_EQ(dlg->FrameReleaseProbe->txtProbeName->text(), "Probe 3");
  EXPECT_EQ(state->ProbeCounter, 2);

  // A visible width of exactly 9.3851136e12 km is shown in AU.
  form->screenWidth = 1000;
  state->ScalePixel = 1000 / 9.3851136e15;
  dlg->pickCommand("Zoom");
  EXPECT_TRUE(dlg->FrameZoom->OptionAU->isChecked());
  EXPECT_FALSE(dlg->FrameZoom->TextZoomValue->isEnabled());
  EXPECT_EQ(dlg->FrameZoom->TextZoomValue->text().left(9), "62567.424");
}

TEST_F(AutopilotDialogTest, AutopilotDialogDefaultTimes) {
  state->SecondsElapsed = 1000;
  open();
  EXPECT_EQ(dlg->currentDateField(), FormatDateTimeText(1001));
  dlg->Command2_Click();  // after the last of an empty list: one second after the origin
  EXPECT_EQ(dlg->currentDateField(), FormatDateTimeText(1));
  dlg->Command1_Click();
  EXPECT_EQ(dlg->currentDateField(), FormatDateTimeText(1001));
}

// ---- List operations through the dialog.

TEST_F(AutopilotDialogTest, AutopilotDialogAddsInTimeOrderAndEditsBack) {
  addBodies(2);
  open();
  setTime("2000", "1", "1", "0", "0", "30");
  dlg->pickCommand("Pause");
  dlg->Text1->setPlainText("later");
  dlg->btnAdd_Click();
  setTime("2000", "1", "1", "0", "0", "10");
  dlg->pickCommand("Focus");
  dlg->FrameFocus->ComboFocusObject->setEditText("Body1");
  dlg->FrameFocus->TextOffsetX->setText("5");
  dlg->FrameFocus->TextOffsetY->setText("0");
  dlg->FrameFocus->TextOffsetZ->setText("0");
  dlg->FrameFocus->OptionFloating->click();
  dlg->Text1->setPlainText("earlier");
  dlg->btnAdd_Click();
  ASSERT_EQ(state->autopilotCount, 2);
  EXPECT_EQ(state->autopilot[1].note, "earlier");
  EXPECT_EQ(state->autopilot[2].note, "later");
  ASSERT_EQ(dlg->ListOfCommands->count(), 2);
  EXPECT_EQ(dlg->ListOfCommands->item(0)->text().toStdString(), state->autopilot[1].line);

  // A row click loads the entry; Replace with a later time moves it.
  dlg->ListOfCommands->setCurrentRow(0);
  dlg->ListOfCommands_Click();
  EXPECT_EQ(memory.editIndex, 1);
  EXPECT_TRUE(dlg->btnReplace->isEnabled());
  EXPECT_FALSE(dlg->btnAdd->isEnabled());
  EXPECT_EQ(dlg->ComboCommand->currentText(), "Focus");
  EXPECT_EQ(dlg->visibleFrame(), dlg->FrameFocus);
  EXPECT_TRUE(dlg->FrameFocus->OptionFloating->isChecked());
  EXPECT_EQ(dlg->FrameFocus->TextOffsetX->text(), "5");
  EXPECT_EQ(dlg->Text1->toPlainText(), "earlier");
  const std::string focusLine = state->autopilot[1].line;
  EXPECT_EQ(ComposeAutopilotLine(focusLine.substr(0, 23), dlg->currentFields(), form->mainWindowWidthTwips(),
                                 form->mainWindowHeightTwips()),
            focusLine);
  dlg->TextSeconds->setText("50");
  dlg->btnReplace_Click();
  ASSERT_EQ(state->autopilotCount, 2);
  EXPECT_EQ(state->autopilot[2].note, "earlier");
  EXPECT_EQ(state->autopilot[2].line.substr(23), focusLine.substr(23));
  EXPECT_FALSE(dlg->btnReplace->isEnabled());

  // Delete of the last row selects the new last row and loads it.
  dlg->ListOfCommands->setCurrentRow(1);
  dlg->ListOfCommands_Click();
  dlg->btnDelete_Click();
  ASSERT_EQ(state->autopilotCount, 1);
  EXPECT_EQ(state->autopilot[2].line, "");
  EXPECT_EQ(dlg->ListOfCommands->currentRow(), 0);
  EXPECT_EQ(dlg->ComboCommand->currentText(), "Pause");
  dlg->btnDelete_Click();
  EXPECT_EQ(state->autopilotCount, 0);
  EXPECT_EQ(dlg->ListOfCommands->count(), 0);
}

TEST_F(AutopilotDialogTest, AutopilotDialogEditBringsBackProbeAndRotatingFrame) {
  addBodies(1);
  state->objname[2] = "International Space Station";
  state->objects = 2;
  open();
  setTime("2000", "1", "1", "0", "0", "10");
  dlg->pickCommand("Rotating Frame");
  dlg->FrameRotatingFrame->TextRotatePeriod->setText("1234");
  dlg->FrameRotatingFrame->Option2->click();
  dlg->btnAdd_Click();
  const std::string rotating = state->autopilot[1].line;
  setTime("2000", "1", "1", "0", "0", "20");
  dlg->pickCommand("Release Probe");
  dlg->FrameReleaseProbe->ComboReleaseProbe->setEditText("Body1");
  dlg->FrameReleaseProbe->Text4->setText("2");
  dlg->FrameReleaseProbe->OpButEarthMasses->click();
  dlg->FrameReleaseProbe->Text3->setText("90");
  dlg->btnAdd_Click();
  const std::string probe = state->autopilot[2].line;
  setTime("2000", "1", "1", "0", "0", "30");
  dlg->pickCommand("Thrust");
  dlg->FrameThrust->OptionCutOffThrust->click();
  type(dlg->FrameThrust->ComboThrustObject, "International Space Station");  // longer than its field
  dlg->btnAdd_Click();
  const std::string cutOff = state->autopilot[3].line;

  // Replace after Edit without touching anything keeps each line whole.
  for (int row : {0, 1, 2}) {
    dlg->FrameThrust->ComboThrustObject->setEditText("");
    dlg->ListOfCommands->setCurrentRow(row);
    dlg->ListOfCommands_Click();
    dlg->btnReplace_Click();
  }
  EXPECT_EQ(state->autopilot[1].line, rotating);
  EXPECT_EQ(state->autopilot[2].line, probe);
  EXPECT_EQ(state->autopilot[3].line, cutOff);
  EXPECT_EQ(dlg->FrameThrust->ComboThrustObject->currentText(), "International Space Station");
}

// Whatever the word, each box and check box its frame shows goes into the
// line and comes back on "<< Edit", and Replace writes the very line again.
// (The mass box comes back in Earth masses; the rotating body is not stored.)
TEST_F(AutopilotDialogTest, AutopilotDialogEveryWordsControlsGoIntoTheLineAndComeBack) {
  addBodies(2);
  open().show();
  int k = 0;
  for (std::string_view word : AutopilotEditorWords) {
    SCOPED_TRACE(std::string(word));
    setTime("2000", "1", "1", "0", "0", std::to_string(++k).c_str());
    dlg->pickCommand(QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
    if (dlg->FrameZoom->isVisible()) dlg->FrameZoom->OptionSpecify->click();
    std::vector<std::pair<QLineEdit*, QString>> boxes;
    std::vector<std::pair<QCheckBox*, bool>> checks;
    if (QGroupBox* frame = dlg->visibleFrame()) {
      for (QLineEdit* box : frame->findChildren<QLineEdit*>()) {
        if (box == dlg->FrameReleaseProbe->Text4 || box->parentWidget() == dlg->FrameRotatingFrame->ComboRotatingObject)
          continue;
        boxes.emplace_back(box, QString::number(boxes.size() + 1) + "1");
        type(box, qPrintable(boxes.back().second));
      }
      for (QCheckBox* check : frame->findChildren<QCheckBox*>()) {
        check->click();
        checks.emplace_back(check, check->isChecked());
      }
    }
    dlg->btnAdd_Click();
    ASSERT_EQ(state->autopilotCount, k);
    const std::string line = state->autopilot[k].line;
    for (const auto& [box, text] : boxes) box->clear();  // the frames keep what they hold
    for (const auto& [check, checked] : checks) check->setChecked(!checked);
    dlg->ListOfCommands->setCurrentRow(k - 1);
    dlg->ListOfCommands_Click();
    for (const auto& [box, text] : boxes) EXPECT_EQ(box->text(), text);
    for (const auto& [check, checked] : checks) EXPECT_EQ(check->isChecked(), checked);
    dlg->btnReplace_Click();
    EXPECT_EQ(state->autopilot[k].line, line);
    if (dlg->captionDialog()) dlg->captionDialog()->btnCancel_Click();
  }
}

TEST_F(AutopilotDialogTest, AutopilotDialogDeleteAfterNewAndAddKeepsTheEditedEntry) {
  open();
  setTime("2000", "1", "1", "0", "0", "30");
  dlg->pickCommand("Pause");
  dlg->btnAdd_Click();
  dlg->ListOfCommands->setCurrentRow(0);
  dlg->ListOfCommands_Click();
  dlg->btnNew_Click();
  EXPECT_TRUE(dlg->btnDelete->isEnabled());
  setTime("2000", "1", "1", "0", "0", "10");  // goes in before the edited entry
  dlg->pickCommand("Clear Screen");
  dlg->btnAdd_Click();
  ASSERT_EQ(state->autopilotCount, 2);
  dlg->btnDelete_Click();
  ASSERT_EQ(state->autopilotCount, 1);
  EXPECT_EQ(AutopilotLineWord(state->autopilot[1].line), "Clear Screen");
}

TEST_F(AutopilotDialogTest, AutopilotDialogColourChoiceAndCancel) {
  open();
  dlg->pickCommand("Release Probe");
  dialogs.answerColour(QColor(1, 2, 3));
  dlg->FrameReleaseProbe->Command3_Click();
  EXPECT_EQ(dlg->FrameReleaseProbe->probeColour(), 0x030201);
  dialogs.answerColour(std::nullopt);  // a cancel keeps the swatch
  dlg->FrameReleaseProbe->Command3_Click();
  EXPECT_EQ(dlg->FrameReleaseProbe->probeColour(), 0x030201);
}

TEST_F(AutopilotDialogTest, AutopilotDialogRefusesTheThousandAndFirstCommand) {
  for (int i = 1; i <= MaxAutopilot; ++i) {
    state->autopilot[i] = AutopilotCommand{"x", 100.0 + i, ""};
  }
  state->autopilotCount = MaxAutopilot;
  open();
  ASSERT_EQ(dlg->ListOfCommands->count(), MaxAutopilot);
  dlg->pickCommand("Pause");
  dlg->btnAdd_Click();
  EXPECT_EQ(state->autopilotCount, MaxAutopilot);
  ASSERT_FALSE(dialogs.messages().empty());
  EXPECT_NE(dialogs.messages().back().find("1000"), std::string::npos);
  EXPECT_EQ(dlg->ComboCommand->currentText(), "Pause");  // nothing was cleared
}

TEST_F(AutopilotDialogTest, AutopilotDialogRefusesATimeBeyondTheClock) {
  open();
  setTime("1e300", "1", "1", "0", "0", "0");
  dlg->pickCommand("Pause");
  dlg->btnAdd_Click();
  if (!std::isfinite(AutopilotLineTime(dlg->currentDateField()))) {
    EXPECT_EQ(state->autopilotCount, 0);
    EXPECT_FALSE(dialogs.messages().empty());
  } else {
    EXPECT_TRUE(std::isfinite(state->autopilot[1].time));
  }
}

// Every value that could never run, typed into its box and Add clicked: the
// list is unchanged and one message names the field. The same line put into
// the list directly (as a file brings it) pauses the run once, at its time,
// naming the command and the same field; time fields that merely give
// another date are the editor's alone.
TEST_F(AutopilotDialogTest, AutopilotDialogRefusesWhatCanNeverRunAndNamesTheField) {
  addBodies(1);
  for (const char* name :
       {"A thrusting body named", "An oriented body's name", "A releasing body's name", "A focused body's name"}) {
    state->objname[++state->objects] = name;
  }
  state->focusobj = state->PreviousFocusObj = 1;  // Body1: the default reference and focus
  open().show();
  for (QComboBox* c : {dlg->FrameReleaseProbe->ComboReleaseProbe, dlg->FrameThrust->ComboThrustObject,
                       dlg->FrameOrientCustom->ComboOrientCustom})
    type(c, "Body1");
  const std::string twoThousand(2000, '7');
  const char* digits = twoThousand.c_str();
  const struct {
    const char* word;
    QWidget* box;
    const char *refused, *kept, *field;
    const char* date = "2005 2 1";  // year, month, day
    bool runs = true;               // the executor refuses the line too
  } rows[] = {
      {"Pause", dlg->ComboDay, "29", "28", "Day", "2005 2 1", false},  // February 2005
      {"Pause", dlg->ComboMinute, "123", "59", "Minute", "2005 2 1", false},
      {"Pause", dlg->TextSeconds, "99999", "59", "Seconds", "2005 2 1", false},
      {"Pause", dlg->TextYear, "123456789012", "-44", "Year", "2005 2 1", false},
      {"Pause", dlg->TextYear, "999999999", "285000000", "Year", "2005 12 31", false},  // the last exact year
      {"Pause", dlg->TextSeconds, "0", "1", "Execution Time", "0 1 1"},                 // the clock's origin
      {"Time Scale", dlg->FrameTimeScale->TextTimeScale, "-5", "5", "Time Scale"},
      {"Time Scale", dlg->FrameTimeScale->TextTimeScale, "0", ".5", "Time Scale"},
      {"Time Scale", dlg->FrameTimeScale->TextTimeScale, "1e300", "1e9", "Time Scale"},
      {"Time Scale", dlg->FrameTimeScale->TextTimeScale, "1e-300", "1e-3", "Time Scale"},
      {"Zoom", dlg->FrameZoom->TextZoomValue, "0", "2", "Specify Zoom"},
      {"Zoom", dlg->FrameZoom->TextZoomValue, "1e-320", "1e-6", "Specify Zoom"},
      {"Rotating Frame", dlg->FrameRotatingFrame->TextRotatePeriod, "0", "-60", "Period"},
      {"Release Probe", dlg->FrameReleaseProbe->Text4, "-1", "1", "Mass"},
      {"Release Probe", dlg->FrameReleaseProbe->Text6, "-5", "5", "Size"},
      {"Release Probe", dlg->FrameReleaseProbe->Text6, "1e400", "0", "Size"},
      {"Release Probe", dlg->FrameReleaseProbe->Text3, "1e40", "45", "Az"},
      {"Release Probe", dlg->FrameReleaseProbe->Text5, "-1e39", "-10", "Alt"},
      {"Release Probe", dlg->FrameReleaseProbe->ComboReleaseProbe, "A releasing body's name", "Body1", "Release From"},
      {"Release Probe", dlg->FrameReleaseProbe->txtProbeName, "A probe name too long", "Probe 9", "Probe Name"},
      {"Thrust", dlg->FrameThrust->TextThrustRate, "1e40", "2", "Meters / Second"},
      {"Thrust", dlg->FrameThrust->ComboThrustObject, "A thrusting body named", "Body1", "Object"},  // rate at 66
      {"Orient Prograde", dlg->FrameOrient->object, "An oriented body's name", "Body9", "Object"},
      {"Orient Prograde", dlg->FrameOrient->object, "Body1", "Body9", "Reference Object"},   // the focus body
      {"Orient Prograde", dlg->FrameOrient->object, "Body12", "Body9", "Reference Object"},  // read as Body1
      {"Orient Custom", dlg->FrameOrientCustom->txtAzimuth, "1e40", "10", "Azimuth"},
      {"Orient Custom", dlg->FrameOrientCustom->txtAltitude, "1e39", "5", "Altitude"},
      {"Focus", dlg->FrameFocus->ComboFocusObject, "A focused body's name", "Body1", "Focus Object"},
      {"Focus", dlg->FrameFocus->TextOffsetX, "1e400", "1", "Offset X"},
      {"Focus", dlg->FrameFocus->TextOffsetY, "1e306", "1", "Offset Y"},  // kilometres beyond the numbers
      {"Save", dlg->frameSave->fileBox, "", "copy.molv", "File Name"},
      {"Open", dlg->FrameOpen->fileBox, "", "next.molv", "File"},
      {"Save", dlg->frameSave->fileBox, " ", "copy.molv", "File Name"},
      {"Open", dlg->FrameOpen->fileBox, " ", "next.molv", "File"},
      {"Rotating Frame", dlg->FrameRotatingFrame->TextRotatePeriod, "5e-324", "-60", "Period"},
      // Longer than the columns the executor reads: it would run into the next field.
      {"Rotating Frame", dlg->FrameRotatingFrame->TextRotatePeriod, digits, "-60", "Period", "2005 2 1", false},
      {"Thrust", dlg->FrameThrust->TextThrustRate, digits, "2", "Meters / Second", "2005 2 1", false},
      {"Orient Custom", dlg->FrameOrientCustom->txtAzimuth, "0.0000000000000000000001", "10", "Azimuth", "2005 2 1",
       false},
      {"Focus", dlg->FrameFocus->TextOffsetY, digits, "1", "Offset Y", "2005 2 1", false},
      {"Release Probe", dlg->FrameReleaseProbe->Text6, digits, "5", "Size", "2005 2 1", false},
      // Text the files cannot keep.
      {"Thrust", dlg->FrameThrust->ComboThrustObject, "Земля月", "Body1", "Object", "2005 2 1", false},
      {"Release Probe", dlg->FrameReleaseProbe->txtProbeName, "地球 Γ €", "Probe 9", "Probe Name", "2005 2 1", false},
      {"Pause", dlg->Text1, "Земля月", "Earth", "Caption", "2005 2 1", false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(std::string(r.field) + " " + r.refused);
    const QStringList date = QString(r.date).split(' ');
    type(dlg->TextYear, qPrintable(date[0]));
    type(dlg->ComboMonth, qPrintable(date[1]));
    type(dlg->ComboDay, qPrintable(date[2]));
    choose(r.word);
    if (dlg->FrameZoom->isVisible()) dlg->FrameZoom->OptionSpecify->click();
    if (dlg->FrameThrust->isVisible()) dlg->FrameThrust->OptionInitiateThrust->click();
    type(r.box, r.refused);
    const int count = state->autopilotCount;
    const size_t messages = dialogs.messages().size();
    QTest::mouseClick(dlg->btnAdd, Qt::LeftButton);
    EXPECT_EQ(state->autopilotCount, count);
    ASSERT_EQ(dialogs.messages().size(), messages + 1);
    EXPECT_EQ(dialogs.messages().back().rfind(std::string(r.field) + ' ', 0), 0u) << dialogs.messages().back();
    EXPECT_EQ(dlg->ComboCommand->currentText(), r.word);  // nothing was cleared
    if (r.runs) expectRunRefused(expected(dlg->currentFields()), r.field);
    type(r.box, r.kept);
    QTest::mouseClick(dlg->btnAdd, Qt::LeftButton);
    EXPECT_EQ(state->autopilotCount, count + 1);
  }
}

// One entry runs per step: of entries typed for one step, each after the
// first runs a step later. The note under the list says which and when,
// without a box at Add; it goes when they no longer collide.
TEST_F(AutopilotDialogTest, AutopilotDialogNotesTheEntriesThatRunAStepLate) {
  state->SecondsElapsed = AutopilotLineTime(ComposeAutopilotDateField(2005, 1, 1, 0, 0, 0));
  state->timescale = 120;
  open().show();
  for (auto [word, minute] : {std::pair{"Pause", "1"}, std::pair{"Clear Screen", "1"}, std::pair{"Pause", "3"}}) {
    type(dlg->TextYear, "2005");
    type(dlg->ComboMonth, "1");
    type(dlg->ComboDay, "1");
    type(dlg->ComboHour, "0");
    type(dlg->ComboMinute, minute);
    type(dlg->TextSeconds, "0");
    choose(word);
    QTest::mouseClick(dlg->btnAdd, Qt::LeftButton);
  }
  EXPECT_EQ(state->autopilotCount, 3);
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(dlg->LateNote->isVisible());
  EXPECT_EQ(dlg->LateNote->toPlainText().toStdString(),
            "One entry runs per step, so these run later than typed (time step 120 s):\n"
            "#2 Clear Screen at 01 01 2005 00:04:00\n#3 Pause at 01 01 2005 00:06:00\n");
  EXPECT_LE(dlg->ListOfCommands->geometry().bottom(), dlg->LateNote->geometry().top());
  ClickRow(dlg->ListOfCommands, 1);
  QTest::mouseClick(dlg->btnDelete, Qt::LeftButton);
  EXPECT_FALSE(dlg->LateNote->isVisible());
}

TEST_F(AutopilotDialogTest, AutopilotDialogOkArmsTheAutopilot) {
  state->SecondsElapsed = 500;
  open();
  dlg->Command1_Click();  // the clock plus one second
  dlg->pickCommand("Pause");
  dlg->btnAdd_Click();
  EXPECT_FALSE(state->autopilotState.armed);  // Add alone arms nothing
  dlg->btnOK_Click();
  EXPECT_TRUE(state->autopilotState.armed);
  EXPECT_EQ(state->autopilotState.cursor, 1);
  EXPECT_EQ(state->autopilotState.nextTime, 501);
  EXPECT_EQ(state->autopilotState.nextLine, state->autopilot[1].line);
  EXPECT_FALSE(state->autopilotloaded);
}

TEST_F(AutopilotDialogTest, AutopilotDialogRefreshKeepsTypedNames) {
  addBodies(2);
  open();
  dlg->FrameThrust->ComboThrustObject->setEditText("Body2");
  addBodies(3);
  dlg->refreshObjectLists();
  EXPECT_EQ(dlg->FrameThrust->ComboThrustObject->count(), 3);
  EXPECT_EQ(dlg->FrameThrust->ComboThrustObject->currentText(), "Body2");
}

// The window at its design size, 11010 x 6585 twips, with the list and the
// note where the design puts them, and every control whole and inside it
// whichever command word's frame is shown.
TEST_F(AutopilotDialogTest, EveryControlIsWholeInsideTheDesignSize) {
  addBodies(2);
  open();
  dlg->show();
  EXPECT_EQ(dlg->size(), QSize(734, 439));
  EXPECT_EQ(dlg->ListOfCommands->pos(), QPoint(448, 48));
  EXPECT_EQ(dlg->Text1->pos(), QPoint(16, 352));
  for (std::string_view word : AutopilotEditorWords) {
    dlg->pickCommand(QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
    QApplication::processEvents();
    for (QWidget* c : dlg->findChildren<QWidget*>()) {
      if (c->window() != dlg || !c->isVisibleTo(dlg) || qobject_cast<QComboBox*>(c->parentWidget())) continue;
      const std::string what = std::string(word) + ": " + c->metaObject()->className();
      EXPECT_TRUE(dlg->rect().contains(QRect(c->mapTo(dlg, QPoint(0, 0)), c->size()))) << what;
      EXPECT_GE(c->height(), c->minimumSizeHint().height()) << what;
    }
    if (dlg->captionDialog()) dlg->captionDialog()->btnCancel_Click();
  }
}

// ---- The caption dialog.

TEST_F(AutopilotDialogTest, AutopilotCaptionDialogOpensOnCaptionOne) {
  open();
  dlg->pickCommand("Caption");
  frmAddCaptionAutopilot* cap = dlg->captionDialog();
  ASSERT_NE(cap, nullptr);
  EXPECT_EQ(dlg->visibleFrame(), nullptr);
  EXPECT_EQ(cap->checkedSlot(), 1);
  // An empty caption 1 is only a few pixels: the dialog's minimum size.
  const QRect g = form->captionLabel(1)->geometry();
  if (g.width() * 15 + 500 < 3660 && g.height() * 15 + 2300 < 3135) {
    EXPECT_EQ(cap->widthTwips(), 3660);
    EXPECT_EQ(cap->heightTwips(), 3135);
  }
  EXPECT_EQ(cap->Text2->text().toStdString(), ShortText(static_cast<int32_t>(g.x())));
}

TEST_F(AutopilotDialogTest, AutopilotCaptionDialogOkFillsTheDefinition) {
  open();
  QFont font("Serif");
  font.setPointSizeF(18);
  font.setBold(true);
  font.setUnderline(true);
  dialogs.answerFont(font);
  dialogs.answerColour(QColor(0, 0, 255));
  dlg->pickCommand("Caption");
  frmAddCaptionAutopilot* cap = dlg->captionDialog();
  ASSERT_NE(cap, nullptr);
  cap->Option1[3]->click();
  cap->Command1_Click();
  cap->Text1->setPlainText("Arrival");
  cap->Text2->setText("120.5");
  cap->Text3->setText("121.5");
  cap->resizeTwips(6000, 4005);
  cap->btnOK_Click();
  const CaptionDefinition& d = state->captionDefinition;
  EXPECT_EQ(d.slot, 3);
  EXPECT_EQ(d.fontName, "Serif");
  EXPECT_EQ(d.fontSize, 18);
  EXPECT_TRUE(d.bold);
  EXPECT_TRUE(d.underline);
  EXPECT_FALSE(d.italic);
  EXPECT_EQ(d.foreColor, 0xFF0000);  // blue in 0x00BBGGRR
  EXPECT_EQ(d.left, 120);            // halves to even
  EXPECT_EQ(d.top, 122);
  EXPECT_EQ(d.width, 6000 - 495);  // the preview: dialog less the margin (whole pixels)
  EXPECT_EQ(d.height, 4005 - 1800 - 495);
  EXPECT_EQ(d.text, "Arrival");

  // Add turns the definition into the Caption line.
  dlg->pickCommand("Caption");
  ASSERT_NE(dlg->captionDialog(), nullptr);
  EXPECT_EQ(dlg->captionDialog()->checkedSlot(), 1);  // a new opening loads caption 1
  dlg->captionDialog()->btnCancel_Click();
  AutopilotFields f;
  f.word = "Caption";
  f.caption = d;
  const std::string line = addAndExpect(f);
  EXPECT_GE(line.size(), 275u);
  EXPECT_EQ(line.substr(270, 5), "ynynn");  // bold, italic, underline, strikethrough, reserved
  EXPECT_EQ(line.substr(275), "Arrival");
}

// "Font..." as the program offers it: Qt's font dialog, then the colour.
TEST_F(AutopilotDialogTest, AutopilotCaptionGetsItsColourFromTheColourDialog) {
  QtDialogs qtDialogs;  // the real font and colour dialogs, one after the other
  form->setDialogs(qtDialogs);
  open();
  dlg->show();
  dlg->ComboCommand->showPopup();
  QAbstractItemView* view = dlg->ComboCommand->view();
  const QModelIndex caption = view->model()->index(dlg->ComboCommand->findText("Caption"), 0);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(caption).center());
  frmAddCaptionAutopilot* cap = dlg->captionDialog();
  ASSERT_NE(cap, nullptr);
  const QColor green(40, 200, 120);
  int answered = 0;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    QWidget* m = QApplication::activeModalWidget();
    if (auto* f = qobject_cast<QFontDialog*>(m)) {
      f->accept();
      ++answered;
    } else if (auto* c = qobject_cast<QColorDialog*>(m)) {
      c->setCurrentColor(green);
      c->accept();
      ++answered;
    }
  });
  answer.start(10);
  QTest::mouseClick(cap->Command1, Qt::LeftButton);
  answer.stop();
  EXPECT_EQ(answered, 2);
  EXPECT_EQ(cap->Text1->palette().color(QPalette::Text), green);
  QTest::mouseClick(cap->btnOK, Qt::LeftButton);
  EXPECT_EQ(state->captionDefinition.foreColor, 0x78C828);  // 0x00BBGGRR
}

// A place that is no number reads 0; one that is a number but does not fit
// a whole number of twips, or a caption the files cannot keep, is refused
// with one message naming the box, and the dialog stays open.
TEST_F(AutopilotDialogTest, AutopilotCaptionDialogTakesWhatIsTypedOrRefusesIt) {
  open();
  const std::string many(2000, '9');
  const struct {
    int box;  // Text1 (the caption), Text2 (left), Text3 (top)
    std::string typed;
    const char* field;  // empty: taken
    int32_t left, top;
  } rows[] = {{2, "abc", "", 0, 9},
              {3, "-12.5", "", 77, -12},
              {3, "1e400", "Top", 77, 9},
              {2, "-1e400", "Left", 77, 9},
              {2, many, "Left", 77, 9},
              {2, "3e9", "Left", 77, 9},
              {1, "Земля月", "Caption", 77, 9}};
  for (const auto& r : rows) {
    SCOPED_TRACE(std::to_string(r.box) + " " + r.typed.substr(0, 10));
    dlg->pickCommand("Caption");
    frmAddCaptionAutopilot* cap = dlg->captionDialog();
    ASSERT_NE(cap, nullptr);
    cap->Text2->setText("77");
    cap->Text3->setText("9");
    state->captionDefinition.left = 77;
    state->captionDefinition.top = 9;
    state->captionDefinition.text = "kept";
    type(std::array<QWidget*, 4>{nullptr, cap->Text1, cap->Text2, cap->Text3}[static_cast<size_t>(r.box)],
         r.typed.c_str());
    const size_t messages = dialogs.messages().size();
    QTest::mouseClick(cap->btnOK, Qt::LeftButton);
    EXPECT_EQ(state->captionDefinition.left, r.left);
    EXPECT_EQ(state->captionDefinition.top, r.top);
    EXPECT_EQ(cap->isClosed(), *r.field == 0);
    if (*r.field == 0) continue;
    EXPECT_EQ(state->captionDefinition.text, "kept");
    ExpectRefusal(dialogs.messages(), messages, r.field);
    cap->close();
  }
}

TEST_F(AutopilotDialogTest, AutopilotCaptionDialogCancelKeepsTheDefinition) {
  state->captionDefinition.text = "kept";
  open();
  dlg->pickCommand("Caption");
  dlg->captionDialog()->Text1->setPlainText("changed");
  dlg->captionDialog()->btnCancel_Click();
  EXPECT_EQ(state->captionDefinition.text, "kept");
}

TEST_F(AutopilotDialogTest, AutopilotCaptionDialogEditFillsDefinitionAndDialog) {
  open();
  CaptionDefinition d;
  d.slot = 2;
  d.fontName = "Sans";
  d.fontSize = 12;
  d.foreColor = 255;
  d.left = 30;
  d.top = 40;
  d.width = 3000;
  d.height = 600;
  d.italic = true;
  d.text = "Hello";
  state->captionDefinition = d;
  dlg->pickCommand("Caption");
  dlg->captionDialog()->btnCancel_Click();
  dlg->btnAdd_Click();
  ASSERT_EQ(state->autopilotCount, 1);
  state->captionDefinition = CaptionDefinition{};
  dlg->ListOfCommands->setCurrentRow(0);
  dlg->ListOfCommands_Click();
  const CaptionDefinition& back = state->captionDefinition;
  EXPECT_EQ(back.slot, 2);
  EXPECT_EQ(back.fontName, "Sans");
  EXPECT_NEAR(back.fontSize, 12, 1e-9);
  EXPECT_EQ(back.left, 30);
  EXPECT_EQ(back.top, 40);
  EXPECT_EQ(back.width, 3000);
  EXPECT_EQ(back.height, 600);
  EXPECT_TRUE(back.italic);
  EXPECT_EQ(back.text, "Hello");
  frmAddCaptionAutopilot* cap = dlg->captionDialog();
  ASSERT_NE(cap, nullptr);
  EXPECT_EQ(cap->checkedSlot(), 2);
  EXPECT_EQ(cap->Text1->toPlainText(), "Hello");
  EXPECT_EQ(cap->Text2->text(), "30");
  EXPECT_NEAR(cap->widthTwips(), 3000 + 500, 15);
  EXPECT_NEAR(cap->heightTwips(), 600 + 1800 + 500, 15);
  // Replace keeps the Caption line whole.
  const std::string line = state->autopilot[1].line;
  dlg->btnReplace_Click();
  EXPECT_EQ(state->autopilot[1].line, line);
}

// ---- Every button pressed: each does its own work and no other's.

TEST_F(AutopilotDialogTest, EveryButtonOfTheEditorDoesItsOwnWork) {
  const auto look = [&]() -> Look {
    std::string notes;
    for (int k = 1; k <= state->autopilotCount; ++k) notes += state->autopilot[k].note + ";";
    const auto* z = dlg->FrameZoom;
    return Look({"entries=" + notes, "date=" + dlg->currentDateField(),
                 "buttons=" + Flag(dlg->btnAdd->isEnabled(), dlg->btnNew->isEnabled(), dlg->btnReplace->isEnabled()),
                 "note=" + dlg->Text1->toPlainText().toStdString(), "open=" + Flag(dlg->isVisible()),
                 "armed=" + Flag(state->autopilotState.armed), "loaded=" + Flag(state->autopilotloaded),
                 "save=" + dlg->frameSave->fileBox->text().toStdString(),
                 "opens=" + dlg->FrameOpen->fileBox->text().toStdString(),
                 "colour=" + GeneralText(dlg->FrameReleaseProbe->probeColour()),
                 "rate=" + Flag(dlg->FrameThrust->TextThrustRate->isEnabled()),
                 "zoom=" + Flag(z->OptionDouble->isChecked(), z->OptionHalf->isChecked(), z->OptionSpecify->isChecked(),
                                z->TextZoomValue->isEnabled(), z->OptionAU->isChecked())});
  };
  const std::string now = FormatDateTimeText(1001);  // the default time
  const auto year1999 = [&] { type(dlg->TextYear, "1999"); };
  const auto zoomSpecified = [&] { choose("Zoom"), Press(dlg, "OptionSpecify"); };
  const Row rows[] = {
      {"Command1", "date=" + now, year1999},
      {"Command2", "date=" + ComposeDateTimeText(2000, 1, 1, 0, 0, 21), year1999},
      {"btnNew", "buttons=100 note=", [&] { ClickRow(dlg->ListOfCommands, 0); }},
      {"btnAdd", "entries=;first;second; buttons=100", [&] { choose("Pause"); }},
      {"btnReplace", "entries=changed;second; date=" + now + " buttons=000 note=",
       [&] { ClickRow(dlg->ListOfCommands, 0), type(dlg->Text1, "changed"); }},
      {"btnDelete", "entries=second; date=" + now + " note=second", [&] { ClickRow(dlg->ListOfCommands, 0); }},
      // The row the keys highlight after a click is the one acted on.
      {"btnDelete", "entries=first; date=" + now + " note=first",
       [&] { ClickRow(dlg->ListOfCommands, 0), QTest::keyClick(dlg->ListOfCommands, Qt::Key_Down); }},
      {"btnReplace", "entries=first;changed; date=" + now + " buttons=000 note=",
       [&] {
         ClickRow(dlg->ListOfCommands, 0), QTest::keyClick(dlg->ListOfCommands, Qt::Key_End);
         type(dlg->Text1, "changed");
       }},
      {"btnOK", "open=0 armed=1 loaded=0"},
      {"btnClose", "open=0 loaded=0"},
      {"Command4", "save=/data/copy.molv", [&] { choose("Save"), dialogs.answerFile("/data/copy.molv"); }},
      {"btnBrowse", "opens=sub/next.molv",
       [&] { state->CurrentFolder = "/data/", choose("Open"), dialogs.answerFile("/data/sub/next.molv"); }},
      {"Command3", "colour=197121", [&] { choose("Release Probe"), dialogs.answerColour(QColor(1, 2, 3)); }},
      {"OptionCutOffThrust", "rate=0", [&] { choose("Thrust"); }},
      {"OptionInitiateThrust", "rate=1", [&] { choose("Thrust"), Press(dlg, "OptionCutOffThrust"); }},
      {"OptionDouble", "zoom=10000", zoomSpecified},
      {"OptionHalf", "zoom=01000", zoomSpecified},
      {"OptionSpecify", "zoom=00111", [&] { choose("Zoom"); }},
  };
  ExpectEachPress(rows, look, [&](const Row& r) { return fresh(r); });
  // Never enabled: a click on a row does its work.
  fresh({});
  dlg->ListOfCommands->setCurrentRow(1);
  EXPECT_TRUE(dlg->btnEdit->isVisible());
  EXPECT_FALSE(Press(dlg, "btnEdit"));
}

// Each slot button loads its own caption; the dialog is opened on caption 1.
TEST_F(AutopilotDialogTest, EveryButtonOfTheCaptionDialogDoesItsOwnWork) {
  QPointer<frmAddCaptionAutopilot> cap;
  const auto look = [&]() -> Look {
    return Look({"definition=" + state->captionDefinition.text, "closed=" + Flag(!cap || cap->isClosed()),
                 "preview=" + (cap ? GeneralText(cap->previewColour()) : ""),
                 "slot=" + (cap ? GeneralText(cap->checkedSlot()) : ""),
                 "text=" + (cap ? cap->Text1->toPlainText().toStdString() : "")});
  };
  const auto openOn = [&](int slot) {
    for (int k = 1; k <= MaxCaptions; ++k) state->captions[k].caption = "caption " + std::to_string(k);
    choose("Caption");
    cap = dlg->captionDialog();
    if (slot > 1) cap->Option1_Click(slot);
  };
  std::vector<Row> rows = {
      {"btnOK", "definition=Arrival closed=1", [&] { openOn(1), type(cap->Text1, "Arrival"); }},
      {"btnCancel", "closed=1", [&] { openOn(1), type(cap->Text1, "Arrival"); }},
      {"Command1", "preview=16711680",
       [&] { openOn(1), dialogs.answerFont(QFont("Serif")), dialogs.answerColour(QColor(0, 0, 255)); }},
  };
  for (int k = 1; k <= MaxCaptions; ++k)
    rows.push_back({"Option1(" + std::to_string(k) + ")",
                    "slot=" + std::to_string(k) + " text=caption " + std::to_string(k),
                    [&, k] { openOn(k == 1 ? 2 : 1); }});
  ExpectEachPress(rows, look, [&](const Row& r) -> QWidget* { return fresh(r), cap.data(); });
}

}  // namespace
}  // namespace molvane
