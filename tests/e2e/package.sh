#!/usr/bin/env bash
# The Debian package of this build (cpack -G DEB), unpacked with dpkg -x into a
# scratch folder: it holds the game, the tool, the content, the icon, the desktop
# entry, the metadata and the manual pages, and the unpacked game, started from
# outside the build tree, finds its content and plays.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: package.sh BIN_DIR}
build=$bin/..

[ -x "$bin/orbix-tal" ] || { echo "game binary not built yet"; exit 0; }
[ -d "$bin/maps" ] || { echo "content not built yet"; exit 0; }
for tool in cpack dpkg-deb file; do
  command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed"; exit 77; }
done

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$E2E_WORK/pkg" >"$E2E_WORK/cpack.log" 2>&1 ||
  { cat "$E2E_WORK/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$E2E_WORK"/pkg/orbix-tal_*.deb)
root=$E2E_WORK/unpacked
dpkg-deb -x "$deb" "$root"
dpkg-deb -f "$deb" Depends | grep -q 'libopenal1' || fail "no dependencies found by dpkg-shlibdeps"

prefix=$root/usr
gamedir=
for d in bin games; do [ -x "$prefix/$d/orbix-tal" ] && gamedir=$prefix/$d; done
[ -n "$gamedir" ] || fail "no game in the package"
[ -x "$gamedir/orbix-tool" ] || fail "no tool beside the game in the package"
for f in share/applications/orbix-tal.desktop share/metainfo/org.orbixtal.OrbixTAL.metainfo.xml \
  share/man/man6/orbix-tal.6.gz share/man/man6/orbix-tool.6.gz share/doc/orbix-tal/copyright \
  share/doc/orbix-tal/changelog.gz share/icons/hicolor/48x48/apps/orbix-tal.png \
  share/icons/hicolor/256x256/apps/orbix-tal.png share/orbix-tal/maps; do
  [ -e "$prefix/$f" ] || fail "the package has no $f"
done
case $(file -b "$gamedir/orbix-tal") in
*", stripped"*) ;;
*) fail "the packaged game is not stripped" ;;
esac

# Started from a folder of its own, the unpacked game finds ../share/orbix-tal.
mkdir -p "$E2E_WORK/elsewhere"
cd "$E2E_WORK/elsewhere"
unset ORBIX_DATA
game_start "$gamedir"
game_wait_window 60
game_wait_output '^cGame: Loading levels\.\. OK$' 60
grep -q 'FAILED' "$GAME_ERR" && fail "the unpacked game missed some content"
sleep 1
game_running || fail "the unpacked game ended after start-up"
echo "package ok"
