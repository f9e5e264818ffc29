#!/usr/bin/env bash
# Builds the Debian package (a Release build with Debian's hardening flags,
# installed under /usr, packed by CPack) and checks it the way a distribution
# would: lintian, desktop-file-validate, appstreamcli and groff's warnings on
# the manual pages. The package lands in build-package/ (or $ORBIX_PACKAGE_DIR).
# In CI (CI set) a missing checker fails the run; elsewhere it is named and skipped.
# usage: scripts/package.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBIX_PACKAGE_DIR:-$root/build-package}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}

# What Debian builds its packages with: -O2, the stack protector, fortified
# functions, read-only relocations. CMake reads CXXFLAGS and LDFLAGS on the
# first configure; the preprocessor's flags go in with the compiler's.
# bindnow and PIE too: nothing in the game needs lazy binding.
if command -v dpkg-buildflags >/dev/null; then
  export DEB_BUILD_MAINT_OPTIONS=${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}
  cppflags=$(dpkg-buildflags --get CPPFLAGS)
  CFLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags"
  CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags"
  LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
  export CFLAGS CXXFLAGS LDFLAGS
fi
# Games' binaries go to /usr/games; the game finds /usr/share/orbix-tal from there too.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DORBIX_INSTALL_BINDIR=games \
  -DORBIX_WERROR=ON -DORBIX_TESTS=ON -DORBIX_BENCH=OFF >/dev/null
cmake --build "$build"
# The tests a distribution's build runs: none that needs a display, or a given
# Mesa version for its exact pixels (scripts/test.sh runs those).
ctest --test-dir "$build" -LE 'gl|e2e|display' -j2 --output-on-failure >"$build/ctest.log" 2>&1 ||
  { cat "$build/ctest.log" >&2; echo "package.sh: the tests failed" >&2; exit 1; }
grep 'tests passed' "$build/ctest.log" | sed 's/^/package.sh: ctest: /'
rm -f "$build"/orbix-tal_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; echo "package.sh: cpack failed" >&2; exit 1; }
deb=$(ls "$build"/orbix-tal_*.deb)
echo "package.sh: built $deb"

failed=0
check() {  # check TOOL WHAT COMMAND...: runs a checker, which must say nothing wrong
  local tool=$1 what=$2
  shift 2
  if ! command -v "$tool" >/dev/null; then
    if [ -n "${CI:-}" ]; then
      echo "package.sh: $tool is missing (scripts/deps.sh installs it): cannot check $what" >&2
      failed=1
    else
      echo "package.sh: $tool is missing, $what not checked (scripts/deps.sh installs it)" >&2
    fi
    return 0
  fi
  if "$@"; then echo "package.sh: $what: ok"; else echo "package.sh: $what: FAILED" >&2; failed=1; fi
}

unpacked=$(mktemp -d "${TMPDIR:-/tmp}/orbix-package.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
usr=$unpacked/usr
# groff prints its warnings on standard error, and says nothing else there.
man_warnings() {
  local page out
  for page in "$usr"/share/man/man6/*.6.gz; do
    out=$(zcat "$page" | groff -ww -man -Tutf8 2>&1 >/dev/null)
    [ -z "$out" ] || { echo "$page:"; echo "$out"; return 1; }
  done
}
check groff "the manual pages" man_warnings
check desktop-file-validate "the desktop entry" desktop-file-validate "$usr/share/applications/orbix-tal.desktop"
check appstreamcli "the AppStream metadata" appstreamcli validate --no-net "$usr"/share/metainfo/*.metainfo.xml
# Errors fail; the warnings and notes it still has are listed for the reader.
lintian_clean() {
  lintian --display-info "$deb" | tee "$build/lintian.log"
  ! grep -q '^E: ' "$build/lintian.log"
}
check lintian "lintian" lintian_clean
exit "$failed"
