#!/usr/bin/env bash
# Plants each fault of faults.tsv in turn (one line of product code changed), builds, runs the
# test suite and puts the file back; a fault the suite lets through is reported as MISSED.
#   tools/mutants/run.sh [faults.tsv] [ctest -R pattern]
# Uses its own build directory (build-mutants); the source tree is restored after every fault.
# faults.tsv: file, text to change (found exactly once; <NL> stands for a line break), new text, what it breaks.
set -uo pipefail
cd "$(dirname "$0")/../.."
faults=${1:-tools/mutants/faults.tsv}
pattern=${2:-}
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build-mutants -DCMAKE_BUILD_TYPE=Release >/dev/null || exit 2
cmake --build build-mutants -j"$(nproc)" >/dev/null || { echo "the unchanged tree does not build"; exit 2; }
caught=0; missed=0; n=0
while IFS=$'\t' read -r file from to why; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  n=$((n + 1))
  if ! python3 - "$file" "$from" "$to" <<'PY'
import sys
path, old, new = sys.argv[1], sys.argv[2].replace('<NL>', '\n'), sys.argv[3].replace('<NL>', '\n')
text = open(path, encoding='latin-1').read()
if text.count(old) != 1:
    sys.exit(1)
open(path + '.unmutated', 'w', encoding='latin-1').write(text)
open(path, 'w', encoding='latin-1').write(text.replace(old, new))
PY
  then
    echo "BAD   $n $file: the text to change is not there exactly once: $from"; continue
  fi
  if ! cmake --build build-mutants -j"$(nproc)" >/dev/null 2>&1; then
    result="NOBUILD"
  elif ctest --test-dir build-mutants -j"$(nproc)" ${pattern:+-R "$pattern"} --timeout 300 >/dev/null 2>&1; then
    result="MISSED"; missed=$((missed + 1))
  else
    result="caught"; caught=$((caught + 1))
  fi
  mv "$file.unmutated" "$file"
  touch "$file"  # newer than the mutant's objects, so the next build puts the original back
  printf '%-7s %2d %s: %s\n' "$result" "$n" "$file" "$why"
done < "$faults"
cmake --build build-mutants -j"$(nproc)" >/dev/null 2>&1
echo "$caught caught, $missed missed of $n faults"
[ "$missed" -eq 0 ]
