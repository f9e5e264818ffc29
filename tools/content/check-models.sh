#!/usr/bin/env bash
# Reads every model with a reader that is not ours (assimp, from Debian's
# assimp-utils) and checks that it lists the objects the game looks up.
# Usage: check-models.sh CONTENTDIR
set -euo pipefail
content="${1:?usage: check-models.sh CONTENTDIR}"
if ! command -v assimp > /dev/null; then
    echo "assimp not installed: skipped"
    exit 0
fi
status=0
check() {  # file, objects...
    local file="$content/models/$1"
    shift
    local info
    if ! info="$(assimp info "$file" 2>&1)"; then
        echo "FAILED: assimp cannot read $file"
        echo "$info" | tail -5
        status=1
        return
    fi
    for object in "$@"; do
        if ! grep -q "[^A-Za-z0-9]$object (mesh" <<< "$info"; then
            echo "FAILED: $file has no object $object"
            status=1
        fi
    done
    echo "$file: read, $# objects"
}
ball=(BallHead BallLeftHand BallRightHand BallPistol BallLFoot BallRFoot BallBazookaOn BallBazookaOff)
for f in ball.ASE ball_L2.ASE ball_L4.ASE ball_L8.ASE; do check "$f" "${ball[@]}"; done
check flame.ASE BallFlame
check trees.ASE Tree1Stem Tree1Top Tree2Stem Tree2Top Tree3Stem Tree3Top
exit $status
