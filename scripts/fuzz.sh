#!/usr/bin/env bash
# Builds a libFuzzer target with clang and runs it.
#   scripts/fuzz.sh [seconds] [race_file|activity]   (default 60, race_file)
# race_file: the race file reader, seeds in fuzz/corpus; activity: the FIT,
# TCX and GPX import, seeds in fuzz/activity_corpus. The tests replay the
# seed corpora. New inputs go to build/fuzz/<target>-corpus; crashes are
# written to build/fuzz/.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
SECONDS_TO_RUN="${1:-60}"
TARGET="${2:-race_file}"
case "$TARGET" in
  race_file) SEEDS="$ROOT/fuzz/corpus" ;;
  activity) SEEDS="$ROOT/fuzz/activity_corpus" ;;
  *) echo "unknown fuzz target: $TARGET (race_file or activity)" >&2; exit 2 ;;
esac
BUILD="$ROOT/build/fuzz"

# libFuzzer comes with clang and its runtime.
if ! command -v clang++ >/dev/null ||
   ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q 'ok installed'; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-14-dev
fi
ensure_packages

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DQV_WITH_QT=OFF -DQV_BUILD_TESTS=OFF \
  -DQV_FUZZ=ON >/dev/null
cmake --build "$BUILD" -j "$JOBS" --target "${TARGET}_fuzz"
# The race file target keeps its earlier folder.
NEW="$BUILD/corpus"
[ "$TARGET" = race_file ] || NEW="$BUILD/$TARGET-corpus"
mkdir -p "$NEW"

cd "$BUILD"
exec "./${TARGET}_fuzz" -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
  -artifact_prefix="$BUILD/" "$NEW" "$SEEDS"
