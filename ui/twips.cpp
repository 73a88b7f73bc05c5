#include "ui/twips.h"

#include <algorithm>
#include <cmath>

namespace molvane {

namespace {

int HeldPixels(double pixels) {
  return std::isfinite(pixels) ? static_cast<int>(std::clamp<double>(pixels, -MaxPixels, MaxPixels)) : 0;
}

}  // namespace

int PixelsOfTwips(double twips) { return NearestPixel(twips / TwipsPerPixel); }

int NearestPixel(double pixels) { return HeldPixels(std::round(pixels)); }

int WholePixelsOfTwips(double twips) { return HeldPixels(twips / TwipsPerPixel); }

bool TwipsInRange(double twips) { return std::isfinite(twips) && std::fabs(twips / TwipsPerPixel) < MaxPixels; }

QRect TwipsRect(double left, double top, double width, double height) {
  return QRect(PixelsOfTwips(left), PixelsOfTwips(top), std::max(PixelsOfTwips(width), 0),
               std::max(PixelsOfTwips(height), 0));
}

}  // namespace molvane
