// New, Open, Save, Save As and the recent files, end to end with real files
// and file dialogs answered by the test (an empty answer is a cancel).
#include "mainwindow/filecommands.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>

#include "engine/calendar.h"
#include "engine/timestep.h"
#include "files/settings.h"
#include "files/situationfile.h"
#include "menus_support.h"

namespace molvane {
namespace {

using FileCommands = MenusFixture;

// A situation of its own under `path`: a name to tell it by, n bodies.
void SaveSituationAs(RecordingDialogs& dialogs, Form1& f, const std::string& path, int n) {
  dialogs.answerFile(QString::fromStdString(path));
  f.fileCommands().mnuNew_Click();
  State& s = f.state();
  for (int i = 2; i <= n; ++i) {
    s.objname[i] = "B" + std::to_string(i);
    s.objref[i] = "Object 1";
    s.objmass[i] = 1;
    s.objx[i] = 1e9 * i;
    s.objsize[i] = 1e6;
  }
  s.objects = static_cast<int16_t>(n);
  f.fileCommands().SaveasMnu_Click();
}

std::vector<std::string> Recent(const State& s) {
  return {s.RecentFiles[1], s.RecentFiles[2], s.RecentFiles[3], s.RecentFiles[4]};
}

TEST_F(FileCommands, NewClearsWhatBelongsToTheOldSituation) {
  ASSERT_TRUE(form->openSituation(examplePath()));
  ASSERT_GT(state->objects, 3);
  // What the old situation left running: thrust, an armed autopilot with a
  // pending line, boxes, captions, a scaled time step, the other direction.
  state->objthruston[1] = true;
  state->objthrust[1] = 5;
  state->objdirx[1] = 1;
  state->ThrustActive = true;
  state->autopilotCount = 1;
  state->autopilot[1] = AutopilotCommand{"line", 1e9, "note"};
  state->autopilotState = AutopilotState{1, 1e9, "line", true};
  ASSERT_EQ(form->boxSlots().addBox(BoxKind::Distance), 1);
  ASSERT_EQ(form->boxSlots().addBox(BoxKind::Thrust), 1);
  ASSERT_EQ(form->boxSlots().addBox(BoxKind::Thrust), 2);
  state->captions[2].caption = "old";
  form->setCaptionLabel(2);
  ASSERT_TRUE(MultiplyTimeStep(*state, *form, 64));
  form->ReverseTime();
  form->RotatingFrameOnOff();
  state->autoSave.enabled = true;
  state->RecentFiles[1] = "/some/file.molv";
  instruments->calls.clear();

  form->fileCommands().mnuNew_Click();

  EXPECT_EQ(state->objects, 1);
  EXPECT_EQ(state->objname[1], "Object 1");
  EXPECT_EQ(state->objref[1], "");
  EXPECT_EQ(state->objmass[1], SunEarthMasses);
  EXPECT_EQ(state->objsize[1], 1392000000.0);
  EXPECT_EQ(state->objcolor[1], 255);
  EXPECT_EQ(state->objx[1], 0);
  EXPECT_EQ(state->objvy[1], 0);
  EXPECT_FALSE(state->objthruston[1]);
  EXPECT_EQ(state->objthrust[1], 0);
  EXPECT_EQ(state->objdirx[1], 0);
  EXPECT_FALSE(state->ThrustActive);
  EXPECT_FALSE(state->autopilotState.armed);
  EXPECT_EQ(state->autopilotState.nextLine, "");
  EXPECT_EQ(state->autopilotCount, 0);
  EXPECT_EQ(state->timescale, 1.0);
  EXPECT_EQ(state->SecondsElapsed, 0);
  EXPECT_EQ(state->focusobj, 1);
  EXPECT_EQ(state->ScalePixel, 1e-7);
  EXPECT_TRUE(state->anchor);
  EXPECT_TRUE(state->TimeForward);
  EXPECT_TRUE(form->menus().timeForward->isChecked());
  EXPECT_FALSE(state->RotatingFrame.on);
  EXPECT_FALSE(form->menus().rotatingFrame->isChecked());
  EXPECT_FALSE(state->autoSave.enabled);
  EXPECT_EQ(form->vscroll1()->value(), -10000);
  EXPECT_EQ(state->isitname, "New");
  EXPECT_EQ(form->windowTitle(), "Molvane -- " + form->dataFolder() + "/New.molv");
  EXPECT_EQ(state->captions[2].caption, "");
  EXPECT_TRUE(form->captionLabel(2)->isHidden());
  EXPECT_EQ(state->RecentFiles[1], "/some/file.molv");
  // The boxes are closed and their slots free; the new body has its label.
  using Call = RecordingInstruments::Call;
  EXPECT_EQ(instruments->calls, (std::vector<Call>{{"close distance", 1}, {"close thrust", 1}, {"close thrust", 2}}));
  EXPECT_FALSE(BoxSlotInUse(*state, BoxKind::Distance, 1));
  EXPECT_FALSE(BoxSlotInUse(*state, BoxKind::Thrust, 2));
  ASSERT_EQ(form->view().labels().size(), 2u);
  EXPECT_EQ(form->view().labels()[1].text, "Object 1");
}

TEST_F(FileCommands, SaveAfterNewAsksForANameAndACancelPutsNewAtTheTop) {
  form->fileCommands().mnuNew_Click();
  form->fileCommands().mnuSave_Click();
  ASSERT_EQ(asked().size(), 1u);
  EXPECT_EQ(asked()[0].kind, FileDialogKind::Save);
  EXPECT_EQ(asked()[0].initial, "New");
  EXPECT_EQ(asked()[0].filter, "Molvane (*.molv)");
  EXPECT_EQ(state->isitname, "New");
  EXPECT_EQ(state->RecentFiles[1], "New");
  EXPECT_EQ(settingsText().substr(0, 12), "False\r\nNew\r\n");
}

TEST_F(FileCommands, SaveAsNamesTheFileAndSaveThenWritesItWithoutAsking) {
  const std::string stem = file("orbit");
  SaveSituationAs(dialogs, *form, stem, 3);  // typed without an extension
  const std::string path = stem + ".molv";
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
  EXPECT_EQ(state->isitname, path);
  EXPECT_EQ(form->windowTitle().toStdString(), "Molvane -- " + stem);  // as chosen
  EXPECT_EQ(state->RecentFiles[1], path);
  EXPECT_EQ(settingsText().substr(0, 7 + path.size() + 2), "False\r\n" + path + "\r\n");
  QAction* recent1 = form->menus().recent[1];
  EXPECT_TRUE(recent1->isVisible());
  EXPECT_EQ(recent1->text().toStdString(), path);
  EXPECT_TRUE(form->menus().recentSep->isVisible());
  EXPECT_FALSE(form->menus().recent[2]->isVisible());

  QFile(QString::fromStdString(path)).remove();
  const size_t asks = asked().size();
  form->fileCommands().mnuSave_Click();
  EXPECT_EQ(asked().size(), asks);
  EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(path)));
}

