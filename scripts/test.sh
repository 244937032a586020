#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD=build/test
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORANT_SANITIZE=ON -DVELMORANT_TESTS=ON
cmake --build "$BUILD" --parallel
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
ctest --test-dir "$BUILD" --output-on-failure --parallel "$(nproc)" "$@"

# Every test once more, all in one process in a random order: a test must not lean on what
# another left behind. VELMORANT_TEST_SEED=<seed> repeats the order of a failed run.
SEED="${VELMORANT_TEST_SEED:-$((RANDOM % 99999 + 1))}"
echo "One process, shuffled with --gtest_random_seed=$SEED"
(cd "$BUILD" && ./bin/velmorant_tests --gtest_shuffle --gtest_random_seed="$SEED" --gtest_brief=1)

# The tests that start a second thread (their names say "Thread", the game creations and
# the whole-program tests that play with the opponent's thread) again under ThreadSanitizer.
TSAN_BUILD=build/tsan
cmake -S . -B "$TSAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORANT_TSAN=ON -DVELMORANT_TESTS=ON
cmake --build "$TSAN_BUILD" --parallel --target velmorant_tests
unset ASAN_OPTIONS LSAN_OPTIONS
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
ctest --test-dir "$TSAN_BUILD" --output-on-failure --parallel "$(nproc)" -R '[Tt]hread|GameCreation|WholeProgram|PauseMenu|EndOfTurn|GameInput|ScenarioSettings|OrdersInPlay' "$@"
