#!/usr/bin/env bash
# A librarian's way to a report, on a virtual screen (Xvfb), driven with
# xdotool as a person would drive it: the program logs in to a demo server
# of its own, a visit is counted with a click, "Zestawienie" > "Statystyka"
# > "Odwiedziny w dniu" opens the parameter window, Enter confirms it, and
# the preview shows the computed report. Once over TCP and once over HTTPS.
# The server's record must show the form's values, and the program must end
# cleanly when its window is closed.
#
# Usage: report_path.sh BUILD_DIR [PICTURES_DIR]
# BUILD_DIR holds the built czytelnia, czytelnia-cli and nura-sim. With
# PICTURES_DIR the main window, the parameter window and the preview are
# photographed into it (czytelnia.png, parametry.png, zestawienie.png).
set -euo pipefail
build=$(cd "$1" && pwd)
pictures=${2:-}
program="$build/src/app/ui/czytelnia"
cli="$build/src/cli/czytelnia-cli"
sim="$build/tools/nura-sim/nura-sim"
work=$(mktemp -d)
# A sanitizer build checks for leaks at exit; see lsan.supp for what the
# X display adds that is not the program's.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "report_path: $*" >&2
  for log in "$work"/*.log; do echo "--- $log" >&2; tail -n 20 "$log" >&2; done
  exit 1
}

# Waits up to $1 seconds for a command to succeed.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
# The first shown window whose title has $1, other than the window $2.
visible_window() { xdotool search --onlyvisible --name "$1" | grep -vx "${2:-none}" | head -n 1; }
has_window() { [ -n "$(visible_window "$@")" ]; }
# Menus are windows of their own: counting the shown ones tells when a menu
# has opened, so that keys are not typed before it is there.
shown_windows() { xdotool search --onlyvisible --class czytelnia 2>/dev/null | wc -l; }
more_windows_than() { [ "$(shown_windows)" -gt "$1" ]; }

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"
# The windows go to that screen, whatever platform the other tests use.
export QT_QPA_PLATFORM=xcb

"$sim" --demo --data "$work/data" --port 0 --record "$work/record.txt" \
  >"$work/sim.out" 2>"$work/sim.log" &
pids+=($!)
wait_for 10 grep -q certificate "$work/sim.out" || fail "nura-sim did not start"
tcp=$(sed -n 's/^nura-sim: listening on 127.0.0.1:\([0-9]*\)$/\1/p' "$work/sim.out")
https=$(sed -n 's/^nura-sim: listening for HTTPS on 127.0.0.1:\([0-9]*\)$/\1/p' "$work/sim.out")

# The program with its own configuration and automatic login, so that
# nothing of the user's own settings is read or changed.
export XDG_CONFIG_HOME="$work/config"
run_once() {
  local name=$1 ip=$2 port=$3
  mkdir -p "$work/$name"
  cat >"$work/$name/czytelnia.ini" <<INI
[WYPOŻYCZALNIA]
ip=$ip
port=$port
nazwa=Biblioteka demonstracyjna
user=demo
tmp=%INI%tmp/

[HTTPS]
cafile=$work/data/nura-sim-cert.pem

[CZYTELNIA]
dy=40
dx=130
INI
  "$cli" autologin set --ip "$ip" --port "$port" --user demo --password demo >/dev/null
  local before
  before=$(grep -c '^100 3 i:1 ' "$work/record.txt" 2>/dev/null || true)
  "$program" "$work/$name/czytelnia.ini" >"$work/$name.log" 2>&1 &
  local program_pid=$!
  pids+=($program_pid)

  wait_for 30 has_window "Czytelnia G" || fail "$name: no reading-room window"
  local main
  main=$(visible_window "Czytelnia G")
  xdotool windowactivate --sync "$main" 2>/dev/null || true
  # The first category button of the panel, below the menu bar.
  xdotool mousemove --window "$main" 60 50 click 1
  [ -n "$pictures" ] && [ "$name" = tcp ] && import -window "$main" "$pictures/czytelnia.png"
  # "Zestawienie" is the second title of the menu bar; below its first
  # item, "Statystyka" opens the statistics' submenu.
  local windows
  windows=$(shown_windows)
  xdotool mousemove --window "$main" 110 10 click 1
  wait_for 10 more_windows_than "$windows" || fail "$name: the menu did not open"
  xdotool key Down Down Right
  wait_for 10 more_windows_than $((windows + 1)) || fail "$name: no submenu"
  xdotool key Return
  wait_for 20 has_window "Parametry zestawienia" || fail "$name: no parameter window"
  local parameters
  parameters=$(visible_window "Parametry zestawienia")
  [ -n "$pictures" ] && [ "$name" = tcp ] && import -window "$parameters" "$pictures/parametry.png"
  xdotool windowactivate --sync "$parameters" 2>/dev/null || true
  # The day field has the focus; today's date typed into its mask.
  xdotool type --delay 20 "$(date +%d%m%Y)"
  xdotool key Return
  # The preview takes the report's name as its title too.
  wait_for 20 has_window "Odwiedziny w dniu" "$parameters" || fail "$name: no preview"
  local preview
  preview=$(visible_window "Odwiedziny w dniu" "$parameters")
  [ -n "$pictures" ] && [ "$name" = tcp ] && import -window "$preview" "$pictures/zestawienie.png"

  local after
  after=$(grep -c '^100 3 i:1 ' "$work/record.txt" 2>/dev/null || true)
  [ "${after:-0}" -gt "${before:-0}" ] || fail "$name: the server computed no report"
  grep '^100 3 i:1 ' "$work/record.txt" | tail -n 1 | grep -q "DZIEN|$(date +%Y%m%d)|" ||
    fail "$name: the report was asked for without the form's values"

  # "Logowanie" > "Wyloguj", and the login window closed with Escape, ends
  # the program as it ends when a librarian does not log in again.
  # With no window manager on the virtual screen the preview may cover
  # the main window; a person would bring it to the front first.
  xdotool windowraise "$main"
  windows=$(shown_windows)
  xdotool mousemove --window "$main" 30 10 click 1
  wait_for 10 more_windows_than "$windows" || fail "$name: the login menu did not open"
  xdotool key Down Return
  wait_for 20 has_window "^czytelnia$" || fail "$name: no login window"
  xdotool key Escape
  wait_for 20 bash -c "! kill -0 $program_pid" || fail "$name: the program did not end"
  wait "$program_pid" || fail "$name: the program ended with an error"
  echo "report_path: $name passed"
}

run_once tcp 127.0.0.1 "$tcp"
run_once https "https://127.0.0.1:$https/nura" "$https"
