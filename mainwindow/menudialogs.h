// The settings dialogs and windows that the main window's menus open. Each
// shows its window modeless (one instance; a second call brings the open one
// to the front).
#pragma once

#include <QString>

namespace molvane {

class Form1;

void ShowSetTimeDialog(Form1& form);      // Time > Set Time...
void ShowPreferencesDialog(Form1& form);  // Preferences...
void ShowAutoSaveDialog(Form1& form);     // File > Auto Save...
void ShowAboutBox(Form1& form);           // Help > About...
// Help > Molvane Help...: the tutorials page "tutorials.html" beside the
// executable, in the desktop's browser.
void ShowHelp(Form1& form);
// Help > Molvane Online Help...: the online tutorials page.
void ShowTutorials(Form1& form);
// What the two say when the page cannot be shown: a local page that is not
// there, or no browser to show it.
QString MissingHelpPageText(const QString& page);
QString NoBrowserText(const QString& page);
void ShowSecondView(Form1& form);  // Beta > Show Form 2
void ShowScreenSaverSettings(Form1& form);

}  // namespace molvane
