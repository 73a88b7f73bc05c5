#include "ui/text.h"

#include <QFile>

namespace molvane {

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(std::string_view bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace molvane
