#!/usr/bin/env bash
# quorvane-report's outputs for the example and fuzzer race files and watch
# records, in Japanese and in English, against the checksums in
# tests/golden.sha256: any change to a list, CSV, SVG, printed word or its
# place, race file, message or exit status shows here.
#   tests/golden_check.sh REPORT [OUTDIR] [--update]
# With OUTDIR the outputs are kept there; with --update their checksums
# replace the list, after a change that means to alter them. To read such a
# change, run it with the program from before into a second folder and
# `diff -r` the two.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
report="$(realpath "$1")"
# The records' start times are shown in local time.
export TZ=UTC
shift
update=0
if [ "${!#:-}" = "--update" ]; then update=1; set -- "${@:1:$#-1}"; fi
if [ -n "${1:-}" ]; then out="$1"; mkdir -p "$out"; else
  out="$(mktemp -d)"; trap 'rm -rf "$out"' EXIT
fi
bash "$root/scripts/golden.sh" --quick "$report" "$out/races" \
  "$root"/examples/*.txt "$root"/fuzz/corpus/*
# In English, beside a plan.
bash "$root/scripts/golden.sh" --quick --with --lang=en \
  --with --compare="$root/examples/plan-10km-even.txt" "$report" \
  "$out/english" "$root/examples/sample-10km.txt" \
  "$root/fuzz/corpus/forty-five-sections.txt" "$root/fuzz/corpus/wide-cells.txt"
# The graph as pixels, where the environment names a window system that
# cannot start: the tool renders offscreen all the same. One job at a
# time: golden.sh runs two.
mkdir -p "$out/png"
(cd "$root/examples" &&
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$report" -j 1 \
    --size 400x300 --graph "$out/png/{name}.png" *.txt >"$out/png/all.list")
bash "$root/scripts/golden.sh" --records "$report" "$out/records" \
  "$root"/fuzz/activity_corpus/*
# Forty uneven laps, whose labels crowd each other, at the window's size.
for axis in normal reversed; do
  bash "$root/scripts/golden.sh" --records --with --axis=$axis \
    --with --size=632x492 "$report" "$out/crowded-$axis" \
    "$root/fuzz/activity_corpus/crowded-laps.tcx"
done
sums() { (cd "$out" && find . -type f | LC_ALL=C sort | sed 's|^[.]/||' | xargs sha256sum); }
if [ "$update" -eq 1 ]; then sums >"$root/tests/golden.sha256"; exit 0; fi
sums | diff "$root/tests/golden.sha256" - ||
  { echo "quorvane-report's outputs differ from tests/golden.sha256" >&2; exit 1; }
