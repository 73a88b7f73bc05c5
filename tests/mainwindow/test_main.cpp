// The window tests run without a display and keep the per-user data folder
// in a temporary folder of their own.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  QApplication app(argc, argv);
  QCoreApplication::setApplicationName("molvane");
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
