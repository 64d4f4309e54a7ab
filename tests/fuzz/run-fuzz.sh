#!/usr/bin/env bash
# Builds a libFuzzer harness for each picture decoder with clang++ and runs each for a bounded
# time, starting from the seed corpus. Exits non-zero when a build fails or a fuzzer finds a crash,
# a leak or an input that runs too long or too large; the input is kept in the work folder.
#
# Usage: tests/fuzz/run-fuzz.sh <seconds per decoder> [work folder]
# Environment: FOKARIUM_FUZZ_CXX, the compiler (default: clang++, else the newest clang++-N on
# the PATH).
#
# Whether the tools are there is found out first, by building a tiny harness. When they are not,
# the run is skipped (status 77) with a line saying what is missing; under CI (CI=true), where the
# test command installs every tool, that is a failure (status 1).
set -euo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 <seconds per decoder> [work folder]" >&2
    exit 2
fi
seconds=$1
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
work=${2:-$(mktemp -d /tmp/fokarium-fuzz.XXXXXX)}
flags="-std=c++20 -g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all"
png_flags=$(pkg-config --cflags libpng 2>/dev/null || true)
png_libs=$(pkg-config --libs libpng 2>/dev/null || echo -lpng16)

missing() {
    echo "Fuzz.Decoders cannot run: $1 (tools/install-deps.sh test installs clang and its fuzzer runtime)" >&2
    if [ "${CI:-}" = true ]; then
        exit 1
    fi
    exit 77
}

cxx=${FOKARIUM_FUZZ_CXX:-}
if [ -z "$cxx" ]; then
    if command -v clang++ >/dev/null 2>&1; then
        cxx=clang++
    else
        versioned=()
        IFS=: read -ra folders <<<"$PATH"
        for folder in "${folders[@]}"; do
            for candidate in "$folder"/clang++-[0-9]*; do
                if [ -x "$candidate" ]; then
                    versioned+=("$(basename "$candidate")")
                fi
            done
        done
        if [ ${#versioned[@]} -gt 0 ]; then
            cxx=$(printf '%s\n' "${versioned[@]}" | sort -t- -k2 -n | tail -n 1)
        fi
    fi
fi
if [ -z "$cxx" ] || ! command -v "$cxx" >/dev/null 2>&1; then
    missing "no clang++ found${cxx:+ (FOKARIUM_FUZZ_CXX=$cxx)}"
fi
mkdir -p "$work"
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$work/probe.cpp"
# shellcheck disable=SC2086
if ! "$cxx" $flags "$work/probe.cpp" -o "$work/probe" 2>"$work/probe.log"; then
    missing "$cxx cannot build a libFuzzer harness: $(grep -m 1 -i error "$work/probe.log" || head -n 1 "$work/probe.log")"
fi

mkdir -p "$work/objects"
# The decoders and the checks, compiled once with coverage instrumentation (fuzzer-no-link).
objects=""
for source in "$root"/ui/pictures/*.cpp "$here/decoder_checks.cpp"; do
    object="$work/objects/$(basename "$source" .cpp).o"
    # shellcheck disable=SC2086
    "$cxx" $flags -fsanitize=fuzzer-no-link $png_flags -I"$root" -c "$source" -o "$object"
    objects="$objects $object"
done

status=0
for target in png:checkPng gif:checkGif icon:checkIconFile; do
    name=${target%%:*}
    check=${target#*:}
    binary="$work/fuzz-$name"
    # shellcheck disable=SC2086
    "$cxx" $flags -I"$root" -DFUZZ_CHECK="$check" "$here/fuzz_decoder.cpp" $objects \
        $png_libs -lgif -lpthread -o "$binary"
    # New inputs go to the first folder; the committed seeds are only read.
    mkdir -p "$work/corpus-$name"
    echo "fuzzing the $name decoder for $seconds s"
    if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$work/crash-$name-" -print_final_stats=1 \
        "$work/corpus-$name" "$here/corpus/$name" >"$work/fuzz-$name.log" 2>&1; then
        echo "the $name fuzzer failed; see $work/fuzz-$name.log and $work/crash-$name-*" >&2
        tail -n 40 "$work/fuzz-$name.log" >&2
        status=1
    else
        grep -E '^stat::number_of_executed_units|^Done' "$work/fuzz-$name.log" || true
    fi
done
exit $status
