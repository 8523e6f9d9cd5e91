#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test with CTest. Installs the Debian packages it needs first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/test"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DZELVORAN_SANITIZE=ON \
      -DZELVORAN_BENCH=ON
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2
