// Molvane: starts the main window on the situation named on the command
// line, or on the one the previous run left behind.
#include <QApplication>
#include <memory>

#include "control/controlwindows.h"
#include "editors/editorwindows.h"
#include "engine/state.h"
#include "mainwindow/dashboard.h"
#include "mainwindow/form1.h"
#include "mainwindow/instrumentrouter.h"
#include "mainwindow/sessionend.h"
#include "ui/dialogs.h"
#include "ui/icon.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("molvane");
  QCoreApplication::setOrganizationName(QString());
  // Every window shows the program's icon; a desktop matches the windows to
  // the installed molvane.desktop entry. The small sizes only by default:
  // every window sends it to the window manager before its own.
  QApplication::setWindowIcon(molvane::FrameIcon(molvane::MolvaneIcon()));
  QGuiApplication::setDesktopFileName("molvane");

  auto state = std::make_unique<molvane::State>();
  molvane::QtDialogs dialogs;
  molvane::Form1 form(*state);
  form.setDialogs(dialogs);
  form.setToolWindows(std::make_unique<molvane::MainToolWindows>(form, form));
  // Body editors and instruments | thrust panels, autopilot and captions.
  auto editorWindows = std::make_unique<molvane::EditorWindows>(form);
  std::unique_ptr<molvane::InstrumentWindows> controlWindows = std::make_unique<molvane::ControlWindows>(form);
  form.setInstrumentWindows(
      std::make_unique<molvane::InstrumentRouter>(std::move(editorWindows), std::move(controlWindows)));
  // The end of the desktop session ends the program as its close box does,
  // whatever dialog is open: every event loop ends, a message box's too,
  // and none starts again (QEventLoop::exec returns at once after exit).
  // A signal during a start-up message box ends the program before its
  // main loop ever starts.
  bool ended = false;
  molvane::SessionEndWatcher sessionEnd([&] {
    if (ended) return;
    ended = true;
    form.endSession();
    QCoreApplication::exit(0);
  });
  form.startUp(molvane::Form1::CommandLineText(QCoreApplication::arguments()));
  if (ended) return 0;
  return app.exec();
}
