#!/usr/bin/env bash
# The one run command: installs what is missing for the program, builds the program, bwtool
# and the sample library, and starts Beastwright on the bundled sample library. The program keeps bw.cfg in the directory it starts in; it runs from
# build/run, whose bw.cfg is made on the first run to point at the sample library, so the first
# start shows full lists. Without a display it says how to start under Xvfb and prints what the
# core reads from the library instead.
set -euo pipefail
cd "$(dirname "$0")"

# Only what the program needs: its packages, and its own targets (not the tests, benchmarks
# and fuzz replays that ./test.sh builds). The tree is configured once; a tree ./test.sh
# configured is used as it is, and the build reruns CMake by itself when a CMakeLists.txt
# changed. The program is optimised as in the test tree but built without debug information,
# which is a third of the compile time; ./test.sh builds the tree again with it.
scripts/install-deps --run
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DBW_TESTS=OFF -DBW_BENCH=OFF \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" >/dev/null
fi
cmake --build build -j"${BW_JOBS:-2}" --target beastwright bwtool sample_library

top=$(pwd)
share=$top/build/share/beastwright
library=$share/Objects/Library
bwtool=build/tools/bwtool/bwtool
rundir=build/run

mkdir -p "$rundir" "$share/Converted"
if [ ! -e "$rundir/bw.cfg" ]; then
    cat >"$rundir/bw.cfg" <<CFG
ConvertObjectDir $share/Converted
ConvertObjectName NewObject
ObjectDir $library
ProjectDir $share/Projects
BgColor 0.180000 0.220000 0.280000 0.000000
WireColor 0.800000 0.800000 0.800000 0.000000
CFG
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    cd "$rundir"
    exec "$top/build/src/app/beastwright"
fi

echo "run.sh: no display to open the window on; start it under Xvfb with: xvfb-run -a ./run.sh"

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
