#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer build and runs every test.
# Extra arguments go to ctest (for example: ./test.sh -L gfx).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh --package
scripts/check-includes.sh
BUILD=build/test
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLINDORA_SANITIZE=ON -DLINDORA_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"
