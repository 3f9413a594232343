#!/usr/bin/env bash
# Builds the race file reader's libFuzzer target with clang and runs it.
#   scripts/fuzz.sh [seconds]   (default 60)
# New inputs go to build/fuzz/corpus; fuzz/corpus is the seed corpus that
# the tests replay. Crashes are written to build/fuzz/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SECONDS_TO_RUN="${1:-60}"
BUILD="$ROOT/build/fuzz"
CXX="${CXX_FUZZ:-clang++}"

mkdir -p "$BUILD/corpus"
# Only the sources the reader needs: the format, the code page and numbers.
"$CXX" -std=c++20 -g -O1 -I"$ROOT" \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -fno-omit-frame-pointer \
  "$ROOT/fuzz/race_file_fuzz.cpp" \
  "$ROOT/file/race_file.cpp" \
  "$ROOT/file/cp932.cpp" \
  "$ROOT/app/numtext.cpp" \
  -o "$BUILD/race_file_fuzz"

cd "$BUILD"
exec ./race_file_fuzz -max_total_time="$SECONDS_TO_RUN" -print_final_stats=1 \
  -artifact_prefix="$BUILD/" "$BUILD/corpus" "$ROOT/fuzz/corpus"
