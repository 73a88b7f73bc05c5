// The settings dialogs: set time, preferences, auto save, about, help and
// the screen-saver settings.
#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <array>
#include <functional>
#include <tuple>

#include "../support/pressing.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "files/fileio.h"
#include "files/situationfile.h"
#include "form1_support.h"
#include "mainwindow/aboutbox.h"
#include "mainwindow/dashboard.h"
#include "mainwindow/menudialogs.h"
#include "mainwindow/menus.h"
#include "mainwindow/preferences.h"
#include "mainwindow/screensaver.h"
#include "mainwindow/settime.h"
#include "mainwindow/viewwidget.h"
#include "ui/icon.h"
#include "ui/text.h"

namespace molvane {
namespace {

// The two that need more of the main window than its window services.
void OpenPreferences(Form1& f) { ShowPreferencesDialog(f, f); }
void OpenAbout(Form1& f) { ShowAboutBox(f.tools()); }

class Dialogs : public Form1Fixture {
 protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    makeForm();
    addBodies(2);
    auto t = std::make_unique<MainToolWindows>(*form, *form);
    tw = t.get();
    form->setToolWindows(std::move(t));
    form->show();
  }
  // The shown window of a kind, owned by the main window or not.
  template <typename W>
  W* openOne() {
    W* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (qobject_cast<W*>(w) && w->isVisible()) found = qobject_cast<W*>(w);
    }
    return found;
  }
  MainToolWindows* tw = nullptr;
};

TEST_F(Dialogs, SetTimeSetsTheClockFromTheFields) {
  ShowSetTimeDialog(*form);
  frmSetTime* d = openOne<frmSetTime>();
  ASSERT_TRUE(d);
  ShowSetTimeDialog(*form);  // one instance
  EXPECT_EQ(form->findChildren<frmSetTime*>().size(), 1);
  EXPECT_EQ(d->ComboMonth->count(), 12);
  EXPECT_EQ(d->ComboMonth->itemText(0), " 1");
  EXPECT_EQ(d->ComboMinute->itemText(59), "59");
  EXPECT_EQ(d->ComboDay->currentText(), "1");
  EXPECT_EQ(d->TextYear->text(), "2005");
  QTest::mouseClick(d->Command2, Qt::LeftButton);
  EXPECT_EQ(state->SecondsElapsed, 63271756800.0);
  EXPECT_FALSE(d->isVisible());

  // Day 31 of February runs on into March; a typed second rounds half to even.
  double t = 0, march = 0;
  ASSERT_TRUE(SetTimeClockValue("2005", "2", "31", "0", "0", "0", t));
  ASSERT_TRUE(SetTimeClockValue("2005", "3", "3", "0", "0", "0", march));
  EXPECT_EQ(t, march);
  ASSERT_TRUE(SetTimeClockValue("2005", "1", "1", "0", "0", "2.5", t));
  EXPECT_EQ(t, 63271756802.0);
  // An empty year is year 0; a negative year keeps its sign through the text.
  ASSERT_TRUE(SetTimeClockValue("", "1", "1", "0", "0", "0", t));
  EXPECT_EQ(t, 0);
  double minus = 0, plus = 0;
  ASSERT_TRUE(SetTimeClockValue("-5", "1", "1", "0", "0", "0", minus));
  ASSERT_TRUE(SetTimeClockValue("5", "1", "1", "0", "0", "0", plus));
  EXPECT_LT(minus, 0);
  EXPECT_GT(plus, 0);
  // A number that is not finite leaves the clock alone.
  EXPECT_FALSE(SetTimeClockValue("1E999", "1", "1", "0", "0", "0", t));
}

