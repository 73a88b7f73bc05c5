// Every window of the program, with the example situation loaded: each
// label holds its text, the widest readouts included, and each window fits
// a 1366 x 768 screen.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>

#include "editors/distancebox.h"
#include "editors/orbitbox.h"
#include "editors/readouts.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "mainwindow/dashboard.h"
#include "tools/allwindows.h"

namespace molvane {
namespace {

// The widest texts the readouts can show: a 15-digit distance, speeds that
// fill their pattern, a plain number of 15 digits in exponent form.
void ShowWidestReadouts(QWidget& w) {
  if (auto* box = dynamic_cast<PairBoxWindow*>(&w)) {
    PairMeasure m;
    m.distance = 9.99999999999999e17;
    m.relativeSpeed = m.radialSpeed = m.tangentialSpeed = 9.99999999999e11;
    box->showTexts(PairTexts(m, 1, 3));
  } else if (auto* orbit = dynamic_cast<RefBoxOrbit1*>(&w)) {
    for (int row = 0; row < OrbitRows; ++row) {
      orbit->value(row)->setText(QString::fromStdString(GeneralText(-8.88888888888888e88)));
    }
  } else if (auto* scale = dynamic_cast<frmScreenScale*>(&w)) {
    scale->Label1->setText(QString::fromStdString(ScreenScaleText(9.3851136e12 * 999999999.999)));
  } else if (auto* date = dynamic_cast<frmDateAndTime*>(&w)) {
    date->Label11->setText(QString::fromStdString(FormatDateTimeText(365.2425 * 86400 * 99999)));
  }
}

TEST(EveryWindow, HoldsItsTextsAndFitsTheScreen) {
  WholeProgram program;
  program.start(MOLVANE_EXAMPLE);
  int windows = 0;
  VisitEveryWindow(program, [&](const QString& name, QWidget& w) {
    ++windows;
    if (name != "main" && !name.startsWith("main-") && name != "form2") {
      EXPECT_LE(w.frameGeometry().width(), 1366) << name.toStdString();
      EXPECT_LE(w.frameGeometry().height(), 768 - 40) << name.toStdString();  // under a title bar
    }
    ShowWidestReadouts(w);
    for (QLabel* l : w.findChildren<QLabel*>()) {
      if (!l->isVisibleTo(&w) || l->text().isEmpty() || !l->pixmap().isNull()) continue;
      const std::string where = name.toStdString() + ": \"" + l->text().toStdString() + "\"";
      const QFontMetrics fm(l->font());
      const QPoint at = l->mapTo(&w, QPoint(0, 0));
      if (l->wordWrap()) {
        EXPECT_LE(l->heightForWidth(l->width()), l->height()) << where;
      } else {
        int widest = 0;
        for (const QString& line : l->text().split('\n')) widest = std::max(widest, fm.horizontalAdvance(line));
        EXPECT_LE(widest, l->width()) << where;
        EXPECT_LE(at.x() + widest, w.width()) << where;
      }
      EXPECT_GE(l->height(), fm.height() - 2) << where;  // not squashed
      EXPECT_LE(at.y() + fm.height() - 2, w.height()) << where;
    }
  });
  EXPECT_GE(windows, 50);
}

}  // namespace
}  // namespace molvane
