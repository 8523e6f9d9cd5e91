#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test with CTest; then builds the thread tests (label "tsan") with
# ThreadSanitizer and runs them again; last, builds the program's tools in
# release mode. Installs the Debian packages it needs first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/test"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZELVORAN_SANITIZE=ON \
      -DZELVORAN_BENCH=ON
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2

tsan="$root/build/tsan"
cmake -S "$root" -B "$tsan" -DCMAKE_BUILD_TYPE=Debug -DZELVORAN_TSAN=ON
cmake --build "$tsan" -j2 --target zelvoran_client_tests zelvoran_e2e_tests nura-sim
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  ctest --test-dir "$tsan" --output-on-failure -j2 -L tsan

# The optimiser finds warnings that a debug build does not: build what the
# run command (scripts/demo.sh) builds, in release mode, so that it keeps
# building.
release="$root/build/release"
cmake -S "$root" -B "$release" -DCMAKE_BUILD_TYPE=Release -DZELVORAN_TESTS=OFF
cmake --build "$release" -j2 --target czytelnia czytelnia-cli nura-sim
