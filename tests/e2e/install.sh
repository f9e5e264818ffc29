#!/usr/bin/env bash
# cmake --install into a scratch prefix: the game, the content and the desktop
# entry land there, and the installed game, started from elsewhere, finds its content.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: install.sh BIN_DIR}

[ -x "$bin/orbix-tal" ] || { echo "game binary not built yet"; exit 0; }
[ -d "$bin/maps" ] || { echo "content not built yet"; exit 0; }

prefix=$E2E_WORK/prefix
cmake --install "$bin/.." --prefix "$prefix" >"$E2E_WORK/install.log" 2>&1 || { cat "$E2E_WORK/install.log" >&2; fail "cmake --install failed"; }
[ -x "$prefix/bin/orbix-tal" ] || fail "no installed game"
for d in textures models sounds graphics maps; do
  [ "$(ls "$bin/$d" | wc -l)" = "$(ls "$prefix/share/orbix-tal/$d" | wc -l)" ] || fail "content folder $d incomplete"
done
desktop=$prefix/share/applications/orbix-tal.desktop
grep -q '^Exec=orbix-tal --campaign$' "$desktop" || fail "no desktop entry that starts the game"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop" || fail "desktop entry invalid"; fi

# From a folder without content, the installed game must find share/orbix-tal itself.
cd "$E2E_WORK"
game_start "$prefix/bin"
game_wait_window 60
game_wait_output '^cGame: Loading levels\.\. OK$' 60
grep -q 'FAILED' "$GAME_ERR" && fail "the installed game missed some content"
sleep 1
game_running || fail "the installed game ended after start-up"

# The installed tool finds the same content: a level plays headless.
"$prefix/bin/orbix-tool" botplay "$(ls "$prefix/share/orbix-tal/maps" | head -n 1)" --max-ms 2000 >"$E2E_WORK/bot.txt" ||
  fail "installed orbix-tool botplay failed"
tail -n 1 "$E2E_WORK/bot.txt" | grep -Eq '^result: (won|failed|timeout) time_ms=[0-9]+ ' || fail "no result line from the installed tool"
echo "install ok"
