// Writes a situation at every table limit (examples/fullsituation.h): 1000
// bodies, 100 distance boxes, 100 orbit boxes, 100 thrust panels, 1000
// autopilot entries and 4 captions; with --bodies-only the same bodies and
// autopilot list without the boxes and captions.
//
//   molvane_make_full [--bodies-only] <output path>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "examples/fullsituation.h"
#include "files/fileshost.h"
#include "files/situationfile.h"

int main(int argc, char** argv) {
  using namespace molvane;
  const bool bodiesOnly = argc == 3 && std::string(argv[1]) == "--bodies-only";
  if (argc != 2 && !bodiesOnly) {
    std::fprintf(stderr, "usage: %s [--bodies-only] <output path>\n", argv[0]);
    return 2;
  }
  auto s = std::make_unique<State>();
  FillFullSituation(*s, !bodiesOnly);
  ConsoleSaveHost quiet;
  const std::string path = std::filesystem::absolute(argv[argc - 1]).string();
  if (!WriteSituationFile(*s, quiet, path)) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    return 1;
  }
  return 0;
}
