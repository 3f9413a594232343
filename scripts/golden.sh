#!/usr/bin/env bash
# Every output of quorvane-report for a set of race files, under every
# combination of settings, in one folder: run it with the program before
# and after a change that must not alter any output, then `diff -r` the two
# folders.
#
#   scripts/golden.sh [--quick] [--with ARG]... REPORT OUTDIR RACE-FILE...
#   scripts/golden.sh --records [--with ARG]... REPORT OUTDIR RECORD...
#
# For each combination of priority, condition, speed unit and axis (60, or
# 4 with --quick) it keeps the list text, the CSV, the SVG graph and the
# printed page's words with their places (pdftotext -bbox),
# plus the entered rows, each run's exit status and its messages. With
# --records the inputs are watch records, cut by laps, every 1 km and
# every 5 km, with and without an official distance, in the default
# settings, and the race files they make are kept too.
set -euo pipefail

quick=0
records=0
if [ "${1:-}" = "--quick" ]; then quick=1; shift; fi
if [ "${1:-}" = "--records" ]; then records=1; shift; fi
extra=()  # --with ARG: one more argument for every run
while [ "${1:-}" = "--with" ]; do extra+=("$2"); shift 2; done
if [ "$#" -lt 3 ]; then
  echo "usage: $0 [--quick|--records] [--with ARG]... REPORT OUTDIR FILE..." >&2
  exit 2
fi
report="$1"; out="$2"; shift 2
mkdir -p "$out"
# One locale for the messages; the numbers do not depend on it.
export LC_ALL=C.UTF-8

priorities=(arrival lap speed)
conditions=(gross net)
units=(km 400m 200m 100m kmh)
axes=(normal reversed)
if [ "$quick" -eq 1 ]; then
  combos=("arrival gross km normal" "lap net kmh reversed"
          "speed gross 400m reversed" "speed net 100m normal")
else
  combos=()
  for p in "${priorities[@]}"; do for c in "${conditions[@]}"; do
    for u in "${units[@]}"; do for a in "${axes[@]}"; do
      combos+=("$p $c $u $a")
    done; done
  done; done
fi

# Inputs get numbered names: the outputs' names then do not depend on
# where the files came from, and two inputs never share one.
inputs="$out/.inputs"
rm -rf "$inputs"; mkdir -p "$inputs"
n=0
for f in "$@"; do
  cp "$f" "$inputs/$(printf 'r%03d' "$n")-$(basename "$f")"
  n=$((n + 1))
done
files=("$inputs"/*)

run() {  # run NAME ARGS...: status and messages of one batch
  local name="$1"; shift
  local rc=0
  "$report" "$@" "${extra[@]}" "${files[@]}" >"$out/$name.list" 2>"$out/$name.err" || rc=$?
  # Messages name the temporary copies; keep only the file's own name.
  sed -i "s|$inputs/||g" "$out/$name.err" "$out/$name.list"
  echo "$rc" >"$out/$name.status"
}

pdf_text() {  # the printed pages of a folder as their words and places
  for pdf in "$1"/*.pdf; do
    [ -e "$pdf" ] || continue
    # A PDF's bytes hold its creation time.
    pdftotext -enc UTF-8 -bbox "$pdf" - | grep -v 'name="CreationDate"' \
      >"${pdf%.pdf}.pdf.html"
    rm "$pdf"
  done
}

if [ "$records" -eq 1 ]; then
  for split in laps 1 5; do
    for course in "" 10; do
      tag="split-$split${course:+-course-$course}"
      mkdir -p "$out/$tag"
      run "$tag/all" --split "$split" ${course:+--course "$course"} \
        --csv "$out/$tag/{name}.csv" --graph "$out/$tag/{name}.svg" \
        --pdf "$out/$tag/{name}.pdf" --race "$out/$tag/{name}.race" -j 2
      pdf_text "$out/$tag"
    done
  done
  rm -rf "$inputs"
  exit 0
fi

run entered --entered
for combo in "${combos[@]}"; do
  read -r p c u a <<<"$combo"
  tag="$p-$c-$u-$a"
  mkdir -p "$out/$tag"
  run "$tag/all" --priority "$p" --condition "$c" --unit "$u" --axis "$a" \
    --csv "$out/$tag/{name}.csv" --graph "$out/$tag/{name}.svg" \
    --pdf "$out/$tag/{name}.pdf" -j 2
  pdf_text "$out/$tag"
done
rm -rf "$inputs"