TEST_F(FileCommands, OpenLoadsTheChosenFileAndMovesItToTheTop) {
  const std::string a = file("a.molv"), b = file("b.molv");
  SaveSituationAs(dialogs, *form, a, 4);
  SaveSituationAs(dialogs, *form, b, 2);
  EXPECT_EQ(Recent(*state), (std::vector<std::string>{b, a, "", ""}));
  answer(a);
  form->fileCommands().OpenMnu_Click();
  EXPECT_EQ(asked().back().kind, FileDialogKind::Open);
  EXPECT_EQ(asked().back().initial, b);
  EXPECT_EQ(asked().back().filter, "Molvane (*.molv);;All Files (*)");
  EXPECT_EQ(state->objects, 4);
  EXPECT_EQ(state->objname[4], "B4");
  EXPECT_EQ(state->isitname, a);
  EXPECT_EQ(form->windowTitle().toStdString(), "Molvane -- " + a);
  EXPECT_EQ(Recent(*state), (std::vector<std::string>{a, b, "", ""}));
  EXPECT_TRUE(dialogs.messages().empty());

  // A cancel loads nothing; the current file goes to the top (it is there).
  form->fileCommands().OpenMnu_Click();
  EXPECT_EQ(state->objects, 4);
  EXPECT_EQ(state->isitname, a);
  EXPECT_EQ(Recent(*state), (std::vector<std::string>{a, b, "", ""}));
}

