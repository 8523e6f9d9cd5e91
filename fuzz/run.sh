#!/usr/bin/env bash
# Runs every fuzz harness under libFuzzer (clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer) for SECONDS each, two at a time.
#   fuzz/run.sh [SECONDS]      (default 60)
# New inputs go to a scratch folder; the seeds in fuzz/corpus stay as they
# are. A crashing input is kept in fuzz/artifacts/ and the script fails.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$root/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZELVORAN_FUZZ=ON -DZELVORAN_SANITIZE=ON -DZELVORAN_TESTS=OFF >/dev/null
cmake --build "$build" -j2

mkdir -p "$root/fuzz/artifacts"
harnesses=$(cd "$root/fuzz" && ls ./*_fuzz.cpp | sed 's|^\./||; s|\.cpp$||')

run_one() {
    name=$1
    mkdir -p "$scratch/$name"
    if "$build/fuzz/$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
           -print_final_stats=1 -artifact_prefix="$root/fuzz/artifacts/$name-" \
           "$scratch/$name" "$root/fuzz/corpus/$name" >"$scratch/$name.log" 2>&1; then
        echo "$name: $(grep -E 'stat::number_of_executed_units' "$scratch/$name.log" |
                        awk '{print $2}') runs, nothing found"
    else
        echo "$name: FAILED"
        tail -n 40 "$scratch/$name.log"
        return 1
    fi
}
export -f run_one
export build root scratch seconds
echo "$harnesses" | xargs -P 2 -I{} bash -c 'run_one {}'
