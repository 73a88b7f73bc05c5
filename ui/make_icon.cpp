// Writes the program's icon as a PNG file of the given size, for the
// desktop's icon theme:
//
//   molvane_make_icon <output path> <size in pixels>
#include <cstdio>
#include <cstdlib>

#include "ui/icon.h"

int main(int argc, char** argv) {
  const int size = argc == 3 ? std::atoi(argv[2]) : 0;
  if (size < 1 || size > 1024) {
    std::fprintf(stderr, "usage: %s <output path> <size in pixels, 1 to 1024>\n", argv[0]);
    return 2;
  }
  if (!molvane::MolvaneIconImage(size).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
