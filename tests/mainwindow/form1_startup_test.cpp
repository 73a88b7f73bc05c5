// Start-up, the running loop and exit, end to end with real files.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <cmath>
#include <csignal>

#include "autopilot/autopilot.h"
#include "engine/calendar.h"
#include "form1_support.h"
#include "mainwindow/sessionend.h"
#include "mainwindow/viewwidget.h"

namespace molvane {
namespace {

using Form1Startup = Form1Fixture;

std::string ResumePath(Form1& f) { return f.resumePath().toStdString(); }

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-13 * std::max(std::fabs(a), std::fabs(b)); }

TEST_F(Form1Startup, OpenRunExitAndStartAgainFromTheResumeFile) {
  const QString situation = dataDir() + "/太陽系 ü.molv";  // in a data folder named outside ASCII too
  ASSERT_TRUE(QFile::copy(QString::fromStdString(examplePath()), situation));
  Form1& f = makeForm();
  f.startUp("\"" + situation + "\"");  // quotes are removed
  ASSERT_EQ(state->objects, 6);
  EXPECT_EQ(state->objname[4], "Earth");
  EXPECT_EQ(f.windowTitle(), "Molvane -- " + situation);
  EXPECT_EQ(state->isitname, QFile::encodeName(situation).toStdString());
  EXPECT_TRUE(f.timerEnabled());
  const double t0 = state->SecondsElapsed;
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->SecondsElapsed > t0 + 200 * state->timescale; }, 5000));

  // Change the view and a tool window's place, then exit.
  f.zoomIn();
  f.LabelsOnOff();
  f.hscroll1()->setValue(2500);
  f.resize(700, 650);  // within the test screen's 800 pixels
  const QSize outer = f.frameGeometry().size();
  state->dashboard[DashTimeRate] = DashboardPlace{1500, 3000};
  state->timerateloaded = true;
  f.close();
  ASSERT_TRUE(QFileInfo::exists(f.resumePath()));

  const State saved = *state;
  const bool labels = state->llabels;

  // Start again without an argument: the same bodies, clock and view.
  Form1& g = makeForm();
  g.startUp("");
  ASSERT_EQ(state->objects, saved.objects);
  for (int i = 1; i <= saved.objects; ++i) {
    EXPECT_EQ(state->objname[i], saved.objname[i]);
    EXPECT_TRUE(Near(state->objx[i], saved.objx[i])) << i;
    EXPECT_TRUE(Near(state->objvy[i], saved.objvy[i])) << i;
    EXPECT_EQ(state->objcolor[i], saved.objcolor[i]);
  }
  EXPECT_TRUE(Near(state->SecondsElapsed, saved.SecondsElapsed));
  EXPECT_TRUE(Near(state->ScalePixel, saved.ScalePixel));
  EXPECT_EQ(state->timescale, saved.timescale);
  EXPECT_EQ(state->llabels, labels);
  EXPECT_EQ(state->focusobj, saved.focusobj);
  EXPECT_EQ(g.hscroll1()->value(), 2500);
  EXPECT_EQ(g.frameGeometry().size(), outer);  // the same outer size, not grown by the frame
  EXPECT_EQ(state->dashboard[DashTimeRate].top, 1500);
  EXPECT_EQ(state->dashboard[DashTimeRate].left, 3000);
  EXPECT_TRUE(state->timerateloaded);
  EXPECT_FALSE(state->screenscaleloaded);
  EXPECT_EQ(g.windowTitle().toStdString(), "Molvane -- " + ResumePath(g));
  EXPECT_EQ(state->OriginalSituationName, QFile::encodeName(situation).toStdString());
  g.close();
}

