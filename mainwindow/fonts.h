// Fonts as the captions keep them: a family name (Latin-1), a size in points
// and four style flags. A size that is not a sane point size keeps the base
// font's size.
#pragma once

#include <QFont>
#include <QString>
#include <cmath>
#include <string>

namespace molvane {

inline QFont MakeFont(QFont base, const std::string& family, float pointSize, bool bold,
                      bool italic, bool strikeOut, bool underline) {
  if (!family.empty()) {
    base.setFamily(QString::fromLatin1(family.data(), static_cast<qsizetype>(family.size())));
  }
  if (std::isfinite(pointSize) && pointSize > 0 && pointSize < 2000) base.setPointSizeF(pointSize);
  base.setBold(bold);
  base.setItalic(italic);
  base.setStrikeOut(strikeOut);
  base.setUnderline(underline);
  return base;
}

}  // namespace molvane
