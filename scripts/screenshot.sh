#!/usr/bin/env bash
# Makes the README's pictures of the program against the demo server:
# docs/czytelnia.png (the reading-room window), docs/parametry.png (the
# parameter window of "Odwiedziny w dniu") and docs/zestawienie.png (the
# computed report in the preview). Builds in release mode as scripts/demo.sh
# does, then runs the scripted way to a report (tests/gui/report_path.sh) on
# a virtual screen and photographs each window on the way.
# Needs xvfb, xdotool and imagemagick (installed when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="${1:-$root/docs}"
build="$root/build/release"

packages=(xvfb xdotool imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZELVORAN_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target czytelnia czytelnia-cli nura-sim
mkdir -p "$out"
"$root/tests/gui/report_path.sh" "$build" "$out"
echo "wrote $out/czytelnia.png, $out/parametry.png and $out/zestawienie.png"
