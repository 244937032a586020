#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it on the bundled scenario.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD=build/release
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORANT_TESTS=OFF
cmake --build "$BUILD" --parallel
GAME="$BUILD/game"
# The player's settings live beside the game; the shipped defaults are copied once.
[ -f "$GAME/Settings.ini" ] || cp data/Settings.ini "$GAME/Settings.ini"
cd "$GAME"
exec ../bin/velmorant "$@"
