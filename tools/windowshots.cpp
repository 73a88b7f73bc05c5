// molvane_windowshots FOLDER [SITUATION]: opens every window of the
// program over a situation (the example by default) and saves a picture of
// each as FOLDER/NAME.png. Runs offscreen (QT_QPA_PLATFORM=offscreen, on a
// screen of 1366 x 768) or on a real X server, where it also saves the whole
// screen as screen.png. The "screen-" pictures show the screen with the
// windows where they stand: grabbed from a real X server, laid together
// from each window's picture offscreen. The program's data folder is a
// temporary one, so no settings are touched.
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>

#include "tools/allwindows.h"

#ifndef MOLVANE_EXAMPLE
#define MOLVANE_EXAMPLE ""
#endif

namespace {

// The screen as the windows lie on it, the main window first, without the
// window manager's frames.
QPixmap ScreenPicture(QWidget& main) {
  if (QGuiApplication::platformName() == "xcb") return main.screen()->grabWindow(0);
  QPixmap shot(main.screen()->geometry().size());
  shot.fill(Qt::black);
  QPainter p(&shot);
  p.drawPixmap(main.geometry().topLeft(), main.grab());
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != &main && w->isVisible() && w->windowType() != Qt::Popup) p.drawPixmap(w->geometry().topLeft(), w->grab());
  }
  return shot;
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir data;
  if (data.isValid()) qputenv("XDG_DATA_HOME", data.path().toUtf8());
  molvane::UseSmallestScreenOffscreen();
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
    const bool ok = (name.startsWith("screen-") ? ScreenPicture(w) : w.grab()).save(file);
    if (!ok) ++failed;
    std::printf("%-28s %4dx%-4d %s\n", qPrintable(name), w.width(), w.height(), ok ? "" : "(not saved)");
  });
  if (QGuiApplication::platformName() == "xcb") {
    if (QScreen* screen = QGuiApplication::primaryScreen()) screen->grabWindow(0).save(out.filePath("screen.png"));
  }
  return failed == 0 ? 0 : 1;
}
