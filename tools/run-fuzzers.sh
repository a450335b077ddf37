#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60) from the seeds: the small hand-made cases of tests/fuzz/corpus and the shipped
# files of assets/, read from there so they never drift. Fails on any crash, hang or sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S tests/fuzz -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
# The shipped file that seeds each reader (the round trip of one item takes its own small cases).
declare -A shipped=([itemfile]=assets/zel.dat [settings]=assets/zel.INI [soundlist]=assets/zelsnd.dat [check]=assets/zel.dat)
run() {
  local t=$1
  mkdir -p "$work/$t" "$work/$t-seeds"
  [ -z "${shipped[$t]:-}" ] || cp "${shipped[$t]}" "$work/$t-seeds/"
  local seeds=("tests/fuzz/corpus/$t")
  # The check reads data files: the reader's seeds serve it as well.
  [ "$t" = check ] && seeds+=("tests/fuzz/corpus/itemfile")
  if ./build-fuzz/fuzz_$t -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=0 \
       -artifact_prefix="$work/$t-" "$work/$t" "${seeds[@]}" "$work/$t-seeds" >"$work/$t.log" 2>&1; then
    echo "fuzz $t: ok ($(grep -o 'Done [0-9]* runs' "$work/$t.log" | tail -1))"
  else
    echo "fuzz $t: FAILED"; tail -40 "$work/$t.log"; return 1
  fi
}
# Two at a time: the machine has two cores.
targets=(itemfile settings soundlist roundtrip check)
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  run "${targets[i]}" & a=$!
  b=""
  if ((i + 1 < ${#targets[@]})); then run "${targets[i + 1]}" & b=$!; fi
  wait $a || status=1
  [ -n "$b" ] && { wait $b || status=1; }
done
exit $status
