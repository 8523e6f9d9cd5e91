#!/usr/bin/env bash
# The visit soak test: builds the soak program and the simulator in release
# mode, starts the simulator dropping connections at random, and registers
# visits through it over TCP, HTTPS or both.
#
#   tests/soak/run.sh [--transport tcp|https|both] [--drop N] [--seed S]
#                     [--registrations N] [--only-registrations] [--build DIR]
#
# --drop N drops a request with probability 1/N (default 1000), --seed S makes
# the drops repeatable (default 1), --only-registrations drops registrations
# only (not the greetings, logins and counts around them). Besides the soak
# program's own check, the simulator's log tells how many registrations were
# dropped after being carried out; the server's count must be exactly the
# successful ones plus those, and those can be no more than the uncertain ones.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/soak"
transport=tcp
drop=1000
seed=1
registrations=100000
fault=()
while [ $# -gt 0 ]; do
    case "$1" in
    --transport) transport=$2; shift 2 ;;
    --drop) drop=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    --registrations) registrations=$2; shift 2 ;;
    --only-registrations) fault=(--fault-request "151 73"); shift ;;
    --build) build=$2; shift 2 ;;
    *) sed -n '2,15p' "$0" >&2; exit 2 ;;
    esac
done
case "$transport" in
tcp) transports=(tcp) ;;
https) transports=(https) ;;
both) transports=(tcp https) ;;
*) echo "unknown transport $transport" >&2; exit 2 ;;
esac

cmake -S "$root/tests/soak" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target zelvoran_visit_soak nura-sim >/dev/null
soak="$build/zelvoran_visit_soak"

work=$(mktemp -d)
data="$work/data"
"$build/zelvoran/tools/nura-sim/nura-sim" --demo --data "$data" --port 0 \
    --drop-random "$drop" --seed "$seed" "${fault[@]}" >"$work/ports" 2>"$work/sim.log" &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    grep -qs 'certificate' "$work/ports" && break
    sleep 0.1
done
port=$(sed -n 's/.*listening on 127\.0\.0\.1:\([0-9]*\)/\1/p' "$work/ports")
https_port=$(sed -n 's/.*listening for HTTPS on 127\.0\.0\.1:\([0-9]*\)/\1/p' "$work/ports")
if [ -z "$port" ] || [ -z "$https_port" ]; then
    echo "nura-sim did not start:" >&2
    cat "$work/sim.log" >&2
    exit 1
fi
echo "nura-sim: drops 1 in $drop requests, seed $seed${fault:+, registrations only}"

failed=0
for t in "${transports[@]}"; do
    type="SOAK${t^^}"
    if [ "$t" = tcp ]; then
        where=(--address 127.0.0.1 --port "$port")
    else
        where=(--address "https://127.0.0.1:$https_port/nura" --cafile "$data/nura-sim-cert.pem")
    fi
    echo "== $t"
    if ! "$soak" "${where[@]}" --type "$type" --registrations "$registrations" \
        --registry "$data/registry.json" | tee "$work/$t.out"; then
        failed=1
        continue
    fi
    succeeded=$(awk '$1 == "succeeded" { print $2 }' "$work/$t.out")
    uncertain=$(awk '$1 == "uncertain" { print $2 }' "$work/$t.out")
    counted=$(sed -n 's/^server count .*(+\([0-9]*\))$/\1/p' "$work/$t.out")
    # Only the drops after the count went up; a refused registration is
    # "carried out" too.
    after=$(grep -c "151 73 s:\"$type\" i:1 -> dropped after carrying it out ($type now" \
        "$work/sim.log" || true)
    before=$(grep -c "151 73 s:\"$type\" i:1 -> dropped before carrying it out" "$work/sim.log" || true)
    echo "simulator log   $before registrations dropped before, $after after counting them"
    if [ "$counted" -ne $((succeeded + after)) ] || [ "$after" -gt "$uncertain" ]; then
        echo "VIOLATION: counted $counted, expected $succeeded + $after, with $after <= $uncertain"
        failed=1
    fi
done
exit $failed
