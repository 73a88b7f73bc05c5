// Start-up, exit and the calls into the situation files and the autopilot.
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <exception>

#include "autopilot/autopilot.h"
#include "engine/nativeloop.h"
#include "files/fileio.h"
#include "files/settings.h"
#include "files/situationfile.h"
#include "mainwindow/form1.h"
#include "ui/text.h"

namespace molvane {

namespace {

// One start-up step: a failure inside it is swallowed so that the steps
// after it still run (a half-done start-up would otherwise leave an empty
// situation for the exit to write over the resume file).
template <typename F>
void Step(F&& f) {
  try {
    f();
  } catch (const std::exception&) {
  }
}

}  // namespace

QString Form1::CommandLineText(const QStringList& arguments) {
  QStringList rest = arguments.mid(1);
  return rest.join(' ');
}

void Form1::startUp(const QString& commandLine) {
  Step([&] { BindNativeForceLoop(s_, PathBytes(QCoreApplication::applicationDirPath())); });
  s_.AstronomicalUnit = AstronomicalUnitMetres;
  Step([&] {
    s_.dataFolder = PathBytes(dataFolder());
    ReadSettingsFile(s_);
  });
  fileCommands_.refreshRecentMenu();

  s_.RotatingFrame.period = 2000000.0;
  s_.RotatingFrame.clockwise = true;
  s_.MinimumObjectSize = 2;
  s_.ExaggeratedObjectSize = 10;
  s_.menus = true;
  s_.llabels = false;
  s_.pplot = true;
  s_.trails = true;
  s_.anchor = true;
  s_.PausedFlag = false;
  HScroll1_Change();
  HScroll1_Change();

  Step([&] {
    const QScreen* scr = screen() ? screen() : QGuiApplication::primaryScreen();
    if (scr) {
      const QSize size = scr->size();
      view_.setScreenSize(size.width(), static_cast<int16_t>(std::clamp(size.height(), 0, 32767)));
      s_.ScreenCentreY = view_.screenHeightPixels() / 2.0;
      s_.ScreenCentreX = view_.screenWidthPixels() / 2.0;
    }
  });
  s_.ScalePixel = 6.25e-7 / 256.0;
  s_.timescale = 1.0;
  visibleWidthKm_ = view_.screenWidthPixels() / s_.ScalePixel / 1000;

  s_.PausedFlag = false;
  Step([&] {
    tools_->closeStartupWindows();
    instruments_->closeStartupWindows();
  });
  Step([&] { plot(); });

  QString text = commandLine;
  text.remove(QChar('"'));
  startupFileText_ = text.isEmpty() ? resumePath() : text;
  if (!text.isEmpty() && !QDir::isAbsolutePath(text)) {
    // A relative path is made absolute once, here; the caption shows that.
    startupFileText_ = QDir::current().absoluteFilePath(text);
  }
  const std::string path = PathBytes(startupFileText_);

  show();
  bool opened = false;
  const QString example = QCoreApplication::applicationDirPath() + "/" + ExampleFileName;
  if (text.isEmpty() && !QFileInfo::exists(resumePath())) {
    // A first start is no error: it shows the example that ships with the
    // program, when there is one, and writes the resume file at exit.
    if (QFileInfo::exists(example)) {
      startupFileText_ = example;
      Step([&] { opened = openSituation(PathBytes(example)); });
    }
  } else {
    Step([&] { opened = openSituation(path); });
  }
  // A resume file that exists but could not be read is not written over
  // by an empty situation (see writeResumeFile).
  damagedResume_ = !opened && text.isEmpty() && QFileInfo::exists(resumePath());

  setCaptionText("Molvane -- " + startupFileText_);
  syncMenus();
  if (!s_.PausedFlag) startTimer1();
  startupDone_ = true;
}

void Form1::closeEvent(QCloseEvent* e) {
  if (!exited_) {
    exited_ = true;
    exiting_ = true;
    stopTimer1();
    Step([&] { writeResumeFile(); });
    Step([&] { tools_->hideAll(); });
  }
  e->accept();
}

// A damaged resume file stays as it is while the user has nothing of his
// own (no body, no file, not New); otherwise it is moved aside under a name
// of its own before the new one is written.
void Form1::writeResumeFile() {
  if (!startupDone_) return;
  const std::string path = PathBytes(resumePath());
  if (damagedResume_) {
    if (s_.objects == 0 && s_.isitname.empty()) return;
    if (QFileInfo::exists(resumePath()) && SetAsideDamagedFile(path).empty()) return;
    damagedResume_ = false;
  }
  QDir().mkpath(dataFolder());
  saveSituation(path);
}

void Form1::endSession() {
  if (exited_) return;
  unattendedEnd_ = true;
  close();
}

bool Form1::openSituation(const std::string& path) {
  const bool ok = OpenSituationFile(s_, *this, *this, path);
  instruments_->autopilotListReplaced();
  view_.rebuildLabels();
  view_.clearView();
  view_.resetPlotState();
  refreshView();
  return ok;
}

bool Form1::saveSituation(const std::string& path) {
  captureWindowRecord();
  return WriteSituationFile(s_, *this, path);
}

// An Open command's situation arrives through openSituation, which has
// rebuilt the labels and reset the view already.
void Form1::runAutopilotCommand() { RunAutopilotCommand(s_, *this, *this); }

void Form1::writeAutoSave() {
  captureWindowRecord();
  WriteAutoSave(s_, *this);
}

}  // namespace molvane
