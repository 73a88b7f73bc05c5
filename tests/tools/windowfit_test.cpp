// Every window of the program, with the example situation loaded, on a
// screen of 1366 x 768: each label holds its text, the widest readouts
// included; each window lies whole on the screen where it opens and shows
// the program's icon; the dashboard windows leave each other and the main
// menu bar uncovered; every dropped-down list can be read.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>

#include "editors/distancebox.h"
#include "editors/orbitbox.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "engine/readouts.h"
#include "engine/view.h"
#include "mainwindow/dashboard.h"
#include "mainwindow/form1.h"
#include "tools/allwindows.h"
#include "ui/icon.h"

namespace molvane {
namespace {

// The widest texts the readouts can show: a 15-digit distance, speeds that
// fill their pattern, a plain number of 15 digits in exponent form, a date
// of year 99999 as the drawing shows it.
void ShowWidestReadouts(WholeProgram& program, QWidget& w) {
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
    const double clock = program.state().SecondsElapsed;
    program.state().SecondsElapsed = 365.2425 * 86400 * 99999;
    date->Tick();
    program.state().SecondsElapsed = clock;
  }
  QApplication::processEvents();  // layouts take the new texts
}

void ExpectLabelsWhole(const QString& name, QWidget& w) {
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
}

// How far the inked pixels of a row stand from its background (the colour
// at its corner), in grey levels 0 to 255.
int InkContrast(const QImage& picture, const QRect& row) {
  const int back = qGray(picture.pixel(row.topLeft()));
  int most = 0;
  for (int y = row.top(); y <= row.bottom(); ++y) {
    for (int x = row.left(); x <= row.right(); ++x) most = std::max(most, std::abs(qGray(picture.pixel(x, y)) - back));
  }
  return most;
}

// Each entry of every list of the window, dropped down, stands out from its
// row's background, the highlighted one included.
void ExpectDroppedListsReadable(const QString& name, QWidget& w) {
  for (QComboBox* c : w.findChildren<QComboBox*>()) {
    if (c->count() == 0) continue;
    c->showPopup();
    QApplication::processEvents();
    QAbstractItemView* view = c->view();
    const QImage shot = view->viewport()->grab().toImage();
    int rows = 0;
    for (int row = 0; row < c->count() && rows < 8; ++row) {
      const QRect r = view->visualRect(c->model()->index(row, c->modelColumn())).intersected(shot.rect());
      if (c->itemText(row).trimmed().isEmpty() || r.height() < c->fontMetrics().height()) continue;
      ++rows;
      EXPECT_GE(InkContrast(shot, r), 100) << name.toStdString() << ": " << c->objectName().toStdString() << " \""
                                           << c->itemText(row).toStdString() << "\"";
    }
    EXPECT_GT(rows, 0) << name.toStdString();
    c->hidePopup();
    QApplication::processEvents();
  }
}

// The five dashboard windows, as the running program shows them (the date
// window fitted by a drawing): none over another, none over the main menu
// bar, each within the 2010 twips that F9 steps by.
void ExpectDashboardApart(WholeProgram& program, const QString& name) {
  QMenuBar* bar = program.form().menuBar();
  const QRect menu(bar->mapToGlobal(QPoint(0, 0)), bar->size());
  std::vector<QRect> frames;
  for (int k = 0; k < DashboardCount; ++k) {
    SCOPED_TRACE(name.toStdString() + " " + std::to_string(k));
    const DashboardWindowBase* win = program.tools().window(static_cast<DashboardWindow>(k));
    ASSERT_TRUE(win && win->isVisible());
    const QRect f = win->frameGeometry();
    EXPECT_LE(f.width(), 2010 / 15);
    EXPECT_FALSE(f.intersects(menu));
    for (size_t j = 0; j < frames.size(); ++j) EXPECT_FALSE(f.intersects(frames[j])) << j;
    frames.push_back(f);
  }
}

TEST(EveryWindow, HoldsItsTextsFitsTheScreenAndShowsItsLists) {
  WholeProgram program;
  program.start(MOLVANE_EXAMPLE);
  ASSERT_EQ(program.form().screen()->availableGeometry(), QRect(0, 0, 1366, 768));
  const QImage icon = MolvaneIcon().pixmap(32).toImage();
  int windows = 0;
  VisitEveryWindow(program, [&](const QString& name, QWidget& w) {
    ++windows;
    const QRect screen = w.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w.frameGeometry())) << name.toStdString();
    if (!(w.windowState() & Qt::WindowMaximized)) {
      EXPECT_LE(w.frameGeometry().height(), 768 - 40) << name.toStdString();  // under a title bar
    }
    if (w.windowType() != Qt::Popup) {
      EXPECT_EQ(w.windowIcon().pixmap(32).toImage(), icon) << name.toStdString();
    }
    if (name.startsWith("screen-")) {
      ExpectDashboardApart(program, name);
      return;
    }
    ShowWidestReadouts(program, w);
    ExpectLabelsWhole(name, w);
    ExpectDroppedListsReadable(name, w);
  });
  EXPECT_GE(windows, 50);
}

}  // namespace
}  // namespace molvane

// The whole program on the smallest screen it is made for, with a data
// folder of its own.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  molvane::UseSmallestScreenOffscreen();
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("molvane");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