TEST_F(Dialogs, SetTimeKeepsWhatIsTypedAndWhatIsPicked) {
  ShowSetTimeDialog(*form);
  frmSetTime* d = openOne<frmSetTime>();
  ASSERT_TRUE(d);
  d->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(d));
  for (auto [list, typed] : {std::pair{d->ComboMonth, "1"}, std::pair{d->ComboHour, "2"}}) {
    list->setFocus();  // the box a user clicks into
    list->clearEditText();
    QTest::keyClicks(list, typed);
    EXPECT_EQ(list->currentText().toStdString(), typed);
  }
  d->ComboDay->showPopup();
  d->ComboDay->view()->setCurrentIndex(d->ComboDay->model()->index(11, 0));
  QTest::keyClick(d->ComboDay->view(), Qt::Key_Return);
  EXPECT_EQ(d->ComboDay->currentText(), "12");
  // Digits typed into a dropped list pick the entry they begin, its leading
  // blank skipped.
  for (auto [list, typed, picked] : {std::tuple{d->ComboMonth, "1", " 1"}, std::tuple{d->ComboDay, "3", " 3"},
                                     std::tuple{d->ComboDay, "12", "12"}}) {
    list->showPopup();
    QTest::keyClicks(list->view(), typed);
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(list->currentText(), picked) << typed;
  }
  QTest::mouseClick(d->Command2, Qt::LeftButton);
  EXPECT_EQ(state->SecondsElapsed, ParseDateTimeText(ComposeDateTimeText(2005, 1, 12, 2, 0, 0)));
}

// A field beyond the range of its list would reach the clock cut to its last
// two digits or to 0: OK refuses it, says which, and keeps the dialog open.
TEST_F(Dialogs, SetTimeRefusesAFieldBeyondItsRange) {
  state->SecondsElapsed = 12345;
  ShowSetTimeDialog(*form);
  frmSetTime* d = openOne<frmSetTime>();
  ASSERT_TRUE(d);
  const std::string years = YearRangeMessage();  // the autopilot editor's
  const std::string digits(2000, '9');
  const std::tuple<QWidget*, std::string, std::string> rows[] = {
      {d->ComboSecond, "99999", "The second must be a whole number from 0 to 59."},
      {d->ComboSecond, "59.7", "The second must be a whole number from 0 to 59."},
      {d->ComboMinute, "60", "The minute must be a whole number from 0 to 59."},
      {d->ComboHour, "1.5", "The hour must be a whole number from 0 to 23."},
      {d->ComboDay, "32", "The day must be a whole number from 1 to 31."},
      {d->ComboMonth, "", "The month must be a whole number from 1 to 12."},
      {d->TextYear, "1e999", years},
      {d->TextYear, digits, years},
      {d->TextYear, "1000000000", years},
      {d->TextYear, "1e300", years},
      {d->TextYear, "-285000001", years},
  };
  for (const auto& [box, typed, message] : rows) {
    auto* year = qobject_cast<QLineEdit*>(box);
    const QString before = year ? year->text() : static_cast<QComboBox*>(box)->currentText();
    TypeOver(box, QString::fromStdString(typed));
    QTest::mouseClick(d->Command2, Qt::LeftButton);
    ASSERT_FALSE(dialogs.messages().empty()) << typed;
    EXPECT_EQ(dialogs.messages().back(), message) << typed;
    EXPECT_TRUE(d->isVisible() && state->SecondsElapsed == 12345) << typed;
    year ? year->setText(before) : static_cast<QComboBox*>(box)->setEditText(before);
  }
  const size_t said = dialogs.messages().size();
  d->ComboSecond->setEditText("59.4");  // rounds to 59
  QTest::mouseClick(d->Command2, Qt::LeftButton);
  EXPECT_EQ(dialogs.messages().size(), said);
  EXPECT_EQ(state->SecondsElapsed, 63271756800.0 + 59);
}

TEST_F(Dialogs, SetTimeCancelLeavesTheClock) {
  state->SecondsElapsed = 12345;
  ShowSetTimeDialog(*form);
  frmSetTime* d = openOne<frmSetTime>();
  ASSERT_TRUE(d);
  d->TextYear->setText("1999");
  QTest::mouseClick(d->Command3, Qt::LeftButton);
  EXPECT_EQ(state->SecondsElapsed, 12345);
  QApplication::processEvents();
  ShowSetTimeDialog(*form);  // a fresh one after the close
  ASSERT_TRUE(openOne<frmSetTime>());
  EXPECT_EQ(openOne<frmSetTime>()->TextYear->text(), "2005");
}

