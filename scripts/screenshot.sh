#!/usr/bin/env bash
# Opens Quorvane on a virtual X display and saves a screenshot of it:
#   scripts/screenshot.sh [out.png]        (default docs/main-window.png)
# Needs a built program (scripts/run.sh builds one) and ImageMagick's
# `import`, which it installs when missing.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
out="${1:-$ROOT/docs/main-window.png}"
prog="$ROOT/build/release/app/qt/quorvane"
[ -x "$prog" ] || { echo "Build first: scripts/run.sh" >&2; exit 1; }
command -v import >/dev/null ||
  { as_root apt-get update -qq && as_root apt-get install -y -qq imagemagick; }
command -v xvfb-run >/dev/null ||
  { as_root apt-get update -qq && as_root apt-get install -y -qq xvfb xauth; }

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" & pid=$!
  sleep 3
  import -window root "$2.full.png"
  kill $pid
' _ "$prog" "$out"
# Keep the window only: it is centred on the 1280x1024 screen.
convert "$out.full.png" -trim +repage "$out"
rm -f "$out.full.png"
echo "Saved $out"