TEST_F(FileCommands, AFailedOpenChangesNeitherTheCurrentFileNorTheRecentList) {
  const std::string a = file("a.molv");
  SaveSituationAs(dialogs, *form, a, 3);
  const std::string settings = settingsText();
  const std::string damaged = file("damaged.molv"), foreign = file("notes.txt");
  {
    QFile f(QString::fromStdString(damaged));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<MoLVANE>\r\n<Distance Boxes>\r\n");
    QFile g(QString::fromStdString(foreign));
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("shopping list\r\nbread\r\n");
  }
  for (const std::string& bad : {file("missing.molv"), damaged, foreign}) {
    SCOPED_TRACE(bad);
    const size_t messages = dialogs.messages().size();
    answer(bad);
    form->fileCommands().OpenMnu_Click();
    EXPECT_EQ(dialogs.messages().size(), messages + 1);
    EXPECT_EQ(state->isitname, a);
    EXPECT_EQ(state->objects, 3);
    EXPECT_EQ(Recent(*state), (std::vector<std::string>{a, "", "", ""}));
    EXPECT_EQ(form->windowTitle().toStdString(), "Molvane -- " + a);
    EXPECT_EQ(settingsText(), settings);
  }
}

TEST_F(FileCommands, TheRecentListKeepsFourAndAChosenEntryMovesToTheTop) {
  std::vector<std::string> p;
  for (const char* n : {"a", "b", "c", "d", "e"}) p.push_back(file(std::string(n) + ".molv"));
  for (int i = 0; i < 4; ++i) SaveSituationAs(dialogs, *form, p[i], 2 + i);
  EXPECT_EQ(Recent(*state), (std::vector<std::string>{p[3], p[2], p[1], p[0]}));
  // The third entry moves to the top; the fourth stays.
  form->menus().recent[3]->trigger();
  EXPECT_EQ(state->isitname, p[1]);
  EXPECT_EQ(state->objects, 3);
  EXPECT_EQ(Recent(*state), (std::vector<std::string>{p[1], p[3], p[2], p[0]}));
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(form->menus().recent[i]->text().toStdString(), Recent(*state)[i - 1]);
  // A file not listed drops the fourth.
  SaveSituationAs(dialogs, *form, p[4], 2);
  EXPECT_EQ(Recent(*state), (std::vector<std::string>{p[4], p[1], p[3], p[2]}));
  // The list survives in the settings file.
  State fresh;
  fresh.dataFolder = state->dataFolder;
  ReadSettingsFile(fresh);
  EXPECT_EQ(Recent(fresh), Recent(*state));

  // A listed file that has gone: its message, and nothing else changes.
  QFile(QString::fromStdString(p[3])).remove();
  const auto before = Recent(*state);
  form->menus().recent[3]->trigger();
  EXPECT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(state->isitname, p[4]);
  EXPECT_EQ(Recent(*state), before);
}

TEST_F(FileCommands, TheSettingsFileShowsItsRecentEntriesAtStartUp) {
  QDir().mkpath(form->dataFolder());
  {
    QFile f(form->dataFolder() + "/molv.dat");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("True\r\n/x/one.molv\r\n\r\nrffu 3\r\n/x/four.molv\r\n");
  }
  form->startUp("");
  MainMenus& m = form->menus();
  EXPECT_TRUE(state->ArchiveOnSave);
  EXPECT_TRUE(m.recentSep->isVisible());
  EXPECT_TRUE(m.recent[1]->isVisible());
  EXPECT_FALSE(m.recent[2]->isVisible());
  EXPECT_FALSE(m.recent[3]->isVisible());
  EXPECT_TRUE(m.recent[4]->isVisible());
  EXPECT_EQ(m.recent[4]->text(), "/x/four.molv");
  form->close();
}

TEST_F(FileCommands, WhileTheResumeFileIsCurrentTheDialogsProposeTheOriginalSituation) {
  state->isitname = form->resumePath().toStdString();
  state->OriginalSituationName = file("solar.molv");
  form->fileCommands().OpenMnu_Click();
  form->fileCommands().SaveasMnu_Click();
  ASSERT_EQ(asked().size(), 2u);
  EXPECT_EQ(asked()[0].initial, file("solar.molv"));
  EXPECT_EQ(asked()[1].initial, file("solar.molv"));

  // The file saved from the resume file records its own new name, not the
  // resume file's or the situation the resume file stood for.
  const std::string b = file("b.molv");
  answer(b);
  form->fileCommands().SaveasMnu_Click();
  ASSERT_EQ(state->isitname, b);
  state->StoredSituationName.clear();
  ASSERT_TRUE(form->openSituation(b));
  EXPECT_EQ(state->StoredSituationName, b);
  // Copied over the resume file, it proposes b as its situation.
  ASSERT_TRUE(QFile::copy(QString::fromStdString(b), form->resumePath()) ||
              (QFile::remove(form->resumePath()) && QFile::copy(QString::fromStdString(b), form->resumePath())));
  ASSERT_TRUE(form->openSituation(form->resumePath().toStdString()));
  EXPECT_EQ(state->OriginalSituationName, b);
}

