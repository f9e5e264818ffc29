// The game controller's side of recordings: the start level, and playing a recording back in the window.
#include "shell/cGame.h"

#include "level/cLevel.h"
#include "level/replay/cReplayReader.h"
#include "ui/cConsole.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool cGame::skipToLevel(int n) {
    if (n < 1 || n > levelLoader.getCount()) return false;
    levelLoader.resetLevels();
    for (int i = 1; i < n; ++i) levelLoader.nextLevel();
    return true;
}

void cGame::startReplay(const sReplay* recording, bool demo, bool wideView) {
    replay = recording;
    timedemo = demo;
    replayWide = wideView;
    replayNext = 0;
    replayLevelOn = false;
    replayOver = false;
    replayStatus = 0;
    replayBudget = 0;
}

void cGame::endReplay(int status) {
    if (replayOver) return;
    replayOver = true;
    replayStatus = status;
}

bool cGame::startReplayLevel() {
    const sReplayLevel& rec = replay->levels[replayNext++];
    cLevel* found = nullptr;
    for (int i = 0; i < levelLoader.getCount() && !found; ++i)
        if (std::strcmp(levelLoader.getLevel(i)->getMapName(), rec.mapName.c_str()) == 0) found = levelLoader.getLevel(i);
    if (!found) {
        std::fprintf(stderr, "replay: the map %s is not among the game's levels\n", rec.mapName.c_str());
        return false;
    }
    menu.hide();
    level = found;
    sLevelStart how;
    how.textures = &textures;
    how.meshes = &meshCont;
    how.seed = rec.seed;
    how.run = &runState;
    how.restore = &rec.run;
    how.console = console;
    how.wideView = replayWide;
    // A map that cannot be built leaves the level inactive, as it was while recording.
    level->start(how);
    state = kLevel;
    replayFeed.start(rec, *level);
    replayLevelOn = true;
    return true;
}

void cGame::replayUpdate(int ms) {
    if (replayOver) return;
    replayBudget += ms;
    for (;;) {
        if (!replayLevelOn) {
            if (replayNext >= replay->levels.size()) {
                endReplay(0);
                return;
            }
            if (!startReplayLevel()) {
                endReplay(1);
                return;
            }
        }
        const int next = replayFeed.nextTickMs();
        if (next >= 0 && !timedemo && next > replayBudget) return;
        const cLevelReplay::eStep step = replayFeed.step();
        playLevelSounds();
        switch (step) {
        case cLevelReplay::played:
            if (timedemo) return;
            replayBudget -= next;
            break;
        case cLevelReplay::outOfStep:
            std::fprintf(stderr, "replay: out of step at level %d, tick %" PRId64 "\n",
                         replay->levels[replayNext - 1].number, replayFeed.getTick());
            endReplay(1);
            return;
        case cLevelReplay::finished:
            replayLevelOn = false;
            break;
        }
    }
}
