#include "ui/text.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>

namespace molvane {

QString Latin1(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string Latin1Bytes(const QString& text) {
  const QByteArray b = text.toLatin1();
  return std::string(b.constData(), static_cast<size_t>(b.size()));
}

std::string BoxText(const QLineEdit* box) { return Latin1Bytes(box->text()); }
std::string BoxText(const QComboBox* list) { return Latin1Bytes(list->currentText()); }

std::string PathBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString PathText(std::string_view bytes) {
  return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

}  // namespace molvane
