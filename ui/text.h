// File and folder names between Qt and the file code. The file code keeps a
// path as the system's own file-name bytes (UTF-8 on Linux); every window
// that hands a path to it, or shows one, converts here and nowhere else.
// Latin-1 is for what files hold, never for their names.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace molvane {

// A path (or a text made of fixed words and paths) as file-name bytes.
std::string PathBytes(const QString& path);
// File-name bytes as a path to show or to give to Qt.
QString PathText(std::string_view bytes);

}  // namespace molvane
