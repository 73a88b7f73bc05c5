#include "ui/text.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <algorithm>

namespace molvane {

QString Latin1(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string Latin1Bytes(const QString& text) {
  const QByteArray b = text.toLatin1();
  return std::string(b.constData(), static_cast<size_t>(b.size()));
}

bool FitsLatin1(const QString& text) {
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

std::string Latin1Problem(std::string_view field, const QString& text) {
  if (FitsLatin1(text)) return {};
  return std::string(field) +
         " holds a character the files cannot keep: only Latin-1 (Western European) letters and signs can be stored.";
}

std::string Latin1Problem(const std::vector<NamedText>& fields) {
  for (const NamedText& f : fields) {
    std::string problem = Latin1Problem(f.field, f.text);
    if (!problem.empty()) return problem;
  }
  return {};
}

std::string BoxText(const QLineEdit* box) { return Latin1Bytes(box->text()); }
std::string BoxText(const QComboBox* list) { return Latin1Bytes(list->currentText()); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(std::string_view bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace molvane
