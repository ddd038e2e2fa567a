#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a given time.
#
#   scripts/fuzz.sh [-b] [-j N] SECONDS [TARGET...]
#
#   SECONDS  how long each target runs
#   TARGET   form_reader, registry_reader, ini_reader, input_script (default: all of them)
#   -b       run in the background and return at once; the run's log is build/fuzz/logs/run.log
#   -j N     how many targets run at the same time (default 1)
#
# Each target's corpus grows in fuzz/corpus-<target> (git-ignored), starting from
# fuzz/seeds/<target>; its output goes to build/fuzz/logs/<target>.log and what it finds
# (crash-*, leak-*, timeout-*) to build/fuzz/findings/<target>/. FUZZ_NICE=19 runs the fuzzers
# at the lowest priority. Installs clang with apt-get when it is missing. The exit status is
# non-zero when a target found something.
set -euo pipefail
cd "$(dirname "$0")/.."

ALL_TARGETS=(form_reader registry_reader ini_reader input_script)
BUILD=build/fuzz
background=0
jobs=1
while getopts "bj:" opt; do
    case $opt in
    b) background=1 ;;
    j) jobs=$OPTARG ;;
    *) sed -n '2,/^set -euo/p' "$0" | sed '$d'; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [[ $# -lt 1 || ! $1 =~ ^[0-9]+$ ]]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d'
    exit 2
fi
seconds=$1
shift
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=("${ALL_TARGETS[@]}")
for t in "${targets[@]}"; do
    [[ " ${ALL_TARGETS[*]} " == *" $t "* ]] || { echo "unknown target: $t" >&2; exit 2; }
done

if [[ $background == 1 ]]; then
    mkdir -p "$BUILD/logs"
    nohup "$0" -j "$jobs" "$seconds" "${targets[@]}" >"$BUILD/logs/run.log" 2>&1 &
    echo "fuzzing in the background (pid $!); log: $BUILD/logs/run.log"
    exit 0
fi

if ! command -v clang++ >/dev/null; then
    sudo=""
    [[ $(id -u) == 0 ]] || sudo=sudo
    $sudo apt-get update
    $sudo apt-get install -y clang
fi

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Optimised a little for speed, but with assertions and debug information for the reports.
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE= -DCMAKE_C_FLAGS="-O1 -g" \
    -DCMAKE_CXX_FLAGS="-O1 -g" -DLINDORA_FUZZ=ON -DLINDORA_TESTS=OFF -DLINDORA_BENCH=OFF -DLINDORA_GTK=OFF \
    "${launcher[@]}" >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

run_target() {
    local t=$1 rc=0
    mkdir -p "fuzz/corpus-$t" "$BUILD/findings/$t" "$BUILD/logs"
    nice -n "${FUZZ_NICE:-0}" "$BUILD/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 \
        -dict="fuzz/$t.dict" -artifact_prefix="$BUILD/findings/$t/" -print_final_stats=1 \
        "fuzz/corpus-$t" "fuzz/seeds/$t" >"$BUILD/logs/$t.log" 2>&1 || rc=$?
    echo "$rc" >"$BUILD/logs/$t.status"
}

for t in "${targets[@]}"; do
    rm -f "$BUILD/logs/$t.status"
    while [[ $(jobs -rp | wc -l) -ge $jobs ]]; do wait -n || true; done
    echo "$(date +%T) $t: running for ${seconds}s, log $BUILD/logs/$t.log"
    run_target "$t" &
done
wait
status=0
for t in "${targets[@]}"; do
    if [[ $(cat "$BUILD/logs/$t.status" 2>/dev/null) == 0 ]]; then
        echo "$t: nothing found"
    else
        echo "$t: FOUND A FAULT, see $BUILD/logs/$t.log and $BUILD/findings/$t/"
        status=1
    fi
    grep -E "^#[0-9]+.*DONE|stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)" \
        "$BUILD/logs/$t.log" | sed "s/^/    /" || true
done
exit $status
