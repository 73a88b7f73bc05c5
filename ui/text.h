// Texts between Qt and the program's tables, converted here and nowhere
// else. What the tables and the files hold (body names, captions, typed
// values, command lines) is Latin-1, one byte a character. File and folder
// names are the system's own bytes (UTF-8 on Linux): every window that hands
// a path to the file code, or shows one, goes through PathBytes/PathText.
// Latin-1 is for what files hold, never for their names.
#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

class QComboBox;
class QLineEdit;

namespace molvane {

// Latin-1 bytes of the tables as a Qt text.
QString Latin1(std::string_view bytes);
// A Qt text as Latin-1 bytes; a character Latin-1 lacks becomes '?'.
std::string Latin1Bytes(const QString& text);
// Whether Latin-1 holds every character of `text`, so that the tables and
// files keep it as typed rather than with a '?'.
bool FitsLatin1(const QString& text);
// The message that refuses a text Latin-1 cannot hold, beginning with the
// name of its field; empty when it fits.
std::string Latin1Problem(std::string_view field, const QString& text);
// The same for the first of several fields that fails.
struct NamedText {
  const char* field;
  QString text;
};
std::string Latin1Problem(const std::vector<NamedText>& fields);
// What a box or an editable list holds, as Latin-1 bytes.
std::string BoxText(const QLineEdit* box);
std::string BoxText(const QComboBox* list);

// A path (or a text made of fixed words and paths) as file-name bytes.
std::string PathBytes(const QString& path);
// File-name bytes as a path to show or to give to Qt.
QString PathText(std::string_view bytes);

}  // namespace molvane
