// The dashboard: five small tool windows beside the main window (screen
// scale, time step, focus body, date and time, graphics switches), and
// MainToolWindows, the main window's tool-window set that creates, places
// and refreshes them. Window places are kept in State::dashboard in twips
// (15 per pixel), the unit the situation files store.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <array>
#include <functional>
#include <string>

#include "engine/state.h"
#include "mainwindow/toolhooks.h"
#include "ui/readoutview.h"
#include "ui/toolwindow.h"
#include "ui/twips.h"

namespace molvane {

class DashboardHost;
class Form2;
class frmAbout;
class MainToolWindows;
class WindowServices;

// The date-and-time window's new width (twips) for window width w and label
// width lw (twips).
int DateAndTimeWidth(int w, int lw);

// What the five windows share: open flag and menu tick, key forwarding and
// F8/F9 alignment, the place in twips kept in State::dashboard.
class DashboardWindowBase : public ToolWindow {
  Q_OBJECT

 public:
  DashboardWindowBase(MainToolWindows& tools, DashboardWindow which, const QString& caption);

  DashboardWindow which() const { return which_; }
  void setLeftTwips(double left);
  void setTopTwips(double top);

 protected:
  // The window's own part of opening (after the open flag and menu tick).
  virtual void formLoad() {}
  void closeEvent(QCloseEvent* e) override;
  void moveEvent(QMoveEvent* e) override;
  void changeEvent(QEvent* e) override;
  // A control whose key presses reach the keyboard commands.
  void forwardKeys(QWidget* control);

  MainToolWindows& tools_;
  WindowServices& form_;
  DashboardHost& commands_;
  State& s_;

 private:
  friend class MainToolWindows;
  void load();
  void storePlace();
  DashboardWindow which_;
};

class frmScreenScale : public DashboardWindowBase {
  Q_OBJECT
 public:
  explicit frmScreenScale(MainToolWindows& tools);
  QPushButton* Command13 = nullptr;  // "+"
  QPushButton* Command14 = nullptr;  // "-"
  QLabel* Label1 = nullptr;
  void Command13_Click();
  void Command14_Click();

 protected:
  void formLoad() override;
};

class frmTimeRate : public DashboardWindowBase {
  Q_OBJECT
 public:
  explicit frmTimeRate(MainToolWindows& tools);
  QPushButton* Command15 = nullptr;  // play / pause
  QPushButton* Command16 = nullptr;  // "+": double
  QPushButton* Command17 = nullptr;  // "-": halve
  QLabel* Label1 = nullptr;
  void Command15_Click();
  void Command16_Click();
  void Command17_Click();
  void showTimeStep(const std::string& caption, const std::string& text);

 protected:
  void formLoad() override;
};

class frmFocusObject : public DashboardWindowBase {
  Q_OBJECT
 public:
  explicit frmFocusObject(MainToolWindows& tools);
  QComboBox* Combo2 = nullptr;
  void Combo2_Click();
  // Selecting an entry from code runs the click handler like a user's pick.
  void selectEntry(int index);
  void refill();
  // The last entry naming body k, -1 when none.
  int lastEntryNaming(int k) const;
  // Selects the focus body's own entry and clears the view as a pick does,
  // without looking its name up again; no entry for the floating point.
  void showFocus();

 protected:
  void formLoad() override;
};

class frmDateAndTime : public DashboardWindowBase {
  Q_OBJECT
 public:
  explicit frmDateAndTime(MainToolWindows& tools);
  QLabel* Label11 = nullptr;
  // Shows the clock now, fitting the window to it.
  void Tick();
  // The clock of the latest step: shown now while the window can be seen,
  // else as soon as it shows again; an unchanged text costs nothing.
  void showClock(double secondsElapsed);

 protected:
  void formLoad() override;

