#!/usr/bin/env bash
# The whole test suite: every test on the normal build (the quick benchmark among them),
# then every test but the benchmark again with AddressSanitizer and
# UndefinedBehaviorSanitizer (clang), with the fuzz targets run for a bounded time.
# Run scripts/setup.sh first.
set -euo pipefail
cd "$(dirname "$0")/.."

ctest --test-dir build --output-on-failure

CC=clang CXX=clang++ cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTALLIMO_SANITIZE=ON -DTALLIMO_FUZZ=ON -DTALLIMO_FUZZ_SECONDS="${TALLIMO_FUZZ_SECONDS:-60}" \
  ${CI:+-DTALLIMO_WERROR=ON} > /dev/null
cmake --build build-sanitize -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  ctest --test-dir build-sanitize --output-on-failure --label-exclude bench
