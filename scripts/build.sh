#!/usr/bin/env bash
# Builds the program's tools in release mode into build/release, starts the
# demo library server on port 8000 and shows a librarian's first exchange with
# it through the command-line tool; the server then keeps running until
# Ctrl+C. Installs the Debian packages it needs first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZELVORAN_TESTS=OFF
cmake --build "$build" -j2 --target czytelnia-cli nura-sim

cli="$build/src/cli/czytelnia-cli"
data="$build/demo-data"
log="$build/nura-sim.log"
"$build/tools/nura-sim/nura-sim" --demo --data "$data" --port 8000 2>"$log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null || true' EXIT
sleep 1

login=(--address 127.0.0.1 --port 8000 --user demo --password demo)
echo "== the catalog the demo server describes (reports, indexes ...):"
"$cli" catalog "${login[@]}" | grep -E '^(generation|report|index|filter-report)'
echo "== visits 'Na miejscu' (type CZO) today, then one more:"
"$cli" visits "${login[@]}" count CZO
"$cli" visits "${login[@]}" add CZO 1
login+=(--service czytelnia)
echo "== report 1 into $build/report.tmp:"
"$cli" call "${login[@]}" ReportProcedure 1 'DZIEN|20261208|' "$build/report.tmp"
https=(--address https://127.0.0.1:8443/nura --cafile "$data/nura-sim-cert.pem"
       --user demo --password demo --service czytelnia)
echo "== the same count over HTTPS, trusting the demo server's own certificate:"
"$cli" visits "${https[@]}" count CZO
echo
echo "The demo server keeps its data in $data, listens on 127.0.0.1:8000"
echo "(TCP) and https://127.0.0.1:8443/nura (HTTPS), and logs every request"
echo "to $log."
echo "Try: $cli visits ${login[*]} count CZW"
echo "Ctrl+C stops it."
wait $server
