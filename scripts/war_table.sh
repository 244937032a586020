#!/bin/sh
# Plays whole computer-only wars of Europe 1939 (seeds 1 to 10, three at a time) and prints
# one table of how each went: surrenders and armistices, Barbarossa, the first city the Allies
# took back in France or Italy, who holds the capitals at the end, and the result, and the
# war at sea (battles, the Royal Navy's ships of September 1939 left on 1.1.1941, the first
# battle, the first Italian-British one in the Mediterranean, Italian ships sunk by Britain
# and German ships sunk at sea by 1941, German hits on British convoys in 1940-43); then how
# many wars met each mark of the war as history ran it (Moscow on 1.1.1944 comes from a
# second run of each war to that day).
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
# play IMPULSES SUFFIX: each seed's war, IMPULSES long (empty: to its end), into war<seed>SUFFIX.json
play() {
  for s in $seeds; do echo "$s"; done | xargs -P ${WAR_JOBS:-3} -I{} sh -c '
    root="$1/root{}"; rm -rf "$root"; mkdir -p "$root/data/scenarios"
    cp -r data/scenarios/Europe1939 "$root/data/scenarios/"
    "$2" play "$root/data/scenarios/Europe1939" --seed {} ${3:+--impulses $3} --quiet --summary "$1/war{}$4.json" > "$1/war{}$4.out" 2>&1 \
      || echo "seed {} failed: see $1/war{}$4.out"
    rm -rf "$root"' sh "$out" "$tool" "$1" "$2"
}
play "$WAR_IMPULSES" ""
cat > "$out/sea.py" <<'PY'
# The war at sea of a summary, shared by the table and the marks.
at = lambda d: (d["year"], d["month"], d["impulse"])
mediterranean = {"Alboran Sea", "Western Mediterranean", "Ligurian and Tyrrhenian Seas", "Sicilian Channel",
                 "Ionian Sea", "Adriatic Sea", "Aegean Sea", "Levantine Sea"}
def royal_navy_of_1939():
    """The names of the United Kingdom's ships of the first impulse, from the scenario."""
    ids = {}
    for line in open("data/scenarios/Europe1939/countries.csv", encoding="utf-8", errors="replace"):
        f = line.split(";")
        if not line.startswith("#") and len(f) > 2:
            ids[f[2]] = f[0]
    names = []
    for line in open("data/scenarios/Europe1939/naval_units.csv", encoding="utf-8", errors="replace"):
        f = line.split(";")
        if not line.startswith("#") and len(f) > 2 and f[2] == ids.get("United Kingdom"):
            names.append(f[1])
    return names
ROYAL_NAVY = royal_navy_of_1939()
def battles_by(w, when): return [b for b in w.get("sea_battles", []) if at(b["date"]) <= when]
def royal_navy_left(w):
    lost = [s for s in w.get("ships_sunk", []) if s["country"] == "United Kingdom" and at(s["date"]) < (1941, 1, 1)
            and s["ship"] in ROYAL_NAVY]
    return len(ROYAL_NAVY) - len(lost), len(ROYAL_NAVY)
def med_battle(w):
    return next((b for b in w.get("sea_battles", []) if b["zone"] in mediterranean and
                 "Italy" in b["countries"] and "United Kingdom" in b["countries"]), None)
def italian_losses_to_britain(w, when=(1941, 12, 3)):
    return [s for s in w.get("ships_sunk", []) if s["country"] == "Italy" and s["by_country"] == "United Kingdom"
            and at(s["date"]) <= when]
def german_loss_at_sea(w, when=(1941, 12, 3)):
    return next((s for s in w.get("ships_sunk", []) if s["country"] == "Germany" and
                 s["by"] in ("sea battle", "surprise attack") and at(s["date"]) <= when), None)
def atlantic_hits(w):
    return [h for h in w.get("convoys_hit", []) if h["country"] == "United Kingdom" and h["by_country"] == "Germany"
            and 1940 <= h["date"]["year"] <= 1943]
PY
python3 - "$out" $seeds <<'PY'
import json, sys
out, seeds = sys.argv[1], sys.argv[2:]
sys.path.insert(0, out)
from sea import *
def date(d): return "%d.%d.%d" % (d["impulse"], d["month"], d["year"] % 100)
fallen = ["Poland", "Denmark", "Norway", "Netherlands", "Belgium", "France", "Italy", "Germany"]
capitals = ["Paris", "Warsaw", "Moscow", "Rome", "Berlin", "London"]
head = ["seed"] + [c[:6] for c in fallen] + ["Barbar.", "FR/IT back"] + [c[:6] for c in capitals] + ["PP<0"] + \
    ["sea", "RN 1.41", "1st sea", "Med IT-UK", "IT>UK 41", "DE sunk", "Atl."] + ["result"]
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
    battles = w.get("sea_battles", [])
    row.append(str(len(battles)))
    row.append("%d/%d" % royal_navy_left(w))
    row.append(date(battles[0]["date"]) if battles else "-")
    m = med_battle(w)
    row.append(date(m["date"]) if m else "-")
    row.append(str(len(italian_losses_to_britain(w))))
    g = german_loss_at_sea(w)
    row.append(date(g["date"]) if g else "-")
    row.append(str(len(atlantic_hits(w))))
    r = w["result"]
    reason = (r["reason"] or "not over").rstrip(".")[:24]
    row.append("%s; %s; %s (%s)" % (r["outcome"].replace("Result: ", ""), reason, date(w["date"]),
                                   "/".join(str(r["victory_points"][k]) for k in ("allies", "axis", "comintern"))))
    rows.append(row)