TEST_F(Dialogs, AutoSaveSetsTheTimedCopies) {
  state->autoSave.savesMade = 3;
  state->autoSave.nextTime = 99;
  ShowAutoSaveDialog(*form);
  frmAutoSave* d = openOne<frmAutoSave>();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Text1->text(), "0");
  EXPECT_EQ(d->Text2->text(), "0");
  EXPECT_TRUE(d->optSeconds->isChecked());
  EXPECT_FALSE(d->Check1->isChecked());
  d->Check1->setChecked(true);
  d->Text1->setText("1.5");
  d->optHours->setChecked(true);
  d->Text2->setText("4.5");
  d->ckReport->setChecked(true);
  QTest::mouseClick(d->Command1, Qt::LeftButton);
  const AutoSaveSettings& a = state->autoSave;
  EXPECT_TRUE(a.enabled);
  EXPECT_EQ(a.interval, 5400.0f);
  EXPECT_EQ(a.maxSaves, 4);
  EXPECT_EQ(a.savesMade, 0);
  EXPECT_EQ(a.nextTime, 0);
  EXPECT_TRUE(a.dataFile);

  // Reopened: the settings shown, the data file not.
  QApplication::processEvents();
  ShowAutoSaveDialog(*form);
  d = openOne<frmAutoSave>();
  ASSERT_TRUE(d);
  EXPECT_TRUE(d->Check1->isChecked());
  EXPECT_EQ(d->Text1->text(), "5400");
  EXPECT_FALSE(d->ckReport->isChecked());
  QTest::mouseClick(d->Command2, Qt::LeftButton);  // Cancel
  EXPECT_TRUE(state->autoSave.dataFile);

  // Below one second it stays off; a year is 31556952 seconds.
  AutoSaveSettings b = AutoSaveFromEntries({}, true, "0.5", 1, "3", false);
  EXPECT_FALSE(b.enabled);
  b = AutoSaveFromEntries({}, true, "1", 86400 * 365.2425, "", false);
  EXPECT_EQ(b.interval, 31556952.0f);
  EXPECT_EQ(b.maxSaves, 0);
  EXPECT_TRUE(b.enabled);
  b = AutoSaveFromEntries({}, true, "abc", 60, "1E99", false);
  EXPECT_FALSE(b.enabled);
  EXPECT_EQ(b.interval, 0);
  EXPECT_EQ(b.maxSaves, 32767);
  b = AutoSaveFromEntries({}, true, "1E300", 86400, "2", false);  // beyond a float
  EXPECT_EQ(b.interval, 0);
  EXPECT_FALSE(b.enabled);
}

// Negative sizes, intervals and counts, and numbers beyond the doubles,
// typed and OK pressed: one message naming the box, the dialog stays open
// and nothing changes. A size past the 16-bit range is held at 32767.
TEST_F(Dialogs, PreferencesAndAutoSaveRefuseWhatTheirMeaningRulesOut) {
  const std::string digits(2000, '9');
  const struct {
    bool autoSave;
    int box;  // Combo1, Combo2 | Text1, Text2
    std::string typed;
    const char* field;  // empty: taken
  } rows[] = {{false, 0, "-5", "Minimum Object Size"},
              {false, 1, "1e999", "Exaggerated Object Size"},
              {false, 1, digits, "Exaggerated Object Size"},
              {false, 0, "99999", ""},
              {true, 0, "-5", "Save every"},
              {true, 0, "1e999", "Save every"},
              {true, 0, "1e40", "Save every"},
              {true, 1, "-1", "Maximum saves"},
              {true, 1, "1e999", "Maximum saves"},
              {true, 1, "5e-324", ""}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.typed.substr(0, 10));
    state->autoSave.interval = 60;
    state->autoSave.maxSaves = 3;
    state->MinimumObjectSize = 2;
    state->ExaggeratedObjectSize = 10;
    r.autoSave ? ShowAutoSaveDialog(*form) : ShowPreferencesDialog(*form, *form);
    frmAutoSave* a = openOne<frmAutoSave>();
    frmPreferences* p = openOne<frmPreferences>();
    QDialog* d = r.autoSave ? static_cast<QDialog*>(a) : p;
    ASSERT_TRUE(d);
    TypeOver(r.autoSave ? std::array<QWidget*, 2>{a->Text1, a->Text2}[r.box]
                        : std::array<QWidget*, 2>{p->Combo1, p->Combo2}[r.box],
             QString::fromStdString(r.typed));
    const size_t messages = dialogs.messages().size();
    Press(d, "Command1");
    if (*r.field == 0) {
      EXPECT_EQ(dialogs.messages().size(), messages);
      EXPECT_EQ(r.autoSave ? state->autoSave.maxSaves : state->MinimumObjectSize, r.autoSave ? 0 : 32767);
      QApplication::processEvents();
      continue;
    }
    ExpectRefusal(dialogs.messages(), messages, r.field);
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(std::tuple(state->autoSave.interval, state->autoSave.maxSaves, state->MinimumObjectSize,
                         state->ExaggeratedObjectSize),
              std::tuple(60.0f, int16_t{3}, int16_t{2}, int16_t{10}));
    d->close();
    QApplication::processEvents();
  }
}

