#include "files/settings.h"

#include <gtest/gtest.h>

#include "testutil.h"

namespace molvane {
namespace {

using testing::Exists;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { s.dataFolder = tmp / "data"; }
  TempFolder tmp;
  State s;
};

TEST_F(SettingsFileTest, ReadsPreferenceAndLinesTwoToFiveWhole) {
  ASSERT_TRUE(testing::EnsureFolderForTest(s.dataFolder));
  WriteFile(s.dataFolder + "/molv.dat", "True\r\n/a/b, c.molv\r\n\r\nrffu 3\n /d/e.molv \r\n/never/read.molv\r\n");
  ReadSettingsFile(s);
  EXPECT_TRUE(s.ArchiveOnSave);
  EXPECT_EQ(s.RecentFiles[1], "/a/b, c.molv");  // a comma does not split the path
  EXPECT_EQ(s.RecentFiles[2], "");
  EXPECT_EQ(s.RecentFiles[3], "rffu 3");
  EXPECT_EQ(s.RecentFiles[4], " /d/e.molv ");
  EXPECT_EQ(s.RecentFiles[5], "");
  EXPECT_FALSE(IsFreeRecentEntry(s.RecentFiles[1]));
  EXPECT_TRUE(IsFreeRecentEntry(s.RecentFiles[2]));
  EXPECT_TRUE(IsFreeRecentEntry(s.RecentFiles[3]));
}

TEST_F(SettingsFileTest, ShortMissingOrOtherFilesChangeLittle) {
  ReadSettingsFile(s);  // no file
  EXPECT_FALSE(s.ArchiveOnSave);
  ASSERT_TRUE(testing::EnsureFolderForTest(s.dataFolder));
  WriteFile(s.dataFolder + "/molv.dat", "True");
  ReadSettingsFile(s);
  EXPECT_TRUE(s.ArchiveOnSave);
  EXPECT_EQ(s.RecentFiles[1], "");
  State t;
  t.dataFolder = s.dataFolder;
  WriteFile(s.dataFolder + "/molv.dat", "true\r\n");
  ReadSettingsFile(t);
  EXPECT_FALSE(t.ArchiveOnSave);  // only "True" exactly
}

TEST_F(SettingsFileTest, WritesTwentyNineLinesIntoANewDataFolder) {
  s.isitname = "/home/u/first.molv";
  UpdateRecentFiles(s);
  ASSERT_TRUE(WriteSettingsFile(s));
  std::string want = "False\r\n/home/u/first.molv\r\n\r\n\r\n\r\n";
  for (int i = 24; i >= 1; --i) want += "rffu " + std::to_string(i) + "\r\n";
  EXPECT_EQ(ReadFile(s.dataFolder + "/molv.dat"), want);
  State t;
  t.dataFolder = s.dataFolder;
  ReadSettingsFile(t);
  EXPECT_EQ(t.RecentFiles, s.RecentFiles);
}

TEST_F(SettingsFileTest, ScreenSaverModeWritesNothing) {
  s.ScreenSaverMode = true;
  EXPECT_FALSE(WriteSettingsFile(s));
  EXPECT_FALSE(Exists(s.dataFolder + "/molv.dat"));
}

TEST(SettingsRecentFiles, CurrentFileMovesToTheTop) {
  State s;
  s.RecentFiles = {"", "/1", "/2", "/3", "/4", ""};
  s.isitname = "/3";
  UpdateRecentFiles(s);
  EXPECT_EQ(s.RecentFiles, (std::array<std::string, 6>{"", "/3", "/1", "/2", "/4", ""}));
  s.isitname = "/new";
  UpdateRecentFiles(s);
  EXPECT_EQ(s.RecentFiles[1], "/new");
  EXPECT_EQ(s.RecentFiles[4], "/2");  // "/4" fell off
  s.isitname = "/new";
  UpdateRecentFiles(s);
  EXPECT_EQ(s.RecentFiles[2], "/3");
}

}  // namespace
}  // namespace molvane
