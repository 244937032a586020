#!/bin/sh
# Checks that a saved game continues exactly as the unbroken game, at every point of a war:
# plays one computer-only war of Europe 1939 with a seed, saving after every impulse; then
# loads each save, plays K more impulses and compares every file of its save with the
# unbroken game's save of the same impulse (Info.ini's time of the save aside). Prints the
# first save whose continuation differs, with the files, and how many saves were checked;
# exits 1 when one differs or fails.
#   scripts/continuation_sweep.sh BUILD_DIR SEED [K [EVERY [FIRST]]]
# K impulses after each save (3); every EVERY-th save (1), from the save after impulse
# FIRST (EVERY). SWEEP_IMPULSES=N plays only the first N impulses of the war;
# SWEEP_JOBS=N runs N continuations at a time (every core); SWEEP_SCENARIO=PATH plays
# another scenario folder; SWEEP_DIR=PATH works there and keeps the saves (else a
# temporary folder, removed at the end).
set -e
cd "$(dirname "$0")/.."
if [ $# -lt 2 ]; then
  echo "usage: $0 BUILD_DIR SEED [K [EVERY [FIRST]]]" >&2
  exit 2
fi
tool=$(realpath "$1/bin/velmorant-tool")
seed=$2
k=${3:-3}
every=${4:-1}
first=${5:-$every}
scenario=$(realpath "${SWEEP_SCENARIO:-data/scenarios/Europe1939}")
name=$(basename "$scenario")
jobs=${SWEEP_JOBS:-$(nproc)}
if [ -n "$SWEEP_DIR" ]; then
  work=$SWEEP_DIR
  rm -rf "$work"
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/continuation_sweep.XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/root/data/scenarios" "$work/results"
cp -r "$scenario" "$work/root/data/scenarios/"
saves="$work/root/data/save"

# The impulses whose saves are needed: each checked one and the one K impulses after it,
# up to the war's length (the scenario's turns, or SWEEP_IMPULSES).
length=${SWEEP_IMPULSES:-$(tr -d '\r' < "$scenario/Info.ini" | sed -n 's/^Turns *= *\([0-9]*\).*/\1/p')}
at=""
if [ "$every" -gt 1 ] && [ -n "$length" ]; then
  n=$first
  while [ $((n + k)) -le "$length" ]; do
    at="$at${at:+,}$n,$((n + k))"
    n=$((n + every))
  done
fi
start=$(date +%s)
if ! "$tool" play "$work/root/data/scenarios/$name" --seed "$seed" --quiet --save-every Whole \
    ${at:+--save-at $at} ${SWEEP_IMPULSES:+--impulses $SWEEP_IMPULSES} --summary "$work/whole.json" \
    > "$work/whole.out" 2>&1; then
  echo "seed $seed: the unbroken game failed:" >&2
  cat "$work/whole.out" >&2
  exit 1
fi
last=$(ls "$saves" | sed -n 's/^Whole-\([0-9]*\)$/\1/p' | sort -n | tail -1)
played=$(sed -n 's/^ *"impulses": \([0-9]*\),$/\1/p' "$work/whole.json")
echo "seed $seed: the unbroken game played $played impulses in $(($(date +%s) - start)) s"

# One continuation: the save after impulse N played K on, compared with the save after N+K.
# Its result file holds "same", or "differs" and the files, or "failed" and why.
cat > "$work/continue.sh" <<'EOF'
n=$1; k=$2; tool=$3; work=$4
saves="$work/root/data/save"
result="$work/results/$n"
if ! "$tool" play "$saves/Whole-$n" --impulses "$k" --quiet --save "Continued-$n" > "$result.out" 2>&1; then
  { echo failed; cat "$result.out"; } > "$result"
else
  files=$(diff -rq -I '^Date' "$saves/Whole-$((n + k))" "$saves/Continued-$n" |
          sed -n 's/^Files .*\/\([^/]*\) and .* differ$/\1/p; s/^Only in \(.*\): \(.*\)$/only in \1: \2/p')
  if [ -z "$files" ]; then echo same > "$result"; else { echo differs; echo "$files"; } > "$result"; fi
fi
rm -rf "$saves/Continued-$n" "$result.out"
EOF
start=$(date +%s)
n=$first
while [ $((n + k)) -le "${last:-0}" ]; do
  [ -d "$saves/Whole-$n" ] && echo "$n"
  n=$((n + every))
done | xargs -P "$jobs" -I{} sh "$work/continue.sh" {} "$k" "$tool" "$work"

checked=0
differing=0
firstbad=""
for n in $(ls "$work/results" | sort -n); do
  checked=$((checked + 1))
  if [ "$(head -1 "$work/results/$n")" != same ]; then
    differing=$((differing + 1))
    [ -z "$firstbad" ] && firstbad=$n
  fi
done
if [ -n "$firstbad" ]; then
  key() { tr -d '\r' < "$saves/Whole-$firstbad/Info.ini" | sed -n "s/^$1 *= *//p"; }
  date="$(key Impulse) of $(key GameMonth).$(key GameYear)"
  echo "seed $seed: first difference: the save after impulse $firstbad (impulse $date) played $k more" \
       "$(head -1 "$work/results/$firstbad") from the unbroken game's save after impulse $((firstbad + k)):"
  tail -n +2 "$work/results/$firstbad" | sed 's/^/  /'
fi
echo "seed $seed: $checked saves checked, each played $k more impulse$([ "$k" -eq 1 ] || echo s): $differing differ" \
     "($(($(date +%s) - start)) s, $jobs at a time)"
[ "$differing" -eq 0 ] && [ "$checked" -gt 0 ]
