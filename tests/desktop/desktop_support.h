// What the desktop tests share: the whole program, and a wait until a
// window's frame has stopped moving.
#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "files/situation.h"
#include "mainwindow/dashboard.h"
#include "mainwindow/form1.h"
#include "tools/allwindows.h"
#include "ui/frameplace.h"

// Rectangles print as x,y wxh in failure messages.
inline void PrintTo(const QRect& r, std::ostream* os) {
  *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace molvane {

// The frames once every window is framed, its placing done and none has
// moved for a while.
inline std::vector<QRect> SettledFrames(const std::vector<QWidget*>& windows) {
  std::vector<QRect> last;
  QElapsedTimer still;
  const auto frames = [&] {
    std::vector<QRect> f;
    for (QWidget* w : windows) f.push_back(w->frameGeometry());
    return f;
  };
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        const bool framed = std::all_of(windows.begin(), windows.end(), [](QWidget* w) {
          return !FramePlacementPending(w) && w->frameGeometry() != w->geometry();
        });
        if (!framed || frames() != last) {
          last = frames();
          still.start();
          return false;
        }
        return still.elapsed() > 400;
      },
      8000))
      << "the frames did not settle";
  return frames();
}

inline QRect SettledFrame(QWidget& w) { return SettledFrames({&w})[0]; }

inline void WriteResumeFile(const std::string& bytes) {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QDir().mkpath(folder);
  QFile f(folder + "/resume.molv");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A main window placed on a 1920 x 1080 screen comes back whole.
inline void ExpectLargerScreenRecordComesBackWhole() {
  QFile example(MOLVANE_EXAMPLE);
  ASSERT_TRUE(example.open(QIODevice::ReadOnly));
  ReadResult read = ReadSituation(example.readAll().toStdString());
  ASSERT_EQ(read.status, ReadStatus::Ok);
  read.doc.sdata.left = 699 * 15;  // placed on a 1920 x 1080 screen
  read.doc.sdata.top = 280 * 15;
  read.doc.sdata.width = 1202 * 15;
  read.doc.sdata.height = 785 * 15;
  read.doc.sdata.windowState = 0;
  WriteResumeFile(WriteSituation(read.doc));

  WholeProgram p;
  p.form().startUp("");
  const QRect frame = SettledFrame(p.form());
  EXPECT_TRUE(p.form().screen()->availableGeometry().contains(frame))
      << frame.x() << "," << frame.y() << " " << frame.width() << "x" << frame.height();
  p.form().close();
}

}  // namespace molvane
