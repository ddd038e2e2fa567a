#!/usr/bin/env bash
# Start-up figures, measured in pairs: the bare GTK window with a WebKit view (A) and Lindora
# (B) are started one after the other, A B A B ..., and each pair gives Lindora's time as a
# ratio of the bare window's. Reported: the median of the per-pair ratios with their spread
# (quartiles and extremes), for
#   - the start page loaded (the goal: at most 1.05),
#   - the memory (PSS, /proc/<pid>/smaps_rollup) of all the program's processes at that moment,
#     WebKit's web and network processes included,
# and Lindora's toolbar first painted against the bare window's first frame (difference in ms),
# plus the median time of every start-up moment of each program.
#
# Each program writes its own moments to $LINDORA_STARTUP_PROBE as "<MOMENT> <ms>", the time
# since the kernel started the process (TOOLKIT: the toolkit is up; NAVIGATE: the page load
# started; PAINTED: the first frame, Lindora's with its toolbar; LOADED: the page has loaded),
# so that this loop, which only waits for the file, does not stretch the figures. The kernel
# keeps a process's start time in clock ticks (usually 10 ms). Each line also carries the
# processor time the program's user-interface process had used by then: unlike the wall-clock
# times it hardly moves when other work shares the machine.
#
#   bench/startup/measure.sh [--pairs N] [--accel never|always|on-demand]
#                            [--app PATH] [--bare PATH] [--page PATH]
#
# Without a display it starts its own Xvfb. The first pair warms the page cache and is not
# counted.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
pairs=20
accel=never
app="$root/build/release/src/app/lindora"
bare="$root/build/release/bench/startup/bare_webview"
page="$root/src/app/index.htm"
limit=60  # seconds one start may take before the run counts as failed

while [ $# -gt 0 ]; do
  case "$1" in
    --pairs) pairs=$2; shift 2 ;;
    --accel) accel=$2; shift 2 ;;
    --app) app=$2; shift 2 ;;
    --bare) bare=$2; shift 2 ;;
    --page) page=$2; shift 2 ;;
    -h|--help) sed -n '2,26p' "$0"; exit 0 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
case "$pairs" in ''|*[!0-9]*|0) echo "--pairs needs a positive number" >&2; exit 2 ;; esac
case "$accel" in never|always|on-demand) ;; *) echo "--accel takes never, always or on-demand" >&2; exit 2 ;; esac
[ -f "$page" ] || { echo "no page: $page" >&2; exit 1; }
[ -x "$bare" ] || { echo "bare webview not built: $bare (configure with -DLINDORA_BENCH=ON, build the target bare_webview)" >&2; exit 1; }
[ -x "$app" ] || { echo "lindora not built: $app" >&2; exit 1; }

xvfb_pid=""
work=$(mktemp -d)
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  exec 3<> "$work/displayfd"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  n=""
  for _ in $(seq 300); do
    n=$(head -n1 "$work/displayfd" 2>/dev/null || true)
    [ -n "$n" ] && break
    sleep 0.1
  done
  [ -n "${n:-}" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$n"
fi
export NO_AT_BRIDGE=1
# Runs keep their settings to themselves, never in the user's store.
export LINDORA_REGISTRY_DIR="${LINDORA_REGISTRY_DIR:-$work/registry}"
mkdir -p "$LINDORA_REGISTRY_DIR"

# All processes descended from $1, itself included (a process name may hold spaces and
# parentheses, so the fields are taken after the last ")").
descendants() {
  cat /proc/[0-9]*/stat 2>/dev/null | sed 's/^\([0-9]*\) (.*) [A-Za-z] \([0-9]*\) .*/\1 \2/' |
    awk -v root="$1" '{ parent[$1] = $2 } END {
      keep[root] = 1; grew = 1
      while (grew) { grew = 0; for (p in parent) if (!(p in keep) && (parent[p] in keep)) { keep[p] = 1; grew = 1 } }
      for (p in keep) printf "%s ", p }'
}

# Summed PSS in KiB of the given processes.
pss_kib() {
  local sum=0 v
  for pid in "$@"; do
    v=$(awk '/^Pss:/ {print $2}' "/proc/$pid/smaps_rollup" 2>/dev/null || true)
    sum=$((sum + ${v:-0}))
  done
  echo $sum
}

