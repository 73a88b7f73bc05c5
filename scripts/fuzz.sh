#!/bin/sh
# Builds the situation-file fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it from the test files as seeds.
#   scripts/fuzz.sh            20000 runs
#   scripts/fuzz.sh 1000000    a longer run; -1 runs until stopped
# New inputs go to build-fuzz/fuzz-corpus, a crashing input to
# build-fuzz/crash-*; turn each crash into a test under tests/files/.
set -e
cd "$(dirname "$0")/.."
RUNS="${1:-20000}"
BUILD="${MOLVANE_FUZZ_BUILD:-build-fuzz}"
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ not found, fuzzing skipped"
  exit 0
fi
# clang without its libFuzzer runtime cannot build the target: skip then too.
probe=$(mktemp -d)
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' > "$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" >/dev/null 2>&1; then
  rm -rf "$probe"
  echo "fuzz.sh: clang++ has no libFuzzer runtime, fuzzing skipped"
  exit 0
fi
rm -rf "$probe"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOLVANE_GUI=OFF -DMOLVANE_TESTS=OFF -DMOLVANE_FUZZ=ON \
  "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" >/dev/null
cmake --build "$BUILD" --target files_fuzz files_fuzz_seed
mkdir -p "$BUILD/fuzz-corpus" "$BUILD/fuzz-seeds"
# A seed at the limits of the tables (1000 bodies, 100 boxes and panels,
# 1000 autopilot entries), and inputs allowed to grow to its size and past.
"$BUILD/bin/files_fuzz_seed" "$BUILD/fuzz-seeds/limits.molv"
MAX_LEN=1048576
# MOLVANE_FUZZ_SECONDS also ends the run after that many seconds (0: never).
"$BUILD/bin/files_fuzz" -runs="$RUNS" -max_len="$MAX_LEN" -max_total_time="${MOLVANE_FUZZ_SECONDS:-0}" \
  -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$BUILD/" \
  "$BUILD/fuzz-corpus" tests/files/data "$BUILD/fuzz-seeds"
