#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Exits non-zero on
# any failure or sanitizer report.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages
ensure_locale

# One sanitized tree serves both builds: the core is compiled once, first in
# a configuration that never looks for Qt, then reused when the Qt program
# joins. AddressSanitizer, UndefinedBehaviorSanitizer and the standard
# library's bounds checks; line tables are all their reports need.
TEST="$ROOT/build/test"
configure() {
  cmake -S "$ROOT" -B "$TEST" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DQV_SANITIZE=ON -DQV_WERROR=ON \
    -DQV_BUILD_BENCH=OFF "$@" >/dev/null
}
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=0}"

# 1. The core alone.
configure -DQV_WITH_QT=OFF
cmake --build "$TEST" -j "$JOBS"
(cd "$TEST" && ctest -j "$JOBS" --output-on-failure)

# 2. The Debian package from a Release tree (kept between runs), checked
#    unpacked, never installed.
bash "$ROOT/scripts/package.sh"
bash "$ROOT/scripts/check_package.sh"

# 2b. The release tree's quorvane-report gives the outputs whose checksums
#     tests/golden.sha256 keeps (the test build checks them too).
bash "$ROOT/tests/golden_check.sh" "$ROOT/build/package/report/quorvane-report"

# 3. Everything but the benchmarks.
configure -DQV_WITH_QT=ON
cmake --build "$TEST" -j "$JOBS"
cd "$TEST" && ctest -j "$JOBS" --output-on-failure
