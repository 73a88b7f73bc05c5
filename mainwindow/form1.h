// The main window: the view of the bodies, its scroll bars and caption
// labels, the simulation timer and the keyboard command table. It is the
// host that the engine, the situation files and the autopilot call back.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "autopilot/autopilothost.h"
#include "engine/bodies.h"
#include "engine/host.h"
#include "engine/simulation.h"
#include "engine/state.h"
#include "files/fileshost.h"
#include "mainwindow/addboxes.h"
#include "mainwindow/captionlabels.h"
#include "mainwindow/dashboardhost.h"
#include "mainwindow/filecommands.h"
#include "mainwindow/labelpopup.h"
#include "mainwindow/mainhandlers.h"
#include "mainwindow/mainview.h"
#include "mainwindow/toolhooks.h"
#include "mainwindow/viewwidget.h"
#include "ui/bodynames.h"
#include "ui/dialogs.h"
#include "ui/instrumentwindows.h"
#include "ui/twips.h"
#include "ui/windowservices.h"
#include "ui/windowstyle.h"

namespace molvane {

class KeyForwarder;
struct MainMenus;

// The example situation that ships beside the program, opened at a first
// start.
inline constexpr const char* ExampleFileName = "inner-planets.molv";

class Form1 : public QMainWindow,
              public EngineHost,
              public AutopilotHost,
              public FilesHost,
              public WindowServices,
              public WindowSets,
              public LabelBackColour,
              public DashboardHost {
  Q_OBJECT

 public:
  explicit Form1(State& state, QWidget* parent = nullptr);
  ~Form1() override;

  State& state() override { return s_; }
  QWidget& mainWidget() override { return *this; }
  EngineHost& engineHost() override { return *this; }
  AutopilotHost& autopilotHost() override { return *this; }
  // Until the program installs Qt's dialogs every dialog is answered at
  // once as cancelled, as nobody can answer it without a display.
  Dialogs& dialogs() override { return *dialogs_; }
  void setDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }
  MainView& view() { return view_; }
  ViewWidget* viewWidget() override { return viewWidget_; }
  QMenuBar* mainMenuBar() override { return menuBar(); }

  // ---- Start-up and exit.
  // The whole start-up: native loop, settings, view defaults, first draw,
  // then the situation named by `commandLine` (double quotes removed) or the
  // resume file. Shows the window.
  void startUp(const QString& commandLine);
  // The command-line text of the arguments after the program name.
  static QString CommandLineText(const QStringList& arguments);
  // Folder of what the program writes between runs, created when needed.
  QString dataFolder() const override;
  QString resumePath() const;
  // The desktop session ends (or the process is asked to end): the exit of
  // closing the main window, once however often it is asked. Nobody is
  // there to answer: what the exit reports goes to standard error.
  void endSession();

  // ---- Keyboard command table; every window forwards its key presses here.
  void KeyPresses(int code);
  void AlignKeyReleased(int code) override;

  // ---- View operations.
  void zoomIn() override;
  void zoomOut() override;
  void AnchorOnOff() override;
  void pPplot() override;
  void TrailsOnOff() override;
  void LabelsOnOff() override;
  void ResetPlotState() override;
  void CenterBtn_Click();
  void HScroll1_Change();
  void VScroll1_Change();
  void RotatingFrameOnOff();
  void ExaggerateObjectSizeOnOff();
  // A mouse release over the view while the floating-focus pick is armed.
  void PickFloatingFocusAt(QPointF pos);
  void UpdateScreenScale() override;
  double visibleWidthKm() const override { return visibleWidthKm_; }

  // ---- Time.
  void PausePlay() override;   // the menu item and the "p" key
  void PauseOnOff() override;  // the autopilot's pause: menu caption unchanged
  void ReverseTime();

  // ---- Full-screen look.
  void EnterFullScreen();
  void LeaveFullScreen();
  void FullScreenOnOff();
  WindowStyle& windowStyle() { return windowStyle_; }

  // ---- The running loop.
  bool timerEnabled() const override { return timer1_.isActive(); }
  bool loopRunning() const { return s_.loopRunning; }
  void Timer1_Timer();

  // ---- Controls.
  QScrollBar* hscroll1() { return hscroll1_; }
  QScrollBar* vscroll1() { return vscroll1_; }
  QPushButton* centerBtn() { return centerBtn_; }
  QLabel* captionLabel(int k) override { return captions_->captionLabel(k); }
  MainMenus& menus() { return *menus_; }
  // Check marks and captions of the menu items follow State.
  void syncMenus() override;

  ToolWindows& tools() override { return *tools_; }
  void setToolWindows(std::unique_ptr<ToolWindows> tools);

  // Main window geometry, tilt and title bar to and from State.mainWindow.
  void captureWindowRecord();
  void applyWindowRecord();
  // Moves the outer frame to `outer`, sized as it is when it has a size.
  void placeOuterFrame(const QRect& outer);
  // The boxes of the four caption labels and of the body-name labels take
  // a colour (0x00BBGGRR).
  void setLabelBackColor(int32_t colour) override;
  // The four caption labels on the drawing area.
  CaptionLabels& captionLabels() { return *captions_; }
  // Caption labels under the mouse: a double-click opens the caption editor
  // (installed by the control windows) on that caption.
  void setCaptionEditor(std::function<void(int)> open) override { captions_->setCaptionEditor(std::move(open)); }

  // ---- Files.
  bool openSituation(const std::string& path) override;
  bool saveSituation(const std::string& path) override;

  // The File menu's commands.
  FileCommands& fileCommands() { return fileCommands_; }
  // The main window's title (kept in MainCaption while the title bar is
  // hidden).
  void setCaptionText(const QString& text);