TEST_F(Dialogs, PreferencesSetColourSizesAndArchive) {
  state->mainWindow.backColor = 0x102030;
  state->ScalePixel = 1e-7;  // the bodies 100 pixels apart, labels shown
  state->llabels = true;
  form->plot();
  ShowPreferencesDialog(*form, *form);
  frmPreferences* d = openOne<frmPreferences>();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->Combo1->currentText(), "2");
  EXPECT_EQ(d->Combo2->currentText(), "10");
  for (auto [list, row] : {std::pair{d->Combo1, 1}, std::pair{d->Combo2, 9}}) {
    list->showPopup();  // dropped down at the entry shown
    EXPECT_EQ(list->view()->currentIndex().row(), row);
    list->hidePopup();
  }
  EXPECT_EQ(d->Combo1->count(), 100);
  EXPECT_EQ(d->Combo2->itemText(99), "100");
  EXPECT_TRUE(d->Option2->isChecked());
  EXPECT_EQ(d->swatch(), 0x102030);
  // "Yes" at once; Cancel keeps it.
  d->Option1->click();
  EXPECT_TRUE(state->ArchiveOnSave);
  QTest::mouseClick(d->Command2, Qt::LeftButton);
  EXPECT_TRUE(state->ArchiveOnSave);
  EXPECT_EQ(state->MinimumObjectSize, 2);

  QApplication::processEvents();
  ShowPreferencesDialog(*form, *form);
  d = openOne<frmPreferences>();
  ASSERT_TRUE(d);
  EXPECT_TRUE(d->Option1->isChecked());
  dialogs.answerColour(QColor(255, 0, 0));
  QTest::mouseClick(d->Command3, Qt::LeftButton);
  EXPECT_EQ(d->swatch(), 255);
  EXPECT_EQ(state->mainWindow.backColor, 0x102030);  // not before OK
  d->Combo1->setEditText("6.5");
  d->Combo2->setEditText("250");
  QTest::mouseClick(d->Command1, Qt::LeftButton);
  EXPECT_EQ(state->mainWindow.backColor, 255);
  EXPECT_EQ(state->MinimumObjectSize, 6);
  EXPECT_EQ(state->ExaggeratedObjectSize, 250);
  EXPECT_EQ(form->view().canvas().pixel(0, 0), QColor(255, 0, 0).rgb());
  // On screen the body-name labels' boxes and caption 1's box (laid over
  // body 1's disc) are red too.
  form->plot();
  CaptionSlot& c = state->captions[1];
  c.caption = "x";
  c.left = static_cast<float>(state->ScreenCentreX - 10);
  c.top = static_cast<float>(state->ScreenCentreY - 10);
  c.width = c.height = 20;
  form->captionLabels().applyCaptions();
  const QImage shot = form->viewWidget()->grab().toImage();
  for (int k = 1; k <= 2; ++k) {
    EXPECT_EQ(shot.pixel(form->view().labelRect(k).topLeft().toPoint()), QColor(255, 0, 0).rgb()) << k;
  }
  const QPoint disc = QPointF(state->ScreenCentreX, state->ScreenCentreY).toPoint();
  EXPECT_EQ(form->view().canvas().pixel(disc), QColor(0, 255, 0).rgb());
  EXPECT_EQ(shot.pixel(disc), QColor(255, 0, 0).rgb());
  // A body deleted rebuilds the labels: they keep the red.
  addBodies(3);
  form->refreshObjectLists();
  DeleteBody(*state, *form, 3);
  form->plot();
  EXPECT_EQ(form->viewWidget()->grab().toImage().pixel(form->view().labelRect(2).topLeft().toPoint()),
            QColor(255, 0, 0).rgb());

  // A cancelled colour dialog keeps the swatch; OK without a change keeps the colour.
  QApplication::processEvents();
  ShowPreferencesDialog(*form, *form);
  d = openOne<frmPreferences>();
  ASSERT_TRUE(d);
  dialogs.answerColour(std::nullopt);
  QTest::mouseClick(d->Command3, Qt::LeftButton);
  EXPECT_EQ(d->swatch(), 255);
  d->Combo1->setEditText("99999");
  QTest::mouseClick(d->Command1, Qt::LeftButton);
  EXPECT_EQ(state->mainWindow.backColor, 255);
  EXPECT_EQ(state->MinimumObjectSize, 32767);
}