# One start: waits for LOADED, takes the memory, ends the program. Prints the probe's lines
# and "PSS <KiB>", or "fail".
one_run() {
  local probe="$work/probe" start pid procs
  rm -f "$probe"; : > "$probe"
  start=$SECONDS
  LINDORA_STARTUP_PROBE="$probe" "$@" </dev/null >/dev/null 2>&1 &
  pid=$!
  while ! grep -q '^LOADED ' "$probe" 2>/dev/null; do
    if ! kill -0 "$pid" 2>/dev/null || [ $((SECONDS - start)) -ge $limit ]; then
      kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
      echo fail; return
    fi
    sleep 0.05
  done
  procs=$(descendants "$pid")
  echo "PSS $(pss_kib $procs)"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  settle $procs
  cat "$probe"
}

# Waits (5 s at most) until the given processes have gone: WebKit's web and network processes
# end after the program that started them, and the next start must not share the machine with
# their exit.
settle() {
  local left
  for _ in $(seq 100); do
    left=0
    for p in "$@"; do [ -d "/proc/$p" ] && left=1 && break; done
    [ "$left" = 0 ] && return
    sleep 0.05
  done
}

# "<quantity>" lines on stdin -> "median q1 q3 min max" (nearest-rank quartiles).
spread() {
  sort -g | awk '{a[NR]=$1} END {
    if (NR == 0) { print "- - - - -"; exit }
    m = (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2
    q1 = a[int((NR+3)/4)]; q3 = a[int((3*NR+3)/4)]
    printf "%.3f %.3f %.3f %.3f %.3f\n", m, q1, q3, a[1], a[NR] }'
}

value() { awk -v k="$1" '$1 == k { print $2; exit }' <<< "$2"; }
cpu() { awk -v k="$1" '$1 == k { print ($3 == "" ? "-" : $3); exit }' <<< "$2"; }

echo "page: $page; display $DISPLAY; accel $accel; $pairs pairs (A: bare webview, B: lindora), after one warm-up pair"
results="$work/pairs"; : > "$results"
for i in $(seq 0 "$pairs"); do
  a=$(one_run "$bare" --accel "$accel" "$page")
  b=$(one_run env LINDORA_WEB_ACCELERATION="$accel" "$app" --platform gtk)
  if [ "$a" = fail ] || [ "$b" = fail ]; then echo "  pair $i: a start failed" >&2; continue; fi
  [ "$i" = 0 ] && continue
  echo "$(value LOADED "$a") $(value LOADED "$b") $(value PSS "$a") $(value PSS "$b")" \
       "$(value PAINTED "$a") $(value PAINTED "$b") $(value NAVIGATE "$a") $(value NAVIGATE "$b")" \
       "$(value TOOLKIT "$a") $(value TOOLKIT "$b")" \
       "$(cpu PAINTED "$a") $(cpu PAINTED "$b") $(cpu LOADED "$a") $(cpu LOADED "$b")" >> "$results"
done
n=$(wc -l < "$results")
[ "$n" -gt 0 ] || { echo "no pair completed" >&2; exit 1; }

row() {  # label, awk expression over the columns, unit
  read -r m q1 q3 lo hi <<< "$(awk "{ print $2 }" "$results" | spread)"
  printf '%-44s median %8s  quartiles %s..%s  range %s..%s%s\n' "$1" "$m" "$q1" "$q3" "$lo" "$hi" "$3"
}
echo "$n pairs"
row "start page loaded, lindora / bare" '$2 / $1' ""
row "memory at that moment, lindora / bare" '$4 / $3' ""
row "first frame, lindora's toolbar - bare (ms)" '$6 - $5' ""
row "processor time to loaded, lindora-bare (ms)" '$14 - $13' ""
echo "medians of the moments (ms since the process started; cpu: the UI process's processor time):"
printf '  %-10s %9s %9s %9s %9s %11s %11s %10s\n' program TOOLKIT NAVIGATE PAINTED LOADED "PSS (MiB)" \
  "cpu PAINTED" "cpu LOADED"
for prog in bare lindora; do
  if [ $prog = bare ]; then c=(9 7 5 1 3 11 13); else c=(10 8 6 2 4 12 14); fi
  med() { awk "{ print \$$1 }" "$results" | spread | cut -d' ' -f1; }
  printf '  %-10s %9s %9s %9s %9s %11s %11s %10s\n' $prog "$(med ${c[0]})" "$(med ${c[1]})" "$(med ${c[2]})" \
    "$(med ${c[3]})" "$(awk "{ print \$${c[4]} / 1024 }" "$results" | spread | cut -d' ' -f1)" "$(med ${c[5]})" \
    "$(med ${c[6]})"
done