// In a new profile the data folder does not exist yet: Qt's dialog, given
// it, would open elsewhere and propose "molvane" as the file name. A
// proposed file whose folder has gone is proposed by its name alone.
TEST_F(FileCommands, TheFirstDialogOfANewProfileOpensInTheDataFolder) {
  ASSERT_FALSE(QFileInfo::exists(form->dataFolder()));
  form->fileCommands().OpenMnu_Click();
  form->fileCommands().SaveasMnu_Click();
  state->isitname = "/gone/away/solar.molv";
  form->fileCommands().OpenMnu_Click();
  QStringList dirs, chosen;
  for (const FileRequest& r : dialogs.fileRequests()) {
    const auto dialog = MakeFileDialog(form.get(), r);
    dirs << dialog->directory().absolutePath();
    const QLineEdit* name = dialog->findChild<QLineEdit*>("fileNameEdit");  // the name the user sees
    chosen << (name ? name->text() : "?");
  }
  EXPECT_EQ(dirs, QStringList(3, form->dataFolder()));
  EXPECT_EQ(chosen, (QStringList{"", "", "solar.molv"}));
}

TEST_F(FileCommands, AFailedSaveAsKeepsTheOldName) {
  const std::string a = file("a.molv");
  SaveSituationAs(dialogs, *form, a, 2);
  const std::string title = form->windowTitle().toStdString();
  answer(file("no such folder/b.molv"));
  form->fileCommands().SaveasMnu_Click();
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_NE(dialogs.messages()[0].find("Could not save"), std::string::npos);
  EXPECT_EQ(state->isitname, a);
  EXPECT_EQ(form->windowTitle().toStdString(), title);
  EXPECT_EQ(Recent(*state), (std::vector<std::string>{a, "", "", ""}));
}

TEST_F(FileCommands, TheRestoreCommandsReopenTheCurrentFile) {
  const std::string a = file("a.molv");
  SaveSituationAs(dialogs, *form, a, 3);
  state->objects = 2;
  state->autopilotCount = 1;
  state->autopilot[1] = AutopilotCommand{"kept", 5, ""};
  form->fileCommands().mnuResumeWithCommands_Click();
  EXPECT_EQ(state->objects, 3);
  EXPECT_EQ(state->autopilotCount, 1);
  EXPECT_FALSE(state->KeepCommandsFlag);
  form->fileCommands().mnuFullResume_Click();
  EXPECT_EQ(state->autopilotCount, 0);

  // A failed restore does not carry "keep the commands" into the next open.
  QFile(QString::fromStdString(a)).remove();
  form->fileCommands().mnuResumeWithCommands_Click();
  EXPECT_FALSE(state->KeepCommandsFlag);
}

TEST_F(FileCommands, ArchiveAndExtensionNames) {
  state->isitname = "/d/run.sit";
  state->SecondsElapsed = 0;
  EXPECT_EQ(ArchiveFileName(*state), "/d/run ~ " + MakeFileDateText(FormatDateTimeText(0)) + ".molv");
  EXPECT_EQ(WithSituationExtension("/d/x"), "/d/x.molv");
  EXPECT_EQ(WithSituationExtension("/d/x.molv"), "/d/x.molv");
  EXPECT_EQ(WithSituationExtension("/d.e/x.txt"), "/d.e/x.txt");
  EXPECT_EQ(WithSituationExtension("/d.e/x"), "/d.e/x.molv");
  // Names ending in "molv" go to Save As instead of the archive.
  state->isitname = file("a.molv");
  form->fileCommands().mnuSaveAndArchive_Click();
  ASSERT_EQ(asked().size(), 1u);
  EXPECT_EQ(asked()[0].kind, FileDialogKind::Save);
}

}  // namespace
}  // namespace molvane
