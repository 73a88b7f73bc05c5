#!/bin/sh
# Installs what Molvane needs on Debian 12, builds it, and then either starts
# the program or runs the tests.
#   sh setup.sh run [situation.molv]   build and start Molvane
#   sh setup.sh test                   build and run all tests
#   sh setup.sh bench                  build and run the benchmarks
set -e
cd "$(dirname "$0")"
top=$(pwd)
mode=${1:-run}
[ $# -gt 0 ] && shift

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

PACKAGES="cmake ninja-build g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev"
# The window-place tests start their own X server and window manager.
PACKAGES="$PACKAGES xvfb openbox libxcb1-dev"
# The proofs of the force loop's divisions on the FMA units are checked by Gappa.
PACKAGES="$PACKAGES gappa"
missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi

jobs=$(nproc 2>/dev/null || echo 2)
# MOLVANE_WERROR=ON in the environment turns warnings into errors (CI does).
werror="-DMOLVANE_WERROR=${MOLVANE_WERROR:-OFF}"
build="$top/build"

case "$mode" in
  run)
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMOLVANE_TESTS=OFF
    cmake --build "$build" -j "$jobs"
    situation=${1:-"$top/examples/inner-planets.molv"}
    exec "$build/bin/molvane" "$situation"
    ;;
  test)
    cmake -S "$top" -B "$build-tests" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOLVANE_TESTS=ON "$werror"
    cmake --build "$build-tests" -j "$jobs"
    # A short fuzzing run of the file readers (skipped without clang): 20000
    # runs, or one minute when the large inputs make them slower.
    MOLVANE_FUZZ_SECONDS=60 sh scripts/fuzz.sh 20000
    cd "$build-tests"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
    ;;
  bench)
    cmake -S "$top" -B "$build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMOLVANE_TESTS=OFF -DMOLVANE_BENCH=ON
    cmake --build "$build-bench" -j "$jobs"
    "$build-bench/bin/molvane_bench" "$@"
    ;;
  *)
    echo "usage: sh setup.sh run [file.molv] | test | bench" >&2
    exit 2
    ;;
esac
