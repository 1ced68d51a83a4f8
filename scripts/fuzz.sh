#!/usr/bin/env bash
# Builds the fuzz targets as libFuzzer programs (clang, with the address and
# undefined-behaviour sanitizers) and fuzzes each one for a bounded time on a
# copy of its committed corpus; the committed corpus is left as it is.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET] [BUILD_DIR]
#   SECONDS_PER_TARGET  default 60
#   BUILD_DIR           default build-fuzz in the repository
# A fault stops the run with the failing input saved under BUILD_DIR/fuzz-findings;
# add it to fuzz/corpus/<target> once mended, so that every build replays it.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${2:-$root/build-fuzz}
targets=(datafiles settings plancommand rostercsv)

"$root/scripts/install-missing.sh" clang-14 libclang-rt-14-dev cmake make qt6-base-dev \
    libgtest-dev libgmock-dev

# Everything the targets link is instrumented for coverage, and all of it runs
# under the sanitizers.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
    -DQUORVEL_SANITIZE=ON -DQUORVEL_FUZZ=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/quorvel-fuzz-}"

findings="$build/fuzz-findings"
mkdir -p "$findings"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
summary=()
for target in "${targets[@]}"; do
    mkdir -p "$work/$target"
    cp -R "$root/fuzz/corpus/$target/." "$work/$target/"
    log="$build/fuzz-$target.log"
    echo "== fuzzing $target for ${seconds} s"
    status=0
    # Data files are 2048 and 4096 bytes; longer inputs carry tails past them.
    max_len=()
    [ "$target" = datafiles ] && max_len=(-max_len=16384)
    "$build/fuzz/quorvel-fuzz-$target" -max_total_time="$seconds" -timeout=30 "${max_len[@]}" \
        -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        "$work/$target" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [ "$status" -eq 0 ]; then
        summary+=("$target: ${runs:-?} inputs in ${seconds} s ($((${runs:-0} / seconds)) per second), no fault")
    else
        failed=1
        summary+=("$target: FAULT after ${runs:-?} inputs (exit $status), see $log")
        tail -n 40 "$log"
    fi
done
printf '%s\n' "${summary[@]}"
exit "$failed"
