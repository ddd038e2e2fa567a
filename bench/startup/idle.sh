#!/usr/bin/env bash
# Idle wake-ups of Lindora's user-interface thread: starts the program, waits until the start
# page has loaded and a settling time has passed, then counts how often the main thread went
# to sleep and woke up again (its voluntary context switches) over a quiet period without input.
# The settling time lets WebKit's overlay scrollbar of a page taller than the window fade out:
# until then the view repaints it many times a second, in the bare WebKit window as well.
#
#   bench/startup/idle.sh [--seconds N] [--settle N] [--app PATH]
#
# Without a display it starts its own Xvfb. Goal: at most one wake-up per second.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
seconds=10
settle=20
app="$root/build/release/src/app/lindora"
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --settle) settle=$2; shift 2 ;;
    --app) app=$2; shift 2 ;;
    -h|--help) sed -n '2,10p' "$0"; exit 0 ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done
for v in "$seconds" "$settle"; do
  case "$v" in ''|*[!0-9]*) echo "--seconds and --settle need whole numbers" >&2; exit 2 ;; esac
done
[ -x "$app" ] || { echo "lindora not built: $app" >&2; exit 1; }

work=$(mktemp -d)
pid=""
xvfb_pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :97 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:97
  sleep 1
fi
export NO_AT_BRIDGE=1 LINDORA_REGISTRY_DIR="$work/registry" LINDORA_STARTUP_PROBE="$work/probe"
mkdir -p "$LINDORA_REGISTRY_DIR"
"$app" --platform gtk </dev/null >/dev/null 2>&1 &
pid=$!
for _ in $(seq 1200); do
  grep -q '^LOADED ' "$work/probe" 2>/dev/null && break
  kill -0 "$pid" 2>/dev/null || { echo "lindora ended before its page loaded" >&2; exit 1; }
  sleep 0.05
done
grep -q '^LOADED ' "$work/probe" || { echo "the start page did not load" >&2; exit 1; }
sleep "$settle"
switches() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$pid/task/$pid/status"; }
before=$(switches)
sleep "$seconds"
after=$(switches)
wakeups=$((after - before))
echo "user-interface thread, idle with the start page loaded: $wakeups wake-ups in $seconds s" \
     "($(awk -v w="$wakeups" -v s="$seconds" 'BEGIN { printf "%.2f", w / s }') per second; goal: at most 1)"
