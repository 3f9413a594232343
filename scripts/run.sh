#!/usr/bin/env bash
# Installs what is missing, builds Quorvane and opens it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages

BUILD="$ROOT/build/release"
cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQV_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j "$JOBS" --target quorvane quorvane-report
# The English texts as the build made them (an installed program finds its
# own beside it).
QUORVANE_LOCALEDIR="$BUILD/share/locale" exec "$BUILD/app/qt/quorvane" "$@"