widths = [max(len(str(r[i])) for r in rows if i < len(r)) for i in range(len(head))]
for r in rows:
    print("  ".join(str(v).ljust(widths[i]) for i, v in enumerate(r)).rstrip())
PY
[ -n "$WAR_IMPULSES" ] && exit 0
# The impulses from the start to 1.1.1944, from a whole war's count and last date.
first=$(echo $seeds | cut -d' ' -f1)
to1944=$(python3 -c '
import json, sys
w = json.load(open(sys.argv[1]))
at = lambda y, m, i: y * 36 + (m - 1) * 3 + i - 1
d = w["date"]
print(w["impulses"] - (at(d["year"], d["month"], d["impulse"]) - at(1944, 1, 1)))' "$out/war$first.json")
play "$to1944" "_1944"
python3 - "$out" $seeds <<'PY'
import json, statistics, sys
out, seeds = sys.argv[1], sys.argv[2:]
sys.path.insert(0, out)
from sea import *
def fate(w, country):
    return next((f for f in w["surrenders"] if f["country"] == country), None)
def by(w, country, when, kinds=("surrender", "armistice", "annexation")):
    f = fate(w, country)
    return bool(f) and f["kind"] in kinds and at(f["date"]) <= when
def holds(w, city, side):
    return next((c["controller"] for c in w["capitals"] if c["city"] == city), "") in side
def landing_held(w):
    end = (1944, 12, 3)
    return any(t["original_owner"] in ("France", "Italy") and at(t["date"]) <= end and
               (t["lost"] is None or at(t["lost"]) > end) for t in w["cities_taken_by_the_allies"])
def barbarossa(w):
    e = next((e for e in w["events"] if e["title"] == "Operation Barbarossa"), None)
    return bool(e) and e["date"]["year"] == 1941 and e["date"]["month"] in (6, 7)
axis_hands = ("Germany", "Italy", "Hungary", "Romania", "Bulgaria", "Slovakia", "Finland")
marks = [
    ("Poland surrenders by 1.11.1939", 8, lambda w, m: by(w, "Poland", (1939, 11, 1))),
    ("Denmark and Norway German by 30.6.1940", 7,
     lambda w, m: by(w, "Denmark", (1940, 6, 3)) and by(w, "Norway", (1940, 6, 3))),
    ("Netherlands, Belgium and France by 31.7.1940", 7,
     lambda w, m: all(by(w, c, (1940, 7, 3)) for c in ("Netherlands", "Belgium", "France"))),
    ("Barbarossa in June or July 1941", 8, lambda w, m: barbarossa(w)),
    ("the Soviet Union holds Moscow on 1.1.1944", 7, lambda w, m: m and holds(m, "Moscow", ("Soviet Union",))),
    ("the Allies hold a city of France or Italy on 31.12.1944", 6, lambda w, m: landing_held(w)),
    ("Italy's armistice", 5, lambda w, m: by(w, "Italy", (1945, 12, 3), ("armistice", "surrender"))),
    ("Germany surrenders or has lost Paris and Warsaw", 5,
     lambda w, m: bool(fate(w, "Germany")) or not (holds(w, "Paris", axis_hands) or holds(w, "Warsaw", axis_hands))),
    ("no production points below zero", 10,
     lambda w, m: all(c["lowest_production_points"] >= 0 for c in w["countries"])),
    ("the Royal Navy keeps 3/4 of its ships of 1939 to 1.1.1941", 8,
     lambda w, m: 4 * royal_navy_left(w)[0] >= 3 * royal_navy_left(w)[1]),
    ("a sea battle by 31.12.1940", 7, lambda w, m: bool(battles_by(w, (1940, 12, 3)))),
    ("Italy and Britain fight in the Mediterranean by 31.12.1941", 7,
     lambda w, m: bool(med_battle(w)) and at(med_battle(w)["date"]) <= (1941, 12, 3)),
    ("Italy loses two ships to Britain by 31.12.1941", 6, lambda w, m: len(italian_losses_to_britain(w)) >= 2),
    ("Germany loses a ship in battle at sea by 31.12.1941", 7, lambda w, m: bool(german_loss_at_sea(w))),
    ("German ships hit British convoys five times in 1940-43", 8, lambda w, m: len(atlantic_hits(w)) >= 5),
]
wars = {}
for s in seeds:
    try:
        w = json.load(open("%s/war%s.json" % (out, s)))
    except (OSError, ValueError):
        continue
    try:
        m = json.load(open("%s/war%s_1944.json" % (out, s)))
    except (OSError, ValueError):
        m = None
    wars[s] = (w, m)
print("\nmarks met (wars of %d; the share history asks of ten in brackets):" % len(wars))
for name, wanted, met in marks:
    yes = [s for s, (w, m) in wars.items() if met(w, m)]
    no = [s for s in wars if s not in yes]
    print("  %-56s %2d  (%2d)%s" % (name, len(yes), wanted, "   not in " + " ".join(no) if no else ""))
if wars:
    print("  %-56s %4.1f (%2d)" % ("sea battles in a war, median", statistics.median(
        len(w.get("sea_battles", [])) for w, m in wars.values()), 6))
PY