 private:
  void showLatestClock();
  double latestClock_ = 0;
  std::string shownClock_;  // what Label11 shows, empty after a load
  ReadoutWatch* readoutWatch_ = nullptr;
};

class frmGraphicsOptions : public DashboardWindowBase {
  Q_OBJECT
 public:
  explicit frmGraphicsOptions(MainToolWindows& tools);
  QPushButton* Command1 = nullptr;   // floating-focus pick
  QPushButton* Command18 = nullptr;  // "F" / "A"
  QPushButton* Command19 = nullptr;  // "T"
  QPushButton* Command20 = nullptr;  // "P"
  QPushButton* Command21 = nullptr;  // "L"
  QPushButton* Commandarrow = nullptr;
  QPushButton* Commandcross = nullptr;
  void Command1_Click();
  void Command18_Click();
  void Command19_Click();
  void Command20_Click();
  void Command21_Click();
  // Which picture Command1 shows: true for the arrow (pick armed).
  bool showsArrow() const { return showsArrow_; }

 protected:
  void formLoad() override;

 private:
  bool showsArrow_ = false;
};

// The main window's tool windows. Install with Form1::setToolWindows.
class MainToolWindows : public ToolWindows {
 public:
  MainToolWindows(WindowServices& form, DashboardHost& commands);
  ~MainToolWindows() override;

  WindowServices& form() { return form_; }
  DashboardHost& commands() { return commands_; }
  State& state() { return s_; }

  bool isOpen(DashboardWindow w) const override;
  // Opens the window at its default place; a window whose open flag a
  // situation reader has already set opens at State::dashboard's place.
  void open(DashboardWindow w) override;
  void close(DashboardWindow w) override;
  void hideAll() override;
  void alignVertically() override;
  void alignHorizontally() override;

  void updateScreenScale(double visibleWidthKm) override;
  void setPlayButtonCaption(const QString& caption) override;
  void setAnchorButtonCaption(const QString& caption) override;
  void showTimeStep(const std::string& caption, const std::string& text) override;
  void plotSecondView() override;
  void stepReadouts() override;
  void showReadouts() override;
  void refreshObjectLists() override;
  void selectFocusInList() override;
  // The reference boxes, the spectrum and the windows closed at start are
  // the instrument windows'; a label's popup menu is the main window's own.
  void showReferenceBox(int) override {}
  void spectrumPoint(int16_t, double) override {}
  void closeStartupWindows() override {}
  void labelPopup(int, QPoint) override {}

  DashboardWindowBase* window(DashboardWindow w) const { return windows_[w].data(); }
  frmScreenScale* screenScale() const;
  frmTimeRate* timeRate() const;
  frmFocusObject* focusObject() const;
  frmDateAndTime* dateAndTime() const;
  frmGraphicsOptions* graphicsOptions() const;

  // The second view window and the About box, created when first shown.
  // Neither has an owner; they go with this set.
  Form2* secondView() const;
  Form2& showSecondView();
  frmAbout& showAboutBox();
  void openAboutBox() override { showAboutBox(); }
  void openSecondView() override { showSecondView(); }
  bool openPage(const QUrl& url) override { return openUrl && openUrl(url); }

  // The default place of a dashboard window opened by its toggle (twips).
  static QPoint DefaultPlaceTwips(DashboardWindow w);

  // Opens a page or file in the desktop's viewer (tests replace it); a
  // viewer that starts and then fails says so later.
  std::function<bool(const QUrl&)> openUrl;
  bool openWithDesktop(const QUrl& url);

 private:
  friend class DashboardWindowBase;
  DashboardWindowBase* create(DashboardWindow w);
  // Shows the window (creating it when closed), owned by the main window.
  DashboardWindowBase* showWindow(DashboardWindow w);
  void windowClosed(DashboardWindow w);
  void lineUpColumn();
  QList<QWidget*> openWindows() const;
  void keepMenuBarFree();

  bool* flag(DashboardWindow w) const { return &DashboardOpenFlag(s_, w); }

  WindowServices& form_;
  DashboardHost& commands_;
  State& s_;
  std::array<QPointer<DashboardWindowBase>, DashboardCount> windows_{};
  QPointer<Form2> form2_;
  double stepClock_ = 0;  // the clock at the latest step's drawing
  QPointer<frmAbout> about_;
};

}  // namespace molvane