TEST_F(Dialogs, AboutBoxFindsNoSystemInformationProgram) {
  ShowAboutBox(form->tools());
  frmAbout* d = openOne<frmAbout>();
  ASSERT_TRUE(d);
  EXPECT_EQ(d->windowTitle(), "About Molvane");
  EXPECT_EQ(d->parentWidget(), nullptr);
  EXPECT_EQ(d->lblTitle->text(), "Molvane");
  EXPECT_EQ(d->lblVersion->text(), "Version 2.0.0");
  EXPECT_EQ(d->cmdSysInfo->text(), "&System Info...");
  EXPECT_EQ(d->picIcon->pixmap().toImage(), MolvaneIcon().pixmap(48).toImage());
  QString value = "x";
  EXPECT_FALSE(frmAbout::GetKeyValue(0x80000002u, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", value));
  EXPECT_TRUE(value.isEmpty());
  const size_t before = dialogs.messages().size();
  QTest::mouseClick(d->cmdSysInfo, Qt::LeftButton);
  ASSERT_EQ(dialogs.messages().size(), before + 1);
  EXPECT_EQ(dialogs.messages().back(), "System Information Is Unavailable At This Time");
  EXPECT_TRUE(d->isVisible());
  state->ScreenSaverMode = true;
  EXPECT_FALSE(d->StartSysInfo());
  EXPECT_EQ(dialogs.messages().size(), before + 1);
  QTest::mouseClick(d->cmdOK, Qt::LeftButton);
  EXPECT_FALSE(d->isVisible());
}

TEST_F(Dialogs, HelpPagesOpenInTheDesktopViewer) {
  std::vector<QUrl> opened;
  tw->openUrl = [&](const QUrl& u) {
    opened.push_back(u);
    return true;
  };
  const QString local = QCoreApplication::applicationDirPath() + "/tutorials.html";
  ShowHelp(*form, form->tools());
  qunsetenv("MOLVANE_ONLINE_HELP");
  ShowTutorials(*form, form->tools());  // no online address configured: the local page
  qputenv("MOLVANE_ONLINE_HELP", "https://example.org/molvane/tutorials.html");
  ShowTutorials(*form, form->tools());
  qunsetenv("MOLVANE_ONLINE_HELP");
  ASSERT_EQ(opened.size(), 3u);
  EXPECT_TRUE(opened[0].isLocalFile());
  EXPECT_EQ(opened[0].toLocalFile(), local);
  EXPECT_EQ(opened[1].toLocalFile(), local);
  EXPECT_EQ(opened[2].toString(), "https://example.org/molvane/tutorials.html");
  EXPECT_TRUE(dialogs.messages().empty());

  // No browser on the desktop, or no page where it should be: a message
  // names the page instead of nothing happening.
  tw->openUrl = [&](const QUrl& u) { return opened.push_back(u), false; };
  form->menus().molvHelp->trigger();
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(PathText(dialogs.messages().back()), NoBrowserText(local));
  EXPECT_NE(dialogs.messages().back().find("tutorials.html"), std::string::npos);
  qputenv("MOLVANE_ONLINE_HELP", QUrl::fromLocalFile(dataDir() + "/gone.html").toString().toUtf8());
  form->menus().onlineHelp->trigger();
  qunsetenv("MOLVANE_ONLINE_HELP");
  EXPECT_EQ(opened.size(), 4u);  // a missing page is not handed to the browser
  ASSERT_EQ(dialogs.messages().size(), 2u);
  EXPECT_EQ(PathText(dialogs.messages().back()), MissingHelpPageText(dataDir() + "/gone.html"));

  // xdg-open found but failing (3: no method available) says so too; one
  // that shows the page says nothing.
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(dataDir()) + ":" + path);
  tw->openUrl = [&](const QUrl& u) { return tw->openWithDesktop(u); };
  for (const auto& [status, messages] : {std::pair{3, 3u}, std::pair{0, 3u}}) {
    QFile script(dataDir() + "/xdg-open");
    ASSERT_TRUE(script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write("#!/bin/sh\nexit " + QByteArray::number(status) + "\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    form->menus().molvHelp->trigger();
    QTest::qWait(500);
    ASSERT_EQ(dialogs.messages().size(), messages) << status;
    EXPECT_EQ(PathText(dialogs.messages().back()), NoBrowserText(local));
  }
  qputenv("PATH", path);
}

TEST_F(Dialogs, ScreenSaverSettingsWriteTheFileAndEndTheProgram) {
  EXPECT_EQ(ScreenSaverSettingsText({"/a/b.molv", false}),
            "/a/b.molv\r\nFalse\r\nrffu 1\r\nrffu 2\r\nrffu 3\r\nrffu 4\r\nrffu 5\r\nrffu 6\r\nrffu 7\r\nrffu 8\r\n"
            "rffu 9\r\nrffu 10\r\nrffu 11\r\nrffu 12\r\nrffu 13\r\nrffu 14\r\nrffu 15\r\nrffu 16\r\nrffu 17\r\n"
            "rffu 18\r\nrffu 19\r\nrffu 20\r\n");
  // OK without a settings file and without browsing: an empty first line.
  ShowScreenSaverSettings(*form);
  frmScreenSaverSettings* d = openOne<frmScreenSaverSettings>();
  ASSERT_TRUE(d);
  int ended = 0;
  d->endProgram = [&] { ++ended; };
  EXPECT_TRUE(d->Text1->text().isEmpty());
  EXPECT_TRUE(d->Option1->isChecked());
  d->Text1->setText("/typed/only.molv");  // typing alone is not taken
  QTest::mouseClick(d->Command2, Qt::LeftButton);
  EXPECT_EQ(ended, 1);
  std::string text;
  ASSERT_EQ(ReadWholeFile(d->settingsPath().toStdString(), 4096, text), ReadFileStatus::Ok);
  EXPECT_EQ(text, ScreenSaverSettingsText({"", true}));

  // Browse, continue mode: the file, then the copy beside the situation.
  const std::string situation = dataPath() + "/show.molv";
  ASSERT_TRUE(SaveFileAtomically(situation, "situation bytes"));
  QApplication::processEvents();
  ShowScreenSaverSettings(*form);
  d = openOne<frmScreenSaverSettings>();
  ASSERT_TRUE(d);
  d->endProgram = [&] { ++ended; };
  dialogs.answerFile(QString());  // cancelled
  QTest::mouseClick(d->Command1, Qt::LeftButton);
  EXPECT_TRUE(d->fileName().isEmpty());
  dialogs.answerFile(QString::fromStdString(situation));
  QTest::mouseClick(d->Command1, Qt::LeftButton);
  EXPECT_EQ(d->Text1->text().toStdString(), situation);
  d->Option2->setChecked(true);
  QTest::mouseClick(d->Command2, Qt::LeftButton);
  EXPECT_EQ(ended, 2);
  ASSERT_EQ(ReadWholeFile(d->settingsPath().toStdString(), 4096, text), ReadFileStatus::Ok);
  EXPECT_EQ(text, ScreenSaverSettingsText({situation, false}));
  std::string copy;
  ASSERT_EQ(ReadWholeFile(dataPath() + "/resumess.molv", 4096, copy), ReadFileStatus::Ok);
  EXPECT_EQ(copy, "situation bytes");

  // Reopened: the path, and "Always use this file" selected whatever was stored.
  QApplication::processEvents();
  ShowScreenSaverSettings(*form);
  d = openOne<frmScreenSaverSettings>();
  ASSERT_TRUE(d);
  d->endProgram = [&] { ++ended; };
  EXPECT_EQ(d->Text1->text().toStdString(), situation);
  EXPECT_TRUE(d->Option1->isChecked());
  // Cancel ends the program and writes nothing.
  QTest::mouseClick(d->Command3, Qt::LeftButton);
  EXPECT_EQ(ended, 3);
  ASSERT_EQ(ReadWholeFile(d->settingsPath().toStdString(), 4096, text), ReadFileStatus::Ok);
  EXPECT_EQ(text, ScreenSaverSettingsText({situation, false}));

  ScreenSaverSettings s;
  EXPECT_FALSE(ParseScreenSaverSettings("", s));
  ASSERT_TRUE(ParseScreenSaverSettings("/x.molv\nTrue", s));
  EXPECT_EQ(s.path, "/x.molv");
  EXPECT_TRUE(s.alwaysUse);
}

// Each button of the settings dialogs pressed once in this order, on the
// dialog open at the time or a fresh one with a size typed and an interval
// set: what each alone changes.
TEST_F(Dialogs, EachButtonDoesItsOwnPart) {
  state->SecondsElapsed = 12345;
  int ended = 0;
  const auto shown = [this]() -> QWidget* {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w != form.get()) return w;
    return nullptr;
  };
  const auto open = [&](const std::function<void(Form1&)>& show) {
    if (shown()) return shown();
    show(*form);
    if (frmPreferences* p = openOne<frmPreferences>()) p->Combo1->setEditText("6");
    if (frmAutoSave* a = openOne<frmAutoSave>()) a->Text1->setText("90");
    if (frmScreenSaverSettings* s = openOne<frmScreenSaverSettings>()) s->endProgram = [&] { ++ended; };
    return shown();
  };
  const auto look = [&] {
    const State& s = *state;
    frmPreferences* p = openOne<frmPreferences>();
    return Look({"open=" + (shown() ? shown()->windowTitle().toStdString() : ""),
                 "archive=" + GeneralText(int16_t{s.ArchiveOnSave}), "swatch=" + (p ? GeneralText(p->swatch()) : ""),
                 "back=" + GeneralText(s.mainWindow.backColor), "min=" + GeneralText(s.MinimumObjectSize),
                 "autosave=" + GeneralText(s.autoSave.interval), "clock=" + GeneralText(s.SecondsElapsed),
                 "said=" + std::to_string(dialogs.messages().size()),
                 "browsed=" + std::to_string(dialogs.fileRequests().size()), "ended=" + GeneralText(ended),
                 "written=" + Flag(QFile::exists(form->dataFolder() + "/molvss.ini"))});
  };
  dialogs.answerColour(QColor(255, 0, 0));
  const struct {
    std::function<void(Form1&)> show;
    const char *button, *changes;
  } rows[] = {
      {OpenPreferences, "Option1", "archive=1"},
      {OpenPreferences, "Option2", "archive=0"},
      {OpenPreferences, "Command2", "open= swatch="},
      {OpenPreferences, "Command3", "swatch=255"},
      {OpenPreferences, "Command1", "open= swatch= back=255 min=6"},
      {ShowAutoSaveDialog, "Command2", "open="},
      {ShowAutoSaveDialog, "Command1", "open= autosave=90"},
      {ShowSetTimeDialog, "Command3", "open="},
      {ShowSetTimeDialog, "Command2", "open= clock=63271756800"},
      {OpenAbout, "cmdSysInfo", "said=1"},
      {OpenAbout, "cmdOK", "open="},
      {ShowScreenSaverSettings, "Command1", "browsed=1"},
      {ShowScreenSaverSettings, "Command3", "open= ended=1"},
      {ShowScreenSaverSettings, "Command2", "open= ended=2 written=1"},
  };
  ExpectEachPress(rows, look, [&](const auto& r) {
    QApplication::processEvents();
    return open(r.show);
  });
}

}  // namespace
}  // namespace molvane
