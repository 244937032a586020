#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
step() { echo "== $1 ($(date +%T), ${SECONDS}s since the start)"; }

BUILD=build/test
step "Build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORANT_SANITIZE=ON -DVELMORANT_TESTS=ON -DVELMORANT_WERROR=ON
cmake --build "$BUILD" --parallel
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
step "Every test in its own process"
ctest --test-dir "$BUILD" --output-on-failure --parallel "$(nproc)" "$@"

# Every test once more, all in one process in a random order, so that a test cannot lean on
# what another left behind: one process (a shard of the tests) per core, side by side, each
# shuffled with the same seed. VELMORANT_TEST_SEED=<seed> repeats the orders of a failed run.
SEED="${VELMORANT_TEST_SEED:-$((RANDOM % 99999 + 1))}"
SHARDS="$(nproc)"
step "Every test in one process per shard, $SHARDS shards, shuffled with --gtest_random_seed=$SEED"
SHARD_LOGS="$BUILD/shards"
rm -rf "$SHARD_LOGS" && mkdir -p "$SHARD_LOGS"
pids=()
for ((shard = 0; shard < SHARDS; shard++)); do
  (cd "$BUILD" && GTEST_TOTAL_SHARDS="$SHARDS" GTEST_SHARD_INDEX="$shard" \
    ./bin/velmorant_tests --gtest_shuffle --gtest_random_seed="$SEED" --gtest_brief=1) \
    > "$SHARD_LOGS/$shard.log" 2>&1 &
  pids+=("$!")
done
failed=0
passed=0
for ((shard = 0; shard < SHARDS; shard++)); do
  if wait "${pids[$shard]}"; then
    passed=$((passed + $(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\./\1/p' "$SHARD_LOGS/$shard.log")))
  else
    failed=1
    cat "$SHARD_LOGS/$shard.log"
    echo "Shard $shard of $SHARDS failed. Repeat it with:"
    echo "  (cd $BUILD && GTEST_TOTAL_SHARDS=$SHARDS GTEST_SHARD_INDEX=$shard ./bin/velmorant_tests --gtest_shuffle --gtest_random_seed=$SEED)"
  fi
done
[ "$failed" -eq 0 ]
echo "$passed tests passed in $SHARDS shuffled processes"

# The tests that start a second thread (tests/threaded_tests.txt, which the runs above check
# against the threads each test starts) again under ThreadSanitizer: that build holds only them.
TSAN_BUILD=build/tsan
step "Build of the threaded tests with ThreadSanitizer"
cmake -S . -B "$TSAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORANT_TSAN=ON -DVELMORANT_TESTS=ON -DVELMORANT_WERROR=ON
cmake --build "$TSAN_BUILD" --parallel --target velmorant_thread_tests
unset ASAN_OPTIONS LSAN_OPTIONS
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
step "The threaded tests under ThreadSanitizer"
ctest --test-dir "$TSAN_BUILD" --output-on-failure --parallel "$(nproc)" "$@"
step "Done"
