// The conversions every window relies on: twips to pixels with the rounding
// each caller's stored places need, and Latin-1 texts that are not UTF-8;
// and the message boxes of Qt's dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <limits>
#include <vector>

#include "ui/dialogs.h"
#include "ui/onscreen.h"
#include "ui/text.h"
#include "ui/twips.h"

namespace molvane {
namespace {

TEST(Twips, NearestOrWholePixelsWithinTheRangeAWindowCanTake) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = HUGE_VAL;
  struct Row {
    double twips;
    int nearest, whole;
    bool inRange;
  };
  const Row rows[] = {
      {0, 0, 0, true},
      {7.4, 0, 0, true},
      {7.5, 1, 0, true},
      {-7.5, -1, 0, true},
      {850, 57, 56, true},
      {-850, -57, -56, true},
      {1499985, 99999, 99999, true},
      {1.5e6, 100000, 100000, false},
      {-1e9, -100000, -100000, false},
      {nan, 0, 0, false},
      {inf, 0, 0, false},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(PixelsOfTwips(r.twips), r.nearest) << r.twips;
    EXPECT_EQ(WholePixelsOfTwips(r.twips), r.whole) << r.twips;
    EXPECT_EQ(TwipsInRange(r.twips), r.inRange) << r.twips;
  }
  EXPECT_EQ(TwipsRect(120, 7.5, 1215, -300), QRect(8, 1, 81, 0));
}

// Where a window goes back onto the screen, and the frame a maximized one
// returns to: its normal inside grown by the frame's margins, so that a save
// and an open do not move it by them each time.
TEST(OnScreen, PlacesOnTheAreaAndRestoredFrames) {
  const QRect area(0, 30, 1366, 738);
  EXPECT_EQ(PlaceOnArea(QRect(1200, 700, 300, 200), area), QPoint(1066, 568));
  EXPECT_EQ(PlaceOnArea(QRect(60, 40, 1000, 800), area), QPoint(60, 30));  // taller than the area
  // Margins 4 beside and below, 28 above (a title bar).
  const QRect inner(4, 58, 1358, 706), frame(0, 30, 1366, 738);
  EXPECT_EQ(RestoredFrame(QRect(104, 128, 800, 600), inner, frame), QRect(100, 100, 808, 632));
}

TEST(Text, Latin1BytesAreNotUtf8) {
  EXPECT_EQ(Latin1("Caf\xE9"), QString::fromUtf8("Café"));
  EXPECT_EQ(Latin1(std::string("a\0b", 3)).size(), 3);
  QLineEdit box;
  box.insert(QString::fromUtf8("Café €"));  // typed: keyClicks knows ASCII only
  EXPECT_EQ(BoxText(&box), "Caf\xE9 ?");
  EXPECT_EQ(Latin1Bytes(Latin1("\xFF\x80")), "\xFF\x80");
}

// The boxes as shown: caption, text and buttons; each is answered with
// `press`.
TEST(QtDialogs, MessageAndQuestionBoxesHaveTheirCaptionsAndButtons) {
  QtDialogs dialogs;
  QStringList seen;
  std::vector<QMessageBox::StandardButtons> buttons;
  QMessageBox::StandardButton press = QMessageBox::Ok;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    seen << box->windowTitle() + "|" + box->text();
    buttons.push_back(box->standardButtons());
    box->button(press)->click();
  });
  answer.start(5);
  dialogs.message(nullptr, "Molvane", "/tmp/Größe.molv");
  press = QMessageBox::Yes;
  EXPECT_TRUE(dialogs.askYesNo(nullptr, "Read Only File", "Save?"));
  press = QMessageBox::No;
  EXPECT_FALSE(dialogs.askYesNo(nullptr, "Read Only File", "Save?"));
  answer.stop();
  EXPECT_EQ(seen, (QStringList{"Molvane|/tmp/Größe.molv", "Read Only File|Save?", "Read Only File|Save?"}));
  const QMessageBox::StandardButtons yesNo = QMessageBox::Yes | QMessageBox::No;
  EXPECT_EQ(buttons, (std::vector<QMessageBox::StandardButtons>{QMessageBox::Ok, yesNo, yesNo}));
}

}  // namespace
}  // namespace molvane
