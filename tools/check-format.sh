#!/usr/bin/env bash
# Fails, naming each file, when a tracked .cpp or .h file does not follow .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=()
while IFS= read -r f; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(git ls-files '*.cpp' '*.h')
if [ ${#bad[@]} -ne 0 ]; then
  echo "Not formatted (run: clang-format -i FILE):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "Formatting: every .cpp and .h file follows .clang-format"
