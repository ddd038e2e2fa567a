#!/usr/bin/env bash
# Start-up figures: wall time from launch to the start page having loaded, and the memory
# (PSS, from /proc/<pid>/smaps_rollup) of all the program's processes at that moment,
# WebKit's web and network processes included. Several runs each; the median is reported.
#
# Programs: Lindora (--app, default build/release/src/app/lindora) and the bare GTK window
# with a WebKit view (--bare, default build/release/bench/startup/bare_webview), both loading
# the same page. Both write "LOADED" to $LINDORA_STARTUP_PROBE when the page has loaded.
#
#   bench/startup/measure.sh [--runs N] [--accel never|always|on-demand|all]
#                            [--app PATH] [--bare PATH] [--page PATH] [--only app|bare]
#
# Without a display it starts its own Xvfb. The page cache is warm after the first run, so
# the first run is shown on its own ("first") beside the median of all runs.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
runs=5
accels=(never)
app="$root/build/release/src/app/lindora"
bare="$root/build/release/bench/startup/bare_webview"
page="$root/src/app/index.htm"
only=""
limit=60  # seconds one start may take before the run counts as failed

while [ $# -gt 0 ]; do
  case "$1" in
    --runs) runs=$2; shift 2 ;;
    --accel) if [ "$2" = all ]; then accels=(never always on-demand); else accels=("$2"); fi; shift 2 ;;
    --app) app=$2; shift 2 ;;
    --bare) bare=$2; shift 2 ;;
    --page) page=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    -h|--help) sed -n '2,15p' "$0"; exit 0 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
case "$runs" in ''|*[!0-9]*) echo "--runs needs a number" >&2; exit 2 ;; esac

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

median() { sort -n | awk '{a[NR]=$1} END {if (NR==0) print "-"; else if (NR%2) print a[(NR+1)/2]; else print int((a[NR/2]+a[NR/2+1])/2)}'; }

# One start: prints "<ms> <KiB> <processes>", or "fail".
one_run() {
  local probe="$work/probe" start now pid procs ms kib
  rm -f "$probe"; : > "$probe"
  start=$(date +%s%N)
  LINDORA_STARTUP_PROBE="$probe" "$@" </dev/null >/dev/null 2>&1 &
  pid=$!
  while ! grep -q LOADED "$probe" 2>/dev/null; do
    now=$(date +%s%N)
    if ! kill -0 "$pid" 2>/dev/null || [ $(( (now - start) / 1000000000 )) -ge $limit ]; then
      kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true
      echo fail; return
    fi
    sleep 0.005
  done
  now=$(date +%s%N)
  ms=$(( (now - start) / 1000000 ))
  procs=$(descendants "$pid")
  kib=$(pss_kib $procs)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$ms $kib $(echo $procs | wc -w)"
}

measure() {
  local label=$1; shift
  local times=() mems=() first="" result n=0
  for i in $(seq "$runs"); do
    result=$(one_run "$@")
    if [ "$result" = fail ]; then echo "  $label: run $i failed" >&2; continue; fi
    read -r ms kib procs <<< "$result"
    [ -z "$first" ] && first="$ms ms, $((kib / 1024)) MiB"
    times+=("$ms"); mems+=("$kib"); n=$procs
  done
  [ ${#times[@]} -gt 0 ] || { printf '%-34s no successful run\n' "$label"; return; }
  local tm mm
  tm=$(printf '%s\n' "${times[@]}" | median)
  mm=$(printf '%s\n' "${mems[@]}" | median)
  printf '%-34s median %5s ms  %6s MiB PSS  (%s processes; first: %s; %d runs)\n' \
    "$label" "$tm" "$((mm / 1024))" "$n" "$first" "${#times[@]}"
}

[ -f "$page" ] || { echo "no page: $page" >&2; exit 1; }
echo "page: $page; display $DISPLAY; $runs runs each"
for accel in "${accels[@]}"; do
  if [ "$only" != app ]; then
    if [ -x "$bare" ]; then measure "bare webview ($accel)" "$bare" --accel "$accel" "$page"
    else echo "bare webview: not built ($bare; configure with -DLINDORA_BENCH=ON, build the target bare_webview)"; fi
  fi
  if [ "$only" != bare ]; then
    if [ -x "$app" ]; then
      measure "lindora ($accel)" env LINDORA_WEB_ACCELERATION="$accel" "$app" --platform gtk
    else echo "lindora: not built ($app)"; fi
  fi
done
