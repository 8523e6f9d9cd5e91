#!/usr/bin/env bash
# The reading-room program against the demo library server, in one command:
# installs the Debian packages it needs, builds in release mode into
# build/release, starts the demo server (nura-sim --demo) on 127.0.0.1 in
# the background, writes the program's configuration for the demo catalog
# beside it, and starts czytelnia logged in as the demo librarian. Closing
# the window stops the server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display (DISPLAY and WAYLAND_DISPLAY are not set), so the" >&2
  echo "reading-room window cannot be shown. Run it on a virtual screen:" >&2
  echo "  sudo apt-get install xvfb && xvfb-run -a -s '-screen 0 1280x800x24' scripts/demo.sh" >&2
  echo "(scripts/screenshot.sh does that and takes a picture of the window)." >&2
  exit 1
fi

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZELVORAN_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target czytelnia czytelnia-cli nura-sim

program="$build/src/app/ui/czytelnia"
cli="$build/src/cli/czytelnia-cli"
data="$build/demo-data"
log="$build/nura-sim.log"
mkdir -p "$data"
"$build/tools/nura-sim/nura-sim" --demo --data "$data" --port 8000 --https-port 8443 \
  >"$build/nura-sim.out" 2>"$log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  grep -q 'certificate' "$build/nura-sim.out" 2>/dev/null && break
  kill -0 $server 2>/dev/null || { cat "$log" >&2; exit 1; }
  sleep 0.1
done

# The configuration beside the program: the demo catalog over TCP as the
# default, and the catalog menu behind "Zmień" in the login window with the
# same server over HTTPS, whose own certificate is trusted. The buttons are
# a little larger than the default 100 x 30, so the demo's longer category
# names fit on them.
cat >"$build/src/app/ui/czytelnia.ini" <<INI
[WYPOŻYCZALNIA]
ip=127.0.0.1
port=8000
nazwa=Biblioteka demonstracyjna
user=demo
tmp=%INI%tmp/

[GRUPA1]
nazwa=Demo

[KATALOG1a]
nazwa=Biblioteka demonstracyjna
ip=127.0.0.1
port=8000
user=demo

[KATALOG1b]
nazwa=Biblioteka demonstracyjna (HTTPS)
ip=https://127.0.0.1:8443/nura
port=8443
user=demo

[HTTPS]
cafile=$data/nura-sim-cert.pem

[CZYTELNIA]
dy=40
dx=130
INI

# The demo logs in automatically from settings of its own, so the user's
# own ~/.config is left alone.
export XDG_CONFIG_HOME="$build/demo-config"
"$cli" autologin set --ip 127.0.0.1 --port 8000 --user demo --password demo >/dev/null

echo "The demo server listens on 127.0.0.1:8000 (TCP) and https://127.0.0.1:8443/nura"
echo "and logs every request to $log. Users: demo/demo, anna/Żółw-1; zmiana/zmiana"
echo "must change the password. \"Logowanie\" > \"Wyloguj\" opens the login window."
# Forms find their pictures in the folder the program runs in, which holds
# the pictures the build puts beside the program.
cd "$(dirname "$program")"
"$program" "$build/src/app/ui/czytelnia.ini"
