// The window tests run without a display and keep the per-user data folder
// in a temporary folder of their own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir data;
  QDir().mkpath(data.path() + "/月");
  qputenv("XDG_DATA_HOME", QFile::encodeName(data.path() + "/月"));
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("molvane");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