TEST_F(Form1Startup, ADamagedResumeFileIsKeptBesideTheNextOne) {
  Form1& f = makeForm();
  QDir().mkpath(f.dataFolder());
  {
    QFile file(f.resumePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<MoLVANE>\r\n<Distance Boxes>\r\n");  // cut short
  }
  f.startUp("");
  EXPECT_EQ(state->objects, 0);
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_NE(dialogs.messages()[0].find("damaged"), std::string::npos);
  f.close();
  QFile file(f.resumePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("<MoLVANE>\r\n<Distance Boxes>\r\n"));
  file.close();
  // Once the user has something of his own, exit keeps it as usual and the
  // damaged file beside it.
  makeForm().startUp("");
  form->fileCommands().mnuNew_Click();
  form->close();
  file.setFileName(form->resumePath() + ".damaged");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("<MoLVANE>\r\n<Distance Boxes>\r\n"));
  makeForm().startUp("");
  EXPECT_EQ(state->objects, 1);
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(Form1Startup, FirstRunWithoutAResumeFileOpensTheExampleAndWritesOneAtExit) {
  const QString example = QCoreApplication::applicationDirPath() + "/inner-planets.molv";
  makeForm().startUp("");
  EXPECT_EQ(state->objects, 6);  // the example beside the program, without a word
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_EQ(form->windowTitle(), "Molvane -- " + example);
  form.reset();

  // Without an example beside the program: an empty situation, silently.
  ASSERT_TRUE(QFile::rename(example, example + ".away"));
  Form1& f = makeForm();
  f.startUp("");
  QFile::rename(example + ".away", example);
  EXPECT_EQ(state->objects, 0);
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_EQ(f.windowTitle(), "Molvane -- " + f.resumePath());
  EXPECT_EQ(state->ScalePixel, 6.25e-7 / 256.0);
  EXPECT_TRUE(state->trails);
  EXPECT_FALSE(state->llabels);
  EXPECT_EQ(state->MinimumObjectSize, 2);
  // Brisklet is used exactly when its library lies beside the program.
  EXPECT_EQ(state->UseNativeForceLoop, QFileInfo::exists(QCoreApplication::applicationDirPath() + "/libbrisklet.so"));
  f.close();
  EXPECT_TRUE(QFileInfo::exists(f.resumePath()));
}

TEST_F(Form1Startup, ARelativeCommandLinePathIsMadeAbsolute) {
  const QFileInfo example(QString::fromStdString(examplePath()));
  const QString cwd = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(example.absolutePath()));
  Form1& f = makeForm();
  f.startUp(example.fileName());
  QDir::setCurrent(cwd);  // the opened situation no longer depends on it
  EXPECT_EQ(state->objects, 6);
  EXPECT_EQ(state->isitname, example.absoluteFilePath().toStdString());
  EXPECT_EQ(f.windowTitle(), "Molvane -- " + example.absoluteFilePath());
}

// SIGTERM and SIGHUP end the run as closing does: the resume file is
// written once, however often the end is asked for.
TEST_F(Form1Startup, TheEndOfTheSessionWritesTheResumeFileOnce) {
  Form1& f = makeForm();
  f.startUp(QString::fromStdString(examplePath()));
  int ends = 0;
  SessionEndWatcher watcher([&] { ++ends, f.endSession(); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->loopRunning; }, 5000));
  raise(SIGTERM);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ends == 1; }, 5000));
  EXPECT_FALSE(f.isVisible());
  ASSERT_TRUE(QFile::rename(f.resumePath(), f.resumePath() + ".first"));
  raise(SIGHUP);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ends == 2; }, 5000));
  f.close();
  EXPECT_FALSE(QFile::exists(f.resumePath()));  // not written again
}

// A resume file that cannot be written at SIGTERM (here a folder stands in
// its place) is reported on standard error, not in a box nobody answers:
// the end goes on and the old file stays. Closed by the user, it says so
// in the box.
TEST_F(Form1Startup, ASignalEndNeverWaitsForAPersonWhenTheResumeFileCannotBeWritten) {
  for (bool signalled : {true, false}) {
    Form1& f = makeForm();
    f.startUp(QString::fromStdString(examplePath()));
    ASSERT_TRUE(QDir().mkpath(f.resumePath()));
    int ends = 0;
    SessionEndWatcher watcher([&] { ++ends, f.endSession(); });
    testing::internal::CaptureStderr();
    signalled ? static_cast<void>(raise(SIGTERM)) : static_cast<void>(f.close());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends == 1 || !signalled; }, 5000));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(QFileInfo(f.resumePath()).isDir());
    const std::string box = dialogs.messages().empty() ? std::string() : dialogs.messages().back();
    EXPECT_NE((signalled ? said : box).find("Could not save " + f.resumePath().toStdString()), std::string::npos)
        << said << box;
    EXPECT_EQ(signalled ? box : said, "");
    ASSERT_TRUE(QDir(f.resumePath()).removeRecursively());
  }
}

