#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, and runs every test:
#   1. the unit tests again in a build with AddressSanitizer and UndefinedBehaviorSanitizer,
#   2. the fuzz targets of the file readers and the database check, 60 seconds each (FUZZ_SECONDS to change),
#   3. the Release build and every test, last, so its summary closes the output.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup-deps.sh
./tools/check-format.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== sanitizer build"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBELLARUNE_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -E 'e2e'

echo "== fuzzing"
./tools/run-fuzzers.sh "${FUZZ_SECONDS:-60}"

echo "== release build and every test"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
