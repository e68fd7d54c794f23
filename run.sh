#!/usr/bin/env bash
# The one run command: installs what is missing, builds, and starts Beastwright on the bundled
# sample library. Until the window exists it shows what the core reads: the contents of a few
# library files and a summary of an assembled sample project.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j"${BW_JOBS:-2}"

share=build/share/beastwright
library=$share/Objects/Library
bwtool=build/tools/bwtool/bwtool

echo
echo "== bwtool info on a few files of the sample library ($library)"
"$bwtool" info "$library/Head/Fantasy-"*.bwo "$library/Left foot/Fantasy-ThreeToes.bwo" \
    | python3 -c '
import json, sys
for part in json.load(sys.stdin):
    surfaces = ", ".join(s["name"] for s in part["surfaceList"])
    print("%s: body part %d, %d points, %d quads, sets %s, surfaces %s" % (
        part["path"], part["bodyPart"], part["points"], part["polygons"], part["sets"], surfaces))
'

for project in "$share"/Projects/*.bwp; do
    echo
    echo "== bwtool assemble $project"
    "$bwtool" assemble --objects "$library" "$project" --json 2>/dev/null | python3 -c '
import json, sys
creature = json.load(sys.stdin)
for part in creature["parts"]:
    print("  %-14s %5d points  %s" % (part["typeName"], len(part["points"]), part["name"].split("/")[-1]))
captions = "; ".join(m["caption"] for m in creature["messages"]) or "none"
print("  %d parts; messages: %s" % (len(creature["parts"]), captions))
'
done