// SIGTERM while a message box of the start-up is open (the file named on
// the command line is missing) ends the program: it does not run on
// without a window. The signal is sent once the program has taken it up.
TEST_F(Form1Startup, ASignalDuringAStartupMessageBoxEndsTheProgram) {
  QProcess program;  // in this program's environment: offscreen, with its data folder
  program.start(MOLVANE_PROGRAM, {dataDir() + "/missing.molv"});
  ASSERT_TRUE(program.waitForStarted(5000));
  auto catchesTerm = [&] {
    QFile status("/proc/" + QString::number(program.processId()) + "/status");
    const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
    const qsizetype at = text.indexOf("SigCgt:");
    return at >= 0 && ((text.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1) != 0;
  };
  ASSERT_TRUE(QTest::qWaitFor(catchesTerm, 5000));
  ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  EXPECT_TRUE(program.waitForFinished(5000));  // else killed as `program` goes
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

TEST_F(Form1Startup, CommandLineTextJoinsTheArguments) {
  EXPECT_EQ(Form1::CommandLineText({"molvane"}), "");
  EXPECT_EQ(Form1::CommandLineText({"molvane", "\"/a b/c.molv\""}), "\"/a b/c.molv\"");
  EXPECT_EQ(Form1::CommandLineText({"molvane", "/a", "b.molv"}), "/a b.molv");
}

TEST_F(Form1Startup, PauseStopsTheLoopAtTheEndOfAStepAndPlayResumes) {
  Form1& f = makeForm();
  f.startUp(QString::fromStdString(examplePath()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->loopRunning; }, 5000));
  f.PausePlay();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !state->loopRunning; }, 5000));
  EXPECT_FALSE(f.timerEnabled());
  const double t = state->SecondsElapsed;
  QTest::qWait(250);
  EXPECT_EQ(state->SecondsElapsed, t);
  f.PausePlay();
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->SecondsElapsed > t; }, 5000));
  f.close();
}

// Painting happens at the yields, and no more often than a display frame
// however often the loop yields; a pause still shows the last step.
TEST_F(Form1Startup, PaintingHappensOnlyAtTheYields) {
  Form1& f = makeForm();
  f.startUp(QString::fromStdString(examplePath()));
  QElapsedTimer clock;
  clock.start();
  const int paints0 = f.viewWidget()->paintCount();
  const int steps0 = tools->readouts;
  ASSERT_TRUE(QTest::qWaitFor([&] { return tools->readouts > steps0 + 2000; }, 10000));
  const int steps = tools->readouts - steps0;
  const int paints = f.viewWidget()->paintCount() - paints0;
  EXPECT_LE(paints, steps / 51 + 5);
  EXPECT_LE(paints, clock.elapsed() / ViewWidget::DisplayFrameMs + 5);
  // The steps drawn when the view was last painted.
  struct PaintWatch : QObject {
    const int& steps;
    int shown = -1;
    explicit PaintWatch(const int& s) : steps(s) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) shown = steps;
      return false;
    }
  } watch(tools->readouts);
  f.viewWidget()->installEventFilter(&watch);
  f.PausePlay();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !state->loopRunning; }, 5000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return watch.shown == tools->readouts; }, 5000));
  f.viewWidget()->removeEventFilter(&watch);
  f.close();
}

TEST_F(Form1Startup, ExitDuringAYieldEndsTheLoopCleanly) {
  Form1& f = makeForm();
  f.startUp(QString::fromStdString(examplePath()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->loopRunning; }, 5000));
  f.close();  // runs between two slices, as a user's click would
  EXPECT_TRUE(QFileInfo::exists(f.resumePath()));
  const double t = state->SecondsElapsed;
  QTest::qWait(300);
  EXPECT_FALSE(state->loopRunning);
  EXPECT_FALSE(f.timerEnabled());
  EXPECT_EQ(state->SecondsElapsed, t);
}

TEST_F(Form1Startup, ATickDuringARunningLoopStartsNoSecondLoop) {
  Form1& f = makeForm();
  f.startUp(QString::fromStdString(examplePath()));
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->loopRunning; }, 5000));
  const double t = state->SecondsElapsed;
  f.Timer1_Timer();  // the loop is between slices: this tick must not step
  EXPECT_EQ(state->SecondsElapsed, t);
  f.close();
}

TEST_F(Form1Startup, AnAutopilotPauseRunsThroughTheMainWindow) {
  Form1& f = makeForm();
  f.startUp(QString::fromStdString(examplePath()));
  f.PausePlay();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !state->loopRunning; }, 5000));
  const double due = state->SecondsElapsed + 100 * state->timescale;
  std::string line = FormatDateTimeText(due);
  line.resize(AutopilotWordColumn - 1, ' ');
  line += "Pause";
  line.resize(AutopilotParamColumn - 1, ' ');
  ASSERT_EQ(AddAutopilotCommand(*state, f, line, ""), 1);
  ArmAutopilot(*state);
  ASSERT_TRUE(state->autopilotState.armed);
  f.PausePlay();
  ASSERT_TRUE(QTest::qWaitFor([&] { return state->PausedFlag && !state->loopRunning; }, 5000));
  EXPECT_GE(state->SecondsElapsed, due);
  EXPECT_LT(state->SecondsElapsed, due + 2 * state->timescale);
  EXPECT_FALSE(f.timerEnabled());
  f.close();
}

}  // namespace
}  // namespace molvane
