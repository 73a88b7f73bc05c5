// Fonts as the captions keep them: a family name (Latin-1), a size in points
// and four style flags. A size that is not a sane point size keeps the base
// font's size. And labels whose blanks were spaced for the design's font.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QString>
#include <algorithm>
#include <cmath>
#include <string>

#include "ui/text.h"

namespace molvane {

inline QFont MakeFont(QFont base, const std::string& family, float pointSize, bool bold, bool italic, bool strikeOut,
                      bool underline) {
  if (!family.empty()) {
    base.setFamily(Latin1(family));
  }
  if (std::isfinite(pointSize) && pointSize > 0 && pointSize < 2000) base.setPointSizeF(pointSize);
  base.setBold(bold);
  base.setItalic(italic);
  base.setStrikeOut(strikeOut);
  base.setUnderline(underline);
  return base;
}

// A label whose blanks set its words in columns (a legend under a row of
// buttons, headings over a row of boxes), in a font wider than the design's:
// the blanks narrow, never below one pixel, until the text fits the label;
// what still does not fit widens the label.
inline void FitSpacedText(QLabel* label) {
  QFont f = label->font();
  f.setWordSpacing(0);
  const QFontMetrics fm(f);
  const QString text = label->text();
  const auto blanks = text.count(' ');
  const int excess = fm.horizontalAdvance(text) - label->width();
  if (excess > 0 && blanks > 0) {
    const double narrower = std::ceil(static_cast<double>(excess) / static_cast<double>(blanks));
    f.setWordSpacing(-std::min(narrower, fm.horizontalAdvance(' ') - 1.0));
  }
  label->setFont(f);
  const int needed = QFontMetrics(f).horizontalAdvance(text);
  if (needed > label->width()) label->resize(needed, label->height());
}

}  // namespace molvane
