#!/usr/bin/env bash
# Builds a Release tree in build/package and the Debian package from it:
#   scripts/package.sh      -> build/package/quorvane_<version>_<arch>.deb
# The tree is kept, so a second run only rebuilds what changed. Prints the
# package's path as the last line.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages

BUILD="$ROOT/build/package"

# Debian's compiler and linker flags (hardening included, -O2 as Debian
# builds its packages), without debug information: the package strips it.
cd "$ROOT"
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
export DEB_CXXFLAGS_MAINT_STRIP="-g"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"

# Dates in the package come from the last commit, not from the clock.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] &&
   epoch="$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null)"; then
  export SOURCE_DATE_EPOCH="$epoch"
fi

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" \
  -DQV_BUILD_TESTS=OFF -DQV_SANITIZE=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" \
  >/dev/null
cmake --build "$BUILD" -j "$JOBS"

rm -f "$BUILD"/quorvane_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
debs=("$BUILD"/quorvane_*.deb)
[ -f "${debs[0]}" ] || { echo "package.sh: cpack made no package" >&2; exit 1; }
echo "${debs[0]}"
