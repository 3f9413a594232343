#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Exits non-zero on
# any failure or sanitizer report.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages
ensure_locale

# 1. The core alone, in a configuration that never looks for Qt, with the
#    one benchmark that needs no Qt, so that it keeps compiling.
CORE="$ROOT/build/core"
cmake -S "$ROOT" -B "$CORE" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQV_WITH_QT=OFF -DQV_WERROR=ON -DQV_BUILD_BENCH=ON >/dev/null
cmake --build "$CORE" -j "$JOBS"
(cd "$CORE" && ctest -j "$JOBS" --output-on-failure)

# 2. The Debian package from a Release tree (kept between runs), checked
#    unpacked, never installed.
bash "$ROOT/scripts/package.sh"
bash "$ROOT/scripts/check_package.sh"

# 3. Everything but the benchmarks, with AddressSanitizer,
#    UndefinedBehaviorSanitizer and the standard library's bounds checks.
TEST="$ROOT/build/test"
cmake -S "$ROOT" -B "$TEST" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQV_SANITIZE=ON -DQV_WERROR=ON -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build "$TEST" -j "$JOBS"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=0}"
cd "$TEST" && ctest -j "$JOBS" --output-on-failure
