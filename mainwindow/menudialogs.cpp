#include "mainwindow/menudialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QUrl>

#include "mainwindow/preferences.h"
#include "mainwindow/screensaver.h"
#include "mainwindow/settime.h"
#include "mainwindow/toolhooks.h"
#include "ui/text.h"
#include "ui/windowservices.h"

namespace molvane {

namespace {

// One instance of each dialog: an open one comes to the front; one that is
// closing (deleted later) is not reused.
template <typename W, typename... Parts>
W* ShowSingle(WindowServices& form, Parts&... parts) {
  for (W* w : form.mainWidget().findChildren<W*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (w->isVisible()) {
      w->raise();
      w->activateWindow();
      return w;
    }
  }
  auto* w = new W(form, parts...);
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
void Open(WindowServices& form, ToolWindows& tools, const QUrl& url) {
  const QString page = url.isLocalFile() ? url.toLocalFile() : url.toString();
  if (url.isLocalFile() && !QFileInfo::exists(page)) {
    form.message(PathBytes(MissingHelpPageText(page)));
    return;
  }
  if (tools.openPage(url)) return;
  form.message(PathBytes(NoBrowserText(page)));
}

}  // namespace

QString MissingHelpPageText(const QString& page) { return "The help page " + page + " is missing."; }

QString NoBrowserText(const QString& page) {
  return "No web browser could be started to show the help page. Open it in a browser:\n\n" + page;
}

void ShowSetTimeDialog(WindowServices& form) { ShowSingle<frmSetTime>(form); }
void ShowPreferencesDialog(WindowServices& form, LabelBackColour& labels) { ShowSingle<frmPreferences>(form, labels); }
void ShowAutoSaveDialog(WindowServices& form) { ShowSingle<frmAutoSave>(form); }
void ShowAboutBox(ToolWindows& tools) { tools.openAboutBox(); }
void ShowScreenSaverSettings(WindowServices& form) { ShowSingle<frmScreenSaverSettings>(form); }
void ShowSecondView(ToolWindows& tools) { tools.openSecondView(); }

void ShowHelp(WindowServices& form, ToolWindows& tools) { Open(form, tools, BesideProgram("tutorials.html")); }
void ShowTutorials(WindowServices& form, ToolWindows& tools) { Open(form, tools, OnlineTutorials()); }

}  // namespace molvane
