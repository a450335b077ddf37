#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts the game from its program directory.
set -euo pipefail
cd "$(dirname "$0")"
./tools/setup-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
exec ./build/game/bellarune "$@"
