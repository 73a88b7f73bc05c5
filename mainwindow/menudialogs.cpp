#include "mainwindow/menudialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QUrl>

#include "mainwindow/form1.h"
#include "mainwindow/preferences.h"
#include "mainwindow/screensaver.h"
#include "mainwindow/settime.h"
#include "ui/text.h"

namespace molvane {

namespace {

// One instance of each dialog: an open one comes to the front; one that is
// closing (deleted later) is not reused.
template <typename W>
W* ShowSingle(Form1& form) {
  for (W* w : form.findChildren<W*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (w->isVisible()) {
      w->raise();
      w->activateWindow();
      return w;
    }
  }
  auto* w = new W(form);
  w->show();
  return w;
}

QUrl BesideProgram(const QString& name) {
  return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/" + name);
}

// The online tutorials page is wherever MOLVANE_ONLINE_HELP points; without
// one configured, the tutorials that ship beside the program.
QUrl OnlineTutorials() {
  const QString env = qEnvironmentVariable("MOLVANE_ONLINE_HELP");
  return env.isEmpty() ? BesideProgram("tutorials.html") : QUrl(env);
}

// A page that cannot be shown says so, naming it, so that the user can
// open it himself: the page missing beside the program, or no browser or
// launcher on the desktop to show it.
void Open(Form1& form, const QUrl& url) {
  const QString page = url.isLocalFile() ? url.toLocalFile() : url.toString();
  if (url.isLocalFile() && !QFileInfo::exists(page)) {
    form.message(PathBytes(MissingHelpPageText(page)));
    return;
  }
  if (form.tools().openPage(url)) return;
  form.message(PathBytes(NoBrowserText(page)));
}

}  // namespace

QString MissingHelpPageText(const QString& page) { return "The help page " + page + " is missing."; }

QString NoBrowserText(const QString& page) {
  return "No web browser could be started to show the help page. Open it in a browser:\n\n" + page;
}

void ShowSetTimeDialog(Form1& form) { ShowSingle<frmSetTime>(form); }
void ShowPreferencesDialog(Form1& form) { ShowSingle<frmPreferences>(form); }
void ShowAutoSaveDialog(Form1& form) { ShowSingle<frmAutoSave>(form); }
void ShowAboutBox(Form1& form) { form.tools().openAboutBox(); }
void ShowScreenSaverSettings(Form1& form) { ShowSingle<frmScreenSaverSettings>(form); }
void ShowSecondView(Form1& form) { form.tools().openSecondView(); }

void ShowHelp(Form1& form) { Open(form, BesideProgram("tutorials.html")); }
void ShowTutorials(Form1& form) { Open(form, OnlineTutorials()); }

}  // namespace molvane