  // ---- Window commands of the menus (menus.cpp).
  void toggleDashboard(DashboardWindow w);
  void EditObjMnu_Click();
  void rb_Click(int which);  // reference box 1 or 2 shown or hidden

  // ---- Instrument windows, their slots and the body label popup.
  InstrumentWindows& instruments() override { return *instruments_; }
  void setInstrumentWindows(std::unique_ptr<InstrumentWindows> w);
  BoxSlots& boxSlots() { return boxSlots_; }
  LabelPopup& labelPopup() { return labelPopup_; }

  // ---- EngineHost.
  void showReferenceBox(int which) override {
    tools_->showReferenceBox(which);
    instruments_->showReferenceBox(which);
  }
  void plot() override;
  void spectrumPoint(int16_t x, double value) override {
    tools_->spectrumPoint(x, value);
    instruments_->spectrumPoint(x, value);
  }
  void runAutopilotCommand() override;
  void writeAutoSave() override;
  void setTimerEnabled(bool on) override;
  void rebuildObjectLabels() override;
  void refreshObjectLists() override;
  BodyNames& bodyNames() override {
    bodyNames_.sync();
    return bodyNames_;
  }
  void bodyLeftTable() override { instruments_->bodyLeftTable(); }
  void clearView() override;
  void selectFocusInList() override { tools_->selectFocusInList(); }
  void raiseLabel(int k) override;
  void pauseWithMessage(const std::string& text) override;
  void showTimeStep(const std::string& caption, const std::string& text) override {
    tools_->showTimeStep(caption, text);
  }

  // ---- AutopilotHost.
  double screenWidthPixels() const override { return view_.screenWidthPixels(); }
  void setVisibleWidthKm(double km) override { visibleWidthKm_ = km; }
  void showScreenScale() override { tools_->updateScreenScale(visibleWidthKm_); }
  void focusChanged(int index) override;
  void setLabelsShown(bool shown) override;
  void graphicsSwitchesChanged() override;
  void rotatingFrameChanged() override { syncMenus(); }
  double mainWindowWidthTwips() const override { return frameGeometry().width() * TwipsPerPixel; }
  double mainWindowHeightTwips() const override { return frameGeometry().height() * TwipsPerPixel; }
  double captionReferenceWidth() const override;
  void captionsChanged(int front) override;
  void message(const std::string& text) override;

  // ---- FilesHost.
  bool askYesNo(const std::string& text) override;
  void closeDashboard(int which) override;
  void openDashboard(int which) override;
  void setCaptionLabel(int k) override;
  void setMainWindow() override { applyWindowRecord(); }
  QPoint newWindowPlace(QPoint designed) override;
  void setMainCaption(const std::string& text) override;
  void setAnchorButton(const std::string& caption) override;
  void showBodyLabels() override;
  // The date-and-time window shows the loaded clock at once (it formats the
  // clock itself, as at every drawing).
  void showDateTime(const std::string& /*text*/) override { tools_->plotReadouts(); }
  void closeDistanceBox(int slot) override;
  void closeOrbitBox(int slot) override;
  void closeThrustPanel(int slot) override;
  void closeDefaultThrustPanel() override;
  void openDistanceBox(int slot) override;
  void openOrbitBox(int slot) override;
  void openThrustPanel(int slot) override;
  void openReferenceBox(int which) override;
  void openDefaultOrbitBox() override;
  void closeDefaultOrbitBox() override;
  void openDefaultThrustPanel() override;

  // Repaint the view from the canvas (the yields and the end of the loop).
  void refreshView();
  // The latest step's readouts into the open boxes and dashboard windows:
  // with the view's frames while the loop runs (a person sees no more), at
  // once when it stops; nothing when no step has come since.
  void showReadouts();
  // The drawing area changed size (also when first shown).
  void Form_Resize();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void runSlice();
  void queueSlice();
  void startTimer1();
  void stopTimer1();
  void layoutScrollBars();
  void writeResumeFile();

  State& s_;
  BodyNames bodyNames_{s_};
  MainView view_;
  ViewWidget* viewWidget_ = nullptr;
  QScrollBar* hscroll1_ = nullptr;
  QScrollBar* vscroll1_ = nullptr;
  QPushButton* centerBtn_ = nullptr;
  QLabel* label5_ = nullptr;  // horizontal tilt readout
  QLabel* label6_ = nullptr;  // vertical tilt readout
  std::unique_ptr<CaptionLabels> captions_;
  std::unique_ptr<MainMenus> menus_;
  std::unique_ptr<ToolWindows> tools_;
  std::unique_ptr<InstrumentWindows> instruments_;
  RecordingDialogs unanswered_;
  Dialogs* dialogs_ = &unanswered_;
  BoxSlots boxSlots_{*this, *this};
  FileCommands fileCommands_{*this};
  LabelPopup labelPopup_{*this, *this, boxSlots_, view_};
  KeyForwarder* keyForwarder_ = nullptr;
  WindowStyle windowStyle_;
  // The frame's margins when last seen neither maximized nor minimized: a
  // maximized frame loses its borders, the frame it returns to has them.
  QMargins normalMargins_;
  int newWindows_ = 0;  // boxes and panels opened, for the cascade
  void noteNormalMargins();
  QTimer timer1_;
  SliceCounter counter_;
  double visibleWidthKm_ = 0;
  QString startupFileText_;
  bool exiting_ = false;
  bool exited_ = false;
  bool readoutsDue_ = false;    // a step's readouts wait for showReadouts
  bool unattendedEnd_ = false;  // the end came from a signal or the session
  bool startupDone_ = false;
  // The resume file could not be read at start-up although it exists.
  bool damagedResume_ = false;
};

}  // namespace molvane
