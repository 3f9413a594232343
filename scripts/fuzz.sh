#!/usr/bin/env bash
# Builds the race file reader's libFuzzer target with clang and runs it.
#   scripts/fuzz.sh [seconds]   (default 60)
# New inputs go to build/fuzz/corpus; fuzz/corpus is the seed corpus that
# the tests replay. Crashes are written to build/fuzz/.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
SECONDS_TO_RUN="${1:-60}"
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
cmake --build "$BUILD" -j "$JOBS" --target race_file_fuzz
mkdir -p "$BUILD/corpus"

cd "$BUILD"
exec ./race_file_fuzz -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
  -artifact_prefix="$BUILD/" "$BUILD/corpus" "$ROOT/fuzz/corpus"
