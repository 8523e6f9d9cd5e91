#!/usr/bin/env bash
# Builds the program's tools in release mode into build/release and shows the
# command-line tool's help. Installs the Debian packages it needs first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZELVORAN_TESTS=OFF
cmake --build "$build" -j2 --target czytelnia-cli
"$build/src/cli/czytelnia-cli" --help
