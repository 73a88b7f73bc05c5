// Writes a situation at every table limit (examples/fullsituation.h): 1000
// bodies, 100 distance boxes, 100 orbit boxes, 100 thrust panels, 1000
// autopilot entries and 4 captions; with --bodies-only the same bodies and
// autopilot list without the boxes and captions; with --merging 200 pairs of
// the bodies merge one after another once it runs.
//
//   molvane_make_full [--bodies-only] [--merging] <output path>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "examples/fullsituation.h"
#include "files/fileshost.h"
#include "files/situationfile.h"

int main(int argc, char** argv) {
  using namespace molvane;
  bool bodiesOnly = false, merging = false;
  int i = 1;
  for (; i < argc - 1; ++i) {
    const std::string_view option = argv[i];
    if (option == "--bodies-only") {
      bodiesOnly = true;
    } else if (option == "--merging") {
      merging = true;
    } else {
      break;
    }
  }
  if (i != argc - 1) {
    std::fprintf(stderr, "usage: %s [--bodies-only] [--merging] <output path>\n", argv[0]);
    return 2;
  }
  auto s = std::make_unique<State>();
  FillFullSituation(*s, !bodiesOnly);
  if (merging) MakePairsMerge(*s);
  ConsoleSaveHost quiet;
  const std::string path = std::filesystem::absolute(argv[argc - 1]).string();
  if (!WriteSituationFile(*s, quiet, path)) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    return 1;
  }
  return 0;
}
