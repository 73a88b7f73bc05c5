// The screen-saver settings file "molvss.ini" in the per-user data folder:
// one situation file and whether the screen saver always starts from it or
// continues where it last stopped.
#pragma once

#include <string>

namespace molvane {

struct ScreenSaverSettings {
  std::string path;       // the start-up situation file
  bool alwaysUse = true;  // false: continue from "resumess.molv"
};

// The file's text: path, "True"/"False", then "rffu 1" to "rffu 20", each
// line ended by CR LF.
std::string ScreenSaverSettingsText(const ScreenSaverSettings& s);
// Lines 1 and 2 of the file's text; false when there is no first line.
bool ParseScreenSaverSettings(const std::string& text, ScreenSaverSettings& out);
// The settings in the file at `path`; false (out unchanged) when it cannot
// be read or has no first line.
bool ReadScreenSaverSettingsFile(const std::string& path, ScreenSaverSettings& out);

}  // namespace molvane
