#!/usr/bin/env bash
# Start-up time and peak memory of the game against a minimal Qt program that shows one
# window with five buttons and the same picture: time from launch until the main window is
# mapped, under Xvfb, median of 10 runs after a warm-up, and the peak resident memory.
# Usage: bench/startup.sh [build directory]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${RUNS:-10}
game="$build/game"
[ -x "$game/bellarune" ] && [ -x "$build/bench/bench_minimal" ] || { echo "build first: $build"; exit 1; }

n=60
while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
display=:$n
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X$n ] && xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done

# One launch: prints "milliseconds peak-kB".
launch() {
  local title=$1; shift
  local start end pid hwm
  start=$(date +%s%N)
  "$@" >/dev/null 2>"$work/stderr.txt" &
  pid=$!
  until xwininfo -name "$title" 2>/dev/null | grep -q IsViewable; do
    kill -0 $pid 2>/dev/null || { echo "exited early: $*" >&2; cat "$work/stderr.txt" >&2; return 1; }
  done
  end=$(date +%s%N)
  sleep 0.5  # let it settle, then read its high-water mark
  hwm=$(awk '/VmHWM/ {print $2}' /proc/$pid/status)
  kill $pid; wait $pid 2>/dev/null || true
  echo "$(( (end - start) / 1000000 )) $hwm"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

fresh_game() {
  rm -rf "$work/game"; cp -r "$game" "$work/game"
}

fresh_game; launch "Bellarune Game" "$work/game/bellarune" >/dev/null
launch "Minimal" "$build/bench/bench_minimal" "$game/zelback.jpg" >/dev/null
: >"$work/game.txt"; : >"$work/min.txt"
for _ in $(seq "$runs"); do
  fresh_game
  launch "Bellarune Game" "$work/game/bellarune" >>"$work/game.txt"
  launch "Minimal" "$build/bench/bench_minimal" "$game/zelback.jpg" >>"$work/min.txt"
done
gt=$(cut -d' ' -f1 "$work/game.txt" | median); gm=$(cut -d' ' -f2 "$work/game.txt" | median)
mt=$(cut -d' ' -f1 "$work/min.txt" | median); mm=$(cut -d' ' -f2 "$work/min.txt" | median)
echo "start-up to mapped window, median of $runs: game ${gt} ms, minimal ${mt} ms, ratio $(awk -v a="$gt" -v b="$mt" 'BEGIN {printf "%.2f", a / b}')"
echo "peak resident memory, median: game $((gm / 1024)) MiB, minimal $((mm / 1024)) MiB, difference $(( (gm - mm) / 1024 )) MiB"
