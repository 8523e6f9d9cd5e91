#!/usr/bin/env bash
# Makes docs/czytelnia.png, the README's picture of the reading-room window:
# runs scripts/demo.sh on a virtual screen (Xvfb), waits for the window to
# show the demo layout, photographs it and closes everything again.
# Needs xvfb, x11-utils and imagemagick (installed when missing).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="${1:-$root/docs/czytelnia.png}"

packages=(xvfb x11-utils imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

display=:97
Xvfb $display -screen 0 1024x768x24 -nolisten tcp &
xvfb=$!
demo=""
cleanup() {
  [ -n "$demo" ] && pkill -TERM -P "$demo" 2>/dev/null || true
  [ -n "$demo" ] && wait "$demo" 2>/dev/null || true
  kill $xvfb 2>/dev/null || true
}
trap cleanup EXIT
export DISPLAY=$display
sleep 1

"$root/scripts/demo.sh" &
demo=$!
# The caption gets the reading room's name once the layout is built.
window=""
# The demo builds first, which on a fresh clone takes a while.
for _ in $(seq 4800); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Czytelnia G/ {print $1; exit}')
  [ -n "$window" ] && break
  kill -0 $demo 2>/dev/null || { echo "the demo ended before its window appeared" >&2; exit 1; }
  sleep 0.5
done
[ -n "$window" ] || { echo "no reading-room window after 40 minutes" >&2; exit 1; }
sleep 2 # the counts are read and painted
mkdir -p "$(dirname "$out")"
import -window "$window" "$out"
echo "wrote $out"
