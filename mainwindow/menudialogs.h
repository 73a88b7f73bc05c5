// The settings dialogs and windows that the main window's menus open. Each
// shows its window modeless (one instance; a second call brings the open one
// to the front).
#pragma once

#include <QString>

namespace molvane {

class LabelBackColour;
class ToolWindows;
class WindowServices;

void ShowSetTimeDialog(WindowServices& form);                               // Time > Set Time...
void ShowPreferencesDialog(WindowServices& form, LabelBackColour& labels);  // Preferences...
void ShowAutoSaveDialog(WindowServices& form);                              // File > Auto Save...
void ShowAboutBox(ToolWindows& tools);                                      // Help > About...
// Help > Molvane Help...: the tutorials page "tutorials.html" beside the
// executable, in the desktop's browser.
void ShowHelp(WindowServices& form, ToolWindows& tools);
// Help > Molvane Online Help...: the online tutorials page.
void ShowTutorials(WindowServices& form, ToolWindows& tools);
// What the two say when the page cannot be shown: a local page that is not
// there, or no browser to show it.
QString MissingHelpPageText(const QString& page);
QString NoBrowserText(const QString& page);
void ShowSecondView(ToolWindows& tools);  // Beta > Show Form 2
void ShowScreenSaverSettings(WindowServices& form);

}  // namespace molvane
