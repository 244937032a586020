#!/bin/sh
# Plays whole computer-only wars of Europe 1939 (seeds 1 to 10, three at a time) and prints
# one table of how each went: surrenders and armistices, Barbarossa, the first city the Allies
# took back in France or Italy, who holds the capitals at the end, and the result.
#   scripts/war_table.sh [BUILD_DIR] [SEEDS...]     (BUILD_DIR defaults to build/rel)
# WAR_IMPULSES=N plays only the first N impulses of each war.
set -e
cd "$(dirname "$0")/.."
build=${1:-build/rel}
[ $# -gt 0 ] && shift
seeds=${*:-1 2 3 4 5 6 7 8 9 10}
out=${WAR_TABLE_DIR:-/tmp/velmorant_wars}
mkdir -p "$out"
tool=$(realpath "$build/bin/velmorant-tool")
for s in $seeds; do echo "$s"; done | xargs -P ${WAR_JOBS:-3} -I{} sh -c '
  root="$1/root{}"; rm -rf "$root"; mkdir -p "$root/data/scenarios"
  cp -r data/scenarios/Europe1939 "$root/data/scenarios/"
  "$2" play "$root/data/scenarios/Europe1939" --seed {} ${WAR_IMPULSES:+--impulses $WAR_IMPULSES} --quiet --summary "$1/war{}.json" > "$1/war{}.out" 2>&1 \
    || echo "seed {} failed: see $1/war{}.out"
  rm -rf "$root"' sh "$out" "$tool"
python3 - "$out" $seeds <<'PY'
import json, sys
out, seeds = sys.argv[1], sys.argv[2:]
def date(d): return "%d.%d.%d" % (d["impulse"], d["month"], d["year"] % 100)
fallen = ["Poland", "Denmark", "Norway", "Netherlands", "Belgium", "France", "Italy", "Germany"]
capitals = ["Paris", "Warsaw", "Moscow", "Rome", "Berlin", "London"]
head = ["seed"] + [c[:6] for c in fallen] + ["Barbar.", "FR/IT back"] + [c[:6] for c in capitals] + ["PP<0", "result"]
rows = [head]
for s in seeds:
    try:
        w = json.load(open("%s/war%s.json" % (out, s)))
    except (OSError, ValueError):
        rows.append([s, "no summary"]); continue
    row = [s]
    for c in fallen:
        f = next((f for f in w["surrenders"] if f["country"] == c), None)
        row.append("-" if not f else ("" if f["kind"] == "surrender" else f["kind"][:3] + " ") + date(f["date"]))
    b = next((e for e in w["events"] if "Barbarossa" in e["title"]), None)
    row.append(date(b["date"]) if b else "-")
    t = next((t for t in w["cities_taken_by_the_allies"] if t["original_owner"] in ("France", "Italy")), None)
    row.append("%s %s" % (t["city"][:8], date(t["date"])) if t else "-")
    held = {c["city"]: c["controller"] for c in w["capitals"]}
    row += [held.get(c, "?")[:6] for c in capitals]
    row.append(",".join(c["name"][:4] for c in w["countries"] if c["lowest_production_points"] < 0) or "-")
    r = w["result"]
    reason = (r["reason"] or "not over").rstrip(".")[:24]
    row.append("%s; %s; %s (%s)" % (r["outcome"].replace("Result: ", ""), reason, date(w["date"]),
                                   "/".join(str(r["victory_points"][k]) for k in ("allies", "axis", "comintern"))))
    rows.append(row)
widths = [max(len(str(r[i])) for r in rows if i < len(r)) for i in range(len(head))]
for r in rows:
    print("  ".join(str(v).ljust(widths[i]) for i, v in enumerate(r)).rstrip())
PY
