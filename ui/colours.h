// The one place where stored colour values (0x00BBGGRR, red in the low
// byte) become Qt colours and canvas pixels.
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>
#include <cstdint>

namespace molvane {

inline QColor ColourFromValue(int32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

// A Qt colour back to the stored value (alpha dropped).
inline int32_t ValueFromColour(const QColor& c) {
  return static_cast<int32_t>((c.red() & 0xFF) | ((c.green() & 0xFF) << 8) | ((c.blue() & 0xFF) << 16));
}

// A pixel of the RGB32 canvas (0xFFRRGGBB).
inline uint32_t PixelFromValue(int32_t v) {
  const uint32_t r = static_cast<uint32_t>(v) & 0xFFu;
  const uint32_t g = (static_cast<uint32_t>(v) >> 8) & 0xFFu;
  const uint32_t b = (static_cast<uint32_t>(v) >> 16) & 0xFFu;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// A widget's background (a swatch, a caption label) in a stored colour.
inline void SetBackColour(QWidget* w, int32_t v) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, ColourFromValue(v));
  w->setPalette(p);
}

}  // namespace molvane
