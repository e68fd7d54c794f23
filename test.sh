#!/usr/bin/env bash
# The one test command: installs what is missing, builds (warnings are errors), runs clang-tidy
# over the sources, runs every test through ctest, then
# every test again under AddressSanitizer + UndefinedBehaviorSanitizer, then every fuzz
# target for a bounded time. Any failure gives a non-zero exit.
set -euo pipefail
cd "$(dirname "$0")"

jobs=${BW_JOBS:-2}
fuzz_seconds=${BW_FUZZ_SECONDS:-30}
passed=0

scripts/install-deps --test

# Counts "N tests failed out of M" from a ctest log into the closing summary.
count_ctest() {
    local line
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
    local total=${line##* out of }
    passed=$((passed + total))
}

echo "== build"
cmake --preset default
cmake --build --preset default -j"$jobs"

echo "== clang-tidy over src/ and tools/ (.clang-tidy)"
# Every finding is an error; the log keeps clang-tidy's own output, the findings are printed.
# It reads the sources without the precompiled headers: those are GCC's, which clang cannot
# read, and a source that compiles only through them is one it should name.
mkdir -p build/clang-tidy
sed -E 's# -Winvalid-pch -include [^ "]*/cmake_pch\.hxx##' build/compile_commands.json \
    >build/clang-tidy/compile_commands.json
if ! run-clang-tidy -p build/clang-tidy -quiet -j"$jobs" "$PWD/(src|tools)/.*\.cpp$" \
        >build/clang-tidy.log 2>&1; then
    sed 's/\x1b\[[0-9;]*m//g' build/clang-tidy.log | grep -E '(warning|error):' | sort -u
    echo "test.sh: clang-tidy found the faults above"
    exit 1
fi
passed=$((passed + 1))

echo "== tests"
# GUI tests share one X server and take it one at a time (RESOURCE_LOCK); each must pass the
# first time. -noreset: without it the server resets whenever its last client leaves, and a
# test starting during that reset could not connect.
(cd build && xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --output-on-failure -j"$jobs") 2>&1 \
    | tee build/ctest.log
count_ctest build/ctest.log

echo "== every test again under AddressSanitizer + UndefinedBehaviorSanitizer"
# The program, the tools and every test, built with clang. Leak detection is on for the core
# tests; the window's tests run without it: what they report as leaked is Qt's D-Bus
# connection and memory of the GL driver, which is unloaded before the report and so has no
# frame a suppression could name.
cmake --preset asan
cmake --build --preset asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs" -L core) 2>&1 | tee build-asan/ctest-core.log
count_ctest build-asan/ctest-core.log
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --output-on-failure -j"$jobs" -LE core) 2>&1 | tee build-asan/ctest-window.log
count_ctest build-asan/ctest-window.log

echo "== fuzz targets, ${fuzz_seconds} s each"
cmake --preset fuzz
cmake --build --preset fuzz -j"$jobs"
targets=$(sed -n 's/^ *\([a-z_]*\) [a-z_]*_fuzz\.cpp.*/\1/p' fuzz/targets.cmake)
for name in $targets; do
    corpus=build-fuzz/corpus/$name
    artifacts=build-fuzz/artifacts/$name
    mkdir -p "$corpus" "$artifacts" "fuzz/regressions/$name"
    build-fuzz/fuzz/fuzz_seeds_"$name" "$corpus" >/dev/null
    echo "-- fuzz_$name"
    build-fuzz/fuzz/fuzz_"$name" -max_total_time="$fuzz_seconds" -print_final_stats=0 \
        -artifact_prefix="$artifacts/" "$corpus" "fuzz/regressions/$name" 2>&1 | tail -n 3
    passed=$((passed + 1))
done

echo "test.sh: $passed passed, 0 failed"
