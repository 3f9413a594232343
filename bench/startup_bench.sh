#!/bin/sh
# Start-up benchmark on a virtual X display. Build a release tree first:
#   cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_BENCH=ON
#   cmake --build build-rel --target quorvane_first_paint empty_dialog startup_bench
#   bench/startup_bench.sh build-rel [runs]
set -eu
build="${1:-build-rel}"
runs="${2:-21}"
exec xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/bench/startup_bench" "$runs" \
  "$build/bench/quorvane_first_paint" "$build/bench/empty_dialog"
