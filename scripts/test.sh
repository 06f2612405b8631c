#!/usr/bin/env bash
# Builds everything and runs every test: the default build, the ASan+UBSan build, the TSan build of the
# thread and integration tests, the fuzzers for a bounded time, the format check. Exits non-zero on any
# failure.
#   KDX_QUICK=1 scripts/test.sh   only the default build and its tests
#   KDX_FUZZ_SECONDS=N            time per fuzzer (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${KDX_JOBS:-$(nproc)}

scripts/setup.sh

step() { printf '\n=== %s\n' "$*"; }

# Every ctest run's summary is added up for the closing line.
passed=0
failed=0
run_ctest() {  # run_ctest DIR [ctest args...]
    local dir=$1 log
    shift
    log=$(mktemp)
    local rc=0
    (cd "$dir" && ctest "$@") 2>&1 | tee "$log" || rc=$?
    local summary
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" || true)
    if [ -n "$summary" ]; then
        local f t
        f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$summary")
        t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$summary")
        passed=$((passed + t - f))
        failed=$((failed + f))
    fi
    rm -f "$log"
    [ "$rc" = 0 ] || { echo "tests: $passed passed, $failed failed"; exit "$rc"; }
}

build() {  # build DIR [cmake args...]
    local dir=$1
    shift
    mkdir -p "$dir"
    cmake -S "$root" -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
    ninja -C "$dir" -j "$jobs"
}

step "format"
mapfile -t sources < <(git ls-files '*.h' '*.cpp' 2>/dev/null || true)
if [ ${#sources[@]} -gt 0 ]; then
    clang-format --dry-run -Werror "${sources[@]}"
fi

step "build (RelWithDebInfo)"
mkdir -p build
build build
step "tests"
run_ctest build -LE soak --output-on-failure -j "$jobs" --timeout 300

if [ "${KDX_QUICK:-0}" = 1 ]; then
    echo "tests: $passed passed, $failed failed"
    exit 0
fi

step "build and tests under AddressSanitizer and UndefinedBehaviorSanitizer"
build build-asan -DKDX_SANITIZE='address;undefined' -DKDX_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
    run_ctest build-asan -LE soak --output-on-failure -j "$jobs" --timeout 600

step "thread and integration tests under ThreadSanitizer"
build build-tsan -DKDX_SANITIZE=thread -DKDX_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
    run_ctest build-tsan -L 'threads|integration' --output-on-failure --timeout 600

step "fuzzers (${KDX_FUZZ_SECONDS:-60} s each)"
CXX=clang++ build build-fuzz -DKDX_FUZZ=ON -DKDX_TESTS=OFF -DKDX_BENCH=OFF
for fuzzer in build-fuzz/tests/fuzz/fuzz_*; do
    name=$(basename "$fuzzer" | sed 's/^fuzz_//')
    corpus=$(mktemp -d)
    "$fuzzer" -max_total_time="${KDX_FUZZ_SECONDS:-60}" -max_len=9000 -print_final_stats=1 \
        "$corpus" tests/fuzz/corpus/"$name" 2>&1 | tail -n 3
    rm -rf "$corpus"
done

printf '\nall test stages passed\n'
echo "tests: $passed passed, $failed failed"
