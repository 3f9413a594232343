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

# 2b. quorvane-report from that tree gives the outputs whose checksums are
#     kept in tests/golden.sha256 for a few races. After a change that means
#     to alter them, run the same command into a folder and write the new
#     list with `(cd FOLDER && find . -type f | LC_ALL=C sort | sed 's|^[.]/||'
#     | xargs sha256sum) > tests/golden.sha256`; run it with the program
#     before the change as well to read the differences.
GOLDEN="$(mktemp -d)"
trap 'rm -rf "$GOLDEN"' EXIT
bash "$ROOT/scripts/golden.sh" --quick "$ROOT/build/package/report/quorvane-report" \
  "$GOLDEN" "$ROOT/examples/sample-10km.txt" \
  "$ROOT/fuzz/corpus/settings-out-of-range.txt" \
  "$ROOT/fuzz/corpus/forty-five-sections.txt"
rm -rf "$GOLDEN/.inputs"
(cd "$GOLDEN" && find . -type f | LC_ALL=C sort | sed 's|^[.]/||' |
  xargs sha256sum) | diff "$ROOT/tests/golden.sha256" - ||
  { echo "quorvane-report's outputs differ from tests/golden.sha256" >&2; exit 1; }

# 3. Everything but the benchmarks.
configure -DQV_WITH_QT=ON
cmake --build "$TEST" -j "$JOBS"
cd "$TEST" && ctest -j "$JOBS" --output-on-failure
