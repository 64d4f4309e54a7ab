#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests twice (an optimised build and one
# with AddressSanitizer and UndefinedBehaviorSanitizer), and runs every test of both.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh test

jobs=$(nproc)
werror=OFF
if [ "${CI:-}" = true ]; then
    werror=ON
fi

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFOKARIUM_WERROR=$werror
cmake --build build/release -j"$jobs"

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DFOKARIUM_WERROR=$werror \
    -DFOKARIUM_SANITIZE=address,undefined
cmake --build build/sanitize -j"$jobs"

status=0
echo "== Tests of the optimised build"
ctest --test-dir build/release --output-on-failure -j"$jobs" || status=1
echo "== Tests of the sanitizer build"
# Every test process, and every program a test starts, gets these. A sanitizer report ends the
# process with exit status 1 and stays on its standard error, which ctest shows for a failed test;
# the process is not aborted, so a harness that checks the program's exit status sees a status.
# A leak fails like any other report; the suppressions name only libraries outside the program
# whose allocations it cannot free, and say why.
# The fuzz run brings its own sanitizers and is not registered here; the package is built from the
# optimised build.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
    ctest --test-dir build/sanitize --output-on-failure -j"$jobs" \
    -E '^desktop\.debian_package$' || status=1
exit $status
