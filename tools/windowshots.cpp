// molvane_windowshots FOLDER [SITUATION]: opens every window of the
// program over a situation (the example by default) and saves a picture of
// each as FOLDER/NAME.png. Runs offscreen (QT_QPA_PLATFORM=offscreen) or on
// a real X server, where it also saves the whole screen as screen.png. The
// program's data folder is a temporary one, so no settings are touched.
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>

#include "tools/allwindows.h"

#ifndef MOLVANE_EXAMPLE
#define MOLVANE_EXAMPLE ""
#endif

int main(int argc, char** argv) {
  QTemporaryDir data;
  if (data.isValid()) qputenv("XDG_DATA_HOME", data.path().toUtf8());
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("molvane");
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: molvane_windowshots FOLDER [SITUATION]\n");
    return 2;
  }
  const QDir out(args[1]);
  if (!QDir().mkpath(out.path())) {
    std::fprintf(stderr, "cannot create %s\n", qPrintable(out.path()));
    return 1;
  }
  const QString situation = args.size() > 2 ? args[2] : QStringLiteral(MOLVANE_EXAMPLE);

  molvane::WholeProgram program;
  program.start(situation);
  int failed = 0;
  molvane::VisitEveryWindow(program, [&](const QString& name, QWidget& w) {
    const QString file = out.filePath(name + ".png");
    const bool ok = w.grab().save(file);
    if (!ok) ++failed;
    std::printf("%-28s %4dx%-4d %s\n", qPrintable(name), w.width(), w.height(), ok ? "" : "(not saved)");
  });
  if (QGuiApplication::platformName() == "xcb") {
    if (QScreen* screen = QGuiApplication::primaryScreen()) screen->grabWindow(0).save(out.filePath("screen.png"));
  }
  return failed == 0 ? 0 : 1;
}
